// The "Compile skin" dialog (TCompileDialog): runs the compiler by itself once shown,
// logs each step, refuses to close while compiling, and offers "Test skin",
// which makes the launcher use the new package and starts it (while a
// launcher runs it only says so: that one keeps its skin). Also the
// start of a compilation from the main window (output folder, temp folder).
#pragma once
#include <string>

#include "ExtCtrls.h"
#include "Forms.h"
#include "ProgressBar.h"
#include "StdCtrls.h"
#include "StdEdits.h"
#include "StringList.h"
#include "cabfiles.h"
#include "skinpackage.h"

// False while a compilation runs: the dialog then refuses to close.
extern bool CanCloseCompile;
// What "Test skin" says while a launcher runs.
extern const char* const kLauncherRunning;

class TCompileDialog : public TForm {
public:
  explicit TCompileDialog(TComponent* owner);
  std::string ClassName() const override { return "TCompileDialog"; }

  // Arms the start timer and shows the dialog modally.
  int Execute();

  void FormShow();
  void StartTimerTimer(TComponent* sender);
  void StartButtonClick(TComponent* sender);   // the compiler
  void TestSkinButtonClick(TComponent* sender);
  void CabinetCompressProgress(TCABFile* sender, int pos, int tot);
  void FormCloseQuery(TComponent* sender, bool& canClose);

  TButton* OkButton;
  TButton* TestSkinButton;
  TButton* StartButton;
  TButton* CancelButton;
  TLabel* StatusLabel;    // "Compile status:"
  TLabel* LauncherFolderLabel;    // hidden: the launcher's folder, or empty
  TCABFile* Cabinet;
  TTimer* StartTimer;
  TMemo* LogMemo;      // the log, read-only
  TProgressBar* ProgressBar;  // the compression's progress, 0..100

  TSkinPackageInput Input;   // the saved project to compile
  std::string TempFolder;    // skintemp\ below the editor, with its backslash

private:
  void SetButton(TButton* b, bool visible, bool enabled);
};

// Starts a compilation of the saved project: resolves the output folder from
// the editor's options.ini and brannox.ini in the Windows folder, makes
// skintemp\ below editorDir and shows the dialog. A missing output folder or
// temporary folder is said in a message box and nothing is compiled; false then.
bool CompileSkin(const std::string& editorDir, const TSkinPackageInput& input);
