#!/usr/bin/env bash
# Builds the Wine that runs the 32-bit programs (and the 64-bit ones): Wine 10
# from Debian trixie's source package, in its WoW64 mode (32-bit Windows code
# inside a 64-bit process, so the kernel never sees an i386 program). Debian 12
# ships no such Wine, and its own Wine cannot start 32-bit programs here.
#
# The result is kept outside the checkout, in a folder named for the Wine
# version and a hash of what decides the result (the version, the configure
# options, the files added after the build), so a machine builds it once:
#   $BX_WINE_CACHE (default /var/cache/brannox-wine)/wine-<version>-<hash>
# Change "recipe" below with anything else that changes what is installed.
# With --prefix the script prints that folder and builds nothing.
#
# Nothing is installed from trixie: the source package and the data packages
# that generate the files Debian's repack strips (Unicode tables, the OpenGL
# and Vulkan registries, the fonts) are downloaded through a private apt
# configuration and unpacked into the build folder.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
version=10.0~repack-6
suite=trixie
cache=${BX_WINE_CACHE:-/var/cache/brannox-wine}
# Only what the programs and the tests need: no sound, 3D, printing,
# scanners, cameras, networks beyond the basics, or media.
without=(alsa pulse oss gstreamer vulkan opengl osmesa sane cups capi gphoto v4l2 pcap pcsclite
         sdl usb udev netapi krb5 gssapi wayland dbus opencl ffmpeg)
configure_options=(--enable-archs=i386,x86_64 --with-mingw --disable-tests "${without[@]/#/--without-}"
                   ZLIB_PE_LIBS=z "CFLAGS=-O2 -g0" "CROSSCFLAGS=-O2 -g0")
recipe="$version ${configure_options[*]} +fonts-wine +zlib1.dll"
prefix=$cache/wine-${version%%~*}-$(sha256sum <<<"$recipe" | cut -c1-12)

if [[ ${1:-} == --prefix ]]; then echo "$prefix"; exit 0; fi
if [[ -x $prefix/bin/wine && -f $prefix/.complete ]]; then exit 0; fi

packages=(
  gcc make flex bison autoconf pkgconf perl libxml-libxml-perl gettext
  icoutils librsvg2-bin dpkg-dev xz-utils autotools-dev
  libx11-dev libxext-dev libxrender-dev libxrandr-dev libxi-dev libxcursor-dev
  libxinerama-dev libxxf86vm-dev libxcomposite-dev libxfixes-dev libxkbfile-dev
  libfreetype-dev libfontconfig-dev libunwind-dev libgnutls28-dev
  gcc-mingw-w64-i686 gcc-mingw-w64-x86-64 libz-mingw-w64-dev zlib1g-dev
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "wine: installing ${missing[*]}"
  apt-get update -q >/dev/null
  DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}" >/dev/null
fi

work=$prefix.build
rm -rf "$work"
mkdir -p "$work/apt/lists/partial" "$work/debs" "$work/data"
start=$SECONDS

# Trixie's sources and data packages through an apt configuration of our own.
keyring=/usr/share/keyrings/debian-archive-keyring.gpg
mirror=$(python3 "$root/scripts/apt-private-sources.py" | awk '$0 !~ /security/ { for (i = 2; i <= NF; i++) if ($i ~ /^http/) { print $i; exit } }')
mirror=${mirror:-http://deb.debian.org/debian}
cat > "$work/apt/sources.list" <<EOF
deb [signed-by=$keyring] $mirror $suite main
deb-src [signed-by=$keyring] $mirror $suite main
EOF
apt_opts=(-o "Dir::Etc::sourcelist=$work/apt/sources.list" -o "Dir::Etc::sourceparts=-"
          -o "Dir::State::Lists=$work/apt/lists" -o "Dir::Cache::pkgcache=" -o "Dir::Cache::srcpkgcache="
          -o "APT::Sandbox::User=root" -o "APT::Architecture=amd64")
apt-get "${apt_opts[@]}" update -q >/dev/null
(cd "$work" && apt-get "${apt_opts[@]}" source -q --download-only "wine=$version" >/dev/null)
(cd "$work/debs" && apt-get "${apt_opts[@]}" download -q unicode-data unicode-idna unicode-cldr-core \
   khronos-api libvulkan-dev "fonts-wine=$version" >/dev/null)
for deb in "$work"/debs/*.deb; do dpkg-deb -x "$deb" "$work/data"; done
(cd "$work" && dpkg-source -x --no-check wine_*.dsc src >/dev/null)
src=$work/src
data=$work/data/usr/share

# The generators read their data from /usr/share: point them at ours.
cd "$src"
sed -i "s|/usr/share/doc/unicode-data|$data/doc/unicode-data|; s|\"/usr/share/unicode|\"$data/unicode|" tools/make_unicode
sed -i "s|/usr/share/khronos-api|$data/khronos-api|" dlls/opengl32/make_opengl
{
  ./tools/make_unicode &&
  ./tools/make_requests &&
  ./tools/make_specfiles &&
  (cd dlls/dsound && ./make_fir) &&
  (cd dlls/opengl32 && ./make_opengl) &&
  (cd dlls/winevulkan && ./make_vulkan -x "$data/vulkan/registry/vk.xml" -X "$data/vulkan/registry/video.xml") &&
  ln -sf /usr/share/misc/config.sub /usr/share/misc/config.guess tools/ &&
  # Icons that the package's rules link from others' pictures.
  grep -E '^\s+ln -sf \.\./\.\./[^ ]+\.svg [^ ]+$' debian/rules | sh -e &&
  rm -rf libs/zlib &&
  autoconf &&
  autoheader
} > "$work/generate.log" 2>&1 || { tail -40 "$work/generate.log"; exit 1; }
echo "wine: sources ready after $((SECONDS - start)) s"

./configure --prefix="$prefix" "${configure_options[@]}" > "$work/configure.log" 2>&1 ||
  { tail -40 "$work/configure.log"; exit 1; }
# The headers first, as the package's rules do: some modules' objects do not
# wait for the headers generated from IDL files, and would take MinGW's.
make -j"$(nproc)" -C include > "$work/make.log" 2>&1 || { tail -40 "$work/make.log"; exit 1; }
make -j"$(nproc)" >> "$work/make.log" 2>&1 || { tail -40 "$work/make.log"; exit 1; }
echo "wine: built after $((SECONDS - start)) s"

# Installed into a staging folder first, moved into place only once whole.
make install DESTDIR="$work/dest" > "$work/install.log" 2>&1 || { tail -40 "$work/install.log"; exit 1; }
rm -rf "$prefix.new"
mv "$work/dest$prefix" "$prefix.new"
mkdir -p "$prefix.new/share/wine/fonts"
cp -n "$data"/wine/fonts/* "$prefix.new/share/wine/fonts/"
# MinGW's zlib, stamped as a Wine builtin, as Debian's package does: user32
# and others import it.
for arch in i686:i386 x86_64:x86_64; do
  in=/usr/${arch%%:*}-w64-mingw32/lib/zlib1.dll
  out=$prefix.new/lib/wine/${arch##*:}-windows/zlib1.dll
  { head -c 64 "$in"; printf 'Wine builtin DLL'; head -c 16 /dev/zero; tail -c +97 "$in"; } > "$out"
done
rm -rf "$prefix"
mv "$prefix.new" "$prefix"
touch "$prefix/.complete"
rm -rf "$work"
echo "wine: installed in $prefix after $((SECONDS - start)) s"
