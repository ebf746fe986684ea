// TDIB: the clipboard's CF_DIB bytes, colour tables kept through a round
// trip, the colour count written, and pictures of other classes assigned.
#include <gtest/gtest.h>

#include "DIB.h"
#include "ErrorText.h"
#include "Streams.h"

namespace {
std::vector<uint8_t> FileBytes(TDIB& d) {
  TMemoryStream s;
  d.SaveToStream(s);
  return s.Bytes();
}

TDIB Sample(int bits) {
  TDIB d;
  for (int i = 0; i < 256; ++i) d.ColorTable[size_t(i)] = {uint8_t(i), uint8_t(255 - i), uint8_t(i / 2), 0};
  if (bits == 16) d.PixelFormat = MakeDIBPixelFormat(5, 6, 5);
  d.SetSize(5, 3, bits);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) d.SetPixel(x, y, uint32_t(x * 40 + y * 7 + 1));
  return d;
}

// A picture class that the DIB does not know, with a BMP or a private stream.
class TOtherGraphic : public TGraphic {
public:
  bool WritesBmp = false;
  std::string ClassName() const override { return "TOtherGraphic"; }
  bool Empty() const override { return false; }
  int Width() const override { return 7; }
  int Height() const override { return 2; }
  void LoadFromStream(TStream&) override {}
  void SaveToStream(TStream& s) override {
    if (!WritesBmp) {
      s.WriteString("private");
      return;
    }
    TBitmap b;
    b.SetSize(7, 2);
    b.SetPixel(3, 1, clRed);
    b.SaveToStream(s);
  }
};
}  // namespace

TEST(DIBClipboard, BytesAreTheBmpWithoutItsFileHeaderAndComeBack) {
  for (int bits : {1, 4, 8, 16, 24, 32}) {
    TDIB d = Sample(bits);
    auto file = FileBytes(d);
    auto clip = d.ClipboardBytes();
    ASSERT_EQ(clip.size() + 14, file.size()) << bits;
    EXPECT_TRUE(std::equal(clip.begin(), clip.end(), file.begin() + 14)) << bits;
    TDIB back;
    back.LoadFromClipboardBytes(clip);
    ASSERT_EQ(back.BitCount(), bits);
    EXPECT_EQ(back.Width(), 5);
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 5; ++x) EXPECT_EQ(back.Pixel(x, y), d.Pixel(x, y)) << bits << " " << x << "," << y;
    EXPECT_EQ(back.CurrentPixelFormat().GreenMask, d.CurrentPixelFormat().GreenMask) << bits;
  }
  TDIB empty;
  EXPECT_TRUE(empty.ClipboardBytes().empty());
  EXPECT_EQ(ErrorText([&] { empty.LoadFromClipboardBytes({40, 0, 0}); }), "DIB is invalid");
}

TEST(DIBPalette, ColourTablesSurviveTheStreamAndTheCountIsImplied) {
  TDIB d = Sample(8);
  EXPECT_EQ(d.ImageColorTable()[200].Blue, 200);
  d.ColorTable[7] = {1, 2, 3, 0};
  d.UpdatePalette();
  auto file = FileBytes(d);
  // biClrUsed (offset 46) 0 for a full table; the 1,024 table bytes are there.
  EXPECT_EQ(file[46] | file[47] | file[48] | file[49], 0);
  EXPECT_EQ(file[10] | file[11] << 8, 14 + 40 + 1024);  // the pixel offset
  TDIB back;
  back.LoadFromClipboardBytes(d.ClipboardBytes());
  EXPECT_EQ(back.ImageColorTable(), d.ImageColorTable());
  EXPECT_EQ(back.ColorTable[7], (TRGBQuad{1, 2, 3, 0}));
  // A 4-bit picture carries its 16 entries.
  TDIB four = Sample(4);
  TDIB fourBack;
  fourBack.LoadFromClipboardBytes(four.ClipboardBytes());
  for (int i = 0; i < 16; ++i) EXPECT_EQ(fourBack.ImageColorTable()[size_t(i)], four.ImageColorTable()[size_t(i)]);
}

TEST(DIBAssign, OtherPictureClassesAreConvertedNotRefused) {
  TOtherGraphic bmp;
  bmp.WritesBmp = true;
  TDIB d;
  d.Assign(bmp);
  ASSERT_EQ(d.Width(), 7);
  EXPECT_EQ(d.Height(), 2);
  EXPECT_EQ(d.Pixel(3, 1), uint32_t(0x0000FF));  // red as bytes blue, green, red
  TOtherGraphic other;
  EXPECT_NO_THROW(d.Assign(other));
  EXPECT_EQ(d.Width(), 7);
  EXPECT_EQ(d.BitCount(), 24);
  EXPECT_EQ(d.Pixel(3, 1), 0u);
  // Not a picture at all: refused as before.
  TFont font;
  EXPECT_THROW(d.Assign(font), EConvertAssign);
}

// Clipboard bytes that another program wrote: a colour table before the
// pixels of a direct-colour picture, and masks after a 40-byte header.
TEST(DIBClipboard, PixelsAfterTheTableAndTheMasksOfOtherWriters) {
  std::vector<uint8_t> b;
  auto u16 = [&](uint32_t v) { b.push_back(uint8_t(v)); b.push_back(uint8_t(v >> 8)); };
  auto u32 = [&](uint32_t v) { u16(v & 0xFFFF); u16(v >> 16); };
  auto info = [&](int bits, uint32_t compression, uint32_t used) {
    b.clear();
    u32(40); u32(2); u32(1); u16(1); u16(uint32_t(bits)); u32(compression); u32(0); u32(0); u32(0); u32(used); u32(0);
  };
  info(24, 0, 3);
  for (int i = 0; i < 3; ++i) u32(0xEEEEEE);
  b.insert(b.end(), {0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0, 0});
  TDIB d;
  d.LoadFromClipboardBytes(b);
  EXPECT_EQ(d.Pixel(0, 0), 0x112233u);  // not the table's 0xEEEEEE
  EXPECT_EQ(d.Pixel(1, 0), 0x445566u);
  info(16, 3, 0);  // BI_BITFIELDS, 5-6-5
  u32(0xF800); u32(0x07E0); u32(0x001F);
  u32(0xF800001F);
  d.LoadFromClipboardBytes(b);
  EXPECT_EQ(d.CurrentPixelFormat().GreenBits, 6);
  EXPECT_EQ(d.Pixel(0, 0), 0x001Fu);
  EXPECT_EQ(d.Pixel(1, 0), 0xF800u);
}
