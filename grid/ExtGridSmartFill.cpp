// The smart fill after a paste: one value copied over the selection, or a
// series of dates, numbers or integers continued from two values.
#include <algorithm>
#include <cctype>
#include <cstdio>

#include "ExtGridText.h"

namespace {
bool Has(const std::string& s, char c) { return s.find(c) != std::string::npos; }

constexpr const char* kDefaultFloatFormat = "%.2f";

// A format holds exactly one floating-point conversion ("%", flags, width,
// precision, one of "eEfgG"); "%%" stands for itself. Anything else could make
// printf read what was never passed.
bool IsFloatFormat(const std::string& f) {
  int conversions = 0;
  for (size_t i = 0; i < f.size(); ++i) {
    if (f[i] != '%') continue;
    if (i + 1 < f.size() && f[i + 1] == '%') {
      ++i;
      continue;
    }
    ++i;
    while (i < f.size() && std::string_view("-+ #0").find(f[i]) != std::string_view::npos) ++i;
    while (i < f.size() && (std::isdigit((unsigned char)f[i]) || f[i] == '.')) ++i;
    if (i >= f.size() || std::string_view("eEfgG").find(f[i]) == std::string_view::npos) return false;
    ++conversions;
  }
  return conversions == 1;
}

std::string FormatFloat(const std::string& format, double v) {
  char buf[64];
  int n = std::snprintf(buf, sizeof buf, IsFloatFormat(format) ? format.c_str() : kDefaultFloatFormat, v);
  return n < 0 ? std::string() : std::string(buf, size_t(std::min(n, int(sizeof buf) - 1)));
}
}  // namespace

void SmartFill(TGridData& grid, const TGridRect& sel, int pasteCount, const TSmartFillOptions& o) {
  const int cols = sel.Right - sel.Left + 1, rows = sel.Bottom - sel.Top + 1;
  if (cols <= 0 || rows <= 0) return;
  auto editable = [&](int c, int r) { return !o.CanEdit || o.CanEdit(c, r); };
  auto each = [&](auto&& write) {  // column by column, top to bottom
    for (int c = sel.Left; c <= sel.Right; ++c)
      for (int r = sel.Top; r <= sel.Bottom; ++r) write(c, r);
  };
  const std::string first = grid.Cells(sel.Left, sel.Top);
  if (pasteCount == 2 && cols * rows > 1) {
    each([&](int c, int r) {
      if (editable(c, r)) grid.SetCells(c, r, first);
    });
    return;
  }
  if (pasteCount != 3 || (cols != 1 && rows != 1)) return;
  const std::string second = cols == 1 ? grid.Cells(sel.Left, sel.Top + 1) : grid.Cells(sel.Left + 1, sel.Top);
  const TGridFormat& f = GridFormat();
  if (Has(first, f.DateSeparator) && Has(second, f.DateSeparator)) {
    TDateTime d1 = 0, d2 = 0;
    if (!TryParseDate(o.DatePattern, first, d1) || !TryParseDate(o.DatePattern, second, d2)) return;
    int y1, m1, day1, y2, m2, day2;
    DecodeDate(d1, y1, m1, day1);
    DecodeDate(d2, y2, m2, day2);
    TDateTime v = d1;
    each([&](int c, int r) {
      if (editable(c, r)) grid.SetCells(c, r, FormatDate(o.DatePattern, v));
      v = NextSeriesDate(y2 - y1, m2 - m1, day2 - day1, d2 - d1, v);
    });
  } else if (Has(first, f.DecimalSeparator) || Has(second, f.DecimalSeparator)) {
    double f1 = 0, f2 = 0;
    if (!TextToFloat(NumberText(first), f1) || !TextToFloat(NumberText(second), f2)) return;
    double v = f1;
    each([&](int c, int r) {
      if (editable(c, r)) grid.SetCells(c, r, FormatFloat(o.FloatFormat, v));
      v += f2 - f1;
    });
  } else {
    int i1 = 0, i2 = 0;
    if (!TryStrToInt(first, i1) || !TryStrToInt(second, i2)) return;
    long long v = i1;
    each([&](int c, int r) {
      if (editable(c, r)) grid.SetCells(c, r, IntToStr(v));
      v += (long long)i2 - i1;
    });
  }
}
