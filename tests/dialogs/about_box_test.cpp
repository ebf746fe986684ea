// The About box: the credits scroller's arithmetic, its pages, and the credits
// drawn on Wine's DirectDraw.
#include "AboutBox.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <tuple>
#include <utility>

#include "ComCtrls.h"
#include "ExtCtrls.h"
#include "DXClassWin.h"
#include "DXDraws.h"
#include "DXDrawsControl.h"
#include "ExtGridTestForm.h"
#include "Forms.h"
#include "GradCap.h"
#include "IniFiles.h"
#include "Panels.h"
#include "StdCtrls.h"
#include "RichEdit.h"
#include "StdEdits.h"

namespace {
// Runs the scroller for a number of frames as the timer does.
void Frames(TCreditsScroll& s, int count, int frames) {
  for (int i = 0; i < frames; ++i) {
    s.NextLine(count);
    ++s.Offset;
  }
}
}  // namespace

TEST(CreditsScroll, TheFirstLineEntersAtTheBottomAfterAnEmptyScreen) {
  const std::vector<std::string> lines = CreditLines();
  const int count = int(lines.size());
  ASSERT_GE(count, 40);
  for (int i = 0; i < 19; ++i) EXPECT_EQ(lines[size_t(i)], "") << i;
  EXPECT_NE(lines[19], "");
  for (int i = count - 21; i < count; ++i) EXPECT_EQ(lines[size_t(i)], "") << i;
  TCreditsScroll s;
  Frames(s, count, 20);
  EXPECT_EQ(s.Top, 0);
  auto shown = s.Lines(count);
  ASSERT_EQ(shown.size(), 19u);
  EXPECT_EQ(shown.front().Y, -8 - 20);  // the top line has scrolled out
  // Frame 21 takes the next line: the first text line at the bottom edge.
  s.NextLine(count);
  shown = s.Lines(count);
  EXPECT_EQ(s.Top, 1);
  EXPECT_EQ(shown.back().Index, 19);
  EXPECT_EQ(shown.back().Y, 20 * 18 - 8);
}

TEST(CreditsScroll, StartsAgainAfterTheLastScreenful) {
  const int count = 60;
  TCreditsScroll s;
  Frames(s, count, 20 * (count - 20) + 1);
  EXPECT_EQ(s.Top, count - 20);
  Frames(s, count, 20);
  EXPECT_EQ(s.Top, 0);
  EXPECT_EQ(s.Offset, 1);
}

TEST(CreditsScroll, AShortListNeverWrapsAndSkipsTheMissingLines) {
  const int count = 5;
  TCreditsScroll s;
  EXPECT_EQ(s.Lines(count).size(), 5u);
  Frames(s, count, 20 * 30);
  EXPECT_EQ(s.Top, 29);
  EXPECT_TRUE(s.Lines(count).empty());
}

TEST(AboutBoxText, KeyboardShortcutsHaveTheirHeadingAndEveryKey) {
  const auto lines = KeyboardShortcutLines();
  ASSERT_EQ(lines.size(), 24u);
  EXPECT_EQ(lines[0], "Key\tAction");
  EXPECT_EQ(lines[1].find_first_not_of('-'), std::string::npos);
  EXPECT_EQ(lines[2], "Insert\tNew");
  EXPECT_EQ(lines[11], "Ctrl+T\tMinimize to sys.tray");
  EXPECT_EQ(lines[23], "Ctrl+5\tBrannox 2000 skin editor");
}

class AboutBoxTest : public testing::Test {
protected:
  void SetUp() override {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    Options = std::make_unique<TIniFile>(std::string(temp) + "about-options.ini");
    Options->WriteBool("Asetukset", "Colorcap", true);
  }
  int Clicks = 0, MostStarted = 0;
  std::unique_ptr<TIniFile> Options;
  TAboutHost Host() {
    TAboutHost host;
    host.Options = Options.get();
    host.ClickSound = [this] { ++Clicks; };
    host.ShowMostStarted = [this] { ++MostStarted; };
    return host;
  }
};

