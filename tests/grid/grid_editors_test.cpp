// The typed in-place editors against a grid stand-in that records what they
// ask of it: loading a cell, Escape, Enter with validation accepting and
// refusing, the navigation keys, the spin, ellipsis and combo events, and
// leaving. With BX_SHOW_EDITORS (milliseconds) every editor stays on screen
// over a grid for looking.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "ExtGridEditors.h"
#include "ExtGridUtil.h"
#include "Forms.h"
#include "Grids.h"

namespace {
class TFakeHost : public TGridEditorHost {
public:
  std::string Start;
  TEditorType Type = etNormal;
  TGridEditorSettings Settings;
  TStringList Lookup;
  bool Accept = true;
  std::string GiveBack;  // with Accept false, the text validation gives back
  std::string EllipsReply = "from handler";
  std::vector<std::string> Calls;

  int EditCol() const override { return 1; }
  int EditRow() const override { return 1; }
  TEditorType EditorType() const override { return Type; }
  std::string EditStartText() const override { return Start; }
  TGridEditorSettings EditorSettings() const override { return Settings; }
  TStringList& LookupItems() override { return Lookup; }
  bool ValidateEditor(std::string& text) override {
    Calls.push_back("validate " + text);
    if (!Accept) text = GiveBack;
    return Accept;
  }
  void LeaveEditor() override { Calls.push_back("leave"); }
  void EditorKeyToGrid(uint16_t key, TShiftState) override { Calls.push_back("key " + std::to_string(key)); }
  void SpinClicked(TEditorType type, double value) override {
    char buf[64];
    std::snprintf(buf, sizeof buf, "spin %d %g", int(type), value);
    Calls.push_back(buf);
  }
  std::string EllipsClick(const std::string& text) override {
    Calls.push_back("ellips " + text);
    return EllipsReply;
  }
  void ComboChanged(int index, const std::string& text, void*) override {
    Calls.push_back("combo " + std::to_string(index) + " " + text);
  }
  void DblClickCell() override { Calls.push_back("dblclick"); }
  bool AllowClipboard(TClipboardAction) override { return true; }
  TColor EditorColor() override { return clWindow; }
};

struct GridEditors : ::testing::Test {
  TForm Form{nullptr};
  TStringGrid* Grid;
  TEdit* Other;
  TFakeHost Host;
  GridEditors() {
    GridFormat() = TGridFormat{};
    Form.SetBounds(40, 40, 520, 360);
    Grid = new TStringGrid(&Form);
    Grid->SetBounds(0, 0, 500, 300);
    Grid->SetParent(&Form);
    Grid->SetColCount(5);
    Grid->SetRowCount(10);
    Other = new TEdit(&Form);
    Other->SetBounds(10, 305, 80, 22);
    Other->SetParent(&Form);
    Form.Show();
    SetForegroundWindow(Form.Handle());
  }
  // The editor for type, loaded with text, shown and focused over cell (col, row).
  std::unique_ptr<TGridEditorControl> Open(TEditorType type, const std::string& text, int col = 1, int row = 1) {
    Host.Type = type;
    Host.Start = text;
    auto editor = CreateGridEditor(type, Host, *Grid);
    if (!editor) return editor;
    RECT r = Grid->CellRect(col, row);
    TWinControl& c = editor->Control();
    c.SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
    editor->LoadCell(type, text);
    c.SetVisible(true);
    c.SetFocus();
    Host.Calls.clear();
    return editor;
  }
  static void Key(TWinControl& c, WPARAM key) { SendMessageA(c.Handle(), WM_KEYDOWN, key, 0); }
  static void Type(HWND wnd, const std::string& text) {
    for (char ch : text) SendMessageA(wnd, WM_CHAR, WPARAM(static_cast<unsigned char>(ch)), 0);
  }
  static void SelectAll(TWinControl& c) { SendMessageA(c.Handle(), EM_SETSEL, 0, -1); }
  std::vector<std::string> Calls(std::initializer_list<const char*> list) { return {list.begin(), list.end()}; }
};

void RealKeys(std::initializer_list<WORD> keys) {
  std::vector<INPUT> input;
  for (WORD vk : keys)
    for (DWORD flags : {DWORD(0), DWORD(KEYEVENTF_KEYUP)}) {
      INPUT in{};
      in.type = INPUT_KEYBOARD;
      in.ki.wVk = vk;
      in.ki.dwFlags = flags;
      input.push_back(in);
    }
  SendInput(UINT(input.size()), input.data(), sizeof(INPUT));
  // Let the keys arrive.
  DWORD end = GetTickCount() + 500;
  while (GetTickCount() < end) {
    Application().ProcessMessages();
    Sleep(5);
  }
}
}  // namespace

