// TExtStringGrid's mouse beyond selecting and sorting: pressed fixed cells,
// nodes, radio groups, button and check box cells, disjunct row selection,
// selecting whole rows and columns by their headers, and row sizing.
#include <algorithm>
#include <cmath>

#include "ExtGrid.h"
#include "WinGraphics.h"

namespace {
constexpr int kRowSizingMargin = 3;  // pixels from a row border that start row sizing
constexpr int kRadioSlot = 12;       // a radio button and its gap, beside the caption
}  // namespace

int TExtStringGrid::RowBorderAt(int x, int y) const {
  int col, row;
  if (!(Options & goRowSizing) || !MouseToCell(x, y, col, row) || col >= FixedCols()) return -1;
  RECT r = CellRect(col, row);
  if (r.bottom - y <= kRowSizingMargin) return row;
  if (y - r.top <= kRowSizingMargin && row > 0 && !IsRectEmpty(&(r = CellRect(col, row - 1)))) return row - 1;
  return -1;
}

void TExtStringGrid::SetRowSelected(int first, int last, bool on) {
  for (int r = std::max(first, FixedRows()); r <= last && r < RowCount(); ++r) FData.SetRowSelect(r, on);
  Invalidate();
}

bool TExtStringGrid::MouseDownExtras(TMouseButton button, TShiftState shift, int x, int y) {
  const int col = FDownCol, row = FDownRow;
  HideHint();
  if (button == mbRight) {
    if (col >= 0 && OnRightClickCell) OnRightClickCell(this, row, col);
    // A link cannot be clicked into for editing (the click opens it): the right button edits it.
    if (col >= 0 && URLShow && URLEdit && IsURL(Cells(col, row)) && !IsFixedCell(col, row) &&
        !IsPlainTextCell(col, row)) {
      FocusCell(col, row, true);
      ShowEditor();
      return true;
    }
    return false;
  }
  if (button != mbLeft || col < 0) return false;
  FLookup.clear();
  FMoveIndex = FToggleRow = -1;
  FMoved = false;
  FSelectMode = 0;
  const bool fixed = IsFixedCell(col, row) || IsFixed(col, row);
  const bool single = RowCount() == 1 || ColCount() == 1;  // never sized or moved
  if (fixed && FixedAsButtons && (Options & goFixedVertLine) && (Options & goFixedHorzLine) && !Flat) {
    FPressedCol = col, FPressedRow = row;
    InvalidateCell(col, row);
  }
  // Sizing: a column by the base grid once allowed, a row here.
  if (row < FixedRows() && (Options & goColSizing) && !(shift & ssDouble) && ColumnBorderAt(x) >= 0) {
    const int border = ColumnBorderAt(x);
    bool allow = !single;
    if (allow && OnColumnSize) OnColumnSize(this, border, allow);
    FSizeStart = ColWidths(border);
    if (allow) return false;
    SetFocus();
    return true;
  }
  if (const int border = RowBorderAt(x, y); border >= 0) {
    bool allow = !single;
    if (allow && OnRowSize) OnRowSize(this, border, allow);
    if (allow) {
      FSizingRow = border, FSizingStartY = y, FSizeStart = RowHeights(border);
      SetCapture(FHandle);
    }
    return true;
  }
  if (row >= RowCount() - FData.FixedFooters || col >= ColCount() - FData.FixedRightCols) return false;
  const int real = FData.DisplayColToReal(col);
  if (col == 0 && FData.IsNode(row)) {
    FData.NodeCollapsed(row) ? ExpandNode(row) : ContractNode(row);
    FocusCell(Col(), row, true);
    return true;
  }
  if (!fixed && FData.CellGraphicKind(real, row) == gkRadioGroup) {
    FocusCell(col, row, true);
    const int index = RadioIndexAt(col, row, x, y);
    if (index < 0) return true;
    TCellGraphic* g = FData.CellGraphic(real, row);
    const auto* captions = dynamic_cast<const TStringList*>(g->Object1);
    if (g->Value == -1) SetCells(col, row, (*captions)[index]);  // a text-bound group
    else g->Value = index;
    InvalidateCell(col, row);
    if (OnRadioClick) OnRadioClick(this, col, row, index);
    return true;
  }
  if (col == 0 && FData.NodeCount() > 0) return true;
  if (!fixed && ClickButtonCell(col, row, x, y)) return true;
  if (MouseActions.DisjunctRowSelect && !fixed) {
    if (!(shift & ssCtrl)) SetRowSelected(0, RowCount() - 1, false);
    else if (FData.RowSelect(row)) FToggleRow = row;
  }
  const int lastCol = ColCount() - FData.FixedRightCols - 1, lastRow = RowCount() - FData.FixedFooters - 1;
  if (MouseActions.AllSelect && (Options & goRangeSelect) && col < FixedCols() && row < FixedRows()) {
    SetSelection(TGridRect{FixedCols(), FixedRows(), lastCol, lastRow});
    return true;
  }
  if ((MouseActions.RowSelect && col < FixedCols() && row >= FixedRows()) ||
      (MouseActions.ColSelect && row < FixedRows() && col >= FixedCols())) {
    FSelectMode = col < FixedCols() ? 2 : 1;
    FSelectFrom = FSelectMode == 2 ? row : col;
    SetSelection(FSelectMode == 2 ? TGridRect{FixedCols(), row, lastCol, row} : TGridRect{col, FixedRows(), col, lastRow});
    SetCapture(FHandle);
    return true;
  }
  if (EnhRowColMove && !single && fixed && (row < FixedRows()) != (col < FixedCols())) {
    StartMove(row < FixedRows(), row < FixedRows() ? col : row);
    return true;
  }
  if (!fixed && FData.IsCheckBox(real, row) && CanEditCell(col, row)) {
    FData.ToggleCheckBox(real, row);
    InvalidateCell(col, row);
    if (OnCheckBoxClick) OnCheckBoxClick(this, col, row, FData.CheckBoxState(real, row));
    FocusCell(col, row, true);
    return true;
  }
  if ((shift & ssDouble) && OnDblClickCell) OnDblClickCell(this, row, col);
  return false;
}

