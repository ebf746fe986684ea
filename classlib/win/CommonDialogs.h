// The common dialogs: open and save (also for pictures), the folder browser
// and the input box. Each goes through RunPrompt (Dialogs.h), so that tests
// answer it: the answer's text is the file, the folder or the typed value.
#pragma once
#include <cstdint>
#include <string>

#include "Classes.h"

enum TOpenOption : uint32_t { ofOverwritePrompt = 1, ofFileMustExist = 2, ofPathMustExist = 4 };
using TOpenOptions = uint32_t;

// Filter: "description|mask|description|mask..." (a mask may hold several
// patterns separated by ';'); FilterIndex counts from 1. DefaultExt is added
// (without the dot) to a name typed without an extension.
class TOpenDialog : public TComponent {
public:
  explicit TOpenDialog(TComponent* owner) : TComponent(owner) {}
  std::string ClassName() const override { return "TOpenDialog"; }
  std::string Title, Filter, DefaultExt, FileName, InitialDir;
  int FilterIndex = 1;
  TOpenOptions Options = 0;
  // True with FileName set when the user chose a file.
  bool Execute();

protected:
  virtual bool IsSaveDialog() const { return false; }
};

class TSaveDialog : public TOpenDialog {
public:
  using TOpenDialog::TOpenDialog;
  std::string ClassName() const override { return "TSaveDialog"; }

protected:
  bool IsSaveDialog() const override { return true; }
};

class TOpenPictureDialog : public TOpenDialog {
public:
  using TOpenDialog::TOpenDialog;
  std::string ClassName() const override { return "TOpenPictureDialog"; }
};

class TSavePictureDialog : public TSaveDialog {
public:
  using TSaveDialog::TSaveDialog;
  std::string ClassName() const override { return "TSavePictureDialog"; }
};

// The shell's folder browser titled caption (file-system folders only),
// starting at directory; true with directory set when one was chosen.
bool SelectDirectory(const std::string& caption, std::string& directory);

// A box with the prompt above an edit that starts with value; true with value
// set on OK, false (value kept) on Cancel.
bool InputQuery(const std::string& caption, const std::string& prompt, std::string& value);
// InputQuery's answer, or defaultValue on Cancel.
std::string InputBox(const std::string& caption, const std::string& prompt, const std::string& defaultValue);
