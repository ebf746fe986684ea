#!/usr/bin/env bash
# End-to-end tests of the entry list in the real Brannox2000.exe under Wine:
# e2e.sh CASE. A fake game stands in for the games; rows are clicked through
# posted mouse messages. Needs DISPLAY, BX_LAUNCHER_EXE, BX_BXWIN, BX_BXCLICK,
# BX_FAKEGAME and BX_E2E_WORK.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../support/e2e-common.sh"
bx_e2e_begin "$1"
# Waits for the fake game's N-th start line in GAME-FOLDER/started.txt.
wait_starts() {  # FOLDER N
  local n=100
  while (( n-- > 0 )); do
    [[ -f $1/started.txt && $(wc -l < "$1/started.txt") -ge $2 ]] && return 0
    sleep 0.1
  done
  return 1
}
line() { sed -n "${2}p" "$1/started.txt" | tr -d '\r'; }

# The default skin's first row: its list starts at (40, 42).
row0=(60 48)
fake_quake
rm -rf "$drive_c/Program Files/Valve"
d=$work/bx
bx_launcher_folder "$d"
printf '[Asetukset]\r\nAloitus=1\r\nsplash=0\r\n' > "$d/Options.ini"
printf '[quake]\r\nSijainti=C:\\Quake\r\n[half-life]\r\nSijainti=C:\\Program Files\\Valve\r\n' > "$d/Games.ini"

case $1 in
quake_double_click)
  printf '[Capture the Flag]\r\nGame=quake\r\nMod=ctf\r\nParam=quake -game %%s\r\nmap=e1m1\r\nwinmem=winmem 16\r\n' > "$d/Mod.ini"
  start_and_wait "$d" Brannox2000.exe
  bx_screenshot "$work/page.png" 0 0 400 300
  bxclick dbl TMainWindow "${row0[@]}"
  check "the fake game started" wait_starts "$quake" 1
  check "its exact command line and working folder" \
    [ "$(line "$quake" 1)" = "$(printf 'C:\\Quake\\quake -game ctf +map e1m1 -winmem 16\tC:\\Quake')" ]
  sleep 0.5
  check "counted per game and mod" [ "$(bx_ini "$bx_windir/brannox2000.ini" quake ctf)" = 1 ]
  check "counted in all" [ "$(bx_ini "$bx_windir/bx2000_stats.ini" Asetukset Laskuri)" = 1 ]
  check "the launcher stays without Sammuta" [ "$(bxwin count TMainWindow)" = 1 ]
  stop
  finish ;;

sammuta_and_errors)
  printf '[A missing]\r\nGame=quake\r\nMod=\r\nParam=gone\r\n[B plain quake]\r\nGame=quake\r\nMod=\r\nParam=quake\r\n' > "$d/Mod.ini"
  printf '[Asetukset]\r\nAloitus=1\r\nsplash=0\r\nSammuta=1\r\n' > "$d/Options.ini"
  printf 'OK\r\n' > "$d/prompts.txt"
  start_and_wait "$d" Brannox2000.exe
  bxclick dbl TMainWindow "${row0[@]}"
  sleep 1
  check "a missing program says so" has_line "$d/prompts.txt.log" "File was not found."
  check "a failed start leaves the launcher open" [ "$(bxwin count TMainWindow)" = 1 ]
  check "and counts nothing" [ ! -s "$bx_windir/brannox2000.ini" ]
  bxclick wheel TMainWindow -1
  bxclick dbl TMainWindow "${row0[0]}" $(( row0[1] + 20 ))
  check "the plain game started" wait_starts "$quake" 1
  check "with no map or memory option" [ "$(line "$quake" 1)" = "$(printf 'C:\\Quake\\quake\tC:\\Quake')" ]
  check "Sammuta ends the launcher after the start" bx_wait_exit "$bx_pid" 30
  check "the plain game counts under <>" [ "$(bx_ini "$bx_windir/brannox2000.ini" quake '<>')" = 1 ]
  finish ;;

scrolled_page)
  for i in $(seq -w 1 40); do
    printf '[Entry %s]\r\nGame=quake\r\nMod=mod%s\r\nParam=quake -game %%s\r\n' "$i" "$i"
  done > "$d/Mod.ini"
  start_and_wait "$d" Brannox2000.exe
  # 20 notches down: the selection reaches entry 21 on the last row, the
  # page starts at entry 9; two back up leave the page there.
  bxclick wheel TMainWindow -20
  bxclick wheel TMainWindow 2
  sleep 0.5
  bx_screenshot "$work/scrolled.png" 0 0 400 300
  bxclick dbl TMainWindow "${row0[@]}"
  check "the first row of the scrolled page started" wait_starts "$quake" 1
  check "it is entry 9" [ "$(line "$quake" 1)" = "$(printf 'C:\\Quake\\quake -game mod09\tC:\\Quake')" ]
  stop
  finish ;;

blank_folder)
  valve="$drive_c/Program Files/Valve"
  mkdir -p "$valve/tfc"
  cp "$BX_FAKEGAME" "$valve/hl.exe"
  printf 'crossfire\r\nbounce\r\ndatacore\r\nfrenzy\r\nlambda_bunker\r\nsnark_pit\r\nstalkyard\r\nsubtransit\r\n' > "$valve/tfc/mapcycle.txt"
  cp "$valve/tfc/mapcycle.txt" "$work/original.txt"
  printf '[Team Fortress]\r\nGame=half-life\r\nMod=tfc\r\nParam=hl -game %%s\r\nrandommapcycle=1\r\n' > "$d/Mod.ini"
  start_and_wait "$d" Brannox2000.exe
  bxclick dbl TMainWindow "${row0[@]}"
  check "the game in Program Files started" wait_starts "$valve" 1
  check "its program path quoted" \
    [ "$(line "$valve" 1)" = "$(printf '"C:\\Program Files\\Valve\\hl" -game tfc\tC:\\Program Files\\Valve')" ]
  check "the map cycle holds the same maps" [ "$(sort "$valve/tfc/mapcycle.txt" | tr -d '\r')" = "$(sort "$work/original.txt" | tr -d '\r')" ]
  check "in another order" [ "$(tr -d '\r' < "$valve/tfc/mapcycle.txt")" != "$(tr -d '\r' < "$work/original.txt")" ]
  stop
  finish ;;
mod_folder_with_a_blank)
  mkdir -p "$quake/my mod"
  printf '[My mod]\r\nGame=quake\r\nMod=my mod\r\nParam=quake -game %%s\r\n' > "$d/Mod.ini"
  start_and_wait "$d" Brannox2000.exe
  bxclick dbl TMainWindow "${row0[@]}"
  check "the game started" wait_starts "$quake" 1
  check "the folder with a blank reaches the game as one argument" \
    [ "$(sed -n 1p "$quake/arguments.txt" | tr -d '\r')" = "$(printf -- '-game\tmy mod')" ]
  stop
  finish ;;
*)
  echo "unknown case $1"; exit 2 ;;
esac
