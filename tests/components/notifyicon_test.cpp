// The notification-area icon under Wine's tray: the icon is a small child
// window of the tray, and mouse messages posted to it reach the component.
#include "NotifyIcon.h"

#include <gtest/gtest.h>
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "../support/testfiles.h"
#include "ExtCtrls.h"
#include "Forms.h"

namespace {

// The tray's icon windows (Wine shows the tray as a window of the test's own
// process when no X tray is there).
std::vector<HWND> TrayIcons() {
  std::vector<HWND> icons;
  HWND tray = FindWindowA("__winex11_standalone_tray", nullptr);
  for (HWND w = tray ? GetWindow(tray, GW_CHILD) : nullptr; w; w = GetWindow(w, GW_HWNDNEXT)) {
    char cls[64] = "";
    GetClassNameA(w, cls, sizeof cls);
    if (std::string(cls) == "__winex11_tray_icon" && IsWindowVisible(w)) icons.push_back(w);
  }
  return icons;
}

// Wine's tray hands some mouse messages on through a message of its own, so
// the queue is run a few rounds.
void Pump() {
  for (int round = 0; round < 5; ++round) {
    Application().ProcessMessages();
    Sleep(10);
  }
  Application().ProcessMessages();
}

// A mouse message as the user's would come: posted to the icon's window in the tray.
void PostToIcon(UINT msg) {
  auto icons = TrayIcons();
  ASSERT_EQ(icons.size(), 1u);
  PostMessageA(icons[0], msg, msg == WM_LBUTTONDOWN ? MK_LBUTTON : 0, MAKELPARAM(5, 5));
  Pump();
}

HICON AppIcon() { return LoadIconA(nullptr, IDI_APPLICATION); }

// Records the component's events as letters.
struct TEventLog {
  explicit TEventLog(TNotifyIcon& icon) {
    icon.OnClick = [this](TComponent*) { Text += "C"; };
    icon.OnDblClick = [this](TComponent*) { Text += "D"; };
    icon.OnMouseDown = [this](TComponent*, TMouseButton b, TShiftState, int, int) { Text += "v" + Button(b); };
    icon.OnMouseUp = [this](TComponent*, TMouseButton b, TShiftState, int, int) { Text += "^" + Button(b); };
  }
  static std::string Button(TMouseButton b) { return b == mbLeft ? "L" : b == mbRight ? "R" : "M"; }
  std::string Text;
};

}  // namespace

TEST(NotifyIcon, AddsAndRemovesItsIconWithItsTip) {
  {
    TNotifyIcon icon(nullptr);
    icon.SetIcon(AppIcon());
    icon.SetHint("Brannox 2000");
    EXPECT_TRUE(icon.IconVisible()) << "shown once loaded";
    icon.Loaded();
    Pump();
    EXPECT_EQ(TrayIcons().size(), 1u);
    EXPECT_TRUE(icon.DeleteIcon());
    EXPECT_FALSE(icon.IconVisible());
    Pump();
    EXPECT_EQ(TrayIcons().size(), 0u);
    icon.SetIconVisible(true);
    Pump();
    EXPECT_EQ(TrayIcons().size(), 1u);
  }
  Pump();
  EXPECT_EQ(TrayIcons().size(), 0u) << "freeing the component removes its icon";
}

TEST(NotifyIcon, TheShellRecordCarriesTheHintCutTo127CharactersOnlyWithShowHint) {
  TNotifyIcon icon(nullptr);
  icon.SetIcon(AppIcon());
  std::string hint(200, 'h');
  hint[126] = 'x';
  icon.SetHint(hint);
  NOTIFYICONDATAA data = icon.IconData();
  EXPECT_EQ(std::string(data.szTip), hint.substr(0, 127));
  EXPECT_EQ(data.cbSize, NOTIFYICONDATAA_V2_SIZE);
  EXPECT_EQ(data.uFlags, UINT(NIF_MESSAGE | NIF_ICON | NIF_TIP));
  EXPECT_EQ(data.uCallbackMessage, 2048u);
  EXPECT_EQ(data.uID, 1u);
  EXPECT_EQ(data.hWnd, icon.WindowHandle());
  EXPECT_NE(data.hIcon, nullptr);
  EXPECT_NE(data.hIcon, AppIcon()) << "the icon is a copy";
  icon.SetShowHint(false);
  EXPECT_EQ(std::string(icon.IconData().szTip), "");
  EXPECT_EQ(icon.Hint(), hint);
  icon.SetShowHint(true);
  icon.SetHint("Brannox 2000");
  EXPECT_EQ(std::string(icon.IconData().szTip), "Brannox 2000");
}

