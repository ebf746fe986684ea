// Row sorting: the compare rules, the sorts that the grid offers, and putting
// rows into their new order.
#include <algorithm>

#include "ExtGridHTML.h"
#include "ExtGridSortKeys.h"

using namespace gridsort;

namespace {
int PictureValue(const TCellGraphic* g) { return g && g->Kind == gkImageRow ? g->Value : -1; }
}  // namespace

int TGridData::CompareCells(int col, int rowA, int rowB) {
  TColumnFormat f;
  f.Format = SortAutoFormat ? sfAuto : sfText;
  if (OnGetFormat) OnGetFormat(col, f.Format, f.Prefix, f.Suffix);
  const TSortFormat format = f.Format;
  const std::string &a = Cells(col, rowA), &b = Cells(col, rowB);
  ++CompareCount;
  int r = 0;
  if (Keyed(format)) {
    TCellKey x = MakeKey(a, f), y = MakeKey(b, f);
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

template <class Compare>
void TGridData::SortRange(int first, int last, Compare compare) {
  if (last - first < 1) return;
  std::vector<int> order;
  for (int r = first; r <= last; ++r) order.push_back(r);
  MergeSort(order, compare);
  ApplyRowOrder(first, order);
}

namespace {
// Applies "position base + i takes what stood at order[i]" in place, cycle
// by cycle, so that nothing but one position's content is held aside.
// slot.Hold(p) takes position p's content aside, slot.Move(to, from) moves
// one position's content to another, slot.Release(to) puts the held one.
// A cycle visits positions in no order that the processor can guess, so the
// position some steps ahead on the cycle is fetched early.
template <class Slot>
void PermuteInPlace(size_t base, const std::vector<int>& order, Slot& slot) {
  constexpr int kFetchAhead = 8;
  const size_t n = order.size();
  std::vector<bool> placed(n);
  for (size_t start = 0; start < n; ++start) {
    if (placed[start] || size_t(order[start]) == base + start) continue;
    slot.Hold(base + start);
    size_t ahead = start;
    for (int k = 0; k < kFetchAhead; ++k) ahead = size_t(order[ahead]) - base;
    for (size_t i = start;;) {
      placed[i] = true;
      slot.Fetch(base + ahead);
      ahead = size_t(order[ahead]) - base;
      const size_t from = size_t(order[i]) - base;
      if (from == start) {
        slot.Release(base + i);
        break;
      }
      slot.Move(base + i, base + from);
      i = from;
    }
  }
}
}  // namespace

// Puts rows into the given order: row first + i takes old row order[i], with
// its height and selection flag. SortSingleColumn moves only the sort
// column's cells; SortNormalCellsOnly leaves column 0 where it was.
void TGridData::ApplyRowOrder(int first, const std::vector<int>& order) {
  const size_t base = size_t(first);
  const int follow = SortFollowRow;
  for (size_t i = 0; i < order.size(); ++i) {
    if (size_t(order[i]) == base + i) continue;
    ++SwapCount;
    if (order[i] == follow && !SortSingleColumn) SortFollowRow = int(base + i);
  }
  if (SortSingleColumn) {
    if (SortColumn < 0 || SortColumn >= PhysicalCols()) return;
    struct {
      std::vector<std::vector<TGridCell>>& Rows;
      size_t Col;
      TGridCell Held{};
      void Fetch(size_t p) { __builtin_prefetch(&Rows[p]); }
      void Hold(size_t p) { Held = std::move(Rows[p][Col]); }
      void Move(size_t to, size_t from) { Rows[to][Col] = std::move(Rows[from][Col]); }
      void Release(size_t to) { Rows[to][Col] = std::move(Held); }
    } cells{.Rows = FRows, .Col = size_t(SortColumn)};
    PermuteInPlace(base, order, cells);
    return;
  }
  // With column 0 kept, each position's own column-0 cell is swapped back
  // into the row that arrives there; Col0 carries the one on its way.
  struct {
    TGridData& Grid;
    bool KeepCol0;
    std::vector<TGridCell> Held{};
    int HeldHeight = 0;
    bool HeldSelected = false;
    TGridCell Col0{};
    void Fetch(size_t p) {
      __builtin_prefetch(&Grid.FRows[p]);
      __builtin_prefetch(&Grid.FHeights[p]);
    }
    void Hold(size_t p) {
      Held = std::move(Grid.FRows[p]);
      HeldHeight = Grid.FHeights[p];
      HeldSelected = Grid.FRowSelect[p];
      if (KeepCol0) Col0 = std::move(Held[0]);
    }
    void Move(size_t to, size_t from) {
      Grid.FRows[to] = std::move(Grid.FRows[from]);
      Grid.FHeights[to] = Grid.FHeights[from];
      Grid.FRowSelect[to] = Grid.FRowSelect[from];
      if (KeepCol0) std::swap(Grid.FRows[to][0], Col0);
    }
    void Release(size_t to) {
      Grid.FRows[to] = std::move(Held);
      Grid.FHeights[to] = HeldHeight;
      Grid.FRowSelect[to] = HeldSelected;
      if (KeepCol0) std::swap(Grid.FRows[to][0], Col0);
    }
  } rows{.Grid = *this, .KeepCol0 = SortNormalCellsOnly && FixedCols > 0 && PhysicalCols() > 0};
  PermuteInPlace(base, order, rows);
}

void TGridData::QSort() {
  SortIndexList.Clear();
  TSortKeys keys(*this, FirstNormalRow(), LastNormalRow());
  SortRows(keys, FirstNormalRow(), LastNormalRow());
}

// Rows first..last by SortColumn and SortDirection, the columns to the right
// breaking ties; by compact keys when the sort column's cells allow them.
void TGridData::SortRows(TSortKeys& keys, int first, int last) {
  std::vector<int> order;
  if (last - first >= 1 && keys.KeyedOrder(first, last, order)) {
    ApplyRowOrder(first, order);
    return;
  }
  const int d = SortDirection == sdAscending ? 1 : -1;
  SortRange(first, last, [&](int a, int b) { return d * FullCompare(keys, SortColumn, a, b); });
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
