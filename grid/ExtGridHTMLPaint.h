// The mini-HTML painter of the grid's cells: lays a cell's text out in lines,
// draws or measures it, and finds the anchor under a point.
#pragma once
#include "Handles.h"

#include <string>
#include <string_view>

#include "Graphics.h"

class TImageList;

// What the painter is given. The defaults are those of a plain paint: hover
// text gray, no hover background, no shadow colour, pictures at their size.
struct THTMLDrawContext {
  HDC DC = nullptr;
  RECT Rect{};
  TFont Font;                    // the cell's font
  TColor URLColor = clBlue;      // anchors
  TColor HoverColor = 0x808080;  // the anchor under Mouse (clNone: URLColor)
  TColor HoverBack = clNone;     // and its background (clNone: none)
  bool HoverUnderlineOnly = false;  // only the anchor under Mouse is underlined
  int FocusAnchor = 0;           // the anchor (counted from 1) with a focus rectangle; 0 none
  TColor ShadowColor = clNone;   // of SH text; clNone draws as GDI resolves it (black)
  int ShadowOffset = 1;
  double Scale = 1;              // pictures are stretched by it
  bool Ellipsis = true;          // a run cut at the right edge ends in "..."
  TColor BlinkColor = clNone;    // blinking text while the blink phase is off
  bool BlinkOn = true;
  bool WordWrap = false;
  const TImageList* Images = nullptr;  // "IDX:" pictures; not owned
  POINT Mouse{-1, -1};           // the point to test for an anchor
  bool Measure = false;          // lay out only, draw nothing
};

struct THTMLLayout {
  int Width = 0, Height = 0;     // of the laid-out text
  bool OnAnchor = false;         // Mouse lies on an anchor
  std::string Anchor;            // that anchor's address
};

// Never raises for bad text: what cannot be read is drawn as text or skipped.
THTMLLayout LayoutHTMLText(const THTMLDrawContext& context, std::string_view text);
// LayoutHTMLText with the plain defaults whatever the context says: hover
// text gray, no hover background, no shadow colour, pictures at their size.
THTMLLayout PaintHTMLText(THTMLDrawContext context, std::string_view text);
