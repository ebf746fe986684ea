// TForm9, "Find modifications": the status window of mod discovery, and the
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
class TForm9 : public TDialogForm {
public:
  // ownerWindow: the window the status window belongs to (may be null).
  TForm9(TComponent* owner, HWND ownerWindow);
  std::string ClassName() const override { return "TForm9"; }

  TWrappedLabel* Label1;  // owned by the form
};

// Shows TForm9 for a search. While it is up, the other windows of this
// thread are disabled, so the user can neither close them nor start a
// second search; they are enabled again at End.
class TForm9Status : public TSearchStatus {
public:
  explicit TForm9Status(HWND owner) : FOwner(owner) {}
  ~TForm9Status() override { End(); }

  void Begin(const std::string& caption, bool visible) override;
  void Report(const std::string& text) override;
  void End() override;

  TForm9* Form() const { return FForm; }

private:
  void ShowForm();
  HWND FOwner;                  // not owned
  TForm9* FForm = nullptr;      // owned
  std::unique_ptr<TDisabledWindows> FDisabled;  // the windows to enable again
};
