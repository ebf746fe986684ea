// The Settings dialog's frame and "General" page under Wine: the first run,
// what OK, Apply, Cancel and "Default settings" do to Options.ini, and the
// start-up shortcut.
#include <gtest/gtest.h>

#include <vector>

#include "FileUtils.h"
#include "Forms.h"
#include "SettingsFixture.h"
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
  Games->WriteString("quake", "gamename", "Quake");
  TForm3& form = Dialog();
  form.FormShow();
  EXPECT_EQ(Games->ReadString("quake", "Sijainti", ""), "E:\\Quake");
  EXPECT_EQ(form.S1->Text(), "E:\\Quake");
  EXPECT_FALSE(form.BitBtn6->Enabled) << "Apply is off after showing";
  form.BitBtn1Click(form.BitBtn1);
  EXPECT_EQ(form.ModalResult, mrOk);
  EXPECT_EQ(Option("Aloitus"), "1");
  TIniText mods = ReadIniText(App + "Mod.ini");
  EXPECT_TRUE(mods.count("quake")) << "the game's own entry";
  EXPECT_EQ(ListChangedCount, 1);
  CloseDialog();

  // The next showing does not search again.
  Games->DeleteKey("quake", "Sijainti");
  Dialog().FormShow();
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
  TForm3& form = Dialog();
  EXPECT_TRUE(form.HalfLifeManager->TabVisible());
  EXPECT_TRUE(form.LogoEditor->TabVisible());
  ClearDrive("E:\\");
}

TEST_F(TSettingsTest, AnEmptyOptionsFileShowsTheDialogsDefaults) {
  Options->WriteInteger("Asetukset", "Aloitus", 1);
  // Text that is no colour reads as the key's default, never raising.
  Options->WriteString("Asetukset", "customcolor", "not a colour");
  TForm3& form = Dialog();
  form.FormShow();
  EXPECT_EQ(form.SpinEdit1->Value(), 20);
  EXPECT_TRUE(form.C10->Checked());
  EXPECT_TRUE(form.TOPS1->Checked());
  EXPECT_EQ(form.TOPS->ItemIndex(), 0);
  EXPECT_TRUE(form.Cu1->Checked());
  EXPECT_EQ(form.Curs->ItemIndex(), 0);
  EXPECT_TRUE(form.Fa1->Checked());
  EXPECT_TRUE(form.C9->Checked());
  EXPECT_FALSE(form.C11->Checked());
  EXPECT_FALSE(form.E1->Enabled) << "the custom colours wait for C11";
  EXPECT_EQ(form.E1->Color(), 0x001A91D6);
  EXPECT_EQ(form.E2->Color(), 0x001A91D6);
  EXPECT_TRUE(form.C4->Checked());
  EXPECT_FALSE(form.C5->Checked());
  EXPECT_TRUE(form.C7->Checked()) << "the default start sound";
  EXPECT_TRUE(form.CB2->Checked()) << "the default click sound";
  EXPECT_FALSE(form.edit1->Enabled);
  ASSERT_NE(form.Cap1, nullptr);
  EXPECT_EQ(form.Cap1->ColorLeftActive, clBlue) << "unselected colour on the left";
  EXPECT_EQ(form.Cap1->ColorRightActive, clRed);
  // The caption colour buttons keep their custom colours in the Windows
  // folder's bx2000_stats.ini, the first one $001A91D6.
  CloseDialog();
  TIniFile stats("bx2000_stats.ini");
  EXPECT_EQ(stats.ReadString("Colors", "E1.DisplayGroup", "").substr(0, 20), "$001A91D6,$00FFFFFF,");
}

TEST_F(TSettingsTest, EnablingRulesOfTheGeneralPage) {
  Options->WriteInteger("Asetukset", "Aloitus", 1);
  TForm3& form = Dialog();
  form.FormShow();
  form.C10->SetChecked(false);
  EXPECT_FALSE(form.SpinEdit1->Enabled);
  EXPECT_TRUE(form.BitBtn6->Enabled) << "a change enables Apply";
  form.Cu1->SetChecked(false);
  EXPECT_FALSE(form.Curs->Enabled);
  form.TOPS1->SetChecked(false);
  EXPECT_FALSE(form.TOPS->Enabled);
  form.C11->SetChecked(true);
  EXPECT_TRUE(form.E1->Enabled && form.E2->Enabled && form.Label10->Enabled);
  form.C9->SetChecked(false);
  EXPECT_FALSE(form.C11->Enabled);
  EXPECT_FALSE(form.E1->Enabled);
  form.C9->SetChecked(true);
  EXPECT_TRUE(form.C11->Enabled);
  EXPECT_TRUE(form.E2->Enabled) << "C11 is still checked";
}

