// TExtRichEdit.
#include "ExtGridRichEdit.h"

#include "ExtGrid.h"

TExtRichEdit::TExtRichEdit(TExtStringGrid& grid) : TRichEdit(&grid), FGrid(grid) {
  Border = false;
  SetVisible(false);
}

void TExtRichEdit::RequestResize(const RECT& requested) {
  FReqWidth = requested.right - requested.left;
  FReqHeight = requested.bottom - requested.top;
  if (this != FGrid.RichEditor() || !GrowHeight || Busy || !Visible()) return;
  const int row = FGrid.Row();
  if (FReqHeight <= FGrid.RowHeights(row) || Top() + FReqHeight > FGrid.ClientHeight()) return;
  FGrid.SetRowHeights(row, FReqHeight);
  SetHeight(FReqHeight);
}

void TExtRichEdit::SelectionChanged() {
  if (this == FGrid.RichEditor() && !Busy && FGrid.OnRichEditSelectionChange) FGrid.OnRichEditSelectionChange(&FGrid);
}

LRESULT TExtRichEdit::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (OnLeaveEditor && FGrid.HandleAllocated()) {
    if (msg == WM_KILLFOCUS && HWND(wParam) == FGrid.Handle() && !Busy) {
      const LRESULT result = TRichEdit::WndProc(msg, wParam, lParam);
      OnLeaveEditor(0);
      return result;
    }
    if (msg == WM_KEYDOWN && wParam == VK_ESCAPE) {
      OnLeaveEditor(VK_ESCAPE);
      return 0;
    }
    if (msg == WM_KEYDOWN && (wParam == VK_UP || wParam == VK_DOWN) && !FGrid.WordWrap && !FGrid.Multilinecells) {
      OnLeaveEditor(uint16_t(wParam));
      return 0;
    }
  }
  return TRichEdit::WndProc(msg, wParam, lParam);
}
