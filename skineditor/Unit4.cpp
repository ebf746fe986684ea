// The "Compile skin" dialog and the start of a compilation.
//
// Departure from the original dialog: the dialog's "can close" state and its
// "OK" button come back on every way out of a compilation, also when a step
// raises.
#include "Unit4.h"

#include "Dialogs.h"
#include "FileUtils.h"
#include "IniFiles.h"
#include "Unit4_compile.h"
#include "skinoptions.h"
#include "../launcher/OptionsSection.h"

#include <cmath>

bool CanCloseCompile = true;

namespace {
constexpr unsigned kStartDelay = 20;  // ms after showing, the compilation starts
const char* const kTempFolderName = "skintemp\\";
}  // namespace

TForm4::TForm4(TComponent* owner) : TForm(owner) {
  SetCaption("Compile skin");
  SetBorderStyle(bsDialog);
  Position = poScreenCenter;
  SetClientSize(371, 225);
  CanCloseCompile = true;

  Label1 = new TLabel(this);
  Label1->SetCaption("Compile status:");
  Label1->SetBounds(8, 8, 120, 16);
  Label1->SetParent(this);
  Label2 = new TLabel(this);
  Label2->SetVisible(false);
  Label2->SetParent(this);
  Memo1 = new TMemo(this);
  Memo1->SetReadOnly(true);
  Memo1->ScrollBars = ssVertical;
  Memo1->SetBounds(8, 26, 355, 136);
  Memo1->SetParent(this);
  P1 = new TProgressBar(this);
  P1->SetBounds(8, 168, 355, 16);
  P1->SetParent(this);

  struct {
    TButton** button;
    const char* caption;
    int left;
  } buttons[] = {{&BitBtn3, "Start", 200}, {&BitBtn4, "Cancel", 286}, {&BitBtn1, "OK", 286}, {&BitBtn2, "Test skin", 200}};
  for (auto& b : buttons) {
    *b.button = new TButton(this);
    (*b.button)->SetCaption(b.caption);
    (*b.button)->SetBounds(b.left, 192, 77, 25);
    (*b.button)->SetParent(this);
  }
  SetButton(BitBtn1, false, false);
  SetButton(BitBtn2, false, false);
  BitBtn3->OnClick = [this](TComponent* s) { BitBtn3Click(s); };
  BitBtn4->OnClick = [this](TComponent*) { Close(); };
  BitBtn1->OnClick = [this](TComponent*) { Close(); };
  BitBtn2->OnClick = [this](TComponent* s) { BitBtn2Click(s); };

  C1 = new TCABFile(this);
  C1->CompressionType = typMSZIP;
  C1->LZXMemory = lzxHighest;
  C1->OnCompressProgress = [this](TCABFile* s, int pos, int tot) { C1CompressProgress(s, pos, tot); };
  Timer1 = new TTimer(this);
  Timer1->SetInterval(kStartDelay);
  Timer1->OnTimer = [this](TComponent* s) { Timer1Timer(s); };
  OnCloseQuery = [this](TComponent* s, bool& canClose) { FormCloseQuery(s, canClose); };
}

void TForm4::SetButton(TButton* b, bool visible, bool enabled) {
  b->SetVisible(visible);
  b->SetEnabled(enabled);
}

int TForm4::Execute() {
  FormShow();
  return ShowModal();
}

void TForm4::FormShow() { Timer1->SetEnabled(true); }

void TForm4::Timer1Timer(TComponent*) {
  Timer1->SetEnabled(false);
  BitBtn3Click(this);
}

void TForm4::BitBtn3Click(TComponent*) {
  CanCloseCompile = false;
  bool compiled = false;
  try {
    SetButton(BitBtn3, false, false);
    SetButton(BitBtn4, false, false);
    SetButton(BitBtn1, true, false);
    SetButton(BitBtn2, true, false);
    Application().ProcessMessages();
    TSkinCompiler compiler(*C1);
    compiler.TempFolder = TempFolder;
    compiler.Log = [this](const std::string& line) {
      Memo1->Lines.Add(line);
    };
    compiler.LetMessagesThrough = [] { Application().ProcessMessages(); };
    compiled = compiler.Run(Input);
  } catch (...) {
    SetButton(BitBtn1, true, true);
    CanCloseCompile = true;
    throw;
  }
  SetButton(BitBtn2, true, compiled && Tag == 0);
  SetButton(BitBtn1, true, true);
  CanCloseCompile = true;
}

void TForm4::C1CompressProgress(TCABFile*, int pos, int tot) {
  if (tot == 0) return;
  // Halves go to the even neighbour.
  P1->SetPosition(int(std::nearbyint(double(pos) / double(tot) * 100.0)));
  // The cabinet library calls back while it works, with no messages run in
  // between: the bar is painted now.
  if (P1->HandleAllocated()) UpdateWindow(P1->Handle());
}

void TForm4::FormCloseQuery(TComponent*, bool& canClose) { canClose = CanCloseCompile; }

void TForm4::BitBtn2Click(TComponent*) {
  const std::string launcher = Label2->Caption();
  TIniFile options(launcher + "options.ini");
  options.WriteString(kOptions, "Nahka", ExtractFileName(C1->CABFile));
  options.WriteBool(kOptions, "random", false);
  std::string exe = launcher + "Brannox2000.exe";
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
  TIniFile options(editorDir + "options.ini");
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
  TForm4 form(nullptr);
  form.Tag = out.Tag;
  form.C1->CABFile = out.Folder + ChangeFileExt(ExtractFileName(input.ProjectFile), ".bxs");
  form.Label2->SetCaption(out.LauncherFolder);
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
