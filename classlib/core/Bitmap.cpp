// TBitmap: the portable pixel store, pixel access and format conversion.
#include "Graphics.h"

#include <cstring>
#include <map>

#include "BmpFormat.h"
#include "Streams.h"

int TBitmap::BitsOf(TPixelFormat pf) {
  switch (pf) {
    case pf1bit: return 1;
    case pf4bit: return 4;
    case pf8bit: return 8;
    case pf15bit:
    case pf16bit: return 16;
    case pf32bit: return 32;
    default: return 24;
  }
}

void TBitmap::Assign(const TPersistent& source) {
  if (auto* b = dynamic_cast<const TBitmap*>(&source)) {
    FWidth = b->FWidth;
    FHeight = b->FHeight;
    FPixelFormat = b->FPixelFormat;
    FTopDown = b->FTopDown;
    FPalette = b->FPalette;
    FBits = b->FBits;
    Transparent = b->Transparent;
    FixedTransparentColor = b->FixedTransparentColor;
    return;
  }
  TGraphic::Assign(source);
}

bool PictureSizeFits(uint64_t width, uint64_t height, int bitsPerPixel) {
  if (width > kMaxPictureSide || height > kMaxPictureSide) return false;
  return (width * uint64_t(bitsPerPixel) + 31) / 32 * 4 * height <= kMaxBitmapBytes;
}

void TBitmap::SetSize(int width, int height) {
  if (width < 0 || height < 0) throw EInvalidGraphic("Invalid bitmap size");
  if (!PictureSizeFits(uint64_t(width), uint64_t(height), BitsPerPixel()))
    throw EOutOfResources("Not enough storage is available to process this command");
  uint64_t rowBytes = ((uint64_t)width * BitsPerPixel() + 31) / 32 * 4;
  TPixelBytes bits((size_t)(rowBytes * height));
  // Keep the pixels that still fit, top-left anchored.
  int keepRows = height < FHeight ? height : FHeight;
  size_t keepBytes = (size_t)(rowBytes < (uint64_t)RowBytes() ? rowBytes : (uint64_t)RowBytes());
  for (int y = 0; y < keepRows && keepBytes; ++y) {
    int dst = FTopDown ? y : height - 1 - y;
    std::memcpy(bits.data() + (size_t)dst * rowBytes, ScanLine(y), keepBytes);
  }
  FWidth = width;
  FHeight = height;
  FBits = std::move(bits);
  if (FPixelFormat <= pf8bit && FPalette.empty() && BitsPerPixel() <= 8) {
    // A new indexed bitmap starts with a grey ramp, black to white.
    int n = 1 << BitsPerPixel();
    FPalette.resize(n);
    for (int i = 0; i < n; ++i) {
      uint8_t v = uint8_t(i * 255 / (n - 1));
      FPalette[i] = {v, v, v, 0};
    }
  }
}

void TBitmap::SetPalette(std::vector<TRGBQuad> palette) { FPalette = std::move(palette); }

uint8_t* TBitmap::ScanLine(int y) {
  if (y < 0 || y >= FHeight) throw EInvalidGraphicOperation("Scan line index out of range");
  return FBits.data() + (size_t)(FTopDown ? y : FHeight - 1 - y) * RowBytes();
}

const uint8_t* TBitmap::ScanLine(int y) const { return const_cast<TBitmap*>(this)->ScanLine(y); }

void TBitmap::SetTopDown(bool topDown) {
  if (topDown == FTopDown) return;
  size_t rb = RowBytes();
  for (int y = 0; y < FHeight / 2; ++y)
    std::swap_ranges(FBits.begin() + y * rb, FBits.begin() + (y + 1) * rb, FBits.begin() + (FHeight - 1 - y) * rb);
  FTopDown = topDown;
}

uint32_t TBitmap::PaletteIndex(int x, int y) const {
  const uint8_t* row = ScanLine(y);
  switch (FPixelFormat) {
    case pf1bit: return (row[x >> 3] >> (7 - (x & 7))) & 1;
    case pf4bit: return (x & 1) ? row[x >> 1] & 15 : row[x >> 1] >> 4;
    case pf8bit: return row[x];
    default: return 0;
  }
}

