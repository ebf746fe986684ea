#!/usr/bin/env bash
# End-to-end tests of Brannox2000-setup.exe under Wine, each case in a fresh
# prefix: setup_e2e.sh CASE. Needs DISPLAY, BX_SETUP_FILE, BX_SETUP_STAGE
# (the folder the installer packs), BX_DEFAULT_SKIN (the built-in skin
# package), BX_BXWIN, BX_BXINPUT, BX_FAKEGAME, BX_PLANTED (tests/setup/planted.cpp)
# and BX_E2E_WORK.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../support/e2e-common.sh"
bx_e2e_begin "$1"
# The installer's cases wait for the prefix's server to end (wineserver -w):
# it saves the registry they read, so it ends on its own here.
bx_keep_server=
drive_c=$WINEPREFIX/drive_c
menu="$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Brannox 2000"
# A 32-bit installer on 64-bit Windows installs below "Program Files (x86)"
# and writes its keys in the 32-bit view of the registry, as Windows has it.
if python3 "$here/peversion.py" --machine "$BX_SETUP_FILE" | grep -qx PE32; then
  program_files='Program Files (x86)' view='Wow6432Node\\'
else
  program_files='Program Files' view=
fi
uninstall_key='Software\\'$view'Microsoft\\Windows\\CurrentVersion\\Uninstall\\Brannox2000'

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
# The exit code of a silent installer or uninstaller run while a program of
# the prefix goes on running (so not waiting for the whole prefix).
setup_status() { (cd "$work" && bx_wine "$BX_SETUP_FILE" /S "$@" >>"$work/setup.out" 2>&1); }
uninstall_status() {  # DIR: run in place (_?=), so that its own exit code comes back
  (cd "$work" && bx_wine "$1/uninstall.exe" /S "_?=$(winepath -w "$1" 2>/dev/null)" >>"$work/setup.out" 2>&1)
}
# The uninstaller's copy of itself (~nsu*.tmp\Au_.exe) in this prefix.
uninstaller_copies() {
  local p
  for p in $(pgrep -f 'nsu.*\.tmp'); do
    tr '\0' '\n' < "/proc/$p/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" && echo "$p"
  done
}
no_uninstaller_copy() { [[ -z $(uninstaller_copies) ]]; }
has_key() { grep -qF "[$uninstall_key]" "$WINEPREFIX/system.reg"; }
reg_value() {  # NAME: the uninstall key's value as system.reg writes it
  K="[$uninstall_key]" N="\"$1\"=" awk 'index($0, ENVIRON["K"]) == 1 {on = 1; next} /^\[/ {on = 0}
    on && index($0, ENVIRON["N"]) == 1 {print substr($0, length(ENVIRON["N"]) + 1); exit}' "$WINEPREFIX/system.reg"
}
# Every file the installer packs lies in DIR as it was packed.
holds_stage() {
  local f
  while IFS= read -r f; do cmp -s "$BX_SETUP_STAGE/$f" "$1/$f" || { echo "differs: $f"; return 1; }; done \
    < <(cd "$BX_SETUP_STAGE" && find . -type f)
}
# The files of DIR and their hashes, to tell whether anything changed.
snapshot() { (cd "$1" && find . -type f -print0 | LC_ALL=C sort -z | xargs -0 sha256sum); }
unchanged_since() { diff <(snapshot "$1") "$2" >/dev/null; }
sha() { sha256sum "$1" | cut -d' ' -f1; }
# ini_set FILE SECTION KEY VALUE: sets a key of a CR LF INI file (the record).
ini_set() {
  python3 - "$@" <<'EOF'
import sys
path, section, key, value = sys.argv[1:]
lines = open(path, encoding="latin-1").read().splitlines()
out, cur, done = [], "", False
for line in lines:
    if line.startswith("["):
        cur = line[1:-1].lower()
    elif cur == section.lower() and line.split("=", 1)[0].lower() == key.lower():
        line = f"{key}={value}"
        done = True
    out.append(line)
if not done:
    raise SystemExit(f"{key} is not in [{section}]")
open(path, "w", encoding="latin-1", newline="").write("\r\n".join(out) + "\r\n")
EOF
}
# A launcher folder that starts without its first-run Settings, quietly.
quiet_options() { printf '[Asetukset]\r\nAloitus=1\r\nsplash=0\r\nNosound=1\r\n' > "$1/Options.ini"; : > "$1/prompts.txt"; }
texts() { bxwin texts '#32770'; }
texts_have() { texts | grep -qF -- "$1"; }
running_from() { texts | grep -qE -- "is running from this folder: +$1 "; }  # a folder as a pattern
# The launcher's copy of its built-in skin and a skin's unpacked members, as
# the launcher leaves them in its folder after a start.
launcher_leftovers() {
  mkdir -p "$1/skins" "$1/temp"
  cp "$BX_DEFAULT_SKIN" "$1/skins/Bx2k8.bxs"
  for f in cur.cur cur_about.cur cur_down.cur data.ini; do echo member > "$1/temp/$f"; done
}

