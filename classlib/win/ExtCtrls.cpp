// TImage, TLabel and TTimer.
#include "ExtCtrls.h"

#include "Forms.h"

void TImage::Changed() {
  PictureChanged();
  Invalidate();
}

void TImage::Paint(TCanvas& canvas) {
  auto* bitmap = dynamic_cast<TBitmap*>(FPicture.Graphic());
  if (!bitmap || bitmap->Empty()) return;
  RECT r = Stretch ? RECT{0, 0, Width(), Height()} : RECT{0, 0, bitmap->Width(), bitmap->Height()};
  canvas.StretchDraw(r, *bitmap, Transparent);
}

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner) {}

void TLabel::SetCaption(const std::string& caption) {
  if (caption == FCaption) return;
  FCaption = caption;
  Invalidate();
}

void TLabel::Paint(TCanvas& canvas) {
  RECT r{0, 0, Width(), Height()};
  if (!Transparent) {
    canvas.BrushColor = Color;
    canvas.FillRect(r);
  }
  canvas.Font.Assign(Font);
  canvas.TextRect(r, 0, 0, FCaption);
}

TTimer::~TTimer() {
  if (FId) Application().RemoveTimer(FId);
}

void TTimer::SetEnabled(bool enabled) {
  FEnabled = enabled;
  Restart();
}

void TTimer::SetInterval(unsigned ms) {
  FInterval = ms;
  Restart();
}

void TTimer::Restart() {
  if (FId) Application().RemoveTimer(FId);
  FId = 0;
  if (FEnabled && FInterval > 0) FId = Application().AddTimer([this] { Tick(); }, FInterval);
}
