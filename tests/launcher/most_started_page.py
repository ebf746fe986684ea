# Checks the "Most started mods" page and clipboard text that the launcher
# wrote against the rows the test expects:
#   most_started_page.py PAGE CLIPBOARD ROWS
# ROWS holds the expected data rows, one per line, fields (game, name, count)
# separated by TAB, in the ANSI code page (cp1252). The page must declare its
# character set before any content, decode with it, hold only the table's
# own elements and attributes, and give every cell back as written; the
# clipboard must hold the same table as TAB / CR LF text.
import sys
from html.parser import HTMLParser

# The page's own markup: what the table writer puts around the cells.
ALLOWED = {
    'meta': {'http-equiv', 'content'},
    'table': {'border', 'cellspacing', 'cellpadding', 'width'},
    'tr': set(),
    'td': {'nowrap', 'align', 'bgcolor', 'width'},
    'b': set(),
    'br': set(),
    'p': set(),
}


class Page(HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.first_tag = None
        self.charset = None
        self.foreign = []
        self.rows = []
        self.cell = None

    def handle_starttag(self, tag, attrs):
        self.first_tag = self.first_tag or tag
        if tag not in ALLOWED:
            self.foreign.append('<%s>' % tag)
        self.foreign += ['%s %s=' % (tag, name) for name, _ in attrs if name not in ALLOWED.get(tag, set())]
        attrs = dict(attrs)
        if tag == 'meta' and attrs.get('http-equiv', '').lower() == 'content-type':
            content = attrs.get('content', '')
            if 'charset=' in content:
                self.charset = content.split('charset=', 1)[1].strip()
        elif tag == 'tr':
            self.rows.append([])
        elif tag == 'td':
            self.cell = ''

    def handle_startendtag(self, tag, attrs):
        self.handle_starttag(tag, attrs)

    def handle_endtag(self, tag):
        if tag not in ALLOWED:
            self.foreign.append('</%s>' % tag)
        if tag == 'td' and self.cell is not None:
            self.rows[-1].append(self.cell)
            self.cell = None

    def handle_data(self, data):
        if self.cell is not None:
            self.cell += data
        elif data.strip():
            self.foreign.append('text outside a cell: %r' % data)


def main(page_file, clipboard_file, rows_file):
    failures = []
    expected = [line.split('\t') for line in open(rows_file, 'rb').read().decode('cp1252').split('\n') if line]
    table = [['Position', 'Game', 'Mod name', 'Started']]
    table += [[str(i + 1)] + row for i, row in enumerate(expected)]

    raw = open(page_file, 'rb').read()
    # The declaration is plain ASCII: read it before knowing the code page.
    probe = Page()
    probe.feed(raw.decode('latin-1'))
    charset = probe.charset
    if charset is None or probe.first_tag != 'meta':
        failures.append('the page declares no character set before its content')
        charset = 'cp1252'  # the rest is still read, in the bytes' code page
    try:
        text = raw.decode(charset)
    except (LookupError, UnicodeDecodeError) as e:
        failures.append('the page does not decode as its %s: %s' % (charset, e))
        text = raw.decode('cp1252', errors='replace')
    page = Page()
    page.feed(text)
    page.close()
    if page.foreign:
        failures.append('markup that the table does not write: %r' % page.foreign[:10])
    for i in range(max(len(page.rows), len(table))):
        got = page.rows[i] if i < len(page.rows) else None
        want = table[i] if i < len(table) else None
        if got != want:
            failures.append('page row %d: %r, expected %r' % (i, got, want))

    clipboard = open(clipboard_file, 'rb').read().decode('cp1252')
    wanted = ''.join('\t'.join(row) + '\r\n' for row in table)
    if clipboard != wanted:
        failures.append('clipboard: %r, expected %r' % (clipboard[:300], wanted[:300]))

    for f in failures:
        print('FAILED:', f)
    return 1 if failures else 0


if __name__ == '__main__':
    sys.exit(main(*sys.argv[1:4]))
