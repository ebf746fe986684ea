// The "Compile skin" dialog: its start by the timer, its log and buttons,
// the close refusal, "Test skin", and the start of a compilation.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <algorithm>
#include <iterator>
#include <set>

#include "Dialogs.h"
#include "IniFiles.h"
#include "GraphicFormats.h"
#include "EditorWindow.h"
#include "CompileDialog.h"
#include "SkinCompiler.h"
#include "skinoptions.h"
#include "skinproject.h"

#include "../support/ModalSteps.h"

#include <windows.h>

#include <commctrl.h>

namespace fs = std::filesystem;

namespace {

class CompileDialog : public ::testing::Test {
protected:
  void SetUp() override {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    Dir = std::string(temp) + "bx_dialog_" + ::testing::UnitTest::GetInstance()->current_test_info()->name() + "\\";
    fs::remove_all(Dir);
    for (const char* sub : {"editor\\skintemp", "launcher\\skins"}) fs::create_directories(Dir + sub);
    SetPromptHook([this](const TPromptRequest& r) {
      Prompts.push_back(r.Text);
      return int(mrOk);
    });
    Project.Skin.Data.Kuva.Bitmap().SetSize(8, 8);
    Project.SaveAs(Dir + "dark.bxn");
  }
  void TearDown() override {
    SetPromptHook(nullptr);
    char win[MAX_PATH];
    GetWindowsDirectoryA(win, MAX_PATH);
    DeleteFileA((std::string(win) + "\\brannox.ini").c_str());
    fs::remove_all(Dir);
  }
  void Prepare(TCompileDialog& f, int tag) {
    f.Tag = tag;
    f.Cabinet->CABFile = Dir + "launcher\\skins\\dark.bxs";
    f.LauncherFolderLabel->SetCaption(Dir + "launcher\\");
    f.TempFolder = Dir + "editor\\skintemp\\";
    f.Input = Project.PackageInput(TStringList());
  }
  std::string Dir;
  TSkinProject Project;
  std::vector<std::string> Prompts;
};

bool WindowEnabled(TButton* b) { return IsWindowEnabled(b->Handle()); }

}  // namespace

TEST_F(CompileDialog, TheTimerStartsTheCompilationAndTheButtonsFollowIt) {
  TCompileDialog f(nullptr);
  Prepare(f, 0);
  EXPECT_TRUE(f.StartButton->Visible() && f.CancelButton->Visible());
  EXPECT_FALSE(f.OkButton->Visible() || f.TestSkinButton->Visible());
  f.FormShow();
  EXPECT_TRUE(f.StartTimer->Enabled());
  bool refused = false;
  f.Cabinet->OnCompressProgress = [&](TCABFile*, int, int) {
    bool canClose = true;
    f.FormCloseQuery(&f, canClose);
    refused = !canClose;
  };
  f.StartTimer->Tick();
  EXPECT_FALSE(f.StartTimer->Enabled()) << "one shot";
  EXPECT_TRUE(refused) << "no closing while compiling";
  ASSERT_EQ(f.LogMemo->Lines.Count(), 9);
  EXPECT_EQ(f.LogMemo->Lines[7], "Skin compiled");
  EXPECT_FALSE(f.StartButton->Visible() || f.CancelButton->Visible());
  EXPECT_TRUE(WindowEnabled(f.OkButton) && WindowEnabled(f.TestSkinButton));
  bool canClose = false;
  f.FormCloseQuery(&f, canClose);
  EXPECT_TRUE(canClose);
  EXPECT_TRUE(fs::exists(Dir + "launcher\\skins\\dark.bxs"));
  // BX_DIALOG_LINGER=seconds keeps the finished dialog on screen to be looked at.
  char linger[16];
  if (GetEnvironmentVariableA("BX_DIALOG_LINGER", linger, sizeof linger)) {
    f.Show();
    for (DWORD end = GetTickCount() + DWORD(atoi(linger)) * 1000; GetTickCount() < end; Sleep(20))
      Application().ProcessMessages();
  }
}

