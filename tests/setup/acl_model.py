#!/usr/bin/env python3
"""What a standard user may do in the installed folder, from the icacls
commands the installer ran (recorded by a stand-in icacls.exe) applied to
the folder's files and folders as Windows applies access lists: explicit
entries, inheritance down the tree (object and container inheritance,
inherit-only, no-propagate), and files whose inheritance was removed.
Wine does not enforce access lists, so this model stands in for Windows.

  acl_model.py LOG FOLDER WINFOLDER [--before CMDLINE]...

LOG holds one recorded command line a line (a tab and the working folder
may follow); FOLDER is the installed folder on this machine and WINFOLDER
its Windows path. --before applies a command line first (what an earlier
installer did to the folder). Prints "ok: ..." or "FAILED: ..." per check
and exits 1 when one failed."""
import os
import sys

USER_SIDS = {"S-1-1-0", "S-1-5-11", "S-1-5-32-545", "S-1-5-4"}  # Everyone, Authenticated Users, Users, Interactive
READ = {"RD", "REA", "RA", "RC", "S"}
WRITE = {"WD", "AD", "WEA", "WA", "RC", "S"}
SIMPLE = {
    "R": READ, "RX": READ | {"X"}, "W": WRITE, "D": {"D"},
    "M": READ | WRITE | {"X", "D"},
    "F": READ | WRITE | {"X", "D", "DC", "WDAC", "WO"},
}
GENERIC = {"GR": SIMPLE["R"], "GW": SIMPLE["W"], "GE": {"X", "RA", "RC", "S"}, "GA": SIMPLE["F"]}
FLAGS = {"OI", "CI", "IO", "NP", "I"}
# The folder's parent as a drive's top folder has it: users may change what
# is made below it. The worst case for a folder of programs.
PARENT = [("S-1-5-32-544", frozenset({"OI", "CI"}), SIMPLE["F"]),
          ("S-1-5-18", frozenset({"OI", "CI"}), SIMPLE["F"]),
          ("S-1-5-32-545", frozenset({"OI", "CI"}), SIMPLE["RX"]),
          ("S-1-5-11", frozenset({"OI", "CI", "IO"}), SIMPLE["M"])]


