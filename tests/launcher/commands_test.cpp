// The main window's commands, keyboard map, views, favourites, quick entries
// and row menu, run in-process on a window with its files written afresh.
#include "entrylist_fixture.h"
#include "../support/RealInput.h"
#include "../support/pakfile.h"

#include <cstdlib>
#include <deque>

using namespace bxtest;

namespace {
const std::string kQuake = "C:\\Quake";

// Each test's shell opens are recorded here instead of done.
std::string ShellLog() { return TMainWindow::ExeDir() + "shell.log"; }

void Touch(const std::string& file) { std::ofstream(file) << "x\n"; }

class CommandsTest : public LauncherTest {
protected:
  std::deque<int> Answers;  // given to the prompts in turn; then the default

  void SetUp() override {
    LauncherTest::SetUp();
    RemoveTree(kQuake);
    CreateDirectoryA(kQuake.c_str(), nullptr);
    WriteIni(GamesIni, "quake", "Sijainti", kQuake);
    DeleteFileA(ShellLog().c_str());
    _putenv_s("BX_SHELL_LOG", ShellLog().c_str());
    for (const char* f : {"Brannox help.txt", "readme.txt"}) DeleteFileA((Dir + f).c_str());
    RemoveTree(Dir + "BXskineditor");
    SetPromptHook([this](const TPromptRequest& r) {
      Prompts.push_back(r);
      if (Answers.empty()) return int(r.Default);
      const int answer = Answers.front();
      Answers.pop_front();
      return answer;
    });
  }

  void TearDown() override {
    LauncherTest::TearDown();
    _putenv_s("BX_SHELL_LOG", "");
  }

  std::string PromptTexts() const {
    std::string all;
    for (const auto& p : Prompts) all += p.Text + "|";
    return all;
  }

  void Key(uint16_t key, TShiftState shift = 0) {
    Prompts.clear();
    Form->FormKeyDown(Form.get(), key, shift);
  }

  void Select(int row) { Form->Labels[row]->Click(); }

  // The window on screen and in front, for real input.
  void ShowForInput() {
    Form->Show();
    SetForegroundWindow(Form->Handle());
    RunLoopUntil([] { return false; }, 50);
  }

  // Chooses from a row's menu, opened with a right click on the row.
  bool ChooseFromRowMenu(int row, std::initializer_list<TMenuPick> path) {
    ShowForInput();
    return ChooseFromMenu(MiddleOf(*Form->Labels[row]), path);
  }

  // Chooses from the face's own menu, opened with a right click on a point
  // of the face that no row, icon or button covers.
  bool ChooseFromFaceMenu(std::initializer_list<TMenuPick> path) {
    ShowForInput();
    for (int y = 2; y < Form->ClientHeight(); y += 4)
      for (int x = 2; x < Form->ClientWidth(); x += 4) {
        POINT at{x, y};
        if (Form->ControlAtPos(at) != Form->Face) continue;
        ClientToScreen(Form->Handle(), &at);
        if (WindowFromPoint(at) == Form->Handle()) return ChooseFromMenu(at, path);
      }
    return false;
  }

  // Three quake entries, each with a mod folder holding a mod-info file.
  void AddThreeWithModInfo() {
    for (const char* mod : {"alpha", "beta", "gamma"}) {
      AddEntry({std::string("Mod ") + mod, "quake", mod});
      CreateDirectoryA((kQuake + "\\" + mod).c_str(), nullptr);
      Touch(kQuake + "\\" + mod + "\\modinfo_for_BX2000.bx2");
    }
  }
  bool ModInfo(const char* mod) const { return Exists(kQuake + "\\" + mod + "\\modinfo_for_BX2000.bx2"); }

  // The captions of an item's items from index `from` on.
  static std::vector<std::string> Captions(const TMenuItem* item, int from) {
    std::vector<std::string> out;
    for (int i = from; i < item->Count(); ++i) out.push_back(item->Items(i)->Caption);
    return out;
  }
};
}  // namespace

