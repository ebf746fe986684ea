#include <gtest/gtest.h>

#include <vector>

#include "I2BConve.h"
#include <windows.h>

namespace {
constexpr TColor kMarker = TColor(0x00123456);

// A 32-bit colour icon: opaque pixels of colour, transparent where
// transparent(x, y) holds.
template <class F>
HICON MakeIcon(int size, COLORREF colour, F transparent) {
  std::vector<uint8_t> maskBits(size_t(size) * ((size + 15) / 16 * 2), 0);
  int stride = (size + 15) / 16 * 2;
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x)
      if (transparent(x, y)) maskBits[size_t(y) * stride + x / 8] |= uint8_t(0x80 >> (x % 8));
  HBITMAP mask = CreateBitmap(size, size, 1, 1, maskBits.data());
  HDC screen = GetDC(nullptr);
  HBITMAP image = CreateCompatibleBitmap(screen, size, size);
  HDC dc = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(dc, image);
  HBRUSH brush = CreateSolidBrush(colour);
  RECT r{0, 0, size, size};
  FillRect(dc, &r, brush);
  DeleteObject(brush);
  SelectObject(dc, old);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  ICONINFO info{TRUE, 0, 0, mask, image};
  HICON icon = CreateIconIndirect(&info);
  DeleteObject(mask);
  DeleteObject(image);
  return icon;
}
}  // namespace

TEST(IconToBitmap, ExtraRowIsTheColourAndOpaquePixelsStay) {
  HICON icon = MakeIcon(32, RGB(0, 0, 255), [](int, int) { return false; });
  TBitmap b;
  IconToBitmap(icon, kMarker, b);
  DestroyIcon(icon);
  ASSERT_EQ(b.Width(), 32);
  ASSERT_EQ(b.Height(), 33);
  for (int x = 0; x < 32; ++x) EXPECT_EQ(b.Pixel(x, 32), kMarker) << x;
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) ASSERT_EQ(b.Pixel(x, y), TColor(0xFF0000)) << x << "," << y;
  EXPECT_EQ(b.TransparentColor(), kMarker);
}

TEST(IconToBitmap, TransparentRunsTakeTheColourUpToTheRowEnd) {
  // Transparent: a fully transparent icon, and one whose right half and
  // single pixels are transparent.
  HICON clear = MakeIcon(16, RGB(0, 255, 0), [](int, int) { return true; });
  TBitmap b;
  IconToBitmap(clear, kMarker, b);
  DestroyIcon(clear);
  for (int y = 0; y < 17; ++y)
    for (int x = 0; x < 16; ++x) ASSERT_EQ(b.Pixel(x, y), kMarker);

  auto hole = [](int x, int y) { return x >= 8 || (x == 2 && y == 5); };
  HICON half = MakeIcon(16, RGB(0, 255, 0), hole);
  IconToBitmap(half, kMarker, b);
  DestroyIcon(half);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) ASSERT_EQ(b.Pixel(x, y), hole(x, y) ? kMarker : TColor(0x00FF00)) << x << "," << y;
}

TEST(IconToBitmap, MonochromeIconKeepsItsOwnHeight) {
  // AND mask over XOR image in one 1-bit bitmap of twice the height.
  std::vector<uint8_t> bits(4 * 64, 0);
  for (int y = 0; y < 32; ++y) bits[size_t(y) * 4] = 0xFF;  // left 8 columns transparent
  HBITMAP mask = CreateBitmap(32, 64, 1, 1, bits.data());
  ICONINFO info{TRUE, 0, 0, mask, nullptr};
  HICON icon = CreateIconIndirect(&info);
  DeleteObject(mask);
  ASSERT_NE(icon, nullptr);
  TBitmap b;
  IconToBitmap(icon, kMarker, b);
  DestroyIcon(icon);
  EXPECT_EQ(b.Width(), 32);
  EXPECT_EQ(b.Height(), 33);
  EXPECT_EQ(b.Pixel(0, 0), kMarker);
  EXPECT_EQ(b.Pixel(20, 10), clBlack);
}

TEST(IconToBitmap, EmptyOrDestroyedIconRaisesAndKeepsTheBitmap) {
  TBitmap b;
  b.SetSize(5, 5);
  EXPECT_THROW(IconToBitmap(nullptr, kMarker, b), EInvalidGraphic);
  HICON icon = MakeIcon(16, RGB(1, 2, 3), [](int, int) { return false; });
  DestroyIcon(icon);
  EXPECT_THROW(IconToBitmap(icon, kMarker, b), EInvalidGraphic);
  EXPECT_EQ(b.Width(), 5);
}

TEST(IconToBitmap, RepeatedUseFreesTheIconsBitmaps) {
  HICON icon = MakeIcon(32, RGB(9, 9, 9), [](int x, int) { return x < 3; });
  TBitmap b;
  IconToBitmap(icon, kMarker, b);
  DWORD before = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  for (int i = 0; i < 200; ++i) IconToBitmap(icon, kMarker, b);
  DWORD after = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  DestroyIcon(icon);
  EXPECT_LE(after, before + 2);
}
