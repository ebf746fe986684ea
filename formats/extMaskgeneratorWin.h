// The Windows side of the region masks: a region handle from mask data.
#pragma once
#include <windows.h>

#include <cstdint>
#include <span>

// A new region from region data (the caller owns it; a window that takes it
// with SetWindowRgn owns it from then on); nullptr when the data is empty,
// describes no rectangle or fails CheckMaskData.
HRGN CreateMaskRegion(std::span<const uint8_t> regionData);