// Every row of the key table, with "Ctrl" and "Shift" meaning exactly that key.
TEST_F(CommandsTest, KeyTableRunsEachCommandOnlyWithItsModifiers) {
  AddEntry({"Base", "quake", ""});
  Open();
  struct TRow {
    uint16_t Key;
    TShiftState Shift;
    const char* Prompt;  // a text the command's prompt holds; "" for none
  } rows[] = {
      {VK_INSERT, 0, "New window"},
      {VK_INSERT, ssCtrl | ssShift, "New window"},
      {'1', ssCtrl, "Modlist editor"},
      {'1', ssCtrl | ssShift, ""},
      {'2', ssCtrl, "Config manager"},
      {'2', 0, ""},
      {'3', ssCtrl, ""},  // no Half-Life folder
      {'4', ssCtrl, ""},
      {'5', ssCtrl, "skin editor not found"},
      {'5', ssCtrl | ssAlt, ""},
      {'S', ssCtrl, "Settings window"},
      {'S', ssCtrl | ssShift, ""},
      {'S', 0, ""},
      {'A', 0, "About window"},
      {'A', ssCtrl, "About window"},
      {'A', ssShift | ssAlt, "About window"},
      {'M', ssCtrl, "Game directory was not found"},
      {'M', ssShift, ""},
      {'F', 0, ""},
      {'F', ssCtrl | ssShift, ""},
      {'G', 0, ""},
      {VK_DELETE, 0, "Confirm remove?"},
      {VK_DELETE, ssShift, "Confirm remove?"},
      {VK_DELETE, ssCtrl, "Confirm remove all?"},
      {VK_DELETE, ssCtrl | ssShift, "Confirm remove?"},
  };
  // The Quake folder goes for Ctrl+M to find no game folder.
  RemoveTree(kQuake);
  Answers.clear();
  for (const TRow& r : rows) {
    Answers = {mrNo};
    Key(r.Key, r.Shift);
    SCOPED_TRACE(std::string(1, char(r.Key)) + " shift " + std::to_string(r.Shift));
    if (*r.Prompt) {
      ASSERT_EQ(Prompts.size(), 1u) << PromptTexts();
      EXPECT_NE(Prompts[0].Text.find(r.Prompt), std::string::npos) << Prompts[0].Text;
    } else {
      EXPECT_TRUE(Prompts.empty()) << PromptTexts();
    }
  }
  EXPECT_EQ(Form->EntryNames.Count(), 1);  // every removal was answered No
  EXPECT_FALSE(Closed);
  Key(VK_ESCAPE, ssCtrl);
  EXPECT_TRUE(Closed);
}

TEST_F(CommandsTest, KeysForTheSelectionTheHelpFilesAndTheHalfLifeEditors) {
  AddNumbered(3);
  Open();
  Key(VK_DOWN);
  Key(VK_DOWN);
  EXPECT_EQ(Selected(), "Entry 03");
  Key(VK_UP);
  EXPECT_EQ(Selected(), "Entry 02");
  Key(VK_F5);
  EXPECT_EQ(Selected(), "Entry 01");
  // F1 and F2 open their files only when they are there, quoted for notepad.
  Key(VK_F1);
  Key(VK_F2);
  EXPECT_FALSE(Exists(ShellLog()));
  Touch(Dir + "Brannox help.txt");
  Touch(Dir + "readme.txt");
  Key(VK_F1);
  Key(VK_F2);
  EXPECT_EQ(ReadAll(ShellLog()), "open\tnotepad.exe\t\"" + Dir + "Brannox help.txt\"\nopen\tnotepad.exe\t\"" + Dir +
                                      "readme.txt\"\n");
  // Ctrl+3 needs the Half-Life folder; Ctrl+4 the Half-Life or the Gunman one.
  CreateDirectoryA((kQuake + "\\gunman").c_str(), nullptr);
  WriteIni(GamesIni, "gunman", "Sijainti", kQuake + "\\gunman");
  Key('3', ssCtrl);
  EXPECT_TRUE(Prompts.empty());
  Key('4', ssCtrl);
  ASSERT_EQ(Prompts.size(), 1u);
  EXPECT_NE(Prompts[0].Text.find("Half-Life logo editor"), std::string::npos);
  WriteIni(GamesIni, "half-life", "Sijainti", kQuake);
  Key('3', ssCtrl);
  ASSERT_EQ(Prompts.size(), 1u);
  EXPECT_NE(Prompts[0].Text.find("Half-Life manager"), std::string::npos);
  // The skin editor, when it is there, goes to the shell.
  CreateDirectoryA((Dir + "BXskineditor").c_str(), nullptr);
  Touch(Dir + "BXskineditor\\bxskined.exe");
  Key('5', ssCtrl);
  EXPECT_TRUE(Prompts.empty());
  EXPECT_NE(ReadAll(ShellLog()).find("open\t" + Dir + "BXskineditor\\bxskined.exe\t\n"), std::string::npos);
}

TEST_F(CommandsTest, DialogCommandsDoNothingWhileSettingsAreUp) {
  AddEntry({"Base", "quake", ""});
  Open();
  Form->SettingsIdle = false;
  for (uint16_t key : {uint16_t('S'), uint16_t('1'), uint16_t('2')}) Key(key, ssCtrl);
  Key('A');
  Form->MostStartedItemClick(Form->MostStartedItem);
  EXPECT_TRUE(Prompts.empty()) << PromptTexts();
}

TEST_F(CommandsTest, RemoveAsksAndDeletesTheModInfoFileOnlyOnYes) {
  AddThreeWithModInfo();
  Open();
  Select(1);
  Answers = {mrNo};
  Key(VK_DELETE);
  EXPECT_EQ(Form->EntryNames.Count(), 3);
  Answers = {mrYes, mrNo};
  Key(VK_DELETE);
  ASSERT_EQ(Prompts.size(), 2u);
  EXPECT_EQ(Prompts[1].Text, "Do you want to remove Mod beta modification info file?\n\r"
                             "If you remove this file all modification information will be lost.");
  EXPECT_EQ(ReadIni(ModIni, "Mod beta", "Game"), "");
  EXPECT_EQ(ReadIni(ModIni, "Mod alpha", "Game"), "quake");
  EXPECT_TRUE(ModInfo("beta"));
  EXPECT_EQ(Selected(), "Mod alpha");  // the page is rebuilt with reset selection
  Select(1);
  Answers = {mrYes, mrYes};
  Key(VK_DELETE);
  EXPECT_FALSE(ModInfo("gamma"));
  EXPECT_TRUE(ModInfo("alpha"));
}

