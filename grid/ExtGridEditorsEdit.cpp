// The typed in-place editors over edits: the edit with a button, the unit
// edit and the date-time picker.
#include <cmath>

#include "ExtGridEditors.h"
#include "ExtGridUtil.h"

// --- TGridEditBtn

TGridEditBtn::TGridEditBtn(TGridEditorHost& host, TWinControl& grid) : TEsgEditBtn(nullptr), TGridTypedEditor(host) {
  SetButtonCaption("...");
  PutOnGrid(*this, grid);
}

void TGridEditBtn::LoadCell(TEditorType type, const std::string& text) {
  Began();
  FFilter = type == etEditNumeric ? nfInteger : type == etEditFloat ? nfFloat : nfNone;
  SendMessageA(Handle(), EM_LIMITTEXT, WPARAM(std::max(0, FHost.EditorSettings().MaxEditLength)), 0);
  SetText(text);
}

void TGridEditBtn::ButtonClick() {
  TEsgEditBtn::ButtonClick();
  SetText(FHost.EllipsClick(Text()));
}

LRESULT TGridEditBtn::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_KEYDOWN:
      if (CommonKey(uint16_t(wParam), KeyboardShift(), true)) return 0;
      break;
    case WM_CHAR: {
      if (IsEditingChar(wParam)) return 0;
      DWORD start = 0, end = 0;
      SendMessageA(FHandle, EM_GETSEL, WPARAM(&start), LPARAM(&end));
      std::string text = Text();
      if (!NumberKeyAllowed(FFilter, TTypedChar{text, int(start), int(end - start), char(wParam)})) {
        MessageBeep(0);
        return 0;
      }
      break;
    }
    case WM_KILLFOCUS: {
      LRESULT r = TEsgEditBtn::WndProc(msg, wParam, lParam);
      Leave();
      return r;
    }
  }
  return TEsgEditBtn::WndProc(msg, wParam, lParam);
}

// --- TGridUnitEditBtn

TGridUnitEditBtn::TGridUnitEditBtn(TGridEditorHost& host, TWinControl& grid)
    : TEsgUnitEditBtn(nullptr), TGridTypedEditor(host) {
  PutOnGrid(*this, grid);
}

void TGridUnitEditBtn::LoadCell(TEditorType, const std::string& text) {
  Began();
  ShowText(text);
}

void TGridUnitEditBtn::ShowText(const std::string& text) {
  std::string value, unit;
  SplitUnitText(text, value, unit);
  SetText(value);
  SetUnitID(unit);
}

LRESULT TGridUnitEditBtn::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_KEYDOWN:
      if (CommonKey(uint16_t(wParam), KeyboardShift(), true)) return 0;
      break;
    case WM_CHAR:
      if (IsEditingChar(wParam)) return 0;
      break;
    case WM_KILLFOCUS: {
      LRESULT r = TEsgUnitEditBtn::WndProc(msg, wParam, lParam);
      Leave();
      return r;
    }
  }
  return TEsgUnitEditBtn::WndProc(msg, wParam, lParam);
}

// --- TGridDatePicker

TGridDatePicker::TGridDatePicker(TGridEditorHost& host, TWinControl& grid)
    : TDateTimePicker(nullptr), TGridTypedEditor(host) {
  PutOnGrid(*this, grid);
}

void TGridDatePicker::LoadCell(TEditorType type, const std::string& text) {
  Began();
  SetKind(type == etTimePicker ? dtkTime : dtkDate);
  SetDateMode(type == etDateUpDown ? dmUpDown : dmComboBox);
  ShowText(text);
}

void TGridDatePicker::ShowText(const std::string& text) {
  TDateTime value = 0;
  if (Kind() == dtkTime) SetTime(TryParseTimeText(text, value) ? value : 0);
  else SetDate(ParseShortDate(Trim(text), value) ? value : std::floor(::Date()));
}

std::optional<std::string> TGridDatePicker::CellText() const {
  return Kind() == dtkTime ? SpinTimeText(Time()) : SpinDateText(Date());
}

LRESULT TGridDatePicker::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_KEYDOWN:
      // Keys go to the grid only while the calendar is closed.
      if (!DroppedDown() && CommonKey(uint16_t(wParam), KeyboardShift(), false)) return 0;
      break;
    case WM_KILLFOCUS: {
      LRESULT r = TDateTimePicker::WndProc(msg, wParam, lParam);
      // The calendar taking the focus is not leaving.
      HWND to = HWND(wParam);
      bool own = to && (IsChild(FHandle, to) || GetParent(to) == FHandle);
      if (!own && !DroppedDown()) Leave();
      return r;
    }
  }
  return TDateTimePicker::WndProc(msg, wParam, lParam);
}
