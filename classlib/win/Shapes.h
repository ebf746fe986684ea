// The shape: a windowless rectangle filled with its brush colour and framed,
// used as a colour swatch.
#pragma once
#include <string>

#include "Controls.h"

class TShape : public TGraphicControl {
public:
  explicit TShape(TComponent* owner) : TGraphicControl(owner) {}
  std::string ClassName() const override { return "TShape"; }
  TColor BrushColor() const { return FBrushColor; }
  void SetBrushColor(TColor c);
  void Paint(TCanvas& canvas) override;

private:
  TColor FBrushColor = clWhite;
};
