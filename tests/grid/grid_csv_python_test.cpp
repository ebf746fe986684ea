// Delimited files read by the grid against what Python's csv module reads
// from the same files on disk: random files full of quote runs, quoted
// delimiters and line breaks, with and without a byte-order mark.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <random>

#include "ExtGridText.h"

namespace {
using Records = std::vector<std::vector<std::string>>;

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

Records PythonRecords(const std::string& file, char delimiter) {
  const std::string script = ::testing::TempDir() + "read_csv.py";
  std::ofstream(script) << PythonReader;
  const std::string command = "python3 " + script + " " + file + " '" + std::string(1, delimiter) + "'";
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
  const std::string file = ::testing::TempDir() + name;
  std::ofstream(file, std::ios::binary) << text;
  const Records expected = PythonRecords(file, delimiter);
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
