// Helpers of the in-process launcher benchmarks.
#include "launcher_bench.h"

#include "BarPopupMenu.h"
#include "Forms.h"

#include <cstdio>

namespace bench {
double NowMs() {
  LARGE_INTEGER freq, now;
  QueryPerformanceFrequency(&freq);
  QueryPerformanceCounter(&now);
  return double(now.QuadPart) * 1000.0 / double(freq.QuadPart);
}

std::string WindowsDir() {
  char dir[MAX_PATH] = "";
  GetWindowsDirectoryA(dir, MAX_PATH);
  return std::string(dir) + "\\";
}

std::string Numbered(const char* prefix, int i) {
  char name[64];
  std::snprintf(name, sizeof name, "%s%05d", prefix, i);
  return name;
}

bool RunCopyIn(const std::string& folder, const std::string& run, const std::string& arguments) {
  char self[MAX_PATH] = "", temp[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  GetTempPathA(MAX_PATH, temp);
  const std::string base = std::string(temp) + folder + "\\", dir = base + run + "\\";
  CreateDirectoryA(base.c_str(), nullptr);
  CreateDirectoryA(dir.c_str(), nullptr);
  std::string name = self;
  name = name.substr(name.find_last_of("\\/") + 1);
  const std::string exe = dir + name;
  if (!CopyFileA(self, exe.c_str(), FALSE)) return false;
  std::string command = "\"" + exe + "\" " + arguments;
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, dir.c_str(), &si, &pi))
    return false;
  WaitForSingleObject(pi.hProcess, INFINITE);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return true;
}

namespace {
std::string CountersFile() { return WindowsDir() + "brannox2000.ini"; }
}  // namespace

TSavedCounters::TSavedCounters()
    : FHad(MoveFileExA(CountersFile().c_str(), (CountersFile() + ".bench").c_str(), MOVEFILE_REPLACE_EXISTING)) {}

TSavedCounters::~TSavedCounters() {
  DeleteFileA(CountersFile().c_str());
  if (FHad) MoveFileExA((CountersFile() + ".bench").c_str(), CountersFile().c_str(), MOVEFILE_REPLACE_EXISTING);
}

namespace {
double gShown = 0;

// The menu loop dispatches the timer once the menu is shown and painted.
void CALLBACK MenuShown(HWND, UINT, UINT_PTR id, DWORD) {
  HWND menu = FindWindowA("#32768", nullptr);
  if (!menu || !IsWindowVisible(menu)) return;
  KillTimer(nullptr, id);
  gShown = NowMs();
  EndMenu();
}
}  // namespace

double TimePopup(TPopupMenu& menu, TComponent* opener) {
  double best = -1;
  for (int run = 0; run < 3; ++run) {
    menu.PopupComponent = opener;
    gShown = 0;
    SetTimer(nullptr, 0, 1, MenuShown);
    const double start = NowMs();
    menu.Popup(100, 100);
    const double ms = gShown > 0 ? gShown - start : -1;
    Application().ProcessMessages();
    if (ms >= 0 && (best < 0 || ms < best)) best = ms;
  }
  return best;
}

double TimeMenuOfTen() {
  TForm owner(nullptr);
  TBarPopupMenu menu(&owner);
  for (int i = 0; i < 10; ++i) {
    auto* item = new TMenuItem(&owner);
    item->Caption = "Item " + std::to_string(i + 1);
    menu.Items()->Add(item);
  }
  return TimePopup(menu, nullptr);
}
}  // namespace bench