TEST_F(GridEditors, TheFactoryLeavesTheTextTypesToTheDefaultEditor) {
  for (TEditorType t : {etNormal, etNumeric, etPositiveNumeric, etFloat, etUppercase, etMixedcase, etPassword,
                        etLowercase, etString, etEditLink, etRichEdit})
    EXPECT_EQ(CreateGridEditor(t, Host, *Grid), nullptr) << t;
  auto kind = [&](TEditorType t) { return CreateGridEditor(t, Host, *Grid)->Control().ClassName(); };
  EXPECT_EQ(kind(etSpin), "TGridSpin");
  EXPECT_EQ(kind(etDateSpin), "TGridSpin");
  EXPECT_EQ(kind(etComboList), "TGridCombo");
  EXPECT_EQ(kind(etEditFloat), "TGridEditBtn");
  EXPECT_EQ(kind(etUnitEditBtn), "TGridUnitEditBtn");
  EXPECT_EQ(kind(etCheckBox), "TGridCheckBox");
  EXPECT_EQ(kind(etTimePicker), "TGridDatePicker");
  EXPECT_EQ(kind(etButton), "TGridButton");
  // Made hidden on the grid.
  auto editor = CreateGridEditor(etSpin, Host, *Grid);
  EXPECT_EQ(editor->Control().Parent(), Grid);
  EXPECT_FALSE(IsWindowVisible(editor->Control().Handle()));
}

TEST_F(GridEditors, SpinLimitsHoldForTypedTextAndAnEmptySpinReadsAsItsMinimum) {
  auto editor = Open(etSpin, "40");
  auto& spin = static_cast<TGridSpin&>(editor->Control());
  EXPECT_EQ(spin.Text(), "40");
  SelectAll(spin);
  Type(spin.Handle(), "250");
  EXPECT_EQ(editor->CellText(), "100");
  spin.SetText("");
  EXPECT_EQ(editor->CellText(), "0");
  // Enter validates the bounded text, then hands the key to the grid.
  SelectAll(spin);
  Type(spin.Handle(), "250");
  Key(spin, VK_RETURN);
  EXPECT_EQ(Host.Calls, Calls({"validate 100", "key 13"}));
  EXPECT_EQ(spin.Text(), "250");  // the grid writes CellText back, not the raw text
  // A cell out of bounds opens at its bound.
  auto other = Open(etSpin, "150");
  EXPECT_EQ(static_cast<TGridSpin&>(other->Control()).Text(), "100");
}

TEST_F(GridEditors, RefusedValidationKeepsTheEditorOpenWithTheTextGivenBack) {
  auto editor = Open(etSpin, "10");
  auto& spin = static_cast<TGridSpin&>(editor->Control());
  SelectAll(spin);
  Type(spin.Handle(), "77");
  Host.Accept = false;
  Host.GiveBack = "10";
  Key(spin, VK_RETURN);
  EXPECT_EQ(Host.Calls, Calls({"validate 77"}));  // no key to the grid: still editing
  EXPECT_EQ(spin.Text(), "10");
  EXPECT_TRUE(spin.Focused());
  // The same for an edit with a button, with a text the handler changed.
  auto edit = Open(etEditBtn, "old");
  auto& e = static_cast<TGridEditBtn&>(edit->Control());
  SelectAll(e);
  Type(e.Handle(), "new");
  Host.GiveBack = "fixed";
  Key(e, VK_DOWN);
  EXPECT_EQ(Host.Calls, Calls({"validate new"}));
  EXPECT_EQ(e.Text(), "fixed");
  Host.Accept = true;
  Key(e, VK_DOWN);
  EXPECT_EQ(Host.Calls.back(), "key 40");
}

