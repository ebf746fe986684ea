// Game discovery over the fixed drives.
#include "GameDiscovery.h"

#include <windows.h>

#include "Dialogs.h"
#include "IniFiles.h"
#include "ModInfoText.h"
#include "SearchCommon.h"
#include "StringList.h"
#include "SysUtils.h"

namespace {
using Rows = std::vector<std::string>;

const char* const BasePrefixes[] = {"", "Program Files\\", "ProgramFiles\\", "Ohjelmatiedostot\\",
                                    "Ohjelma tiedostot\\"};

// The five base rows of a name, then the extra prefixes in order.
void AddBase(Rows& r, const std::string& name) {
  for (const char* p : BasePrefixes) r.push_back(p + name);
}
void AddUnder(Rows& r, std::initializer_list<const char*> prefixes, const std::string& name) {
  for (const char* p : prefixes) r.push_back(std::string(p) + "\\" + name);
}

Rows Quake1() {
  Rows r;
  AddBase(r, "Quake");
  AddBase(r, "Quake1");
  for (const char* p : {"Games", "Pelit", "Id", "Idsoftware"}) AddUnder(r, {p}, "Quake"), AddUnder(r, {p}, "Quake1");
  return r;
}

// Quake 2 and Hexen 2 name their folders alike but order them differently.
Rows Quake2() {
  Rows r;
  for (const char* v : {"2", "II"}) {
    std::string a = std::string("Quake") + v, b = std::string("Quake ") + v;
    AddBase(r, a);
    AddBase(r, b);
    for (const char* p : {"Games", "Pelit"}) AddUnder(r, {p}, a), AddUnder(r, {p}, b);
  }
  for (const char* v : {"2", "II"}) {
    std::string a = std::string("Quake") + v, b = std::string("Quake ") + v;
    for (const char* p : {"Id", "Idsoftware"}) AddUnder(r, {p}, a), AddUnder(r, {p}, b);
  }
  return r;
}

Rows Hexen2() {
  Rows r;
  for (const char* v : {"2", "II"}) {
    std::string a = std::string("Hexen") + v, b = std::string("Hexen ") + v;
    AddBase(r, a);
    AddBase(r, b);
    for (const char* p : {"Games", "Pelit", "Id", "Idsoftware"}) AddUnder(r, {p}, a), AddUnder(r, {p}, b);
  }
  return r;
}

Rows HalfLife() {
  Rows r = {"Sierra\\Half-Life", "Sierra\\HalfLife", "Sierra\\HL", "Sierra\\H-L", "Half-Life", "H-L", "HL"};
  for (const char* p : {"Program Files", "ProgramFiles", "Ohjelmatiedostot", "Ohjelma tiedostot", "Games", "Pelit"})
    for (const char* n : {"Half-Life", "HalfLife", "HL", "H-L"}) AddUnder(r, {p}, n);
  return r;
}

Rows Sin() {
  Rows r;
  AddBase(r, "Sin");
  AddUnder(r, {"Games", "Pelit", "Activision", "Ritual"}, "Sin");
  for (const char* n : {"Ritual\\Sin", "Activision\\Sin", "Activision\\Ritual\\Sin"})
    AddUnder(r, {"Program Files", "ProgramFiles", "Ohjelmatiedostot", "Ohjelma tiedostot"}, n);
  return r;
}

// B x name, Games\name, Pelit\name, with an optional first row.
Rows Simple(const std::string& name, const char* first = nullptr) {
  Rows r;
  if (first) r.push_back(first);
  AddBase(r, name);
  AddUnder(r, {"Games", "Pelit"}, name);
  return r;
}

Rows SoldierOfFortune() {
  Rows r;
  for (const char* n : {"SoF", "Soldier of Fortune", "SoldierofFortune"}) {
    Rows s = Simple(n);
    r.insert(r.end(), s.begin(), s.end());
  }
  return r;
}

Rows Quake3() {
  Rows r;
  for (const char* p : {"", "Program Files", "ProgramFiles", "Ohjelmatiedostot", "Ohjelma tiedostot", "Games",
                        "Pelit", "Id", "Idsoftware"})
    for (const char* n : {"Quake3", "Quake 3", "Quake3arena", "Quake 3 arena", "QuakeIII", "Quake III",
                          "Quake III Arena"})
      r.push_back(*p ? std::string(p) + "\\" + n : std::string(n));
  r.push_back("Q3Ademo");
  AddUnder(r, {"pelit", "games", "Idsoftware", "Id", "Ohjelmatiedostot", "Ohjelma tiedostot", "Program Files",
               "ProgramFiles"},
           "Q3Ademo");
  return r;
}

Rows Heretic2() {
  Rows r;
  for (const char* p : {"", "Program Files", "ProgramFiles", "Ohjelmatiedostot", "Ohjelma tiedostot", "Games", "Pelit"})
    for (const char* n : {"Heretic2", "Heretic 2", "HereticII", "Heretic II"})
      r.push_back(*p ? std::string(p) + "\\" + n : std::string(n));
  return r;
}

Rows EliteForce() {
  Rows r = Simple("Eliteforce", "Ravensoftware\\Eliteforce");
  for (const char* n : {"Ravensoftware\\Startrek Eliteforce", "Ravensoftware\\Star trek Eliteforce",
                        "Ravensoftware\\Star trek Elite force", "Startrek Eliteforce"})
    r.push_back(n);
  for (const char* p : {"Program Files", "ProgramFiles"}) AddUnder(r, {p}, "Startrek Eliteforce");
  for (const char* p : {"Program Files", "ProgramFiles"}) AddUnder(r, {p}, "Star trek Eliteforce");
  for (const char* p : {"Ohjelmatiedostot", "Ohjelma tiedostot"}) AddUnder(r, {p}, "Startrek Eliteforce");
  for (const char* p : {"Ohjelmatiedostot", "Ohjelma tiedostot"}) AddUnder(r, {p}, "Star trek Eliteforce");
  AddUnder(r, {"Games", "Pelit"}, "Startrek Eliteforce");
  return r;
}

std::vector<Rows> MakeLists() {
  std::vector<Rows> lists = {Quake1(),
                             Quake2(),
                             HalfLife(),
                             Sin(),
                             Simple("KingPin"),
                             SoldierOfFortune(),
                             Hexen2(),
                             Quake3(),
                             Heretic2(),
                             Simple("Gunman", "Sierra\\Gunman"),
                             Simple("Daikatana", "Ionstorm\\Daikatana"),
                             EliteForce()};
  for (Rows& rows : lists)
    for (std::string& row : rows) row = ":\\" + row;
  return lists;
}

struct TGameKind {
  const char* Key;
  int List;
  const char* Executable;
};

const TGameKind GameKinds[] = {
    {"quake", 1, "\\quake.exe"},         {"quake 2", 2, "\\quake2.exe"},
    {"quake2", 2, "\\quake2.exe"},       {"half-life", 3, "\\hl.exe"},
    {"sin", 4, "\\sin.exe"},             {"kingpin", 5, "\\kingpin.exe"},
    {"sof", 6, "\\sof.exe"},             {"soldier of fortune", 6, "\\sof.exe"},
    {"hexen2", 7, "\\h2.exe"},           {"heretic2", 9, "\\heretic2.exe"},
    {"gunman", 10, "\\gunman.exe"},      {"daikatana", 11, "\\daikatana.exe"},
    {"eliteforce", 12, "\\eliteforce.exe"}, {"elite force", 12, "\\eliteforce.exe"},
    {"quake 3", 8, "\\quake3.exe"},      {"q3", 8, "\\quake3.exe"},
    {"quake 3 arena", 8, "\\quake3.exe"}, {"quake3", 8, "\\quake3.exe"},
};

// A stored folder on a drive that the search probes; elsewhere (an absent,
// removable or network drive, a UNC path) the search cannot judge it.
bool OnProbedDrive(const std::string& folder, const std::string& drives) {
  return folder.size() >= 2 && folder[1] == ':' && drives.find(UpperCase(folder.substr(0, 1))) != std::string::npos;
}

void ChooseQuakeCommands(TIniFile& games, const std::string& key, const std::string& folder) {
  bool gl =
      FileExists(folder + "\\glquake.exe") &&
      MessageDlg("Brannox 2000 has located GlQuake in your Quake directory, Do you want to use GlQuake with mods?",
                 mtInformation, mbYesNo) == mrYes;
  games.WriteString(key, "Oletus", gl ? "glquake -game %s" : "quake -game %s");
  games.WriteString(key, "GameOletus", gl ? "glquake" : "quake");
}
}  // namespace

