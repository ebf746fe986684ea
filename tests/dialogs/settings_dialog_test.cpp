// The Settings dialog's frame and "General" page under Wine: the first run,
// what OK, Apply, Cancel and "Default settings" do to Options.ini, and the
// start-up shortcut.
#include <gtest/gtest.h>

#include <vector>

#include "FileUtils.h"
#include "Forms.h"
#include "settings_fixture.h"
#include "../support/RealInput.h"
#include "ShellLink.h"
#include "pika.h"

#include <windows.h>

namespace {
void Exe(const std::string& folder, const std::string& exe) { WriteTextFile(folder + "\\" + exe, "MZ"); }

void ClearDrive(const char* drive) {
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA((std::string(drive) + "*").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return;
  do {
    std::string name = fd.cFileName;
    if (name != "." && name != "..") RemoveTree(drive + name);
  } while (FindNextFileA(h, &fd));
  FindClose(h);
}

std::string StartupLink() { return GetSpecialFolderPath(nullptr, 7) + "\\Brannox 2000.lnk"; }
}  // namespace

TEST_F(TSettingsTest, FirstRunFindsGamesOnShowAndModsOnOk) {
  ClearDrive("E:\\");
  Exe("E:\\Quake", "quake.exe");
  MakeDirs("E:\\Quake\\ctf");
  Exe("E:\\Half-Life", "hl.exe");
  Games->WriteString("quake", "gamename", "Quake");
  Games->WriteString("half-life", "gamename", "Half-Life");
  TSettingsDialog& form = Dialog();
  EXPECT_FALSE(form.HalfLifeManager->TabVisible());
  form.FormShow();
  // The search waits until the dialog is on screen: its timer then runs it.
  EXPECT_EQ(Games->ReadString("quake", "Sijainti", ""), "") << "nothing is searched before the dialog shows";
  ASSERT_TRUE(form.FirstRunSearchTimer->Enabled());
  form.FirstRunSearchTimer->Tick();
  EXPECT_FALSE(form.FirstRunSearchTimer->Enabled()) << "one search";
  EXPECT_EQ(Games->ReadString("quake", "Sijainti", ""), "E:\\Quake");
  // The Half-Life pages come with the game the search found.
  EXPECT_TRUE(form.HalfLifeManager->TabVisible());
  EXPECT_TRUE(form.LogoEditor->TabVisible());
  EXPECT_EQ(form.LocationEdit->Text(), "E:\\Half-Life") << "the first game's folder found";
  EXPECT_FALSE(form.ApplyButton->Enabled) << "Apply is off after showing";
  form.OkButtonClick(form.OkButton);
  EXPECT_EQ(form.ModalResult, mrOk);
  EXPECT_EQ(Option("Aloitus"), "1");
  TIniText mods = ReadIniText(App + "Mod.ini");
  EXPECT_TRUE(mods.count("quake")) << "the game's own entry";
  EXPECT_EQ(ListChangedCount, 1);
  CloseDialog();

  // The next showing does not search again.
  Games->DeleteKey("quake", "Sijainti");
  Dialog().FormShow();
  EXPECT_FALSE(Dialog().FirstRunSearchTimer->Enabled());
  EXPECT_EQ(Games->ReadString("quake", "Sijainti", "<none>"), "<none>");
  ClearDrive("E:\\");
}

TEST_F(TSettingsTest, FindGamesRunsWithoutShowingTheDialog) {
  ClearDrive("E:\\");
  Exe("E:\\Half-Life", "hl.exe");
  Games->WriteString("half-life", "gamename", "Half-Life");
  Options->WriteInteger("Asetukset", "Aloitus", 1);
  RunSettingsSearch(Host, TSettingsSearch::FindGames);
  EXPECT_EQ(Games->ReadString("half-life", "Sijainti", ""), "E:\\Half-Life");
  EXPECT_EQ(ListChangedCount, 1);
  // Its pages now include the Half-Life ones.
  TSettingsDialog& form = Dialog();
  EXPECT_TRUE(form.HalfLifeManager->TabVisible());
  EXPECT_TRUE(form.LogoEditor->TabVisible());
  ClearDrive("E:\\");
}

TEST_F(TSettingsTest, AnEmptyOptionsFileShowsTheDialogsDefaults) {
  Options->WriteInteger("Asetukset", "Aloitus", 1);
  // Text that is no colour reads as the key's default, never raising.
  Options->WriteString("Asetukset", "customcolor", "not a colour");
  TSettingsDialog& form = Dialog();
  form.FormShow();
  EXPECT_EQ(form.SnapDistanceEdit->Value(), 20);
  EXPECT_TRUE(form.SnapCheck->Checked());
  EXPECT_TRUE(form.ShowTopsCheck->Checked());
  EXPECT_EQ(form.TopsCountCombo->ItemIndex(), 0);
  EXPECT_TRUE(form.OwnCursorsCheck->Checked());
  EXPECT_EQ(form.CursorSetCombo->ItemIndex(), 0);
  EXPECT_TRUE(form.FadeCheck->Checked());
  EXPECT_TRUE(form.ColorCaptionsCheck->Checked());
  EXPECT_FALSE(form.CustomCaptionColorsCheck->Checked());
  EXPECT_FALSE(form.LeftColorButton->Enabled) << "the custom colours wait for C11";
  EXPECT_EQ(form.LeftColorButton->Color(), 0x001A91D6);
  EXPECT_EQ(form.RightColorButton->Color(), 0x001A91D6);
  EXPECT_TRUE(form.SplashCheck->Checked());
  EXPECT_FALSE(form.AlwaysOnTopCheck->Checked());
  EXPECT_TRUE(form.DefaultStartSoundRadio->Checked()) << "the default start sound";
  EXPECT_TRUE(form.DefaultClickSoundRadio->Checked()) << "the default click sound";
  EXPECT_FALSE(form.StartSoundCombo->Enabled);
  ASSERT_NE(form.CaptionBar, nullptr);
  EXPECT_EQ(form.CaptionBar->ColorLeftActive, clBlue) << "unselected colour on the left";
  EXPECT_EQ(form.CaptionBar->ColorRightActive, clRed);
  // The caption colour buttons keep their custom colours in the Windows
  // folder's bx2000_stats.ini, the first one $001A91D6.
  CloseDialog();
  TIniFile stats("bx2000_stats.ini");
  EXPECT_EQ(stats.ReadString("Colors", "E1.DisplayGroup", "").substr(0, 20), "$001A91D6,$00FFFFFF,");
}

TEST_F(TSettingsTest, EnablingRulesOfTheGeneralPage) {
  Options->WriteInteger("Asetukset", "Aloitus", 1);
  TSettingsDialog& form = Dialog();
  form.FormShow();
  form.SnapCheck->SetChecked(false);
  EXPECT_FALSE(form.SnapDistanceEdit->Enabled);
  EXPECT_TRUE(form.ApplyButton->Enabled) << "a change enables Apply";
  form.OwnCursorsCheck->SetChecked(false);
  EXPECT_FALSE(form.CursorSetCombo->Enabled);
  form.ShowTopsCheck->SetChecked(false);
  EXPECT_FALSE(form.TopsCountCombo->Enabled);
  form.CustomCaptionColorsCheck->SetChecked(true);
  EXPECT_TRUE(form.LeftColorButton->Enabled && form.RightColorButton->Enabled && form.LeftColorLabel->Enabled);
  form.ColorCaptionsCheck->SetChecked(false);
  EXPECT_FALSE(form.CustomCaptionColorsCheck->Enabled);
  EXPECT_FALSE(form.LeftColorButton->Enabled);
  form.ColorCaptionsCheck->SetChecked(true);
  EXPECT_TRUE(form.CustomCaptionColorsCheck->Enabled);
  EXPECT_TRUE(form.RightColorButton->Enabled) << "C11 is still checked";
}

TEST_F(TSettingsTest, OkWritesEveryKeyFromTheControlsAndCancelWritesNothing) {
  Options->WriteInteger("Asetukset", "Aloitus", 1);
  WriteTextFile(App + "skins\\cool.bmp", ReadTextFile(std::string(BX_TEST_DATA) + "/bmp/core.bmp"));
  MakeDirs(App + "sounds\\startup");
  TSettingsDialog& form = Dialog();
  form.FormShow();
  std::string before = ReadTextFile(App + "Options.ini");
  form.CancelButtonClick(form.CancelButton);
  EXPECT_EQ(form.ModalResult, mrCancel);
  EXPECT_EQ(ReadTextFile(App + "Options.ini"), before) << "Cancel wrote Options.ini";

  form.RandomMapCycleCheck->SetChecked(true);
  form.SnapDistanceEdit->SetValue(55);
  form.NoEdgeSoundCheck->SetChecked(true);
  form.InvertListColorsCheck->SetChecked(true);
  form.ShowTopsCheck->SetChecked(false);
  form.TopsCountCombo->SetItemIndex(2);
  form.CursorSetCombo->SetItemIndex(1);
  form.SmoothScrollCheck->SetChecked(true);
  form.ShowNumbersCheck->SetChecked(true);
  form.OwnCursorsCheck->SetChecked(false);
  form.FadeCheck->SetChecked(false);
  form.SnapCheck->SetChecked(false);
  form.ColorCaptionsCheck->SetChecked(false);
  form.RandomStartSoundRadio->SetChecked(true);
  form.StartSoundCombo->SetText("boom.wav");
  form.CloseOnStartCheck->SetChecked(true);
  form.SplashCheck->SetChecked(false);
  form.AlwaysOnTopCheck->SetChecked(true);
  form.RandomSkinCheck->SetChecked(true);
  form.NoClickSoundRadio->SetChecked(true);
  form.ClickSoundCombo->SetText("C:\\click.wav");
  form.CustomCaptionColorsCheck->SetChecked(true);
  form.LeftColorButton->SetColor(clRed);
  form.RightColorButton->SetColor(0x00123456);
  ASSERT_TRUE(form.SelectSkin("cool.bmp"));
  form.SkinComboChange(form.SkinCombo);
  form.SelectedColorButton->SetColor(clYellow);
  form.UnselectedColorButton->SetColor(clNavy);
  form.OkButtonClick(form.OkButton);
  EXPECT_EQ(form.ModalResult, mrOk);

  auto o = ReadIniText(App + "Options.ini")["asetukset"];
  const std::map<std::string, std::string> expected = {
      {"hlmapcycle", "1"}, {"snappixels", "55"}, {"disbeep", "1"}, {"invert", "1"}, {"showtops", "0"},
      {"showtopsindex", "2"}, {"cursor", "1"}, {"smooth", "1"}, {"shownumbers", "1"}, {"bxcursors", "0"},
      {"fade", "0"}, {"snap", "0"}, {"colorcap", "0"}, {"nosound", "0"}, {"defaultsound", "0"},
      {"randomsound", "1"}, {"sound", "boom.wav"}, {"sammuta", "1"}, {"splash", "0"}, {"top", "1"},
      {"random", "1"}, {"nocsound", "1"}, {"defaultcsound", "0"}, {"csound", "C:\\click.wav"},
      {"randomcsound", "0"}, {"usercolors", "1"}, {"customcolor2", "clRed"}, {"customcolor", "$00123456"},
      {"nahka", "cool.bmp"}, {"vari", "clYellow"}, {"vari2", "clNavy"}, {"aloitus", "1"}};
  for (const auto& [key, value] : expected) EXPECT_EQ(o[key], value) << key;
  EXPECT_TRUE(o.count("logodir"));
  ASSERT_EQ(AppliedSkins.size(), 1u);
  EXPECT_EQ(AppliedSkins[0], "cool.bmp");
  EXPECT_EQ(ReapplyCount, 0) << "OK leaves the re-apply to the main window";
}

TEST_F(TSettingsTest, ApplyReappliesAtOnceAndSwitchesTheCaptionBar) {
  Options->WriteInteger("Asetukset", "Aloitus", 1);
  TSettingsDialog& form = Dialog();
  form.FormShow();
  ASSERT_NE(form.CaptionBar, nullptr);
  form.ColorCaptionsCheck->SetChecked(false);
  form.OkButtonClick(form.ApplyButton);
  EXPECT_EQ(form.ModalResult, 0);
  EXPECT_EQ(ReapplyCount, 1);
  EXPECT_EQ(form.CaptionBar, nullptr);
  EXPECT_FALSE(form.ApplyButton->Enabled);
  form.ColorCaptionsCheck->SetChecked(true);
  form.CustomCaptionColorsCheck->SetChecked(true);
  form.LeftColorButton->SetColor(clLime);
  form.OkButtonClick(form.ApplyButton);
  ASSERT_NE(form.CaptionBar, nullptr);
  EXPECT_EQ(form.CaptionBar->ColorLeftActive, clLime);
}

TEST_F(TSettingsTest, DefaultSettingsChangeTheControlsOnlyAndNoChangesNothing) {
  Options->WriteInteger("Asetukset", "Aloitus", 1);
  Options->WriteInteger("Asetukset", "Snappixels", 33);
  Options->WriteBool("Asetukset", "Snap", false);
  TSettingsDialog& form = Dialog();
  form.FormShow();
  form.AlwaysOnTopCheck->SetChecked(true);
  std::string before = ReadTextFile(App + "Options.ini");
  Answer(mrNo);
  form.DefaultsButtonClick(form.DefaultsButton);
  EXPECT_EQ(form.SnapDistanceEdit->Value(), 33);
  EXPECT_TRUE(form.AlwaysOnTopCheck->Checked());
  ASSERT_EQ(Prompts.size(), 1u);
  EXPECT_EQ(Prompts[0], "Confirm|Confirm reset to default settings?");
  Answer(mrYes);
  form.DefaultsButtonClick(form.DefaultsButton);
  EXPECT_EQ(form.SnapDistanceEdit->Value(), 10);
  EXPECT_TRUE(form.SnapDistanceEdit->Enabled);
  EXPECT_TRUE(form.SnapCheck->Checked());
  EXPECT_FALSE(form.AlwaysOnTopCheck->Checked());
  EXPECT_TRUE(form.DefaultStartSoundRadio->Checked());
  EXPECT_TRUE(form.ApplyButton->Enabled);
  EXPECT_EQ(ReadTextFile(App + "Options.ini"), before);
}

TEST_F(TSettingsTest, TheStartupShortcutIsWrittenAndRemoved) {
  Options->WriteInteger("Asetukset", "Aloitus", 1);
  DeleteFileA(StartupLink().c_str());
  TSettingsDialog& form = Dialog();
  form.FormShow();
  EXPECT_FALSE(form.TrayAutoStartCheck->Checked());
  form.TrayAutoStartCheck->SetChecked(true);
  form.OkButtonClick(form.ApplyButton);
  ASSERT_NE(GetFileAttributesA(StartupLink().c_str()), INVALID_FILE_ATTRIBUTES);
  TShellLink link(nullptr);
  link.LinkFile = StartupLink();
  link.Read();
  char exe[MAX_PATH];
  GetModuleFileNameA(nullptr, exe, MAX_PATH);
  EXPECT_TRUE(SameText(link.ProgramFile, exe)) << link.ProgramFile;
  EXPECT_EQ(link.Arguments, "-tray");
  EXPECT_TRUE(SameText(link.WorkingDirectory, ExtractFilePath(exe))) << link.WorkingDirectory;
  CloseDialog();

  TSettingsDialog& again = Dialog();
  EXPECT_TRUE(again.TrayAutoStartCheck->Checked()) << "the shortcut's presence is the option";
  again.TrayAutoStartCheck->SetChecked(false);
  again.OkButtonClick(again.OkButton);
  EXPECT_EQ(GetFileAttributesA(StartupLink().c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_TRUE(Prompts.empty());
}

TEST_F(TSettingsTest, AShortcutThatCannotBeWrittenIsReportedOnce) {
  Options->WriteInteger("Asetukset", "Aloitus", 1);
  DeleteFileA(StartupLink().c_str());
  // A folder of the shortcut's name: the shell cannot save over it.
  ASSERT_TRUE(CreateDirectoryA(StartupLink().c_str(), nullptr));
  TSettingsDialog& form = Dialog();
  form.TrayAutoStartCheck->SetChecked(true);
  form.OkButtonClick(form.OkButton);
  RemoveDirectoryA(StartupLink().c_str());
  ASSERT_EQ(Prompts.size(), 1u);
  EXPECT_EQ(Prompts[0].rfind("Warning|The start-up shortcut was not changed", 0), 0u) << Prompts[0];
  EXPECT_EQ(Option("Aloitus"), "1");
  EXPECT_EQ(Option("Snappixels"), "20") << "the options are written all the same";
}

namespace {
void PumpFor(int rounds) {
  for (int i = 0; i < rounds; ++i) {
    Application().ProcessMessages();
    Sleep(10);
  }
}

void Type(WORD key, bool shift = false) {
  PressKey(key, shift);
  PumpFor(5);
}
}  // namespace

TEST_F(TSettingsTest, TheSnapDistanceTakesThreeDigitsAndNoLetters) {
  Options->WriteInteger("Asetukset", "Aloitus", 1);
  TSettingsDialog& form = Dialog();
  form.FormShow();
  form.Show();
  SetForegroundWindow(form.Handle());
  form.SnapDistanceEdit->SetFocus();
  PumpFor(5);
  SendMessageA(form.SnapDistanceEdit->Handle(), EM_SETSEL, 0, -1);
  for (WORD key : {WORD('A'), WORD('1'), WORD('B'), WORD('0'), WORD('0'), WORD('7')}) Type(key, key == 'B');
  EXPECT_EQ(form.SnapDistanceEdit->Text(), "100") << "letters typed, or the third digit refused";
  // Text pasted into the field keeps its digits only.
  SendMessageA(form.SnapDistanceEdit->Handle(), EM_SETSEL, 0, -1);
  SendMessageA(form.SnapDistanceEdit->Handle(), EM_REPLACESEL, TRUE, LPARAM("a5b"));
  PumpFor(2);
  EXPECT_EQ(form.SnapDistanceEdit->Text(), "5");
  SendMessageA(form.SnapDistanceEdit->Handle(), EM_SETSEL, 0, -1);
  Type('4');
  Type('2');
  ASSERT_TRUE(ClickWithMouse(*form.OkButton));
  EXPECT_EQ(Option("Snappixels"), "42");
}

TEST_F(TSettingsTest, OkWithAPackageSkinKeepsTheListColoursOfPictureSkins) {
  Options->WriteInteger("Asetukset", "Aloitus", 1);
  CopyFileA(BX_DEFAULTSKIN, (App + "skins\\Bx2k8.bxs").c_str(), FALSE);
  WriteTextFile(App + "skins\\cool.bmp", ReadTextFile(std::string(BX_TEST_DATA) + "/bmp/core.bmp"));
  Options->WriteString("Asetukset", "Nahka", "Bx2k8.bxs");
  TSettingsDialog& form = Dialog();
  form.FormShow();
  form.Show();
  ASSERT_TRUE(ClickWithMouse(*form.OkButton));
  EXPECT_EQ(Option("Vari"), "clLime") << "the first OK wrote the colour buttons' black";
  EXPECT_EQ(Option("Vari2"), "$00BFD7BF");
  CloseDialog();

  // Stored colours stay as they are, and a picture skin without a ".col"
  // file previews with them.
  Options->WriteString("Asetukset", "Vari", "clRed");
  Options->WriteString("Asetukset", "Vari2", "$00123456");
  TSettingsDialog& again = Dialog();
  again.FormShow();
  again.Show();
  ASSERT_TRUE(ClickWithMouse(*again.OkButton));
  EXPECT_EQ(Option("Vari"), "clRed");
  EXPECT_EQ(Option("Vari2"), "$00123456");
  ASSERT_TRUE(again.SelectSkin("cool.bmp"));
  again.SkinComboChange(again.SkinCombo);
  EXPECT_EQ(again.SelectedColorButton->Color(), clRed);
  EXPECT_EQ(again.UnselectedColorButton->Color(), 0x00123456);
  EXPECT_FALSE(FileExists(App + "skins\\cool.bmp.col"));
}

TEST_F(TSettingsTest, AFailedFindModsStillRefreshesTheMainWindowsList) {
  Options->WriteInteger("Asetukset", "Aloitus", 1);
  MakeDirs(Root + "Quake");
  Games->WriteString("quake", "Sijainti", Root + "Quake");
  Games->WriteString("quake", "GameOletus", "quake");
  const std::string old = "[Mine]\r\nMod=x\r\nGame=quake\r\nParam=quake\r\n";
  WriteTextFile(App + "Mod.ini", old);
  // The new file cannot be written beside the old one.
  MakeDirs(App + "Mod.ini.~tmp");
  TSettingsDialog& form = Dialog();
  form.FormShow();
  form.Show();
  form.Page->SetActivePage(form.Games);
  ASSERT_TRUE(ClickWithMouse(*form.FindModsButton));
  ASSERT_FALSE(Prompts.empty());
  EXPECT_NE(Prompts.back().find("Mod.ini"), std::string::npos) << "the failure is reported: " << Prompts.back();
  EXPECT_EQ(ReadTextFile(App + "Mod.ini"), old);
  EXPECT_EQ(ListChangedCount, 1) << "the main window still shows the list from before the search";
  RemoveDirectoryA((App + "Mod.ini.~tmp").c_str());
}
