// The editor's "About" box.
#include "About.h"

#include "ExtCtrls.h"
#include "UrlLabel.h"
#include "skinproject.h"

const char* const kEditorWebSite = "https://brannox2000.example/";

TAboutBox::TAboutBox(TComponent* owner, HWND ownerWindow) : TDialogForm(owner, ownerWindow) {
  SetCaption("About");
  SetClientSize(298, 160);
  Panel1 = new TPanel(this);
  Panel1->BevelOuter = bvLowered;
  Panel1->SetBounds(8, 8, 282, 106);
  Panel1->SetParent(this);
  auto* product = new TLabel(this);
  product->SetCaption(kEditorTitle);
  product->Font.Style = fsBold;
  product->SetBounds(16, 30, 250, 18);
  product->SetParent(Panel1);
  auto* version = new TLabel(this);
  version->SetCaption("Version 1.1");
  version->SetBounds(16, 56, 250, 16);
  version->SetParent(Panel1);
  auto* site = new TUrlLabel(this);
  site->SetURL(kEditorWebSite);
  site->Hint = "Brannox 2000 website";
  site->SetBounds(16, 78, 250, 16);
  site->SetParent(Panel1);
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
