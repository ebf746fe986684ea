// Readers of PCX (with PCC and SCR), SGI, Kodak Photo-CD and the PPM family.
//
// Policy: strict about bounds: a file that ends before its pixels raises the
// reader's error; headers are taken as the formats define them.
// Departures:
// - PCX: the 256-colour palette at the end is taken only when its marker
//   byte 12 is there; an 8-bit picture without one is grey; a line shorter
//   than the picture's width raises "PCX: wrong pixel format";
// - SGI: rows must lie inside the file; 2-byte raw samples keep their high
//   byte;
// - PPM: the header may stand on one line ("P6 3 2 255"); samples are scaled
//   by the maximum value (65535 takes the high byte of two-byte samples);
//   P1 digits need no blanks between them; a maximum of 0 is invalid.
#include <algorithm>
#include <cstring>

#include "GraphicCodecs.h"
#include "GraphicFormats.h"
#include "GraphicFormatsShared.h"

using namespace graphics;

// --- PCX

namespace {
const char* const kPcxInvalid = "Not a PCX or SCR file.";
const char* const kPcxFormat = "PCX: wrong pixel format";

// The system's 16 colours, as palette entries (blue, green, red).
const TRGBQuad kSystem16[16] = {
    {0, 0, 0, 0},     {0, 0, 128, 0},   {0, 128, 0, 0},   {0, 128, 128, 0},
    {128, 0, 0, 0},   {128, 0, 128, 0}, {128, 128, 0, 0}, {192, 192, 192, 0},
    {128, 128, 128, 0}, {0, 0, 255, 0}, {0, 255, 0, 0},   {0, 255, 255, 0},
    {255, 0, 0, 0},   {255, 0, 255, 0}, {255, 255, 0, 0}, {255, 255, 255, 0},
};
}  // namespace

TBitmap TPCXGraphic::Decode(std::span<const uint8_t> bytes) {
  TByteReader<EInvalidGraphic> r(bytes, kPcxInvalid);
  auto h = r.Bytes(128);
  if (h[0] != 10 && h[0] != 205) throw EInvalidGraphic(kPcxInvalid);
  uint8_t version = h[1], encoding = h[2], bits = h[3];
  auto u16 = [&](int at) { return unsigned(h[at] | h[at + 1] << 8); };
  int xmin = int(u16(4)), ymin = int(u16(6)), xmax = int(u16(8)), ymax = int(u16(10));
  uint8_t planes = h[65];
  unsigned bytesPerLine = u16(66), paletteInfo = u16(68);
  TPixelFormat pf;
  if (bits == 1 && planes == 1) pf = pf1bit;
  else if (bits == 1 && planes == 4) pf = pf4bit;
  else if (bits == 8 && planes == 1) pf = pf8bit;
  else if (bits == 8 && planes == 3) pf = pf24bit;
  else throw EInvalidGraphic(kPcxFormat);
  if (xmax < xmin || ymax < ymin) throw EInvalidGraphic(kPcxInvalid);
  unsigned width = unsigned(xmax - xmin + 1), height = unsigned(ymax - ymin + 1);
  if (bytesPerLine < (uint64_t(width) * bits + 7) / 8) throw EInvalidGraphic(kPcxFormat);

  std::span<const uint8_t> data = r.Rest();
  std::vector<TRGBQuad> palette;
  if (pf == pf8bit) {
    if (bytes.size() >= 128 + 769 && bytes[bytes.size() - 769] == 12) {
      auto p = bytes.subspan(bytes.size() - 768);
      for (int i = 0; i < 256; ++i) palette.push_back({p[3 * i + 2], p[3 * i + 1], p[3 * i], 0});
      data = data.first(data.size() - 769);
    } else {
      palette = GreyPalette(256);
    }
  } else if (pf == pf1bit) {
    palette = {{0, 0, 0, 0}, {255, 255, 255, 0}};
  } else if (pf == pf4bit) {
    if (version == 3) palette.assign(kSystem16, kSystem16 + 16);
    else if (paletteInfo == 2) palette = GreyPalette(16);
    else
      for (int i = 0; i < 16; ++i) palette.push_back({h[16 + 3 * i + 2], h[16 + 3 * i + 1], h[16 + 3 * i], 0});
  }

  const uint64_t line = uint64_t(bytesPerLine) * planes;
  const uint64_t total = line * height;
  // A run of two bytes gives at most 63 bytes.
  CheckRoom(total, uint64_t(data.size()) * (encoding == 1 ? 63 : 1), kPcxInvalid);
  TBitmap b = NewPicture(pf, width, height, kPcxInvalid);
  if (!palette.empty()) b.SetPalette(palette);
  // A row at a time: runs may cross from one row into the next, and rows
  // past the end of the data are black.
  TPCXRLE rle;
  std::vector<uint8_t> row(static_cast<size_t>(line));
  size_t at = 0;
  for (unsigned y = 0; y < height; ++y) {
    size_t filled;
    if (encoding == 1) {
      const TDecodeResult step = rle.Decode(data.subspan(at), row);
      at += step.Consumed;
      filled = step.Written;
    } else {
      filled = std::min(row.size(), data.size() - at);
      std::memcpy(row.data(), data.data() + at, filled);
      at += filled;
    }
    std::fill(row.begin() + ptrdiff_t(filled), row.end(), 0);
    const uint8_t* in = row.data();
    uint8_t* out = b.ScanLine(int(y));
    if (pf == pf1bit || pf == pf8bit) {
      std::memcpy(out, in, (uint64_t(width) * bits + 7) / 8);
    } else if (pf == pf24bit) {
      for (unsigned x = 0; x < width; ++x) {
        out[3 * x] = in[2 * bytesPerLine + x];
        out[3 * x + 1] = in[bytesPerLine + x];
        out[3 * x + 2] = in[x];
      }
    } else {  // four bit planes, plane p gives bit p of the colour
      for (unsigned x = 0; x < width; ++x) {
        unsigned v = 0;
        for (unsigned p = 0; p < 4; ++p) v |= ((in[p * bytesPerLine + x / 8] >> (7 - x % 8)) & 1) << p;
        out[x / 2] = x % 2 ? uint8_t(out[x / 2] | v) : uint8_t(v << 4);
      }
    }
  }
  return b;
}

