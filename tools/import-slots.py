#!/usr/bin/env python3
"""Checks the import slots of Windows programs (PE32 and PE32+) as they lie in
the file: every slot of the import table names a function, and every
delay-load slot starts out pointing at its loader stub, in the program's code.
A slot left 0 makes the first call of that function jump to address 0.

usage: import-slots.py [--dlls FOLDER]... FILE_OR_FOLDER...
(folders: every .exe and .dll below). With --dlls (a folder of the system
libraries the programs run with, 32-bit or 64-bit), every function imported,
ordinarily or delay-loaded, must also be exported by the library it is taken
from, where that library is in such a folder for the program's kind.
Prints a line per file and one per fault; exits 1 when any file has a fault.

The MinGW linker writes no delay-import directory. Its delay-load slots sit in
the import address table beside the ordinary ones, each with its entry in the
import lookup table at the same place of that parallel array: so every slot
is checked through the two arrays, ordinary and delay-load ones alike. Which
library a delay-load slot belongs to, its delay-import descriptor says: the
one whose slot array starts nearest before it.
"""
import os
import struct
import sys

IMAGE_SCN_MEM_EXECUTE = 0x20000000
DIR_EXPORT, DIR_IMPORT, DIR_IAT = 0, 1, 12


class PeError(Exception):
    pass


class Image:
    def __init__(self, data):
        self.data = data
        if self.u16(0) != 0x5A4D:
            raise PeError("no MZ header")
        pe = self.u32(0x3C)
        if self.bytes(pe, 4) != b"PE\0\0":
            raise PeError("no PE signature")
        sections, opt_size = self.u16(pe + 6), self.u16(pe + 20)
        opt = pe + 24
        magic = self.u16(opt)
        if magic == 0x10B:
            self.ptr, self.base, dirs = 4, self.u32(opt + 28), opt + 96
        elif magic == 0x20B:
            self.ptr, self.base, dirs = 8, self.u64(opt + 24), opt + 112
        else:
            raise PeError("unknown optional header 0x%x" % magic)
        self.kind = "PE32" if self.ptr == 4 else "PE32+"
        self.size = self.u32(opt + 56)
        count = self.u32(dirs - 4)
        self.dirs = [(self.u32(dirs + 8 * i), self.u32(dirs + 8 * i + 4)) for i in range(min(count, 16))]
        self.sections = []
        at = opt + opt_size
        for _ in range(sections):
            vsize, va, raw_size, raw = struct.unpack_from("<IIII", self.bytes(at + 8, 16))
            self.sections.append((va, max(vsize, raw_size), raw, raw_size, self.u32(at + 36)))
            at += 40

    def bytes(self, off, n):
        if off < 0 or off > len(self.data) - n:
            raise PeError("read past the end of the file at 0x%x" % off)
        return self.data[off:off + n]

    def u16(self, off):
        return struct.unpack("<H", self.bytes(off, 2))[0]

    def u32(self, off):
        return struct.unpack("<I", self.bytes(off, 4))[0]

    def u64(self, off):
        return struct.unpack("<Q", self.bytes(off, 8))[0]

    def section_of(self, rva):
        for s in self.sections:
            if s[0] <= rva < s[0] + s[1]:
                return s
        return None

    def offset(self, rva, n):
        s = self.section_of(rva)
        if s is None or rva - s[0] > s[3] - n:
            raise PeError("RVA 0x%x is not in the file" % rva)
        return s[2] + rva - s[0]

    def slot(self, rva):
        off = self.offset(rva, self.ptr)
        return self.u32(off) if self.ptr == 4 else self.u64(off)

    def name(self, rva):
        off = self.offset(rva, 1)
        end = self.data.find(b"\0", off, off + 512)
        if end < 0:
            raise PeError("unterminated name at RVA 0x%x" % rva)
        return self.data[off:end].decode("latin-1")

    def ordinal(self, entry):
        return entry >> (self.ptr * 8 - 1)

    def function(self, entry):
        """The name an import lookup entry gives, or raises."""
        if self.ordinal(entry):
            return "#%d" % (entry & 0xFFFF)
        if not entry < self.size:
            raise PeError("lookup entry 0x%x points outside the image" % entry)
        return self.name(entry + 2)

    def exports(self):
        """The names the image exports."""
        rva, _ = self.dirs[DIR_EXPORT]
        if not rva:
            return set()
        count, names = struct.unpack_from("<I4xI", self.bytes(self.offset(rva + 24, 12), 12))
        return {self.name(self.u32(self.offset(names + 4 * i, 4))) for i in range(count)}

    def delay_descriptors(self, slots, lag):
        """{first slot RVA: library} of the delay-import descriptors, found by
        the slot arrays they name: 8 words (attributes, the library's name,
        its handle, the slot array, the lookup array, ...), as RVAs when the
        attributes say so, else as addresses."""
        found = {}
        for first in slots:
            for rva_form in (True, False):
                value = first if rva_form else first + self.base
                if value >= 1 << 32:
                    continue
                needle = struct.pack("<I", value)
                at = self.data.find(needle)
                while at >= 0:
                    start = at - 12
                    if start >= 0 and start % 4 == 0 and start + 32 <= len(self.data):
                        attrs, name, _, iat, lookup = struct.unpack_from("<IIIII", self.data, start)
                        fix = 0 if rva_form else self.base
                        if attrs == int(rva_form) and lookup - fix == first - lag:
                            try:
                                library = self.name(name - fix)
                            except PeError:
                                library = ""
                            if library.lower().endswith(".dll"):
                                found[first] = library
                    at = self.data.find(needle, at + 1)
        return found

    def in_code(self, va):
        rva = va - self.base
        s = self.section_of(rva) if 0 <= rva < self.size else None
        return s is not None and s[4] & IMAGE_SCN_MEM_EXECUTE != 0


