// Pictures turned into greyscale spray logos.
#include "LogoConvert.h"

#include "DIB.h"
#include "Streams.h"

std::vector<uint8_t> MakeLogoBmp(const TBitmap& source, const TLogoOptions& options) {
  if (source.Empty()) throw EInvalidGraphic("The picture is empty");
  TBitmap stretched;
  stretched.SetPixelFormat(pf24bit);
  stretched.SetSize(kLogoSize, kLogoSize);
  for (int y = 0; y < kLogoSize; ++y)
    for (int x = 0; x < kLogoSize; ++x)
      stretched.SetPixel(x, y, source.Pixel(x * source.Width() / kLogoSize, y * source.Height() / kLogoSize));
  stretched.SetPixelFormat(pf8bit);

  TDIB logo;
  logo.Assign(stretched);
  if (options.Invert) logo.InvertColors();
  logo.Greyscale(8);
  if (options.Mirror) logo.Mirror(true, false);
  if (options.Flip) logo.Mirror(false, true);

  // The logo goes through the picture container, whose BMP is the file.
  TMemoryStream dib;
  logo.SaveToStream(dib);
  dib.SetPosition(0);
  TBitmap container;
  container.LoadFromStream(dib);
  return container.SaveToBytes();
}
