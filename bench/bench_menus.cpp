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
#include "Unit1.h"

#include <windows.h>

namespace {
double Now() {
  LARGE_INTEGER freq, now;
  QueryPerformanceFrequency(&freq);
  QueryPerformanceCounter(&now);
  return double(now.QuadPart) * 1000.0 / double(freq.QuadPart);
}

double gShown = 0;

// The menu loop dispatches the timer once the menu is shown and painted.
void CALLBACK MenuShown(HWND, UINT, UINT_PTR id, DWORD) {
  HWND menu = FindWindowA("#32768", nullptr);
  if (!menu || !IsWindowVisible(menu)) return;
  KillTimer(nullptr, id);
  gShown = Now();
  EndMenu();
}

double TimePopup(TPopupMenu& menu, TComponent* opener) {
  double best = -1;
  for (int run = 0; run < 3; ++run) {
    menu.PopupComponent = opener;
    gShown = 0;
    SetTimer(nullptr, 0, 1, MenuShown);
    const double start = Now();
    menu.Popup(100, 100);
    const double ms = gShown > 0 ? gShown - start : -1;
    Application().ProcessMessages();
    if (ms >= 0 && (best < 0 || ms < best)) best = ms;
  }
  return best;
}

std::string WindowsDir() {
  char dir[MAX_PATH] = "";
  GetWindowsDirectoryA(dir, MAX_PATH);
  return std::string(dir) + "\\";
}

std::string Numbered(const char* prefix, int i) {
  char name[32];
  std::snprintf(name, sizeof name, "%s%05d", prefix, i);
  return name;
}

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
  const std::string dir = TForm1::ExeDir();
  const int counts = entries / 4;
  WriteFiles(dir, entries, counts);
  SetPromptHook([](const TPromptRequest& r) { return int(r.Default); });
  auto* form = new TForm1(&Application());
  form->Show();
  Application().ProcessMessages();
  const double row = TimePopup(*form->PopupMenu1, form->Labels[0]);
  const double tray = TimePopup(*form->PopupMenu2, nullptr);
  const double face = TimePopup(*form->PopupMenu2, form->C1);
  TForm owner(nullptr);
  TBarPopupMenu small(&owner);
  for (int i = 0; i < 10; ++i) {
    auto* item = new TMenuItem(&owner);
    item->Caption = "Item " + std::to_string(i + 1);
    small.Items()->Add(item);
  }
  const double ten = TimePopup(small, nullptr);
  std::printf("%8d %7d %14.1f %14.1f %16.1f %14.1f\n", entries, counts, row, tray, face, ten);
  std::fflush(stdout);
  delete form;
  return 0;
}

// Copies the program into a folder of its own for the size and runs it there.
bool RunChild(const std::string& self, int entries) {
  char temp[MAX_PATH] = "";
  GetTempPathA(MAX_PATH, temp);
  const std::string base = std::string(temp) + "bxbench-menus\\";
  const std::string dir = base + std::to_string(entries) + "\\";
  CreateDirectoryA(base.c_str(), nullptr);
  CreateDirectoryA(dir.c_str(), nullptr);
  const std::string exe = dir + "bench_menus.exe";
  if (!CopyFileA(self.c_str(), exe.c_str(), FALSE)) return false;
  std::string command = "\"" + exe + "\" --size " + std::to_string(entries);
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
}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "--size") return RunSize(std::atoi(argv[2]));
  char self[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  const std::string counts = WindowsDir() + "brannox2000.ini", saved = counts + ".bench";
  const bool hadCounts = MoveFileExA(counts.c_str(), saved.c_str(), MOVEFILE_REPLACE_EXISTING);
  std::printf("%8s %7s %14s %14s %16s %14s\n", "entries", "counts", "row menu ms", "tray menu ms",
              "window menu ms", "10 items ms");
  std::fflush(stdout);
  std::vector<int> sizes;
  for (int i = 1; i < argc; ++i) sizes.push_back(std::atoi(argv[i]));
  if (sizes.empty()) sizes = {2000, 10000};
  int status = 0;
  for (int entries : sizes)
    if (entries <= 0 || !RunChild(self, entries)) status = 1;
  DeleteFileA(counts.c_str());
  if (hadCounts) MoveFileExA(saved.c_str(), counts.c_str(), MOVEFILE_REPLACE_EXISTING);
  return status;
}
