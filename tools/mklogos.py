#!/usr/bin/env python3
# Makes the files delivered beside the launcher: the text files (Games.ini,
# Parameters.txt, the help and the readme) from their sources with Windows
# line ends, and the game logos of Logos\ drawn from a table (file, label,
# top, bottom and edge colours).
# Usage: mklogos.py SOURCE_DIR OUT_DIR
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from pixelart import FONT, badge, bmp_bytes, hex_colour  # noqa: E402

# The size of a row's icon in the entry list and of the other logo lists.
LOGO_SIZE = 16
# Letters are near white but never white: the logo lists draw white as
# transparent.
LETTER = (0xf4, 0xf4, 0xf0)
TEXT_FILES = ('Games.ini', 'Parameters.txt', 'Brannox help.txt', 'readme.txt')
SHADOW = (0x10, 0x10, 0x10)


def crlf(text):
    return text.replace('\r\n', '\n').replace('\n', '\r\n').encode('latin-1')


def write_if_changed(path, data):
    try:
        with open(path, 'rb') as f:
            if f.read() == data:
                return
    except OSError:
        pass
    tmp = path + '.new'
    with open(tmp, 'wb') as f:
        f.write(data)
    os.replace(tmp, path)


def read_logo_table(path):
    logos = []
    with open(path, encoding='utf-8') as f:
        for number, line in enumerate(f, 1):
            line = line.rstrip('\n')
            if not line or line.startswith('#'):
                continue
            fields = line.split('\t')
            if len(fields) != 5:
                sys.exit(f'{path}:{number}: expected file, label, top, bottom, edge')
            name, label = fields[0], fields[1]
            if any(ch not in FONT for ch in label) or not 1 <= len(label) <= 2:
                sys.exit(f'{path}:{number}: the label must be one or two letters of the font')
            logos.append((name, label, *(hex_colour(c) for c in fields[2:])))
    return logos


def main():
    if len(sys.argv) != 3:
        sys.exit('usage: mklogos.py SOURCE_DIR OUT_DIR')
    source, out = sys.argv[1], sys.argv[2]
    os.makedirs(os.path.join(out, 'Logos'), exist_ok=True)
    for name in TEXT_FILES:
        with open(os.path.join(source, name), encoding='latin-1') as f:
            write_if_changed(os.path.join(out, name), crlf(f.read()))
    for name, label, top, bottom, edge in read_logo_table(os.path.join(source, 'logos.tsv')):
        pic = badge(LOGO_SIZE, top, bottom, edge)
        pic.text(label, LETTER, shadow=SHADOW)
        write_if_changed(os.path.join(out, 'Logos', name), bmp_bytes(pic))


if __name__ == '__main__':
    main()
