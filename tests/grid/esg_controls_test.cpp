// The grid family's controls on their own: the repeating spin buttons, the
// spin edit, the edits with a button, the flat combo, the popup button and
// the date-time picker.
#include <gtest/gtest.h>

#include "DateTimePicker.h"
#include "EsgCombo.h"
#include "EsgEdit.h"
#include "EsgMisc.h"
#include "EsgSpin.h"
#include "ExtGridUtil.h"
#include "Forms.h"

#include <commctrl.h>

namespace {
struct EsgControls : ::testing::Test {
  TForm Form{nullptr};
  TEdit* Other;  // somewhere for the focus to go
  EsgControls() {
    GridFormat() = TGridFormat{};
    Form.SetBounds(40, 40, 420, 300);
    Other = new TEdit(&Form);
    Other->SetBounds(300, 200, 80, 22);
    Other->SetParent(&Form);
    Form.Show();
    SetForegroundWindow(Form.Handle());
  }
  template <class T>
  T* Add(int x, int y, int w, int h) {
    auto* c = new T(&Form);
    c->SetBounds(x, y, w, h);
    c->SetParent(&Form);
    return c;
  }
  static void Press(HWND wnd, int x, int y) { SendMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y)); }
  static void Release(HWND wnd, int x, int y) { SendMessageA(wnd, WM_LBUTTONUP, 0, MAKELPARAM(x, y)); }
  static void Key(TWinControl& c, WPARAM key) { SendMessageA(c.Handle(), WM_KEYDOWN, key, 0); }
  static void Type(TWinControl& c, const std::string& text) {
    for (char ch : text) SendMessageA(c.Handle(), WM_CHAR, WPARAM(static_cast<unsigned char>(ch)), 0);
  }
  static void Caret(TWinControl& c, int pos) { SendMessageA(c.Handle(), EM_SETSEL, pos, pos); }
};
}  // namespace

TEST_F(EsgControls, HeldRepeatButtonClicksAtOnceAfter400MsAndThenEvery100Ms) {
  auto* spin = Add<TEsgSpinButton>(10, 10, 15, 30);
  int up = 0, down = 0;
  spin->OnUpClick = [&](TComponent*) { ++up; };
  spin->OnDownClick = [&](TComponent*) { ++down; };
  TExtTimerSpeedButton& button = spin->UpButton();
  EXPECT_EQ(button.RepeatTimer(), nullptr);  // made at the first press
  Press(spin->Handle(), 5, 3);
  EXPECT_EQ(up, 1);
  ASSERT_NE(button.RepeatTimer(), nullptr);
  EXPECT_TRUE(button.RepeatTimer()->Enabled());
  EXPECT_EQ(button.RepeatTimer()->Interval(), 400u);
  button.RepeatTimer()->Tick();
  EXPECT_EQ(up, 2);
  EXPECT_EQ(button.RepeatTimer()->Interval(), 100u);
  button.RepeatTimer()->Tick();
  EXPECT_EQ(up, 3);
  // Releasing stops it without one more click.
  Release(spin->Handle(), 5, 3);
  EXPECT_EQ(up, 3);
  EXPECT_FALSE(button.RepeatTimer()->Enabled());
  button.TimerExpired();  // a tick already queued
  EXPECT_EQ(up, 3);
  EXPECT_EQ(down, 0);
  // Keys click the buttons too.
  Key(*spin, VK_DOWN);
  EXPECT_EQ(down, 1);
}

TEST_F(EsgControls, RepeatStopsWhenTheClickThrows) {
  auto* spin = Add<TEsgSpinButton>(10, 10, 15, 30);
  int clicks = 0;
  spin->OnUpClick = [&](TComponent*) {
    if (++clicks == 2) throw EConvertError("bad value");
  };
  Press(spin->Handle(), 5, 3);
  TTimer* timer = spin->UpButton().RepeatTimer();
  EXPECT_THROW(timer->Tick(), EConvertError);
  EXPECT_FALSE(timer->Enabled());
  Release(spin->Handle(), 5, 3);
}

TEST_F(EsgControls, SpinButtonHalvesOverlapByOnePixelAndKeepTheirMinimum) {
  auto* spin = Add<TEsgSpinButton>(10, 10, 15, 30);
  EXPECT_EQ(spin->UpButton().Height(), 15);
  EXPECT_EQ(spin->DownButton().Top(), 14);
  EXPECT_EQ(spin->DownButton().Top() + spin->DownButton().Height(), 30);
  spin->SetBounds(10, 10, 15, 8);
  EXPECT_EQ(spin->Height(), 15);
  spin->SetDirection(spHorizontal);
  spin->SetBounds(10, 10, 10, 15);
  EXPECT_EQ(spin->Width(), 20);
  EXPECT_EQ(spin->DownButton().Left(), 0);
  EXPECT_EQ(spin->UpButton().Left(), 9);
}