TEST(NotifyIcon, ASingleClickIsReportedOnceAfterTheDoubleClickTime) {
  TNotifyIcon icon(nullptr);
  icon.SetIcon(AppIcon());
  icon.AddIcon();
  TEventLog log(icon);
  PostToIcon(WM_LBUTTONDOWN);
  PostToIcon(WM_LBUTTONUP);
  EXPECT_EQ(log.Text, "vL^L");
  EXPECT_TRUE(icon.ClickTimer()->Enabled()) << "the click waits for a second press";
  EXPECT_EQ(icon.ClickTimer()->Interval(), GetDoubleClickTime());
  icon.ClickTimer()->Tick();
  EXPECT_EQ(log.Text, "vL^LC");
  EXPECT_FALSE(icon.ClickTimer()->Enabled());
  icon.ClickTimer()->Tick();
  EXPECT_EQ(log.Text, "vL^LC") << "once";
  // A release without a press on the icon is no click.
  PostToIcon(WM_LBUTTONUP);
  icon.ClickTimer()->Tick();
  EXPECT_EQ(log.Text, "vL^LC^L");
}

TEST(NotifyIcon, ADoubleClickDoesNotAlsoRunTheClickHandler) {
  TNotifyIcon icon(nullptr);
  icon.SetIcon(AppIcon());
  icon.AddIcon();
  TEventLog log(icon);
  for (UINT msg : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}) PostToIcon(msg);
  EXPECT_FALSE(icon.ClickTimer()->Enabled());
  icon.ClickTimer()->Tick();
  EXPECT_EQ(log.Text, "vL^LD^L");
}

TEST(NotifyIcon, OtherButtonsAndTheDisabledIcon) {
  TNotifyIcon icon(nullptr);
  icon.SetIcon(AppIcon());
  icon.AddIcon();
  TEventLog log(icon);
  int moves = 0;
  icon.OnMouseMove = [&](TComponent*, TShiftState shift, int, int) { moves += shift == 0 ? 1 : 100; };
  for (UINT msg : {WM_RBUTTONDOWN, WM_RBUTTONUP, WM_MBUTTONDOWN, WM_MBUTTONUP, WM_MOUSEMOVE}) PostToIcon(msg);
  EXPECT_EQ(log.Text, "vR^RvM^M");
  EXPECT_EQ(moves, 1);
  icon.Enabled = false;
  for (UINT msg : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_MOUSEMOVE}) PostToIcon(msg);
  icon.ClickTimer()->Tick();
  EXPECT_EQ(log.Text, "vR^RvM^M");
  EXPECT_EQ(moves, 1);
}

TEST(NotifyIcon, MessagesQueuedForAFreedIconReachNothing) {
  auto* icon = new TNotifyIcon(nullptr);
  icon->SetIcon(AppIcon());
  icon->AddIcon();
  bool called = false;
  icon->OnMouseDown = [&](TComponent*, TMouseButton, TShiftState, int, int) { called = true; };
  icon->OnClick = [&](TComponent*) { called = true; };
  const HWND window = icon->WindowHandle();
  PostMessageA(window, TNotifyIcon::kCallbackMessage, TNotifyIcon::kIconId, WM_LBUTTONDOWN);
  PostMessageA(window, TNotifyIcon::kCallbackMessage, TNotifyIcon::kIconId, WM_LBUTTONUP);
  PostMessageA(TrayIcons().at(0), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  delete icon;
  Pump();
  EXPECT_FALSE(called);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(TrayIcons().size(), 0u);
}

TEST(NotifyIcon, TheShellsRestartBringsAVisibleIconBack) {
  TNotifyIcon icon(nullptr);
  icon.SetIcon(AppIcon());
  icon.SetHint("back");
  icon.AddIcon();
  TNotifyIcon hidden(nullptr);
  hidden.SetIcon(AppIcon());
  hidden.DeleteIcon();
  Pump();
  ASSERT_EQ(TrayIcons().size(), 1u);
  // A restarted shell has lost every icon.
  NOTIFYICONDATAA data{};
  data.cbSize = NOTIFYICONDATAA_V2_SIZE;
  data.hWnd = icon.WindowHandle();
  data.uID = TNotifyIcon::kIconId;
  ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &data));
  Pump();
  ASSERT_EQ(TrayIcons().size(), 0u);
  SendMessageTimeoutA(HWND_BROADCAST, RegisterWindowMessageA("TaskbarCreated"), 0, 0, SMTO_ABORTIFHUNG, 2000, nullptr);
  Pump();
  EXPECT_EQ(TrayIcons().size(), 1u);
  EXPECT_FALSE(hidden.IconVisible());
}

TEST(NotifyIcon, EndOfSessionIsAllowed) {
  TNotifyIcon icon(nullptr);
  EXPECT_EQ(SendMessageA(icon.WindowHandle(), WM_QUERYENDSESSION, 0, 0), 1);
}