case $1 in
install)
  setup
  d="$drive_c/$program_files/Brannox2000"
  check "installed below Program Files by default" [ -f "$d/Brannox2000.exe" -a -f "$d/BXskineditor/bxskined.exe" ]
  check "the installed folder is the packed one" holds_stage "$d"
  check "brannox.ini [setup] version=3" [ "$(bx_ini "$drive_c/windows/brannox.ini" setup version)" = 3 ]
  check "brannox.ini [setup] dir is the folder" [ "$(bx_ini "$drive_c/windows/brannox.ini" setup dir)" = "C:\\$program_files\\Brannox2000" ]
  check "Start-menu shortcut to the launcher" grep -qa 'Brannox2000\\Brannox2000.exe' "$menu/Brannox 2000.lnk"
  check "Start-menu shortcut to the skin editor" grep -qa 'BXskineditor\\bxskined.exe' "$menu/Brannox 2000 skin editor.lnk"
  check "the uninstaller is registered" has_key
  check "with its command" grep -qF '"UninstallString"="\"C:\\'"$program_files"'\\Brannox2000\\uninstall.exe\""' "$WINEPREFIX/system.reg"
  check "the default skin's project is installed below the editor" \
    [ -s "$d/BXskineditor/projects/Bx2k8.bxn" -a -f "$d/BXskineditor/projects/Bx2k8.bxc" -a -s "$d/BXskineditor/projects/Bx2k8 pictures/background.bmp" ]
  check "what was installed is recorded with its hashes" \
    [ "$(bx_ini "$d/uninstall.ini" files 'Brannox help.txt')" = "$(sha "$d/Brannox help.txt")" ]
  # One version: the installed-programs list's and the version resources of
  # the programs and the installer (dialogs_about_tests holds the About
  # box's to the launcher's resource).
  v=$(reg_value DisplayVersion)
  check "the installed-programs list shows version 8.0" [ "$v" = '"8.0"' ]
  check "and the publisher" [ "$(reg_value Publisher)" = '"The Brannox 2000 team"' ]
  for program in "$d/Brannox2000.exe" "$d/BXskineditor/bxskined.exe" "$BX_SETUP_FILE"; do
    python3 "$here/peversion.py" "$program" > "$work/version.txt"
    name=$(basename "$program")
    check "$name: product version 8.0" grep -qx 'ProductVersion=8.0' "$work/version.txt"
    check "$name: product version numbers 8.0.0.0" grep -qx 'ProductVersion=8.0.0.0' "$work/version.txt"
    check "$name: the product and its maker" \
      eval "grep -qx 'ProductName=Brannox 2000' '$work/version.txt' && grep -qx 'CompanyName=The Brannox 2000 team' '$work/version.txt'"
  done
  python3 "$here/peversion.py" "$d/BXskineditor/bxskined.exe" > "$work/version.txt"
  check "the skin editor's file version is its About box's 1.1" grep -qx 'FileVersion=1.1' "$work/version.txt"
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
  check "nothing installed below Program Files" no_file "$drive_c/$program_files/Brannox2000"
  check "brannox.ini still names the folder" [ "$(bx_ini "$drive_c/windows/brannox.ini" setup dir)" = 'C:\Games\Brannox' ]
  # A brannox.ini that names another install stays when this one goes.
  printf '[setup]\r\nversion=3\r\ndir=D:\\Other\r\n' > "$drive_c/windows/brannox.ini"
  uninstall "$d"
  check "the programs removed" no_file "$d/Brannox2000.exe"
  check "brannox.ini of another folder kept" [ "$(bx_ini "$drive_c/windows/brannox.ini" setup dir)" = 'D:\Other' ]
  finish ;;