TEST_F(EsgControls, SpinEditStepsAndHoldsItsBoundsAlsoForTypedText) {
  auto* spin = Add<TEsgSpinEdit>(10, 50, 80, 24);
  EXPECT_EQ(spin->Text(), "0");
  spin->Increment = 5;
  spin->SetFocus();
  Key(*spin, VK_UP);
  Key(*spin, VK_UP);
  EXPECT_EQ(spin->Text(), "10");
  // The button at the right edge, the text ending 2 pixels before it.
  EXPECT_EQ(spin->Button().Left() + spin->Button().Width(), spin->ClientWidth());
  LRESULT margins = SendMessageA(spin->Handle(), EM_GETMARGINS, 0, 0);
  EXPECT_EQ(HIWORD(margins), TEsgSpinEdit::kButtonWidth + 2);
  // Left with 150 and maximum 100: shows 100.
  SendMessageA(spin->Handle(), EM_SETSEL, 0, -1);
  Type(*spin, "150");
  EXPECT_EQ(spin->Text(), "150");
  EXPECT_EQ(spin->Value(), 100);
  Other->SetFocus();
  EXPECT_EQ(spin->Text(), "100");
  // Empty reads as the minimum, and leaving writes it.
  spin->MinValue = 3;
  spin->SetText("");
  EXPECT_EQ(spin->Value(), 3);
  spin->SetFocus();
  Other->SetFocus();
  EXPECT_EQ(spin->Text(), "3");
  // Refused characters never reach the text.
  spin->SetFocus();
  Caret(*spin, 1);
  Type(*spin, "a.:7");
  EXPECT_EQ(spin->Text(), "37");
  // Not lower than its font needs.
  spin->SetBounds(10, 50, 80, 4);
  EXPECT_GT(spin->Height(), 15);
}

TEST_F(EsgControls, DateSpinWithTheCaretInTheYearPartAddsOneYear) {
  auto* spin = Add<TEsgSpinEdit>(10, 90, 120, 24);
  spin->SetSpinType(sptDate);
  spin->SetDateValue(EncodeDate(2023, 5, 31));
  EXPECT_EQ(spin->Text(), "5/31/2023");
  spin->SetFocus();
  Caret(*spin, 7);
  Key(*spin, VK_UP);
  EXPECT_EQ(spin->Text(), "5/31/2024");
  // The caret stays in the part it stepped.
  DWORD start = 0;
  SendMessageA(spin->Handle(), EM_GETSEL, WPARAM(&start), 0);
  EXPECT_EQ(start, 7u);
  Caret(*spin, 0);
  spin->DownClick();
  EXPECT_EQ(spin->Text(), "4/30/2024");
  // Changing the type rewrites the value.
  spin->SetSpinType(sptNormal);
  EXPECT_EQ(spin->Text(), "100");  // the date's day number, bounded
}

TEST_F(EsgControls, FloatSpinWritesItsPrecisionAndTypesTheDecimalSeparatorOnce) {
  auto* spin = Add<TEsgSpinEdit>(10, 130, 100, 24);
  spin->SetSpinType(sptFloat);
  spin->IncrementFloat = 0.5;
  spin->SetFloatValue(2.26);
  EXPECT_EQ(spin->Text(), "2.26");
  spin->SetPrecision(1);
  EXPECT_EQ(spin->Text(), "2.3");  // rewritten in the new form
  spin->SetPrecision(3);
  spin->SetText("1");
  spin->SetFocus();
  Caret(*spin, 1);
  Type(*spin, ",5.");  // the thousand separator types the decimal one, once
  EXPECT_EQ(spin->Text(), "1.5");
  spin->UpClick();
  EXPECT_EQ(spin->Text(), "2.000");
  // Read-only: no step.
  spin->SetReadOnly(true);
  spin->UpClick();
  EXPECT_EQ(spin->Text(), "2.000");
}

TEST_F(EsgControls, SpinEditWithTheEditorDisabledTakesNoTyping) {
  auto* spin = Add<TEsgSpinEdit>(10, 170, 80, 24);
  spin->EditorEnabled = false;
  spin->SetValue(42);
  spin->SetFocus();
  Caret(*spin, 2);
  Type(*spin, "5\b");
  Key(*spin, VK_DELETE);
  EXPECT_EQ(spin->Text(), "42");
  Key(*spin, VK_DOWN);
  EXPECT_EQ(spin->Text(), "41");
}

TEST_F(EsgControls, EditButtonCallsItsHandlerAndGivesTheFocusBack) {
  auto* edit = Add<TEsgEditBtn>(10, 10, 120, 24);
  EXPECT_EQ(edit->Text(), "0");
  int clicks = 0;
  edit->OnClickBtn = [&](TComponent*) { ++clicks; };
  Other->SetFocus();
  TEsgEditButton& button = edit->EditButton();
  EXPECT_EQ(button.Left() + button.Width(), edit->ClientWidth());
  Press(button.Handle(), 5, 5);
  Release(button.Handle(), 5, 5);
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(edit->Focused());
  // The text area ends before the button.
  RECT r{};
  SendMessageA(edit->Handle(), EM_GETRECT, 0, LPARAM(&r));
  EXPECT_LE(r.right, edit->ClientWidth() - TEsgEditBtn::kButtonWidth);
  // One line: Enter and Tab type nothing.
  SendMessageA(edit->Handle(), EM_SETSEL, 0, -1);
  Type(*edit, "ab\r\tc");
  EXPECT_EQ(edit->Text(), "abc");
}

