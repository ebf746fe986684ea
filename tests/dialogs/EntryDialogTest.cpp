// The New/Modify entry dialog under Wine: its choices per game, the map
// list, what OK writes (entry file, mod-info file, own mod list, byte for
// byte), the refusals, and the fields that a picked folder or an entry fill.
// The class library's headers come before windows.h (its colour macros).
#include "EntryDialogFixture.h"
#include "Unit5.h"

#include <windows.h>

#include <algorithm>

#include "DialogCaption.h"
#include "ModDiscovery.h"

namespace {
void ChooseGame(TForm4& form, const std::string& game) {
  form.C1->SetItemIndex(form.C1->Items.IndexOf(game));
  form.C1Change(form.C1);
}

size_t CountOf(const std::vector<std::string>& list, const std::string& item) {
  return size_t(std::count(list.begin(), list.end(), item));
}

// Picks folder in the mod folder picker as soon as it is up.
class TPickerDriver {
public:
  explicit TPickerDriver(const std::string& folder) {
    FTimer = Application().AddTimer(
        [this, folder] {
          HWND picker = FindWindowA(nullptr, "Select Mod directory");
          if (!picker || !IsWindowVisible(picker)) return;
          HWND list = FindWindowExA(picker, nullptr, "LISTBOX", nullptr);
          int index = int(SendMessageA(list, LB_FINDSTRINGEXACT, WPARAM(-1), LPARAM(folder.c_str())));
          SendMessageA(list, LB_SETCURSEL, WPARAM(index), 0);
          SendMessageA(picker, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), LBN_DBLCLK), LPARAM(list));
        },
        20);
  }
  ~TPickerDriver() { Application().RemoveTimer(FTimer); }

private:
  UINT_PTR FTimer;
};
}  // namespace

TEST_F(TEntryDialogTest, CreationListsTheGamesWithAFolderAndEachGamesChoices) {
  Options->WriteBool("Asetukset", "hlmapcycle", true);
  TForm4 form(nullptr, nullptr, Files());
  ASSERT_EQ(form.C1->Items.Count(), 2);  // "gone" has no folder
  EXPECT_EQ(form.C1->Text(), "half-life");
  EXPECT_TRUE(form.mapcycle->Visible());
  EXPECT_TRUE(form.mapcycle->Checked());
  EXPECT_FALSE(form.C5->Enabled);
  EXPECT_EQ(form.C5->Text(), "<default>");
  EXPECT_EQ(form.C5->Items.Count(), 9);

  ChooseGame(form, "quake");
  EXPECT_TRUE(form.C5->Enabled);
  EXPECT_FALSE(form.mapcycle->Visible());
  EXPECT_EQ(form.C2->Items.Count(), 2);  // "3" comes after a gap
  EXPECT_EQ(form.C2->Items[1], "quake -hipnotic -game %s");
  EXPECT_EQ(form.C2->Text(), "quake -game %s");
  EXPECT_EQ(form.Map->Text(), "<none>");
  EXPECT_TRUE(form.SpeedButton3->Enabled);
}

TEST_F(TEntryDialogTest, WithoutAnInstalledGameTheFolderButtonIsOff) {
  Games->EraseSection("quake");
  Games->EraseSection("half-life");
  TForm4 form(nullptr, nullptr, Files());
  EXPECT_EQ(form.C1->Items.Count(), 0);
  EXPECT_FALSE(form.SpeedButton3->Enabled);
}

