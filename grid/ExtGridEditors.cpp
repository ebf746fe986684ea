// The typed in-place editors: what they share, the factory, and the spin,
// check box and button editors.
#include "ExtGridEditors.h"

namespace {
bool IsNavigationKey(uint16_t key) {
  switch (key) {
    case VK_UP: case VK_DOWN: case VK_LEFT: case VK_RIGHT:
    case VK_PRIOR: case VK_NEXT: case VK_HOME: case VK_END:
      return true;
  }
  return false;
}
}  // namespace

std::unique_ptr<TGridEditorControl> CreateGridEditor(TEditorType type, TGridEditorHost& host, TWinControl& grid) {
  switch (type) {
    case etSpin: case etFloatSpin: case etTimeSpin: case etDateSpin:
      return std::make_unique<TGridSpin>(host, grid);
    case etCombo: case etComboList:
      return std::make_unique<TGridCombo>(host, grid);
    case etEditBtn: case etEditNumeric: case etEditFloat:
      return std::make_unique<TGridEditBtn>(host, grid);
    case etUnitEditBtn:
      return std::make_unique<TGridUnitEditBtn>(host, grid);
    case etCheckBox:
      return std::make_unique<TGridCheckBox>(host, grid);
    case etDatePicker: case etDateUpDown: case etTimePicker:
      return std::make_unique<TGridDatePicker>(host, grid);
    case etButton:
      return std::make_unique<TGridButton>(host, grid);
    default:  // the text types, the edit link and the rich edit
      return nullptr;
  }
}

// --- TGridTypedEditor

void TGridTypedEditor::PutOnGrid(TWinControl& editor, TWinControl& grid) {
  editor.SetVisible(false);
  editor.SetParent(&grid);
}

void TGridTypedEditor::Began() {
  FHandedOn = false;
  if (auto* control = dynamic_cast<TStdControl*>(&Control())) control->SetColor(FHost.EditorColor());
}

bool TGridTypedEditor::Validate() {
  std::optional<std::string> shown = CellText();
  if (!shown) return true;
  std::string text = *shown;
  bool valid = FHost.ValidateEditor(text);
  if (!valid || text != *shown) ShowText(text);
  return valid;
}

void TGridTypedEditor::HandToGrid(uint16_t key, TShiftState shift) {
  FHandedOn = true;
  FHost.EditorKeyToGrid(key, shift);
}

void TGridTypedEditor::Leave() {
  if (FHandedOn) return;
  FHandedOn = true;
  FHost.LeaveEditor();
}

bool TGridTypedEditor::CommonKey(uint16_t key, TShiftState shift, bool upDownLeave) {
  switch (key) {
    case VK_ESCAPE:
      RestoreStart();
      HandToGrid(key, shift);
      return true;
    case VK_RETURN:
      if (Validate()) HandToGrid(key, shift);
      return true;
    case VK_TAB:
      if (!FHost.EditorSettings().Tabs) return false;
      HandToGrid(key, shift);
      return true;
    case VK_UP: case VK_DOWN:
      if (!upDownLeave) return false;
      if (Validate()) HandToGrid(key, shift);
      return true;
  }
  return false;
}

// --- TGridSpin

TGridSpin::TGridSpin(TGridEditorHost& host, TWinControl& grid) : TGridEditorOn(host) {
  MaxValue = 100, MinValue = 0, Increment = 1;
  PutOnGrid(*this, grid);
}

void TGridSpin::LoadCell(TEditorType type, const std::string& text) {
  Began();
  switch (type) {
    case etFloatSpin: SpinType = sptFloat; break;
    case etTimeSpin: SpinType = sptTime; break;
    case etDateSpin: SpinType = sptDate; break;
    default: SpinType = sptNormal; break;
  }
  SetText(SpinBoundedText(*this, text));
}

std::optional<std::string> TGridSpin::CellText() const {
  if (FEscaped) return FHost.EditStartText();
  return SpinBoundedText(*this, Text());
}

void TGridSpin::RestoreStart() {
  SetText(FHost.EditStartText());
  FEscaped = true;
}

void TGridSpin::Change() {
  FEscaped = false;
  TEsgSpinEdit::Change();
}

void TGridSpin::RaiseSpin() {
  static const TEditorType kTypes[] = {etSpin, etFloatSpin, etDateSpin, etTimeSpin};
  FHost.SpinClicked(kTypes[SpinType], SpinEventValue(*this, Text()));
}

void TGridSpin::UpClick() {
  TEsgSpinEdit::UpClick();
  RaiseSpin();
}

void TGridSpin::DownClick() {
  TEsgSpinEdit::DownClick();
  RaiseSpin();
}

void TGridSpin::KeyValue(const std::string& text) {
  SetText(text);
  RaiseSpin();
}

bool TGridSpin::EditingKey(uint16_t key, TShiftState shift) {
  const bool number = SpinType == sptNormal || SpinType == sptFloat;
  if (key == VK_PRIOR) UpClick();
  else if (key == VK_NEXT) DownClick();
  else if (key == VK_END && number)
    KeyValue(SpinType == sptNormal ? IntToStr(BoundSpinInt(*this, MinValue)) : SpinFloatText(MinFloatValue, Precision));
  else if (key == VK_HOME && number)
    KeyValue(SpinType == sptNormal ? IntToStr(BoundSpinInt(*this, MaxValue)) : SpinFloatText(MaxFloatValue, Precision));
  else return CommonKey(key, shift, false);
  return true;
}

void TGridSpin::FocusExit(HWND next) {
  if (!HandedOn()) TGridEditorOn::FocusExit(next);
}

// --- TGridCheckBox

void TGridCheckBox::LoadCell(TEditorType, const std::string& text) {
  Began();
  SetCaption(text);
  SetChecked(false);
}

bool TGridCheckBox::EditingKey(uint16_t key, TShiftState shift) {
  if (key == VK_ESCAPE) RestoreStart();
  if (key == VK_ESCAPE || key == VK_RETURN || IsNavigationKey(key) || (key == VK_TAB && FHost.EditorSettings().Tabs)) {
    HandToGrid(key, shift);
    return true;
  }
  return false;
}

// --- TGridButton

void TGridButton::LoadCell(TEditorType, const std::string& text) {
  Began();
  SetCaption(text);
}

void TGridButton::Click() { SetCaption(FHost.EllipsClick(Caption())); }

bool TGridButton::EditingKey(uint16_t key, TShiftState shift) {
  if (key == VK_ESCAPE || key == VK_UP || key == VK_DOWN || key == VK_LEFT || key == VK_RIGHT ||
      (key == VK_TAB && FHost.EditorSettings().Tabs)) {
    HandToGrid(key, shift);
    return true;
  }
  return false;
}
