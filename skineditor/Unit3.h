// The editor's "Options" dialog (TForm3): where compiled skin packages go,
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

class TForm3 : public TDialogForm {
public:
  // optionsFile: the editor's options.ini, kept open while the dialog lives.
  TForm3(TComponent* owner, const std::string& optionsFile, HWND ownerWindow = nullptr);
  std::string ClassName() const override { return "TForm3"; }

  void FormCreate();
  void R1Click(TComponent* sender);
  void R2Click(TComponent* sender);
  void S1Click(TComponent* sender);
  void BitBtn1Click(TComponent* sender);
  void BitBtn2Click(TComponent* sender);
  void FormCloseQuery(TComponent* sender, bool& canClose);

  TLabel* Label1;
  TRadioButton *R1, *R2;
  TEdit* Edit1;
  TButton* S1;  // "Browse": the folder browser
  TBitBtn *BitBtn1, *BitBtn2;

private:
  // Colours and enables the custom folder's edit and browse button.
  void EnableCustomFolder(bool custom);
  std::string FOptionsFile;
  std::unique_ptr<TIniFile> FIni;  // from creation until the dialog closes
};

// Shows the dialog modally over ownerWindow and frees it.
void ShowOptionsDialog(const std::string& optionsFile, HWND ownerWindow);
