// TForm, the application object and the cursor slots.
#include "Forms.h"

#include <commctrl.h>
#include <windowsx.h>

#include "Dialogs.h"
#include "Menus.h"
#include "MessageForm.h"

#include <algorithm>
#include <optional>

// --- TForm

TForm::TForm(TComponent* owner) : TWinControl(owner) {
  FVisible = false;
  Color = clBtnFace;
}

TForm::~TForm() {
  Application().FormDestroyed(this);
}

void TForm::SetBounds(int left, int top, int width, int height) {
  const bool sized = width != Width() || height != Height();
  TWinControl::SetBounds(left, top, width, height);
  if (sized && OnResize) OnResize(this);
}

void TForm::Resize() {
  TWinControl::Resize();
  if (OnResize) OnResize(this);
}

void TForm::SetCaption(const std::string& caption) {
  FCaption = caption;
  if (FHandle) SetWindowTextA(FHandle, caption.c_str());
}

void TForm::CreateParams(TCreateParams& p) {
  static const DWORD styles[] = {WS_POPUP, WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                                 WS_OVERLAPPEDWINDOW, WS_POPUP | WS_CAPTION | WS_SYSMENU,
                                 WS_POPUP | WS_CAPTION | WS_SYSMENU};
  p.Caption = FCaption;
  p.Style = styles[FBorderStyle] | WS_CLIPCHILDREN;
  p.ExStyle = FBorderStyle == bsDialog ? WS_EX_DLGMODALFRAME : FBorderStyle == bsToolWindow ? WS_EX_TOOLWINDOW : 0;
  if (FFormStyle == fsStayOnTop) p.ExStyle |= WS_EX_TOPMOST;
}

void TForm::CreateHandle() {
  TWinControl::CreateHandle();
  if (Menu) Menu->AttachTo(FHandle);
  Realign();
}

void TForm::SetBorderStyle(TFormBorderStyle style) {
  FBorderStyle = style;
  if (FHandle) ApplyStyle();
}

