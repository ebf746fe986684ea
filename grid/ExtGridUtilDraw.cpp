// The cell text helpers' drawing routine (Win32).
#include "ExtGridUtilDraw.h"

#include "WinGraphics.h"

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
