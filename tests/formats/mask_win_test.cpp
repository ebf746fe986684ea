// The portable region bytes against the system's own: a union of one-pixel
// rectangles built with CombineRgn and read back with GetRegionData.
#include <gtest/gtest.h>

#include <random>

#include "Graphics.h"
#include "extMaskgenerator.h"
#include "extMaskgeneratorWin.h"

namespace {

std::vector<uint8_t> RegionBytes(HRGN rgn) {
  DWORD size = GetRegionData(rgn, 0, nullptr);
  std::vector<uint8_t> out(size);
  if (size) GetRegionData(rgn, size, reinterpret_cast<RGNDATA*>(out.data()));
  return out;
}

// The system's region for the picture's runs, as the bytes it hands out.
std::vector<uint8_t> SystemRegionBytes(const TBitmap& b, TColor transparent) {
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  for (int y = 0; y < b.Height(); ++y) {
    int x = 0;
    while (x < b.Width()) {
      while (x < b.Width() && b.Pixel(x, y) == transparent) ++x;
      if (x == b.Width()) break;
      int start = x;
      while (x < b.Width() && b.Pixel(x, y) != transparent) ++x;
      HRGN run = CreateRectRgn(start, y, x, y + 1);
      CombineRgn(rgn, rgn, run, RGN_OR);
      DeleteObject(run);
    }
  }
  std::vector<uint8_t> bytes = RegionBytes(rgn);
  RECT box;
  bool empty = GetRgnBox(rgn, &box) == NULLREGION;
  DeleteObject(rgn);
  return empty ? std::vector<uint8_t>{} : bytes;
}

TBitmap Filled(int w, int h, TColor c) {
  TBitmap b;
  b.SetSize(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.SetPixel(x, y, c);
  return b;
}

void ExpectSameAsSystem(const TBitmap& b, const char* what) {
  EXPECT_EQ(MakeMaskRegionData(b, clWhite), SystemRegionBytes(b, clWhite)) << what;
}

}  // namespace

TEST(MaskRegionWin, SameBytesAsTheSystem) {
  ExpectSameAsSystem(Filled(37, 21, clBlack), "opaque");
  ExpectSameAsSystem(Filled(9, 5, clWhite), "transparent");

  TBitmap holes = Filled(40, 30, clBlack);
  for (int y = 5; y < 12; ++y)
    for (int x = 3; x < 9; ++x) holes.SetPixel(x, y, clWhite);
  for (int y = 8; y < 20; ++y)
    for (int x = 20; x < 30; ++x) holes.SetPixel(x, y, clWhite);
  ExpectSameAsSystem(holes, "holes");

  TBitmap edges = Filled(16, 8, clWhite);
  for (int y = 0; y < 8; ++y) {
    edges.SetPixel(0, y, clBlack);
    edges.SetPixel(15, y, clBlack);
    if (y % 3 == 0) edges.SetPixel(7, y, clBlack);
  }
  ExpectSameAsSystem(edges, "edges");

  // Rounded corners: a band per distinct row width.
  TBitmap rounded = Filled(60, 40, clBlack);
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 6 - y; ++x) {
      rounded.SetPixel(x, y, clWhite);
      rounded.SetPixel(59 - x, y, clWhite);
      rounded.SetPixel(x, 39 - y, clWhite);
      rounded.SetPixel(59 - x, 39 - y, clWhite);
    }
  ExpectSameAsSystem(rounded, "rounded");
}

TEST(MaskRegionWin, RandomPicturesGiveTheSameBytes) {
  std::mt19937 rng(12345);
  for (int round = 0; round < 40; ++round) {
    int w = 1 + int(rng() % 48), h = 1 + int(rng() % 32);
    int density = 1 + int(rng() % 9);  // tenths of opaque pixels
    TBitmap b;
    b.SetSize(w, h);
    // Rows often repeat, so that bands get merged.
    for (int y = 0; y < h; ++y) {
      bool copy = y > 0 && rng() % 3 == 0;
      for (int x = 0; x < w; ++x)
        b.SetPixel(x, y, copy ? b.Pixel(x, y - 1) : (int(rng() % 10) < density ? clBlack : clWhite));
    }
    ExpectSameAsSystem(b, ("round " + std::to_string(round)).c_str());
  }
}

TEST(MaskRegionWin, CreatesRegionsOnlyFromGoodData) {
  TBitmap b = Filled(10, 6, clBlack);
  b.SetPixel(4, 2, clWhite);
  auto data = MakeMaskRegionData(b, clWhite);
  HRGN rgn = CreateMaskRegion(data);
  ASSERT_NE(rgn, nullptr);
  EXPECT_EQ(RegionBytes(rgn), data);
  EXPECT_FALSE(PtInRegion(rgn, 4, 2));
  EXPECT_TRUE(PtInRegion(rgn, 5, 2));
  DeleteObject(rgn);

  EXPECT_EQ(CreateMaskRegion({}), nullptr);
  auto bad = data;
  bad[4] = 2;
  EXPECT_EQ(CreateMaskRegion(bad), nullptr);
  auto cut = data;
  cut.resize(cut.size() - 3);
  EXPECT_EQ(CreateMaskRegion(cut), nullptr);
}
