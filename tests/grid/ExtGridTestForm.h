// A shown test window holding an extended grid, with helpers to read back
// what it painted and to send it mouse messages.
#pragma once
#include <functional>
#include <string>

#include "ExtGrid.h"
#include "Forms.h"

// The grid with its protected painting reachable from tests.
class TTestGrid : public TExtStringGrid {
public:
  using TExtStringGrid::TExtStringGrid;
  using TExtStringGrid::Paint;
  bool ReadOnly = false;
  bool CanEditCell(int col, int row) const override { return !ReadOnly && TExtStringGrid::CanEditCell(col, row); }
};

struct TGridWindow {
  TForm Form{nullptr};
  TTestGrid* Grid;
  // cols x rows cells of "c,r" below a header row "H<c>".
  TGridWindow(int cols, int rows, int width = 520, int height = 300);
  void Send(UINT msg, WPARAM w, int x, int y) { SendMessageA(Grid->Handle(), msg, w, MAKELPARAM(x, y)); }
  void Click(int x, int y);
  // Paints now and reads the grid's client pixel (as RGB) back from the screen.
  COLORREF PixelAt(int x, int y);
  // Paints now and counts the pixels inside a cell that pass the test.
  int CountInCell(int col, int row, const std::function<bool(COLORREF)>& test);
  // Saves the grid's client area as a BMP file when BX_GRID_SHOTS names a folder.
  void Shot(const std::string& name);
};

// Saves the window's area of the screen, popups over it included, as
// BX_GRID_SHOTS\name.bmp when that folder is set; queued messages first.
void ScreenShot(HWND window, const std::string& name);

// Copies w x h pixels at (x, y) of the device context into a BMP file.
void SaveDCArea(HDC source, int x, int y, int w, int h, const std::string& file);

// A w x h 24-bit picture of one colour.
TBitmap SolidBitmap(int w, int h, TColor c);

// The clipboard's plain text.
std::string ClipboardText();
void SetClipboardText(const std::string& text);