// --- SGI

TBitmap TSGIGraphic::Decode(std::span<const uint8_t> bytes) {
  const char* const kInvalid = "Not a valid sgi, bw or rgb(a) image.";
  TByteReader<EInvalidGraphic> r(bytes, kInvalid);
  if (r.U16BE() != 474) throw EInvalidGraphic(kInvalid);
  uint8_t storage = r.U8(), bpc = r.U8();
  uint16_t dimension = r.U16BE();
  uint32_t width = r.U16BE(), height = r.U16BE(), channels = r.U16BE();
  if (bpc != 1 && bpc != 2) throw EInvalidGraphic(kInvalid);
  if (dimension < 3) channels = 1;
  if (dimension < 2) height = 1;
  if (channels == 0) throw EInvalidGraphic(kInvalid);
  TPixelFormat pf = channels == 3 ? pf24bit : channels == 4 ? pf32bit : pf8bit;
  const uint32_t used = pf == pf24bit ? 3 : pf == pf32bit ? 4 : 1;

  std::vector<uint32_t> starts, lengths;
  if (storage == 1) {
    uint64_t n = uint64_t(height) * channels;
    r.Seek(512);
    r.Need(size_t(n * 8));
    for (uint64_t i = 0; i < n; ++i) starts.push_back(r.U32BE());
    for (uint64_t i = 0; i < n; ++i) lengths.push_back(r.U32BE());
    // A row of n packed bytes gives at most 127 samples per 2 bytes.
    uint64_t packed = 0;
    for (uint64_t i = 0; i < n; ++i) packed += starts[i] < bytes.size() ? std::min<uint64_t>(lengths[i], bytes.size() - starts[i]) : 0;
    CheckRoom(uint64_t(width) * n, packed * 64 / bpc, kInvalid);
  } else {
    CheckRoom(512 + uint64_t(width) * height * channels * bpc, bytes.size(), kInvalid);
  }
  TBitmap b = NewPicture(pf, width, height, kInvalid);
  if (pf == pf8bit) b.SetPalette(GreyPalette(256));

  // One row of each channel, then the row's pixels from them: red, green,
  // blue, alpha go to bytes 2, 1, 0, 3 of a pixel.
  std::vector<uint8_t> planes(size_t(width) * used);
  TSGIRLE rle(bpc);
  for (uint32_t y = 0; y < height; ++y) {
    for (uint32_t c = 0; c < used; ++c) {
      std::span<uint8_t> row(planes.data() + size_t(c) * width, width);
      if (storage == 1) {
        size_t i = size_t(c) * height + y;
        uint64_t at = starts[i], len = lengths[i];
        CheckRoom(at, bytes.size(), kInvalid);
        len = std::min<uint64_t>(len, bytes.size() - at);
        std::fill(row.begin(), row.end(), 0);
        rle.Decode(bytes.subspan(size_t(at), size_t(len)), row);
      } else {
        size_t at = 512 + (size_t(c) * height + y) * width * bpc;
        for (uint32_t x = 0; x < width; ++x) row[x] = bytes[at + size_t(x) * bpc];
      }
    }
    uint8_t* out = b.ScanLine(int(height - 1 - y));  // rows are stored bottom-up
    const uint8_t *red = planes.data(), *green = red + width, *blue = green + width, *alpha = blue + width;
    if (used == 1) {
      std::memcpy(out, red, width);
    } else if (used == 3) {
      for (size_t x = 0; x < width; ++x) {
        out[3 * x] = blue[x];
        out[3 * x + 1] = green[x];
        out[3 * x + 2] = red[x];
      }
    } else {
      for (size_t x = 0; x < width; ++x) {
        out[4 * x] = blue[x];
        out[4 * x + 1] = green[x];
        out[4 * x + 2] = red[x];
        out[4 * x + 3] = alpha[x];
      }
    }
  }
  return b;
}