void ReadGameList(const TIniFile& gamesIni, TStringList& games) {
  gamesIni.ReadSections(games);
  for (int i = games.Count() - 1; i >= 0; --i)
    if (CleanGameFileValue(games[i]) != games[i]) games.Delete(i);
  games.Sort();
}

std::string ReadGameValue(const TIniFile& gamesIni, const std::string& game, const std::string& key) {
  return CleanGameFileValue(gamesIni.ReadString(game, key, ""));
}

const std::vector<std::string>& CandidateList(int n) {
  static const std::vector<Rows> lists = MakeLists();
  static const Rows none;
  return n >= 1 && n <= int(lists.size()) ? lists[n - 1] : none;
}

bool GameSearchData(const std::string& gameKey, const std::vector<std::string>*& rows, std::string& executable) {
  std::string key = LowerCase(gameKey);
  for (const TGameKind& kind : GameKinds)
    if (key == kind.Key) {
      rows = &CandidateList(kind.List);
      executable = kind.Executable;
      return true;
    }
  return false;
}

std::string FixedDriveLetters() {
  std::string letters;
  DWORD present = GetLogicalDrives();
  for (int i = 0; i < 26; ++i) {
    if (!(present & (1u << i))) continue;
    char root[] = {char('A' + i), ':', '\\', 0};
    if (GetDriveTypeA(root) == DRIVE_FIXED) letters += char('A' + i);
  }
  return letters;
}

bool FindGames(TIniFile& gamesIni) {
  TSearchGuard guard;
  if (!guard.Acquired()) return false;
  std::string drives = FixedDriveLetters();
  TStringList games;
  ReadGameList(gamesIni, games);
  for (const std::string& key : games.Items()) {
    const Rows* rows;
    std::string exe;
    if (!GameSearchData(key, rows, exe)) continue;
    std::string stored = gamesIni.ReadString(key, "Sijainti", "");
    if (!stored.empty() && FileExists(stored + exe)) continue;
    // With no fixed drive there is no candidate, and nothing to judge by.
    if (drives.empty()) continue;
    if (!stored.empty() && !OnProbedDrive(stored, drives)) continue;
    // A folder that exists is the user's own choice even without the exact
    // executable name (a renamed or alternative program): the search may
    // only replace it with a candidate that holds the game. A folder that is
    // gone from a searched drive is removed.
    if (stored.empty() || !DirectoryExists(stored)) gamesIni.DeleteKey(key, "Sijainti");
    bool found = false;
    for (char drive : drives) {
      for (const std::string& row : *rows) {
        std::string folder = drive + row;
        if (!FileExists(folder + exe)) continue;
        if (LowerCase(key) == "quake") ChooseQuakeCommands(gamesIni, key, folder);
        gamesIni.WriteString(key, "Sijainti", folder);
        found = true;
        break;
      }
      if (found) break;
    }
  }
  return true;
}