TEST_F(GridEditors, EscapeRestoresTheStartTextInEveryTypedEditor) {
  Host.Settings.Tabs = true;
  struct Case {
    TEditorType Type;
    const char* Start;
  };
  for (Case c : {Case{etSpin, "150"}, Case{etFloatSpin, "2.5"}, Case{etDateSpin, "3/4/2024"}, Case{etTimeSpin, "1:02:03"},
                 Case{etCombo, "pear"}, Case{etEditBtn, "x"}, Case{etEditNumeric, "-12"}, Case{etUnitEditBtn, "12 kg"},
                 Case{etDatePicker, "3/4/2024"}, Case{etDateUpDown, "12/31/1999"}, Case{etTimePicker, "13:45:10"}}) {
    auto editor = Open(c.Type, c.Start);
    TWinControl& control = editor->Control();
    // Change it.
    if (auto* combo = dynamic_cast<TGridCombo*>(&control)) combo->SetText("apple");
    else if (auto* picker = dynamic_cast<TGridDatePicker*>(&control)) picker->SetDateTime(picker->DateTime() + 1.01);
    else if (auto* spin = dynamic_cast<TGridSpin*>(&control)) spin->UpClick();
    else static_cast<TCustomEdit&>(control).SetText("7");
    EXPECT_NE(editor->CellText(), c.Start) << c.Type;
    Host.Calls.clear();
    HWND keys = control.Handle();
    if (auto* combo = dynamic_cast<TGridCombo*>(&control)) {
      COMBOBOXINFO info{};
      info.cbSize = sizeof info;
      GetComboBoxInfo(combo->Handle(), &info);
      keys = info.hwndItem;
    }
    SendMessageA(keys, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(editor->CellText(), c.Start) << c.Type;
    EXPECT_EQ(Host.Calls, Calls({"key 27"})) << c.Type;
  }
}

TEST_F(GridEditors, SpinKeysAndButtonsRaiseTheSpinEventOfTheirType) {
  auto editor = Open(etSpin, "10");
  auto& spin = static_cast<TGridSpin&>(editor->Control());
  spin.Increment = 5;
  Key(spin, VK_PRIOR);
  Key(spin, VK_NEXT);
  Key(spin, VK_NEXT);
  Key(spin, VK_HOME);
  Key(spin, VK_END);
  Key(spin, VK_UP);
  EXPECT_EQ(Host.Calls, Calls({"spin 1 15", "spin 1 10", "spin 1 5", "spin 1 100", "spin 1 0", "spin 1 5"}));
  // The buttons: press and release the lower half.
  Host.Calls.clear();
  TEsgSpinButton& buttons = spin.Button();
  SendMessageA(buttons.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, buttons.Height() - 3));
  SendMessageA(buttons.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, buttons.Height() - 3));
  EXPECT_EQ(Host.Calls, Calls({"spin 1 0"}));
  EXPECT_TRUE(spin.Focused());
  // A date spin with the caret in the year part adds a year.
  auto date = Open(etDateSpin, "3/4/2024");
  auto& d = static_cast<TGridSpin&>(date->Control());
  SendMessageA(d.Handle(), EM_SETSEL, 5, 5);
  Key(d, VK_UP);
  EXPECT_EQ(d.Text(), "3/4/2025");
  ASSERT_EQ(Host.Calls.size(), 1u);
  EXPECT_EQ(Host.Calls[0], "spin 22 " + std::to_string(int(EncodeDate(2025, 3, 4))));
}

TEST_F(GridEditors, LeavingRunsTheGridsLeaveStepOnce) {
  auto editor = Open(etEditBtn, "a");
  Other->SetFocus();
  EXPECT_EQ(Host.Calls, Calls({"leave"}));
  editor->Control().SetFocus();
  Other->SetFocus();
  EXPECT_EQ(Host.Calls, Calls({"leave"}));  // once per editing
  // A key handed to the grid is the end of the editing: no leave after it.
  auto check = Open(etCheckBox, "Done");
  Key(check->Control(), VK_DOWN);
  Other->SetFocus();
  EXPECT_EQ(Host.Calls, Calls({"key 40"}));
}

TEST_F(GridEditors, CheckBoxShowsTheCellTextUncheckedAndWritesNothing) {
  auto editor = Open(etCheckBox, "Ready");
  auto& box = static_cast<TGridCheckBox&>(editor->Control());
  EXPECT_EQ(box.Caption(), "Ready");
  EXPECT_FALSE(box.Checked());
  SendMessageA(box.Handle(), BM_CLICK, 0, 0);
  EXPECT_TRUE(box.Checked());
  EXPECT_EQ(editor->CellText(), std::nullopt);
  Key(box, VK_RETURN);
  Key(box, VK_NEXT);
  EXPECT_EQ(Host.Calls, Calls({"key 13", "key 34"}));
  Host.Calls.clear();
  Key(box, VK_TAB);  // without goTabs the dialog keys have it
  EXPECT_TRUE(Host.Calls.empty());
}

