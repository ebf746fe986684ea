// TMainWindow: the files of an entry that the row menu and the Modify command
// offer (readme, config, manual, web address) and the maps an entry can be
// started with, from its maps folders and PAK archives.
#include "MainWindow.h"

#include <algorithm>

#include "FileCtrl.h"
#include "GameRules.h"
#include "PakExplr.h"
#include "etsiosoite.h"

namespace {
// The maps of the first Quake, in the order the game knows them.
const std::vector<std::string>& QuakeMaps() {
  static const std::vector<std::string> maps = [] {
    std::vector<std::string> m{"start"};
    const int episodes[4] = {8, 7, 7, 8};
    for (int e = 0; e < 4; ++e)
      for (int n = 1; n <= episodes[e]; ++n) m.push_back("e" + std::to_string(e + 1) + "m" + std::to_string(n));
    m.push_back("end");
    for (int n = 1; n <= 6; ++n) m.push_back("dm" + std::to_string(n));
    return m;
  }();
  return maps;
}

// Item models of Quake's own maps folder and archives, never offered as maps.
bool IsItemModel(const std::string& name) {
  static const char* const models[] = {"b_bh10",  "b_bh100", "b_bh25",  "b_shell1", "b_shell0",
                                       "b_nail1", "b_nail0", "b_rock1", "b_rock0",  "b_batt1",
                                       "b_batt0", "b_explob", "b_exbox2"};
  const std::string lower = LowerCase(name);
  return std::any_of(std::begin(models), std::end(models), [&](const char* m) { return lower == m; });
}

std::string FirstExisting(const std::string& folder, const std::vector<std::string>& names) {
  for (const std::string& name : names)
    if (FileExists(folder + name)) return folder + name;
  return {};
}

// The files of a folder that match mask, in alphabetical order.
std::vector<std::string> ListFiles(const std::string& folder, const std::string& mask) {
  TFileListBox files(nullptr);
  files.Directory = folder;
  files.Mask = mask;
  files.Update();
  return files.Items.Items();
}

// A file or entry name with its extension (the last four characters) cut.
std::string MapName(const std::string& file) {
  return file.size() > 4 ? file.substr(0, file.size() - 4) : std::string();
}

class TMapList {
public:
  explicit TMapList(TStringList& maps) : FMaps(maps) {}
  void Add(const std::string& file, bool skipItemModels) {
    const std::string name = MapName(file);
    if (name.empty() || (skipItemModels && IsItemModel(name)) || FMaps.IndexOf(name) >= 0) return;
    FMaps.Add(name);
  }
  // "*.bsp" files of a folder; a missing folder adds nothing.
  void AddFolder(const std::string& folder, bool skipItemModels = false) {
    Guarded([&] {
      for (const std::string& f : ListFiles(folder, "*.bsp")) Add(f, skipItemModels);
    });
  }
  // The maps of every "*.pak" archive of a folder, each archive on its own.
  void AddArchives(const std::string& folder, bool skipItemModels = false) {
    Guarded([&] {
      for (const std::string& f : ListFiles(folder, "*.pak"))
        Guarded([&] { AddArchive(IncludeTrailingBackslash(folder) + f, skipItemModels); });
    });
  }

private:
  void AddArchive(const std::string& file, bool skipItemModels) {
    TPakExplr pak(nullptr);
    pak.PakFile = file;
    pak.ResourceType = ptMaps;
    if (!pak.Explore()) return;
    for (const std::string& entry : pak.ResourceList().Items()) Add(entry, skipItemModels);
  }
  // A source that fails ends only itself.
  template <class F>
  static void Guarded(F&& f) {
    try {
      f();
    } catch (const std::exception&) {
    }
  }
  TStringList& FMaps;  // not owned
};
}  // namespace

std::vector<std::string> LiblistUrls(const std::string& file) {
  std::vector<std::string> urls;
  if (!FileExists(file)) return urls;
  TStringList lines;
  lines.LoadFromFile(file);
  for (const std::string& line : lines.Items()) {
    // The key, a blank and the opening quote; the value ends at the next quote.
    const size_t key = LowerCase(line).find("url_info \"");
    if (key == std::string::npos) continue;
    const size_t start = key + 10, end = line.find('"', start);
    urls.push_back(Trim(line.substr(start, end == std::string::npos ? end : end - start)));
  }
  return urls;
}

std::string TMainWindow::ReadmeSearch(const std::string& gameDir, const std::string& mod, const std::string& entry) {
  if (mod.empty()) return FirstExisting(gameDir + "\\", {"readme.txt"});
  return FirstExisting(gameDir + "\\" + mod + "\\",
                       {"readme.txt", "readme.1st", "luemut.txt", "lue mut.txt", mod + ".txt", entry + ".txt",
                        entry + " readme.txt", entry + "_readme.txt", mod + " readme.txt", mod + "_readme.txt"});
}

