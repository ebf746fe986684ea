// The portable stored-cabinet writer: its bytes pass the strict cabinet
// check, members span the 32 KiB blocks, and bad lists are refused.
#include <gtest/gtest.h>

#include "cabfiles.h"

namespace {
std::vector<uint8_t> Bytes(size_t n, uint8_t seed) {
  std::vector<uint8_t> v(n);
  for (size_t i = 0; i < n; ++i) v[i] = uint8_t(seed + i * 7);
  return v;
}
}  // namespace

TEST(StoredCabinet, PassesTheStrictCheckAcrossBlockBoundaries) {
  std::vector<TCabinetMember> members = {{"skin.dat", Bytes(40000, 1)}, {"empty.txt", {}}, {"preview.bmp", Bytes(30000, 9)}};
  auto cab = MakeStoredCabinet(members, 0x3821, 0x6000);
  EXPECT_NO_THROW(CheckCabinetBytes(cab, "stored"));
  ASSERT_GE(cab.size(), 36u);
  EXPECT_EQ(std::string(cab.begin(), cab.begin() + 4), "MSCF");
  EXPECT_EQ(cab[8] | cab[9] << 8 | cab[10] << 16 | cab[11] << 24, int(cab.size()));
  EXPECT_EQ(cab[36 + 4] | cab[36 + 5] << 8, 3) << "70,000 bytes make three blocks";
  // A flipped data byte fails the block's checksum.
  cab[cab.size() - 10] ^= 0x55;
  EXPECT_THROW(CheckCabinetBytes(cab, "stored"), ECABFileError);
}

TEST(StoredCabinet, RefusesWhatNoReaderTakes) {
  EXPECT_THROW(MakeStoredCabinet({}, 0, 0), ECABFileError);
  std::vector<TCabinetMember> bad = {{"..\\evil.dat", {1}}};
  EXPECT_THROW(MakeStoredCabinet(bad, 0, 0), ECABFileError);
  std::vector<TCabinetMember> longName = {{std::string(300, 'a'), {1}}};
  EXPECT_THROW(MakeStoredCabinet(longName, 0, 0), ECABFileError);
}
