#!/usr/bin/env bash
# End-to-end tests of Brannox2000.exe under Wine, in launcher folders made
# here: e2e.sh CASE. Needs DISPLAY (the test run's Xvfb), BX_LAUNCHER_EXE,
# BX_BXWIN, BX_DEFAULTSKIN_FILE and BX_E2E_WORK (a scratch folder).
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../support/e2e-common.sh"
bx_e2e_begin "$1"
# start_past_settings DIR EXE: a start without options (a first run) opens the
# Settings dialog before the main window; it is cancelled, then the main
# window is waited for.
start_past_settings() {
  bx_launch "$@"
  check "the Settings dialog opens on a first run" bxwin wait TSettingsDialog 30000
  bx_screenshot "$work/first_run_settings.png"
  bxwin close TSettingsDialog 10000
  bxwin wait TMainWindow 30000 || check "the main window follows the Settings dialog" false
  sleep 0.5
}
# face_points PICTURE COLOUR: a grid of points over the picture, tab, and for
# each 0 when the pixel there has the colour (cut away), else 1.
face_points() {
  convert "$1" -depth 8 txt:- | awk -v cut="$2" -F'[ ,:]+' '
    NR == 1 { next }
    { x = $1; y = $2; if (x % 17 == 5 && y % 23 == 3) { pts = pts sep x "," y; val = val sep ($0 ~ cut ? 0 : 1); sep = " " } }
    END { print pts "\t" val }'
}

case $1 in
first_run)
  d=$work/bx
  bx_launcher_folder "$d"
  start_past_settings "$d" Brannox2000.exe
  bx_screenshot "$work/first_run.png"
  read -r x y w h visible top rects _ < <(bxwin info TMainWindow)
  check "skins\\Bx2k8.bxs is the built-in package" same_file "$d/skins/Bx2k8.bxs" "$BX_DEFAULTSKIN_FILE"
  check "Nahka chose the only skin" [ "$(bx_ini "$d/Options.ini" Asetukset Nahka)" = Bx2k8.bxs ]
  check "the built-in package brings no cursor files" [ ! -e "$d/temp/cur.cur" ]
  check "skin.dat and data.msk are removed from temp\\" no_file "$d/temp/skin.dat"
  check "data.msk is removed" no_file "$d/temp/data.msk"
  check "the window takes the skin's size" [ "$w" -gt 0 -a "$w" != 300 ]
  # The region must follow the face's own pixels: its white (Lapivari) ones
  # are cut away, every other one is kept.
  IFS=$'\t' read -r points expected < <(face_points "$here/../../resources/defaultskin/background.bmp" white)
  check "the window is shaped by the skin's mask" [ "$(bxwin hit TMainWindow $points)" = "$expected" ]
  day=$(bx_ini "$bx_windir/bx2000_stats.ini" Asetukset installday)
  check "installday written in the Windows folder" [ -n "$day" ]
  check "the start-up sound is off without sounds\\startup\\start.wav" no_file "$d/sounds.log"
  stop
  check "[XY] written on close" [ -n "$(bx_ini "$d/Options.ini" XY Left)" -a -n "$(bx_ini "$d/Options.ini" XY Top)" ]
  check "nayta written on close" [ "$(bx_ini "$d/Options.ini" Asetukset nayta)" = kaikki ]
  # A second start: installday stays, the skin is not written again.
  printf '[Asetukset]\r\ninstallday=1.1.2001\r\n' > "$bx_windir/bx2000_stats.ini"
  echo changed > "$d/skins/Bx2k8.bxs"
  start_past_settings "$d" Brannox2000.exe
  stop
  check "installday is never overwritten" [ "$(bx_ini "$bx_windir/bx2000_stats.ini" Asetukset installday)" = 1.1.2001 ]
  check "an existing skins folder is left alone" has_line "$d/skins/Bx2k8.bxs" changed
  finish ;;

