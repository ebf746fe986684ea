#include "entrylist_fixture.h"

#include <algorithm>

#include "StartCommand.h"

using namespace bxtest;

namespace {
// The lines the fake game wrote: command line TAB working folder.
// The fake game keeps its program file busy until its process has ended,
// which a loaded machine may take a while to finish: retry for up to 10 s.
template <class Step>
bool WhenFree(Step step) {
  for (int wait = 0; wait < 200; ++wait) {
    if (step()) return true;
    Sleep(50);
  }
  return false;
}

std::vector<std::string> Starts(const std::string& folder, size_t expected) {
  std::vector<std::string> lines;
  for (int wait = 0; wait < 200; ++wait) {
    std::string text = ReadAll(folder + "\\started.txt");
    lines.clear();
    size_t at = 0, end;
    while ((end = text.find("\r\n", at)) != std::string::npos) {
      lines.push_back(text.substr(at, end - at));
      at = end + 2;
    }
    if (lines.size() >= expected) break;
    Sleep(50);
  }
  return lines;
}

std::vector<std::string> SortedLines(const std::string& file) {
  TStringList lines;
  lines.LoadFromFile(file);
  std::vector<std::string> v = lines.Items();
  std::sort(v.begin(), v.end());
  return v;
}

class StartTest : public LauncherTest {
protected:
  std::string Quake = "C:\\Quake", HalfLife = "C:\\Half Life";

  void SetUp() override {
    LauncherTest::SetUp();
    for (const std::string& d : {Quake, HalfLife}) RemoveTree(d);
    CreateDirectoryA(Quake.c_str(), nullptr);
    CreateDirectoryA(HalfLife.c_str(), nullptr);
    ASSERT_TRUE(WhenFree([&] { return CopyFileA(BX_FAKEGAME, (Quake + "\\quake.exe").c_str(), FALSE); }));
    ASSERT_TRUE(WhenFree([&] { return CopyFileA(BX_FAKEGAME, (HalfLife + "\\hl.exe").c_str(), FALSE); }));
    WriteIni(GamesIni, "quake", "Sijainti", Quake);
    WriteIni(GamesIni, "half-life", "Sijainti", HalfLife);
  }

  void AddQuakeCtf() {
    AddEntry({"Capture the Flag", "quake", "ctf"});
    WriteIni(ModIni, "Capture the Flag", "map", "e1m1");
    WriteIni(ModIni, "Capture the Flag", "winmem", "winmem 16");
  }

  void WriteCycle(const std::string& folder, int lines) {
    CreateDirectoryA(folder.c_str(), nullptr);
    TStringList cycle;
    for (int i = 0; i < lines; ++i) cycle.Add("map" + std::to_string(i));
    cycle.SaveToFile(folder + "\\mapcycle.txt");
  }
};
}  // namespace

TEST_F(StartTest, QuakeExampleStartedByADoubleClickAndCounted) {
  AddQuakeCtf();
  Open();
  Form->Labels[0]->Click();
  Form->StartMap = "left over";
  Form->RowDblClick(Form->Labels[0]);
  auto starts = Starts(Quake, 1);
  ASSERT_EQ(starts.size(), 1u);
  EXPECT_EQ(starts[0], "C:\\Quake\\quake -game ctf +map e1m1 -winmem 16\tC:\\Quake");
  EXPECT_TRUE(Prompts.empty());
  EXPECT_EQ(ReadIni(Counts, "quake", "ctf"), "1");
  EXPECT_EQ(ReadIni(Stats, "Asetukset", "Laskuri"), "1");
  EXPECT_EQ(Form->StartCounter, 1);
  EXPECT_FALSE(Closed);

  Form->Start(0);
  ASSERT_EQ(Starts(Quake, 2).size(), 2u);
  EXPECT_EQ(ReadIni(Counts, "quake", "ctf"), "2");
  EXPECT_EQ(ReadIni(Stats, "Asetukset", "Laskuri"), "2");
}

