// The map check-list picker.
#include "MapPicker.h"

TMapPicker::TMapPicker(TComponent* owner, HWND ownerWindow) : TCheckListPicker(owner, ownerWindow, "Select maps") {
  PackageMapList = new TListBox(this);
  PackageMapList->SetVisible(false);
  PackageMapList->SetParent(this);
  MapFileList = new TFileListBox(this);
  MapFileList->Mask = "*.bsp";
  MapPackageReader = new TPakExplr(this);
  MapPackageReader->ResourceType = ptMaps;
}
