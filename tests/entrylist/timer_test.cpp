#include "entrylist_fixture.h"

using namespace bxtest;

namespace {
std::vector<int> Fade(TMainWindow& form, int ticks) {
  std::vector<int> alphas;
  for (int i = 0; i < ticks && form.AnimationTimer->Enabled(); ++i) {
    form.AnimationTimerTimer(form.AnimationTimer);
    alphas.push_back(form.AlphaLayer->Alpha());
  }
  return alphas;
}
}  // namespace

TEST_F(LauncherTest, FadeTowardTranslucentStopsTheTimerAtHalf) {
  Open();
  ASSERT_EQ(Form->AnimationTimer->Tag, 1);
  ASSERT_TRUE(Form->AnimationTimer->Enabled());
  EXPECT_EQ(Form->AlphaLayer->Alpha(), 255);
  Form->ApplicationMinimize();
  std::vector<int> alphas = Fade(*Form, 100);
  ASSERT_EQ(alphas.size(), 43u);
  EXPECT_EQ(alphas[0], 252);
  EXPECT_EQ(alphas[1], 249);
  EXPECT_EQ(alphas[41], 129);
  EXPECT_EQ(alphas[42], 128);
  EXPECT_FALSE(Form->AnimationTimer->Enabled());
  BYTE alpha = 0;
  GetLayeredWindowAttributes(Form->Handle(), nullptr, &alpha, nullptr);
  EXPECT_EQ(alpha, 128);

  Form->ApplicationRestore();
  EXPECT_TRUE(Form->AnimationTimer->Enabled());
  alphas = Fade(*Form, 43);
  EXPECT_EQ(alphas[0], 131);
  EXPECT_EQ(alphas[40], 251);
  EXPECT_EQ(alphas[41], 254);
  EXPECT_EQ(alphas[42], 255);
  EXPECT_TRUE(Form->AnimationTimer->Enabled());
  Form->AnimationTimerTimer(Form->AnimationTimer);
  EXPECT_EQ(Form->AlphaLayer->Alpha(), 255);
}

// The window's own minimise and restore drive the fade, through the
// application's events.
TEST_F(LauncherTest, MinimisingAndRestoringTheWindowFadesItOutAndIn) {
  Open();
  Form->Show();
  ShowWindow(Form->Handle(), SW_MINIMIZE);
  EXPECT_TRUE(Form->FadingOut());
  std::vector<int> alphas = Fade(*Form, 100);
  ASSERT_FALSE(alphas.empty());
  EXPECT_EQ(alphas.front(), 252);
  EXPECT_EQ(alphas.back(), 128);
  EXPECT_FALSE(Form->AnimationTimer->Enabled());
  ShowWindow(Form->Handle(), SW_RESTORE);
  EXPECT_FALSE(Form->FadingOut());
  EXPECT_TRUE(Form->AnimationTimer->Enabled());
  alphas = Fade(*Form, 43);
  EXPECT_EQ(alphas.front(), 131);
  EXPECT_EQ(alphas.back(), 255);
}

// A window that is gone takes its handlers with it.
TEST_F(LauncherTest, AClosedWindowNoLongerHearsTheApplication) {
  Open();
  Form.reset();
  Application().Minimize();
  Application().Restore();
  Open();
  Form->Show();
  ShowWindow(Form->Handle(), SW_MINIMIZE);
  EXPECT_TRUE(Form->FadingOut());
  ShowWindow(Form->Handle(), SW_RESTORE);
  EXPECT_FALSE(Form->FadingOut());
}

TEST_F(LauncherTest, FadeOffMakesTheWindowSolidAndStopsForATranslucentTarget) {
  WriteIni(Options, "Asetukset", "fade", "0");
  Open();
  Form->AlphaLayer->SetAlpha(200);
  Form->AnimationTimerTimer(Form->AnimationTimer);
  EXPECT_EQ(Form->AlphaLayer->Alpha(), 255);
  EXPECT_TRUE(Form->AnimationTimer->Enabled());
  Form->AlphaLayer->Tag = 1;
  Form->AnimationTimerTimer(Form->AnimationTimer);
  EXPECT_EQ(Form->AlphaLayer->Alpha(), 255);
  EXPECT_FALSE(Form->AnimationTimer->Enabled());
}

