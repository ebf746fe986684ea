// TSearchStatusWindow, "Find modifications": the status window of mod discovery, and the
// search status that shows it while disabling the windows under it.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "DialogForm.h"
#include "ExtCtrls.h"
#include "SearchCommon.h"

// A label whose caption wraps at word breaks within its width.
class TWrappedLabel : public TLabel {
public:
  using TLabel::TLabel;
  std::string ClassName() const override { return "TLabel"; }
  void Paint(TCanvas& canvas) override;
};

// A fixed-size dialog that stays on top, centred on the screen.
class TSearchStatusWindow : public TDialogForm {
public:
  // ownerWindow: the window the status window belongs to (may be null).
  TSearchStatusWindow(TComponent* owner, HWND ownerWindow);
  std::string ClassName() const override { return "TSearchStatusWindow"; }

  TWrappedLabel* StatusLabel;  // owned by the form
};

// Shows TSearchStatusWindow for a search. While it is up, the other windows of this
// thread are disabled, so the user can neither close them nor start a
// second search; they are enabled again at End.
class TWindowSearchStatus : public TSearchStatus {
public:
  explicit TWindowSearchStatus(HWND owner) : FOwner(owner) {}
  ~TWindowSearchStatus() override { End(); }

  void Begin(const std::string& caption, bool visible) override;
  void Report(const std::string& text) override;
  void End() override;

  TSearchStatusWindow* Form() const { return FForm; }

private:
  void ShowForm();
  HWND FOwner;                  // not owned
  TSearchStatusWindow* FForm = nullptr;      // owned
  std::unique_ptr<TDisabledWindows> FDisabled;  // the windows to enable again
};
