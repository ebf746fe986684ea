#include <gtest/gtest.h>

#include "BmpFormat.h"
#include "Graphics.h"
#include "Streams.h"

namespace {
// Builds BMP files byte by byte, as other programs write them.
struct Bmp {
  std::vector<uint8_t> b;
  void u8(uint32_t v) { b.push_back(uint8_t(v)); }
  void u16(uint32_t v) { u8(v); u8(v >> 8); }
  void u32(uint32_t v) { u16(v & 0xFFFF); u16(v >> 16); }
  void fileHeader(uint32_t offBits) { u8('B'); u8('M'); u32(0); u32(0); u32(offBits); }
  void info(int w, int h, int bits, uint32_t compression, uint32_t used = 0, uint32_t size = 40) {
    u32(size); u32(uint32_t(w)); u32(uint32_t(h)); u16(1); u16(uint32_t(bits)); u32(compression);
    u32(0); u32(0); u32(0); u32(used); u32(0);
  }
  void rgbq(uint8_t r, uint8_t g, uint8_t bl) { u8(bl); u8(g); u8(r); u8(0); }
  void bytes(std::initializer_list<int> v) { for (int x : v) u8(uint32_t(x)); }
};

TBitmap Load(const std::vector<uint8_t>& b) {
  TBitmap bm;
  bm.LoadFromBytes(b);
  return bm;
}
}  // namespace

TEST(BmpReader, InfoHeader24BitBottomUpAndTopDown) {
  for (bool topDown : {false, true}) {
    Bmp f;
    f.fileHeader(54);
    f.info(2, 2, 24, 0);
    // Rows in file order; bottom-up files start with the bottom row.
    std::initializer_list<int> first = {0, 0, 255, 0, 255, 0, 0, 0};    // red, green
    std::initializer_list<int> second = {255, 0, 0, 255, 255, 255, 0, 0};  // blue, white
    if (topDown) {
      f.b[22] = 0xFE; f.b[23] = 0xFF; f.b[24] = 0xFF; f.b[25] = 0xFF;  // height -2
    }
    f.bytes(first);
    f.bytes(second);
    TBitmap bm = Load(f.b);
    ASSERT_EQ(bm.Width(), 2);
    EXPECT_EQ(bm.PixelFormat(), pf24bit);
    EXPECT_EQ(bm.TopDown(), topDown);
    int redRow = topDown ? 0 : 1;
    EXPECT_EQ(bm.Pixel(0, redRow), clRed);
    EXPECT_EQ(bm.Pixel(1, redRow), clLime);
    EXPECT_EQ(bm.Pixel(0, 1 - redRow), clBlue);
    EXPECT_EQ(bm.Pixel(1, 1 - redRow), clWhite);
  }
}

TEST(BmpReader, CoreHeaderOneBit) {
  Bmp f;
  f.fileHeader(14 + 12 + 6);
  f.u32(12); f.u16(9); f.u16(1); f.u16(1); f.u16(1);
  f.bytes({0, 0, 0, 255, 255, 255});  // black, white (3-byte entries)
  f.bytes({0xAA, 0x80, 0, 0});        // 1010 1010 1
  TBitmap bm = Load(f.b);
  EXPECT_EQ(bm.PixelFormat(), pf1bit);
  EXPECT_EQ(bm.Pixel(0, 0), clWhite);
  EXPECT_EQ(bm.Pixel(1, 0), clBlack);
  EXPECT_EQ(bm.Pixel(8, 0), clWhite);
}

TEST(BmpReader, EightBitShortPaletteAndPixelOffset) {
  Bmp f;
  f.fileHeader(14 + 40 + 8 + 4);  // 4 bytes of padding before the pixels
  f.info(3, 1, 8, 0, 2);
  f.rgbq(10, 20, 30);
  f.rgbq(200, 100, 50);
  f.bytes({0xEE, 0xEE, 0xEE, 0xEE});
  f.bytes({1, 0, 1, 0});
  TBitmap bm = Load(f.b);
  EXPECT_EQ(bm.Palette().size(), 256u);
  EXPECT_EQ(bm.Pixel(0, 0), RGBColor(200, 100, 50));
  EXPECT_EQ(bm.Pixel(1, 0), RGBColor(10, 20, 30));
}

