// "Find games" over the drives that run-discovery-tests.sh makes: E: and F:
// fixed, D: CD-ROM, N: network, R: removable (the last three hold a Quake).
#include <gtest/gtest.h>
#include <windows.h>

#include <set>

#include "discovery_fixture.h"
#include "Dialogs.h"
#include "GameDiscovery.h"
#include "SysUtils.h"

namespace {
const char* const GlQuakeQuestion =
    "Brannox 2000 has located GlQuake in your Quake directory, Do you want to use GlQuake with mods?";

void Exe(const std::string& folder, const std::string& exe) { WriteTextFile(folder + "\\" + exe, "MZ"); }

class TGameSearchTest : public TDiscoveryTest {
protected:
  void SetUp() override {
    TDiscoveryTest::SetUp();
    for (const char* drive : {"E:\\", "F:\\"}) {
      WIN32_FIND_DATAA fd;
      HANDLE h = FindFirstFileA((std::string(drive) + "*").c_str(), &fd);
      if (h == INVALID_HANDLE_VALUE) continue;
      do {
        std::string name = fd.cFileName;
        if (name != "." && name != "..") RemoveTree(drive + name);
      } while (FindNextFileA(h, &fd));
      FindClose(h);
    }
  }
  void TearDown() override {
    SetPromptHook(nullptr);
    TDiscoveryTest::TearDown();
  }
  std::string GameFolderOf(const std::string& game) { return Games->ReadString(game, "Sijainti", "<none>"); }
};
}  // namespace

TEST(CandidateLists, RowCountsAndForm) {
  const size_t counts[] = {18, 36, 31, 21, 7, 21, 36, 72, 28, 8, 8, 22};
  for (int n = 1; n <= 12; ++n) {
    SCOPED_TRACE(n);
    const auto& rows = CandidateList(n);
    EXPECT_EQ(rows.size(), counts[n - 1]);
    std::set<std::string> unique;
    for (const std::string& row : rows) {
      EXPECT_TRUE(row.rfind(":\\", 0) == 0) << row;
      EXPECT_TRUE(unique.insert(LowerCase(row)).second) << row;
    }
  }
  EXPECT_TRUE(CandidateList(0).empty());
  EXPECT_TRUE(CandidateList(13).empty());
}

