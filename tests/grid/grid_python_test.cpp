// The grid's files against what Python reads from the same files on disk:
// delimited files read by the grid and by Python's csv module (random files
// full of quote runs, quoted delimiters and line breaks, with and without a
// byte-order mark), and HTML tables of hostile cell texts written by the grid
// and read back by Python's HTML parser.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <random>

#include <unistd.h>

#include "ExtGridText.h"

namespace {
using Records = std::vector<std::vector<std::string>>;

// A file of this test process: ctest runs the cases side by side.
std::string TempFile(const std::string& name) {
  return ::testing::TempDir() + "grid_python_" + std::to_string(getpid()) + "_" + name;
}

// Python's records of a file, each field in the grid's line-break form
// (a lone LF as CR LF), printed as hexadecimal bytes.
const char* const PythonReader = R"(
import csv, sys
with open(sys.argv[1], newline='', encoding='utf-8-sig') as f:
    for record in csv.reader(f, delimiter=sys.argv[2]):
        print(' '.join('.' + field.replace('\r\n', '\n').replace('\n', '\r\n').encode('latin-1').hex()
                       for field in record))
)";

std::string FromHex(const std::string& hex) {
  std::string out;
  for (size_t i = 0; i + 1 < hex.size(); i += 2) out += char(std::stoi(hex.substr(i, 2), nullptr, 16));
  return out;
}

// The records that a Python script prints, one per line, each field as "."
// and its bytes in hexadecimal, fields separated by blanks.
Records PythonRecords(const char* source, const std::string& file, const std::string& argument) {
  const std::string script = TempFile("read_records.py");
  std::ofstream(script) << source;
  const std::string command = "python3 " + script + " " + file + " '" + argument + "'";
  FILE* pipe = popen(command.c_str(), "r");
  Records records;
  if (!pipe) return records;
  std::string line;
  for (int c; (c = fgetc(pipe)) != EOF;) {
    if (c != '\n') {
      line += char(c);
      continue;
    }
    std::vector<std::string> fields;
    for (size_t p = 0; p < line.size();) {
      size_t end = line.find(' ', p);
      if (end == std::string::npos) end = line.size();
      fields.push_back(FromHex(line.substr(p + 1, end - p - 1)));  // after the "." mark
      p = end + 1;
    }
    records.push_back(std::move(fields));
    line.clear();
  }
  EXPECT_EQ(pclose(pipe), 0) << "python3 could not read " << file;
  std::remove(script.c_str());
  return records;
}

// A field as a writer might quote it, or rougher: quote runs, delimiters,
// line breaks, quotes in unquoted fields and text after a closing quote.
std::string RandomField(std::mt19937& rnd, char delimiter) {
  static const std::string pieces[] = {"a", "Bc", " ", "\"", "\"\"", "\"\"\"", "~", "12", "x\r\ny", "\n", "\r"};
  std::string text;
  for (int n = int(rnd() % 6); n > 0; --n) text += rnd() % 5 == 0 ? std::string(1, delimiter) : pieces[rnd() % 11];
  switch (rnd() % 4) {
    case 0: {  // quoted as RFC 4180 writes it
      std::string quoted = "\"";
      for (char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
      return quoted + "\"";
    }
    case 1: {  // plain text without quotes, delimiters or line breaks
      std::string plain;
      for (char c : text)
        if (c != '"' && c != delimiter && c != '\r' && c != '\n') plain += c;
      return plain;
    }
    case 2: return "\"ab\"\"" + std::string(rnd() % 2 ? "cd\"e" : "");  // text after the closing quote
    default: return "q\"" + std::to_string(rnd() % 100);             // a quote inside an unquoted field
  }
}

std::string RandomFile(std::mt19937& rnd, char delimiter, int rows) {
  std::string text = rnd() % 2 ? "\xEF\xBB\xBF" : "";
  // Line 1 holds a quoted delimiter, a quote run and a line break in quotes.
  text += "id" + std::string(1, delimiter) + "\"Smith" + delimiter + " \"\"Jo\"\"\"" + delimiter + "\"a\r\nb\"\r\n";
  // Line 2 has as many delimiters, none doubled, so that detection finds it.
  text += "1" + std::string(1, delimiter) + "2" + delimiter + "\"3" + delimiter + "\"\r\n";
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < 3; ++c) text += (c ? std::string(1, delimiter) : "") + RandomField(rnd, delimiter);
    text += rnd() % 3 ? "\r\n" : "\n";
  }
  return text;
}

// Loads the file into a grid, detecting its delimiter, and compares every
// cell with Python's reading of it.
void ExpectSameAsPython(const std::string& name, const std::string& text, char delimiter) {
  const std::string file = TempFile(name);
  std::ofstream(file, std::ios::binary) << text;
  const Records expected = PythonRecords(PythonReader, file, std::string(1, delimiter));
  ASSERT_FALSE(expected.empty());
  TGridData grid(1, 1);
  TDelimitedOptions o;
  LoadFromDelimitedFile(grid, file, o);
  ASSERT_EQ(grid.RowCount(), int(expected.size())) << name;
  int differ = 0;
  for (int r = 0; r < grid.RowCount(); ++r)
    for (int c = 0; c < grid.ColCount(); ++c) {
      const auto& row = expected[size_t(r)];
      const std::string want = size_t(c) < row.size() ? row[size_t(c)] : "";
      if (grid.Cells(c, r) != want && ++differ <= 5)
        ADD_FAILURE() << name << " cell " << c << "," << r << ": " << grid.Cells(c, r) << " != " << want;
    }
  EXPECT_EQ(differ, 0) << name;
}
}  // namespace

