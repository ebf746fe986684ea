#include "entrylist_fixture.h"

#include "WinGraphics.h"

using namespace bxtest;

TEST_F(LauncherTest, ClickingALabelOrAnIconSelectsItsRow) {
  AddNumbered(5);
  Open();
  Form->Labels[3]->Click();
  EXPECT_EQ(Form->SelectedRow, 3);
  EXPECT_EQ(Form->Labels[3]->Font.Color, Form->SelectedColor);
  EXPECT_EQ(Form->Labels[0]->Font.Color, Form->UnselectedColor);
  EXPECT_EQ(Form->Image15->Hint, "Modify Entry 04 (Ctrl+M)");
  // The selected font is bold: the self-sizing label grows with it.
  {
    TWindowDC screen(nullptr);
    TCanvas canvas(screen.DC());
    canvas.Font.Assign(Form->Labels[3]->Font);
    EXPECT_EQ(Form->Labels[3]->Width(), canvas.TextExtent("Entry 04").cx);
  }
  Form->Icons[1]->Click();
  EXPECT_EQ(Form->SelectedRow, 1);
  EXPECT_EQ(Form->Labels[1]->Font.Color, Form->SelectedColor);
  EXPECT_EQ(Form->Labels[3]->Font.Color, Form->UnselectedColor);
  EXPECT_EQ(Form->Image17->Hint, "Remove Entry 02 (Delete)");
}

TEST_F(LauncherTest, ShortListNeverScrollsAndBeepsAtItsEnds) {
  AddNumbered(13);
  Open();
  Form->FormMouseWheelUp();
  EXPECT_EQ(Beeps, 1);
  for (int i = 0; i < 12; ++i) Form->Image3a->Click();
  EXPECT_EQ(Selected(), "Entry 13");
  EXPECT_EQ(Beeps, 1);
  Form->Image3a->Click();
  Form->FormMouseWheelDown();
  EXPECT_EQ(Beeps, 3);
  EXPECT_EQ(Form->TopIndex, 0);
  EXPECT_EQ(Form->SelectedRow, 12);
  WriteIni(Options, "Asetukset", "disbeep", "1");
  Form->Image3a->Click();
  EXPECT_EQ(Beeps, 3);
}

TEST_F(LauncherTest, TwentyEntriesScrollOneEntryAtATimeFromTheLastRow) {
  AddNumbered(20);
  Open();
  Form->Labels[12]->Click();
  Form->Image3a->Click();
  EXPECT_EQ(Form->TopIndex, 1);
  EXPECT_EQ(Form->SelectedRow, 12);
  EXPECT_EQ(Selected(), "Entry 14");
  EXPECT_EQ(Form->Labels[12]->Font.Color, Form->SelectedColor);
  for (int i = 0; i < 6; ++i) Form->Image3a->Click();
  EXPECT_EQ(Selected(), "Entry 20");
  EXPECT_EQ(Beeps, 0);
  Form->Image3a->Click();
  EXPECT_EQ(Beeps, 1);
  EXPECT_EQ(Selected(), "Entry 20");
  EXPECT_EQ(Form->TopIndex, 7);
}

TEST_F(LauncherTest, FortyEntriesToTheEndAndBackWithButtonsAndWheel) {
  AddNumbered(40);
  Open();
  for (int i = 0; i < 20; ++i) Form->Image3a->Click();
  for (int i = 0; i < 19; ++i) Form->FormMouseWheelDown();
  EXPECT_EQ(Selected(), "Entry 40");
  EXPECT_EQ(Form->TopIndex, 27);
  EXPECT_EQ(Form->Labels[12]->Caption(), "Entry 40");
  EXPECT_EQ(Form->Labels[0]->Caption(), "Entry 28");
  EXPECT_FALSE(Form->Labels[0]->Font.Color == Form->SelectedColor && Form->SelectedRow != 0);
  EXPECT_EQ(Beeps, 0);
  Form->FormMouseWheelDown();
  EXPECT_EQ(Beeps, 1);

  for (int i = 0; i < 20; ++i) Form->Image2a->Click();
  EXPECT_EQ(Selected(), "Entry 20");
  for (int i = 0; i < 19; ++i) Form->FormMouseWheelUp();
  EXPECT_EQ(Selected(), "Entry 01");
  EXPECT_EQ(Form->TopIndex, 0);
  EXPECT_EQ(Form->SelectedRow, 0);
  EXPECT_EQ(Beeps, 1);
  Form->Image2a->Click();
  EXPECT_EQ(Beeps, 2);
  EXPECT_EQ(Form->Image15->Hint, "Modify Entry 01 (Ctrl+M)");
}

TEST_F(LauncherTest, NothingSelectedMovesNothing) {
  AddNumbered(3);
  Open();
  Form->SelectedRow = -1;
  Form->Image3Click(nullptr);
  Form->Image2Click(nullptr);
  EXPECT_EQ(Form->SelectedRow, -1);
}

TEST_F(LauncherTest, SmoothModeHandsTheScrollToTheTimerAndIgnoresASecondDown) {
  AddNumbered(20);
  WriteIni(Options, "Asetukset", "smooth", "1");
  Open();
  ASSERT_TRUE(Form->smoothtesti());
  Form->Labels[11]->Click();
  Form->Image3a->Click();  // row 11 to 12 at once
  EXPECT_EQ(Form->SelectedRow, 12);
  EXPECT_EQ(Form->Numero1->Numero, 1);
  Form->Image3a->Click();
  EXPECT_EQ(Form->Numero1->Numero, 0);
  EXPECT_EQ(Form->Numero1->Tag, 0);
  EXPECT_EQ(Form->TopIndex, 0);
  Form->Image3a->Click();
  Form->FormMouseWheelUp();
  EXPECT_EQ(Form->TopIndex, 0);
  EXPECT_EQ(Form->SelectedRow, 12);
  EXPECT_EQ(Form->Numero1->Numero, 0);
}
