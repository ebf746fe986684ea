// The skin output folder: the editor's options.ini [options] and the
// launcher's brannox.ini [setup] in the Windows folder decide where compiled
// packages go and whether "Test skin" may start the launcher.
#pragma once
#include <functional>
#include <string>

extern const char* const kEditorOptionsFile;   // "options.ini", beside the editor
extern const char* const kOptionsSection;      // "options"
extern const char* const kFolderModeKey;       // "foldermode": 0 default, else custom
extern const char* const kCustomFolderKey;     // "customfolder"
extern const char* const kSkinFolderNotFound;  // "Skin folder not found"

// The dialog's tag when the launcher is too old to be started for a test.
constexpr int kNoTestSkinTag = 123;

struct TSkinOutputFolder {
  bool Found = false;         // false: "Skin folder not found"
  std::string Folder;         // with a trailing backslash
  int Tag = 0;                // 0 allows "Test skin"
  std::string LauncherFolder; // with its backslash, or empty
};

// foldermode and customfolder from options.ini; version and dir from
// brannox.ini [setup].
TSkinOutputFolder ResolveSkinOutputFolder(int folderMode, const std::string& customFolder, int launcherVersion,
                                          const std::string& launcherDir,
                                          const std::function<bool(const std::string&)>& folderExists);