second_instance)
  d=$work/bx
  bx_launcher_folder "$d"
  printf '[Asetukset]\r\nAloitus=1\r\n' > "$d/Options.ini"
  start_and_wait "$d" Brannox2000.exe
  first=$bx_pid
  bx_launch "$d" Brannox2000.exe
  check "a second start ends by itself" bx_wait_exit "$bx_pid" 30
  check "a second start says so" has_line "$d/prompts.txt.log" "Brannox is already running"
  check "a second start shows no window" [ "$(bxwin count TMainWindow)" = 1 ]
  bx_launch "$d" Brannox2000.exe -RestartBX2
  restart=$bx_pid
  n=0
  while [[ $(bxwin count TMainWindow) != 2 && $n -lt 100 ]]; do sleep 0.2; n=$((n + 1)); done
  check "a -restartbx2 start proceeds while the first runs" [ "$(bxwin count TMainWindow)" = 2 ]
  check "only one refusal" [ "$(grep -c 'already running' "$d/prompts.txt.log")" = 1 ]
  bx_pid=$restart; stop
  bx_pid=$first; stop
  finish ;;

mutex_name)
  d=$work/upper
  bx_launcher_folder "$d" LAUNCH.EXE
  printf '[Asetukset]\r\nAloitus=1\r\nsplash=0\r\n' > "$d/Options.ini"
  start_and_wait "$d" LAUNCH.EXE
  check "LAUNCH.EXE holds the mutex LAUNCH" bxwin mutex LAUNCH
  check "and not LAUNCH.EXE" not bxwin mutex LAUNCH.EXE
  stop
  d=$work/lower
  bx_launcher_folder "$d" launch.exe
  printf '[Asetukset]\r\nAloitus=1\r\nsplash=0\r\n' > "$d/Options.ini"
  start_and_wait "$d" launch.exe
  check "launch.exe holds the mutex launch.exe" bxwin mutex launch.exe
  stop
  finish ;;

tray_and_splash)
  d=$work/bx
  bx_launcher_folder "$d"
  mkdir -p "$d/sounds/startup"
  printf 'RIFF' > "$d/sounds/startup/start.wav"
  printf '[Asetukset]\r\nAloitus=1\r\n' > "$d/Options.ini"
  bx_launch "$d" Brannox2000.exe
  check "a normal start shows the splash" bxwin wait TSplashWindow 30000
  bxwin wait TMainWindow 30000
  sleep 2.5
  check "the splash goes once the main window is up" [ "$(bxwin visible TSplashWindow)" = 0 -a "$(bxwin visible TMainWindow)" = 1 ]
  check "a normal start plays start.wav" has_line "$d/sounds.log" "start.wav"
  stop
  rm -f "$d/sounds.log"
  # A -tray start shows its window only for a moment: wait for it to exist.
  bx_launch "$d" Brannox2000.exe -TRAY
  n=0
  while [[ $(bxwin count TMainWindow) != 1 && $n -lt 150 ]]; do sleep 0.2; n=$((n + 1)); done
  check "a -tray start makes the main window" [ "$(bxwin count TMainWindow)" = 1 ]
  sleep 1
  check "-tray in any case shows no splash" [ "$(bxwin count TSplashWindow)" = 0 ]
  check "-tray plays no sound" no_file "$d/sounds.log"
  stop
  start_and_wait "$d" Brannox2000.exe -restartbx2 -skindebug
  check "-restartbx2 shows no splash" [ "$(bxwin count TSplashWindow)" = 0 ]
  check "-restartbx2 plays no sound" no_file "$d/sounds.log"
  stop
  printf '[Asetukset]\r\nAloitus=1\r\nsplash=0\r\n' > "$d/Options.ini"
  start_and_wait "$d" Brannox2000.exe
  check "splash = 0 shows no splash" [ "$(bxwin count TSplashWindow)" = 0 ]
  stop
  finish ;;

