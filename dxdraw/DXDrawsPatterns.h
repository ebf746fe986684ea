// How a picture item is cut into pattern cells and into the surfaces (tiles)
// that hold them; the picture collections make one surface per tile.
#pragma once
#include <vector>

#include "DIB.h"

struct TPatternCell {
  TRect Rect;    // on its tile's surface
  int Tile = 0;  // index into TPatternLayout::Tiles
};

struct TPatternLayout {
  std::vector<TRect> Tiles;  // rectangles of the picture
  std::vector<TPatternCell> Patterns;
};

struct TPatternSizes {
  int PatternWidth = 0, PatternHeight = 0;  // 0: the picture's
  int SkipWidth = 0, SkipHeight = 0;        // gaps between cells
};

// The cells of a picture of the given size. With oneSurface the whole
// picture is one tile; otherwise tiles are at most about 512 pixels each way,
// a whole number of cells. A pattern size of 0, or one larger than the
// picture, means one pattern of the whole picture.
TPatternLayout LayoutPatterns(int pictureWidth, int pictureHeight, const TPatternSizes& sizes, bool oneSurface);
