// Start-up time: a bare Win32 window program and the launcher, each started
// until its first window shows (best of N runs, after one warm-up run), both
// printed. A benchmark, not a test.
//   bench_startup BARE.EXE BRANNOX2000.EXE [N]
// The launcher runs from a scratch folder below %TEMP% with its splash, sound
// and first-run message off.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {
HWND FindVisible(const char* cls, DWORD pid) {
  HWND w = nullptr;
  while ((w = FindWindowExA(nullptr, w, cls, nullptr))) {
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    if (owner == pid && IsWindowVisible(w)) return w;
  }
  return nullptr;
}

// Milliseconds from the start until a visible window of the class shows;
// the program is closed again. -1 when it never shows.
double TimeToWindow(const std::string& exe, const std::string& dir, const char* cls) {
  LARGE_INTEGER freq, start, now;
  QueryPerformanceFrequency(&freq);
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  std::string command = "\"" + exe + "\"";
  QueryPerformanceCounter(&start);
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(), &si, &pi))
    return -1;
  double ms = -1;
  HWND w = nullptr;
  for (int i = 0; i < 30000 && !w; ++i) {
    if ((w = FindVisible(cls, pi.dwProcessId))) {
      QueryPerformanceCounter(&now);
      ms = double(now.QuadPart - start.QuadPart) * 1000.0 / double(freq.QuadPart);
    } else {
      Sleep(1);
    }
  }
  if (w) PostMessageA(w, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(pi.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return ms;
}

double Best(const std::string& exe, const std::string& dir, const char* cls, int runs) {
  TimeToWindow(exe, dir, cls);  // warm-up: the first run fills caches and writes the launcher's files
  double best = -1;
  for (int i = 0; i < runs; ++i) {
    double ms = TimeToWindow(exe, dir, cls);
    if (ms >= 0 && (best < 0 || ms < best)) best = ms;
  }
  return best;
}

std::string LauncherFolder(const std::string& launcher) {
  char temp[MAX_PATH] = "";
  GetTempPathA(MAX_PATH, temp);
  const std::string dir = std::string(temp) + "bxbench-startup\\";
  CreateDirectoryA(dir.c_str(), nullptr);
  const std::string exe = dir + "Brannox2000.exe";
  CopyFileA(launcher.c_str(), exe.c_str(), FALSE);
  const std::string options = dir + "Options.ini";
  for (const char* key : {"Aloitus", "Nosound"}) WritePrivateProfileStringA("Asetukset", key, "1", options.c_str());
  WritePrivateProfileStringA("Asetukset", "splash", "0", options.c_str());
  return dir;
}
}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: bench_startup BARE.EXE BRANNOX2000.EXE [RUNS]\n");
    return 2;
  }
  const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 5;
  char cwd[MAX_PATH] = "";
  GetCurrentDirectoryA(MAX_PATH, cwd);
  const double bare = Best(argv[1], cwd, "BareWindow", runs);
  const std::string dir = LauncherFolder(argv[2]);
  const double launcher = Best(dir + "Brannox2000.exe", dir, "TMainWindow", runs);
  std::printf("first window, best of %d: bare Win32 window %.1f ms, Brannox2000 %.1f ms, ratio %.2f\n", runs, bare,
              launcher, bare > 0 ? launcher / bare : 0.0);
  return bare < 0 || launcher < 0;
}
