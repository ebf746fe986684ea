#!/usr/bin/env bash
# End-to-end tests of Brannox2000-setup.exe under Wine, each case in a fresh
# prefix: setup_e2e.sh CASE. Needs DISPLAY, BX_SETUP_FILE, BX_SETUP_STAGE
# (the folder the installer packs), BX_BXWIN and BX_E2E_WORK.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../support/launcher-env.sh"
source "$here/../support/e2e-common.sh"
bx_e2e_begin "$1"
no_file() { [[ ! -e $1 ]]; }
same_file() { cmp -s "$1" "$2"; }
drive_c=$WINEPREFIX/drive_c
menu="$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Brannox 2000"
uninstall_key='Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Brannox2000'

# setup ARGS...: runs the installer silently and waits for every process of
# the prefix (the uninstaller runs on as a copy of itself).
setup() {
  (cd "$work" && bx_wine "$BX_SETUP_FILE" /S "$@" >>"$work/setup.out" 2>&1)
  timeout 120 wineserver -w
}
uninstall() {  # DIR: its uninstaller, silently
  (cd "$work" && bx_wine "$1/uninstall.exe" /S >>"$work/setup.out" 2>&1)
  timeout 120 wineserver -w
}
has_key() { grep -qF "[$uninstall_key]" "$WINEPREFIX/system.reg"; }
# Every file the installer packs lies in DIR as it was packed.
holds_stage() {
  local f
  while IFS= read -r f; do cmp -s "$BX_SETUP_STAGE/$f" "$1/$f" || { echo "differs: $f"; return 1; }; done \
    < <(cd "$BX_SETUP_STAGE" && find . -type f)
}

case $1 in
install)
  setup
  d="$drive_c/Program Files/Brannox2000"
  check "installed below Program Files by default" [ -f "$d/Brannox2000.exe" -a -f "$d/BXskineditor/bxskined.exe" ]
  check "the installed folder is the packed one" holds_stage "$d"
  check "brannox.ini [setup] version=3" [ "$(bx_ini "$drive_c/windows/brannox.ini" setup version)" = 3 ]
  check "brannox.ini [setup] dir is the folder" [ "$(bx_ini "$drive_c/windows/brannox.ini" setup dir)" = 'C:\Program Files\Brannox2000' ]
  check "Start-menu shortcut to the launcher" grep -qa 'Brannox2000\\Brannox2000.exe' "$menu/Brannox 2000.lnk"
  check "Start-menu shortcut to the skin editor" grep -qa 'BXskineditor\\bxskined.exe' "$menu/Brannox 2000 skin editor.lnk"
  check "the uninstaller is registered" has_key
  check "with its command" grep -qF '"UninstallString"="\"C:\\Program Files\\Brannox2000\\uninstall.exe\""' "$WINEPREFIX/system.reg"
  finish ;;

reinstall)
  d=$drive_c/Games/Brannox
  setup '/D=C:\Games\Brannox'
  check "installed into the /D folder" [ -f "$d/Brannox2000.exe" ]
  # The user's changes, and an old program.
  printf '[quake]\r\nSijainti=D:\\My Quake\r\nOletus=quake -game %%s\r\n' > "$d/Games.ini"
  printf '[Asetukset]\r\nAloitus=1\r\nNahka=night.bmp\r\n' > "$d/Options.ini"
  printf 'quake\r\nglquake -width 1024\r\n' > "$d/Parameters.txt"
  printf '[Capture]\r\nGame=quake\r\nMod=ctf\r\n' | tee "$d/Mod.ini" > "$d/favourites.ini"
  mkdir -p "$d/skins" "$d/modlist"
  echo mine > "$d/skins/Bx2k8.bxs"
  echo mymod > "$d/modlist/quake.txt"
  [[ -d $d/Logos ]] && for f in "$d"/Logos/*; do echo mine > "$f"; done
  cp -a "$d" "$work/before"
  echo old > "$d/Brannox2000.exe"
  # Without /D the reinstall finds the folder of the last install.
  setup
  for f in Games.ini Options.ini Parameters.txt Mod.ini favourites.ini skins/Bx2k8.bxs modlist/quake.txt; do
    check "$f kept byte for byte" same_file "$work/before/$f" "$d/$f"
  done
  check "the logos kept" diff -r "$work/before/Logos" "$d/Logos"
  check "the program replaced" same_file "$BX_SETUP_STAGE/Brannox2000.exe" "$d/Brannox2000.exe"
  check "nothing installed below Program Files" no_file "$drive_c/Program Files/Brannox2000"
  check "brannox.ini still names the folder" [ "$(bx_ini "$drive_c/windows/brannox.ini" setup dir)" = 'C:\Games\Brannox' ]
  # A brannox.ini that names another install stays when this one goes.
  printf '[setup]\r\nversion=3\r\ndir=D:\\Other\r\n' > "$drive_c/windows/brannox.ini"
  uninstall "$d"
  check "the programs removed" no_file "$d/Brannox2000.exe"
  check "brannox.ini of another folder kept" [ "$(bx_ini "$drive_c/windows/brannox.ini" setup dir)" = 'D:\Other' ]
  finish ;;

uninstall)
  d=$drive_c/Brannox
  setup '/D=C:\Brannox'
  printf '[Asetukset]\r\nAloitus=1\r\n' > "$d/Options.ini"
  printf '[Capture]\r\nGame=quake\r\nMod=ctf\r\n' > "$d/Mod.ini"
  mkdir -p "$d/skins" "$d/BXskineditor/projects"
  echo mine > "$d/skins/night.bxs"
  echo project > "$d/BXskineditor/projects/night.bxn"
  cp "$d/Games.ini" "$work/Games.ini" 2>/dev/null
  # The launcher's own start-up shortcut (its Settings write it).
  programs="$drive_c/users/$(whoami)/AppData/Roaming/Microsoft/Windows/Start Menu/Programs"
  startup=$(find "$programs" -maxdepth 1 -iname startup | head -n1)
  startup=${startup:-$programs/StartUp}
  mkdir -p "$startup"
  echo link > "$startup/Brannox 2000.lnk"
  uninstall "$d"
  check "the launcher removed" no_file "$d/Brannox2000.exe"
  check "the skin editor removed" no_file "$d/BXskineditor/bxskined.exe"
  check "the uninstaller removed" no_file "$d/uninstall.exe"
  check "the Start-menu folder removed" no_file "$menu"
  check "the registry key removed" eval '! has_key'
  check "brannox.ini naming the folder removed" no_file "$drive_c/windows/brannox.ini"
  check "the start-up shortcut to the removed launcher removed" no_file "$startup/Brannox 2000.lnk"
  check "Options.ini kept" has_line "$d/Options.ini" Aloitus=1
  check "Mod.ini kept" has_line "$d/Mod.ini" Mod=ctf
  check "the user's skin kept" has_line "$d/skins/night.bxs" mine
  check "the editor's project kept" has_line "$d/BXskineditor/projects/night.bxn" project
  [[ -f $work/Games.ini ]] && check "the game records kept" same_file "$work/Games.ini" "$d/Games.ini"
  finish ;;
esac
