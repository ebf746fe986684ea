// The hyperlink label on a form: hovering colours it, a click opens its
// address through the shell (recorded by BX_SHELL_LOG).
#include "UrlLabel.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>

#include "../support/testfiles.h"
#include "Forms.h"

namespace {

void MoveTo(TForm& form, int x, int y) { SendMessageA(form.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(x, y)); }

void ClickAt(TForm& form, int x, int y) {
  SendMessageA(form.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  SendMessageA(form.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

// A form with the label at (20, 40), 200 x 24, and the shell's opens recorded.
class UrlLabelTest : public testing::Test {
protected:
  void SetUp() override {
    std::remove(FLog.c_str());
    _putenv_s("BX_SHELL_LOG", FLog.c_str());
    Form.SetBounds(40, 40, 300, 120);
    Form.SetCaption("About");
    Label = new TUrlLabel(&Form);
    Label->SetBounds(20, 40, 200, 24);
    Label->SetParent(&Form);
  }
  void TearDown() override {
    _putenv_s("BX_SHELL_LOG", "");
    std::remove(FLog.c_str());
  }
  std::string Opened() const { return ReadAll(FLog); }

  TForm Form{nullptr};
  TUrlLabel* Label = nullptr;  // owned by Form

private:
  std::string FLog = testing::TempDir() + "bx_urllabel_shell.log";
};

}  // namespace

TEST_F(UrlLabelTest, LooksLikeALinkWithTheHandCursor) {
  EXPECT_EQ(Label->Font.Color, clBlue);
  EXPECT_EQ(Label->Font.Style, uint32_t(fsBold | fsUnderline));
  EXPECT_EQ(Label->ActiveColor, clPurple);
  EXPECT_EQ(Label->Cursor, crHandPoint);
  EXPECT_NE(ScreenCursors().Get(crHandPoint), LoadCursorA(nullptr, IDC_ARROW));
}

TEST_F(UrlLabelTest, HoverColoursAndLeavingDropsTheUnderline) {
  Label->Font.Color = clGreen;
  MoveTo(Form, 5, 5);
  MoveTo(Form, 30, 50);
  EXPECT_EQ(Label->Font.Color, clPurple);
  EXPECT_TRUE(Label->Font.Style & fsUnderline);
  MoveTo(Form, 60, 52);
  EXPECT_EQ(Label->Font.Color, clPurple);
  MoveTo(Form, 5, 5);
  EXPECT_EQ(Label->Font.Color, clGreen);
  EXPECT_EQ(Label->Font.Style, uint32_t(fsBold)) << "leaving takes off the default underline too";
  MoveTo(Form, 30, 50);
  EXPECT_EQ(Label->Font.Style, uint32_t(fsBold | fsUnderline));
}

TEST_F(UrlLabelTest, AClickRunsOnClickThenOpensTheTrimmedURL) {
  Label->SetCaption("Our web site");
  Label->SetURL("  http://www.example.com/bx2000/  ");
  std::string seenInOnClick = "unset";
  Label->OnClick = [&](TComponent*) { seenInOnClick = Opened(); };
  ClickAt(Form, 30, 50);
  EXPECT_EQ(seenInOnClick, "") << "OnClick comes before the shell";
  EXPECT_EQ(Opened(), "open\thttp://www.example.com/bx2000/\t\n");
  // A press that ends off the label is no click.
  SendMessageA(Form.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 50));
  SendMessageA(Form.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(250, 100));
  EXPECT_EQ(Opened(), "open\thttp://www.example.com/bx2000/\t\n");
}

TEST_F(UrlLabelTest, WithoutAURLTheCaptionIsOpenedAndBlanksOpenNothing) {
  Label->SetCaption(" www.example.org ");
  ClickAt(Form, 30, 50);
  EXPECT_EQ(Opened(), "open\twww.example.org\t\n");
  std::remove((testing::TempDir() + "bx_urllabel_shell.log").c_str());
  Label->SetCaption("   ");
  Label->SetURL(" ");
  int clicks = 0;
  Label->OnClick = [&](TComponent*) { ++clicks; };
  ClickAt(Form, 30, 50);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(Opened(), "");
}

TEST_F(UrlLabelTest, TheURLBecomesTheCaptionOnlyWhileTheCaptionWasNeverSet) {
  Label->SetURL("http://a.example.com");
  EXPECT_EQ(Label->Caption(), "http://a.example.com");
  Label->SetCaption("Home page");
  Label->SetURL("http://b.example.com");
  EXPECT_EQ(Label->Caption(), "Home page");
  EXPECT_EQ(Label->URL(), "http://b.example.com");
  TUrlLabel named(nullptr);
  named.Name = "UrlLabel1";
  named.SetCaption("UrlLabel1");
  named.SetURL("http://c.example.com");
  EXPECT_EQ(named.Caption(), "http://c.example.com");
}

// With BX_SHOW_URLLABEL set to milliseconds the form stays on screen, the
// mouse over the second label, for a screenshot.
TEST_F(UrlLabelTest, ShownForLooking) {
  const char* ms = std::getenv("BX_SHOW_URLLABEL");
  if (!ms) GTEST_SKIP() << "BX_SHOW_URLLABEL not set";
  Label->SetURL("http://www.example.com/bx2000/");
  auto* hovered = new TUrlLabel(&Form);
  hovered->SetBounds(20, 70, 200, 24);
  hovered->SetParent(&Form);
  hovered->SetCaption("Hovered link");
  Form.Show();
  MoveTo(Form, 30, 80);
  const DWORD end = GetTickCount() + DWORD(atoi(ms));
  while (GetTickCount() < end) {
    Application().ProcessMessages();
    Sleep(20);
  }
}
