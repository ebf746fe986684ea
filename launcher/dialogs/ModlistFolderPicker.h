// TModlistFolderPicker, "Select mod directories": the mod list editor's folder picker.
#pragma once
#include "CheckListPicker.h"
#include "FileCtrl.h"

class TModlistFolderPicker : public TCheckListPicker {
public:
  TModlistFolderPicker(TComponent* owner, HWND ownerWindow);
  std::string ClassName() const override { return "TModlistFolderPicker"; }

  TFileListBox* FolderListBox;  // folders only, never shown: the caller lists a game folder with it
};
