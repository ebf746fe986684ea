// Edits with a button at their right edge: the plain one (an ellipsis
// button) and the unit edit, whose button chooses the unit shown beside
// the value.
#pragma once
#include <string>

#include "Menus.h"
#include "SpeedButton.h"
#include "StdEdits.h"
#include "StringList.h"

// The button of an edit: a speed button filling a window of its own.
class TEsgEditButton : public TWinControl {
public:
  explicit TEsgEditButton(TComponent* owner);
  std::string ClassName() const override { return "TEsgEditButton"; }
  TSpeedButton& Button() { return *FButton; }
  // The edit the button serves, which gets the focus back after a click (not owned).
  TWinControl* EditControl = nullptr;
  // Called on a click, before the focus goes back to the edit.
  TNotifyEvent OnClick;

protected:
  void Resize() override;

private:
  TSpeedButton* FButton;  // owned (a component of this control)
};

// A one-line edit with its text area narrowed by the button (the window is
// multi-line in style, so that its text area can be set).
class TEsgEditBtn : public TCustomEdit {
public:
  explicit TEsgEditBtn(TComponent* owner);
  std::string ClassName() const override { return "TEsgEditBtn"; }
  static constexpr int kButtonWidth = 15, kMinButtonHeight = 15;
  TEsgEditButton& EditButton() { return *FButton; }
  TBitmap& Glyph() { return FButton->Button().Glyph; }
  void SetButtonCaption(const std::string& caption) { FButton->Button().SetCaption(caption); }
  bool RightAlign = false;   // read when the window is made
  bool EditorEnabled = true;  // off: the text is not typed into, only the button acts
  TNotifyEvent OnClickBtn;

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateHandle() override;
  bool KeyPress(wchar_t& key) override;
  void Sized(UINT kind, int width, int height) override;
  // The button was clicked: fires OnClickBtn.
  virtual void ButtonClick();
  // Room kept between the text and the button.
  virtual int UnitSpace() const { return 0; }
  // Places the button and sets the text area.
  void Arrange();

private:
  TEsgEditButton* FButton;  // owned (a component of this edit)
};

// The button opens a menu of Units; the chosen UnitID is painted
// right-aligned in UnitSpace before the button.
class TEsgUnitEditBtn : public TEsgEditBtn {
public:
  explicit TEsgUnitEditBtn(TComponent* owner);
  std::string ClassName() const override { return "TEsgUnitEditBtn"; }
  TStringList Units;
  const std::string& UnitID() const { return FUnitID; }
  void SetUnitID(const std::string& unit);
  void SetUnitSpace(int space);
  // The menu of the units as the button shows it (rebuilt at each opening).
  TPopupMenu& UnitMenu();
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

protected:
  void ButtonClick() override;
  int UnitSpace() const override { return FUnitSpace; }

private:
  void PaintUnit();
  TPopupMenu* FMenu;  // owned (a component of this edit)
  std::string FUnitID;
  int FUnitSpace = 30;
};
