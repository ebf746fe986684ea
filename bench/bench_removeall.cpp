// "Remove all" on a large entry file in the main window: the command from its
// call until the page is painted again, entry file written. A benchmark, not
// a test:
//   bench_removeall [ENTRIES ...]      (default: 5000)
// Each size runs in a launcher folder of its own below %TEMP%, where the
// program copies itself (the main window's files lie beside its program).
// Beside it, for scale: one entry erased through the profile functions, which
// rewrite the whole file for each (the old way took one such rewrite per entry).
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
using bench::NowMs;
using bench::Numbered;

void WriteFiles(const std::string& dir, int entries) {
  CreateDirectoryA((dir + "quake").c_str(), nullptr);
  std::ofstream(dir + "Options.ini") << "[Asetukset]\r\nAloitus=1\r\nNosound=1\r\nNocsound=1\r\nsplash=0\r\n";
  std::ofstream(dir + "Games.ini") << "[quake]\r\nSijainti=" << dir << "quake\r\n";
  std::ofstream mod(dir + "Mod.ini", std::ios::binary);
  for (int i = 0; i < entries; ++i)
    mod << "[" << Numbered("Entry ", i) << "]\r\nMod=" << Numbered("mod", i)
        << "\r\nGame=quake\r\nParam=quake -game %s\r\nDescription=Entry number " << i << "\r\n";
}

int RunSize(int entries) {
  const std::string dir = TMainWindow::ExeDir();
  WriteFiles(dir, entries);
  SetPromptHook([](const TPromptRequest& r) { return r.Buttons & mbYes ? int(mrYes) : int(r.Default); });
  auto* form = new TMainWindow(&Application());
  form->Show();
  Application().ProcessMessages();
  if (form->SelectedRow < 0) form->SelectedRow = 0;
  const double start = NowMs();
  form->RemoveAllButtonClick(nullptr);
  const double removeAll = NowMs() - start;
  std::ifstream left(dir + "Mod.ini", std::ios::binary);
  const std::string rest((std::istreambuf_iterator<char>(left)), {});
  delete form;
  // The old way's unit: erasing one entry of the same file through the
  // profile functions.
  WriteFiles(dir, entries);
  const std::string file = dir + "Mod.ini";
  const double before = NowMs();
  WritePrivateProfileStringA(Numbered("Entry ", entries / 2).c_str(), nullptr, nullptr, file.c_str());
  WritePrivateProfileStringA(nullptr, nullptr, nullptr, file.c_str());
  const double oneErase = NowMs() - before;
  std::printf("%8d %16.1f %12s %22.1f %24.1f\n", entries, removeAll, rest.empty() ? "yes" : "NO", oneErase,
              oneErase * entries / 1000.0);
  std::fflush(stdout);
  return 0;
}
}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "--size") return RunSize(std::atoi(argv[2]));
  bench::TSavedCounters saved;
  std::printf("%8s %16s %12s %22s %24s\n", "entries", "remove all ms", "file empty", "one profile erase ms",
              "old way, estimate s");
  std::fflush(stdout);
  std::vector<int> sizes;
  for (int i = 1; i < argc; ++i) sizes.push_back(std::atoi(argv[i]));
  if (sizes.empty()) sizes = {5000};
  int status = 0;
  for (int entries : sizes)
    if (entries <= 0 ||
        !bench::RunCopyIn("bxbench-removeall", std::to_string(entries), "--size " + std::to_string(entries)))
      status = 1;
  return status;
}