TEST(BmpReader, SixteenBitDefaultAnd565Fields) {
  Bmp f;
  f.fileHeader(54);
  f.info(1, 1, 16, 0);
  f.u16(0x7C00); f.u16(0);
  TBitmap a = Load(f.b);
  EXPECT_EQ(a.PixelFormat(), pf15bit);
  EXPECT_EQ(a.Pixel(0, 0), clRed);

  Bmp g;
  g.fileHeader(66);
  g.info(1, 1, 16, 3);
  g.u32(0xF800); g.u32(0x07E0); g.u32(0x001F);
  g.u16(0x07E0); g.u16(0);
  TBitmap b = Load(g.b);
  EXPECT_EQ(b.PixelFormat(), pf16bit);
  EXPECT_EQ(b.Pixel(0, 0), clLime);
  // Written back with its masks and read the same.
  TBitmap c = Load(b.SaveToBytes());
  EXPECT_EQ(c.PixelFormat(), pf16bit);
  EXPECT_EQ(c.Pixel(0, 0), clLime);
}

TEST(BmpReader, V4HeaderWithUnusualMasksIsWidened) {
  Bmp f;
  f.fileHeader(14 + 108);
  f.u32(108); f.u32(1); f.u32(1); f.u16(1); f.u16(32); f.u32(3);
  f.u32(0); f.u32(0); f.u32(0); f.u32(0); f.u32(0);
  f.u32(0xFF000000); f.u32(0x00FF0000); f.u32(0x0000FF00); f.u32(0x000000FF);  // R G B A
  while (f.b.size() < 14 + 108) f.u8(0);
  f.u32(0x11223344);
  TBitmap bm = Load(f.b);
  EXPECT_EQ(bm.PixelFormat(), pf32bit);
  EXPECT_EQ(bm.Pixel(0, 0), RGBColor(0x11, 0x22, 0x33));
}

TEST(BmpReader, Rle8RunsDeltasAndClipping) {
  Bmp f;
  f.fileHeader(14 + 40 + 8);
  f.info(4, 3, 8, 1, 2);
  f.rgbq(0, 0, 0);
  f.rgbq(255, 255, 255);
  f.bytes({9, 1,          // a run of 9 past a row of 4: clipped to the row
           0, 0,          // end of line
           0, 3, 1, 0, 1, 0,  // absolute run of 3, padded to a word
           0, 2, 1, 1,    // delta: right 1, up 1
           1, 1,          // one white pixel at (x=4) on the top row: clipped
           0, 1});        // end of bitmap
  TBitmap bm = Load(f.b);
  EXPECT_EQ(bm.PixelFormat(), pf8bit);
  for (int x = 0; x < 4; ++x) EXPECT_EQ(bm.Pixel(x, 2), clWhite) << x;  // bottom row
  EXPECT_EQ(bm.Pixel(0, 1), clWhite);
  EXPECT_EQ(bm.Pixel(1, 1), clBlack);
  EXPECT_EQ(bm.Pixel(2, 1), clWhite);
  EXPECT_EQ(bm.Pixel(3, 1), clBlack);
}

TEST(BmpReader, Rle4) {
  Bmp f;
  f.fileHeader(14 + 40 + 8);
  f.info(7, 1, 4, 2, 2);
  f.rgbq(0, 0, 0);
  f.rgbq(255, 0, 0);
  // A run alternating two indices, then an absolute run of three (two bytes).
  f.bytes({3, 0x10, 0, 3, 0x01, 0x00, 0, 1});
  TBitmap bm = Load(f.b);
  const TColor expected[] = {clRed, clBlack, clRed, clBlack, clRed, clBlack, clBlack};
  for (int x = 0; x < 7; ++x) EXPECT_EQ(bm.Pixel(x, 0), expected[x]) << x;
}

