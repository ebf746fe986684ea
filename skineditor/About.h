// The editor's "About" box (TAboutBox): the product name, its version and OK.
#pragma once
#include "Buttons.h"
#include "DialogForm.h"
#include "Panels.h"

class TAboutBox : public TDialogForm {
public:
  explicit TAboutBox(TComponent* owner, HWND ownerWindow = nullptr);
  std::string ClassName() const override { return "TAboutBox"; }
  TPanel* Panel1;
  TBitBtn* OKButton;
};

void ShowAboutBox(HWND ownerWindow);
