#!/usr/bin/env python3
"""Finds names in the shape a form designer gives (Unit3.cpp, TForm4, BitBtn2,
Image13Click, N11, C100) in C++ sources, outside comments, string and
character literals, and prints each with its count.

  tools/designer-names.py [--check] FOLDER...

With --check it prints only what it finds and exits 1 when anything is found.
Names that are numbered on purpose (a game's name, an encoding) are listed
below with the reason.
"""
import collections
import pathlib
import re
import sys

KEPT = {
    'Quake1': 'a game: the first Quake',
    'Quake2': 'a game: Quake II',
    'Quake3': 'a game: Quake III',
    'Hexen2': 'a game: Hexen II',
    'Heretic2': 'a game: Heretic II',
    'Utf16LE': 'an encoding',
    'Utf16BE': 'an encoding',
    'GetTextExtentPoint32A': 'a Windows function',
}
TOKENS = re.compile(r'//[^\n]*|/\*.*?\*/|R"([^(\s]*)\(.*?\)\1"|"(?:\\.|[^"\\\n])*"'
                    r"|'(?:\\.|[^'\\\n])*'|([A-Za-z_]\w*)|\d[\w.']*|\S", re.S)
DESIGNER = re.compile(r'T?[A-Z][A-Za-z]*?\d+(?:[A-Z][A-Za-z]*)?')
NOT_DESIGNER = re.compile(r'(U?Int|Win|Utf|UTF|DWORD|CP|SHA|MD|RGB)\d+')


def identifiers(text):
    for m in TOKENS.finditer(text):
        if m.group(2):
            yield m.group(2)


def scan(folders):
    names = collections.Counter()
    files = []
    for folder in folders:
        for path in sorted(pathlib.Path(folder).rglob('*')):
            if re.fullmatch(r'Unit\d+.*', path.name):
                files.append(str(path))
            if path.suffix not in ('.cpp', '.h'):
                continue
            for ident in identifiers(path.read_text(errors='replace')):
                if DESIGNER.fullmatch(ident) and not NOT_DESIGNER.fullmatch(ident) and ident not in KEPT:
                    names[f'{ident} ({path})'] += 1
    return names, files


def main(argv):
    check = '--check' in argv
    folders = [a for a in argv if not a.startswith('--')]
    names, files = scan(folders)
    for f in files:
        print(f'file named by a designer: {f}')
    for name, count in sorted(names.items()):
        print(f'{count:5} {name}')
    if not check:
        print(f'{sum(names.values())} uses of {len({n.split()[0] for n in names})} names')
    return 1 if check and (names or files) else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1:]))
