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
  if (IsWindowEnabled(FHandle)) Click();  // Enter names the default button even when disabled
  return true;
}

void TButton::Click() {
  if (ModalResult != mrNone)
    if (auto* form = dynamic_cast<TForm*>(Parent())) form->ModalResult = ModalResult;
  TWinControl::Click();
}

// --- TCheckButton, TCheckBox, TRadioButton

void TCheckButton::CreateHandle() {
  TButtonControl::CreateHandle();
  SendMessageA(FHandle, BM_SETCHECK, FChecked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool TCheckButton::StoreChecked(bool checked) {
  if (checked == FChecked) return false;
  FChecked = checked;
  if (FHandle) SendMessageA(FHandle, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  return true;
}

void TCheckBox::SetChecked(bool checked) {
  if (StoreChecked(checked)) Click();
}

bool TCheckBox::CommandNotify(WORD code) {
  if (code != BN_CLICKED) return false;
  SetChecked(!Checked());
  return true;
}

void TRadioButton::SetChecked(bool checked) {
  if (!StoreChecked(checked) || !checked) return;
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

LRESULT TGroupBox::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  // The "BUTTON" class has no background brush: the frame's inside is ours.
  if (msg == WM_ERASEBKGND) {
    RECT r;
    GetClientRect(FHandle, &r);
    TBrushHandle brush(CreateSolidBrush(ColorToRGB(Color)));
    FillRect(HDC(wParam), &r, brush.Get());
    return 1;
  }
  return TButtonControl::WndProc(msg, wParam, lParam);
}
