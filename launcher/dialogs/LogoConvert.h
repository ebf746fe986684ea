// Spray logos of Half-Life and Gunman: a picture stretched to 64 x 64 pixels
// and turned into an 8-bit greyscale BMP.
#pragma once
#include <cstdint>
#include <vector>

#include "Graphics.h"

inline constexpr int kLogoSize = 64;

struct TLogoOptions {
  bool Invert = false;  // colours inverted before the greyscale
  bool Mirror = false;  // left to right
  bool Flip = false;    // top to bottom
};

// The whole picture stretched onto 64 x 64 (aspect ratio not kept), reduced
// to 8 bits, then inverted, greyscaled, mirrored and flipped as asked; the
// BMP file bytes of the picture container. Raises for an empty picture.
std::vector<uint8_t> MakeLogoBmp(const TBitmap& source, const TLogoOptions& options);
