#!/usr/bin/env bash
# Remakes the cabinet fixtures with gcab: plain.cab (four members, one in a
# folder) and hostile.cab (member names patched to reach outside the target).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
mkdir sub
python3 - <<'PY'
import random
random.seed(7)
open('alpha.txt', 'w', newline='').write(''.join(
    'Line %d of the alpha member, with some words to squeeze.\r\n' % i for i in range(60)))
open('beta.bin', 'wb').write(bytes(random.randrange(256) for _ in range(1000)))
open('empty.txt', 'w').write('')
open('sub/inner.txt', 'w', newline='').write('inside a folder\r\n')
for n in ['dotdot01.txt', 'drive001.txt', 'abs01x.txt', 'nested0001.txt', 'good.txt']:
    open(n, 'w', newline='').write('member %s\r\n' % n)
PY
TZ=UTC touch -d '2024-05-06 07:08:10' ./*.txt sub/inner.txt
TZ=UTC touch -d '2019-12-31 23:59:58' beta.bin
TZ=UTC gcab -c -z "$here/plain.cab" alpha.txt beta.bin empty.txt sub/inner.txt
TZ=UTC gcab -c -z "$here/hostile.cab" good.txt dotdot01.txt drive001.txt abs01x.txt nested0001.txt
# Same-length names keep every offset; member names carry no checksum.
python3 - "$here/hostile.cab" <<'PY'
import sys
p = sys.argv[1]
b = open(p, 'rb').read()
for old, new in [(b'dotdot01.txt', b'..\\evil1.txt'), (b'drive001.txt', b'C:\\evil2.txt'),
                 (b'abs01x.txt', b'\\evil3.txt'), (b'nested0001.txt', b'a\\..\\..\\e4.txt')]:
    assert len(old) == len(new) and b.count(old + b'\0') == 1
    b = b.replace(old + b'\0', new + b'\0')
open(p, 'wb').write(b)
PY