TEST_F(TEntryDialogTest, MapListsOfEachGame) {
  MakeDirs(QuakeDir + "\\mymod\\maps");
  WriteTextFile(QuakeDir + "\\mymod\\maps\\e1m1.bsp", "x");
  WriteTextFile(QuakeDir + "\\mymod\\maps\\dm9.bsp", "x");
  WriteTextFile(QuakeDir + "\\id1\\maps\\b_bh10.bsp", "x");
  WriteTextFile(QuakeDir + "\\id1\\maps\\custom.bsp", "x");
  WriteTextFile(QuakeDir + "\\id1\\maps\\E1M2.bsp", "x");
  std::vector<std::string> quake = GameMaps("Quake", QuakeDir, "mymod");
  ASSERT_EQ(quake.size(), 1u + 2 + 38 + 1);
  EXPECT_EQ(quake[0], "<none>");
  EXPECT_EQ(CountOf(quake, "e1m1"), 2u) << "the built-in names are appended without a check";
  EXPECT_EQ(CountOf(quake, "dm9"), 1u);
  EXPECT_EQ(quake[3], "start");
  EXPECT_EQ(quake.back(), "custom");
  EXPECT_EQ(CountOf(quake, "b_bh10"), 0u) << "an item model of id1";
  EXPECT_EQ(CountOf(quake, "E1M2"), 0u) << "already listed in other letter case";

  WriteTextFile(HalfLifeDir + "\\valve\\maps\\crossfire.bsp", "x");
  WriteTextFile(HalfLifeDir + "\\valve\\maps\\b_bh10.bsp", "x");
  EXPECT_EQ(GameMaps("half-life", HalfLifeDir, ""),
            (std::vector<std::string>{"<none>", "b_bh10", "crossfire"}));

  MakeDirs(Root + "Q3\\baseq3\\maps");
  WriteTextFile(Root + "Q3\\baseq3\\maps\\q3dm1.bsp", "x");
  EXPECT_EQ(GameMaps("quake 3 arena", Root + "Q3", "").size(), 2u);
  EXPECT_EQ(GameMaps("q3", Root + "Q3", "").back(), "q3dm1");
  EXPECT_EQ(GameMaps("sin", Root + "Q3", ""), std::vector<std::string>{"<none>"});
  EXPECT_EQ(GameMaps("quake", Root + "Missing", "x").size(), 1u + 38);
}

TEST_F(TEntryDialogTest, OkWritesTheEntryTheModInfoFileAndTheOwnModList) {
  MakeDirs(QuakeDir + "\\mymod");
  WriteTextFile(App + "Mod.ini", "[Old one]\r\nMod=old\r\nGame=quake\r\nParam=quake -game %s\r\n");
  TForm4 form(nullptr, nullptr, Files());
  int result = RunModal(form, [&] {
    ChooseGame(form, "quake");
    form.Edit1->SetText("  my mod ");
    form.Edit2->SetText("A test mod");
    form.Edit3->SetText("mymod");
    form.Edit6->SetText("http://mymod.example/");
    form.LogoValue = "mymod.ico";
    form.C5->SetItemIndex(2);
    Press(form.BitBtn2);
  });
  EXPECT_EQ(result, mrOk);
  EXPECT_TRUE(Prompts.empty());
  EXPECT_EQ(Refreshes, 1);
  EXPECT_EQ(ReadTextFile(App + "Mod.ini"),
            "[Old one]\r\nMod=old\r\nGame=quake\r\nParam=quake -game %s\r\n\r\n"
            "[My mod]\r\nMod=mymod\r\nGame=quake\r\nParam=quake -game %s\r\nBitmap=mymod.ico\r\n"
            "Description=A test mod\r\nReadme=\r\nConfig=\r\nMap=<none>\r\nwinmem=winmem 12\r\n"
            "url=http://mymod.example/\r\nrandommapcycle=0\r\n\r\n");
  EXPECT_EQ(ReadTextFile(QuakeDir + "\\mymod\\modinfo_for_BX2000.bx2"),
            "My mod\r\nA test mod\r\nmymod.ico\r\nquake -game %s\r\nhttp://mymod.example/\r\n");
  EXPECT_EQ(ReadTextFile(App + "modlist\\quake.txt"), "mymod\r\n");
}

