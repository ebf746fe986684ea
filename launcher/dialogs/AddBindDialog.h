// TAddBindDialog, "Add bind": a key and the command bound to it.
#pragma once
#include "Buttons.h"
#include "DialogForm.h"
#include "ExtCtrls.h"
#include "StdCtrls.h"

class TAddBindDialog : public TDialogForm {
public:
  TAddBindDialog(TComponent* owner, HWND ownerWindow);
  std::string ClassName() const override { return "TAddBindDialog"; }

  void FormShow();
  void BindEditsChange(TComponent* sender);
  void OKButtonClick(TComponent* sender);
  void CancelButtonClick(TComponent* sender);

  TLabel *KeyLabel, *CommandLabel;
  TEdit *KeyEdit, *CommandEdit;
  TBitBtn *OKButton, *CancelButton;  // OK, Cancel; the tag holds 1 for OK
};
