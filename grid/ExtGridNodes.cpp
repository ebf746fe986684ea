// TExtStringGrid: expanding and collapsing node rows, scrolling a cell into
// view, the tab wrap, disjunct-selection and lookup keys.
#include <algorithm>

#include "ExtGrid.h"

void TExtStringGrid::AddNode(int row, int span) {
  FData.AddNode(row, span);
  InvalidateCell(0, row);
}

void TExtStringGrid::ExpandNode(int row) {
  if (!FData.NodeCollapsed(row)) return;
  const int real = FData.DisplayRowToReal(row);
  FData.ExpandNode(row);
  if (OnExpandNode) OnExpandNode(this, real);
  ClampPosition();
}

void TExtStringGrid::ContractNode(int row) {
  if (!FData.IsNode(row) || FData.NodeCollapsed(row)) return;
  const int real = FData.DisplayRowToReal(row);
  FData.ContractNode(row);
  if (OnContractNode) OnContractNode(this, real);
  ClampPosition();
}

// A cell out of sight comes to the middle of the shown columns (rows).
void TExtStringGrid::ScrollInView(int col, int row) {
  if (col < 0 || row < 0 || col >= ColCount() || row >= RowCount()) return;
  if (col >= FixedCols() && (col < LeftCol() || col >= LeftCol() + VisibleColCount())) {
    SetCol(col);
    SetLeftCol(std::max(col - VisibleColCount() / 2, FixedCols()));
  }
  if (row >= FixedRows() && (row < TopRow() || row >= TopRow() + VisibleRowCount())) {
    SetRow(row);
    SetTopRow(std::max(row - VisibleRowCount() / 2, FixedRows()));
  }
}

bool TExtStringGrid::TabWraps(uint16_t key, TShiftState shift) {
  // Tab from the last normal column goes to the next row's first normal
  // column (from the last normal row to the first) instead of entering the
  // right fixed columns.
  const int lastCol = ColCount() - FData.FixedRightCols - 1, lastRow = RowCount() - FData.FixedFooters - 1;
  if (key != VK_TAB || !(Options & goTabs) || FData.FixedRightCols <= 0 || (shift & ssShift) || Col() != lastCol)
    return false;
  FocusCell(FixedCols(), Row() >= lastRow ? FixedRows() : Row() + 1, true);
  return true;
}

bool TExtStringGrid::KeyDownExtras(uint16_t key, TShiftState shift, bool handled) {
  const int row = Row();
  if (!MouseActions.DisjunctRowSelect) return handled;
  if (key == VK_UP || key == VK_DOWN) {
    if (!(shift & (ssShift | ssCtrl))) SetRowSelected(0, RowCount() - 1, false);
    const TGridRect sel = Selection();
    if (shift & ssShift) SetRowSelected(sel.Top, sel.Bottom, true);
    else SetRowSelected(row, row, true);
    return true;
  }
  if (key == VK_SPACE) {
    SetRowSelected(row, row, !FData.RowSelect(row));
    return true;
  }
  return handled;
}

// Typed characters find the first row whose sort column starts with them.
bool TExtStringGrid::LookupChar(char ch) {
  if (!Navigation.AutoGotoWhenSorted || (Options & goEditing)) return false;
  if (ch == VK_BACK) {
    if (Navigation.AutoGotoIncremental && !FLookup.empty()) FLookup.pop_back();
    else if (!Navigation.AutoGotoIncremental) FLookup.clear();
  } else if (static_cast<unsigned char>(ch) < ' ') {
    return false;
  } else if (Navigation.AutoGotoIncremental) {
    FLookup += ch;
  } else {
    FLookup = std::string(1, ch);
  }
  if (FLookup.empty()) return true;
  const int col = SortShow ? FData.RealColToDisplay(FData.SortColumn) : 1;
  const std::string wanted = UpperCase(FLookup);
  for (int r = FixedRows(); r <= RowCount() - FData.FixedFooters - 1; ++r) {
    if (UpperCase(Cells(col, r).substr(0, wanted.size())) == wanted) {
      FocusCell(Col(), r, true);
      break;
    }
  }
  return true;
}
