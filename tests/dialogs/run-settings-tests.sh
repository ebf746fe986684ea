#!/usr/bin/env bash
# Runs the Settings dialog tests in a private Wine prefix whose E: and F: are
# fixed drives (for "Find games"), with caption bars drawn by the programs
# themselves. With BX_SHOT_DIR set, the pictures of the tabs land there as PNGs.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../support/wine-env.sh"
source "$here/../support/wine-drives.sh"
source "$here/../support/xvfb.sh"
bx_drives_prefix settings
for d in e f; do bx_wine_drive "$prefix" "$d" "$drives/$d"; done
bx_wine_drive_types "$prefix" "e:=hd" "f:=hd"
printf '\n[Software\\\\Wine\\\\X11 Driver] %s\n"Decorated"="N"\n' "$(date +%s)" >> "$prefix/user.reg"
shots=${BX_SHOT_DIR:-}
[[ -z $shots ]] || { mkdir -p "$shots"; export BX_SHOT_DIR="Z:${shots//\//\\}"; }
status=0
bx_drives_run "$@" || status=$?
if [[ -n $shots ]]; then
  for f in "$shots"/*.bmp; do [[ -e $f ]] && convert "$f" "${f%.bmp}.png" && rm -f "$f"; done
fi
exit $status
