#!/usr/bin/env bash
# Runs every test on a fresh machine: installs what is missing, builds the
# native (sanitized), fuzz, win64, win32 (the release build users get) and
# win32-test builds, runs the native tests, each fuzz target over its seed
# corpus, and the win64 and win32-test tests under Wine on private Xvfb
# displays. Each phase prints its time; the last line is the total:
# 'N passed, N failed'.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
logs=$root/build/logs
FUZZ_RUNS=${FUZZ_RUNS:-4000}

passed=0 failed=0
fail() { echo "FAILED: $*"; failed=$((failed + 1)); }
# phase NAME: ends the phase before (printing its time) and starts NAME.
phase_name= phase_start=$SECONDS
phase() {
  [[ -n $phase_name ]] && printf '   (%s: %d s)\n' "$phase_name" $((SECONDS - phase_start))
  phase_name=$1 phase_start=$SECONDS
}

phase setup
./scripts/setup.sh || { echo "setup failed"; echo "0 passed, 1 failed"; exit 1; }
mkdir -p "$logs"

build() {  # preset
  phase "build $1"
  echo "== build $1"
  if ! { cmake --preset "$1" > "$logs/configure-$1.log" 2>&1 &&
         cmake --build --preset "$1" > "$logs/build-$1.log" 2>&1; }; then
    tail -40 "$logs/configure-$1.log" "$logs/build-$1.log" 2>/dev/null
    fail "build $1"
    return 1
  fi
}

# One line per failed test of a ctest log: its name and why, the test's own
# FAILED lines (an end-to-end check, a GoogleTest case) or else ctest's word
# for it (a time-out, a crash).
failed_tests() {  # log
  awk '
    /The following tests FAILED/ { cur = ""; next }
    match($0, /^ *[0-9]+\/[0-9]+ Test +#[0-9]+: [^ ]+/) {
      split(substr($0, RSTART, RLENGTH), a, ": "); cur = a[2]
      if (match($0, /\*\*\*[^0-9]*/)) {
        order[++n] = cur
        why[cur] = substr($0, RSTART + 3, RLENGTH - 3); sub(/ +$/, "", why[cur])
      }
      next
    }
    cur != "" && /FAILED/ && !/^\[ *FAILED *\] *[0-9]+ tests?,/ {
      line = $0; sub(/^ +/, "", line); sub(/ \([0-9]+ ms\)$/, "", line)
      if (!((cur, line) in seen)) { seen[cur, line] = 1; reasons[cur] = reasons[cur] (reasons[cur] ? "; " : "") line }
    }
    END { for (i = 1; i <= n; i++) { t = order[i]; print "   failed: " t ": " (t in reasons ? reasons[t] : why[t]) } }
  ' "$1"
}

run_ctest() {  # preset
  phase "test $1"
  echo "== test $1"
  ctest --preset "$1" 2>&1 | tee "$logs/test-$1.log" | grep -E '^\s*[0-9]+/[0-9]+ Test|tests passed' || true
  failed_tests "$logs/test-$1.log"
  local line total bad
  line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$logs/test-$1.log" | tail -1)
  if [[ -z $line ]]; then fail "ctest $1 ran no test"; return; fi
  bad=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")
  total=$(sed -E 's/.* failed out of ([0-9]+).*/\1/' <<<"$line")
  passed=$((passed + total - bad))
  failed=$((failed + bad))
}

# Portable libraries, with AddressSanitizer and UBSan.
build native && run_ctest native

# Each fuzz target for a fixed number of runs over its committed seed corpus.
if build fuzz; then
  phase fuzz
  echo "== fuzz ($FUZZ_RUNS runs each)"
  for target in build/fuzz/fuzz/fuzz_*; do
    [[ -x $target ]] || continue
    name=$(basename "$target")
    corpus=$root/fuzz/corpus/${name#fuzz_}
    work=$(mktemp -d)
    if "$target" -runs="$FUZZ_RUNS" -seed=1 -rss_limit_mb=2048 -max_len=65536 "$work" "$corpus" \
        > "$logs/$name.log" 2>&1; then
      echo "   $name: passed"
      passed=$((passed + 1))
    else
      tail -30 "$logs/$name.log"
      fail "$name"
    fi
    rm -rf "$work"
  done
fi

# Windows programs under Wine, side by side: each test copies its build's
# base prefix and starts its own X display. The 32-bit test build also tests
# the release build's installer and programs.
windows=()
build win64 && windows+=(win64)
if build win32; then
  # The release build's import and delay-load slots, read from the files.
  phase "import slots win32"
  if python3 tools/import-slots.py --dlls /usr/lib/i386-linux-gnu/wine/i386-windows build/win32 > "$logs/import-slots-win32.log" 2>&1; then
    echo "   import slots win32: passed"; passed=$((passed + 1))
  else
    tail -20 "$logs/import-slots-win32.log"; fail "import slots win32"
  fi
  build win32-test && windows+=(win32-test)
fi
if ((${#windows[@]})); then
  source tests/support/xvfb.sh
  for preset in "${windows[@]}"; do
    phase "Wine prefix $preset"
    export BX_WINE_ROOT=$root/build/wine/$preset WINEPREFIX=$root/build/wine/$preset/base
    source tests/support/wine-env.sh
    rm -rf "$BX_WINE_ROOT"
    if bx_xvfb_start; then
      bx_wine_base
      wineserver -k >/dev/null 2>&1 || true
      bx_xvfb_stop
      run_ctest "$preset"
    else
      fail "Xvfb"
    fi
  done
fi
phase ""

echo "$passed passed, $failed failed"
[[ $failed -eq 0 ]]
