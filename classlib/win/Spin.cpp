// TSpinEdit.
#include "Spin.h"

#include <commctrl.h>

#include <climits>

#include "SysUtils.h"

int TSpinEdit::Limit(int value) const {
  if (MinValue == 0 && MaxValue == 0) return value;
  return std::max(MinValue, std::min(MaxValue, value));
}

int TSpinEdit::Value() const {
  long long v = MinValue;
  std::string text = Trim(Text());
  char* end = nullptr;
  long long parsed = std::strtoll(text.c_str(), &end, 10);
  if (!text.empty() && end && *end == '\0' && parsed >= INT_MIN && parsed <= INT_MAX) v = parsed;
  return Limit(int(v));
}

void TSpinEdit::SetValue(int value) { SetText(IntToStr(Limit(value))); }

void TSpinEdit::Step(int direction) {
  if (ReadOnly()) return;
  long long next = (long long)Value() + (long long)direction * Increment;
  SetValue(int(std::max<long long>(INT_MIN, std::min<long long>(INT_MAX, next))));
}

void TSpinEdit::CreateHandle() {
  TCustomEdit::CreateHandle();
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_UPDOWN_CLASS};
  InitCommonControlsEx(&icc);
  FArrows = CreateWindowExA(0, UPDOWN_CLASSA, nullptr, WS_CHILD | WS_VISIBLE | (Enabled ? 0 : WS_DISABLED), 0, 0, 0,
                            0, FHandle, nullptr, GetModuleHandleA(nullptr), nullptr);
  // A position in the middle of a small range: every press gives a delta.
  SendMessageA(FArrows, UDM_SETRANGE32, 0, 2);
  SendMessageA(FArrows, UDM_SETPOS32, 0, 1);
  PlaceArrows();
}

void TSpinEdit::PlaceArrows() {
  if (!FArrows) return;
  RECT r;
  GetClientRect(FHandle, &r);
  int w = GetSystemMetrics(SM_CXVSCROLL);
  SetWindowPos(FArrows, nullptr, r.right - w, 0, w, r.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
  SendMessageA(FHandle, EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(0, w + 1));
}

void TSpinEdit::SetEnabled(bool enabled) {
  TCustomEdit::SetEnabled(enabled);
  if (FArrows) EnableWindow(FArrows, enabled);
}

LRESULT TSpinEdit::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_NOTIFY: {
      const auto* ud = reinterpret_cast<const NMUPDOWN*>(lParam);
      if (ud->hdr.hwndFrom != FArrows || ud->hdr.code != UDN_DELTAPOS) break;
      Step(ud->iDelta > 0 ? 1 : -1);
      return TRUE;  // the arrows keep their position
    }
    case WM_VSCROLL:
      if (HWND(lParam) == FArrows) return 0;
      break;
  }
  return TCustomEdit::WndProc(msg, wParam, lParam);
}

bool TSpinEdit::KeyDown(uint16_t& key, TShiftState shift) {
  // Up and Down step (Alt with them is the system's); OnKeyDown sees them first.
  if ((key != VK_UP && key != VK_DOWN) || (shift & ssAlt)) return TCustomEdit::KeyDown(key, shift);
  const int direction = key == VK_UP ? 1 : -1;
  TCustomEdit::KeyDown(key, shift);
  if (key != 0) Step(direction);
  return true;
}
