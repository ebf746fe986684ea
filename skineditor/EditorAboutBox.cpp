// The editor's "About" box.
#include "EditorAboutBox.h"

#include "ExtCtrls.h"
#include "UrlLabel.h"
#include "bxversion.h"
#include "skinproject.h"

const char* const kEditorWebSite = "https://brannox2000.example/";

TAboutBox::TAboutBox(TComponent* owner, HWND ownerWindow) : TDialogForm(owner, ownerWindow) {
  SetCaption("About");
  SetClientSize(298, 160);
  InfoPanel = new TPanel(this);
  InfoPanel->BevelOuter = bvLowered;
  InfoPanel->SetBounds(8, 8, 282, 106);
  InfoPanel->SetParent(this);
  auto* product = new TLabel(this);
  product->SetCaption(kEditorTitle);
  product->Font.Style = fsBold;
  product->SetBounds(16, 30, 250, 18);
  product->SetParent(InfoPanel);
  auto* version = new TLabel(this);
  version->SetCaption("Version " BX_EDITOR_VERSION_TEXT);
  version->SetBounds(16, 56, 250, 16);
  version->SetParent(InfoPanel);
  auto* site = new TUrlLabel(this);
  site->SetURL(kEditorWebSite);
  site->Hint = "Brannox 2000 website";
  site->SetBounds(16, 78, 250, 16);
  site->SetParent(InfoPanel);
  ShowHint = true;
  OKButton = new TBitBtn(this);
  OKButton->SetKind(bkOK);
  OKButton->SetBounds(111, 124, 75, 25);
  OKButton->SetParent(this);
}

void ShowAboutBox(HWND ownerWindow) {
  TAboutBox box(nullptr, ownerWindow);
  box.ShowModal();
}
