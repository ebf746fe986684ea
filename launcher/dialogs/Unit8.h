// TForm8, "Select mod directories": the mod list editor's folder picker.
#pragma once
#include "CheckListPicker.h"
#include "FileCtrl.h"

class TForm8 : public TCheckListPicker {
public:
  TForm8(TComponent* owner, HWND ownerWindow);
  std::string ClassName() const override { return "TForm8"; }

  TFileListBox* F1;  // folders only, never shown: the caller lists a game folder with it
};
