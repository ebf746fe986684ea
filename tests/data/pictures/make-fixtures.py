#!/usr/bin/env python3
"""Makes the picture fixtures of the reader tests: most with ImageMagick's
convert, the rest (variants that convert does not write) by hand below. Each
fixture NAME.EXT gets NAME.rgb beside it: ImageMagick's own decoding of the
fixture as 8-bit RGB, which the tests compare with ours. Autodesk and RLA
pictures, which this ImageMagick does not read, get their RGB from the bytes
written here.
Run from anywhere; it rewrites the folder's fixtures."""
import os
import struct
import subprocess

HERE = os.path.dirname(os.path.abspath(__file__))
os.chdir(HERE)


def im(*args):
    subprocess.run(["convert", *args], check=True)


def reference(name):
    # convert keeps a Targa's rows in file order unless asked to turn them
    # the way the descriptor says; its own Targa files put the top row first
    # under a bottom-up descriptor, so they read upside down.
    orient = ["-auto-orient"] if name.endswith(".tga") else []
    # A PSD from convert carries its picture as a layer too: the merged image comes first.
    first = "[0]" if name.endswith(".psd") else ""
    im(name + first, *orient, "-depth", "8", "rgb:" + os.path.splitext(name)[0] + ".rgb")


def read(name):
    with open(name, "rb") as f:
        return f.read()


def write(name, data):
    with open(name, "wb") as f:
        f.write(data)


# A small photograph, odd-sized so rows need padding; a thresholded copy.
im("rose:", "-crop", "35x23+20+10", "+repage", "base.ppm")
W, H = 35, 23
im("base.ppm", "-depth", "8", "rgb:base.raw")
RGB = read("base.raw")

