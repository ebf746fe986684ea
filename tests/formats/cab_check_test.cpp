// The cabinet structure check, from memory: a gcab cabinet and its damaged
// variants.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "cabfiles.h"

namespace {

std::vector<uint8_t> Fixture(const char* name) {
  std::ifstream f(std::string(BX_TEST_DATA) + "/cab/" + name, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(f), {});
}

void Put16(std::vector<uint8_t>& b, size_t at, uint16_t v) {
  b[at] = uint8_t(v);
  b[at + 1] = uint8_t(v >> 8);
}
void Put32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = uint8_t(v >> (8 * i));
}
uint32_t Get32(const std::vector<uint8_t>& b, size_t at) {
  return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 | uint32_t(b[at + 3]) << 24;
}

std::string Message(const std::vector<uint8_t>& b) {
  try {
    CheckCabinetBytes(b, "x.cab");
  } catch (const ECABFileError& e) {
    return e.Message();
  }
  return "";
}

// plain.cab: one folder whose only data block starts at offset 151; its
// member table starts at offset 44.
constexpr size_t kFolder = 36, kBlock = 151, kFiles = 44;

}  // namespace

TEST(CabCheck, GcabCabinetsPassAndTheirChecksumsAgree) {
  auto plain = Fixture("plain.cab");
  ASSERT_EQ(plain.size(), 1479u);
  EXPECT_EQ(Message(plain), "");
  EXPECT_EQ(Message(Fixture("hostile.cab")), "");
  ASSERT_EQ(Get32(plain, kFolder), kBlock);
  uint16_t cbData = uint16_t(plain[kBlock + 4] | plain[kBlock + 5] << 8);
  EXPECT_EQ(CabinetBlockChecksum({plain.data() + kBlock, size_t(8 + cbData)}), Get32(plain, kBlock));
}

TEST(CabCheck, EveryCutIsReported) {
  auto plain = Fixture("plain.cab");
  for (size_t cut = 0; cut < plain.size(); ++cut) {
    std::vector<uint8_t> b(plain.begin(), plain.begin() + cut);
    std::string m = Message(b);
    EXPECT_FALSE(m.empty()) << "cut at " << cut;
    if (cut >= 36) {
      EXPECT_EQ(m, "Unexpected end of cabinet file: x.cab") << cut;
    }
  }
}

TEST(CabCheck, DamagedDataAndTablesAreCorrupt) {
  const auto plain = Fixture("plain.cab");
  const std::string corrupt = "Cabinet file is corrupt: x.cab";
  auto changed = [&](auto edit) {
    auto b = plain;
    edit(b);
    return Message(b);
  };
  for (size_t at = kBlock + 8; at < plain.size(); at += 97)
    EXPECT_EQ(changed([&](auto& b) { b[at] ^= 0x20; }), corrupt) << "data byte " << at;
  EXPECT_EQ(changed([&](auto& b) { b[kBlock + 6] ^= 1; }), corrupt) << "cbUncomp";
  EXPECT_EQ(changed([&](auto& b) { Put32(b, kFolder, uint32_t(b.size())); }), corrupt) << "coffCabStart";
  EXPECT_EQ(changed([&](auto& b) { Put16(b, kFolder + 4, 2); }), corrupt) << "cCFData";
  EXPECT_EQ(changed([&](auto& b) { Put32(b, 16, 5000); }), corrupt) << "coffFiles";
  EXPECT_EQ(changed([&](auto& b) { Put16(b, 28, 40); }), corrupt) << "cFiles";
  EXPECT_EQ(changed([&](auto& b) { Put16(b, kFiles + 8, 1); }), corrupt) << "iFolder";
  EXPECT_EQ(changed([&](auto& b) { Put16(b, kFiles + 8, 0xFFFD); }), corrupt) << "continued folder";
  EXPECT_EQ(changed([&](auto& b) { Put32(b, kFiles + 4, 4480); }), corrupt) << "uoffFolderStart";
  EXPECT_EQ(changed([&](auto& b) { Put32(b, 8, uint32_t(b.size() + 1)); }),
            "Unexpected end of cabinet file: x.cab") << "cbCabinet";
  EXPECT_EQ(changed([&](auto& b) { b[0] = 'X'; }), "File is not a cabinet: x.cab");
  // A block without a checksum is taken as it is.
  EXPECT_EQ(changed([&](auto& b) { Put32(b, kBlock, 0); b[kBlock + 20] ^= 1; }), "");
}
