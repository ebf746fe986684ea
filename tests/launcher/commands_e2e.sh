#!/usr/bin/env bash
# End-to-end tests of the main window's keys, row menu and skin buttons in
# the real Brannox2000.exe under Wine, driven by real key and mouse input:
# commands_e2e.sh CASE. Needs DISPLAY, BX_LAUNCHER_EXE, BX_BXWIN, BX_BXINPUT,
# BX_FAKEGAME and BX_E2E_WORK.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../support/e2e-common.sh"
source "$here/../support/wine-drives.sh"
bx_e2e_begin "$1"
# The default skin's first row and its row spacing.
row_x=60 row_y=48 row_step=19

# Drives are laid out before the prefix's first Wine process.
if [[ $1 == find_games ]]; then
  bx_wine_drive "$WINEPREFIX" e "$work/drive_e"
  bx_wine_drive_types "$WINEPREFIX" "e:=hd"
fi
fake_quake
d=$work/bx
quake_launcher_folder "$d" '[Asetukset]\r\nAloitus=1\r\nsplash=0\r\nNosound=1\r\n'

case $1 in
first_run)
  # A first start: no Aloitus yet (fade off for exact colours). Quake with
  # GlQuake and a known mod, and Half-Life, wait in the usual folders of C:.
  printf '[Asetukset]\r\nfade=0\r\nNosound=1\r\n' > "$d/Options.ini"
  printf '[quake]\r\ngamename=Quake\r\n[half-life]\r\ngamename=Half-Life\r\n' > "$d/Games.ini"
  cp "$BX_FAKEGAME" "$quake/glquake.exe"
  mkdir -p "$quake/ctf" "$drive_c/Sierra/Half-Life"
  cp "$BX_FAKEGAME" "$drive_c/Sierra/Half-Life/hl.exe"
  # No scripted answers: the question is the real message box.
  (cd "$d" && bx_wine Brannox2000.exe >>"$d/wine.out" 2>&1) &
  bx_pid=$!
  check "the search asks about GlQuake" bxwin wait '#32770' 30000
  check "with the Settings window already on screen" [ "$(bxwin visible TSettingsDialog)" = 1 ]
  bx_screenshot "$work/first_run_question.png"
  bxinput keys '#32770' enter
  n=0
  while [[ -z $(bx_ini "$d/Games.ini" quake Sijainti) && $n -lt 100 ]]; do sleep 0.2; n=$((n + 1)); done
  check "Yes chose GlQuake" [ "$(bx_ini "$d/Games.ini" quake Oletus)" = 'glquake -game %s' ]
  check "Half-Life was found" [ "$(bx_ini "$d/Games.ini" half-life Sijainti)" = 'C:\Sierra\Half-Life' ]
  sleep 0.5
  check "its two pages are in the same Settings window" [ "$(bxwin tabs TSettingsDialog)" = 8 ]
  bx_screenshot "$work/first_run_settings.png"
  # OK, clicked: "Find mods" fills the list, then the main window comes.
  bxinput move TSettingsDialog 342 418
  bxinput down; bxinput up
  check "the main window follows" bxwin wait TMainWindow 60000
  sleep 1
  read -r x y _ < <(bxwin info TMainWindow)
  bx_screenshot "$work/first_run_page.png" "$x" "$y" 340 270
  # The default skin's rows: 14 pixels high from (40, 42), the selected
  # colour $0060D4FF.
  selected() { convert "$work/first_run_page.png" -crop "192x14+40+$1" +repage txt:- | grep -ci '#FFD460'; }
  check "row 1, the row the keys act on, is painted selected" [ "$(selected 42)" -gt 0 ]
  check "row 2 is not" [ "$(selected 60)" = 0 ]
  keys enter
  n=0
  while [[ ! -s $quake/started.txt && $n -lt 100 ]]; do sleep 0.1; n=$((n + 1)); done
  check "Enter starts row 1" [ -s "$quake/started.txt" ]
  stop
  finish ;;

