// TDIB: images, sharing, pixel access and the BMP stream.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>

#include "DIB.h"
#include "ErrorText.h"
#include "Streams.h"

namespace {
using Bytes = std::vector<uint8_t>;

// An 8-bit BMP of w x h with the given "colours used" and header height sign.
Bytes Bmp8(int w, int h, uint32_t used, bool topDown) {
  Bytes b = {'B', 'M'};
  auto u16 = [&](uint32_t v) { b.push_back(uint8_t(v)); b.push_back(uint8_t(v >> 8)); };
  auto u32 = [&](uint32_t v) { u16(v & 0xFFFF); u16(v >> 16); };
  uint32_t colors = used == 0 || used > 256 ? 256 : used;
  uint32_t rowBytes = (uint32_t(w) + 3) & ~3u;
  u32(14 + 40 + colors * 4 + rowBytes * h); u32(0); u32(14 + 40 + colors * 4);
  u32(40); u32(uint32_t(w)); u32(uint32_t(topDown ? -h : h)); u16(1); u16(8); u32(0);
  u32(0); u32(0); u32(0); u32(used); u32(0);
  for (uint32_t i = 0; i < colors; ++i) { b.push_back(uint8_t(i)); b.push_back(0); b.push_back(0); b.push_back(0); }
  for (int y = 0; y < h; ++y)
    for (uint32_t x = 0; x < rowBytes; ++x) b.push_back(uint8_t(x < uint32_t(w) ? (topDown ? y : h - 1 - y) * 10 + x : 0));
  return b;
}

TDIB LoadDib(const Bytes& b) {
  TMemoryStream s(b);
  TDIB d;
  d.LoadFromStream(s);
  return d;
}
}  // namespace

TEST(DIBStream, EmptyAndShortStreams) {
  TDIB d;
  TMemoryStream empty;
  d.LoadFromStream(empty);
  EXPECT_TRUE(d.Empty());
  const Bytes one = Bmp8(1, 1, 0, false);
  for (size_t n = 1; n < 14; ++n) {
    TMemoryStream s(Bytes(one.begin(), one.begin() + long(n)));
    EXPECT_EQ(ErrorText([&] { d.LoadFromStream(s); }), "DIB is invalid") << n;
  }
  Bytes header(one.begin(), one.begin() + 14);
  EXPECT_TRUE(LoadDib(header).Empty());
  Bytes broken = Bmp8(2, 2, 0, false);
  broken[14] = 200;  // no header has this size
  EXPECT_EQ(ErrorText([&] { LoadDib(broken); }), "DIB is invalid");
}

TEST(DIBStream, TopDownReadsAsBottomUpAndSavesBottomUp) {
  TDIB up = LoadDib(Bmp8(3, 2, 0, false)), down = LoadDib(Bmp8(3, 2, 0, true));
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_EQ(up.Pixel(x, y), down.Pixel(x, y));
  EXPECT_EQ(down.Pixel(2, 1), 12u);
  TMemoryStream out;
  down.SaveToStream(out);
  const uint8_t* h = out.Memory();
  EXPECT_EQ(int32_t(h[22] | h[23] << 8 | h[24] << 16 | uint32_t(h[25]) << 24), 2);
  EXPECT_EQ(h[54 + 1024], 10);  // the first row in the file is the bottom row
}

TEST(DIBStream, ColourCountAndTheLogoSize) {
  EXPECT_EQ(LoadDib(Bmp8(2, 2, 0, false)).ImageColorTable()[255].Blue, 255);
  TDIB many = LoadDib(Bmp8(2, 2, 300, false));
  EXPECT_EQ(many.ImageColorTable()[200].Blue, 200);
  TDIB logo;
  logo.SetSize(64, 64, 8);
  TMemoryStream s;
  logo.SaveToStream(s);
  EXPECT_EQ(s.Size(), 5174);
  EXPECT_EQ(s.Memory()[10] | s.Memory()[11] << 8, 1078);
  TDIB none;
  TMemoryStream nothing;
  none.SaveToStream(nothing);
  EXPECT_EQ(nothing.Size(), 0);
}

