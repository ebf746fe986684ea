// TSplitter.
#include "Splitter.h"

#include "Forms.h"

TSplitter::TSplitter(TComponent* owner) : TGraphicControl(owner) {
  if (ScreenCursors().Get(crHSplit) == LoadCursorA(nullptr, IDC_ARROW))
    ScreenCursors().Set(crHSplit, TCursorHandle(CopyCursor(LoadCursorA(nullptr, IDC_SIZEWE))));
  Cursor = crHSplit;
}

void TSplitter::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  FDragging = button == mbLeft;
  FGrabX = x;
  TGraphicControl::MouseDown(button, shift, x, y);
}

void TSplitter::MouseMove(TShiftState shift, int x, int y) {
  // The bar moves under the mouse: x stays relative to where it was grabbed.
  if (FDragging && (shift & ssLeft) && x != FGrabX && OnMoving) OnMoving(this, x - FGrabX);
  TGraphicControl::MouseMove(shift, x, y);
}

void TSplitter::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  FDragging = false;
  TGraphicControl::MouseUp(button, shift, x, y);
}

void TSplitter::Paint(TCanvas& canvas) {
  canvas.BrushColor = clBtnFace;
  canvas.FillRect(RECT{0, 0, Width(), Height()});
}
