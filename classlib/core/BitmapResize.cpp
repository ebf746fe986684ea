// Resizing a TBitmap by its nearest pixels.
#include "BitmapResize.h"

TBitmap ResizedNearest(const TBitmap& picture, int width, int height) {
  TBitmap resized;
  resized.SetPixelFormat(pf24bit);
  resized.SetSize(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      resized.SetPixel(x, y, picture.Pixel(x * picture.Width() / width, y * picture.Height() / height));
  return resized;
}
