#include <gtest/gtest.h>

#include <algorithm>

#include "MainWindow.h"
#include "StartCommand.h"

TEST(StartCommand, TemplateTakesTheModForEveryPercentS) {
  EXPECT_EQ(ExpandModParam("quake -game %s", "ctf"), "quake -game ctf");
  EXPECT_EQ(ExpandModParam("hl -game %s +exec %s.cfg", "tfc"), "hl -game tfc +exec tfc.cfg");
  EXPECT_EQ(ExpandModParam("quake3 +set fs_game %s 100%%", "osp"), "quake3 +set fs_game osp 100%");
  EXPECT_EQ(ExpandModParam("quake", ""), "quake");
  // A mod folder is never read as a template itself.
  EXPECT_EQ(ExpandModParam("quake -game %s", "%d%n"), "quake -game %d%n");
}

TEST(StartCommand, AModFolderWithABlankIsQuotedWhereTheTemplateLeavesItBare) {
  EXPECT_EQ(ExpandModParam("hl -game %s", "my mod"), "hl -game \"my mod\"");
  EXPECT_EQ(ExpandModParam("hl -game %s +exec %s.cfg", "my mod"), "hl -game \"my mod\" +exec \"my mod\".cfg");
  EXPECT_EQ(ExpandModParam("q3 +set fs_game \"%s\"", "my mod"), "q3 +set fs_game \"my mod\"");
  EXPECT_EQ(ExpandModParam("q3 \"+set fs_game %s\" -x %s", "a\tb"), "q3 \"+set fs_game a\tb\" -x \"a\tb\"");
  // Names without a blank, and the other games' command lines, stay as they were.
  EXPECT_EQ(ExpandModParam("hl -game \"%s\"", "tfc"), "hl -game \"tfc\"");
  EXPECT_EQ(ExpandModParam("hl -game %s", "tfc"), "hl -game tfc");
}

TEST(StartCommand, OtherPlaceholdersRaise) {
  for (const char* bad : {"quake -game %d", "quake %", "quake -game %1:s", "quake %-10s", "q %n"})
    EXPECT_THROW(ExpandModParam(bad, "ctf"), EConvertError) << bad;
}

TEST(StartCommand, QuakeExampleAndItsVariants) {
  TStartEntry e{"quake -game %s", "ctf", "e1m1", "winmem 16", "quake"};
  EXPECT_EQ(StartCommandLine("C:\\Quake", StartParameters(e, "")), "C:\\Quake\\quake -game ctf +map e1m1 -winmem 16");
  // A map chosen for this start wins over the entry's map.
  EXPECT_EQ(StartParameters(e, "dm3"), "quake -game ctf +map dm3 -winmem 16");
  EXPECT_EQ(StartParameters(e, "  "), "quake -game ctf +map e1m1 -winmem 16");
  for (const char* none : {"<NONE>", "<none>", "<None>", ""}) {
    e.Map = none;
    EXPECT_EQ(StartParameters(e, ""), "quake -game ctf -winmem 16") << none;
  }
  // The memory option is Quake's only, and a blank one adds nothing.
  e.WinMem = "<DEFAULT>";
  EXPECT_EQ(StartParameters(e, ""), "quake -game ctf");
  e.WinMem = "  ";
  EXPECT_EQ(StartParameters(e, ""), "quake -game ctf");
  e.WinMem = "winmem 16";
  e.Game = "Quake 2";
  EXPECT_EQ(StartParameters(e, ""), "quake -game ctf");
  e.Game = "QUAKE";
  EXPECT_EQ(StartParameters(e, ""), "quake -game ctf -winmem 16");
}

TEST(StartCommand, ExecutableQuotedOnlyWhenItsPathHoldsABlank) {
  EXPECT_EQ(StartCommandLine("C:\\Program Files\\Valve", "hl -game tfc"), "\"C:\\Program Files\\Valve\\hl\" -game tfc");
  EXPECT_EQ(StartCommandLine("C:\\Program Files\\Valve", "hl"), "\"C:\\Program Files\\Valve\\hl\"");
  EXPECT_EQ(StartCommandLine("C:\\Games", "hl -game tfc"), "C:\\Games\\hl -game tfc");
  EXPECT_EQ(StartCommandLine("", "quake -game ctf"), "\\quake -game ctf");
}

TEST(StartCommand, ShuffleKeepsTheLinesAndSwapsTwo) {
  std::mt19937 random(7);
  TStringList one;
  one.Add("crossfire");
  ShuffleLines(one, random);
  EXPECT_EQ(one.Text(), "crossfire\r\n");
  for (int round = 0; round < 20; ++round) {
    TStringList two;
    two.SetText("a\nb\n");
    ShuffleLines(two, random);
    EXPECT_EQ(two.Text(), "b\r\na\r\n");
  }
  TStringList many, empty;
  for (int i = 0; i < 30; ++i) many.Add("map" + std::to_string(i));
  ShuffleLines(many, random);
  ShuffleLines(empty, random);
  std::vector<std::string> original;
  for (int i = 0; i < 30; ++i) original.push_back("map" + std::to_string(i));
  EXPECT_NE(many.Items(), original);
  std::vector<std::string> sorted = many.Items();
  std::sort(sorted.begin(), sorted.end());
  std::vector<std::string> expected;
  for (int i = 0; i < 30; ++i) expected.push_back("map" + std::to_string(i));
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(sorted, expected);
  EXPECT_EQ(empty.Count(), 0);
}

TEST(StartCommand, ErrorMessagesByCode) {
  EXPECT_EQ(StartErrorMessage(0), "Out of memory or resources.");
  EXPECT_EQ(StartErrorMessage(2), "File was not found.");
  EXPECT_EQ(StartErrorMessage(3), "Path was not found.");
  EXPECT_EQ(StartErrorMessage(5), "Access denied.");
  EXPECT_EQ(StartErrorMessage(8), "Out of memory.");
  EXPECT_EQ(StartErrorMessage(11), "Game .exe is invalid.");
  EXPECT_EQ(StartErrorMessage(26), "Sharing violation.");
  EXPECT_EQ(StartErrorMessage(267), "The directory name is invalid.");
  EXPECT_EQ(StartErrorMessage(193), "Unknown error (number 193)");
}

TEST(IniNames, StripAndValidate) {
  EXPECT_EQ(StripIniChars("[Quake]=1"), "Quake1");
  EXPECT_FALSE(IsValidIniName("a=b"));
  EXPECT_FALSE(IsValidIniName("[x"));
  EXPECT_TRUE(IsValidIniName("Quake (quake)"));
}
