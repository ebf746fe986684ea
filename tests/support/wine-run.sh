#!/usr/bin/env bash
# CTest emulator for the Windows test programs: runs PROGRAM under Wine in the
# test run's prefix, on the run's X display. A test that sets BX_WINE_PRIVATE
# (a name) gets a fresh prefix of its own.
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"
bx_wine_base
if [[ -n ${BX_WINE_PRIVATE:-} ]]; then
  export WINEPREFIX=$(bx_wine_prefix "$BX_WINE_PRIVATE")
fi
exec_status=0
bx_wine "$@" || exec_status=$?
exit $exec_status
