// "Find mods" over game folders made for each test.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>

#include "discovery_fixture.h"
#include "Dialogs.h"
#include "ModDiscovery.h"
#include "Streams.h"
#include "SysUtils.h"

namespace {
using Keys = std::vector<std::pair<std::string, std::string>>;

// Records what a search shows in its status window.
class TRecordingStatus : public TSearchStatus {
public:
  void Begin(const std::string& caption, bool visible) override {
    Log.push_back("begin " + caption + (visible ? " shown" : " hidden"));
  }
  void Report(const std::string& text) override { Log.push_back(text); }
  void End() override { Log.push_back("end"); }
  std::vector<std::string> Log;
};

std::string ModInfoText(const std::string& a, const std::string& b, const std::string& c, const std::string& d,
                        const std::string& e) {
  return a + "\r\n" + b + "\r\n" + c + "\r\n" + d + "\r\n" + e + "\r\n";
}

class TModSearchTest : public TDiscoveryTest {
protected:
  void SetUp() override {
    TDiscoveryTest::SetUp();
    QuakeDir = Root + "Games\\Quake";
    HlDir = Root + "Games\\Half-Life";
    MakeDirs(QuakeDir + "\\id1");
    MakeDirs(HlDir + "\\valve");
    // Questions are answered with Answer, or with their default button.
    SetPromptHook([this](const TPromptRequest& r) {
      Prompts.push_back(r);
      return Answer ? Answer : int(r.Default);
    });
  }
  void TearDown() override {
    SetPromptHook(nullptr);
    TDiscoveryTest::TearDown();
  }
  void AddQuake() { AddGame("quake", QuakeDir, "quake -game %s", "quake", "Quake", "quake.bmp", "http://quake"); }
  void AddHalfLife() { AddGame("half-life", HlDir, "hl.exe -game %s", "hl.exe", "Half-Life", "", "http://hl"); }
  std::vector<std::string> Names(const std::vector<TEntry>& entries) {
    std::vector<std::string> names;
    for (const TEntry& e : entries) names.push_back(e.Name);
    return names;
  }
  std::string QuakeDir, HlDir;
  std::vector<TPromptRequest> Prompts;
  int Answer = 0;
};
}  // namespace

TEST_F(TModSearchTest, LauncherWithQuakeAndHalfLifeGetsItsEntries) {
  AddQuake();
  AddHalfLife();
  for (const char* d : {"ctf", "hipnotic", "maps", "mymod", "CStrike"}) MakeDirs(QuakeDir + "\\" + d);
  WriteTextFile(HlDir + "\\valve\\liblist.gam", "game \"Half-Life\"\r\n");
  WriteTextFile(HlDir + "\\cstrike\\liblist.gam",
                "// Counter-Strike\r\ngame \"counter-Strike \"\r\nurl_info \"www.counter-strike.net\"\r\n");
  WriteTextFile(HlDir + "\\zmod\\liblist.gam", "GAME \"z mod\"\r\n");
  MakeDirs(HlDir + "\\nolib");
  auto entries = RunFindMods();
  // Games in sorted order, each with its own entry and then its known mods
  // in list order; then the own lists (zmod came from its liblist.gam).
  EXPECT_EQ(Names(entries), (std::vector<std::string>{"Half-Life", "Counter-Strike", "Quake", "Cstrike", "Ctf",
                                                      "Hipnotic", "Z mod"}));
  EXPECT_EQ(entries[0].Keys, (Keys{{"Mod", ""}, {"Game", "half-life"}, {"Param", "hl.exe"},
                                   {"Bitmap", "half-life.bmp"}, {"Description", "Half-Life"}, {"url", "http://hl"}}));
  EXPECT_EQ(entries[1].Keys, (Keys{{"Mod", "cstrike"}, {"Game", "half-life"}, {"Param", "hl.exe -game %s"},
                                   {"Bitmap", "half-life.bmp"}, {"Description", "Counter-Strike"},
                                   {"url", "www.counter-strike.net"}}));
  EXPECT_EQ(entries[4].Keys, (Keys{{"Mod", "ctf"}, {"Game", "quake"}, {"Param", "quake -game %s"},
                                   {"Bitmap", "quake.bmp"}, {"Description", "Ctf"}}));
  EXPECT_EQ(entries[6].Value("Mod"), "zmod");
  EXPECT_EQ(ReadTextFile(OwnModListFile(App, "half-life")), "zmod\r\n");
}

