// TStaticText: a text in a window of its own ("STATIC"), for captions that
// sit inside a group box or another standard control, where a windowless
// label would not be painted.
#pragma once
#include <string>

#include "StdControl.h"

class TStaticText : public TStdControl {
public:
  explicit TStaticText(TComponent* owner) : TStdControl(owner) {}
  std::string ClassName() const override { return "TStaticText"; }
  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& caption);

protected:
  void CreateParams(TCreateParams& params) override;

private:
  std::string FCaption;
};
