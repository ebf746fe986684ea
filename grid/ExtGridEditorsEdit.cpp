// The typed in-place editors over edits: the edit with a button, the unit
// edit and the date-time picker.
#include <cmath>

#include "ExtGridEditors.h"
#include "ExtGridUtil.h"

// --- TGridEditBtn

TGridEditBtn::TGridEditBtn(TGridEditorHost& host, TWinControl& grid) : TGridEditorOn(host) {
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

bool TGridEditBtn::KeepsChar(wchar_t key) {
  if (IsEditingChar(key)) return true;
  DWORD start = 0, end = 0;
  SendMessageA(FHandle, EM_GETSEL, WPARAM(&start), LPARAM(&end));
  std::string text = Text();
  if (NumberKeyAllowed(FFilter, TTypedChar{text, int(start), int(end - start), char(EncodeChar(key))})) return false;
  MessageBeep(0);
  return true;
}

// --- TGridUnitEditBtn

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

// --- TGridDatePicker

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

bool TGridDatePicker::LeavesTo(HWND next) {
  const bool own = next && (IsChild(FHandle, next) || GetParent(next) == FHandle);
  return !own && !DroppedDown();
}
