// The base of the standard controls (subclassed Windows controls): their
// key event, their background in their own Color, and the text of a window.
#pragma once
#include <string>

#include "Controls.h"

class TStdControl : public TWinControl {
public:
  explicit TStdControl(TComponent* owner) : TWinControl(owner) {}
  std::string ClassName() const override { return "TStdControl"; }

  // Sets Color and repaints the control in it.
  void SetColor(TColor color);
  // A key pressed in the control; setting key to 0 keeps it from the control.
  TKeyEvent OnKeyDown;

protected:
  bool KeyDown(uint16_t& key, TShiftState shift) override;
  // WM_CTLCOLOR*: the control's Color behind its Font's colour.
  bool Reflected(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  // The standard class the control's window is made of.
  void UseSystemClass(TCreateParams& params, const char* className);

private:
  TBrushHandle FBrush;  // owned: the brush of FBrushColor
  TColor FBrushColor = clNone;
};

// The text of any window, and the control's held text before its window exists.
std::string WindowText(HWND wnd);
