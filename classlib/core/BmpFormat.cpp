// BMP reader and writer.
//
// Policy: tolerant of what real writers do, strict about bounds.
// - Headers: core (12), info (40), V2/V3 (52/56), V4 (108), V5 (124) and
//   OS/2 2.x (16..64) headers; 1, 4, 8, 16, 24 and 32 bits; BI_RGB, BI_RLE8,
//   BI_RLE4, BI_BITFIELDS and BI_ALPHABITFIELDS.
// - Departures: 16-bit pixels with masks other than 5-5-5 or 5-6-5 and 32-bit
//   pixels with masks other than 8-8-8 are converted to 24 or 32 bits; RLE
//   pictures are expanded to plain 8 or 4 bits; the file header's pixel offset
//   is honoured when it lies inside the file, else pixels follow the colour
//   table (biClrUsed entries, at most 256, direct-colour pictures' included);
//   a palette longer than the bit depth allows is cut to it; a short palette
//   is padded with black.
// - Limits: the picture size of PictureSizeFits; uncompressed pixel rows must
//   all be in the file; an RLE picture may describe at most 1024 pixels per
//   byte of its data (plus 64 Ki), since runs and skips of that size are not
//   written by any encoder; runs and skips past the picture's edges are clipped;
//   RLE data that ends before its end-of-bitmap code with rows left is truncated.
#include "BmpFormat.h"

#include <algorithm>
#include <cstring>

#include "ByteReader.h"

namespace {
using Reader = TByteReader<EInvalidGraphic>;
const char* const kInvalid = "Bitmap image is not valid";

enum { BI_RGB = 0, BI_RLE8 = 1, BI_RLE4 = 2, BI_BITFIELDS = 3, BI_ALPHABITFIELDS = 6 };

[[noreturn]] void Invalid() { throw EInvalidGraphic(kInvalid); }

struct TMasks {
  uint32_t R = 0, G = 0, B = 0, A = 0;
};

int Shift(uint32_t m) {
  int s = 0;
  while (m && !(m & 1)) {
    m >>= 1;
    ++s;
  }
  return s;
}
int Width(uint32_t m) {
  m >>= Shift(m);
  int w = 0;
  while (m & 1) {
    m >>= 1;
    ++w;
  }
  return w;
}
// A masked field scaled to 8 bits.
uint8_t Field(uint32_t v, uint32_t m) {
  if (!m) return 0;
  int w = Width(m);
  uint32_t f = (v & m) >> Shift(m);
  if (w >= 8) return uint8_t(f >> (w - 8));
  uint32_t r = 0;
  for (int bits = 0; bits < 8; bits += w) r = (r << w) | f;
  return uint8_t(r >> (((8 + w - 1) / w) * w - 8));
}

void DecodeRle(Reader& r, TBmpImage& img, int bits) {
  // Positions count from the bottom row (bottom-up storage).
  const int w = img.Width, h = img.Height;
  const size_t rowBytes = TBitmap::RowBytesOf(w, bits);
  auto put = [&](int x, int y, uint8_t v) {
    if (x < 0 || x >= w || y < 0 || y >= h) return;
    uint8_t* row = img.Bits.data() + (size_t)y * rowBytes;
    if (bits == 8) row[x] = v;
    else row[x >> 1] = (x & 1) ? uint8_t((row[x >> 1] & 0xF0) | (v & 15)) : uint8_t((row[x >> 1] & 0x0F) | v << 4);
  };
  int x = 0, y = 0;
  while (r.Left() >= 2 && y < h) {
    uint8_t count = r.U8(), value = r.U8();
    if (count) {
      for (int i = 0; i < count && x < w; ++i, ++x)
        put(x, y, bits == 8 ? value : ((i & 1) ? value & 15 : value >> 4));
      continue;
    }
    switch (value) {
      case 0: x = 0; ++y; break;   // end of line
      case 1: return;              // end of bitmap
      case 2: {                    // delta
        uint8_t dx = r.U8(), dy = r.U8();
        x += dx;
        y += dy;
        break;
      }
      default: {                   // absolute run of `value` pixels, word-aligned
        int n = value;
        size_t bytes = bits == 8 ? n : (n + 1) / 2;
        auto data = r.Bytes(bytes);
        for (int i = 0; i < n; ++i, ++x) {
          uint8_t v = bits == 8 ? data[i] : ((i & 1) ? data[i / 2] & 15 : data[i / 2] >> 4);
          if (x < w) put(x, y, v);
        }
        if (bytes & 1) r.Skip(r.Left() ? 1 : 0);
      }
    }
  }
  // The data ended before the end-of-bitmap code with rows still to fill.
  if (y < h) Invalid();
}
}  // namespace

