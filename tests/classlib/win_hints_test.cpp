// Hints under the resting real mouse: a check box deep in a dialog's pages
// (inside a group box on a tab sheet) and a form's own hint that holds for a
// part of its client area.
#include <gtest/gtest.h>

#include "ComCtrls.h"
#include "Forms.h"
#include "StdCtrls.h"

#include <windows.h>

#include "../support/RealInput.h"

TEST(RestingHints, ACheckBoxInAGroupBoxOnATabSheetShowsItsHint) {
  TForm form(nullptr);
  form.SetBounds(60, 60, 320, 220);
  form.ShowHint = true;
  auto* pages = new TPageControl(&form);
  pages->SetBounds(4, 4, 300, 180);
  pages->SetParent(&form);
  auto* sheet = new TTabSheet(&form);
  sheet->SetCaption("General");
  sheet->SetPageControl(pages);
  auto* group = new TGroupBox(&form);
  group->SetCaption("Modlist options");
  group->SetBounds(8, 8, 260, 100);
  group->SetParent(sheet);
  auto* box = new TCheckBox(&form);
  box->SetCaption("Numbers");
  box->Hint = "You will see numbers in modlist";
  box->SetBounds(10, 20, 200, 20);
  box->SetParent(group);
  form.Show();
  SetForegroundWindow(form.Handle());
  EXPECT_EQ(HintAfterResting(MiddleOf(box->Handle())), "You will see numbers in modlist");
}

namespace {
// A form whose hint holds for its left half only, with the half's name.
class THalfHintForm : public TForm {
public:
  using TForm::TForm;

protected:
  RECT HintArea(POINT client) override {
    if (client.x >= ClientWidth() / 2) return RECT{0, 0, 0, 0};
    Hint = "Left half";
    return RECT{0, 0, ClientWidth() / 2, ClientHeight()};
  }
};
}  // namespace

TEST(RestingHints, AFormsOwnHintShowsOnlyInItsArea) {
  THalfHintForm form(nullptr);
  form.SetBorderStyle(bsNone);
  form.SetBounds(80, 80, 200, 100);
  form.ShowHint = true;
  form.Show();
  SetForegroundWindow(form.Handle());
  EXPECT_EQ(HintAfterResting(POINT{80 + 40, 80 + 50}), "Left half");
  EXPECT_EQ(HintAfterResting(POINT{80 + 160, 80 + 50}, 1500), "") << "no hint in the right half";
}
