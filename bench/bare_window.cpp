// The yardstick of the start-up benchmark: a bare Win32 window, shown as
// soon as it is made, that ends when closed. Once closed it writes when its
// first code ran, when it entered WinMain, made its window and showed it
// (performance counter) to "startup-trace.txt" in its working folder, as the
// launcher's traced build does.
#include <windows.h>

#include <cstdio>

namespace {
LRESULT CALLBACK Proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(w, msg, wp, lp);
}

long long Counter() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return now.QuadPart;
}

// The program's first code, once the system has loaded its libraries.
long long gFirst = 0;
void NTAPI FirstCode(PVOID, DWORD reason, PVOID) {
  if (reason == DLL_PROCESS_ATTACH && !gFirst) gFirst = Counter();
}
}  // namespace

// The loader calls the callbacks listed in this section before the entry point.
extern "C" const PIMAGE_TLS_CALLBACK BareFirstCode __attribute__((section(".CRT$XLB"), used)) = FirstCode;

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  const long long entered = Counter();
  WNDCLASSA wc{};
  wc.lpfnWndProc = Proc;
  wc.hInstance = instance;
  wc.lpszClassName = "BareWindow";
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  RegisterClassA(&wc);
  HWND w = CreateWindowA("BareWindow", "Bare", WS_OVERLAPPEDWINDOW, 0, 0, 300, 240, nullptr, nullptr, instance,
                         nullptr);
  const long long made = Counter();
  ShowWindow(w, SW_SHOW);
  const long long shown = Counter();
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  if (FILE* out = std::fopen("startup-trace.txt", "w")) {
    LARGE_INTEGER freq;
    QueryPerformanceFrequency(&freq);
    std::fprintf(out, "%lld\tcounts per second\n%lld\tlibraries loaded (first code)\n", freq.QuadPart, gFirst);
    std::fprintf(out, "%lld\tWinMain entered (static initialisers run)\n%lld\twindow made\n%lld\twindow shown\n",
                 entered, made, shown);
    std::fclose(out);
  }
  return 0;
}
