// A dialog holding one of each standard control, for the control tests and
// for looking at (BX_SHOW_STDCTRLS gives milliseconds to keep it on screen).
#pragma once
#include "Buttons.h"
#include "ComCtrls.h"
#include "DialogForm.h"
#include "ExtCtrls.h"
#include "Panels.h"
#include "Spin.h"
#include "StdCtrls.h"

class TStdCtrlsForm : public TDialogForm {
public:
  TStdCtrlsForm();
  TPageControl* Page;
  TTabSheet* Sheets[8];
  TGroupBox* Group;
  TCheckBox* Check1;
  TCheckBox* Check2;
  TRadioButton* Radio1;
  TRadioButton* Radio2;
  TEdit* Edit1;
  TSpinEdit* Spin1;
  TComboBox* Combo1;      // csDropDownList
  TComboBox* Combo2;      // csDropDown
  TComboBox* Pictures;    // csOwnerDrawFixed
  TListBox* List1;
  TCheckListBox* Checks;
  TMemo* Memo1;
  TPanel* Panel1;
  TScrollBox* Scroll1;
  TLabel* Label1;
  TBitBtn* OK;
  TBitBtn* CancelButton;
  TBitmap Swatches[3];  // the combo box's pictures
};

// Keeps the window painted for the milliseconds of BX_SHOW_STDCTRLS.
void HoldForLooking();
// Runs messages until done() or ms pass; true when done() came true.
bool PumpUntil(const std::function<bool()>& done, int ms = 2000);
// A real key press and release (the window must be in front).
void PressKey(WORD vk);
