// Test helper: finds the launcher's windows by window class and reports or
// closes them, and looks for named mutexes.
//   bxwin wait CLASS [ms]   waits until a visible window of CLASS exists
//   bxwin count CLASS       prints how many windows of CLASS exist
//   bxwin visible CLASS     prints how many visible windows of CLASS exist
//   bxwin info CLASS        prints "x y w h visible topmost rects left top right bottom"
//                           of the first one (rects: its window region's rectangles)
//   bxwin close CLASS [ms]  posts WM_CLOSE to each and waits until they are gone
//   bxwin mutex NAME        exits 0 when a mutex of that name exists
//   bxwin texts CLASS       prints the text of each visible one and of every
//                           window inside it, a line each (empty ones left out)
//   bxwin hit CLASS X,Y ... prints for each window point 1 when the first
//                           one's region holds it, else 0 (no region: 1)
//   bxwin tabs CLASS        prints the tab count of the first visible one's
//                           own page control (a tab control right on it)
//   bxwin fade CLASS [ms]   minimises the first one, then restores it, and
//                           prints the distinct alphas of its layer seen
//                           over ms after each: "min A A ..." and "restore A ..."
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {
std::vector<HWND> Find(const char* cls) {
  std::vector<HWND> found;
  HWND w = nullptr;
  while ((w = FindWindowExA(nullptr, w, cls, nullptr))) found.push_back(w);
  return found;
}

bool AnyVisible(const char* cls) {
  for (HWND w : Find(cls))
    if (IsWindowVisible(w)) return true;
  return false;
}

int Info(HWND w) {
  RECT r;
  GetWindowRect(w, &r);
  bool top = (GetWindowLongPtrA(w, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  int rects = 0;
  RECT box{0, 0, 0, 0};
  if (GetWindowRgn(w, rgn) != ERROR) {
    DWORD size = GetRegionData(rgn, 0, nullptr);
    std::vector<char> data(size);
    if (size && GetRegionData(rgn, size, reinterpret_cast<RGNDATA*>(data.data()))) {
      auto* rd = reinterpret_cast<RGNDATA*>(data.data());
      rects = int(rd->rdh.nCount);
      box = rd->rdh.rcBound;
    }
  }
  DeleteObject(rgn);
  std::printf("%ld %ld %ld %ld %d %d %d %ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top,
              IsWindowVisible(w) ? 1 : 0, top ? 1 : 0, rects, box.left, box.top, box.right, box.bottom);
  return 0;
}
// A window's text, also of another process's control (WM_GETTEXT).
std::string Text(HWND w) {
  char text[4096] = "";
  DWORD_PTR copied = 0;
  SendMessageTimeoutA(w, WM_GETTEXT, sizeof text, LPARAM(text), SMTO_ABORTIFHUNG, 2000, &copied);
  return text;
}

BOOL CALLBACK AddWindow(HWND w, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(w);
  return TRUE;
}

void PrintTexts(HWND w) {
  std::vector<HWND> windows{w};
  EnumChildWindows(w, AddWindow, LPARAM(&windows));
  for (HWND each : windows) {
    std::string text = Text(each);
    for (char& c : text)
      if (c == '\r' || c == '\n') c = ' ';
    if (!text.empty()) std::printf("%s\n", text.c_str());
  }
}

// The layer's alpha whenever it changes, over ms.
void PrintAlphas(HWND w, const char* label, int ms) {
  std::printf("%s", label);
  int last = -1;
  for (DWORD start = GetTickCount(); GetTickCount() - start < DWORD(ms); Sleep(1)) {
    BYTE alpha = 0;
    DWORD flags = 0;
    if (!GetLayeredWindowAttributes(w, nullptr, &alpha, &flags) || !(flags & LWA_ALPHA)) continue;
    if (alpha != last) std::printf(" %d", last = alpha);
  }
  std::printf("\n");
}
}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  std::string cmd = argv[1];
  const char* arg = argv[2];
  int ms = argc > 3 ? std::atoi(argv[3]) : 20000;
  if (cmd == "wait") {
    for (int t = 0; t < ms; t += 100, Sleep(100))
      if (AnyVisible(arg)) return 0;
    return 1;
  }
  if (cmd == "count") {
    std::printf("%d\n", int(Find(arg).size()));
    return 0;
  }
  if (cmd == "visible") {
    int n = 0;
    for (HWND w : Find(arg)) n += IsWindowVisible(w) ? 1 : 0;
    std::printf("%d\n", n);
    return 0;
  }
  if (cmd == "info") {
    auto found = Find(arg);
    return found.empty() ? 1 : Info(found[0]);
  }
  if (cmd == "close") {
    for (HWND w : Find(arg)) PostMessageA(w, WM_CLOSE, 0, 0);
    for (int t = 0; t < ms; t += 100, Sleep(100))
      if (Find(arg).empty()) return 0;
    return 1;
  }
  if (cmd == "hit") {
    auto found = Find(arg);
    if (found.empty()) return 1;
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    const bool shaped = GetWindowRgn(found[0], rgn) != ERROR;
    for (int i = 3; i < argc; ++i) {
      int x = 0, y = 0;
      std::sscanf(argv[i], "%d,%d", &x, &y);
      std::printf("%s%d", i > 3 ? " " : "", !shaped || PtInRegion(rgn, x, y) ? 1 : 0);
    }
    std::printf("\n");
    DeleteObject(rgn);
    return 0;
  }
  if (cmd == "fade") {
    auto found = Find(arg);
    if (found.empty()) return 1;
    ShowWindow(found[0], SW_MINIMIZE);
    PrintAlphas(found[0], "min", ms);
    ShowWindow(found[0], SW_RESTORE);
    PrintAlphas(found[0], "restore", ms);
    return 0;
  }
  if (cmd == "texts") {
    for (HWND w : Find(arg))
      if (IsWindowVisible(w)) PrintTexts(w);
    return 0;
  }
  if (cmd == "tabs") {
    for (HWND w : Find(arg)) {
      if (!IsWindowVisible(w)) continue;
      for (HWND c = FindWindowExA(w, nullptr, "SysTabControl32", nullptr); c;
           c = FindWindowExA(w, c, "SysTabControl32", nullptr)) {
        std::printf("%d\n", int(SendMessageA(c, TCM_GETITEMCOUNT, 0, 0)));
        return 0;
      }
    }
    return 1;
  }
  if (cmd == "mutex") {
    HANDLE m = OpenMutexA(SYNCHRONIZE, FALSE, arg);
    if (!m) return 1;
    CloseHandle(m);
    return 0;
  }
  return 2;
}
