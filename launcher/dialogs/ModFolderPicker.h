// TModFolderPicker, "Select Mod directory": picks one sub-folder of a game folder.
#pragma once
#include <string>

#include "Buttons.h"
#include "DialogForm.h"
#include "StdCtrls.h"

class TModFolderPicker : public TDialogForm {
public:
  TModFolderPicker(TComponent* owner, HWND ownerWindow);
  std::string ClassName() const override { return "TModFolderPicker"; }

  // Lists the sub-folders of folder (without "." and "..") and selects the
  // one named select (without regard to case), when it is there.
  void ListFolders(const std::string& folder, const std::string& select);
  // The chosen folder name; "" when none is selected.
  std::string Selected() const;

  void FolderListClick(TComponent* sender);
  void FolderListDblClick(TComponent* sender);

  TListBox* FolderList;
  TBitBtn *OKButton, *CancelButton;  // OK (enabled by a click on an item), Cancel
};
