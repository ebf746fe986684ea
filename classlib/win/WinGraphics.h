// Drawing over GDI: colours, fonts made from TFont, the canvas over a device
// context, and the drawing of the portable TBitmap (plain, stretched and
// transparent).
#pragma once
#include "Handles.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "Graphics.h"
#include "Handles.h"

// A colour as GDI takes it: system colours resolved, clNone as black.
COLORREF ColorToRGB(TColor c);

// A GDI font of the description's face, height, style and charset.
TFontHandle CreateFontHandle(const TFont& font);

// Draws bitmap into dest (stretched to it when its size differs); with
// transparent, pixels of the bitmap's TransparentColor are left undrawn.
void DrawBitmap(HDC dc, const TBitmap& bitmap, const RECT& dest, bool transparent);

// Windows' bitmap of a TBitmap (a DIB section), for code that needs a handle.
TBitmapHandle CreateBitmapHandle(const TBitmap& bitmap);

class TCanvas {
public:
  explicit TCanvas(HDC dc) : FDC(dc) {}  // dc not owned
  HDC Handle() const { return FDC; }

  TFont Font;
  TColor BrushColor = clWhite;

  void FillRect(const RECT& r);
  void TextOut(int x, int y, const std::string& text);
  // Text clipped to r, on a transparent background.
  void TextRect(const RECT& r, int x, int y, const std::string& text);
  SIZE TextExtent(const std::string& text);
  void Draw(int x, int y, const TBitmap& bitmap, bool transparent = false);
  void StretchDraw(const RECT& r, const TBitmap& bitmap, bool transparent = false);

private:
  HDC FDC;
};

// Resources of the running program (or of module).
std::vector<uint8_t> LoadResourceBytes(const char* name, const char* type, HMODULE module = nullptr);
// A bitmap resource (RT_BITMAP) into a TBitmap; false when there is none.
bool LoadBitmapResource(TBitmap& bitmap, const char* name, HMODULE module = nullptr);
