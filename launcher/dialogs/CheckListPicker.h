// The check-list pickers' shared frame: a check list L1, "Cancel" (BitBtn1)
// and "OK" (BitBtn2, enabled while an item is checked). The result is the
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

  void L1ClickCheck(TComponent* sender);
  void L1DblClick(TComponent* sender);
  void BitBtn1Click(TComponent* sender);
  void BitBtn2Click(TComponent* sender);

  // The checked items in list order.
  std::vector<std::string> CheckedItems() const;

  TCheckListBox* L1;
  TBitBtn *BitBtn1, *BitBtn2;
};
