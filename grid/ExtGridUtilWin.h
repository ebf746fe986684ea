// The cell text helpers that need Win32: the OEM code page conversion and the
// one drawing routine.
#pragma once
#include <string>
#include <string_view>

#include "Handles.h"

#include "Graphics.h"

class TCanvas;

// From the OEM code page to the ANSI code page (characters that the ANSI page
// lacks become its default character).
std::string OemToAnsiText(std::string_view s);

// Copies bitmap to the top-left corner of rect on the canvas, with every
// pixel of the colour of the bitmap's top-left pixel replaced by color
// (through a temporary copy of the same size).
void DrawTransparentBitmap(TCanvas& canvas, const RECT& rect, const TBitmap& bitmap, TColor color);
