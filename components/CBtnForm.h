// TColorArrayClass, the colours of the colour button, and TColorDropPalette,
// the captionless window of colour cells that the button drops down.
#pragma once
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "Colors.h"
#include "ExtCtrls.h"
#include "Forms.h"
#include "StdCtrls.h"

class EColorArrayIndexError : public Exception { using Exception::Exception; };

// A two-dimensional array of colours, x the fast index; elements count
// from 1, also in the linear order (x + (y - 1) * XSize).
class TColorArrayClass : public TPersistent {
public:
  TColorArrayClass(int xSize, int ySize);
  std::string ClassName() const override { return "TColorArrayClass"; }
  void Assign(const TPersistent& source) override;
  bool operator==(const TColorArrayClass& o) const;

  int XSize() const { return FXSize; }
  int YSize() const { return FYSize; }
  // Each re-allocates the elements (their values are to be set again).
  void SetXSize(int n);
  void SetYSize(int n);
  int Count() const { return FXSize * FYSize; }
  TColor Color(int x, int y) const;
  void SetColor(int x, int y, TColor c);
  TColor Linear(int index) const;
  void SetLinear(int index, TColor c);

private:
  size_t Index(int x, int y) const;
  int FXSize, FYSize;
  std::vector<TColor> FColors;
};

// The palette's default 4 x 5 colours.
void DefaultPaletteColors(TColorArrayClass& colors);

// "$" and eight hexadecimal digits for each custom colour (x = 1..8, y = 1..2),
// joined by ",", as the colour button stores them.
std::string CustomColorsText(const TColorArrayClass& colors);
// The stored text back into the 8 x 2 colours: the first "," fixes the
// length of every item; items that are missing or unreadable give $FFFFFF.
// Text without a "," changes nothing.
void ReadCustomColorsText(const std::string& text, TColorArrayClass& colors);

// The system colour dialog (full), through the prompt seam: a scripted
// answer's text is the chosen colour as colour text. True when a colour was
// chosen; custom holds the 16 custom colours in and out.
bool ExecuteColorDialog(TColor& color, TColorArrayClass& custom);

using TColorHintTextEvent =
    std::function<void(TComponent* sender, TColor color, int x, int y, std::string& hint)>;

class TColorDropPalette : public TForm {
public:
  // Cells are 18 pixels square; the client is 72 pixels wide.
  static constexpr int kCell = 18, kClientWidth = 72;

  explicit TColorDropPalette(TComponent* owner);
  std::string ClassName() const override { return "TColorDropPalette"; }

  TColorArrayClass PaletteColors{4, 5};
  TColorArrayClass CustomColors{8, 2};
  TColor OtherColor = clBtnFace;
  bool ShowColorHints = true;
  TButton* btnOther;  // owned by the form
  // The select callback gets (is-other, colour); the close callback runs as
  // the window goes.
  std::function<void(bool isOther, TColor color)> OnSelect;
  TNotifyEvent OnClosed;
  TColorHintTextEvent OnGetColorHintText;
  bool ClosedByKey() const { return FClosedByKey; }

  // Highlights the first cell of color's RGB value; with none, the colour
  // becomes the other colour and nothing is highlighted.
  void SetSelectedColor(TColor color);
  POINT Highlighted() const { return FHighlight; }
  void SetHighlighted(POINT cell);
  // The cell at a client point: (x, y) of 1..4 and 1..5, (0, 0) for the
  // other-colour cell, (-1, -1) for none.
  static POINT CellAt(int x, int y);
  static bool ValidCell(POINT cell);
  TColor CellColor(POINT cell) const;
  // "RGB = rrr ggg bbb", as OnGetColorHintText may change it.
  std::string HintText(POINT cell);
  // The arrow keys' move of the highlight.
  static POINT MoveHighlight(POINT cell, uint16_t key);
  // Enter: selects the highlighted cell; closes.
  void SelectCell(POINT cell);
  // Closes the window (it frees itself).
  void ClosePalette();
  void OtherClick();

  // Losing the activation, to this program's window or another's, closes it.
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

protected:
  void CreateParams(TCreateParams& params) override;
  void Paint(TCanvas& canvas, const RECT& area) override;
  bool KeyDown(uint16_t& key, TShiftState shift) override;
  bool WantedKeys(const MSG* key, LRESULT& code) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  // The hint holds for the cell under the mouse, with that cell's text.
  RECT HintArea(POINT client) override;

private:
  RECT CellRect(POINT cell) const;
  void PaintCell(HDC dc, POINT cell);
  void InvalidateCell(POINT cell);
  POINT FHighlight{-1, -1};
  bool FInColorDialog = false, FClosedByKey = false, FClosing = false;
};