TEST_F(TSettingsTest, OkWritesEveryKeyFromTheControlsAndCancelWritesNothing) {
  Options->WriteInteger("Asetukset", "Aloitus", 1);
  WriteTextFile(App + "skins\\cool.bmp", ReadTextFile(std::string(BX_TEST_DATA) + "/bmp/core.bmp"));
  MakeDirs(App + "sounds\\startup");
  TForm3& form = Dialog();
  form.FormShow();
  std::string before = ReadTextFile(App + "Options.ini");
  form.BitBtn4Click(form.BitBtn4);
  EXPECT_EQ(form.ModalResult, mrCancel);
  EXPECT_EQ(ReadTextFile(App + "Options.ini"), before) << "Cancel wrote Options.ini";

  form.CheckBox4->SetChecked(true);
  form.SpinEdit1->SetValue(55);
  form.DS->SetChecked(true);
  form.Inve->SetChecked(true);
  form.TOPS1->SetChecked(false);
  form.TOPS->SetItemIndex(2);
  form.Curs->SetItemIndex(1);
  form.C13->SetChecked(true);
  form.C12->SetChecked(true);
  form.Cu1->SetChecked(false);
  form.Fa1->SetChecked(false);
  form.C10->SetChecked(false);
  form.C9->SetChecked(false);
  form.R1->SetChecked(true);
  form.edit1->SetText("boom.wav");
  form.C2->SetChecked(true);
  form.C4->SetChecked(false);
  form.C5->SetChecked(true);
  form.C6->SetChecked(true);
  form.CB1->SetChecked(true);
  form.edit2->SetText("C:\\click.wav");
  form.C11->SetChecked(true);
  form.E1->SetColor(clRed);
  form.E2->SetColor(0x00123456);
  ASSERT_TRUE(form.SelectSkin("cool.bmp"));
  form.B1Change(form.B1);
  form.Color1->SetColor(clYellow);
  form.Color2->SetColor(clNavy);
  form.BitBtn1Click(form.BitBtn1);
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
  TForm3& form = Dialog();
  form.FormShow();
  ASSERT_NE(form.Cap1, nullptr);
  form.C9->SetChecked(false);
  form.BitBtn1Click(form.BitBtn6);
  EXPECT_EQ(form.ModalResult, 0);
  EXPECT_EQ(ReapplyCount, 1);
  EXPECT_EQ(form.Cap1, nullptr);
  EXPECT_FALSE(form.BitBtn6->Enabled);
  form.C9->SetChecked(true);
  form.C11->SetChecked(true);
  form.E1->SetColor(clLime);
  form.BitBtn1Click(form.BitBtn6);
  ASSERT_NE(form.Cap1, nullptr);
  EXPECT_EQ(form.Cap1->ColorLeftActive, clLime);
}

TEST_F(TSettingsTest, DefaultSettingsChangeTheControlsOnlyAndNoChangesNothing) {
  Options->WriteInteger("Asetukset", "Aloitus", 1);
  Options->WriteInteger("Asetukset", "Snappixels", 33);
  Options->WriteBool("Asetukset", "Snap", false);
  TForm3& form = Dialog();
  form.FormShow();
  form.C5->SetChecked(true);
  std::string before = ReadTextFile(App + "Options.ini");
  Answer(mrNo);
  form.BitBtn5Click(form.BitBtn5);
  EXPECT_EQ(form.SpinEdit1->Value(), 33);
  EXPECT_TRUE(form.C5->Checked());
  ASSERT_EQ(Prompts.size(), 1u);
  EXPECT_EQ(Prompts[0], "Confirm|Confirm reset to default settings?");
  Answer(mrYes);
  form.BitBtn5Click(form.BitBtn5);
  EXPECT_EQ(form.SpinEdit1->Value(), 10);
  EXPECT_TRUE(form.SpinEdit1->Enabled);
  EXPECT_TRUE(form.C10->Checked());
  EXPECT_FALSE(form.C5->Checked());
  EXPECT_TRUE(form.C7->Checked());
  EXPECT_TRUE(form.BitBtn6->Enabled);
  EXPECT_EQ(ReadTextFile(App + "Options.ini"), before);
}