TBmpImage DecodeBmpInfo(std::span<const uint8_t> info, size_t pixelOffset) {
  Reader r(info, kInvalid);
  uint32_t headerSize = r.U32LE();
  int64_t width, height;
  uint16_t bitCount;
  uint32_t compression = BI_RGB, colorsUsed = 0;
  bool core = headerSize == 12;
  TMasks masks;
  if (core) {
    width = r.U16LE();
    height = int16_t(r.U16LE());
    r.U16LE();  // planes
    bitCount = r.U16LE();
  } else if (headerSize >= 16 && headerSize <= 124) {
    width = r.I32LE();
    height = r.I32LE();
    r.U16LE();  // planes
    bitCount = r.U16LE();
    if (headerSize >= 20) compression = r.U32LE();
    if (headerSize >= 36) {
      r.Skip(12);  // image size, resolution
      colorsUsed = r.U32LE();
    }
    r.Seek(0);
    r.Skip(headerSize);
    if (headerSize >= 52) {
      // V2 and later carry the masks inside the header.
      Reader m(info.subspan(40), kInvalid);
      masks.R = m.U32LE();
      masks.G = m.U32LE();
      masks.B = m.U32LE();
      if (headerSize >= 56) masks.A = m.U32LE();
    } else if (compression == BI_BITFIELDS || compression == BI_ALPHABITFIELDS) {
      masks.R = r.U32LE();
      masks.G = r.U32LE();
      masks.B = r.U32LE();
      if (compression == BI_ALPHABITFIELDS) masks.A = r.U32LE();
    }
  } else {
    Invalid();
  }
  if (core) r.Seek(12);

  bool topDown = height < 0;
  if (topDown) height = -height;
  if (width <= 0 || height <= 0 || !PictureSizeFits(uint64_t(width), uint64_t(height), bitCount)) Invalid();
  bool rle = compression == BI_RLE8 || compression == BI_RLE4;
  if ((compression == BI_RLE8 && bitCount != 8) || (compression == BI_RLE4 && bitCount != 4) || (rle && topDown))
    Invalid();
  if (compression != BI_RGB && !rle && compression != BI_BITFIELDS && compression != BI_ALPHABITFIELDS) Invalid();
  if ((compression == BI_BITFIELDS || compression == BI_ALPHABITFIELDS) && bitCount != 16 && bitCount != 32) Invalid();

  TBmpImage img;
  img.Width = int(width);
  img.Height = int(height);
  img.TopDown = topDown;
  switch (bitCount) {
    case 1: img.PixelFormat = pf1bit; break;
    case 4: img.PixelFormat = pf4bit; break;
    case 8: img.PixelFormat = pf8bit; break;
    case 16: img.PixelFormat = pf15bit; break;
    case 24: img.PixelFormat = pf24bit; break;
    case 32: img.PixelFormat = pf32bit; break;
    default: Invalid();
  }

  // The colour table: biClrUsed entries (at most 256), or the bit depth's
  // full count when that is 0; 3-byte entries after a core header, 4-byte
  // ones otherwise. A direct-colour picture may carry one too (a hint for
  // palette displays); its pixels follow it.
  const size_t entry = core ? 3 : 4;
  const uint32_t tableEntries = colorsUsed ? std::min<uint32_t>(colorsUsed, 256) : bitCount <= 8 ? 1u << bitCount : 0;
  const size_t tableEnd = r.Offset() + size_t(tableEntries) * entry;
  if (bitCount <= 8) {
    uint32_t maxColors = 1u << bitCount;
    uint32_t n = colorsUsed == 0 || colorsUsed > maxColors ? maxColors : colorsUsed;
    // Writers that end the palette early exist: take what is there before the pixels.
    size_t room = r.Left() / entry;
    if (pixelOffset > r.Offset() && pixelOffset <= info.size()) room = (pixelOffset - r.Offset()) / entry;
    if (n > room) n = uint32_t(room);
    for (uint32_t i = 0; i < n; ++i) {
      auto e = r.Bytes(entry);
      img.Palette.push_back({e[0], e[1], e[2], 0});
    }
    img.Palette.resize(maxColors);
  }
  if (pixelOffset == 0 && tableEnd > r.Offset() && tableEnd <= info.size()) r.Seek(tableEnd);
  else if (pixelOffset >= r.Offset() && pixelOffset < info.size()) r.Seek(pixelOffset);

  const uint64_t rowBytes = ((uint64_t)width * bitCount + 31) / 32 * 4;
  const uint64_t total = rowBytes * (uint64_t)height;

  if (rle) {
    if ((uint64_t)width * height > 65536 + 1024 * (uint64_t)r.Left()) Invalid();
    img.Bits.assign((size_t)total, 0);
    DecodeRle(r, img, bitCount);
    return img;
  }

  if (r.Left() < total) Invalid();
  auto src = r.Bytes((size_t)total);
  bool standard = bitCount != 16 && bitCount != 32;
  if (bitCount == 16) {
    if (masks.R == 0 && masks.G == 0 && masks.B == 0) masks = {0x7C00, 0x03E0, 0x001F, 0};
    if (masks.R == 0x7C00 && masks.G == 0x03E0 && masks.B == 0x001F) standard = true, img.PixelFormat = pf15bit;
    else if (masks.R == 0xF800 && masks.G == 0x07E0 && masks.B == 0x001F) standard = true, img.PixelFormat = pf16bit;
  } else if (bitCount == 32) {
    if ((masks.R == 0 && masks.G == 0 && masks.B == 0) ||
        (masks.R == 0xFF0000 && masks.G == 0xFF00 && masks.B == 0xFF))
      standard = true;
  }
  if (standard) {
    img.Bits.assign(src.begin(), src.end());
    return img;
  }
  // Other masks: widen to 32 bits (from 32) or 24 bits (from 16).
  img.PixelFormat = bitCount == 32 ? pf32bit : pf24bit;
  int outBytes = bitCount == 32 ? 4 : 3;
  if (!PictureSizeFits(uint64_t(width), uint64_t(height), outBytes * 8)) Invalid();
  uint64_t outRow = ((uint64_t)width * outBytes * 8 + 31) / 32 * 4;
  img.Bits.assign((size_t)(outRow * height), 0);
  for (int64_t y = 0; y < height; ++y) {
    const uint8_t* in = src.data() + y * rowBytes;
    uint8_t* out = img.Bits.data() + y * outRow;
    for (int64_t x = 0; x < width; ++x) {
      uint32_t v = bitCount == 32 ? uint32_t(in[4 * x] | in[4 * x + 1] << 8 | in[4 * x + 2] << 16 | uint32_t(in[4 * x + 3]) << 24)
                                  : uint32_t(in[2 * x] | in[2 * x + 1] << 8);
      uint8_t* px = out + x * outBytes;
      px[0] = Field(v, masks.B);
      px[1] = Field(v, masks.G);
      px[2] = Field(v, masks.R);
      if (outBytes == 4) px[3] = masks.A ? Field(v, masks.A) : 0;
    }
  }
  return img;
}

