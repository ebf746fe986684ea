// Editing cells of a shown grid with real key events: opening the default
// editor, its text rules, validation, Escape, Enter's walk and lookup.
#include <gtest/gtest.h>

#include "EditingTestForm.h"

namespace {
void UseType(TExtStringGrid& g, TEditorType type) {
  g.OnGetEditorType = [type](TComponent*, int, int, TEditorType& t) { t = type; };
}
}  // namespace

TEST(GridEditing, TypingOpensTheEditorOverTheCellAndEnterWritesIt) {
  TEditWindow w(4, 4);
  TEditGrid& g = *w.Grid;
  w.Focus(2, 2);
  w.Type("Abc");
  ASSERT_TRUE(g.EditorMode());
  EXPECT_EQ(w.EditorText(), "Abc");  // the first character replaced the text
  RECT cell = g.CellRect(2, 2);
  EXPECT_EQ(g.InplaceEditor()->Left(), cell.left);
  EXPECT_EQ(g.InplaceEditor()->Top(), cell.top);
  EXPECT_EQ(g.InplaceEditor()->Width(), cell.right - cell.left);
  EXPECT_EQ(g.Cells(2, 2), "2,2");  // nothing written while typing
  w.Shot("editor_open");
  w.Press(VK_RETURN);
  EXPECT_FALSE(g.EditorMode());
  EXPECT_EQ(g.Cells(2, 2), "Abc");
  EXPECT_EQ(g.Col(), 2);
  // F2 opens it with the cell's text; Backspace opens it emptied.
  w.Press(VK_F2);
  EXPECT_EQ(w.EditorText(), "Abc");
  w.Press(VK_ESCAPE);
  w.Press(VK_BACK);
  EXPECT_TRUE(g.EditorMode());
  EXPECT_EQ(w.EditorText(), "");
  w.Press(VK_ESCAPE);
  EXPECT_EQ(g.Cells(2, 2), "Abc");
  // Without the editing option, typing changes nothing.
  g.Options &= ~goEditing;
  w.Type("x");
  EXPECT_FALSE(g.EditorMode());
}

TEST(GridEditing, EscapeRestoresTheTextFromWhenEditingBegan) {
  TEditWindow w(4, 4);
  TEditGrid& g = *w.Grid;
  w.Focus(1, 1);
  w.Press(VK_F2);
  w.Type("zz");
  w.Press(VK_ESCAPE);
  EXPECT_FALSE(g.EditorMode());
  EXPECT_EQ(g.Cells(1, 1), "1,1");
  // Also after a refusing validation put its own text into the cell.
  g.OnCellValidate = [](TComponent*, int, int, std::string& value, bool& valid) {
    value = "given";
    valid = false;
  };
  w.Type("bad");
  w.Press(VK_RETURN);
  EXPECT_EQ(g.Cells(1, 1), "given");
  w.Press(VK_ESCAPE);
  EXPECT_EQ(g.Cells(1, 1), "1,1");
}

TEST(GridEditing, RefusedValidationKeepsEditingTheCellWithTheOldText) {
  TEditWindow w(4, 4);
  TEditGrid& g = *w.Grid;
  g.Navigation.AdvanceOnEnter = true;
  int calls = 0;
  g.OnCellValidate = [&](TComponent*, int col, int row, std::string& value, bool& valid) {
    ++calls;
    EXPECT_EQ(col, 1);
    EXPECT_EQ(row, 2);
    valid = value != "bad";
    if (value == "lower") value = "LOWER";
  };
  w.Focus(1, 2);
  w.Type("bad");
  w.Press(VK_RETURN);
  EXPECT_EQ(calls, 1);
  ASSERT_TRUE(g.EditorMode());
  EXPECT_EQ(w.EditorText(), "1,2");
  EXPECT_EQ(g.Cells(1, 2), "1,2");  // never half-written
  EXPECT_EQ(g.Col(), 1);
  EXPECT_EQ(g.Row(), 2);
  // A click on another cell cannot leave a refused text either.
  w.Type("bad");
  RECT other = g.CellRect(3, 3);
  SendMessageA(g.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(other.left + 10, other.top + 5));
  SendMessageA(g.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(other.left + 10, other.top + 5));
  Settle();
  EXPECT_EQ(g.Col(), 1);
  EXPECT_EQ(g.Row(), 2);
  EXPECT_EQ(g.Cells(1, 2), "1,2");
  EXPECT_TRUE(g.EditorMode());
  // An accepted text goes in as the handler gave it, and Enter moves on.
  w.Type("lower");
  w.Press(VK_RETURN);
  EXPECT_EQ(g.Cells(1, 2), "LOWER");
  EXPECT_EQ(g.Col(), 2);
  EXPECT_TRUE(g.EditorMode());  // open again on the next cell
  // An unchanged text is not validated.
  calls = 0;
  w.Press(VK_RETURN);
  EXPECT_EQ(calls, 0);
}

