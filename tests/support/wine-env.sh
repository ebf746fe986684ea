# Sourced by the test scripts: the Wine environment of a test run.
#   BX_WINE_ROOT   folder of the run's prefixes (default build/wine; the test
#                  presets give each build build/wine/<preset>)
#   BX_WINE_TESTS  folder of the tests' own prefixes (default BX_WINE_ROOT/tests)
#   WINEPREFIX     the run's base prefix, made once from scratch
# bx_wine_prefix NAME makes a private prefix for one test, as a fresh copy of
# the base prefix, so that tests run side by side and a test can lay out its
# own drives and folders (its dosdevices links and drive types) before its
# first Wine process starts.
bx_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
# Debian's Wine: its 64-bit loader starts every program, and hands a 32-bit
# one to the 32-bit loader (wine32, run by qemu-user where the machine runs no
# i386 program itself; scripts/setup.sh). Each build keeps its own prefixes:
# the test presets give each its own BX_WINE_ROOT.
bx_wine() { bx_wine_server; /usr/lib/wine/wine64 "$@"; }
winepath() { bx_wine_server; command winepath "$@"; }
# A case that starts and ends many Wine processes keeps its prefix's server
# up from its first process to its end (bx_keep_server holds the prefix;
# bx_wine_prefix_end ends the server). A server that ends on its own, a few
# seconds after the last process, still takes the connections of new ones
# while it saves the registry on its way out, and those fail at once.
# The server reads the registry when it starts, so the case lays out its
# drives before its first Wine process.
bx_wine_server() {
  [[ ${bx_keep_server:-} == "$WINEPREFIX" && ! -e $WINEPREFIX/.bx-server ]] || return 0
  touch "$WINEPREFIX/.bx-server"
  WINEPREFIX=$WINEPREFIX wineserver -p </dev/null >/dev/null 2>&1 || true
}
export BX_WINE_ROOT=${BX_WINE_ROOT:-$bx_root/build/wine}
export WINEPREFIX=${WINEPREFIX:-$BX_WINE_ROOT/base}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEARCH=win64
# No menu entries on the host, no Mono or Gecko install prompts, and no
# debugger that would wait on a crashed program.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-winemenubuilder.exe=d;winedbg.exe=d;mscoree=d;mshtml=d}

# Makes the base prefix once; safe when several tests start at the same time.
bx_wine_base() {
  mkdir -p "$BX_WINE_ROOT"
  (
    flock 9
    local try
    for try in 1 2 3; do
      [[ -f $WINEPREFIX/.bx-ready ]] && break
      rm -rf "$WINEPREFIX"
      WINEPREFIX=$WINEPREFIX bx_wine wineboot -i >"$BX_WINE_ROOT/wineboot.log" 2>&1
      WINEPREFIX=$WINEPREFIX timeout 300 wineserver -w
      if [[ -f $WINEPREFIX/system.reg && -d $WINEPREFIX/drive_c/windows/system32 ]]; then
        touch "$WINEPREFIX/.bx-ready"
      else
        echo "wineboot made no prefix in $WINEPREFIX (try $try):" >&2
        tail -5 "$BX_WINE_ROOT/wineboot.log" >&2
        sleep 5
      fi
    done
  ) 9>"$BX_WINE_ROOT/.lock"
}

bx_wine_prefix() {
  local name=$1
  bx_wine_base
  local p=${BX_WINE_TESTS:-$BX_WINE_ROOT/tests}/$name
  if [[ -d $p ]]; then
    WINEPREFIX=$p wineserver -k >/dev/null 2>&1 || true
    WINEPREFIX=$p timeout 60 wineserver -w >/dev/null 2>&1 || true
  fi
  rm -rf "$p"
  mkdir -p "$(dirname "$p")"
  # The Windows system folder (nine tenths of a prefix) is shared through
  # hard links: no test writes there. Every other file, the registry and
  # the INI files among them, becomes a copy of its own.
  cp -al "$WINEPREFIX" "$p"
  find "$p" -type f -links +1 ! -path "$p/drive_c/windows/system32/*" -exec sh -c \
    'for f; do cp -p "$f" "$f.bxcopy" && mv -f "$f.bxcopy" "$f"; done' sh {} +
  echo "$p"
}

# bx_wine_prefix_end PREFIX STATUS: ends the prefix's Wine processes, and
# removes the prefix when the test passed (a failed one is kept to look at).
# The server is gone before its prefix: a new prefix may take the old one's
# inode, and so the name of its server's socket.
bx_wine_prefix_end() {
  WINEPREFIX=$1 wineserver -k >/dev/null 2>&1 || true
  WINEPREFIX=$1 timeout 60 wineserver -w >/dev/null 2>&1 || true
  [[ $2 == 0 ]] && rm -rf "$1"
  return 0
}
