#!/usr/bin/env bash
# Builds the 32-bit release programs (what users get; BX_PRESET=win64 for the
# 64-bit ones) and starts the launcher under Wine (prefix
# build/wine/user) from its own launcher folder, build/run/, laid out as
# "cmake --install" lays out a user's folder: the programs are replaced by
# each build, while Games.ini, Parameters.txt, the help, the readme and the
# logos are copied only when missing, so the games found and the files
# edited stay between runs with the INI files, skins\ and temp\. Arguments
# go to the launcher.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
./scripts/setup.sh
preset=${BX_PRESET:-win32}
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" --target Brannox2000 bxskined bx_delivered
if [[ -z ${DISPLAY:-} ]]; then
  echo "No X display (DISPLAY is not set): the launcher is a window program." >&2
  exit 1
fi
stage=build/$preset/install
rm -rf "$stage"
cmake --install "build/$preset" --prefix "$stage" >/dev/null
mkdir -p build/run/BXskineditor
cp "$stage/Brannox2000.exe" build/run/
cp "$stage/BXskineditor/bxskined.exe" build/run/BXskineditor/
cp -rn "$stage/Games.ini" "$stage/Parameters.txt" "$stage/Brannox help.txt" "$stage/readme.txt" "$stage/Logos" build/run/
export WINEPREFIX=${WINEPREFIX:-$root/build/wine/user}
source tests/support/wine-env.sh
cd build/run
bx_wine Brannox2000.exe "$@"
