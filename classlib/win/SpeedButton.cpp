// TSpeedButton.
#include "SpeedButton.h"

#include <algorithm>

void TSpeedButton::SetCaption(const std::string& caption) {
  FCaption = caption;
  Invalidate();
}

void TSpeedButton::SetDown(bool down) {
  if (down == FDown) return;
  FDown = down;
  Invalidate();
}

RECT TSpeedButton::PaintFrame(TCanvas& canvas) {
  RECT r{0, 0, Width(), Height()};
  canvas.BrushColor = Color;
  canvas.FillRect(r);
  bool sunken = FPressed || FDown;
  if (Flat && !sunken && !(FHot && Enabled)) return r;
  if (Flat) DrawEdge(canvas.Handle(), &r, sunken ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT | BF_ADJUST);
  else DrawEdge(canvas.Handle(), &r, sunken ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_ADJUST);
  return r;
}

void TSpeedButton::PaintFace(TCanvas& canvas, const RECT& face) {
  int shift = (FPressed || FDown) ? 1 : 0;
  int parts = std::max(1, NumGlyphs);
  int glyphW = Glyph.Empty() ? 0 : Glyph.Width() / parts, glyphH = Glyph.Empty() ? 0 : Glyph.Height();
  canvas.Font = Font;
  if (!Enabled) canvas.Font.Color = clGrayText;
  SIZE text = FCaption.empty() ? SIZE{0, 0} : canvas.TextExtent(FCaption);
  int gap = (glyphW && text.cx) ? 4 : 0;
  int x = face.left + (face.right - face.left - glyphW - gap - text.cx) / 2 + shift;
  int midY = face.top + (face.bottom - face.top) / 2 + shift;
  if (glyphW > 0) {
    // The picture of the state, when the glyph has one.
    int index = !Enabled ? 1 : FDown ? 3 : FPressed ? 2 : 0;
    if (index >= parts) index = 0;
    HDC dc = canvas.Handle();
    int saved = SaveDC(dc);
    int top = midY - glyphH / 2;
    IntersectClipRect(dc, x, top, x + glyphW, top + glyphH);
    int left = x - index * glyphW;
    DrawBitmap(dc, Glyph, RECT{left, top, left + Glyph.Width(), top + glyphH}, true);
    RestoreDC(dc, saved);
  }
  if (text.cx) canvas.TextRect(face, x + glyphW + gap, midY - text.cy / 2, FCaption);
}

void TSpeedButton::Paint(TCanvas& canvas) { PaintFace(canvas, PaintFrame(canvas)); }

void TSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft && Enabled) {
    FTracking = FPressed = true;
    Invalidate();
  }
  TGraphicControl::MouseDown(button, shift, x, y);
}

void TSpeedButton::MouseMove(TShiftState shift, int x, int y) {
  if (FTracking) {
    bool inside = x >= 0 && y >= 0 && x < Width() && y < Height();
    if (inside != FPressed) {
      FPressed = inside;
      Invalidate();
    }
  }
  TGraphicControl::MouseMove(shift, x, y);
}

void TSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft) {
    FTracking = FPressed = false;
    Invalidate();
  }
  TGraphicControl::MouseUp(button, shift, x, y);
}

void TSpeedButton::MouseEnter() {
  FHot = true;
  if (Flat) Invalidate();
  TGraphicControl::MouseEnter();
}

void TSpeedButton::MouseLeave() {
  FHot = false;
  if (Flat) Invalidate();
  TGraphicControl::MouseLeave();
}
