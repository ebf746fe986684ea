// Forms and windowless controls: styles, mouse routing with enter and leave,
// the exception boundary of the window procedure, timers and cursors.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Dialogs.h"
#include "ExtCtrls.h"
#include "Forms.h"
#include "StdCtrls.h"

#include <commctrl.h>

namespace {
class TRecorder : public TGraphicControl {
public:
  TRecorder(TComponent* owner, std::vector<std::string>& log, std::string name)
      : TGraphicControl(owner), FLog(log) {
    Name = std::move(name);
    OnMouseEnter = [this](TComponent*) { FLog.push_back("enter " + Name); };
    OnMouseLeave = [this](TComponent*) { FLog.push_back("leave " + Name); };
    OnClick = [this](TComponent*) { FLog.push_back("click " + Name); };
    OnMouseDown = [this](TComponent*, TMouseButton, TShiftState, int x, int y) {
      FLog.push_back("down " + Name + " " + std::to_string(x) + "," + std::to_string(y));
    };
  }

private:
  std::vector<std::string>& FLog;
};

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

class TThrowingForm : public TForm {
public:
  using TForm::TForm;
  LRESULT WndProc(UINT msg, WPARAM w, LPARAM l) override {
    if (msg == WM_USER + 1) throw Exception("The list file is damaged");
    if (msg == WM_USER + 2) throw 42;
    return TForm::WndProc(msg, w, l);
  }
};
}  // namespace

