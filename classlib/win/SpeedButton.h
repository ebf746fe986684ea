// The speed button: a windowless push button with a glyph and a caption,
// which can stay down, and a flat look that shows its frame only under the
// mouse.
#pragma once
#include <string>

#include "Controls.h"

class TSpeedButton : public TGraphicControl {
public:
  explicit TSpeedButton(TComponent* owner) : TGraphicControl(owner) {}
  std::string ClassName() const override { return "TSpeedButton"; }
  // The glyph holds NumGlyphs pictures side by side: up, disabled, pressed,
  // down. Its transparent colour is left undrawn.
  TBitmap Glyph;
  int NumGlyphs = 1;
  bool Flat = false;
  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& caption);
  bool Down() const { return FDown; }
  void SetDown(bool down);

  void Paint(TCanvas& canvas) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseEnter() override;
  void MouseLeave() override;

protected:
  // Held down by the mouse (and the mouse still over it).
  bool Pressed() const { return FPressed; }
  bool Hot() const { return FHot; }
  // The frame of the button's state; gives back the face inside it.
  RECT PaintFrame(TCanvas& canvas);
  // The glyph and the caption, centred in face (shifted while pressed).
  void PaintFace(TCanvas& canvas, const RECT& face);

private:
  std::string FCaption;
  bool FDown = false, FPressed = false, FHot = false;
  bool FTracking = false;  // the left button went down on this button
};
