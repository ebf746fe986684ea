#include "entrylist_fixture.h"

using namespace bxtest;

namespace {
std::vector<int> Fade(TForm1& form, int ticks) {
  std::vector<int> alphas;
  for (int i = 0; i < ticks && form.A1->Enabled(); ++i) {
    form.A1Timer(form.A1);
    alphas.push_back(form.Lay1->Alpha());
  }
  return alphas;
}
}  // namespace

TEST_F(LauncherTest, FadeTowardTranslucentStopsTheTimerAt128) {
  Open();
  ASSERT_EQ(Form->A1->Tag, 1);
  ASSERT_TRUE(Form->A1->Enabled());
  EXPECT_EQ(Form->Lay1->Alpha(), 255);
  Form->ApplicationEvents1Minimize();
  std::vector<int> alphas = Fade(*Form, 100);
  ASSERT_EQ(alphas.size(), 43u);
  EXPECT_EQ(alphas[0], 252);
  EXPECT_EQ(alphas[1], 249);
  EXPECT_EQ(alphas[41], 129);
  EXPECT_EQ(alphas[42], 128);
  EXPECT_FALSE(Form->A1->Enabled());
  BYTE alpha = 0;
  GetLayeredWindowAttributes(Form->Handle(), nullptr, &alpha, nullptr);
  EXPECT_EQ(alpha, 128);

  Form->ApplicationEvents1Restore();
  EXPECT_TRUE(Form->A1->Enabled());
  alphas = Fade(*Form, 43);
  EXPECT_EQ(alphas[0], 131);
  EXPECT_EQ(alphas[40], 251);
  EXPECT_EQ(alphas[41], 254);
  EXPECT_EQ(alphas[42], 255);
  EXPECT_TRUE(Form->A1->Enabled());
  Form->A1Timer(Form->A1);
  EXPECT_EQ(Form->Lay1->Alpha(), 255);
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
  EXPECT_FALSE(Form->A1->Enabled());
  ShowWindow(Form->Handle(), SW_RESTORE);
  EXPECT_FALSE(Form->FadingOut());
  EXPECT_TRUE(Form->A1->Enabled());
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
  Form->Lay1->SetAlpha(200);
  Form->A1Timer(Form->A1);
  EXPECT_EQ(Form->Lay1->Alpha(), 255);
  EXPECT_TRUE(Form->A1->Enabled());
  Form->Lay1->Tag = 1;
  Form->A1Timer(Form->A1);
  EXPECT_EQ(Form->Lay1->Alpha(), 255);
  EXPECT_FALSE(Form->A1->Enabled());
}

TEST_F(LauncherTest, SmoothScrollDownEndsWithThePageOneEntryFurther) {
  AddNumbered(20);
  WriteIni(Options, "Asetukset", "smooth", "1");
  Open();
  Form->Labels[12]->Click();
  const int top0 = Form->Labels[0]->Top(), top1 = Form->Labels[1]->Top();
  Form->Lay1->Tag = 1;  // a fade may not run during the scroll
  Form->Image3aClick(Form->Image3a);
  ASSERT_EQ(Form->Numero1->Numero, 0);
  int ticks = 0;
  while (Form->Numero1->Numero == 0 && ticks < 100) {
    Form->A1Timer(Form->A1);
    ++ticks;
    if (Form->Numero1->Numero == 0) {
      EXPECT_EQ(Form->Lay1->Alpha(), 255);
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
  Form->pai(false);
  Form->SelectedRow = 0;
  const int top11 = Form->Labels[11]->Top();
  Form->Image2aClick(Form->Image2a);
  ASSERT_EQ(Form->Numero1->Numero, 0);
  ASSERT_EQ(Form->Numero1->Tag, 1);
  for (int i = 0; i < 100 && Form->Numero1->Numero == 0; ++i) Form->A1Timer(Form->A1);
  EXPECT_EQ(Form->Numero1->Numero, 1);
  EXPECT_EQ(Form->TopIndex, 4);
  EXPECT_EQ(Selected(), "Entry 05");
  EXPECT_EQ(Form->Labels[11]->Top(), top11);
  EXPECT_TRUE(Form->Labels[12]->Visible());
}

// The timer's two counters start with no scroll running (so the first tick
// already fades) and the tray hide not yet done.
TEST_F(LauncherTest, TheTimersCountersStartIdle) {
  Open();
  EXPECT_EQ(Form->Numero1->Numero, 1);
  EXPECT_EQ(Form->Num1->Numero, 0);
  EXPECT_TRUE(Form->ScrollIdle());
  EXPECT_FALSE(Form->TrayHidden());
  Form->Lay1->SetAlpha(100);
  Form->A1Timer(Form->A1);
  EXPECT_EQ(Form->Lay1->Alpha(), 103);
  EXPECT_FALSE(Form->TrayHidden()) << "only a \"-tray\" start hides the window";
}

TEST_F(LauncherTest, TrayStartHidesOnceAndCloseButtonCloses) {
  Open();
  Form->Show();
  Form->TrayStart = true;
  Form->A1Timer(Form->A1);
  EXPECT_FALSE(Form->Visible());
  EXPECT_EQ(Form->Num1->Tag, 1);
  Form->Show();
  Form->A1Timer(Form->A1);
  EXPECT_TRUE(Form->Visible());
  Form->Image1Click(Form->Image1);
  EXPECT_TRUE(Closed);
}