TEST(DIBStream, ReadsWhatTheBitmapReaderReads) {
  for (const char* name : {"mono", "pal4", "pal8", "rgb24", "rgb565", "argb32", "rle8", "core"}) {
    std::ifstream f(std::string(BX_TEST_DATA) + "/bmp/" + name + ".bmp", std::ios::binary);
    Bytes b{std::istreambuf_iterator<char>(f), {}};
    TBitmap bm;
    bm.LoadFromBytes(b);
    TDIB d = LoadDib(b);
    TDIB fromBitmap;
    fromBitmap.Assign(bm);
    ASSERT_EQ(d.Width(), bm.Width()) << name;
    EXPECT_EQ(d.BitCount(), bm.BitsPerPixel()) << name;
    for (int y = 0; y < d.Height(); ++y) EXPECT_EQ(std::memcmp(d.ScanLine(y), bm.ScanLine(y), d.RowBytes()), 0) << name;
    for (int y = 0; y < d.Height(); ++y)
      for (int x = 0; x < d.Width(); ++x) ASSERT_EQ(d.Pixel(x, y), fromBitmap.Pixel(x, y)) << name;
  }
}

TEST(DIBImage, SetSizeSharingAndPixels) {
  TDIB a;
  a.SetSize(5, 3, 24);
  a.SetPixel(1, 1, 0x123456);
  EXPECT_EQ(a.Pixel(1, 1), 0x123456u);
  EXPECT_EQ(a.ScanLine(1)[3], 0x12);  // byte 0 holds value >> 16
  a.SetSize(5, 3, 24);
  EXPECT_EQ(a.Pixel(1, 1), 0x123456u);
  TDIB b;
  b.Assign(a);
  EXPECT_TRUE(b.SharesPixelsWith(a));
  b.SetPixel(0, 0, 7);
  EXPECT_FALSE(b.SharesPixelsWith(a));
  EXPECT_EQ(a.Pixel(0, 0), 0u);
  a.SetSize(5, 3, 8);
  EXPECT_EQ(a.Pixel(1, 1), 0u);
  // Outside the picture: 0, and writes are ignored.
  EXPECT_EQ(a.Pixel(-1, 0), 0u);
  a.SetPixel(5, 0, 9);
  EXPECT_EQ(a.Pixel(5, 0), 0u);
  EXPECT_EQ(ErrorText([&] { a.ScanLine(3); }), "Index of the scanning line exceeded the range. (3)");
  EXPECT_EQ(ErrorText([&] { a.SetSize(2, 2, 3); }), "Bitcount in invalid (3)");
  a.SetWidth(0);
  EXPECT_TRUE(a.Empty());
  a.SetHeight(4);
  EXPECT_EQ(a.Width(), 1);
  EXPECT_EQ(a.BitCount(), 8);
  // 1 and 4 bits: high bits and high nibble first.
  TDIB n;
  n.SetSize(9, 1, 4);
  n.SetPixel(0, 0, 0xA);
  n.SetPixel(1, 0, 0x5);
  EXPECT_EQ(n.ScanLine(0)[0], 0xA5);
  n.SetSize(9, 1, 1);
  n.SetPixel(8, 0, 1);
  EXPECT_EQ(n.ScanLine(0)[1], 0x80);
}

TEST(DIBImage, PixelFormats) {
  auto f555 = MakeDIBPixelFormat(5, 5, 5), f565 = MakeDIBPixelFormat(5, 6, 5);
  EXPECT_EQ(f565.RedMask, 0xF800u);
  EXPECT_EQ(f565.GreenMask, 0x7E0u);
  EXPECT_EQ(MakeDIBPixelFormatMask(0x7C00, 0x3E0, 0x1F).GreenBits, 5);
  EXPECT_EQ(pfRGB(f555, 255, 0, 8), 0x7C01u);
  uint8_t r, g, b;
  pfGetRGB(f565, 0xFFFF, r, g, b);
  EXPECT_EQ(r + g + b, 3 * 255);
  pfGetRGB(f555, 0x4210, r, g, b);  // 16 of 31 in each field: 0x80 or 0x80 shr 3
  EXPECT_EQ(r, 0x90);
  EXPECT_EQ(b, 0x90);
  pfGetRGB(MakeDIBPixelFormat(8, 8, 8), 0x102030, r, g, b);
  EXPECT_EQ(r, 0x10);
  EXPECT_EQ(b, 0x30);
}

