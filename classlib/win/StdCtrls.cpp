// The controls of the "BUTTON" class.
#include "StdCtrls.h"

#include "Forms.h"

// --- TButtonControl

void TButtonControl::SetCaption(const std::string& caption) {
  FCaption = caption;
  if (FHandle) SetWindowTextA(FHandle, caption.c_str());
}

void TButtonControl::CreateParams(TCreateParams& p) {
  UseSystemClass(p, "BUTTON");
  p.Caption = FCaption;
  p.Style |= WS_TABSTOP | ButtonStyle();
}

// --- TButton

DWORD TButton::ButtonStyle() const { return Default ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON; }

void TButton::CreateHandle() {
  TButtonControl::CreateHandle();
  // The dialog keys of a modal form send IDOK and IDCANCEL with the window
  // of the form's child of that id.
  if (Default || Cancel) SetWindowLongPtrA(FHandle, GWLP_ID, Default ? IDOK : IDCANCEL);
}

bool TButton::CommandNotify(WORD code) {
  if (code != BN_CLICKED) return false;
  if (IsWindowEnabled(FHandle) && IsWindowVisible(FHandle)) Click();
  return true;
}

void TButton::Click() {
  if (ModalResult != mrNone)
    if (auto* form = dynamic_cast<TForm*>(Parent())) form->ModalResult = ModalResult;
  TWinControl::Click();
}

// --- TCheckBox

void TCheckBox::CreateHandle() {
  TButtonControl::CreateHandle();
  SendMessageA(FHandle, BM_SETCHECK, FChecked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TCheckBox::SetChecked(bool checked) {
  if (checked == FChecked) return;
  FChecked = checked;
  if (FHandle) SendMessageA(FHandle, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  Click();
}

bool TCheckBox::CommandNotify(WORD code) {
  if (code != BN_CLICKED) return false;
  SetChecked(!FChecked);
  return true;
}

// --- TRadioButton

void TRadioButton::CreateHandle() {
  TButtonControl::CreateHandle();
  SendMessageA(FHandle, BM_SETCHECK, FChecked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TRadioButton::SetChecked(bool checked) {
  if (checked == FChecked) return;
  FChecked = checked;
  if (FHandle) SendMessageA(FHandle, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  if (!checked) return;
  if (Parent())
    for (TControl* c : Parent()->Controls())
      if (auto* other = dynamic_cast<TRadioButton*>(c); other && other != this) other->SetChecked(false);
  Click();
}

bool TRadioButton::CommandNotify(WORD code) {
  if (code != BN_CLICKED) return false;
  SetChecked(true);
  return true;
}

// --- TGroupBox

void TGroupBox::CreateParams(TCreateParams& p) {
  TButtonControl::CreateParams(p);
  p.Style = (p.Style & ~WS_TABSTOP) | WS_CLIPCHILDREN;
  p.ExStyle |= WS_EX_CONTROLPARENT;
}
