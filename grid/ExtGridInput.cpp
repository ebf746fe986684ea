// TExtStringGrid's input: header clicks that sort, the clipboard keys, Enter,
// the wheel and zoom, and the 500 ms timer for hovering and blinking cells.
#include <windowsx.h>

#include <algorithm>

#include "ExtGrid.h"
#include "ExtGridDrop.h"

namespace {
constexpr int SortBorderMargin = 4;  // a release this close to a column border does not sort
constexpr UINT HoverInterval = 500;
}  // namespace

LRESULT TExtStringGrid::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CREATE: {
      LRESULT result = TStringGrid::WndProc(msg, wParam, lParam);
      SetTimer(FHandle, HoverTimerId, HoverInterval, nullptr);
      return result;
    }
    case WM_DESTROY:
      KillTimer(FHandle, HoverTimerId);
      if (FDropTarget) RevokeDragDrop(FHandle);
      FDropTarget.reset();
      break;
    case WM_PAINT:
      if (FUpdateCount > 0) {
        ValidateRect(FHandle, nullptr);
        return 0;
      }
      break;
  }
  return TStringGrid::WndProc(msg, wParam, lParam);
}

void TExtStringGrid::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  FSized = false;
  if (!MouseToCell(x, y, FDownCol, FDownRow)) FDownCol = FDownRow = -1;
  TStringGrid::MouseDown(button, shift, x, y);
}

void TExtStringGrid::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TStringGrid::MouseUp(button, shift, x, y);
  int col, row;
  if (button != mbLeft || FSized || !MouseToCell(x, y, col, row)) return;
  if (row != 0 || FDownRow != 0 || col != FDownCol) return;
  if (Options & goColSizing) {
    RECT r = CellRect(col, row);
    if (x - r.left < SortBorderMargin || r.right - x < SortBorderMargin) return;
  }
  if (col >= FixedCols() || SortFixedCols) HeaderClick(col);
}

void TExtStringGrid::HeaderClick(int col) {
  if (FixedRows() <= 0 || !SortShow || RowCount() <= 2) return;
  bool allow = true;
  const int real = FData.DisplayColToReal(col);
  if (OnCanSort) OnCanSort(this, real, allow);
  if (!allow) return;
  FData.SortByHeader(real, SortIndexShow, KeyboardShift() & ssShift);
  Invalidate();
  if (OnClickSort) OnClickSort(this, FData.SortColumn);
}

bool TExtStringGrid::KeyDown(uint16_t& key, TShiftState shift) {
  const bool ctrl = shift & ssCtrl, shiftOnly = (shift & ssShift) && !ctrl;
  if (Navigation.AllowClipboardShortCuts) {
    bool allow = true;
    if ((ctrl && key == 'X') || (shiftOnly && key == VK_DELETE)) {
      if (OnClipboardCut) OnClipboardCut(this, allow);
      if (allow) CutSelection();
      return true;
    }
    if (ctrl && (key == 'C' || key == VK_INSERT)) {
      if (OnClipboardCopy) OnClipboardCopy(this, allow);
      if (allow) CopySelectionToClipboard();
      return true;
    }
    if ((ctrl && key == 'V') || (shiftOnly && key == VK_INSERT)) {
      if (OnClipboardPaste) OnClipboardPaste(this, allow);
      if (allow) PasteIntoSelection();
      return true;
    }
  }
  if (key == VK_RETURN) {
    AdvanceOnEnter();
    return true;
  }
  return TStringGrid::KeyDown(key, shift);
}

// The next cell in the navigation direction that is shown and may be edited;
// from the last cell, or when no cell qualifies, the current cell stays.
void TExtStringGrid::AdvanceOnEnter() {
  if (!Navigation.AdvanceOnEnter) return;
  const int firstCol = FixedCols(), lastCol = ColCount() - FData.FixedRightCols - 1;
  const int firstRow = FixedRows(), lastRow = RowCount() - FData.FixedFooters - 1;
  const int cols = lastCol - firstCol + 1, rows = lastRow - firstRow + 1;
  if (cols <= 0 || rows <= 0) return;
  const bool down = Navigation.AdvanceDirection == adTopBottom;
  // Cells are counted in walking order; every cell after the current one is
  // tried once, so the walk ends.
  long long at = down ? (long long)(Col() - firstCol) * rows + (Row() - firstRow)
                      : (long long)(Row() - firstRow) * cols + (Col() - firstCol);
  const long long total = (long long)cols * rows;
  for (long long i = at + 1; i < total; ++i) {
    const int c = firstCol + int(down ? i / rows : i % cols), r = firstRow + int(down ? i % rows : i / cols);
    if (RowHeights(r) <= 0 || ColWidths(c) <= 0) continue;
    if ((Options & goEditing) && !CanEditCell(c, r)) continue;
    FocusCell(c, r, true);
    return;
  }
}

bool TExtStringGrid::MouseWheel(int delta, TShiftState shift, POINT screen) {
  UINT lines = 3;
  SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  const int step = std::max(int(lines), 1);
  if ((shift & ssCtrl) && IntelliZoom) {
    Zoom(delta < 0 ? step : -step);
    return true;
  }
  if (!EnableWheel) return false;
  const int lastRow = RowCount() - FData.FixedFooters - 1;
  int row = Row() + (delta < 0 ? step : -step);
  row = std::clamp(row, FixedRows(), std::max(lastRow, FixedRows()));
  const int col = std::clamp(Col(), FixedCols(), std::max(ColCount() - FData.FixedRightCols - 1, FixedCols()));
  FocusCell(col, row, true);
  return true;
}

void TExtStringGrid::Timer(UINT_PTR id) {
  if (id == HoverTimerId) HoverTimer();
}

void TExtStringGrid::HoverTimer() {
  if (Hovering && HandleAllocated()) {
    POINT p;
    GetCursorPos(&p);
    ScreenToClient(FHandle, &p);
    int col, row;
    RECT client{0, 0, ClientWidth(), ClientHeight()};
    if (PtInRect(&client, p) && MouseToCell(p.x, p.y, col, row) && !IsFixedCell(col, row) && !IsFixed(col, row)) {
      if (!Focused()) SetFocus();
      FocusCell(col, row, true);
    }
  }
  FBlinkOn = !FBlinkOn;
  // Only the shown cells that blink are repainted.
  for (int r = 0; r < RowCount(); ++r) {
    if (r >= FixedRows() && (r < TopRow() || r > TopRow() + VisibleRowCount())) continue;
    for (int c = 0; c < ColCount(); ++c)
      if (Cells(c, r).find("<BLI") != std::string::npos) InvalidateCell(c, r);
  }
}
