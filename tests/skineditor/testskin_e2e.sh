#!/usr/bin/env bash
# "Test skin" end to end: the compile dialog (inside skineditor_tests) writes
# a package into a launcher folder and starts Brannox2000.exe on it; the
# launcher must show the new skin. Needs DISPLAY, BX_LAUNCHER_EXE, BX_BXWIN,
# BX_EDITOR_TESTS (the test program) and BX_E2E_WORK.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../support/e2e-common.sh"
bx_e2e_begin testskin
d=$work/bx
bx_launcher_folder "$d"
mkdir -p "$d/skins"
printf '[Asetukset]\r\nAloitus=1\r\nNahka=other.bxs\r\nrandom=1\r\n' > "$d/Options.ini"
BX_TESTSKIN_LAUNCHER="$(winepath -w "$d")\\" bx_wine "$BX_EDITOR_TESTS" \
  --gtest_filter=TestSkin.ANewSkinFromTheEditorStartsTheLauncher > "$work/editor.log" 2>&1
check "the dialog compiled and pressed Test skin" grep -q "1 test.*PASSED\|PASSED.*1 test" "$work/editor.log"
check "Nahka names the new package" [ "$(bx_ini "$d/Options.ini" Asetukset Nahka)" = violet.bxs ]
check "random is off" [ "$(bx_ini "$d/Options.ini" Asetukset random)" = 0 ]
bxwin wait TMainWindow 30000 || check "the launcher started" false
sleep 1
bx_screenshot "$work/testskin.png"
read -r x y w h _ < <(bxwin info TMainWindow)
check "the launcher took the new skin's size" [ "${w:-0}" = 120 -a "${h:-0}" = 90 ]
bxwin close TMainWindow 20000 >/dev/null

# A launcher of the folder runs (the usual case while one edits a skin):
# "Test skin" says so, writes nothing and starts no second launcher.
printf '[Asetukset]\r\nAloitus=1\r\nNahka=violet.bxs\r\nrandom=1\r\nsplash=0\r\n' > "$d/Options.ini"
start_and_wait "$d" Brannox2000.exe
BX_TESTSKIN_LAUNCHER="$(winepath -w "$d")\\" bx_wine "$BX_EDITOR_TESTS" \
  --gtest_filter=TestSkin.WhileTheLauncherRunsNothingChanges > "$work/editor_running.log" 2>&1
check "the editor said so and kept its dialog" grep -q "1 test.*PASSED\|PASSED.*1 test" "$work/editor_running.log"
check "Nahka stays" [ "$(bx_ini "$d/Options.ini" Asetukset Nahka)" = violet.bxs ]
check "random stays" [ "$(bx_ini "$d/Options.ini" Asetukset random)" = 1 ]
sleep 2
check "no second launcher was started to be refused" [ "$(bxwin count '#32770')" = 0 ]
check "one launcher window" [ "$(bxwin count TMainWindow)" = 1 ]
stop
finish
