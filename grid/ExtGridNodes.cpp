// TExtStringGrid: expanding and collapsing node rows, scrolling a cell into
// view, the check box, disjunct-selection and lookup keys, and the window
// messages those need.
#include <algorithm>

#include "ExtGrid.h"

namespace {
constexpr int kScrollHintWidth = 100;
}  // namespace

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

bool TExtStringGrid::MessageExtras(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (msg) {
    case WM_CREATE:
      if (ColumnSize.Save) LoadColumnSizes();
      return false;
    case WM_CHAR:
      if (!LookupChar(char(wParam))) return false;
      result = 0;
      return true;
    case WM_KEYUP:
      switch (wParam) {
        case VK_PRIOR: case VK_NEXT: case VK_END: case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN:
        case VK_INSERT: case VK_DELETE:
          FLookup.clear();
      }
      return false;
    case WM_SIZE:
      result = TStringGrid::WndProc(msg, wParam, lParam);
      StretchRightColumn();
      SynchColumnsWithWidth();
      UpdateProportionalBars();
      return true;
    case WM_VSCROLL:
    case WM_HSCROLL: {
      if (lParam != 0) return false;
      const bool vertical = msg == WM_VSCROLL;
      const int code = LOWORD(wParam);
      if (code == SB_ENDSCROLL) HideHint();
      if (code != SB_THUMBTRACK && code != SB_THUMBPOSITION) return false;
      // The thumb stands for a row (column); proportional bars count 0..127.
      SCROLLINFO si{sizeof si, SIF_TRACKPOS, 0, 0, 0, 0, 0};
      GetScrollInfo(FHandle, vertical ? SB_VERT : SB_HORZ, &si);
      int at = si.nTrackPos;
      if (FScrollProportional && FFlatOn) {
        const int first = vertical ? FixedRows() : FixedCols(), count = (vertical ? RowCount() : ColCount()) - first;
        at = first + HIWORD(wParam) * count / 128;
      }
      const bool shown = ScrollHints == shBoth || ScrollHints == (vertical ? shVertical : shHorizontal);
      if (shown && code == SB_THUMBTRACK) {
        POINT p;
        GetCursorPos(&p);
        ShowHintAt(ScrollHintText(vertical, at), POINT{p.x + 10, p.y}, kScrollHintWidth);
      }
      if (FScrollProportional && FFlatOn) vertical ? SetTopRow(at) : SetLeftCol(at);
      else if (vertical && ScrollSynch) SetTopRow(at);
      else return false;
      result = 0;
      return true;
    }
    case WM_MOUSELEAVE:
      SetHoverAnchor(-1, -1, POINT{-1, -1}, "");
      HideHint();
      return false;
    case WM_KILLFOCUS:
      HideHint();
      return false;
  }
  return false;
}
