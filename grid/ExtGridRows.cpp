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

// The real number of every shown row, in one pass over the sorted store.
std::vector<int> TGridData::RealRowNumbers() const {
  std::vector<int> reals(FRows.size());
  size_t h = 0;
  int real = 0;
  for (int& r : reals) {
    while (h < FHidden.size() && FHidden[h].Idx == real) ++h, ++real;
    r = real++;
  }
  return reals;
}

// Moves the shown rows flagged in hide (by shown row) into the store, in one
// pass that closes up the shown rows in place.
void TGridData::HideShownRows(const std::vector<bool>& hide) {
  const size_t count = size_t(std::count(hide.begin(), hide.end(), true));
  if (count == 0) return;
  const std::vector<int> realOf = RealRowNumbers();
  std::vector<TGridItem> items;
  items.reserve(count);
  size_t kept = 0;
  for (size_t d = 0; d < FRows.size(); ++d) {
    if (d < hide.size() && hide[d]) {
      items.push_back({realOf[d], std::move(FRows[d]), FHeights[d]});
      continue;
    }
    if (kept != d) {
      FRows[kept] = std::move(FRows[d]);
      FHeights[kept] = FHeights[d];
      FRowSelect[kept] = FRowSelect[d];
    }
    ++kept;
  }
  FRows.resize(kept);
  FHeights.resize(kept);
  FRowSelect.resize(kept);
  if (FHidden.empty()) {
    FHidden = std::move(items);
    return;
  }
  size_t middle = FHidden.size();
  FHidden.insert(FHidden.end(), std::make_move_iterator(items.begin()), std::make_move_iterator(items.end()));
  std::inplace_merge(FHidden.begin(), FHidden.begin() + long(middle), FHidden.end(),
                     [](const TGridItem& a, const TGridItem& b) { return a.Idx < b.Idx; });
}

void TGridData::HideRows(int first, int last) {
  if (IsHiddenRow(first)) return;
  const std::vector<int> realOf = RealRowNumbers();
  std::vector<bool> hide(realOf.size());
  for (size_t d = 0; d < realOf.size(); ++d) hide[d] = realOf[d] >= first && realOf[d] <= last;
  HideShownRows(hide);
}

// Rows come back between the shown ones by their real numbers.
void TGridData::UnHideRows(int first, int last) {
  auto lo = std::lower_bound(FHidden.begin(), FHidden.end(), first,
                             [](const TGridItem& i, int r) { return i.Idx < r; });
  auto hi = std::upper_bound(lo, FHidden.end(), last, [](int r, const TGridItem& i) { return r < i.Idx; });
  if (lo == hi) return;
  const std::vector<int> realOf = RealRowNumbers();
  std::vector<TGridItem> items;
  if (lo == FHidden.begin() && hi == FHidden.end()) {
    items = std::move(FHidden);
    FHidden.clear();
  } else {
    items.assign(std::make_move_iterator(lo), std::make_move_iterator(hi));
    FHidden.erase(lo, hi);
  }
  std::vector<std::vector<TGridCell>> rows;
  std::vector<int> heights;
  std::vector<bool> selected;
  rows.reserve(FRows.size() + items.size());
  heights.reserve(rows.capacity());
  selected.reserve(rows.capacity());
  size_t k = 0;
  auto takeItem = [&] {
    rows.push_back(std::move(items[k].Cells));
    rows.back().resize(size_t(PhysicalCols()));
    heights.push_back(items[k].Height);
    selected.push_back(false);
    ++k;
  };
  for (size_t d = 0; d < FRows.size(); ++d) {
    while (k < items.size() && items[k].Idx < realOf[d]) takeItem();
    rows.push_back(std::move(FRows[d]));
    heights.push_back(FHeights[d]);
    selected.push_back(FRowSelect[d]);
  }
  while (k < items.size()) takeItem();
  FRows = std::move(rows);
  FHeights = std::move(heights);
  FRowSelect = std::move(selected);
}

void TGridData::UnHideAll() {
  if (!FHidden.empty()) UnHideRows(FHidden.front().Idx, FHidden.back().Idx);
}

// The filter's conditions as they are matched, read once for all rows.
std::vector<std::string> TGridData::FilterConditions() const {
  std::vector<std::string> conditions;
  for (const TFilterData& f : Filter.Items) conditions.push_back(FilterConditionText(f.Condition, f.CaseSensitive));
  return conditions;
}

bool TGridData::RowPassesConditions(int row, const std::vector<std::string>& conditions) const {
  for (size_t i = 0; i < conditions.size(); ++i)
    if (!MatchConditionText(Cells(Filter.Items[i].Column, row), conditions[i], Filter.Items[i].CaseSensitive))
      return false;
  return true;
}

bool TGridData::RowPassesFilter(int row) const { return RowPassesConditions(row, FilterConditions()); }

// Failing normal rows are hidden; fixed rows and footers stay. When no normal
// row is left one empty row stands in, so that the grid keeps a normal row.
void TGridData::SetFilterActive(bool on) {
  if (on == FFilterActive) return;
  FFilterActive = on;
  if (on) {
    FFilterFixedRows = FixedRows;
    const std::vector<std::string> conditions = FilterConditions();
    std::vector<bool> failing(FRows.size());
    for (int r = FirstNormalRow(); r <= LastNormalRow(); ++r) failing[size_t(r)] = !RowPassesConditions(r, conditions);
    HideShownRows(failing);
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
