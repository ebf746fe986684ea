// The "Compile skin" dialog and the start of a compilation.
//
// Departure from the original dialog: the dialog's "can close" state and its
// "OK" button come back on every way out of a compilation, also when a step
// raises.
#include "CompileDialog.h"

#include "ControlMaking.h"
#include "Dialogs.h"
#include "FileUtils.h"
#include "IniFiles.h"
#include "InstanceMutex.h"
#include "SharedNames.h"
#include "SkinCompiler.h"
#include "skinoptions.h"

#include <cmath>

using ctrl::Place;

bool CanCloseCompile = true;

namespace {
constexpr unsigned kStartDelay = 20;  // ms after showing, the compilation starts
const char* const kTempFolderName = "skintemp\\";
}  // namespace

const char* const kLauncherRunning =
    "Brannox 2000 is running and keeps its skin. Close it, then press \"Test skin\" again.";

TCompileDialog::TCompileDialog(TComponent* owner) : TForm(owner) {
  SetCaption("Compile skin");
  SetBorderStyle(bsDialog);
  Position = poScreenCenter;
  SetClientSize(371, 225);
  CanCloseCompile = true;

  StatusLabel = Place<TLabel>(this, this, 8, 8, 120, 16);
  StatusLabel->SetCaption("Compile status:");
  LauncherFolderLabel = new TLabel(this);
  LauncherFolderLabel->SetVisible(false);
  LauncherFolderLabel->SetParent(this);
  LogMemo = new TMemo(this);
  LogMemo->SetReadOnly(true);
  LogMemo->ScrollBars = ssVertical;
  LogMemo->SetBounds(8, 26, 355, 136);
  LogMemo->SetParent(this);
  ProgressBar = Place<TProgressBar>(this, this, 8, 168, 355, 16);

  struct {
    TButton** button;
    const char* caption;
    int left;
  } buttons[] = {{&StartButton, "Start", 200},
                 {&CancelButton, "Cancel", 286},
                 {&OkButton, "OK", 286},
                 {&TestSkinButton, "Test skin", 200}};
  for (auto& b : buttons) {
    *b.button = new TButton(this);
    (*b.button)->SetCaption(b.caption);
    (*b.button)->SetBounds(b.left, 192, 77, 25);
    (*b.button)->SetParent(this);
  }
  SetButton(OkButton, false, false);
  SetButton(TestSkinButton, false, false);
  StartButton->OnClick = [this](TComponent* s) { StartButtonClick(s); };
  CancelButton->OnClick = [this](TComponent*) { Close(); };
  OkButton->OnClick = [this](TComponent*) { Close(); };
  TestSkinButton->OnClick = [this](TComponent* s) { TestSkinButtonClick(s); };

  Cabinet = new TCABFile(this);
  Cabinet->CompressionType = typMSZIP;
  Cabinet->LZXMemory = lzxHighest;
  Cabinet->OnCompressProgress = [this](TCABFile* s, int pos, int tot) { CabinetCompressProgress(s, pos, tot); };
  StartTimer = new TTimer(this);
  StartTimer->SetInterval(kStartDelay);
  StartTimer->OnTimer = [this](TComponent* s) { StartTimerTimer(s); };
  OnCloseQuery = [this](TComponent* s, bool& canClose) { FormCloseQuery(s, canClose); };
}

void TCompileDialog::SetButton(TButton* b, bool visible, bool enabled) {
  b->SetVisible(visible);
  b->SetEnabled(enabled);
}

int TCompileDialog::Execute() {
  FormShow();
  return ShowModal();
}

void TCompileDialog::FormShow() { StartTimer->SetEnabled(true); }

void TCompileDialog::StartTimerTimer(TComponent*) {
  StartTimer->SetEnabled(false);
  StartButtonClick(this);
}

