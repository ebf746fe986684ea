// The "Options" dialog of the skin editor.
#include "Unit3.h"

#include "CommonDialogs.h"
#include "skinoptions.h"

TForm3::TForm3(TComponent* owner, const std::string& optionsFile, HWND ownerWindow)
    : TDialogForm(owner, ownerWindow), FOptionsFile(optionsFile) {
  SetCaption("Options");
  SetClientSize(313, 153);

  Label1 = new TLabel(this);
  Label1->SetCaption("Brannox 2000 skin folder:");
  Label1->SetBounds(8, 8, 297, 16);
  Label1->SetParent(this);

  R1 = new TRadioButton(this);
  R1->SetCaption("Default Brannox 2000 skin folder");
  R1->SetBounds(8, 30, 297, 18);
  R1->SetParent(this);
  R2 = new TRadioButton(this);
  R2->SetCaption("Custom folder");
  R2->SetBounds(8, 52, 297, 18);
  R2->SetParent(this);

  Edit1 = new TEdit(this);
  Edit1->SetBounds(24, 76, 249, 22);
  Edit1->SetParent(this);
  S1 = new TButton(this);
  S1->SetCaption("...");
  S1->Hint = "Browse";
  S1->SetBounds(279, 76, 26, 22);
  S1->SetParent(this);

  BitBtn1 = new TBitBtn(this);
  BitBtn1->SetKind(bkOK);
  BitBtn1->SetBounds(144, 116, 75, 25);
  BitBtn1->SetParent(this);
  BitBtn2 = new TBitBtn(this);
  BitBtn2->SetKind(bkCancel);
  BitBtn2->SetBounds(230, 116, 75, 25);
  BitBtn2->SetParent(this);

  R1->OnClick = [this](TComponent* s) { R1Click(s); };
  R2->OnClick = [this](TComponent* s) { R2Click(s); };
  S1->OnClick = [this](TComponent* s) { S1Click(s); };
  BitBtn1->OnClick = [this](TComponent* s) { BitBtn1Click(s); };
  BitBtn2->OnClick = [this](TComponent* s) { BitBtn2Click(s); };
  OnCloseQuery = [this](TComponent* s, bool& canClose) { FormCloseQuery(s, canClose); };
  FormCreate();
}

void TForm3::FormCreate() {
  FIni = std::make_unique<TIniFile>(FOptionsFile);
  Edit1->SetText(FIni->ReadString(kOptionsSection, kCustomFolderKey, ""));
  if (FIni->ReadInteger(kOptionsSection, kFolderModeKey, 0) != 0) {
    R2->SetChecked(true);
    R2Click(R2);
  } else {
    R1->SetChecked(true);
    R1Click(R1);
  }
}

void TForm3::EnableCustomFolder(bool custom) {
  Edit1->SetColor(custom ? clWindow : clBtnFace);
  Edit1->SetEnabled(custom);
  S1->SetEnabled(custom);
}

void TForm3::R1Click(TComponent*) { EnableCustomFolder(false); }
void TForm3::R2Click(TComponent*) { EnableCustomFolder(true); }

void TForm3::S1Click(TComponent*) {
  std::string folder = Edit1->Text();
  if (SelectDirectory("Select skin folder:", folder)) Edit1->SetText(folder);
}

void TForm3::BitBtn1Click(TComponent*) {
  // The typed custom folder is kept for later also when the default is chosen.
  FIni->WriteString(kOptionsSection, kCustomFolderKey, Edit1->Text());
  FIni->WriteInteger(kOptionsSection, kFolderModeKey, R1->Checked() ? 0 : 1);
  ModalResult = mrOk;
}

void TForm3::BitBtn2Click(TComponent*) { ModalResult = mrCancel; }

void TForm3::FormCloseQuery(TComponent*, bool& canClose) {
  FIni.reset();
  canClose = true;
}

void ShowOptionsDialog(const std::string& optionsFile, HWND ownerWindow) {
  TForm3 form(nullptr, optionsFile, ownerWindow);
  form.ShowModal();
}