TEST(Forms, StayOnTopIsSwitchedWithoutANewWindow) {
  TForm form(nullptr);
  form.SetBorderStyle(bsNone);
  form.SetBounds(10, 10, 120, 80);
  HWND before = form.Handle();
  EXPECT_EQ(GetWindowLongPtrA(before, GWL_STYLE) & WS_CAPTION, 0);
  form.SetFormStyle(fsStayOnTop);
  EXPECT_EQ(form.Handle(), before);
  EXPECT_NE(GetWindowLongPtrA(before, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  form.SetFormStyle(fsNormal);
  EXPECT_EQ(form.Handle(), before);
  EXPECT_EQ(GetWindowLongPtrA(before, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  // A border added later keeps the window too.
  form.SetBorderStyle(bsSingle);
  EXPECT_EQ(form.Handle(), before);
  EXPECT_NE(GetWindowLongPtrA(before, GWL_STYLE) & WS_CAPTION, 0);
  form.SetClientSize(200, 100);
  EXPECT_EQ(form.ClientWidth(), 200);
  EXPECT_EQ(form.ClientHeight(), 100);
}

TEST(Forms, WindowClassIsTheFormsClassName) {
  TForm form(nullptr);
  char name[64] = "";
  GetClassNameA(form.Handle(), name, sizeof name);
  EXPECT_STREQ(name, "TForm");
}

TEST(Forms, AlClientChildrenFollowTheClientArea) {
  TForm form(nullptr);
  form.SetBorderStyle(bsNone);
  form.SetBounds(0, 0, 150, 90);
  TImage image(nullptr);
  image.Align = alClient;
  image.SetParent(&form);
  form.Handle();
  EXPECT_EQ(image.Width(), 150);
  EXPECT_EQ(image.Height(), 90);
  form.SetBounds(0, 0, 200, 60);
  EXPECT_EQ(image.Width(), 200);
  EXPECT_EQ(image.Height(), 60);
}

TEST(GraphicControls, AHiddenWindowCollectsNoPaintingAndIsPaintedWholeWhenShown) {
  TForm form(nullptr);
  form.SetBorderStyle(bsNone);
  form.Color = clBlack;
  form.SetBounds(30, 30, 120, 80);
  TImage image(nullptr);
  image.SetParent(&form);
  form.Handle();
  ValidateRect(form.Handle(), nullptr);
  // Changes to a control of a hidden window ask the system for nothing.
  image.SetBounds(10, 10, 40, 30);
  TBitmap& red = image.Picture().Bitmap();
  red.SetSize(40, 30);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) red.SetPixel(x, y, clRed);
  image.Changed();
  image.SetVisible(false);
  image.SetVisible(true);
  EXPECT_FALSE(GetUpdateRect(form.Handle(), nullptr, FALSE));
  // Shown, the window is painted whole, the control with it.
  form.Show();
  UpdateWindow(form.Handle());
  HDC screen = GetDC(nullptr);
  EXPECT_EQ(GetPixel(screen, 30 + 25, 30 + 25), RGB(255, 0, 0));
  ReleaseDC(nullptr, screen);
  // Shown, a change marks the control's place for painting again.
  image.SetBounds(50, 10, 40, 30);
  RECT dirty{};
  ASSERT_TRUE(GetUpdateRect(form.Handle(), &dirty, FALSE));
  EXPECT_LE(dirty.left, 10);
  EXPECT_GE(dirty.right, 90);
}

TEST(GraphicControls, LeaveComesBeforeEnterAndClicksGoToTheControlPressed) {
  std::vector<std::string> log;
  TForm form(nullptr);
  form.SetBorderStyle(bsNone);
  form.SetBounds(0, 0, 200, 100);
  auto* a = new TRecorder(&form, log, "A");
  auto* b = new TRecorder(&form, log, "B");
  a->SetBounds(0, 0, 100, 100);
  b->SetBounds(100, 0, 100, 100);
  a->SetParent(&form);
  b->SetParent(&form);
  HWND wnd = form.Handle();
  SendMessageA(wnd, WM_MOUSEMOVE, 0, At(10, 10));
  SendMessageA(wnd, WM_MOUSEMOVE, 0, At(20, 10));  // still A: nothing new
  SendMessageA(wnd, WM_MOUSEMOVE, 0, At(150, 10));
  SendMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, At(160, 20));
  SendMessageA(wnd, WM_LBUTTONUP, 0, At(161, 21));
  // Pressed on B, released over A: no click.
  SendMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, At(150, 20));
  SendMessageA(wnd, WM_LBUTTONUP, 0, At(50, 20));
  SendMessageA(wnd, WM_MOUSELEAVE, 0, 0);
  std::vector<std::string> want = {"enter A", "leave A", "enter B", "down B 60,20", "click B",
                                   "down B 50,20", "leave B"};
  EXPECT_EQ(log, want);
  // A hidden control is not hit.
  log.clear();
  b->SetVisible(false);
  SendMessageA(wnd, WM_MOUSEMOVE, 0, At(150, 10));
  EXPECT_TRUE(log.empty());
}

TEST(GraphicControls, AControlFreedWhileHoveredIsForgotten) {
  std::vector<std::string> log;
  TForm form(nullptr);
  form.SetBounds(0, 0, 100, 100);
  auto* a = new TRecorder(&form, log, "A");
  a->SetBounds(0, 0, 50, 50);
  a->SetParent(&form);
  HWND wnd = form.Handle();
  SendMessageA(wnd, WM_MOUSEMOVE, 0, At(5, 5));
  delete a;
  SendMessageA(wnd, WM_MOUSEMOVE, 0, At(60, 60));
  SendMessageA(wnd, WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(log, std::vector<std::string>{"enter A"});
}

TEST(ExceptionBoundary, AnExceptionInAHandlerIsShownAndStopsThere) {
  std::vector<TPromptRequest> shown;
  SetPromptHook([&](const TPromptRequest& r) {
    shown.push_back(r);
    return mrOk;
  });
  SetApplicationTitle("Brannox 2000");
  TThrowingForm form(nullptr);
  EXPECT_EQ(SendMessageA(form.Handle(), WM_USER + 1, 0, 0), 0);
  EXPECT_EQ(SendMessageA(form.Handle(), WM_USER + 2, 0, 0), 0);
  SetPromptHook(nullptr);
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0].Caption, "Brannox 2000");
  EXPECT_EQ(shown[0].Text, "The list file is damaged.");
  EXPECT_EQ(shown[1].Text, "An unknown error occurred.");
  // The window is still alive and answers.
  EXPECT_TRUE(IsWindow(form.Handle()));
}

