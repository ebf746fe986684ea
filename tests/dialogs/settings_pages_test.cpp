// The Settings dialog's "Games", "Skins" and "Sounds" pages under Wine, and
// pictures of every tab to look at (BX_SHOT_DIR).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "../support/bigcabinets.h"
#include "settings_fixture.h"
#include "../support/RealInput.h"
#include "FileUtils.h"
#include "WinGraphics.h"
#include "skinpackage.h"

#include <windows.h>

namespace {
class TSettingsPagesTest : public TSettingsTest {
protected:
  void SetUp() override {
    TSettingsTest::SetUp();
    Options->WriteInteger("Asetukset", "Aloitus", 1);
  }
  std::string Param(const std::string& game, const std::string& key) {
    return ReadIniText(App + "Parameters.txt")[game].count(key) ? ReadIniText(App + "Parameters.txt")[game][key]
                                                                : "<none>";
  }
};
}  // namespace

// --- the parameter list and game names

TEST(GameNames, RefusesBlankAndBreakingCharacters) {
  EXPECT_TRUE(IsValidGameName("quake 2"));
  EXPECT_TRUE(IsValidGameName("  Half-Life (Opposing Force) "));
  for (const char* bad : {"", "   ", "a[b", "a]b", "a=b", "a\\b", "a/b", "c:", "tab\there", "line\nbreak"})
    EXPECT_FALSE(IsValidGameName(bad)) << bad;
}

TEST_F(TSettingsPagesTest, ParameterListRewriteRemovesEveryNumberedKey) {
  WriteTextFile(App + "Parameters.txt",
                "[quake]\r\n0=a\r\n1=b\r\n3=d\r\nnote=kept\r\n\r\n[hexen2]\r\n0=h\r\n");
  RewriteParameterList(App + "Parameters.txt", "Quake", {"x"});
  TIniText ini = ReadIniText(App + "Parameters.txt");
  EXPECT_EQ(ini["quake"]["0"], "x");
  EXPECT_FALSE(ini["quake"].count("1"));
  EXPECT_FALSE(ini["quake"].count("3"));
  EXPECT_EQ(ini["quake"]["note"], "kept");
  EXPECT_EQ(ini["hexen2"]["0"], "h");
  RewriteParameterList(App + "Parameters.txt", "sin", {"p", "q"});
  ini = ReadIniText(App + "Parameters.txt");
  EXPECT_EQ(ini["sin"]["1"], "q");
  EXPECT_EQ(ini["hexen2"]["0"], "h");
}

TEST_F(TSettingsPagesTest, ParametersShownUntilAGapAndRemovingRewritesTheList) {
  Games->WriteString("quake", "Sijainti", "C:\\Quake");
  Games->WriteString("quake", "Oletus", "quake -game %s");
  WriteTextFile(App + "Parameters.txt", "[quake]\r\n0=-game ctf\r\n1=-game rogue\r\n3=-game hipnotic\r\n");
  TSettingsDialog& form = Dialog();
  form.FormShow();
  ASSERT_EQ(form.SelectedGame(), "quake");
  EXPECT_EQ(form.ParameterCombo->Items.Count(), 2);
  EXPECT_EQ(form.DefaultParameterEdit->Text(), "quake -game %s");
  EXPECT_EQ(form.ParameterCombo->PopupMenu, form.ParameterMenu);
  EXPECT_EQ(form.LocationEdit->PopupMenu, form.LocationMenu);
  form.ParameterCombo->SetItemIndex(-1);
  form.ParameterMenu->OnPopup(form.ParameterMenu);
  EXPECT_TRUE(form.AddParameterItem->Enabled);
  EXPECT_FALSE(form.RemoveParameterItem->Enabled) << "Remove needs a chosen parameter";
  form.ParameterCombo->SetItemIndex(1);
  form.ParameterMenu->OnPopup(form.ParameterMenu);
  EXPECT_TRUE(form.RemoveParameterItem->Enabled);
  Answer(mrYes);
  form.RemoveParameterItemClick(form.RemoveParameterItem);
  EXPECT_EQ(Prompts.back(), "Information|Confirm remove?");
  EXPECT_EQ(Param("quake", "0"), "-game ctf");
  EXPECT_EQ(Param("quake", "1"), "<none>");
  EXPECT_EQ(Param("quake", "3"), "<none>");
  Answer(mrOk, "-game dm");
  form.AddParameterItemClick(form.AddParameterItem);
  EXPECT_EQ(Param("quake", "1"), "-game dm");
  EXPECT_EQ(form.ParameterCombo->Text(), "-game dm");
  form.SetDefaultGameParameterButtonClick(form.SetDefaultGameParameterButton);
  EXPECT_EQ(Games->ReadString("quake", "GameOletus", ""), "-game dm");
  // The profile functions see the rewritten file.
  EXPECT_EQ(Parameters->ReadString("quake", "1", ""), "-game dm");
}

