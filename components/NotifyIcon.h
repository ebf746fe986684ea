// TNotifyIcon: an icon in the Windows notification area. It turns the icon's
// mouse messages into events, pops up a menu at the pointer, can cycle
// through the icons of an image list, and can hide the main form when the
// application is minimised.
#pragma once
// The class library's headers come before windows.h (its colour macros).
#include "Classes.h"
#include "Controls.h"
#include "Handles.h"
#include "ImgList.h"
#include "Menus.h"

#include <shellapi.h>

#include <functional>
#include <memory>
#include <string>

class TTimer;
class TNotifyIconWindow;

using TCycleEvent = std::function<void(TComponent* sender, int nextIndex)>;

class TNotifyIcon : public TComponent {
public:
  // The shell's callback message for the icon (WM_USER + 1024).
  static constexpr UINT kCallbackMessage = WM_USER + 1024;
  // The icon's identifier within the component's window.
  static constexpr UINT kIconId = 1;
  // The longest tip the shell record holds, without its terminating zero.
  static constexpr size_t kMaxTip = 127;

  explicit TNotifyIcon(TComponent* owner);
  // Removes the icon from the notification area.
  ~TNotifyIcon() override;
  std::string ClassName() const override { return "TNotifyIcon"; }

  // Each sends the icon to the shell and says whether the shell took it.
  // AddIcon sets IconVisible, DeleteIcon clears it.
  virtual bool AddIcon();
  virtual bool DeleteIcon();
  virtual bool ModifyIcon();
  // With StartMinimized the owning form is hidden; then the icon is sent and
  // IconVisible applied.
  void Loaded() override;

  // Icons for cycling (not owned); its icons are copied out as they are shown.
  TImageList* IconList() const { return FIconList; }
  void SetIconList(TImageList* list);
  bool CycleIcons() const { return FCycleIcons; }
  void SetCycleIcons(bool on);
  unsigned CycleInterval() const { return FCycleInterval; }
  void SetCycleInterval(unsigned ms);
  bool Enabled = true;  // the icon's mouse messages are handled
  const std::string& Hint() const { return FHint; }
  void SetHint(const std::string& hint);
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool on);
  const TIcon& Icon() const { return FIcon; }
  void SetIcon(const TIcon& icon);  // copied
  bool IconVisible() const { return FIconVisible; }
  void SetIconVisible(bool visible);
  int IconIndex() const { return FIconIndex; }
  void SetIconIndex(int index);
  TPopupMenu* PopupMenu = nullptr;  // not owned
  bool LeftPopup = false;           // pop the menu up on a left press, not on the right button
  bool StartMinimized = false;
  bool MinimizeToTray = false;      // minimising the application hides the main form behind the icon

  TNotifyEvent OnClick, OnDblClick;
  TMouseEvent OnMouseDown, OnMouseUp;
  TMouseMoveEvent OnMouseMove;
  TCycleEvent OnCycle;

  // The shell record that the next call sends: the component's window, the
  // icon, and the tip (Hint cut to kMaxTip characters, empty without ShowHint).
  NOTIFYICONDATAA IconData() const;
  // The component's own window, which the shell's messages for the icon reach.
  HWND WindowHandle() const;
  // A left click waits on this timer for the double-click time, so that the
  // click of a double click is never reported; tests call its Tick().
  TTimer* ClickTimer() const { return FClickTimer; }
  TTimer* CycleTimer() const { return FCycleTimer; }

protected:
  // The icon list or the popup menu going away is forgotten.
  void Notification(TComponent* component, TOperation operation) override;
  // The icon's mouse message (WM_LBUTTONDOWN, ...), sent by the shell.
  void IconMessage(UINT mouseMessage);
  // The shell restarted: a visible icon is added again.
  void TaskbarCreated();

private:
  friend class TNotifyIconWindow;
  bool Notify(DWORD action);
  void PopupAtCursor();
  void ClickDefaultItem();
  void CycleTick();
  void ClickTick();
  void ApplicationMinimized();
  void HookOwner();
  void UnhookOwner();
  static LRESULT CALLBACK OwnerProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR self);

  std::unique_ptr<TNotifyIconWindow> FWindow;  // owned
  TTimer* FCycleTimer = nullptr;               // owned (a component of this)
  TTimer* FClickTimer = nullptr;               // owned (a component of this)
  TIcon FIcon;
  TImageList* FIconList = nullptr;  // not owned
  std::string FHint;
  bool FShowHint = true;
  bool FIconVisible = true;
  bool FAdded = false;  // whether the shell holds the icon
  bool FCycleIcons = false;
  unsigned FCycleInterval = 0;
  int FIconIndex = 0;
  bool FLeftPressed = false;  // the left button went down on the icon
  bool FClickPending = false; // a left click waits for the double-click time
  int FMinimizeHandler = 0;   // the application's minimise event, removed at the end
  HWND FHookedOwner = nullptr;  // the owner's window while it is subclassed
};