TEST_F(TEntryDialogTest, ThePlainGamesModInfoFileGoesIntoTheGameFolder) {
  TForm4 form(nullptr, nullptr, Files());
  EXPECT_EQ(RunModal(form, [&] {
              ChooseGame(form, "half-life");
              form.mapcycle->SetChecked(true);
              form.Edit1->SetText("half-Life");
              Press(form.BitBtn2);
            }),
            mrOk);
  EXPECT_EQ(ReadTextFile(HalfLifeDir + "\\modinfo_for_BX2000.bx2"), "Half-Life\r\n\r\n\r\nhl -game %s\r\n\r\n");
  std::vector<TEntry> entries = ParseIni(ReadTextFile(App + "Mod.ini"));
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].Value("randommapcycle"), "1");
  EXPECT_EQ(GetFileAttributesA((App + "modlist").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(TEntryDialogTest, AModFolderWithAPathPartGetsNoModInfoFile) {
  MakeDirs(Root + "outside");
  MakeDirs(QuakeDir + "\\sub\\deeper");
  for (const char* mod : {"..\\outside", "sub\\deeper", "sub/deeper", "..", "C:outside"}) {
    SCOPED_TRACE(mod);
    DeleteFileA((App + "Mod.ini").c_str());
    TForm4 form(nullptr, nullptr, Files());
    EXPECT_EQ(RunModal(form, [&] {
                ChooseGame(form, "quake");
                form.Edit1->SetText("Escape");
                form.Edit3->SetText(mod);
                Press(form.BitBtn2);
              }),
              mrOk);
    EXPECT_EQ(ParseIni(ReadTextFile(App + "Mod.ini")).at(0).Value("Mod"), mod);
  }
  EXPECT_FALSE(FileExists(Root + "outside\\modinfo_for_BX2000.bx2"));
  EXPECT_FALSE(FileExists(QuakeDir + "\\sub\\deeper\\modinfo_for_BX2000.bx2"));
  EXPECT_FALSE(FileExists(QuakeDir + "\\modinfo_for_BX2000.bx2"));
  EXPECT_FALSE(FileExists(App + "modlist\\quake.txt"));

  EXPECT_EQ(ModInfoFolder(QuakeDir, "sub"), QuakeDir + "\\sub");
  EXPECT_EQ(ModInfoFolder(QuakeDir, " "), QuakeDir);
  EXPECT_EQ(ModInfoFolder(QuakeDir, "notthere"), "");
  EXPECT_EQ(ModInfoFolder("", "sub"), "");
}

TEST_F(TEntryDialogTest, ATakenNameOrABadCharacterIsRefusedAndNothingIsWritten) {
  const std::string before = "[Taken]\r\nMod=x\r\nGame=quake\r\nParam=quake -game %s\r\n\r\n";
  WriteTextFile(App + "Mod.ini", before);
  TForm4 form(nullptr, nullptr, Files());
  int result = RunModal(form, [&] {
    ChooseGame(form, "quake");
    form.Edit1->SetText("taken");
    Press(form.BitBtn2);
    form.Edit1->SetText("Rocket [Arena]");
    Press(form.BitBtn2);
    form.Edit1->SetText("   ");
    Press(form.BitBtn2);  // blank: nothing at all
    EXPECT_EQ(form.ModalResult, 0);
    Press(form.BitBtn1);
  });
  EXPECT_EQ(result, mrCancel);
  ASSERT_EQ(Prompts.size(), 2u);
  EXPECT_EQ(Prompts[0].Text, "Mod name exists");
  EXPECT_EQ(Prompts[1].Text.rfind("Mod name is invalid.", 0), 0u);
  EXPECT_EQ(ReadTextFile(App + "Mod.ini"), before);
  EXPECT_EQ(Refreshes, 0);

  EXPECT_EQ(EntryNameProblem("Two\r\nlines"), EntryNameProblem("a=b"));
  EXPECT_NE(EntryNameProblem("line\nbreak"), "");
  EXPECT_EQ(EntryNameProblem("Plain (quake 2) name!"), "");
}

TEST_F(TEntryDialogTest, ModifyKeepingTheNameInOtherCaseRewritesTheEntry) {
  MakeDirs(QuakeDir + "\\ctf");
  WriteTextFile(App + "Mod.ini",
                "[ctf]\r\nMod=ctf\r\nGame=quake\r\nParam=quake -game %s\r\nmap=e1m2\r\nwinmem=winmem 16\r\n\r\n"
                "[Other]\r\nMod=other\r\nGame=quake\r\nParam=quake -game %s\r\n\r\n");
  TForm4 form(nullptr, nullptr, Files());
  form.LoadEntry("ctf");
  EXPECT_EQ(form.Mode, emModify);
  EXPECT_EQ(form.C1->Text(), "quake");
  EXPECT_EQ(form.Map->Text(), "e1m2");
  EXPECT_EQ(form.C5->Text(), "winmem 16");
  EXPECT_EQ(RunModal(form, [&] {
              form.Edit1->SetText("CTF");
              Press(form.BitBtn2);
            }),
            mrOk);
  EXPECT_TRUE(Prompts.empty());
  std::vector<TEntry> entries = ParseIni(ReadTextFile(App + "Mod.ini"));
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].Name, "Other");
  EXPECT_EQ(entries[1].Name, "CTF");
  EXPECT_EQ(entries[1].Value("Map"), "e1m2");

  // A new name that another entry has is refused; the entry stays.
  TForm4 again(nullptr, nullptr, Files());
  again.LoadEntry("CTF");
  EXPECT_EQ(RunModal(again, [&] {
              again.Edit1->SetText("other");
              Press(again.BitBtn2);
              Press(again.BitBtn1);
            }),
            mrCancel);
  ASSERT_EQ(Prompts.size(), 1u);
  EXPECT_EQ(Prompts[0].Text, "Mod name exists");
  EXPECT_EQ(ParseIni(ReadTextFile(App + "Mod.ini")).size(), 2u);
}