TEST_F(TSettingsPagesTest, AddBrowseModifyAndRemoveAGame) {
  TSettingsDialog& form = Dialog();
  form.FormShow();
  for (const char* bad : {"Bad [name]", "  ", "a\\b"}) {
    Answer(mrOk, bad);
    form.AddGameButtonClick(form.AddGameButton);
    EXPECT_EQ(Prompts.back(), "Error|Game name is invalid.");
  }
  EXPECT_EQ(ReadIniText(App + "Games.ini").size(), 0u) << "a refused name writes nothing";

  Answer(mrOk, "  My Game ");
  Answer(mrCancel);  // the folder browser
  form.AddGameButtonClick(form.AddGameButton);
  EXPECT_EQ(Prompts.back(), "Browse for Folder|Game location:");
  EXPECT_EQ(form.SelectedGame(), "My Game");
  EXPECT_TRUE(Games->ValueExists("My Game", "Sijainti"));
  EXPECT_EQ(Games->ReadString("My Game", "Sijainti", "?"), "");
  EXPECT_EQ(Games->ReadString("My Game", "gamename", ""), "My Game");

  Answer(mrOk, "C:\\Games\\Mine");
  form.BrowseLocationButtonClick(form.BrowseLocationButton);
  EXPECT_EQ(Games->ReadString("My Game", "Sijainti", ""), "C:\\Games\\Mine");
  Answer(mrCancel);
  form.BrowseLocationButtonClick(form.BrowseLocationButton);
  EXPECT_EQ(Games->ReadString("My Game", "Sijainti", ""), "C:\\Games\\Mine") << "a cancelled browse keeps it";

  Answer(mrOk, "http://example.invalid/");
  form.ModifyWebsiteButtonClick(form.ModifyWebsiteButton);
  EXPECT_EQ(Games->ReadString("My Game", "url", ""), "http://example.invalid/");
  Answer(mrOk, "Mine");
  form.ModifyGameNameButtonClick(form.ModifyGameNameButton);
  EXPECT_EQ(Games->ReadString("My Game", "gamename", ""), "Mine");
  EXPECT_EQ(form.GameNameEdit->Text(), "Mine");

  Answer(mrYes);
  form.ClearLocationButtonClick(form.ClearLocationButton);
  EXPECT_FALSE(Games->ValueExists("My Game", "Sijainti"));
  Answer(mrNo);
  form.RemoveGameButtonClick(form.RemoveGameButton);
  EXPECT_TRUE(Games->SectionExists("My Game"));
  Answer(mrYes);
  form.RemoveGameButtonClick(form.RemoveGameButton);
  EXPECT_FALSE(Games->SectionExists("My Game"));
  EXPECT_EQ(form.GameList->Items.Count(), 0);
}