TEST_F(StartTest, StartMapWinsAndIsClearedOnlyAfterASuccess) {
  AddQuakeCtf();
  Open();
  Form->StartMap = "dm3";
  Form->Start(0);
  auto starts = Starts(Quake, 1);
  ASSERT_EQ(starts.size(), 1u);
  EXPECT_EQ(starts[0], "C:\\Quake\\quake -game ctf +map dm3 -winmem 16\tC:\\Quake");
  EXPECT_EQ(Form->StartMap, "");

  ASSERT_TRUE(WhenFree([&] { return DeleteFileA((Quake + "\\quake.exe").c_str()); }));
  Form->StartMap = "dm4";
  Form->Start(0);
  ASSERT_EQ(Prompts.size(), 1u);
  EXPECT_EQ(Prompts[0].Text, "File was not found.");
  EXPECT_EQ(Prompts[0].Caption, ApplicationTitle());
  EXPECT_EQ(Form->StartMap, "dm4");
  EXPECT_EQ(ReadIni(Counts, "quake", "ctf"), "1");
  EXPECT_EQ(Form->StartCounter, 1);
}

TEST_F(StartTest, PlainGameCountsUnderItsEmptyKeyAndNoneAddsNoMap) {
  AddEntry({"Quake", "Quake", "", "quake"});
  WriteIni(ModIni, "Quake", "map", "<NONE>");
  WriteIni(ModIni, "Quake", "winmem", "");
  WriteIni(Counts, "Quake", "ctf", "4");
  Open();
  Form->Start(0);
  auto starts = Starts(Quake, 1);
  ASSERT_EQ(starts.size(), 1u);
  EXPECT_EQ(starts[0], "C:\\Quake\\quake\tC:\\Quake");
  EXPECT_EQ(ReadIni(Counts, "Quake", "<>"), "1");
  EXPECT_EQ(ReadIni(Counts, "Quake", "ctf"), "4");
}

TEST_F(StartTest, HalfLifeInAFolderWithABlankShufflesTheModsCycle) {
  AddEntry({"Team Fortress", "half-life", "tfc", "hl -game %s"});
  WriteIni(ModIni, "Team Fortress", "randommapcycle", "1");
  WriteCycle(HalfLife + "\\tfc", 12);
  WriteCycle(HalfLife + "\\valve", 12);
  const auto before = SortedLines(HalfLife + "\\tfc\\mapcycle.txt");
  const std::string original = ReadAll(HalfLife + "\\tfc\\mapcycle.txt");
  Open();
  Form->Start(0);
  auto starts = Starts(HalfLife, 1);
  ASSERT_EQ(starts.size(), 1u);
  EXPECT_EQ(starts[0], "\"C:\\Half Life\\hl\" -game tfc\tC:\\Half Life");
  EXPECT_EQ(SortedLines(HalfLife + "\\tfc\\mapcycle.txt"), before);
  EXPECT_NE(ReadAll(HalfLife + "\\tfc\\mapcycle.txt"), original);
  EXPECT_EQ(ReadAll(HalfLife + "\\valve\\mapcycle.txt"), original);
  EXPECT_EQ(ReadIni(Counts, "half-life", "tfc"), "1");
}

TEST_F(StartTest, HlmapcycleOptionIsTheDefaultAndFallsBackToValve) {
  AddEntry({"Deathmatch", "Half-Life", "dm", "hl -game %s"});
  AddEntry({"Single", "half-life", "one", "hl -game %s"});
  WriteIni(ModIni, "Single", "randommapcycle", "0");
  WriteIni(Options, "Asetukset", "hlmapcycle", "1");
  WriteCycle(HalfLife + "\\valve", 12);
  const std::string original = ReadAll(HalfLife + "\\valve\\mapcycle.txt");
  const auto before = SortedLines(HalfLife + "\\valve\\mapcycle.txt");
  Open();
  Form->Start(1);  // "Single": its own 0 wins over the option
  ASSERT_EQ(Starts(HalfLife, 1).size(), 1u);
  EXPECT_EQ(ReadAll(HalfLife + "\\valve\\mapcycle.txt"), original);
  Form->Start(0);  // "Deathmatch": no dm\mapcycle.txt, so valve's
  ASSERT_EQ(Starts(HalfLife, 2).size(), 2u);
  EXPECT_NE(ReadAll(HalfLife + "\\valve\\mapcycle.txt"), original);
  EXPECT_EQ(SortedLines(HalfLife + "\\valve\\mapcycle.txt"), before);

  // A one-line cycle comes back unchanged.
  WriteCycle(HalfLife + "\\dm", 1);
  const std::string one = ReadAll(HalfLife + "\\dm\\mapcycle.txt");
  Form->Start(0);
  ASSERT_EQ(Starts(HalfLife, 3).size(), 3u);
  EXPECT_EQ(ReadAll(HalfLife + "\\dm\\mapcycle.txt"), one);
}

