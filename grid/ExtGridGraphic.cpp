// The cell graphic record.
#include "ExtGridGraphic.h"

#include <algorithm>
#include <cmath>

#include "Graphics.h"

namespace {
int RoundHalfEven(double v) { return int(std::nearbyint(v)); }
int NonNegative(int v) { return v < 0 ? 0 : v; }

// Ratio of the room to a picture side; 1 for a side that is 0 or less.
double Ratio(int room, int side) { return side <= 0 ? 1.0 : double(room) / side; }
}  // namespace

TGraphicSize FitPictureSize(int mode, int margin, int a, int b, int w, int h) {
  const bool tooBig = a < w || b < h;
  TGraphicSize r{w, h};
  double rx = Ratio(a - margin, w), ry = Ratio(b - margin, h);
  switch (mode) {
    case 1: r = {a - margin, b - margin}; break;
    case 3:
      if (tooBig) r = {a - margin, b - margin};
      break;
    case 4:
      if (!tooBig) break;
      rx = std::min(rx, 1.0);
      ry = std::min(ry, 1.0);
      [[fallthrough]];
    case 2:
      r = rx >= ry ? TGraphicSize{RoundHalfEven(w * ry), b} : TGraphicSize{a, RoundHalfEven(h * rx)};
      break;
    default: break;
  }
  return {NonNegative(r.Width), NonNegative(r.Height)};
}

TCellGraphic::~TCellGraphic() {
  bool freeFirst = Kind == gkImageRow || Kind == gkComment || Kind == gkButton ||
                   (Owned && (Kind == gkBitmap || Kind == gkPicture || Kind == gkFilePicture));
  if (freeFirst) delete Object1;
  if (Owned && Kind == gkIcon) delete Object2;
}

std::optional<TGraphicSize> TCellGraphic::FittedSize(int cellWidth, int cellHeight) const {
  if (Kind != gkPicture && Kind != gkFilePicture) return std::nullopt;
  const auto* picture = dynamic_cast<const TGraphic*>(Object1);
  int w = picture ? picture->Width() : 0, h = picture ? picture->Height() : 0;
  return FitPictureSize(Value2, Value, cellWidth, cellHeight, w, h);
}
