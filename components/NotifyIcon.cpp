// The notification-area icon. The shell reaches the component only through
// its own window, which is bound to the component and destroyed with it: a
// message that arrives after the component is gone finds no window, and no
// message carries a pointer to the component.
#include "NotifyIcon.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <cstring>
#include <utility>

#include "ExtCtrls.h"
#include "Forms.h"
#include "NotifyIconCleanup.h"

// A hidden top-level window (broadcasts such as "TaskbarCreated" reach only
// top-level windows) that hands the icon's messages to the component.
class TNotifyIconWindow : public TWinControl {
public:
  explicit TNotifyIconWindow(TNotifyIcon& icon) : TWinControl(nullptr), FIcon(icon) {}
  std::string ClassName() const override { return "TNotifyIconWindow"; }

  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
    if (msg == TNotifyIcon::kCallbackMessage) {
      if (wParam == TNotifyIcon::kIconId) FIcon.IconMessage(LOWORD(lParam));
      return 0;
    }
    if (msg == TaskbarCreatedMessage()) {
      FIcon.TaskbarCreated();
      return 0;
    }
    if (msg == WM_QUERYENDSESSION) return 1;
    return DefaultHandler(msg, wParam, lParam);
  }

protected:
  void CreateParams(TCreateParams& params) override {
    params.Style = WS_POPUP;
    params.ExStyle = WS_EX_TOOLWINDOW;
  }

private:
  // Registered once for the process.
  static UINT TaskbarCreatedMessage() {
    static const UINT message = RegisterWindowMessageA("TaskbarCreated");
    return message;
  }
  TNotifyIcon& FIcon;
};

namespace {

// Shift, Ctrl and Alt as the keyboard holds them at this moment (the icon's
// messages are not input messages of this thread), plus the pressed button.
TShiftState AsyncShift(TShiftState button) {
  TShiftState shift = button;
  if (GetAsyncKeyState(VK_SHIFT) < 0) shift |= ssShift;
  if (GetAsyncKeyState(VK_MENU) < 0) shift |= ssAlt;
  if (GetAsyncKeyState(VK_CONTROL) < 0) shift |= ssCtrl;
  return shift;
}

}  // namespace

// The window is made when the icon is first shown: a hidden icon costs the
// start-up no window and no call to the shell.
TNotifyIcon::TNotifyIcon(TComponent* owner) : TComponent(owner), FWindow(std::make_unique<TNotifyIconWindow>(*this)) {
  FCycleTimer = new TTimer(this);
  FCycleTimer->OnTimer = [this](TComponent*) { CycleTick(); };
  FClickTimer = new TTimer(this);
  FClickTimer->SetInterval(GetDoubleClickTime());
  FClickTimer->OnTimer = [this](TComponent*) { ClickTick(); };
  FMinimizeHandler = Application().AddOnMinimize([this](TComponent*) { ApplicationMinimized(); });
}

TNotifyIcon::~TNotifyIcon() {
  // Removing the icon may run queued messages (Wine's tray lives in the
  // process); none of them may reach the handlers of a dying component.
  Enabled = false;
  FClickPending = false;
  Application().RemoveHandler(FMinimizeHandler);
  UnhookOwner();
  DeleteIcon();
  // The timers go with the owned components; they must not tick into a half-freed object.
  FCycleTimer->SetEnabled(false);
  FClickTimer->SetEnabled(false);
}

HWND TNotifyIcon::WindowHandle() const { return FWindow->Handle(); }

NOTIFYICONDATAA TNotifyIcon::IconData() const {
  NOTIFYICONDATAA data;
  std::memset(&data, 0, sizeof data);
  // The second version of the record: what every shell since 2000 takes.
  data.cbSize = NOTIFYICONDATAA_V2_SIZE;
  data.hWnd = WindowHandle();
  data.uID = kIconId;
  data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  data.uCallbackMessage = kCallbackMessage;
  data.hIcon = FIcon.Handle();
  if (FShowHint && !FHint.empty()) {
    static_assert(sizeof data.szTip > kMaxTip);
    const size_t n = std::min(FHint.size(), kMaxTip);
    std::memcpy(data.szTip, FHint.data(), n);
  }
  return data;
}