upgrade)
  # An upgrade brings our new help, readme, logos and skin project, and
  # keeps the user's data byte for byte.
  d=$drive_c/Up
  setup '/D=C:\Up'
  logo=$(cd "$d/Logos" && ls | head -n1)
  mkdir -p "$d/skins" "$d/modlist"
  quiet_options "$d"
  printf '[Capture]\r\nGame=quake\r\nMod=ctf\r\n' | tee "$d/Mod.ini" > "$d/favourites.ini"
  echo mymod > "$d/modlist/quake.txt"
  echo myskin > "$d/skins/night.bxs"
  echo mylogo > "$d/Logos/mine.bmp"
  echo myproject > "$d/BXskineditor/projects/mine.bxn"
  printf '[reopen]\r\n1=C:\\Up\\BXskineditor\\projects\\mine.bxn\r\n' > "$d/BXskineditor/options.ini"
  printf '[quake]\r\nSijainti=C:\\Quake\r\n' > "$d/Games.ini"
  echo "my own notes" > "$d/readme.txt"
  # What the last version delivered, as its record says.
  for f in "Brannox help.txt" "Logos/$logo" BXskineditor/projects/Bx2k8.bxn "BXskineditor/projects/Bx2k8 pictures/background.bmp" \
           Parameters.txt; do
    echo "last version's $f" > "$d/$f"
    ini_set "$d/uninstall.ini" files "${f//\//\\}" "$(sha "$d/$f")"
  done
  echo old > "$d/Brannox2000.exe"
  echo old > "$d/BXskineditor/bxskined.exe"
  user_files=(Options.ini Mod.ini favourites.ini modlist/quake.txt skins/night.bxs Logos/mine.bmp
              BXskineditor/projects/mine.bxn BXskineditor/options.ini Games.ini readme.txt)
  cp -a "$d" "$work/before"
  setup
  for f in "Brannox help.txt" "Logos/$logo" BXskineditor/projects/Bx2k8.bxn "BXskineditor/projects/Bx2k8 pictures/background.bmp" \
           Parameters.txt Brannox2000.exe BXskineditor/bxskined.exe; do
    check "$f: the new version's" same_file "$BX_SETUP_STAGE/$f" "$d/$f"
  done
  for f in "${user_files[@]}"; do
    check "$f: the user's, byte for byte" same_file "$work/before/$f" "$d/$f"
  done
  check "the record names what is there now" \
    [ "$(bx_ini "$d/uninstall.ini" files 'Brannox help.txt')" = "$(sha "$d/Brannox help.txt")" ]

  # An install of an older version kept no record: our files are replaced,
  # the launcher's data is kept.
  rm "$d/uninstall.ini"
  echo "older help" > "$d/Brannox help.txt"
  echo "older parameters" > "$d/Parameters.txt"
  cp -a "$d/Parameters.txt" "$work/Parameters.txt"
  setup
  check "without a record the help is replaced" same_file "$BX_SETUP_STAGE/Brannox help.txt" "$d/Brannox help.txt"
  check "without a record Parameters.txt is kept" same_file "$work/Parameters.txt" "$d/Parameters.txt"
  check "Games.ini is kept" same_file "$work/before/Games.ini" "$d/Games.ini"
  check "the record is written again" [ -s "$d/uninstall.ini" ]
  finish ;;