held_enter)
  printf '[Capture]\r\nGame=quake\r\nMod=ctf\r\nParam=quake -game %%s\r\n' > "$d/Mod.ini"
  start_and_wait "$d" Brannox2000.exe
  # Enter held for a second: the keyboard repeats its key-down 30 times.
  bxinput hold TMainWindow enter 30
  n=0
  while [[ ! -s $quake/started.txt && $n -lt 100 ]]; do sleep 0.1; n=$((n + 1)); done
  sleep 2
  check "a held Enter starts the game once" [ "$(grep -c . "$quake/started.txt")" = 1 ]
  keys enter
  n=0
  while [[ $(grep -c . "$quake/started.txt") -lt 2 && $n -lt 100 ]]; do sleep 0.1; n=$((n + 1)); done
  check "the next press starts it again" [ "$(grep -c . "$quake/started.txt")" = 2 ]
  # The arrows go on: a held Down walks down the list.
  printf '[A]\r\nGame=quake\r\nMod=a\r\nParam=x\r\n[B]\r\nGame=quake\r\nMod=b\r\nParam=x\r\n[C]\r\nGame=quake\r\nMod=c\r\nParam=x\r\n' >> "$d/Mod.ini"
  keys f5
  bxinput hold TMainWindow down 3
  sleep 0.5
  keys ctrl+f
  check "a held Down moves the selection once per repeat" [ "$(grep -c '^\[' "$d/favourites.ini")" = 1 -a -n "$(bx_ini "$d/favourites.ini" Capture Game)" ]
  stop
  finish ;;

keys)
  printf '[Capture]\r\nGame=quake\r\nMod=ctf\r\nParam=quake -game %%s\r\nmap=e1m1\r\n' > "$d/Mod.ini"
  start_and_wait "$d" Brannox2000.exe
  keys f1 f2
  check "F1 and F2 without their files open nothing" no_file "$d/shell.log"
  echo help > "$d/Brannox help.txt"
  echo readme > "$d/readme.txt"
  keys f1 f2
  check "F1 opens the help file in notepad" has_line "$d/shell.log" "$(printf 'open\tnotepad.exe\t"')"
  check "F2 opens readme.txt" [ "$(grep -c 'readme.txt"' "$d/shell.log")" = 1 ]
  keys f
  check "F alone adds no favourite" no_file "$d/favourites.ini"
  keys ctrl+f
  check "Ctrl+F copies the entry into favourites.ini" [ "$(bx_ini "$d/favourites.ini" Capture Map)" = e1m1 ]
  check "with randommapcycle 0" [ "$(bx_ini "$d/favourites.ini" Capture randommapcycle)" = 0 ]
  printf 'No\r\n' > "$d/prompts.txt"
  keys ctrl+f
  check "a second Ctrl+F asks before overwriting" has_line "$d/prompts.txt.log" 'is already exists in favourites'
  keys ctrl+s
  check "Ctrl+S opens the Settings" bxwin wait TSettingsDialog 20000
  bx_screenshot "$work/settings.png"
  bxwin close TSettingsDialog 10000
  keys ctrl+shift+s
  sleep 1
  check "Ctrl+Shift+S is not Ctrl+S" [ "$(bxwin count TSettingsDialog)" = 0 ]
  keys ctrl+2
  check "Ctrl+2 opens the config manager" bxwin wait TSettingsDialog 20000
  bx_screenshot "$work/config_manager.png"
  bxwin close TSettingsDialog 10000
  keys shift+a
  check "A opens About also with Shift" bxwin wait TAboutBox 20000
  bx_screenshot "$work/about.png"
  bxwin close TAboutBox 10000
  keys esc
  check "Esc closes the window" bx_wait_exit "$bx_pid" 30
  finish ;;

find_mods)
  mkdir -p "$quake/ctf" "$quake/rogue" "$quake/notamod"
  # Written as the launcher writes the file, so that it compares byte for byte.
  printf '[Old]\r\nGame=quake\r\nMod=gone\r\nParam=x\r\n\r\n' > "$d/Mod.ini"
  printf '[Capture The Flag]\r\nGame=quake\r\nMod=ctf\r\nParam=quake -game %%s\r\nDescription=Mine\r\nMap=ctf1\r\n\r\n' >> "$d/Mod.ini"
  printf '[Quake GL]\r\nGame=quake\r\nMod=\r\nParam=glquake -width 1024\r\n\r\n' >> "$d/Mod.ini"
  cp "$d/Mod.ini" "$work/made.ini"
  printf 'No\r\nYes\r\n' > "$d/prompts.txt"
  start_and_wait "$d" Brannox2000.exe
  keys shift+f
  n=0
  while ! grep -q '^Mod=rogue' "$d/Mod.ini" && [[ $n -lt 100 ]]; do sleep 0.2; n=$((n + 1)); done
  check "Shift+F adds the known mod that no entry has" [ "$(bx_ini "$d/Mod.ini" Rogue Mod)" = rogue ]
  asked_once() { [ "$(grep -c 'were not found' "$d/prompts.txt.log")" = 1 ] && has_line "$d/prompts.txt.log" 'Old (gone)'; }
  check "one question names the entry whose folder is gone" asked_once
  check "the user's entries stay as they were on No" cmp -s -n "$(stat -c %s "$work/made.ini")" "$work/made.ini" "$d/Mod.ini"
  mods() { tr -d '\r' < "$d/Mod.ini" | grep -ci "^Mod=$1\$"; }
  check "no second entry for ctf nor for the game" [ "$(mods ctf)" = 1 -a "$(mods '')" = 1 ]
  keys shift+f
  n=0
  while grep -q '^\[Old\]' "$d/Mod.ini" && [[ $n -lt 100 ]]; do sleep 0.2; n=$((n + 1)); done
  sleep 1
  sections=$(grep -c '^\[' "$d/Mod.ini")
  check "Yes removes the old entry: the game and its two known mods stay" [ "$sections" = 3 ]
  check "the old entry is gone" [ -z "$(bx_ini "$d/Mod.ini" Old Game)" ]
  check "the others keep their names, descriptions and maps" \
    [ "$(bx_ini "$d/Mod.ini" 'Capture The Flag' Map)" = ctf1 -a "$(bx_ini "$d/Mod.ini" 'Quake GL' Param)" = 'glquake -width 1024' ]
  check "no Settings window was shown" not has_line "$d/prompts.txt.log" "Settings"
  stop
  finish ;;