TEST(CandidateLists, RowOrder) {
  using R = std::vector<std::string>;
  auto at = [](int list, std::initializer_list<int> idx) {
    R out;
    for (int i : idx) out.push_back(CandidateList(list)[i]);
    return out;
  };
  EXPECT_EQ(CandidateList(1), (R{":\\Quake", ":\\Program Files\\Quake", ":\\ProgramFiles\\Quake",
                                 ":\\Ohjelmatiedostot\\Quake", ":\\Ohjelma tiedostot\\Quake", ":\\Quake1",
                                 ":\\Program Files\\Quake1", ":\\ProgramFiles\\Quake1", ":\\Ohjelmatiedostot\\Quake1",
                                 ":\\Ohjelma tiedostot\\Quake1", ":\\Games\\Quake", ":\\Games\\Quake1",
                                 ":\\Pelit\\Quake", ":\\Pelit\\Quake1", ":\\Id\\Quake", ":\\Id\\Quake1",
                                 ":\\Idsoftware\\Quake", ":\\Idsoftware\\Quake1"}));
  EXPECT_EQ(at(2, {0, 5, 10, 11, 12, 13, 14, 24, 28, 29, 35}),
            (R{":\\Quake2", ":\\Quake 2", ":\\Games\\Quake2", ":\\Games\\Quake 2", ":\\Pelit\\Quake2",
               ":\\Pelit\\Quake 2", ":\\QuakeII", ":\\Games\\QuakeII", ":\\Id\\Quake2", ":\\Id\\Quake 2",
               ":\\Idsoftware\\Quake II"}));
  EXPECT_EQ(at(3, {0, 3, 4, 6, 7, 10, 11, 30}),
            (R{":\\Sierra\\Half-Life", ":\\Sierra\\H-L", ":\\Half-Life", ":\\HL", ":\\Program Files\\Half-Life",
               ":\\Program Files\\H-L", ":\\ProgramFiles\\Half-Life", ":\\Pelit\\H-L"}));
  EXPECT_EQ(at(4, {0, 5, 7, 8, 9, 12, 13, 17, 20}),
            (R{":\\Sin", ":\\Games\\Sin", ":\\Activision\\Sin", ":\\Ritual\\Sin", ":\\Program Files\\Ritual\\Sin",
               ":\\Ohjelma tiedostot\\Ritual\\Sin", ":\\Program Files\\Activision\\Sin",
               ":\\Program Files\\Activision\\Ritual\\Sin", ":\\Ohjelma tiedostot\\Activision\\Ritual\\Sin"}));
  EXPECT_EQ(CandidateList(5), (R{":\\KingPin", ":\\Program Files\\KingPin", ":\\ProgramFiles\\KingPin",
                                 ":\\Ohjelmatiedostot\\KingPin", ":\\Ohjelma tiedostot\\KingPin",
                                 ":\\Games\\KingPin", ":\\Pelit\\KingPin"}));
  EXPECT_EQ(at(6, {0, 6, 7, 13, 14, 20}),
            (R{":\\SoF", ":\\Pelit\\SoF", ":\\Soldier of Fortune", ":\\Pelit\\Soldier of Fortune",
               ":\\SoldierofFortune", ":\\Pelit\\SoldierofFortune"}));
  EXPECT_EQ(at(7, {0, 5, 10, 12, 14, 16, 17, 18, 35}),
            (R{":\\Hexen2", ":\\Hexen 2", ":\\Games\\Hexen2", ":\\Pelit\\Hexen2", ":\\Id\\Hexen2",
               ":\\Idsoftware\\Hexen2", ":\\Idsoftware\\Hexen 2", ":\\HexenII", ":\\Idsoftware\\Hexen II"}));
  EXPECT_EQ(at(8, {0, 6, 7, 13, 62, 63, 64, 65, 66, 67, 68, 69, 70, 71}),
            (R{":\\Quake3", ":\\Quake III Arena", ":\\Program Files\\Quake3", ":\\Program Files\\Quake III Arena",
               ":\\Idsoftware\\Quake III Arena", ":\\Q3Ademo", ":\\pelit\\Q3Ademo", ":\\games\\Q3Ademo",
               ":\\Idsoftware\\Q3Ademo", ":\\Id\\Q3Ademo", ":\\Ohjelmatiedostot\\Q3Ademo",
               ":\\Ohjelma tiedostot\\Q3Ademo", ":\\Program Files\\Q3Ademo", ":\\ProgramFiles\\Q3Ademo"}));
  EXPECT_EQ(at(9, {0, 1, 2, 3, 4, 27}),
            (R{":\\Heretic2", ":\\Heretic 2", ":\\HereticII", ":\\Heretic II", ":\\Program Files\\Heretic2",
               ":\\Pelit\\Heretic II"}));
  EXPECT_EQ(CandidateList(10), (R{":\\Sierra\\Gunman", ":\\Gunman", ":\\Program Files\\Gunman",
                                  ":\\ProgramFiles\\Gunman", ":\\Ohjelmatiedostot\\Gunman",
                                  ":\\Ohjelma tiedostot\\Gunman", ":\\Games\\Gunman", ":\\Pelit\\Gunman"}));
  EXPECT_EQ(at(11, {0, 1, 7}), (R{":\\Ionstorm\\Daikatana", ":\\Daikatana", ":\\Pelit\\Daikatana"}));
  EXPECT_EQ(at(12, {0, 1, 7, 8, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21}),
            (R{":\\Ravensoftware\\Eliteforce", ":\\Eliteforce", ":\\Pelit\\Eliteforce",
               ":\\Ravensoftware\\Startrek Eliteforce", ":\\Ravensoftware\\Star trek Elite force",
               ":\\Startrek Eliteforce", ":\\Program Files\\Startrek Eliteforce",
               ":\\ProgramFiles\\Startrek Eliteforce", ":\\Program Files\\Star trek Eliteforce",
               ":\\ProgramFiles\\Star trek Eliteforce", ":\\Ohjelmatiedostot\\Startrek Eliteforce",
               ":\\Ohjelma tiedostot\\Startrek Eliteforce", ":\\Ohjelmatiedostot\\Star trek Eliteforce",
               ":\\Ohjelma tiedostot\\Star trek Eliteforce", ":\\Games\\Startrek Eliteforce",
               ":\\Pelit\\Startrek Eliteforce"}));
}

