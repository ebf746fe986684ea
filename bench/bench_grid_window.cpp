// Benchmark (not a test) of the grid window under Windows or Wine: loads a
// delimited file into a shown TExtStringGrid and prints the time it takes,
// then loads a file of about 50 MB and prints the memory that copying the
// whole grid to the clipboard takes on top of what the loaded grid holds.
//   bench_grid_window ROWSFILE BIGFILE
#include "ExtGrid.h"

#include <psapi.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <thread>

namespace {
double Millis(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - since).count();
}

size_t WorkingSet() {
  PROCESS_MEMORY_COUNTERS c{};
  c.cb = sizeof c;
  GetProcessMemoryInfo(GetCurrentProcess(), &c, sizeof c);
  return c.WorkingSetSize;
}

// The largest working set seen while work runs, sampled every millisecond.
template <class F>
size_t PeakWhile(F work) {
  std::atomic<bool> done{false};
  std::atomic<size_t> peak{WorkingSet()};
  std::thread sampler([&] {
    while (!done) {
      size_t now = WorkingSet();
      if (now > peak) peak = now;
      Sleep(1);
    }
  });
  work();
  done = true;
  sampler.join();
  return std::max(peak.load(), WorkingSet());
}
}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: bench_grid_window ROWSFILE BIGFILE\n");
    return 2;
  }
  ExtGridStartup();
  TForm form(nullptr);
  form.SetBounds(20, 20, 640, 480);
  auto* grid = new TExtStringGrid(&form);  // owned by the form
  grid->SetBounds(10, 10, 600, 420);
  grid->SetParent(&form);
  form.Show();
  Application().ProcessMessages();

  auto t = std::chrono::steady_clock::now();
  grid->LoadFromDelimitedFile(argv[1]);
  UpdateWindow(grid->Handle());
  std::printf("window load %9.1f ms  (%d rows, %d columns)\n", Millis(t), grid->RowCount(), grid->ColCount());

  // About 50 MB: the rows file again and again.
  std::stringstream rows;
  rows << std::ifstream(argv[1], std::ios::binary).rdbuf();
  const std::string once = rows.str();
  {
    std::ofstream big(argv[2], std::ios::binary);
    for (size_t written = 0; written < 50u << 20 && !once.empty(); written += once.size()) big << once;
  }
  grid->LoadFromDelimitedFile(argv[2]);
  const size_t before = WorkingSet();
  t = std::chrono::steady_clock::now();
  const size_t peak = PeakWhile([&] { grid->CopyToClipboard(); });
  const double copyMs = Millis(t);
  const std::string text = ReadClipboardText(grid->Handle());
  std::printf("clipboard   %9.1f ms  %.1f MB of text, %.1f MB more memory at the peak (%.1fx the text)\n", copyMs,
              text.size() / 1048576.0, (peak - before) / 1048576.0, double(peak - before) / double(text.size()));
  ExtGridShutdown();
  return 0;
}
