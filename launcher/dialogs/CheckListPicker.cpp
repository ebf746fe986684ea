// The check-list pickers' list and buttons.
#include "CheckListPicker.h"

#include "DialogCaption.h"

TCheckListPicker::TCheckListPicker(TComponent* owner, HWND ownerWindow, const std::string& caption)
    : TDialogForm(owner, ownerWindow) {
  SetCaption(caption);
  SetClientSize(257, 313);
  L1 = new TCheckListBox(this);
  L1->SetBounds(8, 8, 241, 257);
  L1->SetParent(this);
  BitBtn1 = new TBitBtn(this);
  BitBtn1->SetKind(bkCancel);
  BitBtn1->SetBounds(174, 278, 75, 25);
  BitBtn1->SetParent(this);
  BitBtn2 = new TBitBtn(this);
  BitBtn2->SetKind(bkOK);
  BitBtn2->SetBounds(92, 278, 75, 25);
  BitBtn2->SetParent(this);
  BitBtn2->SetEnabled(false);
  ActiveControl = L1;

  L1->OnClickCheck = [this](TComponent* s) { L1ClickCheck(s); };
  L1->OnDblClick = [this](TComponent* s) { L1DblClick(s); };
  BitBtn1->OnClick = [this](TComponent* s) { BitBtn1Click(s); };
  BitBtn2->OnClick = [this](TComponent* s) { BitBtn2Click(s); };
  ApplyCaptionBar(*this);
}

void TCheckListPicker::L1ClickCheck(TComponent*) {
  bool any = false;
  for (int i = 0; i < L1->Items.Count() && !any; ++i) any = L1->Checked(i);
  BitBtn2->SetEnabled(any);
}

void TCheckListPicker::L1DblClick(TComponent* sender) {
  int i = L1->ItemIndex();
  if (i < 0 || i >= L1->Items.Count()) return;
  L1->SetChecked(i, !L1->Checked(i));
  L1ClickCheck(sender);
}

void TCheckListPicker::BitBtn1Click(TComponent*) { Tag = 0; }
void TCheckListPicker::BitBtn2Click(TComponent*) { Tag = 1; }

std::vector<std::string> TCheckListPicker::CheckedItems() const {
  std::vector<std::string> items;
  for (int i = 0; i < L1->Items.Count(); ++i)
    if (L1->Checked(i)) items.push_back(L1->Items[i]);
  return items;
}
