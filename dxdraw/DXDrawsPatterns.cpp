// Cutting a picture into pattern cells and surface tiles.
#include "DXDrawsPatterns.h"

#include <algorithm>
#include <cstdint>

namespace {
// Tiles stay below this side so that old drivers can hold them in video memory.
constexpr int64_t kTileSide = 512;

// The tile side: whole cells, at most kTileSide rounded up to a cell, at most
// the cells that fit in the picture.
int64_t TileSide(int64_t cell, int64_t pictureSide, int64_t skip) {
  return std::min(cell * (1 + (kTileSide - 1) / cell), cell * ((pictureSide + skip) / cell));
}

TRect Rect(int64_t left, int64_t top, int64_t width, int64_t height) {
  return {int(left), int(top), int(left + width), int(top + height)};
}
}  // namespace

TPatternLayout LayoutPatterns(int width, int height, const TPatternSizes& sizes, bool oneSurface) {
  TPatternLayout out;
  if (width <= 0 || height <= 0) return out;
  int64_t pw = sizes.PatternWidth > 0 ? sizes.PatternWidth : width;
  int64_t ph = sizes.PatternHeight > 0 ? sizes.PatternHeight : height;
  if (pw > width || ph > height) pw = width, ph = height;
  if (pw == width && ph == height) {
    out.Tiles.push_back(Rect(0, 0, width, height));
    out.Patterns.push_back({Rect(0, 0, width, height), 0});
    return out;
  }
  int64_t skipW = std::max(sizes.SkipWidth, 0), skipH = std::max(sizes.SkipHeight, 0);
  int64_t a = pw + skipW, c = ph + skipH;
  int64_t columns = (width + skipW) / a, rows = (height + skipH) / c;
  if (oneSurface) {
    out.Tiles.push_back(Rect(0, 0, width, height));
    for (int64_t r = 0; r < rows; ++r)
      for (int64_t k = 0; k < columns; ++k) out.Patterns.push_back({Rect(a * k, c * r, pw, ph), 0});
    return out;
  }
  int64_t f = TileSide(a, width, skipW), g = TileSide(c, height, skipH);
  if (f == 0 || g == 0) return out;
  int64_t tilesPerRow = (width + f - 1) / f, tileRows = (height + g - 1) / g;
  for (int64_t ty = 0; ty < tileRows; ++ty)
    for (int64_t tx = 0; tx < tilesPerRow; ++tx)
      out.Tiles.push_back(Rect(tx * f, ty * g, std::min(f, width - tx * f), std::min(g, height - ty * g)));
  for (int64_t r = 0; r < rows; ++r)
    for (int64_t k = 0; k < columns; ++k)
      out.Patterns.push_back({Rect(a * k % f, c * r % g, pw, ph), int(a * k / f + tilesPerRow * (c * r / g))});
  return out;
}
