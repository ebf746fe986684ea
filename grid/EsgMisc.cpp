// TPopupButton and TArrowWindow.
#include "EsgMisc.h"

#include <vector>

#include "EsgSpinRules.h"

namespace {
// A popup window owned by the parent's window, without a caption or a
// taskbar button.
void PopupParams(TWinControl* parent, DWORD& style, DWORD& exStyle, HWND& owner) {
  style = WS_POPUP | WS_CLIPSIBLINGS;
  exStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
  owner = parent ? parent->Handle() : nullptr;
}

void ShowWithoutActivating(TWinControl& control, bool visible) {
  if (visible || control.HandleAllocated()) ShowWindow(control.Handle(), visible ? SW_SHOWNOACTIVATE : SW_HIDE);
}
}  // namespace

// --- TPopupButton

TPopupButton::TPopupButton(TComponent* owner) : TWinControl(owner) { FVisible = false; }

void TPopupButton::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  PopupParams(FParent, p.Style, p.ExStyle, p.WndParent);
}

void TPopupButton::SetCaption(const std::string& caption) {
  FCaption = caption;
  Invalidate();
}

void TPopupButton::SetVisible(bool visible) {
  FVisible = visible;
  ShowWithoutActivating(*this, visible);
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

// --- TArrowWindow

TArrowWindow::TArrowWindow(TComponent* owner, int direction) : TPanel(owner), FDirection(direction & 3) {
  FVisible = false;
  FWidth = FHeight = ArrowSize;
  Color = clLime;
  BevelOuter = bvNone;
}

void TArrowWindow::CreateParams(TCreateParams& p) {
  TPanel::CreateParams(p);
  PopupParams(FParent, p.Style, p.ExStyle, p.WndParent);
}

void TArrowWindow::CreateHandle() {
  TPanel::CreateHandle();
  std::vector<POINT> points;
  for (const TArrowPoint& a : ArrowPolygon(FDirection)) points.push_back(POINT{a.X, a.Y});
  // The window takes the region over and frees it.
  SetWindowRgn(FHandle, CreatePolygonRgn(points.data(), int(points.size()), WINDING), FALSE);
}

void TArrowWindow::SetVisible(bool visible) {
  FVisible = visible;
  ShowWithoutActivating(*this, visible);
}
