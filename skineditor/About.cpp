// The editor's "About" box.
#include "About.h"

#include "ExtCtrls.h"
#include "skinproject.h"

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
  OKButton = new TBitBtn(this);
  OKButton->SetKind(bkOK);
  OKButton->SetBounds(111, 124, 75, 25);
  OKButton->SetParent(this);
}

void ShowAboutBox(HWND ownerWindow) {
  TAboutBox box(nullptr, ownerWindow);
  box.ShowModal();
}