TEST_F(CommandsTest, RemoveAllWithYesToAllAndNoToAll) {
  AddThreeWithModInfo();
  Open();
  Answers = {mrYes, mrYesToAll};
  Key(VK_DELETE, ssCtrl);
  EXPECT_EQ(Prompts.size(), 2u) << PromptTexts();
  EXPECT_FALSE(ModInfo("alpha") || ModInfo("beta") || ModInfo("gamma"));
  EXPECT_EQ(Form->EntryNames.Count(), 0);
  // No row now: Ctrl+Delete does nothing.
  Key(VK_DELETE, ssCtrl);
  EXPECT_TRUE(Prompts.empty());

  Form.reset();
  AddThreeWithModInfo();
  Open();
  Answers = {mrYes, mrNo, mrNoToAll};
  Key(VK_DELETE, ssCtrl);
  EXPECT_EQ(Prompts.size(), 3u) << PromptTexts();
  EXPECT_TRUE(ModInfo("alpha") && ModInfo("beta") && ModInfo("gamma"));
  EXPECT_EQ(Form->EntryNames.Count(), 0);
}

TEST_F(CommandsTest, RemoveAllInAGameViewKeepsTheOtherGames) {
  AddNumbered(2);
  AddEntry({"Other", "half-life", "tfc"});
  WriteIni(Options, "Asetukset", "nayta", "quake");
  Open();
  ASSERT_EQ(Form->EntryNames.Count(), 2);
  Answers = {mrYes};
  Key(VK_DELETE, ssCtrl);
  EXPECT_EQ(ReadIni(ModIni, "Other", "Game"), "half-life");
  EXPECT_EQ(ReadIni(ModIni, "Entry 01", "Game"), "");
}

TEST_F(CommandsTest, AddToFavouritesCopiesTheElevenKeysAndAsksBeforeOverwriting) {
  AddEntry({"Rock & Roll", "quake", "rr"});
  WriteIni(ModIni, "Rock & Roll", "map", "e1m1");
  WriteIni(ModIni, "Rock & Roll", "url", "http://rr.example");
  Open();
  Key('F', ssCtrl);
  EXPECT_TRUE(Prompts.empty());
  const std::string stored = ReadAll(Favourites);
  EXPECT_NE(stored.find("[Rock & Roll]\r\nMod=rr\r\nGame=quake\r\nParam=quake -game %s\r\nBitmap=\r\nDescription=\r\n"
                        "Readme=\r\nConfig=\r\nMap=e1m1\r\nwinmem=\r\nurl=http://rr.example\r\nrandommapcycle=0\r\n"),
            std::string::npos)
      << stored;
  WriteIni(ModIni, "Rock & Roll", "Mod", "changed");
  Answers = {mrNo};
  Key('F', ssCtrl);
  ASSERT_EQ(Prompts.size(), 1u);
  EXPECT_EQ(Prompts[0].Text, "\"Rock & Roll\" is already exists in favourites, overwrite the existing?");
  EXPECT_EQ(ReadIni(Favourites, "Rock & Roll", "Mod"), "rr");
  Answers = {mrYes};
  Key('F', ssCtrl);
  EXPECT_EQ(ReadIni(Favourites, "Rock & Roll", "Mod"), "changed");
  // Not from the favourites view.
  ASSERT_TRUE(ChooseFromFaceMenu({Form->TrayViewItem, Form->TrayFavouritesItem}));
  Select(0);
  Key('F', ssCtrl);
  EXPECT_TRUE(Prompts.empty());
}

TEST_F(CommandsTest, ViewsSwitchAndRebuildThePage) {
  AddNumbered(20);
  AddEntry({"Q2 mod", "quake 2", "q2"});
  AddEntry({"Fav", "quake", "f"}, Favourites);
  // The menu offers a game's own view when the game's folder is there.
  const std::string quake2 = TMainWindow::ExeDir() + "Quake2";
  CreateDirectoryA(quake2.c_str(), nullptr);
  WriteIni(GamesIni, "quake 2", "Sijainti", quake2);
  Open();
  Select(4);
  ASSERT_TRUE(ChooseFromFaceMenu({Form->TrayViewItem, Form->TrayAllModsItem}));
  EXPECT_EQ(Form->SelectedRow, 0);
  ASSERT_TRUE(ChooseFromFaceMenu({Form->TrayViewItem, Form->TrayFavouritesItem}));
  EXPECT_EQ(Form->ViewName, "suosikit");
  ASSERT_EQ(Form->EntryNames.Count(), 1);
  Select(0);
  Form->SelectedRow = 5;  // a second Favourites changes nothing
  ASSERT_TRUE(ChooseFromFaceMenu({Form->TrayViewItem, Form->TrayFavouritesItem}));
  EXPECT_EQ(Form->SelectedRow, 5);
  ASSERT_TRUE(ChooseFromRowMenu(0, {Form->ViewItem, "quake 2 modifications"}));
  EXPECT_EQ(Form->ViewName, "quake 2");
  ASSERT_EQ(Form->EntryNames.Count(), 1);
  EXPECT_EQ(Form->EntryNames[0], "Q2 mod");
}

