// The cell store: structure with graphics attached, hidden columns and rows,
// numbering and the filter. Graphics own bitmaps, so the sanitizers see any
// graphic freed twice or never.
#include <gtest/gtest.h>

#include "ExtGridCells.h"

namespace {
// A grid whose cell (c, r) holds "c,r" and, in column 1, a graphic that owns a
// bitmap and carries the row in its value.
TGridData MakeGrid(int cols, int rows) {
  TGridData g(cols, rows);
  g.EnableGraphics = true;
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < cols; ++c) g.SetCells(c, r, IntToStr(c) + "," + IntToStr(r));
    TCellGraphic& gr = g.CreateCellGraphic(1, r);
    gr.Kind = gkBitmap;
    gr.Owned = true;
    gr.Object1 = new TBitmap;
    gr.Value = r;
  }
  return g;
}

std::string Column(const TGridData& g, int col) {
  std::string s;
  for (int r = 0; r < g.RowCount(); ++r) s += (r ? "|" : "") + g.Cells(col, r);
  return s;
}

TEST(GridCells, CellAccessAndGraphics) {
  TGridData g(3, 3);
  EXPECT_EQ(g.Cells(5, 5), "");
  EXPECT_THROW(g.SetCells(3, 0, "x"), EExtGridError);
  EXPECT_THROW(g.SetCells(-1, 0, "x"), EExtGridError);
  g.CreateCellGraphic(1, 1).Kind = gkCheckBox;
  EXPECT_EQ(g.CellGraphic(1, 1), nullptr);  // only with EnableGraphics
  g.EnableGraphics = true;
  ASSERT_NE(g.CellGraphic(1, 1), nullptr);
  EXPECT_EQ(g.Cells(1, 1), "");  // a graphic leaves the text empty
  TCellGraphic& second = g.CreateCellGraphic(1, 1);  // replaces, frees the first
  EXPECT_EQ(second.Kind, gkNone);
  EXPECT_TRUE(g.RemoveCellGraphic(1, 1));
  EXPECT_FALSE(g.RemoveCellGraphic(1, 1));
}

TEST(GridCells, InsertRemoveAndMoveRowsCarryGraphics) {
  TGridData g = MakeGrid(3, 5);
  g.InsertRows(2, 2);
  EXPECT_EQ(g.RowCount(), 7);
  EXPECT_EQ(g.Cells(0, 2), "");
  EXPECT_EQ(g.CellGraphic(1, 2), nullptr);
  EXPECT_EQ(g.CellGraphic(1, 4)->Value, 2);
  EXPECT_EQ(g.RowHeights(2), g.DefaultRowHeight);
  g.RemoveRows(1, 3);  // rows 1, the two new ones
  EXPECT_EQ(Column(g, 0), "0,0|0,2|0,3|0,4");
  EXPECT_EQ(g.CellGraphic(1, 1)->Value, 2);
  g.SetRowHeights(3, 40);
  g.MoveRow(3, 0);
  EXPECT_EQ(Column(g, 0), "0,4|0,0|0,2|0,3");
  EXPECT_EQ(g.CellGraphic(1, 0)->Value, 4);
  EXPECT_EQ(g.RowHeights(0), 40);
  g.RemoveRows(2, 100);  // clipped to the end
  EXPECT_EQ(g.RowCount(), 2);
  g.RemoveRows(5, 1);
  g.InsertRows(-1, 1);
  EXPECT_EQ(g.RowCount(), 2);
}

TEST(GridCells, InsertRemoveAndMoveColumnsCarryGraphics) {
  TGridData g = MakeGrid(4, 3);
  g.SortColumn = 1;
  g.InsertCols(1, 1);
  EXPECT_EQ(g.ColCount(), 5);
  EXPECT_EQ(g.CellGraphic(1, 0), nullptr);
  EXPECT_EQ(g.CellGraphic(2, 2)->Value, 2);
  g.MoveColumn(2, 4);
  EXPECT_EQ(g.Cells(4, 0), "1,0");
  EXPECT_EQ(g.CellGraphic(4, 1)->Value, 1);
  EXPECT_EQ(g.Cells(2, 0), "2,0");
  g.RemoveCols(4, 1);
  EXPECT_EQ(g.ColCount(), 4);
  for (int r = 0; r < 3; ++r) EXPECT_EQ(g.CellGraphic(3, r), nullptr);
}

TEST(GridCells, ClearingFreesGraphics) {
  TGridData g = MakeGrid(3, 4);
  std::vector<int> changed;
  g.OnCellsChanged = [&](int c1, int r1, int c2, int r2) { changed = {c1, r1, c2, r2}; };
  g.ClearRect(0, 1, 2, 2);
  EXPECT_EQ(g.Cells(0, 1), "");
  EXPECT_EQ(g.CellGraphic(1, 1), nullptr);
  EXPECT_EQ(g.CellGraphic(1, 3)->Value, 3);
  EXPECT_EQ(changed, (std::vector<int>{0, 1, 2, 2}));
  g.ClearRows(3, 1);
  EXPECT_EQ(g.CellGraphic(1, 3), nullptr);
  g.ClearCols(0, 0);  // nothing for a count of 0
  EXPECT_EQ(g.Cells(0, 0), "0,0");
  g.ClearAll();
  EXPECT_EQ(g.Cells(2, 0), "");
  EXPECT_EQ(g.CellGraphic(1, 0), nullptr);
}

