// IconToBitmap over GDI: the icon's AND mask decides which pixels take the colour.
#include "I2BConve.h"

#include <cstring>
#include <vector>

#include "WinGraphics.h"

namespace {
// Largest icon side we draw; the system's own icons stop at 256.
constexpr int kMaxIconSide = 1024;

BITMAPINFOHEADER TopDown32(int width, int height) {
  BITMAPINFOHEADER h{};
  h.biSize = sizeof h;
  h.biWidth = width;
  h.biHeight = -height;
  h.biPlanes = 1;
  h.biBitCount = 32;
  h.biCompression = BI_RGB;
  return h;
}
}  // namespace

void IconToBitmap(HICON Icon, TColor Color, TBitmap& Bitmap) {
  ICONINFO info{};
  if (!Icon || !GetIconInfo(Icon, &info)) throw EInvalidGraphic("Invalid icon");
  // Both bitmaps of the icon belong to us now.
  TBitmapHandle mask(info.hbmMask), colour(info.hbmColor);
  BITMAP bm{};
  if (!mask || !GetObjectA(mask.Get(), sizeof bm, &bm)) throw EInvalidGraphic("Invalid icon");
  const int width = bm.bmWidth;
  // A monochrome icon keeps its XOR image below the AND mask in one bitmap
  // of twice the icon's height.
  const int height = colour ? bm.bmHeight : bm.bmHeight / 2;
  if (width <= 0 || height <= 0 || width > kMaxIconSide || height > kMaxIconSide)
    throw EInvalidGraphic("Invalid icon");

  TWindowDC screen(nullptr);
  std::vector<uint32_t> maskBits(size_t(width) * size_t(bm.bmHeight));
  BITMAPINFOHEADER maskHeader = TopDown32(width, bm.bmHeight);
  if (GetDIBits(screen.DC(), mask.Get(), 0, UINT(bm.bmHeight), maskBits.data(),
                reinterpret_cast<BITMAPINFO*>(&maskHeader), DIB_RGB_COLORS) == 0)
    throw EInvalidGraphic("Invalid icon");

  BITMAPINFOHEADER header = TopDown32(width, height + 1);
  void* bits = nullptr;
  TBitmapHandle dib(CreateDIBSection(screen.DC(), reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS, &bits,
                                     nullptr, 0));
  TMemDCHandle dc(CreateCompatibleDC(screen.DC()));
  if (!dib || !dc || !bits) throw EOutOfResources("Out of system resources");
  {
    TSelectGuard select(dc.Get(), dib.Get());
    std::memset(bits, 0, size_t(width) * size_t(height + 1) * 4);
    DrawIconEx(dc.Get(), 0, 0, Icon, width, height, 0, nullptr, DI_NORMAL);
    GdiFlush();
  }

  const COLORREF rgb = ColorToRGB(Color);
  const uint32_t fill = uint32_t(GetBValue(rgb)) | uint32_t(GetGValue(rgb)) << 8 | uint32_t(GetRValue(rgb)) << 16;
  auto* pixels = static_cast<uint32_t*>(bits);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      if ((maskBits[size_t(y) * width + x] & 0x00FFFFFFu) == 0x00FFFFFFu) pixels[size_t(y) * width + x] = fill;
  for (int x = 0; x < width; ++x) pixels[size_t(height) * width + x] = fill;

  TBitmap result;
  result.SetPixelFormat(pf24bit);
  result.SetSize(width, height + 1);
  for (int y = 0; y <= height; ++y)
    for (int x = 0; x < width; ++x) {
      uint32_t p = pixels[size_t(y) * width + x];
      result.SetPixel(x, y, TColor((p >> 16 & 0xFF) | (p & 0xFF00) | (p & 0xFF) << 16));
    }
  Bitmap.Assign(result);
}
