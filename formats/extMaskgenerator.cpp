// The portable region-mask generator and the mask file reader.
//
// The region is built the way Windows keeps one: horizontal bands from top to
// bottom, each band a list of disjoint spans from left to right; neighbouring
// rows whose spans are equal share one band. This gives the same rectangles,
// in the same order, as a union of one-pixel-high rectangles made with the
// system's region functions, so the bytes can be handed to ExtCreateRegion.
//
// The mask file reader is strict: n must fit in the file and the region data
// must pass CheckMaskData. Bytes after the region data are ignored.
#include "extMaskgenerator.h"

#include <algorithm>
#include <cstring>

#include "ByteReader.h"
#include "Graphics.h"
#include "Streams.h"

namespace {

struct TSpan {
  int32_t Left, Right;  // right exclusive
  bool operator==(const TSpan&) const = default;
};

void PutI32(std::vector<uint8_t>& out, size_t at, int32_t v) {
  uint32_t u = uint32_t(v);
  out[at] = uint8_t(u);
  out[at + 1] = uint8_t(u >> 8);
  out[at + 2] = uint8_t(u >> 16);
  out[at + 3] = uint8_t(u >> 24);
}

// The runs of one row: neighbouring pixels that differ from the transparent
// colour.
void RowSpans(const TBitmap& bitmap, int y, TColor transparent, std::vector<TSpan>& spans) {
  spans.clear();
  const int width = bitmap.Width();
  int x = 0;
  while (x < width) {
    while (x < width && bitmap.Pixel(x, y) == transparent) ++x;
    if (x == width) break;
    int start = x;
    while (x < width && bitmap.Pixel(x, y) != transparent) ++x;
    spans.push_back({start, x});
  }
}

// The mask file's byte count, then the data; the file reader's own error.
class EMaskFile : public Exception { using Exception::Exception; };

}  // namespace

std::vector<uint8_t> MakeMaskRegionData(const TBitmap& bitmap, TColor transparent) {
  struct TBand {
    int32_t Top, Bottom;
    size_t First;  // index of its first span in `spans`
    size_t Count;
  };
  std::vector<TSpan> spans, row, previous;
  std::vector<TBand> bands;
  for (int y = 0; y < bitmap.Height(); ++y) {
    RowSpans(bitmap, y, transparent, row);
    if (row.empty()) continue;
    // A row joins the band above when it touches it and has the same spans.
    if (!bands.empty() && bands.back().Bottom == y && row == previous) {
      bands.back().Bottom = y + 1;
      continue;
    }
    bands.push_back({y, y + 1, spans.size(), row.size()});
    spans.insert(spans.end(), row.begin(), row.end());
    previous = row;
  }
  if (spans.empty()) return {};

  int32_t boundLeft = spans.front().Left, boundRight = spans.front().Right;
  for (const TSpan& s : spans) {
    if (s.Left < boundLeft) boundLeft = s.Left;
    if (s.Right > boundRight) boundRight = s.Right;
  }
  std::vector<uint8_t> out(kRegionHeaderSize + spans.size() * kRegionRectSize, 0);
  PutI32(out, 0, int32_t(kRegionHeaderSize));  // dwSize
  PutI32(out, 4, 1);                           // iType: RDH_RECTANGLES
  PutI32(out, 8, int32_t(spans.size()));       // nCount
  PutI32(out, 12, int32_t(spans.size() * kRegionRectSize));  // nRgnSize
  PutI32(out, 16, boundLeft);                  // rcBound
  PutI32(out, 20, bands.front().Top);
  PutI32(out, 24, boundRight);
  PutI32(out, 28, bands.back().Bottom);
  size_t at = kRegionHeaderSize;
  for (const TBand& b : bands) {
    for (size_t i = 0; i < b.Count; ++i, at += kRegionRectSize) {
      const TSpan& s = spans[b.First + i];
      PutI32(out, at, s.Left);
      PutI32(out, at + 4, b.Top);
      PutI32(out, at + 8, s.Right);
      PutI32(out, at + 12, b.Bottom);
    }
  }
  return out;
}

