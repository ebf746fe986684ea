// Node rows of the cell store: collapsing hides the node's rows (its span, or
// up to the next node row) and expanding brings back exactly those.
#include <gtest/gtest.h>

#include "ExtGridCells.h"

namespace {
// Column 1 of row r holds "r"; nodes at the given rows.
TGridData NodeGrid(int rows, std::initializer_list<std::pair<int, int>> nodes) {
  TGridData g(3, rows);
  g.EnableGraphics = true;
  for (int r = 0; r < rows; ++r) g.SetCells(1, r, IntToStr(r));
  for (auto [row, span] : nodes) g.AddNode(row, span);
  return g;
}

std::string Shown(const TGridData& g) {
  std::string s;
  for (int r = 0; r < g.RowCount(); ++r) s += (r ? " " : "") + g.Cells(1, r);
  return s;
}
}  // namespace

TEST(GridNodes, CollapseWithoutSpanHidesUpToTheNextNode) {
  TGridData g = NodeGrid(8, {{1, 0}, {4, 0}});
  EXPECT_EQ(g.NodeCount(), 2);
  g.ContractNode(1);
  EXPECT_TRUE(g.NodeCollapsed(1));
  EXPECT_EQ(Shown(g), "0 1 4 5 6 7");
  EXPECT_TRUE(g.IsNode(2));  // the second node moved up with its graphic
  g.ContractNode(2);         // the last node hides to the end
  EXPECT_EQ(Shown(g), "0 1 4");
  g.ExpandNode(1);
  EXPECT_EQ(Shown(g), "0 1 2 3 4");
  EXPECT_TRUE(g.NodeCollapsed(4));
  g.ExpandNode(4);
  EXPECT_EQ(Shown(g), "0 1 2 3 4 5 6 7");
  EXPECT_EQ(g.HiddenRowCount(), 0);
}

TEST(GridNodes, SpanLimitsTheHiddenRowsAndOtherHiddenRowsStay) {
  TGridData g = NodeGrid(9, {{1, 2}});
  g.FixedFooters = 1;
  g.ContractNode(1);
  EXPECT_EQ(Shown(g), "0 1 4 5 6 7 8");
  g.ContractNode(1);  // already collapsed: nothing more
  EXPECT_EQ(Shown(g), "0 1 4 5 6 7 8");
  g.ExpandNode(1);
  EXPECT_EQ(Shown(g), "0 1 2 3 4 5 6 7 8");
  // A row hidden by someone else right after the span is not shown by an expand.
  g.ContractNode(1);
  g.HideRow(4);
  g.ExpandNode(1);
  EXPECT_EQ(Shown(g), "0 1 2 3 5 6 7 8");
  // A span past the normal rows stops before the footer.
  g.UnHideAll();
  g.AddNode(6, 10);
  g.ContractNode(6);
  EXPECT_EQ(Shown(g), "0 1 2 3 4 5 6 8");
}

TEST(GridNodes, OnlyNodeRowsCollapse) {
  TGridData g = NodeGrid(4, {});
  g.ContractNode(1);
  g.ContractNode(99);
  g.ExpandNode(-1);
  EXPECT_EQ(Shown(g), "0 1 2 3");
  EXPECT_EQ(g.NodeCount(), 0);
  g.AddNode(3, 0);
  g.ContractNode(3);  // nothing under the last row
  EXPECT_EQ(Shown(g), "0 1 2 3");
  EXPECT_TRUE(g.NodeCollapsed(3));
}
