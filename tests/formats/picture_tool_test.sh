#!/usr/bin/env bash
# The picture tool converts a user's picture of each common format to a BMP
# that the bitmap reader reads, keeps the source's format with --keep, and
# reports a broken file with the reader's message and exit status 1.
#   picture_tool_test.sh PICTURE-PROGRAM DATA-FOLDER
set -uo pipefail
tool=$1 data=$2/pictures
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
status=0
check() { if ! eval "$2"; then echo "FAILED: $1"; status=1; fi; }

for f in tga-rle24.tga pcx-palette.pcx gif-interlaced.gif tiff-mm-lzw.tif sgi-rle3.sgi pnm-p6.ppm \
         psd-rgb-rle.psd jpeg-colour.jpg; do
  "$tool" "$data/$f" "$out/$f.bmp" > "$out/log" 2>&1
  check "$f converts" '[[ $? -eq 0 ]]'
  # "BM", then the 40-byte header's 24 bits per pixel at offset 28.
  check "$f is a 24-bit BMP" '[[ $(head -c 2 "$out/$f.bmp") == BM && $(od -An -tu2 -j28 -N2 "$out/$f.bmp" | tr -d " ") == 24 ]]'
  check "$f names its size" 'grep -q "35x23" "$out/log"'
done
"$tool" "$data/tga-raw8map.tga" "$out/keep.bmp" --keep > /dev/null
check "--keep writes 8 bits" '[[ $(od -An -tu2 -j28 -N2 "$out/keep.bmp" | tr -d " ") == 8 ]]'

head -c 300 "$data/tiff-ii-none.tif" > "$out/cut.tif"
"$tool" "$out/cut.tif" "$out/cut.bmp" > "$out/log" 2>&1
code=$?
check "a truncated TIFF fails" '[[ $code -eq 1 ]]'
check "with the reader's message" 'grep -q "Invalid TIFF file." "$out/log"'
check "and writes no file" '[[ ! -e $out/cut.bmp ]]'
"$tool" "$data/tga-rle24.tga" > /dev/null 2>&1
check "a missing argument is a usage error" '[[ $? -eq 2 ]]'
exit $status
