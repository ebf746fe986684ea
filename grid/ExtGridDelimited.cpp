// Reading delimited text (CSV and its kin) into the grid.
//
// Tolerant reader: it reads what RFC 4180 readers such as Python's csv module
// read. Departures from the line-by-line original:
// - a line break inside a quoted field belongs to the field instead of ending
//   the row;
// - two quotes inside a quoted field stand for one quote (the original
//   collapsed every run of quotes to one, losing quotes);
// - text after a quoted field's closing quote is kept up to the delimiter,
//   and a quote inside an unquoted field is an ordinary character;
// - a quote that never closes runs to the end of the input;
// - a UTF-8 byte-order mark at the start is dropped;
// - the delimiter is detected from the first two records, with the contents
//   of quoted fields left out of the count.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <utility>

#include "ExtGridDelimitedScan.h"

using namespace delimited;

namespace {
// Queued messages are handled at least this often while a large file loads.
constexpr auto MessageInterval = std::chrono::milliseconds(50);
}  // namespace

// A field's cell text: quotes of a quoted field undone ("" is one quote),
// then its line breaks: "~" with tildeLineBreaks, else every lone LF, as
// CR LF.
void delimited::DecodeField(std::string_view text, const TRawField& f, bool tildeLineBreaks, std::string& out) {
  const char* p = text.data();
  size_t i = f.Start, end = f.End;
  const bool tildes = tildeLineBreaks && text.substr(i, end - i).find('~') != std::string_view::npos;
  if (!f.Quoted && !tildes) {
    out.assign(p + i, end - i);  // nothing to decode: unquoted fields hold no line break
    return;
  }
  if (f.Quoted && !tildes && end - i >= 2 && p[end - 1] == kQuote) {
    // Most quoted fields only enclose their text: nothing inside to undo.
    const std::string_view inside = text.substr(i + 1, end - i - 2);
    if (inside.find(kQuote) == std::string_view::npos &&
        (tildeLineBreaks || inside.find('\n') == std::string_view::npos)) {
      out.assign(inside);
      return;
    }
  }
  out.clear();
  bool quoted = f.Quoted;
  if (quoted) ++i;
  for (; i < end; ++i) {
    const char c = p[i];
    if (quoted && c == kQuote) {
      if (i + 1 < end && p[i + 1] == kQuote) ++i;
      else {
        quoted = false;
        continue;
      }
    }
    if (tildeLineBreaks ? c == '~' : c == '\n' && (out.empty() || out.back() != '\r')) {
      out += "\r\n";
      continue;
    }
    out += c;
  }
}

namespace {
// The first two records with candidate as the delimiter, each quoted field
// standing as one neutral character, so that only delimiters outside quotes
// count.
int LoneDelimitersOutsideQuotes(std::string_view text, char candidate, int& second) {
  TRecordScanner scanner(text, candidate);
  int counts[2] = {0, 0};
  for (int record = 0; record < 2; ++record) {
    std::string masked;
    bool first = true;
    if (!scanner.NextRecord([&](const TRawField& f) {
          if (!first) masked += candidate;
          first = false;
          if (f.Quoted) masked += 'x';
          else masked.append(text.substr(f.Start, f.End - f.Start));
        }))
      break;
    counts[record] = CountDelimiters(candidate, masked);
  }
  second = counts[1];
  return counts[0];
}

std::string_view WithoutBom(std::string_view text) {
  if (text.starts_with(kUtf8Bom)) text.remove_prefix(kUtf8Bom.size());
  return text;
}
}  // namespace

char DetectDelimiter(std::string_view text) {
  text = WithoutBom(text);
  char best = 0;
  int bestCount = 0;
  for (char c : kDelimiterCandidates) {
    int n2 = 0;
    int n1 = LoneDelimitersOutsideQuotes(text, c, n2);
    if (n1 == n2 && n1 > bestCount) {
      best = c;
      bestCount = n1;
    }
  }
  return best;
}