// The button whose slot holds the point: side by side, each as wide as its
// caption plus the button, or one under the other a text line apart (the
// pitch the painter draws them at).
int TExtStringGrid::RadioIndexAt(int col, int row, int x, int y) {
  const TCellGraphic* g = FData.CellGraphic(FData.DisplayColToReal(col), row);
  const auto* captions = g ? dynamic_cast<const TStringList*>(g->Object1) : nullptr;
  if (!captions || captions->Count() == 0) return -1;
  const RECT r = CellRect(col, row);
  TWindowDC dc(Handle());
  TFontHandle font = CreateFontHandle(Font);
  TSelectGuard sel(dc.DC(), font.Get());
  if (g->State) {  // horizontal
    int left = r.left;
    for (int i = 0; i < captions->Count(); ++i) {
      SIZE s{};
      GetTextExtentPoint32A(dc.DC(), (*captions)[i].data(), int((*captions)[i].size()), &s);
      const int right = left + s.cx + kRadioSlot;
      if (x >= left && x < right) return i;
      left = right;
    }
    return -1;
  }
  TEXTMETRICA tm{};
  GetTextMetricsA(dc.DC(), &tm);
  const int pitch = std::max<int>(tm.tmHeight, 1);
  const int index = (y - r.top) / pitch;
  return y >= r.top && index < captions->Count() ? index : -1;
}

RECT TExtStringGrid::ButtonFaceRect(int col, int row, const TCellGraphic& g) {
  const RECT r = CellRect(col, row);
  const int w = std::min<int>(g.Value & 0xFFFF, r.right - r.left - 2), h = std::min<int>((g.Value >> 16) & 0xFFFF, r.bottom - r.top - 2);
  int x = r.left + 1, y = r.top + 1;
  if (g.HAlign == 1) x = r.right - 1 - w;
  if (g.HAlign == 2) x = r.left + (r.right - r.left - w) / 2;
  if (g.VAlign == 1) y = r.bottom - 1 - h;
  if (g.VAlign == 2) y = r.top + (r.bottom - r.top - h) / 2;
  return RECT{x, y, x + w, y + h};
}

bool TExtStringGrid::ClickButtonCell(int col, int row, int x, int y) {
  TCellGraphic* g = FData.CellGraphic(FData.DisplayColToReal(col), row);
  if (!g || g->Kind != gkButton) return false;
  const RECT face = ButtonFaceRect(col, row, *g);
  if (!PtInRect(&face, POINT{x, y})) return false;
  g->State = 1;
  FButtonCol = col, FButtonRow = row;
  SetCapture(FHandle);
  InvalidateCell(col, row);
  return true;
}

