// The hyperlink label.
#include "UrlLabel.h"

#include <windows.h>

#include "Forms.h"
#include "Shell.h"

namespace {
// The cursor slots start empty (the arrow); the hand is copied in once so
// that the slot owns its own handle.
void RegisterHandCursor() {
  if (ScreenCursors().Get(crHandPoint) != LoadCursorA(nullptr, IDC_ARROW)) return;
  ScreenCursors().Set(crHandPoint, TCursorHandle(CopyCursor(LoadCursorA(nullptr, IDC_HAND))));
}
}  // namespace

TUrlLabel::TUrlLabel(TComponent* owner) : TLabel(owner) {
  RegisterHandCursor();
  Cursor = crHandPoint;
  Font.Color = clBlue;
  Font.Style = fsBold | fsUnderline;
}

void TUrlLabel::SetURL(const std::string& url) {
  FURL = url;
  // A caption that is still empty, or still the component's name, was never set.
  if (Caption().empty() || Caption() == Name) SetCaption(url);
}

void TUrlLabel::Click() {
  TLabel::Click();
  std::string target = Trim(FURL);
  if (target.empty()) target = Trim(Caption());
  if (!target.empty()) ShellOpen(target);
}

void TUrlLabel::MouseEnter() {
  FSavedColor = Font.Color;
  Font.Color = ActiveColor;
  Font.Style |= fsUnderline;
  Invalidate();
  TLabel::MouseEnter();
}

void TUrlLabel::MouseLeave() {
  Font.Color = FSavedColor;
  Font.Style &= ~uint32_t(fsUnderline);
  Invalidate();
  TLabel::MouseLeave();
}

void TUrlLabel::Paint(TCanvas& canvas) {
  RECT r{0, 0, Width(), Height()};
  if (!Transparent) {
    canvas.BrushColor = Color;
    canvas.FillRect(r);
  }
  canvas.Font.Assign(Font);
  canvas.TextRect(r, 0, (Height() - canvas.TextExtent(Caption()).cy) / 2, Caption());
}
