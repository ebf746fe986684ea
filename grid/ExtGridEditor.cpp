// TExtStringGrid's editor management: which editor a cell gets, showing a
// typed editor over the cell, validating and writing the edited value back,
// and moving on after Enter.
#include "ExtGrid.h"
#include "ExtGridInplaceEdit.h"
#include "ExtGridRichEdit.h"

std::unique_ptr<TInplaceEdit> TExtStringGrid::CreateEditor() { return std::make_unique<TExtInplaceEdit>(*this, *this); }

bool TExtStringGrid::CanEditCell(int col, int row) const {
  bool allow = (Options & goEditing) && !IsFixedCell(col, row) && !IsFixed(col, row);
  if (allow && OnCanEditCell) OnCanEditCell(const_cast<TExtStringGrid*>(this), row, col, allow);
  return allow;
}

bool TExtStringGrid::CanEditShow() {
  if (FEdit.Ending || FEdit.TypedShowing || FEdit.RichShowing || FEdit.LinkShowing || !TStringGrid::CanEditShow()) return false;
  const int col = Col(), row = Row();
  // Check boxes and radio groups toggle in place; they never show an editor.
  if (!CanEditCell(col, row) || FData.IsCheckBoxOrRadio(FData.DisplayColToReal(col), row)) return false;
  FEdit.Col = col, FEdit.Row = row;
  FEdit.StartText = Cells(col, row);
  FEdit.Validated = false;
  FEdit.Type = etNormal;
  if (OnGetEditorType) OnGetEditorType(this, col, row, FEdit.Type);
  if (OnGetEditorProp) OnGetEditorProp(this, col, row, EditLink);
  if (FEdit.Type == etRichEdit) {
    ShowRichCellEditor();
    return false;
  }
  if (FEdit.Type == etEditLink && EditLink) {
    ShowEditLink();
    return false;
  }
  // A type without its own control falls back to the default editor.
  return IsTextEditorType(FEdit.Type) || !ShowTypedEditor();
}

std::string TExtStringGrid::GetEditText(int col, int row) {
  if (auto* edit = dynamic_cast<TExtInplaceEdit*>(InplaceEditor())) {
    edit->SetLayout(WordWrap, GetCellAlignment(col, row), FEdit.Type == etPassword);
    edit->Prepare();
  }
  return Cells(col, row);
}

void TExtStringGrid::SetMaxEditLength(int n) {
  FEdit.MaxLength = std::max(n, 0);
  if (InplaceEditor() && InplaceEditor()->HandleAllocated())
    SendMessageA(InplaceEditor()->Handle(), EM_SETLIMITTEXT, WPARAM(FEdit.MaxLength), 0);
}

std::unique_ptr<TGridEditorControl> TExtStringGrid::CreateTypedEditor(TEditorType type) {
  return CreateGridEditor(type, *this, *this);
}

TGridEditorControl* TExtStringGrid::Editor(TEditorType type) {
  if (IsTextEditorType(type)) return nullptr;
  std::unique_ptr<TGridEditorControl>& slot = FEdit.TypedEditors[type];
  if (!slot) {
    slot = CreateTypedEditor(type);
    // As with the default editor: a window made over the grid leaves cells unpainted under Wine.
    if (slot) Invalidate();
  }
  return slot.get();
}

bool TExtStringGrid::ShowTypedEditor() {
  TGridEditorControl* editor = Editor(FEdit.Type);
  if (!editor) return false;
  TWinControl& control = editor->Control();
  editor->LoadCell(FEdit.Type, FEdit.StartText);
  RECT r = CellRect(Col(), Row());
  if (FEdit.Type == etButton) InflateRect(&r, 1, 1);  // the button covers the grid lines too
  control.SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
  control.SetEnabled(true);
  control.SetVisible(true);
  control.SetFocus();
  FEdit.TypedShowing = editor;
  if (FEdit.FirstChar) SendMessageA(control.Handle(), WM_CHAR, WPARAM((unsigned char)FEdit.FirstChar), 0);
  return true;
}

// The rich-text editor over the cell: it leaves on the focus going back to
// the grid (key 0), on Escape (the edit is cancelled) and on Up or Down,
// which then move in the grid.
void TExtStringGrid::ShowRichCellEditor() {
  ShowRichEditor(FEdit.Col, FEdit.Row);
  TExtRichEdit& editor = *RichEditor();
  SendMessageA(editor.Handle(), EM_SETMODIFY, FALSE, 0);
  editor.GrowHeight = SizeWhileTyping.Height;
  editor.OnLeaveEditor = [this](uint16_t key) {
    if (key == 0) LeaveEditor();
    else EditorKeyToGrid(key, 0);
  };
  FEdit.RichShowing = true;
  if (FEdit.FirstChar) SendMessageA(editor.Handle(), WM_CHAR, WPARAM((unsigned char)FEdit.FirstChar), 0);
}