TEST(GridDelimitedAsPython, RandomFilesReadTheSame) {
  std::mt19937 rnd(20260);
  for (char delimiter : {',', ';', '\t'})
    for (int i = 0; i < 2; ++i)
      ExpectSameAsPython("random" + std::to_string(int(delimiter)) + "_" + std::to_string(i) + ".csv",
                         RandomFile(rnd, delimiter, 300), delimiter);
}

TEST(GridDelimitedAsPython, EdgesOfTheFile) {
  ExpectSameAsPython("bom.csv", "\xEF\xBB\xBF\"a\",b\r\nc,d", ',');
  ExpectSameAsPython("open.csv", "a,b\r\nc,\"never, closed\r\n", ',');
  ExpectSameAsPython("trailing.csv", "a,b,\r\n1,2,\r\n\r\nx,y,z", ',');
  ExpectSameAsPython("runs.csv", "\"\"\"\"\"\",\"\"\"\"\r\n\"a\"\"\"\"b\",\"\"\r\n", ',');
}

namespace {
// The table's rows and cells as a browser's parser sees them; a cell ends
// only at its own end tag, and markup outside cells or tags that can run
// script fail the reading.
const char* const PythonHTMLReader = R"(
import sys
from html.parser import HTMLParser
class Table(HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.rows, self.cell, self.bad = [], None, []
    def handle_starttag(self, tag, attrs):
        if tag in ('script', 'style', 'iframe', 'h1') or any(a.startswith('on') for a, _ in attrs):
            self.bad.append(tag)
        if tag == 'tr': self.rows.append([])
        elif tag == 'td': self.cell = ''
    def handle_endtag(self, tag):
        if tag == 'td':
            self.rows[-1].append(self.cell)
            self.cell = None
    def handle_data(self, data):
        if self.cell is not None: self.cell += data
        elif data.strip(): self.bad.append('text outside a cell: ' + data)
t = Table()
t.feed(open(sys.argv[1], encoding='latin-1', newline='').read())
if t.bad: sys.exit('bad markup: ' + repr(t.bad))
for row in t.rows:
    print(' '.join('.' + cell.encode('latin-1').hex() for cell in row))
)";
}  // namespace

TEST(GridHTMLAsPython, HostileCellTextsComeBackAsTheyWere) {
  // Each cell: its text, and what a reader of the page must find in it
  // (mini-HTML shows its text-level tags as formatting, not as text).
  const std::vector<std::pair<std::string, std::string>> cells = {
      {"Evil</td></tr></table><h1>X</h1>", "Evil</td></tr></table><h1>X</h1>"},
      {"Tom & Jerry <Inc>", "Tom & Jerry <Inc>"},
      {"<script>alert(1)</script>", "<script>alert(1)</script>"},
      {"<B onclick=\"alert(1)\">bold</B> & \"q\"", "bold & \"q\""},
      {"<I>a</I><style>td{}</style><iframe src=x></iframe>", "a<style>td{}</style><iframe src=x></iframe>"},
      {"<A HREF=\"javascript:alert(1)\">link</A> \"x\" > y", "link \"x\" > y"},
      {"a < b > c", "a < b > c"},
      {"</", "</"},
      {"<font color=\"red\" style=\"x\">red</font></td>", "red</td>"},
      {"<a href=http://x/y onmouseover=alert(1)>x</A><Inc>", "x<Inc>"},
      {"plain", "plain"},
      {"<b>Tom &amp; Jerry</b> &quot;q&quot;", "Tom & Jerry \"q\""},
  };
  TGridData grid(2, int(cells.size()) + 1);
  grid.SetCells(0, 0, "Name");
  grid.SetCells(1, 0, "Count");
  for (size_t i = 0; i < cells.size(); ++i) {
    grid.SetCells(0, int(i) + 1, cells[i].first);
    grid.SetCells(1, int(i) + 1, std::to_string(i));
  }
  const std::string file = TempFile("hostile.html");
  THTMLSettings settings;
  THTMLExportOptions o;
  o.URLShow = true;
  WriteHTMLTable(grid, settings, o, file);
  const Records rows = PythonRecords(PythonHTMLReader, file, "");
  ASSERT_EQ(rows.size(), cells.size() + 1);
  EXPECT_EQ(rows[0], (std::vector<std::string>{"Name", "Count"}));
  for (size_t i = 0; i < cells.size(); ++i)
    EXPECT_EQ(rows[i + 1], (std::vector<std::string>{cells[i].second, std::to_string(i)})) << cells[i].first;
}
