// The portable writer's MSZIP cabinets as cabextract, an independent reader,
// tests, lists and extracts them.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "../support/testfiles.h"
#include "cabextract.h"
#include "cabfiles.h"

namespace fs = std::filesystem;

namespace {

std::string Noise(size_t n, uint32_t seed) {
  std::string v(n, '\0');
  for (auto& b : v) {
    seed = seed * 1103515245u + 12345u;
    b = char(seed >> 16);
  }
  return v;
}

class CabextractReads : public ::testing::Test {
protected:
  void SetUp() override {
    Dir = fs::temp_directory_path() /
          ("bx_cabextract_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(Dir);
    fs::create_directories(Dir / "out");
  }
  void TearDown() override { fs::remove_all(Dir); }
  // Writes the members as an MSZIP cabinet and has cabextract test, list and
  // extract it; returns the listed names.
  std::vector<std::string> WriteAndRead(const std::vector<std::pair<std::string, std::string>>& files) {
    std::vector<TCabinetMember> members;
    for (const auto& [name, bytes] : files) members.push_back({name, {bytes.begin(), bytes.end()}});
    auto cab = MakeCabinet(members, uint16_t((2008 - 1980) << 9 | 1 << 5 | 1), uint16_t(12 << 11), typMSZIP);
    const std::string file = (Dir / "pack.cab").string();
    WriteAll(file, std::string(cab.begin(), cab.end()));
    auto test = Cabextract("-t '" + file + "'");
    EXPECT_EQ(test.Status, 0) << test.Output;
    auto extract = Cabextract("-q -d '" + (Dir / "out").string() + "' '" + file + "'");
    EXPECT_EQ(extract.Status, 0) << extract.Output;
    for (const auto& [name, bytes] : files) EXPECT_EQ(ReadAll(Dir / "out" / name), bytes) << name;
    auto list = Cabextract("-l '" + file + "'");
    EXPECT_EQ(list.Status, 0) << list.Output;
    return CabextractNames(list.Output);
  }
  fs::path Dir;
};

}  // namespace

TEST_F(CabextractReads, MembersAcrossBlocksWithBackReferencesIntoThePreviousBlock) {
  std::string text;
  for (int i = 0; i < 4000; ++i) text += "Row " + std::to_string(i % 70) + " of a text that packs well.\r\n";
  std::string noise = Noise(20000, 3);
  // skin.dat ends inside the second block; the noise repeats across the
  // boundary of the second and third blocks.
  EXPECT_EQ(WriteAndRead({{"skin.dat", text}, {"empty.txt", ""}, {"data.msk", noise}, {"data.ini", noise},
                          {"preview.bmp", text.substr(0, 5000)}}),
            (std::vector<std::string>{"skin.dat", "empty.txt", "data.msk", "data.ini", "preview.bmp"}));
}

TEST_F(CabextractReads, IncompressibleBlocksAndASingleByte) {
  EXPECT_EQ(WriteAndRead({{"noise.bin", Noise(100000, 11)}, {"one.txt", "x"}}),
            (std::vector<std::string>{"noise.bin", "one.txt"}));
}
