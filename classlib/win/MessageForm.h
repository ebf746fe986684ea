// The message dialog for button sets that Windows' message box lacks (Yes,
// No, No to All, Yes to All, All): a form with the type's icon, the text and
// one button per answer. Installed behind SetCustomMessageDialog by the
// application object.
#pragma once
#include <memory>

#include "Dialogs.h"
#include "Forms.h"
#include "StdCtrls.h"

class TMessageForm : public TForm {
public:
  TMessageForm(const TPromptRequest& request, TMsgDlgType type);
  std::string ClassName() const override { return "TMessageForm"; }
  // The buttons in the order shown, left to right.
  std::vector<TButton*> Buttons;

protected:
  void Paint(TCanvas& canvas, const RECT& area) override;

private:
  std::string FText;
  RECT FTextRect{};
  LPCSTR FIcon = nullptr;
};

int ShowMessageForm(const TPromptRequest& request, TMsgDlgType type);