// The control writes its own form of the rich text, so the cell takes it
// only when it was edited.
void TExtStringGrid::LeaveRichEditor(bool write) {
  FEdit.RichShowing = false;
  TExtRichEdit& editor = *RichEditor();
  if (write && EditCellExists() && SendMessageA(editor.Handle(), EM_GETMODIFY, 0, 0)) {
    std::string value = RichEditorText();
    ValidateEditor(value);
    if (value != FEdit.StartText) SetCells(FEdit.Col, FEdit.Row, value);
  }
  if (editor.HandleAllocated() && editor.Focused()) SetFocus();
  HideRichEditor();
}

void TExtStringGrid::LeaveTypedEditor(bool write) {
  if (FEdit.RichShowing) {
    LeaveRichEditor(write);
    return;
  }
  if (FEdit.LinkShowing) {
    LeaveEditLink(write);
    return;
  }
  TGridEditorControl* editor = FEdit.TypedShowing;
  if (!editor) return;
  FEdit.TypedShowing = nullptr;  // the control's losing the focus below ends nothing more
  if (write && EditCellExists())
    if (std::optional<std::string> text = editor->CellText()) {
      // A refused value leaves the old text (or the one validation gave) in the cell.
      std::string value = *text;
      if (!(FEdit.Validated && value == FEdit.ValidatedText)) ValidateEditor(value);
      if (value != FEdit.StartText) SetCells(FEdit.Col, FEdit.Row, value);
    }
  TWinControl& control = editor->Control();
  // The grid takes the focus back from the control (or a window inside it).
  if (control.HandleAllocated() && (control.Focused() || IsChild(control.Handle(), GetFocus()))) SetFocus();
  control.SetEnabled(false);
  control.SetVisible(false);
}

bool TExtStringGrid::ValidateEditor(std::string& text) {
  if (text == FEdit.StartText) return true;
  std::string value = text;
  bool valid = true;
  if (OnCellValidate) OnCellValidate(this, FEdit.Col, FEdit.Row, value, valid);
  if (valid) {
    text = value;
    FEdit.Validated = true, FEdit.ValidatedText = value;
    return true;
  }
  // Refused: the text the handler gave, or else the text from before editing.
  text = value != text ? value : FEdit.StartText;
  FEdit.Validated = false;
  return false;
}

bool TExtStringGrid::EndEditor() {
  if (FEdit.Ending) return true;
  if (FEdit.TypedShowing || FEdit.RichShowing || FEdit.LinkShowing) {
    LeaveTypedEditor(true);
    return true;
  }
  if (!EditorMode()) return true;
  if (!EditCellExists()) {
    HideEditor();
    return true;
  }
  TInplaceEdit& edit = *InplaceEditor();
  std::string text = edit.EditText();
  FEdit.Ending = true;
  const bool valid = (FEdit.Validated && text == FEdit.ValidatedText) || ValidateEditor(text);
  FEdit.Ending = false;
  if (!valid) {
    // The cell takes the old (or given) text; the editor stays open on it.
    SetCells(FEdit.Col, FEdit.Row, text);
    edit.SetEditText(text);
    edit.SelectAll();
    if (HandleAllocated() && GetFocus() == FHandle) edit.SetFocus();
    return false;
  }
  FEdit.Validated = false;
  if (text != Cells(FEdit.Col, FEdit.Row)) {
    SetCells(FEdit.Col, FEdit.Row, text);
    FData.CellsChanged(FData.DisplayColToReal(FEdit.Col), FEdit.Row, FData.DisplayColToReal(FEdit.Col), FEdit.Row);
  }
  HideEditor();
  return true;
}

void TExtStringGrid::LeaveEditor() {
  // Losing the focus: a refused text cannot stay in an editor nobody types
  // into; the cell keeps the old (or given) text.
  if (!EndEditor()) HideEditor();
}

void TExtStringGrid::CancelEditor() {
  const bool wasEditing = Editing();
  LeaveTypedEditor(false);
  HideEditor();
  FEdit.Validated = false;
  if (wasEditing && EditCellExists() && Cells(FEdit.Col, FEdit.Row) != FEdit.StartText)
    SetCells(FEdit.Col, FEdit.Row, FEdit.StartText);
}

