// Sorting rows by the compare rules.
#include <gtest/gtest.h>

#include "ExtGridCells.h"

namespace {
// One header row, then a row per entry; column 0 numbers the rows.
TGridData Rows(const std::vector<std::vector<std::string>>& rows) {
  TGridData g(int(rows[0].size()) + 1, int(rows.size()) + 1);
  for (size_t r = 0; r < rows.size(); ++r) {
    g.SetCells(0, int(r) + 1, IntToStr(long(r) + 1));
    for (size_t c = 0; c < rows[r].size(); ++c) g.SetCells(int(c) + 1, int(r) + 1, rows[r][c]);
  }
  return g;
}

std::string Column(const TGridData& g, int col) {
  std::string s;
  for (int r = g.FixedRows; r < g.RowCount(); ++r) s += (r > g.FixedRows ? "|" : "") + g.Cells(col, r);
  return s;
}

class GridSort : public ::testing::Test {
protected:
  void SetUp() override { GridFormat() = TGridFormat(); }
};

TEST_F(GridSort, NumbersSortAsNumbers) {
  TGridData g = Rows({{"10"}, {"9"}, {"-2"}, {"1.5"}, {""}});
  g.QSort();
  EXPECT_EQ(Column(g, 1), "-2||1.5|9|10");  // an empty cell counts as 0
  g.SortDirection = sdDescending;
  g.QSort();
  EXPECT_EQ(Column(g, 1), "10|9|1.5||-2");
}

TEST_F(GridSort, TextWithoutAutoFormatSortsByBytes) {
  TGridData g = Rows({{"b"}, {"10"}, {"B"}, {"9"}});
  g.SortAutoFormat = false;
  g.QSort();
  EXPECT_EQ(Column(g, 1), "10|9|B|b");
}

TEST_F(GridSort, FormatsFromTheHook) {
  TGridData g = Rows({{"b"}, {"C"}, {"a"}});
  g.OnGetFormat = [](int, TSortFormat& f, std::string&, std::string&) { f = sfTextNoCase; };
  g.QSort();
  EXPECT_EQ(Column(g, 1), "a|b|C");
  TGridData h = Rows({{"1,000"}, {"20"}, {"300"}});
  h.OnGetFormat = [](int, TSortFormat& f, std::string&, std::string&) { f = sfThousands; };
  h.QSort();
  EXPECT_EQ(Column(h, 1), "20|300|1,000");
  TGridData p = Rows({{"$5 kg"}, {"$40 kg"}, {"$7 kg"}});
  p.OnGetFormat = [](int, TSortFormat& f, std::string& pre, std::string& suf) {
    f = sfNumber;
    pre = "$";
    suf = " kg";
  };
  p.QSort();
  EXPECT_EQ(Column(p, 1), "$5 kg|$7 kg|$40 kg");
  TGridData d = Rows({{"1.2.2003"}, {"31.12.1999"}, {"5.1.2003"}});
  d.OnGetFormat = [](int, TSortFormat& f, std::string&, std::string&) { f = sfDayMonthYear; };
  d.QSort();
  EXPECT_EQ(Column(d, 1), "31.12.1999|5.1.2003|1.2.2003");
  TGridData x = Rows({{"<B>b</B>"}, {"a"}, {"<I>c</I>"}});
  x.OnGetFormat = [](int, TSortFormat& f, std::string&, std::string&) { f = sfHtmlText; };
  x.QSort();
  EXPECT_EQ(Column(x, 1), "a|<B>b</B>|<I>c</I>");
}

TEST_F(GridSort, AutoDatesNeedASlashAtPositionTwoOrThree) {
  TGridData g = Rows({{"12/31/1999"}, {"01/02/2000"}, {"06/15/1999"}});
  g.QSort();
  EXPECT_EQ(Column(g, 1), "06/15/1999|12/31/1999|01/02/2000");
  TGridData t = Rows({{"120/1"}, {"100/2"}});  // slash at position 4: text
  t.QSort();
  EXPECT_EQ(Column(t, 1), "100/2|120/1");
}

TEST_F(GridSort, TiesAreBrokenByTheColumnsToTheRightAndStayStable) {
  TGridData g = Rows({{"1", "b", "x"}, {"2", "a", "y"}, {"1", "a", "z"}, {"1", "b", "w"}});
  g.QSort();
  EXPECT_EQ(Column(g, 0), "3|4|1|2");
  g.SortFull = false;
  g.SortColumn = 2;
  g.QSort();
  EXPECT_EQ(Column(g, 0), "3|2|4|1");  // equal texts keep their order
  g.SortDirection = sdDescending;
  g.QSort();
  EXPECT_EQ(Column(g, 0), "4|1|3|2");
}

TEST_F(GridSort, IndexedSortWithDirections) {
  TGridData g = Rows({{"1", "b"}, {"2", "a"}, {"1", "a"}, {"2", "b"}});
  EXPECT_THROW(g.QSortIndexed(), EExtGridError);
  g.SortIndexList.AddIndex(1, false);
  g.SortIndexList.AddIndex(2, true);
  g.QSortIndexed();
  EXPECT_EQ(Column(g, 0), "2|4|3|1");
}

TEST_F(GridSort, HeaderClicks) {
  TGridData g = Rows({{"b", "1"}, {"a", "2"}, {"c", "3"}});
  EXPECT_TRUE(g.SortByHeader(1, false, false));  // the current column: reversed
  EXPECT_EQ(g.SortDirection, sdDescending);
  EXPECT_EQ(Column(g, 1), "c|b|a");
  EXPECT_TRUE(g.SortByHeader(2, false, false));  // another column: ascending
  EXPECT_EQ(g.SortColumn, 2);
  EXPECT_EQ(g.SortDirection, sdAscending);
  EXPECT_EQ(Column(g, 2), "1|2|3");
  EXPECT_TRUE(g.SortByHeader(1, true, false));
  EXPECT_TRUE(g.SortByHeader(1, true, false));  // the only index column: reversed
  EXPECT_FALSE(g.SortIndexList.SortDirections(0));
  EXPECT_TRUE(g.SortByHeader(2, true, true));
  EXPECT_EQ(g.SortIndexList.Count(), 2);
  EXPECT_EQ(Column(g, 1), "c|b|a");
  TGridData one = Rows({{"x"}});
  EXPECT_FALSE(one.SortByHeader(1, false, false));  // a header and one data row
}

TEST_F(GridSort, BlanksLastAndFootersStay) {
  TGridData g = Rows({{"b"}, {""}, {"a"}, {"total"}});
  g.FixedFooters = 1;
  g.SortIgnoreBlanks = true;
  g.QSort();
  EXPECT_EQ(Column(g, 1), "a|b||total");
  g.SortDirection = sdDescending;
  g.QSort();
  EXPECT_EQ(Column(g, 1), "b|a||total");
}

TEST_F(GridSort, RowsMoveWholeUnlessToldOtherwise) {
  TGridData g = Rows({{"b", "2"}, {"a", "1"}});
  g.EnableGraphics = true;
  g.CreateCellGraphic(2, 1).Value = 2;
  g.SetRowHeights(1, 30);
  g.SetRowSelect(1, true);
  g.QSort();
  EXPECT_EQ(Column(g, 2), "1|2");
  EXPECT_EQ(g.CellGraphic(2, 2)->Value, 2);
  EXPECT_EQ(g.RowHeights(2), 30);
  EXPECT_TRUE(g.RowSelect(2));
  g.SortNormalCellsOnly = true;
  g.SortDirection = sdDescending;
  g.QSort();
  EXPECT_EQ(Column(g, 0), "2|1");  // column 0 stays
  EXPECT_EQ(Column(g, 1), "b|a");
  g.SortSingleColumn = true;
  g.SortDirection = sdAscending;
  g.QSort();
  EXPECT_EQ(Column(g, 1), "a|b");
  EXPECT_EQ(Column(g, 2), "2|1");  // the other columns stay
}

TEST_F(GridSort, CustomAndPictureFormats) {
  TGridData g = Rows({{"x"}, {"yyy"}, {"zz"}});
  g.OnGetFormat = [](int, TSortFormat& f, std::string&, std::string&) { f = sfCustom; };
  g.OnCustomCompare = [](const std::string& a, const std::string& b, int& r) {
    r = a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
  };
  g.QSort();
  EXPECT_EQ(Column(g, 1), "x|zz|yyy");
  TGridData p = Rows({{"a"}, {"b"}, {"c"}});
  p.EnableGraphics = true;
  int values[] = {3, 1, 2};
  for (int r = 1; r <= 3; ++r) {
    TCellGraphic& gr = p.CreateCellGraphic(1, r);
    gr.Kind = gkImageRow;
    gr.Value = values[r - 1];
  }
  p.OnGetFormat = [](int, TSortFormat& f, std::string&, std::string&) { f = sfPicture; };
  p.QSort();
  EXPECT_EQ(Column(p, 1), "b|c|a");
}
}  // namespace

