#!/usr/bin/env bash
# Builds the win64 launcher and starts it under Wine (prefix build/wine/user).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
./scripts/setup.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64
exe=build/win64/launcher/Brannox2000.exe
if [[ ! -f $exe ]]; then
  echo "The launcher is not built yet: so far there are the libraries, the tools and their tests."
  exit 0
fi
export WINEPREFIX=${WINEPREFIX:-$root/build/wine/user}
source tests/support/wine-env.sh
bx_wine "$exe" "$@"
