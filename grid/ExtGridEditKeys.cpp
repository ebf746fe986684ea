// TExtStringGrid's editing input: the keys and clicks that open, end and
// move the editor, Enter's walk through the cells, row insert and delete
// keys, and check boxes toggled by Space.
#include "ExtGrid.h"

namespace {
constexpr int kDirectEditMargin = 3;  // a press this close to a cell's side edge does not open the editor
}

bool TExtStringGrid::AdvanceOnEnter(bool backward) {
  const int firstCol = FixedCols(), lastCol = ColCount() - FData.FixedRightCols - 1;
  const int firstRow = FixedRows(), lastRow = RowCount() - FData.FixedFooters - 1;
  const int cols = lastCol - firstCol + 1, rows = lastRow - firstRow + 1;
  if (cols <= 0 || rows <= 0) return false;
  const bool down = Navigation.AdvanceDirection == adTopBottom;
  // Cells are counted in walking order; every cell after (before) the
  // current one is tried once, so the walk ends.
  const long long at = down ? (long long)(Col() - firstCol) * rows + (Row() - firstRow)
                            : (long long)(Row() - firstRow) * cols + (Col() - firstCol);
  const long long total = (long long)cols * rows, step = backward ? -1 : 1;
  for (long long i = at + step; i >= 0 && i < total; i += step) {
    const int c = firstCol + int(down ? i / rows : i % cols), r = firstRow + int(down ? i % rows : i / cols);
    if (RowHeights(r) <= 0 || ColWidths(c) <= 0) continue;
    if ((Options & goEditing) && !CanEditCell(c, r)) continue;
    FocusCell(c, r, true);
    return Col() == c && Row() == r;
  }
  if (backward || !Navigation.AdvanceInsert) return false;
  // Past the last cell: a new row (or column) after the last normal one.
  if (down) {
    const int col = lastCol + 1;
    FData.InsertCols(col < ColCount() ? FData.DisplayColToReal(col) : FData.DisplayColToReal(ColCount() - 1) + 1, 1);
    ClampPosition();
    if (OnAutoInsertCol) OnAutoInsertCol(this, col);
    FocusCell(col, firstRow, true);
    return Col() == col;
  }
  bool allow = true;
  if (OnCanAddRow) OnCanAddRow(this, allow);
  if (!allow) return false;
  const int row = lastRow + 1;
  FData.InsertRows(row, 1);
  ClampPosition();
  if (OnAutoAddRow) OnAutoAddRow(this, row);
  FocusCell(firstCol, row, true);
  return Row() == row;
}

bool TExtStringGrid::EditingKey(uint16_t key, TShiftState shift) {
  const bool plain = ShiftIs(shift, 0);
  switch (key) {
    case VK_RETURN:
      if (!Navigation.AdvanceOnEnter) ShowEditor();
      else if (AdvanceOnEnter(shift & ssShift)) ShowEditor();
      return true;
    case VK_F2:
      ShowEditor();
      return (Options & goEditing) != 0;
    case VK_ESCAPE:
      if (!Editing()) return false;
      CancelEditor();
      return true;
    case VK_SPACE: {
      const int real = FData.DisplayColToReal(Col());
      if (!plain || !FData.IsCheckBox(real, Row()) || !CanEditCell(Col(), Row())) return false;
      FData.ToggleCheckBox(real, Row());
      InvalidateCell(Col(), Row());
      if (OnCheckBoxClick) OnCheckBoxClick(this, Col(), Row(), FData.CheckBoxState(real, Row()));
      return true;
    }
    case VK_INSERT:
      if (!plain || !Navigation.AllowInsertRow) return false;
      InsertRowKey();
      return true;
    case VK_DELETE:
      if (!plain || !Navigation.AllowDeleteRow) return false;
      DeleteRowKey();
      return true;
  }
  return false;
}

void TExtStringGrid::InsertRowKey() {
  const int row = Row();
  bool allow = true;
  if (OnCanInsertRow) OnCanInsertRow(this, row, allow);
  if (!allow) return;
  const bool after = Navigation.InsertPosition == pInsertAfter;
  const int at = after ? row + 1 : row;
  FData.InsertRows(at, 1);
  ClampPosition();
  if (after) FocusCell(Col(), at, true);
  if (OnAutoInsertRow) OnAutoInsertRow(this, at);
}

void TExtStringGrid::DeleteRowKey() {
  const int row = Row();
  if (FData.LastNormalRow() < FData.FirstNormalRow()) return;
  bool allow = true;
  if (OnCanDeleteRow) OnCanDeleteRow(this, row, allow);
  if (!allow) return;
  // The last normal row is emptied rather than removed.
  if (FData.LastNormalRow() == FData.FirstNormalRow()) FData.ClearRows(row, 1);
  else FData.RemoveRows(row, 1);
  ClampPosition();
  if (OnAutoDeleteRow) OnAutoDeleteRow(this, row);
}

void TExtStringGrid::MouseEditing(TMouseButton button, TShiftState shift, int x, int y) {
  int col, row;
  if (button != mbLeft || !MouseToCell(x, y, col, row) || col != Col() || row != Row()) return;
  if (shift & ssDouble) return;  // the mouse side raises OnDblClickCell
  if (!MouseActions.DirectEdit || IsFixedCell(col, row)) return;
  const RECT r = CellRect(col, row);
  if (x - r.left <= kDirectEditMargin || r.right - x <= kDirectEditMargin) return;
  ShowEditor();
  if (!EditorMode() || !MouseActions.CaretPositioning) return;
  TInplaceEdit& edit = *InplaceEditor();
  const LRESULT at = SendMessageA(edit.Handle(), EM_CHARFROMPOS, 0, MAKELPARAM(x - edit.Left(), y - edit.Top()));
  edit.SetSel(LOWORD(at), LOWORD(at));
}
