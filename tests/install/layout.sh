#!/usr/bin/env bash
# Installs the build into a scratch folder ("cmake --install BUILD --prefix")
# and checks what a user gets: the programs, Games.ini with every game the
# launcher finds by name, Parameters.txt, and the logos that Games.ini names.
#   layout.sh BUILD_DIR [CMAKE]
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../support/launcher-env.sh"  # bx_ini
build=$1
cmake=${2:-cmake}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0
check() {  # check DESCRIPTION COMMAND...
  if "${@:2}"; then echo "ok: $1"; else echo "FAILED: $1"; failures=$((failures + 1)); fi
}
# has_key FILE SECTION KEY: the section holds the key, even with no value.
has_key() {
  awk -v s="$2" -v k="$3" 'BEGIN{IGNORECASE=1} {sub(/\r$/,"")}
    /^\[/ {cur=substr($0,2,length($0)-2); next}
    tolower(cur)==tolower(s) && tolower(substr($0,1,index($0,"=")-1))==tolower(k) {found=1; exit}
    END {exit !found}' "$1"
}
not_key() { ! has_key "$@"; }
# The size and bit count of a BMP: "WIDTHxHEIGHT BITS".
bmp_form() {
  python3 -c 'import struct,sys
d=open(sys.argv[1],"rb").read()
ok=d[:2]==b"BM" and len(d)>=54 and struct.unpack_from("<I",d,2)[0]==len(d)
w,h,planes,bits=struct.unpack_from("<iiHH",d,18)
print(f"{w}x{h} {bits}" if ok else "not a bmp")' "$1"
}

dest=$scratch/Brannox
"$cmake" --install "$build" --prefix "$dest" >"$scratch/install.log" 2>&1
check "cmake --install succeeds" [ $? = 0 ]
check "the launcher at the top" [ -s "$dest/Brannox2000.exe" ]
check "the skin editor in BXskineditor\\" [ -s "$dest/BXskineditor/bxskined.exe" ]
check "no debug files in a user's folder" [ -z "$(find "$dest" -name '*.debug')" ]
check "nothing but the delivered files" \
  [ "$(cd "$dest" && find . -maxdepth 1 ! -name . | LC_ALL=C sort | tr '\n' ' ')" = "./BXskineditor ./Brannox help.txt ./Brannox2000.exe ./Games.ini ./Logos ./Parameters.txt ./readme.txt " ]
check "no skins\\ folder: the launcher writes its package on the first run" [ ! -e "$dest/skins" ]
projects=$dest/BXskineditor/projects
check "the default skin's project below the editor" [ -s "$projects/Bx2k8.bxn" -a -s "$projects/Bx2k8.bxc" ]
check "the project is the one the built-in package is made from" \
  cmp -s "$projects/Bx2k8.bxn" "$build/resources/defaultskin/Bx2k8.bxn"
check "with its pictures" diff <(ls "$projects/Bx2k8 pictures") <(cd "$here/../../resources/defaultskin" && ls *.bmp)

games=$dest/Games.ini params=$dest/Parameters.txt
for text in "$games" "$params" "$dest/Brannox help.txt" "$dest/readme.txt"; do
  check "$(basename "$text") has Windows line ends" [ "$(grep -c $'\r$' "$text")" = "$(wc -l < "$text")" -a -s "$text" ]
done
keys=(quake "quake 2" "quake 3" half-life gunman hexen2 heretic2 sof eliteforce kingpin sin daikatana)
check "one section per game the launcher knows by name" \
  [ "$(grep -c '^\[' "$games")" = ${#keys[@]} ]
for key in "${keys[@]}"; do
  oletus=$(bx_ini "$games" "$key" Oletus)
  check "$key: Oletus holds %s" [ "${oletus/\%s/}" != "$oletus" ]
  check "$key: GameOletus" [ -n "$(bx_ini "$games" "$key" GameOletus)" ]
  check "$key: gamename" [ -n "$(bx_ini "$games" "$key" gamename)" ]
  check "$key: url" has_key "$games" "$key" url
  check "$key: no Sijainti (Find games writes it)" not_key "$games" "$key" Sijainti
  logo=$(bx_ini "$games" "$key" Kuvake)
  check "$key: Kuvake names a logo of Logos\\" [ -n "$logo" -a -f "$dest/Logos/$logo" ]
  check "$key: Parameters.txt starts with the default template" [ "$(bx_ini "$params" "$key" 0)" = "$oletus" ]
  # Numbered without gaps: the list ends at the first missing number.
  count=$(awk -v s="[$key]" '{sub(/\r$/,"")} /^\[/ {on = tolower($0) == s; next} on && /^[0-9]+=/' "$params" | wc -l)
  check "$key: parameters numbered from 0 without gaps" has_key "$params" "$key" $((count - 1))
done
check "every parameter choice is a template with %s" \
  [ -z "$(grep -E '^[0-9]+=' "$params" | grep -v '%s')" ]
for logo in "$dest"/Logos/*; do
  check "$(basename "$logo") is a 16 x 16 24-bit BMP" [ "$(bmp_form "$logo")" = "16x16 24" ]
done
check "Logos\\unknown.bmp for a missing logo" [ -f "$dest/Logos/unknown.bmp" ]

# The debug files are a component of their own.
"$cmake" --install "$build" --prefix "$dest" --component debug >/dev/null 2>&1
check "--component debug installs the debug files beside the programs" \
  [ -s "$dest/Brannox2000.exe.debug" -a -s "$dest/BXskineditor/bxskined.exe.debug" ]

echo "$failures failed"
exit $((failures > 0))
