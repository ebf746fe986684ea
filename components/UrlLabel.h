// TUrlLabel: a label that works as a hyperlink. It changes colour while the
// mouse is over it and opens its address with the shell when clicked.
#pragma once
#include <string>

#include "ExtCtrls.h"

// The hand-point cursor's slot, filled with the system's hand cursor.
constexpr TCursor crHandPoint = -21;

class TUrlLabel : public TLabel {
public:
  explicit TUrlLabel(TComponent* owner);
  std::string ClassName() const override { return "TUrlLabel"; }

  const std::string& URL() const { return FURL; }
  // Also shows url as the caption while the caption was never set.
  void SetURL(const std::string& url);
  TColor ActiveColor = clPurple;  // the font colour while the mouse is over the label

  // The OnClick event, then the trimmed URL (or, when that is blank, the
  // trimmed caption) is opened with the shell.
  void Click() override;
  void MouseEnter() override;
  void MouseLeave() override;
  // The caption centred vertically.
  void Paint(TCanvas& canvas) override;

private:
  std::string FURL;
  TColor FSavedColor = clBlue;  // the font colour from before the mouse came
};
