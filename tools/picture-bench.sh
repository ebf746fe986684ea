#!/usr/bin/env bash
# Benchmark (not a test): decodes a large picture of each format with the
# picture tool and with ImageMagick's convert, each writing a BMP, whole
# process against whole process, and prints both times, their ratio and
# whether the ratio meets the goal of at most half of convert's time.
#   tools/picture-bench.sh [RUNS]     (default 3 runs; the best one counts)
# Builds an optimised picture tool without sanitizers in build/bench.
# CONVERT names ImageMagick's convert (default /usr/bin/convert).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-3}
goal=0.50
convert=${CONVERT:-/usr/bin/convert}
if ! "$convert" -version 2>/dev/null | grep -q ImageMagick; then
  echo "$convert is not ImageMagick's convert (apt-get install imagemagick, or set CONVERT)" >&2
  exit 2
fi
cmake -S "$root" -B "$root/build/bench" -DCMAKE_BUILD_TYPE=Release -DBX_TESTS=OFF > /dev/null 2>&1
cmake --build "$root/build/bench" --target picture -j3 > /dev/null 2>&1
tool=$root/build/bench/tools/picture
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A 2000 x 1500 photograph-like picture.
"$convert" rose: -resize 2000x1500! -attenuate 0.3 +noise Gaussian "$work/big.ppm"
declare -A opts=([tga]="-compress RLE" [tif]="-compress LZW" [pcx]="" [gif]="" [sgi]="-compress RLE"
                 [ppm]="" [psd]="-compress RLE" [jpg]="-quality 90" [pcd]="")
best() {  # command...: the best wall time of $runs runs, in seconds
  local b=999999 s e t
  for ((i = 0; i < runs; i++)); do
    s=$(date +%s.%N); "$@" > /dev/null 2>&1; e=$(date +%s.%N)
    t=$(awk -v e="$e" -v s="$s" 'BEGIN { printf "%.6f", e - s }')
    if awk -v t="$t" -v b="$b" 'BEGIN { exit !(t < b) }'; then b=$t; fi
  done
  echo "$b"
}
printf "%-6s %10s %10s %8s  %s\n" format picture convert ratio "goal <= $goal"
for ext in tga tif pcx gif sgi ppm psd jpg pcd; do
  f=$work/big.$ext
  # shellcheck disable=SC2086
  "$convert" "$work/big.ppm" ${opts[$ext]} "$f"
  ours=$(best "$tool" "$f" "$work/ours.bmp")
  theirs=$(best "$convert" "$f" "$work/theirs.bmp")
  ratio=$(awk -v a="$ours" -v b="$theirs" 'BEGIN { printf "%.6f", a / b }')
  verdict=$(awk -v r="$ratio" -v g="$goal" 'BEGIN { exit !(r <= g) }' && echo met || echo "not met")
  printf "%-6s %9.3fs %9.3fs %8.2f  %s\n" "$ext" "$ours" "$theirs" "$ratio" "$verdict"
done
