// The mod folder picker.
#include "Unit5.h"

#include <algorithm>
#include <vector>

#include "DialogCaption.h"
#include "FileUtils.h"

TForm5::TForm5(TComponent* owner, HWND ownerWindow) : TDialogForm(owner, ownerWindow) {
  SetCaption("Select Mod directory");
  SetClientSize(233, 297);
  L1 = new TListBox(this);
  L1->SetBounds(8, 8, 217, 249);
  L1->SetParent(this);
  BitBtn1 = new TBitBtn(this);
  BitBtn1->SetKind(bkOK);
  BitBtn1->SetBounds(68, 265, 75, 25);
  BitBtn1->SetParent(this);
  BitBtn1->SetEnabled(false);
  BitBtn2 = new TBitBtn(this);
  BitBtn2->SetKind(bkCancel);
  BitBtn2->SetBounds(150, 265, 75, 25);
  BitBtn2->SetParent(this);
  ActiveControl = L1;

  L1->OnClick = [this](TComponent* s) { L1Click(s); };
  L1->OnDblClick = [this](TComponent* s) { L1DblClick(s); };
  ApplyCaptionBar(*this);
}

void TForm5::ListFolders(const std::string& folder, const std::string& select) {
  std::vector<std::string> names = FolderEntries(folder, "*", true);
  std::sort(names.begin(), names.end(),
            [](const std::string& a, const std::string& b) { return CompareText(a, b) < 0; });
  L1->Items.Clear();
  for (const std::string& n : names) L1->Items.Add(n);
  int index = select.empty() ? -1 : L1->Items.IndexOf(select);
  L1->SetItemIndex(index);
}

std::string TForm5::Selected() const {
  int i = L1->ItemIndex();
  return i >= 0 && i < L1->Items.Count() ? L1->Items[i] : std::string();
}

void TForm5::L1Click(TComponent*) { BitBtn1->SetEnabled(L1->ItemIndex() >= 0); }

void TForm5::L1DblClick(TComponent*) {
  if (L1->ItemIndex() >= 0) ModalResult = mrOk;
}
