// The yardstick of the start-up benchmark: a bare Win32 window, shown as
// soon as it is made, that ends when closed.
#include <windows.h>

namespace {
LRESULT CALLBACK Proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(w, msg, wp, lp);
}
}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = Proc;
  wc.hInstance = instance;
  wc.lpszClassName = "BareWindow";
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  RegisterClassA(&wc);
  HWND w = CreateWindowA("BareWindow", "Bare", WS_OVERLAPPEDWINDOW, 0, 0, 300, 240, nullptr, nullptr, instance,
                         nullptr);
  ShowWindow(w, SW_SHOW);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return 0;
}
