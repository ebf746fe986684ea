// TExtStringGrid: moving columns and rows by their headers with the arrow
// markers, the selection cursors over the headers and links under the mouse.
#include <algorithm>

#include "EsgArrow.h"
#include "ExtGrid.h"

namespace {
constexpr int kColumnCursorId = 8011, kRowCursorId = 8010, kAllCursorId = 8012;

// The program's selection cursor, or a system cursor when it has none.
HCURSOR SelectionCursor(int mode) {
  const int id = mode == 1 ? kColumnCursorId : mode == 2 ? kRowCursorId : kAllCursorId;
  if (HCURSOR own = LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id))) return own;
  return LoadCursor(nullptr, mode == 1 ? IDC_UPARROW : mode == 2 ? IDC_SIZEWE : IDC_SIZEALL);
}
}  // namespace

void TExtStringGrid::StartMove(bool column, int index) {
  FMoveColumn = column;
  FMoveIndex = FMoveTo = index;
  FMoved = FMoveAllowed = false;
  SetCapture(FHandle);
}

// The column (or row) under the mouse, kept on the normal ones.
int TExtStringGrid::MoveTarget(int x, int y) const {
  int col, row;
  MouseToCell(std::clamp(x, 0, std::max(ClientWidth() - 1, 0)), std::clamp(y, 0, std::max(ClientHeight() - 1, 0)), col, row);
  if (FMoveColumn) return col < 0 ? FMoveTo : std::clamp(col, FixedCols(), ColCount() - FData.FixedRightCols - 1);
  return row < 0 ? FMoveTo : std::clamp(row, FixedRows(), RowCount() - FData.FixedFooters - 1);
}

void TExtStringGrid::TrackMove(int x, int y) {
  // Past the shown part the grid scrolls toward the mouse.
  if (FMoveColumn && x >= ClientWidth()) SetLeftCol(LeftCol() + 1);
  if (FMoveColumn && x < 0) SetLeftCol(LeftCol() - 1);
  if (!FMoveColumn && y >= ClientHeight()) SetTopRow(TopRow() + 1);
  if (!FMoveColumn && y < 0) SetTopRow(TopRow() - 1);
  const int target = MoveTarget(x, y);
  if (target != FMoveIndex && !FMoveAllowed) {
    bool allow = true;
    if (FMoveColumn && OnColumnMove) OnColumnMove(this, FData.DisplayColToReal(FMoveIndex), allow);
    if (!FMoveColumn && OnRowMove) OnRowMove(this, FMoveIndex, allow);
    if (!allow) {  // the move is cancelled
      FMoveIndex = -1;
      ReleaseCapture();
      return;
    }
    FMoveAllowed = true;
  }
  FMoveTo = target;
  if (FMoveAllowed && EnhRowColMove) ShowMoveArrows(x, y);
}

// Two arrows point at the border where the moved column or row will land:
// down and up above and below the header row, or right and left beside the
// header column.
TArrowWindow* TExtStringGrid::Arrow(int direction) {
  TArrowWindow*& arrow = FArrows[direction];
  if (!arrow) arrow = new TArrowWindow(this, this, direction);
  return arrow;
}

void TExtStringGrid::ShowMoveArrows(int x, int y) {
  for (int d = 0; d < 4; ++d) Arrow(d);
  const RECT target = CellRect(FMoveColumn ? FMoveTo : 0, FMoveColumn ? 0 : FMoveTo);
  if (IsRectEmpty(&target)) return;
  const bool after = FMoveTo > FMoveIndex;
  POINT a{}, b{};
  if (FMoveColumn) {
    const int border = after ? target.right : target.left;
    a = POINT{border - FArrows[adDown]->Width() / 2, target.top - FArrows[adDown]->Height()};
    b = POINT{border - FArrows[adUp]->Width() / 2, target.bottom + 1};
  } else {
    const int border = after ? target.bottom : target.top;
    a = POINT{target.left - FArrows[adRight]->Width(), border - FArrows[adRight]->Height() / 2};
    b = POINT{target.right + 1, border - FArrows[adLeft]->Height() / 2};
  }
  ClientToScreen(FHandle, &a);
  ClientToScreen(FHandle, &b);
  FArrows[FMoveColumn ? adDown : adRight]->ShowAt(a.x, a.y);
  FArrows[FMoveColumn ? adUp : adLeft]->ShowAt(b.x, b.y);
  FArrows[FMoveColumn ? adRight : adDown]->Hide();
  FArrows[FMoveColumn ? adLeft : adUp]->Hide();
}

void TExtStringGrid::EndMove(int x, int y) {
  for (TArrowWindow* a : FArrows)
    if (a) a->Hide();
  const int from = FMoveIndex, to = FMoveTo;
  FMoveIndex = -1;
  ReleaseCapture();
  if (!FMoveAllowed || from == to) return;
  if (FMoveColumn) FData.MoveColumn(FData.DisplayColToReal(from), FData.DisplayColToReal(to));
  else FData.MoveRow(from, to);
  FMoved = FSized = true;
  FocusCell(FMoveColumn ? to : Col(), FMoveColumn ? Row() : to, true);
  Invalidate();
}

void TExtStringGrid::UpdateCursorMode(int x, int y) {
  int col, row, mode = 0;
  const bool nearBorder = (Options & goColSizing) && ColumnBorderAt(x) >= 0;
  if (MouseToCell(x, y, col, row) && FMoveIndex < 0 && FSizingRow < 0 && SizingCol() < 0) {
    if (col < FixedCols() && row < FixedRows()) mode = MouseActions.AllSelect ? 3 : 0;
    else if (col < FixedCols()) mode = MouseActions.RowSelect && RowBorderAt(x, y) < 0 ? 2 : 0;
    else if (row < FixedRows()) mode = MouseActions.ColSelect && !nearBorder ? 1 : 0;
    SetHoverAnchor(col, row, POINT{x, y}, AnchorAt(col, row, POINT{x, y}));
  }
  FCursorMode = mode;
}

// The anchor under the mouse: its events, and its cell repainted so that
// the painter gives it the hover style.
void TExtStringGrid::SetHoverAnchor(int col, int row, POINT p, const std::string& anchor) {
  if (anchor == FAnchorHover && (anchor.empty() || (col == FAnchorCol && row == FAnchorRow))) {
    FAnchorPoint = p;
    return;
  }
  if (!FAnchorHover.empty()) {
    if (OnAnchorExit) OnAnchorExit(this, row, col, FAnchorHover);
    InvalidateCell(FAnchorCol, FAnchorRow);
  }
  FAnchorHover = anchor;
  FAnchorCol = col, FAnchorRow = row, FAnchorPoint = p;
  if (anchor.empty()) return;
  if (OnAnchorEnter) OnAnchorEnter(this, row, col, anchor);
  InvalidateCell(col, row);
}

bool TExtStringGrid::SetCursorAt(POINT client) {
  if (FSizingRow >= 0 || RowBorderAt(client.x, client.y) >= 0) {
    SetCursor(LoadCursor(nullptr, IDC_SIZENS));
    return true;
  }
  UpdateCursorMode(client.x, client.y);
  if (FCursorMode != 0) {
    SetCursor(SelectionCursor(FCursorMode));
    return true;
  }
  return TStringGrid::SetCursorAt(client);
}
