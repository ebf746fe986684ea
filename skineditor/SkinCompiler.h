// The skin compiler behind the "Compile skin" dialog: makes the package's
// members in the temporary folder, packs them through the cabinet component
// and puts the package in place only when it is complete.
#pragma once
#include <functional>
#include <string>

#include "cabfiles.h"
#include "skinpackage.h"

extern const char* const kLogCompress;     // "Compress skin"
extern const char* const kLogDeleteTemp;   // "Delete temporary files"
extern const char* const kLogCompiled;     // "Skin compiled"
extern const char* const kLogNotCompiled;  // "Skin not compiled: " and the reason

class TSkinCompiler {
public:
  // cab: the dialog's cabinet component; its CABFile names the package.
  explicit TSkinCompiler(TCABFile& cab) : FCab(cab) {}

  std::string TempFolder;                       // with a trailing backslash
  std::function<void(const std::string&)> Log;  // one line of the log
  std::function<void()> LetMessagesThrough;

  // True when the package was written. On a failure the log's last line says
  // why, and an older package of the same name is left as it was.
  bool Run(const TSkinPackageInput& input);

private:
  void Say(const std::string& line);
  void Breathe();
  void DeleteStaleMembers();
  TCABFile& FCab;  // not owned
};
