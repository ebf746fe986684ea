// Start-up time: a bare Win32 window program and the launcher, each started
// until its first window shows, turn about in the same run (best and median
// of N runs after one warm-up run), with the launcher's first start in a
// fresh folder beside it, and the breakdown of the launcher's start from its
// traced build. A benchmark, not a test.
//   bench_startup [RUNS]
// The programs are found from this one's folder: bench_bare_window.exe and
// bench_startup_traced.exe beside it, ..\launcher\Brannox2000.exe. Each
// launcher runs from a scratch folder below %TEMP% with its sound and
// first-run Settings off, and its splash off except where said. The other
// build's bench_startup.exe (build\win32 beside build\win64), when there is
// one, then measures that build the same way; the machine's load (Wine's
// view of /proc/loadavg) is printed with each build's figures.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace {
LONGLONG Counter() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return now.QuadPart;
}

double CountsToMs(LONGLONG counts) {
  LARGE_INTEGER freq;
  QueryPerformanceFrequency(&freq);
  return double(counts) * 1000.0 / double(freq.QuadPart);
}

HWND FindVisible(const char* cls, DWORD pid) {
  HWND w = nullptr;
  while ((w = FindWindowExA(nullptr, w, cls, nullptr))) {
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    if (owner == pid && IsWindowVisible(w)) return w;
  }
  return nullptr;
}

// One start: when it began (counter), and milliseconds until a visible
// window of the class shows, and until the first window of `first`
// (-1 when it never shows). The program is closed again.
struct TStart {
  LONGLONG Begun = 0;
  double Ms = -1;
  double FirstMs = -1;
};

// A traced start sets this event when its first paint ends.
HANDLE PaintedEvent() {
  static HANDLE event = CreateEventA(nullptr, TRUE, FALSE, "bxbench-startup-painted");
  return event;
}

TStart StartOnce(const std::string& exe, const std::string& dir, const char* cls, const char* first = nullptr,
                 bool waitForPaint = false) {
  TStart run;
  ResetEvent(PaintedEvent());
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  std::string command = "\"" + exe + "\"";
  run.Begun = Counter();
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(), &si, &pi))
    return run;
  HWND w = nullptr;
  for (int i = 0; i < 30000 && !w; ++i) {
    if (first && run.FirstMs < 0 && FindVisible(first, pi.dwProcessId)) run.FirstMs = CountsToMs(Counter() - run.Begun);
    if ((w = FindVisible(cls, pi.dwProcessId))) {
      run.Ms = CountsToMs(Counter() - run.Begun);
    } else {
      Sleep(1);
    }
  }
  if (w && waitForPaint) WaitForSingleObject(PaintedEvent(), 5000);
  if (w) PostMessageA(w, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(pi.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return run;
}

void DeleteTree(const std::string& dir) {
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA((dir + "*").c_str(), &fd);
  if (h != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = fd.cFileName;
      if (name == "." || name == "..") continue;
      if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) DeleteTree(dir + name + "\\");
      else DeleteFileA((dir + name).c_str());
    } while (FindNextFileA(h, &fd));
    FindClose(h);
  }
  RemoveDirectoryA(dir.c_str());
}

std::string ScratchRoot() {
  char temp[MAX_PATH] = "";
  GetTempPathA(MAX_PATH, temp);
  return std::string(temp) + "bxbench-startup\\";
}

// A launcher folder of its own: the program and an Options.ini; nothing
// else, so that its first start is a fresh folder's.
std::string LauncherFolder(const std::string& name, const std::string& program, bool splash) {
  const std::string dir = ScratchRoot() + name + "\\";
  DeleteTree(dir);
  CreateDirectoryA(ScratchRoot().c_str(), nullptr);
  CreateDirectoryA(dir.c_str(), nullptr);
  CopyFileA(program.c_str(), (dir + program.substr(program.find_last_of("\\/") + 1)).c_str(), FALSE);
  const std::string options = dir + "Options.ini";
  for (const char* key : {"Aloitus", "Nosound"}) WritePrivateProfileStringA("Asetukset", key, "1", options.c_str());
  WritePrivateProfileStringA("Asetukset", "splash", splash ? "1" : "0", options.c_str());
  return dir;
}

std::string FileName(const std::string& path) { return path.substr(path.find_last_of("\\/") + 1); }

// One mark of a traced start: milliseconds from the start.
struct TMark {
  std::string Step;
  double Ms = -1;
};

