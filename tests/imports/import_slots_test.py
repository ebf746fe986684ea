#!/usr/bin/env python3
"""The import-slot check over the built programs, every function checked
against the system libraries' exports, and the check's own faults: a copy of
the launcher with one delay-load slot emptied, and one with a slot pointing
outside the image, must both fail it, and so must the launcher against a
comctl32 that exports none of its functions.
usage: import_slots_test.py [--dlls FOLDER]... CHECKER LAUNCHER FOLDER..."""
import importlib.util
import os
import shutil
import struct
import subprocess
import sys
import tempfile

args = sys.argv[1:]
dlls = []
while args[:1] == ["--dlls"]:
    dlls += args[:2]
    args = args[2:]
checker, launcher, folders = args[0], args[1], args[2:]
spec = importlib.util.spec_from_file_location("import_slots", checker)
slots = importlib.util.module_from_spec(spec)
spec.loader.exec_module(slots)
failures = []


def run(paths, system=dlls):
    return subprocess.run([sys.executable, checker] + system + paths, capture_output=True, text=True)


def built_programs(folder):
    """The programs a build made, not the copies that running tests make in
    their work folders (Wine prefixes, end-to-end launcher folders)."""
    for top, dirs, names in os.walk(folder):
        dirs[:] = sorted(d for d in dirs if "e2e" not in d and not os.path.isdir(os.path.join(top, d, "drive_c")))
        for n in sorted(names):
            if n.lower().endswith((".exe", ".dll")):
                yield os.path.join(top, n)


for folder in folders:
    programs = list(built_programs(folder)) if os.path.isdir(folder) else []
    if not programs:
        failures.append("no built program in " + folder)
        continue
    result = run(programs)
    print(result.stdout, end="")
    if result.returncode != 0:
        failures.append("programs in %s have empty or stray import slots" % folder)

# The launcher's delay-load slots, found the way the checker finds them.
data = bytearray(open(launcher, "rb").read())
image = slots.Image(bytes(data))
faults, _, delayed = slots.check(image)
if delayed == 0:
    failures.append("the launcher has no delay-load slot to spoil")
else:
    # The first slot of the address table that no ordinary library claims.
    rva, size = image.dirs[slots.DIR_IAT]
    imports = set()
    at = image.dirs[slots.DIR_IMPORT][0]
    while True:
        lookup, _, _, name, iat = struct.unpack_from("<IIIII", image.bytes(image.offset(at, 20), 20))
        if not (lookup or name or iat):
            break
        i = 0
        while image.slot(lookup + i * image.ptr):
            imports.add(iat + i * image.ptr)
            i += 1
        imports.add(iat + i * image.ptr)
        at += 20
    target = next(a for a in range(rva, rva + size, image.ptr) if a not in imports and image.slot(a))
    fmt = "<I" if image.ptr == 4 else "<Q"
    with tempfile.TemporaryDirectory() as tmp:
        for label, value, expect in (("emptied", 0, "holds 0"),
                                     ("pointing outside", image.base + image.size + 0x1000, "outside the program's code")):
            spoiled = bytearray(data)
            struct.pack_into(fmt, spoiled, image.offset(target, image.ptr), value)
            path = os.path.join(tmp, label.replace(" ", "-") + ".exe")
            open(path, "wb").write(spoiled)
            result = run([path])
            if result.returncode == 0 or expect not in result.stdout:
                failures.append("a launcher with a delay-load slot %s passed the check:\n%s" % (label, result.stdout))

# A comctl32 that exports none of the launcher's comctl32 functions: user32,
# of the launcher's kind, under that name.
kind = image.kind
user32 = next((os.path.join(d, "user32.dll") for d in dlls[1::2]
               if os.path.exists(os.path.join(d, "user32.dll"))
               and slots.Image(open(os.path.join(d, "user32.dll"), "rb").read()).kind == kind), None)
if user32 is None:
    failures.append("no %s user32.dll among the system libraries to stand in for comctl32" % kind)
else:
    with tempfile.TemporaryDirectory() as tmp:
        shutil.copy(user32, os.path.join(tmp, "comctl32.dll"))
        result = run([launcher], ["--dlls", tmp])
        if result.returncode == 0 or "comctl32.dll exports no such function" not in result.stdout:
            failures.append("a launcher whose comctl32 functions its comctl32 lacks passed the check:\n"
                            + result.stdout)

for f in failures:
    print("FAILED: " + f)
sys.exit(1 if failures else 0)
