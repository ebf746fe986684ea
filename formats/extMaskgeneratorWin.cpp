// The Windows side of the region masks: ExtCreateRegion over checked data.
// Colors.h goes before windows.h, whose colour macros share its names.
#include "extMaskgenerator.h"
#include "extMaskgeneratorWin.h"

#include <cstring>
#include <vector>

HRGN CreateMaskRegion(std::span<const uint8_t> regionData) {
  if (regionData.size() <= kRegionHeaderSize || !CheckMaskData(regionData)) return nullptr;
  // RGNDATA wants its natural alignment; file bytes have none.
  std::vector<RGNDATAHEADER> aligned(
      (regionData.size() + sizeof(RGNDATAHEADER) - 1) / sizeof(RGNDATAHEADER));
  std::memcpy(aligned.data(), regionData.data(), regionData.size());
  return ExtCreateRegion(nullptr, DWORD(regionData.size()),
                         reinterpret_cast<const RGNDATA*>(aligned.data()));
}
