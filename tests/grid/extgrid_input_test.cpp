// The extended grid driven by mouse, keys and wheel: header sorting, the
// clipboard keys and pasting, Enter and the wheel.
#include <gtest/gtest.h>

#include "ExtGridTestForm.h"

namespace {
POINT Middle(TExtStringGrid& g, int col, int row) {
  RECT r = g.CellRect(col, row);
  return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}
}  // namespace

TEST(ExtGridInput, HeaderClickSortsAndAgainReverses) {
  TGridWindow w(3, 5);
  TExtStringGrid& g = *w.Grid;
  const char* counts[] = {"5", "40", "12", "7", "300"};
  for (int r = 1; r <= 5; ++r) g.SetCells(2, r, counts[r - 1]);
  g.SortShow = true;
  g.Options |= goColSizing;
  int clicked = -1;
  g.OnClickSort = [&](TComponent*, int col) { clicked = col; };
  POINT h = Middle(g, 2, 0);
  w.Click(h.x, h.y);
  EXPECT_EQ(clicked, 2);
  EXPECT_EQ(g.Data().SortDirection, sdAscending);
  EXPECT_EQ(g.Cells(2, 1), "5");
  EXPECT_EQ(g.Cells(2, 5), "300");  // numbers, not texts
  w.Click(h.x, h.y);
  EXPECT_EQ(g.Data().SortDirection, sdDescending);
  EXPECT_EQ(g.Cells(2, 1), "300");
  // A release next to the column border, after sizing, does not sort.
  RECT r = g.CellRect(2, 0);
  w.Send(WM_LBUTTONDOWN, MK_LBUTTON, r.right, r.top + 5);
  w.Send(WM_MOUSEMOVE, MK_LBUTTON, r.right + 10, r.top + 5);
  w.Send(WM_LBUTTONUP, 0, r.right + 10, r.top + 5);
  EXPECT_EQ(g.Data().SortDirection, sdDescending);
  w.Click(r.left + 2, r.top + 5);  // within 4 pixels of the left border
  EXPECT_EQ(g.Data().SortDirection, sdDescending);
}

TEST(ExtGridInput, CopyKeysCopyTheSelectionCutEmptiesIt) {
  TGridWindow w(4, 5);
  TExtStringGrid& g = *w.Grid;
  g.Navigation.AllowClipboardShortCuts = true;
  g.Navigation.AllowClipboardAlways = true;
  g.SetSelection(TGridRect{1, 2, 2, 3});
  uint16_t key = 'C';
  EXPECT_TRUE(g.KeyDown(key, ssCtrl));
  EXPECT_EQ(ClipboardText(), "1,2\t2,2\r\n1,3\t2,3\r\n");
  key = 'X';
  g.KeyDown(key, ssCtrl);
  EXPECT_EQ(ClipboardText(), "1,2\t2,2\r\n1,3\t2,3\r\n");
  EXPECT_EQ(g.Cells(1, 2), "");
  EXPECT_EQ(g.Cells(2, 3), "");
  EXPECT_EQ(g.Cells(3, 3), "3,3");
  // The whole grid, header included.
  g.CopyToClipboard();
  EXPECT_TRUE(ClipboardText().starts_with("H0\tH1\tH2\tH3\r\n0,1\t"));
}

TEST(ExtGridInput, PastePlacesTheFirstCellAtTheSelectedCellAndStaysInside) {
  TGridWindow w(4, 4);
  TExtStringGrid& g = *w.Grid;
  g.Options |= goEditing;
  g.Navigation.AllowClipboardShortCuts = true;
  g.Navigation.AllowClipboardColGrow = false;
  g.Navigation.AllowClipboardRowGrow = false;
  SetClipboardText("a\tb\tc\r\nd\te\tf\r\ng\th\ti\r\n");
  g.SetSelection(TGridRect{2, 3, 2, 3});
  uint16_t key = 'V';
  g.KeyDown(key, ssCtrl);
  EXPECT_EQ(g.Cells(2, 3), "a");
  EXPECT_EQ(g.Cells(3, 3), "b");
  EXPECT_EQ(g.Cells(2, 4), "d");
  EXPECT_EQ(g.Cells(1, 3), "1,3");  // nothing left of the target
  EXPECT_EQ(g.Cells(2, 2), "2,2");  // nor above it
  EXPECT_EQ(g.ColCount(), 4);       // nothing past the last column or row
  EXPECT_EQ(g.RowCount(), 5);
  // Growing rows and columns when allowed, one row per further line.
  g.Navigation.AllowClipboardColGrow = true;
  g.Navigation.AllowClipboardRowGrow = true;
  g.SetSelection(TGridRect{3, 4, 3, 4});
  g.KeyDown(key, ssCtrl);
  EXPECT_EQ(g.ColCount(), 6);
  EXPECT_EQ(g.RowCount(), 7);
  EXPECT_EQ(g.Cells(5, 6), "i");
  // Without editing and without the always option nothing is pasted.
  g.Options &= ~goEditing;
  SetClipboardText("zz");
  g.SetSelection(TGridRect{1, 1, 1, 1});
  g.KeyDown(key, ssCtrl);
  EXPECT_EQ(g.Cells(1, 1), "1,1");
}