TEST(GridEditing, NumberCellsRefuseCharactersOutOfPlace) {
  TEditWindow w(4, 4);
  TEditGrid& g = *w.Grid;
  w.Focus(1, 1);
  UseType(g, etNumeric);
  w.Type("-1-2a");
  EXPECT_EQ(w.EditorText(), "-12");  // a second "-" and a letter beep
  w.Press(VK_HOME);
  w.Type("-");
  EXPECT_EQ(w.EditorText(), "-12");
  w.Press(VK_ESCAPE);
  struct {
    TEditorType Type;
    const char* Typed;
    const char* Shown;
  } cases[] = {{etPositiveNumeric, "-5", "5"}, {etFloat, "-1.2.5", "-1.25"}, {etUppercase, "quake", "QUAKE"},
               {etMixedcase, "john carmack", "John Carmack"}};
  for (const auto& c : cases) {
    UseType(g, c.Type);
    w.Type(c.Typed);
    EXPECT_EQ(w.EditorText(), c.Shown) << c.Typed;
    w.Press(VK_RETURN);
    EXPECT_EQ(g.Cells(1, 1), c.Shown);
  }
  // The keypad's "." may type the locale's decimal separator.
  g.ExcelStyleDecimalSeparator = true;
  GridFormat().DecimalSeparator = ',';
  UseType(g, etFloat);
  w.Type("1");
  w.Press(VK_DECIMAL);
  w.Type("5");
  EXPECT_EQ(w.EditorText(), "1,5");
  w.Press(VK_ESCAPE);
  w.Press(VK_DECIMAL);
  EXPECT_EQ(w.EditorText(), ",");
  GridFormat().DecimalSeparator = '.';
}

TEST(GridEditing, PasswordCellsHideTheirText) {
  TEditWindow w(4, 4);
  TEditGrid& g = *w.Grid;
  g.PasswordChar = '#';
  UseType(g, etPassword);
  w.Focus(1, 1);
  w.Type("secret");
  HWND edit = g.InplaceEditor()->Handle();
  EXPECT_EQ(SendMessageA(edit, EM_GETPASSWORDCHAR, 0, 0), '#');
  EXPECT_EQ(w.EditorText(), "secret");
  w.Press(VK_RETURN);
  EXPECT_EQ(g.Cells(1, 1), "secret");
  // The next plain cell shows its text again, in a multi-line editor.
  UseType(g, etNormal);
  w.Press(VK_F2);
  edit = g.InplaceEditor()->Handle();
  EXPECT_EQ(SendMessageA(edit, EM_GETPASSWORDCHAR, 0, 0), 0);
  EXPECT_TRUE(GetWindowLongA(edit, GWL_STYLE) & ES_MULTILINE);
  EXPECT_EQ(w.EditorText(), "secret");
}

TEST(GridEditing, LengthLimitAndPaste) {
  TEditWindow w(4, 4);
  TEditGrid& g = *w.Grid;
  g.SetMaxEditLength(4);
  w.Focus(1, 1);
  w.Type("abcdef");
  EXPECT_EQ(w.EditorText(), "abcd");
  // A paste longer than the limit does nothing; one that fits goes in.
  w.Press(VK_BACK);
  w.Press(VK_BACK);
  SetClipboardText("xyz");
  w.Press('V', ssCtrl);
  EXPECT_EQ(w.EditorText(), "ab");
  SetClipboardText("xy");
  w.Press('V', ssCtrl);
  EXPECT_EQ(w.EditorText(), "abxy");
  w.Press(VK_ESCAPE);
  // In a number cell only a number may result; the grid may refuse pasting.
  g.SetMaxEditLength(0);
  UseType(g, etNumeric);
  w.Press(VK_F2);  // opens with the text selected
  w.Type("12");
  SetClipboardText("3x");
  w.Press('V', ssCtrl);
  EXPECT_EQ(w.EditorText(), "12");
  SetClipboardText("34");
  bool allow = false;
  g.OnClipboardPaste = [&](TComponent*, bool& a) { a = allow; };
  w.Press('V', ssCtrl);
  EXPECT_EQ(w.EditorText(), "12");
  allow = true;
  w.Press('V', ssCtrl);
  EXPECT_EQ(w.EditorText(), "1234");
}

