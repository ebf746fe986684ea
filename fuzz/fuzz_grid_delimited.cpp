// Fuzz target: any bytes read as delimited text into a grid. The first byte
// picks a fixed delimiter (or detection) and the tilde line breaks.
#include <cstdint>
#include <string_view>

#include "ExtGridText.h"

namespace {
constexpr size_t MaxInput = 4096;  // keeps rows x columns of empty cells small
constexpr char Delimiters[] = {0, ',', ';', '\t', '|', '"'};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0 || size > MaxInput) return 0;
  std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
  TDelimitedOptions o;
  o.FieldDelimiter = Delimiters[data[0] % std::size(Delimiters)];
  o.TildeLineBreaks = data[0] & 0x80;
  o.ExportFixedCells = data[0] & 0x40;
  TGridData grid(2, 2);
  ReadDelimitedText(grid, text, o);
  if (grid.RowCount() > int(size) + 2) __builtin_trap();  // never more rows than lines
  return 0;
}