namespace {
TEST_F(GridSort, NodeRowsSortTheirChildrenSeparately) {
  TGridData g = Rows({{"node A"}, {"c"}, {"a"}, {"node B"}, {"z"}, {"b"}});
  g.EnableGraphics = true;
  g.CreateCellGraphic(0, 1).Kind = gkNode;
  g.CreateCellGraphic(0, 4).Kind = gkNode;
  EXPECT_TRUE(g.SortByHeader(2, false, false));  // another column first: ascending
  EXPECT_TRUE(g.SortByHeader(1, false, false));
  EXPECT_EQ(Column(g, 1), "node A|a|c|node B|b|z");
}
}  // namespace

TEST_F(GridSort, AutoNumbersWithSeparatorsOrDashesSortByWhatTheyAre) {
  // Thousand separators in their places: numbers; "555-1234" converts to no
  // number and compares as text instead of equal to everything.
  TGridData g = Rows({{"1,234"}, {"999"}, {"12,000"}, {"5"}, {"1,234.5"}});
  g.QSort();
  EXPECT_EQ(Column(g, 1), "5|999|1,234|1,234.5|12,000");
  TGridData p = Rows({{"555-1234"}, {"555-0001"}, {"212-9999"}, {"555-0500"}});
  p.QSort();
  EXPECT_EQ(Column(p, 1), "212-9999|555-0001|555-0500|555-1234");
  p.SortDirection = sdDescending;
  p.QSort();
  EXPECT_EQ(Column(p, 1), "555-1234|555-0500|555-0001|212-9999");
  // Numbers among texts: numbers compare as numbers with numbers, as text
  // with the rest; each cell is read once per sort, not per comparison.
  TGridData m = Rows({{"b"}, {"10"}, {"a"}, {"9"}});
  int formats = 0;
  m.OnGetFormat = [&](int, TSortFormat&, std::string&, std::string&) { ++formats; };
  m.QSort();
  EXPECT_EQ(Column(m, 1), "9|10|a|b");
  EXPECT_LE(formats, 2);  // the sort column and the tie-break column
  EXPECT_EQ(m.CompareCells(1, 1, 2), -1);  // the same rules cell by cell
}

