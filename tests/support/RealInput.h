// Real keyboard and mouse input (SendInput) for in-process window tests,
// with the application's own message loop run meanwhile: keys, clicks on
// controls, popup menus opened and chosen from, and the hint a user sees when
// the mouse rests on a point.
#pragma once

#include <windows.h>

#include <functional>
#include <initializer_list>
#include <iterator>
#include <string>
#include <vector>

#include "Controls.h"
#include "Forms.h"
#include "Menus.h"

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

// The middle of a control drawn on its parent's window (a label, an image).
inline POINT MiddleOf(const TControl& control) {
  const RECT r = control.BoundsRect();
  POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  ClientToScreen(control.Parent()->Handle(), &p);
  return p;
}

// Runs the loop until the mouse buttons sent are handled: a button's click
// runs while its button-up message is dispatched, so when none is left
// queued the click's handler has run.
inline void RunUntilClicksHandled() {
  RunLoopUntil([] { return HIWORD(GetQueueStatus(QS_MOUSEBUTTON)) == 0; }, 5000);
  Application().ProcessMessages();
}

// Clicks a windowed control (a button) with the left mouse button, as the
// user does: its window comes to the front, the mouse moves onto the middle
// of the control, goes down and up. False, and nothing clicked, when the
// control is hidden, disabled or covered there, as a user could not click it.
inline bool ClickWithMouse(HWND control) {
  if (!IsWindowVisible(control) || !IsWindowEnabled(control)) return false;
  SetForegroundWindow(GetAncestor(control, GA_ROOT));
  const POINT p = MiddleOf(control);
  SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, p);
  RunLoopUntil([] { return false; }, 30);
  if (WindowFromPoint(p) != control) return false;
  SendMouse(MOUSEEVENTF_LEFTDOWN);
  SendMouse(MOUSEEVENTF_LEFTUP);
  RunUntilClicksHandled();
  return true;
}
inline bool ClickWithMouse(TWinControl& control) { return ClickWithMouse(control.Handle()); }

// An item to choose from a shown menu: that very item, or the one with this
// caption (for the items a menu makes as it opens).
struct TMenuPick {
  TMenuPick(const TMenuItem* item) : Item(item) {}
  TMenuPick(const char* caption) : Caption(caption) {}
  bool Matches(const TMenuItem* item) const { return Item ? item == Item : item && item->Caption == Caption; }
  const TMenuItem* Item = nullptr;
  std::string Caption;
};

// The shown popup menu that holds the item, and the item's place in it;
// false when no shown menu holds it. Each item of ours carries its object.
inline bool FindShownMenuItem(const TMenuPick& pick, HMENU& menu, int& position) {
  for (HWND w = FindWindowExA(nullptr, nullptr, "#32768", nullptr); w; w = FindWindowExA(nullptr, w, "#32768", nullptr)) {
    if (!IsWindowVisible(w)) continue;
    HMENU shown = HMENU(SendMessageA(w, MN_GETHMENU, 0, 0));
    for (int i = 0; shown && i < GetMenuItemCount(shown); ++i) {
      MENUITEMINFOA mii{};
      mii.cbSize = sizeof mii;
      mii.fMask = MIIM_DATA;
      if (GetMenuItemInfoA(shown, UINT(i), TRUE, &mii) && pick.Matches(reinterpret_cast<const TMenuItem*>(mii.dwItemData))) {
        menu = shown;
        position = i;
        return true;
      }
    }
  }
  return false;
}

// Opens a popup menu with a right click at the screen point and chooses from
// it with the left button, each item of the path in turn (a submenu's item
// after the item that opens it), as the user does; the chosen command runs
// before this returns. False when the menu or an item did not show in time,
// or did not close; the menu is closed then.
inline bool ChooseFromMenu(POINT at, std::initializer_list<TMenuPick> path) {
  const std::vector<TMenuPick> items(path);
  size_t next = 0;
  bool pointed = false, failed = false;
  const DWORD end = GetTickCount() + 5000;
  UINT_PTR timer = Application().AddTimer(
      [&] {
        if (next >= items.size() || failed) return;
        HMENU menu{};
        int position = 0;
        RECT r{};
        if (!FindShownMenuItem(items[next], menu, position) || !GetMenuItemRect(nullptr, menu, UINT(position), &r)) {
          if (GetTickCount() > end) {
            failed = true;
            EndMenu();
          }
          return;
        }
        const POINT middle{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        // The mouse rests on the item a tick before it is clicked, as a hand does.
        if (!pointed) {
          SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, middle);
          pointed = true;
          return;
        }
        SendMouse(MOUSEEVENTF_LEFTDOWN);
        SendMouse(MOUSEEVENTF_LEFTUP);
        pointed = false;
        ++next;
      },
      40);
  SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, at);
  RunLoopUntil([] { return false; }, 30);
  SendMouse(MOUSEEVENTF_RIGHTDOWN);
  SendMouse(MOUSEEVENTF_RIGHTUP);
  const bool closed = RunLoopUntil(
      [&] { return failed || (next >= items.size() && !IsWindowVisible(FindWindowA("#32768", nullptr))); }, 10000);
  Application().RemoveTimer(timer);
  if (!closed) EndMenu();
  RunUntilClicksHandled();
  return closed && !failed;
}
