// The mini-HTML painter of the grid's cells: lays a cell's text out in lines,
// draws or measures it, and finds the anchor under a point.
#pragma once
#include "Handles.h"

#include <string>
#include <string_view>

#include "Graphics.h"

class TImageList;

struct THTMLDrawContext {
  HDC DC = nullptr;
  RECT Rect{};
  TFont Font;                    // the cell's font
  TColor URLColor = clBlue;      // anchors
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
