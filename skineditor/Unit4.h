// The "Compile skin" dialog (TForm4): runs the compiler by itself once shown,
// logs each step, refuses to close while compiling, and offers "Test skin",
// which makes the launcher use the new package and starts it. Also the
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

class TForm4 : public TForm {
public:
  explicit TForm4(TComponent* owner);
  std::string ClassName() const override { return "TForm4"; }

  // Arms the start timer and shows the dialog modally.
  int Execute();

  void FormShow();
  void Timer1Timer(TComponent* sender);
  void BitBtn3Click(TComponent* sender);   // the compiler
  void BitBtn2Click(TComponent* sender);   // "Test skin"
  void C1CompressProgress(TCABFile* sender, int pos, int tot);
  void FormCloseQuery(TComponent* sender, bool& canClose);

  TButton* BitBtn1;  // "OK"
  TButton* BitBtn2;  // "Test skin"
  TButton* BitBtn3;  // "Start"
  TButton* BitBtn4;  // "Cancel"
  TLabel* Label1;    // "Compile status:"
  TLabel* Label2;    // hidden: the launcher's folder, or empty
  TCABFile* C1;
  TTimer* Timer1;
  TMemo* Memo1;      // the log, read-only
  TProgressBar* P1;  // the compression's progress, 0..100

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
