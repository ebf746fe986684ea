// Windowless picture and text controls, and the timer.
#pragma once
#include "Handles.h"

#include <string>

#include "Controls.h"

// Shows a picture: at its own size, or stretched to the control; drawn with
// the bitmap's transparent colour left out when Transparent.
class TImage : public TGraphicControl {
public:
  explicit TImage(TComponent* owner) : TGraphicControl(owner) {}
  std::string ClassName() const override { return "TImage"; }
  TPicture& Picture() { return FPicture; }
  // Call after changing the picture: repaints and tells PictureChanged.
  void Changed();
  bool Stretch = false;
  bool Transparent = false;
  void Paint(TCanvas& canvas) override;

protected:
  virtual void PictureChanged() {}

private:
  TPicture FPicture;  // owned
};

class TLabel : public TGraphicControl {
public:
  explicit TLabel(TComponent* owner);
  std::string ClassName() const override { return "TLabel"; }
  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& caption);
  bool Transparent = true;
  bool AutoSize = false;
  void Paint(TCanvas& canvas) override;

private:
  std::string FCaption;
};

// Ticks through the application's utility window. Tests call Tick() instead
// of waiting.
class TTimer : public TComponent {
public:
  explicit TTimer(TComponent* owner) : TComponent(owner) {}
  ~TTimer() override;
  std::string ClassName() const override { return "TTimer"; }
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool enabled);
  unsigned Interval() const { return FInterval; }
  void SetInterval(unsigned ms);
  TNotifyEvent OnTimer;
  void Tick() { if (OnTimer) OnTimer(this); }

private:
  void Restart();
  bool FEnabled = false;  // a new timer waits for SetEnabled(true)
  unsigned FInterval = 1000;
  UINT_PTR FId = 0;
};
