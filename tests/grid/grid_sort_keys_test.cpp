// The sort by compact keys against the plain rule: the merge sort of the
// cell-by-cell comparison, on awkward cells, in every column, direction and
// format; and the number reading against strtod.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <random>

#include "ExtGridSortKeys.h"

namespace {
// Cells that sort awkwardly. Words and Numbers are all texts or all numbers
// to the automatic format, so that a sort by them takes the keyed way: case,
// Latin-1 and UTF-8 letters, texts that share their first 8 bytes, a zero
// byte, spaces; signs, zeros, blanks, long and padded numbers. The other
// pools mix what compares in different ways.
const std::vector<std::string> Words = {
    "apple", "Apple", "APPLE", "apple ", " apple", "\xE4pfel", "\xC3\xA4pfel", "\xC3\x84pfel", "zebra", "Zebra", "a",
    "alphabet", "alphabetical", "alphabetically", "alphabet soup", "\xFF", std::string("ab\0", 3), "ab", "a b"};
const std::vector<std::string> Numbers = {
    "10", "9", "-2", "1.5", "-0", "0", "0.0", "", "00012", "0.1", "-0.25", "3.14159265358979323846",
    "123456789012345678", "7.", ".5", "-1.5", "1.50", "999999999999999.9", "-9", "0.3", "0.30000000000000004"};
// Texts longer than 8 bytes that share their first 8.
const std::vector<std::string> Long = {"alphabetical", "alphabetically", "alphabet soup", "alphabets", "zebra crossing",
                                       "zebra crossings"};
const std::vector<std::string> Texts = {"apple", "", "Apple", "1e3", "+3", "a", "10", "ab"};
const std::vector<std::string> Separated = {"1,234", "12,000", "1,234.5", "999", "5", "1,2", "-1,000", "1,234"};
const std::vector<std::string> Unparsable = {"555-1234", "-", "1.2.3", "5", "12", " 5", "5 ", "--1"};
const std::vector<std::string> Dates = {"1/2/2001", "12/31/1999", "3/4/05", "1/2/2001", "13/45/2000", "2/29/2000"};
const std::vector<std::string> Mixed = {"b", "10", "a", "9", "1/2/2001", "", "-", "1,5"};

// A grid of one header row: column 0 the rows' first numbers (a fixed
// column), then one column per pool, cells drawn from it.
TGridData Awkward(const std::vector<const std::vector<std::string>*>& pools, int rows, unsigned seed) {
  std::mt19937 rnd(seed);
  TGridData g(int(pools.size()) + 1, rows + 1);
  for (int r = 1; r <= rows; ++r) {
    g.SetCells(0, r, std::to_string(r));
    g.SetRowHeights(r, 10 + r);
    g.SetRowSelect(r, r % 3 == 0);
    for (size_t c = 0; c < pools.size(); ++c) g.SetCells(int(c) + 1, r, (*pools[c])[rnd() % pools[c]->size()]);
  }
  return g;
}

// The rows' first numbers in the order that the plain rule gives: the merge
// sort of the cell-by-cell comparison, as a sort without keys runs it.
std::vector<std::string> PlainOrder(TGridData& g) {
  std::vector<int> rows;
  for (int r = g.FirstNormalRow(); r <= g.LastNormalRow(); ++r) rows.push_back(r);
  const int d = g.SortDirection == sdAscending ? 1 : -1;
  gridsort::MergeSort(rows, [&](int a, int b) { return d * g.FullCompare(g.SortColumn, a, b); });
  std::vector<std::string> ids;
  for (int r : rows) ids.push_back(g.Cells(0, r));
  return ids;
}

// Sorts a copy of g by every column in both directions, with and without
// the tie-break columns, and expects the plain rule's order with each row's
// cells, height and selection carried along.
void ExpectPlainOrder(const std::function<TGridData()>& make, const std::string& what) {
  for (int col = 1; col < make().ColCount(); ++col)
    for (TSortDirection direction : {sdAscending, sdDescending})
      for (bool full : {true, false}) {
        TGridData g = make();
        g.SortColumn = col;
        g.SortDirection = direction;
        g.SortFull = full;
        const std::vector<std::string> expected = PlainOrder(g);
        TGridData before = make();
        g.QSort();
        SCOPED_TRACE(what + " column " + std::to_string(col) + (direction == sdAscending ? " up" : " down") +
                     (full ? " full" : ""));
        for (int r = 1; r < g.RowCount(); ++r) {
          ASSERT_EQ(g.Cells(0, r), expected[size_t(r - 1)]) << "row " << r;
          const int old = std::atoi(expected[size_t(r - 1)].c_str());
          for (int c = 1; c < g.ColCount(); ++c) ASSERT_EQ(g.Cells(c, r), before.Cells(c, old));
          ASSERT_EQ(g.RowHeights(r), before.RowHeights(old));
          ASSERT_EQ(g.RowSelect(r), before.RowSelect(old));
        }
      }
}

class GridSortKeys : public ::testing::Test {
protected:
  void SetUp() override { GridFormat() = TGridFormat(); }
  void TearDown() override { GridFormat() = TGridFormat(); }
};

TEST_F(GridSortKeys, AutomaticFormatGivesThePlainOrder) {
  // Few distinct cells per column, so that most rows tie and the columns to
  // the right settle them; mixed columns among them.
  for (unsigned seed : {1u, 2u, 3u}) {
    ExpectPlainOrder([&] { return Awkward({&Numbers, &Words, &Dates, &Numbers}, 300, seed); }, "numbers words dates");
    ExpectPlainOrder([&] { return Awkward({&Words, &Numbers, &Words}, 300, seed); }, "words numbers");
    ExpectPlainOrder([&] { return Awkward({&Long, &Numbers}, 100, seed); }, "long words");
    ExpectPlainOrder([&] { return Awkward({&Words, &Separated, &Mixed, &Texts}, 300, seed); }, "separators mixed");
    ExpectPlainOrder([&] { return Awkward({&Unparsable, &Numbers, &Texts}, 300, seed); }, "unparsable");
  }
}

TEST_F(GridSortKeys, ColumnFormatsGiveThePlainOrder) {
  const std::vector<std::string> money = {"$10", "$9", "$-2", "$1.5", "10", "$0", "$", "$.5"};
  const std::vector<std::string> moreMoney = {"$10", "$1,000", "7$", "$9", "$-2", "x"};
  auto withFormat = [&](TSortFormat format, std::string prefix) {
    return [=] {
      TGridData g = Awkward({&money, &Words, &Numbers, &Texts, &moreMoney}, 200, 5);
      g.OnGetFormat = [=](int col, TSortFormat& f, std::string& pre, std::string&) {
        f = col % 2 ? format : sfTextCase;
        pre = prefix;
      };
      return g;
    };
  };
  ExpectPlainOrder(withFormat(sfNumber, "$"), "numbers after $");
  ExpectPlainOrder(withFormat(sfThousands, "$"), "thousands after $");
  ExpectPlainOrder(withFormat(sfText, ""), "text");
  ExpectPlainOrder(withFormat(sfTextNoCase, ""), "text without case");
  ExpectPlainOrder(withFormat(sfDate, ""), "dates");
  ExpectPlainOrder([] {
    TGridData g = Awkward({&Numbers, &Texts}, 200, 6);
    g.SortAutoFormat = false;
    return g;
  }, "without the automatic format");
}

TEST_F(GridSortKeys, LocaleSeparatorsGiveThePlainOrder) {
  GridFormat().DecimalSeparator = ',';
  GridFormat().ThousandSeparator = '.';
  const std::vector<std::string> european = {"1,5", "1.234", "1.234,5", "-0,25", "10", "9", "1,2,3", "", "2.5"};
  ExpectPlainOrder([&] { return Awkward({&european, &Texts, &european}, 300, 7); }, "comma decimals");
}

TEST_F(GridSortKeys, EqualCellsKeepTheirOrderAndRowsTheirParts) {
  // Distinct numbers take the keyed path alone: no comparison at all.
  TGridData g(3, 2001);
  for (int r = 1; r <= 2000; ++r) {
    g.SetCells(0, r, std::to_string(r));
    g.SetCells(1, r, std::to_string((r * 7919) % 2000 - 1000) + ".5");
    g.SetCells(2, r, r % 2 ? "same" : "same");
  }
  g.QSort();
  EXPECT_EQ(g.CompareCount, 0);
  EXPECT_EQ(g.Cells(1, 1), "-1000.5");
  EXPECT_EQ(g.Cells(1, 2000), "999.5");
  // One text everywhere: the order stays, and no row counts as moved.
  g.SortColumn = 2;
  const std::string first = g.Cells(0, 1), last = g.Cells(0, 2000);
  const long long swaps = g.SwapCount;
  g.QSort();
  EXPECT_EQ(g.Cells(0, 1), first);
  EXPECT_EQ(g.Cells(0, 2000), last);
  EXPECT_EQ(g.SwapCount, swaps);
  // Column 0 kept in place while the rest of each row moves.
  std::vector<std::string> col0;
  for (int r = 0; r <= 2000; ++r) col0.push_back(g.Cells(0, r));
  g.SortColumn = 1;
  g.SortDirection = sdDescending;
  g.SortNormalCellsOnly = true;
  g.QSort();
  for (int r = 0; r <= 2000; ++r) ASSERT_EQ(g.Cells(0, r), col0[size_t(r)]);
  for (int r = 1; r <= 2000; ++r) ASSERT_EQ(g.Cells(1, r), std::to_string(999 - (r - 1)) + ".5");
  // Only the sort column's cells move.
  for (int r = 1; r <= 2000; ++r) g.SetCells(2, r, std::to_string(r));
  g.SortSingleColumn = true;
  g.SortDirection = sdAscending;
  g.QSort();
  for (int r = 1; r <= 2000; ++r) {
    ASSERT_EQ(g.Cells(1, r), std::to_string(r - 1001) + ".5");
    ASSERT_EQ(g.Cells(2, r), std::to_string(r));
  }
}

TEST_F(GridSortKeys, NumbersReadAsStrtodReadsThem) {
  // Plain decimals take a shorter way than strtod; both must agree to the bit.
  std::mt19937 rnd(11);
  std::vector<std::string> texts = {"0",   "-0",  "+0",  "7.",   ".5",   "-.5",  "0.1",  "0.3",   "2.675", "1e5", "+-1",
                                    "1-2", "1..2", ".",   "-",    "",     " 1",   "1 ",   "0x10",  "inf",   "nan",
                                    "123456789012345", "1234567890123456", "0.0000000000000000000001",
                                    "0.00000000000000000000001", "9007199254740993", "000000000000000000001.5"};
  for (int i = 0; i < 20000; ++i) {
    std::string s = rnd() % 4 == 0 ? "-" : "";
    const int digits = 1 + int(rnd() % 19), point = int(rnd() % (digits + 2)) - 1;
    for (int d = 0; d < digits; ++d) {
      if (d == point) s += '.';
      s += char('0' + rnd() % 10);
    }
    texts.push_back(s);
  }
  for (const std::string& s : texts) {
    char* end = nullptr;
    const double expected = std::strtod(s.c_str(), &end);
    const bool ok = !s.empty() && end == s.c_str() + s.size();
    double got = 12345;
    ASSERT_EQ(TextToFloat(s, got), ok) << s;
    if (!ok) continue;
    if (std::isnan(expected)) {
      EXPECT_TRUE(std::isnan(got)) << s;
    } else {
      EXPECT_EQ(std::memcmp(&got, &expected, sizeof got), 0) << s << " " << got << " " << expected;
    }
  }
}
}  // namespace
