// Exceptions from handlers end in the application's one boundary, whichever
// path ran the handler: a menu short cut found by the key preview (in the
// main loop and in a modal loop), a timer, an idle handler.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "Dialogs.h"
#include "Forms.h"
#include "Menus.h"
#include "StdEdits.h"
#include "Streams.h"
#include "SysUtils.h"

#include <windows.h>

#include "../support/RealInput.h"

namespace {
// A form with an edit that has the focus and a menu whose Ctrl+S raises.
class Boundary : public ::testing::Test {
protected:
  void SetUp() override {
    Handler = Application().AddOnException([this](const std::exception& e) { Shown.push_back(e.what()); });
    Form = std::make_unique<TForm>(nullptr);
    Form->SetBounds(50, 50, 300, 150);
    Form->KeyPreview = true;
    auto* menu = new TMainMenu(Form.get());
    auto* file = new TMenuItem(Form.get());
    file->Caption = "&File";
    menu->Items()->Add(file);
    auto* save = new TMenuItem(Form.get());
    save->Caption = "&Save";
    save->ShortCut = ShortCut('S', ssCtrl);
    save->OnClick = [this](TComponent*) {
      ++Saves;
      throw EFCreateError("x.bxn");
    };
    file->Add(save);
    Form->Menu = menu;
    Edit = new TEdit(Form.get());
    Edit->SetBounds(5, 5, 150, 22);
    Edit->SetParent(Form.get());
  }
  void TearDown() override {
    Form.reset();
    Application().RemoveHandler(Handler);
  }
  void FocusEdit() {
    Form->Show();
    SetForegroundWindow(Form->Handle());
    Edit->SetFocus();
    Application().ProcessMessages();
  }
  int Handler = 0;
  int Saves = 0;
  std::vector<std::string> Shown;
  std::unique_ptr<TForm> Form;
  TEdit* Edit = nullptr;
};
}  // namespace

TEST_F(Boundary, AShortCutThatRaisesInTheMainLoopIsShownAndTheLoopGoesOn) {
  FocusEdit();
  ASSERT_TRUE(Edit->Focused());
  PressKeys({VK_CONTROL, 'S'});
  ASSERT_TRUE(RunLoopUntil([&] { return !Shown.empty(); }, 3000)) << "the short cut ran: " << Saves;
  EXPECT_EQ(Shown, std::vector<std::string>{"Cannot create file x.bxn"});
  // The loop and the form go on: the next press is handled the same way.
  PressKeys({VK_CONTROL, 'S'});
  EXPECT_TRUE(RunLoopUntil([&] { return Shown.size() == 2; }, 3000));
  EXPECT_EQ(Saves, 2);
  EXPECT_TRUE(IsWindowVisible(Form->Handle()));
  EXPECT_EQ(Edit->Text(), "") << "the short cut's key did not reach the edit";
}

TEST_F(Boundary, AShortCutThatRaisesInAModalLoopIsShownAndTheWindowStays) {
  Form->Position = poDesigned;
  bool pressed = false;
  UINT_PTR timer = Application().AddTimer(
      [&] {
        if (!pressed && IsWindowVisible(Form->Handle())) {
          pressed = true;
          SetForegroundWindow(Form->Handle());
          Edit->SetFocus();
          PressKeys({VK_CONTROL, 'S'});
        } else if (!Shown.empty() || Saves > 0) {
          Form->ModalResult = mrOk;
        }
      },
      50);
  const int result = Form->ShowModal();
  Application().RemoveTimer(timer);
  EXPECT_EQ(result, mrOk) << "the modal loop ended normally";
  EXPECT_EQ(Saves, 1);
  EXPECT_EQ(Shown, std::vector<std::string>{"Cannot create file x.bxn"});
}

TEST_F(Boundary, TimerAndIdleHandlersThatRaiseAreShownAndRunAgain) {
  int ticks = 0;
  UINT_PTR timer = Application().AddTimer(
      [&] {
        ++ticks;
        throw EInvalidOperation("tick failed");
      },
      10);
  int idles = 0;
  // Not a std::exception: still stopped, as an unknown error.
  const int idle = Application().AddOnIdle([&](bool& done) {
    ++idles;
    done = false;
    throw 42;
  });
  EXPECT_TRUE(RunLoopUntil([&] { return ticks >= 2; }, 3000));
  Application().RemoveTimer(timer);
  Application().RunIdleHandlers();
  Application().RunIdleHandlers();
  Application().RemoveHandler(idle);
  EXPECT_EQ(idles, 2);
  bool tickShown = false, unknownShown = false;
  for (const std::string& s : Shown) {
    tickShown |= s == "tick failed";
    unknownShown |= s == "An unknown error occurred";
  }
  EXPECT_TRUE(tickShown);
  EXPECT_TRUE(unknownShown);
}

TEST(BoundaryShowing, AnExceptionHandlerThatRaisesIsStoppedThereToo) {
  int calls = 0;
  const int handler = Application().AddOnException([&](const std::exception&) {
    ++calls;
    throw 7;
  });
  bool ran = true;
  EXPECT_NO_THROW(ran = Application().Guarded([] { throw EInvalidOperation("first"); }));
  Application().RemoveHandler(handler);
  EXPECT_FALSE(ran);
  EXPECT_EQ(calls, 1);
}
