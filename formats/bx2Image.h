// Tbx2Image: the picture control of the skin buttons; tells its owner when the
// mouse enters and leaves it.
#pragma once
#include "ExtCtrls.h"

class Tbx2Image : public TImage {
public:
  explicit Tbx2Image(TComponent* owner) : TImage(owner) {}
  std::string ClassName() const override { return "Tbx2Image"; }
  // The picture control's own handling first, then OnMouseEnter / OnMouseLeave.
  void MouseEnter() override;
  void MouseLeave() override;
};