TEST_F(TEntryDialogTest, ModifyTakesTheLastLiblistAddressAndTheSearchedReadme) {
  MakeDirs(HalfLifeDir + "\\tfc");
  WriteTextFile(HalfLifeDir + "\\tfc\\liblist.gam",
                "game \"TFC\"\r\nurl_info \"www.first.example\"\r\nurl_info \" www.second.example \"\r\n");
  WriteTextFile(App + "Mod.ini", "[TFC]\r\nMod=tfc\r\nGame=half-life\r\nParam=hl -game %s\r\nurl=ignored\r\n"
                                 "Bitmap=tfc.bmp\r\n");
  std::string searched;
  Files().FindReadme = [&](const std::string& folder) {
    searched = folder;
    return folder + "\\readme.1st";
  };
  Files().FindConfig = [](const std::string& folder) { return folder + "\\config.cfg"; };
  TForm4 form(nullptr, nullptr, Files());
  form.LoadEntry("TFC");
  EXPECT_EQ(form.Edit6->Text(), "www.second.example");
  EXPECT_EQ(searched, HalfLifeDir + "\\tfc");
  EXPECT_EQ(form.Edit4->Text(), HalfLifeDir + "\\tfc\\readme.1st");
  EXPECT_EQ(form.Edit5->Text(), HalfLifeDir + "\\tfc\\config.cfg");
  EXPECT_EQ(form.LogoValue, App + "Logos\\tfc.bmp");
  EXPECT_FALSE(form.mapcycle->Checked());
  EXPECT_EQ(form.Map->Text(), "<none>");
}

