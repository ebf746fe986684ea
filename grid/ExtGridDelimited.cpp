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
#include <fstream>
#include <utility>

#include "ExtGridText.h"

namespace {
constexpr char Quote = '"';
constexpr char DelimiterCandidates[] = {',', ';', '#', '\t', '|'};
constexpr std::string_view Utf8Bom = "\xEF\xBB\xBF";
constexpr int NoDelimiter = -1;
// Queued messages are handled at least this often while a large file loads.
constexpr auto MessageInterval = std::chrono::milliseconds(50);

// One field of the text: [Start, End) and whether it began with a quote.
struct TRawField {
  size_t Start = 0, End = 0;
  bool Quoted = false;
};

// Cuts text into records of fields. delimiter is a character value or
// NoDelimiter; when it is the quote itself, quotes have no meaning.
class TRecordScanner {
public:
  TRecordScanner(std::string_view text, int delimiter) : FText(text), FDelimiter(delimiter) {}

  // Calls onField for each field of the next record; false at the end.
  template <class F>
  bool NextRecord(F&& onField) {
    const size_t n = FText.size();
    if (FPos >= n) return false;
    for (;;) {
      TRawField f{FPos, FPos, false};
      // A delimiter at the very end leaves one empty field after it.
      if (FPos < n && FText[FPos] == Quote && FDelimiter != Quote) {
        f.Quoted = true;
        FPos = ClosingQuoteEnd(FPos + 1);
      }
      FPos = FieldEnd(FPos);
      f.End = FPos;
      onField(f);
      if (FPos >= n) return true;
      const char c = FText[FPos++];
      if (c == '\r' && FPos < n && FText[FPos] == '\n') ++FPos;
      if (c == '\r' || c == '\n') return true;
    }
  }

private:
  // The position after the quote that closes a quoted field (a doubled
  // quote does not close it); the end of the text when none does.
  size_t ClosingQuoteEnd(size_t pos) const {
    for (;;) {
      size_t q = FText.find(Quote, pos);
      if (q == std::string_view::npos) return FText.size();
      if (q + 1 < FText.size() && FText[q + 1] == Quote) pos = q + 2;
      else return q + 1;
    }
  }
  size_t FieldEnd(size_t pos) const {
    const char* p = FText.data();
    const size_t n = FText.size();
    const char d = FDelimiter == NoDelimiter ? '\n' : char(FDelimiter);
    while (pos < n && p[pos] != d && p[pos] != '\r' && p[pos] != '\n') ++pos;
    return pos;
  }

  std::string_view FText;
  int FDelimiter;
  size_t FPos = 0;
};

// A field's cell text: quotes of a quoted field undone ("" is one quote),
// then its line breaks: "~" with tildeLineBreaks, else every lone LF, as
// CR LF.
void DecodeField(std::string_view text, const TRawField& f, bool tildeLineBreaks, std::string& out) {
  const char* p = text.data();
  size_t i = f.Start, end = f.End;
  const bool tildes = tildeLineBreaks && text.substr(i, end - i).find('~') != std::string_view::npos;
  if (!f.Quoted && !tildes) {
    out.assign(p + i, end - i);  // nothing to decode: unquoted fields hold no line break
    return;
  }
  out.clear();
  bool quoted = f.Quoted;
  if (quoted) ++i;
  for (; i < end; ++i) {
    const char c = p[i];
    if (quoted && c == Quote) {
      if (i + 1 < end && p[i + 1] == Quote) ++i;
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
  if (text.starts_with(Utf8Bom)) text.remove_prefix(Utf8Bom.size());
  return text;
}
}  // namespace

char DetectDelimiter(std::string_view text) {
  text = WithoutBom(text);
  char best = 0;
  int bestCount = 0;
  for (char c : DelimiterCandidates) {
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
  TRecordScanner scanner(text, delimiter ? (unsigned char)delimiter : NoDelimiter);
  std::vector<std::string> fields;
  while (scanner.NextRecord([&](const TRawField& f) {
    fields.emplace_back();
    DecodeField(text, f, tildeLineBreaks, fields.back());
  }))
    records.push_back(std::exchange(fields, {}));
  return records;
}

void ReadDelimitedText(TGridData& grid, std::string_view text, const TDelimitedOptions& o) {
  const int c0 = o.ExportFixedCells ? 0 : grid.FixedCols, r0 = o.ExportFixedCells ? 0 : grid.FixedRows;
  text = WithoutBom(text);
  std::string converted;
  if (o.OemToAnsi) {  // the quotes, delimiters and line breaks are the same in both code pages
    converted = o.OemToAnsi(std::string(text));
    text = converted;
  }
  const char detected = o.FieldDelimiter ? o.FieldDelimiter : DetectDelimiter(text);
  const int delimiter = detected ? (unsigned char)detected : NoDelimiter;

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
  if (grid.ColCount() < c0 + widest) grid.SetColCount(c0 + widest);
  grid.SetRowCount(r0 + count);

  TRecordScanner scanner(text, delimiter);
  int lastPercent = -1;
  auto lastMessages = std::chrono::steady_clock::now();
  for (int i = 0; i < count; ++i) {
    int j = 0;
    scanner.NextRecord(
        [&](const TRawField& f) { DecodeField(text, f, o.TildeLineBreaks, grid.Cell(c0 + j++, r0 + i).Text); });
    const int percent = int(std::lround((i + 1) * 100.0 / count));
    // The clock is read only every few hundred lines: reading it can cost
    // more than reading a line.
    if (percent == lastPercent &&
        ((i + 1) % 256 != 0 || std::chrono::steady_clock::now() - lastMessages < MessageInterval))
      continue;
    if (o.OnFileProgress && percent != lastPercent) o.OnFileProgress(percent);
    lastPercent = percent;
    // Handled when the progress moves on or the interval has passed: once
    // per line would cost more than the reading itself.
    if (o.ProcessMessages) o.ProcessMessages();
    lastMessages = std::chrono::steady_clock::now();
  }
  grid.CellsChanged(0, 0, grid.ColCount(), grid.RowCount());
}

void LoadFromDelimitedFile(TGridData& grid, const std::string& fileName, const TDelimitedOptions& o) {
  std::ifstream in(fileName, std::ios::binary | std::ios::ate);
  if (!in) throw EExtGridError("Cannot open file " + fileName);
  const std::streamoff size = in.tellg();
  std::string text;
  if (size > 0) {
    text.resize(size_t(size));
    in.seekg(0);
    in.read(text.data(), std::streamsize(size));
  }
  if (size < 0 || in.bad() || in.gcount() != std::streamsize(text.size()))
    throw EExtGridError("Cannot open file " + fileName);
  ReadDelimitedText(grid, text, o);
}