TEST_F(CompileDialog, TestSkinIsOfferedOnlyForTheLaunchersOwnFolderAndASuccess) {
  {
    TCompileDialog f(nullptr);
    Prepare(f, kNoTestSkinTag);
    f.StartTimer->Tick();
    EXPECT_TRUE(WindowEnabled(f.OkButton));
    EXPECT_FALSE(WindowEnabled(f.TestSkinButton));
  }
  TCompileDialog f(nullptr);
  Prepare(f, 0);
  f.Cabinet->CABFile = Dir + "gone\\dark.bxs";
  f.StartTimer->Tick();
  EXPECT_EQ(f.LogMemo->Lines[f.LogMemo->Lines.Count() - 1], "Skin not compiled: Could not create cabinet file");
  EXPECT_TRUE(WindowEnabled(f.OkButton));
  EXPECT_FALSE(WindowEnabled(f.TestSkinButton));
}

TEST_F(CompileDialog, AStepThatRaisesStillLetsTheDialogClose) {
  TCompileDialog f(nullptr);
  Prepare(f, 0);
  f.Cabinet->OnCompressProgress = [](TCABFile*, int, int) { throw 42; };
  EXPECT_ANY_THROW(f.StartTimer->Tick());
  EXPECT_TRUE(CanCloseCompile);
  EXPECT_TRUE(WindowEnabled(f.OkButton));
  EXPECT_FALSE(WindowEnabled(f.TestSkinButton));
}

TEST_F(CompileDialog, ProgressRoundsHalvesToEven) {
  TCompileDialog f(nullptr);
  f.CabinetCompressProgress(f.Cabinet, 1, 8);  // 12.5
  EXPECT_EQ(f.ProgressBar->Position(), 12);
  f.CabinetCompressProgress(f.Cabinet, 3, 8);  // 37.5
  EXPECT_EQ(f.ProgressBar->Position(), 38);
  f.CabinetCompressProgress(f.Cabinet, 5, 0);
  EXPECT_EQ(f.ProgressBar->Position(), 38) << "no total, no change";
}

// A large skin: the bar on the shown dialog moves up with the compression.
TEST_F(CompileDialog, TheProgressBarAdvancesWithTheCompression) {
  TBitmap& background = Project.Skin.Data.Kuva.Bitmap();
  background.SetPixelFormat(pf24bit);
  background.SetSize(600, 400);
  for (int y = 0; y < 400; ++y)
    for (int x = 0; x < 600; ++x) background.SetPixel(x, y, TColor((x * 7 + y * 13) & 0xFFFFFF));
  Project.Save();
  TCompileDialog f(nullptr);
  Prepare(f, 0);
  f.Show();
  std::vector<int> shown;
  auto step = f.Cabinet->OnCompressProgress;
  f.Cabinet->OnCompressProgress = [&](TCABFile* s, int pos, int tot) {
    step(s, pos, tot);
    shown.push_back(int(SendMessageA(f.ProgressBar->Handle(), PBM_GETPOS, 0, 0)));
  };
  EXPECT_EQ(SendMessageA(f.ProgressBar->Handle(), PBM_GETPOS, 0, 0), 0);
  f.StartTimer->Tick();
  ASSERT_GE(shown.size(), 3u);
  EXPECT_TRUE(std::is_sorted(shown.begin(), shown.end()));
  EXPECT_LT(shown.front(), 100);
  EXPECT_EQ(shown.back(), 100);
  EXPECT_GE(std::set<int>(shown.begin(), shown.end()).size(), 3u) << "it moves, not jumps";
  EXPECT_EQ(f.ProgressBar->Position(), 100);
}

TEST_F(CompileDialog, TestSkinChoosesThePackageInTheLaunchersOptions) {
  TCompileDialog f(nullptr);
  Prepare(f, 0);
  f.TestSkinButtonClick(&f);  // no launcher there: its start is not reported
  TIniFile options(Dir + "launcher\\Options.ini");
  EXPECT_EQ(options.ReadString("Asetukset", "Nahka", ""), "dark.bxs");
  EXPECT_EQ(options.ReadString("Asetukset", "random", ""), "0");
  EXPECT_TRUE(Prompts.empty());
}