void GenerateMaskFile(const TBitmap& bitmap, TColor transparent, const std::string& fileName) {
  std::vector<uint8_t> data = MakeMaskRegionData(bitmap, transparent);
  if (data.empty()) return;
  const std::vector<uint8_t> bytes = MaskFileBytes(data);
  SaveFileAtomically(fileName, [&](TStream& s) { s.WriteBuffer(bytes.data(), int64_t(bytes.size())); });
}

namespace {
TRegionHeader ReadRegionHeader(TByteReader<EMaskFile>& r) {
  TRegionHeader h;
  h.dwSize = r.U32LE();
  h.iType = r.U32LE();
  h.nCount = r.U32LE();
  h.nRgnSize = r.U32LE();
  h.rcBound.left = r.I32LE();
  h.rcBound.top = r.I32LE();
  h.rcBound.right = r.I32LE();
  h.rcBound.bottom = r.I32LE();
  return h;
}
}  // namespace

std::optional<TRegionHeader> ReadRegionHeader(std::span<const uint8_t> regionData) {
  TByteReader<EMaskFile> r(regionData, "Invalid mask data");
  try {
    return ReadRegionHeader(r);
  } catch (const EMaskFile&) {
    return std::nullopt;
  }
}

bool CheckMaskData(std::span<const uint8_t> regionData) {
  TByteReader<EMaskFile> r(regionData, "Invalid mask data");
  try {
    const TRegionHeader h = ReadRegionHeader(r);
    if (h.dwSize != kRegionHeaderSize || h.iType != 1) return false;
    // The count must describe exactly the bytes that follow the header.
    if (r.Left() % kRegionRectSize != 0 || r.Left() / kRegionRectSize != h.nCount) return false;
    // A writer that does not know the size may leave nRgnSize 0.
    if (h.nRgnSize != 0 && uint64_t(h.nRgnSize) != uint64_t(h.nCount) * kRegionRectSize) return false;
    const auto& bound = h.rcBound;
    if (bound.left > bound.right || bound.top > bound.bottom) return false;
    for (uint32_t i = 0; i < h.nCount; ++i) {
      int32_t left = r.I32LE(), top = r.I32LE(), right = r.I32LE(), bottom = r.I32LE();
      if (left >= right || top >= bottom) return false;
      if (left < bound.left || top < bound.top || right > bound.right || bottom > bound.bottom) return false;
    }
    return true;
  } catch (const EMaskFile&) {
    return false;
  }
}

std::optional<std::vector<uint8_t>> ParseMaskBytes(std::span<const uint8_t> file) {
  TByteReader<EMaskFile> r(file, "Invalid mask file");
  try {
    const uint32_t n = r.U32LE();
    std::span<const uint8_t> data = r.Bytes(n);
    if (n > 0 && !CheckMaskData(data)) return std::nullopt;
    return std::vector<uint8_t>(data.begin(), data.end());
  } catch (const EMaskFile&) {
    return std::nullopt;
  }
}

std::vector<uint8_t> MaskFileBytes(std::span<const uint8_t> regionData) {
  std::vector<uint8_t> bytes(4 + regionData.size());
  PutI32(bytes, 0, int32_t(uint32_t(regionData.size())));
  std::copy(regionData.begin(), regionData.end(), bytes.begin() + 4);
  return bytes;
}

std::optional<std::vector<uint8_t>> ReadMaskFile(const std::string& fileName) {
  try {
    TFileStream f(fileName, fmOpenRead);
    std::vector<uint8_t> bytes(size_t(f.Size()));
    if (!bytes.empty() && f.Read(bytes.data(), int64_t(bytes.size())) != int64_t(bytes.size())) return std::nullopt;
    return ParseMaskBytes(bytes);
  } catch (const EStreamError&) {
    return std::nullopt;
  }
}