bool TExtStringGrid::MouseUpExtras(TMouseButton button, TShiftState shift, int x, int y) {
  if (button != mbLeft) return false;
  if (FPressedCol >= 0) {
    InvalidateCell(FPressedCol, FPressedRow);
    FPressedCol = FPressedRow = -1;
  }
  if (FButtonCol >= 0) {
    const int col = FButtonCol, row = FButtonRow;
    FButtonCol = FButtonRow = -1;
    ReleaseCapture();
    if (TCellGraphic* g = FData.CellGraphic(FData.DisplayColToReal(col), row)) g->State = 0;
    InvalidateCell(col, row);
    if (OnButtonClick) OnButtonClick(this, col, row);
    return true;
  }
  if (FSizingRow >= 0) {
    const int row = FSizingRow;
    FSizingRow = -1;
    FSized = true;
    ReleaseCapture();
    if (MouseActions.AllRowSize && FSizeStart > 0) {
      const double scale = double(RowHeights(row)) / FSizeStart;
      for (int r = FixedRows(); r < RowCount(); ++r)
        if (r != row) FData.SetRowHeights(r, int(std::lround(RowHeights(r) * scale)));
      ClampPosition();
    }
    if (OnEndRowSize) OnEndRowSize(this, row);
    return true;
  }
  if (FSelectMode) {
    FSelectMode = 0;
    ReleaseCapture();
    return true;
  }
  if (MouseActions.DisjunctRowSelect && FDownRow >= FixedRows() && FDownCol >= FixedCols()) {
    const TGridRect sel = Selection();
    SetRowSelected(sel.Top, sel.Bottom, true);
    if (FToggleRow >= 0) SetRowSelected(FToggleRow, FToggleRow, false);
    FToggleRow = -1;
  }
  if (FMoveIndex >= 0) {
    EndMove(x, y);
    return FMoved;  // a finished move is neither a click nor a sort
  }
  return false;
}

void TExtStringGrid::MouseUpAfter(int x, int y) {
  int col, row;
  if (!MouseToCell(x, y, col, row)) return;
  const int real = FData.DisplayColToReal(col);
  if (FData.IsCheckBox(real, row) && OnCheckBoxMouseUp) OnCheckBoxMouseUp(this, col, row, FData.CheckBoxState(real, row));
  if (const TCellGraphic* g = FData.CellGraphic(real, row); g && g->Kind == gkRadioGroup && OnRadioMouseUp)
    OnRadioMouseUp(this, col, row, g->Value);
  if (col == FDownCol && row == FDownRow && OnClickCell) OnClickCell(this, row, col);
}

void TExtStringGrid::ColumnSized(int col) {
  if (MouseActions.AllColumnSize && FSizeStart > 0) {
    const double scale = double(ColWidths(col)) / FSizeStart;
    for (int c = FixedCols(); c < ColCount(); ++c)
      if (c != col) FData.SetColWidths(FData.DisplayColToReal(c), int(std::lround(ColWidths(c) * scale)));
    ClampPosition();
  }
  StretchRightColumn();
  if (OnEndColumnSize) OnEndColumnSize(this, col);
}

void TExtStringGrid::MouseMove(TShiftState shift, int x, int y) {
  if (OleDragMove(shift, x, y)) return;
  if (FSizingRow >= 0) {
    SetRowHeights(FSizingRow, std::max(FSizeStart + y - FSizingStartY, 0));
  } else if (FMoveIndex >= 0) {
    TrackMove(x, y);
  } else if (FSelectMode) {
    int col, row;
    if (MouseToCell(std::max(x, 0), std::max(y, 0), col, row)) {
      const int lastCol = ColCount() - FData.FixedRightCols - 1, lastRow = RowCount() - FData.FixedFooters - 1;
      if (FSelectMode == 2) {
        row = std::clamp(row, FixedRows(), lastRow);
        SetSelection(TGridRect{FixedCols(), std::min(row, FSelectFrom), lastCol, std::max(row, FSelectFrom)});
      } else {
        col = std::clamp(col, FixedCols(), lastCol);
        SetSelection(TGridRect{std::min(col, FSelectFrom), FixedRows(), std::max(col, FSelectFrom), lastRow});
      }
    }
  } else if (!(shift & (ssLeft | ssRight | ssMiddle))) {
    UpdateCursorMode(x, y);
  }
  UpdateHint(x, y);
  TStringGrid::MouseMove(shift, x, y);
}