uninstall)
  d=$drive_c/Brannox
  setup '/D=C:\Brannox'
  printf '[Asetukset]\r\nAloitus=1\r\n' > "$d/Options.ini"
  printf '[Capture]\r\nGame=quake\r\nMod=ctf\r\n' > "$d/Mod.ini"
  mkdir -p "$d/skins" "$d/BXskineditor/projects"
  echo mine > "$d/skins/night.bxs"
  echo project > "$d/BXskineditor/projects/night.bxn"
  launcher_leftovers "$d"
  # The game records as the launcher's discovery changed them.
  printf '[quake]\r\nSijainti=C:\\Quake\r\n' >> "$d/Games.ini"
  cp "$d/Games.ini" "$work/Games.ini"
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
  check "the game records kept" same_file "$work/Games.ini" "$d/Games.ini"
  # Everything else that was delivered, or that the launcher made from it, goes.
  left=$(cd "$d" && find . -type f | LC_ALL=C sort | tr '\n' ' ')
  check "only the user's files are left" \
    [ "$left" = "./BXskineditor/projects/night.bxn ./Games.ini ./Mod.ini ./Options.ini ./skins/night.bxs " ]
  [[ $left == "./BXskineditor/projects/night.bxn ./Games.ini ./Mod.ini ./Options.ini ./skins/night.bxs " ]] ||
    echo "left: $left"
  check "no empty folder is left" [ -z "$(find "$d" -mindepth 1 -type d -empty)" ]
  finish ;;