TEST_F(TModSearchTest, GameModInfoFileOfFiveLines) {
  AddQuake();
  WriteTextFile(QuakeDir + "\\" + ModInfoFileName, ModInfoText("quake classic", "", "", "  quake -nosound ", ""));
  auto entries = RunFindMods();
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].Name, "Quake classic");
  EXPECT_EQ(entries[0].Keys, (Keys{{"Mod", ""}, {"Game", "quake"}, {"Param", "quake -nosound"},
                                   {"Bitmap", "quake.bmp"}, {"Description", "Quake"}, {"url", "http://quake"}}));
}

TEST_F(TModSearchTest, ModInfoFilesOfOtherLengthsOrABlankFirstLineAreIgnored) {
  AddQuake();
  MakeDirs(QuakeDir + "\\ctf");
  MakeDirs(QuakeDir + "\\dopa");
  MakeDirs(QuakeDir + "\\rogue");
  WriteTextFile(QuakeDir + "\\" + ModInfoFileName, "Four\r\nlines\r\nonly\r\nhere\r\n");
  WriteTextFile(QuakeDir + "\\ctf\\" + ModInfoFileName, "Six\r\nlines\r\na\r\nb\r\nc\r\nd\r\n");
  WriteTextFile(QuakeDir + "\\dopa\\" + ModInfoFileName, ModInfoText(" ", "desc", "x.bmp", "q", "http://x"));
  WriteTextFile(QuakeDir + "\\rogue\\" + ModInfoFileName,
                ModInfoText("dissolution", "Mission pack 2", "rogue.ico", "quake -rogue", "http://rogue"));
  auto entries = RunFindMods();
  EXPECT_EQ(Names(entries), (std::vector<std::string>{"Quake", "Ctf", "Dopa", "Dissolution"}));
  EXPECT_EQ(entries[1].Value("Description"), "Ctf");
  EXPECT_EQ(entries[2].Value("Param"), "quake -game %s");
  EXPECT_EQ(entries[3].Keys, (Keys{{"Mod", "rogue"}, {"Game", "quake"}, {"Param", "quake -rogue"},
                                   {"Bitmap", "rogue.ico"}, {"Description", "Mission pack 2"},
                                   {"url", "http://rogue"}}));
}

TEST_F(TModSearchTest, ModInfoWithBlankLinesUsesTheFallbacks) {
  AddQuake();
  MakeDirs(QuakeDir + "\\ctf");
  WriteTextFile(QuakeDir + "\\ctf\\" + ModInfoFileName, ModInfoText("three wave", "", "", "", ""));
  // The mod's own icon comes before the launcher's Logos folder.
  WriteTextFile(QuakeDir + "\\ctf\\ctf.ico", "icon");
  WriteTextFile(App + "Logos\\ctf.bmp", "bmp");
  auto entries = RunFindMods();
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[1].Keys, (Keys{{"Mod", "ctf"}, {"Game", "quake"}, {"Param", "quake -game %s"},
                                   {"Bitmap", QuakeDir + "\\ctf\\ctf.ico"}, {"Description", "ctf"}}));
}

TEST_F(TModSearchTest, LogoRule) {
  AddGame("quake", QuakeDir, "quake -game %s", "");  // no Kuvake: "quake.bmp"
  for (const char* d : {"ctf", "dopa", "rogue", "hipnotic"}) MakeDirs(QuakeDir + "\\" + d);
  WriteTextFile(App + "Logos\\ctf.ico", "i");
  WriteTextFile(App + "Logos\\ctf.bmp", "b");
  WriteTextFile(App + "Logos\\dopa.bmp", "b");
  WriteTextFile(App + "Logos\\rogue.gif", "g");
  auto entries = RunFindMods();
  ASSERT_EQ(entries.size(), 4u);  // no game entry without GameOletus
  EXPECT_EQ(entries[0].Value("Bitmap"), "ctf.ico");
  EXPECT_EQ(entries[1].Value("Bitmap"), "dopa.bmp");
  EXPECT_EQ(entries[2].Value("Bitmap"), "quake.bmp");
  EXPECT_EQ(entries[3].Value("Bitmap"), "quake.bmp");
}

