// The cabinet component under the system's cabinet library: listing,
// extraction, overwrite rules, hostile member names and damaged cabinets.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "../support/bigcabinets.h"
#include "../support/testfiles.h"
#include "Dialogs.h"
#include "cabfiles.h"

namespace fs = std::filesystem;

namespace {

const std::string kData = std::string(BX_TEST_DATA) + "/cab/";

// What the fixture's alpha.txt holds.
std::string AlphaText() {
  std::string s;
  for (int i = 0; i < 60; ++i)
    s += "Line " + std::to_string(i) + " of the alpha member, with some words to squeeze.\r\n";
  return s;
}

size_t FileCount(const fs::path& dir) {
  size_t n = 0;
  for (auto it = fs::recursive_directory_iterator(dir); it != fs::recursive_directory_iterator(); ++it)
    if (it->is_regular_file()) ++n;
  return n;
}

class CabFile : public ::testing::Test {
protected:
  void SetUp() override {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    Dir = fs::path(temp) / ("bx_cab_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(Dir);
    fs::create_directories(Dir / "out");
    Out = (Dir / "out").string();
    // No modal box in a test: a failing write would be answered and noted.
    SetPromptHook([this](const TPromptRequest& r) {
      Prompts.push_back(r.Caption + ": " + r.Text);
      return int(mrOk);
    });
  }
  void TearDown() override {
    SetPromptHook(nullptr);
    EXPECT_TRUE(Prompts.empty()) << Prompts.front();
    fs::remove_all(Dir);
  }

  fs::path Dir;
  std::string Out;
  std::vector<std::string> Prompts;
};

}  // namespace

TEST_F(CabFile, ListsNamesSizesAndDatesInCabinetOrder) {
  TCABFile cab(nullptr);
  cab.CABFile = kData + "plain.cab";
  cab.TargetPath = Out;
  cab.ReadContents();
  auto& c = cab.CABFileContents();
  ASSERT_EQ(c.Count(), 4);
  EXPECT_EQ(c[0].Name, "alpha.txt");
  EXPECT_EQ(c[1].Name, "beta.bin");
  EXPECT_EQ(c[2].Name, "empty.txt");
  EXPECT_EQ(c[3].Name, "sub\\inner.txt");
  EXPECT_EQ(c[0].Size, 3470);
  EXPECT_EQ(c[1].Size, 1000);
  EXPECT_EQ(c[2].Size, 0);
  EXPECT_DOUBLE_EQ(c[0].DateTime, EncodeDate(2024, 5, 6) + (7 * 3600 + 8 * 60 + 10) / 86400.0);
  EXPECT_DOUBLE_EQ(c[1].DateTime, EncodeDate(2019, 12, 31) + (23 * 3600 + 59 * 60 + 58) / 86400.0);
  EXPECT_EQ(c.GetOwner(), &cab);
  EXPECT_EQ(FileCount(Dir), 0u) << "a listing writes nothing";

  // A second listing replaces the first.
  cab.ReadContents();
  EXPECT_EQ(cab.CABFileContents().Count(), 4);
  EXPECT_THROW(c.GetItem(4), EListError);
}

TEST_F(CabFile, ExtractsOneMemberInAnyLetterCaseWithItsDate) {
  TCABFile cab(nullptr);
  cab.CABFile = kData + "plain.cab";
  cab.TargetPath = Out;  // no trailing separator: still inside the folder
  std::vector<std::pair<int, int>> progress;
  cab.OnDecompressProgress = [&](TCABFile* sender, const std::string& name, int pos, int tot) {
    EXPECT_EQ(sender, &cab);
    EXPECT_EQ(name, "alpha.txt");
    progress.push_back({pos, tot});
  };
  EXPECT_TRUE(cab.ExtractFile("ALPHA.TXT"));
  EXPECT_EQ(ReadAll(Dir / "out" / "alpha.txt"), AlphaText());
  EXPECT_EQ(FileCount(Dir), 1u);
  ASSERT_FALSE(progress.empty());
  EXPECT_EQ(progress.back(), std::make_pair(3470, 3470));

  HANDLE h = CreateFileA((Out + "\\alpha.txt").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                         OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  FILETIME utc, local;
  GetFileTime(h, nullptr, nullptr, &utc);
  CloseHandle(h);
  FileTimeToLocalFileTime(&utc, &local);
  WORD date = 0, time = 0;
  FileTimeToDosDateTime(&local, &date, &time);
  EXPECT_DOUBLE_EQ(DosDateTimeToDateTime(date, time),
                   EncodeDate(2024, 5, 6) + (7 * 3600 + 8 * 60 + 10) / 86400.0);
}

TEST_F(CabFile, MissingMemberSucceedsAndWritesNothing) {
  TCABFile cab(nullptr);
  cab.CABFile = kData + "plain.cab";
  cab.TargetPath = Out + "\\";
  EXPECT_TRUE(cab.ExtractFile("cur_up.ani"));
  EXPECT_EQ(FileCount(Dir), 0u);
}

TEST_F(CabFile, ExtractsAllSelectedAndIntoAFolderOfTheMember) {
  TCABFile cab(nullptr);
  cab.CABFile = kData + "plain.cab";
  cab.TargetPath = Out;
  cab.SetMode(TCABFile::modeExtractAll);
  EXPECT_EQ(cab.ProcessCabinet(), 0);
  EXPECT_EQ(fs::file_size(Dir / "out" / "beta.bin"), 1000u);
  EXPECT_TRUE(fs::exists(Dir / "out" / "empty.txt"));
  EXPECT_EQ(fs::file_size(Dir / "out" / "empty.txt"), 0u);
  EXPECT_EQ(ReadAll(Dir / "out" / "sub" / "inner.txt"), "inside a folder\r\n");

  fs::remove_all(Dir / "out");
  fs::create_directories(Dir / "out");
  cab.ReadContents();
  cab.CABFileContents()[1].Selected = true;
  EXPECT_TRUE(cab.CABFileContents().IsSelected("BETA.BIN"));
  EXPECT_FALSE(cab.CABFileContents().IsSelected("nothing"));
  cab.SetMode(TCABFile::modeExtractSelected);
  EXPECT_EQ(cab.ProcessCabinet(), 0);
  EXPECT_EQ(FileCount(Dir), 1u);
  EXPECT_TRUE(fs::exists(Dir / "out" / "beta.bin"));
}

TEST_F(CabFile, OverwriteRules) {
  TCABFile cab(nullptr);
  cab.CABFile = kData + "plain.cab";
  cab.TargetPath = Out;
  WriteAll(Dir / "out" / "alpha.txt", "old");
  // No handler: replaced.
  EXPECT_TRUE(cab.ExtractFile("alpha.txt"));
  EXPECT_EQ(ReadAll(Dir / "out" / "alpha.txt"), AlphaText());

  // A handler that refuses: kept, and it is told the file.
  WriteAll(Dir / "out" / "alpha.txt", "old");
  std::string asked;
  cab.OnOverWriteFile = [&](TCABFile*, const std::string& name, bool& allow) {
    asked = name;
    allow = false;
  };
  EXPECT_TRUE(cab.ExtractFile("alpha.txt"));
  EXPECT_EQ(ReadAll(Dir / "out" / "alpha.txt"), "old");
  EXPECT_EQ(asked, Out + "\\alpha.txt");

  // A handler that allows: replaced.
  cab.OnOverWriteFile = [&](TCABFile*, const std::string&, bool& allow) { allow = true; };
  EXPECT_TRUE(cab.ExtractFile("alpha.txt"));
  EXPECT_EQ(ReadAll(Dir / "out" / "alpha.txt"), AlphaText());

  // A handler that raises: the exception reaches the caller past the library.
  WriteAll(Dir / "out" / "alpha.txt", "old");
  cab.OnOverWriteFile = [&](TCABFile*, const std::string&, bool&) { throw EInvalidOperation("stop"); };
  EXPECT_THROW(cab.ExtractFile("alpha.txt"), EInvalidOperation);
  EXPECT_EQ(ReadAll(Dir / "out" / "alpha.txt"), "old");
}

TEST_F(CabFile, HostileMemberNamesAreListedButNeverWritten) {
  fs::create_directories(Dir / "deep" / "out");
  TCABFile cab(nullptr);
  cab.CABFile = kData + "hostile.cab";
  cab.TargetPath = (Dir / "deep" / "out").string();
  cab.ReadContents();
  ASSERT_EQ(cab.CABFileContents().Count(), 5);
  EXPECT_EQ(cab.CABFileContents()[1].Name, "..\\evil1.txt");
  EXPECT_EQ(cab.CABFileContents()[2].Name, "C:\\evil2.txt");

  cab.SetMode(TCABFile::modeExtractAll);
  EXPECT_EQ(cab.ProcessCabinet(), 0);
  EXPECT_TRUE(fs::exists(Dir / "deep" / "out" / "good.txt"));
  EXPECT_EQ(FileCount(Dir), 1u);
  EXPECT_FALSE(fs::exists("C:\\evil2.txt"));
  EXPECT_FALSE(fs::exists("\\evil3.txt"));
  EXPECT_TRUE(cab.ExtractFile("..\\evil1.txt"));
  EXPECT_EQ(FileCount(Dir), 1u);
}

TEST_F(CabFile, MissingOrForeignFilesFailQuietly) {
  TCABFile cab(nullptr);
  cab.TargetPath = Out;
  cab.CABFile = kData + "no-such.cab";
  EXPECT_EQ(cab.ProcessCabinet(), -1);
  EXPECT_FALSE(cab.ExtractFile("alpha.txt"));
  cab.ReadContents();
  EXPECT_EQ(cab.CABFileContents().Count(), 0);

  WriteAll(Dir / "text.cab", "This is not a cabinet at all, only some text.\r\n");
  cab.CABFile = (Dir / "text.cab").string();
  EXPECT_FALSE(cab.ExtractFile("alpha.txt"));
  WriteAll(Dir / "empty.cab", "");
  cab.CABFile = (Dir / "empty.cab").string();
  EXPECT_FALSE(cab.ExtractFile("alpha.txt"));
  EXPECT_EQ(FileCount(Dir / "out"), 0u);
}

TEST_F(CabFile, DamagedCabinetsRaiseAndLeaveNoHalfFiles) {
  const std::string good = ReadAll(kData + "plain.cab");
  TCABFile cab(nullptr);
  cab.TargetPath = Out;
  cab.CABFile = (Dir / "damaged.cab").string();

  // Cut inside the compressed data: the header still says cabinet.
  WriteAll(Dir / "damaged.cab", good.substr(0, good.size() - 200));
  cab.SetMode(TCABFile::modeExtractAll);
  EXPECT_THROW(cab.ProcessCabinet(), ECABFileError);
  EXPECT_FALSE(fs::exists(Dir / "out" / "sub" / "inner.txt"));

  // Flipped bytes in the compressed data, and a folder whose compression
  // type is unknown (typeCompress of the first CFFOLDER, after the 36-byte
  // header and the folder's offset and count).
  std::string flipped = good;
  for (size_t i : {good.size() / 3, good.size() / 2, good.size() - 5}) flipped[i] = char(flipped[i] ^ 0x5A);
  std::string unknownType = good;
  unknownType[36 + 6] = 0x0F;
  unknownType[36 + 7] = 0x00;
  for (const std::string& corrupt : {flipped, unknownType}) {
    WriteAll(Dir / "damaged.cab", corrupt);
    fs::remove_all(Dir / "out");
    fs::create_directories(Dir / "out");
    EXPECT_THROW(cab.ExtractFile("beta.bin"), ECABFileError);
    EXPECT_EQ(FileCount(Dir / "out"), 0u);
  }
  // The flipped data is found before anything is listed.
  WriteAll(Dir / "damaged.cab", flipped);
  EXPECT_THROW(cab.ReadContents(), ECABFileError);

  // Cut inside the member table: the listing itself is refused.
  WriteAll(Dir / "damaged.cab", good.substr(0, 60));
  EXPECT_THROW(cab.ReadContents(), ECABFileError);

  // Every cut and a damaged byte at every tenth place: an error or a clean
  // result, never a crash.
  for (size_t cut = 0; cut < good.size(); cut += 7) {
    WriteAll(Dir / "damaged.cab", good.substr(0, cut));
    try {
      cab.ReadContents();
      cab.SetMode(TCABFile::modeExtractAll);
      cab.ProcessCabinet();
    } catch (const ECABFileError&) {
    }
  }
  for (size_t at = 0; at < good.size(); at += 10) {
    std::string bad = good;
    bad[at] = char(bad[at] ^ 0xFF);
    WriteAll(Dir / "damaged.cab", bad);
    try {
      cab.SetMode(TCABFile::modeExtractAll);
      cab.ProcessCabinet();
    } catch (const ECABFileError&) {
    }
  }
}

TEST_F(CabFile, MembersBeyondTheBoundOrTheFreeSpaceAreRefusedBeforeAnythingIsWritten) {
  TCABFile cab(nullptr);
  cab.TargetPath = Out;
  cab.CABFile = (Dir / "big.cab").string();
  const std::vector<TCabinetMember> small = {{"a.txt", {'a'}}, {"b.txt", {'b'}}};
  // Truly 3 MB (the zeros pack small) beside two small members.
  auto big = CabinetWithZeros(small, "zeros.bin", 3 << 20);
  WriteAll(Dir / "big.cab", std::string(big.begin(), big.end()));
  cab.MaxExtractBytes = 2 << 20;
  cab.SetMode(TCABFile::modeExtractAll);
  try {
    cab.ProcessCabinet();
    ADD_FAILURE() << "not refused";
  } catch (const ECABFileRefused& e) {
    EXPECT_NE(std::string(e.what()).find(cab.CABFile), std::string::npos) << e.what();
    EXPECT_NE(std::string(e.what()).find("2 MB allowed"), std::string::npos) << e.what();
  }
  EXPECT_EQ(FileCount(Dir / "out"), 0u) << "not even the small members";
  // Only the members a run writes count.
  EXPECT_TRUE(cab.ExtractFile("b.txt"));
  EXPECT_EQ(ReadAll(Dir / "out" / "b.txt"), "b");
  EXPECT_THROW(cab.ExtractFile("zeros.bin"), ECABFileRefused);
  EXPECT_FALSE(fs::exists(Dir / "out" / "zeros.bin"));
  cab.MaxExtractBytes = 4 << 20;
  cab.SetMode(TCABFile::modeExtractAll);
  EXPECT_EQ(cab.ProcessCabinet(), 0);
  EXPECT_EQ(fs::file_size(Dir / "out" / "zeros.bin"), uintmax_t(3 << 20));

  // Members that claim 4 GB each, 80 TB together, more than any disk has
  // free: refused without a bound of the run's own, and before the
  // cabinet's own structure (which such a claim breaks) is looked at.
  fs::remove_all(Dir / "out");
  fs::create_directories(Dir / "out");
  std::vector<TCabinetMember> many;
  for (int i = 0; i < 20000; ++i) many.push_back({"m" + std::to_string(i), {'x'}});
  auto lying = CabinetWithLyingSizes(many, 0xFFFFFFFFu);
  WriteAll(Dir / "big.cab", std::string(lying.begin(), lying.end()));
  cab.MaxExtractBytes = 0;
  try {
    cab.ProcessCabinet();
    ADD_FAILURE() << "not refused";
  } catch (const ECABFileRefused& e) {
    EXPECT_NE(std::string(e.what()).find("is free on the disk of " + Out), std::string::npos) << e.what();
  }
  EXPECT_EQ(FileCount(Dir / "out"), 0u);
}

TEST_F(CabFile, SystemErrorsShowTheirTextInAnErrorBox) {
  ShowCabSystemError(0);
  EXPECT_TRUE(Prompts.empty());
  ShowCabSystemError(ERROR_ACCESS_DENIED);
  ASSERT_EQ(Prompts.size(), 1u);
  EXPECT_TRUE(Prompts[0].starts_with("Error: ")) << Prompts[0];
  EXPECT_GT(Prompts[0].size(), 8u);
  Prompts.clear();
}
