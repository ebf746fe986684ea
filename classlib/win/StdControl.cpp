// TStdControl.
#include "StdControl.h"

std::string WindowText(HWND wnd) {
  int n = GetWindowTextLengthA(wnd);
  std::string text(size_t(n) + 1, '\0');
  n = GetWindowTextA(wnd, text.data(), n + 1);
  text.resize(size_t(n > 0 ? n : 0));
  return text;
}

void TStdControl::SetColor(TColor color) {
  Color = color;
  if (FHandle) InvalidateRect(FHandle, nullptr, TRUE);
}

void TStdControl::UseSystemClass(TCreateParams& p, const char* className) {
  TWinControl::CreateParams(p);
  p.WinClassName = className;
  p.SystemClass = true;
}

bool TStdControl::Reflected(UINT msg, WPARAM wParam, LPARAM, LRESULT& result) {
  if (msg < WM_CTLCOLORMSGBOX || msg > WM_CTLCOLORSTATIC) return false;
  HDC dc = HDC(wParam);
  if (!FBrush || FBrushColor != Color) {
    FBrush.Reset(CreateSolidBrush(ColorToRGB(Color)));
    FBrushColor = Color;
  }
  SetTextColor(dc, ColorToRGB(Font.Color));
  SetBkColor(dc, ColorToRGB(Color));
  result = LRESULT(FBrush.Get());
  return true;
}

bool TStdControl::KeyDown(uint16_t& key, TShiftState shift) {
  if (OnKeyDown) OnKeyDown(this, key, shift);
  return false;  // a key set to 0 stays from the control
}