std::vector<std::vector<std::string>> DelimitedRecords(std::string_view text, char delimiter, bool tildeLineBreaks) {
  text = WithoutBom(text);
  std::vector<std::vector<std::string>> records;
  TRecordScanner scanner(text, delimiter ? (unsigned char)delimiter : kNoDelimiter);
  std::vector<std::string> fields;
  while (scanner.NextRecord([&](const TRawField& f) {
    fields.emplace_back();
    DecodeField(text, f, tildeLineBreaks, fields.back());
  }))
    records.push_back(std::exchange(fields, {}));
  return records;
}

int delimited::ScannerDelimiter(std::string_view text, const TDelimitedOptions& o) {
  const char d = o.FieldDelimiter ? o.FieldDelimiter : DetectDelimiter(text);
  return d ? (unsigned char)d : kNoDelimiter;
}

TGridFiller::TGridFiller(TGridData& grid, const TDelimitedOptions& o, int count, int widest)
    : FGrid(grid), FOptions(o), FC0(o.ExportFixedCells ? 0 : grid.FixedCols),
      FR0(o.ExportFixedCells ? 0 : grid.FixedRows), FCount(count), FWidest(widest),
      FLastMessages(std::chrono::steady_clock::now()) {
  if (grid.ColCount() < FC0 + widest) grid.SetColCount(FC0 + widest);
  grid.SetRowCount(FR0 + count);
}

void TGridFiller::Record(std::string_view text, const std::vector<TRawField>& fields) {
  if (FRow >= FCount) return;
  const int i = FRow++;
  const size_t n = std::min(fields.size(), size_t(FWidest));
  for (size_t j = 0; j < n; ++j)
    DecodeField(text, fields[j], FOptions.TildeLineBreaks, FGrid.Cell(FC0 + int(j), FR0 + i).Text);
  const int percent = int(std::lround((i + 1) * 100.0 / FCount));
  // The clock is read only every few hundred lines: reading it can cost
  // more than reading a line.
  if (percent == FLastPercent &&
      ((i + 1) % 256 != 0 || std::chrono::steady_clock::now() - FLastMessages < MessageInterval))
    return;
  if (FOptions.OnFileProgress && percent != FLastPercent) FOptions.OnFileProgress(percent);
  FLastPercent = percent;
  // Handled when the progress moves on or the interval has passed: once
  // per line would cost more than the reading itself.
  if (FOptions.ProcessMessages) FOptions.ProcessMessages();
  FLastMessages = std::chrono::steady_clock::now();
}

void TGridFiller::Done() { FGrid.CellsChanged(0, 0, FGrid.ColCount(), FGrid.RowCount()); }

void TGridFiller::Abandon() {
  // The fixed rows stay; what the file wrote into them is emptied.
  const int keep = std::max(FR0, FGrid.FixedRows);
  for (int r = FR0; r < std::min(keep, FR0 + FRow); ++r)
    for (int c = FC0; c < FC0 + FWidest; ++c) FGrid.Cell(c, r).Text.clear();
  FGrid.SetRowCount(keep);
  Done();
}

void ReadDelimitedText(TGridData& grid, std::string_view text, const TDelimitedOptions& o) {
  text = WithoutBom(text);
  std::string converted;
  if (o.OemToAnsi) {  // the quotes, delimiters and line breaks are the same in both code pages
    converted = o.OemToAnsi(std::string(text));
    text = converted;
  }
  const int delimiter = ScannerDelimiter(text, o);

  // A first pass sizes the grid once; the second fills it.
  int count = 0, widest = 0;
  {
    TRecordScanner scanner(text, delimiter);
    int fields = 0;
    while (scanner.NextRecord([&](const TRawField&) { ++fields; })) {
      ++count;
      widest = std::max(widest, fields);
      fields = 0;
    }
  }
  TGridFiller filler(grid, o, count, widest);
  TRecordScanner scanner(text, delimiter);
  std::vector<TRawField> fields;
  for (;;) {
    fields.clear();
    if (!scanner.NextRecord([&](const TRawField& f) { fields.push_back(f); })) break;
    filler.Record(text, fields);
  }
  filler.Done();
}
