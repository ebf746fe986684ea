// Hidden rows (kept aside whole, graphics included) and the row filter.
#include <algorithm>

#include "ExtGridCells.h"

bool TGridData::IsHiddenRow(int real) const {
  return std::any_of(FHidden.begin(), FHidden.end(), [&](const TGridItem& i) { return i.Idx == real; });
}

int TGridData::RealRowToDisplay(int real) const {
  int before = 0;
  for (const TGridItem& i : FHidden)
    if (i.Idx < real) ++before;
  return real - before;
}

int TGridData::DisplayRowToReal(int display) const {
  int real = display;
  for (const TGridItem& i : FHidden)  // ascending Idx
    if (i.Idx <= real) ++real;
  return real;
}

void TGridData::HideRows(int first, int last) {
  if (IsHiddenRow(first)) return;
  for (int real = first; real <= last; ++real) {
    if (IsHiddenRow(real)) continue;
    int display = RealRowToDisplay(real);
    if (display < 0 || display >= RowCount()) continue;
    TGridItem item;
    item.Idx = real;
    item.Height = FHeights[size_t(display)];
    item.Cells = TakeRow(display);
    auto at = std::lower_bound(FHidden.begin(), FHidden.end(), real,
                               [](const TGridItem& i, int r) { return i.Idx < r; });
    FHidden.insert(at, std::move(item));
  }
}

void TGridData::UnHideRows(int first, int last) {
  for (auto it = FHidden.begin(); it != FHidden.end();) {
    if (it->Idx < first || it->Idx > last) {
      ++it;
      continue;
    }
    TGridItem item = std::move(*it);
    it = FHidden.erase(it);
    int display = std::min(RealRowToDisplay(item.Idx), RowCount());
    PutRow(display, std::move(item.Cells), item.Height);
  }
}

void TGridData::UnHideAll() {
  if (!FHidden.empty()) UnHideRows(FHidden.front().Idx, FHidden.back().Idx);
}

bool TGridData::RowPassesFilter(int row) const {
  for (const TFilterData& f : Filter.Items)
    if (!MatchFilterCondition(Cells(f.Column, row), f.Condition, f.CaseSensitive)) return false;
  return true;
}

// Failing normal rows are hidden; fixed rows and footers stay. When no normal
// row is left one empty row stands in, so that the grid keeps a normal row.
void TGridData::SetFilterActive(bool on) {
  if (on == FFilterActive) return;
  FFilterActive = on;
  if (on) {
    FFilterFixedRows = FixedRows;
    std::vector<int> failing;
    for (int r = FirstNormalRow(); r <= LastNormalRow(); ++r)
      if (!RowPassesFilter(r)) failing.push_back(DisplayRowToReal(r));
    for (int real : failing) HideRow(real);
    FFilterAddedRow = LastNormalRow() < FirstNormalRow();
    if (FFilterAddedRow) InsertRows(RowCount() - FixedFooters, 1);
    FixedRows = FFilterFixedRows;
  } else {
    if (FFilterAddedRow && LastNormalRow() == FirstNormalRow()) RemoveRows(FirstNormalRow(), 1);
    FFilterAddedRow = false;
    UnHideAll();
    FixedRows = FFilterFixedRows;
  }
}
