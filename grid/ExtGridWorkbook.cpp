// The spreadsheet's A1 addresses, for the workbook export and import.
#include "ExtGridText.h"

std::string ColumnLetters(int n) {
  std::string s;
  for (; n > 0; n = (n - 1) / 26) s.insert(s.begin(), char('A' + (n - 1) % 26));
  return s;
}

// "$A$1:$D$10": each half is "$", letters, "$", digits. Letters are read as
// the spreadsheet numbers them (A = 1, Z = 26, AA = 27), any count of them.
bool ParseA1Range(std::string_view address, TA1Range& out) {
  constexpr int kMaxColumn = 1 << 20;  // beyond any sheet; keeps the arithmetic in range
  auto half = [&](std::string_view h, int& col, int& row) {
    if (h.starts_with('$')) h.remove_prefix(1);
    size_t dollar = h.find('$');
    if (dollar == 0 || dollar == std::string_view::npos || dollar + 1 >= h.size()) return false;
    col = 0;
    for (char c : h.substr(0, dollar)) {
      char u = char(c & ~0x20);
      if (u < 'A' || u > 'Z' || col > kMaxColumn) return false;
      col = col * 26 + (u - 'A' + 1);
    }
    return TryStrToInt(h.substr(dollar + 1), row) && row > 0;
  };
  size_t colon = address.find(':');
  // A used range of one cell is written as that cell alone ("$A$1").
  if (colon == std::string_view::npos) {
    if (!half(address, out.FirstCol, out.FirstRow)) return false;
    out.LastCol = out.FirstCol, out.LastRow = out.FirstRow;
    return true;
  }
  return half(address.substr(0, colon), out.FirstCol, out.FirstRow) &&
         half(address.substr(colon + 1), out.LastCol, out.LastRow) && out.LastCol >= out.FirstCol &&
         out.LastRow >= out.FirstRow;
}
