#!/usr/bin/env bash
# Benchmark (not a test): the grid model loads, sorts and filters 100,000 rows
# of 8 columns of delimited text; Python's csv module and sorted() do the same
# work on the same file, and both sets of figures are printed. Then, when the
# win64 build is there, the grid window under Wine loads the same file, and
# copies a grid of about 50 MB to the clipboard (its extra memory printed).
#   tools/grid-bench.sh [ROWS]
# Builds an optimised bench_grid without sanitizers in build/bench.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
rows=${1:-100000}
cmake -S "$root" -B "$root/build/bench" -DCMAKE_BUILD_TYPE=Release -DBX_TESTS=OFF > /dev/null 2>&1
cmake --build "$root/build/bench" --target bench_grid -j3 > /dev/null 2>&1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
echo "== grid model"
"$root/build/bench/grid/bench_grid" "$work/rows.csv" "$rows"
echo "== Python $(python3 -c 'import sys; print(sys.version.split()[0])') csv and sorted()"
python3 - "$work/rows.csv" <<'PY'
import csv, fnmatch, sys, time
def ms(t): return (time.perf_counter() - t) * 1000
t = time.perf_counter()
with open(sys.argv[1], newline='') as f:
    rows = list(csv.reader(f))
print(f"load     {ms(t):9.1f} ms  ({len(rows) - 1} rows, {len(rows[0])} columns)")
head, body = rows[0], rows[1:]
t = time.perf_counter()
body = sorted(body, key=lambda r: float(r[2]))
print(f"sort num {ms(t):9.1f} ms")
t = time.perf_counter()
body = sorted(body, key=lambda r: r[1])
print(f"sort txt {ms(t):9.1f} ms")
t = time.perf_counter()
kept = [r for r in body if 250000 <= float(r[2]) < 750000 and fnmatch.fnmatchcase(r[1], '*a*')]
print(f"filter   {ms(t):9.1f} ms  ({len(kept)} rows pass)")
PY
win=$root/build/win64/bench/bench_grid_window.exe
if [[ -d $root/build/win64 ]] && cmake --build "$root/build/win64" --target bench_grid_window -j3 > /dev/null 2>&1; then
  echo "== grid window under Wine"
  BX_WINE_PRIVATE=grid-bench "$root/tests/support/wine-run.sh" "$win" "Z:$work/rows.csv" "Z:$work/big.csv" 2>/dev/null
fi
