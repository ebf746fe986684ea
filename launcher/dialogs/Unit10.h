// TForm10, "Add bind": a key and the command bound to it.
#pragma once
#include "Buttons.h"
#include "DialogForm.h"
#include "ExtCtrls.h"
#include "StdCtrls.h"

class TForm10 : public TDialogForm {
public:
  TForm10(TComponent* owner, HWND ownerWindow);
  std::string ClassName() const override { return "TForm10"; }

  void FormShow();
  void Edit1Change(TComponent* sender);
  void BitBtn1Click(TComponent* sender);
  void BitBtn2Click(TComponent* sender);

  TLabel *Label1, *Label2;
  TEdit *Edit1, *Edit2;
  TBitBtn *BitBtn1, *BitBtn2;  // OK, Cancel; the tag holds 1 for OK
};
