#!/usr/bin/env bash
# The skin editor program end to end: bxskined.exe started on the default
# skin project, named unquoted with a blank in its folder, shows it (a
# screenshot to look at) and keeps it in its recent list when closed; a
# file that is no project gets the warning. Case: open | notproject.
# Needs DISPLAY-less Xvfb, BX_EDITOR_EXE, BX_BXWIN, BX_DEFAULT_PROJECT (the
# built Bx2k8.bxn) and BX_E2E_WORK.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../support/e2e-common.sh"
case=$1
bx_e2e_begin "editor_$case"
d=$work/bx
mkdir -p "$d/BXskineditor" "$d/my skins"
cp "$BX_EDITOR_EXE" "$d/BXskineditor/bxskined.exe"
cp "${BX_DEFAULT_PROJECT%.bxn}".bx[nc] "$d/my skins/"
: > "$d/prompts.txt"
if [[ $case == open ]]; then
  target=$(winepath -w "$d/my skins/Bx2k8.bxn")
else
  echo "not a project" > "$d/my skins/notes.txt"
  target=$(winepath -w "$d/my skins/notes.txt")
fi
# Unquoted: the path with its blank comes as two arguments.
read -ra args <<< "$target"
(cd "$d/BXskineditor" && BX_PROMPT_SCRIPT="$(winepath -w "$d/prompts.txt")" \
  bx_wine "$d/BXskineditor/bxskined.exe" "${args[@]}" >>"$d/wine.out" 2>&1) &
pid=$!
bxwin wait TEditorWindow 30000 || check "the editor's window" false
sleep 2  # the first paint
bx_screenshot "$work/editor_$case.png"
read -r x y w h _ < <(bxwin info TEditorWindow)
check "the window is 757 x 600" [ "${w:-0}" = 757 -a "${h:-0}" = 600 ]
bxwin close TEditorWindow 20000 >/dev/null
bx_wait_exit "$pid" 30 || { check "the editor ended" false; kill "$pid" 2>/dev/null; }
if [[ $case == open ]]; then
  check "no message was shown" [ ! -s "$d/prompts.txt.log" ]
  check "the project is the first recent one" [ "$(bx_ini "$d/BXskineditor/options.ini" reopen 1)" = "$target" ]
else
  check "the warning was shown" has_line "$d/prompts.txt.log" "File is not valid Brannox 2000 skin file"
  check "the recent list stays empty" [ -z "$(bx_ini "$d/BXskineditor/options.ini" reopen 1)" ]
fi
finish
