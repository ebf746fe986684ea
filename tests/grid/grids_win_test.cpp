// The class library's string grid on a test window: layout, scrolling,
// selection by mouse and keys, column sizing and the editor's character filter.
#include <gtest/gtest.h>

#include "Forms.h"
#include "Grids.h"

#include <memory>
#include <string>

namespace {
struct TGridForm {
  TForm Form{nullptr};
  TStringGrid* Grid;
  TGridForm() {
    Form.SetBounds(0, 0, 400, 300);
    Grid = new TStringGrid(&Form);
    Grid->SetBounds(0, 0, 300, 200);
    Grid->SetParent(&Form);
    Grid->SetColCount(6);
    Grid->SetRowCount(40);
    Form.Handle();
  }
  void Send(UINT msg, WPARAM w, int x, int y) { SendMessageA(Grid->Handle(), msg, w, MAKELPARAM(x, y)); }
};
}  // namespace

TEST(StringGrid, CellRectsFollowWidthsHeightsAndScrolling) {
  TGridForm f;
  TStringGrid& g = *f.Grid;
  g.SetColWidths(0, 30);
  RECT r = g.CellRect(1, 1);
  EXPECT_EQ(r.left, 31);
  EXPECT_EQ(r.top, g.DefaultRowHeight + 1);
  EXPECT_EQ(r.right - r.left, g.DefaultColWidth);
  g.SetTopRow(5);
  EXPECT_TRUE(IsRectEmpty(&(r = g.CellRect(1, 2))));  // scrolled away
  r = g.CellRect(1, 5);
  EXPECT_EQ(r.top, g.DefaultRowHeight + 1);
  int col, row;
  ASSERT_TRUE(g.MouseToCell(r.left + 3, r.top + 3, col, row));
  EXPECT_EQ(col, 1);
  EXPECT_EQ(row, 5);
  // The top row never passes the last page.
  g.SetTopRow(1000);
  EXPECT_LT(g.TopRow(), 40);
  EXPECT_EQ(g.TopRow() + g.VisibleRowCount(), 40);
  // The scroll bar moves the rows.
  SendMessageA(g.Handle(), WM_VSCROLL, SB_TOP, 0);
  EXPECT_EQ(g.TopRow(), 1);
  SendMessageA(g.Handle(), WM_VSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(g.TopRow(), 2);
}

TEST(StringGrid, MouseAndKeysMoveTheCurrentCellAndTheRange) {
  TGridForm f;
  TStringGrid& g = *f.Grid;
  RECT a = g.CellRect(2, 2), b = g.CellRect(3, 4);
  f.Send(WM_LBUTTONDOWN, MK_LBUTTON, a.left + 5, a.top + 5);
  f.Send(WM_MOUSEMOVE, MK_LBUTTON, b.left + 5, b.top + 5);
  f.Send(WM_LBUTTONUP, 0, b.left + 5, b.top + 5);
  TGridRect s = g.Selection();
  EXPECT_EQ(s.Left, 2);
  EXPECT_EQ(s.Top, 2);
  EXPECT_EQ(s.Right, 3);
  EXPECT_EQ(s.Bottom, 4);
  uint16_t key = VK_DOWN;
  EXPECT_TRUE(g.KeyDown(key, 0));
  EXPECT_EQ(g.Row(), 5);
  EXPECT_EQ(g.Selection().Top, 5);  // a plain move drops the range
  key = VK_UP;
  for (int i = 0; i < 10; ++i) g.KeyDown(key, 0);
  EXPECT_EQ(g.Row(), 1);  // never into the fixed row
  key = VK_NEXT;
  g.KeyDown(key, 0);
  EXPECT_GT(g.Row(), 1);
  EXPECT_GE(g.Row(), g.TopRow());  // scrolled into view
  EXPECT_LT(g.Row(), g.TopRow() + g.VisibleRowCount());
  // A refused cell stays unselected.
  g.OnSelectCell = [](TComponent*, int col, int, bool& can) { can = col != 4; };
  g.SetCol(4);
  EXPECT_NE(g.Col(), 4);
}

TEST(StringGrid, DraggingAHeaderBorderSizesTheColumn) {
  TGridForm f;
  TStringGrid& g = *f.Grid;
  g.Options |= goColSizing;
  RECT h = g.CellRect(1, 0);
  f.Send(WM_LBUTTONDOWN, MK_LBUTTON, h.right, h.top + 5);
  EXPECT_EQ(g.SizingCol(), 1);
  f.Send(WM_MOUSEMOVE, MK_LBUTTON, h.right + 25, h.top + 5);
  f.Send(WM_LBUTTONUP, 0, h.right + 25, h.top + 5);
  EXPECT_EQ(g.ColWidths(1), g.DefaultColWidth + 25);
  EXPECT_EQ(g.SizingCol(), -1);
  // Without the option the same press selects nothing and sizes nothing.
  g.Options &= ~goColSizing;
  f.Send(WM_LBUTTONDOWN, MK_LBUTTON, h.right + 25, h.top + 5);
  EXPECT_EQ(g.SizingCol(), -1);
  f.Send(WM_LBUTTONUP, 0, h.right + 25, h.top + 5);
}

TEST(StringGrid, WindowMessagesReachTheGridDecodedOnce) {
  TGridForm f;
  TStringGrid& g = *f.Grid;
  // Dialog navigation leaves the arrows and characters to the grid, Tab only with goTabs.
  EXPECT_EQ(SendMessageA(g.Handle(), WM_GETDLGCODE, 0, 0), DLGC_WANTARROWS | DLGC_WANTCHARS);
  g.Options |= goTabs;
  EXPECT_EQ(SendMessageA(g.Handle(), WM_GETDLGCODE, 0, 0), DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTTAB);
  // A typed character opens the editor with it, once.
  g.Options |= goEditing;
  g.FocusCell(2, 3, true);
  SendMessageA(g.Handle(), WM_CHAR, 'q', 0);
  ASSERT_TRUE(g.EditorMode());
  EXPECT_EQ(g.InplaceEditor()->Text(), "q");
  g.HideEditor();
  // Shrinking the window keeps the position on the cells shown.
  g.SetTopRow(30);
  g.SetBounds(0, 0, 300, 2000);
  EXPECT_LE(g.TopRow() + g.VisibleRowCount(), g.RowCount());
}

namespace {
// An editor that spells 'a' as 'b' and refuses 'x'.
class TFilteringEdit : public TInplaceEdit {
public:
  using TInplaceEdit::TInplaceEdit;

protected:
  bool AcceptChar(char& c) override {
    if (c == 'x') return false;
    if (c == 'a') c = 'b';
    return true;
  }
};

class TFilteringGrid : public TStringGrid {
public:
  using TStringGrid::TStringGrid;

protected:
  std::unique_ptr<TInplaceEdit> CreateEditor() override { return std::make_unique<TFilteringEdit>(*this); }
};
}  // namespace

TEST(StringGrid, TheEditorsCharacterFilterMayChangeOrRefuseEachTypedCharacter) {
  TForm form{nullptr};
  form.SetBounds(0, 0, 400, 300);
  auto* g = new TFilteringGrid(&form);
  g->SetBounds(0, 0, 300, 200);
  g->SetParent(&form);
  form.Handle();
  g->Options |= goEditing;
  g->FocusCell(1, 1, true);
  g->ShowEditor();
  ASSERT_TRUE(g->EditorMode());
  HWND edit = g->InplaceEditor()->Handle();
  SendMessageA(edit, WM_SETTEXT, 0, LPARAM(""));
  for (char c : std::string("axcab")) SendMessageA(edit, WM_CHAR, WPARAM((unsigned char)c), 0);
  EXPECT_EQ(g->InplaceEditor()->Text(), "bcbb");
}
