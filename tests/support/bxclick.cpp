// Test helper: sends mouse input to the first visible window of a class, as
// posted messages at client coordinates.
//   bxclick click CLASS X Y    a left click
//   bxclick dbl CLASS X Y      a double click (down, up, double-click, up)
//   bxclick wheel CLASS N      N wheel notches (negative: toward the user)
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
HWND FindVisible(const char* cls) {
  HWND w = nullptr;
  while ((w = FindWindowExA(nullptr, w, cls, nullptr)))
    if (IsWindowVisible(w)) return w;
  return nullptr;
}

void Post(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  PostMessageA(w, msg, wp, lp);
  Sleep(30);
}
}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: bxclick click|dbl|wheel CLASS ...\n");
    return 2;
  }
  HWND w = FindVisible(argv[2]);
  if (!w) {
    std::fprintf(stderr, "no visible window of class %s\n", argv[2]);
    return 1;
  }
  const char* what = argv[1];
  if (!std::strcmp(what, "wheel")) {
    int notches = std::atoi(argv[3]);
    RECT r;
    GetWindowRect(w, &r);
    LPARAM at = MAKELPARAM(r.left + 5, r.top + 5);
    for (int i = 0; i < std::abs(notches); ++i)
      Post(w, WM_MOUSEWHEEL, MAKEWPARAM(0, notches > 0 ? WHEEL_DELTA : -WHEEL_DELTA), at);
    return 0;
  }
  if (argc < 5) return 2;
  LPARAM at = MAKELPARAM(std::atoi(argv[3]), std::atoi(argv[4]));
  Post(w, WM_MOUSEMOVE, 0, at);
  Post(w, WM_LBUTTONDOWN, MK_LBUTTON, at);
  Post(w, WM_LBUTTONUP, 0, at);
  if (!std::strcmp(what, "dbl")) {
    Post(w, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    Post(w, WM_LBUTTONUP, 0, at);
  }
  return 0;
}
