// The status window and the windows it disables while a search runs.
// The class library's headers come before windows.h (its colour macros).
#include "SearchStatusWindow.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "discovery_fixture.h"
#include "ModDiscovery.h"

namespace {
HWND MakeOwnerWindow() {
  return CreateWindowExA(0, "STATIC", "Settings", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300, 200, nullptr,
                         nullptr, GetModuleHandleA(nullptr), nullptr);
}
}  // namespace

TEST(SearchStatusWindow, CaptionLabelAndStaysOnTop) {
  TSearchStatusWindow form(nullptr, nullptr);
  EXPECT_EQ(form.Caption(), "Find modifications");
  EXPECT_EQ(form.StatusLabel->Caption(), "Find mods");
  EXPECT_TRUE(GetWindowLongPtrA(form.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_FALSE(form.Visible());
}

TEST(SearchStatusWindow, StatusDisablesTheWindowsBelowWhileItRuns) {
  HWND owner = MakeOwnerWindow();
  ASSERT_TRUE(owner);
  {
    TWindowSearchStatus status(owner);
    status.Begin("Find modifications", true);
    ASSERT_TRUE(status.Form());
    EXPECT_TRUE(status.Form()->Visible());
    EXPECT_FALSE(IsWindowEnabled(owner));
    EXPECT_EQ(GetWindow(status.Form()->Handle(), GW_OWNER), owner);
    status.Report("Half-Life modifications");
    EXPECT_EQ(status.Form()->StatusLabel->Caption(), "Half-Life modifications");
    HoldForLooking("BX_SHOW_FORM9");
    status.End();
    EXPECT_EQ(status.Form(), nullptr);
    EXPECT_TRUE(IsWindowEnabled(owner));

    // The own-list window shows at its first report only.
    status.Begin("Find own modlist modifications", false);
    EXPECT_FALSE(status.Form()->Visible());
    EXPECT_EQ(status.Form()->Caption(), "Find own modlist modifications");
    status.Report("Quake modifications");
    EXPECT_TRUE(status.Form()->Visible());
  }
  // Freed with the status object: the owner is usable again.
  EXPECT_TRUE(IsWindowEnabled(owner));
  DestroyWindow(owner);
}

// A status that tries to start other searches from inside a running one.
class TReentrantStatus : public TWindowSearchStatus {
public:
  TReentrantStatus(HWND owner, TDiscoveryFiles& files) : TWindowSearchStatus(owner), FFiles(files) {}
  void Report(const std::string& text) override {
    TWindowSearchStatus::Report(text);
    TQuietSearchStatus quiet;
    InnerResult = FindMods(FFiles, quiet) ? 1 : 0;
    Running = SearchRunning();
  }
  int InnerResult = -1;
  bool Running = false;

private:
  TDiscoveryFiles& FFiles;
};

class TFindModsStatusWindow : public TDiscoveryTest {};

TEST_F(TFindModsStatusWindow, FindModsShowsTheWindowAndRefusesASecondSearch) {
  MakeDirs(Root + "Quake\\ctf");
  AddGame("quake", Root + "Quake", "quake -game %s", "quake", "Quake");
  HWND owner = MakeOwnerWindow();
  TDiscoveryFiles files{App, *Games, Mod};
  TReentrantStatus status(owner, files);
  ASSERT_TRUE(FindMods(files, status));
  EXPECT_EQ(status.InnerResult, 0);
  EXPECT_TRUE(status.Running);
  EXPECT_FALSE(SearchRunning());
  EXPECT_TRUE(IsWindowEnabled(owner));
  EXPECT_EQ(ParseIni(ReadTextFile(App + "Mod.ini")).size(), 2u);
  DestroyWindow(owner);
}