TEST_F(AboutBoxTest, PagesButtonsAndTheCaptionBar) {
  TAboutBox box(nullptr, Host());
  box.Show();
  EXPECT_EQ(box.Caption(), "About");
  EXPECT_EQ(box.Page->PageCount(), 5);
  EXPECT_EQ(box.Page->ActivePage(), box.ProductPage);
  EXPECT_NE(box.CaptionBar, nullptr);
  // The two text pages are read-only rich texts holding their lines.
  TStringList keys, readme;
  keys.SetText(box.ShortcutsRichEdit->Text());
  ASSERT_EQ(keys.Count(), 24);
  for (int i = 0; i < 24; ++i) EXPECT_EQ(keys.Strings(i), KeyboardShortcutLines()[size_t(i)]) << i;
  readme.SetText(box.ReadmeRichEdit->Text());
  EXPECT_EQ(readme.Strings(0), "Brannox 2000");
  EXPECT_GT(readme.Count(), 10);
  for (TRichEdit* r : {box.ShortcutsRichEdit, box.ReadmeRichEdit}) {
    EXPECT_TRUE(r->ReadOnly());
    EXPECT_NE(GetWindowLongPtrA(r->Handle(), GWL_STYLE) & ES_READONLY, 0);
  }
  if (const char* dir = std::getenv("BX_ABOUT_SHOTS")) {
    for (TTabSheet* page : {box.ReadmePage, box.KeysPage}) {
      box.Page->SetActivePage(page);
      Application().ProcessMessages();
      RedrawWindow(box.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
      const std::string file = std::string(dir) + (page == box.KeysPage ? "\\about-keys.bmp" : "\\about-readme.bmp");
      RECT r;
      GetWindowRect(box.Handle(), &r);
      HDC screen = GetDC(nullptr);
      SaveDCArea(screen, r.left, r.top, r.right - r.left, r.bottom - r.top, file);
      ReleaseDC(nullptr, screen);
    }
  }
  box.PageChange(box.Page);
  EXPECT_EQ(Clicks, 1);
  box.MostStartedButton->Click();
  EXPECT_EQ(MostStarted, 1);
  // The credits wait for their page.
  EXPECT_FALSE(box.CreditsDXDraw->Initialized());
  EXPECT_FALSE(box.CreditsTimer->Enabled());
}

namespace {
// A program's product version as Explorer's Details tab shows it, or "".
std::string ProductVersionOf(const std::string& program) {
  DWORD ignored = 0;
  std::vector<char> info(GetFileVersionInfoSizeA(program.c_str(), &ignored));
  char* value = nullptr;
  UINT length = 0;
  if (info.empty() || !GetFileVersionInfoA(program.c_str(), 0, DWORD(info.size()), info.data()) ||
      !VerQueryValueA(info.data(), "\\StringFileInfo\\040904E4\\ProductVersion", reinterpret_cast<void**>(&value),
                      &length))
    return "";
  return std::string(value);
}
}  // namespace

// One version: the box and the credits show the one of the launcher's
// version resource, which the installer gives the installed-programs list.
TEST_F(AboutBoxTest, ShowsTheVersionOfTheLaunchersVersionResource) {
  const std::string version = ProductVersionOf(BX_LAUNCHER_EXE);
  ASSERT_EQ(version, "8.0");
  TAboutBox box(nullptr, Host());
  EXPECT_EQ(box.Version->Caption(), "Version " + version);
  const std::vector<std::string> credits = CreditLines();
  EXPECT_NE(std::find(credits.begin(), credits.end(), "Version " + version), credits.end());
}

TEST_F(AboutBoxTest, WithoutColouredCaptionsThereIsNoCaptionBar) {
  Options->WriteBool("Asetukset", "Colorcap", false);
  TAboutBox box(nullptr, Host());
  EXPECT_EQ(box.CaptionBar, nullptr);
}

TEST_F(AboutBoxTest, CreditsScrollOnTheSurfaceAndResumeWhereTheyWere) {
  TAboutBox box(nullptr, Host());
  box.Show();
  box.Page->SetActivePage(box.CreditsPage);
  Application().ProcessMessages();
  ASSERT_TRUE(box.CreditsDXDraw->Initialized());
  EXPECT_TRUE(box.CreditsTimer->Enabled());
  TDirectDrawSurface* surface = box.CreditsDXDraw->Surface();
  ASSERT_NE(surface, nullptr);
  EXPECT_EQ(surface->Width(), 405);
  EXPECT_EQ(surface->Height(), 353);
  box.CreditsTimer->SetEnabled(false);  // the test draws the frames
  // Any white pixel on the lowest 60 rows of the surface.
  auto textAtBottom = [&] {
    for (int y = 353 - 60; y < 353; y += 2)
      for (int x = 100; x < 305; x += 2)
        if ((surface->Pixel(x, y) & 0xFFFFFF) == 0xFFFFFF) return true;
    return false;
  };
  for (int i = 0; i < 20; ++i) box.CreditsTimerTimer(box.CreditsTimer, 0);
  EXPECT_FALSE(textAtBottom()) << "the first 20 frames are empty";
  for (int i = 0; i < 30; ++i) box.CreditsTimerTimer(box.CreditsTimer, 0);
  EXPECT_TRUE(textAtBottom());
  const TCreditsScroll before = box.Scroll;
  // Showing the page again neither initialises again nor resets the scroll.
  box.Page->SetActivePage(box.ProductPage);
  box.Page->SetActivePage(box.CreditsPage);
  EXPECT_EQ(box.Scroll.Top, before.Top);
  EXPECT_EQ(box.Scroll.Offset, before.Offset);
  EXPECT_EQ(box.CreditsDXDraw->Surface(), surface);
}

namespace {
// Lets messages and the idle handlers (the credits' frame timer) run.
void RunFor(int ms) {
  const DWORD until = GetTickCount() + DWORD(ms);
  while (GetTickCount() < until) {
    Application().ProcessMessages();
    PostMessageA(nullptr, WM_NULL, 0, 0);  // the idle pass never waits here
    Application().RunIdleHandlers();
    Sleep(2);
  }
  Application().ProcessMessages();
}

// Runs messages and idle handlers until the condition holds (or 20 s pass).
template <class Condition>
bool RunUntil(Condition condition) {
  const DWORD until = GetTickCount() + 20000;
  while (!condition() && GetTickCount() < until) RunFor(20);
  return condition();
}

// The frames drawn so far, a line being 20 of them.
int FramesOf(const TCreditsScroll& s) { return s.Top * TCreditsScroll::kLineHeight + s.Offset; }

// A left click on the screen, as the user gives it.
void ClickScreen(POINT p) {
  SetCursorPos(p.x, p.y);
  INPUT press[2]{};
  press[0].type = press[1].type = INPUT_MOUSE;
  press[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  press[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(2, press, sizeof(INPUT));
}

// The middle of a tab header, in screen coordinates.
POINT TabCentre(TPageControl* page, int tab) {
  RECT r{};
  SendMessageA(page->Handle(), TCM_GETITEMRECT, WPARAM(tab), LPARAM(&r));
  POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  ClientToScreen(page->Handle(), &p);
  return p;
}

// How many of a window's pixels on the screen are black, of how many.
std::pair<int, int> BlackOnScreen(HWND window, RECT part) {
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&part), 2);
  HDC screen = GetDC(nullptr);
  int black = 0, all = 0;
  for (int y = part.top; y < part.bottom; y += 2)
    for (int x = part.left; x < part.right; x += 2, ++all)
      if ((GetPixel(screen, x, y) & 0xFFFFFF) == 0) ++black;
  ReleaseDC(nullptr, screen);
  return {black, all};
}

// How many of a window's pixels on the screen are white (the credit text).
int WhiteOnScreen(HWND window) {
  RECT part{};
  GetClientRect(window, &part);
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&part), 2);
  HDC screen = GetDC(nullptr);
  int white = 0;
  for (int y = part.top; y < part.bottom; ++y)
    for (int x = part.left; x < part.right; x += 2)
      if ((GetPixel(screen, x, y) & 0xFFFFFF) == 0xFFFFFF) ++white;
  ReleaseDC(nullptr, screen);
  return white;
}

