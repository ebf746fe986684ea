// The map check-list picker.
#include "Unit11.h"

TForm11::TForm11(TComponent* owner, HWND ownerWindow) : TCheckListPicker(owner, ownerWindow, "Select maps") {
  LB1 = new TListBox(this);
  LB1->SetVisible(false);
  LB1->SetParent(this);
  F1 = new TFileListBox(this);
  F1->Mask = "*.bsp";
  Pak = new TPakExplr(this);
  Pak->ResourceType = ptMaps;
}
