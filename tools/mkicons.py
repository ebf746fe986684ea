#!/usr/bin/env python3
# Draws the programs' main icons (16, 32 and 48 pixels, 32-bit with alpha):
# the launcher's a night-blue badge with an amber B, the skin editor's the
# same badge with a strip of colour swatches along its foot.
# Usage: mkicons.py OUT_DIR
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from pixelart import badge, hex_colour, ico_bytes  # noqa: E402

SIZES = (16, 32, 48)
TOP, BOTTOM, EDGE = hex_colour('#2c4470'), hex_colour('#0a1020'), hex_colour('#7cc8ee')
AMBER, SHADOW = hex_colour('#f2c25a'), hex_colour('#05070d')
SWATCHES = [hex_colour(c) for c in ('#e04848', '#48c060', '#4888e0', '#f2c25a')]


def launcher_icon(size):
    pic = badge(size, TOP, BOTTOM, EDGE, corner=max(3, size // 6))
    # At 16 pixels the letter fills the badge, without a shadow.
    if size <= 16:
        pic.text('B', AMBER, scale=2)
    else:
        pic.text('B', AMBER, scale=(size - 4) // 8, shadow=SHADOW)
    return pic


def editor_icon(size):
    pic = badge(size, TOP, BOTTOM, EDGE, corner=max(3, size // 6))
    # The swatches: one row of squares above the bottom edge, the letter
    # centred in the room above them.
    side = max(2, size // 6)
    gap = max(1, size // 24)
    width = len(SWATCHES) * side + (len(SWATCHES) - 1) * gap
    x0, y0 = (size - width) // 2, size - side - max(2, size // 12)
    scale = max(1, (y0 - 2) // 8)
    pic.text('B', AMBER, scale=scale, shadow=SHADOW, height=y0)
    for i, colour in enumerate(SWATCHES):
        for y in range(side):
            for x in range(side):
                pic.put(x0 + i * (side + gap) + x, y0 + y, colour)
    return pic


def main():
    if len(sys.argv) != 2:
        sys.exit('usage: mkicons.py OUT_DIR')
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    for name, draw in (('brannox.ico', launcher_icon), ('bxskined.ico', editor_icon)):
        data = ico_bytes([draw(size) for size in SIZES])
        tmp = os.path.join(out, name + '.new')
        with open(tmp, 'wb') as f:
            f.write(data)
        os.replace(tmp, os.path.join(out, name))


if __name__ == '__main__':
    main()
