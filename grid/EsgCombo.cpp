// TESGCustomCombo.
#include "EsgCombo.h"

#include <algorithm>

TESGCustomCombo::TESGCustomCombo(TComponent* owner)
    : TComboBox(owner), FButtonWidth(GetSystemMetrics(SM_CXVSCROLL) + 2) {}

void TESGCustomCombo::CreateHandle() {
  TComboBox::CreateHandle();
  if (FDropWidth > 0) SendMessageA(FHandle, CB_SETDROPPEDWIDTH, WPARAM(FDropWidth), 0);
  ApplyBorder();
}

// The system gives a combo a three-dimensional border; flat takes it off.
void TESGCustomCombo::ApplyBorder() {
  LONG_PTR ex = GetWindowLongPtrA(FHandle, GWL_EXSTYLE);
  LONG_PTR want = FFlat ? (ex & ~LONG_PTR(WS_EX_CLIENTEDGE)) : (ex | WS_EX_CLIENTEDGE);
  if (want == ex) return;
  SetWindowLongPtrA(FHandle, GWL_EXSTYLE, want);
  SetWindowPos(FHandle, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TESGCustomCombo::SetFlat(bool flat) {
  FFlat = flat;
  if (!FHandle) return;
  ApplyBorder();
  InvalidateRect(FHandle, nullptr, TRUE);
}

void TESGCustomCombo::SetButtonWidth(int width) {
  if (width < kMinButtonWidth || width > kMaxButtonWidth) return;
  FButtonWidth = width;
  if (FHandle) InvalidateRect(FHandle, nullptr, TRUE);
}

void TESGCustomCombo::SetDropWidth(int width) {
  FDropWidth = width;
  if (FHandle) SendMessageA(FHandle, CB_SETDROPPEDWIDTH, WPARAM(std::max(0, width)), 0);
}

bool TESGCustomCombo::DroppedDown() const { return FHandle && SendMessageA(FHandle, CB_GETDROPPEDSTATE, 0, 0); }

void TESGCustomCombo::SetEnabled(bool enabled) {
  if (enabled != Enabled) {
    if (!enabled) {
      FEnabledColor = Color;
      if (FParent) Color = FParent->Color;
    } else {
      Color = FEnabledColor;
    }
  }
  TComboBox::SetEnabled(enabled);
  if (FHandle) InvalidateRect(FHandle, nullptr, TRUE);
}

bool TESGCustomCombo::CommandNotify(WORD code) {
  switch (code) {
    case CBN_SETFOCUS: case CBN_KILLFOCUS:
      FFocused = code == CBN_SETFOCUS;
      InvalidateRect(FHandle, nullptr, FALSE);
      return true;
    case CBN_DROPDOWN: case CBN_CLOSEUP:
      InvalidateRect(FHandle, nullptr, FALSE);
      return true;
  }
  return TComboBox::CommandNotify(code);
}

// Over the system's drawing: the frame and the button of the flat look.
void TESGCustomCombo::PaintFlat() {
  TWindowDC dc(FHandle);
  RECT r;
  GetClientRect(FHandle, &r);
  RECT button{r.right - FButtonWidth, r.top, r.right, r.bottom};
  HDC h = dc.DC();
  // The system's own button, where ours is narrower, goes under the control's colour.
  RECT system{r.right - GetSystemMetrics(SM_CXVSCROLL) - 2, r.top + 1, r.right - 1, r.bottom - 1};
  TBrushHandle back(CreateSolidBrush(ColorToRGB(Color)));
  FillRect(h, &system, back.Get());
  TBrushHandle face(CreateSolidBrush(ColorToRGB(clBtnFace)));
  if (Hot() && Enabled) {
    RECT edge = r;
    DrawEdge(h, &edge, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    TBrushHandle inner(CreateSolidBrush(ColorToRGB(Color)));
    FrameRect(h, &edge, inner.Get());
    InflateRect(&button, -1, -1);
    FillRect(h, &button, face.Get());
    UINT kind = Etched ? EDGE_ETCHED : DroppedDown() ? BDR_SUNKENOUTER : BDR_RAISEDINNER;
    DrawEdge(h, &button, kind, BF_RECT);
  } else {
    // Not hot: a one-pixel frame in the parent's colour around the control's own.
    TBrushHandle outer(CreateSolidBrush(ColorToRGB(FParent ? FParent->Color : clBtnFace)));
    TBrushHandle inner(CreateSolidBrush(ColorToRGB(Color)));
    RECT edge = r;
    FrameRect(h, &edge, outer.Get());
    InflateRect(&edge, -1, -1);
    FrameRect(h, &edge, inner.Get());
    InflateRect(&button, -1, -1);
    FillRect(h, &button, face.Get());
  }
  RECT arrow = button;
  InflateRect(&arrow, -1, -1);
  DrawFrameControl(h, &arrow, DFC_SCROLL,
                   DFCS_SCROLLCOMBOBOX | DFCS_FLAT | (DroppedDown() ? DFCS_PUSHED : 0) | (Enabled ? 0 : DFCS_INACTIVE));
}

LRESULT TESGCustomCombo::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_PAINT: {
      LRESULT r = TComboBox::WndProc(msg, wParam, lParam);
      if (FFlat) PaintFlat();
      return r;
    }
    case WM_MOUSEMOVE:
      if (Enabled && !FMouseIn) {
        FMouseIn = true;
        TRACKMOUSEEVENT t{sizeof t, TME_LEAVE, FHandle, 0};
        TrackMouseEvent(&t);
        if (AutoFocus && !FFocused) SetFocus();
        InvalidateRect(FHandle, nullptr, FALSE);
      }
      break;
    case WM_MOUSELEAVE:
      if (Enabled) {
        FMouseIn = false;
        InvalidateRect(FHandle, nullptr, FALSE);
      }
      break;
  }
  return TComboBox::WndProc(msg, wParam, lParam);
}