RECT ClientOf(HWND window) {
  RECT r{};
  GetClientRect(window, &r);
  return r;
}

// The row of tab headers, in the page control's client coordinates.
RECT TabRow(TPageControl* page) {
  RECT first{}, last{};
  SendMessageA(page->Handle(), TCM_GETITEMRECT, 0, LPARAM(&first));
  SendMessageA(page->Handle(), TCM_GETITEMRECT, WPARAM(page->PageCount() - 1), LPARAM(&last));
  return {first.left, first.top, last.right, last.bottom};
}

void SaveScreenOf(HWND window, const char* name) {
  const char* dir = std::getenv("BX_ABOUT_SHOTS");
  if (!dir) return;
  RECT r;
  GetWindowRect(window, &r);
  HDC screen = GetDC(nullptr);
  SaveDCArea(screen, r.left, r.top, r.right - r.left, r.bottom - r.top, std::string(dir) + "\\" + name);
  ReleaseDC(nullptr, screen);
}
}  // namespace

// The credits draw only inside their control, and only while their page
// shows: the tab row stays drawn while they scroll, and the stats page and
// its button show on the screen when the user clicks their tab.
TEST_F(AboutBoxTest, CreditsStayOnTheirPageWhenTheUserSwitchesPages) {
  TAboutBox box(nullptr, Host());
  box.Show();
  SetForegroundWindow(box.Handle());
  RunFor(200);
  ClickScreen(TabCentre(box.Page, box.CreditsPage->TabIndex()));
  // Three lines up: the first credit line is well inside the picture.
  ASSERT_TRUE(RunUntil([&] { return box.Scroll.Top >= 3; })) << "the credits do not scroll";
  ASSERT_EQ(box.Page->ActivePage(), box.CreditsPage);
  EXPECT_GT(WhiteOnScreen(box.CreditsDXDraw->Handle()), 0) << "the credit text does not reach the screen";
  SaveScreenOf(box.Handle(), "about-credits.bmp");
  // The tab captions are black text on the tab colour: some black, not much.
  auto [tabBlack, tabAll] = BlackOnScreen(box.Page->Handle(), TabRow(box.Page));
  EXPECT_GT(tabBlack, 0) << "the tab captions are not drawn while the credits scroll";
  EXPECT_LT(tabBlack, tabAll / 10) << "the tab row is painted over while the credits scroll";

  ClickScreen(TabCentre(box.Page, box.StatsPage->TabIndex()));
  RunFor(200);
  ASSERT_EQ(box.Page->ActivePage(), box.StatsPage);
  // The timer goes on drawing frames while the stats page shows.
  const int frames = FramesOf(box.Scroll);
  ASSERT_TRUE(RunUntil([&] { return FramesOf(box.Scroll) >= frames + 40; }));
  SaveScreenOf(box.Handle(), "about-stats.bmp");
  auto [buttonBlack, buttonAll] =
      BlackOnScreen(box.MostStartedButton->Handle(), ClientOf(box.MostStartedButton->Handle()));
  EXPECT_LT(buttonBlack, buttonAll / 10) << "the credits paint over \"Most started mods\"";
  auto [pageBlack, pageAll] = BlackOnScreen(box.StatsPage->Handle(), ClientOf(box.StatsPage->Handle()));
  EXPECT_LT(pageBlack, pageAll / 10) << "the credits paint over the stats page";
  std::tie(tabBlack, tabAll) = BlackOnScreen(box.Page->Handle(), TabRow(box.Page));
  EXPECT_GT(tabBlack, 0);
  EXPECT_LT(tabBlack, tabAll / 10);
}