TEST_F(EsgControls, UnitEditChoosesItsUnitFromTheMenuAndKeepsRoomForIt) {
  auto* edit = Add<TEsgUnitEditBtn>(10, 50, 140, 24);
  for (const char* u : {"mm", "cm", "m"}) edit->Units.Add(u);
  edit->SetUnitID("cm");
  TPopupMenu& menu = edit->UnitMenu();
  ASSERT_EQ(menu.Items()->Count(), 3);
  EXPECT_TRUE(menu.Items()->Items(1)->Checked);
  menu.Items()->Items(2)->Click();
  EXPECT_EQ(edit->UnitID(), "m");
  EXPECT_EQ(edit->UnitMenu().Items()->Count(), 3);  // rebuilt, not grown
  RECT r{};
  SendMessageA(edit->Handle(), EM_GETRECT, 0, LPARAM(&r));
  EXPECT_LE(r.right, edit->ClientWidth() - TEsgEditBtn::kButtonWidth - 30);
}

TEST_F(EsgControls, FlatComboTakesOnlyButtonWidthsFrom14To32AndItsParentsColourWhileDisabled) {
  auto* combo = Add<TESGComboBox>(10, 10, 120, 22);
  EXPECT_TRUE(combo->Flat());
  EXPECT_EQ(combo->ButtonWidth(), GetSystemMetrics(SM_CXVSCROLL) + 2);
  combo->SetButtonWidth(13);
  combo->SetButtonWidth(33);
  EXPECT_EQ(combo->ButtonWidth(), GetSystemMetrics(SM_CXVSCROLL) + 2);
  combo->SetButtonWidth(20);
  EXPECT_EQ(combo->ButtonWidth(), 20);
  combo->Color = clYellow;
  Form.Color = clTeal;
  combo->SetEnabled(false);
  EXPECT_EQ(combo->Color, clTeal);
  combo->SetEnabled(true);
  EXPECT_EQ(combo->Color, clYellow);
  combo->Items.Add("a much longer item than the box is wide");
  combo->SetDropWidth(300);
  EXPECT_EQ(SendMessageA(combo->Handle(), CB_GETDROPPEDWIDTH, 0, 0), 300);
  EXPECT_FALSE(combo->Hot());
  combo->SetFocus();
  EXPECT_TRUE(combo->Hot());
}

TEST_F(EsgControls, PopupButtonIsATopMostPopupMadeHidden) {
  auto* button = new TPopupButton(&Form);
  button->SetParent(&Form);
  button->SetCaption("Filter");
  button->SetBounds(100, 100, 60, 20);
  HWND wnd = button->Handle();
  EXPECT_FALSE(IsWindowVisible(wnd));
  EXPECT_TRUE(GetWindowLongPtrA(wnd, GWL_STYLE) & WS_POPUP);
  EXPECT_TRUE(GetWindowLongPtrA(wnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_EQ(GetWindow(wnd, GW_OWNER), Form.Handle());
  button->SetVisible(true);
  EXPECT_TRUE(IsWindowVisible(wnd));
  EXPECT_EQ(GetForegroundWindow(), Form.Handle());  // not activated
}

TEST_F(EsgControls, DateTimePickerKeepsItsValueAcrossKindChanges) {
  auto* picker = Add<TDateTimePicker>(10, 10, 140, 22);
  picker->SetDate(EncodeDate(2024, 2, 29));
  picker->SetTime(0.5);
  EXPECT_EQ(picker->Date(), EncodeDate(2024, 2, 29));
  EXPECT_DOUBLE_EQ(picker->Time(), 0.5);
  picker->SetKind(dtkTime);
  EXPECT_TRUE(GetWindowLongPtrA(picker->Handle(), GWL_STYLE) & DTS_TIMEFORMAT);
  EXPECT_DOUBLE_EQ(picker->DateTime(), EncodeDate(2024, 2, 29) + 0.5);
  picker->SetKind(dtkDate);
  picker->SetDateMode(dmUpDown);
  EXPECT_TRUE(GetWindowLongPtrA(picker->Handle(), GWL_STYLE) & DTS_UPDOWN);
  EXPECT_EQ(picker->Date(), EncodeDate(2024, 2, 29));
  EXPECT_FALSE(picker->DroppedDown());
}

TEST_F(EsgControls, SpinEditKeyEventSeesEveryKeyOnceBeforeTheStep) {
  auto* spin = Add<TEsgSpinEdit>(10, 50, 80, 24);
  std::vector<uint16_t> seen;
  spin->OnKeyDown = [&](TComponent*, uint16_t& key, TShiftState) {
    seen.push_back(key);
    if (key == VK_DOWN) key = 0;  // taken by the event: no step
  };
  spin->SetFocus();
  Key(*spin, VK_UP);
  Key(*spin, VK_DOWN);
  EXPECT_EQ(seen, (std::vector<uint16_t>{VK_UP, VK_DOWN}));
  EXPECT_EQ(spin->Text(), "1");
}
