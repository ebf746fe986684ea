// The launcher with its start-up marks timed: the same windows and resources
// as Brannox2000.exe behind an entry point that records each mark, the main
// window's showing and the end of its first paint, and writes them to
// "startup-trace.txt" beside the program when it ends; the end of the first
// paint also sets the event "bxbench-startup-painted". Run by bench_startup;
// run on its own it closes once painted.
#include "Brannox2000.h"
// Forms.h before any windows.h: it brings in the colour functions first.
#include "Forms.h"
#include "StartupTrace.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {
struct TMark {
  const char* Step;
  LONGLONG Counter;
};
// Plain data, filled from the first code on, before any initialiser runs.
TMark gMarks[64];
int gCount = 0;
bool gShown = false, gPainting = false, gPainted = false;

void Mark(const char* step) {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  if (gCount < 64) gMarks[gCount++] = {step, now.QuadPart};
}

bool IsMainWindow(HWND w) {
  char cls[32] = "";
  GetClassNameA(w, cls, sizeof cls);
  return std::strcmp(cls, "TMainWindow") == 0;
}

// Sent messages: the main window is told that it is being shown.
LRESULT CALLBACK SentHook(int code, WPARAM wp, LPARAM lp) {
  const auto* m = reinterpret_cast<const CWPSTRUCT*>(lp);
  if (code == HC_ACTION && !gShown && m->message == WM_SHOWWINDOW && m->wParam && IsMainWindow(m->hwnd)) {
    gShown = true;
    Mark("main window shown");
  }
  return CallNextHookEx(nullptr, code, wp, lp);
}

// Queued messages: the first paint of the main window ends when the loop
// takes the next message, the one posted as the paint was taken.
LRESULT CALLBACK QueueHook(int code, WPARAM wp, LPARAM lp) {
  const auto* m = reinterpret_cast<const MSG*>(lp);
  if (code == HC_ACTION && wp == PM_REMOVE && !gPainted) {
    if (!gPainting && m->message == WM_PAINT && IsMainWindow(m->hwnd)) {
      gPainting = true;
      PostMessageA(m->hwnd, WM_NULL, 0, 0);
    } else if (gPainting && m->message == WM_NULL) {
      gPainted = true;
      Mark("first paint done");
      // The benchmark waits for this before it closes the window; run on
      // its own (under a profiler), the program closes itself.
      if (HANDLE painted = OpenEventA(EVENT_MODIFY_STATE, FALSE, "bxbench-startup-painted")) {
        SetEvent(painted);
        CloseHandle(painted);
      } else {
        PostMessageA(m->hwnd, WM_CLOSE, 0, 0);
      }
    }
  }
  return CallNextHookEx(nullptr, code, wp, lp);
}

// The program's first code, once the system has loaded its libraries and
// before the C++ start-up runs the static initialisers.
void NTAPI FirstCode(PVOID, DWORD reason, PVOID) {
  if (reason == DLL_PROCESS_ATTACH && gCount == 0) Mark("libraries loaded (first code)");
}

void WriteTrace() {
  char path[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string file = path;
  file = file.substr(0, file.find_last_of('\\') + 1) + "startup-trace.txt";
  FILE* out = std::fopen(file.c_str(), "w");
  if (!out) return;
  LARGE_INTEGER freq;
  QueryPerformanceFrequency(&freq);
  std::fprintf(out, "%lld\tcounts per second\n", static_cast<long long>(freq.QuadPart));
  for (int i = 0; i < gCount; ++i)
    std::fprintf(out, "%lld\t%s\n", static_cast<long long>(gMarks[i].Counter), gMarks[i].Step);
  std::fclose(out);
}
}  // namespace

// The loader calls the callbacks listed in this section before the entry point.
extern "C" const PIMAGE_TLS_CALLBACK StartupFirstCode __attribute__((section(".CRT$XLB"), used)) = FirstCode;

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  Mark("WinMain entered (static initialisers run)");
  StartupMarkHook = Mark;
  SetWindowsHookExA(WH_CALLWNDPROC, SentHook, nullptr, GetCurrentThreadId());
  SetWindowsHookExA(WH_GETMESSAGE, QueueHook, nullptr, GetCurrentThreadId());
  int result = 1;
  try {
    result = LauncherMain();
  } catch (const std::exception& e) {
    Application().HandleException(e);
  }
  WriteTrace();
  return result;
}
