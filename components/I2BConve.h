// IconToBitmap: an icon drawn onto a bitmap, its transparent pixels and one
// extra row below it painted in a given colour, so that the bitmap's
// bottom-left pixel (its automatic transparent colour) is that colour.
#pragma once
#include "Handles.h"

#include "Graphics.h"

// Bitmap gets the icon's width and its height + 1. An empty or unreadable
// icon raises EInvalidGraphic and leaves Bitmap as it was.
void IconToBitmap(HICON Icon, TColor Color, TBitmap& Bitmap);
