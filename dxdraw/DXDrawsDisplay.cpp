// The display-mode rules of the full-screen DirectDraw control.
#include "DXDrawsDisplay.h"

#include <algorithm>
#include <cstdint>
#include <tuple>

void SortDisplayModes(std::vector<TDisplayModeSize>& modes) {
  std::sort(modes.begin(), modes.end(), [](const TDisplayModeSize& a, const TDisplayModeSize& b) {
    return std::tie(a.Width, a.Height, a.BitCount) < std::tie(b.Width, b.Height, b.BitCount);
  });
}

namespace {
bool BitsAccepted(int mode, int request, bool fixed) {
  if (fixed) return mode == request;
  if (mode <= 8 || request <= 8) return mode >= request;
  return true;
}

// The smallest acceptable mode, walking the sorted list.
std::optional<TDisplayModeSize> Search(const std::vector<TDisplayModeSize>& modes, const TDisplayModeSize& r,
                                       const TDisplayModeRules& rules, bool sameRatio) {
  std::optional<TDisplayModeSize> best;
  for (const auto& m : modes) {
    if (best && (m.Width > best->Width || m.Height > best->Height)) continue;
    if (sameRatio && int64_t(m.Width) * r.Height != int64_t(r.Width) * m.Height) continue;
    bool size = rules.FixedSize ? m.Width == r.Width && m.Height == r.Height
                                : m.Width >= r.Width && m.Height >= r.Height;
    if (size && BitsAccepted(m.BitCount, r.BitCount, rules.FixedBitCount)) best = m;
  }
  return best;
}
}  // namespace

std::vector<TDisplayModeSize> DisplayModeCandidates(const std::vector<TDisplayModeSize>& modes,
                                                    const TDisplayModeSize& r, const TDisplayModeRules& rules) {
  std::vector<TDisplayModeSize> out;
  if (r.Width <= 0 || r.Height <= 0) return out;
  if (r.BitCount != 8 && r.BitCount != 16 && r.BitCount != 24 && r.BitCount != 32) return out;
  out.push_back(r);
  std::optional<TDisplayModeSize> best;
  if (rules.FixedRatio) best = Search(modes, r, rules, true);
  if (!best) best = Search(modes, r, rules, false);
  if (!best) return out;
  // The requested depth at the found size, when the list has it.
  TDisplayModeSize atDepth{best->Width, best->Height, r.BitCount};
  if (best->BitCount != r.BitCount && std::find(modes.begin(), modes.end(), atDepth) != modes.end()) best = atDepth;
  if (*best != r) out.push_back(*best);
  return out;
}