TEST_F(CommandsTest, QuickItemFindsItsEntryInModIniWhateverTheView) {
  AddEntry({"Capture", "quake", "ctf", "missing.exe"});
  AddEntry({"Fav", "quake", "f"}, Favourites);
  WriteIni(Options, "Asetukset", "nayta", "suosikit");
  Open();
  TMenuItem item(nullptr);
  item.Caption = "CAPTURE";
  Form->QuickItemClick(&item);
  // The start ran (the program is missing) and the favourites page came back.
  EXPECT_NE(PromptTexts().find("File was not found."), std::string::npos) << PromptTexts();
  EXPECT_EQ(Form->ViewName, "suosikit");
  ASSERT_EQ(Form->EntryNames.Count(), 1);
  EXPECT_EQ(Form->EntryNames[0], "Fav");
  EXPECT_EQ(Form->SelectedRow, 0);
  Prompts.clear();
  item.Caption = "Gone";
  Form->QuickItemClick(&item);
  ASSERT_EQ(Prompts.size(), 1u);
  EXPECT_EQ(Prompts[0].Text, "Mod not found.");
}

TEST_F(CommandsTest, RowMenuNamesTheEntryAndListsItsMaps) {
  AddEntry({"Rock & Roll", "quake", "rr"});
  const std::string mod = kQuake + "\\rr";
  for (const std::string& d : {mod, mod + "\\maps", kQuake + "\\id1", kQuake + "\\id1\\maps"})
    CreateDirectoryA(d.c_str(), nullptr);
  Touch(mod + "\\maps\\rr1.bsp");
  Touch(mod + "\\maps\\e1m1.bsp");
  WritePak(mod + "\\pak0.pak", {"maps/rrpak.bsp", "progs/player.mdl", "MAPS/upper.bsp"});
  Touch(kQuake + "\\id1\\maps\\b_bh10.bsp");
  Touch(kQuake + "\\id1\\maps\\extra.bsp");
  WritePak(kQuake + "\\id1\\pak1.pak", {"maps/b_batt0.bsp", "maps/e1m2.bsp", "maps/pakonly.bsp"});
  Touch(mod + "\\readme.txt");
  std::ofstream(mod + "\\liblist.gam") << "game \"x\"\nurl_info \"\"\nurl_info \"www.rr.example\"\n";
  Open();
  Form->RowMenu->PopupComponent = Form->Icons[0];
  Form->RowMenuPopup(Form->RowMenu);
  EXPECT_EQ(Form->RowMenu->PopupComponent, Form->Labels[0]);
  EXPECT_EQ(Form->StartModItem->Caption, "Start Rock && Roll");
  EXPECT_EQ(Form->ModifyItem->Caption, "Modify Rock && Roll (Ctrl+M)");
  EXPECT_EQ(Form->GoToItem->Caption, "Go to C:\\Quake\\rr");
  EXPECT_EQ(Form->VisitItem->Caption, "Visit: www.rr.example");
  EXPECT_TRUE(Form->VisitItem->Visible);
  EXPECT_TRUE(Form->ReadmeItem->Enabled);
  EXPECT_FALSE(Form->ConfigItem->Enabled);
  EXPECT_FALSE(Form->ManualItem->Visible);
  EXPECT_FALSE(Form->HalfLifeManagerItem->Visible);
  EXPECT_TRUE(Form->AllModsItem->Checked);
  EXPECT_EQ(Captions(Form->ViewItem, 3), std::vector<std::string>{"quake modifications"});
  std::vector<std::string> maps = Captions(Form->StartWithMapItem, 2);
  std::vector<std::string> expected{"e1m1", "rr1"};
  expected.push_back("rrpak");
  expected.push_back("start");
  for (int e = 1; e <= 4; ++e)
    for (int n = 1; n <= (e == 2 || e == 3 ? 7 : 8); ++n)
      expected.push_back("e" + std::to_string(e) + "m" + std::to_string(n));
  for (const char* m : {"end", "dm1", "dm2", "dm3", "dm4", "dm5", "dm6", "extra"}) expected.push_back(m);
  expected.push_back("pakonly");
  EXPECT_EQ(maps, expected);
  // The second popup rebuilds the run-time items instead of adding more.
  Form->RowMenuPopup(Form->RowMenu);
  EXPECT_EQ(Captions(Form->StartWithMapItem, 2).size(), expected.size());
  EXPECT_EQ(Form->ViewItem->Count(), 4);

  // The readme goes to notepad quoted; the folder and the address to the shell.
  ASSERT_TRUE(ChooseFromRowMenu(0, {Form->ModificationItem, Form->ReadmeItem}));
  ASSERT_TRUE(ChooseFromRowMenu(0, {Form->ModificationItem, Form->GoToItem}));
  ASSERT_TRUE(ChooseFromRowMenu(0, {Form->ModificationItem, Form->VisitItem}));
  EXPECT_EQ(ReadAll(ShellLog()), "open\tnotepad.exe\t\"C:\\Quake\\rr\\readme.txt\"\nopen\tC:\\Quake\\rr\t\n"
                                  "open\thttp://www.rr.example\t\n");
}

