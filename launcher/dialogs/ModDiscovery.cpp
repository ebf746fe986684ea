// Mod discovery: the known-mod scan, the Half-Life scan, the own lists, and
// the search that runs them over the entries of Mod.ini.
#include "ModDiscovery.h"

#include <windows.h>

#include <algorithm>
#include <map>
#include <set>

#include "Dialogs.h"
#include "GameDiscovery.h"
#include "IniFiles.h"
#include "KnownMods.h"
#include "LauncherFiles.h"
#include "Streams.h"
#include "StringList.h"
#include "isokirjain.h"

namespace {
bool Blank(const std::string& s) { return Trim(s).empty(); }

const char* const LiblistFileName = "liblist.gam";
// A liblist.gam is a few hundred bytes; read no more than a generous bound.
constexpr int64_t MaxLiblistSize = 1 << 20;
// The entries named in the question about missing mod folders; the rest are counted.
constexpr size_t MaxNamesAsked = 15;

std::string EntryKey(const std::string& game, const std::string& mod) {
  return LowerCase(game) + '\n' + LowerCase(Trim(mod));
}

// The liblist.gam of a game folder's sub-folder.
std::string LiblistIn(const std::string& gameFolder, const std::string& name) {
  return IncludeTrailingBackslash(gameFolder) + name + "\\" + LiblistFileName;
}

// Up to maxBytes of a file; false when it cannot be read.
bool ReadFileText(const std::string& fileName, int64_t maxBytes, std::string& text) {
  try {
    TFileStream f(fileName, fmOpenRead);
    int64_t n = std::min<int64_t>(f.Size(), maxBytes);
    text.resize(size_t(n));
    f.ReadBuffer(text.data(), n);
    return true;
  } catch (const Exception&) {
    return false;
  }
}

// The entries whose game folder is there but whose mod folder is not. An
// entry of a game that cannot be reached (no folder, a drive away) is not
// among them: nothing can be told about it.
std::vector<const TEntry*> EntriesWithoutTheirFolder(const TEntrySet& entries, const TIniFile& gamesIni) {
  std::map<std::string, std::string> gameFolders;  // by game key, lower case; "" when not reachable
  auto gameFolder = [&](const std::string& game) -> const std::string& {
    auto [it, added] = gameFolders.emplace(LowerCase(game), "");
    if (added) {
      std::string folder = ReadGameValue(gamesIni, game, "Sijainti");
      if (!folder.empty() && DirectoryExists(folder)) it->second = IncludeTrailingBackslash(folder);
    }
    return it->second;
  };
  std::vector<const TEntry*> missing;
  for (const TEntry& e : entries.Entries()) {
    const std::string mod = Trim(e.Value("Mod"));
    if (mod.empty()) continue;
    const std::string& folder = gameFolder(e.Value("Game"));
    if (!folder.empty() && !DirectoryExists(folder + mod)) missing.push_back(&e);
  }
  return missing;
}

// One question for all of them; true to take them out of the list.
bool AskToRemove(const std::vector<const TEntry*>& missing) {
  std::string names;
  for (size_t i = 0; i < missing.size() && i < MaxNamesAsked; ++i)
    names += "    " + missing[i]->Name + " (" + Trim(missing[i]->Value("Mod")) + ")\n";
  if (missing.size() > MaxNamesAsked) names += "    and " + std::to_string(missing.size() - MaxNamesAsked) + " more\n";
  const std::string text = "The mod folders of these entries were not found:\n\n" + names +
                           "\nRemove these entries from the list? No keeps them.";
  return MessageBoxPrompt(text, "Find mods", MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}
}  // namespace

struct TModSearch::TGame {
  std::string Folder, ModTemplate, GameParameters, Name, Logo, Url;
};

TModSearch::TModSearch(const std::string& appDir, TIniFile& gamesIni, TEntrySet& entries, TSearchStatus& status)
    : FAppDir(IncludeTrailingBackslash(appDir)), FGamesIni(gamesIni), FEntries(entries), FStatus(status) {
  for (const std::string& name : FolderEntries(FAppDir + "Logos", "*", false)) FLogos.insert(LowerCase(name));
  for (const TEntry& e : entries.Entries()) FCovered.insert(EntryKey(e.Value("Game"), e.Value("Mod")));
}

bool TModSearch::Covered(const std::string& game, const std::string& mod) const {
  return FCovered.count(EntryKey(game, mod)) != 0;
}

const std::vector<std::string>& TModSearch::SubFolders(const std::string& folder) {
  std::string key = LowerCase(IncludeTrailingBackslash(folder));
  auto it = FSubFolders.find(key);
  if (it == FSubFolders.end()) it = FSubFolders.emplace(key, FolderEntries(folder, "*", true)).first;
  return it->second;
}

// A located game: Sijainti names an existing folder.
bool TModSearch::ReadGame(const std::string& key, TGame& g) const {
  g.Folder = ReadGameValue(FGamesIni, key, "Sijainti");
  if (g.Folder.empty() || !DirectoryExists(g.Folder)) return false;
  g.ModTemplate = ReadGameValue(FGamesIni, key, "Oletus");
  g.GameParameters = ReadGameValue(FGamesIni, key, "GameOletus");
  g.Name = ReadGameValue(FGamesIni, key, "gamename");
  if (g.Name.empty()) g.Name = key;
  g.Logo = ReadGameValue(FGamesIni, key, "Kuvake");
  if (g.Logo.empty()) g.Logo = key + ".bmp";
  g.Url = ReadGameValue(FGamesIni, key, "url");
  return true;
}

void TModSearch::FindKnownMods() {
  TSearchStatusScope scope(FStatus, "Find modifications", true);
  TStringList games;
  ReadGameList(FGamesIni, games);
  // First every folder is listed and the files that the entries need are
  // asked for: they are looked up in the background while the next folder
  // is listed. The Half-Life scan's files go first, the most of them.
  if (std::string hl = HalfLifeFolder(); !hl.empty()) FProbe.Ask(HalfLifeLiblists(hl));
  std::vector<std::pair<std::string, TGame>> located;
  for (const std::string& key : games.Items()) {
    TGame g;
    if (!ReadGame(key, g)) continue;
    FStatus.Report(g.Name + " modifications");
    if (g.ModTemplate.find("%s") != std::string::npos) KnownModsIn(g.Folder);
    located.emplace_back(key, std::move(g));
  }
  for (const auto& [key, g] : located) {
    if (!g.GameParameters.empty()) AddGameEntry(key, g);
    if (g.ModTemplate.find("%s") != std::string::npos) AddKnownMods(key, g.Folder, g.ModTemplate, g.Logo);
  }
}

void TModSearch::AddGameEntry(const std::string& game, const std::string& displayName, const std::string& logo) {
  TGame g;
  g.Folder = ReadGameValue(FGamesIni, game, "Sijainti");
  g.GameParameters = ReadGameValue(FGamesIni, game, "GameOletus");
  g.Url = ReadGameValue(FGamesIni, game, "url");
  g.Name = displayName;
  g.Logo = logo;
  AddGameEntry(game, g);
}

void TModSearch::AddGameEntry(const std::string& game, const TGame& g) {
  if (Covered(game, "")) return;
  TModInfo info;
  if (ReadModInfo(IncludeTrailingBackslash(g.Folder) + ModInfoFileName, info)) {
    WriteModEntry(FEntries, CapitalizeFirst(Trim(info.Name)), "", Blank(info.WebSite) ? g.Url : Trim(info.WebSite),
                  Blank(info.Description) ? g.Name : Trim(info.Description),
                  Blank(info.Logo) ? g.Logo : Trim(info.Logo),
                  Blank(info.Parameters) ? g.GameParameters : Trim(info.Parameters), game);
  } else {
    WriteModEntry(FEntries, g.Name, "", g.Url, g.Name, g.Logo, g.GameParameters, game);
  }
}

const std::vector<size_t>& TModSearch::KnownModsIn(const std::string& gameFolder) {
  std::string key = LowerCase(IncludeTrailingBackslash(gameFolder));
  if (auto it = FKnownModsIn.find(key); it != FKnownModsIn.end()) return it->second;
  // Each sub-folder is looked up in the list, so the time does not grow
  // with the list's length; the hits are then taken in the list's order.
  std::vector<size_t> hits;
  for (const std::string& name : SubFolders(gameFolder))
    if (size_t i = KnownModIndex(name); i != NotKnownMod) hits.push_back(i);
  std::sort(hits.begin(), hits.end());
  hits.erase(std::unique(hits.begin(), hits.end()), hits.end());
  std::vector<std::string> files;
  for (size_t i : hits) {
    TModFiles mod = ModFiles(gameFolder, KnownMods()[i]);
    files.insert(files.end(), {std::move(mod.ModInfo), std::move(mod.Liblist), std::move(mod.Icon)});
  }
  FProbe.Ask(files);
  return FKnownModsIn.emplace(key, std::move(hits)).first->second;
}

void TModSearch::AddKnownMods(const std::string& game, const std::string& gameFolder, const std::string& templ,
                              const std::string& gameLogo) {
  for (size_t i : KnownModsIn(gameFolder)) AddModEntry(game, gameFolder, KnownMods()[i], templ, gameLogo, true);
}

void TModSearch::AddOwnModlistMods(const std::string& game, const std::string& gameFolder, const std::string& templ,
                                   const std::string& gameLogo) {
  if (!IsPlainFolderName(game)) return;
  TStringList list;
  try {
    list.LoadFromFile(OwnModListFile(FAppDir, game));
  } catch (const Exception&) {
    return;  // an unreadable list is like a missing one
  }
  for (const std::string& line : list.Items()) {
    std::string d = Trim(line);
    if (d.empty() || !IsPlainFolderName(d) || IsKnownMod(d)) continue;
    if (!DirectoryExists(IncludeTrailingBackslash(gameFolder) + d)) continue;
    AddModEntry(game, gameFolder, d, templ, gameLogo, false);
  }
}

TModSearch::TModFiles TModSearch::ModFiles(const std::string& gameFolder, const std::string& d) {
  const std::string folder = IncludeTrailingBackslash(gameFolder) + d + "\\";
  return {folder + ModInfoFileName, folder + LiblistFileName, folder + d + ".ico"};
}

void TModSearch::AddModEntry(const std::string& game, const std::string& gameFolder, const std::string& d,
                             const std::string& templ, const std::string& gameLogo, bool knownScan) {
  if (Covered(game, d)) return;
  const TModFiles files = ModFiles(gameFolder, d);
  TModInfo info;
  if (HasFile(files.ModInfo) && ReadModInfo(files.ModInfo, info)) {
    WriteModEntry(FEntries, CapitalizeFirst(Trim(info.Name)), d, Trim(info.WebSite),
                  Blank(info.Description) ? d : Trim(info.Description),
                  Blank(info.Logo) ? ModLogo(game, gameFolder, d, gameLogo, knownScan) : Trim(info.Logo),
                  Blank(info.Parameters) ? templ : Trim(info.Parameters), game);
    return;
  }
  std::string name = CapitalizeFirst(d), url;
  if (HasFile(files.Liblist)) ReadLiblistInfo(IncludeTrailingBackslash(gameFolder) + d, name, url);
  WriteModEntry(FEntries, name, d, url, name, ModLogo(game, gameFolder, d, gameLogo, knownScan), templ, game);
}

std::string TModSearch::ModLogo(const std::string& game, const std::string& gameFolder, const std::string& d,
                                const std::string& gameLogo, bool knownScan) {
  const std::string own = ModFiles(gameFolder, d).Icon;
  if (HasFile(own)) return own;
  if (InLogos(d + ".ico")) return d + ".ico";
  if (InLogos(d + ".bmp")) {
    if (knownScan && SameText(d, "action") && SameText(game, "half-life") && InLogos("actionhl.bmp"))
      return "actionhl.bmp";
    return d + ".bmp";
  }
  return gameLogo;
}

std::string TModSearch::HalfLifeFolder() const {
  std::string folder = ReadGameValue(FGamesIni, "half-life", "Sijainti");
  return folder.empty() || !DirectoryExists(folder) ? "" : folder;
}

std::vector<std::string> TModSearch::HalfLifeLiblists(const std::string& folder) {
  std::vector<std::string> files;
  for (const std::string& name : SubFolders(folder))
    if (!SameText(name, "valve")) files.push_back(LiblistIn(folder, name));
  return files;
}

void TModSearch::FindHalfLifeMods() {
  std::string folder = HalfLifeFolder();
  if (folder.empty()) return;
  FProbe.Ask(HalfLifeLiblists(folder));
  for (const std::string& name : SubFolders(folder))
    if (!SameText(name, "valve") && HasFile(LiblistIn(folder, name))) AddToOwnModList(FAppDir, "half-life", name);
}

void TModSearch::FindOwnModlistMods() {
  TSearchStatusScope scope(FStatus, "Find own modlist modifications", false);
  TStringList games;
  ReadGameList(FGamesIni, games);
  for (const std::string& key : games.Items()) {
    // The key names the list's file: one that could reach outside the
    // modlist folder names no list.
    if (!IsPlainFolderName(key)) continue;
    std::string listFile = OwnModListFile(FAppDir, key);
    TGame g;
    if (!FileExists(listFile) || !ReadGame(key, g) || g.ModTemplate.find("%s") == std::string::npos) continue;
    TStringList list;
    try {
      list.LoadFromFile(listFile);
    } catch (const Exception&) {
      continue;
    }
    if (std::all_of(list.Items().begin(), list.Items().end(), Blank)) continue;
    FStatus.Report(g.Name + " modifications");
    AddOwnModlistMods(key, g.Folder, g.ModTemplate, g.Logo);
  }
}

bool FindMods(TDiscoveryFiles& files, TSearchStatus& status) {
  TSearchGuard guard;
  if (!guard.Acquired()) return false;
  std::string appDir = IncludeTrailingBackslash(files.AppDir);
  std::string path = appDir + kEntryFile;
  if (!files.ModIni || LowerCase(files.ModIni->FileName()) != LowerCase(path))
    files.ModIni = std::make_unique<TIniFile>(path);
  // The profile functions write through, so the file is read as it stands
  // (asking them to flush would first parse the whole file once more). A
  // file that cannot be read stops the search: it is never written over.
  TEntrySet entries = ReadEntryFile(path);
  const std::vector<const TEntry*> missing = EntriesWithoutTheirFolder(entries, files.GamesIni);
  if (!missing.empty() && AskToRemove(missing)) {
    std::set<const TEntry*> drop(missing.begin(), missing.end());
    entries.RemoveIf([&](const TEntry& e) { return drop.count(&e) != 0; });
  }
  TModSearch search(appDir, files.GamesIni, entries, status);
  search.FindKnownMods();
  search.FindHalfLifeMods();
  search.FindOwnModlistMods();
  std::string text = entries.Text();
  SaveFileAtomically(path, [&](TStream& s) { s.WriteString(text); });
  return true;
}

std::string OwnModListFile(const std::string& appDir, const std::string& game) {
  return IncludeTrailingBackslash(appDir) + "modlist\\" + game + ".txt";
}

bool IsPlainFolderName(const std::string& name) {
  return name.find_first_of("\\/:") == std::string::npos && name.find("..") == std::string::npos;
}

bool AddToOwnModList(const std::string& appDir, const std::string& game, const std::string& folder) {
  std::string name = Trim(folder);
  if (name.empty() || !IsPlainFolderName(name) || !IsPlainFolderName(game)) return false;
  std::string dir = IncludeTrailingBackslash(appDir) + "modlist";
  if (!DirectoryExists(dir) && !CreateDirectoryA(dir.c_str(), nullptr) && !DirectoryExists(dir))
    throw EInOutError("Unable to create directory " + dir);
  if (IsKnownMod(name)) return true;
  std::string file = OwnModListFile(appDir, game);
  TStringList list;
  if (FileExists(file)) list.LoadFromFile(file);
  if (list.IndexOf(name) >= 0) return true;
  list.Add(name);
  list.SaveToFile(file);
  return true;
}

void ParseLiblistInfo(const std::string& text, std::string& name, std::string& website) {
  TLiblistValues v = ParseLiblistText(text);
  if (v.HasGame) name = CapitalizeFirst(v.Game);
  if (v.HasUrl) website = v.Url;
}

void ReadLiblistInfo(const std::string& folder, std::string& name, std::string& website) {
  std::string file = IncludeTrailingBackslash(folder) + LiblistFileName;
  if (!FileExists(file)) return;
  std::string text;
  if (!ReadFileText(file, MaxLiblistSize, text)) return;
  ParseLiblistInfo(text, name, website);
}