TEST_F(TSettingsPagesTest, LogosByNameFromTheLogosFolderAndByPathFromElsewhere) {
  std::string bmp = ReadTextFile(std::string(BX_TEST_DATA) + "/bmp/rgb24.bmp");
  WriteTextFile(App + "Logos\\q.bmp", bmp);
  WriteTextFile(Root + "other\\far.bmp", bmp);
  Games->WriteString("quake", "gamename", "Quake");
  TSettingsDialog& form = Dialog();
  form.FormShow();
  EXPECT_EQ(form.LogoCombo->Items.Count(), 1);
  Answer(mrOk, App + "Logos\\q.bmp");
  form.BrowseLogoButtonClick(form.BrowseLogoButton);
  EXPECT_EQ(Games->ReadString("quake", "Kuvake", ""), "q.bmp");
  Answer(mrOk, Root + "other\\far.bmp");
  form.BrowseLogoButtonClick(form.BrowseLogoButton);
  EXPECT_EQ(Games->ReadString("quake", "Kuvake", ""), Root + "other\\far.bmp");
  EXPECT_FALSE(form.GameLogo->Picture().Bitmap().Empty());
  form.LogoCombo->SetItemIndex(0);
  form.LogoComboChange(form.LogoCombo);
  EXPECT_EQ(Games->ReadString("quake", "Kuvake", ""), "q.bmp");
}

// --- skins

TEST_F(TSettingsPagesTest, APictureSkinWithoutColFileAndItsColours) {
  WriteTextFile(App + "skins\\cool.bmp", ReadTextFile(std::string(BX_TEST_DATA) + "/bmp/rgb24.bmp"));
  WriteTextFile(App + "skins\\odd.tiff", "not a picture");
  Options->WriteString("Asetukset", "Nahka", "cool.bmp");
  TSettingsDialog& form = Dialog();
  ASSERT_EQ(form.SelectedSkin(), "cool.bmp");
  EXPECT_EQ(form.SkinCombo->Items[0], "1. cool");
  EXPECT_EQ(form.SkinCombo->Items[1], "2. odd.") << "the list cuts four characters";
  EXPECT_EQ(form.SelectedColorButton->Color(), clLime);
  EXPECT_EQ(form.UnselectedColorButton->Color(), 0x00BFD7BF);
  EXPECT_FALSE(form.InfoPanel->Visible());
  EXPECT_FALSE(FileExists(App + "skins\\cool.bmp.col"));
  form.SelectedColorButton->SetColor(clRed);
  EXPECT_EQ(ReadTextFile(App + "skins\\cool.bmp.col"), "clRed\r\n$00BFD7BF\r\n");
  CloseDialog();
  TSettingsDialog& again = Dialog();
  EXPECT_EQ(again.SelectedColorButton->Color(), clRed) << "the .col file wins over Vari";
}

TEST_F(TSettingsPagesTest, APackagePreviewReadsItsMembersAndLeavesOtherFilesOfTemp) {
  CopyFileA(BX_DEFAULTSKIN, (App + "skins\\Bx2k8.bxs").c_str(), FALSE);
  MakeDirs(App + "temp");
  WriteTextFile(App + "temp\\cur.cur", "kept");
  Options->WriteString("Asetukset", "Nahka", "Bx2k8.bxs");
  TSettingsDialog& form = Dialog();
  EXPECT_TRUE(form.InfoPanel->Visible());
  EXPECT_FALSE(form.SelectedColorButton->Visible());
  EXPECT_EQ(form.SkinTitleEdit->Text(), "Brannox 2000 default");
  EXPECT_EQ(form.SkinAuthorEdit->Text(), "Brannox 2000 team");
  EXPECT_FALSE(form.PreviewImage->Picture().Bitmap().Empty());
  EXPECT_FALSE(FileExists(App + "temp\\preview.bmp"));
  EXPECT_FALSE(FileExists(App + "temp\\data.ini"));
  EXPECT_EQ(ReadTextFile(App + "temp\\cur.cur"), "kept");
}

