// TExtStringGrid as an OLE drag source: a press inside the selection (or on
// a header) that then moves drags the selection's text (or the column) out
// through the system's drag loop; a move may remove the dragged rows.
#include <algorithm>
#include <cstdlib>

#include "EsgMisc.h"
#include "ExtGrid.h"
#include "ExtGridDrop.h"

namespace {
constexpr int kDragButtonWidth = 100, kDragButtonHeight = 18;
}  // namespace

bool TExtStringGrid::OleDragPress(TShiftState shift, int x, int y) {
  FOle.DragPending = false;
  if (!OleDropSource || (Options & goEditing) || (shift & (ssShift | ssDouble)) || FDownCol < 0) return false;
  if ((Options & goColSizing) && ColumnBorderAt(x) >= 0) return false;
  const bool header = FDownRow < FixedRows() && FDownCol >= FixedCols();
  const TGridRect s = Selection();
  const bool inside = MouseActions.DisjunctRowSelect
                          ? FData.RowSelect(FDownRow)
                          : FDownCol >= s.Left && FDownCol <= s.Right && FDownRow >= s.Top && FDownRow <= s.Bottom;
  if (!header && (!inside || IsFixedCell(FDownCol, FDownRow))) return false;
  FOle.DragPending = true;
  FOle.DragPoint = POINT{x, y};
  if (!Focused()) SetFocus();
  SetCapture(Handle());
  return true;
}

// The drag starts once the mouse leaves the system's drag rectangle.
bool TExtStringGrid::OleDragMove(TShiftState shift, int x, int y) {
  if (!FOle.DragPending) return false;
  if (!(shift & ssLeft)) {
    OleDragRelease(x, y);
    return false;
  }
  if (std::abs(x - FOle.DragPoint.x) <= GetSystemMetrics(SM_CXDRAG) / 2 &&
      std::abs(y - FOle.DragPoint.y) <= GetSystemMetrics(SM_CYDRAG) / 2)
    return true;
  FOle.DragPending = false;
  if (GetCapture() == FHandle) ReleaseCapture();
  OleDrag(FDownCol, FDownRow);
  return true;
}

// A drag-capable press released where it was: the pressed cell becomes the
// selection after all.
void TExtStringGrid::OleDragRelease(int x, int y) {
  if (!FOle.DragPending) return;
  FOle.DragPending = false;
  if (GetCapture() == FHandle) ReleaseCapture();
  if (FDownRow >= FixedRows()) FocusCell(FDownCol, FDownRow, true);
}

DWORD TExtStringGrid::OleDrag(int col, int row) {
  const bool column = row < FixedRows();
  const bool disjunct = MouseActions.DisjunctRowSelect;
  const TGridRect range = disjunct ? TGridRect{FixedCols(), FixedRows(), ColCount() - FData.FixedRightCols - 1,
                                               RowCount() - FData.FixedFooters - 1}
                                   : Selection();
  std::string text, rich;
  if (!column) {
    TClipboardOptions o;
    o.CopyHTMLTags = Navigation.CopyHTMLTagsToClipboard;
    o.Multilinecells = Multilinecells;
    o.QuoteMultilineClipboard = QuoteMultilineClipboard;
    if (disjunct) o.RowIncluded = [&](int r) { return FData.RowSelect(r); };
    o.PlainText = [&](int c, int r) { return IsPlainTextCell(c, r); };
    text = RangeAsText(FData, range.Left, range.Top, range.Right, range.Bottom, o);
    // A rich-text cell at the top left rides along in its own format.
    if (const std::string& first = Cells(range.Left, range.Top);
        first.find("{\\") != std::string::npos && !IsPlainTextCell(range.Left, range.Top))
      rich = first;
  }
  bool allow = true;
  if (OnOleDrag) OnOleDrag(this, row, col, text, allow);
  if (!allow) return DROPEFFECT_NONE;
  if (OnOleDragStart) OnOleDragStart(this, row, col);
  FOle.Dragging = true;
  FOle.DragRange = range;
  std::string caption = text.substr(0, text.find_first_of("\t\r\n"));
  if (column) caption = Cells(col, 0);
  TComRef<TGridDropSource> source(new TGridDropSource(*this, caption));
  const DWORD allowed = DROPEFFECT_COPY | DROPEFFECT_MOVE;
  DWORD effect = DROPEFFECT_NONE;
  if (column) StartColDoDragDrop(source.Get(), col, allowed, effect);
  else StartTextDoDragDrop(source.Get(), text, rich, allowed, effect);
  FOle.Dragging = false;
  if (effect == DROPEFFECT_MOVE && OleRemoveRows && !column && ((Options & goRowSelect) || disjunct))
    RemoveDraggedRows();
  if (OnOleDragStop) OnOleDragStop(this, int(effect));
  return effect;
}

// The rows that were dragged away; the grid keeps one normal row, empty.
void TExtStringGrid::RemoveDraggedRows() {
  BeginUpdate();
  const int first = FixedRows(), last = RowCount() - FData.FixedFooters - 1;
  if (MouseActions.DisjunctRowSelect) {
    for (int r = last; r >= first; --r)
      if (FData.RowSelect(r)) FData.RemoveRows(r, 1);
  } else {
    const int top = std::max(FOle.DragRange.Top, first), bottom = std::min(FOle.DragRange.Bottom, last);
    if (bottom >= top) FData.RemoveRows(top, bottom - top + 1);
  }
  if (RowCount() - FData.FixedFooters <= first) FData.InsertRows(RowCount() - FData.FixedFooters, 1);
  ClampPosition();
  EndUpdate();
}

TPopupButton& TExtStringGrid::DragButton() {
  if (!FOle.DragButton) {
    FOle.DragButton = new TPopupButton(this);
    FOle.DragButton->SetParent(this);
    FOle.DragButton->SetBounds(0, 0, kDragButtonWidth, kDragButtonHeight);
  }
  return *FOle.DragButton;
}
