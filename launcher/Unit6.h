// TForm6: the splash window shown while the main window is being built.
#pragma once
#include "ExtCtrls.h"
#include "Forms.h"

class TForm6 : public TForm {
public:
  explicit TForm6(TComponent* owner);
  ~TForm6() override;
  std::string ClassName() const override { return "TForm6"; }
  TImage* Image1;
  TTimer* Timer1;
  void Timer1Timer(TComponent* sender);
  void Image1Click(TComponent* sender);
};

extern TForm6* Form6;  // the splash while it exists; null otherwise