TEST(ExtGridInput, EnterStopsWhereItCannotMove) {
  TGridWindow w(3, 3);
  TTestGrid& g = *w.Grid;
  g.Options |= goEditing;
  g.Navigation.AdvanceOnEnter = true;
  g.SetSelection(TGridRect{1, 1, 1, 1});
  uint16_t enter = VK_RETURN;
  g.KeyDown(enter, 0);
  EXPECT_EQ(g.Col(), 2);
  EXPECT_EQ(g.Row(), 1);
  g.KeyDown(enter, 0);
  EXPECT_EQ(g.Col(), 1);
  EXPECT_EQ(g.Row(), 2);
  // From the last cell, and when no cell may be edited, the cell stays.
  g.SetSelection(TGridRect{2, 3, 2, 3});
  g.KeyDown(enter, 0);
  EXPECT_EQ(g.Col(), 2);
  EXPECT_EQ(g.Row(), 3);
  g.ReadOnly = true;
  g.SetSelection(TGridRect{1, 1, 1, 1});
  g.KeyDown(enter, 0);
  EXPECT_EQ(g.Col(), 1);
  EXPECT_EQ(g.Row(), 1);
}

TEST(ExtGridInput, WheelMovesTheRowWithinTheNormalRowsAndCtrlZooms) {
  TGridWindow w(3, 30);
  TExtStringGrid& g = *w.Grid;
  UINT lines = 3;
  SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  g.SetRow(1);
  w.Send(WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 50, 50);
  EXPECT_EQ(g.Row(), 1 + int(lines));
  for (int i = 0; i < 20; ++i) w.Send(WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 50, 50);
  EXPECT_EQ(g.Row(), 30);
  EXPECT_GE(g.Row(), g.TopRow());
  for (int i = 0; i < 20; ++i) w.Send(WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 50, 50);
  EXPECT_EQ(g.Row(), 1);  // never the header
  // Keys move the same way.
  uint16_t key = VK_END;
  g.KeyDown(key, ssCtrl);
  EXPECT_EQ(g.Row(), 30);
  // Zoom: ten steps one way, the eleventh changes nothing.
  const int width = g.ColWidths(1);
  for (int i = 0; i < 10; ++i) g.Zoom(1);
  EXPECT_EQ(g.ColWidths(1), width + 10);
  g.Zoom(1);
  EXPECT_EQ(g.ColWidths(1), width + 10);
  EXPECT_EQ(g.ZoomStep(), 10);
}

TEST(ExtGridInput, TimerBlinksOnlyTheBlinkingCells) {
  TGridWindow w(3, 3);
  TExtStringGrid& g = *w.Grid;
  g.SetCells(1, 1, "<BLINK>x</BLINK>");
  UpdateWindow(g.Handle());
  const bool before = g.BlinkOn();
  g.HoverTimer();
  EXPECT_NE(g.BlinkOn(), before);
  RECT dirty;
  ASSERT_TRUE(GetUpdateRect(g.Handle(), &dirty, FALSE));
  RECT cell = g.CellRect(1, 1);
  EXPECT_LE(dirty.left, cell.left);
  EXPECT_GE(dirty.right, cell.right);
  EXPECT_LT(dirty.bottom, g.CellRect(1, 2).bottom);  // the rows below stay
}
