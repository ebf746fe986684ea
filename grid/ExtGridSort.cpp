// Row sorting: the compare rules, the cells' sort keys and a stable merge
// sort of whole rows.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "ExtGridCells.h"
#include "ExtGridHTML.h"

namespace {
int Sign(double a, double b) { return a > b ? 1 : a < b ? -1 : 0; }
int Sign(int c) { return c > 0 ? 1 : c < 0 ? -1 : 0; }
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

double LocaleDate(std::string_view s) {
  TDateTime d = 0;
  return TryParseDate(GridFormat().ShortDateFormat, std::string(s), d) ? d : 0;
}

int PictureValue(const TCellGraphic* g) { return g && g->Kind == gkImageRow ? g->Value : -1; }

bool Keyed(TSortFormat f) { return f == sfAuto || f == sfText || f == sfTextCase || f == sfNumber || f == sfThousands; }

// What the keyed formats compare of a cell, read once per cell and sort.
struct TCellKey {
  std::string_view Text;
  double Number = 0, Date = 0;
  bool NumberOk = false;
  TSortFormat Auto = sfText;  // the automatic format's choice for this cell as the first one
};

// A text that the number classification accepts is a number; one written
// with thousand separators in their places ("1,234") is read without them.
// Under the automatic format a cell that does not convert ("555-1234")
// compares as text.
void ReadNumber(TCellKey& k, TSortFormat format, const std::string& prefix, const std::string& suffix) {
  const bool thousands = format == sfThousands || (format == sfAuto && NumberKind(k.Text) == nkFloat);
  k.NumberOk = SortNumber(k.Text, prefix, suffix, thousands, k.Number) && !std::isnan(k.Number);
}

// withNumber false leaves the number to be read later (only needed when
// some cell of the column is a number).
TCellKey MakeKey(std::string_view text, TSortFormat format, const std::string& prefix, const std::string& suffix,
                 bool withNumber = true) {
  TCellKey k;
  k.Text = text;
  if (format == sfText || format == sfTextCase) return k;
  if (format == sfAuto) k.Auto = NumberKind(text) != nkOther ? sfNumber : LooksLikeDate(text) ? sfDate : sfText;
  if (withNumber) ReadNumber(k, format, prefix, suffix);
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

// Empty cells go last in both directions.
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
}  // namespace

// The keys of every cell of rows first..last, made per column on first need
// (the tie-break columns only when a tie asks for them), so that a sort reads
// and classifies each cell once instead of at every comparison. Formats that
// depend on the user's events or on pictures are compared cell by cell.
class TGridData::TSortKeys {
public:
  TSortKeys(TGridData& grid, int first, int last) : FGrid(grid), FFirst(first), FLast(last) {}

  int Compare(int col, int rowA, int rowB) {
    if (col < 0 || col >= FGrid.PhysicalCols()) return FGrid.CompareCells(col, rowA, rowB);
    if (size_t(col) >= FColumns.size()) FColumns.resize(size_t(col) + 1);
    TColumn& c = FColumns[size_t(col)];
    // A tie-break column is read cell by cell while ties are few; its keys
    // are made once they are not.
    if (!c.Built && ++c.CellCompares <= CellComparesBeforeKeys) return FGrid.CompareCells(col, rowA, rowB);
    if (!c.Built) Build(col, c);
    if (!c.Keyed || rowA < FFirst || rowB < FFirst || rowA > FLast || rowB > FLast)
      return FGrid.CompareCells(col, rowA, rowB);
    ++FGrid.CompareCount;
    const TCellKey &a = c.Keys[size_t(rowA - FFirst)], &b = c.Keys[size_t(rowB - FFirst)];
    int r = CompareKeys(c.Format, a, b);
    return FGrid.SortIgnoreBlanks ? BlanksLast(r, a.Text.empty(), b.Text.empty(), FGrid.SortDirection) : r;
  }

