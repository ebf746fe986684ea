// TExtTimerSpeedButton, TEsgSpinButton and TEsgSpinEdit.
#include "EsgSpin.h"

#include <algorithm>

namespace {
constexpr int kMinButtonSide = 15, kMinHorizontalWidth = 20;

void Beep() { MessageBeep(0); }

// A small filled triangle pointing up, down, right or left, centred in r.
void PaintArrow(HDC dc, const RECT& r, char way, COLORREF color) {
  int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
  POINT p[3];
  switch (way) {
    case 'u': p[0] = {cx - 3, cy + 1}, p[1] = {cx + 3, cy + 1}, p[2] = {cx, cy - 2}; break;
    case 'd': p[0] = {cx - 3, cy - 1}, p[1] = {cx + 3, cy - 1}, p[2] = {cx, cy + 2}; break;
    case 'r': p[0] = {cx - 1, cy - 3}, p[1] = {cx - 1, cy + 3}, p[2] = {cx + 2, cy}; break;
    default: p[0] = {cx + 1, cy - 3}, p[1] = {cx + 1, cy + 3}, p[2] = {cx - 2, cy}; break;
  }
  TBrushHandle brush(CreateSolidBrush(color));
  TPenHandle pen(CreatePen(PS_SOLID, 1, color));
  TSelectGuard b(dc, brush.Get()), s(dc, pen.Get());
  Polygon(dc, p, 3);
}
}  // namespace

// --- TExtTimerSpeedButton

void TExtTimerSpeedButton::Paint(TCanvas& canvas) {
  if (ArrowKind == 0 || ArrowKind == 1) {
    RECT r{0, 0, Width(), Height()};
    UINT state = (ArrowKind == 0 ? DFCS_SCROLLUP : DFCS_SCROLLDOWN) | (Pressed() ? DFCS_PUSHED : 0) |
                 (Flat ? DFCS_FLAT : 0) | (Enabled ? 0 : DFCS_INACTIVE);
    DrawFrameControl(canvas.Handle(), &r, DFC_SCROLL, state);
    return;
  }
  RECT face = PaintFrame(canvas);
  if (!Glyph.Empty() || !Caption().empty()) {
    PaintFace(canvas, face);
    return;
  }
  int shift = Pressed() ? 1 : 0;
  OffsetRect(&face, shift, shift);
  char way = ArrowKind == 2 ? (Horizontal ? 'r' : 'u') : (Horizontal ? 'l' : 'd');
  PaintArrow(canvas.Handle(), face, way, ColorToRGB(Enabled ? clBtnText : clGrayText));
}

void TExtTimerSpeedButton::RepeatClick() {
  try {
    TSpeedButton::Click();
  } catch (...) {
    if (FRepeatTimer) FRepeatTimer->SetEnabled(false);
    throw;
  }
}

void TExtTimerSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  FClickedOnPress = false;
  TSpeedButton::MouseDown(button, shift, x, y);
  if (button != mbLeft || !Repeat || !Enabled) return;
  if (!FRepeatTimer) {
    FRepeatTimer = new TTimer(this);
    FRepeatTimer->OnTimer = [this](TComponent*) { TimerExpired(); };
  }
  FRepeatTimer->SetInterval(kInitRepeatPause);
  FRepeatTimer->SetEnabled(true);
  FClickedOnPress = true;
  RepeatClick();
}

void TExtTimerSpeedButton::TimerExpired() {
  if (!FRepeatTimer) return;
  FRepeatTimer->SetInterval(kRepeatPause);
  // Only while the button is held down with the mouse over it.
  if (Pressed() && Parent() && GetCapture() == Parent()->Handle()) RepeatClick();
}

void TExtTimerSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (FRepeatTimer) FRepeatTimer->SetEnabled(false);
  TSpeedButton::MouseUp(button, shift, x, y);
}

void TExtTimerSpeedButton::Click() {
  // The release of a repeating press clicks no more: the press did.
  if (FClickedOnPress) {
    FClickedOnPress = false;
    return;
  }
  TSpeedButton::Click();
}

// --- TEsgSpinButton

