// TForm11, "Select maps": the map cycle editor's map picker.
#pragma once
#include "CheckListPicker.h"
#include "FileCtrl.h"
#include "PakExplr.h"

class TForm11 : public TCheckListPicker {
public:
  TForm11(TComponent* owner, HWND ownerWindow);
  std::string ClassName() const override { return "TForm11"; }

  // Never shown; the caller gathers map names with them.
  TListBox* LB1;
  TFileListBox* F1;  // mask "*.bsp"
  TPakExplr* Pak;    // lists the maps of a package
};