// --- Photo-CD

TBitmap TPCDGraphic::Decode(std::span<const uint8_t> bytes) {
  const char* const kInvalid = "PCD: wrong image format.";
  if (bytes.size() < 2048 + 7 || std::memcmp(&bytes[2048], "PCD_IPI", 7) != 0) throw EInvalidGraphic(kInvalid);
  uint32_t w, h;
  size_t offset;
  switch (Resolution) {
    case 0: w = 192, h = 128, offset = 8192; break;
    case 1: w = 384, h = 256, offset = 0xB800; break;
    case 2: w = 768, h = 512, offset = 0x30000; break;
    default: throw EInvalidGraphic("PCD: image size currently not supported");
  }
  constexpr size_t kOrientation = 194635;
  bool portrait = bytes.size() > kOrientation && (bytes[kOrientation] & 3) != 0;
  // Two luma rows, then one row of each chroma channel at half resolution.
  const size_t pairBytes = size_t(w) * 2 + w;
  CheckRoom(offset + pairBytes * (h / 2), bytes.size(), kInvalid);
  TBitmap b = NewPicture(pf24bit, portrait ? h : w, portrait ? w : h, kInvalid);
  for (uint32_t y = 0; y < h; ++y) {
    const uint8_t* pair = &bytes[offset + (y / 2) * pairBytes];
    const uint8_t* luma = pair + (y % 2) * w;
    const uint8_t* c1 = pair + 2 * w;
    const uint8_t* c2 = c1 + w / 2;
    for (uint32_t x = 0; x < w; ++x) {
      uint8_t bgr[3];
      YCCToBGR(luma[x], c1[x / 2], c2[x / 2], bgr);
      // Portrait pictures are turned a quarter clockwise: (x, y) -> (h-1-y, x).
      uint8_t* out = portrait ? b.ScanLine(int(x)) + 3 * size_t(h - 1 - y) : b.ScanLine(int(y)) + 3 * size_t(x);
      std::memcpy(out, bgr, 3);
    }
  }
  return b;
}

// --- PPM, PGM, PBM

namespace {
const char* const kPpmInvalid = "Not a valid ppm file.";
const char* const kPpmShort = "PPM: Stream read error.";

class TPnmText {
public:
  explicit TPnmText(std::span<const uint8_t> b) : FBytes(b) {}
  uint8_t Next() {
    if (FPos >= FBytes.size()) throw EInvalidGraphic(kPpmShort);
    return FBytes[FPos++];
  }
  // Skips to the first digit ("#" comments to their line's end), reads the
  // number and takes the one character after it.
  uint32_t Number() {
    uint8_t c = Next();
    while (c < '0' || c > '9') {
      if (c == '#')
        while (c != '\n' && c != '\r') c = Next();
      c = Next();
    }
    uint64_t v = 0;
    while (c >= '0' && c <= '9') {
      v = v * 10 + (c - '0');
      if (v > 0xFFFFFFFFu) throw EInvalidGraphic(kPpmInvalid);
      if (FPos >= FBytes.size()) return uint32_t(v);  // the last number may end the file
      c = Next();
    }
    return uint32_t(v);
  }
  // One plain-PBM digit.
  uint8_t Bit() {
    uint8_t c = Next();
    while (c != '0' && c != '1') {
      if (c == '#')
        while (c != '\n' && c != '\r') c = Next();
      c = Next();
    }
    return c - '0';
  }
  std::span<const uint8_t> Raw(uint64_t n) {
    if (n > FBytes.size() - FPos) throw EInvalidGraphic(kPpmShort);
    auto s = FBytes.subspan(FPos, size_t(n));
    FPos += size_t(n);
    return s;
  }
  size_t Left() const { return FBytes.size() - FPos; }

private:
  std::span<const uint8_t> FBytes;
  size_t FPos = 0;
};
}  // namespace

