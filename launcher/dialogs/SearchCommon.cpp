// The search guard, the painting pump and file tests.
#include "SearchCommon.h"

namespace {
bool Running = false;

void DropQueuedInput() {
  MSG m;
  while (PeekMessageA(&m, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {}
  while (PeekMessageA(&m, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE)) {}
}
}  // namespace

TSearchGuard::TSearchGuard() : FAcquired(!Running) {
  if (!FAcquired) return;
  Running = true;
  FOldCursor = SetCursor(LoadCursor(nullptr, IDC_WAIT));
}

TSearchGuard::~TSearchGuard() {
  if (!FAcquired) return;
  DropQueuedInput();
  SetCursor(FOldCursor ? FOldCursor : LoadCursor(nullptr, IDC_ARROW));
  Running = false;
}

bool SearchRunning() { return Running; }

void PumpPaintMessages() {
  // Bounded: a window that never validates its update region must not hold
  // the search here.
  MSG m;
  for (int i = 0; i < 64 && PeekMessageA(&m, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE); ++i) DispatchMessageA(&m);
}

