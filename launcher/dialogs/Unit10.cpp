// The "Add bind" dialog.
#include "Unit10.h"

#include "DialogCaption.h"

TForm10::TForm10(TComponent* owner, HWND ownerWindow) : TDialogForm(owner, ownerWindow) {
  SetCaption("Add bind");
  SetClientSize(257, 105);
  Label1 = new TLabel(this);
  Label1->SetCaption("Key:");
  Label1->SetBounds(8, 12, 70, 16);
  Label1->SetParent(this);
  Edit1 = new TEdit(this);
  Edit1->SetBounds(80, 8, 169, 22);
  Edit1->SetParent(this);
  Label2 = new TLabel(this);
  Label2->SetCaption("Command:");
  Label2->SetBounds(8, 42, 70, 16);
  Label2->SetParent(this);
  Edit2 = new TEdit(this);
  Edit2->SetBounds(80, 38, 169, 22);
  Edit2->SetParent(this);
  BitBtn1 = new TBitBtn(this);
  BitBtn1->SetKind(bkOK);
  BitBtn1->SetBounds(92, 72, 75, 25);
  BitBtn1->SetParent(this);
  BitBtn1->SetEnabled(false);
  BitBtn2 = new TBitBtn(this);
  BitBtn2->SetKind(bkCancel);
  BitBtn2->SetBounds(174, 72, 75, 25);
  BitBtn2->SetParent(this);

  Edit1->OnChange = [this](TComponent* s) { Edit1Change(s); };
  Edit2->OnChange = [this](TComponent* s) { Edit1Change(s); };
  BitBtn1->OnClick = [this](TComponent* s) { BitBtn1Click(s); };
  BitBtn2->OnClick = [this](TComponent* s) { BitBtn2Click(s); };
  FormShow();
  ApplyCaptionBar(*this);
}

// The focus goes to the key whenever the dialog comes up.
void TForm10::FormShow() { ActiveControl = Edit1; }

void TForm10::Edit1Change(TComponent*) {
  BitBtn1->SetEnabled(!Trim(Edit1->Text()).empty() && !Trim(Edit2->Text()).empty());
}

void TForm10::BitBtn1Click(TComponent*) { Tag = 1; }
void TForm10::BitBtn2Click(TComponent*) { Tag = 0; }