TEST(BmpReader, HostileHeadersRaise) {
  auto expectInvalid = [](const std::vector<uint8_t>& b) {
    TBitmap bm;
    try {
      bm.LoadFromBytes(b);
      ADD_FAILURE() << "accepted";
    } catch (const EInvalidGraphic& e) {
      EXPECT_EQ(e.Message(), "Bitmap image is not valid");
    }
  };
  {
    Bmp f;  // 60000 x 60000 x 32 bits: more than any file could hold
    f.fileHeader(54);
    f.info(60000, 60000, 32, 0);
    expectInvalid(f.b);
  }
  {
    Bmp f;  // pixel rows missing
    f.fileHeader(54);
    f.info(100, 100, 24, 0);
    f.bytes({1, 2, 3});
    expectInvalid(f.b);
  }
  for (int w : {0, -5}) {
    Bmp f;
    f.fileHeader(54);
    f.info(w, 1, 24, 0);
    f.bytes({0, 0, 0, 0});
    expectInvalid(f.b);
  }
  {
    Bmp f;  // RLE may not be top-down
    f.fileHeader(54 + 1024);
    f.info(2, -2, 8, 1);
    for (int i = 0; i < 256; ++i) f.rgbq(0, 0, 0);
    f.bytes({0, 1});
    expectInvalid(f.b);
  }
  {
    Bmp f;  // a tiny RLE file claiming a huge picture
    f.fileHeader(62);
    f.info(30000, 30000, 8, 1, 2);
    f.rgbq(0, 0, 0);
    f.rgbq(1, 1, 1);
    f.bytes({0, 1});
    expectInvalid(f.b);
  }
  {
    Bmp f;  // unknown header size and bit depth
    f.fileHeader(54);
    f.info(1, 1, 7, 0);
    f.bytes({0, 0, 0, 0});
    expectInvalid(f.b);
  }
  expectInvalid({'B', 'A', 0, 0});
  expectInvalid({});
}

TEST(BmpReader, EveryTruncationRaises) {
  Bmp f;
  f.fileHeader(14 + 40 + 8);
  f.info(4, 2, 8, 1, 2);
  f.rgbq(0, 0, 0);
  f.rgbq(255, 255, 255);
  f.bytes({0, 4, 1, 0, 1, 0, 0, 0, 4, 1, 0, 1});
  for (size_t n = 0; n < f.b.size(); ++n) {
    TBitmap bm;
    EXPECT_THROW(bm.LoadFromBytes(std::span(f.b).first(n)), EInvalidGraphic) << n;
  }
}

TEST(Bitmap, WriteReadRoundTripOfEveryFormat) {
  for (TPixelFormat pf : {pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit}) {
    TBitmap bm;
    bm.SetPixelFormat(pf);
    bm.SetSize(7, 3);
    bm.SetPixel(0, 0, clWhite);
    bm.SetPixel(6, 2, clWhite);
    TBitmap back = Load(bm.SaveToBytes());
    EXPECT_EQ(back.PixelFormat(), pf);
    EXPECT_EQ(back.Width(), 7);
    EXPECT_EQ(back.Height(), 3);
    EXPECT_EQ(back.Pixel(0, 0), clWhite) << pf;
    EXPECT_EQ(back.Pixel(6, 2), clWhite) << pf;
    EXPECT_EQ(back.Pixel(1, 1), clBlack) << pf;
  }
}

TEST(Bitmap, FormatConversionKeepsColours) {
  TBitmap bm;
  bm.SetPixelFormat(pf24bit);
  bm.SetSize(3, 1);
  bm.SetPixel(0, 0, clRed);
  bm.SetPixel(1, 0, RGBColor(12, 34, 56));
  bm.SetPixelFormat(pf8bit);
  EXPECT_EQ(bm.Pixel(0, 0), clRed);
  EXPECT_EQ(bm.Pixel(1, 0), RGBColor(12, 34, 56));
  EXPECT_EQ(bm.Pixel(2, 0), clBlack);
  bm.SetPixelFormat(pf32bit);
  EXPECT_EQ(bm.Pixel(1, 0), RGBColor(12, 34, 56));
  bm.SetTopDown(true);
  EXPECT_EQ(bm.Pixel(0, 0), clRed);
  EXPECT_EQ(bm.TransparentColor(), clRed);  // the bottom-left pixel
}

// Every format converted to each format of more than 8 bits gives the colours
// that the pixels had, as exactly as the target holds them; indices past the
// palette are black.
TEST(Bitmap, ConversionToDirectColourKeepsEveryPixel) {
  const TColor colours[] = {clBlack, clWhite, clRed, RGBColor(12, 34, 56), RGBColor(200, 100, 7), clTeal};
  for (TPixelFormat from : {pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit}) {
    TBitmap src;
    src.SetPixelFormat(from);
    src.SetSize(9, 3);  // odd widths: rows carry padding
    if (from == pf4bit || from == pf8bit) {
      std::vector<TRGBQuad> pal;
      for (TColor c : colours) pal.push_back({GetBValue(c), GetGValue(c), GetRValue(c), 0});
      src.SetPalette(pal);  // shorter than the format allows
    }
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 9; ++x) src.SetPixel(x, y, colours[(x + y) % 6]);
    if (from == pf8bit) src.ScanLine(2)[8] = 200;  // past the palette
    for (TPixelFormat to : {pf15bit, pf16bit, pf24bit, pf32bit}) {
      if (to == from) continue;
      TBitmap converted;
      converted.Assign(src);
      converted.SetPixelFormat(to);
      ASSERT_EQ(converted.PixelFormat(), to);
      for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 9; ++x) {
          TBitmap expected;  // the source colour as the target format stores it
          expected.SetPixelFormat(to);
          expected.SetSize(1, 1);
          expected.SetPixel(0, 0, src.Pixel(x, y));
          EXPECT_EQ(converted.Pixel(x, y), expected.Pixel(0, 0)) << from << "->" << to << " " << x << "," << y;
        }
    }
  }
}

