// The "Options" dialog of the skin editor.
#include "EditorOptionsDialog.h"

#include "CommonDialogs.h"
#include "skinoptions.h"
#include "ControlMaking.h"

using ctrl::Place;

TEditorOptionsDialog::TEditorOptionsDialog(TComponent* owner, const std::string& optionsFile, HWND ownerWindow)
    : TDialogForm(owner, ownerWindow), FOptionsFile(optionsFile) {
  SetCaption("Options");
  SetClientSize(313, 153);

  FolderLabel = Place<TLabel>(this, this, 8, 8, 297, 16);
  FolderLabel->SetCaption("Brannox 2000 skin folder:");

  DefaultFolderRadio = Place<TRadioButton>(this, this, 8, 30, 297, 18);
  DefaultFolderRadio->SetCaption("Default Brannox 2000 skin folder");
  CustomFolderRadio = Place<TRadioButton>(this, this, 8, 52, 297, 18);
  CustomFolderRadio->SetCaption("Custom folder");

  CustomFolderEdit = Place<TEdit>(this, this, 24, 76, 249, 22);
  BrowseButton = Place<TButton>(this, this, 279, 76, 26, 22);
  BrowseButton->SetCaption("...");
  BrowseButton->Hint = "Browse";

  OkButton = Place<TBitBtn>(this, this, 144, 116, 75, 25);
  OkButton->SetKind(bkOK);
  CancelButton = Place<TBitBtn>(this, this, 230, 116, 75, 25);
  CancelButton->SetKind(bkCancel);

  DefaultFolderRadio->OnClick = [this](TComponent* s) { DefaultFolderRadioClick(s); };
  CustomFolderRadio->OnClick = [this](TComponent* s) { CustomFolderRadioClick(s); };
  BrowseButton->OnClick = [this](TComponent* s) { BrowseButtonClick(s); };
  OkButton->OnClick = [this](TComponent* s) { OkButtonClick(s); };
  CancelButton->OnClick = [this](TComponent* s) { CancelButtonClick(s); };
  OnCloseQuery = [this](TComponent* s, bool& canClose) { FormCloseQuery(s, canClose); };
  FormCreate();
}

void TEditorOptionsDialog::FormCreate() {
  FIni = std::make_unique<TIniFile>(FOptionsFile);
  CustomFolderEdit->SetText(FIni->ReadString(kOptionsSection, kCustomFolderKey, ""));
  if (FIni->ReadInteger(kOptionsSection, kFolderModeKey, 0) != 0) {
    CustomFolderRadio->SetChecked(true);
    CustomFolderRadioClick(CustomFolderRadio);
  } else {
    DefaultFolderRadio->SetChecked(true);
    DefaultFolderRadioClick(DefaultFolderRadio);
  }
}

void TEditorOptionsDialog::EnableCustomFolder(bool custom) {
  CustomFolderEdit->SetColor(custom ? clWindow : clBtnFace);
  CustomFolderEdit->SetEnabled(custom);
  BrowseButton->SetEnabled(custom);
}

void TEditorOptionsDialog::DefaultFolderRadioClick(TComponent*) { EnableCustomFolder(false); }
void TEditorOptionsDialog::CustomFolderRadioClick(TComponent*) { EnableCustomFolder(true); }

void TEditorOptionsDialog::BrowseButtonClick(TComponent*) {
  std::string folder = CustomFolderEdit->Text();
  if (SelectDirectory("Select skin folder:", folder)) CustomFolderEdit->SetText(folder);
}

void TEditorOptionsDialog::OkButtonClick(TComponent*) {
  // The typed custom folder is kept for later also when the default is chosen.
  TIniUpdate update(*FIni);
  FIni->WriteString(kOptionsSection, kCustomFolderKey, CustomFolderEdit->Text());
  FIni->WriteInteger(kOptionsSection, kFolderModeKey, DefaultFolderRadio->Checked() ? 0 : 1);
  update.Commit();
  ModalResult = mrOk;
}

void TEditorOptionsDialog::CancelButtonClick(TComponent*) { ModalResult = mrCancel; }

void TEditorOptionsDialog::FormCloseQuery(TComponent*, bool& canClose) {
  FIni.reset();
  canClose = true;
}

void ShowOptionsDialog(const std::string& optionsFile, HWND ownerWindow) {
  TEditorOptionsDialog form(nullptr, optionsFile, ownerWindow);
  form.ShowModal();
}
