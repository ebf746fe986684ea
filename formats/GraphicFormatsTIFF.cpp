// The TIFF reader: the first image of a file, in strips, uncompressed, LZW or
// PackBits, with or without the horizontal predictor.
//
// Policy: strict about bounds and layouts it cannot show right, tolerant of
// missing tags (defaults as the TIFF description gives them).
// Departures:
// - a missing RowsPerStrip means the picture's height; missing strip byte
//   counts of an uncompressed picture are the strip's size;
// - directory entries are found by a linear search, so unsorted directories
//   read too;
// - planar configuration 2, subsampled YCbCr, sample sizes other than 1, 4, 8
//   and 16 bits, and colour layouts not listed below raise "TIFF: Unsupported
//   image layout" instead of giving a wrong picture;
// - YCbCr pictures (not subsampled) are converted to RGB instead of copied;
// - 16-bit samples keep their high byte in the file's own byte order, and the
//   predictor works on whole samples;
// - a strip that ends early leaves the rest of its rows black.
#include <algorithm>
#include <cstring>
#include <map>

#include "GraphicCodecs.h"
#include "GraphicFormats.h"
#include "GraphicFormatsShared.h"

using namespace graphics;

namespace {
const char* const kInvalid = "Invalid TIFF file.";
const char* const kUnsupported = "TIFF: Unsupported image layout";

enum : uint16_t {
  ImageWidth = 256, ImageLength = 257, BitsPerSample = 258, Compression = 259, Photometric = 262,
  StripOffsets = 273, SamplesPerPixel = 277, RowsPerStrip = 278, StripByteCounts = 279,
  PlanarConfiguration = 284, Predictor = 317, ColorMap = 320, ExtraSamples = 338, YCbCrSubSampling = 530,
};

class TTiffFile {
public:
  explicit TTiffFile(std::span<const uint8_t> bytes) : FBytes(bytes) {
    if (bytes.size() < 8) throw EInvalidGraphic(kInvalid);
    FBigEndian = bytes[0] == 'M' && bytes[1] == 'M';
    if (U16(2) != 42) throw EInvalidGraphic(kInvalid);
    uint32_t ifd = U32(4);
    uint16_t count = U16(ifd);
    for (uint32_t i = 0; i < count; ++i) {
      uint64_t e = uint64_t(ifd) + 2 + 12 * uint64_t(i);
      FEntries[U16(e)] = e;  // a repeated tag: the last one counts
    }
  }

  bool Has(uint16_t tag) const { return FEntries.count(tag) != 0; }

  // The values of a BYTE, SHORT or LONG entry; other types give none.
  std::vector<uint32_t> Values(uint16_t tag) const {
    auto it = FEntries.find(tag);
    if (it == FEntries.end()) return {};
    uint64_t e = it->second;
    uint16_t type = U16(e + 2);
    uint32_t count = U32(e + 4);
    int size = type == 1 ? 1 : type == 3 ? 2 : type == 4 ? 4 : 0;
    if (!size) return {};
    uint64_t bytes = uint64_t(count) * size;
    uint64_t at = bytes <= 4 ? e + 8 : U32(e + 8);
    Need(at, bytes);
    std::vector<uint32_t> v(count);
    for (uint32_t i = 0; i < count; ++i)
      v[i] = size == 1 ? FBytes[at + i] : size == 2 ? U16(at + 2 * uint64_t(i)) : U32(at + 4 * uint64_t(i));
    return v;
  }
  uint32_t Value(uint16_t tag, uint32_t def) const {
    auto v = Values(tag);
    return v.empty() ? def : v[0];
  }

  bool BigEndian() const { return FBigEndian; }
  uint16_t U16(uint64_t at) const {
    Need(at, 2);
    return FBigEndian ? uint16_t(FBytes[at] << 8 | FBytes[at + 1]) : uint16_t(FBytes[at] | FBytes[at + 1] << 8);
  }
  uint32_t U32(uint64_t at) const {
    Need(at, 4);
    const uint8_t* p = &FBytes[at];
    return FBigEndian ? uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3]
                      : uint32_t(p[3]) << 24 | uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
  }
  void Need(uint64_t at, uint64_t n) const {
    if (at > FBytes.size() || n > FBytes.size() - at) throw EInvalidGraphic(kInvalid);
  }

private:
  std::span<const uint8_t> FBytes;
  bool FBigEndian = false;
  std::map<uint16_t, uint64_t> FEntries;  // tag -> offset of its entry
};