// The marks of a traced start's record, which is then removed.
std::vector<TMark> ReadTrace(const std::string& dir, LONGLONG begun) {
  std::vector<TMark> marks;
  std::ifstream in(dir + "startup-trace.txt");
  std::string line;
  double perSecond = 0;
  while (std::getline(in, line)) {
    // counter TAB step; the first line gives the counts per second.
    const size_t tab = line.find('\t');
    if (tab == std::string::npos) continue;
    const double counter = std::atof(line.substr(0, tab).c_str());
    if (perSecond == 0) perSecond = counter;
    else marks.push_back({line.substr(tab + 1), (counter - double(begun)) * 1000.0 / perSecond});
  }
  DeleteFileA((dir + "startup-trace.txt").c_str());
  return marks;
}

struct TSeries {
  std::vector<double> Values;
  void Add(double ms) {
    if (ms >= 0) Values.push_back(ms);
  }
  double Best() const { return Values.empty() ? -1 : *std::min_element(Values.begin(), Values.end()); }
  double Median() const {
    if (Values.empty()) return -1;
    std::vector<double> v = Values;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
  }
};

// The marks of several traced starts: when each step ended (median), and
// the least time the step took on its own in any start, which the load of
// the machine inflates least.
struct TBreakdown {
  std::vector<std::string> Order;
  std::map<std::string, TSeries> Ends, Takes;
  void Add(std::vector<TMark> marks) {
    std::stable_sort(marks.begin(), marks.end(), [](const TMark& a, const TMark& b) { return a.Ms < b.Ms; });
    double last = 0;
    for (const TMark& m : marks) {
      if (!Ends.count(m.Step)) Order.push_back(m.Step);
      Ends[m.Step].Add(m.Ms);
      Takes[m.Step].Add(m.Ms - last);
      last = m.Ms;
    }
  }
};

// One column group per kind of start: each step's median end, its share
// from the step before (of the medians) and its least time on its own; the
// steps in the order of the first.
void PrintBreakdown(const std::vector<std::pair<const char*, const TBreakdown*>>& columns) {
  std::vector<std::string> order;
  for (const auto& column : columns)
    for (const std::string& step : column.second->Order)
      if (std::find(order.begin(), order.end(), step) == order.end()) order.push_back(step);
  std::printf("  %-42s", "step ends");
  for (const auto& column : columns) std::printf(" %23s", column.first);
  std::printf("\n  %-42s", "");
  for (size_t i = 0; i < columns.size(); ++i) std::printf(" %7s %7s %7s", "at", "step", "least");
  std::printf("\n");
  std::vector<double> last(columns.size(), 0.0);
  for (const std::string& step : order) {
    std::printf("  %-42s", step.c_str());
    for (size_t i = 0; i < columns.size(); ++i) {
      const TBreakdown& b = *columns[i].second;
      auto end = b.Ends.find(step);
      if (end == b.Ends.end()) {
        std::printf(" %7s %7s %7s", "-", "-", "-");
        continue;
      }
      const double at = end->second.Median();
      std::printf(" %7.1f %7.1f %7.1f", at, at - last[i], b.Takes.at(step).Best());
      last[i] = at;
    }
    std::printf("\n");
  }
}

// The load averages of the machine, as uptime prints them, or "unknown"
// outside Wine.
std::string MachineLoad() {
  std::ifstream in("Z:\\proc\\loadavg");
  std::string one, five, fifteen;
  if (!(in >> one >> five >> fifteen)) return "unknown";
  return one + ", " + five + ", " + fifteen;
}