TEST(Bitmap, SizeIsCapped) {
  TBitmap bm;
  EXPECT_THROW(bm.SetSize(100000, 100000), EOutOfResources);
  EXPECT_THROW(bm.SetSize(-1, 2), EInvalidGraphic);
  bm.SetPixelFormat(pf1bit);
  EXPECT_THROW(bm.SetSize(int(kMaxPictureSide) + 1, 1), EOutOfResources);
  EXPECT_THROW(bm.SetSize(1, int(kMaxPictureSide) + 1), EOutOfResources);
}

// The side limit is the bitmap's own: the widest bitmap that can be made is
// written and read back, one pixel more is refused before allocating.
TEST(BmpReader, TheWidestBitmapReadsBackAndOneMoreIsRefused) {
  TBitmap wide;
  wide.SetPixelFormat(pf1bit);
  wide.SetSize(int(kMaxPictureSide), 2);
  wide.SetPixel(int(kMaxPictureSide) - 1, 1, clWhite);
  TBitmap back = Load(wide.SaveToBytes());
  EXPECT_EQ(back.Width(), int(kMaxPictureSide));
  EXPECT_EQ(back.Pixel(int(kMaxPictureSide) - 1, 1), clWhite);
  for (auto [w, h] : {std::pair{int(kMaxPictureSide) + 1, 1}, std::pair{1, -int(kMaxPictureSide) - 1}}) {
    Bmp f;  // the pixel rows are there, the size is not allowed
    f.fileHeader(14 + 40 + 8);
    f.info(w, h, 1, 0);
    f.rgbq(0, 0, 0);
    f.rgbq(255, 255, 255);
    f.b.resize(f.b.size() + size_t(TBitmap::RowBytesOf(w, 1)) * std::abs(h));
    EXPECT_THROW(Load(f.b), EInvalidGraphic) << w << "x" << h;
  }
  EXPECT_TRUE(PictureSizeFits(kMaxPictureSide, 1, 32));
  EXPECT_FALSE(PictureSizeFits(kMaxPictureSide, kMaxPictureSide, 1));  // past the bytes
}

// Files written by another program decode to the pixels that program reads
// back from them (the .rgb beside each file, 8-bit RGB, top row first).
TEST(BmpReader, FilesFromAnotherProgram) {
  for (const char* name : {"rgb24", "pal8", "rle8", "pal4", "mono", "core", "argb32", "rgb565"}) {
    std::string base = std::string(BX_TEST_DATA) + "/bmp/" + name;
    TMemoryStream bmp, rgb;
    bmp.LoadFromFile(base + ".bmp");
    rgb.LoadFromFile(base + ".rgb");
    TBitmap bm;
    bm.LoadFromBytes({bmp.Memory(), (size_t)bmp.Size()});
    ASSERT_EQ((int64_t)bm.Width() * bm.Height() * 3, rgb.Size()) << name;
    const uint8_t* p = rgb.Memory();
    int wrong = 0;
    for (int y = 0; y < bm.Height(); ++y)
      for (int x = 0; x < bm.Width(); ++x, p += 3)
        if (bm.Pixel(x, y) != RGBColor(p[0], p[1], p[2])) ++wrong;
    EXPECT_EQ(wrong, 0) << name;
  }
}

