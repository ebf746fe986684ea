#!/usr/bin/env bash
# End-to-end tests of how the real Brannox2000.exe writes its INI files: killed
# in the middle of a save, on a full drive, and how many times one command
# writes a file: files_e2e.sh CASE. Needs BX_LAUNCHER_EXE, BX_BXWIN,
# BX_BXINPUT, BX_FAKEGAME, BX_DEFAULTSKIN_FILE and BX_E2E_WORK.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# The full drive is a small tmpfs, mounted in a mount namespace of the
# script's own (it runs itself again inside one), so nothing of it outlives
# the test; without namespaces the case is skipped.
if [[ $1 == full_drive && -z ${BX_FILES_NAMESPACE:-} ]]; then
  namespace=(unshare --mount --propagation private)
  [[ $(id -u) == 0 ]] || namespace=(unshare --user --map-root-user --mount --propagation private)
  if "${namespace[@]}" true 2>/dev/null; then BX_FILES_NAMESPACE=1 exec "${namespace[@]}" bash "$0" "$@"; fi
  echo "SKIPPED: no mount namespace for a small drive"
  exit 77
fi
source "$here/../support/e2e-common.sh"
source "$here/../support/wine-drives.sh"
bx_e2e_begin "$1"
# The Wine process of the launcher that bx_launch started (a child of its
# shell), found by walking the shell's children.
launcher_pid() {
  local queue=("$bx_pid") p c
  while ((${#queue[@]})); do
    p=${queue[0]}
    queue=("${queue[@]:1}")
    if [[ $p != "$bx_pid" ]] && tr '\0' ' ' <"/proc/$p/cmdline" 2>/dev/null | grep -q 'Brannox2000\.exe'; then
      echo "$p"
      return 0
    fi
    for c in $(cat /proc/"$p"/task/*/children 2>/dev/null); do queue+=("$c"); done
  done
  return 1
}
# watch DIR PREFIX LOG [--kill PID --after N]: the file watcher in the
# background (watch_pid), ready when this returns.
watch() {
  rm -f "$work/watch.out"
  python3 "$here/../support/filewatch.py" "$@" --seconds 120 >"$work/watch.out" 2>&1 &
  watch_pid=$!
  wait_until 10 grep -q ready "$work/watch.out"
}
unwatch() { kill "$watch_pid" 2>/dev/null; wait "$watch_pid" 2>/dev/null; }
# Writes of FILE in an event log: replaced whole, or closed after writing.
writes() { grep -cE "^(MOVED_TO|CLOSE_WRITE) $2\$" "$1"; }
alive() { kill -0 "$bx_pid" 2>/dev/null; }
is_one_of() { cmp -s "$1" "$2" || cmp -s "$1" "$3"; }
# The texts that the launcher showed in message boxes, on the full drive
# logged in $work (start_in).
messages() { cut -f2 "$work/prompts.txt.log" 2>/dev/null; }
start_in() { BX_PROMPTS_DIR=$work start_and_wait "$1" Brannox2000.exe; }
# killed_at N FILE COMMAND...: runs the command in the running launcher of $d,
# kills the launcher at the N-th change of FILE or its temporary file, and
# checks that FILE is the whole old ($work/old.ini) or new ($work/new.ini) one.
killed_at() {
  local n=$1 file=$2 killed=no
  watch "$d" "$file" "$work/events_$n.log" --kill "$(launcher_pid)" --after "$n"
  "${@:3}"
  wait_until 30 bash -c "! kill -0 $bx_pid 2>/dev/null || cmp -s '$d/$file' '$work/new.ini'"
  sleep 0.5
  unwatch
  alive || killed=yes
  check "killed at change $n ($killed): $file is the whole old or new file" \
    is_one_of "$d/$file" "$work/old.ini" "$work/new.ini"
  if alive; then stop; fi
}

fake_quake
games='[quake]\r\nSijainti=C:\\Quake\r\nGameOletus=quake\r\nOletus=quake -game %%s\r\n'
# Options.ini with a few options: OK in Settings writes every other one.
options='[Asetukset]\r\nAloitus=1\r\nsplash=0\r\nNosound=1\r\nSnappixels=33\r\nNahka=Bx2k8.bxs\r\n'

case $1 in
kill_settings)
  d=$work/bx
  bx_launcher_folder "$d"
  printf "$games" >"$d/Games.ini"
  printf '[Capture]\r\nGame=quake\r\nMod=ctf\r\nParam=quake -game %%s\r\n' >"$d/Mod.ini"
  printf "$options" >"$work/old.ini"
  # Settings, then OK: the whole new Options.ini, as a run without a kill leaves it.
  cp "$work/old.ini" "$d/Options.ini"
  start_and_wait "$d" Brannox2000.exe
  keys ctrl+s
  bxwin wait TSettingsDialog 20000
  bxinput keys TSettingsDialog enter
  wait_until 20 bash -c "! cmp -s '$d/Options.ini' '$work/old.ini'"
  sleep 1
  cp "$d/Options.ini" "$work/new.ini"
  stop
  check "OK writes the options" [ "$(bx_ini "$work/new.ini" Asetukset fade)" = 1 ]
  # The same with the launcher killed at the n-th change of the file or its
  # temporary file: Options.ini is always the whole old or the whole new.
  for n in 0 1 2 3 4 5 8; do
    cp "$work/old.ini" "$d/Options.ini"
    start_and_wait "$d" Brannox2000.exe
    keys ctrl+s
    bxwin wait TSettingsDialog 20000
    killed_at "$n" Options.ini bxinput keys TSettingsDialog enter
  done
  # The next save removes what a killed one left behind.
  cp "$work/old.ini" "$d/Options.ini"
  touch "$d/Options.ini.~tmp"
  start_and_wait "$d" Brannox2000.exe
  keys ctrl+s
  bxwin wait TSettingsDialog 20000
  bxinput keys TSettingsDialog enter
  wait_until 20 bash -c "cmp -s '$d/Options.ini' '$work/new.ini'"
  check "a later save leaves no temporary file" no_file "$d/Options.ini.~tmp"
  stop
  finish ;;

kill_delete)
  d=$work/bx
  bx_launcher_folder "$d"
  printf "$options" >"$d/Options.ini"
  printf "$games" >"$d/Games.ini"
  # A large entry file: the old way of writing took long enough to be cut.
  awk 'BEGIN { for (i = 0; i < 20000; i++)
    printf "[Entry %05d]\r\nGame=quake\r\nMod=mod%05d\r\nParam=quake -game %%s\r\nDescription=Entry number %d\r\n", i, i, i }' \
    >"$work/old.ini"
  # Delete answered Yes, once per run.
  cp "$work/old.ini" "$d/Mod.ini"
  printf 'Yes\r\n' >"$d/prompts.txt"
  start_and_wait "$d" Brannox2000.exe
  keys delete
  wait_until 30 bash -c "! cmp -s '$d/Mod.ini' '$work/old.ini'"
  sleep 1
  cp "$d/Mod.ini" "$work/new.ini"
  stop
  check "Delete removes the selected entry" [ "$(grep -c '^\[' "$work/new.ini")" = 19999 ]
  for n in 0 1 2 3 4 5; do
    cp "$work/old.ini" "$d/Mod.ini"
    rm -f "$d/prompts.txt.log"
    start_and_wait "$d" Brannox2000.exe
    killed_at "$n" Mod.ini keys delete
  done
  finish ;;

one_write)
  d=$work/bx
  bx_launcher_folder "$d"
  printf "$options" >"$d/Options.ini"
  printf "$games" >"$d/Games.ini"
  awk 'BEGIN { for (i = 0; i < 500; i++)
    printf "[Entry %03d]\r\nGame=quake\r\nMod=mod%03d\r\nParam=quake -game %%s\r\n", i, i }' >"$d/Mod.ini"
  start_and_wait "$d" Brannox2000.exe
  # Settings OK: Options.ini once.
  keys ctrl+s
  bxwin wait TSettingsDialog 20000
  watch "$d" Options.ini "$work/settings.log"
  bxinput keys TSettingsDialog enter
  wait_until 20 grep -q fade=1 "$d/Options.ini"
  sleep 1
  unwatch
  check "Settings OK writes Options.ini once" [ "$(writes "$work/settings.log" Options.ini)" = 1 ]
  check "with every option" [ "$(bx_ini "$d/Options.ini" Asetukset fade)" = 1 ]
  # Ctrl+F: favourites.ini once, with all eleven keys.
  watch "$d" favourites.ini "$work/favourites.log"
  keys ctrl+f
  wait_until 10 grep -q randommapcycle "$d/favourites.ini"
  sleep 0.5
  unwatch
  check "Ctrl+F writes favourites.ini once" [ "$(writes "$work/favourites.log" favourites.ini)" = 1 ]
  check "with the whole entry" [ "$(grep -c = "$d/favourites.ini")" = 11 ]
  # A start: each counter file once.
  watch "$bx_windir" b "$work/counters.log"
  keys enter
  wait_until 20 test -s "$quake/started.txt"
  sleep 1
  unwatch
  check "a start writes brannox2000.ini once" [ "$(writes "$work/counters.log" brannox2000.ini)" = 1 ]
  check "and bx2000_stats.ini once" [ "$(writes "$work/counters.log" bx2000_stats.ini)" = 1 ]
  check "counting the start" [ "$(bx_ini "$bx_windir/brannox2000.ini" quake mod000)" = 1 ]
  # Remove all on 500 entries: Mod.ini once.
  printf 'Yes\r\n' >"$d/prompts.txt"
  watch "$d" Mod.ini "$work/removeall.log"
  keys ctrl+delete
  wait_until 30 bash -c "! grep -q '^\[' '$d/Mod.ini'"
  sleep 1
  unwatch
  check "Remove all empties the list" [ "$(grep -c '^\[' "$d/Mod.ini")" = 0 ]
  check "writing Mod.ini once" [ "$(writes "$work/removeall.log" Mod.ini)" = 1 ]
  check "no temporary file is left" [ -z "$(ls "$d" | grep -F '.~tmp')" ]
  stop
  finish ;;

full_drive)
  # Drive F: is a small tmpfs, filled up once the launcher's files are there.
  drive=$work/drive_f
  mkdir -p "$drive"
  size=$(($(stat -c %s "$BX_LAUNCHER_EXE") + 3 * 1024 * 1024))
  mount -t tmpfs -o size=$size tmpfs "$drive" || { echo "FAILED: cannot mount a tmpfs"; exit 1; }
  bx_wine_drive "$WINEPREFIX" f "$drive"
  d=$drive/bx
  bx_launcher_folder "$d"
  mkdir -p "$d/skins" "$d/temp"
  cp "$BX_DEFAULTSKIN_FILE" "$d/skins/Bx2k8.bxs"
  printf "$options" >"$d/Options.ini"
  printf "$games" >"$d/Games.ini"
  printf '[Capture]\r\nGame=quake\r\nMod=ctf\r\nParam=quake -game %%s\r\n[Other]\r\nGame=quake\r\nMod=other\r\nParam=quake -game %%s\r\n' >"$d/Mod.ini"
  printf '[Old favourite]\r\nGame=quake\r\nMod=old\r\nParam=quake -game %%s\r\nrandommapcycle=0\r\n' >"$d/favourites.ini"
  for f in Options.ini Mod.ini favourites.ini; do cp "$d/$f" "$work/$f"; done
  dd if=/dev/zero of="$d/filler" bs=4096 2>/dev/null
  check "the drive is full" [ "$(df --output=avail -B1 "$drive" | tail -1 | tr -d ' ')" -lt 4096 ]
  start_in "$d"
  bx_screenshot "$work/full_drive_start.png"
  check "the start shows at most one message" [ "$(messages | wc -l)" -le 1 ]
  # Ctrl+F, Settings OK, Delete: each says once which file and why, and
  # leaves the file as it was.
  rm -f "$work/prompts.txt.log"
  keys ctrl+f
  check "Ctrl+F keeps favourites.ini" cmp -s "$d/favourites.ini" "$work/favourites.ini"
  check "and says so once, naming the file" [ "$(messages | grep -c 'favourites\.ini')" = 1 ]
  check "with the reason" [ "$(messages | grep -ci 'disk\|space')" = 1 ]
  rm -f "$work/prompts.txt.log"
  keys ctrl+s
  bxwin wait TSettingsDialog 20000
  # The Skins page's preview cannot be unpacked either.
  check "opening the Settings shows at most one message" [ "$(messages | wc -l)" -le 1 ]
  rm -f "$work/prompts.txt.log"
  bxinput keys TSettingsDialog enter
  wait_until 10 test -s "$work/prompts.txt.log"
  sleep 1
  bx_screenshot "$work/full_drive_settings.png"
  check "Settings OK keeps Options.ini" cmp -s "$d/Options.ini" "$work/Options.ini"
  check "and says so once" [ "$(messages | wc -l)" = 1 ]
  check "naming Options.ini" [ "$(messages | grep -c 'Options\.ini')" = 1 ]
  bxwin close TSettingsDialog 10000
  rm -f "$work/prompts.txt.log"
  printf 'Yes\r\n' >"$work/prompts.txt"
  keys delete
  wait_until 10 grep -q 'Mod\.ini' "$work/prompts.txt.log"
  check "Delete keeps Mod.ini" cmp -s "$d/Mod.ini" "$work/Mod.ini"
  check "and says so once after the question" [ "$(messages | wc -l)" = 2 ]
  check "no temporary file is left" [ -z "$(ls "$d" | grep -F '.~tmp')" ]
  bx_screenshot "$work/full_drive_after.png"
  stop
  # A crashed save's big temporary file fills the drive: the next save
  # takes its room.
  rm -f "$d/filler" "$work/prompts.txt" "$work/prompts.txt.log"
  cp "$work/Options.ini" "$d/Options.ini"
  start_in "$d"
  keys ctrl+s
  bxwin wait TSettingsDialog 20000
  dd if=/dev/zero of="$d/Options.ini.~tmp" bs=4096 2>/dev/null
  bxinput keys TSettingsDialog enter
  wait_until 20 grep -q 'fade=1' "$d/Options.ini"
  check "Settings OK writes Options.ini in the room of the leftover" grep -q 'fade=1' "$d/Options.ini"
  check "and removes the leftover" no_file "$d/Options.ini.~tmp"
  check "without a message" [ "$(messages | wc -l)" = 0 ]
  stop
  finish ;;
esac
