// Cutting a picture into pattern cells and surface tiles.
#include <gtest/gtest.h>

#include "DXDrawsPatterns.h"

namespace {
bool Same(const TRect& r, int l, int t, int rr, int b) {
  return r.Left == l && r.Top == t && r.Right == rr && r.Bottom == b;
}
}  // namespace

TEST(PatternLayout, WholePicture) {
  auto l = LayoutPatterns(100, 50, {}, false);
  ASSERT_EQ(l.Tiles.size(), 1u);
  ASSERT_EQ(l.Patterns.size(), 1u);
  EXPECT_TRUE(Same(l.Patterns[0].Rect, 0, 0, 100, 50));
  EXPECT_TRUE(LayoutPatterns(0, 50, {}, false).Patterns.empty());
}

TEST(PatternLayout, FivePatternsOnOneSurfaceOrOneTile) {
  TPatternSizes s{20, 50, 0, 0};
  for (bool oneSurface : {true, false}) {
    auto l = LayoutPatterns(100, 50, s, oneSurface);
    ASSERT_EQ(l.Tiles.size(), 1u) << oneSurface;
    EXPECT_TRUE(Same(l.Tiles[0], 0, 0, 100, 50));
    ASSERT_EQ(l.Patterns.size(), 5u);
    for (int k = 0; k < 5; ++k) {
      EXPECT_TRUE(Same(l.Patterns[size_t(k)].Rect, 20 * k, 0, 20 * k + 20, 50)) << k;
      EXPECT_EQ(l.Patterns[size_t(k)].Tile, 0);
    }
  }
}

TEST(PatternLayout, WidePicturesAreCutIntoTilesOfWholeCells) {
  // Cells of 100 + 10: tiles of 550 (five cells), so cell 5 starts tile 1.
  auto l = LayoutPatterns(1200, 40, {100, 40, 10, 0}, false);
  ASSERT_EQ(l.Tiles.size(), 3u);
  EXPECT_TRUE(Same(l.Tiles[0], 0, 0, 550, 40));
  EXPECT_TRUE(Same(l.Tiles[2], 1100, 0, 1200, 40));  // clipped to the picture
  ASSERT_EQ(l.Patterns.size(), 11u);                // (1200 + 10) div 110
  EXPECT_TRUE(Same(l.Patterns[4].Rect, 440, 0, 540, 40));
  EXPECT_EQ(l.Patterns[4].Tile, 0);
  EXPECT_TRUE(Same(l.Patterns[5].Rect, 0, 0, 100, 40));
  EXPECT_EQ(l.Patterns[5].Tile, 1);
  EXPECT_EQ(l.Patterns[9].Tile, 1);
  EXPECT_EQ(l.Patterns[10].Tile, 2);
  // Rows of tiles too: the tile index counts tiles per row.
  auto tall = LayoutPatterns(40, 1200, {40, 100, 0, 10}, false);
  ASSERT_EQ(tall.Tiles.size(), 3u);
  EXPECT_EQ(tall.Patterns[5].Tile, 1);
}

TEST(PatternLayout, OversizedOrOddSizesNeverDivideByZero) {
  // Larger than the picture: one whole-picture pattern.
  auto big = LayoutPatterns(30, 30, {64, 64, 0, 0}, false);
  ASSERT_EQ(big.Patterns.size(), 1u);
  EXPECT_TRUE(Same(big.Patterns[0].Rect, 0, 0, 30, 30));
  EXPECT_EQ(LayoutPatterns(30, 30, {64, 10, 0, 0}, true).Patterns.size(), 1u);
  // A negative skip counts as none.
  EXPECT_EQ(LayoutPatterns(30, 30, {10, 10, -20, -20}, false).Patterns.size(), 9u);
  // A skip so large that no second cell fits.
  EXPECT_EQ(LayoutPatterns(30, 30, {10, 10, 1 << 30, 0}, false).Patterns.size(), 3u);
}
