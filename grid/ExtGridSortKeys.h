// The sort's reading of cells: what the keyed formats compare of a cell, and
// the per-sort store of each column's format and keys. Shared by the compare
// rules and the sort by compact keys; not part of the grid's interface.
#pragma once
#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "ExtGridCells.h"

namespace gridsort {
inline int Sign(double a, double b) { return a > b ? 1 : a < b ? -1 : 0; }
inline int Sign(int c) { return c > 0 ? 1 : c < 0 ? -1 : 0; }

// The formats whose comparison reads only a cell's own text.
inline bool Keyed(TSortFormat f) {
  return f == sfAuto || f == sfText || f == sfTextCase || f == sfNumber || f == sfThousands;
}

// A column's format as OnGetFormat gives it.
struct TColumnFormat {
  TSortFormat Format = sfText;
  std::string Prefix, Suffix;
};

// What the keyed formats compare of a cell.
struct TCellKey {
  std::string_view Text;
  double Number = 0, Date = 0;
  bool NumberOk = false;
  bool Float = false;         // the automatic format's number kind is nkFloat
  TSortFormat Auto = sfText;  // the automatic format's choice for this cell as the first one
};

// withNumber false leaves the number to be read by ReadNumber (only needed
// when some cell of the column is a number).
TCellKey MakeKey(std::string_view text, const TColumnFormat& f, bool withNumber = true);
void ReadNumber(TCellKey& k, const TColumnFormat& f);
double LocaleDate(std::string_view s);
int CompareKeys(TSortFormat format, const TCellKey& a, const TCellKey& b);
// Empty cells go last in both directions.
int BlanksLast(int r, bool aEmpty, bool bEmpty, TSortDirection direction);

// A row and its sort column's key: a number's order, or a text's first 8
// bytes, as one unsigned integer (see ExtGridSortByKeys.cpp). Length is the
// text's length, at most 9 (0 for numbers): equal keys of equal lengths
// below 9 stand for equal cells.
struct TKeyedRow {
  uint64_t Key;
  int Row;
  uint32_t Length;
};

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
}  // namespace gridsort

// The keys of every cell of rows first..last, made per column on first need
// (the tie-break columns only when a tie asks for them), so that a sort reads
// and classifies each cell once instead of at every comparison. Formats that
// depend on the user's events or on pictures are compared cell by cell. Each
// column's format is asked for once per sort.
class TGridData::TSortKeys {
public:
  TSortKeys(TGridData& grid, int first, int last)
      : FGrid(grid), FFirst(first), FLast(last), FColumns(size_t(grid.PhysicalCols())) {}

  int Compare(int col, int rowA, int rowB);
  const gridsort::TColumnFormat& Format(int col);  // col a real column
  // Rows first..last (at least two) in the order of the sort column, its
  // direction and the tie-break columns, through compact keys; false when
  // the sort column's cells do not allow them.
  bool KeyedOrder(int first, int last, std::vector<int>& order);

private:
  static constexpr int kCellComparesBeforeKeys = 512;
  struct TColumn {
    bool HasFormat = false, Built = false, Keyed = false;
    int CellCompares = 0;
    gridsort::TColumnFormat Format;
    std::vector<gridsort::TCellKey> Keys;
  };
  // A cell of a run of tied rows, while SettleRun orders the run.
  struct TRunCell {
    gridsort::TCellKey Key;
    int Row;
  };
  TColumn& Column(int col);
  void Build(int col, TColumn& c);
  bool ColumnKeys(int col, int first, int last, std::vector<gridsort::TKeyedRow>& out, bool& numbers);
  bool SettleRun(gridsort::TKeyedRow* begin, gridsort::TKeyedRow* end, int col, int direction);
  void MergeOrder(std::vector<gridsort::TKeyedRow>& rows, bool numbers, int direction);

  TGridData& FGrid;
  int FFirst, FLast;
  std::vector<TColumn> FColumns;
  std::vector<TRunCell> FRunCells;
};
