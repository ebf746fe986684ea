// TForm5, "Select Mod directory": picks one sub-folder of a game folder.
#pragma once
#include <string>

#include "Buttons.h"
#include "DialogForm.h"
#include "StdCtrls.h"

class TForm5 : public TDialogForm {
public:
  TForm5(TComponent* owner, HWND ownerWindow);
  std::string ClassName() const override { return "TForm5"; }

  // Lists the sub-folders of folder (without "." and "..") and selects the
  // one named select (without regard to case), when it is there.
  void ListFolders(const std::string& folder, const std::string& select);
  // The chosen folder name; "" when none is selected.
  std::string Selected() const;

  void L1Click(TComponent* sender);
  void L1DblClick(TComponent* sender);

  TListBox* L1;
  TBitBtn *BitBtn1, *BitBtn2;  // OK (enabled by a click on an item), Cancel
};
