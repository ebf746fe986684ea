// The full-screen display-mode rules.
#include <gtest/gtest.h>

#include "DXDrawsDisplay.h"

namespace {
std::vector<TDisplayModeSize> Listed() {
  std::vector<TDisplayModeSize> m = {{1024, 768, 32}, {640, 480, 8}, {800, 600, 16}, {640, 480, 32},
                                     {1280, 1024, 16}, {1280, 1024, 8}, {800, 600, 8}, {1024, 768, 8}};
  SortDisplayModes(m);
  return m;
}
}  // namespace

TEST(DisplayModes, SortedByWidthHeightAndDepth) {
  auto m = Listed();
  EXPECT_EQ(m.front(), (TDisplayModeSize{640, 480, 8}));
  EXPECT_EQ(m[1], (TDisplayModeSize{640, 480, 32}));
  EXPECT_EQ(m.back(), (TDisplayModeSize{1280, 1024, 16}));
}

TEST(DisplayModes, ExactFirstThenTheSmallestAcceptable) {
  TDisplayModeRules fixed;  // fixed depth and ratio, size at least
  // Listed exactly: only that one.
  EXPECT_EQ(DisplayModeCandidates(Listed(), {800, 600, 16}, fixed).size(), 1u);
  // 700 x 525 (4:3): the smallest 4:3 mode above it at the same depth.
  auto c = DisplayModeCandidates(Listed(), {700, 525, 8}, fixed);
  ASSERT_EQ(c.size(), 2u);
  EXPECT_EQ(c[1], (TDisplayModeSize{800, 600, 8}));
  // No 5:4 mode of 16 bits above 1000 x 800 but 1280 x 1024.
  c = DisplayModeCandidates(Listed(), {1000, 800, 16}, fixed);
  ASSERT_EQ(c.size(), 2u);
  EXPECT_EQ(c[1], (TDisplayModeSize{1280, 1024, 16}));
  // Free depth: a deeper mode serves a request above 8 bits.
  TDisplayModeRules free{false, true, false};
  c = DisplayModeCandidates(Listed(), {1024, 768, 24}, free);
  ASSERT_EQ(c.size(), 2u);
  EXPECT_EQ(c[1], (TDisplayModeSize{1024, 768, 32}));
  // Fixed size: nothing else than the asked size.
  TDisplayModeRules size{true, false, true};
  EXPECT_EQ(DisplayModeCandidates(Listed(), {900, 600, 8}, size).size(), 1u);
}

TEST(DisplayModes, BadRequestsAreRefused) {
  EXPECT_TRUE(DisplayModeCandidates(Listed(), {0, 480, 8}, {}).empty());
  EXPECT_TRUE(DisplayModeCandidates(Listed(), {640, 480, 15}, {}).empty());
}