modify)
  mkdir -p "$quake/ctf"
  # Values the dialog's lists do not hold, a bare logo name, a key it does
  # not know and a name in lower case: an untouched Modify keeps them all.
  printf '[ctf]\r\nMod=ctf\r\nGame=quake\r\nParam=quake -game %%s\r\nBitmap=ctf.bmp\r\nMap=removed\r\n' > "$d/Mod.ini"
  printf 'winmem=winmem 20\r\nrandommapcycle=1\r\nCustom=kept\r\n' >> "$d/Mod.ini"
  start_and_wait "$d" Brannox2000.exe
  keys ctrl+m
  check "Ctrl+M opens Modify" bxwin wait TEntryDialog 20000
  bx_screenshot "$work/modify.png"
  bxinput keys TEntryDialog enter
  n=0
  while [[ $(bxwin count TEntryDialog) != 0 && $n -lt 50 ]]; do sleep 0.2; n=$((n + 1)); done
  check "Enter is OK" [ "$(bxwin count TEntryDialog)" = 0 ]
  check "the map not in the list stays" [ "$(bx_ini "$d/Mod.ini" ctf Map)" = removed ]
  check "the memory option not in the list stays" [ "$(bx_ini "$d/Mod.ini" ctf winmem)" = 'winmem 20' ]
  check "the logo stays a name of Logos\\" [ "$(bx_ini "$d/Mod.ini" ctf Bitmap)" = ctf.bmp ]
  check "the shuffle choice stays" [ "$(bx_ini "$d/Mod.ini" ctf randommapcycle)" = 1 ]
  check "a key the dialog does not show stays" [ "$(bx_ini "$d/Mod.ini" ctf Custom)" = kept ]
  check "the name stays as it was written" grep -q '^\[ctf\]' "$d/Mod.ini"
  stop
  finish ;;