// How far a bitmap reaches in a stream: its file header's bfSize when a bitmap
// could be that long and the stream holds it, else all that is left.
TEST(BmpStreamExtent, FileSizeWhenABitmapCouldHaveItElseTheRest) {
  auto head = [](uint32_t bfSize) {
    Bmp h;
    h.u8('B'); h.u8('M'); h.u32(bfSize); h.u32(0); h.u32(0);
    return h.b;
  };
  EXPECT_EQ(BmpFileExtent(head(100), 500), 100u);
  EXPECT_EQ(BmpFileExtent(head(500), 500), 500u);
  EXPECT_EQ(BmpFileExtent(head(501), 500), 500u) << "cut short: what is there";
  EXPECT_EQ(BmpFileExtent(head(0), 500), 500u) << "left unset";
  for (uint32_t tooSmall : {14u, 17u, 18u, 25u})
    EXPECT_EQ(BmpFileExtent(head(tooSmall), 500), 500u) << tooSmall << " bytes hold no bitmap header";
  EXPECT_EQ(BmpFileExtent(head(26), 500), 26u);
}

// A bitmap whose bfSize is too small to be one reads from the rest of the
// stream (it once read 14 bytes and failed), and one with its size stops
// there, leaving what follows for the next reader.
TEST(BmpStreamExtent, BitmapStreamsFollowTheOneRule) {
  TBitmap a;
  a.SetSize(3, 2);
  a.SetPixel(2, 1, 0x123456);
  std::vector<uint8_t> file = a.SaveToBytes();
  for (uint32_t bfSize : {14u, 17u}) {
    std::vector<uint8_t> odd = file;
    for (int i = 0; i < 4; ++i) odd[2 + i] = uint8_t(bfSize >> (8 * i));
    TMemoryStream s(odd);
    TBitmap b;
    ASSERT_NO_THROW(b.LoadFromStream(s)) << bfSize;
    EXPECT_EQ(b.Pixel(2, 1), TColor(0x123456)) << bfSize;
  }
  std::vector<uint8_t> two = file;
  two.insert(two.end(), {'n', 'e', 'x', 't'});
  TMemoryStream s(two);
  TBitmap b;
  b.LoadFromStream(s);
  EXPECT_EQ(s.Position(), int64_t(file.size()));
}

// biClrUsed: the palette's entry count, or 0 for a full palette when asked.
TEST(BmpWriter, ColoursUsedCountOrImpliedByAFullPalette) {
  auto colorsUsed = [](const std::vector<uint8_t>& f) { return f[46] | f[47] << 8 | f[48] << 16 | f[49] << 24; };
  const std::vector<TRGBQuad> two(2), full(256);
  const std::vector<uint8_t> pixels(4, 1);
  EXPECT_EQ(colorsUsed(EncodeBmpFile(1, 1, pf8bit, false, two, pixels)), 2);
  EXPECT_EQ(colorsUsed(EncodeBmpFile(1, 1, pf8bit, false, full, pixels)), 256);
  EXPECT_EQ(colorsUsed(EncodeBmpFile(1, 1, pf8bit, false, two, pixels, TBmpColorsUsed::ZeroWhenFull)), 2);
  auto implied = EncodeBmpFile(1, 1, pf8bit, false, full, pixels, TBmpColorsUsed::ZeroWhenFull);
  EXPECT_EQ(colorsUsed(implied), 0);
  EXPECT_EQ(implied.size(), 14u + 40 + 1024 + 4) << "the palette is still written";
  EXPECT_EQ(DecodeBmpFile(implied).Palette.size(), 256u);
}

// Without a pixel offset the pixels follow the colour table, which has
// biClrUsed entries (at most 256): a direct-colour picture's too.
TEST(BmpReader, PixelsFollowTheColourTableOfAPackedBitmap) {
  Bmp rgb;
  rgb.info(1, 1, 24, 0, 2);
  rgb.rgbq(1, 2, 3);
  rgb.rgbq(4, 5, 6);
  rgb.bytes({0x30, 0x20, 0x10, 0});
  TBmpImage img = DecodeBmpInfo(rgb.b, 0);
  ASSERT_EQ(img.Bits.size(), 4u);
  EXPECT_EQ(img.Bits[0], 0x30);
  EXPECT_EQ(img.Bits[2], 0x10);
  // A 1-bit picture naming more colours than it can use: they are skipped.
  Bmp mono;
  mono.info(1, 1, 1, 0, 4);
  for (int i = 0; i < 4; ++i) mono.rgbq(uint8_t(i * 50), 0, 0);
  mono.bytes({0x80, 0, 0, 0});
  img = DecodeBmpInfo(mono.b, 0);
  ASSERT_EQ(img.Bits.size(), 4u);
  EXPECT_EQ(img.Bits[0], 0x80);
  EXPECT_EQ(img.Palette[1].Red, 50);
}