TEST_F(TModSearchTest, ActionHalfLifeLogo) {
  AddHalfLife();
  AddGame("quake 2", Root + "Games\\Quake2", "quake2 +set game %s", "", "", "q2.bmp");
  MakeDirs(HlDir + "\\action");
  MakeDirs(Root + "Games\\Quake2\\action");
  WriteTextFile(App + "Logos\\actionhl.bmp", "b");
  auto entries = RunFindMods();
  // Only actionhl.bmp: the game's logo.
  EXPECT_EQ(FindEntry(entries, "Action")->Value("Bitmap"), "half-life.bmp");

  WriteTextFile(App + "Logos\\action.bmp", "b");
  DeleteFileA((App + "Mod.ini").c_str());  // the entries made above would stay
  entries = RunFindMods();
  EXPECT_EQ(FindEntry(entries, "Action")->Value("Bitmap"), "actionhl.bmp");
  // The exception belongs to Half-Life alone.
  EXPECT_EQ(FindEntry(entries, "Action (quake 2)")->Value("Bitmap"), "action.bmp");
}

TEST_F(TModSearchTest, ModFilesInAnyLetterCaseAndFoldersNamedLikeThem) {
  AddQuake();
  AddHalfLife();
  WriteTextFile(QuakeDir + "\\CTF\\LIBLIST.GAM", "game \"capture\"\r\n");
  MakeDirs(QuakeDir + "\\CTF\\ctf.ico");  // a folder is not the mod's icon
  WriteTextFile(QuakeDir + "\\Rogue\\Rogue.ICO", "i");
  MakeDirs(QuakeDir + "\\Rogue\\liblist.gam");
  MakeDirs(HlDir + "\\dirlib\\liblist.gam");
  WriteTextFile(HlDir + "\\UpLib\\LibList.Gam", "game \"up\"\r\n");
  auto entries = RunFindMods();
  EXPECT_EQ(Names(entries), (std::vector<std::string>{"Half-Life", "Quake", "Capture", "Rogue", "Up"}));
  EXPECT_EQ(entries[2].Value("Bitmap"), "quake.bmp");
  EXPECT_EQ(entries[3].Value("Bitmap"), QuakeDir + "\\rogue\\rogue.ico");
  EXPECT_EQ(ReadTextFile(OwnModListFile(App, "half-life")), "UpLib\r\n");
}

TEST(ReadLiblistInfo, GameNameAndWebAddress) {
  std::string name = "Cstrike", site;
  ParseLiblistInfo("game \"counter\"\r\nurl_info \" www.cs.net \"\r\n", name, site);
  EXPECT_EQ(name, "Counter");
  EXPECT_EQ(site, "www.cs.net");
  // Only the first non-empty value of each counts; keys in any case.
  name = "Old", site = "old";
  ParseLiblistInfo("game \"\"\r\nGame \"first\"\r\ngame \"second\"\r\nURL_INFO \"http://a\"\r\nurl_info \"b\"", name,
                   site);
  EXPECT_EQ(name, "First");
  EXPECT_EQ(site, "http://a");
  // Missing values leave the caller's; an unclosed value runs to the line end.
  name = "Keep", site = "keep";
  ParseLiblistInfo("gamedll \"dlls\\mp.dll\"\r\nurl_dl \"x\"\r\n", name, site);
  EXPECT_EQ(name, "Keep");
  EXPECT_EQ(site, "keep");
  ParseLiblistInfo("game \"Open end", name, site);
  EXPECT_EQ(name, "Open end");
}

TEST_F(TModSearchTest, HalfLifeScanSkipsValveAndKnownMods) {
  AddHalfLife();
  WriteTextFile(HlDir + "\\valve\\liblist.gam", "game \"Half-Life\"\r\n");
  WriteTextFile(HlDir + "\\Valve2\\liblist.gam", "game \"Valve two\"\r\n");
  WriteTextFile(HlDir + "\\dod\\liblist.gam", "game \"Day of Defeat\"\r\n");
  auto entries = RunFindMods();
  EXPECT_EQ(Names(entries), (std::vector<std::string>{"Half-Life", "Day of Defeat", "Valve two"}));
  EXPECT_EQ(ReadTextFile(OwnModListFile(App, "half-life")), "Valve2\r\n");
}