TEST(ExceptionBoundary, ApplicationHandlersTakeTheExceptionInstead) {
  std::vector<std::string> first, second;
  int a = Application().AddOnException([&](const std::exception& e) { first.push_back(e.what()); });
  int b = Application().AddOnException([&](const std::exception& e) { second.push_back(e.what()); });
  TThrowingForm form(nullptr);
  SendMessageA(form.Handle(), WM_USER + 1, 0, 0);
  Application().RemoveHandler(a);
  SendMessageA(form.Handle(), WM_USER + 1, 0, 0);
  Application().RemoveHandler(b);
  EXPECT_EQ(first.size(), 1u);
  EXPECT_EQ(second.size(), 2u);
}

// Only the main form's own minimise and restore are the application's, once
// each, to every handler still added.
TEST(ApplicationEvents, MainFormMinimiseAndRestoreReachEveryHandler) {
  std::vector<std::string> calls;
  int a = Application().AddOnMinimize([&](TComponent*) { calls.push_back("min a"); });
  int b = Application().AddOnMinimize([&](TComponent*) { calls.push_back("min b"); });
  int c = Application().AddOnRestore([&](TComponent*) { calls.push_back("restore"); });
  {
    TForm other(nullptr);
    TForm main(nullptr);
    Application().SetMainForm(&main);
    ASSERT_EQ(Application().MainForm(), &main);
    other.Show();
    ShowWindow(other.Handle(), SW_MINIMIZE);
    ShowWindow(other.Handle(), SW_RESTORE);
    EXPECT_TRUE(calls.empty()) << "another form is not the application";
    main.Show();
    ShowWindow(main.Handle(), SW_MINIMIZE);
    ShowWindow(main.Handle(), SW_MINIMIZE);
    EXPECT_EQ(calls, (std::vector<std::string>{"min a", "min b"}));
    Application().RemoveHandler(b);
    ShowWindow(main.Handle(), SW_RESTORE);
    ShowWindow(main.Handle(), SW_MINIMIZE);
    ShowWindow(main.Handle(), SW_RESTORE);
    EXPECT_EQ(calls, (std::vector<std::string>{"min a", "min b", "restore", "min a", "restore"}));
    // Resizing a window that was not minimised is no restore.
    main.SetBounds(0, 0, 120, 90);
    EXPECT_EQ(calls.size(), 5u);
  }
  Application().RemoveHandler(a);
  Application().RemoveHandler(c);
  // The main form's end posted the quit of the loop: take it back out.
  MSG msg;
  PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}

TEST(Timer, TicksWhileEnabledOnly) {
  TTimer timer(nullptr);
  int ticks = 0;
  timer.OnTimer = [&](TComponent*) { ++ticks; };
  timer.Tick();
  EXPECT_EQ(ticks, 1);
  timer.SetInterval(10);
  Application().ProcessMessages();
  Sleep(50);
  Application().ProcessMessages();
  EXPECT_EQ(ticks, 1) << "a new timer waits to be enabled";
  timer.SetEnabled(true);
  for (int i = 0; i < 50 && ticks < 3; ++i) {
    Sleep(10);
    Application().ProcessMessages();
  }
  EXPECT_GE(ticks, 3);
  timer.SetEnabled(false);
  int stopped = ticks;
  Sleep(50);
  Application().ProcessMessages();
  EXPECT_EQ(ticks, stopped);
}

TEST(Timer, AHandlerMayStopItsOwnTimer) {
  TTimer timer(nullptr);
  int ticks = 0;
  timer.OnTimer = [&](TComponent*) {
    ++ticks;
    timer.SetEnabled(false);
  };
  timer.SetInterval(5);
  timer.SetEnabled(true);
  for (int i = 0; i < 20; ++i) {
    Sleep(10);
    Application().ProcessMessages();
  }
  EXPECT_EQ(ticks, 1);
}

