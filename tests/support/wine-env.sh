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
bx_wine() { /usr/lib/wine/wine64 "$@"; }
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
    if [[ ! -f $WINEPREFIX/.bx-ready ]]; then
      rm -rf "$WINEPREFIX"
      WINEPREFIX=$WINEPREFIX bx_wine wineboot -i >/dev/null 2>&1 || true
      WINEPREFIX=$WINEPREFIX wineserver -w
      touch "$WINEPREFIX/.bx-ready"
    fi
  ) 9>"$BX_WINE_ROOT/.lock"
}

bx_wine_prefix() {
  local name=$1
  bx_wine_base
  local p=${BX_WINE_TESTS:-$BX_WINE_ROOT/tests}/$name
  WINEPREFIX=$p wineserver -k >/dev/null 2>&1 || true
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
bx_wine_prefix_end() {
  WINEPREFIX=$1 wineserver -k >/dev/null 2>&1 || true
  [[ $2 == 0 ]] && rm -rf "$1"
  return 0
}
