// Cabinet creation through the system's cabinet library, read back by the
// component's own reading side; and the portable stored-cabinet writer.
#include <gtest/gtest.h>

#include "../support/testfiles.h"

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "Dialogs.h"
#include "cabfiles.h"

namespace fs = std::filesystem;

namespace {



class CabCreate : public ::testing::Test {
protected:
  void SetUp() override {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    Dir = fs::path(temp) / ("bx_cabcreate_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(Dir);
    fs::create_directories(Dir / "out");
    SetPromptHook([this](const TPromptRequest& r) {
      Prompts.push_back(r.Caption + ": " + r.Text);
      return int(mrOk);
    });
    std::string text;
    for (int i = 0; i < 3000; ++i) text += "Row " + std::to_string(i % 50) + " of a text that packs well.\r\n";
    Files = {{"skin.dat", text}, {"empty.txt", ""}, {"data.ini", "[general]\r\nversion=1.0\r\n"}};
    for (const auto& [name, bytes] : Files) WriteAll(Dir / name, bytes);
  }
  void TearDown() override {
    SetPromptHook(nullptr);
    fs::remove_all(Dir);
  }
  // Lists the cabinet and extracts every member into out\.
  std::vector<std::string> ReadBack(const std::string& cabinet) {
    TCABFile reader(nullptr);
    reader.CABFile = cabinet;
    reader.ReadContents();
    std::vector<std::string> names;
    for (int i = 0; i < reader.CABFileContents().Count(); ++i) names.push_back(reader.CABFileContents()[i].Name);
    reader.TargetPath = (Dir / "out").string();
    reader.SetMode(TCABFile::modeExtractAll);
    EXPECT_EQ(reader.ProcessCabinet(), 0);
    return names;
  }
  fs::path Dir;
  std::vector<std::pair<std::string, std::string>> Files;
  std::vector<std::string> Prompts;
};

}  // namespace

TEST_F(CabCreate, WritesMembersInOrderThatTheReaderGivesBackByteForByte) {
  TCABFile cab(nullptr);
  cab.CABFile = (Dir / "pack.bxs").string();
  std::vector<std::pair<int, int>> progress;
  cab.OnCompressProgress = [&](TCABFile*, int pos, int tot) { progress.push_back({pos, tot}); };
  for (const auto& f : Files) cab.CABFileContents().Add().Name = (Dir / f.first).string();
  ASSERT_TRUE(cab.Compress());
  EXPECT_EQ(ReadBack(cab.CABFile), (std::vector<std::string>{"skin.dat", "empty.txt", "data.ini"}));
  for (const auto& [name, bytes] : Files) EXPECT_EQ(ReadAll(Dir / "out" / name), bytes) << name;
  ASSERT_FALSE(progress.empty());
  int total = int(Files[0].second.size() + Files[2].second.size());
  EXPECT_EQ(progress.back(), std::make_pair(total, total));
  EXPECT_GT(cab.CompressionRatio(), 50.0) << "MSZIP packs the repeated text";
  EXPECT_LT(cab.CompressionRatio(), 100.0);
  EXPECT_TRUE(Prompts.empty());
}

TEST_F(CabCreate, RelPathNamesTheFolderInsideTheCabinetWithOrWithoutItsBackslash) {
  TCABFile cab(nullptr);
  cab.CABFile = (Dir / "pack.cab").string();
  TCABFileEntry& a = cab.CABFileContents().Add();
  a.Name = (Dir / "skin.dat").string();
  a.RelPath = "skins";
  TCABFileEntry& b = cab.CABFileContents().Add();
  b.Name = (Dir / "data.ini").string();
  b.RelPath = "skins\\";
  ASSERT_TRUE(cab.Compress());
  EXPECT_EQ(ReadBack(cab.CABFile), (std::vector<std::string>{"skins\\skin.dat", "skins\\data.ini"}));
}

TEST_F(CabCreate, FailuresRaiseTheLibrarysTextAndLeaveNoContextBehind) {
  TCABFile cab(nullptr);
  cab.CABFile = (Dir / "pack.bxs").string();
  cab.CABFileContents().Add().Name = (Dir / "missing.cur").string();
  try {
    cab.Compress();
    ADD_FAILURE() << "a missing source must fail";
  } catch (const ECABFileError& e) {
    EXPECT_STREQ(e.what(), "Failure opening file to be stored in cabinet");
  }
  // Only empty members: the library refuses the cabinet at its flush.
  cab.CABFileContents().Clear();
  cab.CABFileContents().Add().Name = (Dir / "empty.txt").string();
  EXPECT_THROW(cab.Compress(), ECABFileError);
  EXPECT_EQ(cab.CompressionRatio(), 0.0) << "no bytes, no ratio";
  // A folder that cannot be written.
  cab.CABFile = (Dir / "no such folder" / "pack.bxs").string();
  cab.CABFileContents().Clear();
  cab.CABFileContents().Add().Name = (Dir / "skin.dat").string();
  try {
    cab.Compress();
    ADD_FAILURE() << "an unwritable cabinet must fail";
  } catch (const ECABFileError& e) {
    EXPECT_STREQ(e.what(), "Could not create cabinet file");
  }
  // Each failed run released its context and the library: a fresh run works.
  cab.CABFile = (Dir / "pack.bxs").string();
  EXPECT_TRUE(cab.Compress());
}

TEST_F(CabCreate, AnExceptionFromTheProgressEventEndsTheRunAndIsRaisedAgain) {
  TCABFile cab(nullptr);
  cab.CABFile = (Dir / "pack.bxs").string();
  cab.CABFileContents().Add().Name = (Dir / "skin.dat").string();
  cab.OnCompressProgress = [](TCABFile*, int, int) { throw Exception("stop"); };
  EXPECT_THROW(cab.Compress(), Exception);
  cab.OnCompressProgress = nullptr;
  EXPECT_TRUE(cab.Compress());
}

TEST_F(CabCreate, PortableCabinetsStoredAndMSZIPAreReadByTheComponent) {
  // A noise member repeated across the 32 KiB block boundary: MSZIP's second
  // block refers back into the first.
  std::string noise(20000, '\0');
  uint32_t seed = 5;
  for (auto& b : noise) b = char((seed = seed * 1103515245u + 12345u) >> 16);
  Files.push_back({"noise.bin", noise});
  Files.push_back({"again.bin", noise});
  std::vector<TCabinetMember> members;
  for (const auto& [name, bytes] : Files) members.push_back({name, {bytes.begin(), bytes.end()}});
  for (TCompressionType type : {typNone, typMSZIP}) {
    SCOPED_TRACE(type == typNone ? "stored" : "MSZIP");
    fs::remove_all(Dir / "out");
    fs::create_directories(Dir / "out");
    // 1 January 2008, 12:00.
    auto bytes = MakeCabinet(members, uint16_t((2008 - 1980) << 9 | 1 << 5 | 1), uint16_t(12 << 11), type);
    WriteAll(Dir / "portable.bxs", std::string(bytes.begin(), bytes.end()));
    EXPECT_EQ(ReadBack((Dir / "portable.bxs").string()),
              (std::vector<std::string>{"skin.dat", "empty.txt", "data.ini", "noise.bin", "again.bin"}));
    for (const auto& [name, content] : Files) EXPECT_EQ(ReadAll(Dir / "out" / name), content) << name;
  }
}