TEST(CandidateLists, GameKeysInAnyCaseAndTheirAliases) {
  struct {
    const char* key;
    int list;
    const char* exe;
  } cases[] = {{"Quake", 1, "\\quake.exe"},         {"Quake 2", 2, "\\quake2.exe"},
               {"QUAKE2", 2, "\\quake2.exe"},       {"Half-Life", 3, "\\hl.exe"},
               {"SiN", 4, "\\sin.exe"},             {"Kingpin", 5, "\\kingpin.exe"},
               {"SoF", 6, "\\sof.exe"},             {"Soldier of Fortune", 6, "\\sof.exe"},
               {"Hexen2", 7, "\\h2.exe"},           {"q3", 8, "\\quake3.exe"},
               {"Quake 3", 8, "\\quake3.exe"},      {"Quake 3 Arena", 8, "\\quake3.exe"},
               {"quake3", 8, "\\quake3.exe"},       {"Heretic2", 9, "\\heretic2.exe"},
               {"Gunman", 10, "\\gunman.exe"},      {"Daikatana", 11, "\\daikatana.exe"},
               {"EliteForce", 12, "\\eliteforce.exe"}, {"Elite Force", 12, "\\eliteforce.exe"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.key);
    const std::vector<std::string>* rows = nullptr;
    std::string exe;
    ASSERT_TRUE(GameSearchData(c.key, rows, exe));
    EXPECT_EQ(rows, &CandidateList(c.list));
    EXPECT_EQ(exe, c.exe);
  }
  const std::vector<std::string>* rows = nullptr;
  std::string exe;
  for (const char* other : {"doom", "quake 4", "q2", "halflife", ""}) EXPECT_FALSE(GameSearchData(other, rows, exe));
}

TEST(FixedDrives, OnlyFixedDrivesInLetterOrder) {
  // The drives of the test prefix, as its script typed them.
  EXPECT_EQ(GetDriveTypeA("D:\\"), UINT(DRIVE_CDROM));
  EXPECT_EQ(GetDriveTypeA("E:\\"), UINT(DRIVE_FIXED));
  EXPECT_EQ(GetDriveTypeA("N:\\"), UINT(DRIVE_REMOTE));
  EXPECT_EQ(GetDriveTypeA("R:\\"), UINT(DRIVE_REMOVABLE));
  EXPECT_EQ(FixedDriveLetters(), "CEFZ");
}

TEST_F(TGameSearchTest, LowerDriveLetterWinsThenEarlierRow) {
  AddGame("quake", "", "", "");
  AddGame("half-life", "", "", "");
  Exe("F:\\Quake", "quake.exe");             // first row, but on the later drive
  Exe("E:\\Idsoftware\\Quake1", "quake.exe");  // last row
  Exe("E:\\Pelit\\Half-Life", "hl.exe");
  Exe("E:\\Program Files\\HL", "hl.exe");    // earlier row than Pelit\Half-Life
  SetPromptHook([](const TPromptRequest&) { return int(mrNo); });
  ASSERT_TRUE(FindGames(*Games));
  EXPECT_EQ(GameFolderOf("quake"), "E:\\Idsoftware\\Quake1");
  EXPECT_EQ(GameFolderOf("half-life"), "E:\\Program Files\\HL");
  EXPECT_EQ(Games->ReadString("quake", "Oletus", ""), "quake -game %s");
  EXPECT_EQ(Games->ReadString("quake", "GameOletus", ""), "quake");
  // Only Quake gets its commands chosen.
  EXPECT_FALSE(Games->ValueExists("half-life", "Oletus"));
}

TEST_F(TGameSearchTest, GamesOnlyOnOtherDriveKindsAreNotFound) {
  // D:, N: and R: each hold Quake and Half-Life; none of them is searched.
  AddGame("quake", "E:\\Gone", "keep -game %s", "keep");
  AddGame("half-life", "", "", "");
  ASSERT_TRUE(FindGames(*Games));
  EXPECT_EQ(GameFolderOf("quake"), "<none>");
  EXPECT_EQ(GameFolderOf("half-life"), "<none>");
  EXPECT_EQ(Games->ReadString("quake", "Oletus", ""), "keep -game %s");
}

TEST_F(TGameSearchTest, AStoredFolderThatStillHoldsTheGameIsKept) {
  AddGame("quake", "E:\\My Games\\Q1", "mine -game %s", "mine");
  Exe("E:\\My Games\\Q1", "quake.exe");
  Exe("E:\\Quake", "quake.exe");
  Exe("E:\\Quake", "glquake.exe");
  int prompts = 0;
  SetPromptHook([&](const TPromptRequest&) { return ++prompts, int(mrYes); });
  ASSERT_TRUE(FindGames(*Games));
  EXPECT_EQ(GameFolderOf("quake"), "E:\\My Games\\Q1");
  EXPECT_EQ(Games->ReadString("quake", "Oletus", ""), "mine -game %s");
  EXPECT_EQ(prompts, 0);
}