TEST_F(CommandsTest, RowMenuOpensOnlyWebAddressesAndExistingFolders) {
  AddEntry({"Odd", "quake", "gone"});
  WriteIni(ModIni, "Odd", "url", "javascript:alert(1)");
  WriteIni(ModIni, "Odd", "Readme", kQuake + "\\missing.txt");
  Touch(kQuake + "\\readme.txt");
  Open();
  Form->RowMenu->PopupComponent = Form->Labels[0];
  Form->RowMenuPopup(Form->RowMenu);
  EXPECT_TRUE(Form->VisitItem->Visible);
  EXPECT_FALSE(Form->ReadmeItem->Enabled);  // its own readme is missing
  ASSERT_TRUE(ChooseFromRowMenu(0, {Form->ModificationItem, Form->VisitItem}));
  ASSERT_TRUE(ChooseFromRowMenu(0, {Form->ModificationItem, Form->GoToItem}));  // C:\Quake\gone does not exist
  Form->ReadmeItemClick(Form->ReadmeItem);
  EXPECT_FALSE(Exists(ShellLog()));
  Form->VisitItem->Caption = "Visit: C:\\windows\\notepad.exe";
  Form->VisitItemClick(Form->VisitItem);
  EXPECT_FALSE(Exists(ShellLog()));
  Form->VisitItem->Caption = "Visit: https://ok.example/a&&b";
  Form->VisitItemClick(Form->VisitItem);
  EXPECT_EQ(ReadAll(ShellLog()), "open\thttps://ok.example/a&b\t\n");
}

// A "www." address is no file name: the shell would first look for a file
// of that name, and www.example.com is a program's name too. What follows
// the address on its line goes nowhere.
TEST_F(CommandsTest, VisitGivesTheShellOnlyTheWebAddress) {
  AddEntry({"Odd", "quake", ""});
  Open();
  for (const char* caption : {"Visit: www.evil.com", "Visit:  WWW.x.example/a\tC:\\x.exe",
                              "Visit: https://ok.example/ C:\\Quake\\quake.exe", "Visit: www.",
                              "Visit: ftp://files.example/", "Visit: wwwx.example"}) {
    Form->VisitItem->Caption = caption;
    Form->VisitItemClick(Form->VisitItem);
  }
  EXPECT_EQ(ReadAll(ShellLog()), "open\thttp://www.evil.com\t\nopen\thttp://WWW.x.example/a\t\n"
                                  "open\thttps://ok.example/\t\n");
}

TEST_F(CommandsTest, ReadmeAndConfigSearchesTakeTheFirstCandidate) {
  const std::string mod = kQuake + "\\ctf";
  CreateDirectoryA(mod.c_str(), nullptr);
  Touch(mod + "\\ctf.txt");
  Touch(mod + "\\readme.1st");
  EXPECT_EQ(TMainWindow::ReadmeSearch(kQuake, "ctf", "Capture"), mod + "\\readme.1st");
  EXPECT_EQ(TMainWindow::ReadmeSearch(kQuake, "", "Capture"), "");
  Touch(kQuake + "\\readme.txt");
  EXPECT_EQ(TMainWindow::ReadmeSearch(kQuake, "", "Capture"), kQuake + "\\readme.txt");
  Touch(mod + "\\server.cfg");
  Touch(mod + "\\Capture.cfg");
  EXPECT_EQ(TMainWindow::ConfigSearch(kQuake, "ctf", "Capture"), mod + "\\Capture.cfg");
  CreateDirectoryA((mod + "\\manual").c_str(), nullptr);
  Touch(mod + "\\manual\\zeta.htm");
  Touch(mod + "\\manual\\beta.html");
  EXPECT_EQ(TMainWindow::ManualSearch(kQuake, "ctf"), mod + "\\manual\\beta.html");
  Touch(mod + "\\manual\\opmanual.htm");
  EXPECT_EQ(TMainWindow::ManualSearch(kQuake, "ctf"), mod + "\\manual\\opmanual.htm");
}

