// Choosing a full-screen display mode among the listed ones.
#pragma once
#include <optional>
#include <vector>

struct TDisplayModeSize {
  int Width = 0, Height = 0, BitCount = 0;
  bool operator==(const TDisplayModeSize&) const = default;
};

struct TDisplayModeRules {
  bool FixedBitCount = true, FixedRatio = true, FixedSize = false;
};

// Sorts by width, then height, then bit count.
void SortDisplayModes(std::vector<TDisplayModeSize>& modes);

// The modes to try for a request, in order: the exact one first, then the
// smallest listed mode that the rules accept (of the requested ratio first
// with FixedRatio). Empty for a size of 0 or less or a bit count other than
// 8, 16, 24 or 32. modes must be sorted.
std::vector<TDisplayModeSize> DisplayModeCandidates(const std::vector<TDisplayModeSize>& modes,
                                                    const TDisplayModeSize& request, const TDisplayModeRules& rules);
