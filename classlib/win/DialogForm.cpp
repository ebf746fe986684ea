// TDialogForm.
#include "DialogForm.h"

#include "StdCtrls.h"

namespace {
TButton* FindButton(const TWinControl& parent, bool cancel) {
  for (TControl* c : parent.Controls()) {
    if (auto* b = dynamic_cast<TButton*>(c); b && (cancel ? b->Cancel : b->Default)) return b;
    if (auto* w = dynamic_cast<TWinControl*>(c))
      if (TButton* b = FindButton(*w, cancel)) return b;
  }
  return nullptr;
}
}  // namespace

TDialogForm::TDialogForm(TComponent* owner, HWND ownerWindow) : TForm(owner), FOwnerWindow(ownerWindow) {
  SetBorderStyle(bsDialog);
  Position = poScreenCenter;
}

void TDialogForm::CreateParams(TCreateParams& p) {
  TForm::CreateParams(p);
  p.WndParent = FOwnerWindow;
}

void TDialogForm::SetFormHook(TFormHook* hook) {
  FHook = hook;
  if (FHandle)
    SetWindowPos(FHandle, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

bool TDialogForm::PressDialogButton(WORD id) {
  // Only the keys themselves: a menu command may carry the same number.
  if (GetKeyState(id == IDOK ? VK_RETURN : VK_ESCAPE) >= 0) return false;
  TButton* b = FindButton(*this, id == IDCANCEL);
  if (b && b->HandleAllocated() && IsWindowEnabled(b->Handle()) && IsWindowVisible(b->Handle())) b->Click();
  return true;
}

LRESULT TDialogForm::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (FHook && FHook->FormMessage(*this, msg, wParam, lParam, result)) return result;
  switch (msg) {
    case WM_COMMAND:
      if (lParam == 0 && (wParam == IDOK || wParam == IDCANCEL) && PressDialogButton(WORD(wParam))) return 0;
      break;
    case WM_ACTIVATE:
      // Activation may come before the window shows: the control's own state counts.
      if (LOWORD(wParam) != WA_INACTIVE && ActiveControl && ActiveControl->HandleAllocated() &&
          ActiveControl->Visible() && ActiveControl->Enabled) {
        TForm::WndProc(msg, wParam, lParam);
        ActiveControl->SetFocus();
        return 0;
      }
      break;
  }
  return TForm::WndProc(msg, wParam, lParam);
}
