// The About box's "Most started mods" button and the window it opens, from
// the main window through a real key press.
#include "entrylist_fixture.h"

#include <functional>

#include "StdCtrls.h"
#include "AboutBox.h"
#include "MostStartedWindow.h"
#include "../support/RealInput.h"
#include "../support/testfiles.h"

using namespace bxtest;

namespace {
class MostStartedTest : public LauncherTest {
protected:
  // What the About box showed: whether its button was enabled, and the
  // rows of the window that the button opened (header included).
  std::vector<bool> ButtonEnabled;
  std::vector<std::vector<std::string>> Rows;
  // Run on the window once its rows are read, before it is cancelled.
  std::function<void(TMostStartedWindow&)> OnWindow;

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
        if (OnWindow) OnWindow(*window);
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

// Names from Mod.ini and the start counters are text in the window: each
// cell holds the name as written, and a real click on any name (where a
// link's text would be) opens nothing.
TEST_F(MostStartedTest, NamesFromModsAreTextAndAClickOnThemOpensNothing) {
  // Names that mods can bring: links to programs and files, markup that
  // would end the table or load a picture, entities, quotes, rich text,
  // code-page letters and one of 1,000 characters; one a line, in the ANSI
  // code page.
  const std::vector<std::string> names = ReadLines(BX_TEST_DATA "/names/hostile-names.txt");
  ASSERT_EQ(names.size(), 15u);
  ASSERT_EQ(names.back().size(), 1000u);
  for (size_t i = 0; i < names.size(); ++i) {
    AddEntry({names[i], "quake", "m" + std::to_string(i)});
    WriteIni(Counts, "quake", "m" + std::to_string(i), std::to_string(100 - i));
  }
  // A game and a mod folder that no entry names are shown by their keys.
  WriteIni(Counts, "<i>game</i> & co", "<b>folder</b>", "1");
  const std::string log = Dir + "shell_opens.log";
  DeleteFileA(log.c_str());
  _putenv(("BX_SHELL_LOG=" + log).c_str());
  OnWindow = [](TMostStartedWindow& window) {
    window.Show();
    SetForegroundWindow(window.Handle());
    Application().ProcessMessages();
    TExtStringGrid& g = *window.StartsGrid;
    for (int row = 1; row < g.RowCount(); ++row) {
      g.ScrollInView(2, row);
      Application().ProcessMessages();
      for (int col : {1, 2})
        for (int dx : {5, 30}) {
          const RECT cell = g.CellRect(col, row);
          POINT p{cell.left + dx, (cell.top + cell.bottom) / 2};
          ClientToScreen(g.Handle(), &p);
          SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, p);
          SendMouse(MOUSEEVENTF_LEFTDOWN);
          SendMouse(MOUSEEVENTF_LEFTUP);
          RunLoopUntil([] { return false; }, 40);
        }
    }
  };
  Open();
  PressAboutKey();
  _putenv("BX_SHELL_LOG=");
  ASSERT_EQ(Rows.size(), names.size() + 2);
  for (size_t i = 0; i < names.size(); ++i)
    EXPECT_EQ(Rows[i + 1], (std::vector<std::string>{"quake", names[i], std::to_string(100 - i)})) << i;
  EXPECT_EQ(Rows.back(), (std::vector<std::string>{"<i>game</i> & co", "<b>folder</b>", "1"}));
  EXPECT_EQ(ReadLines(log), std::vector<std::string>{});
}
