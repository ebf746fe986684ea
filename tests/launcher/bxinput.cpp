// Test helper: real keyboard and mouse input (SendInput) for the first
// window of a class (visible), which is activated first, so that the keys
// carry the keyboard state that the modifier rules read.
//   bxinput keys CLASS|- KEY...   ("-": to the window that has the input,
//                                 such as an open menu) each KEY a name ("a", "f1", "delete",
//                                 "enter", "esc", "up", "down", "right",
//                                 "insert") with "ctrl+", "shift+", "alt+"
//   bxinput hold CLASS KEY N      KEY held down: N key-downs, as the
//                                 keyboard repeats a held key, then one key-up
//   bxinput move CLASS X Y        the pointer to a client point
//   bxinput center CLASS CHILD    the pointer to the middle of the first
//                                 child window of class CHILD (such as the
//                                 icon in the notification area's window)
//   bxinput down|up|rdown|rup     a left or right button at the pointer
//   bxinput click CLASS X,Y ...   a left click at each client point in turn
//   bxinput clipboard FILE        writes the clipboard's text (its bytes) to FILE
//   bxinput menu                  exits 0 when a popup menu is shown
//   bxinput post CLASS MSG W L    posts a message (numbers) to the window
//   bxinput broadcast NAME        broadcasts the registered message NAME
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {
void Send(std::vector<INPUT> inputs) {
  SendInput(UINT(inputs.size()), inputs.data(), sizeof(INPUT));
  Sleep(150);
}

INPUT Key(WORD vk, bool up) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = vk;
  in.ki.wScan = WORD(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
  in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return in;
}

WORD KeyCode(const std::string& name) {
  static const struct { const char* Name; WORD Vk; } named[] = {
      {"f1", VK_F1},       {"f2", VK_F2},     {"f5", VK_F5},         {"delete", VK_DELETE}, {"insert", VK_INSERT},
      {"enter", VK_RETURN}, {"esc", VK_ESCAPE}, {"up", VK_UP},       {"down", VK_DOWN},     {"right", VK_RIGHT},
      {"left", VK_LEFT}};
  for (const auto& n : named)
    if (name == n.Name) return n.Vk;
  if (name.size() == 1) return WORD(std::toupper(static_cast<unsigned char>(name[0])));
  return 0;
}

// "ctrl+shift+g": the modifiers held around the key.
bool TypeKey(std::string spec) {
  std::vector<WORD> mods;
  for (;;) {
    const size_t plus = spec.find('+');
    if (plus == std::string::npos || plus + 1 == spec.size()) break;
    const std::string mod = spec.substr(0, plus);
    mods.push_back(mod == "ctrl" ? VK_CONTROL : mod == "shift" ? VK_SHIFT : VK_MENU);
    spec = spec.substr(plus + 1);
  }
  const WORD vk = KeyCode(spec);
  if (!vk) return false;
  std::vector<INPUT> inputs;
  for (WORD m : mods) inputs.push_back(Key(m, false));
  inputs.push_back(Key(vk, false));
  inputs.push_back(Key(vk, true));
  for (auto it = mods.rbegin(); it != mods.rend(); ++it) inputs.push_back(Key(*it, true));
  Send(inputs);
  return true;
}

void Button(DWORD flags) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dwFlags = flags;
  Send({in});
}

// The pointer to a screen point, with a move event, so that the window
// under the pointer hears of it.
void MoveToScreen(POINT p) {
  SetCursorPos(p.x, p.y);
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  in.mi.dx = LONG(p.x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1));
  in.mi.dy = LONG(p.y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1));
  Send({in});
}

// The pointer to a client point of w.
void MoveTo(HWND w, int x, int y) {
  POINT p{x, y};
  ClientToScreen(w, &p);
  MoveToScreen(p);
}

int WriteClipboard(const char* file) {
  if (!OpenClipboard(nullptr)) return 1;
  std::string text;
  if (HANDLE h = GetClipboardData(CF_TEXT))
    if (const char* p = static_cast<const char*>(GlobalLock(h))) {
      text = p;
      GlobalUnlock(h);
    }
  CloseClipboard();
  std::FILE* f = std::fopen(file, "wb");
  if (!f) return 1;
  std::fwrite(text.data(), 1, text.size(), f);
  return std::fclose(f) == 0 && !text.empty() ? 0 : 1;
}
}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: bxinput keys|hold|move|center|click|down|up|rdown|rup|menu|clipboard ...\n");
    return 2;
  }
  const std::string what = argv[1];
  if (what == "menu") {
    HWND menu = FindWindowA("#32768", nullptr);
    return menu && IsWindowVisible(menu) ? 0 : 1;
  }
  if (what == "down" || what == "up" || what == "rdown" || what == "rup") {
    const DWORD flags = what == "down" ? MOUSEEVENTF_LEFTDOWN : what == "up" ? MOUSEEVENTF_LEFTUP
                        : what == "rdown" ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_RIGHTUP;
    Button(flags);
    return 0;
  }
  if (what == "broadcast" && argc >= 3) {
    PostMessageA(HWND_BROADCAST, RegisterWindowMessageA(argv[2]), 0, 0);
    return 0;
  }
  if (what == "post" && argc >= 6) {
    HWND target = FindWindowA(argv[2], nullptr);
    if (!target) return 1;
    return PostMessageA(target, UINT(std::strtoul(argv[3], nullptr, 0)), WPARAM(std::strtoul(argv[4], nullptr, 0)),
                        LPARAM(std::strtol(argv[5], nullptr, 0)))
               ? 0
               : 1;
  }
  if (argc < 3) return 2;
  if (what == "clipboard") return WriteClipboard(argv[2]);
  if (what == "keys" && std::strcmp(argv[2], "-") == 0) {
    for (int i = 3; i < argc; ++i)
      if (!TypeKey(argv[i])) return 2;
    return 0;
  }
  HWND w = FindWindowA(argv[2], nullptr);
  if (!w || !IsWindowVisible(w)) {
    std::fprintf(stderr, "no visible window of class %s\n", argv[2]);
    return 1;
  }
  if (what == "center" && argc >= 4) {
    HWND child = FindWindowExA(w, nullptr, argv[3], nullptr);
    if (!child) return 1;
    RECT r;
    GetWindowRect(child, &r);
    MoveToScreen({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    return 0;
  }
  if (what == "move" && argc >= 5) {
    MoveTo(w, std::atoi(argv[3]), std::atoi(argv[4]));
    return 0;
  }
  if (what == "click") {
    for (int i = 3; i < argc; ++i) {
      int x = 0, y = 0;
      if (std::sscanf(argv[i], "%d,%d", &x, &y) != 2) return 2;
      MoveTo(w, x, y);
      Button(MOUSEEVENTF_LEFTDOWN);
      Button(MOUSEEVENTF_LEFTUP);
    }
    return 0;
  }
  if (what == "hold" && argc >= 5) {
    const WORD vk = KeyCode(argv[3]);
    if (!vk) return 2;
    SetForegroundWindow(w);
    Sleep(200);
    // The keyboard's own repeat: a key-down every 33 ms while it is held.
    for (int i = std::atoi(argv[4]); i > 0; --i) {
      INPUT down = Key(vk, false);
      SendInput(1, &down, sizeof down);
      Sleep(33);
    }
    Send({Key(vk, true)});
    return 0;
  }
  if (what == "keys") {
    SetForegroundWindow(w);
    Sleep(200);
    for (int i = 3; i < argc; ++i)
      if (!TypeKey(argv[i])) {
        std::fprintf(stderr, "unknown key %s\n", argv[i]);
        return 2;
      }
    return 0;
  }
  return 2;
}
