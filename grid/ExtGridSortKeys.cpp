// The keys that the keyed sort formats compare, and the per-sort store of
// each column's format and keys.
#include "ExtGridSortKeys.h"

#include <algorithm>
#include <cmath>

namespace gridsort {
namespace {
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A "/" at position 2 or 3 (1-based), before the last character, with digits
// on both sides.
bool LooksLikeDate(std::string_view s) {
  size_t p = s.find('/');
  return p != std::string::npos && (p == 1 || p == 2) && p + 1 < s.size() && IsDigit(s[p - 1]) &&
         IsDigit(s[p + 1]);
}

// Numeric value of a cell text for the number formats; empty is 0, false
// when it does not convert.
bool SortNumber(std::string_view text, const std::string& prefix, const std::string& suffix, bool thousands,
                double& out) {
  const TGridFormat& f = GridFormat();
  if (!prefix.empty() && text.starts_with(prefix)) text.remove_prefix(prefix.size());
  if (!suffix.empty() && text.ends_with(suffix)) text.remove_suffix(suffix.size());
  out = 0;
  if (text.empty()) return true;
  bool rewrite = (thousands && text.find(f.ThousandSeparator) != std::string_view::npos) ||
                 (f.DecimalSeparator != '.' && text.find(f.DecimalSeparator) != std::string_view::npos);
  if (!rewrite) return TextToFloat(text, out);
  std::string s(text);
  if (thousands) s.erase(std::remove(s.begin(), s.end(), f.ThousandSeparator), s.end());
  if (f.DecimalSeparator != '.') {
    size_t p = s.find(f.DecimalSeparator);
    if (p != std::string::npos) s[p] = '.';
  }
  return s.empty() || TextToFloat(s, out);
}
}  // namespace

double LocaleDate(std::string_view s) {
  TDateTime d = 0;
  return TryParseDate(GridFormat().ShortDateFormat, std::string(s), d) ? d : 0;
}

// A text that the number classification accepts is a number; one written
// with thousand separators in their places ("1,234") is read without them.
// Under the automatic format a cell that does not convert ("555-1234")
// compares as text.
void ReadNumber(TCellKey& k, const TColumnFormat& f) {
  const bool thousands = f.Format == sfThousands || (f.Format == sfAuto && k.Float);
  k.NumberOk = SortNumber(k.Text, f.Prefix, f.Suffix, thousands, k.Number) && !std::isnan(k.Number);
}

TCellKey MakeKey(std::string_view text, const TColumnFormat& f, bool withNumber) {
  TCellKey k;
  k.Text = text;
  if (f.Format == sfText || f.Format == sfTextCase) return k;
  if (f.Format == sfAuto) {
    const int kind = NumberKind(text);
    k.Float = kind == nkFloat;
    k.Auto = kind != nkOther ? sfNumber : LooksLikeDate(text) ? sfDate : sfText;
  }
  if (withNumber) ReadNumber(k, f);
  return k;
}

int CompareKeys(TSortFormat format, const TCellKey& a, const TCellKey& b) {
  switch (format == sfAuto ? a.Auto : format) {
    case sfNumber:
    case sfThousands:
      if (a.NumberOk && b.NumberOk) return Sign(a.Number, b.Number);
      return format == sfAuto ? Sign(a.Text.compare(b.Text)) : 0;
    case sfDate: return Sign(a.Date, b.Date);
    default: return Sign(a.Text.compare(b.Text));
  }
}

int BlanksLast(int r, bool aEmpty, bool bEmpty, TSortDirection direction) {
  if (direction == sdAscending) {
    if (r == -1 && aEmpty) return 1;
    if (r == 1 && bEmpty) return -1;
  } else {
    if (r == 1 && aEmpty) return -1;
    if (r == -1 && bEmpty) return 1;
  }
  return r;
}
}  // namespace gridsort

using namespace gridsort;

TGridData::TSortKeys::TColumn& TGridData::TSortKeys::Column(int col) { return FColumns.at(size_t(col)); }

const TColumnFormat& TGridData::TSortKeys::Format(int col) {
  TColumn& c = Column(col);
  if (!c.HasFormat) {
    c.HasFormat = true;
    c.Format.Format = FGrid.SortAutoFormat ? sfAuto : sfText;
    if (FGrid.OnGetFormat) FGrid.OnGetFormat(col, c.Format.Format, c.Format.Prefix, c.Format.Suffix);
  }
  return c.Format;
}

int TGridData::TSortKeys::Compare(int col, int rowA, int rowB) {
  if (col < 0 || col >= FGrid.PhysicalCols()) return FGrid.CompareCells(col, rowA, rowB);
  TColumn& c = Column(col);
  // A tie-break column is read cell by cell while ties are few; its keys
  // are made once they are not.
  if (!c.Built && ++c.CellCompares <= kCellComparesBeforeKeys) return FGrid.CompareCells(col, rowA, rowB);
  if (!c.Built) Build(col, c);
  if (!c.Keyed || rowA < FFirst || rowB < FFirst || rowA > FLast || rowB > FLast)
    return FGrid.CompareCells(col, rowA, rowB);
  ++FGrid.CompareCount;
  const TCellKey &a = c.Keys[size_t(rowA - FFirst)], &b = c.Keys[size_t(rowB - FFirst)];
  int r = CompareKeys(c.Format.Format, a, b);
  return FGrid.SortIgnoreBlanks ? BlanksLast(r, a.Text.empty(), b.Text.empty(), FGrid.SortDirection) : r;
}

void TGridData::TSortKeys::Build(int col, TColumn& c) {
  c.Built = true;
  const TColumnFormat& f = Format(col);
  c.Keyed = Keyed(f.Format);
  if (!c.Keyed) return;
  c.Keys.reserve(size_t(FLast - FFirst + 1));
  bool dates = false, numbers = f.Format != sfAuto;
  for (int r = FFirst; r <= FLast; ++r) {
    c.Keys.push_back(MakeKey(FGrid.Cells(col, r), f, false));
    dates = dates || c.Keys.back().Auto == sfDate;
    numbers = numbers || c.Keys.back().Auto == sfNumber;
  }
  if (numbers && f.Format != sfText && f.Format != sfTextCase)
    for (TCellKey& k : c.Keys) ReadNumber(k, f);
  if (dates)  // a date compares with the other cell's date
    for (TCellKey& k : c.Keys) k.Date = LocaleDate(k.Text);
}