bool TNotifyIcon::Notify(DWORD action) {
  NOTIFYICONDATAA data = IconData();
  const bool ok = Shell_NotifyIconA(action, &data) != FALSE;
  if (action == NIM_DELETE) ForgetTrayIcon(data.hWnd, kIconId);
  else if (action == NIM_ADD && ok) RememberTrayIcon(data.hWnd, kIconId);
  return ok;
}

bool TNotifyIcon::AddIcon() {
  FIconVisible = true;
  HookOwner();
  const bool ok = Notify(NIM_ADD);
  FAdded = FAdded || ok;
  return ok;
}

bool TNotifyIcon::DeleteIcon() {
  // The shell knows no icon that was never shown.
  FIconVisible = false;
  if (!std::exchange(FAdded, false)) return false;
  return Notify(NIM_DELETE);
}

// A hidden icon takes its new values when it is next added.
bool TNotifyIcon::ModifyIcon() { return FAdded && Notify(NIM_MODIFY); }

void TNotifyIcon::Loaded() {
  TComponent::Loaded();
  if (auto* form = dynamic_cast<TWinControl*>(Owner()); form && StartMinimized) form->SetVisible(false);
  ModifyIcon();
  SetIconVisible(FIconVisible);
}

void TNotifyIcon::SetIconVisible(bool visible) {
  if (visible) AddIcon();
  else DeleteIcon();
}

void TNotifyIcon::SetIcon(const TIcon& icon) {
  FIcon.Assign(icon);
  ModifyIcon();
}

void TNotifyIcon::SetHint(const std::string& hint) {
  FHint = hint;
  ModifyIcon();
}

void TNotifyIcon::SetShowHint(bool on) {
  FShowHint = on;
  ModifyIcon();
}

void TNotifyIcon::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation != opRemove) return;
  if (component == FIconList) SetIconList(nullptr);
  if (component == PopupMenu) PopupMenu = nullptr;
}

void TNotifyIcon::SetIconList(TImageList* list) {
  FIconList = list;
  SetIconIndex(0);
}

void TNotifyIcon::SetCycleIcons(bool on) {
  FCycleIcons = on;
  if (on) SetIconIndex(0);
  FCycleTimer->SetEnabled(on);
}

void TNotifyIcon::SetCycleInterval(unsigned ms) {
  FCycleInterval = ms;
  FCycleTimer->SetInterval(ms);
}

void TNotifyIcon::SetIconIndex(int index) {
  const int count = FIconList ? FIconList->Count() : 0;
  // Past the list's end means its last icon; an empty list has no index but 0.
  FIconIndex = count > 0 ? std::clamp(index, 0, count - 1) : 0;
  if (count > 0) FIconList->GetIcon(FIconIndex, FIcon);
  ModifyIcon();
}

void TNotifyIcon::CycleTick() {
  const int count = FIconList ? FIconList->Count() : 0;
  if (count == 0) return;
  FIconList->GetIcon(std::min(FIconIndex, count - 1), FIcon);
  const int next = FIconIndex + 1 < count ? FIconIndex + 1 : 0;
  if (OnCycle) OnCycle(this, next);
  ModifyIcon();
  SetIconIndex(next);
}