TEST_F(CompileDialog, ACompilationNeedsItsOutputAndTemporaryFolders) {
  TIniFile options(Dir + "editor\\options.ini");
  options.WriteInteger("options", "foldermode", 1);
  options.WriteString("options", "customfolder", Dir + "nowhere");
  EXPECT_FALSE(CompileSkin(Dir + "editor\\", Project.PackageInput(TStringList())));
  EXPECT_EQ(Prompts, std::vector<std::string>{"Skin folder not found"});
  // The default folder from brannox.ini; a temporary folder that cannot be made.
  options.WriteInteger("options", "foldermode", 0);
  char win[MAX_PATH];
  GetWindowsDirectoryA(win, MAX_PATH);
  TIniFile setup(std::string(win) + "\\brannox.ini");
  setup.WriteInteger("setup", "version", 3);
  setup.WriteString("setup", "dir", Dir + "launcher");
  fs::remove_all(Dir + "editor\\skintemp");
  std::ofstream(Dir + "editor\\skintemp") << "a file in the way";
  Prompts.clear();
  EXPECT_FALSE(CompileSkin(Dir + "editor\\", Project.PackageInput(TStringList())));
  EXPECT_EQ(Prompts, std::vector<std::string>{"can't create temp directory"});
}

// A skin without a background would make a package with no face: the
// editor's Compile says so and writes nothing, and the compiler refuses too.
TEST_F(CompileDialog, ASkinWithoutABackgroundIsRefusedAndNoPackageIsWritten) {
  TIniFile options(Dir + "editor\\options.ini");
  options.WriteInteger("options", "foldermode", 1);
  options.WriteString("options", "customfolder", Dir + "launcher\\skins");
  TSkinProject blank;
  blank.SaveAs(Dir + "blank.bxn");
  TEditorWindow editor(nullptr, Dir + "editor\\");
  editor.FormCreate({Dir + "blank.bxn"});
  bool dialogShown = false;
  UINT_PTR timer = Application().AddTimer(
      [&] {
        if (HWND w = FindWindowA("TCompileDialog", nullptr); w && IsWindowVisible(w)) {
          dialogShown = true;
          PostMessageA(w, WM_CLOSE, 0, 0);
        }
      },
      50);
  editor.CompileItem->Click();
  Application().RemoveTimer(timer);
  EXPECT_FALSE(dialogShown);
  EXPECT_EQ(Prompts, std::vector<std::string>{kNoBackgroundMessage});
  EXPECT_FALSE(fs::exists(Dir + "launcher\\skins\\blank.bxs"));

  TCABFile cab(nullptr);
  cab.CABFile = Dir + "launcher\\skins\\blank.bxs";
  TSkinCompiler compiler(cab);
  compiler.TempFolder = Dir + "editor\\skintemp\\";
  std::string last;
  compiler.Log = [&](const std::string& line) { last = line; };
  EXPECT_FALSE(compiler.Run(blank.PackageInput(TStringList())));
  EXPECT_EQ(last, std::string(kLogNotCompiled) + kNoBackgroundMessage);
  EXPECT_FALSE(fs::exists(Dir + "launcher\\skins\\blank.bxs"));
  EXPECT_TRUE(fs::is_empty(Dir + "editor\\skintemp"));
}

// The editor's way to "Test skin", run only from testskin_e2e.sh with
// BX_TESTSKIN_LAUNCHER naming a launcher folder (with its backslash) that
// holds Brannox2000.exe and skins\: in the editor's window, New, a 120 x 90
// background picture, Save (as) as name.bxn, Compile skin, and a press of the
// dialog's "Test skin" button once the package is made. The messages shown
// are returned; once the button was pressed, a dialog still open gets its OK
// pressed. The script looks at the launcher afterwards.
struct TTestSkinRun {
  bool Pressed = false;
  bool OpenAfterPress = false;  // the dialog stayed after "Test skin"
  std::vector<std::string> Messages;
  std::string Launcher;         // the launcher's folder
};