TColor TBitmap::Pixel(int x, int y) const {
  if (x < 0 || x >= FWidth) throw EInvalidGraphicOperation("Pixel index out of range");
  const uint8_t* row = ScanLine(y);
  switch (FPixelFormat) {
    case pf1bit:
    case pf4bit:
    case pf8bit: {
      uint32_t i = PaletteIndex(x, y);
      if (i >= FPalette.size()) return clBlack;
      return RGBColor(FPalette[i].Red, FPalette[i].Green, FPalette[i].Blue);
    }
    case pf15bit: {
      uint16_t w = uint16_t(row[2 * x] | row[2 * x + 1] << 8);
      auto five = [](unsigned v) { return uint8_t((v << 3) | (v >> 2)); };
      return RGBColor(five((w >> 10) & 31), five((w >> 5) & 31), five(w & 31));
    }
    case pf16bit: {
      uint16_t w = uint16_t(row[2 * x] | row[2 * x + 1] << 8);
      auto five = [](unsigned v) { return uint8_t((v << 3) | (v >> 2)); };
      unsigned g = (w >> 5) & 63;
      return RGBColor(five((w >> 11) & 31), uint8_t((g << 2) | (g >> 4)), five(w & 31));
    }
    case pf32bit: return RGBColor(row[4 * x + 2], row[4 * x + 1], row[4 * x]);
    default: return RGBColor(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
  }
}

namespace {
int NearestIndex(const std::vector<TRGBQuad>& palette, TColor c, int limit) {
  int best = 0;
  long bestDist = -1;
  int n = (int)palette.size() < limit ? (int)palette.size() : limit;
  for (int i = 0; i < n; ++i) {
    long dr = palette[i].Red - GetRValue(c), dg = palette[i].Green - GetGValue(c), db = palette[i].Blue - GetBValue(c);
    long d = dr * dr + dg * dg + db * db;
    if (bestDist < 0 || d < bestDist) {
      best = i;
      bestDist = d;
    }
  }
  return best;
}
}  // namespace

void TBitmap::SetPixel(int x, int y, TColor c) {
  if (x < 0 || x >= FWidth) throw EInvalidGraphicOperation("Pixel index out of range");
  uint8_t* row = ScanLine(y);
  uint8_t r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
  switch (FPixelFormat) {
    case pf1bit: {
      int i = NearestIndex(FPalette, c, 2);
      uint8_t m = uint8_t(0x80 >> (x & 7));
      row[x >> 3] = uint8_t(i ? row[x >> 3] | m : row[x >> 3] & ~m);
      break;
    }
    case pf4bit: {
      int i = NearestIndex(FPalette, c, 16);
      row[x >> 1] = (x & 1) ? uint8_t((row[x >> 1] & 0xF0) | i) : uint8_t((row[x >> 1] & 0x0F) | i << 4);
      break;
    }
    case pf8bit: row[x] = uint8_t(NearestIndex(FPalette, c, 256)); break;
    case pf15bit: {
      uint16_t w = uint16_t((r >> 3) << 10 | (g >> 3) << 5 | b >> 3);
      row[2 * x] = uint8_t(w);
      row[2 * x + 1] = uint8_t(w >> 8);
      break;
    }
    case pf16bit: {
      uint16_t w = uint16_t((r >> 3) << 11 | (g >> 2) << 5 | b >> 3);
      row[2 * x] = uint8_t(w);
      row[2 * x + 1] = uint8_t(w >> 8);
      break;
    }
    case pf32bit:
      row[4 * x] = b;
      row[4 * x + 1] = g;
      row[4 * x + 2] = r;
      break;
    default:
      row[3 * x] = b;
      row[3 * x + 1] = g;
      row[3 * x + 2] = r;
  }
}

namespace {
// One row of any format as blue-green-red bytes, width pixels; lut holds the
// colours of the palette indices (black past the palette, as Pixel gives).
void RowToBGR(TPixelFormat pf, const uint8_t* in, int width, const TRGBQuad* lut, uint8_t* bgr) {
  auto put = [&](int x, uint8_t b, uint8_t g, uint8_t r) {
    bgr[3 * x] = b;
    bgr[3 * x + 1] = g;
    bgr[3 * x + 2] = r;
  };
  auto five = [](unsigned v) { return uint8_t((v << 3) | (v >> 2)); };
  switch (pf) {
    case pf1bit:
    case pf4bit:
    case pf8bit:
      for (int x = 0; x < width; ++x) {
        unsigned i = pf == pf8bit ? in[x] : pf == pf4bit ? ((x & 1) ? in[x >> 1] & 15 : in[x >> 1] >> 4)
                                                          : (in[x >> 3] >> (7 - (x & 7))) & 1;
        put(x, lut[i].Blue, lut[i].Green, lut[i].Red);
      }
      break;
    case pf15bit:
      for (int x = 0; x < width; ++x) {
        unsigned w = in[2 * x] | in[2 * x + 1] << 8;
        put(x, five(w & 31), five((w >> 5) & 31), five((w >> 10) & 31));
      }
      break;
    case pf16bit:
      for (int x = 0; x < width; ++x) {
        unsigned w = in[2 * x] | in[2 * x + 1] << 8, g = (w >> 5) & 63;
        put(x, five(w & 31), uint8_t((g << 2) | (g >> 4)), five((w >> 11) & 31));
      }
      break;
    case pf32bit:
      for (int x = 0; x < width; ++x) put(x, in[4 * x], in[4 * x + 1], in[4 * x + 2]);
      break;
    default: std::memcpy(bgr, in, size_t(width) * 3);
  }
}

// Blue-green-red bytes into one row of 15, 16 or 32 bits (32: the fourth byte 0).
void BGRToRow(const uint8_t* bgr, int width, TPixelFormat pf, uint8_t* out) {
  for (int x = 0; x < width; ++x) {
    uint8_t b = bgr[3 * x], g = bgr[3 * x + 1], r = bgr[3 * x + 2];
    if (pf == pf32bit) {
      out[4 * x] = b;
      out[4 * x + 1] = g;
      out[4 * x + 2] = r;
      out[4 * x + 3] = 0;
      continue;
    }
    uint16_t w = pf == pf15bit ? uint16_t((r >> 3) << 10 | (g >> 3) << 5 | b >> 3)
                               : uint16_t((r >> 3) << 11 | (g >> 2) << 5 | b >> 3);
    out[2 * x] = uint8_t(w);
    out[2 * x + 1] = uint8_t(w >> 8);
  }
}
}  // namespace

// Conversion goes through RGB. Indexed targets keep the source palette when
// the source is indexed and its indices fit; otherwise they get the source's
// own colours when there are few enough, else a 3-3-2 colour cube (8 bits),
// the 16 VGA colours (4 bits) or black and white (1 bit), nearest match.
// Targets of more than 8 bits are converted a row at a time.
void TBitmap::SetPixelFormat(TPixelFormat pf) {
  if (pf == pfDevice || pf == pfCustom) pf = pf24bit;
  if (pf == FPixelFormat) return;
  TBitmap src(std::move(*this));  // takes the pixels; this bitmap is rebuilt below
  const int w = src.FWidth, h = src.FHeight;
  FTopDown = src.FTopDown;
  int targetBits = BitsOf(pf);
  if (targetBits > 8) {
    FPixelFormat = pf;
    FPalette.clear();
    FBits.clear();
    FWidth = FHeight = 0;
    SetSize(w, h);
    TRGBQuad lut[256] = {};
    for (size_t i = 0; i < src.FPalette.size() && i < 256; ++i) lut[i] = src.FPalette[i];
    std::vector<uint8_t> bgr(pf == pf24bit ? 0 : size_t(w) * 3);
    for (int y = 0; y < h; ++y) {
      uint8_t* out = ScanLine(y);
      RowToBGR(src.FPixelFormat, src.ScanLine(y), w, lut, pf == pf24bit ? out : bgr.data());
      if (pf != pf24bit) BGRToRow(bgr.data(), w, pf, out);
    }
    return;
  }
  std::vector<TRGBQuad> palette;
  size_t limit = size_t(1) << targetBits;
  bool indexed = src.BitsPerPixel() <= 8;
  bool fits = indexed && src.FPalette.size() <= limit;
  if (indexed && !fits) {
    fits = true;
    for (int y = 0; y < h && fits; ++y)
      for (int x = 0; x < w && fits; ++x) fits = src.PaletteIndex(x, y) < limit;
  }
  if (fits) {
    palette = src.FPalette;
    palette.resize(std::min(palette.size(), limit));
  } else {
    std::map<TColor, int> seen;
    for (int y = 0; y < h && seen.size() <= limit; ++y)
      for (int x = 0; x < w && seen.size() <= limit; ++x) seen.emplace(src.Pixel(x, y), 0);
    if (seen.size() <= limit) {
      for (auto& [c, i] : seen) palette.push_back({GetBValue(c), GetGValue(c), GetRValue(c), 0});
    } else if (targetBits == 8) {
      for (int i = 0; i < 256; ++i)
        palette.push_back({uint8_t((i & 3) * 255 / 3), uint8_t(((i >> 2) & 7) * 255 / 7), uint8_t((i >> 5) * 255 / 7), 0});
    } else if (targetBits == 4) {
      static const uint32_t vga[16] = {0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0xC0C0C0,
                                       0x808080, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF};
      for (uint32_t c : vga) palette.push_back({uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c), 0});
    } else {
      palette = {{0, 0, 0, 0}, {255, 255, 255, 0}};
    }
  }
  FPixelFormat = pf;
  FPalette = palette;
  FBits.clear();
  FWidth = FHeight = 0;
  SetSize(w, h);
  FPalette = palette;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      if (fits) {
        uint32_t i = src.PaletteIndex(x, y);
        uint8_t* row = ScanLine(y);
        if (targetBits == 8) row[x] = uint8_t(i);
        else if (targetBits == 4) row[x >> 1] = (x & 1) ? uint8_t((row[x >> 1] & 0xF0) | i) : uint8_t((row[x >> 1] & 0x0F) | i << 4);
        else if (i) row[x >> 3] |= uint8_t(0x80 >> (x & 7));
      } else {
        SetPixel(x, y, src.Pixel(x, y));
      }
    }
}