find_games)
  mkdir -p "$work/drive_e/Games/Quake"
  cp "$BX_FAKEGAME" "$work/drive_e/Games/Quake/quake.exe"
  rm -rf "$quake"
  printf '[quake]\r\nSijainti=\r\n' > "$d/Games.ini"
  start_and_wait "$d" Brannox2000.exe
  keys shift+g
  n=0
  while [[ -z $(bx_ini "$d/Games.ini" quake Sijainti) && $n -lt 100 ]]; do sleep 0.2; n=$((n + 1)); done
  check "Shift+G finds the game on drive E:" [ "$(bx_ini "$d/Games.ini" quake Sijainti)" = 'E:\Games\Quake' ]
  keys g
  check "G alone runs nothing" [ "$(bxwin count TMainWindow)" = 1 ]
  stop
  finish ;;

delete)
  for m in alpha beta gamma; do
    printf '[Mod %s]\r\nGame=quake\r\nMod=%s\r\nParam=quake -game %%s\r\n' "$m" "$m"
    mkdir -p "$quake/$m"
    echo info > "$quake/$m/modinfo_for_BX2000.bx2"
  done > "$d/Mod.ini"
  printf 'Yes\r\nNo\r\nYes\r\nYes\r\n' > "$d/prompts.txt"
  start_and_wait "$d" Brannox2000.exe
  keys delete
  check "Delete asks Confirm remove?" has_line "$d/prompts.txt.log" "Confirm remove?"
  check "and removes only the selected entry" [ "$(grep -c '^\[' "$d/Mod.ini")" = 2 -a -z "$(bx_ini "$d/Mod.ini" 'Mod alpha' Game)" ]
  check "the mod-info question answered No keeps the file" [ -e "$quake/alpha/modinfo_for_BX2000.bx2" ]
  keys delete
  check "answered Yes deletes it" no_file "$quake/beta/modinfo_for_BX2000.bx2"
  # Remove all over the rest, with Yes to all at the first question.
  printf '[Mod alpha]\r\nGame=quake\r\nMod=alpha\r\nParam=x\r\n[Mod beta]\r\nGame=quake\r\nMod=beta\r\nParam=x\r\n' >> "$d/Mod.ini"
  echo info > "$quake/beta/modinfo_for_BX2000.bx2"
  # The answers of a run are taken in order: these follow the four above.
  printf 'Yes\r\nYesToAll\r\n' >> "$d/prompts.txt"
  rm -f "$d/prompts.txt.log"
  keys f5 ctrl+delete
  check "Remove all empties the list" [ "$(grep -c '^\[' "$d/Mod.ini")" = 0 ]
  check "Yes to all deletes every mod-info file" [ ! -e "$quake/alpha/modinfo_for_BX2000.bx2" -a ! -e "$quake/gamma/modinfo_for_BX2000.bx2" ]
  check "after one question" [ "$(grep -c 'modification info file' "$d/prompts.txt.log")" = 1 ]
  stop
  finish ;;

row_menu)
  mkdir -p "$quake/rr" "$quake/id1"
  # A PAK whose directory lists maps/pakmap.bsp and progs/x.mdl.
  python3 - "$quake/rr/pak0.pak" <<'EOF'
import struct, sys
names = [b"maps/pakmap.bsp", b"progs/x.mdl"]
body = b"".join(n.ljust(56, b"\0") + struct.pack("<ii", 0, 0) for n in names)
open(sys.argv[1], "wb").write(b"PACK" + struct.pack("<ii", 12, len(body)) + body)
EOF
  echo "See http://rr.example/ for news." > "$quake/rr/readme.txt"
  printf '[Rock & Roll]\r\nGame=quake\r\nMod=rr\r\nParam=quake -game %%s\r\n' > "$d/Mod.ini"
  printf '[quake]\r\nrr=4\r\n' > "$bx_windir/brannox2000.ini"
  start_and_wait "$d" Brannox2000.exe
  bxinput move TMainWindow "$row_x" "$row_y"
  bxinput rdown; bxinput rup
  sleep 1
  check "the right button opens the row menu" bxinput menu
  bx_screenshot "$work/row_menu.png"
  # Modification > Start with map: Custom, then the PAK's map.
  bxinput keys - down down right down down down right
  sleep 0.5
  bx_screenshot "$work/row_menu_maps.png"
  bxinput keys - down enter
  n=0
  while [[ ! -s $quake/started.txt && $n -lt 100 ]]; do sleep 0.1; n=$((n + 1)); done
  check "the PAK's map starts the entry with it" grep -q '+map pakmap' "$quake/started.txt"
  # The View submenu and the quick entry, for a look.
  bxinput move TMainWindow "$row_x" "$row_y"
  bxinput rdown; bxinput rup
  sleep 1
  bxinput keys - down down down down right
  sleep 0.5
  bx_screenshot "$work/row_menu_view.png"
  bxinput keys - esc esc
  # A readme that gives only a secure address: Modification > Visit opens it.
  echo "Home page: https://rr.example/secure/." > "$quake/rr/readme.txt"
  bxinput move TMainWindow "$row_x" "$row_y"
  bxinput rdown; bxinput rup
  sleep 1
  bxinput keys - down down right up up
  sleep 0.5
  bx_screenshot "$work/row_menu_visit.png"
  bxinput keys - enter
  sleep 1
  check "Visit opens the readme's https address" has_line "$d/shell.log" "https://rr.example/secure/"
  stop
  finish ;;

