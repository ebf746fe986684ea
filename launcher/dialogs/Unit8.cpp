// The mod folder check-list picker.
#include "Unit8.h"

TForm8::TForm8(TComponent* owner, HWND ownerWindow) : TCheckListPicker(owner, ownerWindow, "Select mod directories") {
  F1 = new TFileListBox(this);
  F1->FileType = ftDirectory;
}
