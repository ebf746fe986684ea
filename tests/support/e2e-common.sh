# Sourced by the end-to-end scripts after launcher-env.sh: a scratch folder
# for the case ($work), counted checks, and starting and closing the launcher.
# bx_e2e_begin CASE sets up; finish ends the script with the failure count.
# Each case has its own prefix and its own X display, so cases run side by
# side; ImageMagick is taken from the system, before any stand-in on PATH.
source "$(dirname "${BASH_SOURCE[0]}")/xvfb.sh"
export PATH=/usr/bin:$PATH
bx_e2e_begin() {
  bx_launcher_prefix "$1"
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
start_and_wait() {  # DIR EXE [ARGS]: starts and waits for the main window
  bx_launch "$@"
  bxwin wait TMainWindow 30000 || { echo "FAILED: no main window"; failures=$((failures + 1)); }
  sleep 0.5  # the first paint and the timer's first ticks
}
finish() {
  echo "$failures failed"
  exit $((failures > 0))
}
has_line() { grep -qF -- "$2" "$1" 2>/dev/null; }
