// The bitmap button: a push button whose Kind gives its caption, its
// default or cancel part and its modal result.
#pragma once
#include "StdCtrls.h"

enum TBitBtnKind { bkCustom, bkOK, bkCancel };

class TBitBtn : public TButton {
public:
  explicit TBitBtn(TComponent* owner) : TButton(owner) {}
  std::string ClassName() const override { return "TBitBtn"; }
  TBitBtnKind Kind() const { return FKind; }
  // bkOK: "OK", the default button, mrOk; bkCancel: "Cancel", the cancel
  // button, mrCancel. Set before the button's window is made.
  void SetKind(TBitBtnKind kind);

private:
  TBitBtnKind FKind = bkCustom;
};