TEsgSpinButton::TEsgSpinButton(TComponent* owner)
    : TWinControl(owner), FUp(new TExtTimerSpeedButton(this)), FDown(new TExtTimerSpeedButton(this)), FFocusedButton(FUp) {
  FWidth = 15, FHeight = 25;
  FDown->ArrowKind = 3;
  for (TExtTimerSpeedButton* b : {FUp, FDown}) {
    b->Repeat = true;
    b->SetParent(this);
    b->OnMouseDown = [this, b](TComponent*, TMouseButton button, TShiftState, int, int) {
      if (button == mbLeft) ButtonPressed(*b);
    };
  }
  FUp->OnClick = [this](TComponent*) { if (OnUpClick) OnUpClick(this); };
  FDown->OnClick = [this](TComponent*) { if (OnDownClick) OnDownClick(this); };
  Layout();
}

void TEsgSpinButton::ButtonPressed(TExtTimerSpeedButton& button) {
  FFocusedButton = &button;
  TWinControl* target = FocusControl;
  if (!target || !target->Visible() || !target->Enabled || !target->HandleAllocated()) target = this;
  if (!target->Focused()) target->SetFocus();
}

void TEsgSpinButton::SetDirection(TSpinDirection direction) {
  FDirection = direction;
  FUp->Horizontal = FDown->Horizontal = direction == spHorizontal;
  SetBounds(FLeft, FTop, FWidth, FHeight);
  Invalidate();
}

void TEsgSpinButton::SetFlat(bool flat) {
  FUp->Flat = FDown->Flat = flat;
  Invalidate();
}

void TEsgSpinButton::SetBounds(int left, int top, int width, int height) {
  if (FDirection == spVertical) height = std::max(height, kMinButtonSide);
  else width = std::max(width, kMinHorizontalWidth);
  TWinControl::SetBounds(left, top, width, height);
  Layout();
}

void TEsgSpinButton::Resize() {
  TWinControl::Resize();
  Layout();
}

void TEsgSpinButton::Layout() {
  int w = FWidth, h = FHeight;
  if (FDirection == spVertical) {
    // The halves overlap by one pixel.
    int half = (h + 1) / 2;
    FUp->SetBounds(0, 0, w, half);
    FDown->SetBounds(0, half - 1, w, h - half + 1);
  } else {
    int half = (w + 1) / 2;
    FDown->SetBounds(0, 0, half, h);
    FUp->SetBounds(half - 1, 0, w - half + 1, h);
  }
}

bool TEsgSpinButton::KeyDown(uint16_t& key, TShiftState) {
  switch (key) {
    case VK_UP: FUp->Click(); return true;
    case VK_DOWN: FDown->Click(); return true;
    case VK_SPACE: FFocusedButton->Click(); return true;
  }
  return false;
}

// --- TEsgSpinEdit

TEsgSpinEdit::TEsgSpinEdit(TComponent* owner) : TCustomEdit(owner), FButton(new TEsgSpinButton(this)) {
  SetText("0");
  FButton->SetBounds(0, 0, kButtonWidth, 17);
  FButton->FocusControl = this;
  FButton->SetParent(this);
  FButton->OnUpClick = [this](TComponent*) { UpClick(); };
  FButton->OnDownClick = [this](TComponent*) { DownClick(); };
}

void TEsgSpinEdit::CreateParams(TCreateParams& p) {
  TCustomEdit::CreateParams(p);
  p.Style |= WS_CLIPCHILDREN | ES_AUTOHSCROLL;
}

void TEsgSpinEdit::CreateHandle() {
  TCustomEdit::CreateHandle();
  PlaceButton();
}

int TEsgSpinEdit::MinHeight() const {
  TWindowDC dc(nullptr);
  TEXTMETRICA sys{}, font{};
  {
    TSelectGuard s(dc.DC(), GetStockObject(SYSTEM_FONT));
    GetTextMetricsA(dc.DC(), &sys);
  }
  HGDIOBJ f = FHandle ? HGDIOBJ(SendMessageA(FHandle, WM_GETFONT, 0, 0)) : nullptr;
  TSelectGuard s(dc.DC(), f ? f : GetStockObject(DEFAULT_GUI_FONT));
  GetTextMetricsA(dc.DC(), &font);
  return font.tmHeight + std::min(sys.tmHeight, font.tmHeight) / 4 + 2 + 4 * GetSystemMetrics(SM_CYBORDER);
}

void TEsgSpinEdit::SetBounds(int left, int top, int width, int height) {
  TCustomEdit::SetBounds(left, top, width, std::max(height, MinHeight()));
  PlaceButton();
}

