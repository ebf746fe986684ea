# Sourced by the test scripts: bx_xvfb_start starts a private X server on a
# display number that the server picks itself (so tests that start at the
# same moment never race for one) and exports DISPLAY; bx_xvfb_stop ends it.
# bx_test_display does both for one test: its own screen, so windows that
# want the whole screen or a fixed position get it, ended when the script
# exits.
bx_xvfb_start() {
  local dir
  dir=$(mktemp -d)
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$dir/display" >/dev/null 2>&1 &
  bx_xvfb_pid=$!
  for _ in $(seq 100); do
    if [[ -s $dir/display ]]; then
      export DISPLAY=":$(head -n1 "$dir/display")"
      rm -rf "$dir"
      return 0
    fi
    kill -0 "$bx_xvfb_pid" 2>/dev/null || break
    sleep 0.1
  done
  rm -rf "$dir"
  kill "$bx_xvfb_pid" 2>/dev/null
  bx_xvfb_pid=
  echo "could not start Xvfb" >&2
  return 1
}
bx_xvfb_stop() {
  [[ -n ${bx_xvfb_pid:-} ]] && kill "$bx_xvfb_pid" 2>/dev/null && wait "$bx_xvfb_pid" 2>/dev/null
  bx_xvfb_pid=
}
bx_test_display() {
  bx_xvfb_start || return 1
  trap 'bx_xvfb_stop' EXIT
}
