#!/usr/bin/env bash
# CTest emulator for the Windows test programs: runs PROGRAM under Wine on an
# X display of its own. A test named by BX_WINE_PRIVATE or BX_TEST_NAME gets
# a fresh prefix of that name, so tests run side by side; without a name the
# program runs in the run's base prefix.
set -euo pipefail
here=$(dirname "$0")
source "$here/wine-env.sh"
source "$here/xvfb.sh"
bx_wine_base
name=${BX_WINE_PRIVATE:-${BX_TEST_NAME:-}}
[[ -n $name ]] && export WINEPREFIX=$(bx_wine_prefix "$name")
bx_test_display
exec_status=0
bx_wine "$@" || exec_status=$?
if [[ -n $name ]]; then bx_wine_prefix_end "$WINEPREFIX" "$exec_status"; fi
exit $exec_status