// Undoes horizontal differencing on one row of samples of 1 or 2 bytes.
void UndoPredictor(uint8_t* row, size_t pixels, int samples, int sampleBytes, bool bigEndian) {
  if (sampleBytes == 1) {
    for (size_t i = samples; i < pixels * samples; ++i) row[i] = uint8_t(row[i] + row[i - samples]);
    return;
  }
  auto get = [&](size_t i) { return bigEndian ? row[2 * i] << 8 | row[2 * i + 1] : row[2 * i] | row[2 * i + 1] << 8; };
  for (size_t i = samples; i < pixels * samples; ++i) {
    unsigned v = unsigned(get(i) + get(i - samples)) & 0xFFFF;
    row[2 * i] = uint8_t(bigEndian ? v >> 8 : v);
    row[2 * i + 1] = uint8_t(bigEndian ? v : v >> 8);
  }
}
}  // namespace

TBitmap TTIFFGraphic::Decode(std::span<const uint8_t> bytes) {
  TTiffFile f(bytes);
  uint32_t width = f.Value(ImageWidth, 0), height = f.Value(ImageLength, 0);
  if (width == 0 || height == 0) throw EInvalidGraphic(kInvalid);
  uint32_t bits = f.Value(BitsPerSample, 1);
  uint32_t compression = f.Value(Compression, 1);
  uint32_t photometric = f.Value(Photometric, 0);
  uint32_t samples = f.Value(SamplesPerPixel, 1);
  uint32_t predictor = f.Value(Predictor, 1);
  uint32_t extra = uint32_t(f.Values(ExtraSamples).size());
  if (compression != 1 && compression != 5 && compression != 32773)
    throw EInvalidGraphic("TIFF: Unknown compression scheme");
  if (f.Value(PlanarConfiguration, 1) != 1) throw EInvalidGraphic(kUnsupported);
  if (samples == 0 || samples > 8 || extra >= samples) throw EInvalidGraphic(kUnsupported);
  uint32_t colours = samples - extra;

  // The bitmap's format from the colour layout.
  TPixelFormat pf;
  std::vector<TRGBQuad> palette;
  if (colours == 1) {
    if (bits == 1) pf = pf1bit;
    else if (bits == 4) pf = pf4bit;
    else if (bits == 8 || bits == 16) pf = pf8bit;
    else throw EInvalidGraphic(kUnsupported);
    if ((bits == 1 || bits == 4) && samples != 1) throw EInvalidGraphic(kUnsupported);
    int entries = 1 << (bits == 16 ? 8 : bits);
    if (photometric == 3 && bits <= 8) {
      auto map = f.Values(ColorMap);
      if (map.size() < 3 * size_t(entries)) throw EInvalidGraphic(kInvalid);
      for (int i = 0; i < entries; ++i)
        palette.push_back({uint8_t(map[2 * entries + i] >> 8), uint8_t(map[entries + i] >> 8), uint8_t(map[i] >> 8), 0});
    } else {
      palette = GreyPalette(entries, photometric == 0);
    }
  } else if (bits != 8 && bits != 16) {
    throw EInvalidGraphic(kUnsupported);
  } else if (colours == 3 && photometric == 2) {
    pf = extra == 1 ? pf32bit : pf24bit;
  } else if (colours == 3 && photometric == 6) {
    auto sub = f.Values(YCbCrSubSampling);
    if (sub.size() < 2 || sub[0] != 1 || sub[1] != 1) throw EInvalidGraphic(kUnsupported);
    pf = pf24bit;
  } else if (colours == 3 && photometric == 8) {
    pf = pf24bit;
  } else if (colours == 4 && photometric == 2) {
    pf = pf32bit;
  } else if (colours == 4 && photometric == 5) {
    pf = pf24bit;
  } else {
    throw EInvalidGraphic(kUnsupported);
  }

  const int sampleBytes = bits == 16 ? 2 : 1;
  const uint64_t rowLength = (uint64_t(width) * bits * samples + 7) / 8;
  auto offsets = f.Values(StripOffsets);
  auto counts = f.Values(StripByteCounts);
  auto rowsPerStrip = f.Values(RowsPerStrip);
  if (rowsPerStrip.empty()) rowsPerStrip.push_back(height);
  if (offsets.empty()) throw EInvalidGraphic(kInvalid);
  // Packed strips give at most 4,096 bytes per 9-bit code (LZW) or 128 per
  // two bytes (PackBits).
  CheckRoom(rowLength * height, uint64_t(bytes.size()) * (compression == 1 ? 1 : compression == 5 ? 4096 : 64),
            kInvalid);
  CheckRoom(rowLength * height, 2 * kMaxBitmapBytes, kInvalid);  // 16-bit samples: twice the bitmap

  TBitmap b = NewPicture(pf, width, height, kInvalid);
  if (!palette.empty()) b.SetPalette(palette);

  std::vector<uint8_t> strip;
  uint32_t y = 0;
  for (size_t s = 0; s < offsets.size() && y < height; ++s) {
    uint32_t rps = rowsPerStrip[std::min(s, rowsPerStrip.size() - 1)];
    if (rps == 0 || rps > height - y) rps = height - y;
    uint64_t unpacked = rowLength * rps;
    uint64_t packed = s < counts.size() ? counts[s] : (compression == 1 ? unpacked : bytes.size());
    uint64_t at = offsets[s];
    if (at > bytes.size()) throw EInvalidGraphic(kInvalid);
    packed = std::min<uint64_t>(packed, bytes.size() - at);
    auto src = bytes.subspan(size_t(at), size_t(packed));
    if (compression == 5) {
      // Every byte is written here: the decoded ones, then zero for the rest
      // (the decoder may leave bytes past its output changed: a short strip
      // ends black).
      strip.resize(size_t(unpacked));
      size_t written = TTIFFLZW().Decode(src, strip).Written;
      std::fill(strip.begin() + ptrdiff_t(written), strip.end(), 0);
    } else {
      strip.assign(size_t(unpacked), 0);
      if (compression == 1) std::memcpy(strip.data(), src.data(), std::min<size_t>(src.size(), strip.size()));
      else TPackbitsRLE().Decode(src, strip);
    }
    for (uint32_t r = 0; r < rps; ++r, ++y) {
      uint8_t* in = strip.data() + r * rowLength;
      if (predictor == 2 && bits >= 8) UndoPredictor(in, width, int(samples), sampleBytes, f.BigEndian());
      uint8_t* out = b.ScanLine(int(y));
      if (bits < 8) {
        std::memcpy(out, in, size_t(rowLength));
        continue;
      }
      // p[x * step + i * sampleBytes]: the high byte of sample i of pixel x.
      const uint8_t* p = in + (sampleBytes == 2 && !f.BigEndian() ? 1 : 0);
      const size_t step = size_t(samples) * sampleBytes, sb = size_t(sampleBytes);
      if (pf == pf8bit) {
        for (size_t x = 0; x < width; ++x) out[x] = p[x * step];
      } else if (pf == pf32bit) {
        for (size_t x = 0; x < width; ++x, p += step) {
          out[4 * x] = p[2 * sb];
          out[4 * x + 1] = p[sb];
          out[4 * x + 2] = p[0];
          out[4 * x + 3] = p[3 * sb];
        }
      } else if (photometric == 2) {
        for (size_t x = 0; x < width; ++x, p += step) {
          out[3 * x] = p[2 * sb];
          out[3 * x + 1] = p[sb];
          out[3 * x + 2] = p[0];
        }
      } else {
        for (size_t x = 0; x < width; ++x, p += step) {
          if (photometric == 6) YCbCrToBGR(p[0], p[sb], p[2 * sb], out + 3 * x);
          else if (photometric == 8) LabToBGR(p[0], int8_t(p[sb]), int8_t(p[2 * sb]), out + 3 * x);
          else CMYKToBGR(p[0], p[sb], p[2 * sb], p[3 * sb], 255, out + 3 * x);
        }
      }
    }
  }
  return b;
}
