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

// A whole file, "BM" first. Raises EInvalidGraphic("Bitmap image is not valid").
TBmpImage DecodeBmpFile(std::span<const uint8_t> file);
// The bitmap information (header, masks, palette) and pixels that follow the
// file header; pixelOffset counts from the start of info, or 0 for "right after
// the palette".
TBmpImage DecodeBmpInfo(std::span<const uint8_t> info, size_t pixelOffset);

std::vector<uint8_t> EncodeBmpFile(int width, int height, TPixelFormat pf, bool topDown,
                                   const std::vector<TRGBQuad>& palette, std::span<const uint8_t> bits);
// What comes before the pixels: file header, bitmap information and palette.
// The pixel rows that follow take BmpImageBytes(width, height, pf) bytes.
std::vector<uint8_t> EncodeBmpHeader(int width, int height, TPixelFormat pf, bool topDown,
                                     const std::vector<TRGBQuad>& palette);
size_t BmpImageBytes(int width, int height, TPixelFormat pf);