void TExtStringGrid::EditorKey(uint16_t key, TShiftState shift) { KeyFromEditor(key, shift, false); }

void TExtStringGrid::EditorKeyToGrid(uint16_t key, TShiftState shift) {
  if (key == VK_ESCAPE) {
    CancelEditor();
    SetFocus();
    return;
  }
  KeyFromEditor(key, shift, true);
}

void TExtStringGrid::KeyFromEditor(uint16_t key, TShiftState shift, bool forced) {
  if (!EndEditor()) return;
  if (HandleAllocated() && !Focused()) SetFocus();
  if (key == VK_RETURN) {
    if ((Navigation.AdvanceOnEnter || forced) && AdvanceOnEnter(shift & ssShift)) ShowEditor();
    return;
  }
  // The arrows and Tab act as keys of the grid; editing goes on when asked.
  const bool alwaysEdit = Navigation.AlwaysEdit;
  Navigation.AlwaysEdit = false;
  uint16_t k = key;
  TStringGrid::KeyDown(k, shift);
  Navigation.AlwaysEdit = alwaysEdit;
  if (alwaysEdit || ((key == VK_LEFT || key == VK_RIGHT) && Navigation.CursorWalkEditor)) ShowEditor();
}

bool TExtStringGrid::SelectCell(int col, int row) {
  bool allow = true;
  if (row != Row() && OnRowChanging) OnRowChanging(this, Row(), row, allow);
  if (col != Col() && OnColChanging) OnColChanging(this, Col(), col, allow);
  if ((row != Row() || col != Col()) && OnCellChanging) OnCellChanging(this, Row(), Col(), row, col, allow);
  // Column 0 holds the nodes while there are node rows.
  if (!allow || IsFixed(col, row) || (col == 0 && NodeCount() > 0)) return false;
  return TStringGrid::SelectCell(col, row);
}

TGridEditorSettings TExtStringGrid::EditorSettings() const {
  TGridEditorSettings s;
  s.Tabs = Options & goTabs;
  s.Navigation = &Navigation;
  s.SizeWhileTyping = &SizeWhileTyping;
  s.ExcelStyleDecimalSeparator = ExcelStyleDecimalSeparator;
  s.Lookup = Lookup, s.LookupCaseSensitive = LookupCaseSensitive, s.LookupHistory = LookupHistory;
  s.PasswordChar = PasswordChar;
  s.MaxEditLength = FEdit.MaxLength;
  return s;
}

void TExtStringGrid::SpinClicked(TEditorType type, double value) {
  switch (type) {
    case etSpin:
      if (OnSpinClick) OnSpinClick(this, FEdit.Col, FEdit.Row, int(value));
      break;
    case etFloatSpin:
      if (OnFloatSpinClick) OnFloatSpinClick(this, FEdit.Col, FEdit.Row, value);
      break;
    case etTimeSpin:
      if (OnTimeSpinClick) OnTimeSpinClick(this, FEdit.Col, FEdit.Row, value);
      break;
    default:
      if (OnDateSpinClick) OnDateSpinClick(this, FEdit.Col, FEdit.Row, value);
  }
}

std::string TExtStringGrid::EllipsClick(const std::string& text) {
  std::string result = text;
  if (OnEllipsClick) OnEllipsClick(this, FEdit.Col, FEdit.Row, result);
  return result;
}

void TExtStringGrid::ComboChanged(int index, const std::string& text, void* object) {
  if (OnComboChange) OnComboChange(this, FEdit.Col, FEdit.Row, index, text);
  if (index >= 0 && OnComboObjectChange) OnComboObjectChange(this, FEdit.Col, FEdit.Row, index, text, object);
}

void TExtStringGrid::DblClickCell() {
  if (OnDblClickCell) OnDblClickCell(this, FEdit.Row, FEdit.Col);
}

bool TExtStringGrid::AllowClipboard(TClipboardAction action) {
  bool allow = true;
  const TGridAllowEvent& event = action == caCut ? OnClipboardCut : action == caCopy ? OnClipboardCopy : OnClipboardPaste;
  if (event) event(this, allow);
  return allow;
}

TColor TExtStringGrid::EditorColor() {
  TColor brush = Color;
  TFont font = Font;
  GetCellColor(FEdit.Col, FEdit.Row, 0, brush, font);
  return brush;
}
