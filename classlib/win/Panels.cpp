// TPanel and TScrollBox.
#include "Panels.h"

#include <algorithm>

// --- TPanel

void TPanel::SetCaption(const std::string& caption) {
  FCaption = caption;
  Invalidate();
}

void TPanel::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.Style |= WS_CLIPCHILDREN;
  p.ExStyle |= WS_EX_CONTROLPARENT;
}

void TPanel::Paint(TCanvas& canvas, const RECT& area) {
  TWinControl::Paint(canvas, area);
  RECT r{0, 0, ClientWidth(), ClientHeight()};
  if (BevelOuter != bvNone) DrawEdge(canvas.Handle(), &r, BevelOuter == bvRaised ? BDR_RAISEDINNER : BDR_SUNKENOUTER, BF_RECT);
  if (FCaption.empty()) return;
  HDC dc = canvas.Handle();
  TSelectGuard font(dc, GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorToRGB(Enabled ? Font.Color : clGrayText));
  DrawTextA(dc, FCaption.c_str(), int(FCaption.size()), &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

// --- TScrollBox

void TScrollBox::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.Style |= WS_CLIPCHILDREN | WS_HSCROLL | WS_VSCROLL;
  p.ExStyle |= WS_EX_CONTROLPARENT | WS_EX_CLIENTEDGE;
}

void TScrollBox::UpdateScrollRange() {
  if (!FHandle || FUpdating) return;
  FUpdating = true;  // showing a bar resizes the client area, which comes back here
  SIZE range{0, 0};
  for (TControl* c : Controls())
    if (c->Visible()) {
      range.cx = std::max<LONG>(range.cx, c->Left() + c->Width() + FPos.x);
      range.cy = std::max<LONG>(range.cy, c->Top() + c->Height() + FPos.y);
    }
  FRange = range;
  for (int bar : {SB_HORZ, SB_VERT}) {
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMin = 0;
    si.nMax = (bar == SB_HORZ ? range.cx : range.cy) - 1;
    si.nPage = UINT(bar == SB_HORZ ? ClientWidth() : ClientHeight());
    si.nPos = bar == SB_HORZ ? FPos.x : FPos.y;
    SetScrollInfo(FHandle, bar, &si, TRUE);
  }
  FUpdating = false;
  // A grown client area may leave the children scrolled too far.
  int maxX = std::max(0, int(FRange.cx) - ClientWidth()), maxY = std::max(0, int(FRange.cy) - ClientHeight());
  if (FPos.x > maxX || FPos.y > maxY) ScrollTo(std::min<int>(FPos.x, maxX), std::min<int>(FPos.y, maxY));
}

void TScrollBox::ScrollTo(int x, int y) {
  x = std::max(0, std::min(x, std::max(0, int(FRange.cx) - ClientWidth())));
  y = std::max(0, std::min(y, std::max(0, int(FRange.cy) - ClientHeight())));
  int dx = FPos.x - x, dy = FPos.y - y;
  if (dx == 0 && dy == 0) return;
  FPos = POINT{x, y};
  for (TControl* c : Controls()) c->SetBounds(c->Left() + dx, c->Top() + dy, c->Width(), c->Height());
  if (FHandle) {
    SetScrollPos(FHandle, SB_HORZ, x, TRUE);
    SetScrollPos(FHandle, SB_VERT, y, TRUE);
    InvalidateRect(FHandle, nullptr, FALSE);
  }
}

void TScrollBox::Scroll(int bar, WORD code) {
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_ALL;
  GetScrollInfo(FHandle, bar, &si);
  int pos = si.nPos, page = int(si.nPage), line = 16;
  switch (code) {
    case SB_LINEUP: pos -= line; break;
    case SB_LINEDOWN: pos += line; break;
    case SB_PAGEUP: pos -= page; break;
    case SB_PAGEDOWN: pos += page; break;
    case SB_THUMBTRACK: case SB_THUMBPOSITION: pos = si.nTrackPos; break;
    case SB_TOP: pos = si.nMin; break;
    case SB_BOTTOM: pos = si.nMax; break;
    default: return;
  }
  if (bar == SB_HORZ) ScrollTo(pos, FPos.y);
  else ScrollTo(FPos.x, pos);
}

LRESULT TScrollBox::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_HSCROLL: case WM_VSCROLL:
      if (lParam != 0) break;  // a child's scroll bar: reflected as usual
      Scroll(msg == WM_HSCROLL ? SB_HORZ : SB_VERT, LOWORD(wParam));
      return 0;
  }
  return TWinControl::WndProc(msg, wParam, lParam);
}

bool TScrollBox::MouseWheel(int delta, TShiftState, POINT) {
  ScrollTo(FPos.x, FPos.y - delta * 48 / WHEEL_DELTA);
  return true;
}

void TScrollBox::Paint(TCanvas& canvas, const RECT& area) {
  UpdateScrollRange();
  TWinControl::Paint(canvas, area);
}

void TScrollBox::Resize() {
  TWinControl::Resize();
  UpdateScrollRange();
}
