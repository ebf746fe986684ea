// Opening the main window's popup menus with many entries: the row menu, the
// notification icon's menu and the window's background menu, each rebuilt
// on its popup, beside a bar menu of 10 items opened in the same run. A
// benchmark, not a test:
//   bench_menus [ENTRIES ...]        (default: 2000 10000)
// Each size runs in a launcher folder of its own below %TEMP%, where the
// program copies itself (the main window's files lie beside its program),
// with a quarter as many start counts in the Windows folder's
// brannox2000.ini (an existing one is put back afterwards). Times are the
// best of 3 openings, in milliseconds, from the popup call until the menu
// shows, painted.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "Dialogs.h"
#include "MainWindow.h"
#include "launcher_bench.h"

#include <windows.h>

namespace {
using bench::Numbered;
using bench::TimePopup;
using bench::WindowsDir;

// The launcher's files for this many entries, written directly (the profile
// functions would take minutes to write them one key at a time).
void WriteFiles(const std::string& dir, int entries, int counts) {
  CreateDirectoryA((dir + "skins").c_str(), nullptr);
  CreateDirectoryA((dir + "Logos").c_str(), nullptr);
  CreateDirectoryA((dir + "quake").c_str(), nullptr);
  CreateDirectoryA((dir + "hl").c_str(), nullptr);
  TBitmap logo;
  logo.SetSize(32, 32);
  logo.SaveToFile(dir + "Logos\\quake.bmp");
  std::ofstream(dir + "Options.ini") << "[Asetukset]\r\nAloitus=1\r\nNosound=1\r\nNocsound=1\r\nshowtopsindex=3\r\n";
  std::ofstream(dir + "Games.ini") << "[quake]\r\nSijainti=" << dir << "quake\r\nKuvake=quake.bmp\r\n"
                                   << "[half-life]\r\nSijainti=" << dir << "hl\r\n";
  std::ofstream mod(dir + "Mod.ini");
  for (int i = 0; i < entries; ++i) {
    const char* game = i % 2 ? "half-life" : "quake";
    mod << "[" << Numbered("Entry ", i) << "]\r\nGame=" << game << "\r\nMod=" << Numbered("mod", i)
        << "\r\nParam=quake -game %s\r\nDescription=Entry number " << i << "\r\n";
    if (i % 4 == 0) mod << "Bitmap=quake.bmp\r\n";
    else if (i % 4 == 1) mod << "Bitmap=missing.bmp\r\n";
  }
  std::ofstream count(WindowsDir() + "brannox2000.ini");
  for (const char* game : {"quake", "half-life"}) {
    count << "[" << game << "]\r\n";
    for (int i = game[0] == 'q' ? 0 : 1; i < counts * 2; i += 2)
      count << Numbered("mod", i) << "=" << (i * 7919) % 997 << "\r\n";
  }
}

// One size, in the program's own (scratch) folder.
int RunSize(int entries) {
  const std::string dir = TMainWindow::ExeDir();
  const int counts = entries / 4;
  WriteFiles(dir, entries, counts);
  SetPromptHook([](const TPromptRequest& r) { return int(r.Default); });
  auto* form = new TMainWindow(&Application());
  form->Show();
  Application().ProcessMessages();
  const double row = TimePopup(*form->RowMenu, form->Labels[0]);
  const double tray = TimePopup(*form->TrayMenu, nullptr);
  const double face = TimePopup(*form->TrayMenu, form->Face);
  const double ten = bench::TimeMenuOfTen();
  std::printf("%8d %7d %14.1f %14.1f %16.1f %14.1f\n", entries, counts, row, tray, face, ten);
  std::fflush(stdout);
  delete form;
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "--size") return RunSize(std::atoi(argv[2]));
  bench::TSavedCounters saved;
  std::printf("%8s %7s %14s %14s %16s %14s\n", "entries", "counts", "row menu ms", "tray menu ms",
              "window menu ms", "10 items ms");
  std::fflush(stdout);
  std::vector<int> sizes;
  for (int i = 1; i < argc; ++i) sizes.push_back(std::atoi(argv[i]));
  if (sizes.empty()) sizes = {2000, 10000};
  int status = 0;
  for (int entries : sizes)
    if (entries <= 0 ||
        !bench::RunCopyIn("bxbench-menus", std::to_string(entries), "--size " + std::to_string(entries)))
      status = 1;
  return status;
}
