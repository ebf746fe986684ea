// The popup button of the grid family.
#pragma once
#include <string>

#include "Controls.h"

// A top-most popup window that draws itself as a small button.
class TPopupButton : public TWinControl {
public:
  explicit TPopupButton(TComponent* owner);
  std::string ClassName() const override { return "TPopupButton"; }
  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& caption);
  bool Flat = false;
  // Shown without taking the activation from the window below it.
  void SetVisible(bool visible) override;

protected:
  void CreateParams(TCreateParams& params) override;
  void Paint(TCanvas& canvas, const RECT& area) override;

private:
  std::string FCaption;
};
