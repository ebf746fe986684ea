// Editing events and settings reached with real keys and clicks: the editor's
// properties as it opens, the rich-text editor's selection, and a link cell
// that the right button opens for editing.
#include <gtest/gtest.h>

#include "EditingTestForm.h"
#include "ExtGridRichEdit.h"

TEST(GridEditingEvents, EditorPropertiesAreAskedForAfterTheType) {
  TEditWindow w(4, 4);
  TEditGrid& g = *w.Grid;
  std::vector<std::string> calls;
  g.OnGetEditorType = [&](TComponent*, int col, int row, TEditorType&) {
    calls.push_back("type " + std::to_string(col) + "," + std::to_string(row));
  };
  g.OnGetEditorProp = [&](TComponent* sender, int col, int row, TEditLink* link) {
    EXPECT_EQ(sender, &g);
    EXPECT_EQ(link, nullptr);
    calls.push_back("prop " + std::to_string(col) + "," + std::to_string(row));
  };
  w.Focus(2, 3);
  w.Press(VK_F2);
  EXPECT_TRUE(g.Editing());
  EXPECT_EQ(calls, (std::vector<std::string>{"type 2,3", "prop 2,3"}));
}

TEST(GridEditingEvents, RichEditorSelectionMovesAreReported) {
  TEditWindow w(4, 4);
  TEditGrid& g = *w.Grid;
  g.OnGetEditorType = [](TComponent*, int, int, TEditorType& t) { t = etRichEdit; };
  int moves = 0;
  g.OnRichEditSelectionChange = [&](TComponent* sender) {
    EXPECT_EQ(sender, &g);
    ++moves;
  };
  g.SetCells(1, 1, "plain words");
  w.Focus(1, 1);
  w.Press(VK_F2);
  ASSERT_NE(g.RichEditor(), nullptr);
  ASSERT_EQ(GetFocus(), g.RichEditor()->Handle());
  const int opened = moves;  // loading the text may move it too
  w.Press(VK_HOME);
  w.Press(VK_RIGHT, ssShift);
  w.Press(VK_RIGHT, ssShift);
  EXPECT_GE(moves - opened, 2);
  // The measuring control's changes are not the editor's.
  moves = 0;
  g.RichTextSize("{\\rtf1 other}");
  EXPECT_EQ(moves, 0);
}

TEST(GridEditingEvents, RightClickOnALinkCellEditsItWithURLEdit) {
  TEditWindow w(4, 4);
  TEditGrid& g = *w.Grid;
  g.URLShow = true;
  g.SetCells(2, 2, "http://example.org/mods");
  g.SetCells(3, 2, "no link");
  w.Focus(1, 1);
  auto rightClick = [&](int col, int row) {
    const RECT r = g.CellRect(col, row);
    SendMessageA(g.Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(r.left + 5, r.top + 5));
    SendMessageA(g.Handle(), WM_RBUTTONUP, 0, MAKELPARAM(r.left + 5, r.top + 5));
    Settle();
  };
  rightClick(2, 2);
  EXPECT_FALSE(g.Editing());  // URLEdit off: nothing
  g.URLEdit = true;
  rightClick(3, 2);
  EXPECT_FALSE(g.Editing());  // not a link
  rightClick(2, 2);
  EXPECT_EQ(g.Col(), 2);
  EXPECT_EQ(g.Row(), 2);
  ASSERT_TRUE(g.Editing());
  EXPECT_EQ(w.EditorText(), "http://example.org/mods");
}