// Press, leave, come back, release: the command runs only on a release
// over the button that follows a press that stayed on it.
TEST_F(CommandsTest, SkinButtonsSwitchPicturesAndFireOnReleaseOnly) {
  AddEntry({"Base", "quake", ""});
  Open();
  const int about = 5;
  Tbxskinnappi& b = Form->Skin->Data.Button(about);
  auto paint = [](TPicture& p, TColor c) {
    p.Bitmap().SetPixelFormat(pf24bit);
    p.Bitmap().SetSize(4, 4);
    p.Bitmap().SetPixel(1, 1, c);
  };
  paint(b.Kuva, clRed);
  paint(b.Valittu, clLime);
  paint(b.Painettu, clBlue);
  b.Kuvak = b.Valittuk = b.Painettuk = true;
  TImage* control = Form->AboutButton;
  Prompts.clear();
  auto shown = [&] { return control->Picture().Bitmap().Empty() ? clNone : control->Picture().Bitmap().Pixel(1, 1); };
  Form->ButtonMouseEnter(about);
  EXPECT_EQ(shown(), clLime);
  Form->ButtonMouseDown(about);
  EXPECT_EQ(shown(), clBlue);
  Form->ButtonMouseLeave(about);
  EXPECT_EQ(shown(), clRed);
  Form->ButtonMouseEnter(about);
  Form->ButtonMouseUp(about);
  EXPECT_TRUE(Prompts.empty()) << PromptTexts();
  Form->ButtonMouseDown(about);
  Form->ButtonMouseUp(about);
  ASSERT_EQ(Prompts.size(), 1u);
  EXPECT_NE(Prompts[0].Text.find("About window"), std::string::npos);
  EXPECT_EQ(shown(), clLime);
  EXPECT_EQ(control->Tag, 0);
  // Without a normal picture the button shows nothing once the pointer leaves.
  b.Kuvak = false;
  Form->ButtonMouseLeave(about);
  EXPECT_EQ(shown(), clNone);
}

TEST_F(CommandsTest, RowMenuTakesTheReadmesAddressWhenTheEntryHasNone) {
  AddEntry({"Plain", "quake", ""});
  std::ofstream(kQuake + "\\readme.txt") << "Mirror: www.one.example\nSee (http://two.example/news/).\n";
  Open();
  Form->RowMenu->PopupComponent = Form->Labels[0];
  Form->RowMenuPopup(Form->RowMenu);
  EXPECT_TRUE(Form->VisitItem->Visible);
  EXPECT_EQ(Form->VisitItem->Caption, "Visit: http://two.example/news/");
  EXPECT_EQ(Form->GoToItem->Caption, "Go to C:\\Quake");
}

TEST_F(CommandsTest, EnterStartsTheRowAndCtrlTHidesTheWindow) {
  AddEntry({"Broken", "quake", "", "missing.exe"});
  Open();
  Form->Show();
  Form->StartMap = "left over";
  Key(VK_RETURN);
  EXPECT_NE(PromptTexts().find("File was not found."), std::string::npos) << PromptTexts();
  EXPECT_EQ(Form->StartMap, "");
  Key(VK_RETURN, ssShift);  // Enter takes any modifiers
  EXPECT_FALSE(Prompts.empty());
  Key('T', ssCtrl | ssAlt);
  EXPECT_TRUE(Form->Visible());
  Key('T', ssCtrl);
  EXPECT_FALSE(Form->Visible());
}

// A start that raises (a template with a stray "%") still brings the page back.
TEST_F(CommandsTest, QuickStartThatFailsRestoresThePage) {
  AddEntry({"Bad", "quake", "", "quake %d"});
  AddEntry({"Fav", "quake", "f"}, Favourites);
  WriteIni(Options, "Asetukset", "nayta", "suosikit");
  Open();
  TMenuItem item(nullptr);
  item.Caption = "Bad";
  EXPECT_ANY_THROW(Form->QuickItemClick(&item));
  ASSERT_EQ(Form->EntryNames.Count(), 1);
  EXPECT_EQ(Form->EntryNames[0], "Fav");
  EXPECT_EQ(Form->SelectedRow, 0);
}

// A file that cannot be written stops Remove all part way; the page then
// shows what the file holds.
TEST_F(CommandsTest, RemoveAllThatFailsRebuildsThePage) {
  AddNumbered(3);
  Open();
  Select(2);
  // An entry file that is a folder cannot be written.
  const std::string blocked = Dir + "blocked.ini";
  CreateDirectoryA(blocked.c_str(), nullptr);
  Form->ModIni = std::make_unique<TIniFile>(blocked);
  Answers = {mrYes};
  EXPECT_ANY_THROW(Form->RemoveAllButtonClick(Form->RemoveAllButton));
  RemoveDirectoryA(blocked.c_str());
  EXPECT_EQ(Form->ModIni->FileName(), ModIni);
  EXPECT_EQ(Form->EntryNames.Count(), 3);
  EXPECT_EQ(Form->SelectedRow, 0);
}

