// Pictures turned into greyscale spray logos.
#include "LogoConvert.h"

#include "BitmapResize.h"
#include "DIB.h"
#include "Streams.h"

std::vector<uint8_t> MakeLogoBmp(const TBitmap& source, const TLogoOptions& options) {
  if (source.Empty()) throw EInvalidGraphic("The picture is empty");
  TBitmap stretched = ResizedNearest(source, kLogoSize, kLogoSize);
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
