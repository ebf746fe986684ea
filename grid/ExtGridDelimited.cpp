// Reading delimited text (CSV and its kin) into the grid.
//
// Tolerant reader. Departures from the line-by-line original: a line break
// inside a quoted field belongs to the field instead of ending the row, a
// quoted field that never closes ends at the end of the input, and a quoted
// last field is not followed by an extra empty one.
#include <cmath>
#include <fstream>
#include <iterator>

#include "ExtGridText.h"

namespace {
constexpr char Quote = '"';
constexpr char DelimiterCandidates[] = {',', ';', '#', '\t', '|'};

// The line break at i (CR LF, LF or CR): its length, 0 when none.
size_t BreakAt(std::string_view s, size_t i) {
  if (s[i] == '\n') return 1;
  if (s[i] == '\r') return i + 1 < s.size() && s[i + 1] == '\n' ? 2 : 1;
  return 0;
}

// The quote that closes a quoted field whose text starts at from: the first
// one not doubled (a doubled quote stands for one quote); npos when none.
size_t ClosingQuote(std::string_view s, size_t from) {
  for (size_t i = from; i < s.size(); ++i) {
    if (s[i] != Quote) continue;
    if (i + 1 < s.size() && s[i + 1] == Quote) ++i;
    else return i;
  }
  return std::string_view::npos;
}

std::string FieldBreaks(std::string field, bool tildeLineBreaks) {
  if (tildeLineBreaks) return TildeToCRLF(field);
  return LFToCRLF(ReplaceAll(field, "\r\n", "\n"));
}
}  // namespace

char DetectDelimiter(std::string_view line1, std::string_view line2) {
  char best = 0;
  int bestCount = 0;
  for (char c : DelimiterCandidates) {
    int n1 = CountDelimiters(c, line1), n2 = CountDelimiters(c, line2);
    if (n1 == n2 && n1 > bestCount) {
      best = c;
      bestCount = n1;
    }
  }
  return best;
}

std::vector<std::string> DelimitedLines(std::string_view text, char delimiter) {
  std::vector<std::string> lines;
  std::string line;
  bool fieldStart = true;
  for (size_t i = 0; i < text.size();) {
    char c = text[i];
    if (size_t br = BreakAt(text, i)) {
      lines.push_back(std::move(line));
      line.clear();
      fieldStart = true;
      i += br;
    } else if (delimiter && c == Quote && fieldStart) {  // the quoted field, breaks and all
      size_t close = ClosingQuote(text, i + 1);
      size_t end = close == std::string_view::npos ? text.size() : close + 1;
      line.append(text.substr(i, end - i));
      i = end;
      fieldStart = false;
    } else {
      fieldStart = delimiter && c == delimiter;
      line += c;
      ++i;
    }
  }
  if (!line.empty()) lines.push_back(std::move(line));
  return lines;
}

std::vector<std::string> SplitDelimitedLine(std::string_view line, char delimiter, bool tildeLineBreaks) {
  std::vector<std::string> fields;
  size_t pos = 0;
  while (delimiter && line.find(delimiter, pos) != std::string_view::npos) {
    if (line[pos] == Quote) {
      size_t close = ClosingQuote(line, pos + 1);
      size_t end = close == std::string_view::npos ? line.size() : close;
      fields.push_back(FieldBreaks(CollapseQuotes(Quote, line.substr(pos + 1, end - pos - 1)), tildeLineBreaks));
      size_t next = close == std::string_view::npos ? close : line.find(delimiter, close + 1);
      if (next == std::string_view::npos) return fields;
      pos = next + 1;
    } else {
      size_t d = line.find(delimiter, pos);
      fields.push_back(FieldBreaks(std::string(line.substr(pos, d - pos)), tildeLineBreaks));
      pos = d + 1;
    }
  }
  std::string_view last = line.substr(pos);
  if (!last.empty() && last.front() == Quote) last.remove_prefix(1);
  if (!last.empty() && last.back() == Quote) last.remove_suffix(1);
  fields.push_back(FieldBreaks(CollapseQuotes(Quote, last), tildeLineBreaks));
  return fields;
}

void ReadDelimitedText(TGridData& grid, std::string_view text, const TDelimitedOptions& o) {
  const int c0 = o.ExportFixedCells ? 0 : grid.FixedCols, r0 = o.ExportFixedCells ? 0 : grid.FixedRows;
  char delimiter = o.FieldDelimiter;
  if (delimiter == 0) {  // from the first two lines, the second empty when there is one
    size_t end1 = text.find_first_of("\r\n");
    std::string_view line1 = text.substr(0, end1), line2;
    if (end1 != std::string_view::npos) {
      size_t start2 = end1 + BreakAt(text, end1);
      line2 = text.substr(start2, text.find_first_of("\r\n", start2) - start2);
    }
    delimiter = DetectDelimiter(line1, line2);
  }
  std::vector<std::string> lines = DelimitedLines(text, delimiter);
  const int count = int(lines.size());
  grid.SetRowCount(r0 + count);
  int lastPercent = -1;
  for (int i = 0; i < count; ++i) {
    const std::string& raw = lines[size_t(i)];
    std::vector<std::string> fields =
        SplitDelimitedLine(o.OemToAnsi ? o.OemToAnsi(raw) : raw, delimiter, o.TildeLineBreaks);
    if (grid.ColCount() < c0 + int(fields.size())) grid.SetColCount(c0 + int(fields.size()));
    for (size_t j = 0; j < fields.size(); ++j)
      grid.SetCells(c0 + int(j), r0 + i, fields[j]);
    if (o.OnFileProgress) {
      int percent = int(std::lround((i + 1) * 100.0 / count));
      if (percent != lastPercent) o.OnFileProgress(percent);
      lastPercent = percent;
    }
    if (o.ProcessMessages) o.ProcessMessages();
  }
  grid.CellsChanged(0, 0, grid.ColCount(), grid.RowCount());
}

void LoadFromDelimitedFile(TGridData& grid, const std::string& fileName, const TDelimitedOptions& o) {
  std::ifstream in(fileName, std::ios::binary);
  if (!in) throw EExtGridError("Cannot open file " + fileName);
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) throw EExtGridError("Cannot open file " + fileName);
  ReadDelimitedText(grid, text, o);
}
