# Sourced by every end-to-end script: the launcher's prefix and folders
# (launcher-env.sh), screenshots, a scratch folder for the case ($work),
# counted checks, starting and closing the launcher, and the input helpers.
# bx_e2e_begin CASE sets up; finish ends the script with the failure count.
# Each case has its own prefix and its own X display, so cases run side by
# side; ImageMagick is taken from the system, before any stand-in on PATH.
source "$(dirname "${BASH_SOURCE[0]}")/launcher-env.sh"
source "$(dirname "${BASH_SOURCE[0]}")/screenshot.sh"
source "$(dirname "${BASH_SOURCE[0]}")/xvfb.sh"
export PATH=/usr/bin:$PATH
bx_e2e_begin() {
  bx_launcher_prefix "$1"
  bx_keep_server=$WINEPREFIX
  bx_xvfb_start || { echo "FAILED: no X display"; exit 1; }
  trap 'bx_e2e_end $?' EXIT
  work=$BX_E2E_WORK/$1
  rm -rf "$work"
  mkdir -p "$work"
  failures=0
}
bx_e2e_end() {
  bx_wine_prefix_end "$WINEPREFIX" "$1"
  bx_xvfb_stop
}
check() {  # check DESCRIPTION COMMAND...
  if "${@:2}"; then echo "ok: $1"; else echo "FAILED: $1"; failures=$((failures + 1)); fi
}
stop() {  # closes the launcher's main windows and waits for the process
  bxwin close TMainWindow 20000 >/dev/null
  bx_wait_exit "$bx_pid" 30 || { echo "launcher did not end"; kill "$bx_pid" 2>/dev/null; failures=$((failures + 1)); }
}
# The wait is long because the 32-bit build runs emulated on CI machines
# that run no i386 code, beside seven other cases; it ends as soon as the
# window is there, and a slow start is said in the log.
start_and_wait() {  # DIR EXE [ARGS]: starts and waits for the main window
  local began=$SECONDS status
  bx_launch "$@"
  bxwin wait TMainWindow 120000
  status=$?
  if ((status)); then
    echo "FAILED: no main window after $((SECONDS - began)) s (the window helper's exit code $status)"
    failures=$((failures + 1))
  fi
  (( SECONDS - began < 20 )) || echo "note: the main window took $((SECONDS - began)) s"
  sleep 0.5  # the first paint and the timer's first ticks
}
finish() {
  echo "$failures failed"
  exit $((failures > 0))
}
has_line() { grep -qF -- "$2" "$1" 2>/dev/null; }

# Real input in the case's prefix: bxinput (BX_BXINPUT) types keys and moves
# and clicks the mouse; bxclick (BX_BXCLICK) posts mouse messages to a window.
bxinput() { bx_wine "$BX_BXINPUT" "$@" 2>/dev/null; }
bxclick() { bx_wine "$BX_BXCLICK" "$@" 2>/dev/null; }
keys() { bxinput keys TMainWindow "$@"; sleep 0.5; }  # to the main window, then its answer
no_file() { [[ ! -e $1 ]]; }
same_file() { cmp -s "$1" "$2"; }
not() { ! "$@"; }
wait_for() {  # FILE: waits up to 10 s for it to hold something
  local n=100
  while (( n-- > 0 )); do [[ -s $1 ]] && return 0; sleep 0.1; done
  return 1
}
# wait_until SECONDS COMMAND...: polls the command every 0.1 s (a function,
# so that what it reads is read again each time); often enough to catch a
# file the launcher is just replacing.
wait_until() {
  local n=$(($1 * 10))
  while ((n-- > 0)); do "${@:2}" && return 0; sleep 0.1; done
  return 1
}
# fake_quake: a fresh C:\Quake in the case's prefix, the fake game as its
# quake.exe; sets drive_c and quake.
fake_quake() {
  drive_c=$WINEPREFIX/drive_c
  quake=$drive_c/Quake
  rm -rf "$quake"
  mkdir -p "$quake"
  cp "$BX_FAKEGAME" "$quake/quake.exe"
}
# quake_launcher_folder DIR OPTIONS: a launcher folder whose Options.ini holds
# OPTIONS (printf text) and whose Games.ini knows that Quake; the launcher
# notes its shell opens in DIR/shell.log instead of doing them.
quake_launcher_folder() {
  bx_launcher_folder "$1"
  printf "$2" > "$1/Options.ini"
  printf '[quake]\r\nSijainti=C:\\Quake\r\nGameOletus=quake\r\nOletus=quake -game %%s\r\nKuvake=\r\n' > "$1/Games.ini"
  BX_SHELL_LOG=$(winepath -w "$1/shell.log" 2>/dev/null)
  export BX_SHELL_LOG
}
