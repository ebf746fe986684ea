// The entry dialog's map list: the maps of the mod folder and of the game's
// base folder, from loose ".bsp" files and from ".pak" packages.
// The class library's headers come before windows.h (its colour macros).
#include "FileUtils.h"
#include "PakExplr.h"
#include "StringList.h"
#include "EntryDialog.h"


#include <algorithm>
#include <iterator>

namespace {
const char* const kQuakeMaps[] = {"start", "e1m1", "e1m2", "e1m3", "e1m4", "e1m5", "e1m6", "e1m7", "e1m8", "e2m1",
                                  "e2m2",  "e2m3", "e2m4", "e2m5", "e2m6", "e2m7", "e3m1", "e3m2", "e3m3", "e3m4",
                                  "e3m5",  "e3m6", "e3m7", "e4m1", "e4m2", "e4m3", "e4m4", "e4m5", "e4m6", "e4m7",
                                  "e4m8",  "end",  "dm1",  "dm2",  "dm3",  "dm4",  "dm5",  "dm6"};
// The item models that Quake keeps as ".bsp" files beside its maps.
const char* const kQuakeItemModels[] = {"b_bh10",  "b_bh100", "b_bh25",  "b_shell1", "b_shell0", "b_nail1", "b_nail0",
                                        "b_rock1", "b_rock0", "b_batt1", "b_batt0",  "b_explob", "b_exbox2"};
constexpr size_t kBspSuffix = 4;  // ".bsp", cut from every name

class TMapList {
public:
  TMapList() { FNames.push_back("<none>"); }
  void Append(const std::string& name) { FNames.push_back(name); }
  // A file's or package entry's name without its last four characters,
  // unless the list has it or it is skipped.
  void AddFile(const std::string& fileName, bool skipItemModels) {
    std::string name = fileName.size() > kBspSuffix ? fileName.substr(0, fileName.size() - kBspSuffix) : "";
    if (name.empty()) return;
    if (skipItemModels && std::any_of(std::begin(kQuakeItemModels), std::end(kQuakeItemModels),
                                      [&](const char* m) { return SameText(m, name); }))
      return;
    if (std::none_of(FNames.begin(), FNames.end(), [&](const std::string& n) { return SameText(n, name); }))
      FNames.push_back(name);
  }
  std::vector<std::string> Take() { return std::move(FNames); }

private:
  std::vector<std::string> FNames;
};

// The maps inside a package: the entries of its "maps" folder.
std::vector<std::string> PackageMaps(const std::string& pakFile) {
  TPakExplr pak(nullptr);
  pak.PakFile = pakFile;
  pak.ResourceType = ptMaps;
  if (!pak.Explore()) return {};
  const TStringList& list = pak.ResourceList();
  return std::vector<std::string>(list.Items().begin(), list.Items().end());
}

// The ".bsp" files of folder + "maps\", and with packages the maps of the
// ".pak" files of folder. A failure ends the step that met it.
void AddFolderMaps(TMapList& list, const std::string& folder, bool packages, bool skipItemModels) {
  try {
    for (const std::string& f : FolderEntries(folder + "maps\\", "*.bsp", false)) list.AddFile(f, skipItemModels);
  } catch (const std::exception&) {
  }
  if (!packages) return;
  try {
    for (const std::string& pak : FolderEntries(folder, "*.pak", false))
      for (const std::string& m : PackageMaps(folder + pak)) list.AddFile(m, skipItemModels);
  } catch (const std::exception&) {
  }
}
}  // namespace

std::vector<std::string> GameMaps(const std::string& gameKey, const std::string& gameFolder, const std::string& mod) {
  TMapList list;
  const std::string game = LowerCase(gameKey);
  const std::string base = gameFolder + "\\";
  AddFolderMaps(list, base + mod + "\\", true, false);
  if (game == "quake") {
    for (const char* m : kQuakeMaps) list.Append(m);
    AddFolderMaps(list, base + "id1\\", true, true);
  } else if (game == "half-life") {
    AddFolderMaps(list, base + "valve\\", true, false);
  } else if (game == "quake2" || game == "quake 2") {
    AddFolderMaps(list, base + "baseq2\\", true, false);
  } else if (game == "quake 3" || game == "q3" || game == "quake 3 arena" || game == "quake3") {
    AddFolderMaps(list, base + "baseq3\\", false, false);
  }
  return list.Take();
}
