// TSplashWindow: the splash window shown while the main window is being built.
#pragma once
#include "ExtCtrls.h"
#include "Forms.h"

class TSplashWindow : public TForm {
public:
  explicit TSplashWindow(TComponent* owner);
  ~TSplashWindow() override;
  std::string ClassName() const override { return "TSplashWindow"; }
  TImage* SplashImage;
  TTimer* CloseTimer;
  void CloseTimerTimer(TComponent* sender);
  void SplashImageClick(TComponent* sender);
};

extern TSplashWindow* SplashWindow;  // the splash while it exists; null otherwise
