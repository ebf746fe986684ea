// The program block's single-instance rule and the window placement helpers.
#include <gtest/gtest.h>

#include "Brannox2000.h"
#include "Dialogs.h"
#include "GraphicFormats.h"
#include "Streams.h"
#include "MainWindow.h"

TEST(MutexName, DropsOnlyAnUpperCaseExeSuffix) {
  EXPECT_EQ(MutexNameFor("C:\\Games\\BX\\LAUNCH.EXE"), "LAUNCH");
  EXPECT_EQ(MutexNameFor("C:\\Games\\BX\\launch.exe"), "launch.exe");
  EXPECT_EQ(MutexNameFor("Brannox2000.exe"), "Brannox2000.exe");
  EXPECT_EQ(MutexNameFor("Z:/tmp/Launch.Exe"), "Launch.Exe");
  // The search is anywhere in the name; the last four characters go.
  EXPECT_EQ(MutexNameFor("C:\\A.EXE.bak"), "A.EXE");
}

TEST(SingleInstance, ASecondHolderOfTheNameIsRefused) {
  MutexName = "bx-launcher-test-" + std::to_string(GetCurrentProcessId());
  CheckSingleInstance();
  EXPECT_FALSE(AlreadyRunning);
  CheckSingleInstance();  // the first handle is still held
  EXPECT_TRUE(AlreadyRunning);
  MutexName = "bx-launcher-test-other-" + std::to_string(GetCurrentProcessId());
  CheckSingleInstance();
  EXPECT_FALSE(AlreadyRunning);
}

// A 1- or 4-bit picture saved as Targa asks through the program's prompt box
// first; Cancel writes nothing.
TEST(PictureQueries, TheTargaQuestionIsAskedInAWarningBox) {
  std::vector<TPromptRequest> asked;
  int answer = mrCancel;
  SetPromptHook([&](const TPromptRequest& r) {
    asked.push_back(r);
    return answer;
  });
  SetPictureQueries();
  for (int a : {mrCancel, mrOk}) {
    answer = a;
    TTargaGraphic picture;
    picture.SetPixelFormat(pf4bit);
    picture.SetSize(3, 2);
    TMemoryStream stream;
    picture.SaveToStream(stream);
    EXPECT_EQ(stream.Size() > 0, a == mrOk);
  }
  SetPromptHook(nullptr);
  TargaConvertQuery = nullptr;
  ASSERT_EQ(asked.size(), 2u);
  EXPECT_EQ(asked[0].Text, kTargaConvertQuestion);
  EXPECT_EQ(asked[0].Caption, "Warning");
  EXPECT_EQ(asked[0].Buttons, mbOKCancel);
}

TEST(Snap, MovesOnlyWithinSnapPixelsOfAnEdge) {
  const RECT desk{0, 0, 1280, 1024};
  const SIZE win{300, 240};
  // 5 pixels from the right edge: flush with it; 25 pixels: stays.
  EXPECT_EQ(SnapPosition({1280 - 300 - 5, 400}, win, desk, 20).x, 980);
  EXPECT_EQ(SnapPosition({1280 - 300 - 25, 400}, win, desk, 20).x, 955);
  EXPECT_EQ(SnapPosition({400, 1024 - 240 - 3}, win, desk, 20).y, 784);
  POINT nearOrigin = SnapPosition({19, 7}, win, desk, 20);
  EXPECT_EQ(nearOrigin.x, 0);
  EXPECT_EQ(nearOrigin.y, 0);
  POINT away = SnapPosition({20, 20}, win, desk, 20);
  EXPECT_EQ(away.x, 20);
  EXPECT_EQ(away.y, 20);
  // Snapping 0 pixels moves only a window that is already past an edge.
  EXPECT_EQ(SnapPosition({990, 300}, win, desk, 0).x, 980);
}

TEST(Clamp, KeepsTheWholeWindowOnTheDesktop) {
  const RECT desk{0, 0, 1280, 1024};
  const SIZE win{300, 240};
  POINT p = ClampPosition({9000, -500}, win, desk);
  EXPECT_EQ(p.x, 980);
  EXPECT_EQ(p.y, 0);
  p = ClampPosition({-32000, -32000}, win, desk);  // a minimised window's position
  EXPECT_EQ(p.x, 0);
  EXPECT_EQ(p.y, 0);
  p = ClampPosition({100, 120}, win, desk);
  EXPECT_EQ(p.x, 100);
  EXPECT_EQ(p.y, 120);
  // A second monitor to the left.
  p = ClampPosition({-1500, 10}, win, RECT{-1280, 0, 1280, 1024});
  EXPECT_EQ(p.x, -1280);
}

TEST(Colours, InverseAsDisplayed) {
  EXPECT_EQ(TMainWindow::InvertedColour(TColor(0x006DBDED)), TColor(0x00924212));
  EXPECT_EQ(TMainWindow::InvertedColour(clBlack), clWhite);
  EXPECT_EQ(TMainWindow::InvertedColour(clWhite), clBlack);
  EXPECT_EQ(TMainWindow::InvertedColour(TMainWindow::InvertedColour(TColor(0x00123456))), TColor(0x00123456));
}
