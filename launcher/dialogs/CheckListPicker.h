// The check-list pickers' shared frame: a check list ItemCheckList, "Cancel" (CancelButton)
// and "OK" (OKButton, enabled while an item is checked). The result is the
// tag: 1 for OK, 0 for Cancel or the window's frame.
#pragma once
#include <string>
#include <vector>

#include "Buttons.h"
#include "DialogForm.h"
#include "StdCtrls.h"

class TCheckListPicker : public TDialogForm {
public:
  TCheckListPicker(TComponent* owner, HWND ownerWindow, const std::string& caption);

  void ItemCheckListClickCheck(TComponent* sender);
  void ItemCheckListDblClick(TComponent* sender);
  void CancelButtonClick(TComponent* sender);
  void OKButtonClick(TComponent* sender);

  // The checked items in list order.
  std::vector<std::string> CheckedItems() const;

  TCheckListBox* ItemCheckList;
  TBitBtn *CancelButton, *OKButton;
};