// A package whose preview would unpack beyond the bound is named in one
// message and nothing of it is unpacked: one whose preview packs 64 MB of
// zeros small, and one that lies about its preview's size.
TEST_F(TSettingsPagesTest, APackageTooLargeToPreviewIsNamedAndLeavesNothingInTemp) {
  const std::vector<TCabinetMember> info = {{"data.ini", {'[', 'g', ']'}}};
  const auto big = CabinetWithZeros(info, "preview.bmp", size_t(kMaxSkinUnpackBytes));
  WriteTextFile(App + "skins\\big.bxs", std::string(big.begin(), big.end()));
  const auto lying = CabinetWithLyingSizes({{"preview.bmp", {'B', 'M'}}}, 0xC0000000u);
  WriteTextFile(App + "skins\\lying.bxs", std::string(lying.begin(), lying.end()));
  Options->WriteString("Asetukset", "Nahka", "big.bxs");
  TSettingsDialog& form = Dialog();
  ASSERT_EQ(Prompts.size(), 1u);
  EXPECT_NE(Prompts[0].find("big.bxs"), std::string::npos) << Prompts[0];
  ASSERT_TRUE(form.SelectSkin("lying.bxs"));
  form.SkinComboChange(form.SkinCombo);
  ASSERT_EQ(Prompts.size(), 2u);
  EXPECT_NE(Prompts[1].find("lying.bxs"), std::string::npos) << Prompts[1];
  EXPECT_TRUE(form.SkinCombo->Enabled);
  for (const char* left : {"preview.bmp", "data.ini"}) EXPECT_FALSE(FileExists(App + "temp\\" + left)) << left;
}

TEST_F(TSettingsPagesTest, InstallingCopiesTheColFileAndNeverDeletesASkinOntoItself) {
  std::string bmp = ReadTextFile(std::string(BX_TEST_DATA) + "/bmp/rgb24.bmp");
  WriteTextFile(Root + "new\\cool.bmp", bmp);
  WriteTextFile(Root + "new\\cool.bmp.col", "clRed\r\nclBlue\r\n");
  WriteTextFile(Root + "new\\cool.col", "wrong");
  TSettingsDialog& form = Dialog();
  Answer(mrOk, Root + "new\\cool.bmp");
  form.BrowseSkinButtonClick(form.BrowseSkinButton);
  EXPECT_EQ(ReadTextFile(App + "skins\\cool.bmp"), bmp);
  EXPECT_EQ(ReadTextFile(App + "skins\\cool.bmp.col"), "clRed\r\nclBlue\r\n");
  EXPECT_FALSE(FileExists(App + "skins\\cool.col"));
  EXPECT_EQ(form.SelectedSkin(), "cool.bmp");
  EXPECT_EQ(form.UnselectedColorButton->Color(), clBlue);

  // The file chosen is the installed one: no question, nothing lost.
  size_t prompts = Prompts.size();
  Answer(mrOk, App + "skins\\cool.bmp");
  form.BrowseSkinButtonClick(form.BrowseSkinButton);
  EXPECT_EQ(Prompts.size(), prompts + 1) << "only the open dialog";
  EXPECT_EQ(ReadTextFile(App + "skins\\cool.bmp"), bmp);

  // Another file of that name: asked, and No keeps the old one.
  WriteTextFile(Root + "other\\cool.bmp", "different");
  Answer(mrOk, Root + "other\\cool.bmp");
  Answer(mrNo);
  form.BrowseSkinButtonClick(form.BrowseSkinButton);
  EXPECT_EQ(Prompts.back(), "Information|Overwrite exists skin?");
  EXPECT_EQ(ReadTextFile(App + "skins\\cool.bmp"), bmp);
}

