// The built default skin package as cabextract reads it: one MSZIP folder,
// the five members in package order, each as the build made it.
#include <gtest/gtest.h>

#include <filesystem>

#include "../support/testfiles.h"
#include "cabextract.h"

namespace fs = std::filesystem;

TEST(DefaultSkinPackageBytes, OneMSZIPFolderOfFiveMembersThatCabextractReads) {
  const std::string dir = BX_DEFAULTSKIN_DIR;
  const std::string package = dir + "/Bx2k8.bxs";
  std::string bytes = ReadAll(package);
  ASSERT_GT(bytes.size(), 36u + 8u);
  auto u16 = [&](size_t at) { return uint8_t(bytes[at]) | uint8_t(bytes[at + 1]) << 8; };
  EXPECT_EQ(u16(26), 1) << "one folder";
  EXPECT_EQ(u16(28), 5) << "five members";
  EXPECT_EQ(u16(36 + 6), 1) << "MSZIP";

  auto test = Cabextract("-t '" + package + "'");
  EXPECT_EQ(test.Status, 0) << test.Output;
  auto list = Cabextract("-l '" + package + "'");
  const std::vector<std::string> names = {"skin.dat", "data.msk", "data.ini", "othernotes.txt", "preview.bmp"};
  EXPECT_EQ(CabextractNames(list.Output), names) << list.Output;

  fs::path out = fs::temp_directory_path() / "bx_defaultskin_cabextract";
  fs::remove_all(out);
  auto extract = Cabextract("-q -d '" + out.string() + "' '" + package + "'");
  EXPECT_EQ(extract.Status, 0) << extract.Output;
  for (const auto& name : names) EXPECT_EQ(ReadAll(out / name), ReadAll(dir + "/members/" + name)) << name;
  fs::remove_all(out);
}
