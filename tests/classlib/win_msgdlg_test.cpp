// The message dialog with the "to all" answers, behind MessageDlg.
#include <gtest/gtest.h>

#include <cstdlib>

#include "Dialogs.h"
#include "MessageForm.h"

namespace {
TMessageForm* OpenMessageForm() {
  return dynamic_cast<TMessageForm*>(FindControl(FindWindowA("TMessageForm", nullptr)));
}

// Runs MessageDlg while a timer presses the button at `index` (or closes the
// dialog when index is -1) once the dialog is up.
int AnswerWith(int index, TMsgDlgButtons buttons) {
  const char* pause = std::getenv("BX_TEST_PAUSE_MS");  // time to look at the dialog
  int waited = 0, limit = pause ? std::atoi(pause) : 0;
  UINT_PTR timer = 0;
  timer = Application().AddTimer(
      [&] {
        TMessageForm* form = OpenMessageForm();
        if (!form || !IsWindowVisible(form->Handle()) || (waited += 20) < limit) return;
        if (index < 0) PostMessageA(form->Handle(), WM_CLOSE, 0, 0);
        else SendMessageA(form->Buttons.at(index)->Handle(), BM_CLICK, 0, 0);
      },
      20);
  int answer = MessageDlg("Overwrite the file \"skin.dat\"?", mtConfirmation, buttons);
  Application().RemoveTimer(timer);
  return answer;
}
}  // namespace

TEST(MessageForm, ShowsOneButtonPerAnswerInOrder) {
  TPromptRequest r;
  r.Caption = "Confirm";
  r.Text = "Overwrite?";
  r.Buttons = mbYes | mbNo | mbNoToAll | mbYesToAll;
  r.Default = mrYes;
  TMessageForm form(r, mtConfirmation);
  ASSERT_EQ(form.Buttons.size(), 4u);
  EXPECT_EQ(form.Buttons[0]->Caption(), "&Yes");
  EXPECT_EQ(form.Buttons[1]->Caption(), "&No");
  EXPECT_EQ(form.Buttons[2]->Caption(), "N&o to All");
  EXPECT_EQ(form.Buttons[3]->Caption(), "Yes to &All");
  EXPECT_TRUE(form.Buttons[0]->Default);
  EXPECT_EQ(form.Caption(), "Confirm");
  // Buttons lie inside the client area, side by side.
  for (size_t i = 1; i < form.Buttons.size(); ++i)
    EXPECT_GT(form.Buttons[i]->Left(), form.Buttons[i - 1]->Left() + form.Buttons[i - 1]->Width() - 1);
  EXPECT_LE(form.Buttons[3]->Left() + form.Buttons[3]->Width(), form.ClientWidth());
  // A click reaches the button's own object and answers for the form.
  SendMessageA(form.Buttons[2]->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(form.ModalResult, mrNoToAll);
}

TEST(MessageForm, MessageDlgShowsItForTheToAllAnswers) {
  TMsgDlgButtons all = mbYes | mbNo | mbNoToAll | mbYesToAll;
  EXPECT_EQ(AnswerWith(3, all), mrYesToAll);
  EXPECT_EQ(AnswerWith(2, all), mrNoToAll);
  EXPECT_EQ(AnswerWith(1, all), mrNo);
  // Closing it without an answer is Cancel.
  EXPECT_EQ(AnswerWith(-1, all), mrCancel);
  EXPECT_EQ(AnswerWith(2, mbYes | mbNo | mbAll), mrAll);
}
