// The spin controls of the grid family: the repeating speed button, the
// pair of them (up and down), and the spin edit that steps whole numbers,
// floats, dates and times.
#pragma once
#include <string>

#include "EsgSpinRules.h"
#include "ExtCtrls.h"
#include "SpeedButton.h"
#include "StdEdits.h"

// A speed button that, with Repeat, clicks at once when pressed, again after
// 400 ms and then every 100 ms while it is held.
class TExtTimerSpeedButton : public TSpeedButton {
public:
  explicit TExtTimerSpeedButton(TComponent* owner) : TSpeedButton(owner) {}
  std::string ClassName() const override { return "TExtTimerSpeedButton"; }
  static constexpr unsigned kInitRepeatPause = 400, kRepeatPause = 100;
  bool Repeat = false;
  // 0 up, 1 down: the system's scroll-arrow frame; 2 up, 3 down: an
  // ordinary speed button (an arrow drawn when there is no glyph).
  int ArrowKind = 2;
  bool Horizontal = false;  // 2 and 3 point right and left
  // The repeat timer, made at the first repeating press (null before).
  TTimer* RepeatTimer() const { return FRepeatTimer; }
  // The repeat timer's tick.
  void TimerExpired();

  void Paint(TCanvas& canvas) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void Click() override;

private:
  // Clicks; an exception stops the repeating and passes on.
  void RepeatClick();
  TTimer* FRepeatTimer = nullptr;  // owned (a component of this button)
  bool FClickedOnPress = false;    // the press already clicked: the release does not
};

enum TSpinDirection { spVertical, spHorizontal };

class TEsgSpinButton : public TWinControl {
public:
  explicit TEsgSpinButton(TComponent* owner);
  std::string ClassName() const override { return "TEsgSpinButton"; }
  TExtTimerSpeedButton& UpButton() { return *FUp; }
  TExtTimerSpeedButton& DownButton() { return *FDown; }
  TBitmap& UpGlyph() { return FUp->Glyph; }
  TBitmap& DownGlyph() { return FDown->Glyph; }
  void SetUpNumGlyphs(int n) { FUp->NumGlyphs = n; }
  void SetDownNumGlyphs(int n) { FDown->NumGlyphs = n; }
  TSpinDirection Direction() const { return FDirection; }
  void SetDirection(TSpinDirection direction);
  void SetFlat(bool flat);
  // The control the buttons serve: a click gives it the focus (not owned).
  TWinControl* FocusControl = nullptr;
  TNotifyEvent OnUpClick, OnDownClick;
  void SetBounds(int left, int top, int width, int height) override;

protected:
  bool KeyDown(uint16_t& key, TShiftState shift) override;
  void Resize() override;

private:
  void Layout();
  void ButtonPressed(TExtTimerSpeedButton& button);
  TExtTimerSpeedButton* FUp;    // owned (a component of this control)
  TExtTimerSpeedButton* FDown;  // owned
  TExtTimerSpeedButton* FFocusedButton;  // the one Space clicks
  TSpinDirection FDirection = spVertical;
};

// A masked edit with a spin button at its right edge. The settings of
// TSpinBounds are its MinValue, MaxValue, Increment and the others.
class TEsgSpinEdit : public TCustomEdit, public TSpinBounds {
public:
  explicit TEsgSpinEdit(TComponent* owner);
  std::string ClassName() const override { return "TEsgSpinEdit"; }
  static constexpr int kButtonWidth = 15;
  TEsgSpinButton& Button() { return *FButton; }
  bool EditorEnabled = true;
  bool AutoSelect = true;
  bool ReturnIsTab = false;

  // Each value is read from the text and bounded; setting one writes it.
  int Value() const { return SpinIntValue(*this, Text()); }
  void SetValue(int value);
  double FloatValue() const { return SpinFloatValue(*this, Text()); }
  void SetFloatValue(double value);
  TDateTime DateValue() const { return SpinDateValue(*this, Text()); }
  void SetDateValue(TDateTime value);
  TDateTime TimeValue() const { return SpinTimeValue(Text()); }
  void SetTimeValue(TDateTime value);
  // Rewrite the current value in the new form.
  void SetPrecision(int precision);
  void SetSpinType(TSpinType type);
  void SetDirection(TSpinDirection direction) { FButton->SetDirection(direction); }
  void SetSpinFlat(bool flat) { FButton->SetFlat(flat); }

  // One step up or down (the buttons, the Up and Down keys); a beep when read-only.
  virtual void UpClick();
  virtual void DownClick();
  void SetBounds(int left, int top, int width, int height) override;
  // Pasting and cutting only into an edit that takes typing.
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateHandle() override;
  // Up and Down step; Delete only where typing is allowed; Enter moves on with ReturnIsTab.
  bool KeyDown(uint16_t& key, TShiftState shift) override;
  // Only the characters of the spin type; a refused one beeps.
  bool KeyPress(wchar_t& key) override;
  // AutoSelect selects the text as the focus comes.
  void FocusEnter(HWND previous) override;
  void FocusExit(HWND next) override;
  void Sized(UINT kind, int width, int height) override;
  // The value back into its bounds; the text rewritten only when it changes.
  void BoundText();

private:
  void Step(int direction);
  void PlaceButton();
  int MinHeight() const;
  TEsgSpinButton* FButton;  // owned (a component of this edit)
};