made = {
    # Targa
    "tga-raw24.tga": [], "tga-rle24.tga": ["-compress", "RLE"],
    "tga-raw8map.tga": ["-type", "Palette"], "tga-rle8map.tga": ["-type", "Palette", "-compress", "RLE"],
    "tga-grey.tga": ["-type", "Grayscale"], "tga-rlegrey.tga": ["-type", "Grayscale", "-compress", "RLE"],
    "tga-raw32.tga": ["-type", "TrueColorAlpha"], "tga-rle32.tga": ["-type", "TrueColorAlpha", "-compress", "RLE"],
    "tga-topdown.tga": ["-orient", "TopLeft"], "tga-rletopdown.tga": ["-orient", "TopLeft", "-compress", "RLE"],
    "tga-raw16.tga": ["-depth", "5"], "tga-rle16.tga": ["-depth", "5", "-compress", "RLE"],
    # TIFF
    "tiff-ii-none.tif": ["-endian", "LSB", "-compress", "none"],
    "tiff-mm-none.tif": ["-endian", "MSB", "-compress", "none"],
    "tiff-ii-lzw.tif": ["-endian", "LSB", "-compress", "LZW"],
    "tiff-mm-lzw.tif": ["-endian", "MSB", "-compress", "LZW"],
    "tiff-packbits.tif": ["-compress", "RLE"],
    "tiff-predictor.tif": ["-compress", "LZW", "-define", "tiff:predictor=2"],
    "tiff-strips.tif": ["-compress", "LZW", "-define", "tiff:rows-per-strip=4"],
    "tiff-ii-16.tif": ["-endian", "LSB", "-depth", "16", "-compress", "none"],
    "tiff-mm-16.tif": ["-endian", "MSB", "-depth", "16", "-compress", "LZW"],
    "tiff-palette.tif": ["-type", "Palette", "-compress", "LZW"],
    "tiff-palette16.tif": ["-colors", "16", "-type", "Palette", "-compress", "none"],
    "tiff-grey.tif": ["-type", "Grayscale", "-compress", "RLE"],
    "tiff-grey16.tif": ["-type", "Grayscale", "-depth", "16", "-endian", "MSB"],
    "tiff-bilevel.tif": ["-threshold", "50%", "-type", "Bilevel", "-depth", "1", "-compress", "none"],
    "tiff-rgba.tif": ["-type", "TrueColorAlpha", "-compress", "LZW"],
    # GIF
    "gif-plain.gif": [], "gif-interlaced.gif": ["-interlace", "GIF"],
    "gif-control.gif": ["-delay", "10", "-loop", "0", "-comment", "made for the reader tests"],
    "gif-grey.gif": ["-type", "Grayscale", "-interlace", "GIF"],
    # PCX
    "pcx-palette.pcx": ["-type", "Palette"], "pcx-24.pcx": [],
    # SGI
    "sgi-raw3.sgi": ["-compress", "none"], "sgi-rle3.sgi": ["-compress", "RLE"],
    "sgi-raw1.sgi": ["-type", "Grayscale", "-compress", "none"], "sgi-rle1.sgi": ["-type", "Grayscale", "-compress", "RLE"],
    "sgi-rle4.sgi": ["-type", "TrueColorAlpha", "-compress", "RLE"], "sgi-raw4.sgi": ["-type", "TrueColorAlpha", "-compress", "none"],
    "sgi-raw16.sgi": ["-depth", "16", "-compress", "none"], "sgi-rle16.sgi": ["-depth", "16", "-compress", "RLE"],
    # PPM family, with comments
    "pnm-p1.pbm": ["-threshold", "50%", "-compress", "none"], "pnm-p4.pbm": ["-threshold", "50%"],
    "pnm-p2.pgm": ["-type", "Grayscale", "-compress", "none"], "pnm-p5.pgm": ["-type", "Grayscale"],
    "pnm-p3.ppm": ["-compress", "none"], "pnm-p6.ppm": [],
    "pnm-p6-16.ppm": ["-depth", "16"], "pnm-p5-max1000.pgm": ["-type", "Grayscale", "-depth", "10", "-compress", "none"],
    # Photoshop
    "psd-rgb-raw.psd": ["-compress", "none"], "psd-rgb-rle.psd": ["-compress", "RLE"],
    "psd-grey-raw.psd": ["-type", "Grayscale", "-compress", "none"], "psd-grey-rle.psd": ["-type", "Grayscale", "-compress", "RLE"],
    "psd-palette.psd": ["-type", "Palette", "-compress", "RLE"], "psd-rgb16.psd": ["-depth", "16", "-compress", "RLE"],
    # JPEG
    "jpeg-colour.jpg": ["-quality", "85"], "jpeg-grey.jpg": ["-type", "Grayscale"],
    "jpeg-progressive.jpg": ["-interlace", "JPEG"],
}
for name, opts in made.items():
    extra = ["-set", "comment", "made for the reader tests"] if name.startswith("pnm") else []
    im("base.ppm", *extra, *opts, name)
    if name == "psd-palette.psd":
        # convert does not read back the indexed PSD it writes: the reference
        # is the same reduction of the picture, decoded before it is written.
        im("base.ppm", *opts, "-depth", "8", "rgb:psd-palette.rgb")
    else:
        reference(name)

# Photo-CD: ImageMagick scales the picture to the 768 x 512 base image.
im("-size", "96x64", "gradient:#c03020-#2060e0", "-sample", "768x512", "pcd-base.pcd")
reference("pcd-base.pcd")

# --- by hand

def threshold():
    return [[1 if RGB[3 * (y * W + x)] + RGB[3 * (y * W + x) + 1] > 255 else 0 for x in range(W)] for y in range(H)]


def grey():
    return [[(RGB[3 * (y * W + x)] * 3 + RGB[3 * (y * W + x) + 1] * 6 + RGB[3 * (y * W + x) + 2]) // 10
             for x in range(W)] for y in range(H)]


def pcx_rle(data):
    out = bytearray()
    i = 0
    while i < len(data):
        n = 1
        while i + n < len(data) and data[i + n] == data[i] and n < 63:
            n += 1
        if n > 1 or data[i] >= 0xC0:
            out += bytes([0xC0 | n, data[i]])
        else:
            out.append(data[i])
        i += n
    return bytes(out)


