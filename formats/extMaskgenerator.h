// Window outlines from pictures: the region data of every pixel that is not
// the transparent colour, and the mask files (".msk") that keep it.
#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "Colors.h"

class TBitmap;

// Sizes of the Windows region data: its header and one rectangle.
constexpr size_t kRegionHeaderSize = 32;
constexpr size_t kRegionRectSize = 16;

// The header of region data (RGNDATAHEADER), little-endian on disk: its own
// size, the type (1, RDH_RECTANGLES), the rectangle count, their byte size
// and the bounding rectangle (rcBound) of them all.
struct TRegionHeader {
  uint32_t dwSize = 0, iType = 0, nCount = 0, nRgnSize = 0;
  struct {
    int32_t left = 0, top = 0, right = 0, bottom = 0;
  } rcBound;
};
// The header at the start of region data, or nullopt when the bytes are
// shorter than one. Checks nothing else: see CheckMaskData.
std::optional<TRegionHeader> ReadRegionHeader(std::span<const uint8_t> regionData);

// The region data (header, then the rectangles band by band) that Windows'
// own region functions give for the union of the one-pixel-high runs of
// pixels that differ from `transparent`; empty when there is no such pixel.
std::vector<uint8_t> MakeMaskRegionData(const TBitmap& bitmap, TColor transparent);

// Writes the mask file: the 32-bit byte count n, then the region data. Writes
// nothing when the region is empty. Raises EFCreateError when the file cannot
// be made; an old file is replaced only once the new one is complete.
void GenerateMaskFile(const TBitmap& bitmap, TColor transparent, const std::string& fileName);

// Whether the bytes are well-formed region data: header size 32, type 1, the
// rectangle count and byte size matching the length, every rectangle
// non-empty and inside the bounding rectangle.
bool CheckMaskData(std::span<const uint8_t> regionData);

// The region data of a mask file's bytes (an empty vector for n = 0), or
// nullopt for short or malformed bytes. The count is little-endian.
std::optional<std::vector<uint8_t>> ParseMaskBytes(std::span<const uint8_t> file);
// The bytes of a mask file holding the region data.
std::vector<uint8_t> MaskFileBytes(std::span<const uint8_t> regionData);

// The region data of a mask file (an empty vector for n = 0), or nullopt for
// a missing, short or malformed file.
std::optional<std::vector<uint8_t>> ReadMaskFile(const std::string& fileName);
