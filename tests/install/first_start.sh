#!/usr/bin/env bash
# End-to-end: the installed launcher's first start on a machine with games.
# Installs the build into "C:\Brannox 2000" of a fresh prefix, with a stand-in
# Quake (C:\Quake, a ctf folder) and Half-Life (C:\Sierra\Half-Life with
# valve and cstrike, each holding liblist.gam); the first start opens the
# Settings, which finds the games; OK finds their mods into Mod.ini.
#   first_start.sh CASE    needs DISPLAY, BX_BUILD_DIR, BX_CMAKE, BX_FAKEGAME,
#                          BX_BXWIN, BX_BXINPUT, BX_E2E_WORK
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../support/e2e-common.sh"
bx_e2e_begin "$1"
sections() { grep -a '^\[' "$1" 2>/dev/null | tr -d '\r' | sort | tr '\n' ' '; }
ini_is() { [ "$(bx_ini "$1" "$2" "$3")" = "$4" ]; }  # FILE SECTION KEY VALUE
settings_closed() { [ "$(bxwin visible TSettingsDialog)" = 0 ]; }
sections_are() { [ "$(sections "$1")" = "$2" ]; }

drive_c=$WINEPREFIX/drive_c
d="$drive_c/Brannox 2000"
mkdir -p "$drive_c/Quake/ctf" "$drive_c/Sierra/Half-Life/valve" "$drive_c/Sierra/Half-Life/cstrike"
cp "$BX_FAKEGAME" "$drive_c/Quake/quake.exe"
cp "$BX_FAKEGAME" "$drive_c/Sierra/Half-Life/hl.exe"
printf 'game "Half-Life"\r\n' > "$drive_c/Sierra/Half-Life/valve/liblist.gam"
printf 'game "Counter-Strike"\r\nurl_info "www.counter-strike.net"\r\n' > "$drive_c/Sierra/Half-Life/cstrike/liblist.gam"

case $1 in
first_start)
  "$BX_CMAKE" --install "$BX_BUILD_DIR" --prefix "$d" > "$work/install.log" 2>&1
  check "the launcher is installed into C:\\Brannox 2000" [ -s "$d/Brannox2000.exe" ]
  bx_launch "$d" Brannox2000.exe
  check "the first start opens the Settings" bxwin wait TSettingsDialog 30000
  check "Find games finds Quake on C:" \
    wait_until 20 ini_is "$d/Games.ini" quake Sijainti 'C:\Quake'
  check "and Half-Life" [ "$(bx_ini "$d/Games.ini" half-life Sijainti)" = 'C:\Sierra\Half-Life' ]
  check "a game that is not there gets no folder" [ -z "$(bx_ini "$d/Games.ini" "quake 2" Sijainti)" ]
  bx_screenshot "$work/first_start_settings.png"
  sleep 1
  bxinput keys TSettingsDialog enter
  check "OK closes the Settings" wait_until 30 settings_closed
  expected='[Counter-Strike] [Ctf] [Half-Life] [Quake] '
  check "Mod.ini lists Quake, ctf, Half-Life and Counter-Strike" \
    wait_until 10 sections_are "$d/Mod.ini" "$expected"
  [[ $(sections "$d/Mod.ini") == "$expected" ]] || echo "Mod.ini: $(sections "$d/Mod.ini")"
  check "Counter-Strike is a mod of half-life in cstrike" \
    [ "$(bx_ini "$d/Mod.ini" Counter-Strike Game)/$(bx_ini "$d/Mod.ini" Counter-Strike Mod)" = half-life/cstrike ]
  check "ctf starts with the delivered template" [ "$(bx_ini "$d/Mod.ini" Ctf Param)" = 'quake -game %s' ]
  check "Quake itself starts the plain game" [ "$(bx_ini "$d/Mod.ini" Quake Param)" = quake ]
  check "the entries carry the delivered logos" \
    [ "$(bx_ini "$d/Mod.ini" Quake Bitmap)/$(bx_ini "$d/Mod.ini" Counter-Strike Bitmap)" = quake.bmp/halflife.bmp ]
  check "the main window follows" bxwin wait TMainWindow 30000
  sleep 1
  bx_screenshot "$work/first_start.png"
  stop
  finish ;;
esac
