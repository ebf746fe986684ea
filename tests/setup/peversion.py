#!/usr/bin/env python3
"""A Windows program's version resource, as Explorer's Details tab shows it:
  peversion.py FILE
prints "FileVersion=a.b.c.d", "ProductVersion=a.b.c.d" (the fixed numbers)
and one NAME=VALUE line per string of its StringFileInfo; nothing when the
file has no version resource.
  peversion.py --machine FILE
prints PE32 for a 32-bit program, PE32+ for a 64-bit one."""
import re
import struct
import sys

data = open(sys.argv[-1], "rb").read()
if sys.argv[1] == "--machine":
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    print("PE32" if struct.unpack_from("<H", data, pe + 24)[0] == 0x10B else "PE32+")
    sys.exit(0)
fixed = data.find(struct.pack("<I", 0xFEEF04BD))
if fixed < 0:
    sys.exit(0)
_, _, file_ms, file_ls, product_ms, product_ls = struct.unpack_from("<6I", data, fixed)


def dotted(ms, ls):
    return f"{ms >> 16}.{ms & 0xFFFF}.{ls >> 16}.{ls & 0xFFFF}"


print("FileVersion=" + dotted(file_ms, file_ls))
print("ProductVersion=" + dotted(product_ms, product_ls))
# Each String: length, value length (in characters), type 1, the key in
# UTF-16 with its zero, padding to four bytes, the value with its zero.
block = data[fixed:fixed + 4096]
for m in re.finditer(rb"(?:[\x20-\x7e]\x00)+\x00\x00", block):
    start = m.start()
    if start < 6 or start % 2:
        continue
    length, value_length, kind = struct.unpack_from("<3H", block, start - 6)
    if kind != 1 or value_length == 0 or length > 1024:
        continue
    key = m.group()[:-2].decode("utf-16-le")
    value_at = (fixed + m.end() + 3) // 4 * 4 - fixed
    value = block[value_at:value_at + 2 * value_length].decode("utf-16-le").rstrip("\x00")
    print(f"{key}={value}")
