// The delimited reader's parts shared by the text and the file readers:
// cutting text into records of fields, decoding a field, and filling the grid
// record by record. Internal to the grid model.
#pragma once
#include <chrono>
#include <string>
#include <string_view>
#include <vector>

#include "ExtGridText.h"

namespace delimited {
constexpr char kQuote = '"';
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr int kNoDelimiter = -1;
// The delimiters that detection tries, in this order.
constexpr char kDelimiterCandidates[] = {',', ';', '#', '\t', '|'};

// One field of the text: [Start, End) and whether it began with a quote.
struct TRawField {
  size_t Start = 0, End = 0;
  bool Quoted = false;
};

// Cuts text into records of fields. delimiter is a character value or
// NoDelimiter; when it is the quote itself, quotes have no meaning.
class TRecordScanner {
public:
  TRecordScanner(std::string_view text, int delimiter) : FText(text), FDelimiter(delimiter) {
    FEndsField['\r'] = FEndsField['\n'] = true;
    if (delimiter != kNoDelimiter) FEndsField[(unsigned char)delimiter] = true;
  }

  // Where the next record starts.
  size_t Pos() const { return FPos; }

  // Calls onField for each field of the next record; false at the end.
  template <class F>
  bool NextRecord(F&& onField) {
    const size_t n = FText.size();
    if (FPos >= n) return false;
    for (;;) {
      const size_t start = FPos;
      bool quoted = false;
      // A delimiter at the very end leaves one empty field after it.
      if (FPos < n && FText[FPos] == kQuote && FDelimiter != kQuote) {
        quoted = true;
        FPos = ClosingQuoteEnd(FPos + 1);
      }
      FPos = FieldEnd(FPos);
      onField(TRawField{start, FPos, quoted});
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
      size_t q = FText.find(kQuote, pos);
      if (q == std::string_view::npos) return FText.size();
      if (q + 1 < FText.size() && FText[q + 1] == kQuote) pos = q + 2;
      else return q + 1;
    }
  }
  size_t FieldEnd(size_t pos) const {
    const char* p = FText.data();
    const size_t n = FText.size();
    while (pos < n && !FEndsField[(unsigned char)p[pos]]) ++pos;
    return pos;
  }

  std::string_view FText;
  int FDelimiter;
  size_t FPos = 0;
  bool FEndsField[256] = {};  // the delimiter, CR and LF
};

// A field's cell text: quotes of a quoted field undone ("" is one quote),
// then its line breaks: "~" with tildeLineBreaks, else every lone LF, as
// CR LF.
void DecodeField(std::string_view text, const TRawField& f, bool tildeLineBreaks, std::string& out);

// The delimiter of the options, else the one detected in text, as the
// scanner takes it.
int ScannerDelimiter(std::string_view text, const TDelimitedOptions& o);

// Sizes the grid for count records of at most widest fields, then fills it a
// record at a time, reporting progress and handling messages as it goes.
// Records and fields beyond that size are left out.
class TGridFiller {
public:
  TGridFiller(TGridData& grid, const TDelimitedOptions& o, int count, int widest);
  // The record's fields, found in text.
  void Record(std::string_view text, const std::vector<TRawField>& fields);
  // Tells the grid its cells changed.
  void Done();
  // Takes the records filled so far out again, for a load that failed
  // half-way: the grid shows none of a file rather than a part of it.
  void Abandon();

private:
  TGridData& FGrid;
  const TDelimitedOptions& FOptions;
  int FC0, FR0, FCount, FWidest;
  int FRow = 0, FLastPercent = -1;
  std::chrono::steady_clock::time_point FLastMessages;
};
}  // namespace delimited