std::string TMainWindow::ConfigSearch(const std::string& gameDir, const std::string& mod, const std::string& entry) {
  if (mod.empty()) return FirstExisting(gameDir + "\\", {"Config.cfg"});
  return FirstExisting(gameDir + "\\" + mod + "\\",
                       {"Config.cfg", "user.cfg", mod + ".cfg", entry + ".cfg", "server.cfg"});
}

std::string TMainWindow::ManualSearch(const std::string& gameDir, const std::string& mod) {
  const std::string folder = gameDir + "\\" + (mod.empty() ? std::string() : mod + "\\") + "manual\\";
  if (gameDir.empty() || !DirectoryExists(folder)) return {};
  std::string found = FirstExisting(folder, {"Manual.htm", "Manual.html", "index.htm", "index.html",
                                             "TFCcontents.htm", "TFCcontents.html", "opmanual.htm", "opmanual.html"});
  if (!found.empty()) return found;
  const std::vector<std::string> pages = ListFiles(folder, "*.html;*.htm");
  return pages.empty() ? std::string() : folder + pages.front();
}

std::string TMainWindow::ReadmeWebAddress(const std::string& readme) { return FindWebAddress(readme); }

std::string TMainWindow::EntryReadme(const std::string& entry) {
  const std::string readme = ModIni->ReadString(entry, "Readme", "");
  if (!readme.empty()) return FileExists(readme) ? readme : std::string();
  const std::string game = ModIni->ReadString(entry, "Game", "");
  return ReadmeSearch(GameDir(game), ModIni->ReadString(entry, "Mod", ""), entry);
}

std::string TMainWindow::EntryConfig(const std::string& entry) {
  const std::string config = ModIni->ReadString(entry, "Config", "");
  if (!config.empty()) return FileExists(config) ? config : std::string();
  const std::string game = ModIni->ReadString(entry, "Game", "");
  return ConfigSearch(GameDir(game), ModIni->ReadString(entry, "Mod", ""), entry);
}

void TMainWindow::CollectMaps(const std::string& game, const std::string& gameDir, const std::string& mod,
                         TStringList& maps) {
  maps.Clear();
  maps.Sorted = false;
  TMapList list(maps);
  const std::string g = LowerCase(game), base = gameDir + "\\";
  const std::string modDir = base + (mod.empty() ? std::string() : mod + "\\");
  list.AddFolder(modDir + "maps\\");
  list.AddArchives(modDir);
  const bool quake = g == "quake", quake2 = g == "quake2" || g == "quake 2";
  if (quake) {
    // The game's own maps, also where a mod map has the same name.
    for (const std::string& m : QuakeMaps()) maps.Add(m);
    list.AddFolder(base + "id1\\maps\\", true);
  }
  const std::string engineBase = HalfLifeBaseFolder(g);
  if (!engineBase.empty()) list.AddFolder(base + engineBase + "\\maps\\");
  if (quake2) list.AddFolder(base + "baseq2\\maps\\");
  if (g == "quake 3" || g == "q3" || g == "quake 3 arena" || g == "quake3") list.AddFolder(base + "baseq3\\maps\\");
  if (quake) list.AddArchives(base + "id1\\", true);
  else if (quake2) list.AddArchives(base + "baseq2\\");
  else if (!engineBase.empty()) list.AddArchives(base + engineBase + "\\");
}

TEntryDialogValues TMainWindow::ModifyValues(const std::string& entry) const {
  const TIniFile& ini = *ModIni;
  TEntryDialogValues v;
  v.Name = entry;
  v.Mod = ini.ReadString(entry, "Mod", "");
  v.RandomMapCycle = ini.ReadBool(entry, "randommapcycle", OptionsIni->ReadBool(kOptions, "hlmapcycle", false));
  v.WinMem = ini.ReadString(entry, "winmem", "");
  v.Game = ini.ReadString(entry, "Game", "");
  v.Map = ini.ReadString(entry, "map", "<none>");
  v.Param = ini.ReadString(entry, "Param", "");
  const std::string dir = GameDir(v.Game);
  // The web site: the last url_info of the mod's liblist.gam, else the entry's.
  const std::string liblist = dir + "\\" + v.Mod + "\\liblist.gam";
  if (FileExists(liblist)) {
    const std::vector<std::string> urls = LiblistUrls(liblist);
    if (!urls.empty()) v.WebSite = urls.back();
  } else {
    v.WebSite = ini.ReadString(entry, "url", "");
  }
  v.Description = ini.ReadString(entry, "Description", "");
  v.Readme = ini.ReadString(entry, "Readme", "");
  if (v.Readme.empty()) v.Readme = ReadmeSearch(dir, v.Mod, entry);
  if (!v.Readme.empty() && Trim(v.WebSite).empty()) {
    const std::string address = Trim(ReadmeWebAddress(v.Readme));
    if (!address.empty()) v.WebSite = address;
  }
  v.Config = ini.ReadString(entry, "Config", "");
  if (v.Config.empty()) v.Config = ConfigSearch(dir, v.Mod, entry);
  v.Logo = ini.ReadString(entry, "Bitmap", "");
  if (ExtractFilePath(v.Logo).empty()) v.Logo = ExeDir() + "Logos\\" + v.Logo;
  return v;
}
