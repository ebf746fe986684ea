// Standard controls: the push button (a subclassed "BUTTON").
#pragma once
#include <string>

#include "Controls.h"
#include "Dialogs.h"

class TButton : public TWinControl {
public:
  explicit TButton(TComponent* owner) : TWinControl(owner) {}
  std::string ClassName() const override { return "TButton"; }
  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& caption);
  bool Default = false;                // drawn as the default push button
  TModalResult ModalResult = mrNone;   // given to the parent form when clicked
  void Click() override;

protected:
  void CreateParams(TCreateParams& params) override;
  bool CommandNotify(WORD code) override;

private:
  std::string FCaption;
};
