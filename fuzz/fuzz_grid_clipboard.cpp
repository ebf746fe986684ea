// Fuzz target: any text pasted into a grid as clipboard text, then copied back.
#include <cstdint>
#include <string_view>

#include "ExtGridText.h"

namespace {
constexpr size_t MaxInput = 4096;  // the grid grows with the pasted lines and fields
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0 || size > MaxInput) return 0;
  std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
  TGridData grid(3, 3);
  TPasteOptions p;
  p.QuoteMultilineClipboard = data[0] & 1;
  p.AllowClipboardColGrow = data[0] & 2;
  p.AllowClipboardRowGrow = data[0] & 4;
  PasteText(grid, data[0] % 4, (data[0] >> 4) % 4, text, p);
  TTextSize s = ClipboardTextSize(text);
  if (s.Cols < 0 || s.Rows < 0) __builtin_trap();
  TClipboardOptions c;
  c.Multilinecells = true;
  c.QuoteMultilineClipboard = p.QuoteMultilineClipboard;
  c.CopyHTMLTags = data[0] & 8;
  RangeAsText(grid, 0, 0, grid.ColCount() - 1, grid.RowCount() - 1, c);
  return 0;
}
