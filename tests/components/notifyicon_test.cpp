// The notification-area icon under Wine's tray: the icon is a small child
// window of the tray, and mouse messages posted to it reach the component.
#include "NotifyIcon.h"

#include <gtest/gtest.h>
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "../support/testfiles.h"
#include "ExtCtrls.h"
#include "Forms.h"
#include "Menus.h"

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

TIcon AppIcon() {
  TIcon icon;
  icon.SetHandle(CopyIcon(LoadIconA(nullptr, IDI_APPLICATION)));
  return icon;
}

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

// An icon shown in the tray, its events logged.
class ShownIcon : public testing::Test {
protected:
  void SetUp() override {
    Icon.SetIcon(AppIcon());
    Icon.AddIcon();
  }
  TNotifyIcon Icon{nullptr};
  TEventLog Log{Icon};
};

}  // namespace

TEST(NotifyIcon, AddsItsIconAndRemovesItWhenFreed) {
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

// A hidden icon costs the program no window and no call to the shell; once
// shown, it carries the values set meanwhile.
TEST(NotifyIcon, AHiddenIconMakesNoWindowUntilItIsShown) {
  const auto iconWindows = [] {
    int n = 0;
    for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, "TNotifyIconWindow", nullptr));) ++n;
    return n;
  };
  const int before = iconWindows();
  TNotifyIcon icon(nullptr);
  icon.SetIconVisible(false);
  icon.SetIcon(AppIcon());
  icon.SetHint("Brannox 2000");
  icon.SetIconIndex(0);
  Pump();
  EXPECT_EQ(iconWindows(), before);
  EXPECT_TRUE(TrayIcons().empty());
  EXPECT_FALSE(icon.ModifyIcon()) << "the shell holds no hidden icon";
  EXPECT_FALSE(icon.DeleteIcon());
  icon.SetIconVisible(true);
  Pump();
  EXPECT_EQ(iconWindows(), before + 1);
  EXPECT_EQ(TrayIcons().size(), 1u);
  EXPECT_TRUE(icon.ModifyIcon());
  EXPECT_TRUE(icon.DeleteIcon());
  Pump();
  EXPECT_TRUE(TrayIcons().empty());
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
  EXPECT_EQ(data.hIcon, icon.Icon().Handle());
  icon.SetShowHint(false);
  EXPECT_EQ(std::string(icon.IconData().szTip), "");
  EXPECT_EQ(icon.Hint(), hint);
  icon.SetShowHint(true);
  icon.SetHint("Brannox 2000");
  EXPECT_EQ(std::string(icon.IconData().szTip), "Brannox 2000");
}

TEST_F(ShownIcon, ASingleClickIsReportedOnceAfterTheDoubleClickTime) {
  PostToIcon(WM_LBUTTONDOWN);
  PostToIcon(WM_LBUTTONUP);
  EXPECT_EQ(Log.Text, "vL^L");
  EXPECT_TRUE(Icon.ClickTimer()->Enabled()) << "the click waits for a second press";
  EXPECT_EQ(Icon.ClickTimer()->Interval(), GetDoubleClickTime());
  Icon.ClickTimer()->Tick();
  EXPECT_EQ(Log.Text, "vL^LC");
  EXPECT_FALSE(Icon.ClickTimer()->Enabled());
  Icon.ClickTimer()->Tick();
  EXPECT_EQ(Log.Text, "vL^LC") << "once";
  // A release without a press on the icon is no click.
  PostToIcon(WM_LBUTTONUP);
  Icon.ClickTimer()->Tick();
  EXPECT_EQ(Log.Text, "vL^LC^L");
}

TEST_F(ShownIcon, ADoubleClickDoesNotAlsoRunTheClickHandler) {
  for (UINT msg : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}) PostToIcon(msg);
  EXPECT_FALSE(Icon.ClickTimer()->Enabled());
  Icon.ClickTimer()->Tick();
  EXPECT_EQ(Log.Text, "vL^LD^L");
}