deleted_skin)
  d=$work/bx
  bx_launcher_folder "$d"
  mkdir -p "$d/skins"
  cp "$BX_DEFAULTSKIN_FILE" "$d/skins/Zeta.bxs"
  cp "$BX_DEFAULTSKIN_FILE" "$d/skins/alpha.bxs"
  printf '[Asetukset]\r\nAloitus=1\r\nNahka=gone.bxs\r\n' > "$d/Options.ini"
  start_and_wait "$d" Brannox2000.exe
  check "a deleted skin gives way to the first by name" [ "$(bx_ini "$d/Options.ini" Asetukset Nahka)" = alpha.bxs ]
  read -r x y w h _ < <(bxwin info TMainWindow)
  check "the package is unpacked: the window takes its size" [ "${w:-0}" -gt 0 -a "$w" != 300 ]
  check "no default package is written into an existing folder" no_file "$d/skins/Bx2k8.bxs"
  stop
  # A random choice in an empty folder chooses nothing and writes nothing.
  rm -f "$d"/skins/* "$d/temp"/*
  printf '[Asetukset]\r\nAloitus=1\r\nrandom=1\r\n' > "$d/Options.ini"
  start_and_wait "$d" Brannox2000.exe
  read -r x y w h _ < <(bxwin info TMainWindow)
  check "random with no skins keeps the form's own face" [ "$w" = 300 -a "$h" = 240 ]
  check "random with no skins writes no Nahka" [ -z "$(bx_ini "$d/Options.ini" Asetukset Nahka)" ]
  stop
  finish ;;

picture_skin)
  d=$work/bx
  bx_launcher_folder "$d"
  mkdir -p "$d/skins"
  # A 300 x 240 picture with white (transparent) corners and a hole.
  convert -size 300x240 xc:white -fill '#304060' -draw 'roundrectangle 0,0 299,239 40,40' \
    -fill white -draw 'rectangle 140,100 160,120' +antialias -type TrueColor BMP3:"$d/skins/night.bmp"
  printf 'clRed\r\nclBlue\r\n' > "$d/skins/night.bmp.col"
  printf '[Asetukset]\r\nAloitus=1\r\nsplash=0\r\nNahka=night.bmp\r\n' > "$d/Options.ini"
  start_and_wait "$d" Brannox2000.exe
  read -r x y w h visible top rects _ < <(bxwin info TMainWindow)
  check "the mask file is generated" [ -s "$d/skins/night.bmp.msk" ]
  check "the picture skin keeps its size" [ "$w" = 300 -a "$h" = 240 ]
  # Inside: the face's middle and edges; outside: the white corners and hole.
  check "the window has the picture's shape" \
    [ "$(bxwin hit TMainWindow 60,120 150,30 150,210 2,2 297,2 2,237 297,237 150,110)" = "1 1 1 0 0 0 0 0" ]
  stop
  touch -d '2001-01-01' "$d/skins/night.bmp.msk"
  start_and_wait "$d" Brannox2000.exe
  stop
  check "the mask file is reused on the next start" [ "$(stat -c %Y "$d/skins/night.bmp.msk")" = "$(date -d 2001-01-01 +%s)" ]
  start_and_wait "$d" Brannox2000.exe -skindebug
  stop
  check "-skindebug generates it again" [ "$(stat -c %Y "$d/skins/night.bmp.msk")" != "$(date -d 2001-01-01 +%s)" ]
  rm -f "$d/skins/night.bmp.col"
  start_and_wait "$d" Brannox2000.exe
  check "a picture skin without .col starts" [ "$(bxwin count TMainWindow)" = 1 ]
  stop
  # Other picture formats go through the picture registry.
  convert "$d/skins/night.bmp" -type TrueColor "$d/skins/night.tga"
  printf '[Asetukset]\r\nAloitus=1\r\nsplash=0\r\nNahka=night.tga\r\n' > "$d/Options.ini"
  start_and_wait "$d" Brannox2000.exe
  read -r x y w h visible top rects _ < <(bxwin info TMainWindow)
  check "a Targa skin gets its mask" [ -s "$d/skins/night.tga.msk" ]
  # Points that a row order cannot move: the converter's Targa rows may run either way.
  check "a Targa skin has the picture's shape" \
    [ "$(bxwin hit TMainWindow 60,120 150,30 150,210 2,2 297,2 2,237 297,237)" = "1 1 1 0 0 0 0" ]
  stop
  finish ;;

broken_skin)
  d=$work/bx
  bx_launcher_folder "$d"
  mkdir -p "$d/skins"
  head -c 3000 /dev/urandom > "$d/skins/broken.bxs"
  head -c 20 "$BX_DEFAULTSKIN_FILE" > "$d/skins/short.bxs"
  printf 'BM garbage' > "$d/skins/bad.bmp"
  for skin in broken.bxs short.bxs bad.bmp; do
    printf '[Asetukset]\r\nAloitus=1\r\nsplash=0\r\nNahka=%s\r\n' "$skin" > "$d/Options.ini"
    start_and_wait "$d" Brannox2000.exe
    read -r x y w h visible top rects _ < <(bxwin info TMainWindow)
    check "$skin: the start goes on with the form's own face" [ "$w" = 300 -a "$h" = 240 -a "$visible" = 1 ]
    check "$skin: no error box" no_file "$d/prompts.txt.log"
    stop
  done
  finish ;;

position)
  d=$work/bx
  bx_launcher_folder "$d"
  printf '[Asetukset]\r\nAloitus=1\r\nsplash=0\r\nSnap=0\r\n[XY]\r\nLeft=100\r\nTop=120\r\n' > "$d/Options.ini"
  start_and_wait "$d" Brannox2000.exe
  read -r x y w h _ < <(bxwin info TMainWindow)
  check "the window starts at [XY]" [ "$x" = 100 -a "$y" = 120 ]
  stop
  check "[XY] written back" [ "$(bx_ini "$d/Options.ini" XY Left)" = 100 -a "$(bx_ini "$d/Options.ini" XY Top)" = 120 ]
  printf '[Asetukset]\r\nAloitus=1\r\nsplash=0\r\nSnap=0\r\n[XY]\r\nLeft=9000\r\nTop=-500\r\n' > "$d/Options.ini"
  start_and_wait "$d" Brannox2000.exe
  read -r x y w h _ < <(bxwin info TMainWindow)
  check "a position off the desktop is clamped to it" [ "$y" = 0 -a $((x + w)) -le 1280 -a "$x" -ge 0 ]
  stop
  printf '[Asetukset]\r\nAloitus=1\r\nsplash=0\r\nSnappixels=20\r\n[XY]\r\nLeft=10\r\nTop=15\r\n' > "$d/Options.ini"
  start_and_wait "$d" Brannox2000.exe
  read -r x y w h _ < <(bxwin info TMainWindow)
  check "snapping moves a window near the edges to them" [ "$x" = 0 -a "$y" = 0 ]
  stop
  finish ;;

minimise_restore)
  d=$work/bx
  bx_launcher_folder "$d"
  printf '[Asetukset]\r\nAloitus=1\r\nsplash=0\r\n' > "$d/Options.ini"
  start_and_wait "$d" Brannox2000.exe
  sleep 0.5
  bxwin fade TMainWindow 1500 > "$work/alphas.txt"
  read -r -a down < <(grep '^min' "$work/alphas.txt")
  read -r -a up < <(grep '^restore' "$work/alphas.txt")
  check "minimising fades the window in steps" [ "${#down[@]}" -gt 5 ]
  check "down to half" [ "${down[-1]:-}" = 128 ]
  check "restoring fades it back in steps" [ "${#up[@]}" -gt 5 ]
  check "up to opaque" [ "${up[-1]:-}" = 255 ]
  stop
  finish ;;

failing_start)
  # Options.ini is a folder: choosing the skin cannot write Nahka.
  d=$work/bx
  bx_launcher_folder "$d"
  mkdir -p "$d/Options.ini"
  bx_launch "$d" Brannox2000.exe
  # Options it cannot read make it a first run: a Settings dialog may come first.
  bxwin wait TSettingsDialog 15000 && bxwin close TSettingsDialog 10000
  bxwin wait TMainWindow 30000 || check "the main window shows" false
  sleep 1
  check "the error is shown" has_line "$d/prompts.txt.log" "Options.ini"
  check "one main window, not a second one" [ "$(bxwin count TMainWindow)" = 1 ]
  stop
  check "an unwritable Options.ini does not keep the window open" [ "$failures" = 0 ]
  check "the close reports it once more" [ "$(grep -c 'Cannot open file .*Options\.ini: ' "$d/prompts.txt.log")" = 2 ]
  finish ;;

*) echo "unknown case $1"; exit 2 ;;
esac