uint64_t BmpFileExtent(std::span<const uint8_t> fileHeader, uint64_t available) {
  Reader r(fileHeader, kInvalid);
  r.Skip(2);  // "BM"
  const uint32_t bfSize = r.U32LE();
  // A size below the two headers' cannot be a bitmap's: it is not a size.
  return bfSize >= kBmpFileHeaderSize + kBmpCoreHeaderSize && bfSize <= available ? bfSize : available;
}

TBmpImage DecodeBmpFile(std::span<const uint8_t> file) {
  Reader r(file, kInvalid);
  if (r.U8() != 'B' || r.U8() != 'M') Invalid();
  r.Skip(8);  // file size, reserved
  uint32_t offBits = r.U32LE();
  size_t pixelOffset = offBits >= kBmpFileHeaderSize && offBits < file.size() ? offBits - kBmpFileHeaderSize : 0;
  return DecodeBmpInfo(file.subspan(kBmpFileHeaderSize), pixelOffset);
}

size_t BmpImageBytes(int width, int height, TPixelFormat pf) {
  return size_t(TBitmap::RowBytesOf(width, TBitmap::BitsOf(pf))) * size_t(height);
}

std::vector<uint8_t> EncodeBmpHeader(int width, int height, TPixelFormat pf, bool topDown,
                                     const std::vector<TRGBQuad>& palette, TBmpColorsUsed colorsUsed) {
  int bitCount = TBitmap::BitsOf(pf);
  bool fields = pf == pf16bit;
  size_t colors = bitCount <= 8 ? std::min(palette.size(), size_t(1) << bitCount) : 0;
  size_t headerBytes = kBmpFileHeaderSize + 40 + (fields ? 12 : 0) + colors * 4;
  size_t imageBytes = BmpImageBytes(width, height, pf);
  std::vector<uint8_t> out;
  out.reserve(headerBytes);
  auto u16 = [&](uint32_t v) { out.push_back(uint8_t(v)); out.push_back(uint8_t(v >> 8)); };
  auto u32 = [&](uint32_t v) { u16(v & 0xFFFF); u16(v >> 16); };
  out.push_back('B');
  out.push_back('M');
  u32(uint32_t(headerBytes + imageBytes));
  u32(0);
  u32(uint32_t(headerBytes));
  u32(40);
  u32(uint32_t(width));
  u32(uint32_t(topDown ? -height : height));
  u16(1);
  u16(uint32_t(bitCount));
  u32(fields ? BI_BITFIELDS : BI_RGB);
  u32(uint32_t(imageBytes));
  u32(0);  // resolution: unknown
  u32(0);
  bool full = bitCount <= 8 && colors == size_t(1) << bitCount;
  u32(colorsUsed == TBmpColorsUsed::ZeroWhenFull && full ? 0 : uint32_t(colors));  // biClrUsed
  u32(0);
  if (fields) {
    u32(0xF800);
    u32(0x07E0);
    u32(0x001F);
  }
  for (size_t i = 0; i < colors; ++i) {
    out.push_back(palette[i].Blue);
    out.push_back(palette[i].Green);
    out.push_back(palette[i].Red);
    out.push_back(0);
  }
  return out;
}

std::vector<uint8_t> EncodeBmpFile(int width, int height, TPixelFormat pf, bool topDown,
                                   const std::vector<TRGBQuad>& palette, std::span<const uint8_t> bits,
                                   TBmpColorsUsed colorsUsed) {
  std::vector<uint8_t> out = EncodeBmpHeader(width, height, pf, topDown, palette, colorsUsed);
  size_t headerBytes = out.size(), imageBytes = BmpImageBytes(width, height, pf);
  out.reserve(headerBytes + imageBytes);
  out.insert(out.end(), bits.begin(), bits.begin() + std::min(bits.size(), imageBytes));
  out.resize(headerBytes + imageBytes, 0);
  return out;
}
