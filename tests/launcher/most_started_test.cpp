// The About box's "Most started mods" button and the window it opens, from
// the main window through a real key press.
#include "entrylist_fixture.h"

#include "StdCtrls.h"
#include "AboutBox.h"
#include "MostStartedWindow.h"

using namespace bxtest;

namespace {
class MostStartedTest : public LauncherTest {
protected:
  // What the About box showed: whether its button was enabled, and the
  // rows of the window that the button opened (header included).
  std::vector<bool> ButtonEnabled;
  std::vector<std::vector<std::string>> Rows;

  void SetUp() override {
    LauncherTest::SetUp();
    // The About box presses its button when it can; the window it opens
    // gives its cells.
    TForm::SetModalHook([this](TForm& form) {
      if (auto* box = dynamic_cast<TAboutBox*>(&form)) {
        ButtonEnabled.push_back(box->MostStartedButton->Enabled);
        if (box->MostStartedButton->Enabled) box->MostStartedButton->Click();
      } else if (auto* window = dynamic_cast<TMostStartedWindow*>(&form)) {
        for (int r = 0; r < window->StartsGrid->RowCount(); ++r)
          Rows.push_back(
              {window->StartsGrid->Cells(1, r), window->StartsGrid->Cells(2, r), window->StartsGrid->Cells(3, r)});
      }
      return int(mrCancel);
    });
  }

  // "A" pressed on the main window, as a user does.
  void PressAboutKey() {
    Form->Show();
    SetForegroundWindow(Form->Handle());
    Application().ProcessMessages();
    INPUT in[2]{};
    in[0].type = INPUT_KEYBOARD;
    in[0].ki.wVk = 'A';
    in[1] = in[0];
    in[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, in, sizeof(INPUT));
    const DWORD until = GetTickCount() + 5000;
    const size_t before = ButtonEnabled.size();
    while (ButtonEnabled.size() == before && GetTickCount() < until) {
      Application().ProcessMessages();
      Sleep(5);
    }
    ASSERT_EQ(ButtonEnabled.size(), before + 1) << "the About box did not open";
  }
};
}  // namespace

// No start counted: the button is off from the first About box on, before
// any menu has been opened.
TEST_F(MostStartedTest, WithoutCountsTheButtonIsOffFromTheStart) {
  AddEntry({"Threewave CTF", "quake", "ctf"});
  Open();
  PressAboutKey();
  EXPECT_FALSE(ButtonEnabled.back());
  EXPECT_TRUE(Rows.empty());
}

// A count: the button is on at once and its window lists the count.
TEST_F(MostStartedTest, WithACountTheButtonOpensTheWindowWithIt) {
  AddEntry({"Threewave CTF", "quake", "ctf"});
  WriteIni(Counts, "quake", "ctf", "7");
  Open();
  PressAboutKey();
  EXPECT_TRUE(ButtonEnabled.back());
  ASSERT_EQ(Rows.size(), 2u);
  EXPECT_EQ(Rows[1], (std::vector<std::string>{"quake", "Threewave CTF", "7"}));
}
