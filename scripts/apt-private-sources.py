#!/usr/bin/env python3
"""Prints one-line deb-src entries for the Debian archives that this machine's
apt is configured with, for a private sources list (the machine's own apt
configuration stays as it is)."""
import glob
import re

entries = []


def debian_archive(uri, signed_by):
    return "debian-archive" in signed_by or re.search(r"/debian(-security)?/?$", uri)


for path in sorted(glob.glob("/etc/apt/sources.list.d/*.sources")):
    for stanza in re.split(r"\n\s*\n", open(path).read()):
        fields = {}
        for line in stanza.splitlines():
            if line.startswith("#") or ":" not in line or line[0].isspace():
                continue
            key, value = line.split(":", 1)
            fields[key.strip().lower()] = value.strip()
        if "deb" not in fields.get("types", "").split() or fields.get("enabled", "yes") == "no":
            continue
        signed = fields.get("signed-by", "")
        opts = f"[signed-by={signed}] " if signed.startswith("/") else ""
        for uri in fields.get("uris", "").split():
            if not debian_archive(uri, signed):
                continue
            for suite in fields.get("suites", "").split():
                entries.append(f"deb-src {opts}{uri} {suite} {fields.get('components', 'main')}")

for path in ["/etc/apt/sources.list"] + sorted(glob.glob("/etc/apt/sources.list.d/*.list")):
    try:
        lines = open(path).read().splitlines()
    except OSError:
        continue
    for line in lines:
        m = re.match(r"\s*deb\s+(\[[^\]]*\]\s+)?(\S+)\s+(.*)", line)
        if m and debian_archive(m.group(2), m.group(1) or ""):
            entries.append(f"deb-src {m.group(1) or ''}{m.group(2)} {m.group(3)}")

print("\n".join(dict.fromkeys(entries)))
