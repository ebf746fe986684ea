// TArrowWindow: the small lime arrow that marks where a moved column or row
// will land. A popup owned by the grid, shaped by a seven-point outline.
#pragma once
#include "Controls.h"

enum TArrowDirection { adUp = 0, adDown = 1, adRight = 2, adLeft = 3 };

class TArrowWindow : public TWinControl {
public:
  // grid: the window that owns the popup (not owned).
  TArrowWindow(TComponent* owner, TWinControl* grid, int direction);
  std::string ClassName() const override { return "TArrowWindow"; }
  int Direction() const { return FDirection; }
  // Shows the arrow with its top-left corner at a screen point, without
  // taking the focus from the grid.
  void ShowAt(int screenX, int screenY);
  void Hide();
  bool Showing() const;
  // The outline's size in pixels.
  SIZE ArrowSize() const;

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateHandle() override;
  void Paint(TCanvas& canvas, const RECT& area) override;

private:
  TWinControl* FGrid;  // not owned
  int FDirection;
};