TEST_F(StartTest, BadTemplateRaisesAndNothingIsShuffledStartedOrCounted) {
  AddEntry({"Broken", "half-life", "tfc", "hl -game %d"});
  WriteIni(ModIni, "Broken", "randommapcycle", "1");
  WriteCycle(HalfLife + "\\tfc", 12);
  const std::string original = ReadAll(HalfLife + "\\tfc\\mapcycle.txt");
  Open();
  EXPECT_THROW(Form->Start(0), EConvertError);
  Sleep(300);
  EXPECT_FALSE(Exists(HalfLife + "\\started.txt"));
  EXPECT_EQ(ReadAll(HalfLife + "\\tfc\\mapcycle.txt"), original);
  EXPECT_EQ(ReadIni(Counts, "half-life", "tfc"), "");
  EXPECT_EQ(Form->StartCounter, 0);
}

TEST_F(StartTest, FailuresShowTheirMessageAndCountNothing) {
  AddEntry({"A missing exe", "quake", "a", "nothere -game %s"});
  AddEntry({"B missing folder", "sin", "b", "sin"});
  AddEntry({"C no game record", "kingpin", "c", "kingpin"});
  AddEntry({"D not a program", "quake", "d", "junk -game %s"});
  WriteIni(GamesIni, "sin", "Sijainti", "C:\\No Such Folder");
  std::ofstream(Quake + "\\junk.exe") << "this is no program";
  Open();
  for (int row = 0; row < 4; ++row) Form->Start(row);
  ASSERT_EQ(Prompts.size(), 4u);
  // Wine looks for the program before the working folder, so a missing
  // folder reports the missing file as well.
  EXPECT_EQ(Prompts[0].Text, "File was not found.");
  EXPECT_EQ(Prompts[1].Text, "File was not found.");
  EXPECT_EQ(Prompts[2].Text, "File was not found.");
  EXPECT_EQ(Prompts[3].Text, "Unknown error (number 193)");
  EXPECT_EQ(Prompts[0].Buttons, mbOK);
  EXPECT_EQ(Form->StartCounter, 0);
  EXPECT_FALSE(Exists(Counts) && !ReadIni(Counts, "quake", "a").empty());
}

TEST_F(StartTest, SammutaClosesOnlyAfterASuccess) {
  AddQuakeCtf();
  AddEntry({"Missing", "quake", "m", "gone"});
  WriteIni(Options, "Asetukset", "Sammuta", "1");
  Open();
  Form->Start(1);  // "Missing"
  EXPECT_FALSE(Closed);
  Form->Start(0);
  EXPECT_TRUE(Closed);
  EXPECT_EQ(Starts(Quake, 1).size(), 1u);
}

TEST_F(StartTest, ACounterThatCannotBeWrittenDoesNotUndoTheStart) {
  AddQuakeCtf();
  WriteIni(Counts, "quake", "ctf", "3");
  RemoveIni(Counts);
  CreateDirectoryA(Counts.c_str(), nullptr);  // a folder where the file should be
  Open();
  Form->StartMap = "dm3";
  EXPECT_NO_THROW(Form->Start(0));
  EXPECT_EQ(Starts(Quake, 1).size(), 1u);
  EXPECT_EQ(Form->StartMap, "");
  EXPECT_EQ(ReadIni(Stats, "Asetukset", "Laskuri"), "1");
  RemoveDirectoryA(Counts.c_str());
}