TEST(GridCells, HiddenColumnsMapDisplayToReal) {
  TGridData g = MakeGrid(5, 2);
  g.HideColumn(1);
  g.HideColumn(1);
  EXPECT_EQ(g.HiddenColCount(), 1);
  EXPECT_EQ(g.ColCount(), 4);
  EXPECT_EQ(g.DisplayColToReal(0), 0);
  EXPECT_EQ(g.DisplayColToReal(1), 2);
  EXPECT_EQ(g.DisplayColToReal(3), 4);
  EXPECT_EQ(g.RealColToDisplay(4), 3);
  EXPECT_EQ(g.DisplayColToReal(300), 300);
  // Rows move with their hidden cells.
  g.MoveRow(1, 0);
  EXPECT_EQ(g.Cells(1, 0), "1,1");
  EXPECT_EQ(g.CellGraphic(1, 0)->Value, 1);
  g.SetColCount(6);
  EXPECT_EQ(g.ColCount(), 6);
  EXPECT_TRUE(g.IsHiddenColumn(1));
  g.UnHideColumn(1);
  EXPECT_EQ(g.ColCount(), 7);
  EXPECT_EQ(g.DisplayColToReal(1), 1);
}

TEST(GridCells, HiddenRowsKeepTheirGraphicsAndOrder) {
  TGridData g = MakeGrid(3, 6);
  for (int r = 0; r < 6; ++r) g.SetRowHeights(r, 10 + r);
  g.SetRowSelect(3, true);
  g.SetRowSelect(5, true);
  g.HideRows(1, 2);
  g.HideRow(4);
  EXPECT_EQ(g.RowCount(), 3);
  EXPECT_EQ(Column(g, 0), "0,0|0,3|0,5");
  // The shown rows close up with their heights and selection.
  EXPECT_EQ(g.RowHeights(1), 13);
  EXPECT_EQ(g.RowHeights(2), 15);
  EXPECT_FALSE(g.RowSelect(0));
  EXPECT_TRUE(g.RowSelect(1));
  EXPECT_TRUE(g.RowSelect(2));
  EXPECT_TRUE(g.IsHiddenRow(4));
  EXPECT_EQ(g.DisplayRowToReal(1), 3);
  EXPECT_EQ(g.DisplayRowToReal(2), 5);
  EXPECT_EQ(g.RealRowToDisplay(5), 2);
  g.HideRow(1);  // already hidden: nothing
  EXPECT_EQ(g.HiddenRowCount(), 3);
  g.UnHideRow(2);
  EXPECT_EQ(Column(g, 0), "0,0|0,2|0,3|0,5");
  EXPECT_EQ(g.CellGraphic(1, 1)->Value, 2);
  g.UnHideAll();
  EXPECT_EQ(Column(g, 0), "0,0|0,1|0,2|0,3|0,4|0,5");
  for (int r = 0; r < 6; ++r) EXPECT_EQ(g.CellGraphic(1, r)->Value, r);
  g.UnHideRows(0, 10);  // nothing hidden: nothing happens
  EXPECT_EQ(g.RowCount(), 6);
}

TEST(GridCells, NumberingCountsShownNormalRows) {
  TGridData g(3, 6);
  g.FixedFooters = 1;
  g.HideRow(2);
  g.NumberColumnRows(0);
  EXPECT_EQ(Column(g, 0), "|1|2|3|");
  TGridData empty(3, 1);
  empty.NumberColumnRows(0);
  EXPECT_EQ(empty.Cells(0, 0), "");
}

TEST(GridCells, FilterKeepsFixedRowsAndFooters) {
  TGridData g(2, 6);
  g.FixedFooters = 1;
  const char* names[] = {"Name", "apple", "banana", "avocado", "cherry", "Total"};
  for (int r = 0; r < 6; ++r) g.SetCells(1, r, names[r]);
  g.Filter.Add().Column = 1;
  g.Filter.Items[0].Condition = "a*";
  g.SetFilterActive(true);
  EXPECT_EQ(Column(g, 1), "Name|apple|avocado|Total");
  EXPECT_EQ(g.FixedRows, 1);
  g.SetFilterActive(true);  // no change
  EXPECT_EQ(g.RowCount(), 4);
  g.SetFilterActive(false);
  EXPECT_EQ(Column(g, 1), "Name|apple|banana|avocado|cherry|Total");
}

TEST(GridCells, FilterFailingEveryRowLeavesOneEmptyRow) {
  TGridData g(2, 4);
  g.FixedFooters = 1;
  g.SetCells(1, 1, "x");
  g.SetCells(1, 2, "y");
  g.SetCells(1, 3, "sum");
  g.Filter.Add().Column = 1;
  g.Filter.Items[0].Condition = "zzz";
  g.SetFilterActive(true);
  ASSERT_EQ(g.RowCount(), 3);
  EXPECT_EQ(g.Cells(1, 1), "");
  EXPECT_EQ(g.Cells(1, 2), "sum");
  EXPECT_EQ(g.LastNormalRow(), g.FirstNormalRow());
  g.SetFilterActive(false);
  EXPECT_EQ(Column(g, 1), "|x|y|sum");
}

