// The launcher's program block.
#include "Brannox2000.h"

#include "DIB.h"

#include "Dialogs.h"
#include "GraphicFormats.h"
#include "Handles.h"
#include "IniFiles.h"
#include "MainWindow.h"
#include "SplashWindow.h"
#include "StartupTrace.h"

std::string MutexName;
bool AlreadyRunning = false;

void CheckSingleInstance(bool keepAlways) {
  TKernelHandle mutex(CreateMutexA(nullptr, TRUE, MutexName.c_str()));
  AlreadyRunning = mutex && GetLastError() == ERROR_ALREADY_EXISTS;
  // The first instance holds its mutex for the life of the process.
  if (!AlreadyRunning || keepAlways) mutex.Release();
}

void SetPictureQueries() {
  TargaConvertQuery = [](const std::string& question) {
    return MessageDlg(question, mtWarning, mbOKCancel) == mrOk;
  };
}

namespace {
std::string ExePath() {
  char path[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  return path;
}

// The restart path: no refusal and no splash. The launcher that restarts
// this one still holds the mutex for a moment; this one keeps its own handle
// for its whole life, so the mutex outlives the old launcher and a normal
// start is refused for as long as this one runs.
void StartWithoutSplash() {
  MutexName = MutexNameFor(ExePath());
  CheckSingleInstance(true);
  Application().Initialize();
  Application().SetTitle("Brannox 2000");
  if (!MainWindow) new TMainWindow(&Application());
}
}  // namespace

int LauncherMain() {
  // Picture skins and the pictures inside skin files may be of any of them.
  RegisterGraphicFormats();
  RegisterDIB();
  SetPictureQueries();
  StartupMark("picture formats registered");
  const std::string arg1 = TMainWindow::Arg(1);
  if (arg1 == "-restartbx2") {
    StartWithoutSplash();
  } else {
    try {
      MutexName = MutexNameFor(ExePath());
      CheckSingleInstance();
      if (AlreadyRunning) {
        MessageBoxPrompt("Brannox is already running", "Brannox 2000", MB_OK | MB_ICONINFORMATION);
        MutexName.clear();
        return 0;
      }
      StartupMark("single-instance check");
      Application().Initialize();
      Application().SetTitle("Brannox 2000");
      StartupMark("application initialised");
      TIniFile options(TMainWindow::ExeDir() + kOptionsFile);
      if (options.ReadBool(kOptions, "splash", true) && arg1 != "-tray") {
        auto* splash = new TSplashWindow(&Application());
        splash->Show();
        splash->Update();
        new TMainWindow(&Application());
        if (SplashWindow) SplashWindow->CloseTimer->SetEnabled(true);
      } else {
        new TMainWindow(&Application());
      }
      StartupMark("main window built");
    } catch (const std::exception&) {
      // Once the main window exists it is kept: no second one.
      if (!MainWindow) {
        if (SplashWindow) SplashWindow->Hide();
        StartWithoutSplash();
      }
    }
  }
  Application().Run();
  MutexName.clear();
  return 0;
}