TEST_F(TSettingsPagesTest, UpdatingTheListAfterTheSkinWasDeletedSelectsTheFirst) {
  std::string bmp = ReadTextFile(std::string(BX_TEST_DATA) + "/bmp/rgb24.bmp");
  WriteTextFile(App + "skins\\a.bmp", bmp);
  WriteTextFile(App + "skins\\b.bmp", bmp);
  Options->WriteString("Asetukset", "Nahka", "b.bmp");
  TSettingsDialog& form = Dialog();
  ASSERT_EQ(form.SelectedSkin(), "b.bmp");
  DeleteFileA((App + "skins\\b.bmp").c_str());
  form.UpdateSkinListButtonClick(form.UpdateSkinListButton);
  EXPECT_EQ(form.SelectedSkin(), "a.bmp");
  form.SkinEditorButtonClick(form.SkinEditorButton);
  EXPECT_EQ(Prompts.back(), "Warning|Brannox 2000 skin editor not found");
}

// --- sounds

TEST_F(TSettingsPagesTest, SoundChoicesFromTheirKeysAndTheCustomField) {
  Options->WriteBool("Asetukset", "defaultsound", false);
  Options->WriteBool("Asetukset", "Nocsound", true);
  Options->WriteString("Asetukset", "Sound", "boom.wav");
  TSettingsDialog& form = Dialog();
  EXPECT_TRUE(form.CustomStartSoundRadio->Checked()) << "no start-sound key set: the custom sound";
  EXPECT_TRUE(form.StartSoundCombo->Enabled);
  EXPECT_EQ(form.StartSoundCombo->Text(), "boom.wav");
  EXPECT_TRUE(form.NoClickSoundRadio->Checked());
  EXPECT_FALSE(form.ClickSoundCombo->Enabled);
  form.Show();
  form.Page->SetActivePage(form.Sounds);
  ASSERT_TRUE(ClickWithMouse(*form.DefaultStartSoundRadio));
  EXPECT_TRUE(form.DefaultStartSoundRadio->Checked());
  EXPECT_FALSE(form.CustomStartSoundRadio->Checked());
  EXPECT_FALSE(form.StartSoundCombo->Enabled);
  EXPECT_FALSE(form.StartSound.Play->Enabled);
}

TEST_F(TSettingsPagesTest, APlainCustomSoundPlaysFromItsFolder) {
  std::string log = Root + "sounds.log";
  _putenv_s("BX_SOUND_LOG", log.c_str());
  WriteTextFile(App + "sounds\\startup\\boom.wav", "RIFF");
  Options->WriteBool("Asetukset", "defaultsound", false);
  Options->WriteString("Asetukset", "Sound", "boom.wav");
  TSettingsDialog& form = Dialog();
  EXPECT_EQ(form.StartSoundCombo->Items.Count(), 1);
  form.PlayClick(form.StartSound);
  _putenv_s("BX_SOUND_LOG", "");
  EXPECT_NE(ReadTextFile(log).find(App + "sounds\\startup\\boom.wav"), std::string::npos) << ReadTextFile(log);
}

// --- pictures of the tabs