uninstall_page)
  # The interactive uninstaller: refused while the launcher runs, then its
  # last page says what it kept and where.
  d=$drive_c/Brannox
  setup '/D=C:\Brannox'
  quiet_options "$d"
  echo mine > "$d/Mod.ini"
  launcher_leftovers "$d"
  printf '[quake]\r\nquake=3\r\n' > "$drive_c/windows/brannox2000.ini"
  start_and_wait "$d" Brannox2000.exe
  snapshot "$d" > "$work/before.txt"
  (cd "$work" && bx_wine "$d/uninstall.exe" >>"$work/setup.out" 2>&1)
  check "the uninstaller asks to close the launcher" wait_until 30 running_from 'C:.Brannox'
  bx_screenshot "$work/uninstall_running.png"
  bxinput keys '#32770' esc
  check "Cancel ends the uninstaller" wait_until 30 no_uninstaller_copy
  check "and nothing was removed" unchanged_since "$d" "$work/before.txt"
  check "nor its registry key" has_key
  stop
  (cd "$work" && bx_wine "$d/uninstall.exe" >>"$work/setup.out" 2>&1)
  check "the uninstaller's first page" wait_until 30 texts_have "Uninstall"
  sleep 1
  bxinput keys '#32770' enter
  check "the last page says where the user's files were kept" \
    wait_until 60 texts_have "Your own files were kept in C:\\Brannox: "
  texts > "$work/last_page.txt"
  check "and the start counts" grep -qF 'The start counts were kept in C:\windows: brannox2000.ini' "$work/last_page.txt"
  bx_screenshot "$work/uninstall_finish.png"
  bxinput keys '#32770' enter
  check "Finish ends the uninstaller" wait_until 30 no_uninstaller_copy
  # The launcher's test run logged to wine.out and prompts.txt beside itself.
  left=$(cd "$d" && find . -mindepth 1 | LC_ALL=C sort | tr '\n' ' ')
  check "the user's files are left" [ "$left" = "./Mod.ini ./Options.ini ./prompts.txt ./wine.out " ]
  for f in "$d"/*; do
    check "the page names $(basename "$f")" grep -qE "kept in C:.Brannox: (.*, )?$(basename "$f")(,|\.)" "$work/last_page.txt"
  done
  finish ;;

running)
  # A silent install or removal while the launcher or the editor of the
  # folder runs fails and changes nothing.
  d=$drive_c/Run
  setup '/D=C:\Run'
  quiet_options "$d"
  start_and_wait "$d" Brannox2000.exe
  snapshot "$d" > "$work/before.txt"
  setup_status
  check "a silent upgrade while the launcher runs fails" [ $? != 0 ]
  check "and changes nothing" unchanged_since "$d" "$work/before.txt"
  uninstall_status "$d"
  check "a silent removal while the launcher runs fails" [ $? != 0 ]
  check "and removes nothing" unchanged_since "$d" "$work/before.txt"
  check "the registry key stays" has_key
  (cd "$work" && bx_wine "$d/uninstall.exe" /S >>"$work/setup.out" 2>&1)
  wait_until 60 no_uninstaller_copy
  check "the registered quiet removal removes nothing either" unchanged_since "$d" "$work/before.txt"
  check "and keeps the key" has_key
  stop

  # A launcher of another folder does not stand in the way.
  o=$drive_c/Other
  mkdir -p "$o"
  cp "$d/Brannox2000.exe" "$o/"
  quiet_options "$o"
  start_and_wait "$o" Brannox2000.exe
  setup_status
  check "a launcher of another folder does not stop the upgrade" [ $? = 0 ]
  stop

  (cd "$d/BXskineditor" && bx_wine "$d/BXskineditor/bxskined.exe" >>"$work/editor.out" 2>&1) &
  editor=$!
  check "the skin editor runs" bxwin wait TEditorWindow 120000
  snapshot "$d" > "$work/before.txt"
  setup_status
  check "a silent upgrade while the editor runs fails" [ $? != 0 ]
  check "and changes nothing" unchanged_since "$d" "$work/before.txt"
  bxwin close TEditorWindow 20000 >/dev/null
  bx_wait_exit "$editor" 30
  setup_status
  check "with both closed the upgrade succeeds" [ $? = 0 ]
  timeout 120 wineserver -w
  check "the folder is the packed one" holds_stage "$d"
  finish ;;

running_page)
  # The interactive installer asks to close the launcher: Cancel leaves
  # the folder as it was, Retry after closing it installs.
  d=$drive_c/Run
  setup '/D=C:\Run'
  quiet_options "$d"
  rm "$d/Brannox help.txt"
  start_and_wait "$d" Brannox2000.exe
  (cd "$work" && bx_wine "$BX_SETUP_FILE" '/D=C:\Run' >>"$work/setup.out" 2>&1) &
  installer=$!
  check "the installer's folder page" bxwin wait '#32770' 120000
  sleep 1
  bxinput keys '#32770' enter
  check "Install asks to close the launcher" wait_until 30 running_from 'C:.Run'
  check "with Retry and Cancel" eval "texts | grep -qx '&Retry' && texts | grep -qx Cancel"
  bx_screenshot "$work/install_running.png"
  bxinput keys '#32770' esc
  check "Cancel goes back to the folder page" wait_until 30 eval '! texts_have "is running from"'
  check "having installed nothing" no_file "$d/Brannox help.txt"
  bxinput keys '#32770' enter
  check "Install asks again" wait_until 30 running_from 'C:.Run'
  stop
  bxinput keys '#32770' r
  check "Retry with the launcher closed installs" wait_until 60 texts_have "Completing"
  check "the help is there again" same_file "$BX_SETUP_STAGE/Brannox help.txt" "$d/Brannox help.txt"
  bx_screenshot "$work/install_finish.png"
  # Finish starts the launcher.
  bxinput keys '#32770' enter
  check "Finish starts the installed launcher" bxwin wait TMainWindow 120000
  bx_wait_exit "$installer" 30
  bxwin close TMainWindow 20000 >/dev/null
  timeout 120 wineserver -w
  finish ;;

grants)
  # Wine keeps no access lists: a stand-in icacls.exe records the
  # installer's commands, and acl_model.py works out what they let a
  # standard user do on Windows, over a fresh folder and over one that the
  # previous installer had opened to every user.
  # Wine would run its own icacls for a program of the system folder.
  export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;icacls.exe=n"
  for sys in system32 syswow64; do
    [[ -d $drive_c/windows/$sys ]] || continue
    rm -f "$drive_c/windows/$sys/icacls.exe" "$drive_c/windows/$sys/started.txt"
    cp "$BX_FAKEGAME" "$drive_c/windows/$sys/icacls.exe"
  done
  d=$drive_c/Brannox
  setup '/D=C:\Brannox'
  cat "$drive_c"/windows/sys*/started.txt > "$work/icacls.log" 2>/dev/null
  python3 "$here/acl_model.py" "$work/icacls.log" "$d" 'C:\Brannox' > "$work/fresh.txt"
  check "a fresh install lets users write only what the programs write" [ $? = 0 ]
  grep FAILED "$work/fresh.txt"
  previous='"C:\windows\system32\icacls.exe" "C:\Brannox" /grant *S-1-5-32-545:(OI)(CI)M /T /Q'
  python3 "$here/acl_model.py" "$work/icacls.log" "$d" 'C:\Brannox' --before "$previous" > "$work/upgrade.txt"
  check "so does an upgrade of a folder that every user could write" [ $? = 0 ]
  grep FAILED "$work/upgrade.txt"
  finish ;;

