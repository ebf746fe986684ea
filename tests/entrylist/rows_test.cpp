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
  EXPECT_EQ(Form->ModifyButton->Hint, "Modify Entry 04 (Ctrl+M)");
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
  EXPECT_EQ(Form->RemoveButton->Hint, "Remove Entry 02 (Delete)");
}

TEST_F(LauncherTest, ShortListNeverScrollsAndBeepsAtItsEnds) {
  AddNumbered(13);
  Open();
  Form->FormMouseWheelUp();
  EXPECT_EQ(Beeps, 1);
  for (int i = 0; i < 12; ++i) Form->DownButtonClick(Form->DownButton);
  EXPECT_EQ(Selected(), "Entry 13");
  EXPECT_EQ(Beeps, 1);
  Form->DownButtonClick(Form->DownButton);
  Form->FormMouseWheelDown();
  EXPECT_EQ(Beeps, 3);
  EXPECT_EQ(Form->TopIndex, 0);
  EXPECT_EQ(Form->SelectedRow, 12);
  WriteIni(Options, "Asetukset", "disbeep", "1");
  Form->DownButtonClick(Form->DownButton);
  EXPECT_EQ(Beeps, 3);
}

TEST_F(LauncherTest, TwentyEntriesScrollOneEntryAtATimeFromTheLastRow) {
  AddNumbered(20);
  Open();
  Form->Labels[12]->Click();
  Form->DownButtonClick(Form->DownButton);
  EXPECT_EQ(Form->TopIndex, 1);
  EXPECT_EQ(Form->SelectedRow, 12);
  EXPECT_EQ(Selected(), "Entry 14");
  EXPECT_EQ(Form->Labels[12]->Font.Color, Form->SelectedColor);
  for (int i = 0; i < 6; ++i) Form->DownButtonClick(Form->DownButton);
  EXPECT_EQ(Selected(), "Entry 20");
  EXPECT_EQ(Beeps, 0);
  Form->DownButtonClick(Form->DownButton);
  EXPECT_EQ(Beeps, 1);
  EXPECT_EQ(Selected(), "Entry 20");
  EXPECT_EQ(Form->TopIndex, 7);
}

TEST_F(LauncherTest, FortyEntriesToTheEndAndBackWithButtonsAndWheel) {
  AddNumbered(40);
  Open();
  for (int i = 0; i < 20; ++i) Form->DownButtonClick(Form->DownButton);
  for (int i = 0; i < 19; ++i) Form->FormMouseWheelDown();
  EXPECT_EQ(Selected(), "Entry 40");
  EXPECT_EQ(Form->TopIndex, 27);
  EXPECT_EQ(Form->Labels[12]->Caption(), "Entry 40");
  EXPECT_EQ(Form->Labels[0]->Caption(), "Entry 28");
  EXPECT_FALSE(Form->Labels[0]->Font.Color == Form->SelectedColor && Form->SelectedRow != 0);
  EXPECT_EQ(Beeps, 0);
  Form->FormMouseWheelDown();
  EXPECT_EQ(Beeps, 1);

  for (int i = 0; i < 20; ++i) Form->UpButtonClick(Form->UpButton);
  EXPECT_EQ(Selected(), "Entry 20");
  for (int i = 0; i < 19; ++i) Form->FormMouseWheelUp();
  EXPECT_EQ(Selected(), "Entry 01");
  EXPECT_EQ(Form->TopIndex, 0);
  EXPECT_EQ(Form->SelectedRow, 0);
  EXPECT_EQ(Beeps, 1);
  Form->UpButtonClick(Form->UpButton);
  EXPECT_EQ(Beeps, 2);
  EXPECT_EQ(Form->ModifyButton->Hint, "Modify Entry 01 (Ctrl+M)");
}

TEST_F(LauncherTest, NothingSelectedMovesNothing) {
  AddNumbered(3);
  Open();
  Form->SelectedRow = -1;
  Form->MoveSelectionDown(nullptr);
  Form->MoveSelectionUp(nullptr);
  EXPECT_EQ(Form->SelectedRow, -1);
}

TEST_F(LauncherTest, SmoothModeHandsTheScrollToTheTimerAndIgnoresASecondDown) {
  AddNumbered(20);
  WriteIni(Options, "Asetukset", "smooth", "1");
  Open();
  ASSERT_TRUE(Form->SkinAllowsSmoothScroll());
  Form->Labels[11]->Click();
  Form->DownButtonClick(Form->DownButton);  // row 11 to 12 at once
  EXPECT_EQ(Form->SelectedRow, 12);
  EXPECT_EQ(Form->ScrollState->Numero, 1);
  Form->DownButtonClick(Form->DownButton);
  EXPECT_EQ(Form->ScrollState->Numero, 0);
  EXPECT_EQ(Form->ScrollState->Tag, 0);
  EXPECT_EQ(Form->TopIndex, 0);
  Form->DownButtonClick(Form->DownButton);
  Form->FormMouseWheelUp();
  EXPECT_EQ(Form->TopIndex, 0);
  EXPECT_EQ(Form->SelectedRow, 12);
  EXPECT_EQ(Form->ScrollState->Numero, 0);
}

