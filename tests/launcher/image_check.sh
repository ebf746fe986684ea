#!/usr/bin/env bash
# image_check.sh OBJDUMP PROGRAM.exe: the program imports at start-up only
# what a first window needs (the other system libraries are delay-loaded),
# its debug information lies beside it in PROGRAM.exe.debug, and its sections
# lie at page boundaries in the file (Wine maps such an image instead of
# copying it).
set -uo pipefail
objdump=$1 exe=$2
status=0
imports=$("$objdump" -p "$exe" | sed -n 's/.*DLL Name: //p' | tr 'A-Z' 'a-z' | sort)
echo "imports:" $imports
extra=$(grep -vxE 'advapi32\.dll|gdi32\.dll|kernel32\.dll|msvcrt\.dll|user32\.dll' <<<"$imports")
if [[ -n $extra ]]; then echo "FAILED: loaded at start-up:" $extra; status=1; fi
if "$objdump" -h "$exe" | grep -q '\.debug_info'; then echo "FAILED: debug sections inside"; status=1; fi
if [[ ! -s $exe.debug ]]; then echo "FAILED: no $exe.debug"; status=1; fi
alignment=$("$objdump" -p "$exe" | awk '$1 == "FileAlignment" {print $2}')
if [[ $((16#${alignment:-0})) -ne 4096 ]]; then echo "FAILED: file alignment ${alignment:-none}, not 1000"; status=1; fi
exit $status
