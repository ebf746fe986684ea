// What the picture readers share: size checks, palettes and the colour-space
// conversions to blue-green-red.
#pragma once
#include <cstdint>
#include <vector>

#include "ByteReader.h"
#include "Graphics.h"

namespace graphics {

// A bitmap of the given format and size, or the reader's error when the size
// is 0 or does not fit PictureSizeFits.
TBitmap NewPicture(TPixelFormat pf, uint64_t width, uint64_t height, const char* error);
// For decoders that write a picture's rows packed one after another (in file
// order, rowLength bytes each) at the start of b's pixel block: moves each row
// to its DWORD-aligned place, zeroes the padding, and turns the rows over when
// the file's order (fileTopDown: top row first) is not the bitmap's.
void PlacePackedRows(TBitmap& b, size_t rowLength, bool fileTopDown);
// Raises the reader's error unless need <= have.
void CheckRoom(uint64_t need, uint64_t have, const char* error);

std::vector<TRGBQuad> GreyPalette(int entries, bool inverted = false);

void CMYKToBGR(int c, int m, int y, int k, int max, uint8_t* bgr);
void LabToBGR(uint8_t l, int8_t a, int8_t b, uint8_t* bgr);
void YCCToBGR(uint8_t y, uint8_t c1, uint8_t c2, uint8_t* bgr);
void YCbCrToBGR(uint8_t y, uint8_t cb, uint8_t cr, uint8_t* bgr);

inline uint8_t Clamp255(double v) { return v <= 0 ? 0 : v >= 255 ? 255 : uint8_t(v + 0.5); }

}  // namespace graphics
