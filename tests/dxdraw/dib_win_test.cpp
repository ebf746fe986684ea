// TDIB on Windows: drawing, its canvas, the palette cache, the clipboard and
// the global-memory stream.
#include <gtest/gtest.h>

#include <cstring>

#include "DIBWin.h"
#include "ErrorText.h"

TEST(GlobalMemoryStream, ReadsSeeksAndRefusesWrites) {
  HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, 6);
  std::memcpy(GlobalLock(mem), "abcdef", 6);
  GlobalUnlock(mem);
  {
    TGlobalMemoryStream s(mem);
    EXPECT_EQ(s.Size(), int64_t(GlobalSize(mem)));
    char buf[8]{};
    EXPECT_EQ(s.Read(buf, 4), 4);
    EXPECT_STREQ(buf, "abcd");
    s.SetPosition(4);
    EXPECT_EQ(s.Read(buf, 8), s.Size() - 4);  // never past the end
    EXPECT_EQ(s.Read(buf, 1), 0);
    EXPECT_EQ(s.Seek(-6, soFromEnd), s.Size() - 6);
    EXPECT_EQ(s.ReadU8(), 'a');
    EXPECT_THROW(s.WriteU8(1), EWriteError);
    EXPECT_EQ(GlobalFlags(mem) & GMEM_LOCKCOUNT, 1u);
  }
  EXPECT_EQ(GlobalFlags(mem) & GMEM_LOCKCOUNT, 0u);  // unlocked when freed
  GlobalFree(mem);
}

TEST(DIBClipboardWin, CopiesAndPastesThroughTheClipboard) {
  TDIB d;
  d.ColorTable[1] = {0, 0, 255, 0};
  d.SetSize(9, 4, 8);
  d.SetPixel(2, 3, 1);
  UINT format = 0;
  HANDLE data = nullptr;
  SaveDIBToClipboardFormat(d, format, data);
  EXPECT_EQ(format, UINT(CF_DIB));
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  SetClipboardData(format, data);  // the clipboard owns it now
  CloseClipboard();

  ASSERT_TRUE(IsClipboardFormatAvailable(CF_DIB));
  ASSERT_TRUE(OpenClipboard(nullptr));
  TDIB pasted;
  LoadDIBFromClipboardFormat(pasted, CF_DIB, GetClipboardData(CF_DIB));
  CloseClipboard();
  EXPECT_EQ(pasted.Width(), 9);
  EXPECT_EQ(pasted.Pixel(2, 3), 1u);
  EXPECT_EQ(pasted.ImageColorTable()[1].Red, 255);
  EXPECT_EQ(ErrorText([&] { LoadDIBFromClipboardFormat(pasted, CF_TEXT, data); }), "DIB is invalid");
}

TEST(DIBPaletteWin, EqualTablesShareOneCachedPalette) {
  int before = PaletteCacheSize();
  TRGBQuads table{};
  table[3] = {10, 20, 30, 0};
  HPALETTE a = AcquirePalette(table, 16), b = AcquirePalette(table, 16);
  EXPECT_EQ(a, b);
  EXPECT_EQ(PaletteCacheSize(), before + 1);
  PALETTEENTRY e{};
  GetPaletteEntries(a, 3, 1, &e);
  EXPECT_EQ(e.peRed, 30);  // red and blue exchanged into palette order
  EXPECT_EQ(e.peBlue, 10);
  table[3].Red = 31;
  HPALETTE c = AcquirePalette(table, 16);
  EXPECT_NE(c, a);
  ReleasePalette(a);
  EXPECT_EQ(a, nullptr);
  ReleasePalette(b);
  ReleasePalette(c);
  EXPECT_EQ(PaletteCacheSize(), before);
  EXPECT_EQ(AcquirePalette(table, 0), nullptr);

  // A GDI palette set on a DIB becomes its colour table.
  std::vector<uint8_t> buffer(sizeof(LOGPALETTE) + 2 * sizeof(PALETTEENTRY));
  auto* log = reinterpret_cast<LOGPALETTE*>(buffer.data());
  log->palVersion = 0x300;
  log->palNumEntries = 2;
  log->palPalEntry[1] = {200, 100, 50, 0};
  TDIB d;
  d.SetSize(2, 2, 8);
  SetDIBPalette(d, CreatePalette(log));
  EXPECT_EQ(d.ImageColorTable()[1], (TRGBQuad{50, 100, 200, 0}));
}

TEST(DIBDraw, DrawsWithItsPaletteAndTheCanvasWritesBackPrivately) {
  TDIB source;
  source.ColorTable[5] = {0, 255, 0, 0};  // green
  source.SetSize(4, 4, 8);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) source.SetPixel(x, y, 5);
  TDIB target;
  target.SetSize(8, 8, 24);
  TDIB shared;
  shared.Assign(target);
  {
    TDIBCanvas canvas(target);
    DrawDIB(canvas.Handle(), source, RECT{0, 0, 8, 8});  // stretched
    canvas.Canvas().BrushColor = clBlue;
    canvas.Canvas().FillRect(RECT{0, 0, 1, 1});
  }
  EXPECT_EQ(target.Pixel(5, 6), uint32_t(RGB(0, 255, 0)));
  EXPECT_EQ(target.Pixel(0, 0), uint32_t(RGB(0, 0, 255)));
  EXPECT_EQ(shared.Pixel(5, 6), 0u);  // the other DIB kept its own pixels
  // Part of a picture, and an empty one draws nothing.
  TDIB part;
  part.SetSize(2, 2, 24);
  {
    TDIBCanvas canvas(part);
    RECT half{0, 0, 2, 1};
    DrawDIB(canvas.Handle(), target, RECT{0, 0, 2, 2}, &half);
    DrawDIB(canvas.Handle(), TDIB(), RECT{0, 0, 2, 2});
  }
  EXPECT_EQ(part.Pixel(0, 0), uint32_t(RGB(0, 0, 255)));
  EXPECT_EQ(part.Pixel(1, 1), uint32_t(RGB(0, 255, 0)));
}