void TCompileDialog::StartButtonClick(TComponent*) {
  CanCloseCompile = false;
  bool compiled = false;
  try {
    SetButton(StartButton, false, false);
    SetButton(CancelButton, false, false);
    SetButton(OkButton, true, false);
    SetButton(TestSkinButton, true, false);
    Application().ProcessMessages();
    TSkinCompiler compiler(*Cabinet);
    compiler.TempFolder = TempFolder;
    compiler.Log = [this](const std::string& line) {
      LogMemo->Lines.Add(line);
    };
    compiler.LetMessagesThrough = [] { Application().ProcessMessages(); };
    compiled = compiler.Run(Input);
  } catch (...) {
    SetButton(OkButton, true, true);
    CanCloseCompile = true;
    throw;
  }
  SetButton(TestSkinButton, true, compiled && Tag == 0);
  SetButton(OkButton, true, true);
  CanCloseCompile = true;
}

void TCompileDialog::CabinetCompressProgress(TCABFile*, int pos, int tot) {
  if (tot == 0) return;
  // Halves go to the even neighbour.
  ProgressBar->SetPosition(int(std::nearbyint(double(pos) / double(tot) * 100.0)));
  // The cabinet library calls back while it works, with no messages run in
  // between: the bar is painted now.
  if (ProgressBar->HandleAllocated()) UpdateWindow(ProgressBar->Handle());
}

void TCompileDialog::FormCloseQuery(TComponent*, bool& canClose) { canClose = CanCloseCompile; }

void TCompileDialog::TestSkinButtonClick(TComponent*) {
  const std::string launcher = LauncherFolderLabel->Caption();
  std::string exe = launcher + "Brannox2000.exe";
  // A running launcher refuses a second one and keeps its own skin: the
  // new skin would only be switched on unseen, for its next start. Nothing
  // changes; the dialog stays for another try once the launcher is closed.
  if (LauncherRunning(exe)) {
    MessageDlg(kLauncherRunning, mtInformation, mbOK);
    return;
  }
  TIniFile options(launcher + kOptionsFile);
  TIniUpdate update(options);
  options.WriteString(kOptions, kSkinKey, ExtractFileName(Cabinet->CABFile));
  options.WriteBool(kOptions, kRandomSkinKey, false);
  update.Commit();
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESHOWWINDOW;
  si.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION pi = {};
  std::string commandLine = "\"" + exe + "\"";
  if (CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
    // The launcher runs on its own: its handles are only closed.
    TKernelHandle thread(pi.hThread), process(pi.hProcess);
  }
  Close();
}

bool CompileSkin(const std::string& editorDir, const TSkinPackageInput& input) {
  TIniFile options(editorDir + kEditorOptionsFile);
  int folderMode = options.ReadInteger(kOptionsSection, kFolderModeKey, 0);
  std::string custom = options.ReadString(kOptionsSection, kCustomFolderKey, "");
  TIniFile setup("brannox.ini");  // in the Windows folder
  int version = setup.ReadInteger("setup", "version", 0);
  std::string dir = setup.ReadString("setup", "dir", "");
  TSkinOutputFolder out = ResolveSkinOutputFolder(folderMode, custom, version, dir, DirectoryExists);
  if (!out.Found) {
    MessageDlg(kSkinFolderNotFound, mtWarning, mbOK);
    return false;
  }
  const std::string temp = editorDir + kTempFolderName;
  if (!DirectoryExists(temp) && !CreateDirectoryA(temp.c_str(), nullptr)) {
    MessageDlg("can't create temp directory", mtError, mbOK);
    return false;
  }
  TCompileDialog form(nullptr);
  form.Tag = out.Tag;
  form.Cabinet->CABFile = out.Folder + ChangeFileExt(ExtractFileName(input.ProjectFile), ".bxs");
  form.LauncherFolderLabel->SetCaption(out.LauncherFolder);
  form.Input.ProjectFile = input.ProjectFile;
  form.Input.Skin = input.Skin;
  form.Input.CursorFiles = input.CursorFiles;
  form.Input.Notes.Assign(input.Notes);
  form.Input.PreviewImagePath = input.PreviewImagePath;
  form.Input.PreviewTransparentColor = input.PreviewTransparentColor;
  form.TempFolder = temp;
  form.Execute();
  return true;
}
