// Container controls of our own window class: the panel (a bevelled area
// with a caption) and the scroll box (scroll bars over its child controls).
#pragma once
#include <string>

#include "Controls.h"

enum TPanelBevel { bvNone, bvLowered, bvRaised };

class TPanel : public TWinControl {
public:
  explicit TPanel(TComponent* owner) : TWinControl(owner) {}
  std::string ClassName() const override { return "TPanel"; }
  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& caption);
  TPanelBevel BevelOuter = bvRaised;

protected:
  void CreateParams(TCreateParams& params) override;
  void Paint(TCanvas& canvas, const RECT& area) override;

private:
  std::string FCaption;
};

// Scrolling moves the child controls; the range reaches the right and
// bottom edges of the farthest child.
class TScrollBox : public TWinControl {
public:
  explicit TScrollBox(TComponent* owner) : TWinControl(owner) {}
  std::string ClassName() const override { return "TScrollBox"; }
  int HorzPosition() const { return FPos.x; }
  int VertPosition() const { return FPos.y; }
  void ScrollTo(int x, int y);
  // Call after children moved or changed size (painting calls it too).
  void UpdateScrollRange();
  // The box's own scroll bars (a child's are reflected as usual).
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

protected:
  void CreateParams(TCreateParams& params) override;
  void Paint(TCanvas& canvas, const RECT& area) override;
  void Resize() override;
  bool MouseWheel(int delta, TShiftState shift, POINT screen) override;

private:
  void Scroll(int bar, WORD code);
  POINT FPos{0, 0};    // how far the children are scrolled
  SIZE FRange{0, 0};   // the children's extent at position 0
  bool FUpdating = false;
};
