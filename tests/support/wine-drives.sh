# Sourced by test scripts: drives of a private Wine prefix (made with
# bx_wine_prefix), laid out before the prefix's first Wine process starts.
#   bx_wine_drive PREFIX LETTER FOLDER    links drive LETTER: to FOLDER
#   bx_wine_drive_types PREFIX d:=cdrom n:=network ...
#                                         Wine's drive types (hd, cdrom,
#                                         network, floppy) in the prefix's
#                                         registry file
#   bx_drives_prefix NAME                 a fresh prefix ($prefix, named by
#                                         BX_TEST_NAME, else NAME) and an empty
#                                         folder for its drives ($drives)
#   bx_drives_run PROGRAM ARGS...         runs the test program in it on an X
#                                         display of its own; prefix and drive
#                                         folders go when it passed; its status
bx_wine_drive() {
  local p=$1 letter=${2,,} folder=$3
  mkdir -p "$folder"
  ln -sfn "$folder" "$p/dosdevices/$letter:"
}

bx_wine_drive_types() {
  local p=$1 pair
  shift
  {
    printf '\n[Software\\\\Wine\\\\Drives] %s\n' "$(date +%s)"
    for pair in "$@"; do
      printf '"%s"="%s"\n' "${pair%%=*}" "${pair#*=}"
    done
  } >> "$p/system.reg"
}

bx_drives_prefix() {
  prefix=$(bx_wine_prefix "${BX_TEST_NAME:-$1}")
  drives=$prefix-drives
  rm -rf "$drives"
}

bx_drives_run() {
  local status=0
  export WINEPREFIX=$prefix
  bx_test_display
  bx_wine "$@" || status=$?
  bx_wine_prefix_end "$prefix" "$status"
  [[ $status != 0 ]] || rm -rf "$drives"
  return "$status"
}
