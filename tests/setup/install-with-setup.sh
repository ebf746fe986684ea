#!/usr/bin/env bash
# Stands in for "cmake --install BUILD --prefix DIR" in the tests of the
# installed launcher, so that they run on the folder the installer makes:
# installs into DIR with Brannox2000-setup.exe, silently, in the current
# Wine prefix. Needs BX_SETUP_FILE and WINEPREFIX.
set -uo pipefail
source "$(dirname "$0")/../support/wine-env.sh"
prefix=
while (($#)); do
  case $1 in
    --prefix) prefix=$2; shift 2 ;;
    *) shift ;;
  esac
done
[[ -n $prefix ]] || { echo "install-with-setup.sh: no --prefix" >&2; exit 2; }
folder=$(winepath -w "$prefix" 2>/dev/null | tr -d '\r')
setup=$(winepath -w "$BX_SETUP_FILE" 2>/dev/null | tr -d '\r')
# The installer takes the rest of its command line after /D= as the folder,
# unquoted even with blanks: cmd passes the line as it is written.
bx_wine cmd /c "$setup /S /D=$folder" || exit 1
timeout 120 wineserver -w
[[ -f $prefix/uninstall.exe ]]