TEST_F(CommandsTest, ModifyStartsFromTheEntryAndItsFiles) {
  AddEntry({"Capture", "quake", "ctf", "quake -game %s", "ctf.ico"});
  WriteIni(ModIni, "Capture", "winmem", "winmem 16");
  WriteIni(ModIni, "Capture", "url", "http://ignored.example");
  const std::string mod = kQuake + "\\ctf";
  CreateDirectoryA(mod.c_str(), nullptr);
  std::ofstream(mod + "\\liblist.gam") << "url_info \"http://first.example\"\nURL_INFO \"http://second.example\"\n";
  Touch(mod + "\\ctf.txt");
  Touch(mod + "\\readme.1st");
  Touch(mod + "\\user.cfg");
  Open();
  TEntryDialogValues v = Form->ModifyValues("Capture");
  EXPECT_EQ(v.WebSite, "http://second.example");
  EXPECT_EQ(v.Readme, mod + "\\readme.1st");
  EXPECT_EQ(v.Config, mod + "\\user.cfg");
  EXPECT_EQ(v.Map, "<none>");
  EXPECT_EQ(v.WinMem, "winmem 16");
  EXPECT_FALSE(v.RandomMapCycle);
  EXPECT_EQ(v.Logo, Dir + "Logos\\ctf.ico");
  // Without liblist.gam and url the readme's address is taken; named files
  // are taken as they are.
  DeleteFileA((mod + "\\liblist.gam").c_str());
  WriteIni(ModIni, "Capture", "url", "");
  WriteIni(ModIni, "Capture", "Config", "D:\\elsewhere.cfg");
  std::ofstream(mod + "\\readme.1st") << "Home: www.ctf.example, mirror.\n";
  WriteIni(Options, "Asetukset", "hlmapcycle", "1");
  v = Form->ModifyValues("Capture");
  EXPECT_EQ(v.WebSite, "www.ctf.example");
  EXPECT_EQ(v.Config, "D:\\elsewhere.cfg");
  EXPECT_TRUE(v.RandomMapCycle);
}

// Two counted mods of one folder name under different games keep apart.
TEST_F(CommandsTest, MostStartedRowsMatchEachRowWithItsOwnGame) {
  AddEntry({"Quake CTF", "quake", "ctf"});
  AddEntry({"Q2 CTF", "quake2", "ctf"});
  WriteIni(Counts, "quake", "ctf", "2");
  WriteIni(Counts, "quake2", "ctf", "5");
  WriteIni(Counts, "quake2", "gone", "1");
  Open();
  Form->BuildRanking();
  Form->MostStartedRows();
  ASSERT_EQ(Form->RankMods.Count(), 4);
  EXPECT_EQ(Form->RankMods.Items(), (std::vector<std::string>{"Mod name", "Q2 CTF", "Quake CTF", "gone"}));
  EXPECT_EQ(Form->RankGames.Items(), (std::vector<std::string>{"Game", "quake2", "quake", "quake2"}));
  EXPECT_EQ(Form->RankCounts.Items(), (std::vector<std::string>{"Started", "5", "2", "1"}));
  ASSERT_TRUE(ChooseFromRowMenu(0, {Form->MostStartedItem}));
  ASSERT_EQ(Prompts.size(), 1u);
  EXPECT_NE(Prompts[0].Text.find("Most started mods"), std::string::npos);
}

TEST_F(CommandsTest, BackgroundMenuFromTheIconOrTheWindow) {
  AddEntry({"Beta", "quake", "b", "missing.exe"});
  AddEntry({"Alpha & Co", "quake", "a"});
  for (int i = 1; i <= 6; ++i) WriteIni(Counts, "quake", "m" + std::to_string(i), std::to_string(10 - i));
  for (int i = 1; i <= 6; ++i) AddEntry({"Counted " + std::to_string(i), "quake", "m" + std::to_string(i)});
  WriteIni(Options, "Asetukset", "showtopsindex", "1");
  Open();
  // From the icon: Open and the Modlist of the view, in list order.
  Form->TrayMenu->PopupComponent = Form->TrayIcon;
  Form->TrayMenuPopup(Form->TrayMenu);
  EXPECT_TRUE(Form->TrayOpenItem->Visible);
  EXPECT_FALSE(Form->TrayMinimizeItem->Visible);
  EXPECT_TRUE(Form->TrayModListItem->Visible);
  ASSERT_EQ(Form->TrayModListItem->Count(), 8);
  EXPECT_EQ(Form->TrayModListItem->Items(0)->Caption, "Alpha && Co");
  EXPECT_EQ(Form->TrayModListItem->Items(1)->Caption, "Beta");
  // The quick items mirror the row menu's.
  for (int k = 0; k < 20; ++k) {
    EXPECT_EQ(Form->TrayQuickItems[k]->Visible, k < 6) << k;
    EXPECT_EQ(Form->TrayQuickItems[k]->Caption, Form->QuickMenuItems[k]->Caption);
  }
  EXPECT_EQ(Form->TrayQuickItems[0]->Caption, "Counted 1");
  EXPECT_TRUE(Form->TrayMostStartedItem->Visible);
  // A Modlist item starts its entry; the page stays as it was.
  Select(3);
  Form->TrayModItemClick(Form->TrayModListItem->Items(1));
  EXPECT_NE(PromptTexts().find("File was not found."), std::string::npos) << PromptTexts();
  EXPECT_EQ(Form->SelectedRow, 3);
  // From the window's face: Minimize instead of Open and Modlist.
  Form->TrayMenu->PopupComponent = Form->Face;
  Form->TrayMenuPopup(Form->TrayMenu);
  EXPECT_FALSE(Form->TrayOpenItem->Visible);
  EXPECT_TRUE(Form->TrayMinimizeItem->Visible);
  EXPECT_FALSE(Form->TrayModListItem->Visible);
  EXPECT_EQ(Form->Face->PopupMenu, Form->TrayMenu);
  EXPECT_EQ(Form->Labels[0]->PopupMenu, Form->RowMenu);
}