TEST_F(LauncherTest, SmoothScrollDownEndsWithThePageOneEntryFurther) {
  AddNumbered(20);
  WriteIni(Options, "Asetukset", "smooth", "1");
  Open();
  Form->Labels[12]->Click();
  const int top0 = Form->Labels[0]->Top(), top1 = Form->Labels[1]->Top();
  Form->AlphaLayer->Tag = 1;  // a fade may not run during the scroll
  Form->DownButtonClick(Form->DownButton);
  ASSERT_EQ(Form->ScrollState->Numero, 0);
  int ticks = 0;
  while (Form->ScrollState->Numero == 0 && ticks < 100) {
    Form->AnimationTimerTimer(Form->AnimationTimer);
    ++ticks;
    if (Form->ScrollState->Numero == 0) {
      EXPECT_EQ(Form->AlphaLayer->Alpha(), 255);
      EXPECT_FALSE(Form->Labels[0]->Visible());
    }
  }
  EXPECT_GE(ticks, (top1 - top0) / 2 + 1);
  EXPECT_LE(ticks, (top1 - top0) / 2 + 3);
  EXPECT_EQ(Form->TopIndex, 1);
  EXPECT_EQ(Form->SelectedRow, 12);
  EXPECT_EQ(Selected(), "Entry 14");
  EXPECT_EQ(Form->Labels[1]->Top(), top1);
  EXPECT_TRUE(Form->Labels[0]->Visible() && Form->Icons[0]->Visible());
  EXPECT_EQ(Form->Labels[0]->Caption(), "Entry 02");
}

TEST_F(LauncherTest, SmoothScrollUpEndsWithThePageOneEntryBack) {
  AddNumbered(20);
  WriteIni(Options, "Asetukset", "smooth", "1");
  Open();
  Form->TopIndex = 5;
  Form->PaintPage(false);
  Form->SelectedRow = 0;
  const int top11 = Form->Labels[11]->Top();
  Form->UpButtonClick(Form->UpButton);
  ASSERT_EQ(Form->ScrollState->Numero, 0);
  ASSERT_EQ(Form->ScrollState->Tag, 1);
  for (int i = 0; i < 100 && Form->ScrollState->Numero == 0; ++i) Form->AnimationTimerTimer(Form->AnimationTimer);
  EXPECT_EQ(Form->ScrollState->Numero, 1);
  EXPECT_EQ(Form->TopIndex, 4);
  EXPECT_EQ(Selected(), "Entry 05");
  EXPECT_EQ(Form->Labels[11]->Top(), top11);
  EXPECT_TRUE(Form->Labels[12]->Visible());
}

// The timer's two counters start with no scroll running (so the first tick
// already fades) and the tray hide not yet done.
TEST_F(LauncherTest, TheTimersCountersStartIdle) {
  Open();
  EXPECT_EQ(Form->ScrollState->Numero, 1);
  EXPECT_EQ(Form->TrayHideState->Numero, 0);
  EXPECT_TRUE(Form->ScrollIdle());
  EXPECT_FALSE(Form->TrayHidden());
  Form->AlphaLayer->SetAlpha(100);
  Form->AnimationTimerTimer(Form->AnimationTimer);
  EXPECT_EQ(Form->AlphaLayer->Alpha(), 103);
  EXPECT_FALSE(Form->TrayHidden()) << "only a \"-tray\" start hides the window";
}

TEST_F(LauncherTest, TrayStartHidesOnceAndCloseButtonCloses) {
  Open();
  Form->Show();
  Form->TrayStart = true;
  Form->AnimationTimerTimer(Form->AnimationTimer);
  EXPECT_FALSE(Form->Visible());
  EXPECT_EQ(Form->TrayHideState->Tag, 1);
  Form->Show();
  Form->AnimationTimerTimer(Form->AnimationTimer);
  EXPECT_TRUE(Form->Visible());
  Form->CloseButtonClick(Form->CloseButton);
  EXPECT_TRUE(Closed);
}
