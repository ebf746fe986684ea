#!/usr/bin/env bash
# Runs each fuzz target for a set time, one target after the other, so that
# libFuzzer goes beyond the committed seeds, and says what each one found.
#   fuzz/run-timed.sh SECONDS [TARGET...]
# TARGET is a target's name with or without "fuzz_" (tiff, fuzz_tiff); none
# means every target of the fuzz build (cmake --preset fuzz && cmake --build
# --preset fuzz). The seeds in fuzz/corpus/<reader> are only read: new inputs
# go to a scratch corpus. A crash, leak, timeout or memory blow-up leaves its
# input in build/fuzz/findings/<target>/ and makes the exit status 1; once the
# fault is mended, keep the input as a seed in the target's corpus.
# FUZZ_MAX_LEN sets the largest input (default: 64 KiB, or the largest seed).
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
if [[ $# -lt 1 || ! $1 =~ ^[0-9]+$ ]]; then
  echo "usage: fuzz/run-timed.sh SECONDS [TARGET...]" >&2
  exit 2
fi
seconds=$1
shift
bin=$root/build/fuzz/fuzz
findings=$root/build/fuzz/findings
targets=()
if [[ $# -eq 0 ]]; then
  for t in "$bin"/fuzz_*; do [[ -x $t ]] && targets+=("$(basename "$t")"); done
else
  for t in "$@"; do targets+=("fuzz_${t#fuzz_}"); done
fi
[[ ${#targets[@]} -gt 0 ]] || { echo "no fuzz targets in $bin: build the fuzz preset first" >&2; exit 2; }

# Undefined behaviour stops the run like a crash, with its input kept.
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}
status=0
for name in "${targets[@]}"; do
  target=$bin/$name
  corpus=$root/fuzz/corpus/${name#fuzz_}
  if [[ ! -x $target ]]; then
    echo "$name: not built"
    status=1
    continue
  fi
  maxlen=${FUZZ_MAX_LEN:-65536}
  if [[ -z ${FUZZ_MAX_LEN:-} && -d $corpus ]]; then
    largest=$(find "$corpus" -type f -printf '%s\n' | sort -n | tail -1)
    (( ${largest:-0} > maxlen )) && maxlen=$largest
  fi
  out=$findings/$name
  mkdir -p "$out"
  scratch=$(mktemp -d)
  stamp=$(mktemp)
  log=$out/run.log
  seeds=()
  [[ -d $corpus ]] && seeds=("$corpus")
  # -timeout: an input that takes longer counts as a hang; -rss_limit_mb: a
  # reader may hold a picture of 256 MiB, with the sanitizers' overhead.
  "$target" -max_total_time="$seconds" -timeout=25 -rss_limit_mb=2048 -max_len="$maxlen" \
      -artifact_prefix="$out/" -print_final_stats=1 "$scratch" "${seeds[@]}" > "$log" 2>&1
  code=$?
  runs=$(grep -oE 'stat::number_of_executed_units: *[0-9]+' "$log" | grep -oE '[0-9]+$' || true)
  found=$(find "$out" -maxdepth 1 -type f \( -name 'crash-*' -o -name 'leak-*' -o -name 'timeout-*' \
            -o -name 'oom-*' -o -name 'slow-unit-*' \) -newer "$stamp" | sort)
  if [[ $code -eq 0 && -z $found ]]; then
    echo "$name: ${runs:-?} runs in ${seconds} s, nothing found"
  else
    status=1
    reason=$(grep -m1 -oE 'ERROR: (libFuzzer|AddressSanitizer|LeakSanitizer|UndefinedBehaviorSanitizer)[^(]*' "$log" \
             || grep -m1 -E 'runtime error' "$log" || echo "exit status $code")
    echo "$name: FOUND after ${runs:-?} runs: $reason"
    for f in $found; do echo "   $f"; done
    echo "   log: $log"
  fi
  rm -rf "$scratch" "$stamp"
done
exit $status