namespace {
// The screen's pixels of r, saved as a BMP file.
void SaveScreenArea(const RECT& r, const std::string& file) {
  int w = r.right - r.left, h = r.bottom - r.top;
  TBitmap shot;
  shot.SetPixelFormat(pf24bit);
  shot.SetTopDown(true);
  shot.SetSize(w, h);
  HDC screen = GetDC(nullptr);
  {
    TMemDCHandle mem(CreateCompatibleDC(screen));
    TBitmapHandle bitmap(CreateCompatibleBitmap(screen, w, h));
    {
      TSelectGuard select(mem.Get(), bitmap.Get());
      BitBlt(mem.Get(), 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
    }
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    GetDIBits(mem.Get(), bitmap.Get(), 0, UINT(h), shot.Bits().data(), &bi, DIB_RGB_COLORS);
  }
  ReleaseDC(nullptr, screen);
  shot.SaveToFile(file);
}

void Settle(TForm& form) {
  SetForegroundWindow(form.Handle());
  RedrawWindow(form.Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  for (int k = 0; k < 20; ++k) {
    Application().ProcessMessages();
    Sleep(10);
  }
}
}  // namespace

TEST_F(TSettingsPagesTest, PicturesOfEveryTab) {
  const char* dir = std::getenv("BX_SHOT_DIR");
  if (!dir || !*dir) GTEST_SKIP() << "BX_SHOT_DIR names no folder";
  CopyFileA(BX_DEFAULTSKIN, (App + "skins\\Bx2k8.bxs").c_str(), FALSE);
  Options->WriteString("Asetukset", "Nahka", "Bx2k8.bxs");
  Games->WriteString("quake", "Sijainti", "C:\\Quake");
  Games->WriteString("quake", "Oletus", "quake -game %s");
  Games->WriteString("quake", "gamename", "Quake");
  Games->WriteString("half-life", "Sijainti", "C:\\windows");
  TSettingsDialog& form = Dialog();
  form.FormShow();
  form.Show();
  RECT r;
  for (int i = 0; i < form.Page->PageCount(); ++i) {
    if (!form.Page->Pages(i)->TabVisible()) continue;
    form.Page->SetActivePageIndex(i);
    Settle(form);
    GetWindowRect(form.Handle(), &r);
    SaveScreenArea(r, std::string(dir) + "\\settings_tab" + std::to_string(i) + ".bmp");
  }
  // The colour button's palette, dropped down below it.
  form.Page->SetActivePage(form.General);
  form.CustomCaptionColorsCheck->SetChecked(true);
  Settle(form);
  form.LeftColorButton->Click();
  ASSERT_TRUE(form.LeftColorButton->DroppedDown());
  Settle(*form.LeftColorButton->Palette());
  RECT p;
  GetWindowRect(form.LeftColorButton->Palette()->Handle(), &p);
  RECT area{p.left - 120, p.top - 60, p.right + 120, p.bottom + 10};
  SaveScreenArea(area, std::string(dir) + "\\settings_palette.bmp");
  form.LeftColorButton->Palette()->ClosePalette();
  Application().ProcessMessages();
}

TEST_F(TSettingsPagesTest, AddGameRefusesANameThatExistsInAnyCase) {
  Games->WriteString("quake", "Sijainti", "C:\\Quake");
  Games->WriteString("quake", "gamename", "Quake");
  Games->UpdateFile();
  const std::string before = ReadTextFile(App + "Games.ini");
  TSettingsDialog& form = Dialog();
  form.FormShow();
  form.Show();
  form.Page->SetActivePage(form.Games);
  for (const char* name : {"quake", " QUAKE ", "Quake"}) {
    Answer(mrOk, name);
    ASSERT_TRUE(ClickWithMouse(*form.AddGameButton));
    EXPECT_EQ(Prompts.back(), "Error|A game named " + Trim(name) + " already exists.") << name;
  }
  for (const std::string& prompt : Prompts) EXPECT_EQ(prompt.find("Browse for Folder"), std::string::npos);
  EXPECT_EQ(ReadTextFile(App + "Games.ini"), before);
  EXPECT_EQ(Games->ReadString("quake", "Sijainti", ""), "C:\\Quake");
}

TEST_F(TSettingsPagesTest, GamesPageTexts) {
  TSettingsDialog& form = Dialog();
  std::vector<std::string> labels;
  for (int i = 0; i < form.ComponentCount(); ++i)
    if (auto* label = dynamic_cast<TLabel*>(form.Components(i)); label && label->Parent() == form.Games)
      labels.push_back(label->Caption());
  for (const char* text : {"Game location:", "Parameters:", "Default parameter:", "Default game parameter:",
                           "Website:", "Game whole name:", "Default Logo:"})
    EXPECT_NE(std::find(labels.begin(), labels.end(), text), labels.end()) << text;
  EXPECT_EQ(form.SetDefaultParameterButton->Hint, "Brannox will use this parameter when you find modifications");
}
