#!/usr/bin/env bash
# Installs what the builds and tests need, only what is missing:
# Debian packages (ImageMagick's convert and import for the end-to-end
# tests, zlib for the cabinet writer, NSIS for the installer, cabextract
# to check the built skin package, unshare and mount for the small full
# drive of the end-to-end tests), a static libjpeg (6b interface) for
# each MinGW target, built from Debian's libjpeg-turbo source package into
# .deps/, and the 32-bit Wine that runs the 32-bit programs
# (scripts/setup-i386.sh).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
deps=$root/.deps

packages=(
  cmake make g++ clang libclang-rt-14-dev python3
  mingw-w64 g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
  wine wine64 xvfb xauth
  googletest libgtest-dev libjpeg62-turbo-dev
  dpkg-dev
  imagemagick
  zlib1g-dev libz-mingw-w64-dev nsis cabextract
  util-linux mount
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# libjpeg for MinGW ---------------------------------------------------------
build_libjpeg() {  # triple prefix-name toolchain-file
  local triple=$1 name=$2 toolchain=$3
  local prefix=$deps/$name
  [[ -f $prefix/lib/libjpeg.a && -f $prefix/include/jpeglib.h ]] && return 0
  local src
  src=$(ls -d "$deps"/src/libjpeg-turbo-*/ 2>/dev/null | head -n1 || true)
  if [[ -z $src ]]; then
    echo "setup: fetching Debian's libjpeg-turbo source package"
    local apt=$deps/apt
    mkdir -p "$apt/lists/partial" "$deps/src"
    python3 "$root/scripts/apt-private-sources.py" > "$apt/sources.list"
    local opts=(-o "Dir::Etc::sourcelist=$apt/sources.list" -o "Dir::Etc::sourceparts=-"
                -o "Dir::State::Lists=$apt/lists" -o "APT::Sandbox::User=root")
    apt-get "${opts[@]}" update -q
    (cd "$deps/src" && apt-get "${opts[@]}" source -q libjpeg-turbo)
    src=$(ls -d "$deps"/src/libjpeg-turbo-*/ | head -n1)
  fi
  echo "setup: building libjpeg for $triple"
  local b=$deps/build-$name
  rm -rf "$b"
  cmake -S "$src" -B "$b" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DENABLE_SHARED=OFF -DENABLE_STATIC=ON \
    -DWITH_JPEG7=OFF -DWITH_JPEG8=OFF -DWITH_SIMD=OFF -DWITH_TURBOJPEG=OFF \
    -DWITH_JAVA=OFF -DREQUIRE_SIMD=OFF > "$b.log" 2>&1 || { cat "$b.log"; exit 1; }
  cmake --build "$b" -j"$(nproc)" --target jpeg-static >> "$b.log" 2>&1 || { tail -50 "$b.log"; exit 1; }
  mkdir -p "$prefix/lib" "$prefix/include"
  cp "$b/libjpeg.a" "$prefix/lib/"
  cp "$b/jconfig.h" "$src/jpeglib.h" "$src/jmorecfg.h" "$src/jerror.h" "$prefix/include/"
}
build_libjpeg x86_64-w64-mingw32 libjpeg-win64 "$root/cmake/mingw-w64-x86_64.cmake"
build_libjpeg i686-w64-mingw32 libjpeg-win32 "$root/cmake/mingw-w64-i686.cmake"

# The 32-bit Wine -------------------------------------------------------------
"$root/scripts/setup-i386.sh"