TEST_F(TSettingsTest, TheStartupShortcutIsWrittenAndRemoved) {
  Options->WriteInteger("Asetukset", "Aloitus", 1);
  DeleteFileA(StartupLink().c_str());
  TForm3& form = Dialog();
  form.FormShow();
  EXPECT_FALSE(form.C14->Checked());
  form.C14->SetChecked(true);
  form.BitBtn1Click(form.BitBtn6);
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

  TForm3& again = Dialog();
  EXPECT_TRUE(again.C14->Checked()) << "the shortcut's presence is the option";
  again.C14->SetChecked(false);
  again.BitBtn1Click(again.BitBtn1);
  EXPECT_EQ(GetFileAttributesA(StartupLink().c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_TRUE(Prompts.empty());
}

TEST_F(TSettingsTest, AShortcutThatCannotBeWrittenIsReportedOnce) {
  Options->WriteInteger("Asetukset", "Aloitus", 1);
  DeleteFileA(StartupLink().c_str());
  // A folder of the shortcut's name: the shell cannot save over it.
  ASSERT_TRUE(CreateDirectoryA(StartupLink().c_str(), nullptr));
  TForm3& form = Dialog();
  form.C14->SetChecked(true);
  form.BitBtn1Click(form.BitBtn1);
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
  TForm3& form = Dialog();
  form.FormShow();
  form.Show();
  SetForegroundWindow(form.Handle());
  form.SpinEdit1->SetFocus();
  PumpFor(5);
  SendMessageA(form.SpinEdit1->Handle(), EM_SETSEL, 0, -1);
  for (WORD key : {WORD('A'), WORD('1'), WORD('B'), WORD('0'), WORD('0'), WORD('7')}) Type(key, key == 'B');
  EXPECT_EQ(form.SpinEdit1->Text(), "100") << "letters typed, or the third digit refused";
  // Text pasted into the field keeps its digits only.
  SendMessageA(form.SpinEdit1->Handle(), EM_SETSEL, 0, -1);
  SendMessageA(form.SpinEdit1->Handle(), EM_REPLACESEL, TRUE, LPARAM("a5b"));
  PumpFor(2);
  EXPECT_EQ(form.SpinEdit1->Text(), "5");
  SendMessageA(form.SpinEdit1->Handle(), EM_SETSEL, 0, -1);
  Type('4');
  Type('2');
  SendMessageA(form.BitBtn1->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(Option("Snappixels"), "42");
}

TEST_F(TSettingsTest, OkWithAPackageSkinKeepsTheListColoursOfPictureSkins) {
  Options->WriteInteger("Asetukset", "Aloitus", 1);
  CopyFileA(BX_DEFAULTSKIN, (App + "skins\\Bx2k8.bxs").c_str(), FALSE);
  WriteTextFile(App + "skins\\cool.bmp", ReadTextFile(std::string(BX_TEST_DATA) + "/bmp/core.bmp"));
  Options->WriteString("Asetukset", "Nahka", "Bx2k8.bxs");
  TForm3& form = Dialog();
  form.FormShow();
  SendMessageA(form.BitBtn1->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(Option("Vari"), "clLime") << "the first OK wrote the colour buttons' black";
  EXPECT_EQ(Option("Vari2"), "$00BFD7BF");
  CloseDialog();

  // Stored colours stay as they are, and a picture skin without a ".col"
  // file previews with them.
  Options->WriteString("Asetukset", "Vari", "clRed");
  Options->WriteString("Asetukset", "Vari2", "$00123456");
  TForm3& again = Dialog();
  again.FormShow();
  SendMessageA(again.BitBtn1->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(Option("Vari"), "clRed");
  EXPECT_EQ(Option("Vari2"), "$00123456");
  ASSERT_TRUE(again.SelectSkin("cool.bmp"));
  again.B1Change(again.B1);
  EXPECT_EQ(again.Color1->Color(), clRed);
  EXPECT_EQ(again.Color2->Color(), 0x00123456);
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
  TForm3& form = Dialog();
  form.FormShow();
  SendMessageA(form.BitBtn2->Handle(), BM_CLICK, 0, 0);
  ASSERT_FALSE(Prompts.empty());
  EXPECT_NE(Prompts.back().find("Mod.ini"), std::string::npos) << "the failure is reported: " << Prompts.back();
  EXPECT_EQ(ReadTextFile(App + "Mod.ini"), old);
  EXPECT_EQ(ListChangedCount, 1) << "the main window still shows the list from before the search";
  RemoveDirectoryA((App + "Mod.ini.~tmp").c_str());
}
