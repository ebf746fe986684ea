// Opening "Most started mods" from the main window's menu command with many
// start counts, beside a bar menu of 10 items opened in the same run. A
// benchmark, not a test:
//   bench_moststarted [COUNTS ...]            (default: 2000 5000)
//   bench_moststarted --dump FILE [COUNTS]    also writes the window's cells
// Each size runs in a launcher folder of its own below %TEMP%, with as many
// entries in Mod.ini as counts in the Windows folder's brannox2000.ini (an
// existing one is put back afterwards). Times are the best of 3 openings,
// in milliseconds, from the command until the window shows, painted.
#include "Dialogs.h"
#include "MainWindow.h"
#include "MostStartedWindow.h"
#include "launcher_bench.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {
using bench::Numbered;

double gShown = 0;
std::string gDump;  // the file the cells go to, empty for none

void DumpCells(TMostStartedWindow& form) {
  std::ofstream out(gDump, std::ios::binary);
  const TExtStringGrid& g = *form.StartsGrid;
  for (int r = 0; r < g.RowCount(); ++r) {
    for (int c = 0; c < g.ColCount(); ++c) out << (c ? "\t" : "") << g.Cells(c, r);
    const TCellGraphic* logo = g.Data().CellGraphic(1, r);
    out << "\t" << (logo ? logo->Kind : -1) << "\n";
  }
  gDump.clear();
}

// The modal loop dispatches the timer once the window shows and is painted.
void CALLBACK WindowShown(HWND, UINT, UINT_PTR id, DWORD) {
  HWND window = FindWindowA("TMostStartedWindow", nullptr);
  if (!window || !IsWindowVisible(window) || GetUpdateRect(window, nullptr, FALSE)) return;
  KillTimer(nullptr, id);
  gShown = bench::NowMs();
  if (auto* form = dynamic_cast<TMostStartedWindow*>(FindControl(window)); form && !gDump.empty()) DumpCells(*form);
  PostMessageA(window, WM_CLOSE, 0, 0);
}

double TimeMostStarted(TMainWindow& main) {
  double best = -1;
  for (int run = 0; run < 3; ++run) {
    gShown = 0;
    SetTimer(nullptr, 0, 1, WindowShown);
    const double start = bench::NowMs();
    main.MostStartedItemClick(main.MostStartedItem);
    const double ms = gShown > 0 ? gShown - start : -1;
    Application().ProcessMessages();
    if (ms >= 0 && (best < 0 || ms < best)) best = ms;
  }
  return best;
}

// The launcher's files: as many entries as counts over three games (one
// logo a picture, one an icon's missing file, one game without a logo),
// written directly (the profile functions would take minutes to write
// them one key at a time). A tenth of the counted mods have no entry, and
// each game has a count of its own (key "<>").
void WriteFiles(const std::string& dir, int counts) {
  CreateDirectoryA((dir + "skins").c_str(), nullptr);
  CreateDirectoryA((dir + "Logos").c_str(), nullptr);
  TBitmap logo;
  logo.SetSize(32, 32);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) logo.SetPixel(x, y, (x / 4 + y / 4) % 2 ? clRed : clYellow);
  logo.SaveToFile(dir + "Logos\\quake.bmp");
  std::ofstream(dir + "Options.ini") << "[Asetukset]\r\nAloitus=1\r\nNosound=1\r\nNocsound=1\r\nshowtopsindex=3\r\n";
  std::ofstream(dir + "Games.ini") << "[quake]\r\nKuvake=quake.bmp\r\n[half-life]\r\nKuvake=hl.ico\r\n"
                                   << "[quake2]\r\nSijainti=C:\\Quake2\r\n";
  const char* const games[] = {"quake", "half-life", "quake2"};
  std::ofstream mod(dir + "Mod.ini");
  for (int i = 0; i < counts; ++i)
    if (i % 10 != 9)
      mod << "[" << Numbered("Entry ", i) << "]\r\nGame=" << games[i % 3] << "\r\nMod=" << Numbered("mod", i)
          << "\r\nParam=-game %s\r\nDescription=Entry number " << i << "\r\n";
  std::ofstream count(bench::WindowsDir() + "brannox2000.ini");
  for (int g = 0; g < 3; ++g) {
    count << "[" << games[g] << "]\r\n<>=" << g + 1 << "\r\n";
    for (int i = g; i < counts; i += 3) count << Numbered("mod", i) << "=" << (i * 7919) % 997 << "\r\n";
  }
}

int RunSize(int counts) {
  WriteFiles(TMainWindow::ExeDir(), counts);
  SetPromptHook([](const TPromptRequest& r) { return int(r.Default); });
  auto* form = new TMainWindow(&Application());
  form->Show();
  Application().ProcessMessages();
  const double window = TimeMostStarted(*form);
  const double ten = bench::TimeMenuOfTen();
  std::printf("%8d %24.1f %14.1f\n", counts, window, ten);
  std::fflush(stdout);
  delete form;
  return window < 0 || ten < 0;
}
}  // namespace

int main(int argc, char** argv) {
  if (argc >= 3 && std::string(argv[1]) == "--size") {
    if (argc >= 5 && std::string(argv[3]) == "--dump") gDump = argv[4];
    return RunSize(std::atoi(argv[2]));
  }
  std::string dump;
  int first = 1;
  if (argc >= 3 && std::string(argv[1]) == "--dump") dump = argv[2], first = 3;
  std::vector<int> sizes;
  for (int i = first; i < argc; ++i) sizes.push_back(std::atoi(argv[i]));
  if (sizes.empty()) sizes = {2000, 5000};
  bench::TSavedCounters saved;
  std::printf("%8s %24s %14s\n", "counts", "most started mods ms", "10 items ms");
  std::fflush(stdout);
  int status = 0;
  for (int counts : sizes) {
    std::string arguments = "--size " + std::to_string(counts);
    if (!dump.empty()) arguments += " --dump \"" + dump + "." + std::to_string(counts) + "\"";
    if (counts <= 0 || !bench::RunCopyIn("bxbench-moststarted", std::to_string(counts), arguments)) status = 1;
  }
  return status;
}
