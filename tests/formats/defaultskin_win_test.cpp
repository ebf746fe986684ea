// The built default skin package, listed and read through TCABFile.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "../support/testfiles.h"
#include "cabfiles.h"

namespace fs = std::filesystem;

namespace {
const std::string kDir = BX_DEFAULTSKIN_DIR;

}  // namespace

TEST(DefaultSkinPackage, ListsItsMembersInPackageOrder) {
  TCABFile cab(nullptr);
  cab.CABFile = kDir + "/Bx2k8.bxs";
  cab.ReadContents();
  const char* names[] = {"skin.dat", "data.msk", "data.ini", "othernotes.txt", "preview.bmp"};
  ASSERT_EQ(cab.CABFileContents().Count(), 5);
  for (int i = 0; i < 5; ++i) {
    const TCABFileEntry& e = cab.CABFileContents()[i];
    EXPECT_EQ(e.Name, names[i]);
    EXPECT_EQ(uintmax_t(e.Size), fs::file_size(kDir + "/members/" + names[i])) << names[i];
    EXPECT_DOUBLE_EQ(e.DateTime, EncodeDate(2008, 1, 1) + 0.5) << names[i];  // 12:00
  }
}

TEST(DefaultSkinPackage, ExtractsEveryMemberByteForByte) {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  fs::path out = fs::path(temp) / "bx_defaultskin_test";
  fs::remove_all(out);
  fs::create_directories(out);
  TCABFile cab(nullptr);
  cab.CABFile = kDir + "/Bx2k8.bxs";
  cab.TargetPath = out.string();
  EXPECT_TRUE(cab.ExtractFile("SKIN.DAT"));
  EXPECT_EQ(ReadAll(out / "skin.dat"), ReadAll(kDir + "/members/skin.dat"));
  // All members, the last of them reached through every block of the folder.
  cab.SetMode(TCABFile::modeExtractAll);
  EXPECT_EQ(cab.ProcessCabinet(), 0);
  for (const char* name : {"skin.dat", "data.msk", "data.ini", "othernotes.txt", "preview.bmp"})
    EXPECT_EQ(ReadAll(out / name), ReadAll(kDir + "/members/" + name)) << name;
  fs::remove_all(out);
}
