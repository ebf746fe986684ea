// The cell store: sizes, cells, graphics, structure and hidden columns.
#include <algorithm>

#include "ExtGridCells.h"

namespace {
const std::string EmptyText;
}

TGridData::TGridData(int colCount, int rowCount) {
  SetColCount(colCount);
  SetRowCount(rowCount);
}

void TGridData::SetRowCount(int n) {
  n = std::max(n, 0);
  size_t old = FRows.size();
  FRows.resize(size_t(n));
  FHeights.resize(size_t(n), DefaultRowHeight);
  for (size_t r = old; r < FRows.size(); ++r) FRows[r].resize(size_t(PhysicalCols()));
  FRowSelect.resize(size_t(n), false);
}

void TGridData::SetPhysicalCols(int n) {
  FWidths.resize(size_t(n), DefaultColWidth);
  FColHidden.resize(size_t(n), false);
  for (auto& row : FRows) row.resize(size_t(n));
  FHiddenCols = int(std::count(FColHidden.begin(), FColHidden.end(), true));
}

// Keeps the hidden columns that lie among and right after the first n shown ones.
void TGridData::SetColCount(int n) {
  n = std::max(n, 0);
  int physical = 0, shown = 0;
  while (shown < n || (physical < PhysicalCols() && FColHidden[size_t(physical)])) {
    if (physical >= PhysicalCols() || !FColHidden[size_t(physical)]) ++shown;
    ++physical;
  }
  SetPhysicalCols(physical);
}

void TGridData::CheckCell(int col, int row) const {
  if (col < 0 || row < 0 || col >= PhysicalCols() || row >= RowCount())
    throw EExtGridError("Grid index out of range");
}

TGridCell& TGridData::Cell(int col, int row) {
  CheckCell(col, row);
  return FRows[size_t(row)][size_t(col)];
}

const std::string& TGridData::Cells(int col, int row) const {
  if (col < 0 || row < 0 || col >= PhysicalCols() || row >= RowCount()) return EmptyText;
  return FRows[size_t(row)][size_t(col)].Text;
}

void TGridData::SetCells(int col, int row, const std::string& text) { Cell(col, row).Text = text; }

void* TGridData::Objects(int col, int row) const {
  if (col < 0 || row < 0 || col >= PhysicalCols() || row >= RowCount()) return nullptr;
  return FRows[size_t(row)][size_t(col)].Object;
}

void TGridData::SetObjects(int col, int row, void* object) { Cell(col, row).Object = object; }

TCellGraphic* TGridData::CellGraphic(int col, int row) const {
  if (!EnableGraphics || col < 0 || row < 0 || col >= PhysicalCols() || row >= RowCount()) return nullptr;
  return FRows[size_t(row)][size_t(col)].Graphic.get();
}

TCellGraphic& TGridData::CreateCellGraphic(int col, int row) {
  TGridCell& c = Cell(col, row);
  c.Graphic = std::make_unique<TCellGraphic>();
  return *c.Graphic;
}

bool TGridData::RemoveCellGraphic(int col, int row) {
  TGridCell& c = Cell(col, row);
  bool had = c.Graphic != nullptr;
  c.Graphic.reset();
  return had;
}

// --- structure

void TGridData::InsertRows(int at, int count) {
  if (count <= 0 || at < 0 || at > RowCount()) return;
  std::vector<std::vector<TGridCell>> fresh(static_cast<size_t>(count));
  for (auto& row : fresh) row.resize(size_t(PhysicalCols()));
  FRows.insert(FRows.begin() + at, std::make_move_iterator(fresh.begin()), std::make_move_iterator(fresh.end()));
  FHeights.insert(FHeights.begin() + at, size_t(count), DefaultRowHeight);
  FRowSelect.insert(FRowSelect.begin() + at, size_t(count), false);
  CellsChanged(0, at, ColCount() - 1, at + count - 1);
}

void TGridData::RemoveRows(int at, int count) {
  if (at < 0 || at >= RowCount() || count <= 0) return;
  count = std::min(count, RowCount() - at);
  FRows.erase(FRows.begin() + at, FRows.begin() + at + count);
  FHeights.erase(FHeights.begin() + at, FHeights.begin() + at + count);
  FRowSelect.erase(FRowSelect.begin() + at, FRowSelect.begin() + at + count);
  CellsChanged(0, at, ColCount() - 1, at + count);
}

void TGridData::InsertCols(int at, int count) {
  if (count <= 0 || at < 0 || at > PhysicalCols()) return;
  for (auto& row : FRows) {
    std::vector<TGridCell> fresh(static_cast<size_t>(count));
    row.insert(row.begin() + at, std::make_move_iterator(fresh.begin()), std::make_move_iterator(fresh.end()));
  }
  FWidths.insert(FWidths.begin() + at, size_t(count), DefaultColWidth);
  FColHidden.insert(FColHidden.begin() + at, size_t(count), false);
  CellsChanged(at, 0, at + count - 1, RowCount() - 1);
}

void TGridData::RemoveCols(int at, int count) {
  if (at < 0 || at >= PhysicalCols() || count <= 0) return;
  count = std::min(count, PhysicalCols() - at);
  for (auto& row : FRows) row.erase(row.begin() + at, row.begin() + at + count);
  FWidths.erase(FWidths.begin() + at, FWidths.begin() + at + count);
  FColHidden.erase(FColHidden.begin() + at, FColHidden.begin() + at + count);
  FHiddenCols = int(std::count(FColHidden.begin(), FColHidden.end(), true));
  CellsChanged(at, 0, at + count - 1, RowCount() - 1);
}