namespace {
// The sounds the media player records instead of playing, one file a line.
class ClickSoundTest : public LauncherTest {
protected:
  std::string Log = Dir + "clicks.log", Sounds = Dir + "sounds";

  void SetUp() override {
    LauncherTest::SetUp();
    RemoveTree(Sounds);
    DeleteFileA(Log.c_str());
    CreateDirectoryA(Sounds.c_str(), nullptr);
    CreateDirectoryA((Sounds + "\\Click").c_str(), nullptr);
    _putenv_s("BX_SOUND_LOG", Log.c_str());
    WriteIni(Options, "Asetukset", "Nocsound", "0");
  }
  void TearDown() override {
    LauncherTest::TearDown();
    _putenv_s("BX_SOUND_LOG", "");
    RemoveTree(Sounds);
    DeleteFileA(Log.c_str());
  }
  static void Touch(const std::string& file) { std::ofstream(file, std::ios::binary) << "RIFF"; }
  // The files played since the last call.
  std::vector<std::string> Played() {
    std::vector<std::string> files;
    std::istringstream lines(ReadAll(Log));
    for (std::string line; std::getline(lines, line);)
      if (line.rfind("play\t", 0) == 0) files.push_back(line.substr(5));
    DeleteFileA(Log.c_str());
    return files;
  }
  // One click sound, the player stopped first.
  std::vector<std::string> Click() {
    Form->SoundPlayer->Close();
    Form->PlayClickSound();
    return Played();
  }
};
}  // namespace

TEST_F(ClickSoundTest, TheFirstRuleThatAppliesChoosesTheSound) {
  Touch(Sounds + "\\Click\\Click.wav");
  Touch(Sounds + "\\Click\\other.wav");
  Open();
  using Files = std::vector<std::string>;
  EXPECT_EQ(Click(), Files{Dir + "sounds\\Click\\Click.wav"}) << "the default sound";
  WriteIni(Options, "Asetukset", "randomcsound", "1");
  WriteIni(Options, "Asetukset", "cSound", "other.wav");
  EXPECT_EQ(Click(), Files{Dir + "sounds\\Click\\Click.wav"}) << "the default comes first";

  WriteIni(Options, "Asetukset", "defaultcsound", "0");
  for (int i = 0; i < 5; ++i) {
    Files played = Click();
    ASSERT_EQ(played.size(), 1u);
    EXPECT_TRUE(played[0] == Dir + "sounds\\click\\Click.wav" || played[0] == Dir + "sounds\\click\\other.wav")
        << played[0];
  }

  WriteIni(Options, "Asetukset", "randomcsound", "0");
  EXPECT_EQ(Click(), Files{Dir + "sounds\\click\\other.wav"}) << "a bare name is looked up in the folder";
  WriteIni(Options, "Asetukset", "cSound", Dir + "sounds\\Click\\Click.wav");
  EXPECT_EQ(Click(), Files{Dir + "sounds\\Click\\Click.wav"}) << "a path is played as it is";
  WriteIni(Options, "Asetukset", "cSound", "missing.wav");
  EXPECT_EQ(Click(), Files{}) << "a missing file is no sound";

  WriteIni(Options, "Asetukset", "defaultcsound", "1");
  WriteIni(Options, "Asetukset", "Nocsound", "1");
  EXPECT_EQ(Click(), Files{}) << "Nocsound silences every rule";
}

TEST_F(ClickSoundTest, NoClickWhilePlayingNorFromTheWheel) {
  Touch(Sounds + "\\Click\\Click.wav");
  AddNumbered(3);
  Open();
  Form->PlayClickSound();
  EXPECT_EQ(Played().size(), 1u);
  Form->PlayClickSound();
  EXPECT_TRUE(Played().empty()) << "a sound that plays is not cut off";

  Form->SoundPlayer->Close();
  Form->DownButtonClick(Form->DownButton);
  EXPECT_EQ(Played().size(), 1u) << "the Down button clicks";
  Form->SoundPlayer->Close();
  Form->FormMouseWheelUp();
  EXPECT_EQ(Form->SelectedRow, 0);
  EXPECT_TRUE(Played().empty()) << "the wheel moves without a click";
  Form->SoundPlayer->Close();
  Form->UpButtonClick(Form->UpButton);
  EXPECT_TRUE(Played().empty()) << "the Up button at the top beeps instead";
  EXPECT_EQ(Beeps, 1);
}