TEST(DIBImage, AssignFromBitmapsAndPictures) {
  TBitmap bm;
  bm.SetPixelFormat(pf16bit);
  bm.SetSize(2, 1);
  bm.SetPixel(1, 0, clRed);
  TDXDIB holder(nullptr);
  holder.SetDIB(bm);
  TDIB& d = holder.DIB();
  EXPECT_EQ(d.BitCount(), 16);
  EXPECT_EQ(d.CurrentPixelFormat().GreenBits, 6);
  EXPECT_EQ(d.Pixel(1, 0), 0xF800u);
  TPicture empty;
  d.Assign(empty);
  EXPECT_TRUE(d.Empty());
}

TEST(DIBStream, PixelOffsetRunsPastTheEdgeAndRegistration) {
  // The file header's pixel offset leaves a gap after the palette.
  Bytes b = Bmp8(2, 1, 0, false);
  b.insert(b.begin() + 14 + 40 + 1024, {9, 9, 9, 9});
  b[2] = uint8_t(b[2] + 4);  // file size
  b[10] = uint8_t(b[10] + 4);  // pixel offset
  EXPECT_EQ(LoadDib(b).Pixel(1, 0), 1u);
  // RLE8: a run of 5 in a row of 2 is clipped to the row.
  Bytes r = Bmp8(2, 1, 0, false);
  r.resize(14 + 40 + 1024);
  r[30] = 1;  // BI_RLE8
  r.insert(r.end(), {5, 7, 0, 1});
  TDIB d = LoadDib(r);
  EXPECT_EQ(d.Pixel(0, 0), 7u);
  EXPECT_EQ(d.Pixel(1, 0), 7u);
  RegisterDIB();
  EXPECT_EQ(FindFileFormat("dib")->ClassName, "TDIB");
  EXPECT_EQ(FindFileFormat("dib")->Description, "Device Independent Bitmap");
  EXPECT_EQ(CreateGraphic("TDIB")->ClassName(), "TDIB");
}

// The file header's size stops the read only when a bitmap could be that
// long: a smaller one reads the rest of the stream, as the bitmap class does.
TEST(DIBStream, FileSizeTooSmallForABitmapReadsTheRest) {
  for (uint8_t bfSize : {14, 18, 20, 25}) {
    Bytes b = Bmp8(2, 2, 0, false);
    b[2] = bfSize, b[3] = b[4] = b[5] = 0;
    TDIB d;
    ASSERT_NO_THROW(d = LoadDib(b)) << int(bfSize);
    EXPECT_EQ(d.Pixel(1, 1), 11u) << int(bfSize);
  }
  // A plausible size ends the bitmap; what follows stays in the stream.
  Bytes two = Bmp8(2, 2, 0, false);
  const size_t first = two.size();
  two.insert(two.end(), {1, 2, 3});
  TMemoryStream s(two);
  TDIB d;
  d.LoadFromStream(s);
  EXPECT_EQ(s.Position(), int64_t(first));
}

// Palettes are saved whole, with biClrUsed 0: the count is implied.
TEST(DIBStream, SavedPaletteCountIsImplied) {
  for (int bits : {1, 4, 8}) {
    TDIB d;
    d.SetSize(3, 3, bits);
    TMemoryStream s;
    d.SaveToStream(s);
    const uint8_t* h = s.Memory();
    EXPECT_EQ(h[46] | h[47] << 8 | h[48] << 16 | h[49] << 24, 0) << bits;
    EXPECT_EQ(h[10] | h[11] << 8, 14 + 40 + 4 * (1 << bits)) << bits;
  }
}