namespace {
// The menu as Windows shows it: for each shown item, whether it is a line.
// The menu is opened for real, looked at once on screen and closed.
std::vector<bool> ShownLines(TBarPopupMenu& menu, TComponent* opener) {
  menu.PopupComponent = opener;
  std::vector<bool> lines;
  UINT_PTR timer = Application().AddTimer(
      [&] {
        HWND shown = FindWindowA("#32768", nullptr);
        if (!shown || !IsWindowVisible(shown) || !lines.empty()) return;
        HMENU items = HMENU(SendMessageA(shown, MN_GETHMENU, 0, 0));
        for (int i = 0; i < GetMenuItemCount(items); ++i) {
          MENUITEMINFOA mii{};
          mii.cbSize = sizeof mii;
          mii.fMask = MIIM_FTYPE;
          GetMenuItemInfoA(items, UINT(i), TRUE, &mii);
          lines.push_back((mii.fType & MFT_SEPARATOR) != 0);
        }
        EndMenu();
      },
      50);
  menu.Popup(10, 10);
  Application().RemoveTimer(timer);
  return lines;
}

// No line at the top or the foot, and never two together.
bool LinesOnlyBetweenItems(const std::vector<bool>& lines) {
  if (lines.empty() || lines.front() || lines.back()) return false;
  for (size_t i = 1; i < lines.size(); ++i)
    if (lines[i] && lines[i - 1]) return false;
  return true;
}
}  // namespace

// Without start counts "Most started mods" and the quick entries are hidden:
// their lines go with them, in the icon's menu and in the row menu.
TEST_F(CommandsTest, MenusWithoutStartCountsShowNoLinesTogether) {
  AddEntry({"Capture", "quake", "ctf"});
  Open();
  Form->Show();
  const std::vector<bool> tray = ShownLines(*Form->TrayMenu, Form->TrayIcon);
  EXPECT_GT(tray.size(), 4u);
  EXPECT_TRUE(LinesOnlyBetweenItems(tray)) << ::testing::PrintToString(tray);
  const std::vector<bool> row = ShownLines(*Form->RowMenu, Form->Labels[0]);
  EXPECT_GT(row.size(), 4u);
  EXPECT_TRUE(LinesOnlyBetweenItems(row)) << ::testing::PrintToString(row);
  // With counts, the lines around "Most started mods" are back.
  WriteIni(Counts, "quake", "ctf", "3");
  const std::vector<bool> counted = ShownLines(*Form->TrayMenu, Form->TrayIcon);
  EXPECT_EQ(counted.size(), tray.size() + 4) << "a line, Most started mods, a line and one quick entry";
  EXPECT_TRUE(LinesOnlyBetweenItems(counted)) << ::testing::PrintToString(counted);
}

TEST_F(CommandsTest, IconClickDoesNothingWhileSettingsAreUp) {
  AddEntry({"Base", "quake", ""});
  Open();
  ASSERT_TRUE(ChooseFromRowMenu(0, {Form->MinimizeToTrayItem}));
  EXPECT_TRUE(Form->TrayIcon->IconVisible());
  Form->SettingsIdle = false;
  Form->TrayIconClick(Form->TrayIcon);
  EXPECT_TRUE(Form->TrayIcon->IconVisible());
  Form->SettingsIdle = true;
  Form->TrayIconClick(Form->TrayIcon);
  EXPECT_FALSE(Form->TrayIcon->IconVisible());
  EXPECT_FALSE(Form->TrayIcon->Enabled);
  EXPECT_TRUE(Form->Visible());
}

// Find mods fails while another program holds Mod.ini; the page, repainted
// meanwhile and afterwards, keeps showing the entries the file holds.
TEST_F(CommandsTest, AFindModsThatFailsOnAHeldEntryFileKeepsThePage) {
  AddNumbered(3);
  WriteIni(GamesIni, "quake", "GameOletus", "quake");
  Open();
  HANDLE held = CreateFileA(ModIni.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_ANY_THROW(Form->FindModsItemClick(nullptr));
  Form->PaintPage(false);
  EXPECT_EQ(Form->EntryNames.Count(), 3);
  EXPECT_TRUE(Form->Labels[2]->Visible());
  CloseHandle(held);
  Form->PaintPage(false);
  EXPECT_EQ(Form->EntryNames.Count(), 3);
  EXPECT_EQ(Form->Labels[0]->Caption(), "Entry 01");
}
