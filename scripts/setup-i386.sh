#!/usr/bin/env bash
# Makes this machine run the 32-bit programs under Wine: Debian's 32-bit Wine
# (wine32, beside the wine64 that runs the 64-bit ones) and, where the machine
# runs no i386 program itself (a kernel or hypervisor without 32-bit support),
# qemu-user's i386 emulator registered for i386 programs through binfmt_misc.
# Debian 12's qemu-i386 (7.2) takes some 50 s to start each 32-bit Wine
# process (it ignores MAP_FIXED_NOREPLACE, so Wine's reservation of the
# address space retries thousands of times); trixie's starts one in about a
# second. Its static binary is taken from the package, through a private apt
# configuration, into .deps/qemu/; nothing is installed from trixie.
# Called by scripts/setup.sh; needs root, as the rest of the set-up does.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
deps=$root/.deps
wine32=/usr/lib/wine/wine
entry=/proc/sys/fs/binfmt_misc/bx-i386

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
  apt-get update -q >/dev/null
fi
if ! dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q 'install ok installed'; then
  echo "setup: installing wine32:i386"
  DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends wine32:i386 >/dev/null
fi

# An i386 program runs here already (natively, or through our registration).
if "$wine32" --version >/dev/null 2>&1; then exit 0; fi

qemu=$deps/qemu/qemu-i386
if [[ ! -x $qemu ]]; then
  echo "setup: fetching trixie's qemu-i386"
  work=$deps/qemu/apt
  rm -rf "$work"
  mkdir -p "$work/lists/partial" "$work/debs"
  mirror=$(python3 "$root/scripts/apt-private-sources.py" |
           awk '$0 !~ /security/ { for (i = 2; i <= NF; i++) if ($i ~ /^http/) { print $i; exit } }')
  echo "deb [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] ${mirror:-http://deb.debian.org/debian} trixie main" \
    > "$work/sources.list"
  opts=(-o "Dir::Etc::sourcelist=$work/sources.list" -o "Dir::Etc::sourceparts=-"
        -o "Dir::State::Lists=$work/lists" -o "Dir::Cache::pkgcache=" -o "Dir::Cache::srcpkgcache="
        -o "APT::Sandbox::User=root" -o "APT::Architecture=amd64")
  apt-get "${opts[@]}" update -q >/dev/null
  (cd "$work/debs" && apt-get "${opts[@]}" download -q qemu-user >/dev/null)
  dpkg-deb --fsys-tarfile "$work"/debs/qemu-user_*.deb | tar -xO ./usr/bin/qemu-i386 > "$qemu.new"
  chmod +x "$qemu.new"
  mv "$qemu.new" "$qemu"
  rm -rf "$work"
fi

[[ -e /proc/sys/fs/binfmt_misc/register ]] || mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc
[[ -e $entry ]] && echo -1 > "$entry"
# ELF, 32-bit, little-endian, an executable or a shared object, for the i386;
# F: the kernel keeps the emulator open, so it runs in any mount namespace.
echo ":bx-i386:M::\\x7fELF\\x01\\x01\\x01\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x02\\x00\\x03\\x00:\\xff\\xff\\xff\\xff\\xff\\xfe\\xfe\\x00\\xff\\xff\\xff\\xff\\xff\\xff\\xff\\xff\\xfe\\xff\\xff\\xff:$qemu:F" \
  > /proc/sys/fs/binfmt_misc/register
if ! "$wine32" --version >/dev/null 2>&1; then
  echo "setup: the 32-bit Wine does not run, even through $qemu" >&2
  exit 1
fi
echo "setup: 32-bit programs run through $qemu"
