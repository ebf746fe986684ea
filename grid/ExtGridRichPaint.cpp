// TExtStringGrid: rich-text cells: painted and measured through a hidden
// rich-edit control, and edited in a second one over the cell.
#include <algorithm>

#include "ExtGrid.h"
#include "ExtGridRichEdit.h"
#include "Handles.h"

TExtRichEdit& TExtStringGrid::RichMeasure() {
  if (!FRichMeasure) {
    FRichMeasure = new TExtRichEdit(*this);
    FRichMeasure->SetBounds(0, 0, 0, 0);
    FRichMeasure->SetParent(this);
    HWND wnd = FRichMeasure->Handle();
    SetWindowLongPtrA(wnd, GWL_EXSTYLE, GetWindowLongPtrA(wnd, GWL_EXSTYLE) | WS_EX_TRANSPARENT);
  }
  return *FRichMeasure;
}

void TExtStringGrid::LoadRichText(TExtRichEdit& control, const std::string& text) {
  // Text the control refuses as RTF (broken, or "{\" without "{\rtf") shows as it stands.
  if (!control.SetRTF(text)) control.SetText(text);
}

void TExtStringGrid::DrawRichText(TCanvas& canvas, int col, int row, RECT rect, TGridDrawState state) {
  HDC dc = canvas.Handle();
  const bool selectedUnfocused = (state & gdSelected) && !(state & gdFocused);
  if (!(selectedUnfocused && SelectionColor == clNone)) {
    TBrushHandle frame(CreateSolidBrush(ColorToRGB(canvas.BrushColor)));
    FrameRect(dc, &rect, frame.Get());
  }
  TExtRichEdit& re = RichMeasure();
  re.SetWordWrap(true);
  LoadRichText(re, Cells(col, row));
  if (selectedUnfocused && !SelectionRTFKeep && SelectionTextColor != clNone) re.SetTextColor(SelectionTextColor);
  re.SetColor(canvas.BrushColor);
  const int inset = 2 * GetDeviceCaps(dc, LOGPIXELSX) / 96;
  InflateRect(&rect, -inset, -inset);
  if (rect.right > rect.left && rect.bottom > rect.top) re.FormatInto(dc, rect);
}

SIZE TExtStringGrid::RichTextSize(const std::string& text) {
  TExtRichEdit& re = RichMeasure();
  re.SetWordWrap(false);
  LoadRichText(re, text);
  re.RequestSize();
  return SIZE{re.ReqWidth(), re.ReqHeight()};
}

void TExtStringGrid::ShowRichEditor(int col, int row) {
  if (!FRichEditor) {
    FRichEditor = new TExtRichEdit(*this);
    FRichEditor->SetParent(this);
  }
  TExtRichEdit& re = *FRichEditor;
  re.Busy = true;
  const RECT r = CellRect(col, row);
  re.SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
  re.SetWordWrap(WordWrap || Multilinecells);
  LoadRichText(re, Cells(col, row));
  re.SetEnabled(true);
  re.SetVisible(true);
  re.SetFocus();
  re.Busy = false;
}

std::string TExtStringGrid::RichEditorText() { return FRichEditor ? FRichEditor->RTF() : std::string(); }

void TExtStringGrid::HideRichEditor() {
  if (!FRichEditor) return;
  FRichEditor->Busy = true;
  FRichEditor->SetEnabled(false);
  FRichEditor->SetVisible(false);
  FRichEditor->Busy = false;
}