TEST_F(GridEditors, ComboListSelectsTheCellsItemAndReportsChanges) {
  auto editor = CreateGridEditor(etComboList, Host, *Grid);
  auto& combo = static_cast<TGridCombo&>(editor->Control());
  for (const char* s : {"apple", "pear", "plum"}) combo.Items.Add(s);
  combo.SetBounds(10, 30, 100, 22);
  editor->LoadCell(etComboList, "pear");
  EXPECT_EQ(combo.ItemIndex(), 1);
  editor->LoadCell(etComboList, "cherry");  // not an item: the one selected before
  EXPECT_EQ(combo.ItemIndex(), 1);
  combo.SetItemIndex(-1);
  editor->LoadCell(etComboList, "cherry");
  EXPECT_EQ(combo.ItemIndex(), 0);
  combo.SetVisible(true);
  combo.SetFocus();
  SendMessageA(combo.Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
  SendMessageA(combo.Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
  SendMessageA(combo.Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);  // not above the first
  EXPECT_EQ(Host.Calls, Calls({"combo 1 pear", "combo 0 apple"}));
  EXPECT_EQ(editor->CellText(), "apple");
}

TEST_F(GridEditors, EditableComboCompletesFromItsItemsAndRemembersNewTexts) {
  Host.Settings.Lookup = true;
  Host.Settings.LookupHistory = true;
  auto editor = CreateGridEditor(etCombo, Host, *Grid);
  auto& combo = static_cast<TGridCombo&>(editor->Control());
  for (const char* s : {"Quake", "Quake 2", "Hexen"}) combo.Items.Add(s);
  RECT r = Grid->CellRect(2, 2);
  combo.SetBounds(r.left, r.top, 120, r.bottom - r.top);
  editor->LoadCell(etCombo, "");
  combo.SetVisible(true);
  combo.SetFocus();
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  ASSERT_TRUE(GetComboBoxInfo(combo.Handle(), &info));
  Type(info.hwndItem, "he");
  EXPECT_EQ(combo.Text(), "Hexen");
  EXPECT_EQ(Host.Calls.front(), "combo -1 h");
  SendMessageA(info.hwndItem, WM_SETTEXT, 0, LPARAM("Sin"));
  Other->SetFocus();
  EXPECT_EQ(combo.Items.IndexOf("Sin"), 3);
  EXPECT_EQ(Host.Calls.back(), "leave");
}

TEST_F(GridEditors, DatePickerLoadsAndWritesTheLocaleText) {
  auto editor = Open(etDatePicker, "2/29/2024");
  EXPECT_EQ(editor->CellText(), "2/29/2024");
  auto time = Open(etTimePicker, "13:45:10");
  EXPECT_EQ(time->CellText(), "13:45:10");
  auto& picker = static_cast<TGridDatePicker&>(time->Control());
  EXPECT_EQ(picker.Kind(), dtkTime);
  Key(picker, VK_RETURN);
  EXPECT_EQ(Host.Calls, Calls({"validate 13:45:10", "key 13"}));
}

TEST_F(GridEditors, EditButtonFiltersNumbersAndAsksTheGridOnAClick) {
  auto editor = Open(etEditNumeric, "");
  auto& edit = static_cast<TGridEditBtn&>(editor->Control());
  Type(edit.Handle(), "-1-2a.3");
  EXPECT_EQ(edit.Text(), "-123");
  auto fl = Open(etEditFloat, "");
  auto& f = static_cast<TGridEditBtn&>(fl->Control());
  Type(f.Handle(), "-1,5.2");
  EXPECT_EQ(f.Text(), "-1,52");
  TEsgEditButton& button = f.EditButton();
  SendMessageA(button.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
  SendMessageA(button.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
  EXPECT_EQ(Host.Calls, Calls({"ellips -1,52"}));
  EXPECT_EQ(f.Text(), "from handler");
}

TEST_F(GridEditors, UnitEditSplitsTheValueFromItsUnit) {
  auto editor = Open(etUnitEditBtn, "-12.5 kg");
  auto& edit = static_cast<TGridUnitEditBtn&>(editor->Control());
  EXPECT_EQ(edit.Text(), "-12.5");
  EXPECT_EQ(edit.UnitID(), " kg");
  edit.SetText("13");
  EXPECT_EQ(editor->CellText(), "13 kg");
  Type(edit.Handle(), "\r");
  EXPECT_EQ(edit.Text(), "13");  // Enter types nothing
}

TEST_F(GridEditors, ButtonTakesItsCaptionFromTheEllipsisStepAndArrowsGoBackToTheGrid) {
  auto editor = Open(etButton, "Press");
  auto& button = static_cast<TGridButton&>(editor->Control());
  EXPECT_EQ(button.Caption(), "Press");
  SendMessageA(button.Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(button.Caption(), "from handler");
  Key(button, VK_LEFT);
  EXPECT_EQ(Host.Calls, Calls({"ellips Press", "key 37"}));
  EXPECT_EQ(editor->CellText(), std::nullopt);
}

TEST_F(GridEditors, RealKeysTypeIntoTheSpinAndEnterEndsIt) {
  auto editor = Open(etSpin, "5");
  auto& spin = static_cast<TGridSpin&>(editor->Control());
  SetForegroundWindow(Form.Handle());
  spin.SetFocus();
  SelectAll(spin);
  RealKeys({'9', '9', '9'});
  EXPECT_EQ(spin.Text(), "999");
  Host.Calls.clear();
  RealKeys({VK_RETURN});
  EXPECT_EQ(Host.Calls, Calls({"validate 100", "key 13"}));
}

// With BX_SHOW_EDITORS set to milliseconds, one of each editor over the grid.
TEST_F(GridEditors, ShownForLooking) {
  const char* ms = std::getenv("BX_SHOW_EDITORS");
  if (!ms) GTEST_SKIP() << "BX_SHOW_EDITORS not set";
  Form.SetBounds(0, 0, 520, 360);
  Grid->SetColWidths(1, 130);
  Grid->SetColWidths(2, 130);
  std::vector<std::unique_ptr<TGridEditorControl>> editors;
  auto show = [&](TEditorType type, const std::string& text, int col, int row) {
    Host.Type = type;
    auto e = CreateGridEditor(type, Host, *Grid);
    if (auto* combo = dynamic_cast<TGridCombo*>(&e->Control()))
      for (const char* s : {"Quake", "Quake 2", "Hexen"}) combo->Items.Add(s);
    if (auto* unit = dynamic_cast<TGridUnitEditBtn*>(&e->Control())) unit->Units.Add("kg");
    RECT r = Grid->CellRect(col, row);
    e->Control().SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
    e->LoadCell(type, text);
    e->Control().SetVisible(true);
    editors.push_back(std::move(e));
  };
  show(etSpin, "42", 1, 1);
  show(etEditBtn, "file.txt", 1, 2);
  show(etUnitEditBtn, "12.5 kg", 1, 3);
  show(etCombo, "Quake 2", 1, 4);
  show(etCheckBox, "Check box", 1, 5);
  show(etDatePicker, "2/29/2024", 2, 1);
  show(etDateUpDown, "12/31/1999", 2, 2);
  show(etTimePicker, "13:45:10", 2, 3);
  show(etButton, "Button", 2, 4);
  show(etDateSpin, "3/4/2024", 2, 5);
  editors[3]->Control().SetFocus();  // the combo, hot
  const DWORD end = GetTickCount() + DWORD(std::atoi(ms));
  while (GetTickCount() < end) {
    Application().ProcessMessages();
    Sleep(20);
  }
}

TEST_F(GridEditors, AltWithAnArrowStaysWithTheEditorsControl) {
  auto editor = Open(etEditBtn, "x");
  auto& edit = static_cast<TGridEditBtn&>(editor->Control());
  SetForegroundWindow(Form.Handle());
  edit.SetFocus();
  // Alt with Down (a system key) is the control's own.
  INPUT in[4] = {};
  const WORD keys[4] = {VK_MENU, VK_DOWN, VK_DOWN, VK_MENU};
  for (int i = 0; i < 4; ++i) {
    in[i].type = INPUT_KEYBOARD;
    in[i].ki.wVk = keys[i];
    in[i].ki.dwFlags = i == 0 || i == 1 ? 0 : KEYEVENTF_KEYUP;
  }
  SendInput(4, in, sizeof(INPUT));
  RealKeys({});
  EXPECT_TRUE(Host.Calls.empty());
  // The plain arrow leaves the editor through the grid.
  Key(edit, VK_DOWN);
  EXPECT_EQ(Host.Calls, Calls({"validate x", "key 40"}));
}
