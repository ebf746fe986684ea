// TProgressBar: the common controls' progress bar ("msctls_progress32"),
// a position between Min and Max.
#pragma once
#include <string>

#include "StdControl.h"

class TProgressBar : public TStdControl {
public:
  explicit TProgressBar(TComponent* owner) : TStdControl(owner) {}
  std::string ClassName() const override { return "TProgressBar"; }
  int Min() const { return FMin; }
  int Max() const { return FMax; }
  void SetRange(int min, int max);
  int Position() const { return FPosition; }
  // Kept inside Min..Max.
  void SetPosition(int position);

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateHandle() override;

private:
  int FMin = 0, FMax = 100, FPosition = 0;
};
