// The base of the secondary windows: a fixed dialog frame, centred on the
// screen, owned by the window that opened it, Enter and Esc for its default
// and cancel buttons wherever they sit, the focus on ActiveControl, and a
// hook through which a component (the caption bar) takes the frame's messages.
#pragma once
#include "Forms.h"

// Sees every message of the form before the form does.
class TFormHook {
public:
  virtual ~TFormHook() = default;
  // True when the hook handled the message, with its result.
  virtual bool FormMessage(TForm& form, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) = 0;
};

class TDialogForm : public TForm {
public:
  // ownerWindow: the window the dialog stays above (may be null).
  explicit TDialogForm(TComponent* owner, HWND ownerWindow = nullptr);
  std::string ClassName() const override { return "TDialogForm"; }
  HWND OwnerWindow() const { return FOwnerWindow; }
  // The hook is not owned; null removes it. The frame is redrawn.
  void SetFormHook(TFormHook* hook);
  TFormHook* FormHook() const { return FHook; }
  // Takes the focus whenever the dialog is activated (not owned).
  TWinControl* ActiveControl = nullptr;
  // The hook's look at every message, Enter and Esc (IDOK, IDCANCEL) and activation.
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

protected:
  void CreateParams(TCreateParams& params) override;

private:
  // Enter and Esc that no button of the dialog's own took (a nested or a
  // late-made default or cancel button): presses that button.
  bool PressDialogButton(WORD id);
  HWND FOwnerWindow;
  TFormHook* FHook = nullptr;  // not owned
};