TEST_F(TModSearchTest, OwnListsWithBlankLinesMissingFoldersAndKnownMods) {
  AddQuake();
  AddGame("sin", Root + "Games\\Sin", "sin +set game %s", "sin");
  MakeDirs(QuakeDir + "\\mymod");
  MakeDirs(QuakeDir + "\\ctf");
  MakeDirs(Root + "Games\\Sin\\other");
  MakeDirs(Root + "Games\\outside");
  WriteTextFile(OwnModListFile(App, "quake"), "\r\n  \r\n mymod \r\nctf\r\ngone\r\n..\\..\\outside\r\n\r\n");
  WriteTextFile(OwnModListFile(App, "sin"), "\r\n   \r\n\r\n");
  TRecordingStatus status;
  TDiscoveryFiles files{App, *Games, Mod};
  ASSERT_TRUE(FindMods(files, status));
  auto entries = ParseIni(ReadTextFile(App + "Mod.ini"));
  EXPECT_EQ(Names(entries), (std::vector<std::string>{"Quake", "Ctf", "sin", "Mymod"}));
  EXPECT_EQ(entries[3].Value("Mod"), "mymod");
  // The own-list window shows only for a game whose list holds a name.
  EXPECT_EQ(status.Log, (std::vector<std::string>{"begin Find modifications shown", "Quake modifications",
                                                  "sin modifications", "end",
                                                  "begin Find own modlist modifications hidden",
                                                  "Quake modifications", "end"}));
}

TEST_F(TModSearchTest, GamesThatGetNoEntries) {
  AddGame("quake", QuakeDir, "quake -game", "quake");              // Oletus without %s: no mods
  AddGame("quake 2", Root + "Games\\Missing", "q2 %s", "quake2");  // folder missing: skipped
  AddGame("sin", "", "sin %s", "sin");                             // not located
  MakeDirs(QuakeDir + "\\ctf");
  WriteTextFile(OwnModListFile(App, "quake"), "ctf2\r\n");
  MakeDirs(QuakeDir + "\\ctf2");
  auto entries = RunFindMods();
  EXPECT_EQ(Names(entries), (std::vector<std::string>{"quake"}));
}

TEST_F(TModSearchTest, NameClashesAcrossGames) {
  AddQuake();
  AddGame("quake 2", Root + "Games\\Quake2", "quake2 +set game %s", "quake2", "Quake II");
  MakeDirs(QuakeDir + "\\ctf");
  MakeDirs(Root + "Games\\Quake2\\ctf");
  MakeDirs(Root + "Games\\Quake2\\quake");
  WriteTextFile(OwnModListFile(App, "quake 2"), "quake\r\n");
  auto entries = RunFindMods();
  EXPECT_EQ(Names(entries),
            (std::vector<std::string>{"Quake", "Ctf", "Quake II", "Ctf (quake 2)", "Quake (quake 2)"}));
}

TEST_F(TModSearchTest, ASecondRunKeepsTheUsersEntriesAsTheyAre) {
  AddQuake();
  MakeDirs(QuakeDir + "\\ctf");
  RunFindMods();
  TIniFile mod(App + "Mod.ini");
  mod.WriteString("Ctf", "randommapcycle", "1");
  mod.WriteString("Ctf", "Readme", "C:\\ctf\\readme.txt");
  mod.WriteString("Ctf", "map", "ctf1");
  mod.WriteString("Ctf", "winmem", "-winmem 32");
  mod.WriteString("Ctf", "Config", "C:\\ctf\\ctf.cfg");
  mod.WriteString("Ctf", "Description", "edited");
  mod.WriteString("Quake", "Map", "e1m1");
  mod.WriteString("Hand made", "Mod", "nowhere");
  mod.WriteString("Hand made", "Game", "quake");
  mod.WriteString("Hand made", "Param", "quake -game %s");
  mod.UpdateFile();
  const std::vector<TEntry> before = ParseIni(ReadTextFile(App + "Mod.ini"));
  auto entries = RunFindMods();
  EXPECT_EQ(Names(entries), (std::vector<std::string>{"Quake", "Ctf", "Hand made"}));
  ASSERT_EQ(entries.size(), before.size());
  for (size_t i = 0; i < entries.size(); ++i) EXPECT_EQ(entries[i].Keys, before[i].Keys) << entries[i].Name;
  EXPECT_EQ(entries[1].Keys,
            (Keys{{"Mod", "ctf"}, {"Game", "quake"}, {"Param", "quake -game %s"}, {"Bitmap", "quake.bmp"},
                  {"Description", "edited"}, {"randommapcycle", "1"}, {"Readme", "C:\\ctf\\readme.txt"},
                  {"map", "ctf1"}, {"winmem", "-winmem 32"}, {"Config", "C:\\ctf\\ctf.cfg"}}));
  ASSERT_EQ(Prompts.size(), 1u) << "the entry whose folder is missing is asked about";
  EXPECT_EQ(Prompts[0].Default, mrNo) << "the default keeps it";
}

