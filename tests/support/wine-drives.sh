# Sourced by test scripts: drives of a private Wine prefix (made with
# bx_wine_prefix), laid out before the prefix's first Wine process starts.
#   bx_wine_drive PREFIX LETTER FOLDER    links drive LETTER: to FOLDER
#   bx_wine_drive_types PREFIX d:=cdrom n:=network ...
#                                         Wine's drive types (hd, cdrom,
#                                         network, floppy) in the prefix's
#                                         registry file
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
