// TDateTimePicker.
#include "DateTimePicker.h"

#include <commctrl.h>

#include <cmath>

namespace {
constexpr int kSecondsPerDay = 24 * 60 * 60;

SYSTEMTIME ToSystemTime(TDateTime value) {
  SYSTEMTIME st{};
  int y = 0, m = 0, d = 0;
  DecodeDate(value, y, m, d);
  long long secs = std::llround((value - std::floor(value)) * kSecondsPerDay) % kSecondsPerDay;
  st.wYear = WORD(y), st.wMonth = WORD(m), st.wDay = WORD(d);
  st.wHour = WORD(secs / 3600), st.wMinute = WORD(secs / 60 % 60), st.wSecond = WORD(secs % 60);
  return st;
}

TDateTime FromSystemTime(const SYSTEMTIME& st) {
  TDateTime d = 0;
  if (!TryEncodeDate(st.wYear, st.wMonth, st.wDay, d)) return 0;
  return d + double(st.wHour * 3600 + st.wMinute * 60 + st.wSecond) / kSecondsPerDay;
}
}  // namespace

TDateTimePicker::TDateTimePicker(TComponent* owner) : TStdControl(owner), FValue(::Date()) { Color = clWindow; }

void TDateTimePicker::CreateParams(TCreateParams& p) {
  UseSystemClass(p, DATETIMEPICK_CLASSA);
  p.Style |= WS_TABSTOP;
  if (FKind == dtkTime) p.Style |= DTS_TIMEFORMAT;
  else if (FDateMode == dmUpDown) p.Style |= DTS_UPDOWN;
}

void TDateTimePicker::CreateHandle() {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_DATE_CLASSES};
  InitCommonControlsEx(&icc);
  TStdControl::CreateHandle();
  SetDateTime(FValue);
}

void TDateTimePicker::Recreate() {
  if (!FHandle) return;
  FValue = DateTime();
  DestroyHandle();
  if (FParent && FParent->HandleAllocated()) Handle();
}

void TDateTimePicker::SetKind(TDateTimeKind kind) {
  if (kind == FKind) return;
  FKind = kind;
  Recreate();
}

void TDateTimePicker::SetDateMode(TDTDateMode mode) {
  if (mode == FDateMode) return;
  FDateMode = mode;
  Recreate();
}

TDateTime TDateTimePicker::DateTime() const {
  if (!FHandle) return FValue;
  SYSTEMTIME st{};
  if (SendMessageA(FHandle, DTM_GETSYSTEMTIME, 0, LPARAM(&st)) != GDT_VALID) return FValue;
  return FromSystemTime(st);
}

void TDateTimePicker::SetDateTime(TDateTime value) {
  FValue = value;
  if (!FHandle) return;
  SYSTEMTIME st = ToSystemTime(value);
  SendMessageA(FHandle, DTM_SETSYSTEMTIME, GDT_VALID, LPARAM(&st));
}

TDateTime TDateTimePicker::Date() const { return std::floor(DateTime()); }

void TDateTimePicker::SetDate(TDateTime date) { SetDateTime(std::floor(date) + Time()); }

TDateTime TDateTimePicker::Time() const {
  TDateTime v = DateTime();
  return v - std::floor(v);
}

void TDateTimePicker::SetTime(TDateTime time) { SetDateTime(Date() + (time - std::floor(time))); }

bool TDateTimePicker::DroppedDown() const {
  // Some versions keep the calendar window while it is closed: it counts when shown.
  HWND calendar = FHandle ? HWND(SendMessageA(FHandle, DTM_GETMONTHCAL, 0, 0)) : nullptr;
  return calendar && IsWindowVisible(calendar);
}

bool TDateTimePicker::Reflected(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (msg == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lParam)->code == DTN_DATETIMECHANGE) {
    FValue = DateTime();
    if (OnChange) OnChange(this);
    result = 0;
    return true;
  }
  return TStdControl::Reflected(msg, wParam, lParam, result);
}