void TNotifyIcon::IconMessage(UINT mouseMessage) {
  if (!Enabled) return;
  POINT p{0, 0};
  GetCursorPos(&p);
  switch (mouseMessage) {
    case WM_MOUSEMOVE:
      if (OnMouseMove) OnMouseMove(this, AsyncShift(0), p.x, p.y);
      break;
    case WM_LBUTTONDOWN:
      if (OnMouseDown) OnMouseDown(this, mbLeft, AsyncShift(ssLeft), p.x, p.y);
      FLeftPressed = true;
      if (LeftPopup) PopupAtCursor();
      break;
    case WM_LBUTTONUP:
      // The click is reported once the double-click time has passed without
      // a second press; a double click reports only itself.
      if (FLeftPressed) {
        FLeftPressed = false;
        FClickPending = true;
        FClickTimer->SetEnabled(false);
        FClickTimer->SetEnabled(true);
      }
      if (OnMouseUp) OnMouseUp(this, mbLeft, AsyncShift(ssLeft), p.x, p.y);
      break;
    case WM_LBUTTONDBLCLK:
      FClickPending = false;
      FClickTimer->SetEnabled(false);
      if (OnDblClick) OnDblClick(this);
      if (!LeftPopup) ClickDefaultItem();
      break;
    case WM_RBUTTONDOWN:
      if (OnMouseDown) OnMouseDown(this, mbRight, AsyncShift(ssRight), p.x, p.y);
      PopupAtCursor();
      break;
    case WM_RBUTTONUP:
      if (OnMouseUp) OnMouseUp(this, mbRight, AsyncShift(ssRight), p.x, p.y);
      break;
    case WM_MBUTTONDOWN:
      if (OnMouseDown) OnMouseDown(this, mbMiddle, AsyncShift(ssMiddle), p.x, p.y);
      break;
    case WM_MBUTTONUP:
      if (OnMouseUp) OnMouseUp(this, mbMiddle, AsyncShift(ssMiddle), p.x, p.y);
      break;
  }
}

void TNotifyIcon::ClickTick() {
  FClickTimer->SetEnabled(false);
  if (!FClickPending) return;
  FClickPending = false;
  if (OnClick) OnClick(this);
}

void TNotifyIcon::TaskbarCreated() {
  if (FIconVisible) AddIcon();
}

void TNotifyIcon::ApplicationMinimized() {
  if (!MinimizeToTray) return;
  if (TForm* main = Application().MainForm()) main->Hide();
  SetIconVisible(true);
}

// --- the owner's window

void TNotifyIcon::HookOwner() {
  auto* owner = dynamic_cast<TWinControl*>(Owner());
  if (FHookedOwner || !owner || !owner->HandleAllocated()) return;
  if (SetWindowSubclass(owner->Handle(), OwnerProc, kIconId, DWORD_PTR(this))) FHookedOwner = owner->Handle();
}

void TNotifyIcon::UnhookOwner() {
  if (FHookedOwner && IsWindow(FHookedOwner)) RemoveWindowSubclass(FHookedOwner, OwnerProc, kIconId);
  FHookedOwner = nullptr;
}

// A form shown again by a show call while it is minimised (it was hidden to
// the icon) comes back restored and in front.
LRESULT CALLBACK TNotifyIcon::OwnerProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self) {
  if (msg == WM_NCDESTROY) {
    RemoveWindowSubclass(wnd, OwnerProc, kIconId);
    reinterpret_cast<TNotifyIcon*>(self)->FHookedOwner = nullptr;
  }
  const LRESULT result = DefSubclassProc(wnd, msg, wParam, lParam);
  if (msg == WM_SHOWWINDOW && wParam && lParam == 0 && IsIconic(wnd)) {
    ShowWindow(wnd, SW_RESTORE);
    SetForegroundWindow(wnd);
  }
  return result;
}

// --- the popup menu

// The menu at the pointer, with this component as the one that opened it.
// The icon's window and the owner's come to the front first, so that the
// menu closes when the user clicks elsewhere.
void TNotifyIcon::PopupAtCursor() {
  POINT p;
  if (!PopupMenu || !PopupMenu->AutoPopup || !GetCursorPos(&p)) return;
  Application().ProcessMessages();
  SetForegroundWindow(WindowHandle());
  auto* owner = dynamic_cast<TWinControl*>(Owner());
  if (owner) SetForegroundWindow(owner->Handle());
  PopupMenu->PopupComponent = this;
  PopupMenu->Popup(p.x, p.y);
  if (owner) PostMessageA(owner->Handle(), WM_NULL, 0, 0);
}

// The double click's default action: the first item marked as default.
void TNotifyIcon::ClickDefaultItem() {
  if (!PopupMenu || !PopupMenu->AutoPopup) return;
  TMenuItem* items = PopupMenu->Items();
  for (int i = 0; i < items->Count(); ++i)
    if (items->Items(i)->Default) {
      items->Items(i)->Click();
      return;
    }
}
