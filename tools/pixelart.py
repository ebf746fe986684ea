# Small pixel pictures for the delivered logos and the program icons: a 5 x 7
# letter font, badge drawing, and writers for 24-bit BMP and 32-bit ICO files.
import struct

# Each glyph: seven rows of five pixels, '#' set.
FONT = {
    'A': [' ### ', '#   #', '#   #', '#####', '#   #', '#   #', '#   #'],
    'B': ['#### ', '#   #', '#   #', '#### ', '#   #', '#   #', '#### '],
    'C': [' ####', '#    ', '#    ', '#    ', '#    ', '#    ', ' ####'],
    'D': ['#### ', '#   #', '#   #', '#   #', '#   #', '#   #', '#### '],
    'E': ['#####', '#    ', '#    ', '#### ', '#    ', '#    ', '#####'],
    'F': ['#####', '#    ', '#    ', '#### ', '#    ', '#    ', '#    '],
    'G': [' ####', '#    ', '#    ', '#  ##', '#   #', '#   #', ' ####'],
    'H': ['#   #', '#   #', '#   #', '#####', '#   #', '#   #', '#   #'],
    'I': ['#####', '  #  ', '  #  ', '  #  ', '  #  ', '  #  ', '#####'],
    'K': ['#   #', '#  # ', '# #  ', '##   ', '# #  ', '#  # ', '#   #'],
    'L': ['#    ', '#    ', '#    ', '#    ', '#    ', '#    ', '#####'],
    'N': ['#   #', '##  #', '# # #', '#  ##', '#   #', '#   #', '#   #'],
    'P': ['#### ', '#   #', '#   #', '#### ', '#    ', '#    ', '#    '],
    'Q': [' ### ', '#   #', '#   #', '#   #', '# # #', '#  # ', ' ## #'],
    'R': ['#### ', '#   #', '#   #', '#### ', '# #  ', '#  # ', '#   #'],
    'S': [' ####', '#    ', '#    ', ' ### ', '    #', '    #', '#### '],
    'X': ['#   #', '#   #', ' # # ', '  #  ', ' # # ', '#   #', '#   #'],
    '1': ['  #  ', ' ##  ', '# #  ', '  #  ', '  #  ', '  #  ', '#####'],
    '2': [' ### ', '#   #', '    #', '   # ', '  #  ', ' #   ', '#####'],
    '3': ['#### ', '    #', '    #', ' ### ', '    #', '    #', '#### '],
    '?': [' ### ', '#   #', '    #', '   # ', '  #  ', '     ', '  #  '],
}
GLYPH_W, GLYPH_H = 5, 7


def hex_colour(text):
    text = text.lstrip('#')
    return tuple(int(text[i:i + 2], 16) for i in (0, 2, 4))


def mix(a, b, t):
    return tuple(int(round(a[k] + (b[k] - a[k]) * t)) for k in range(3))


class Picture:
    """Pixels as (r, g, b, alpha) rows, top row first."""

    def __init__(self, size, fill=(0, 0, 0, 0)):
        self.size = size
        self.rows = [[fill] * size for _ in range(size)]

    def put(self, x, y, rgb, alpha=255):
        if 0 <= x < self.size and 0 <= y < self.size:
            self.rows[y][x] = (rgb[0], rgb[1], rgb[2], alpha)

    def text(self, label, colour, scale=1, shadow=None, height=None):
        """The label centred in the top height rows (all by default), each
        glyph pixel a scale x scale block, the shadow below and right of it."""
        gap = scale
        width = len(label) * GLYPH_W * scale + (len(label) - 1) * gap
        x0 = (self.size - width + 1) // 2
        y0 = ((height or self.size) - GLYPH_H * scale + 1) // 2
        off = max(1, scale // 2)
        for dx, dy, rgb in ((off, off, shadow), (0, 0, colour)):
            if rgb is None:
                continue
            for i, ch in enumerate(label):
                gx = x0 + i * (GLYPH_W * scale + gap)
                for row, bits in enumerate(FONT[ch]):
                    for col, bit in enumerate(bits):
                        if bit != '#':
                            continue
                        for sy in range(scale):
                            for sx in range(scale):
                                self.put(gx + col * scale + sx + dx, y0 + row * scale + sy + dy, rgb)


def badge(size, top, bottom, edge, corner=0):
    """A square with a vertical gradient and a one-pixel edge; corner pixels
    cut to transparency in a quarter circle of radius corner."""
    pic = Picture(size)
    for y in range(size):
        for x in range(size):
            if corner:
                cx = corner - 1 - x if x < corner else x - (size - corner) if x >= size - corner else -1
                cy = corner - 1 - y if y < corner else y - (size - corner) if y >= size - corner else -1
                if cx >= 0 and cy >= 0 and (cx + 0.5) ** 2 + (cy + 0.5) ** 2 > corner * corner:
                    continue
            on_edge = x in (0, size - 1) or y in (0, size - 1)
            pic.put(x, y, edge if on_edge else mix(top, bottom, y / max(1, size - 1)))
    if corner:
        # The edge follows the rounded outline: a pixel next to a cut one.
        for y in range(size):
            for x in range(size):
                if pic.rows[y][x][3] == 0:
                    continue
                for nx, ny in ((x - 1, y), (x + 1, y), (x, y - 1), (x, y + 1)):
                    if 0 <= nx < size and 0 <= ny < size and pic.rows[ny][nx][3] == 0:
                        pic.put(x, y, edge)
                        break
    return pic


def bmp_bytes(pic):
    """A 24-bit BMP (bottom-up rows padded to four bytes); alpha is dropped."""
    n = pic.size
    stride = (n * 3 + 3) & ~3
    body = bytearray()
    for row in reversed(pic.rows):
        line = bytearray()
        for r, g, b, _ in row:
            line += bytes((b, g, r))
        body += line + bytes(stride - len(line))
    header = struct.pack('<IiiHHIIiiII', 40, n, n, 1, 24, 0, len(body), 2835, 2835, 0, 0)
    return b'BM' + struct.pack('<IHHI', 14 + len(header) + len(body), 0, 0, 14 + len(header)) + header + body


def ico_bytes(pictures):
    """An icon file with one 32-bit image (alpha and AND mask) per picture."""
    images = []
    for pic in pictures:
        n = pic.size
        xor = bytearray()
        mask_stride = ((n + 31) // 32) * 4
        mask = bytearray()
        for row in reversed(pic.rows):
            bits = bytearray(mask_stride)
            for x, (r, g, b, a) in enumerate(row):
                xor += bytes((b, g, r, a))
                if a == 0:
                    bits[x // 8] |= 0x80 >> (x % 8)
            mask += bits
        header = struct.pack('<IiiHHIIiiII', 40, n, n * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
        images.append((n, header + xor + mask))
    out = bytearray(struct.pack('<HHH', 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for n, data in images:
        out += struct.pack('<BBBBHHII', n % 256, n % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    for _, data in images:
        out += data
    return bytes(out)