def check(image, system=None):
    """Returns (faults, ordinary slots, delay-load slots). system(kind,
    library) gives the names a system library exports, or None."""
    system = system or (lambda kind, library: None)
    faults = []
    taken = []  # (library, function) of every slot
    ordinary = {}  # IAT slot RVA -> library, of the ordinary descriptors
    lag = None     # IAT RVA - lookup table RVA, the same for every descriptor
    rva, size = image.dirs[DIR_IMPORT]
    if rva:
        for at in range(rva, rva + 20 * 4096, 20):
            lookup, _, _, name, iat = struct.unpack_from("<IIIII", image.bytes(image.offset(at, 20), 20))
            if not (lookup or name or iat):
                break
            library = image.name(name)
            if not lookup:
                faults.append("%s: no import lookup table" % library)
                continue
            if lag is None:
                lag = iat - lookup
            elif lag != iat - lookup:
                faults.append("%s: import tables not parallel to the other libraries'" % library)
            for i in range(65536):
                entry, slot = image.slot(lookup + i * image.ptr), image.slot(iat + i * image.ptr)
                if not entry:
                    if slot:
                        faults.append("%s: slot %d holds 0x%x past the end of its list" % (library, i, slot))
                    break
                ordinary[iat + i * image.ptr] = library
                function = image.function(entry)
                taken.append((library, function))
                if slot != entry:
                    faults.append("%s!%s: slot holds 0x%x, not its lookup entry 0x%x" % (library, function, slot, entry))

    delayed = 0
    rva, size = image.dirs[DIR_IAT]
    if rva and lag is not None:
        delay_slots = [at for at in range(rva, rva + size, image.ptr)
                       if at not in ordinary and image.slot(at - lag)]
        firsts = [at for at in delay_slots if at - image.ptr not in delay_slots]
        descriptors = sorted(image.delay_descriptors(firsts, lag).items())
        for at in range(rva, rva + size, image.ptr):
            if at in ordinary:
                continue
            entry, slot = image.slot(at - lag), image.slot(at)
            if not entry:
                if slot:
                    faults.append("slot at RVA 0x%x holds 0x%x but names no function" % (at, slot))
                continue
            function = image.function(entry)
            delayed += 1
            owners = [library for first, library in descriptors if first <= at]
            if owners:
                taken.append((owners[-1], function))
            else:
                faults.append("%s: delay-load slot at RVA 0x%x belongs to no delay-import descriptor" % (function, at))
            if not slot:
                faults.append("%s: delay-load slot at RVA 0x%x holds 0" % (function, at))
            elif not image.in_code(slot):
                faults.append("%s: delay-load slot at RVA 0x%x holds 0x%x, outside the program's code"
                              % (function, at, slot))
    elif rva:
        faults.append("an import address table without an import directory")
    for library, function in taken:
        names = system(image.kind, library)
        if names is not None and not function.startswith("#") and function not in names:
            faults.append("%s!%s: %s exports no such function" % (library, function, library))
    return faults, len(ordinary), delayed


class SystemLibraries:
    """The exports of the libraries in the --dlls folders, by kind and name."""

    def __init__(self, folders):
        self.paths = {}
        for folder in folders:
            for n in os.listdir(folder):
                self.paths.setdefault(n.lower(), []).append(os.path.join(folder, n))
        self.cache = {}

    def __call__(self, kind, library):
        key = (kind, library.lower())
        if key not in self.cache:
            self.cache[key] = None
            for path in self.paths.get(library.lower(), []):
                try:
                    with open(path, "rb") as f:
                        image = Image(f.read())
                    if image.kind == kind:
                        self.cache[key] = image.exports()
                        break
                except (OSError, PeError):
                    continue  # not a library we can read: its names go unchecked
        return self.cache[key]


def files(args):
    for arg in args:
        if os.path.isdir(arg):
            for folder, _, names in sorted(os.walk(arg)):
                for n in sorted(names):
                    if n.lower().endswith((".exe", ".dll")):
                        yield os.path.join(folder, n)
        else:
            yield arg


def main(args):
    folders = []
    while len(args) >= 2 and args[0] == "--dlls":
        folders.append(args[1])
        args = args[2:]
    if not args:
        print(__doc__.strip().splitlines()[5], file=sys.stderr)
        return 2
    system = SystemLibraries(folders)
    bad = checked = 0
    for path in files(args):
        with open(path, "rb") as f:
            data = f.read()
        try:
            image = Image(data)
            faults, ordinary, delayed = check(image, system)
        except PeError as e:
            image, faults, ordinary, delayed = None, [str(e)], 0, 0
        checked += 1
        kind = image.kind if image else "?"
        if faults:
            bad += 1
            print("FAILED %s (%s): %d fault(s)" % (path, kind, len(faults)))
            for fault in faults[:20]:
                print("  " + fault)
        else:
            print("ok %s (%s): %d import and %d delay-load slots" % (path, kind, ordinary, delayed))
    if not checked:
        print("no program found in " + " ".join(args))
        return 1
    return 1 if bad else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
