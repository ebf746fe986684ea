// TButton.
#include "StdCtrls.h"

#include "Forms.h"

void TButton::SetCaption(const std::string& caption) {
  FCaption = caption;
  if (FHandle) SetWindowTextA(FHandle, caption.c_str());
}

void TButton::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.WinClassName = "BUTTON";
  p.SystemClass = true;
  p.Caption = FCaption;
  p.Style |= WS_TABSTOP | (Default ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
}

bool TButton::CommandNotify(WORD code) {
  if (code != BN_CLICKED) return false;
  Click();
  return true;
}

void TButton::Click() {
  if (ModalResult != mrNone)
    if (auto* form = dynamic_cast<TForm*>(Parent())) form->ModalResult = ModalResult;
  TWinControl::Click();
}
