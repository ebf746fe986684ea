// The skin output folder rule.
#include "skinoptions.h"

#include "SysUtils.h"

const char* const kEditorOptionsFile = "options.ini";
const char* const kOptionsSection = "options";
const char* const kFolderModeKey = "foldermode";
const char* const kCustomFolderKey = "customfolder";
const char* const kSkinFolderNotFound = "Skin folder not found";

namespace {
// brannox.ini version from which the launcher's folder is trusted for a test.
constexpr int kFirstTestableVersion = 3;
}  // namespace

TSkinOutputFolder ResolveSkinOutputFolder(int folderMode, const std::string& customFolder, int launcherVersion,
                                          const std::string& launcherDir,
                                          const std::function<bool(const std::string&)>& folderExists) {
  TSkinOutputFolder out;
  out.Tag = folderMode;
  std::string folder;
  if (folderMode != 0) {
    folder = customFolder;
  } else {
    std::string dir = launcherDir;
    if (!Trim(dir).empty() && dir.back() != '\\') dir += '\\';
    folder = dir + "skins\\";
    if (launcherVersion < kFirstTestableVersion)
      out.Tag = kNoTestSkinTag;
    else
      out.LauncherFolder = dir;
  }
  if (!folderExists(folder)) return out;
  out.Found = true;
  out.Folder = IncludeTrailingBackslash(folder);
  return out;
}