void TForm::ApplyStyle() {
  TCreateParams p;
  CreateParams(p);
  DWORD keep = DWORD(GetWindowLongPtrA(FHandle, GWL_STYLE)) & (WS_VISIBLE | WS_MINIMIZE | WS_MAXIMIZE);
  SetWindowLongPtrA(FHandle, GWL_STYLE, LONG_PTR(p.Style | keep));
  DWORD topmost = DWORD(GetWindowLongPtrA(FHandle, GWL_EXSTYLE)) & WS_EX_TOPMOST;
  SetWindowLongPtrA(FHandle, GWL_EXSTYLE, LONG_PTR((p.ExStyle & ~WS_EX_TOPMOST) | topmost));
  SetWindowPos(FHandle, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TForm::SetFormStyle(TFormStyle style) {
  FFormStyle = style;
  // Restacked only when that changes it.
  const bool topmost = FHandle && (GetWindowLongPtrA(FHandle, GWL_EXSTYLE) & WS_EX_TOPMOST);
  if (FHandle && topmost != (style == fsStayOnTop))
    SetWindowPos(FHandle, style == fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TForm::Show() {
  HWND wnd = Handle();
  if (Position == poScreenCenter && !FVisible) {
    RECT work;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    SetBounds(work.left + (work.right - work.left - FWidth) / 2, work.top + (work.bottom - work.top - FHeight) / 2,
              FWidth, FHeight);
  }
  FVisible = true;
  ShowWindow(wnd, SW_SHOW);
  SetForegroundWindow(wnd);
}

namespace {
BOOL CALLBACK CollectEnabled(HWND wnd, LPARAM list) {
  if (IsWindowVisible(wnd) && IsWindowEnabled(wnd)) reinterpret_cast<std::vector<HWND>*>(list)->push_back(wnd);
  return TRUE;
}
}  // namespace

TDisabledWindows::TDisabledWindows(HWND keep) {
  EnumThreadWindows(GetCurrentThreadId(), CollectEnabled, LPARAM(&FWindows));
  std::erase(FWindows, keep);
  for (HWND w : FWindows) EnableWindow(w, FALSE);
}

TDisabledWindows::~TDisabledWindows() {
  for (HWND w : FWindows)
    if (IsWindow(w)) EnableWindow(w, TRUE);
}

namespace {
std::function<int(TForm&)>& ModalHook() {
  static std::function<int(TForm&)> hook;
  return hook;
}
}  // namespace

void TForm::SetModalHook(std::function<int(TForm& form)> hook) { ModalHook() = std::move(hook); }

int TForm::ShowModal() {
  if (ModalHook()) return ModalResult = ModalHook()(*this);
  HWND self = Handle();
  std::optional<TDisabledWindows> disabled(std::in_place, self);
  ModalResult = 0;
  FModal = true;
  Show();
  MSG msg;
  while (ModalResult == 0 && !Application().Terminated()) {
    // Idle handlers keep running under a modal window.
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      Application().RunIdleHandlers();
      continue;
    }
    if (msg.message == WM_QUIT) {
      PostQuitMessage(int(msg.wParam));
      break;
    }
    if (PreviewKey(msg)) continue;
    // Tab, Enter and Esc move between and press the buttons.
    if (IsDialogMessageA(self, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  FModal = false;
  // The owner is enabled again before this window hides, so that it gets the activation.
  disabled.reset();
  Hide();
  return ModalResult;
}

bool TForm::CloseQuery() {
  bool canClose = true;
  if (OnCloseQuery) OnCloseQuery(this, canClose);
  return canClose;
}

void TForm::Close() {
  if (!CloseQuery()) return;
  if (FModal) {
    if (ModalResult == 0) ModalResult = mrCancel;
    return;
  }
  TCloseAction action = Application().MainForm() == this ? caFree : caHide;
  if (OnClose) OnClose(this, action);
  if (action == caNone) return;
  Hide();
  if (action == caFree) {
    if (Application().MainForm() == this) Application().Terminate();
    else Release();
  }
}

void TForm::Release() { Application().QueueRelease(this); }

bool TForm::CloseRequested() {
  Close();
  return true;
}

bool TForm::MouseWheel(int delta, TShiftState shift, POINT screen) {
  bool handled = false;
  const TMouseWheelUpDownEvent& event = delta < 0 ? OnMouseWheelDown : OnMouseWheelUp;
  if (delta != 0 && event) event(this, shift, screen, handled);
  return handled;
}

bool TForm::KeyDown(uint16_t& key, TShiftState shift) {
  if (Menu && Menu->IsShortCut(key, shift)) return true;
  if (OnKeyDown) OnKeyDown(this, key, shift);
  return key == 0;
}

bool TForm::PreviewKey(MSG& msg) {
  if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
  HWND root = GetAncestor(msg.hwnd, GA_ROOT);
  // The form's own keys reach its KeyDown through its window procedure.
  if (!root || root == msg.hwnd) return false;
  auto* form = dynamic_cast<TForm*>(FindControl(root));
  if (!form || !form->KeyPreview) return false;
  uint16_t key = uint16_t(msg.wParam);
  bool taken = false;
  // Runs from the message loops, outside any window procedure: a short cut
  // that raises ends in the boundary, and its key goes no further.
  if (!Application().Guarded([&] { taken = form->KeyDown(key, KeyboardShift()); })) return true;
  if (taken) return true;
  msg.wParam = key;
  return false;
}

HWND TForm::Tooltip() {
  if (!FTooltip) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
    FTooltip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, 0, 0,
                               0, 0, Handle(), nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!FTooltip) return nullptr;
    // The form's own tool: its graphic controls and the form itself.
    TTTOOLINFOA ti{};
    ti.cbSize = sizeof ti;
    ti.hwnd = Handle();
    ti.uId = 1;
    ti.lpszText = const_cast<char*>("");
    SendMessageA(FTooltip, TTM_ADDTOOLA, 0, LPARAM(&ti));
    FHintTools[Handle()] = THintTool{RECT{0, 0, 0, 0}, std::string()};
  }
  return FTooltip;
}

void TForm::ChildHintMouse(TWinControl& child, const MSG& msg) {
  if (!ShowHint || (child.Hint.empty() && !FTooltip) || !Tooltip()) return;
  // Each windowed control with a hint is its own tool; its text is asked
  // for when the tip shows, so a changed hint shows changed.
  if (!child.Hint.empty() && FHintedWindows.insert(child.Handle()).second) {
    TTTOOLINFOA ti{};
    ti.cbSize = sizeof ti;
    ti.uFlags = TTF_IDISHWND;
    ti.hwnd = Handle();
    ti.uId = UINT_PTR(child.Handle());
    ti.lpszText = LPSTR_TEXTCALLBACKA;
    SendMessageA(FTooltip, TTM_ADDTOOLA, 0, LPARAM(&ti));
  }
  SendMessageA(FTooltip, TTM_SETDELAYTIME, TTDT_AUTOPOP, MAKELPARAM(Application().HintHidePause, 0));
  MSG m = msg;
  SendMessageA(FTooltip, TTM_RELAYEVENT, 0, LPARAM(&m));
}

void TForm::HoverChanged(TControl* now) {
  if (!ShowHint) return;
  const bool hinted = now && !now->Hint.empty();
  SetHintTool(Handle(), hinted ? now->BoundsRect() : RECT{0, 0, 0, 0}, hinted ? now->Hint : std::string());
}

void TForm::ChildHoverChanged(TWinControl& child, TControl* now) {
  if (!ShowHint) return;
  const bool hinted = now && !now->Hint.empty();
  if (!hinted && !FHintTools.contains(child.Handle())) return;
  SetHintTool(child.Handle(), hinted ? now->BoundsRect() : RECT{0, 0, 0, 0}, hinted ? now->Hint : std::string());
}

RECT TForm::HintArea(POINT) {
  RECT client;
  GetClientRect(FHandle, &client);
  return client;
}

void TForm::OwnHintMouse(POINT client) {
  if (!ShowHint || ControlAtPos(client)) return;  // a graphic control's hint is HoverChanged's
  RECT area = HintArea(client);
  const bool hinted = !Hint.empty() && !IsRectEmpty(&area);
  if (!hinted && !FTooltip) return;
  SetHintTool(Handle(), hinted ? area : RECT{0, 0, 0, 0}, hinted ? Hint : std::string());
}

void TForm::SetHintTool(HWND window, const RECT& area, const std::string& text) {
  if (!Tooltip()) return;
  SendMessageA(FTooltip, TTM_SETDELAYTIME, TTDT_AUTOPOP, MAKELPARAM(Application().HintHidePause, 0));
  TTTOOLINFOA ti{};
  ti.cbSize = sizeof ti;
  ti.hwnd = window;
  ti.uId = 1;
  auto known = FHintTools.find(window);
  if (known == FHintTools.end()) {
    ti.lpszText = const_cast<char*>("");
    SendMessageA(FTooltip, TTM_ADDTOOLA, 0, LPARAM(&ti));
    known = FHintTools.emplace(window, THintTool{RECT{0, 0, 0, 0}, std::string()}).first;
  }
  THintTool& tool = known->second;
  if (EqualRect(&area, &tool.Area) && text == tool.Text) return;
  tool.Area = area;
  tool.Text = text;
  ti.rect = area;
  ti.lpszText = const_cast<char*>(tool.Text.c_str());
  SendMessageA(FTooltip, TTM_POP, 0, 0);
  SendMessageA(FTooltip, TTM_NEWTOOLRECTA, 0, LPARAM(&ti));
  SendMessageA(FTooltip, TTM_UPDATETIPTEXTA, 0, LPARAM(&ti));
}

void TForm::Sized(UINT kind, int width, int height) {
  // The main form stands for the application in the taskbar: its minimise
  // and restore are the application's.
  if (Application().MainForm() != this) return;
  if (kind == SIZE_MINIMIZED) Application().Minimize();
  else if (kind == SIZE_RESTORED || kind == SIZE_MAXIMIZED) Application().Restore();
}

LRESULT TForm::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (FTooltip && msg == WM_NOTIFY) {
    auto* info = reinterpret_cast<NMTTDISPINFOA*>(lParam);
    if (info->hdr.hwndFrom == FTooltip && info->hdr.code == TTN_GETDISPINFOA && (info->uFlags & TTF_IDISHWND)) {
      TWinControl* c = FindControl(HWND(info->hdr.idFrom));
      FHintText = c ? c->Hint : std::string();
      info->lpszText = const_cast<char*>(FHintText.c_str());
      return 0;
    }
  }
  if (msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST) {
    // The tool under the mouse is set first, then the tooltip sees the move.
    const LRESULT result = TWinControl::WndProc(msg, wParam, lParam);
    if (msg == WM_MOUSEMOVE && FHandle) OwnHintMouse(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    if (FTooltip) {
      MSG m{FHandle, msg, wParam, lParam, DWORD(GetMessageTime()), {}};
      SendMessageA(FTooltip, TTM_RELAYEVENT, 0, LPARAM(&m));
    }
    return result;
  }
  LRESULT result = 0;
  if (HandleMenuMessage(msg, wParam, lParam, result)) return result;
  return TWinControl::WndProc(msg, wParam, lParam);
}

// --- the application

class TApplication::TUtilityWindow : public TWinControl {
public:
  using TWinControl::TWinControl;
  void CreateParams(TCreateParams& p) override {
    p.Style = WS_POPUP;
    p.WndParent = HWND_MESSAGE;
  }
  void Timer(UINT_PTR id) override {
    auto& timers = Application().FTimers;
    auto it = timers.find(id);
    if (it != timers.end()) {
      auto tick = it->second;  // the handler may remove its own timer
      tick();
    }
  }
};

TApplication::TApplication() : TComponent(nullptr) {
  // Message dialogs with the "to all" answers.
  SetCustomMessageDialog(ShowMessageForm);
}

TApplication::~TApplication() {
  for (TForm* f : FReleased) delete f;
}

TApplication& Application() {
  static TApplication* app = new TApplication;  // lives until the process ends
  return *app;
}

void LoadLibrariesFromSystemFolder() {
  // Windows before 8 may lack it (without its update): they keep the usual order.
  using TSetDefaultDllDirectories = BOOL(WINAPI*)(DWORD);
  auto set = reinterpret_cast<TSetDefaultDllDirectories>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories")));
  if (set) set(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

const std::string& TApplication::Title() const { return ApplicationTitle(); }
void TApplication::SetTitle(const std::string& title) { SetApplicationTitle(title); }

HWND TApplication::UtilityWindow() {
  if (!FUtility) {
    FUtility = new TUtilityWindow(this);
  }
  return FUtility->Handle();
}

UINT_PTR TApplication::AddTimer(std::function<void()> tick, UINT ms) {
  UINT_PTR id = FNextTimer++;
  FTimers[id] = std::move(tick);
  SetTimer(UtilityWindow(), id, ms, nullptr);
  return id;
}

void TApplication::RemoveTimer(UINT_PTR id) {
  if (FUtility && FUtility->HandleAllocated()) KillTimer(FUtility->Handle(), id);
  FTimers.erase(id);
}

int TApplication::AddOnIdle(TIdleEvent handler) {
  FOnIdle[FNextId] = std::move(handler);
  return FNextId++;
}

int TApplication::AddOnException(TExceptionEvent handler) {
  FOnException[FNextId] = std::move(handler);
  return FNextId++;
}

int TApplication::AddOnMinimize(TNotifyEvent handler) {
  FOnMinimize[FNextId] = std::move(handler);
  return FNextId++;
}

int TApplication::AddOnRestore(TNotifyEvent handler) {
  FOnRestore[FNextId] = std::move(handler);
  return FNextId++;
}

void TApplication::RemoveHandler(int id) {
  FOnIdle.erase(id);
  FOnException.erase(id);
  FOnMinimize.erase(id);
  FOnRestore.erase(id);
}

namespace {
// A copy: a handler may add or remove handlers.
void Notify(std::map<int, TNotifyEvent> handlers, TComponent* sender) {
  for (auto& [id, handler] : handlers)
    if (handler) handler(sender);
}
}  // namespace

void TApplication::Minimize() {
  if (FMinimized) return;
  FMinimized = true;
  Notify(FOnMinimize, this);
}

void TApplication::Restore() {
  if (!FMinimized) return;
  FMinimized = false;
  Notify(FOnRestore, this);
}

void TApplication::HandleException(const std::exception& e) {
  if (!FOnException.empty()) {
    auto handlers = FOnException;
    for (auto& [id, h] : handlers) h(e);
    return;
  }
  std::string text = e.what();
  if (!text.empty() && text.back() != '.') text += '.';
  MessageBoxPrompt(text, Title(), MB_OK | MB_ICONERROR);
}

void TApplication::HandleUnknownException() {
  HandleException(Exception("An unknown error occurred"));
}

void TApplication::ShowGuarded(const std::exception* e) noexcept {
  try {
    if (e) HandleException(*e);
    else HandleUnknownException();
  } catch (...) {
    // An exception handler that raises: nothing is left to show it.
  }
}

void TApplication::QueueRelease(TForm* form) {
  if (std::find(FReleased.begin(), FReleased.end(), form) == FReleased.end()) FReleased.push_back(form);
  PostMessageA(UtilityWindow(), WM_NULL, 0, 0);
}

bool TApplication::ProcessMessage(MSG& msg) {
  if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
  if (msg.message == WM_QUIT) {
    FTerminated = true;
    return true;
  }
  if (TForm::PreviewKey(msg)) return true;
  TranslateMessage(&msg);
  DispatchMessageA(&msg);
  return true;
}

void TApplication::ProcessMessages() {
  MSG msg;
  while (ProcessMessage(msg)) {
  }
}

void TApplication::Idle() {
  // Released forms go here, outside any of their own messages.
  auto released = std::move(FReleased);
  FReleased.clear();
  for (TForm* f : released) Guarded([f] { delete f; });
  RunIdleHandlers();
}

void TApplication::RunIdleHandlers() {
  bool done = true;
  auto handlers = FOnIdle;
  for (auto& [id, h] : handlers) {
    if (!FOnIdle.contains(id)) continue;  // removed by an earlier handler
    Guarded([&] { h(done); });
  }
  if (done && !FTerminated) WaitMessage();
}

void TApplication::Run() {
  if (FMainForm && !FMainForm->Visible()) FMainForm->Show();
  MSG msg;
  while (!FTerminated) {
    if (!ProcessMessage(msg)) Idle();
  }
}

void TApplication::FormDestroyed(TForm* form) {
  std::erase(FReleased, form);
  if (FMainForm != form) return;
  FMainForm = nullptr;
  Terminate();
}

void TApplication::Terminate() {
  if (!FTerminated) PostQuitMessage(0);
  FTerminated = true;
}

// --- cursors

TScreenCursors& ScreenCursors() {
  static TScreenCursors* cursors = new TScreenCursors;  // lives until the process ends
  return *cursors;
}

HCURSOR TScreenCursors::Get(TCursor slot) const {
  if (auto pending = FResources.find(slot); pending != FResources.end()) {
    FSlots[slot] = FromResource(pending->second);
    FResources.erase(pending);
  }
  auto it = FSlots.find(slot);
  if (slot != crDefault && it != FSlots.end() && it->second) return it->second.Get();
  return LoadCursorA(nullptr, IDC_ARROW);
}

void TScreenCursors::Set(TCursor slot, TCursorHandle cursor) {
  FResources.erase(slot);
  FSlots[slot] = std::move(cursor);
}

void TScreenCursors::SetResource(TCursor slot, const std::string& name) {
  FSlots.erase(slot);
  FResources[slot] = name;
}

TCursorHandle TScreenCursors::FromResource(const std::string& name) {
  return TCursorHandle(HCURSOR(LoadImageA(GetModuleHandleA(nullptr), name.c_str(), IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE)));
}

TCursorHandle TScreenCursors::FromFile(const std::string& fileName) {
  return TCursorHandle(LoadCursorFromFileA(fileName.c_str()));
}
