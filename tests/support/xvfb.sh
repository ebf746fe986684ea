# Sourced by the test scripts: bx_xvfb_start starts a private X server and
# exports DISPLAY; bx_xvfb_stop ends it.
bx_xvfb_start() {
  local n
  for n in $(seq 90 140); do
    [[ -e /tmp/.X$n-lock || -e /tmp/.X11-unix/X$n ]] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    bx_xvfb_pid=$!
    for _ in $(seq 50); do
      [[ -e /tmp/.X11-unix/X$n ]] && { export DISPLAY=":$n"; return 0; }
      kill -0 "$bx_xvfb_pid" 2>/dev/null || break
      sleep 0.1
    done
  done
  echo "could not start Xvfb" >&2
  return 1
}
bx_xvfb_stop() {
  [[ -n ${bx_xvfb_pid:-} ]] && kill "$bx_xvfb_pid" 2>/dev/null && wait "$bx_xvfb_pid" 2>/dev/null
  bx_xvfb_pid=
}
