// The mod folder check-list picker.
#include "ModlistFolderPicker.h"

TModlistFolderPicker::TModlistFolderPicker(TComponent* owner, HWND ownerWindow)
    : TCheckListPicker(owner, ownerWindow, "Select mod directories") {
  FolderListBox = new TFileListBox(this);
  FolderListBox->FileType = ftDirectory;
}
