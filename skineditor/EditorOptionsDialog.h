// The editor's "Options" dialog (TEditorOptionsDialog): where compiled skin packages go,
// the launcher's skins folder or a custom one, kept in options.ini [options].
#pragma once
#include <memory>
#include <string>

#include "Buttons.h"
#include "DialogForm.h"
#include "ExtCtrls.h"
#include "IniFiles.h"
#include "StdCtrls.h"
#include "StdEdits.h"

class TEditorOptionsDialog : public TDialogForm {
public:
  // optionsFile: the editor's options.ini, kept open while the dialog lives.
  TEditorOptionsDialog(TComponent* owner, const std::string& optionsFile, HWND ownerWindow = nullptr);
  std::string ClassName() const override { return "TEditorOptionsDialog"; }

  void FormCreate();
  void DefaultFolderRadioClick(TComponent* sender);
  void CustomFolderRadioClick(TComponent* sender);
  void BrowseButtonClick(TComponent* sender);
  void OkButtonClick(TComponent* sender);
  void CancelButtonClick(TComponent* sender);
  void FormCloseQuery(TComponent* sender, bool& canClose);

  TLabel* FolderLabel;
  TRadioButton *DefaultFolderRadio, *CustomFolderRadio;
  TEdit* CustomFolderEdit;
  TButton* BrowseButton;  // "Browse": the folder browser
  TBitBtn *OkButton, *CancelButton;

private:
  // Colours and enables the custom folder's edit and browse button.
  void EnableCustomFolder(bool custom);
  std::string FOptionsFile;
  std::unique_ptr<TIniFile> FIni;  // from creation until the dialog closes
};

// Shows the dialog modally over ownerWindow and frees it.
void ShowOptionsDialog(const std::string& optionsFile, HWND ownerWindow);