planted)
  # Users may add files beside the programs (the launcher writes its INI
  # files there), so a library put there under the name of a system library
  # that the launcher loads must not be the one it loads. Windows looks in
  # the program's folder first; Wine only for libraries set to native.
  # (Wine looks there for delayed imports whatever the program asks; so
  # these are the libraries the launcher loads itself, its skin's cabinet
  # reader first.)
  d=$drive_c/Brannox
  setup '/D=C:\Brannox'
  quiet_options "$d"
  libraries=(cabinet ddraw riched20)
  for n in "${libraries[@]}"; do cp "$BX_PLANTED" "$d/$n.dll"; done
  export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;$(IFS=,; echo "${libraries[*]}")=n,b"
  start_and_wait "$d" Brannox2000.exe
  check "the launcher shows its skin" eval "bxwin wait TMainWindow 1000 && [ -s '$d/skins/Bx2k8.bxs' ]"
  check "the launcher loads no library of its folder" no_file "$d/planted.txt"
  cat "$d/planted.txt" 2>/dev/null
  stop
  finish ;;

editor_project)
  # The editor's Open starts among the installed projects, where the
  # default skin's is; Save as makes a copy of one's own there.
  d=$drive_c/Brannox
  setup '/D=C:\Brannox'
  p=$d/BXskineditor/projects
  # The real file dialogs: no prompt script, which would answer them.
  (cd "$work" && bx_wine "$d/BXskineditor/bxskined.exe" >>"$work/editor.out" 2>&1) &
  editor=$!
  check "the skin editor runs" bxwin wait TEditorWindow 120000
  # Keys sent before the new window takes them are lost: pressed again then.
  for try in 1 2 3; do
    sleep 2
    bxinput keys TEditorWindow ctrl+o
    wait_until 10 texts_have "File &name:" && break
  done
  check "Open shows its dialog" texts_have "File &name:"
  check "in the installed projects' folder" eval "texts | grep -qx projects"
  bx_screenshot "$work/editor_open.png"
  bxinput keys - b x 2 k 8 enter
  check "the default skin's project opens by its name" \
    wait_until 30 eval "bxwin texts TEditorWindow | grep -qiF 'Brannox 2000 skin editor - [Bx2k8.bxn]'"
  bxinput keys TEditorWindow alt+f a
  check "Save as shows its dialog" wait_until 30 texts_have "File &name:"
  check "in the same folder" eval "texts | grep -qx projects"
  bxinput keys - m i n e enter
  check "Save as writes the user's copy beside it" wait_until 30 eval "[ -s '$p/mine.bxn' -a -s '$p/mine.bxc' ]"
  check "the copy holds the default skin" grep -qaF 'Brannox 2000 default' "$p/mine.bxn"
  check "the installed project is untouched" same_file "$BX_SETUP_STAGE/BXskineditor/projects/Bx2k8.bxn" "$p/Bx2k8.bxn"
  check "no message was shown" [ -z "$(texts)" ]
  bxwin close TEditorWindow 20000 >/dev/null
  bx_wait_exit "$editor" 30 || { check "the editor ends" false; wineserver -k; }
  uninstall "$d"
  check "the uninstaller keeps the user's copy" [ -s "$p/mine.bxn" -a -s "$p/mine.bxc" ]
  check "and removes the default skin's" no_file "$p/Bx2k8.bxn"
  finish ;;
esac
