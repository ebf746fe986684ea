// The New/Modify entry dialog under Wine: its choices per game, the map
// list, what OK writes (entry file, mod-info file, own mod list, byte for
// byte), the refusals, and the fields that a picked folder or an entry fill.
// The class library's headers come before windows.h (its colour macros).
#include "entry_dialog_fixture.h"
#include "ModFolderPicker.h"

#include <windows.h>

#include <algorithm>

#include "DialogCaption.h"
#include "ModDiscovery.h"
#include "../support/pakfile.h"

namespace {
void ChooseGame(TEntryDialog& form, const std::string& game) {
  form.GameCombo->SetItemIndex(form.GameCombo->Items.IndexOf(game));
  form.GameComboChange(form.GameCombo);
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
  TEntryDialog form(nullptr, nullptr, Files());
  ASSERT_EQ(form.GameCombo->Items.Count(), 2);  // "gone" has no folder
  EXPECT_EQ(form.GameCombo->Text(), "half-life");
  EXPECT_TRUE(form.MapcycleCheckBox->Visible());
  EXPECT_TRUE(form.MapcycleCheckBox->Checked());
  EXPECT_FALSE(form.WinmemCombo->Enabled);
  EXPECT_EQ(form.WinmemCombo->Text(), "<default>");
  EXPECT_EQ(form.WinmemCombo->Items.Count(), 9);

  ChooseGame(form, "quake");
  EXPECT_TRUE(form.WinmemCombo->Enabled);
  EXPECT_FALSE(form.MapcycleCheckBox->Visible());
  EXPECT_EQ(form.ParametersCombo->Items.Count(), 2);  // "3" comes after a gap
  EXPECT_EQ(form.ParametersCombo->Items[1], "quake -hipnotic -game %s");
  EXPECT_EQ(form.ParametersCombo->Text(), "quake -game %s");
  EXPECT_EQ(form.MapCombo->Text(), "<none>");
  EXPECT_TRUE(form.PickModFolderButton->Enabled);
}

TEST_F(TEntryDialogTest, WithoutAnInstalledGameTheFolderButtonIsOff) {
  Games->EraseSection("quake");
  Games->EraseSection("half-life");
  TEntryDialog form(nullptr, nullptr, Files());
  EXPECT_EQ(form.GameCombo->Items.Count(), 0);
  EXPECT_FALSE(form.PickModFolderButton->Enabled);
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

  WriteTextFile(QuakeDir + "\\mymod\\pak0.pak", PakBytes({"maps/modpak.bsp", "progs/player.mdl", "maps/dm9.bsp"}));
  WriteTextFile(QuakeDir + "\\id1\\pak0.pak", PakBytes({"maps/b_exbox2.bsp", "maps/idpak.bsp"}));
  std::vector<std::string> withPaks = GameMaps("quake", QuakeDir, "mymod");
  EXPECT_EQ(withPaks.size(), quake.size() + 2);
  EXPECT_EQ(withPaks[3], "modpak") << "the mod's packages after its loose maps";
  EXPECT_EQ(withPaks.back(), "idpak");
  EXPECT_EQ(CountOf(withPaks, "b_exbox2"), 0u);
  EXPECT_EQ(CountOf(withPaks, "dm9"), 1u);

  WriteTextFile(HalfLifeDir + "\\valve\\maps\\crossfire.bsp", "x");
  WriteTextFile(HalfLifeDir + "\\valve\\maps\\b_bh10.bsp", "x");
  EXPECT_EQ(GameMaps("half-life", HalfLifeDir, ""),
            (std::vector<std::string>{"<none>", "b_bh10", "crossfire"}));

  MakeDirs(Root + "Q3\\baseq3\\maps");
  WriteTextFile(Root + "Q3\\baseq3\\maps\\q3dm1.bsp", "x");
  EXPECT_EQ(GameMaps("quake 3 arena", Root + "Q3", "").size(), 2u);
  EXPECT_EQ(GameMaps("q3", Root + "Q3", "").back(), "q3dm1");
  EXPECT_EQ(GameMaps("sin", Root + "Q3", ""), std::vector<std::string>{"<none>"});

  MakeDirs(Root + "Q2\\baseq2\\maps");
  WriteTextFile(Root + "Q2\\baseq2\\maps\\base1.bsp", "x");
  WriteTextFile(Root + "Q2\\baseq2\\pak0.pak", "PACK cut short");
  EXPECT_EQ(GameMaps("quake 2", Root + "Q2", ""), (std::vector<std::string>{"<none>", "base1"}))
      << "a broken package ends only its own step";
  EXPECT_EQ(GameMaps("quake", Root + "Missing", "x").size(), 1u + 38);
}

TEST_F(TEntryDialogTest, OkWritesTheEntryTheModInfoFileAndTheOwnModList) {
  MakeDirs(QuakeDir + "\\mymod");
  WriteTextFile(App + "Mod.ini", "[Old one]\r\nMod=old\r\nGame=quake\r\nParam=quake -game %s\r\n");
  TEntryDialog form(nullptr, nullptr, Files());
  int result = RunModal(form, [&] {
    ChooseGame(form, "quake");
    form.NameEdit->SetText("  my mod ");
    form.DescriptionEdit->SetText("A test mod");
    form.ModFolderEdit->SetText("mymod");
    form.WebSiteEdit->SetText("http://mymod.example/");
    form.LogoValue = "mymod.ico";
    form.WinmemCombo->SetItemIndex(2);
    Press(form.OKButton);
  });
  EXPECT_EQ(result, mrOk);
  EXPECT_TRUE(Prompts.empty());
  EXPECT_EQ(Refreshes, 1);
  // The entry file keeps its bytes; the new entry follows them.
  EXPECT_EQ(ReadTextFile(App + "Mod.ini"),
            "[Old one]\r\nMod=old\r\nGame=quake\r\nParam=quake -game %s\r\n"
            "[My mod]\r\nMod=mymod\r\nGame=quake\r\nParam=quake -game %s\r\nBitmap=mymod.ico\r\n"
            "Description=A test mod\r\nReadme=\r\nConfig=\r\nMap=<none>\r\nwinmem=winmem 12\r\n"
            "url=http://mymod.example/\r\nrandommapcycle=0\r\n");
  EXPECT_EQ(ReadTextFile(QuakeDir + "\\mymod\\modinfo_for_BX2000.bx2"),
            "My mod\r\nA test mod\r\nmymod.ico\r\nquake -game %s\r\nhttp://mymod.example/\r\n");
  EXPECT_EQ(ReadTextFile(App + "modlist\\quake.txt"), "mymod\r\n");
}

TEST_F(TEntryDialogTest, ThePlainGamesModInfoFileGoesIntoTheGameFolder) {
  TEntryDialog form(nullptr, nullptr, Files());
  EXPECT_EQ(RunModal(form, [&] {
              ChooseGame(form, "half-life");
              form.MapcycleCheckBox->SetChecked(true);
              form.NameEdit->SetText("half-Life");
              Press(form.OKButton);
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
    TEntryDialog form(nullptr, nullptr, Files());
    EXPECT_EQ(RunModal(form, [&] {
                ChooseGame(form, "quake");
                form.NameEdit->SetText("Escape");
                form.ModFolderEdit->SetText(mod);
                Press(form.OKButton);
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
  TEntryDialog form(nullptr, nullptr, Files());
  int result = RunModal(form, [&] {
    ChooseGame(form, "quake");
    form.NameEdit->SetText("taken");
    Press(form.OKButton);
    form.NameEdit->SetText("Rocket [Arena]");
    Press(form.OKButton);
    form.NameEdit->SetText("   ");
    Press(form.OKButton);  // blank: nothing at all
    EXPECT_EQ(form.ModalResult, 0);
    Press(form.CancelButton);
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
  TEntryDialog form(nullptr, nullptr, Files());
  form.LoadEntry("ctf");
  EXPECT_EQ(form.Mode, emModify);
  EXPECT_EQ(form.GameCombo->Text(), "quake");
  EXPECT_EQ(form.MapCombo->Text(), "e1m2");
  EXPECT_EQ(form.WinmemCombo->Text(), "winmem 16");
  EXPECT_EQ(RunModal(form, [&] {
              form.NameEdit->SetText("CTF");
              Press(form.OKButton);
            }),
            mrOk);
  EXPECT_TRUE(Prompts.empty());
  std::vector<TEntry> entries = ParseIni(ReadTextFile(App + "Mod.ini"));
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].Name, "Other");
  EXPECT_EQ(entries[1].Name, "CTF");
  EXPECT_EQ(entries[1].Value("Map"), "e1m2");

  // A new name that another entry has is refused; the entry stays.
  TEntryDialog again(nullptr, nullptr, Files());
  again.LoadEntry("CTF");
  EXPECT_EQ(RunModal(again, [&] {
              again.NameEdit->SetText("other");
              Press(again.OKButton);
              Press(again.CancelButton);
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
  TEntryDialog form(nullptr, nullptr, Files());
  form.LoadEntry("TFC");
  EXPECT_EQ(form.WebSiteEdit->Text(), "www.second.example");
  EXPECT_EQ(searched, HalfLifeDir + "\\tfc");
  EXPECT_EQ(form.ReadmeEdit->Text(), HalfLifeDir + "\\tfc\\readme.1st");
  EXPECT_EQ(form.ConfigEdit->Text(), HalfLifeDir + "\\tfc\\config.cfg");
  EXPECT_EQ(form.LogoValue, App + "Logos\\tfc.bmp");
  EXPECT_FALSE(form.MapcycleCheckBox->Checked());
  EXPECT_EQ(form.MapCombo->Text(), "<none>");
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
    auto form = std::make_unique<TEntryDialog>(nullptr, nullptr, Files());
    ChooseGame(*form, "quake");
    TPickerDriver driver(folder);
    form->PickModFolderButtonClick(form->PickModFolderButton);
    EXPECT_EQ(form->ModFolderEdit->Text(), folder);
    return form;
  };
  auto four = pick("four");
  EXPECT_EQ(four->NameEdit->Text(), "");
  EXPECT_EQ(four->DescriptionEdit->Text(), "");

  auto five = pick("five");
  EXPECT_EQ(five->NameEdit->Text(), "Five Mod");
  EXPECT_EQ(five->DescriptionEdit->Text(), "Five lines");
  EXPECT_EQ(five->ParametersCombo->Text(), "quake -five %s");
  EXPECT_EQ(five->WebSiteEdit->Text(), "http://five.example/");
  EXPECT_EQ(five->LogoValue, "five.bmp");

  auto hl = pick("hlmod");
  EXPECT_EQ(hl->NameEdit->Text(), "HL Mod");
  EXPECT_EQ(hl->DescriptionEdit->Text(), "HL Mod");
  EXPECT_EQ(hl->WebSiteEdit->Text(), "hlmod.example");
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
  TEntryDialog form(nullptr, nullptr, Files());
  SetCaptionSource({});
  EXPECT_EQ(form.LogoCombo->Items.Count(), 2);
  RunModal(form, [&] {
    ChooseGame(form, "quake");
    EXPECT_EQ(form.LogoValue, App + "Logos\\quake.bmp");
    EXPECT_EQ(form.LogoImage->Picture().Bitmap().Width(), 32);
    form.LogoCombo->SetItemIndex(1);
    form.LogoComboChange(form.LogoCombo);
    EXPECT_EQ(form.LogoValue, "quake.bmp") << "a logo of the list is kept by its name";
    form.NameEdit->SetText("My mod");
    form.ModFolderEdit->SetText("mymod");
    Press(form.AdvancedButton);
    EXPECT_TRUE(form.AdvancedPanel->Visible());
    EXPECT_TRUE(IsWindowVisible(form.WebSiteEdit->Handle()));
    HoldForLooking("BX_SHOW_ENTRY");
    Press(form.AdvancedButton);
    EXPECT_FALSE(IsWindowVisible(form.WebSiteEdit->Handle()));
    Press(form.CancelButton);
  });
  EXPECT_FALSE(FileExists(App + "Mod.ini"));
}

TEST_F(TEntryDialogTest, ALogoFromTheListOrFromTheBrowser) {
  TBitmap logo;
  logo.SetSize(16, 16);
  logo.SaveToFile(App + "Logos\\a.bmp");
  logo.SaveToFile(App + "Logos\\b.bmp");
  WriteTextFile(App + "Logos\\broken.bmp", "not a bitmap");
  TEntryDialog form(nullptr, nullptr, Files());
  ASSERT_EQ(form.LogoCombo->Items.Count(), 2) << "an unreadable picture is not listed";
  form.LogoCombo->SetItemIndex(0);
  form.LogoComboChange(form.LogoCombo);
  EXPECT_EQ(form.LogoValue, "a.bmp");
  DeleteFileA((App + "Logos\\b.bmp").c_str());
  form.LogoCombo->SetItemIndex(1);
  form.LogoComboChange(form.LogoCombo);
  EXPECT_EQ(form.LogoValue, "") << "a logo that fails clears the value";

  const std::string icon = Root + "elsewhere\\mod.ico";
  WriteTextFile(icon, "not really an icon");
  SetPromptHook([&](const TPromptRequest& r) {
    if (r.Value) *r.Value = icon;
    return int(mrOk);
  });
  form.BrowseLogoButtonClick(form.BrowseLogoButton);
  EXPECT_EQ(form.LogoValue, icon) << "the chosen file by its full path, even when it cannot be shown";
  EXPECT_EQ(form.OpenLogoDialog->InitialDir, App + "Logos");
}