  // One row's place in a sort by a column whose cells all compare alike
  // (all numbers, or all texts): the number, or the text's first 8 bytes in
  // their order, held beside the row so that a sort runs through memory in
  // order; a tie goes back to the cells.
  struct TEntry {
    double Number;
    uint64_t Prefix;
    int Row;
  };
  // The entries of rows first..last of a column that allows them; false
  // when its cells compare in mixed ways (or blanks go last).
  bool Entries(int col, int first, int last, std::vector<TEntry>& out, bool& numbers) {
    if (col < 0 || col >= FGrid.PhysicalCols() || FGrid.SortIgnoreBlanks || first < FFirst || last > FLast) return false;
    if (size_t(col) >= FColumns.size()) FColumns.resize(size_t(col) + 1);
    TColumn& c = FColumns[size_t(col)];
    if (!c.Built) Build(col, c);
    if (!c.Keyed) return false;
    const TSortFormat f = c.Format;
    bool allNumbers = f == sfNumber || f == sfThousands || f == sfAuto, allTexts = f != sfNumber && f != sfThousands;
    for (int r = first; r <= last; ++r) {
      const TCellKey& k = c.Keys[size_t(r - FFirst)];
      allNumbers = allNumbers && k.NumberOk && (f != sfAuto || k.Auto == sfNumber);
      allTexts = allTexts && (f != sfAuto || k.Auto == sfText);
    }
    if (!allNumbers && !allTexts) return false;
    numbers = allNumbers;
    out.clear();
    out.reserve(size_t(last - first + 1));
    for (int r = first; r <= last; ++r) {
      const TCellKey& k = c.Keys[size_t(r - FFirst)];
      uint64_t prefix = 0;
      for (size_t i = 0; i < 8; ++i) prefix = prefix << 8 | (i < k.Text.size() ? uint8_t(k.Text[i]) : 0);
      out.push_back(TEntry{k.Number, prefix, r});
    }
    return true;
  }
  // The cells' comparison of two entries whose numbers or prefixes are equal.
  int CompareText(int col, int rowA, int rowB) const {
    const TColumn& c = FColumns[size_t(col)];
    return Sign(c.Keys[size_t(rowA - FFirst)].Text.compare(c.Keys[size_t(rowB - FFirst)].Text));
  }

private:
  static constexpr int CellComparesBeforeKeys = 512;
  struct TColumn {
    bool Built = false, Keyed = false;
    int CellCompares = 0;
    TSortFormat Format = sfText;
    std::vector<TCellKey> Keys;
  };
  void Build(int col, TColumn& c) {
    c.Built = true;
    c.Format = FGrid.SortAutoFormat ? sfAuto : sfText;
    std::string prefix, suffix;
    if (FGrid.OnGetFormat) FGrid.OnGetFormat(col, c.Format, prefix, suffix);
    c.Keyed = Keyed(c.Format);
    if (!c.Keyed) return;
    c.Keys.reserve(size_t(FLast - FFirst + 1));
    bool dates = false, numbers = c.Format != sfAuto;
    for (int r = FFirst; r <= FLast; ++r) {
      c.Keys.push_back(MakeKey(FGrid.Cells(col, r), c.Format, prefix, suffix, false));
      dates = dates || c.Keys.back().Auto == sfDate;
      numbers = numbers || c.Keys.back().Auto == sfNumber;
    }
    if (numbers && c.Format != sfText && c.Format != sfTextCase)
      for (TCellKey& k : c.Keys) ReadNumber(k, c.Format, prefix, suffix);
    if (dates)  // a date compares with the other cell's date
      for (TCellKey& k : c.Keys) k.Date = LocaleDate(k.Text);
  }

