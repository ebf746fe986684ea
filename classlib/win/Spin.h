// The spin edit: a number edit with up and down arrows ("msctls_updown32"
// inside the edit), and the Up and Down keys.
#pragma once
#include "StdEdits.h"

class TSpinEdit : public TCustomEdit {
public:
  explicit TSpinEdit(TComponent* owner) : TCustomEdit(owner) { SetText("0"); }
  std::string ClassName() const override { return "TSpinEdit"; }
  // Both 0: no limits. Text that is not a number reads as MinValue.
  int MinValue = 0, MaxValue = 0;
  int Increment = 1;
  int Value() const;
  // Sets the text (limited), which fires OnChange.
  void SetValue(int value);
  void SetEnabled(bool enabled) override;
  // The arrows' own notifications (they are not an object of ours).
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

protected:
  void CreateHandle() override;
  bool KeyDown(uint16_t& key, TShiftState shift) override;
  void Sized(UINT kind, int width, int height) override { PlaceArrows(); }

private:
  int Limit(int value) const;
  void Step(int direction);
  void PlaceArrows();
  HWND FArrows = nullptr;  // a child of the edit, destroyed with it
};