TEST_F(ShownIcon, OtherButtonsAndTheDisabledIcon) {
  int moves = 0;
  Icon.OnMouseMove = [&](TComponent*, TShiftState shift, int, int) { moves += shift == 0 ? 1 : 100; };
  for (UINT msg : {WM_RBUTTONDOWN, WM_RBUTTONUP, WM_MBUTTONDOWN, WM_MBUTTONUP, WM_MOUSEMOVE}) PostToIcon(msg);
  EXPECT_EQ(Log.Text, "vR^RvM^M");
  EXPECT_EQ(moves, 1);
  Icon.Enabled = false;
  for (UINT msg : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_MOUSEMOVE}) PostToIcon(msg);
  Icon.ClickTimer()->Tick();
  EXPECT_EQ(Log.Text, "vR^RvM^M");
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

namespace {
// A menu of "Open" (the default item), "Settings" and "Close", each click logged.
class TrayMenu : public ShownIcon {
protected:
  void SetUp() override {
    ShownIcon::SetUp();
    for (const char* caption : {"Open", "Settings", "Close"}) {
      auto* item = new TMenuItem(&Menu);
      item->Caption = caption;
      item->OnClick = [this, caption](TComponent*) { Log.Text += std::string("[") + caption + "]"; };
      Menu.Items()->Add(item);
    }
    Menu.Items()->Items(0)->Default = true;
    Menu.OnPopup = [this](TComponent*) { Log.Text += "P"; };
    Icon.PopupMenu = &Menu;
  }
  TPopupMenu Menu{nullptr};
};

// While a menu is up: how often it was seen, and for how long to hold it
// (BX_SHOW_TRAYMENU milliseconds, for a screenshot) before it is closed.
int MenusSeen = 0;
DWORD HoldUntil = 0;
void CALLBACK CloseMenu(HWND, UINT, UINT_PTR id, DWORD) {
  if (FindWindowA("#32768", nullptr) && IsWindowVisible(FindWindowA("#32768", nullptr))) {
    if (HoldUntil == 0) ++MenusSeen;
    if (const char* ms = std::getenv("BX_SHOW_TRAYMENU"); ms && HoldUntil == 0) HoldUntil = GetTickCount() + DWORD(atoi(ms));
    if (GetTickCount() < HoldUntil) return;
  }
  KillTimer(nullptr, id);
  HoldUntil = 0;
  EndMenu();
}
}  // namespace

TEST_F(TrayMenu, ADoubleClickRunsTheDefaultItemOnly) {
  Menu.Items()->Items(0)->Default = false;
  Menu.Items()->Items(1)->Default = true;
  Menu.Items()->Items(2)->Default = true;
  for (UINT msg : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}) PostToIcon(msg);
  Icon.ClickTimer()->Tick();
  EXPECT_EQ(Log.Text, "vL^LD[Settings]^L");
  // Not with the menu on the left button, nor without automatic popup.
  Icon.LeftPopup = true;
  Menu.AutoPopup = false;
  for (UINT msg : {WM_LBUTTONDBLCLK, WM_LBUTTONUP}) PostToIcon(msg);
  Icon.LeftPopup = false;
  for (UINT msg : {WM_LBUTTONDBLCLK, WM_LBUTTONUP}) PostToIcon(msg);
  EXPECT_EQ(Log.Text, "vL^LD[Settings]^LD^LD^L");
}

TEST_F(TrayMenu, TheRightButtonPopsTheMenuUpAtThePointer) {
  MenusSeen = 0;
  SetTimer(nullptr, 0, 300, CloseMenu);
  PostToIcon(WM_RBUTTONDOWN);
  EXPECT_EQ(MenusSeen, 1);
  EXPECT_EQ(Log.Text, "vRP");
  EXPECT_EQ(Menu.PopupComponent, &Icon);
  // A left press pops it up only with LeftPopup.
  PostToIcon(WM_LBUTTONDOWN);
  EXPECT_EQ(MenusSeen, 1);
  Icon.LeftPopup = true;
  SetTimer(nullptr, 0, 300, CloseMenu);
  PostToIcon(WM_LBUTTONDOWN);
  EXPECT_EQ(MenusSeen, 2);
  EXPECT_EQ(Log.Text, "vRPvLvLP");
  // Nothing without automatic popup.
  Menu.AutoPopup = false;
  PostToIcon(WM_RBUTTONDOWN);
  EXPECT_EQ(Log.Text, "vRPvLvLPvR");
}

