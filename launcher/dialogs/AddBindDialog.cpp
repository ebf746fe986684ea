// The "Add bind" dialog.
#include "AddBindDialog.h"

#include "DialogCaption.h"

TAddBindDialog::TAddBindDialog(TComponent* owner, HWND ownerWindow) : TDialogForm(owner, ownerWindow) {
  SetCaption("Add bind");
  SetClientSize(257, 105);
  KeyLabel = new TLabel(this);
  KeyLabel->SetCaption("Key:");
  KeyLabel->SetBounds(8, 12, 70, 16);
  KeyLabel->SetParent(this);
  KeyEdit = new TEdit(this);
  KeyEdit->SetBounds(80, 8, 169, 22);
  KeyEdit->SetParent(this);
  CommandLabel = new TLabel(this);
  CommandLabel->SetCaption("Command:");
  CommandLabel->SetBounds(8, 42, 70, 16);
  CommandLabel->SetParent(this);
  CommandEdit = new TEdit(this);
  CommandEdit->SetBounds(80, 38, 169, 22);
  CommandEdit->SetParent(this);
  OKButton = new TBitBtn(this);
  OKButton->SetKind(bkOK);
  OKButton->SetBounds(92, 72, 75, 25);
  OKButton->SetParent(this);
  OKButton->SetEnabled(false);
  CancelButton = new TBitBtn(this);
  CancelButton->SetKind(bkCancel);
  CancelButton->SetBounds(174, 72, 75, 25);
  CancelButton->SetParent(this);

  KeyEdit->OnChange = [this](TComponent* s) { BindEditsChange(s); };
  CommandEdit->OnChange = [this](TComponent* s) { BindEditsChange(s); };
  OKButton->OnClick = [this](TComponent* s) { OKButtonClick(s); };
  CancelButton->OnClick = [this](TComponent* s) { CancelButtonClick(s); };
  FormShow();
  ApplyCaptionBar(*this);
}

// The focus goes to the key whenever the dialog comes up.
void TAddBindDialog::FormShow() { ActiveControl = KeyEdit; }

void TAddBindDialog::BindEditsChange(TComponent*) {
  OKButton->SetEnabled(!Trim(KeyEdit->Text()).empty() && !Trim(CommandEdit->Text()).empty());
}

void TAddBindDialog::OKButtonClick(TComponent*) { Tag = 1; }
void TAddBindDialog::CancelButtonClick(TComponent*) { Tag = 0; }
