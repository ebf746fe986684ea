// Benchmark: "Find mods" over 12 located games whose folders hold many
// sub-folders, against the time to list those folders once (best of five
// rounds each, measured in the same run).
// Usage: bench_findmods [sub-folders per game, default 3000]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <algorithm>
#include <memory>
#include <string>

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
}  // namespace

int main(int argc, char** argv) {
  int perGame = argc > 1 ? std::atoi(argv[1]) : 3000;
  const char* games[] = {"quake",  "quake 2", "half-life", "sin",      "kingpin",   "sof",
                         "hexen2", "quake 3", "heretic2",  "gunman",   "daikatana", "eliteforce"};
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  std::string root = IncludeTrailingBackslash(temp) + "bxbench";
  RemoveTree(root);
  std::string app = root + "\\launcher\\";
  CreateDirectoryA(root.c_str(), nullptr);
  CreateDirectoryA(app.c_str(), nullptr);
  TIniFile gamesIni(app + "Games.ini");
  std::unique_ptr<TIniFile> modIni;
  std::printf("making 12 game folders of %d sub-folders each (plus the %d known mods)...\n", perGame,
              int(KnownMods().size()));
  for (const char* game : games) {
    std::string dir = root + "\\" + game;
    CreateDirectoryA(dir.c_str(), nullptr);
    for (int i = 0; i < perGame; ++i) CreateDirectoryA((dir + "\\folder" + IntToStr(i)).c_str(), nullptr);
    for (const std::string& mod : KnownMods()) CreateDirectoryA((dir + "\\" + mod).c_str(), nullptr);
    gamesIni.WriteString(game, "Sijainti", dir);
    gamesIni.WriteString(game, "Oletus", std::string(game) + " -game %s");
    gamesIni.WriteString(game, "GameOletus", game);
  }

  double best = 1e300, bestList = 1e300;
  int entries = 0;
  for (int round = 0; round < 5; ++round) {
    double t0 = Now();
    for (const char* game : games) entries = ListOnce(root + "\\" + game);
    bestList = std::min(bestList, Now() - t0);
    TQuietSearchStatus quiet;
    TDiscoveryFiles files{app, gamesIni, modIni};
    t0 = Now();
    FindMods(files, quiet);
    best = std::min(best, Now() - t0);
  }
  TStringList sections;
  modIni->ReadSections(sections);
  std::printf("entries written:                        %d\n", sections.Count());
  std::printf("listing the 12 game folders once:       %.2f ms (%d names in the last)\n", bestList, entries);
  std::printf("Find mods over the 12 games:            %.2f ms\n", best);
  std::printf("ratio (Find mods / listing):            %.2f\n", best / bestList);
  RemoveTree(root);
  return 0;
}
