// The check-list pickers' list and buttons.
#include "CheckListPicker.h"

#include "DialogCaption.h"

TCheckListPicker::TCheckListPicker(TComponent* owner, HWND ownerWindow, const std::string& caption)
    : TDialogForm(owner, ownerWindow) {
  SetCaption(caption);
  SetClientSize(257, 313);
  ItemCheckList = new TCheckListBox(this);
  ItemCheckList->SetBounds(8, 8, 241, 257);
  ItemCheckList->SetParent(this);
  CancelButton = new TBitBtn(this);
  CancelButton->SetKind(bkCancel);
  CancelButton->SetBounds(174, 278, 75, 25);
  CancelButton->SetParent(this);
  OKButton = new TBitBtn(this);
  OKButton->SetKind(bkOK);
  OKButton->SetBounds(92, 278, 75, 25);
  OKButton->SetParent(this);
  OKButton->SetEnabled(false);
  ActiveControl = ItemCheckList;

  ItemCheckList->OnClickCheck = [this](TComponent* s) { ItemCheckListClickCheck(s); };
  ItemCheckList->OnDblClick = [this](TComponent* s) { ItemCheckListDblClick(s); };
  CancelButton->OnClick = [this](TComponent* s) { CancelButtonClick(s); };
  OKButton->OnClick = [this](TComponent* s) { OKButtonClick(s); };
  ApplyCaptionBar(*this);
}

void TCheckListPicker::ItemCheckListClickCheck(TComponent*) {
  bool any = false;
  for (int i = 0; i < ItemCheckList->Items.Count() && !any; ++i) any = ItemCheckList->Checked(i);
  OKButton->SetEnabled(any);
}

void TCheckListPicker::ItemCheckListDblClick(TComponent* sender) {
  int i = ItemCheckList->ItemIndex();
  if (i < 0 || i >= ItemCheckList->Items.Count()) return;
  ItemCheckList->SetChecked(i, !ItemCheckList->Checked(i));
  ItemCheckListClickCheck(sender);
}

void TCheckListPicker::CancelButtonClick(TComponent*) { Tag = 0; }
void TCheckListPicker::OKButtonClick(TComponent*) { Tag = 1; }

std::vector<std::string> TCheckListPicker::CheckedItems() const {
  std::vector<std::string> items;
  for (int i = 0; i < ItemCheckList->Items.Count(); ++i)
    if (ItemCheckList->Checked(i)) items.push_back(ItemCheckList->Items[i]);
  return items;
}