TEST(Cursors, SlotsFromFilesAndResourcesAndTheArrowFallback) {
  HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
  EXPECT_EQ(ScreenCursors().Get(crDefault), arrow);
  EXPECT_EQ(ScreenCursors().Get(42), arrow);
  EXPECT_FALSE(TScreenCursors::FromFile("Z:\\no\\such\\cursor.cur"));
  EXPECT_FALSE(TScreenCursors::FromResource("NO_SUCH_CURSOR"));
  TCursorHandle c = TScreenCursors::FromFile(BX_TEST_DATA "/../../resources/launcher/cur_exit.cur");
  ASSERT_TRUE(c);
  HCURSOR raw = c.Get();
  ScreenCursors().Set(3, std::move(c));
  EXPECT_EQ(ScreenCursors().Get(3), raw);
  ScreenCursors().Set(3, TCursorHandle());
  EXPECT_EQ(ScreenCursors().Get(3), arrow);
  // A resource slot: a missing resource leaves the arrow; a file cursor set
  // afterwards wins over the resource not yet loaded, and the other way round.
  ScreenCursors().SetResource(4, "NO_SUCH_CURSOR");
  EXPECT_EQ(ScreenCursors().Get(4), arrow);
  ScreenCursors().SetResource(4, "NO_SUCH_CURSOR");
  TCursorHandle file = TScreenCursors::FromFile(BX_TEST_DATA "/../../resources/launcher/cur_exit.cur");
  raw = file.Get();
  ScreenCursors().Set(4, std::move(file));
  EXPECT_EQ(ScreenCursors().Get(4), raw);
  ScreenCursors().SetResource(4, "NO_SUCH_CURSOR");
  EXPECT_EQ(ScreenCursors().Get(4), arrow);
}

namespace {
HWND FormTooltip(HWND form) {
  HWND found = nullptr;
  HWND w = nullptr;
  while ((w = FindWindowExA(nullptr, w, "tooltips_class32", nullptr)))
    if (GetWindow(w, GW_OWNER) == form) found = w;
  return found;
}

std::string ToolText(HWND tip, HWND form, RECT* rect) {
  char text[256] = "";
  TTTOOLINFOA ti{};
  ti.cbSize = sizeof ti;
  ti.hwnd = form;
  ti.uId = 1;
  ti.lpszText = text;
  SendMessageA(tip, TTM_GETTOOLINFOA, 0, LPARAM(&ti));
  *rect = ti.rect;
  SendMessageA(tip, TTM_GETTEXTA, sizeof text, LPARAM(&ti));
  return text;
}
}  // namespace

TEST(Hints, TheToolFollowsTheControlUnderTheMouse) {
  std::vector<std::string> log;
  TForm form(nullptr);
  form.SetBorderStyle(bsNone);
  form.SetBounds(0, 0, 200, 100);
  form.ShowHint = true;
  auto* a = new TRecorder(&form, log, "A");
  auto* b = new TRecorder(&form, log, "B");
  a->Hint = "Close BX2000 (Esc)";
  a->SetBounds(0, 0, 100, 100);
  b->SetBounds(100, 0, 100, 100);
  a->SetParent(&form);
  b->SetParent(&form);
  Application().HintHidePause = 6000;
  HWND wnd = form.Handle();
  SendMessageA(wnd, WM_MOUSEMOVE, 0, At(10, 10));
  HWND tip = FormTooltip(wnd);
  ASSERT_NE(tip, nullptr);
  RECT r;
  EXPECT_EQ(ToolText(tip, wnd, &r), "Close BX2000 (Esc)");
  EXPECT_EQ(r.right, 100);
  EXPECT_EQ(SendMessageA(tip, TTM_GETDELAYTIME, TTDT_AUTOPOP, 0), 6000);
  SendMessageA(wnd, WM_MOUSEMOVE, 0, At(150, 10));
  EXPECT_EQ(ToolText(tip, wnd, &r), "");
  EXPECT_TRUE(IsRectEmpty(&r));
}

