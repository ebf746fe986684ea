// Masked cells edited with real key events: the mask shows the cell's value,
// typing fills its positions and steps over its literals, Backspace and
// Delete empty positions without moving the rest, a paste goes through the
// mask, and the value goes back into the cell; AdvanceAuto and ImproveMaskSel.
#include <gtest/gtest.h>

#include "EditingTestForm.h"

namespace {
void UseMask(TExtStringGrid& g, const std::string& mask) {
  g.OnGetEditMask = [mask](TComponent*, int col, int, std::string& m) {
    if (col == 1) m = mask;
  };
}

void PutOnClipboard(HWND owner, const std::string& text) {
  ASSERT_TRUE(OpenClipboard(owner));
  EmptyClipboard();
  HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  memcpy(GlobalLock(mem), text.c_str(), text.size() + 1);
  GlobalUnlock(mem);
  SetClipboardData(CF_TEXT, mem);
  CloseClipboard();
}
}  // namespace

TEST(GridMaskedEditing, TypingFillsThePositionsAndTheValueGoesBack) {
  TEditWindow w(4, 4);
  TEditGrid& g = *w.Grid;
  UseMask(g, "00/00/0000;1;_");
  g.SetCells(1, 1, "");
  w.Focus(1, 1);
  w.Press(VK_F2);
  ASSERT_TRUE(g.EditorMode());
  EXPECT_EQ(w.EditorText(), "__/__/____");
  w.Press(VK_HOME);
  w.Type("24x12");  // the letter beeps and changes nothing
  EXPECT_EQ(w.EditorText(), "24/12/____");
  w.Type("1999");
  EXPECT_EQ(w.EditorText(), "24/12/1999");
  w.Type("7");  // no position left
  EXPECT_EQ(w.EditorText(), "24/12/1999");
  w.Shot("mask_filled");
  w.Press(VK_RETURN);
  EXPECT_FALSE(g.EditorMode());
  EXPECT_EQ(g.Cells(1, 1), "24/12/1999");
  // A column without a mask edits freely.
  w.Focus(2, 1);
  w.Press(VK_F2);
  w.Type("x/y");
  w.Press(VK_RETURN);
  EXPECT_EQ(g.Cells(2, 1), "x/y");
}

TEST(GridMaskedEditing, BackspaceAndDeleteEmptyPositionsInPlace) {
  TEditWindow w(4, 4);
  TEditGrid& g = *w.Grid;
  UseMask(g, "(000) 000;0;*");
  g.SetCells(1, 2, "555123");
  w.Focus(1, 2);
  w.Press(VK_F2);
  EXPECT_EQ(w.EditorText(), "(555) 123");
  w.Press(VK_END);
  w.Press(VK_BACK);
  EXPECT_EQ(w.EditorText(), "(555) 12*");
  w.Press(VK_HOME);
  w.Press(VK_DELETE);  // the first input position, past the literal
  EXPECT_EQ(w.EditorText(), "(*55) 12*");
  w.Press(VK_RETURN);
  // Literals are not saved; blanks inside are spaces, trailing ones go.
  EXPECT_EQ(g.Cells(1, 2), " 5512");
  // Escape restores the cell's value from when editing began.
  w.Press(VK_F2);
  w.Type("9");
  w.Press(VK_ESCAPE);
  EXPECT_EQ(g.Cells(1, 2), " 5512");
}

TEST(GridMaskedEditing, APasteGoesThroughTheMask) {
  TEditWindow w(4, 4);
  TEditGrid& g = *w.Grid;
  UseMask(g, ">LL-00;1;_");
  g.SetCells(1, 3, "");
  w.Focus(1, 3);
  w.Press(VK_F2);
  w.Press(VK_HOME);
  PutOnClipboard(g.Handle(), "ab-4z");
  w.Press('V', ssCtrl);
  // The literal steps over its place, the letter in a digit position is refused.
  EXPECT_EQ(w.EditorText(), "AB-4_");
  // Shift+Insert and Shift+Delete go through the mask as well.
  w.Press(VK_HOME);
  w.Press(VK_RIGHT, ssShift);
  w.Press(VK_DELETE, ssShift);
  EXPECT_EQ(w.EditorText(), "_B-4_");
  w.Press(VK_INSERT, ssShift);
  EXPECT_EQ(w.EditorText(), "AB-4_");
  w.Press(VK_ESCAPE);
}

TEST(GridMaskedEditing, AdvanceAutoMovesOnWhenTheMaskIsFull) {
  TEditWindow w(4, 4);
  TEditGrid& g = *w.Grid;
  UseMask(g, "00:00;1;_");
  g.Navigation.AdvanceAuto = true;
  g.Navigation.AdvanceOnEnter = true;
  g.SetCells(1, 1, "");
  w.Focus(1, 1);
  w.Press(VK_F2);
  w.Press(VK_HOME);
  w.Type("123");
  EXPECT_TRUE(g.EditorMode());
  EXPECT_EQ(g.Col(), 1);
  w.Type("4");
  EXPECT_EQ(g.Cells(1, 1), "12:34");
  EXPECT_EQ(g.Col(), 2);  // moved on as Enter would
  // Without AdvanceAuto a full mask stays in the editor.
  g.Navigation.AdvanceAuto = false;
  w.Focus(1, 2);
  w.Press(VK_F2);
  w.Press(VK_HOME);
  w.Type("0000");
  EXPECT_TRUE(g.EditorMode());
  EXPECT_EQ(g.Col(), 1);
  w.Press(VK_ESCAPE);
}

TEST(GridMaskedEditing, ImproveMaskSelSelectsTheFirstInputPosition) {
  TEditWindow w(4, 4);
  TEditGrid& g = *w.Grid;
  UseMask(g, "\\#000;1;_");
  g.SetCells(1, 1, "#123");
  w.Focus(1, 1);
  w.Press(VK_F2);
  int start = -1, end = -1;
  g.InplaceEditor()->GetSel(start, end);
  EXPECT_EQ(start, 0);  // without the option the whole text
  EXPECT_EQ(end, 4);
  w.Press(VK_ESCAPE);
  g.Navigation.ImproveMaskSel = true;
  w.Press(VK_F2);
  g.InplaceEditor()->GetSel(start, end);
  EXPECT_EQ(start, 1);
  EXPECT_EQ(end, 2);
  w.Type("9");
  EXPECT_EQ(w.EditorText(), "#923");
  w.Press(VK_ESCAPE);
}
