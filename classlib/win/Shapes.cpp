// TShape.
#include "Shapes.h"

void TShape::SetBrushColor(TColor c) {
  FBrushColor = c;
  Invalidate();
}

void TShape::Paint(TCanvas& canvas) {
  RECT r{0, 0, Width(), Height()};
  canvas.BrushColor = clBlack;
  canvas.FillRect(r);
  InflateRect(&r, -1, -1);
  canvas.BrushColor = FBrushColor;
  canvas.FillRect(r);
}
