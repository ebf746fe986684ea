#!/usr/bin/env python3
# Test helper: watches a folder through inotify and writes one line per event
# on the files whose names start with PREFIX ("MODIFY Options.ini"); with
# --kill PID it kills that process (SIGKILL) at the event numbered --after
# (from 0), as a crash at that moment of a save would.
#   filewatch.py DIR PREFIX LOG [--kill PID --after N] [--seconds S]
# It starts watching before it prints "ready" and ends after S seconds
# (default 60), or at the kill.
import argparse
import ctypes
import os
import select
import signal
import struct
import sys
import time

IN_MODIFY, IN_CLOSE_WRITE, IN_MOVED_FROM, IN_MOVED_TO = 0x2, 0x8, 0x40, 0x80
IN_CREATE, IN_DELETE = 0x100, 0x200
NAMES = {IN_MODIFY: "MODIFY", IN_CLOSE_WRITE: "CLOSE_WRITE", IN_MOVED_FROM: "MOVED_FROM",
         IN_MOVED_TO: "MOVED_TO", IN_CREATE: "CREATE", IN_DELETE: "DELETE"}


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("folder")
    parser.add_argument("prefix")
    parser.add_argument("log")
    parser.add_argument("--kill", type=int)
    parser.add_argument("--after", type=int, default=0)
    parser.add_argument("--seconds", type=float, default=60)
    args = parser.parse_args()

    libc = ctypes.CDLL(None, use_errno=True)
    fd = libc.inotify_init()
    if fd < 0:
        sys.exit("inotify_init failed")
    mask = 0
    for m in NAMES:
        mask |= m
    if libc.inotify_add_watch(fd, os.fsencode(args.folder), mask) < 0:
        sys.exit("cannot watch " + args.folder)
    print("ready", flush=True)
    prefix = args.prefix.lower()
    seen = 0
    end = time.monotonic() + args.seconds
    with open(args.log, "a") as log:
        while time.monotonic() < end:
            ready, _, _ = select.select([fd], [], [], 0.2)
            if not ready:
                continue
            data = os.read(fd, 65536)
            offset = 0
            while offset < len(data):
                _, event, _, length = struct.unpack_from("iIII", data, offset)
                name = data[offset + 16:offset + 16 + length].rstrip(b"\0").decode("latin-1")
                offset += 16 + length
                if not name.lower().startswith(prefix):
                    continue
                kinds = [NAMES[m] for m in NAMES if event & m]
                if not kinds:
                    continue
                if args.kill is not None and seen == args.after:
                    os.kill(args.kill, signal.SIGKILL)
                    log.write("KILLED %s %s\n" % (" ".join(kinds), name))
                    return
                seen += 1
                log.write("%s %s\n" % (" ".join(kinds), name))
                log.flush()


if __name__ == "__main__":
    main()
