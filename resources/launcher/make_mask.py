#!/usr/bin/env python3
# Writes the mask file of a 24-bit BMP: n, then the region data that Windows
# gives for the union of the one-pixel-high runs of non-white pixels (rows
# with the same runs merged into one band).
import struct, sys

def read_bmp24(path):
    b = open(path, 'rb').read()
    off, = struct.unpack_from('<I', b, 10)
    w, h, _, bpp = struct.unpack_from('<iiHH', b, 18)
    assert bpp == 24
    stride = (w * 3 + 3) & ~3
    rows = []
    for y in range(abs(h)):
        sy = abs(h) - 1 - y if h > 0 else y
        r = b[off + sy * stride: off + sy * stride + w * 3]
        rows.append([r[i*3:i*3+3] != b'\xff\xff\xff' for i in range(w)])
    return w, abs(h), rows

def runs(row):
    out, x = [], 0
    while x < len(row):
        if row[x]:
            s = x
            while x < len(row) and row[x]: x += 1
            out.append((s, x))
        else:
            x += 1
    return out

w, h, rows = read_bmp24(sys.argv[1])
bands = []  # [top, bottom, runs]
for y, row in enumerate(rows):
    r = runs(row)
    if not r: continue
    if bands and bands[-1][1] == y and bands[-1][2] == r:
        bands[-1][1] = y + 1
    else:
        bands.append([y, y + 1, r])
rects = [(x1, t, x2, b) for t, b, r in bands for x1, x2 in r]
if rects:
    box = (min(r[0] for r in rects), min(r[1] for r in rects), max(r[2] for r in rects), max(r[3] for r in rects))
else:
    box = (0, 0, 0, 0)
data = struct.pack('<IIII4i', 32, 1, len(rects), 16 * len(rects), *box)
for r in rects: data += struct.pack('<4i', *r)
open(sys.argv[2], 'wb').write(struct.pack('<I', len(data)) + data)
