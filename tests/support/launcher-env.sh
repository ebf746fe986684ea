# Sourced by the launcher's end-to-end tests: a Wine prefix of each test's
# own, launcher folders made by the test, starting the launcher and the
# window helper.
#   BX_LAUNCHER_EXE  the built Brannox2000.exe      BX_BXWIN  the bxwin.exe helper
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"

# bx_launcher_prefix NAME: a fresh prefix for the test (BX_TEST_NAME, else
# NAME), whose Windows folder keeps the start counters.
bx_launcher_prefix() {
  WINEPREFIX=$(bx_wine_prefix "${BX_TEST_NAME:-e2e-$1}")
  export WINEPREFIX
  bx_windir=$WINEPREFIX/drive_c/windows
}

# bx_launcher_folder DIR [EXE-NAME]: a fresh launcher folder holding the exe.
bx_launcher_folder() {
  rm -rf "$1"
  mkdir -p "$1"
  cp "$BX_LAUNCHER_EXE" "$1/${2:-Brannox2000.exe}"
}

# bx_launch DIR EXE [ARGS...]: starts the launcher in the background; its
# prompts are answered from DIR/prompts.txt (default buttons) and logged to
# DIR/prompts.txt.log, its sounds logged to DIR/sounds.log. Sets bx_pid.
# With BX_PROMPTS_DIR set, the prompts' files lie there instead (a test of a
# full drive keeps its log elsewhere).
bx_launch() {
  local dir=$1 exe=$2
  shift 2
  (cd "$dir" && BX_PROMPT_SCRIPT="$(winepath -w "${BX_PROMPTS_DIR:-$dir}/prompts.txt" 2>/dev/null)" \
     BX_SOUND_LOG="$(winepath -w "$dir/sounds.log" 2>/dev/null)" bx_wine "$exe" "$@" >>"$dir/wine.out" 2>&1) &
  bx_pid=$!
}

bxwin() { bx_wine "$BX_BXWIN" "$@" 2>/dev/null | tr -d '\r'; return "${PIPESTATUS[0]}"; }

# Waits up to $2 seconds (default 30) for the background process $1 to end.
bx_wait_exit() {
  local pid=$1 n=$(( ${2:-30} * 10 ))
  while (( n-- > 0 )); do
    kill -0 "$pid" 2>/dev/null || { wait "$pid" 2>/dev/null; return 0; }
    sleep 0.1
  done
  return 1
}

# An INI value: bx_ini FILE SECTION KEY (letter case ignored in names).
bx_ini() {
  awk -v s="$2" -v k="$3" 'BEGIN{IGNORECASE=1} {sub(/\r$/,"")}
    /^\[/ {cur=substr($0,2,length($0)-2); next}
    tolower(cur)==tolower(s) && index($0,"=") {split($0,a,"="); if (tolower(a[1])==tolower(k)) {print substr($0,index($0,"=")+1); exit}}' "$1" 2>/dev/null
}