void TGridData::MoveRow(int from, int to) {
  if (from < 0 || to < 0 || from >= RowCount() || to >= RowCount() || from == to) return;
  int height = FHeights[size_t(from)];
  bool selected = FRowSelect[size_t(from)];
  std::vector<TGridCell> cells = TakeRow(from);
  PutRow(to, std::move(cells), height, selected);
}

void TGridData::MoveColumn(int from, int to) {
  if (from < 0 || to < 0 || from >= PhysicalCols() || to >= PhysicalCols() || from == to) return;
  auto move = [&](auto& v) {
    auto item = std::move(v[size_t(from)]);
    v.erase(v.begin() + from);
    v.insert(v.begin() + to, std::move(item));
  };
  for (auto& row : FRows) move(row);
  move(FWidths);
  bool hidden = FColHidden[size_t(from)];
  FColHidden.erase(FColHidden.begin() + from);
  FColHidden.insert(FColHidden.begin() + to, hidden);
  // The sort column follows its cells.
  if (SortColumn == from) SortColumn = to;
  else if (from < SortColumn && SortColumn <= to) --SortColumn;
  else if (to <= SortColumn && SortColumn < from) ++SortColumn;
  CellsChanged(std::min(from, to), 0, std::max(from, to), RowCount() - 1);
}

std::vector<TGridCell> TGridData::TakeRow(int row) {
  std::vector<TGridCell> cells = std::move(FRows[size_t(row)]);
  FRows.erase(FRows.begin() + row);
  FHeights.erase(FHeights.begin() + row);
  FRowSelect.erase(FRowSelect.begin() + row);
  return cells;
}

void TGridData::PutRow(int row, std::vector<TGridCell> cells, int height, bool selected) {
  cells.resize(size_t(PhysicalCols()));
  FRows.insert(FRows.begin() + row, std::move(cells));
  FHeights.insert(FHeights.begin() + row, height);
  FRowSelect.insert(FRowSelect.begin() + row, selected);
}

void TGridData::ClearRect(int col1, int row1, int col2, int row2) {
  if (RowCount() == 0 || PhysicalCols() == 0) return;
  col1 = std::max(col1, 0), row1 = std::max(row1, 0);
  col2 = std::min(col2, PhysicalCols() - 1), row2 = std::min(row2, RowCount() - 1);
  if (col1 > col2 || row1 > row2) return;
  for (int r = row1; r <= row2; ++r)
    for (int c = col1; c <= col2; ++c) {
      TGridCell& cell = FRows[size_t(r)][size_t(c)];
      cell.Text.clear();
      if (EnableGraphics) cell.Graphic.reset();
    }
  CellsChanged(col1, row1, col2, row2);
}

void TGridData::ClearRows(int first, int count) {
  if (count > 0) ClearRect(0, first, PhysicalCols() - 1, first + count - 1);
}

void TGridData::ClearCols(int first, int count) {
  if (count > 0) ClearRect(first, 0, first + count - 1, RowCount() - 1);
}

// Everything goes, graphics whatever EnableGraphics says: the grid owns them.
void TGridData::ClearAll() {
  for (auto& row : FRows)
    for (TGridCell& cell : row) {
      cell.Text.clear();
      cell.Graphic.reset();
    }
  if (RowCount() > 0 && PhysicalCols() > 0) CellsChanged(0, 0, PhysicalCols() - 1, RowCount() - 1);
}

void TGridData::NumberColumnRows(int col) {
  if (col < 0 || col >= PhysicalCols()) return;
  for (int r = FixedRows; r <= LastNormalRow(); ++r) SetCells(col, r, IntToStr(r - FixedRows + 1));
}

void TGridData::CellsChanged(int col1, int row1, int col2, int row2) {
  if (OnCellsChanged) OnCellsChanged(col1, row1, col2, row2);
}

// --- hidden columns

void TGridData::HideColumn(int real) {
  if (real < 0 || real > kMaxHideableColumn || real >= PhysicalCols() || FColHidden[size_t(real)]) return;
  FColHidden[size_t(real)] = true;
  ++FHiddenCols;
}

void TGridData::UnHideColumn(int real) {
  if (real < 0 || real >= PhysicalCols() || !FColHidden[size_t(real)]) return;
  FColHidden[size_t(real)] = false;
  --FHiddenCols;
}

bool TGridData::IsHiddenColumn(int real) const {
  return real >= 0 && real < PhysicalCols() && FColHidden[size_t(real)];
}

int TGridData::DisplayColToReal(int display) const {
  if (FHiddenCols == 0 || display > kMaxHideableColumn) return display;
  int shown = -1;
  for (int c = 0; c < PhysicalCols(); ++c)
    if (!FColHidden[size_t(c)] && ++shown == display) return c;
  return 0;
}

int TGridData::RealColToDisplay(int real) const {
  int hiddenBefore = 0;
  for (int c = 0; c < real && c < PhysicalCols(); ++c) hiddenBefore += FColHidden[size_t(c)];
  return real - hiddenBefore;
}

// --- disjunct row selection

bool TGridData::RowSelect(int row) const {
  if (row < 0 || row >= RowCount()) throw EExtGridError("Invalid Row accessed");
  return FRowSelect[size_t(row)];
}

void TGridData::SetRowSelect(int row, bool selected) {
  if (row < 0 || row >= RowCount()) throw EExtGridError("Invalid Row accessed");
  FRowSelect[size_t(row)] = selected;
}