void AddFilter(TGridData& g, int column, const std::string& condition, bool caseSensitive = true) {
  TFilterData& f = g.Filter.Add();
  f.Column = int16_t(column);
  f.Condition = condition;
  f.CaseSensitive = caseSensitive;
}

TEST(GridCells, FilterConditionsAllMustPass) {
  TGridData g(3, 4);
  g.SetCells(1, 1, "a");
  g.SetCells(2, 1, "5");
  g.SetCells(1, 2, "a");
  g.SetCells(2, 2, "50");
  g.SetCells(1, 3, "B");
  g.SetCells(2, 3, "5");
  AddFilter(g, 1, "A", false);
  AddFilter(g, 2, "< 10");
  EXPECT_TRUE(g.RowPassesFilter(1));
  EXPECT_FALSE(g.RowPassesFilter(2));
  EXPECT_FALSE(g.RowPassesFilter(3));
  g.Filter.Clear();
  EXPECT_TRUE(g.RowPassesFilter(3));
}

TEST(GridCells, FilterHidesTheRowsThatFailItsConditions) {
  // The conditions read once for all rows: case folded, blanks around the
  // joiners dropped, bounds as numbers.
  TGridData g(3, 7);
  const char* cells[][2] = {{"apple", "5"}, {"APPLE", "15"}, {"Pear", "7"}, {"apricot", "8.5"}, {"plum", "x"}, {"Apex", "10"}};
  for (int r = 1; r <= 6; ++r) {
    g.SetCells(1, r, cells[r - 1][0]);
    g.SetCells(2, r, cells[r - 1][1]);
  }
  AddFilter(g, 1, " a* ;  p?AR ", false);
  AddFilter(g, 2, "> 6 & <= 10");
  g.SetFilterActive(true);
  ASSERT_EQ(g.RowCount(), 4);
  EXPECT_EQ(g.Cells(1, 1), "Pear");
  EXPECT_EQ(g.Cells(1, 2), "apricot");
  EXPECT_EQ(g.Cells(1, 3), "Apex");
  for (int r = 1; r <= 3; ++r) EXPECT_TRUE(g.RowPassesFilter(r));
  g.SetFilterActive(false);
  EXPECT_EQ(g.RowCount(), 7);
  EXPECT_FALSE(g.RowPassesFilter(1));
}

TEST(GridCells, CheckBoxesCommentsAndImages) {
  TGridData g(3, 3);
  g.EnableGraphics = true;
  EXPECT_EQ(g.CellGraphicKind(0, 0), gkNoGraphic);
  g.CreateCellGraphic(0, 1).Kind = gkCheckBox;
  g.CreateCellGraphic(1, 1).Kind = gkTextCheckBox;
  g.CreateCellGraphic(2, 1).Kind = gkRadioGroup;
  EXPECT_TRUE(g.IsCheckBox(1, 1));
  EXPECT_FALSE(g.IsCheckBox(2, 1));
  EXPECT_TRUE(g.IsCheckBoxOrRadio(2, 1));
  EXPECT_FALSE(g.CheckBoxState(0, 1));
  g.ToggleCheckBox(0, 1);
  EXPECT_TRUE(g.CheckBoxState(0, 1));
  g.ToggleCheckBox(1, 1);
  EXPECT_EQ(g.Cells(1, 1), "Y");
  EXPECT_TRUE(g.CheckBoxState(1, 1));
  g.ToggleCheckBox(1, 1);
  EXPECT_EQ(g.Cells(1, 1), "N");
  g.ToggleCheckBox(0, 0);  // no check box: nothing
  EXPECT_EQ(g.Cells(0, 0), "");
  TCellGraphic& c = g.CreateCellGraphic(0, 2);
  c.Kind = gkComment;
  auto* lines = new TStringList;  // freed by the record
  lines->Add("a remark");
  c.Object1 = lines;
  EXPECT_EQ(g.CellComment(0, 2), "a remark");
  TCellGraphic& img = g.SetCellImage(1, 2, 4, 3, 2);
  EXPECT_EQ(img.Kind, gkImageListPicture);
  EXPECT_EQ(g.CellGraphic(1, 2)->Value, 4);
  EXPECT_EQ(img.HAlign, 3);
  EXPECT_EQ(img.VAlign, 2);
}

TEST(GridCells, RowSelectionFlags) {
  TGridData g(2, 3);
  EXPECT_FALSE(g.RowSelect(2));
  g.SetRowSelect(2, true);
  EXPECT_TRUE(g.RowSelect(2));
  EXPECT_THROW(g.RowSelect(3), EExtGridError);
  EXPECT_THROW(g.SetRowSelect(-1, true), EExtGridError);
  g.MoveRow(2, 0);
  EXPECT_TRUE(g.RowSelect(0));
}
}  // namespace
