// TArrowWindow: a lime popup cut to an arrow's outline.
#include "EsgArrow.h"

#include <algorithm>

#include "Handles.h"

namespace {
constexpr TColor kArrowColor = 0x00FF00;  // lime
constexpr int kArrowPoints = 7;

// The outline of each direction, in pixels from the window's corner.
constexpr POINT Outlines[4][kArrowPoints] = {
    {{5, 0}, {10, 5}, {7, 5}, {7, 9}, {3, 9}, {3, 5}, {0, 5}},   // up
    {{3, 0}, {7, 0}, {7, 4}, {9, 4}, {5, 8}, {1, 4}, {3, 4}},    // down
    {{0, 3}, {0, 7}, {4, 7}, {4, 10}, {8, 5}, {4, 0}, {4, 3}},   // right
    {{0, 5}, {4, 10}, {4, 7}, {8, 7}, {8, 3}, {4, 3}, {4, 0}},   // left
};
}  // namespace

TArrowWindow::TArrowWindow(TComponent* owner, TWinControl* grid, int direction)
    : TWinControl(owner), FGrid(grid), FDirection(std::clamp(direction, 0, 3)) {
  Color = kArrowColor;
  FVisible = false;
  const SIZE s = ArrowSize();
  FWidth = s.cx, FHeight = s.cy;
}

SIZE TArrowWindow::ArrowSize() const {
  SIZE s{};
  for (const POINT& p : Outlines[FDirection]) s.cx = std::max<LONG>(s.cx, p.x + 1), s.cy = std::max<LONG>(s.cy, p.y + 1);
  return s;
}

void TArrowWindow::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.Style = WS_POPUP;
  params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
  params.WndParent = FGrid ? FGrid->Handle() : nullptr;
}

void TArrowWindow::CreateHandle() {
  TWinControl::CreateHandle();
  // The window owns the region once it is set.
  TRegionHandle shape(CreatePolygonRgn(Outlines[FDirection], kArrowPoints, WINDING));
  if (SetWindowRgn(FHandle, shape.Get(), FALSE)) shape.Release();
}

void TArrowWindow::ShowAt(int screenX, int screenY) {
  FLeft = screenX, FTop = screenY, FVisible = true;
  SetWindowPos(Handle(), HWND_TOP, screenX, screenY, FWidth, FHeight, SWP_NOACTIVATE | SWP_SHOWWINDOW);
  UpdateWindow(FHandle);
}

void TArrowWindow::Hide() {
  FVisible = false;
  if (HandleAllocated()) ShowWindow(FHandle, SW_HIDE);
}

bool TArrowWindow::Showing() const { return HandleAllocated() && IsWindowVisible(FHandle); }

void TArrowWindow::Paint(TCanvas& canvas, const RECT& area) {
  canvas.BrushColor = Color;
  canvas.FillRect(area);
}
