// The cell text helpers' one drawing routine.
#pragma once
#include "Handles.h"

#include "Graphics.h"

class TCanvas;

// Copies bitmap to the top-left corner of rect on the canvas, with every
// pixel of the colour of the bitmap's top-left pixel replaced by color
// (through a temporary copy of the same size).
void DrawTransparentBitmap(TCanvas& canvas, const RECT& rect, const TBitmap& bitmap, TColor color);
