// The mod folder picker.
#include "ModFolderPicker.h"

#include <algorithm>
#include <vector>

#include "DialogCaption.h"
#include "FileUtils.h"

TModFolderPicker::TModFolderPicker(TComponent* owner, HWND ownerWindow) : TDialogForm(owner, ownerWindow) {
  SetCaption("Select Mod directory");
  SetClientSize(233, 297);
  FolderList = new TListBox(this);
  FolderList->SetBounds(8, 8, 217, 249);
  FolderList->SetParent(this);
  OKButton = new TBitBtn(this);
  OKButton->SetKind(bkOK);
  OKButton->SetBounds(68, 265, 75, 25);
  OKButton->SetParent(this);
  OKButton->SetEnabled(false);
  CancelButton = new TBitBtn(this);
  CancelButton->SetKind(bkCancel);
  CancelButton->SetBounds(150, 265, 75, 25);
  CancelButton->SetParent(this);
  ActiveControl = FolderList;

  FolderList->OnClick = [this](TComponent* s) { FolderListClick(s); };
  FolderList->OnDblClick = [this](TComponent* s) { FolderListDblClick(s); };
  ApplyCaptionBar(*this);
}

void TModFolderPicker::ListFolders(const std::string& folder, const std::string& select) {
  std::vector<std::string> names = FolderEntries(folder, "*", true);
  std::sort(names.begin(), names.end(),
            [](const std::string& a, const std::string& b) { return CompareText(a, b) < 0; });
  FolderList->Items.Clear();
  for (const std::string& n : names) FolderList->Items.Add(n);
  int index = select.empty() ? -1 : FolderList->Items.IndexOf(select);
  FolderList->SetItemIndex(index);
}

std::string TModFolderPicker::Selected() const {
  int i = FolderList->ItemIndex();
  return i >= 0 && i < FolderList->Items.Count() ? FolderList->Items[i] : std::string();
}

void TModFolderPicker::FolderListClick(TComponent*) { OKButton->SetEnabled(FolderList->ItemIndex() >= 0); }

void TModFolderPicker::FolderListDblClick(TComponent*) {
  if (FolderList->ItemIndex() >= 0) ModalResult = mrOk;
}