TEST(Hints, AWindowedControlIsAToolWhoseTextIsAskedForWhenItShows) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 200, 100);
  form.ShowHint = true;
  auto* withHint = new TButton(&form);
  auto* without = new TButton(&form);
  withHint->Hint = "Start the game";
  withHint->SetBounds(0, 0, 80, 24);
  without->SetBounds(100, 0, 80, 24);
  withHint->SetParent(&form);
  without->SetParent(&form);
  HWND wnd = form.Handle();
  SendMessageA(without->Handle(), WM_MOUSEMOVE, 0, At(5, 5));
  EXPECT_EQ(FormTooltip(wnd), nullptr) << "a control without a hint makes no tooltip";
  SendMessageA(withHint->Handle(), WM_MOUSEMOVE, 0, At(5, 5));
  SendMessageA(withHint->Handle(), WM_MOUSEMOVE, 0, At(6, 5));
  HWND tip = FormTooltip(wnd);
  ASSERT_NE(tip, nullptr);
  EXPECT_EQ(SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0), 2) << "the form's own tool and the button, once";

  auto askText = [&] {
    NMTTDISPINFOA info{};
    info.hdr.hwndFrom = tip;
    info.hdr.idFrom = UINT_PTR(withHint->Handle());
    info.hdr.code = TTN_GETDISPINFOA;
    info.uFlags = TTF_IDISHWND;
    SendMessageA(wnd, WM_NOTIFY, 0, LPARAM(&info));
    return std::string(info.lpszText ? info.lpszText : "");
  };
  EXPECT_EQ(askText(), "Start the game");
  withHint->Hint = "Start the game (Enter)";
  EXPECT_EQ(askText(), "Start the game (Enter)");

  form.ShowHint = false;
  without->Hint = "Not shown";
  SendMessageA(without->Handle(), WM_MOUSEMOVE, 0, At(5, 5));
  EXPECT_EQ(SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0), 2) << "no tools while the form shows no hints";
}

TEST(Hints, TheHintOfAWindowedControlShowsWhenTheMouseRestsOnIt) {
  TForm form(nullptr);
  form.SetBounds(50, 50, 300, 150);
  form.ShowHint = true;
  auto* button = new TButton(&form);
  button->Hint = "Start the game";
  button->SetCaption("Start");
  button->SetBounds(20, 20, 100, 30);
  button->SetParent(&form);
  Application().HintHidePause = 6000;
  form.Show();
  SetForegroundWindow(form.Handle());
  RECT r;
  GetWindowRect(button->Handle(), &r);
  SetCursorPos(r.left + 10, r.top + 10);
  std::string shown;
  for (DWORD end = GetTickCount() + 4000; shown.empty() && GetTickCount() < end; Sleep(10)) {
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
    HWND tip = FormTooltip(form.Handle());
    char text[64] = "";
    if (tip && IsWindowVisible(tip)) GetWindowTextA(tip, text, sizeof text);
    shown = text;
  }
  EXPECT_EQ(shown, "Start the game");
}

namespace {
// A push button that answers its own colour and notification messages.
class TReflectingButton : public TButton {
public:
  using TButton::TButton;
  std::vector<UINT> Seen;
  bool Reflected(UINT msg, WPARAM, LPARAM, LRESULT& result) override {
    Seen.push_back(msg);
    result = 77;
    return true;
  }
};
}  // namespace

TEST(Reflection, AParentHandsChildNotificationsToTheChild) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 200, 100);
  auto* button = new TReflectingButton(&form);
  int clicks = 0;
  button->OnClick = [&](TComponent*) { ++clicks; };
  button->SetBounds(10, 10, 80, 24);
  button->SetParent(&form);
  HWND parent = form.Handle(), child = button->Handle();
  EXPECT_EQ(GetParent(child), parent);
  EXPECT_EQ(SendMessageA(parent, WM_CTLCOLORBTN, 0, LPARAM(child)), 77);
  NMHDR hdr{child, UINT_PTR(GetDlgCtrlID(child)), NM_CLICK};
  EXPECT_EQ(SendMessageA(parent, WM_NOTIFY, hdr.idFrom, LPARAM(&hdr)), 77);
  MEASUREITEMSTRUCT mi{ODT_BUTTON, UINT(GetDlgCtrlID(child)), 0, 0, 0, 0};
  EXPECT_EQ(SendMessageA(parent, WM_MEASUREITEM, mi.CtlID, LPARAM(&mi)), 77);
  EXPECT_EQ(button->Seen, (std::vector<UINT>{WM_CTLCOLORBTN, WM_NOTIFY, WM_MEASUREITEM}));
  // A menu's owner-drawn item is not a child's business.
  MEASUREITEMSTRUCT menu{ODT_MENU, 0, 1, 0, 0, 0};
  SendMessageA(parent, WM_MEASUREITEM, 0, LPARAM(&menu));
  EXPECT_EQ(button->Seen.size(), 3u);
  // A click comes back through WM_COMMAND to the button's own object.
  SendMessageA(child, BM_CLICK, 0, 0);
  EXPECT_EQ(clicks, 1);
}
