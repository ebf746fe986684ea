#!/usr/bin/env python3
# Writes the two built-in cursor sets: 32 x 32 cursors with an alpha channel,
# an arrow with a badge that tells the button. Set 1 amber, set 2 ice blue.
import struct

SLOTS = ['', '_About', '_down', '_Exit', '_Modify', '_new', '_remove', '_Settings', '_up']
SETS = {'Cur': ((0xe3, 0xa9, 0x3a), (0x40, 0x2a, 0x05)), 'Cur2': ((0x8c, 0xd0, 0xf5), (0x10, 0x30, 0x50))}

ARROW = [
    "X",
    "XX",
    "X.X",
    "X..X",
    "X...X",
    "X....X",
    "X.....X",
    "X......X",
    "X.......X",
    "X........X",
    "X.....XXXXX",
    "X..X..X",
    "X.X X..X",
    "XX  X..X",
    "X    X..X",
    "     X..X",
    "      XX",
]

# 7 x 7 badges drawn at (20, 20).
BADGES = {
    '': None,
    '_About': ["..XXX..", "..XXX..", ".......", ".XXXX..", "..XXX..", "..XXX..", ".XXXXX."],
    '_down': ["..XXX..", "..XXX..", "..XXX..", "XXXXXXX", ".XXXXX.", "..XXX..", "...X..."],
    '_Exit': ["XX...XX", "XXX.XXX", ".XXXXX.", "..XXX..", ".XXXXX.", "XXX.XXX", "XX...XX"],
    '_Modify': [".....XX", "....XXX", "...XXX.", "..XXX..", ".XXX...", "XXX....", "XX....."],
    '_new': ["..XXX..", "..XXX..", "XXXXXXX", "XXXXXXX", "XXXXXXX", "..XXX..", "..XXX.."],
    '_remove': [".......", ".......", "XXXXXXX", "XXXXXXX", "XXXXXXX", ".......", "......."],
    '_Settings': [".X.X.X.", "XXXXXXX", ".XX.XX.", "XX...XX", ".XX.XX.", "XXXXXXX", ".X.X.X."],
    '_up': ["...X...", "..XXX..", ".XXXXX.", "XXXXXXX", "..XXX..", "..XXX..", "..XXX.."],
}

def cursor(fill, dark, badge):
    px = [[(0, 0, 0, 0)] * 32 for _ in range(32)]
    for y, row in enumerate(ARROW):
        for x, c in enumerate(row):
            if c == 'X': px[y][x] = (*dark, 255)
            elif c == '.': px[y][x] = (*fill, 255)
    if badge:
        for y in range(-1, 8):
            for x in range(-1, 8):
                px[19 + y][19 + x] = (*dark, 255)
        for y, row in enumerate(badge):
            for x, c in enumerate(row):
                if c == 'X': px[19 + y][19 + x] = (*fill, 255)
    xor = b''.join(bytes((b, g, r, a)) for row in reversed(px) for (r, g, b, a) in row)
    and_mask = b''.join(
        bytes(sum((0x80 >> i) if px[y][x8 * 8 + i][3] == 0 else 0 for i in range(8)) for x8 in range(4))
        for y in reversed(range(32)))
    header = struct.pack('<IiiHHIIiiII', 40, 32, 64, 1, 32, 0, len(xor) + len(and_mask), 0, 0, 0, 0)
    image = header + xor + and_mask
    return struct.pack('<HHH', 0, 2, 1) + struct.pack('<BBBBHHII', 32, 32, 0, 0, 0, 0, len(image), 22) + image

for prefix, (fill, dark) in SETS.items():
    for slot in SLOTS:
        open((prefix + slot).lower() + '.cur', 'wb').write(cursor(fill, dark, BADGES[slot]))
