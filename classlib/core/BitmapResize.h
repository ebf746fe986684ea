// Resizing a TBitmap without blending its colours.
#pragma once
#include "Graphics.h"

// A 24-bit copy of the picture at width x height, each pixel taken from its
// nearest one (no blending, so a transparent colour stays exact).
TBitmap ResizedNearest(const TBitmap& picture, int width, int height);