TColor TBitmap::TransparentColor() const {
  if (FixedTransparentColor != clNone) return FixedTransparentColor;
  if (Empty()) return clNone;
  return Pixel(0, FHeight - 1);
}

void TBitmap::LoadFromStream(TStream& s) {
  const int64_t start = s.Position();
  uint8_t head[kBmpFileHeaderSize];
  s.ReadBuffer(head, kBmpFileHeaderSize);
  const uint64_t n = BmpFileExtent(head, uint64_t(s.Size() - start));
  std::vector<uint8_t> bytes((size_t)n);
  std::memcpy(bytes.data(), head, kBmpFileHeaderSize);
  s.ReadBuffer(bytes.data() + kBmpFileHeaderSize, int64_t(n - kBmpFileHeaderSize));
  LoadFromBytes(bytes);
}

void TBitmap::SaveToStream(TStream& s) {
  // The pixels go out from where they are, not through a copy of the file.
  auto header = EncodeBmpHeader(FWidth, FHeight, FPixelFormat, FTopDown, FPalette);
  s.WriteBuffer(header.data(), (int64_t)header.size());
  s.WriteBuffer(FBits.data(), (int64_t)FBits.size());
}

void TBitmap::LoadFromBytes(std::span<const uint8_t> bmp) {
  TBmpImage img = DecodeBmpFile(bmp);
  FWidth = img.Width;
  FHeight = img.Height;
  FPixelFormat = img.PixelFormat;
  FTopDown = img.TopDown;
  FPalette = std::move(img.Palette);
  FBits = std::move(img.Bits);
}

std::vector<uint8_t> TBitmap::SaveToBytes() const {
  return EncodeBmpFile(FWidth, FHeight, FPixelFormat, FTopDown, FPalette, FBits);
}

void TBitmap::ReadData(TStream& s) {
  uint32_t n = s.ReadU32();
  if (int64_t(n) > s.Size() - s.Position()) throw EReadError();
  if (n == 0) {
    *this = TBitmap();
    return;
  }
  // Bytes already in memory are decoded where they lie: a copy of a large
  // picture is a fresh block of memory to fill.
  if (auto* memory = dynamic_cast<TMemoryStream*>(&s)) {
    const uint8_t* at = memory->Memory() + memory->Position();
    memory->Seek(n, soFromCurrent);
    LoadFromBytes(std::span<const uint8_t>(at, n));
    return;
  }
  std::vector<uint8_t> bytes(n);
  s.ReadBuffer(bytes.data(), n);
  LoadFromBytes(bytes);
}

void TBitmap::WriteData(TStream& s) {
  if (Empty()) {
    s.WriteU32(0);
    return;
  }
  auto bytes = SaveToBytes();
  s.WriteU32(uint32_t(bytes.size()));
  s.WriteBuffer(bytes.data(), (int64_t)bytes.size());
}
