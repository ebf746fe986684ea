// Loading a delimited file into the grid. The file is read a block at a time,
// twice (once to size the grid, once to fill it), instead of whole: a large
// file then costs no memory of its own size, and the grid gets the same cells
// as ReadDelimitedText gives for the file's whole text.
#include <algorithm>
#include <fstream>

#include "ExtGridDelimitedScan.h"

using namespace delimited;

namespace {
// Text of a file, read a block at a time, handed out a whole number of
// records at a time.
class TBlockReader {
public:
  TBlockReader(const std::string& fileName, size_t blockSize)
      : FName(fileName), FIn(fileName, std::ios::binary), FBlock(std::max<size_t>(blockSize, 1)) {
    if (!FIn) Fail();
  }

  // Starts over at the start of the file, past a UTF-8 byte-order mark.
  void Rewind() {
    FIn.clear();
    FIn.seekg(0);
    if (!FIn) Fail();
    FText.clear();
    FEnd = false;
    while (FText.size() < kUtf8Bom.size() && Fill()) {}
    if (std::string_view(FText).starts_with(kUtf8Bom)) FText.erase(0, kUtf8Bom.size());
  }

  // The text read so far that is not yet taken.
  std::string_view Text() const { return FText; }
  bool AtEnd() const { return FEnd; }

  // Drops the first n bytes of Text and reads on; false when the file has
  // no more.
  bool TakeAndReadOn(size_t n) {
    FText.erase(0, n);
    return Fill();
  }

  // Calls onRecord(text, fields) for each record of the file, with the
  // delimiter as the scanner takes it.
  template <class F>
  void ForEachRecord(int delimiter, F&& onRecord) {
    Rewind();
    std::vector<TRawField> fields;
    for (;;) {
      const std::string_view text = Text();
      TRecordScanner scanner(text, delimiter);
      size_t taken = 0;
      for (;;) {
        fields.clear();
        if (!scanner.NextRecord([&](const TRawField& f) { fields.push_back(f); })) break;
        // A record that reaches the end of what was read may go on (or its
        // CR be followed by an LF) in what comes next.
        if (!FEnd && scanner.Pos() >= text.size()) break;
        onRecord(text, fields);
        taken = scanner.Pos();
      }
      if (FEnd) return;
      TakeAndReadOn(taken);
    }
  }

  // Whether Text holds the first two records for every candidate delimiter
  // (or the whole file), so that detection sees what it would in the whole.
  bool HoldsTwoRecords() const {
    if (FEnd) return true;
    for (char candidate : kDelimiterCandidates) {
      TRecordScanner scanner(FText, (unsigned char)candidate);
      for (int record = 0; record < 2; ++record)
        if (!scanner.NextRecord([](const TRawField&) {}) || scanner.Pos() >= FText.size()) return false;
    }
    return true;
  }

private:
  [[noreturn]] void Fail() const { throw EExtGridError("Cannot open file " + FName); }

  // Appends the next block; false (and AtEnd) when the file has no more. A
  // record longer than a block makes the blocks grow with it.
  bool Fill() {
    if (FEnd) return false;
    const size_t old = FText.size();
    const size_t want = std::max(FBlock, old);
    FText.resize(old + want);
    FIn.read(FText.data() + old, std::streamsize(want));
    const size_t got = size_t(FIn.gcount());
    FText.resize(old + got);
    if (FIn.bad()) Fail();
    if (got == 0) FEnd = true;
    return !FEnd;
  }

  std::string FName;
  std::ifstream FIn;
  size_t FBlock;
  std::string FText;
  bool FEnd = false;
};

int FileDelimiter(TBlockReader& reader, const TDelimitedOptions& o) {
  if (o.FieldDelimiter) return (unsigned char)o.FieldDelimiter;
  reader.Rewind();
  while (!reader.HoldsTwoRecords()) reader.TakeAndReadOn(0);
  return ScannerDelimiter(reader.Text(), o);
}

void LoadWholeFile(TGridData& grid, const std::string& fileName, const TDelimitedOptions& o) {
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
}  // namespace

void LoadFromDelimitedFile(TGridData& grid, const std::string& fileName, const TDelimitedOptions& o,
                           size_t blockSize) {
  // A code page conversion takes the whole text.
  if (o.OemToAnsi) return LoadWholeFile(grid, fileName, o);
  TBlockReader reader(fileName, blockSize);
  const int delimiter = FileDelimiter(reader, o);
  int count = 0, widest = 0;
  reader.ForEachRecord(delimiter, [&](std::string_view, const std::vector<TRawField>& fields) {
    ++count;
    widest = std::max(widest, int(fields.size()));
  });
  TGridFiller filler(grid, o, count, widest);
  try {
    reader.ForEachRecord(delimiter, [&](std::string_view text, const std::vector<TRawField>& fields) {
      filler.Record(text, fields);
    });
  } catch (...) {
    // A read that fails on the second pass (or a handler that throws) would
    // leave part of the file in the grid, which a save would then shorten.
    filler.Abandon();
    throw;
  }
  filler.Done();
}