def pcx(name, planes_of_row, planes, palette16):
    bpl = ((W + 15) // 16) * 2
    head = struct.pack("<BBBBHHHHHH", 10, 5, 1, 1, 0, 0, W - 1, H - 1, 72, 72)
    head += bytes(sum(palette16, ())) + bytes([0, planes]) + struct.pack("<HH", bpl, 1)
    head += bytes(128 - len(head))
    body = bytearray()
    for y in range(H):
        for plane in planes_of_row(y):
            row = bytearray(bpl)
            for x, bit in enumerate(plane):
                if bit:
                    row[x // 8] |= 0x80 >> (x % 8)
            body += row
    write(name, head + pcx_rle(bytes(body)))
    if planes == 1:
        # convert shows a set bit of a 1-bit PCX as black, whatever the
        # header's palette says; the reference keeps 0 black and 1 white.
        write("pcx-mono.rgb", b"".join(bytes([255 * b] * 3) for row in bits for b in row))
    else:
        reference(name)


bits = threshold()
pcx("pcx-mono.pcx", lambda y: [bits[y]], 1, [(0, 0, 0), (255, 255, 255)] + [(0, 0, 0)] * 14)
ega = [(0, 0, 0), (0, 0, 170), (0, 170, 0), (0, 170, 170), (170, 0, 0), (170, 0, 170), (170, 85, 0), (170, 170, 170),
       (85, 85, 85), (85, 85, 255), (85, 255, 85), (85, 255, 255), (255, 85, 85), (255, 85, 255), (255, 255, 85),
       (255, 255, 255)]
g = grey()
nib = [[(v * 16) // 256 for v in row] for row in g]
pcx("pcx-planes4.pcx", lambda y: [[(v >> p) & 1 for v in nib[y]] for p in range(4)], 4, ega)

# Targa variants: a grey picture carrying a colour map, 15-bit pixels, and
# run-length packets that run across row ends.
grey_bytes = bytes(v for row in g for v in row)
# convert would index the map with the grey levels: the reference is its
# decoding of the same picture without the map.
head = struct.pack("<BBBHHBHHHHBB", 0, 0, 3, 0, 0, 0, 0, 0, W, H, 8, 0)
write("tga-greymap.tga", head + grey_bytes)
reference("tga-greymap.tga")
head = struct.pack("<BBBHHBHHHHBB", 0, 1, 3, 0, 4, 24, 0, 0, W, H, 8, 0)
write("tga-greymap.tga", head + bytes([9, 9, 9, 200, 0, 0, 0, 200, 0, 0, 0, 200]) + grey_bytes)
t16 = bytearray(read("tga-raw16.tga"))
t16[16] = 15
write("tga-raw15.tga", bytes(t16))
reference("tga-raw15.tga")


def tga_rle_stream(pixels, bpp):
    out = bytearray()
    n = len(pixels) // bpp
    px = [pixels[i * bpp:(i + 1) * bpp] for i in range(n)]
    i = 0
    while i < n:
        run = 1
        while i + run < n and px[i + run] == px[i] and run < 128:
            run += 1
        if run > 1:
            out += bytes([0x80 | (run - 1)]) + px[i]
            i += run
        else:
            lit = 1
            while i + lit < n and lit < 128 and (i + lit + 1 >= n or px[i + lit] != px[i + lit + 1]):
                lit += 1
            out += bytes([lit - 1]) + b"".join(px[i:i + lit])
            i += lit
    return bytes(out)


# Bottom-up rows of a posterised copy, packed as one stream across rows.
post = [[tuple((c // 64) * 85 for c in RGB[3 * (y * W + x):3 * (y * W + x) + 3]) for x in range(W)] for y in range(H)]
bgr = b"".join(bytes((p[2], p[1], p[0])) for y in reversed(range(H)) for p in post[y])
head = struct.pack("<BBBHHBHHHHBB", 0, 0, 10, 0, 0, 0, 0, 0, W, H, 24, 0)
write("tga-crossrows.tga", head + tga_rle_stream(bgr, 3))
reference("tga-crossrows.tga")

# GIF whose colour table is the image's own (local) rather than the screen's.
gif = bytearray(read("gif-plain.gif"))
flags = gif[10]
size = 3 * (2 << (flags & 7))
table = gif[13:13 + size]
rest = gif[13 + size:]
pos = rest.index(b",")  # the image descriptor follows the extensions
desc = rest[pos:pos + 10]
desc[9] = 0x80 | (flags & 7)
write("gif-local.gif", bytes(gif[:10]) + bytes([flags & 0x70]) + bytes(gif[11:13]) + bytes(rest[:pos]) + bytes(desc)
      + bytes(table) + bytes(rest[pos + 10:]))
reference("gif-local.gif")

# Dr. Halo CUT with its palette file: 200 entries that cross the first block.
idx = [[min(v * 200 // 256, 199) for v in row] for row in g]
cut = bytearray(struct.pack("<HHH", W, H, 0))
for row in idx:
    packets = bytearray()
    x = 0
    while x < W:
        run = 1
        while x + run < W and row[x + run] == row[x] and run < 127:
            run += 1
        if run > 2:
            packets += bytes([0x80 | run, row[x]])
            x += run
        else:
            lit = min(W - x, 3)
            packets += bytes([lit]) + bytes(row[x:x + lit])
            x += lit
    packets.append(0)
    cut += struct.pack("<H", len(packets)) + packets
write("cut-halo.cut", bytes(cut))
pal = bytearray(b"AH" + struct.pack("<HHBBHHHHHH", 0, 0, ord("P"), 0, 0, 0, 200, 255, 255, 255))
pal += bytes(40 - len(pal))
for i in range(200):
    if len(pal) % 512 + 6 > 512:
        pal += bytes(512 - len(pal) % 512)
    pal += struct.pack("<HHH", i, 255 - i, (i * 7) % 256)
pal += bytes((512 - len(pal) % 512) % 512)
write("cut-halo.pal", bytes(pal))
reference("cut-halo.cut")

# Wavefront RLA: red, green, blue and a matte per row, bottom row first.
def rla_rle(data):
    out = bytearray()
    i = 0
    while i < len(data):
        run = 1
        while i + run < len(data) and data[i + run] == data[i] and run < 128:
            run += 1
        if run > 1:
            out += bytes([run - 1, data[i]])
            i += run
        else:
            lit = 1
            while i + lit < len(data) and lit < 127 and data[i + lit] != data[i + lit - 1]:
                lit += 1
            out += bytes([256 - lit]) + data[i:i + lit]
            i += lit
    return bytes(out)


head = bytearray(740)
struct.pack_into(">hhhh", head, 0, 0, W - 1, 0, H - 1)
struct.pack_into(">hhhh", head, 8, 0, W - 1, 0, H - 1)
struct.pack_into(">hhhhh", head, 16, 1, 0, 3, 1, 0)
struct.pack_into(">h", head, 658, 8)
struct.pack_into(">h", head, 662, 8)
rows = []
for y in reversed(range(H)):
    rec = bytearray()
    for c in range(4):
        chan = bytes(RGB[3 * (y * W + x) + c] if c < 3 else 255 for x in range(W))
        packed = rla_rle(chan)
        rec += struct.pack(">H", len(packed)) + packed
    rows.append(bytes(rec))
offsets, at = [], 740 + 4 * H
for r in rows:
    offsets.append(at)
    at += len(r)
write("rla-rgba.rla", bytes(head) + b"".join(struct.pack(">I", o) for o in offsets) + b"".join(rows))
# This convert refuses the file ("corrupt image") though it follows the
# format: the reference is the picture the rows were made from.
write("rla-rgba.rgb", RGB)

# Autodesk CEL: 6-bit palette, pixels top row first.
palette = [((i * 5) % 64, (i * 3) % 64, 63 - i % 64) for i in range(256)]
cel = struct.pack("<HHHHHBBI", 0x9119, W, H, 0, 0, 8, 0, W * H) + bytes(16)
cel += b"".join(bytes(p) for p in palette)
pix = bytes(v for row in g for v in row)
write("autodesk.cel", cel + pix)
write("autodesk.rgb", b"".join(bytes(c * 4 for c in palette[v]) for v in pix))

for f in ("base.ppm", "base.raw"):
    os.remove(f)
