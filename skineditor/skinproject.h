// The editor's project on disk: the project file (".bxn", a skin stream), its
// companion (".bxc": the nine cursor files, the preview picture and its
// transparent colour), New from the built-in empty skin, and the recent list.
#pragma once
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "Colors.h"
#include "brannoxskin.h"
#include "skinpackage.h"

extern const char* const kEditorTitle;         // "Brannox 2000 skin editor"
extern const char* const kNotProjectMessage;   // "File is not valid Brannox 2000 skin file"
// A skin without a background picture has no face to show: it is not compiled.
extern const char* const kNoBackgroundMessage;
bool HasBackgroundPicture(const TbxskinData& d);

// The values New starts from (the editor's built-in empty skin).
void MakeEmptyEditorSkin(TbxskinData& d);
// Whether a path names a project file (extension ".bxn", any letter case).
bool IsProjectFileName(const std::string& path);
// The companion of a project file: the same name with ".bxc".
std::string CompanionFileName(const std::string& projectFile);
// The main window's caption for a project file (empty: no project file).
std::string ProjectCaption(const std::string& projectFile);

class TSkinProject {
public:
  TSkinProject();

  // Starts an unnamed project as a copy of the empty skin.
  void New();
  // Loads a project file and its companion. A project that cannot be read
  // leaves an unnamed New project; the result is then the reason, else "".
  // A picture that cannot be read is left empty and named in UnreadPictures;
  // the rest of the project opens.
  std::string Open(const std::string& projectFile);
  // What the last Open could not read ("path: reason" each); empty when it read everything.
  std::vector<std::string> UnreadPictures;
  // The message that names them, or "" when there are none.
  std::string UnreadPicturesMessage() const;
  // Writes the project file and the companion under the current name;
  // cursors and the preview in the project's folder are stored by bare name.
  void Save();
  // Names the project and writes both files with every path in full.
  void SaveAs(const std::string& projectFile);

  // What a compilation of the saved project is made of.
  TSkinPackageInput PackageInput(const TStringList& notes);

  TBXSkin Skin{nullptr};  // Filename: the project file, empty while unsaved
  std::array<std::string, kSkinCursorSlots> Cursors;  // in package order
  std::string PreviewImagePath;
  TColor PreviewTransparentColor = clWhite;

private:
  void WriteFiles(bool shortenPaths);
  void ReadCompanion();
  TBXSkin EmptySkin{nullptr};  // the built-in empty skin
};

// The recent projects, newest first, at most four; kept as keys "1" to "4".
class TRecentList {
public:
  static constexpr int kMaxEntries = 4;
  using TExists = std::function<bool(const std::string&)>;

  const std::vector<std::string>& Items() const { return FItems; }
  // Reads keys "1" to "4" in order, keeping the values that name existing files.
  void Load(const std::function<std::string(const std::string& key)>& read, const TExists& exists);
  // Puts a path at the top: the list is cut to four first, then later equal
  // entries (in any letter case) go.
  void Add(const std::string& path);
  // Writes the entries as keys "1", "2", ... in list order.
  void Save(const std::function<void(const std::string& key, const std::string& value)>& write) const;

private:
  std::vector<std::string> FItems;
};