TEST_F(TGameSearchTest, AStaleFolderOnAFixedDriveIsReplacedOrRemoved) {
  AddGame("quake 2", "E:\\Old\\Quake2", "", "");
  AddGame("sin", "F:\\Old\\Sin", "", "");
  Exe("F:\\Games\\Quake II", "quake2.exe");
  ASSERT_TRUE(FindGames(*Games));
  EXPECT_EQ(GameFolderOf("quake 2"), "F:\\Games\\Quake II");
  EXPECT_EQ(GameFolderOf("sin"), "<none>");
}

TEST_F(TGameSearchTest, AnExistingFolderWithoutTheExecutableIsKeptUnlessTheSearchFindsTheGame) {
  // The user's own folders: Quake started through another program, and a
  // Half-Life folder that the search can correct.
  AddGame("quake", "E:\\My Quake", "winquake -game %s", "winquake");
  Exe("E:\\My Quake", "winquake.exe");
  AddGame("half-life", "F:\\Steam HL", "", "");
  MakeDirs("F:\\Steam HL\\valve");
  Exe("F:\\Half-Life", "hl.exe");
  int prompts = 0;
  SetPromptHook([&](const TPromptRequest&) { return ++prompts, int(mrYes); });
  ASSERT_TRUE(FindGames(*Games));
  EXPECT_EQ(GameFolderOf("quake"), "E:\\My Quake");
  EXPECT_EQ(Games->ReadString("quake", "Oletus", ""), "winquake -game %s");
  EXPECT_EQ(Games->ReadString("quake", "GameOletus", ""), "winquake");
  EXPECT_EQ(prompts, 0);
  EXPECT_EQ(GameFolderOf("half-life"), "F:\\Half-Life");
}

TEST_F(TGameSearchTest, AStoredFolderOnADriveTheSearchCannotSeeIsKept) {
  // Removable, network and absent drives, and network paths: an offline
  // folder there is not the search's to judge.
  AddGame("sin", "R:\\Sin", "", "");
  AddGame("kingpin", "X:\\Games\\Kingpin", "", "");
  AddGame("daikatana", "\\\\server\\games\\Daikatana", "", "");
  AddGame("gunman", "D:\\Gunman", "", "");
  Exe("E:\\KingPin", "kingpin.exe");
  ASSERT_TRUE(FindGames(*Games));
  EXPECT_EQ(GameFolderOf("sin"), "R:\\Sin");
  EXPECT_EQ(GameFolderOf("kingpin"), "X:\\Games\\Kingpin");
  EXPECT_EQ(GameFolderOf("daikatana"), "\\\\server\\games\\Daikatana");
  EXPECT_EQ(GameFolderOf("gunman"), "D:\\Gunman");
}

TEST_F(TGameSearchTest, GlQuakeQuestionAnsweredYes) {
  AddGame("quake", "", "", "");
  Exe("E:\\Quake", "quake.exe");
  Exe("E:\\Quake", "glquake.exe");
  Exe("F:\\Quake", "quake.exe");
  Exe("F:\\Quake", "glquake.exe");
  std::vector<TPromptRequest> asked;
  SetPromptHook([&](const TPromptRequest& r) { return asked.push_back(r), int(mrYes); });
  ASSERT_TRUE(FindGames(*Games));
  ASSERT_EQ(asked.size(), 1u);  // once, for the folder that is chosen
  EXPECT_EQ(asked[0].Text, GlQuakeQuestion);
  EXPECT_EQ(asked[0].Buttons, mbYesNo);
  EXPECT_EQ(asked[0].Caption, "Information");
  EXPECT_EQ(GameFolderOf("quake"), "E:\\Quake");
  EXPECT_EQ(Games->ReadString("quake", "Oletus", ""), "glquake -game %s");
  EXPECT_EQ(Games->ReadString("quake", "GameOletus", ""), "glquake");
}

TEST_F(TGameSearchTest, GlQuakeQuestionAnsweredNoAndNoQuestionWithoutGlQuake) {
  AddGame("Quake", "", "glquake -game %s", "glquake");
  Exe("E:\\Games\\Quake", "quake.exe");
  Exe("E:\\Games\\Quake", "glquake.exe");
  SetPromptHook([&](const TPromptRequest&) { return int(mrNo); });
  ASSERT_TRUE(FindGames(*Games));
  EXPECT_EQ(Games->ReadString("quake", "Oletus", ""), "quake -game %s");
  EXPECT_EQ(Games->ReadString("quake", "GameOletus", ""), "quake");

  RemoveTree("E:\\Games");
  Exe("F:\\Quake1", "quake.exe");
  Games->WriteString("quake", "Oletus", "glquake -game %s");
  int prompts = 0;
  SetPromptHook([&](const TPromptRequest&) { return ++prompts, int(mrYes); });
  ASSERT_TRUE(FindGames(*Games));
  EXPECT_EQ(prompts, 0);
  EXPECT_EQ(GameFolderOf("quake"), "F:\\Quake1");
  EXPECT_EQ(Games->ReadString("quake", "Oletus", ""), "quake -game %s");
}

