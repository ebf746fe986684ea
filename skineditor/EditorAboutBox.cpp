// The editor's "About" box.
#include "EditorAboutBox.h"

#include "ControlMaking.h"
#include "ExtCtrls.h"
#include "UrlLabel.h"
#include "bxversion.h"
#include "skinproject.h"

using ctrl::Place;

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
  auto* version = Place<TLabel>(InfoPanel, this, 16, 56, 250, 16);
  version->SetCaption("Version " BX_EDITOR_VERSION_TEXT);
  auto* site = Place<TUrlLabel>(InfoPanel, this, 16, 78, 250, 16);
  site->SetURL(kEditorWebSite);
  site->Hint = "Brannox 2000 website";
  ShowHint = true;
  OKButton = Place<TBitBtn>(this, this, 111, 124, 75, 25);
  OKButton->SetKind(bkOK);
}

void ShowAboutBox(HWND ownerWindow) {
  TAboutBox box(nullptr, ownerWindow);
  box.ShowModal();
}