// What the user made stays: entry names, descriptions, maps and parameters,
// two entries of one folder, a game's own entry with parameters of its own,
// the entries of a game that is away. One question names the entries whose
// folders are gone; they stay on No and go on Yes. Folders that no entry has
// yet get new entries.
TEST_F(TModSearchTest, FindModsKeepsWhatTheUserMade) {
  AddQuake();
  AddHalfLife();
  const std::string sinDir = Root + "Games\\Sin";
  AddGame("sin", sinDir, "sin +set game %s", "sin");
  for (const char* d : {"ctf", "rogue", "myrogue"}) MakeDirs(QuakeDir + "\\" + d);
  MakeDirs(HlDir + "\\hu3");
  WriteTextFile(HlDir + "\\hu3\\" + ModInfoFileName, ModInfoText("Hu3-Life GitHub", "", "", "", ""));
  WriteTextFile(HlDir + "\\hu3\\liblist.gam", "game \"Hu3-Life\"\r\n");
  const std::string made =
      "[Hu3-Life GitHub]\r\nMod=hu3\r\nGame=half-life\r\nParam=hl.exe -game %s\r\nMap=crossfire\r\n\r\n"
      "[Hu3 custom]\r\nMod=hu3\r\nGame=half-life\r\nParam=hl.exe -game hu3 -dev\r\n\r\n"
      "[Quake GL]\r\nMod=\r\nGame=quake\r\nParam=glquake -width 1024\r\n\r\n"
      "[Capture The Flag]\r\nMod=ctf\r\nGame=quake\r\nParam=quake -game %s\r\nDescription=Flags and hooks\r\n\r\n"
      "[Future mod]\r\nMod=future\r\nGame=quake\r\nParam=quake -game %s\r\n\r\n"
      "[Rogue]\r\nMod=myrogue\r\nGame=quake\r\nParam=quake -game %s\r\n\r\n"
      "[Unplugged]\r\nMod=far\r\nGame=sin\r\nParam=sin +set game %s\r\nMap=x\r\nwinmem=y\r\n\r\n";
  WriteTextFile(App + "Mod.ini", made);
  const std::vector<TEntry> mine = ParseIni(made);

  auto entries = RunFindMods();
  ASSERT_EQ(Prompts.size(), 1u);
  EXPECT_NE(Prompts[0].Text.find("Future mod (future)"), std::string::npos) << Prompts[0].Text;
  EXPECT_EQ(Prompts[0].Text.find("Unplugged"), std::string::npos) << "a game that is away tells nothing";
  // Every entry as it was, then the game and the folder that had none.
  ASSERT_EQ(entries.size(), mine.size() + 2);
  for (size_t i = 0; i < mine.size(); ++i) {
    EXPECT_EQ(entries[i].Name, mine[i].Name);
    EXPECT_EQ(entries[i].Keys, mine[i].Keys) << mine[i].Name;
  }
  EXPECT_EQ(entries[mine.size()].Name, "Half-Life");
  EXPECT_EQ(entries[mine.size() + 1].Name, "Rogue (quake)");
  EXPECT_EQ(entries[mine.size() + 1].Value("Mod"), "rogue");

  // Yes: the entry whose folder is gone goes; nothing else changes.
  Answer = mrYes;
  const std::vector<TEntry> kept = entries;
  entries = RunFindMods();
  ASSERT_EQ(Prompts.size(), 2u);
  ASSERT_EQ(entries.size(), kept.size() - 1);
  EXPECT_EQ(FindEntry(entries, "Future mod"), nullptr);
  EXPECT_EQ(entries[4].Name, "Rogue");

  // The game is back: its entry is as it was, and nothing is asked.
  MakeDirs(sinDir + "\\far");
  entries = RunFindMods();
  EXPECT_EQ(Prompts.size(), 2u);
  ASSERT_NE(FindEntry(entries, "Unplugged"), nullptr);
  EXPECT_EQ(FindEntry(entries, "Unplugged")->Keys, mine[6].Keys);
  EXPECT_EQ(entries.size(), kept.size() - 1 + 1) << "and the game's own entry joins";
}