TBitmap TPPMGraphic::Decode(std::span<const uint8_t> bytes) {
  if (bytes.size() < 2 || bytes[0] != 'P') throw EInvalidGraphic(kPpmInvalid);
  char kind = char(bytes[1]);
  if (kind < '1' || kind > '6') return TBitmap();
  TPnmText t(bytes.subspan(2));
  uint32_t width = t.Number(), height = t.Number();
  bool bits = kind == '1' || kind == '4';
  uint32_t maxValue = bits ? 1 : t.Number();
  if (maxValue == 0 || maxValue > 65535) throw EInvalidGraphic(kPpmInvalid);
  bool text = kind <= '3';
  const int channels = kind == '3' || kind == '6' ? 3 : 1;
  const int sampleBytes = maxValue > 255 ? 2 : 1;
  // Text samples take at least two characters, raw ones their size; a
  // picture the rest of the file cannot hold is refused before allocation.
  uint64_t perPixel = bits ? 0 : text ? 2 * channels : uint64_t(channels) * sampleBytes;
  if (kind == '1') perPixel = 1;
  if (kind == '4') CheckRoom((uint64_t(width) + 7) / 8 * height, t.Left(), kPpmShort);
  else CheckRoom(uint64_t(width) * height * perPixel, uint64_t(t.Left()) + 1, kPpmShort);

  TPixelFormat pf = bits ? pf1bit : channels == 3 ? pf24bit : pf8bit;
  TBitmap b = NewPicture(pf, width, height, kPpmInvalid);
  if (bits) b.SetPalette({{255, 255, 255, 0}, {0, 0, 0, 0}});
  else if (pf == pf8bit) b.SetPalette(GreyPalette(256));

  auto scale = [&](uint32_t v) -> uint8_t {
    if (v > maxValue) v = maxValue;
    if (maxValue == 255) return uint8_t(v);
    if (maxValue == 65535) return uint8_t(v >> 8);
    return uint8_t((uint64_t(v) * 255 + maxValue / 2) / maxValue);
  };
  // Raw samples are taken a row at a time, one-byte ones through a table.
  uint8_t scaled[256];
  for (uint32_t v = 0; v < 256; ++v) scaled[v] = scale(v);
  std::vector<uint8_t> wide;  // two-byte samples of a row, scaled
  auto sample = [&]() -> uint8_t { return scale(t.Number()); };
  for (uint32_t y = 0; y < height; ++y) {
    uint8_t* out = b.ScanLine(int(y));
    if (kind == '4') {
      auto row = t.Raw((uint64_t(width) + 7) / 8);
      std::memcpy(out, row.data(), row.size());
      continue;
    }
    if (!text) {
      const size_t n = size_t(width) * channels;
      const uint8_t* in = t.Raw(uint64_t(n) * sampleBytes).data();
      if (sampleBytes == 2) {
        wide.resize(n);
        for (size_t i = 0; i < n; ++i) wide[i] = scale(uint32_t(in[2 * i] << 8 | in[2 * i + 1]));
        in = wide.data();
      }
      const bool scaling = sampleBytes == 1 && maxValue != 255;
      if (channels == 1) {
        if (scaling)
          for (size_t x = 0; x < width; ++x) out[x] = scaled[in[x]];
        else
          std::memcpy(out, in, width);
      } else {
        for (size_t x = 0; x < width; ++x) {
          out[3 * x] = in[3 * x + 2];
          out[3 * x + 1] = in[3 * x + 1];
          out[3 * x + 2] = in[3 * x];
        }
        if (scaling)
          for (size_t i = 0; i < n; ++i) out[i] = scaled[out[i]];
      }
      continue;
    }
    for (uint32_t x = 0; x < width; ++x) {
      if (kind == '1') {
        if (t.Bit()) out[x / 8] |= uint8_t(0x80 >> (x % 8));
      } else if (channels == 1) {
        out[x] = sample();
      } else {
        uint8_t red = sample(), green = sample(), blue = sample();
        out[3 * x] = blue;
        out[3 * x + 1] = green;
        out[3 * x + 2] = red;
      }
    }
  }
  return b;
}
