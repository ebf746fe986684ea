#!/usr/bin/env bash
# End-to-end test of the "Most started mods" window in the real
# Brannox2000.exe under Wine, over names that mods bring (markup, links to
# programs, entities, quotes, code-page letters, 1,000 characters), driven by
# real mouse and key input: most_started_e2e.sh CASE. Needs DISPLAY,
# BX_LAUNCHER_EXE, BX_BXWIN, BX_BXINPUT, BX_FAKEGAME, BX_E2E_WORK and
# BX_NAMES_FILE (one name a line, in the ANSI code page).
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../support/e2e-common.sh"
bx_e2e_begin "$1"
# The default skin's first row of the main list.
row_x=60 row_y=48
# The statistics grid: its columns' widths and its rows' height, from the
# window's client origin (the grid fills it, inside a 2-pixel edge).
edge=2 row_h=21 game_x=85 name_x=247

fake_quake
d=$work/bx
# No quick entries in the row menu: its last item opens the window.
quake_launcher_folder "$d" '[Asetukset]\r\nAloitus=1\r\nsplash=0\r\nNosound=1\r\nshowtops=0\r\n'

case $1 in
names)
  # An entry per name, each started a different number of times, and a game
  # and mod folder that no entry names; the rows the window must show.
  python3 - "$BX_NAMES_FILE" "$d/Mod.ini" "$bx_windir/brannox2000.ini" "$work/rows.txt" <<'EOF'
import sys
names = [n for n in open(sys.argv[1], 'rb').read().split(b'\n') if n]
mods = b''.join(b'[%s]\r\nGame=quake\r\nMod=m%d\r\nParam=quake -game %%s\r\n' % (n, i) for i, n in enumerate(names))
counts = b'[quake]\r\n' + b''.join(b'm%d=%d\r\n' % (i, 100 - i) for i in range(len(names)))
counts += b'[<i>game</i> & co]\r\n<b>folder</b>=1\r\n'
rows = b''.join(b'quake\t%s\t%d\n' % (n, 100 - i) for i, n in enumerate(names))
rows += b'<i>game</i> & co\t<b>folder</b>\t1\n'
open(sys.argv[2], 'wb').write(mods)
open(sys.argv[3], 'wb').write(counts)
open(sys.argv[4], 'wb').write(rows)
EOF
  rows=$(wc -l < "$work/rows.txt")
  printf 'OK %s\r\n' "$(winepath -w "$work/page.html" 2>/dev/null)" > "$d/prompts.txt"
  start_and_wait "$d" Brannox2000.exe
  # The row menu's last item: "Most started mods".
  bxinput move TMainWindow "$row_x" "$row_y"
  bxinput rdown; bxinput rup
  sleep 1
  bxinput keys - up enter
  check "the row menu opens the window" bxwin wait TMostStartedWindow 20000
  sleep 1
  bx_screenshot "$work/most_started.png"
  # A click on every shown game and name, where a link's text would be.
  points=()
  for (( r = 1; r <= rows && r <= 14; r++ )); do
    y=$(( edge + r * row_h + row_h / 2 ))
    for x in $game_x $name_x; do points+=("$(( edge + x + 5 )),$y" "$(( edge + x + 30 )),$y"); done
  done
  bxinput click TMostStartedWindow "${points[@]}"
  sleep 1
  check "no click on a name opened anything through the shell" no_file "$d/shell.log"
  check "nor started the game" no_file "$quake/started.txt"
  check "the window is still up" bxwin wait TMostStartedWindow 1000
  # Save > Save To HTML and Copy > Copy To Clipboard of the grid's menu.
  grid_menu() {
    bxinput move TMostStartedWindow $(( edge + name_x + 60 )) $(( edge + row_h + row_h / 2 ))
    bxinput rdown; bxinput rup
    sleep 1
  }
  grid_menu
  bxinput keys - down right enter
  check "Save To HTML writes the page" wait_for "$work/page.html"
  grid_menu
  bxinput keys - down down right enter
  sleep 1
  check "Copy To Clipboard fills the clipboard" bxinput clipboard "$(winepath -w "$work/clipboard.txt" 2>/dev/null)"
  check "the page and the clipboard hold every name as written, and the page nothing else" \
    python3 "$here/most_started_page.py" "$work/page.html" "$work/clipboard.txt" "$work/rows.txt"
  check "the shell opened nothing meanwhile" no_file "$d/shell.log"
  bxwin close TMostStartedWindow 10000
  stop
  finish ;;
esac
