// TMapPicker, "Select maps": the map cycle editor's map picker.
#pragma once
#include "CheckListPicker.h"
#include "FileCtrl.h"
#include "PakExplr.h"

class TMapPicker : public TCheckListPicker {
public:
  TMapPicker(TComponent* owner, HWND ownerWindow);
  std::string ClassName() const override { return "TMapPicker"; }

  // Never shown; the caller gathers map names with them.
  TListBox* PackageMapList;
  TFileListBox* MapFileList;  // mask "*.bsp"
  TPakExplr* MapPackageReader;    // lists the maps of a package
};
