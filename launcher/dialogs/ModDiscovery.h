// "Find mods": rebuilds Mod.ini from the located games, the known mods in
// their folders, the games' own mod lists and the Half-Life liblist.gam files.
#pragma once
#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "EntryFile.h"
#include "FileProbe.h"
#include "SearchCommon.h"
#include "SysUtils.h"

class TIniFile;


// The main window's files that the searches use.
struct TDiscoveryFiles {
  std::string AppDir;                 // the launcher's folder, with a trailing backslash
  TIniFile& GamesIni;                 // not owned
  std::unique_ptr<TIniFile>& ModIni;  // the current view's entry file; Find mods makes it Mod.ini
};

// The Settings dialog's "Find mods": the entries of Mod.ini stay as the user
// made them, whatever the games' folders hold now; a folder found that no
// entry of its game has yet gets a new entry. Entries whose mod folder is
// gone from a game folder that is there are named in one question, and taken
// out only on Yes. Mod.ini is then replaced at once, so a failure leaves the
// old file whole (the error is raised); an entry file that cannot be read is
// not replaced. False, doing nothing, while another search runs. The caller
// repaints the main window's list afterwards.
bool FindMods(TDiscoveryFiles& files, TSearchStatus& status);

// The steps of a search, over the entries gathered so far. A game and mod
// folder that an entry held at the start already has get no new entry.
class TModSearch {
public:
  TModSearch(const std::string& appDir, TIniFile& gamesIni, TEntrySet& entries, TSearchStatus& status);

  // Located games and the known mods in their folders.
  void FindKnownMods();
  // Half-Life folders with a liblist.gam join the own list of "half-life".
  void FindHalfLifeMods();
  // The folders of the games' own mod lists.
  void FindOwnModlistMods();

  void AddGameEntry(const std::string& game, const std::string& displayName, const std::string& logo);
  void AddKnownMods(const std::string& game, const std::string& gameFolder, const std::string& templ,
                    const std::string& gameLogo);
  void AddOwnModlistMods(const std::string& game, const std::string& gameFolder, const std::string& templ,
                         const std::string& gameLogo);

private:
  struct TGame;
  bool ReadGame(const std::string& key, TGame& game) const;
  void AddGameEntry(const std::string& key, const TGame& game);
  void AddModEntry(const std::string& game, const std::string& gameFolder, const std::string& folder,
                   const std::string& templ, const std::string& gameLogo, bool knownScan);
  std::string ModLogo(const std::string& game, const std::string& gameFolder, const std::string& folder,
                      const std::string& gameLogo, bool knownScan);
  // The files in a mod folder that its entry may be made from.
  struct TModFiles {
    std::string ModInfo, Liblist, Icon;  // the mod information, liblist.gam, the folder's own icon
  };
  static TModFiles ModFiles(const std::string& gameFolder, const std::string& folder);
  // The known mods among a game folder's sub-folders (indexes into the list,
  // in its order), found once a search; their files are asked for at once.
  const std::vector<size_t>& KnownModsIn(const std::string& gameFolder);
  // The Half-Life folder when it exists, else empty; its sub-folders' liblist.gam files.
  std::string HalfLifeFolder() const;
  std::vector<std::string> HalfLifeLiblists(const std::string& folder);
  bool HasFile(const std::string& path) { return FProbe.IsFile(path); }
  // Whether an entry of the start has this game and mod folder ("" for the game's own).
  bool Covered(const std::string& game, const std::string& mod) const;

  // The sub-folders of a folder, listed once a search.
  const std::vector<std::string>& SubFolders(const std::string& folder);
  bool InLogos(const std::string& file) const { return FLogos.count(LowerCase(file)) != 0; }

  std::string FAppDir;
  std::unordered_set<std::string> FLogos;  // the files of "Logos\", lower case, listed once a search
  std::unordered_map<std::string, std::vector<std::string>> FSubFolders;  // by folder, lower case
  std::unordered_map<std::string, std::vector<size_t>> FKnownModsIn;     // by game folder, lower case
  std::unordered_set<std::string> FCovered;  // game and mod folder of the entries of the start, lower case
  TFileProbe FProbe;     // whether paths name files, each asked once a search
  TIniFile& FGamesIni;   // not owned
  TEntrySet& FEntries;   // not owned
  TSearchStatus& FStatus;  // not owned
};

// The own mod list file of a game: "<launcher>\modlist\<game>.txt". Only a
// key that IsPlainFolderName accepts names a file inside that folder.
std::string OwnModListFile(const std::string& appDir, const std::string& game);

// Adds a folder name to a game's own mod list unless it is blank, a known
// mod or already there. A folder name or game key with a path separator, ":"
// or ".." is refused (false, nothing written). Raises EInOutError when the modlist folder cannot be made.
bool AddToOwnModList(const std::string& appDir, const std::string& game, const std::string& folder);

// A bare folder name: no "\", "/", ":" and no "..".
bool IsPlainFolderName(const std::string& name);

// The game name and web address of "<folder>\liblist.gam"; values that the
// file does not give leave name and website as they were.
void ReadLiblistInfo(const std::string& folder, std::string& name, std::string& website);
void ParseLiblistInfo(const std::string& text, std::string& name, std::string& website);
