#!/usr/bin/env bash
# Runs the discovery tests in a private Wine prefix with drives of every kind:
# E: and F: fixed (empty; the tests lay out games there), D: a CD-ROM, N: a
# network drive and R: a removable drive, each holding a Quake that must not
# be found, since only fixed drives are searched.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../support/wine-env.sh"
source "$here/../support/wine-drives.sh"
source "$here/../support/xvfb.sh"
bx_drives_prefix discovery
for d in d e f n r; do bx_wine_drive "$prefix" "$d" "$drives/$d"; done
for d in d n r; do
  mkdir -p "$drives/$d/Quake" "$drives/$d/Half-Life"
  touch "$drives/$d/Quake/quake.exe" "$drives/$d/Half-Life/hl.exe"
done
bx_wine_drive_types "$prefix" "d:=cdrom" "e:=hd" "f:=hd" "n:=network" "r:=floppy"
status=0
bx_drives_run "$@" || status=$?
exit $status