  TGridData& FGrid;
  int FFirst, FLast;
  std::vector<TColumn> FColumns;
};

int TGridData::CompareCells(int col, int rowA, int rowB) {
  TSortFormat format = SortAutoFormat ? sfAuto : sfText;
  std::string prefix, suffix;
  if (OnGetFormat) OnGetFormat(col, format, prefix, suffix);
  const std::string &a = Cells(col, rowA), &b = Cells(col, rowB);
  ++CompareCount;
  int r = 0;
  if (Keyed(format)) {
    TCellKey x = MakeKey(a, format, prefix, suffix), y = MakeKey(b, format, prefix, suffix);
    if (format == sfAuto && x.Auto == sfDate) x.Date = LocaleDate(a), y.Date = LocaleDate(b);
    r = CompareKeys(format, x, y);
  } else {
    switch (format) {
      case sfDate: r = Sign(LocaleDate(a), LocaleDate(b)); break;
      case sfTextNoCase: r = Sign(UpperCase(a).compare(UpperCase(b))); break;
      case sfDayMonthYear: r = Sign(ParseDateDMY(a), ParseDateDMY(b)); break;
      case sfMonthDayYear: r = Sign(ParseDateMDY(a), ParseDateMDY(b)); break;
      case sfCustom:
        if (OnCustomCompare) OnCustomCompare(a, b, r);
        break;
      case sfLocaleText:
      case sfLocaleTextNoCase:
        if (LocaleCompare) r = Sign(LocaleCompare(a, b, format == sfLocaleTextNoCase));
        else r = format == sfLocaleText ? Sign(a.compare(b)) : Sign(CompareText(a, b));
        break;
      case sfRaw:
        if (OnRawCompare) OnRawCompare(col, rowA, rowB, r);
        break;
      case sfHtmlText: r = Sign(StripHTML(a).compare(StripHTML(b))); break;
      case sfPicture: {
        int pa = PictureValue(CellGraphic(col, rowA)), pb = PictureValue(CellGraphic(col, rowB));
        r = pb < pa ? 1 : pb == pa ? 0 : -1;
        break;
      }
      default: r = Sign(a.compare(b)); break;
    }
  }
  return SortIgnoreBlanks ? BlanksLast(r, a.empty(), b.empty(), SortDirection) : r;
}

int TGridData::FullCompare(TSortKeys& keys, int col, int rowA, int rowB) {
  for (;; ++col) {
    int r = keys.Compare(col, rowA, rowB);
    if (r != 0 || !SortFull || col > PhysicalCols() - 2) return r;
  }
}

int TGridData::FullCompare(int col, int rowA, int rowB) {
  TSortKeys keys(*this, 0, -1);  // no keys: cell by cell
  return FullCompare(keys, col, rowA, rowB);
}

int TGridData::IndexedFullCompare(TSortKeys& keys, int entry, int rowA, int rowB) {
  for (; entry < SortIndexList.Count(); ++entry) {
    int r = keys.Compare(SortIndexList.SortColumns(entry), rowA, rowB);
    if (r != 0 || !SortFull) return SortIndexList.SortDirections(entry) ? r : -r;
  }
  return 0;
}

int TGridData::IndexedFullCompare(int entry, int rowA, int rowB) {
  TSortKeys keys(*this, 0, -1);
  return IndexedFullCompare(keys, entry, rowA, rowB);
}

namespace {
// Bottom-up merge sort: stable, and safe whatever the comparison answers
// (the automatic format is decided by the first cell alone, so the order
// need not be consistent). compare(x, y) < 0 when x goes before y.
template <class T, class Compare>
void MergeSort(std::vector<T>& v, Compare compare) {
  const size_t n = v.size();
  std::vector<T> buffer(n);
  for (size_t width = 1; width < n; width *= 2) {
    for (size_t lo = 0; lo < n; lo += 2 * width) {
      size_t mid = std::min(lo + width, n), hi = std::min(lo + 2 * width, n), i = lo, j = mid, k = lo;
      if (mid >= hi || compare(v[mid], v[mid - 1]) >= 0) {  // already in order
        std::copy(v.begin() + long(lo), v.begin() + long(hi), buffer.begin() + long(lo));
        continue;
      }
      while (i < mid && j < hi) buffer[k++] = compare(v[j], v[i]) < 0 ? v[j++] : v[i++];
      while (i < mid) buffer[k++] = v[i++];
      while (j < hi) buffer[k++] = v[j++];
    }
    v.swap(buffer);
  }
}
}  // namespace

template <class Compare>
void TGridData::SortRange(int first, int last, Compare compare) {
  if (last - first < 1) return;
  std::vector<int> order;
  for (int r = first; r <= last; ++r) order.push_back(r);
  MergeSort(order, compare);
  ApplyRowOrder(first, order);
}

// Puts rows into the given order: row first + i takes old row order[i], with
// its height and selection flag. SortSingleColumn moves only the sort
// column's cells; SortNormalCellsOnly leaves column 0 where it was.
void TGridData::ApplyRowOrder(int first, const std::vector<int>& order) {
  const size_t n = order.size(), base = size_t(first);
  const int follow = SortFollowRow;
  for (size_t i = 0; i < n; ++i) {
    if (size_t(order[i]) == base + i) continue;
    ++SwapCount;
    if (order[i] == follow && !SortSingleColumn) SortFollowRow = int(base + i);
  }
  if (SortSingleColumn) {
    if (SortColumn < 0 || SortColumn >= PhysicalCols()) return;
    std::vector<TGridCell> cells(n);
    for (size_t i = 0; i < n; ++i) cells[i] = std::move(FRows[size_t(order[i])][size_t(SortColumn)]);
    for (size_t i = 0; i < n; ++i) FRows[base + i][size_t(SortColumn)] = std::move(cells[i]);
    return;
  }
  const bool keepCol0 = SortNormalCellsOnly && FixedCols > 0 && PhysicalCols() > 0;
  std::vector<TGridCell> col0;
  if (keepCol0)
    for (size_t i = 0; i < n; ++i) col0.push_back(std::move(FRows[base + i][0]));
  std::vector<std::vector<TGridCell>> rows(n);
  std::vector<int> heights(n);
  std::vector<bool> selected(n);
  for (size_t i = 0; i < n; ++i) {
    size_t from = size_t(order[i]);
    rows[i] = std::move(FRows[from]);
    heights[i] = FHeights[from];
    selected[i] = FRowSelect[from];
  }
  for (size_t i = 0; i < n; ++i) {
    size_t to = base + i;
    FRows[to] = std::move(rows[i]);
    FHeights[to] = heights[i];
    if (keepCol0) FRows[to][0] = std::move(col0[i]);
    FRowSelect[to] = selected[i];
  }
}

void TGridData::QSort() {
  SortIndexList.Clear();
  TSortKeys keys(*this, FirstNormalRow(), LastNormalRow());
  SortRows(keys, FirstNormalRow(), LastNormalRow());
}

// Rows first..last by SortColumn and SortDirection, the columns to the right
// breaking ties; through entries when the sort column's cells allow them.
void TGridData::SortRows(TSortKeys& keys, int first, int last) {
  const int d = SortDirection == sdAscending ? 1 : -1;
  std::vector<TSortKeys::TEntry> entries;
  bool numbers = false;
  if (last - first < 1 || !keys.Entries(SortColumn, first, last, entries, numbers)) {
    SortRange(first, last, [&](int a, int b) { return d * FullCompare(keys, SortColumn, a, b); });
    return;
  }
  const int col = SortColumn;
  const bool ties = SortFull && col <= PhysicalCols() - 2;
  MergeSort(entries, [&](const TSortKeys::TEntry& a, const TSortKeys::TEntry& b) {
    ++CompareCount;
    int r = numbers ? Sign(a.Number, b.Number) : a.Prefix < b.Prefix ? -1 : a.Prefix > b.Prefix ? 1 : 0;
    if (r == 0 && !numbers) r = keys.CompareText(col, a.Row, b.Row);
    if (r == 0 && ties) r = FullCompare(keys, col + 1, a.Row, b.Row);
    return d * r;
  });
  std::vector<int> order;
  order.reserve(entries.size());
  for (const TSortKeys::TEntry& e : entries) order.push_back(e.Row);
  ApplyRowOrder(first, order);
}

void TGridData::QSortIndexed() {
  if (SortIndexList.Count() == 0) throw EExtGridError("No indexes specified for indexed sort");
  TSortKeys keys(*this, FirstNormalRow(), LastNormalRow());
  SortRange(FirstNormalRow(), LastNormalRow(), [&](int a, int b) { return IndexedFullCompare(keys, 0, a, b); });
}

void TGridData::QSortNodes() {
  TSortKeys keys(*this, FirstNormalRow(), LastNormalRow());
  auto isNode = [&](int r) { return CellGraphicKind(0, r) == gkNode; };
  for (int r = FirstNormalRow(); r <= LastNormalRow(); ++r) {
    if (!isNode(r)) continue;
    int end = r + 1;
    while (end <= LastNormalRow() && !isNode(end)) ++end;
    SortRows(keys, r + 1, end - 1);
  }
}

bool TGridData::SortByHeader(int col, bool indexMode, bool shift) {
  if (FixedRows <= 0 || RowCount() <= 2) return false;
  if (!indexMode) {
    if (col == SortColumn) {
      SortDirection = SortDirection == sdAscending ? sdDescending : sdAscending;
    } else {
      SortDirection = sdAscending;
      SortColumn = col;
    }
    bool nodes = false;
    for (int r = 0; r < RowCount() && !nodes; ++r) nodes = CellGraphicKind(0, r) == gkNode;
    nodes ? QSortNodes() : QSort();
    return true;
  }
  int at = SortIndexList.IndexOf(col);
  if (shift) {
    if (at < 0) SortIndexList.AddIndex(col, true);
    else SortIndexList.Toggle(col);
  } else if (SortIndexList.Count() == 1 && at == 0) {
    SortIndexList.Toggle(col);
  } else {
    SortIndexList.Clear();
    SortIndexList.AddIndex(col, true);
  }
  QSortIndexed();
  return true;
}
