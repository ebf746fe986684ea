// Benchmark: "Find mods" over 12 located games whose folders hold many
// sub-folders, against the time to list those folders once (best of five
// rounds each, measured in the same run): first with a fixed number of known
// mods installed in each game, then with every known mod installed.
// Usage: bench_findmods [other sub-folders per game, default 3000] [known mods per game, default 118]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "IniFiles.h"
#include "KnownMods.h"
#include "ModDiscovery.h"
#include "StringList.h"
#include "SysUtils.h"

namespace {
double Now() {
  LARGE_INTEGER f, c;
  QueryPerformanceFrequency(&f);
  QueryPerformanceCounter(&c);
  return double(c.QuadPart) * 1000.0 / double(f.QuadPart);
}

void RemoveTree(const std::string& dir) {
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA((dir + "\\*").c_str(), &fd);
  if (h != INVALID_HANDLE_VALUE) {
    do {
      std::string name = fd.cFileName, path = dir + "\\" + name;
      if (name == "." || name == "..") continue;
      if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveTree(path);
      else DeleteFileA(path.c_str());
    } while (FindNextFileA(h, &fd));
    FindClose(h);
  }
  RemoveDirectoryA(dir.c_str());
}

int ListOnce(const std::string& dir) {
  int n = 0;
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA((dir + "\\*").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return 0;
  do ++n;
  while (FindNextFileA(h, &fd));
  FindClose(h);
  return n;
}

// Best of five rounds: one listing of the game folders, then "Find mods".
void Measure(const char* label, const std::string& root, const std::string& app, TIniFile& gamesIni,
             const std::vector<std::string>& games) {
  std::unique_ptr<TIniFile> modIni;
  double best = 1e300, bestList = 1e300;
  int names = 0;
  for (int round = 0; round < 5; ++round) {
    double t0 = Now();
    names = 0;
    for (const std::string& game : games) names += ListOnce(root + "\\" + game);
    bestList = std::min(bestList, Now() - t0);
    TQuietSearchStatus quiet;
    TDiscoveryFiles files{app, gamesIni, modIni};
    // Every round makes all the entries: the entries of an earlier round would stay.
    DeleteFileA((app + "Mod.ini").c_str());
    t0 = Now();
    FindMods(files, quiet);
    best = std::min(best, Now() - t0);
  }
  TStringList sections;
  modIni->ReadSections(sections);
  std::printf("%s\n", label);
  std::printf("  listing the 12 game folders once:     %.2f ms (%d names)\n", bestList, names);
  std::printf("  Find mods over the 12 games:          %.2f ms (%d entries)\n", best, sections.Count());
  std::printf("  ratio (Find mods / listing):          %.2f\n", best / bestList);
}
}  // namespace

int main(int argc, char** argv) {
  int perGame = argc > 1 ? std::atoi(argv[1]) : 3000;
  // As many mods per game as the first known-mod list held, spread over the
  // whole list: the time must not grow with the list's length.
  const size_t installed = std::min<size_t>(argc > 2 ? size_t(std::atoi(argv[2])) : 118, KnownMods().size());
  const std::vector<std::string> games = {"quake",  "quake 2",  "half-life", "sin",      "kingpin",   "sof",
                                          "hexen2", "quake 3",  "heretic2",  "gunman",   "daikatana", "eliteforce"};
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  std::string root = IncludeTrailingBackslash(temp) + "bxbench";
  RemoveTree(root);
  std::string app = root + "\\launcher\\";
  CreateDirectoryA(root.c_str(), nullptr);
  CreateDirectoryA(app.c_str(), nullptr);
  TIniFile gamesIni(app + "Games.ini");
  const auto& known = KnownMods();
  std::vector<bool> chosen(known.size());
  for (size_t i = 0; i < installed; ++i) chosen[i * known.size() / installed] = true;
  std::printf("12 game folders of %d other sub-folders each; %zu names in the known-mod list\n", perGame,
              known.size());
  for (const std::string& game : games) {
    std::string dir = root + "\\" + game;
    CreateDirectoryA(dir.c_str(), nullptr);
    for (int i = 0; i < perGame; ++i) CreateDirectoryA((dir + "\\folder" + IntToStr(i)).c_str(), nullptr);
    for (size_t i = 0; i < known.size(); ++i)
      if (chosen[i]) CreateDirectoryA((dir + "\\" + known[i]).c_str(), nullptr);
    gamesIni.WriteString(game, "Sijainti", dir);
    gamesIni.WriteString(game, "Oletus", game + " -game %s");
    gamesIni.WriteString(game, "GameOletus", game);
  }
  std::string label = std::to_string(installed) + " known mods in each game folder:";
  Measure(label.c_str(), root, app, gamesIni, games);
  for (const std::string& game : games)
    for (size_t i = 0; i < known.size(); ++i)
      if (!chosen[i]) CreateDirectoryA((root + "\\" + game + "\\" + known[i]).c_str(), nullptr);
  label = "every known mod (" + std::to_string(known.size()) + ") in each game folder:";
  Measure(label.c_str(), root, app, gamesIni, games);
  RemoveTree(root);
  return 0;
}
