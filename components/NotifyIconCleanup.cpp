// The end-of-process removal of the notification icons. The icons are kept
// in a plain array (no destructor of its own), so the removal works at any
// point of the process's end, also after static objects have gone.
#include "NotifyIconCleanup.h"

#include <shellapi.h>

#include <cstdlib>
#include <exception>

namespace {

struct TTrayIconKey {
  HWND Wnd;
  UINT Id;
};

// A process shows one or two icons; more than this are still removed by
// their components, only not at an abnormal end.
constexpr int kMaxRemembered = 16;
TTrayIconKey Remembered[kMaxRemembered];
int RememberedCount = 0;

std::terminate_handler PreviousTerminate = nullptr;
LPTOP_LEVEL_EXCEPTION_FILTER PreviousFilter = nullptr;

void RemoveAtExit() { RemoveRememberedTrayIcons(); }

[[noreturn]] void RemoveAtTerminate() {
  RemoveRememberedTrayIcons();
  if (PreviousTerminate) PreviousTerminate();
  std::abort();
}

LONG WINAPI RemoveAtCrash(EXCEPTION_POINTERS* info) {
  RemoveRememberedTrayIcons();
  return PreviousFilter ? PreviousFilter(info) : EXCEPTION_CONTINUE_SEARCH;
}

void InstallOnce() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  std::atexit(RemoveAtExit);
  PreviousTerminate = std::set_terminate(RemoveAtTerminate);
  PreviousFilter = SetUnhandledExceptionFilter(RemoveAtCrash);
}

}  // namespace

void RememberTrayIcon(HWND wnd, UINT id) {
  InstallOnce();
  for (int i = 0; i < RememberedCount; ++i)
    if (Remembered[i].Wnd == wnd && Remembered[i].Id == id) return;
  if (RememberedCount < kMaxRemembered) Remembered[RememberedCount++] = {wnd, id};
}

void ForgetTrayIcon(HWND wnd, UINT id) {
  for (int i = 0; i < RememberedCount; ++i)
    if (Remembered[i].Wnd == wnd && Remembered[i].Id == id) {
      Remembered[i] = Remembered[--RememberedCount];
      return;
    }
}

void RemoveRememberedTrayIcons() {
  while (RememberedCount > 0) {
    const TTrayIconKey key = Remembered[--RememberedCount];
    NOTIFYICONDATAA data{};
    data.cbSize = NOTIFYICONDATAA_V2_SIZE;
    data.hWnd = key.Wnd;
    data.uID = key.Id;
    Shell_NotifyIconA(NIM_DELETE, &data);
  }
}