TEST(GridEditing, EnterOnTheLastCellAddsARowWhenAllowed) {
  TEditWindow w(3, 2);
  TEditGrid& g = *w.Grid;
  g.Navigation.AdvanceOnEnter = true;
  g.Navigation.AdvanceInsert = true;
  bool allow = false;
  int added = -1;
  g.OnCanAddRow = [&](TComponent*, bool& a) { a = allow; };
  g.OnAutoAddRow = [&](TComponent*, int row) { added = row; };
  w.Focus(2, 2);
  w.Type("last");
  w.Press(VK_RETURN);
  EXPECT_EQ(g.Cells(2, 2), "last");
  EXPECT_EQ(g.RowCount(), 3);  // refused: no row, the cell stays
  EXPECT_EQ(g.Row(), 2);
  allow = true;
  w.Press(VK_RETURN);
  EXPECT_EQ(g.RowCount(), 4);
  EXPECT_EQ(added, 3);
  EXPECT_EQ(g.Col(), 1);
  EXPECT_EQ(g.Row(), 3);
  EXPECT_TRUE(g.EditorMode());
  // Shift+Enter walks back.
  w.Press(VK_RETURN, ssShift);
  EXPECT_EQ(g.Col(), 2);
  EXPECT_EQ(g.Row(), 2);
}

TEST(GridEditing, EnterWalksDownColumnsAndSkipsCellsThatMayNotBeEdited) {
  TEditWindow w(4, 3);
  TEditGrid& g = *w.Grid;
  g.Navigation.AdvanceOnEnter = true;
  g.Navigation.AdvanceDirection = adTopBottom;
  g.Navigation.AdvanceInsert = true;
  g.OnCanEditCell = [](TComponent*, int row, int col, bool& allow) { allow = !(col == 2 && row == 1); };
  w.Focus(1, 3);
  w.Press(VK_RETURN);
  EXPECT_EQ(g.Col(), 2);
  EXPECT_EQ(g.Row(), 2);  // (2, 1) may not be edited
  w.Focus(3, 3);
  int inserted = -1;
  g.OnAutoInsertCol = [&](TComponent*, int col) { inserted = col; };
  w.Press(VK_RETURN);
  EXPECT_EQ(g.ColCount(), 5);
  EXPECT_EQ(inserted, 4);
  EXPECT_EQ(g.Col(), 4);
  EXPECT_EQ(g.Row(), 1);
}

TEST(GridEditing, LookupCompletesFromTheItems) {
  TEditWindow w(4, 4);
  TEditGrid& g = *w.Grid;
  g.Lookup = true;
  g.LookupHistory = true;
  g.LookupItems().Add("Quake");
  g.LookupItems().Add("Quarantine");
  w.Focus(1, 1);
  w.Type("qua");
  EXPECT_EQ(w.EditorText(), "quake");
  int start, end;
  g.InplaceEditor()->GetSel(start, end);
  EXPECT_EQ(start, 3);  // the completed part is selected
  EXPECT_EQ(end, 5);
  w.Type("r");
  EXPECT_EQ(w.EditorText(), "quarantine");
  // Backspace removes the completion and does not complete again.
  w.Press(VK_BACK);
  EXPECT_EQ(w.EditorText(), "quar");
  w.Press(VK_RETURN);
  EXPECT_EQ(g.Cells(1, 1), "quar");
  EXPECT_GE(g.LookupItems().IndexOf("quar"), 0);  // history, however editing ends
  // The history keeps a new text when the editor loses the focus.
  w.Press(VK_F2);
  w.Type("Hexen");
  w.Second->SetFocus();
  Settle();
  EXPECT_EQ(g.Cells(1, 1), "Hexen");
  EXPECT_GE(g.LookupItems().IndexOf("Hexen"), 0);
  EXPECT_FALSE(g.EditorMode());
}

TEST(GridEditing, CursorWalkAndAlwaysEdit) {
  TEditWindow w(4, 4);
  TEditGrid& g = *w.Grid;
  g.Navigation.CursorWalkEditor = true;
  w.Focus(1, 1);
  w.Type("ab");
  w.Press(VK_RIGHT);  // at the end: the next cell, still editing
  EXPECT_EQ(g.Cells(1, 1), "ab");
  EXPECT_EQ(g.Col(), 2);
  EXPECT_TRUE(g.EditorMode());
  w.Press(VK_LEFT);  // all selected: stays in the text
  EXPECT_EQ(g.Col(), 2);
  w.Press(VK_HOME);
  w.Press(VK_LEFT);
  EXPECT_EQ(g.Col(), 1);
  // Tab leaves the editor for the next cell when the grid takes tabs.
  g.Options |= goTabs;
  w.Type("t");
  w.Press(VK_TAB);
  EXPECT_EQ(g.Cells(1, 1), "t");
  EXPECT_EQ(g.Col(), 2);
  EXPECT_FALSE(g.EditorMode());
  g.Options &= ~goTabs;
  g.Navigation.CursorWalkEditor = false;
  g.Navigation.AlwaysEdit = true;
  w.Press(VK_DOWN);
  EXPECT_EQ(g.Row(), 2);
  EXPECT_TRUE(g.EditorMode());
  w.Type("x");
  w.Press(VK_DOWN);  // Down in the editor ends it and moves on
  EXPECT_EQ(g.Cells(2, 2), "x");
  EXPECT_EQ(g.Row(), 3);
  EXPECT_TRUE(g.EditorMode());
}