TEST_F(TrayMenu, TheMenuGoingAwayIsForgotten) {
  auto* owned = new TPopupMenu(&Icon);
  Icon.PopupMenu = owned;
  delete owned;
  EXPECT_EQ(Icon.PopupMenu, nullptr);
  PostToIcon(WM_RBUTTONDOWN);
  EXPECT_EQ(Log.Text, "vR");
}

namespace {
// An image list of count icons.
std::unique_ptr<TImageList> IconList(int count) {
  auto list = std::make_unique<TImageList>(nullptr);
  for (int i = 0; i < count; ++i) list->AddIcon(AppIcon());
  return list;
}
}  // namespace

TEST(NotifyIcon, IconIndexStaysWithinTheList) {
  TNotifyIcon icon(nullptr);
  auto three = IconList(3), none = IconList(0);
  icon.SetIconList(three.get());
  icon.SetIconIndex(7);
  EXPECT_EQ(icon.IconIndex(), 2) << "past the end: the last icon";
  EXPECT_FALSE(icon.Icon().Empty());
  icon.SetIconIndex(-4);
  EXPECT_EQ(icon.IconIndex(), 0);
  icon.SetIconIndex(1);
  icon.SetIconList(nullptr);
  EXPECT_EQ(icon.IconIndex(), 0);
  icon.SetIconIndex(5);
  EXPECT_EQ(icon.IconIndex(), 0) << "no list, no index";
  icon.SetIconList(none.get());
  icon.SetIconIndex(5);
  EXPECT_EQ(icon.IconIndex(), 0);
  EXPECT_FALSE(icon.Icon().Empty()) << "an empty list keeps the icon";
}

TEST(NotifyIcon, CyclingStepsThroughTheListAndWraps) {
  TNotifyIcon icon(nullptr);
  auto three = IconList(3);
  icon.SetIconList(three.get());
  icon.SetIconIndex(2);
  std::vector<int> nexts;
  icon.OnCycle = [&](TComponent*, int next) { nexts.push_back(next); };
  icon.SetCycleInterval(250);
  icon.SetCycleIcons(true);
  EXPECT_EQ(icon.IconIndex(), 0);
  EXPECT_TRUE(icon.CycleTimer()->Enabled());
  EXPECT_EQ(icon.CycleTimer()->Interval(), 250u);
  for (int i = 0; i < 4; ++i) icon.CycleTimer()->Tick();
  EXPECT_EQ(nexts, (std::vector<int>{1, 2, 0, 1}));
  EXPECT_EQ(icon.IconIndex(), 1);
  icon.SetCycleIcons(false);
  EXPECT_FALSE(icon.CycleTimer()->Enabled());
  // Without a list a tick does nothing.
  icon.SetIconList(nullptr);
  icon.CycleTimer()->Tick();
  EXPECT_EQ(nexts.size(), 4u);
}

namespace {
// The program's main form for the tests below; it lives as long as the
// process, as a program's main form does.
TForm& MainForm() {
  static TForm* form = [] {
    auto* f = new TForm(nullptr);
    f->SetBounds(50, 50, 320, 200);
    f->SetCaption("Main");
    Application().SetMainForm(f);
    return f;
  }();
  return *form;
}
}  // namespace

