// TForm9 on plain Win32, and TForm9Status.
#include "Unit9.h"

namespace {
constexpr const char* ClassName = "TForm9";
constexpr int ClientWidth = 300, ClientHeight = 64, Margin = 10;

LRESULT CALLBACK Form9Proc(HWND h, UINT msg, WPARAM w, LPARAM l) {
  // The window has no close button, and the search ends it.
  if (msg == WM_CLOSE) return 0;
  return DefWindowProcA(h, msg, w, l);
}

void RegisterForm9Class() {
  static bool registered = false;
  if (registered) return;
  WNDCLASSA wc{};
  wc.lpfnWndProc = Form9Proc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursor(nullptr, IDC_WAIT);
  wc.hbrBackground = HBRUSH(COLOR_BTNFACE + 1);
  wc.lpszClassName = ClassName;
  registered = RegisterClassA(&wc) != 0;
}

std::string WindowText(HWND h) {
  int n = GetWindowTextLengthA(h);
  std::string s(size_t(n) + 1, '\0');
  s.resize(size_t(GetWindowTextA(h, s.data(), n + 1)));
  return s;
}

struct TThreadWindows {
  HWND Except;
  std::vector<HWND>* List;
};

BOOL CALLBACK CollectEnabled(HWND h, LPARAM l) {
  auto* t = reinterpret_cast<TThreadWindows*>(l);
  if (h != t->Except && IsWindowEnabled(h)) t->List->push_back(h);
  return TRUE;
}
}  // namespace

TForm9::TForm9(HWND owner) {
  RegisterForm9Class();
  DWORD style = WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN, exStyle = WS_EX_TOPMOST | WS_EX_DLGMODALFRAME;
  RECT r{0, 0, ClientWidth, ClientHeight};
  AdjustWindowRectEx(&r, style, FALSE, exStyle);
  int w = r.right - r.left, h = r.bottom - r.top;
  int x = (GetSystemMetrics(SM_CXSCREEN) - w) / 2, y = (GetSystemMetrics(SM_CYSCREEN) - h) / 2;
  FHandle = CreateWindowExA(exStyle, ClassName, "Find modifications", style, x, y, w, h, owner, nullptr,
                            GetModuleHandleA(nullptr), nullptr);
  FFont = CreateFontA(-13, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                      DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "MS Sans Serif");
  FLabel1 = CreateWindowExA(0, "STATIC", "Find mods", WS_CHILD | WS_VISIBLE | SS_LEFT, Margin, Margin,
                            ClientWidth - 2 * Margin, ClientHeight - 2 * Margin, FHandle, nullptr,
                            GetModuleHandleA(nullptr), nullptr);
  if (FLabel1 && FFont) SendMessageA(FLabel1, WM_SETFONT, WPARAM(FFont), FALSE);
}

TForm9::~TForm9() {
  if (FHandle) DestroyWindow(FHandle);
  if (FFont) DeleteObject(FFont);
}

void TForm9::SetCaption(const std::string& caption) { SetWindowTextA(FHandle, caption.c_str()); }
std::string TForm9::Caption() const { return WindowText(FHandle); }
void TForm9::SetLabel1(const std::string& text) { SetWindowTextA(FLabel1, text.c_str()); }
std::string TForm9::Label1() const { return WindowText(FLabel1); }
void TForm9::Show() { ShowWindow(FHandle, SW_SHOWNA); }
void TForm9::Hide() { ShowWindow(FHandle, SW_HIDE); }
bool TForm9::Visible() const { return IsWindowVisible(FHandle) != FALSE; }

void TForm9::Repaint() {
  RedrawWindow(FHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void TForm9Status::Begin(const std::string& caption, bool visible) {
  End();
  TThreadWindows t{nullptr, &FDisabled};
  EnumThreadWindows(GetCurrentThreadId(), CollectEnabled, LPARAM(&t));
  for (HWND h : FDisabled) EnableWindow(h, FALSE);
  FForm = new TForm9(FOwner);
  FForm->SetCaption(caption);
  if (visible) {
    FForm->Show();
    FForm->Repaint();
    PumpPaintMessages();
  }
}

void TForm9Status::Report(const std::string& text) {
  if (!FForm) return;
  if (!FForm->Visible()) FForm->Show();
  FForm->SetLabel1(text);
  FForm->Repaint();
  PumpPaintMessages();
}

void TForm9Status::End() {
  if (FForm) {
    FForm->Hide();
    delete FForm;
    FForm = nullptr;
  }
  for (HWND h : FDisabled)
    if (IsWindow(h)) EnableWindow(h, TRUE);
  FDisabled.clear();
}
