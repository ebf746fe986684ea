// Windows BMP files: the reader of every common variant and the writer.
#pragma once
#include <cstdint>
#include <span>
#include <vector>

#include "Graphics.h"

// A decoded BMP, laid out as TBitmap stores it.
struct TBmpImage {
  int Width = 0, Height = 0;
  TPixelFormat PixelFormat = pf24bit;
  bool TopDown = false;
  std::vector<TRGBQuad> Palette;
  TPixelBytes Bits;  // rows DWORD-aligned, bottom-up unless TopDown
};

// Sizes of the file header (BITMAPFILEHEADER) and of the smallest bitmap
// header (BITMAPCOREHEADER).
constexpr size_t kBmpFileHeaderSize = 14;
constexpr size_t kBmpCoreHeaderSize = 12;

// How many bytes a BMP takes in a stream, counted from its file header, where
// `available` bytes are left from there: the header's bfSize when a bitmap
// could be that long and the stream holds it (a picture stream may carry more
// after it), else all that is left (writers may leave bfSize 0).
uint64_t BmpFileExtent(std::span<const uint8_t> fileHeader, uint64_t available);

// A whole file, "BM" first. Raises EInvalidGraphic("Bitmap image is not valid").
TBmpImage DecodeBmpFile(std::span<const uint8_t> file);
// The bitmap information (header, masks, colour table) and pixels that follow
// the file header, or a packed DIB; pixelOffset counts from the start of info,
// or 0 for "right after the colour table".
TBmpImage DecodeBmpInfo(std::span<const uint8_t> info, size_t pixelOffset);

// What the bitmap header's biClrUsed says of the palette written: the number
// of its entries, or 0 for a full palette, whose size the bit depth implies
// (what some readers expect).
enum class TBmpColorsUsed { Count, ZeroWhenFull };

std::vector<uint8_t> EncodeBmpFile(int width, int height, TPixelFormat pf, bool topDown,
                                   const std::vector<TRGBQuad>& palette, std::span<const uint8_t> bits,
                                   TBmpColorsUsed colorsUsed = TBmpColorsUsed::Count);
// What comes before the pixels: file header, bitmap information and palette.
// The pixel rows that follow take BmpImageBytes(width, height, pf) bytes.
std::vector<uint8_t> EncodeBmpHeader(int width, int height, TPixelFormat pf, bool topDown,
                                     const std::vector<TRGBQuad>& palette,
                                     TBmpColorsUsed colorsUsed = TBmpColorsUsed::Count);
size_t BmpImageBytes(int width, int height, TPixelFormat pf);

