// TPopupButton.
#include "EsgMisc.h"

// --- TPopupButton

TPopupButton::TPopupButton(TComponent* owner) : TWinControl(owner) { FVisible = false; }

void TPopupButton::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  // Owned by the parent's window, without a caption or a taskbar button.
  p.Style = WS_POPUP | WS_CLIPSIBLINGS;
  p.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
  p.WndParent = FParent ? FParent->Handle() : nullptr;
}

void TPopupButton::SetCaption(const std::string& caption) {
  FCaption = caption;
  Invalidate();
}

void TPopupButton::SetVisible(bool visible) {
  FVisible = visible;
  if (visible || FHandle) ShowWindow(Handle(), visible ? SW_SHOWNOACTIVATE : SW_HIDE);
}

void TPopupButton::Paint(TCanvas& canvas, const RECT&) {
  RECT r{0, 0, ClientWidth(), ClientHeight()};
  HDC dc = canvas.Handle();
  TBrushHandle face(CreateSolidBrush(ColorToRGB(clBtnFace)));
  FillRect(dc, &r, face.Get());
  FrameRect(dc, &r, face.Get());
  InflateRect(&r, -1, -1);
  if (!Flat) DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
  TFontHandle font = CreateFontHandle(Font);
  TSelectGuard s(dc, font.Get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorToRGB(Font.Color));
  DrawTextA(dc, FCaption.c_str(), int(FCaption.size()), &r,
            DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
}
