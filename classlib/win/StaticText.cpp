// TStaticText.
#include "StaticText.h"

void TStaticText::SetCaption(const std::string& caption) {
  FCaption = caption;
  if (FHandle) SetWindowTextA(FHandle, caption.c_str());
}

void TStaticText::CreateParams(TCreateParams& p) {
  UseSystemClass(p, "STATIC");
  p.Caption = FCaption;
  p.Style |= SS_LEFT | SS_NOPREFIX;
}
