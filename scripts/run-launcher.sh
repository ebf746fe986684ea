#!/usr/bin/env bash
# Builds the win64 launcher and starts it under Wine (prefix build/wine/user)
# from its own launcher folder, build/run/, where it keeps its INI files,
# skins\ and temp\ between runs. Arguments go to the launcher.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
./scripts/setup.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target Brannox2000
if [[ -z ${DISPLAY:-} ]]; then
  echo "No X display (DISPLAY is not set): the launcher is a window program." >&2
  exit 1
fi
mkdir -p build/run
cp build/win64/launcher/Brannox2000.exe build/run/
export WINEPREFIX=${WINEPREFIX:-$root/build/wine/user}
source tests/support/wine-env.sh
cd build/run
bx_wine Brannox2000.exe "$@"