// The same benchmark of the other build, found from this one's build folder
// (build\win64\bench\ and build\win32\bench\), run to its end; its figures
// go to the same output. False when there is none.
bool RunOtherBuild(const std::string& here, int runs) {
  const std::string buildRoot = here + "..\\..\\";
  const std::string other = buildRoot + (sizeof(void*) == 8 ? "win32" : "win64") + "\\bench\\bench_startup.exe";
  if (GetFileAttributesA(other.c_str()) == INVALID_FILE_ATTRIBUTES) return false;
  std::fflush(stdout);
  STARTUPINFOA si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  si.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
  si.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  PROCESS_INFORMATION pi{};
  std::string command = "\"" + other + "\" " + std::to_string(runs) + " --this-build";
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi)) return false;
  WaitForSingleObject(pi.hProcess, INFINITE);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return true;
}
}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
  const bool thisBuildOnly = argc > 2 && std::string(argv[2]) == "--this-build";
  char self[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  const std::string here = std::string(self).substr(0, std::string(self).find_last_of("\\/") + 1);
  const std::string bare = here + "bench_bare_window.exe", traced = here + "bench_startup_traced.exe";
  const std::string launcher = here + "..\\launcher\\Brannox2000.exe";
  for (const std::string& program : {bare, traced, launcher}) {
    if (GetFileAttributesA(program.c_str()) == INVALID_FILE_ATTRIBUTES) {
      std::fprintf(stderr, "bench_startup: %s is missing\n", program.c_str());
      return 2;
    }
  }

  const std::string warmDir = LauncherFolder("later", launcher, false);
  const std::string splashDir = LauncherFolder("splash", launcher, true);
  const std::string tracedDir = LauncherFolder("traced", traced, false);
  const std::string warmExe = warmDir + "Brannox2000.exe", splashExe = splashDir + "Brannox2000.exe";
  const std::string tracedExe = tracedDir + FileName(traced);
  const std::string bareDir = ScratchRoot() + "bare\\";
  CreateDirectoryA(ScratchRoot().c_str(), nullptr);
  CreateDirectoryA(bareDir.c_str(), nullptr);

  const std::string loadBefore = MachineLoad();
  TSeries bareMs, warmMs, freshMs, splashFirst, splashMain;
  TBreakdown bareTrace, warmTrace, freshTrace;
  // Turn about, so that the machine's load falls on all alike; the first
  // round warms the caches and writes the later starts' files.
  for (int run = 0; run <= runs; ++run) {
    const bool counted = run > 0;
    const TStart b = StartOnce(bare, bareDir, "BareWindow");
    auto bareMarks = ReadTrace(bareDir, b.Begun);
    const double w = StartOnce(warmExe, warmDir, "TMainWindow").Ms;
    const std::string freshDir = LauncherFolder("fresh", launcher, false);
    const double f = StartOnce(freshDir + "Brannox2000.exe", freshDir, "TMainWindow").Ms;
    const TStart s = StartOnce(splashExe, splashDir, "TMainWindow", "TSplashWindow");
    const TStart t = StartOnce(tracedExe, tracedDir, "TMainWindow", nullptr, true);
    auto tracedWarm = ReadTrace(tracedDir, t.Begun);
    const std::string tracedFreshDir = LauncherFolder("traced-fresh", traced, false);
    const TStart tf = StartOnce(tracedFreshDir + FileName(traced), tracedFreshDir, "TMainWindow", nullptr, true);
    auto tracedFresh = ReadTrace(tracedFreshDir, tf.Begun);
    if (!counted) continue;
    bareMs.Add(b.Ms);
    bareMarks.push_back({"window visible (seen from outside)", b.Ms});
    bareTrace.Add(bareMarks);
    warmMs.Add(w);
    freshMs.Add(f);
    splashFirst.Add(s.FirstMs);
    splashMain.Add(s.Ms);
    tracedWarm.push_back({"main window visible (seen from outside)", t.Ms});
    tracedFresh.push_back({"main window visible (seen from outside)", tf.Ms});
    warmTrace.Add(tracedWarm);
    freshTrace.Add(tracedFresh);
  }
  DeleteTree(ScratchRoot());

  const double yardstick = bareMs.Best();
  auto line = [&](const char* what, const TSeries& s, bool ratio) {
    std::printf("  %-58s %7.1f %7.1f", what, s.Best(), s.Median());
    if (ratio && yardstick > 0 && s.Best() > 0) std::printf("   %.2f", s.Best() / yardstick);
    std::printf("\n");
  };
  std::printf("Start-up of the %d-bit build: ms from CreateProcess to the first visible window, %d runs\n",
              int(sizeof(void*) * 8), runs);
  std::printf("  machine load (1, 5, 15 minutes): %s before, %s after\n", loadBefore.c_str(), MachineLoad().c_str());
  std::printf("  %-58s %7s %7s   %s\n", "", "best", "median", "best / bare best");
  line("bare Win32 window", bareMs, false);
  line("Brannox2000", warmMs, true);
  line("Brannox2000, fresh folder's first start (writes the package)", freshMs, true);
  line("Brannox2000 with its splash: the splash", splashFirst, true);
  line("Brannox2000 with its splash: the main window", splashMain, true);
  std::printf("first window, best of %d: bare Win32 window %.1f ms, Brannox2000 %.1f ms, ratio %.2f\n", runs,
              yardstick, warmMs.Best(), yardstick > 0 ? warmMs.Best() / yardstick : 0.0);
  std::printf("\nWhere the time goes (median of %d; ms from CreateProcess): the bare window\n", runs);
  PrintBreakdown({{"bare window", &bareTrace}});
  std::printf("and the launcher's traced build\n");
  PrintBreakdown({{"later start", &warmTrace}, {"first start", &freshTrace}});
  const bool failed = yardstick < 0 || warmMs.Best() < 0;
  if (!thisBuildOnly) {
    std::printf("\n");
    if (!RunOtherBuild(here, runs)) std::printf("(no other build's bench_startup.exe to run)\n");
  }
  return failed;
}