TEST_F(TModSearchTest, ValuesOfGamesIniAreCutAsThoseOfGameFiles) {
  const std::string huge(1 << 20, 'n');
  WriteTextFile(App + "Games.ini", "[quake]\r\nSijainti=" + QuakeDir + "\r\nOletus=quake -game %s\r\nGameOletus=quake\r\n"
                                   "gamename=" + huge + "\r\nurl=" + huge + "\r\n[" + std::string(600, 'k') +
                                   "]\r\nSijainti=" + QuakeDir + "\r\nOletus=quake -game %s\r\nGameOletus=quake\r\n");
  ASSERT_EQ(Games->ReadString("quake", "gamename", "").size(), huge.size());
  MakeDirs(QuakeDir + "\\ctf");
  auto entries = RunFindMods();
  ASSERT_EQ(entries.size(), 2u) << "a game key longer than any value is left out";
  EXPECT_EQ(entries[0].Name, huge.substr(0, MaxGameFileValue));
  EXPECT_EQ(entries[0].Value("Description"), huge.substr(0, MaxGameFileValue));
  EXPECT_EQ(entries[0].Value("url"), huge.substr(0, MaxGameFileValue));
  EXPECT_LT(ReadTextFile(App + "Mod.ini").size(), 4096u);
  // The entry file stays small enough for New and Modify to read.
  EXPECT_NO_THROW(ReadEntryFile(App + "Mod.ini"));
}

TEST_F(TModSearchTest, AFailedWriteLeavesTheOldFileWhole) {
  AddQuake();
  MakeDirs(QuakeDir + "\\ctf");
  const std::string old = "[Mine]\r\nMod=x\r\nGame=quake\r\nParam=quake -game %s\r\n";
  WriteTextFile(App + "Mod.ini", old);
  // Another program holds the file open without sharing its deletion.
  HANDLE h = CreateFileA((App + "Mod.ini").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  TQuietSearchStatus quiet;
  TDiscoveryFiles files{App, *Games, Mod};
  EXPECT_THROW(FindMods(files, quiet), Exception);
  CloseHandle(h);
  EXPECT_EQ(ReadTextFile(App + "Mod.ini"), old);
  WIN32_FIND_DATAA fd;
  HANDLE f = FindFirstFileA((App + "*tmp*").c_str(), &fd);
  EXPECT_EQ(f, INVALID_HANDLE_VALUE) << "temporary file left behind";
  if (f != INVALID_HANDLE_VALUE) FindClose(f);
  // Searching may start again after the failure; the entry whose folder
  // is missing goes on Yes.
  Answer = mrYes;
  EXPECT_EQ(RunFindMods().size(), 2u);
}

TEST_F(TModSearchTest, FavouritesViewRebuildsModIniNotFavourites) {
  AddQuake();
  const std::string fav = "[Fav]\r\nMod=\r\nGame=quake\r\nParam=quake\r\n";
  WriteTextFile(App + "favourites.ini", fav);
  Mod = std::make_unique<TIniFile>(App + "favourites.ini");
  auto entries = RunFindMods();
  EXPECT_EQ(Names(entries), (std::vector<std::string>{"Quake"}));
  EXPECT_TRUE(SameText(Mod->FileName(), App + "Mod.ini"));
  EXPECT_EQ(ReadTextFile(App + "favourites.ini"), fav);
}

TEST_F(TModSearchTest, AddingToAnOwnList) {
  EXPECT_TRUE(AddToOwnModList(App, "quake", "  mymod "));
  EXPECT_TRUE(AddToOwnModList(App, "quake", "MyMod"));  // already there
  EXPECT_TRUE(AddToOwnModList(App, "quake", "CTF"));    // a known mod is not listed
  EXPECT_TRUE(AddToOwnModList(App, "quake", "second"));
  EXPECT_FALSE(AddToOwnModList(App, "quake", "   "));
  for (const char* bad : {"a\\b", "a/b", "c:mod", "..", "..\\up", "x..y"})
    EXPECT_FALSE(AddToOwnModList(App, "quake", bad)) << bad;
  EXPECT_EQ(ReadTextFile(OwnModListFile(App, "quake")), "mymod\r\nsecond\r\n");
}

TEST_F(TModSearchTest, OwnListFolderThatCannotBeMadeRaises) {
  WriteTextFile(App + "modlist", "a file in the way");
  EXPECT_THROW(AddToOwnModList(App, "quake", "mymod"), EInOutError);
}

TEST_F(TModSearchTest, GameKeysThatReachOutsideTheModlistFolderAreSkipped) {
  // "modlist\..\outside.txt" would be a file beside the launcher.
  const std::string outside = "escaped\r\n";
  WriteTextFile(App + "outside.txt", outside);
  WriteTextFile(App + "sub\\x.txt", outside);
  MakeDirs(QuakeDir + "\\escaped");
  for (const char* key : {"..\\outside", "../outside", "sub\\x", "c:outside", "..", "a..b"}) {
    SCOPED_TRACE(key);
    AddGame(key, QuakeDir, "quake -game %s", "");
    EXPECT_FALSE(AddToOwnModList(App, key, "mymod"));
  }
  auto entries = RunFindMods();
  EXPECT_TRUE(entries.empty());
  EXPECT_EQ(ReadTextFile(App + "outside.txt"), outside);
  EXPECT_EQ(ReadTextFile(App + "sub\\x.txt"), outside);
  EXPECT_FALSE(DirectoryExists(App + "modlist")) << "nothing is written for such a key";
  // A plain key beside them still gets its list.
  EXPECT_TRUE(AddToOwnModList(App, "quake", "mymod"));
  EXPECT_EQ(ReadTextFile(OwnModListFile(App, "quake")), "mymod\r\n");
}

TEST_F(TModSearchTest, EntriesSharingAModFolderEachKeepTheirOwnKeys) {
  AddQuake();
  MakeDirs(QuakeDir + "\\mymod");
  // The list names the folder twice: two entries of one folder.
  WriteTextFile(OwnModListFile(App, "quake"), "mymod\r\nMyMod\r\n");
  EXPECT_EQ(Names(RunFindMods()), (std::vector<std::string>{"Quake", "Mymod", "MyMod (quake)"}));
  TIniFile mod(App + "Mod.ini");
  mod.WriteString("Mymod", "Map", "first");
  mod.WriteString("MyMod (quake)", "Map", "second");
  mod.WriteString("MyMod (quake)", "Readme", "C:\\second.txt");
  mod.UpdateFile();
  auto entries = RunFindMods();
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[1].Value("Map"), "first");
  EXPECT_EQ(entries[1].Value("Readme"), "");
  EXPECT_EQ(entries[2].Value("Map"), "second");
  EXPECT_EQ(entries[2].Value("Readme"), "C:\\second.txt");
}

