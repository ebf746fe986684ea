// TBitBtn.
#include "Buttons.h"

void TBitBtn::SetKind(TBitBtnKind kind) {
  FKind = kind;
  if (kind == bkOK) {
    SetCaption("OK");
    Default = true;
    ModalResult = mrOk;
  } else if (kind == bkCancel) {
    SetCaption("Cancel");
    Cancel = true;
    ModalResult = mrCancel;
  }
}