def split_command_line(line):
    """A Windows command line into arguments (the runtime's rules)."""
    args, cur, quoted, have, i = [], "", False, False, 0
    while i < len(line):
        c = line[i]
        if c == "\\":
            n = 0
            while i < len(line) and line[i] == "\\":
                n, i = n + 1, i + 1
            if i < len(line) and line[i] == '"':
                cur += "\\" * (n // 2)
                if n % 2:
                    cur += '"'
                    i += 1
            else:
                cur += "\\" * n
            have = True
            continue
        if c == '"':
            quoted, have = not quoted, True
        elif c in " \t" and not quoted:
            if have:
                args.append(cur)
            cur, have = "", False
        else:
            cur, have = cur + c, True
        i += 1
    if have:
        args.append(cur)
    return args


def parse_grant(text):
    """"*SID:(OI)(CI)M" -> (sid, flags, rights)."""
    sid, _, perm = text.rpartition(":")
    flags, rights = set(), set()
    while perm.startswith("("):
        group, perm = perm[1:].split(")", 1)
        for word in group.split(","):
            word = word.strip().upper()
            if word in FLAGS:
                flags.add(word)
            else:
                rights |= GENERIC.get(word) or SIMPLE.get(word) or {word}
    if perm:
        rights |= SIMPLE[perm.upper()]
    return sid.lstrip("*"), frozenset(flags), frozenset(rights)


class Node:
    def __init__(self, parent, is_dir):
        self.parent, self.is_dir = parent, is_dir
        self.explicit, self.protected = [], False

    def aces(self):
        """Every entry of the node's list, inherit-only ones included."""
        out = list(self.explicit)
        if not self.protected and self.parent is not None:
            for sid, flags, rights in self.parent.aces():
                if not self.is_dir:
                    if "OI" in flags:
                        out.append((sid, frozenset(), rights))
                elif "CI" in flags:
                    out.append((sid, frozenset() if "NP" in flags else flags - {"IO"}, rights))
                elif "OI" in flags and "NP" not in flags:
                    out.append((sid, frozenset({"OI", "IO"}), rights))
        return out

    def rights(self):
        """What a standard user may do to the node itself."""
        got = set()
        for sid, flags, rights in self.aces():
            if sid in USER_SIDS and "IO" not in flags:
                got |= rights
        return got

    def child(self, is_dir):
        """A file or folder made in this folder now, by another user."""
        return Node(self, is_dir)


class Tree:
    def __init__(self, folder, winfolder):
        self.winfolder = winfolder.rstrip("\\").lower()
        parent = Node(None, True)
        parent.explicit = list(PARENT)
        self.nodes = {"": Node(parent, True)}
        for root, dirs, files in os.walk(folder):
            rel = os.path.relpath(root, folder).replace("/", "\\")
            rel = "" if rel == "." else rel.lower()
            for name, is_dir in [(d, True) for d in sorted(dirs)] + [(f, False) for f in sorted(files)]:
                key = (rel + "\\" + name).lstrip("\\").lower()
                self.nodes[key] = Node(self.nodes[rel], is_dir)

    def node(self, winpath):
        p = winpath.rstrip("\\").lower()
        if p == self.winfolder:
            return self.nodes[""]
        if not p.startswith(self.winfolder + "\\"):
            raise SystemExit("icacls outside the folder: " + winpath)
        return self.nodes[p[len(self.winfolder) + 1:]]

    def below(self, node):
        return [n for n in self.nodes.values() if n is not node and self.is_below(n, node)]

    @staticmethod
    def is_below(n, top):
        while n.parent is not None:
            n = n.parent
            if n is top:
                return True
        return False

    def apply(self, args):
        target = self.node(args[1])
        targets = [target] + (self.below(target) if any(a.upper() == "/T" for a in args) else [])
        i = 2
        while i < len(args):
            op = args[i].lower()
            i += 1
            if op == "/reset":
                for t in targets:
                    t.explicit, t.protected = [], False
            elif op == "/inheritance:r":
                for t in targets:
                    t.protected = True
            elif op in ("/grant", "/grant:r"):
                while i < len(args) and not args[i].startswith("/"):
                    ace = parse_grant(args[i])
                    i += 1
                    for t in targets:
                        if op == "/grant:r":
                            t.explicit = [a for a in t.explicit if a[0] != ace[0]]
                        t.explicit.append(ace)
            elif op in ("/q", "/t", "/c"):
                pass
            else:
                raise SystemExit("an icacls option the model does not know: " + op)


def main():
    log, folder, winfolder = sys.argv[1:4]
    before = [sys.argv[i + 1] for i, a in enumerate(sys.argv) if a == "--before"]
    tree = Tree(folder, winfolder)
    lines = [line.split("\t")[0].rstrip("\r\n") for line in open(log, encoding="latin-1") if line.strip()]
    for line in before + lines:
        tree.apply(split_command_line(line))
    print(f"{len(lines)} icacls commands")

    failures = 0

    def check(what, ok):
        nonlocal failures
        print(("ok: " if ok else "FAILED: ") + what)
        failures += not ok

    def at(path):
        return tree.nodes[path.lower()]

    def can_remove(node):  # remove or rename it, or give itself other rights
        return bool({"D", "WDAC", "WO"} & node.rights()) or "DC" in node.parent.rights()

    def can_change(node):  # a file: write it, or remove or rename it
        return bool({"WD", "WA"} & node.rights()) or can_remove(node)

    def can_replace(node):  # save a new copy over it: make a file beside it, rename it over this one
        return "WD" in node.parent.rights() and ("D" in node.rights() or "DC" in node.parent.rights()) \
            and "WD" in node.rights()

    # Never the programs, DLLs or the uninstaller, nor the folders that hold them.
    files = {k: n for k, n in tree.nodes.items() if not n.is_dir}
    programs = [k for k in files if k.endswith((".exe", ".dll"))]
    check("the folder holds programs", len(programs) >= 3)
    for k in programs + ["uninstall.ini"]:
        check(f"users cannot change, remove or rename {k}", not can_change(at(k)))
    for k in ["", "bxskineditor"]:
        check(f"users cannot remove or rename the folder {k or 'itself'}", not can_remove(at(k)))
    # Our other files: the help, the readme, the logos and the skin project.
    ours = [k for k in files if k not in programs and k not in ("games.ini", "parameters.txt", "uninstall.ini")]
    check("the folder holds files of ours", len(ours) >= 5)
    for k in ours:
        check(f"users cannot change {k}", not can_change(at(k)))
    pictures = at("bxskineditor\\projects\\bx2k8 pictures")
    check("users cannot rename the default skin's pictures folder nor add to it",
          not can_remove(pictures) and "WD" not in pictures.rights())

    # What the launcher and the editor write beside themselves.
    for k in ["games.ini", "parameters.txt"]:
        check(f"users may save {k} (a new copy renamed over it)", can_replace(at(k)))
    for folder_key, what in [("", "the launcher's INI files and their temporary copies"),
                             ("bxskineditor", "the editor's options.ini and colors.dat"),
                             ("bxskineditor\\projects", "skin projects of their own"),
                             ("logos", "logos of their own")]:
        f = at(folder_key)
        check(f"users may add {what} in {folder_key or 'the folder'}", "WD" in f.rights())
        made = f.child(False)
        check(f"every user may save over a file another made in {folder_key or 'the folder'}",
              "WD" in made.rights() and "D" in made.rights())
    for name, parent in [("skins, temp and modlist", ""), ("skintemp", "bxskineditor")]:
        check(f"users may make {name}", "AD" in at(parent).rights())
        made = at(parent).child(True)
        check(f"every user may write in {name} made by another",
              {"WD", "AD"} <= made.rights() and {"WD", "D"} <= made.child(False).rights())
    print(f"{failures} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
