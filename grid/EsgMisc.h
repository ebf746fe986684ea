// Small windows of the grid family: the popup button and the arrow that
// shows where a moved column goes.
#pragma once
#include <string>

#include "Panels.h"

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

// A lime arrow (direction 0 up, 1 down, 2 right, 3 left) cut to its
// outline; a popup window of the grid, hidden until used.
class TArrowWindow : public TPanel {
public:
  TArrowWindow(TComponent* owner, int direction);
  std::string ClassName() const override { return "TArrowWindow"; }
  static constexpr int ArrowSize = 11;
  int Direction() const { return FDirection; }
  void SetVisible(bool visible) override;

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateHandle() override;

private:
  int FDirection;
};