void TEsgSpinEdit::PlaceButton() {
  if (!FHandle) return;
  RECT r;
  GetClientRect(FHandle, &r);
  FButton->SetBounds(r.right - kButtonWidth, 0, kButtonWidth, r.bottom);
  // The text ends 2 pixels before the button.
  SendMessageA(FHandle, EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(0, kButtonWidth + 2));
}

void TEsgSpinEdit::SetValue(int value) {
  SetText(IntToStr(BoundSpinInt(*this, value)));
  if (!EditorEnabled && FHandle) SendMessageA(FHandle, EM_SETSEL, 0, -1);
}

void TEsgSpinEdit::SetFloatValue(double value) { SetText(SpinFloatText(BoundSpinFloat(*this, value), Precision)); }

void TEsgSpinEdit::SetDateValue(TDateTime value) { SetText(SpinDateText(BoundSpinDate(*this, value))); }

void TEsgSpinEdit::SetTimeValue(TDateTime value) { SetText(SpinTimeText(value)); }

void TEsgSpinEdit::SetPrecision(int precision) {
  Precision = std::max(0, precision);
  if (SpinType == sptFloat) SetFloatValue(FloatValue());
}

void TEsgSpinEdit::SetSpinType(TSpinType type) {
  double v = SpinEventValue(*this, Text());
  SpinType = type;
  switch (type) {
    case sptNormal: SetValue(BoundSpinInt(*this, (long long)std::clamp(v, -2147483648.0, 2147483647.0))); break;
    case sptFloat: SetFloatValue(v); break;
    case sptDate: SetDateValue(v); break;
    case sptTime: SetTimeValue(v); break;
  }
}

void TEsgSpinEdit::BoundText() {
  std::string text = Text(), bounded = SpinBoundedText(*this, text);
  if (bounded != text) SetText(bounded);
}

void TEsgSpinEdit::Step(int direction) {
  if (ReadOnly()) {
    Beep();
    return;
  }
  DWORD start = 0;
  if (FHandle) SendMessageA(FHandle, EM_GETSEL, WPARAM(&start), 0);
  SetText(SpinStep(*this, Text(), int(start), direction));
  if (!FHandle) return;
  // The caret stays in the part it stepped.
  if (EditorEnabled) SendMessageA(FHandle, EM_SETSEL, start, start);
  else SendMessageA(FHandle, EM_SETSEL, 0, -1);
}

void TEsgSpinEdit::UpClick() { Step(1); }

void TEsgSpinEdit::DownClick() { Step(-1); }

bool TEsgSpinEdit::KeyPress(wchar_t& key) {
  DWORD start = 0, end = 0;
  SendMessageA(FHandle, EM_GETSEL, WPARAM(&start), LPARAM(&end));
  std::string text = Text();
  const char typed = SpinKeyChar(*this, TTypedChar{text, int(start), int(end - start), char(EncodeChar(key))}, EditorEnabled);
  if (!typed) {
    Beep();
    return true;
  }
  key = DecodeChar(WPARAM((unsigned char)typed));
  return false;
}

bool TEsgSpinEdit::KeyDown(uint16_t& key, TShiftState shift) {
  // The key event first: a key it takes (sets to 0) neither steps nor reaches the edit.
  if (TCustomEdit::KeyDown(key, shift) || key == 0) return true;
  if (key == VK_UP) UpClick();
  else if (key == VK_DOWN) DownClick();
  else if (key == VK_DELETE) return !EditorEnabled;
  else if (key == VK_RETURN && ReturnIsTab) {
    HWND next = GetNextDlgTabItem(GetAncestor(FHandle, GA_ROOT), FHandle, (shift & ssShift) != 0);
    if (next) ::SetFocus(next);
  } else {
    return false;
  }
  return true;
}

void TEsgSpinEdit::FocusEnter(HWND) {
  if (AutoSelect) SendMessageA(FHandle, EM_SETSEL, 0, -1);
}

void TEsgSpinEdit::FocusExit(HWND) { BoundText(); }

void TEsgSpinEdit::Sized(UINT, int, int) { PlaceButton(); }

LRESULT TEsgSpinEdit::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if ((msg == WM_PASTE || msg == WM_CUT) && (!EditorEnabled || ReadOnly())) return 0;
  return TCustomEdit::WndProc(msg, wParam, lParam);
}
