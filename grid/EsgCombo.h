// The flat combo box of the grid family: flat or etched frame, a button
// width of its own and a dropped list of its own width.
#pragma once
#include <string>

#include "StdLists.h"

class TESGCustomCombo : public TComboBox {
public:
  explicit TESGCustomCombo(TComponent* owner);
  std::string ClassName() const override { return "TESGComboBox"; }
  static constexpr int kMinButtonWidth = 14, kMaxButtonWidth = 32;
  bool Flat() const { return FFlat; }
  void SetFlat(bool flat);
  bool Etched = false;
  // With the mouse entering, the combo takes the focus.
  bool AutoFocus = false;
  int ButtonWidth() const { return FButtonWidth; }
  // Only 14 to 32 are taken.
  void SetButtonWidth(int width);
  int DropWidth() const { return FDropWidth; }
  void SetDropWidth(int width);
  bool DroppedDown() const;
  // Under the mouse or focused: the frame shows.
  bool Hot() const { return FMouseIn || FFocused; }
  // A disabled flat combo takes its parent's colour.
  void SetEnabled(bool enabled) override;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

protected:
  void CreateHandle() override;
  bool CommandNotify(WORD code) override;

private:
  void ApplyBorder();
  void PaintFlat();
  bool FFlat = true;
  int FButtonWidth;
  int FDropWidth = 0;
  bool FMouseIn = false, FFocused = false;
  TColor FEnabledColor = clWindow;  // the colour a disabled combo gets back
};

using TESGComboBox = TESGCustomCombo;