TEST(NotifyIcon, MinimizeToTrayHidesTheMainFormBehindTheIconAndAShowRestoresIt) {
  TForm& form = MainForm();
  form.Show();
  Pump();
  TNotifyIcon icon(&form);
  icon.SetIcon(AppIcon());
  icon.SetIconVisible(false);
  // Without MinimizeToTray a minimised form stays in the task bar.
  ShowWindow(form.Handle(), SW_MINIMIZE);
  Pump();
  EXPECT_TRUE(IsWindowVisible(form.Handle()));
  EXPECT_FALSE(icon.IconVisible());
  ShowWindow(form.Handle(), SW_RESTORE);
  Pump();

  icon.MinimizeToTray = true;
  ShowWindow(form.Handle(), SW_MINIMIZE);
  Pump();
  EXPECT_FALSE(IsWindowVisible(form.Handle()));
  EXPECT_TRUE(icon.IconVisible());
  EXPECT_EQ(TrayIcons().size(), 1u);
  icon.MinimizeToTray = false;

  // What the program does to come back: shows its form, which comes back restored.
  form.Show();
  Pump();
  EXPECT_TRUE(IsWindowVisible(form.Handle()));
  EXPECT_FALSE(IsIconic(form.Handle()));
  icon.SetIconVisible(false);
  Pump();
  EXPECT_EQ(TrayIcons().size(), 0u);
}

TEST(NotifyIcon, StartMinimizedHidesTheOwningFormWhenLoaded) {
  TForm form(nullptr);
  form.SetBounds(60, 60, 200, 100);
  form.Show();
  auto* icon = new TNotifyIcon(&form);
  icon->SetIcon(AppIcon());
  icon->StartMinimized = true;
  icon->Loaded();
  Pump();
  EXPECT_FALSE(IsWindowVisible(form.Handle()));
  EXPECT_EQ(TrayIcons().size(), 1u);
}

// --- the end of the program

namespace {
// Writes how many icons the tray shows to the report file.
void ReportTrayIcons() {
  if (const char* report = std::getenv("BX_NOTIFYICON_REPORT")) WriteAll(report, std::to_string(TrayIcons().size()));
}
[[noreturn]] void ReportAndLeave() {
  ReportTrayIcons();
  _exit(3);
}
LONG WINAPI ReportCrash(EXCEPTION_POINTERS*) { ReportAndLeave(); }
// An exception that leaves a function that may not throw ends the program.
void ThrowUnhandled() noexcept { (void)std::vector<int>().at(1); }

// Runs this program again in the given end mode; what its last observer saw.
std::string EndInChild(const std::string& mode) {
  const std::string report = testing::TempDir() + "bx_notifyicon_end.txt";
  std::remove(report.c_str());
  _putenv_s("BX_NOTIFYICON_END", mode.c_str());
  _putenv_s("BX_NOTIFYICON_REPORT", report.c_str());
  char self[MAX_PATH];
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string command = "\"" + std::string(self) + "\" --gtest_filter=NotifyIconChild.*";
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  const bool started = CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi);
  _putenv_s("BX_NOTIFYICON_END", "");
  if (!started) return "not started";
  WaitForSingleObject(pi.hProcess, 60000);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return ReadAll(report);
}
}  // namespace

// The child's side of the tests below: an observer installed before the
// icon runs after the icon's own clean-up and counts what is left.
TEST(NotifyIconChild, EndsWhileTheIconIsShown) {
  const char* env = std::getenv("BX_NOTIFYICON_END");
  if (!env || !*env) GTEST_SKIP() << "run by the end-of-program tests";
  const std::string mode = env;
  if (mode == "exit") std::atexit(ReportTrayIcons);
  if (mode == "exception") std::set_terminate(ReportAndLeave);
  if (mode == "crash") SetUnhandledExceptionFilter(ReportCrash);
  auto* icon = new TNotifyIcon(nullptr);  // left for the end of the program, as a main form's is
  icon->SetIcon(AppIcon());
  icon->AddIcon();
  Pump();
  if (mode == "shown") ReportTrayIcons();
  if (mode == "exception") ThrowUnhandled();
  if (mode == "crash") RaiseException(0xE0000B2B, EXCEPTION_NONCONTINUABLE, 0, nullptr);
}

TEST(NotifyIcon, TheIconGoesWhenTheProgramEndsHoweverItEnds) {
  ASSERT_EQ(EndInChild("shown"), "1") << "the child sees its own icon";
  EXPECT_EQ(EndInChild("exit"), "0");
  EXPECT_EQ(EndInChild("exception"), "0");
  EXPECT_EQ(EndInChild("crash"), "0");
}