views)
  printf '[Capture]\r\nGame=quake\r\nMod=ctf\r\nParam=quake -game %%s\r\n' > "$d/Mod.ini"
  printf '[Fav]\r\nGame=quake\r\nMod=fav\r\nParam=quake -game %%s\r\n' > "$d/favourites.ini"
  printf '[quake]\r\nctf=3\r\n' > "$bx_windir/brannox2000.ini"
  row_menu() { bxinput move TMainWindow "$row_x" "$row_y"; bxinput rdown; bxinput rup; sleep 1; }
  start_and_wait "$d" Brannox2000.exe
  # View > Favourites.
  row_menu
  bxinput keys - down down down down right down enter
  stop
  check "View > Favourites shows the favourites" [ "$(bx_ini "$d/Options.ini" Asetukset nayta)" = suosikit ]
  # The quick entry at the menu's foot starts its entry from Mod.ini.
  start_and_wait "$d" Brannox2000.exe
  row_menu
  bxinput keys - up enter
  n=0
  while [[ ! -s $quake/started.txt && $n -lt 100 ]]; do sleep 0.1; n=$((n + 1)); done
  check "the quick entry starts its entry also in the favourites view" grep -q 'quake -game ctf' "$quake/started.txt"
  # View > the game's own view.
  row_menu
  bxinput keys - down down down down right down down enter
  stop
  check "View > quake modifications shows the game's view" [ "$(bx_ini "$d/Options.ini" Asetukset nayta)" = quake ]
  finish ;;

