// Real keyboard and mouse input (SendInput) for in-process window tests,
// with the application's own message loop run meanwhile, and the hint a
// user sees when the mouse rests on a point.
#pragma once

#include <windows.h>

#include <functional>
#include <initializer_list>
#include <iterator>
#include <string>
#include <vector>

#include "Forms.h"

// Runs the application's own message loop (the one that previews keys for
// the forms) until done or ms have passed.
inline bool RunLoopUntil(const std::function<bool()>& done, int ms) {
  const DWORD end = GetTickCount() + DWORD(ms);
  while (!done()) {
    if (GetTickCount() > end) return false;
    Application().ProcessMessages();
    Sleep(5);
  }
  return true;
}

inline INPUT KeyInput(WORD vk, bool up) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = vk;
  in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return in;
}

// The keys pressed together, in order, and let go in the reverse order.
inline void PressKeys(std::initializer_list<WORD> keys) {
  std::vector<INPUT> in;
  for (WORD k : keys) in.push_back(KeyInput(k, false));
  for (auto k = std::rbegin(keys); k != std::rend(keys); ++k) in.push_back(KeyInput(*k, true));
  SendInput(UINT(in.size()), in.data(), sizeof(INPUT));
}

// A mouse event; a move with MOUSEEVENTF_ABSOLUTE goes to the screen point.
inline void SendMouse(DWORD flags, POINT screen = {}) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dwFlags = flags;
  if (flags & MOUSEEVENTF_ABSOLUTE) {
    in.mi.dx = screen.x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
    in.mi.dy = screen.y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
  }
  SendInput(1, &in, sizeof in);
}

namespace resting_hint {
inline void MoveMouse(POINT screen) { SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, screen); }

inline BOOL CALLBACK FindShownTip(HWND wnd, LPARAM text) {
  char cls[64] = "";
  GetClassNameA(wnd, cls, sizeof cls);
  if (!IsWindowVisible(wnd) || lstrcmpiA(cls, "tooltips_class32") != 0) return TRUE;
  char shown[256] = "";
  GetWindowTextA(wnd, shown, sizeof shown);
  *reinterpret_cast<std::string*>(text) = shown;
  return FALSE;
}

inline std::string ShownTip() {
  std::string text;
  EnumThreadWindows(GetCurrentThreadId(), FindShownTip, LPARAM(&text));
  return text;
}

inline void RunFor(int ms) { RunLoopUntil([] { return false; }, ms); }
}  // namespace resting_hint

// The hint a user sees: the mouse comes from a point beside (two pixels up
// and left) and rests on screen; the text of the tooltip window that shows,
// or "" when none shows in time.
inline std::string HintAfterResting(POINT screen, int ms = 4000) {
  using namespace resting_hint;
  // Away first, until no tip shows, so that the tip read is the new one.
  MoveMouse(POINT{0, 0});
  for (DWORD end = GetTickCount() + 2000; !ShownTip().empty() && GetTickCount() < end;) RunFor(20);
  MoveMouse(POINT{screen.x - 2, screen.y - 2});
  RunFor(60);
  MoveMouse(screen);
  std::string shown;
  for (DWORD end = GetTickCount() + DWORD(ms); shown.empty() && GetTickCount() < end; shown = ShownTip()) RunFor(20);
  return shown;
}

// The middle of a windowed control on the screen.
inline POINT MiddleOf(HWND wnd) {
  RECT r;
  GetWindowRect(wnd, &r);
  return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}