TEST_F(GridSort, TheFollowedRowGoesWhereItsDataWent) {
  TGridData g = Rows({{"c"}, {"a"}, {"d"}, {"b"}});
  g.SortFollowRow = 1;  // "c"
  g.QSort();
  EXPECT_EQ(g.Cells(1, g.SortFollowRow), "c");
  EXPECT_EQ(g.SortFollowRow, 3);
  g.SortDirection = sdDescending;
  g.SortIndexList.AddIndex(1, false);
  g.QSortIndexed();
  EXPECT_EQ(g.Cells(1, g.SortFollowRow), "c");
  g.SortFollowRow = 0;  // the header row never moves
  g.QSort();
  EXPECT_EQ(g.SortFollowRow, 0);
}

TEST_F(GridSort, LargeColumnsComeOutOrderedAndStable) {
  // Number, text and mixed columns with many ties; the last column keeps the
  // original order, so that equal rows show whether they kept it.
  std::vector<std::vector<std::string>> rows;
  unsigned seed = 7;
  auto next = [&] { return seed = seed * 1103515245u + 12345u, (seed >> 16) % 1000; };
  const char* words[] = {"alpha", "alphabet", "alphabetical", "beta", "", "b"};
  for (int i = 0; i < 3000; ++i)
    rows.push_back({std::to_string(int(next() % 50) - 10), words[next() % 6], next() % 2 ? "x" : std::to_string(next() % 9),
                    std::to_string(100000 + i)});
  for (int col = 1; col <= 3; ++col)
    for (TSortDirection direction : {sdAscending, sdDescending}) {
      TGridData g = Rows(rows);
      g.SortColumn = col;
      g.SortDirection = direction;
      g.SortFull = false;
      g.QSort();
      const int d = direction == sdAscending ? 1 : -1;
      for (int r = 1; r + 1 < g.RowCount(); ++r) {
        const int c = d * g.CompareCells(col, r, r + 1);
        ASSERT_LE(c, 0) << "column " << col << " row " << r;
        if (c == 0 && g.CompareCells(col, r + 1, r) == 0) {
          ASSERT_LT(g.Cells(4, r), g.Cells(4, r + 1)) << "column " << col << " row " << r;
        }
      }
    }
}
