// The cell text helpers that need Win32: the system's code pages and the
// transparent bitmap drawing.
#include "ExtGridUtilWin.h"

#include "WinGraphics.h"

// Through the wide characters, so that a double-byte OEM code page converts too.
std::string OemToAnsiText(std::string_view s) {
  if (s.empty()) return {};
  const int n = MultiByteToWideChar(CP_OEMCP, 0, s.data(), int(s.size()), nullptr, 0);
  if (n <= 0) return std::string(s);
  std::wstring wide(size_t(n), L'\0');
  MultiByteToWideChar(CP_OEMCP, 0, s.data(), int(s.size()), wide.data(), n);
  const int m = WideCharToMultiByte(CP_ACP, 0, wide.data(), n, nullptr, 0, nullptr, nullptr);
  if (m <= 0) return std::string(s);
  std::string out(size_t(m), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.data(), n, out.data(), m, nullptr, nullptr);
  return out;
}

void DrawTransparentBitmap(TCanvas& canvas, const RECT& rect, const TBitmap& bitmap, TColor color) {
  if (bitmap.Empty()) return;
  TBitmap copy;
  copy.Assign(bitmap);
  copy.SetPixelFormat(pf24bit);  // the new colour need not be in a palette
  const TColor corner = bitmap.Pixel(0, 0), fill = TColor(ColorToRGB(color));
  for (int y = 0; y < copy.Height(); ++y)
    for (int x = 0; x < copy.Width(); ++x)
      if (copy.Pixel(x, y) == corner) copy.SetPixel(x, y, fill);
  DrawBitmap(canvas.Handle(), copy, RECT{rect.left, rect.top, rect.left + copy.Width(), rect.top + copy.Height()}, false);
}