tray)
  # The restart must really start the new launcher.
  unset BX_SHELL_LOG
  printf '[Capture]\r\nGame=quake\r\nMod=ctf\r\nParam=quake -game %%s\r\n' > "$d/Mod.ini"
  printf '[quake]\r\nctf=3\r\n' > "$bx_windir/brannox2000.ini"
  # The real mouse on the icon in Wine's own notification-area window;
  # where a Wine has none, the icon's callback (WM_USER + 1024 with the
  # mouse message) as the notification area sends it.
  icon() { bxinput post TNotifyIconWindow 0x800 1 "$1"; }
  on_icon() { bxinput center __winex11_standalone_tray __winex11_tray_icon; }
  click_icon() {
    if on_icon; then bxinput down; bxinput up; else icon 0x201; icon 0x202; fi
    sleep 1.5
  }
  right_click_icon() { if on_icon; then bxinput rdown; bxinput rup; else icon 0x204; icon 0x205; fi; }
  # The icon's menu opens after the hand-over to the foreground: wait for it.
  wait_menu() { for _ in $(seq 50); do bxinput menu && return 0; sleep 0.2; done; return 1; }
  start_and_wait "$d" Brannox2000.exe
  keys ctrl+t
  sleep 0.5
  check "Ctrl+T hides the window" [ "$(bxwin visible TMainWindow)" = 0 ]
  check "and the icon's window is there" [ "$(bxwin count TNotifyIconWindow)" -ge 1 ]
  click_icon
  check "a click on the icon brings the window back" [ "$(bxwin visible TMainWindow)" = 1 ]
  # The icon's menu, opened from the icon.
  keys ctrl+t
  right_click_icon
  check "the right button on the icon opens its menu" wait_menu
  bx_screenshot "$work/tray_menu.png"
  bxinput keys - esc
  # A "TaskbarCreated" broadcast: the icon is added again and still answers.
  bxinput broadcast TaskbarCreated
  sleep 0.5
  click_icon
  check "after TaskbarCreated the icon still restores the window" [ "$(bxwin visible TMainWindow)" = 1 ]
  # A style change while hidden: the click restarts the launcher.
  first=$bx_pid
  keys ctrl+t
  printf '[Asetukset]\r\nAloitus=1\r\nsplash=0\r\nNosound=1\r\ntop=1\r\n' > "$d/Options.ini"
  right_click_icon
  wait_menu
  # General > Settings: the options are applied again and the style changes.
  bxinput keys - down down down right down down enter
  check "General > Settings opens the Settings dialog" bxwin wait TSettingsDialog 20000
  bxwin close TSettingsDialog 10000
  sleep 1
  click_icon
  check "the restart ends the first launcher" bx_wait_exit "$first" 30
  n=0
  while [[ $(bxwin visible TMainWindow) != 1 && $n -lt 100 ]]; do sleep 0.2; n=$((n + 1)); done
  check "and a -restartbx2 launcher shows the window" [ "$(bxwin visible TMainWindow)" = 1 ]
  check "which was not refused as a second instance" not has_line "$d/prompts.txt.log" "already running"
  read -r _ _ _ _ _ topmost _ < <(bxwin info TMainWindow)
  check "with the new style" [ "$topmost" = 1 ]
  # The restarted launcher holds the single-instance mutex: a normal start
  # is still refused.
  bx_launch "$d" Brannox2000.exe
  check "a start after the restart ends by itself" bx_wait_exit "$bx_pid" 30
  check "saying the launcher is already running" has_line "$d/prompts.txt.log" "Brannox is already running"
  check "and opens no second window" [ "$(bxwin count TMainWindow)" = 1 ]
  bxwin close TMainWindow 20000 >/dev/null
  sleep 2
  # A -tray start shows only the icon.
  bx_launch "$d" Brannox2000.exe -tray
  n=0
  while [[ $(bxwin count TMainWindow) != 1 && $n -lt 100 ]]; do sleep 0.2; n=$((n + 1)); done
  sleep 3
  check "a -tray start hides the window" [ "$(bxwin visible TMainWindow)" = 0 ]
  click_icon
  check "and its icon brings it back" [ "$(bxwin visible TMainWindow)" = 1 ]
  stop
  finish ;;

skin_buttons)
  printf '[Base]\r\nGame=quake\r\nMod=\r\nParam=quake\r\n' > "$d/Mod.ini"
  start_and_wait "$d" Brannox2000.exe
  read -r x y _ < <(bxwin info TMainWindow)
  shot() { bx_screenshot "$work/$1.png" $((x + 240)) $((y + 25)) 100 255; }
  bxinput move TMainWindow 10 120
  shot buttons_normal
  bxinput move TMainWindow 290 210
  sleep 0.3
  shot buttons_hover_about
  bxinput down
  sleep 0.3
  shot buttons_pressed_about
  bxinput move TMainWindow 10 120
  bxinput up
  sleep 0.5
  shot buttons_after_leaving
  check "a press released off the button runs nothing" no_file "$d/prompts.txt.log"
  bxinput move TMainWindow 290 210
  bxinput down
  bxinput up
  sleep 0.5
  check "a press released on the button runs its command" bxwin wait TAboutBox 20000
  bxwin close TAboutBox 10000
  for spot in "290 70" "290 98" "290 126" "290 154" "290 182" "269 249" "311 249"; do
    bxinput move TMainWindow $spot
    sleep 0.2
  done
  shot buttons_hover_down
  bxinput move TMainWindow 321 41
  bxinput down
  sleep 0.3
  shot buttons_pressed_close
  bxinput up
  check "the close button closes the window on release" bx_wait_exit "$bx_pid" 30
  finish ;;
esac
