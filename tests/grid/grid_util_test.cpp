// Cell text helpers: classification, conversions, dates and filter conditions.
#include <gtest/gtest.h>

#include "ExtGridUtil.h"

namespace {
class GridUtil : public ::testing::Test {
protected:
  void SetUp() override { GridFormat() = TGridFormat(); }
  void TearDown() override { GridFormat() = TGridFormat(); }
};

TEST_F(GridUtil, CellTextKindTable) {
  EXPECT_EQ(CellTextKind("=A1", true), ctFormula);
  EXPECT_EQ(CellTextKind("{\\rtf1", true), ctRichText);
  EXPECT_EQ(CellTextKind("x", true), ctPlain);
  EXPECT_EQ(CellTextKind("=", true), ctPlain);  // shorter than 2
  EXPECT_EQ(CellTextKind("<B>bold</B>", true), ctHTML);
  EXPECT_EQ(CellTextKind("<B>bold</B>", false), ctPlain);
  EXPECT_EQ(CellTextKind("a</b", true), ctHTML);
  EXPECT_EQ(CellTextKind("<I>x", true), ctHTML);
  EXPECT_EQ(CellTextKind("a < b", true), ctPlain);
}

TEST_F(GridUtil, NumberKindWithSeparators) {
  EXPECT_EQ(NumberKind("1,234.5"), nkFloat);
  EXPECT_EQ(NumberKind("1,23"), nkFloat);
  EXPECT_EQ(NumberKind(",123"), nkOther);
  EXPECT_EQ(NumberKind("--1"), nkOther);
  EXPECT_EQ(NumberKind("1.2.3"), nkOther);
  EXPECT_EQ(NumberKind("-12"), nkInteger);
  EXPECT_EQ(NumberKind(""), nkInteger);
  EXPECT_EQ(NumberKind("1,2,3"), nkOther);  // thousand separators too close
  EXPECT_EQ(NumberKind("12a"), nkOther);
  GridFormat().DecimalSeparator = ',';
  GridFormat().ThousandSeparator = '.';
  EXPECT_EQ(NumberKind("1.234,5"), nkFloat);
}

TEST_F(GridUtil, AddressesAndReferences) {
  EXPECT_TRUE(IsURL("http://x.org"));
  EXPECT_TRUE(IsURL("mailto:a@b"));
  EXPECT_FALSE(IsURL("www.x.org"));
  std::string s = "http://x.org/a://b";
  StripURLScheme(s);
  EXPECT_EQ(s, "x.org/a://b");
  s = "see mailto:me@x";
  StripURLScheme(s);
  EXPECT_EQ(s, "me@x");
  TRCRef r = ParseRCRef("r12c3");
  EXPECT_TRUE(r.Ok);
  EXPECT_EQ(r.Row, 12);
  EXPECT_EQ(r.Col, 3);
  EXPECT_FALSE(ParseRCRef("R1C").Ok);
  EXPECT_FALSE(ParseRCRef("R1Cx").Ok);
  EXPECT_FALSE(ParseRCRef("X1C2").Ok);
  EXPECT_EQ(FirstCharInSet("xyz", "abzy"), 'z');
  EXPECT_EQ(FirstCharInSet("q", "abc"), 0);
}

TEST_F(GridUtil, LineAndQuoteConversions) {
  EXPECT_EQ(CRToBR("a\r\nb"), "a<br>\nb");
  EXPECT_EQ(BackslashNToCR("a\\nb"), "a\rb");
  EXPECT_EQ(CollapseQuotes('"', "a\"\"b\"\"\"c"), "a\"b\"c");
  EXPECT_EQ(QuoteMultiline("a\r\nb"), "\"a\nb\"");
  EXPECT_EQ(LFToCRLF("a\nb"), "a\r\nb");
  EXPECT_EQ(TildeToCRLF("a~b"), "a\r\nb");
  EXPECT_EQ(RemoveCR("a\r\nb\r"), "a\nb");
  EXPECT_EQ(FillChars("abc", '*'), "***");
  EXPECT_EQ(ColorToHex(0x00123456), "563412");
  std::string t = "one\r\ntwo\rthree";
  EXPECT_EQ(SplitFirstLine(t, true), "one");
  EXPECT_EQ(t, "two\rthree");
  EXPECT_EQ(SplitFirstLine(t, false), "two");
  EXPECT_EQ(t, "");
  t = "single";
  EXPECT_EQ(SplitFirstLine(t, true), "single");
  EXPECT_EQ(t, "");
  EXPECT_EQ(LineCount("a\rb\rc", true), 3);
  EXPECT_EQ(LineCount("a\rb\rc", false), 1);
}

TEST_F(GridUtil, NumberTextAndProperCase) {
  EXPECT_EQ(NumberText("$ 1,234.50 USD"), "1234.50");
  EXPECT_EQ(NumberText("x"), "");
  GridFormat().DecimalSeparator = ',';
  GridFormat().ThousandSeparator = '.';
  EXPECT_EQ(NumberText("EUR 1.234,5"), "1234.5");
  GridFormat() = TGridFormat();
  EXPECT_EQ(ProperCase("JOHN o'neil-smith"), "John O'Neil-Smith");
  EXPECT_EQ(ProperCase("mcdonald"), "McDonald");
  EXPECT_EQ(ProperCase("henry II"), "Henry II");
  EXPECT_EQ(ToLowerChar('Q'), 'q');
  EXPECT_EQ(ToLowerChar('1'), '1');
}

TEST_F(GridUtil, LoneDelimiters) {
  EXPECT_EQ(CountDelimiters(',', "a,,b"), 0);
  EXPECT_EQ(CountDelimiters(',', "a,b,c"), 2);
  EXPECT_EQ(CountDelimiters(',', "a,b,"), 2);
  EXPECT_EQ(FindLoneChar(',', "a,,b,c"), 5);
  EXPECT_EQ(FindLoneChar(',', ""), 0);
  EXPECT_EQ(FindLoneChar(',', ","), 1);
}

TEST_F(GridUtil, FixedOrderDates) {
  int y, m, d;
  DecodeDate(ParseDateDMY("31.12.99"), y, m, d);
  EXPECT_EQ(y * 10000 + m * 100 + d, 19991231);
  DecodeDate(ParseDateDMY("1/2/03"), y, m, d);
  EXPECT_EQ(y * 10000 + m * 100 + d, 20030201);
  DecodeDate(ParseDateMDY("1/2/03"), y, m, d);
  EXPECT_EQ(y * 10000 + m * 100 + d, 20030102);
  DecodeDate(ParseDateDMY("1-2-1999"), y, m, d);
  EXPECT_EQ(y, 3899);  // four-digit years get the same addition
  EXPECT_EQ(ParseDateDMY("1.2"), 0);
  EXPECT_EQ(ParseDateDMY("a.b.c"), 0);
  EXPECT_EQ(ParseDateDMY("31.2.03"), 0);
  EXPECT_EQ(ParseDateDMY("nothing"), 0);
}

TEST_F(GridUtil, ShortDateFollowsTheLocaleOrder) {
  TDateTime t = 0;
  ASSERT_TRUE(ParseShortDate("12/31/2001", t));
  EXPECT_EQ(t, EncodeDate(2001, 12, 31));
  GridFormat().ShortDateFormat = "dd.MM.yyyy";
  GridFormat().DateSeparator = '.';
  ASSERT_TRUE(ParseShortDate("31.12.2001", t));
  EXPECT_EQ(t, EncodeDate(2001, 12, 31));
  EXPECT_FALSE(ParseShortDate("32.1.2001", t));
  EXPECT_FALSE(ParseShortDate("1.13.2001", t));
  EXPECT_FALSE(ParseShortDate("31.2.2001", t));
  EXPECT_FALSE(ParseShortDate("1.2", t));
}

TEST_F(GridUtil, SeriesDates) {
  TDateTime d = EncodeDate(2001, 1, 31);
  EXPECT_EQ(NextSeriesDate(0, 0, 7, 7, d), d + 7);
  EXPECT_EQ(NextSeriesDate(1, 0, 0, 365, d), EncodeDate(2002, 1, 31));
  EXPECT_EQ(NextSeriesDate(0, 12, 0, 0, EncodeDate(2001, 3, 15)), EncodeDate(2002, 3, 15));
  EXPECT_EQ(NextSeriesDate(0, -3, 0, 0, EncodeDate(2001, 2, 15)), EncodeDate(2000, 11, 15));
  EXPECT_EQ(NextSeriesDate(1, 1, 0, 30, d), d + 30);  // a mix: the full step
}

TEST_F(GridUtil, FilterConditions) {
  EXPECT_TRUE(MatchFilterCondition("15", "> 10 & < 20", true));
  EXPECT_FALSE(MatchFilterCondition("25", "> 10 & < 20", true));
  EXPECT_TRUE(MatchFilterCondition("10", ">=10", true));
  EXPECT_FALSE(MatchFilterCondition("9", ">=10", true));
  EXPECT_TRUE(MatchFilterCondition("9", "<10", true));
  EXPECT_TRUE(MatchFilterCondition("b", "!a*", true));
  EXPECT_FALSE(MatchFilterCondition("abc", "!a*", true));
  EXPECT_TRUE(MatchFilterCondition("abc", "a?c", true));
  EXPECT_FALSE(MatchFilterCondition("abcd", "a?c", true));
  EXPECT_TRUE(MatchFilterCondition("x", "a* ; x", true));
  EXPECT_TRUE(MatchFilterCondition("x", "a*^x", true));
  EXPECT_FALSE(MatchFilterCondition("ABC", "a*", true));
  EXPECT_TRUE(MatchFilterCondition("ABC", "a*", false));
  EXPECT_TRUE(MatchFilterCondition("9", "> 10 ^ < 5", true) == false);
  EXPECT_TRUE(MatchFilterCondition("2", "> 10 ^ < 5", true));
  // Dates compare as dates, other texts as texts.
  EXPECT_TRUE(MatchFilterCondition("2/1/2001", "> 12/31/2000", true));
  EXPECT_TRUE(MatchFilterCondition("b", "> a", true));
  EXPECT_TRUE(MatchFilterCondition("", "", true));
  EXPECT_FALSE(MatchFilterCondition("x", "", true));
}

TEST_F(GridUtil, WildcardsDoNotBacktrackExponentially) {
  std::string text(5000, 'a');
  std::string pattern;
  for (int i = 0; i < 40; ++i) pattern += "*a";
  EXPECT_FALSE(WildcardMatch(text, pattern + "*b"));
  EXPECT_TRUE(WildcardMatch(text, pattern + "*"));
  EXPECT_TRUE(WildcardMatch("", "***"));
  EXPECT_FALSE(WildcardMatch("", "?"));
  EXPECT_TRUE(WildcardMatch("abcbd", "a*b?"));
  EXPECT_TRUE(WildcardMatch("mississippi", "m*iss*ppi"));
  EXPECT_FALSE(WildcardMatch("mississippi", "m*iss*ppx"));
}

TEST_F(GridUtil, SmallHelpers) {
  TGridRect r{1, 1, 3, 3};
  EXPECT_TRUE(PointInRect(3, 3, r));
  EXPECT_TRUE(PointInRect(1, 1, r));
  EXPECT_FALSE(PointInRect(4, 2, r));
  int pos = -1;
  EXPECT_EQ(PosOf("lo", "hello", pos), 4);
  EXPECT_EQ(pos, 4);
  EXPECT_EQ(PosOf("x", "hello", pos), 0);
  EXPECT_EQ(MaxInt(2, 3), 3);
  EXPECT_EQ(MinInt(2, 3), 2);
}
}  // namespace