TEST(GridEditing, DirectEditOpensOnAClickAndDoubleClickIsReported) {
  TEditWindow w(4, 4);
  TEditGrid& g = *w.Grid;
  w.Focus(1, 1);
  RECT r = g.CellRect(2, 3);
  auto click = [&](int x, UINT down) {
    SendMessageA(g.Handle(), down, MK_LBUTTON, MAKELPARAM(x, r.top + 5));
    SendMessageA(g.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(x, r.top + 5));
    Settle();
  };
  click(r.left + 10, WM_LBUTTONDOWN);
  EXPECT_FALSE(g.EditorMode());
  int dblRow = -1, dblCol = -1;
  g.OnDblClickCell = [&](TComponent*, int row, int col) { dblRow = row, dblCol = col; };
  click(r.left + 10, WM_LBUTTONDBLCLK);
  EXPECT_EQ(dblRow, 3);
  EXPECT_EQ(dblCol, 2);
  g.MouseActions.DirectEdit = true;
  click(r.left + 2, WM_LBUTTONDOWN);  // next to the side edge: no editor
  EXPECT_FALSE(g.EditorMode());
  click(r.left + 10, WM_LBUTTONDOWN);
  EXPECT_TRUE(g.EditorMode());
  EXPECT_EQ(w.EditorText(), "2,3");
}

TEST(GridEditing, RowsRemovedUnderTheEditorEndTheEditSafely) {
  TEditWindow w(4, 4);
  TEditGrid& g = *w.Grid;
  w.Focus(2, 4);
  w.Type("gone");
  g.SetRowCount(3);  // the edited row goes
  EXPECT_EQ(g.Row(), 2);
  w.Press(VK_RETURN);
  EXPECT_FALSE(g.EditorMode());
  EXPECT_EQ(g.Cells(2, 2), "2,2");
  // A program's new selection ends the edit on its own cell.
  w.Press(VK_F2);
  w.Type("kept");
  g.SetSelection(TGridRect{1, 1, 1, 1});
  EXPECT_FALSE(g.EditorMode());
  EXPECT_EQ(g.Cells(2, 2), "kept");
  EXPECT_EQ(g.Cells(1, 1), "1,1");
}

TEST(GridEditing, TheEditorFollowsAlignmentAndGrowsTheCellWhileTyping) {
  TEditWindow w(4, 4);
  TEditGrid& g = *w.Grid;
  g.AutoNumAlign = true;
  g.SetCells(1, 1, "1234");
  w.Focus(1, 1);
  w.Press(VK_F2);
  EXPECT_TRUE(GetWindowLongA(g.InplaceEditor()->Handle(), GWL_STYLE) & ES_RIGHT);
  w.Shot("editor_right_aligned");
  w.Press(VK_ESCAPE);
  g.SizeWhileTyping.Width = true;
  g.WordWrap = true;
  g.SetCells(2, 1, "words");
  w.Focus(2, 1);
  const int width = g.ColWidths(2);
  w.Type("a rather long text for one cell");
  EXPECT_FALSE(GetWindowLongA(g.InplaceEditor()->Handle(), GWL_STYLE) & ES_RIGHT);
  EXPECT_FALSE(GetWindowLongA(g.InplaceEditor()->Handle(), GWL_STYLE) & ES_AUTOHSCROLL);
  EXPECT_GT(g.ColWidths(2), width);
  EXPECT_EQ(g.InplaceEditor()->Width(), g.ColWidths(2));
  EXPECT_EQ(SendMessageA(g.InplaceEditor()->Handle(), EM_GETFIRSTVISIBLELINE, 0, 0), 0);  // the text shows
  w.Shot("editor_grown");
  w.Press(VK_RETURN);
  EXPECT_EQ(g.Cells(2, 1), "a rather long text for one cell");
}