TEST_F(TModSearchTest, ControlCharactersAndHugeValuesOfGameFilesStayOutOfModIni) {
  AddHalfLife();
  WriteTextFile(HlDir + "\\nulmod\\liblist.gam",
                std::string("game \"Nul\0Mod\"\r\nurl_info \"http://a\tb\"\r\n", 42));
  WriteTextFile(HlDir + "\\crmod\\liblist.gam", "game \"Line\x01\x1f\x7f" "Break\"\r\n");
  const std::string huge(1 << 20, 'x');
  WriteTextFile(HlDir + "\\bigmod\\liblist.gam", "game \"Big\"\r\nurl_info \"" + huge + "\"\r\n");
  WriteTextFile(HlDir + "\\infomod\\" + ModInfoFileName,
                ModInfoText(std::string("Info\0mod", 8), "De\x1bsc", "", "", "w\x7fw"));
  WriteTextFile(OwnModListFile(App, "half-life"), "infomod\r\n");
  auto entries = RunFindMods();
  std::vector<std::string> names = Names(entries);
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"Big", "Half-Life", "Infomod", "LineBreak", "NulMod"}));
  const TEntry* info = FindEntry(entries, "Infomod");
  ASSERT_NE(info, nullptr);
  EXPECT_EQ(info->Value("Description"), "Desc");
  EXPECT_EQ(info->Value("url"), "ww");
  const std::string text = ReadTextFile(App + "Mod.ini");
  for (char c : text) EXPECT_FALSE(static_cast<unsigned char>(c) < 0x20 && c != '\r' && c != '\n') << int(c);
  const TEntry* big = FindEntry(entries, "Big");
  ASSERT_NE(big, nullptr);
  EXPECT_EQ(big->Value("url"), huge.substr(0, MaxGameFileValue));
  EXPECT_LT(text.size(), 4096u);
  EXPECT_EQ(FindEntry(entries, "NulMod")->Value("url"), "http://ab");
}
