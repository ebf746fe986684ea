// TDIB's grey, mirror and invert filters and their progress reports, and
// the logo converter's chain from a picture file to a grey BMP.
#include <gtest/gtest.h>

#include "DIB.h"
#include "GraphicFormats.h"
#include "Streams.h"

namespace {
TDIB Rgb(int w, int h) {
  TDIB d;
  d.SetSize(w, h, 24);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) d.SetPixel(x, y, uint32_t((y * w + x) * 8));
  return d;
}

}  // namespace

TEST(DIBFilters, GreyscaleWeightsAndPalettes) {
  TDIB d;
  d.SetSize(64, 64, 24);
  d.SetPixel(0, 0, 0xFFFFFF);
  d.Greyscale(8);
  EXPECT_EQ(d.BitCount(), 8);
  EXPECT_EQ(d.Pixel(0, 0), 253u);
  EXPECT_EQ(d.Pixel(1, 0), 0u);
  for (int i = 0; i < 256; ++i) ASSERT_EQ(d.ImageColorTable()[i], (TRGBQuad{uint8_t(i), uint8_t(i), uint8_t(i), 0}));
  // One bit: set above 127, palette black and 192.
  TDIB m;
  m.SetSize(3, 1, 24);
  m.SetPixel(0, 0, 0xFFFFFF);
  m.SetPixel(1, 0, 0x808080);  // grey 126
  m.SetPixel(2, 0, 0x828282);  // grey 129
  m.Greyscale(1);
  EXPECT_EQ(m.Pixel(0, 0), 1u);
  EXPECT_EQ(m.Pixel(1, 0), 0u);
  EXPECT_EQ(m.Pixel(2, 0), 1u);
  EXPECT_EQ(m.ImageColorTable()[1].Red, 192);
  EXPECT_EQ(m.ImageColorTable()[0].Red, 0);
  // From 16 bits through the pixel format, to 4 bits in steps of 17.
  TDIB h;
  h.PixelFormat = MakeDIBPixelFormat(5, 5, 5);
  h.SetSize(2, 1, 16);
  h.SetPixel(0, 0, 0x7FFF);
  h.Greyscale(4);
  EXPECT_EQ(h.Pixel(0, 0), 253u >> 4);
  EXPECT_EQ(h.ImageColorTable()[15].Green, 255);
  EXPECT_EQ(h.ImageColorTable()[1].Green, 17);
}

TEST(DIBFilters, GreyscaleInPlaceLeavesASharingCopyAlone) {
  TDIB a = Rgb(4, 2), b;
  b.Assign(a);
  a.Greyscale(24);
  EXPECT_EQ(b.Pixel(3, 1), uint32_t(7 * 8));
  EXPECT_NE(a.Pixel(3, 1), b.Pixel(3, 1));
}

TEST(DIBFilters, Mirrors) {
  TDIB d = Rgb(3, 3);
  TDIB both;
  both.Assign(d);
  both.Mirror(true, true);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_EQ(both.Pixel(x, y), d.Pixel(2 - x, 2 - y)) << x << "," << y;
  TDIB row = Rgb(3, 1), flipped;
  flipped.Assign(row);
  flipped.Mirror(false, true);
  for (int x = 0; x < 3; ++x) EXPECT_EQ(flipped.Pixel(x, 0), row.Pixel(x, 0));
  // Four bits go pixel by pixel; the row padding is not touched.
  TDIB n;
  n.SetSize(3, 2, 4);
  n.SetPixel(0, 0, 1);
  n.SetPixel(2, 1, 9);
  n.ScanLine(0)[3] = 0x77;
  n.Mirror(true, false);
  EXPECT_EQ(n.Pixel(2, 0), 1u);
  EXPECT_EQ(n.Pixel(0, 1), 9u);
  EXPECT_EQ(n.ScanLine(0)[3], 0x77);
}

TEST(DIBFilters, InvertColors) {
  TDIB p;
  p.SetSize(2, 2, 8);
  p.SetPixel(1, 1, 5);
  p.ColorTable[5] = {10, 20, 30, 7};
  p.UpdatePalette();
  p.InvertColors();
  EXPECT_EQ(p.Pixel(1, 1), 5u);
  EXPECT_EQ(p.ImageColorTable()[5], (TRGBQuad{245, 235, 225, 7}));
  p.InvertColors();
  EXPECT_EQ(p.ImageColorTable()[5], (TRGBQuad{10, 20, 30, 7}));
  TDIB t = Rgb(2, 1);
  t.InvertColors();
  EXPECT_EQ(t.Pixel(1, 0), 0xFFFFFFu - 8);
}

TEST(DIBFilters, ProgressIsReportedAndEmptyDibsAreLeftAlone) {
  std::vector<std::string> log;
  auto record = [&](TDIB&, TProgressStage stage, uint8_t percent, bool, const TRect&, const std::string& msg) {
    log.push_back(msg + " " + std::to_string(int(stage)) + " " + std::to_string(percent));
  };
  TDIB e;
  e.OnProgress = record;
  e.Greyscale(8);
  e.Mirror(true, true);
  e.InvertColors();
  EXPECT_TRUE(log.empty());
  EXPECT_TRUE(e.Empty());
  TDIB d = Rgb(4, 4);
  d.OnProgress = record;
  d.Greyscale(8);
  ASSERT_GE(log.size(), 3u);
  EXPECT_EQ(log.front(), "Greyscale 0 0");
  EXPECT_EQ(log[1], "Greyscale 1 25");
  EXPECT_EQ(log.back(), "Greyscale 2 100");
  log.clear();
  d.Mirror(false, true);
  EXPECT_EQ(log.front(), "Mirror 0 0");
  EXPECT_EQ(log.back(), "Mirror 2 100");
}

TEST(DIBFilters, LogoFromAPictureFile) {
  RegisterGraphicFormats();
  TPicture picture;
  picture.LoadFromFile(std::string(BX_TEST_DATA) + "/pictures/tga-rle24.tga");
  TBitmap small;
  small.Assign(*picture.Graphic());
  small.SetSize(64, 64);
  TDXDIB d10(nullptr);
  d10.SetDIB(small);
  TDIB& dib = d10.DIB();
  dib.InvertColors();
  dib.Greyscale(8);
  dib.Mirror(true, false);
  dib.Mirror(false, true);
  TMemoryStream s;
  dib.SaveToStream(s);
  EXPECT_EQ(s.Size(), 5174);
  TBitmap back;
  back.LoadFromBytes(s.Bytes());
  EXPECT_EQ(back.PixelFormat(), pf8bit);
  TColor c = back.Pixel(63, 63);  // the picture's top-left corner, inverted and grey
  EXPECT_EQ(GetRValue(c), GetGValue(c));
  EXPECT_GT(GetRValue(c), 128);
  dib.Clear();
  EXPECT_TRUE(dib.Empty());
}
