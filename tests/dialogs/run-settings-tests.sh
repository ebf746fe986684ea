#!/usr/bin/env bash
# Runs the Settings dialog tests in a private Wine prefix whose E: and F: are
# fixed drives (for "Find games"), with caption bars drawn by the programs
# themselves. With BX_SHOT_DIR set, the pictures of the tabs land there as PNGs.
set -euo pipefail
program=$1
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../support/wine-env.sh"
source "$here/../support/wine-drives.sh"
source "$here/../support/xvfb.sh"
prefix=$(bx_wine_prefix "${BX_TEST_NAME:-settings}")
drives=$prefix-drives
rm -rf "$drives"
for d in e f; do bx_wine_drive "$prefix" "$d" "$drives/$d"; done
bx_wine_drive_types "$prefix" "e:=hd" "f:=hd"
printf '\n[Software\\\\Wine\\\\X11 Driver] %s\n"Decorated"="N"\n' "$(date +%s)" >> "$prefix/user.reg"
export WINEPREFIX=$prefix
shots=${BX_SHOT_DIR:-}
[[ -z $shots ]] || { mkdir -p "$shots"; export BX_SHOT_DIR="Z:${shots//\//\\}"; }
bx_test_display
status=0
bx_wine "$program" "${@:2}" || status=$?
if [[ -n $shots ]]; then
  for f in "$shots"/*.bmp; do [[ -e $f ]] && convert "$f" "${f%.bmp}.png" && rm -f "$f"; done
fi
bx_wine_prefix_end "$prefix" "$status"
[[ $status != 0 ]] || rm -rf "$drives"
exit $status
