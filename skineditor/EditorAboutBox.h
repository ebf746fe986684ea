// The editor's "About" box (TAboutBox): the product name, its version, a
// link to the web site and OK.
#pragma once
#include "Buttons.h"
#include "DialogForm.h"
#include "Panels.h"

extern const char* const kEditorWebSite;  // shown and opened by the box's link

class TAboutBox : public TDialogForm {
public:
  explicit TAboutBox(TComponent* owner, HWND ownerWindow = nullptr);
  std::string ClassName() const override { return "TAboutBox"; }
  TPanel* InfoPanel;
  TBitBtn* OKButton;
};

void ShowAboutBox(HWND ownerWindow);
