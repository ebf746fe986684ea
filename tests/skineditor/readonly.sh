#!/usr/bin/env bash
# Runs the compiler's read-only-folder case: an old package in a host folder
# that nothing may write into (immutable), handed to the test as BX_RO_FOLDER.
# Exit status 77 (skipped) where the folder cannot be made so.
set -euo pipefail
exe=$1 dir=$2
rm -rf "$dir"
mkdir -p "$dir"
printf 'old package' > "$dir/slate.bxs"
if ! chattr +i "$dir" 2>/dev/null; then
  echo "cannot make a read-only folder here"
  rm -rf "$dir"
  exit 77
fi
trap 'chattr -i "$dir"; rm -rf "$dir"' EXIT
BX_RO_FOLDER="Z:$dir" "$(dirname "$0")/../support/wine-run.sh" "$exe" --gtest_filter=ReadOnlyFolder.*