TTestSkinRun CompileAndTestSkin(const std::string& name) {
  TTestSkinRun run;
  char launcher[MAX_PATH];
  if (!GetEnvironmentVariableA("BX_TESTSKIN_LAUNCHER", launcher, sizeof launcher)) return run;
  RegisterGraphicFormats();
  const std::string dir = run.Launcher = launcher;
  fs::create_directories(dir + "editor");
  TBitmap b;
  b.SetPixelFormat(pf24bit);
  b.SetSize(120, 90);
  for (int y = 0; y < 90; ++y)
    for (int x = 0; x < 120; ++x)
      b.SetPixel(x, y, (x - 60) * (x - 60) + (y - 45) * (y - 45) * 2 < 3000 ? TColor(0x00802080) : clWhite);
  b.SaveToFile(dir + "editor\\" + name + ".bmp");
  {
    TIniFile setup("brannox.ini");  // in the Windows folder: the launcher's folder
    setup.WriteInteger("setup", "version", 3);
    setup.WriteString("setup", "dir", dir.substr(0, dir.size() - 1));
  }
  std::vector<std::string> answers = {dir + "editor\\" + name + ".bmp", dir + "editor\\" + name + ".bxn"};
  SetPromptHook([&](const TPromptRequest& r) {
    if (!r.Value) {
      run.Messages.push_back(r.Text);
      return int(r.Default);
    }
    if (answers.empty()) return int(mrCancel);
    *r.Value = answers.front();
    answers.erase(answers.begin());
    return int(mrOk);
  });
  TEditorWindow editor(nullptr, dir + "editor\\");
  editor.FormCreate({});
  editor.Show();
  editor.NewItemClick(&editor);
  editor.OpenBackgroundButtonClick(&editor);
  // Presses "Test skin" in the compile dialog once the compilation is done,
  // then OK when the dialog is still there.
  int ticks = 0;
  UINT_PTR timer = Application().AddTimer(
      [&] {
        auto* dialog = dynamic_cast<TCompileDialog*>(FindControl(FindWindowA("TCompileDialog", nullptr)));
        if (!dialog || !IsWindowVisible(dialog->Handle())) return;
        if (run.Pressed) {
          run.OpenAfterPress = true;
          Press(dialog->OkButton);
        } else if (IsWindowEnabled(dialog->TestSkinButton->Handle())) {
          run.Pressed = true;
          Press(dialog->TestSkinButton);
        } else if (++ticks > 600) {
          dialog->ModalResult = mrCancel;
        }
      },
      50);
  editor.CompileItemClick(&editor);
  Application().RemoveTimer(timer);
  SetPromptHook(nullptr);
  DeleteFileA("brannox.ini");
  EXPECT_TRUE(answers.empty());
  EXPECT_EQ(editor.Caption(), "Brannox 2000 skin editor - [" + name + ".bxn]");
  EXPECT_TRUE(fs::exists(dir + "skins\\" + name + ".bxs"));
  return run;
}

TEST(TestSkin, ANewSkinFromTheEditorStartsTheLauncher) {
  if (!GetEnvironmentVariableA("BX_TESTSKIN_LAUNCHER", nullptr, 0)) GTEST_SKIP() << "no launcher folder given";
  const TTestSkinRun run = CompileAndTestSkin("violet");
  EXPECT_TRUE(run.Messages.empty()) << run.Messages.front();
  EXPECT_TRUE(run.Pressed);
  EXPECT_FALSE(run.OpenAfterPress) << "the dialog closes once the launcher is started";
}

// With a launcher of that folder running (the script started it), "Test
// skin" says so and changes nothing; the dialog stays for another try.
TEST(TestSkin, WhileTheLauncherRunsNothingChanges) {
  if (!GetEnvironmentVariableA("BX_TESTSKIN_LAUNCHER", nullptr, 0)) GTEST_SKIP() << "no launcher folder given";
  const TTestSkinRun run = CompileAndTestSkin("green");
  EXPECT_TRUE(run.Pressed);
  EXPECT_EQ(run.Messages, std::vector<std::string>{kLauncherRunning});
  EXPECT_TRUE(run.OpenAfterPress);
  TIniFile options(run.Launcher + "options.ini");
  EXPECT_NE(options.ReadString("Asetukset", "Nahka", ""), "green.bxs");
}
