// The game files that the Settings dialog's tools write: lines kept with their
// own line endings, map cycles, liblist.gam keys, binds and key maps.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "Binds.h"
#include "GameText.h"
#include "Liblist.h"

using Lines = std::vector<std::string>;

TEST(GameText, RoundTripsLineEndingsAndTheLastBreak) {
  for (const char* bytes : {"a\r\nb\r\n", "a\nb\n", "a\rb", "a\r\n\r\nb", "", "\n", "x", "a\nb\r\nc\rd\r\n\n"}) {
    TGameText t = ParseGameText(bytes);
    EXPECT_EQ(FormatGameText(t), bytes);
  }
  TGameText unix = ParseGameText("one\ntwo");
  EXPECT_EQ(unix.Lines, (Lines{"one", "two"}));
  unix.Lines.push_back("three");
  EXPECT_EQ(FormatGameText(unix), "one\ntwo\nthree");
  EXPECT_EQ(FormatGameText(WithLines(TGameText{}, {"new"})), "new\r\n");
}

TEST(GameText, PlainFileNamesOnly) {
  for (const char* good : {"config", "my mod", "cstrike", "autoexec.cfg", "a.b"})
    EXPECT_TRUE(IsPlainFileName(good)) << good;
  for (const char* bad : {"", "  ", "..", "..\\x", "../x", "a\\b", "a/b", "c:x", "C:\\Windows\\win", "a..b", "a*",
                          "a?", "a|b", "tab\t"})
    EXPECT_FALSE(IsPlainFileName(bad)) << bad;
}

TEST(MapCycle, CountsOnlyMapLines) {
  EXPECT_EQ(CountMaps({"// comment", "", "crossfire", "   // indented comment", "  ", " bounce ", "datacore"}), 3);
  EXPECT_EQ(CountMaps({}), 0);
}

TEST(MapCycle, ShuffleIsAPermutationAndMovesALongList) {
  Lines lines;
  for (int i = 0; i < 40; ++i) lines.push_back("map" + std::to_string(i));
  Lines shuffled = lines;
  std::mt19937 random(7);
  ShuffleLines(shuffled, [&](int below) { return int(std::uniform_int_distribution<int>(0, below - 1)(random)); });
  EXPECT_NE(shuffled, lines);
  Lines sorted = shuffled;
  std::sort(sorted.begin(), sorted.end());
  Lines expected = lines;
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(sorted, expected);

  Lines one{"only"}, none;
  ShuffleLines(one, [](int) -> int { throw std::logic_error("asked"); });
  ShuffleLines(none, [](int) -> int { throw std::logic_error("asked"); });
  EXPECT_EQ(one, Lines{"only"});
  EXPECT_TRUE(none.empty());
}

TEST(Liblist, ValueOfTheLastMatchingLine) {
  Lines lines{"GAME \"First\"", "url_info \"www.a.com\"", "game \"Second\" // note", "gamedll_linux \"x.so\""};
  EXPECT_EQ(LiblistValue(lines, "game "), "Second");
  EXPECT_EQ(LiblistValue(lines, "gamedll "), "");
  EXPECT_EQ(LiblistValue(lines, "url_info "), "www.a.com");
  EXPECT_EQ(LiblistKeys().size(), 15u);
  EXPECT_NE(std::string(LiblistKeys()[9].Hint).find('|'), std::string::npos);
}

TEST(Liblist, SettingAValue) {
  Lines lines{"// my mod", "  GAME   \"Old\"  // kept", "type \"multiplayer_only\""};
  SetLiblistValue(lines, "game ", "My Mod");
  EXPECT_EQ(lines[1], "game \"My Mod\"  // kept");
  EXPECT_EQ(lines[0], "// my mod");
  SetLiblistValue(lines, "version ", "1.2");
  EXPECT_EQ(lines.back(), "version \"1.2\"");
  SetLiblistValue(lines, "version ", "");
  EXPECT_EQ(lines.back(), "version \"1.2\"");

  Lines tight{"game\"Tight\""};
  SetLiblistValue(tight, "game ", "X");
  EXPECT_EQ(tight, (Lines{"game\"Tight\"", "game \"X\""}));

  Lines oneQuote{"startmap \"c0a0 rest"}, noQuote{"startmap c0a0"};
  SetLiblistValue(oneQuote, "startmap ", "t0a0");
  EXPECT_EQ(oneQuote[0], "startmap \"t0a0\"c0a0 rest");
  SetLiblistValue(noQuote, "startmap ", "t0a0");
  EXPECT_EQ(noQuote, Lines{"startmap c0a0"});

  Lines dll{"gamedll_linux \"hl.so\""};
  SetLiblistValue(dll, "gamedll ", "hl.dll");
  EXPECT_EQ(dll, (Lines{"gamedll_linux \"hl.so\"", "gamedll \"hl.dll\""}));
}

TEST(Binds, InTheSyntaxOfEachGame) {
  for (const char* quoted : {"half-life", "Half-Life", "quake", "hexen2"})
    EXPECT_EQ(BindLine(quoted, "w", "+forward"), "bind \"w\" \"+forward\"") << quoted;
  for (const char* plain : {"quake 2", "quake 3", "sin", "kingpin"})
    EXPECT_EQ(BindLine(plain, "w", "+forward"), "bind w \"+forward\"") << plain;
  EXPECT_EQ(BindLine("sin", " x ", "say hi "), "bind  x  \"say hi \"");
}

TEST(Binds, KeymapOfTheBindLines) {
  Lines cfg{"unbindall", "bind \"w\" \"+forward\"", "BIND s \"+back\"", "name player", "unbind x",
            "  bind   \"mouse1\"   \"+attack\"  ", "UnBindAll"};
  EXPECT_EQ(KeymapLines(cfg), (Lines{"w +forward", "s +back", "un x", "mouse1   +attack"}));
}