TEST_F(TEntryDialogTest, APickedFolderFillsTheBlankFieldsFromWhatItHolds) {
  MakeDirs(QuakeDir + "\\four");
  WriteTextFile(QuakeDir + "\\four\\modinfo_for_BX2000.bx2", "Four\r\nlines\r\nonly\r\nhere\r\n");
  WriteTextFile(QuakeDir + "\\four\\liblist.gam", "game \"Not read\"\r\n");
  MakeDirs(QuakeDir + "\\five");
  WriteTextFile(QuakeDir + "\\five\\modinfo_for_BX2000.bx2",
                "Five Mod\r\nFive lines\r\nfive.bmp\r\nquake -five %s\r\nhttp://five.example/\r\n");
  MakeDirs(QuakeDir + "\\hlmod");
  WriteTextFile(QuakeDir + "\\hlmod\\liblist.gam", "game \"HL Mod\"\r\nurl_info \"hlmod.example\"\r\n");
  WriteTextFile(QuakeDir + "\\hlmod\\hlmod.ico", "not really an icon");

  auto pick = [&](const std::string& folder) {
    auto form = std::make_unique<TForm4>(nullptr, nullptr, Files());
    ChooseGame(*form, "quake");
    TPickerDriver driver(folder);
    form->SpeedButton3Click(form->SpeedButton3);
    EXPECT_EQ(form->Edit3->Text(), folder);
    return form;
  };
  auto four = pick("four");
  EXPECT_EQ(four->Edit1->Text(), "");
  EXPECT_EQ(four->Edit2->Text(), "");

  auto five = pick("five");
  EXPECT_EQ(five->Edit1->Text(), "Five Mod");
  EXPECT_EQ(five->Edit2->Text(), "Five lines");
  EXPECT_EQ(five->C2->Text(), "quake -five %s");
  EXPECT_EQ(five->Edit6->Text(), "http://five.example/");
  EXPECT_EQ(five->LogoValue, "five.bmp");

  auto hl = pick("hlmod");
  EXPECT_EQ(hl->Edit1->Text(), "HL Mod");
  EXPECT_EQ(hl->Edit2->Text(), "HL Mod");
  EXPECT_EQ(hl->Edit6->Text(), "hlmod.example");
  EXPECT_EQ(hl->LogoValue, QuakeDir + "\\hlmod\\hlmod.ico");
}

TEST_F(TEntryDialogTest, TheDialogOnScreen) {
  MakeDirs(QuakeDir + "\\mymod");
  TBitmap logo;
  logo.SetSize(32, 32);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) logo.SetPixel(x, y, (x / 8 + y / 8) % 2 ? clRed : clYellow);
  logo.SaveToFile(App + "Logos\\quake.bmp");
  logo.SaveToFile(App + "Logos\\other.bmp");
  Games->WriteString("quake", "Kuvake", "quake.bmp");
  Options->WriteBool("Asetukset", "usercolors", true);
  SetCaptionSource({Options.get(), {}});
  TForm4 form(nullptr, nullptr, Files());
  SetCaptionSource({});
  EXPECT_EQ(form.C3->Items.Count(), 2);
  RunModal(form, [&] {
    ChooseGame(form, "quake");
    EXPECT_EQ(form.LogoValue, App + "Logos\\quake.bmp");
    EXPECT_EQ(form.Image1->Picture().Bitmap().Width(), 32);
    form.C3->SetItemIndex(1);
    form.C3Change(form.C3);
    EXPECT_EQ(form.LogoValue, "quake.bmp") << "a logo of the list is kept by its name";
    form.Edit1->SetText("My mod");
    form.Edit3->SetText("mymod");
    Press(form.SpeedButton1);
    EXPECT_TRUE(form.Panel1->Visible());
    EXPECT_TRUE(IsWindowVisible(form.Edit6->Handle()));
    HoldForLooking("BX_SHOW_ENTRY");
    Press(form.SpeedButton1);
    EXPECT_FALSE(IsWindowVisible(form.Edit6->Handle()));
    Press(form.BitBtn1);
  });
  EXPECT_FALSE(FileExists(App + "Mod.ini"));
}