TEST_F(TGameSearchTest, KeysInOtherCasesAliasesAndUnknownGames) {
  AddGame("Quake 2", "", "", "");
  AddGame("q3", "", "", "");
  AddGame("Elite Force", "", "", "");
  AddGame("Soldier of Fortune", "", "", "");
  AddGame("HEXEN2", "", "", "");
  AddGame("doom", "E:\\Nowhere", "", "");
  Exe("E:\\Id\\Quake II", "quake2.exe");
  Exe("F:\\Pelit\\Q3Ademo", "quake3.exe");
  Exe("E:\\Ravensoftware\\Star trek Elite force", "eliteforce.exe");
  Exe("F:\\Pelit\\SoldierofFortune", "sof.exe");
  Exe("E:\\Idsoftware\\Hexen II", "h2.exe");
  ASSERT_TRUE(FindGames(*Games));
  EXPECT_EQ(GameFolderOf("Quake 2"), "E:\\Id\\Quake II");
  EXPECT_EQ(GameFolderOf("q3"), "F:\\pelit\\Q3Ademo");  // the row's own spelling
  EXPECT_EQ(GameFolderOf("Elite Force"), "E:\\Ravensoftware\\Star trek Elite force");
  EXPECT_EQ(GameFolderOf("Soldier of Fortune"), "F:\\Pelit\\SoldierofFortune");
  EXPECT_EQ(GameFolderOf("HEXEN2"), "E:\\Idsoftware\\Hexen II");
  EXPECT_EQ(GameFolderOf("doom"), "E:\\Nowhere");  // not a game the search knows
}

TEST_F(TGameSearchTest, ASecondSearchDoesNotStartWhileOneRuns) {
  AddGame("quake", "", "", "");
  Exe("E:\\Quake", "quake.exe");
  Exe("E:\\Quake", "glquake.exe");
  bool inner = true;
  SetPromptHook([&](const TPromptRequest&) {
    TIniFile other(App + "Other.ini");
    inner = FindGames(other);
    return int(mrNo);
  });
  ASSERT_TRUE(FindGames(*Games));
  EXPECT_FALSE(inner);
}

TEST_F(TGameSearchTest, LauncherWithFakeQuakeAndHalfLifeGetsGamesAndEntries) {
  // The delivered Games.ini: commands, names and logos, no folders yet.
  AddGame("quake", "", "quake -game %s", "quake", "Quake", "quake.bmp");
  AddGame("half-life", "", "hl.exe -game %s", "hl.exe", "Half-Life", "hl.bmp");
  Exe("F:\\Sierra\\Half-Life", "hl.exe");
  WriteTextFile("F:\\Sierra\\Half-Life\\cstrike\\liblist.gam", "game \"Counter-Strike\"\r\n");
  WriteTextFile("F:\\Sierra\\Half-Life\\mymod\\liblist.gam", "game \"my own mod\"\r\nurl_info \"http://my\"\r\n");
  Exe("E:\\Games\\Quake", "quake.exe");
  MakeDirs("E:\\Games\\Quake\\id1");
  MakeDirs("E:\\Games\\Quake\\ctf");
  SetPromptHook([](const TPromptRequest&) { return int(mrNo); });
  ASSERT_TRUE(FindGames(*Games));
  EXPECT_EQ(GameFolderOf("quake"), "E:\\Games\\Quake");
  EXPECT_EQ(GameFolderOf("half-life"), "F:\\Sierra\\Half-Life");

  auto entries = RunFindMods();
  using Keys = std::vector<std::pair<std::string, std::string>>;
  std::vector<std::string> names;
  for (const TEntry& e : entries) names.push_back(e.Name);
  EXPECT_EQ(names, (std::vector<std::string>{"Half-Life", "Counter-Strike", "Quake", "Ctf", "My own mod"}));
  EXPECT_EQ(entries[4].Keys, (Keys{{"Mod", "mymod"}, {"Game", "half-life"}, {"Param", "hl.exe -game %s"},
                                   {"Bitmap", "hl.bmp"}, {"Description", "My own mod"}, {"url", "http://my"}}));
  EXPECT_EQ(ReadTextFile(App + "modlist\\half-life.txt"), "mymod\r\n");
}
