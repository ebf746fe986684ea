// The portable cabinet writer: its bytes pass the strict cabinet check,
// members span the 32 KiB blocks, MSZIP blocks reach back into the block
// before them, and bad lists are refused.
#include <gtest/gtest.h>

#include "cabfiles.h"

namespace {
std::vector<uint8_t> Bytes(size_t n, uint8_t seed) {
  std::vector<uint8_t> v(n);
  for (size_t i = 0; i < n; ++i) v[i] = uint8_t(seed + i * 7);
  return v;
}
// Bytes that deflate cannot shrink on their own.
std::vector<uint8_t> Noise(size_t n, uint32_t seed) {
  std::vector<uint8_t> v(n);
  for (auto& b : v) {
    seed = seed * 1103515245u + 12345u;
    b = uint8_t(seed >> 16);
  }
  return v;
}
uint32_t U16(const std::vector<uint8_t>& b, size_t at) { return b[at] | b[at + 1] << 8; }
}  // namespace

TEST(PortableCabinet, StoredPassesTheStrictCheckAcrossBlockBoundaries) {
  std::vector<TCabinetMember> members = {{"skin.dat", Bytes(40000, 1)}, {"empty.txt", {}}, {"preview.bmp", Bytes(30000, 9)}};
  auto cab = MakeCabinet(members, 0x3821, 0x6000, typNone);
  EXPECT_NO_THROW(CheckCabinetBytes(cab, "stored"));
  ASSERT_GE(cab.size(), 36u);
  EXPECT_EQ(std::string(cab.begin(), cab.begin() + 4), "MSCF");
  EXPECT_EQ(cab[8] | cab[9] << 8 | cab[10] << 16 | cab[11] << 24, int(cab.size()));
  EXPECT_EQ(U16(cab, 36 + 4), 3u) << "70,000 bytes make three blocks";
  EXPECT_EQ(U16(cab, 36 + 6), 0u) << "stored";
  // A flipped data byte fails the block's checksum.
  cab[cab.size() - 10] ^= 0x55;
  EXPECT_THROW(CheckCabinetBytes(cab, "stored"), ECABFileError);
}

TEST(PortableCabinet, MSZIPBlocksAreCKStreamsOfAtMost32KiBThatReachIntoTheBlockBefore) {
  // The same 20,000 bytes of noise three times: the second block repeats
  // what the first holds, which only a dictionary carried across blocks finds.
  auto noise = Noise(20000, 7);
  std::vector<uint8_t> twice = noise;
  twice.insert(twice.end(), noise.begin(), noise.end());
  std::vector<TCabinetMember> members = {{"skin.dat", twice}, {"empty.txt", {}}, {"data.ini", noise}};
  auto cab = MakeCabinet(members, 0x3821, 0x6000, typMSZIP);
  EXPECT_NO_THROW(CheckCabinetBytes(cab, "mszip"));
  EXPECT_EQ(U16(cab, 26), 1u) << "one folder";
  EXPECT_EQ(U16(cab, 36 + 4), 2u) << "60,000 bytes make two blocks";
  EXPECT_EQ(U16(cab, 36 + 6), 1u) << "MSZIP";
  size_t first = cab[36] | cab[37] << 8 | cab[38] << 16 | size_t(cab[39]) << 24;
  EXPECT_EQ(U16(cab, first + 6), 32768u);
  EXPECT_EQ(std::string(cab.begin() + std::ptrdiff_t(first) + 8, cab.begin() + std::ptrdiff_t(first) + 10), "CK");
  size_t second = first + 8 + U16(cab, first + 4);
  EXPECT_EQ(U16(cab, second + 6), 60000u - 32768u);
  EXPECT_EQ(std::string(cab.begin() + std::ptrdiff_t(second) + 8, cab.begin() + std::ptrdiff_t(second) + 10), "CK");
  EXPECT_LT(cab.size(), 24000u) << "the second block refers back instead of holding the noise again";
}

TEST(PortableCabinet, RefusesWhatNoReaderTakes) {
  EXPECT_THROW(MakeCabinet({}, 0, 0, typMSZIP), ECABFileError);
  std::vector<TCabinetMember> bad = {{"..\\evil.dat", {1}}};
  EXPECT_THROW(MakeCabinet(bad, 0, 0, typMSZIP), ECABFileError);
  std::vector<TCabinetMember> longName = {{std::string(300, 'a'), {1}}};
  EXPECT_THROW(MakeCabinet(longName, 0, 0, typNone), ECABFileError);
  std::vector<TCabinetMember> fine = {{"skin.dat", {1}}};
  EXPECT_THROW(MakeCabinet(fine, 0, 0, typLZX), ECABFileError) << "the writer has no LZX";
}

// The header, folder and member records at the places the format gives them.
TEST(PortableCabinet, RecordsStandWhereTheFormatPutsThem) {
  std::vector<TCabinetMember> members = {{"a.txt", Bytes(10, 1)}, {"bb.bin", Bytes(5, 2)}};
  auto cab = MakeCabinet(members, 0x3821, 0x6000, typMSZIP);
  auto u32 = [&](size_t at) { return U16(cab, at) | U16(cab, at + 2) << 16; };
  EXPECT_EQ(cab[24], 3) << "versionMinor";
  EXPECT_EQ(cab[25], 1) << "versionMajor";
  EXPECT_EQ(U16(cab, 26), 1u) << "cFolders";
  EXPECT_EQ(U16(cab, 28), 2u) << "cFiles";
  EXPECT_EQ(U16(cab, 30), 0u) << "flags";
  EXPECT_EQ(u32(16), 36u + 8) << "coffFiles: after the header and the one folder";
  EXPECT_EQ(U16(cab, 36 + 6), 1u) << "typeCompress MSZIP";
  // The members: cbFile, uoffFolderStart, iFolder, date, time, attribs, name.
  const size_t second = 44 + 16 + 6;
  EXPECT_EQ(u32(44), 10u);
  EXPECT_EQ(u32(48), 0u);
  EXPECT_EQ(U16(cab, 52), 0u);
  EXPECT_EQ(U16(cab, 54), 0x3821u);
  EXPECT_EQ(U16(cab, 56), 0x6000u);
  EXPECT_EQ(U16(cab, 58), 0x20u);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&cab[60])), "a.txt");
  EXPECT_EQ(u32(second), 5u);
  EXPECT_EQ(u32(second + 4), 10u);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&cab[second + 16])), "bb.bin");
  // The folder's first data block follows the last member.
  EXPECT_EQ(u32(36), second + 16 + 7);
  EXPECT_EQ(U16(cab, second + 16 + 7 + 6), 15u) << "cbUncomp";
}
