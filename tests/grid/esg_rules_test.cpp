// The spin and button edits' value rules: reading, bounding, stepping,
// typed characters and the unit split.
#include <gtest/gtest.h>

#include "EsgSpinRules.h"
#include "ExtGridUtil.h"

namespace {
// The US conventions, whatever another test left behind.
struct SpinRules : ::testing::Test {
  TGridFormat Saved = GridFormat();
  SpinRules() { GridFormat() = TGridFormat{}; }
  ~SpinRules() override { GridFormat() = Saved; }
};

TTypedChar Typed(std::string_view text, int caret, char key, int selLength = 0) {
  return TTypedChar{text, caret, selLength, key};
}
}  // namespace

TEST_F(SpinRules, WholeNumbersAreBoundedAndUnreadableTextIsTheMinimum) {
  TSpinBounds b;
  b.MinValue = 5;
  b.MaxValue = 100;
  EXPECT_EQ(SpinIntValue(b, "42"), 42);
  EXPECT_EQ(SpinIntValue(b, "150"), 100);
  EXPECT_EQ(SpinIntValue(b, ""), 5);
  EXPECT_EQ(SpinIntValue(b, "12a"), 5);
  EXPECT_EQ(SpinIntValue(b, "-7"), 5);
  EXPECT_EQ(SpinBoundedText(b, "150"), "100");
  EXPECT_EQ(SpinBoundedText(b, ""), "5");
  EXPECT_EQ(SpinBoundedText(b, " 42"), " 42");  // already in bounds: left as typed
  // Equal bounds: no bounds.
  b.MinValue = b.MaxValue = 0;
  EXPECT_EQ(SpinIntValue(b, "150"), 150);
  EXPECT_EQ(SpinIntValue(b, "99999999999"), 2147483647);
}

TEST_F(SpinRules, FloatsAreBoundedAndWrittenWithTheirPrecision) {
  TSpinBounds b;
  b.SpinType = sptFloat;
  b.MinFloatValue = 1.5;
  b.MaxFloatValue = 10;
  EXPECT_DOUBLE_EQ(SpinFloatValue(b, "2.25"), 2.25);
  EXPECT_DOUBLE_EQ(SpinFloatValue(b, "x"), 1.5);
  EXPECT_DOUBLE_EQ(SpinFloatValue(b, ""), 1.5);
  EXPECT_EQ(SpinBoundedText(b, "11"), "10");
  b.Precision = 2;
  EXPECT_EQ(SpinBoundedText(b, "11"), "10.00");
  EXPECT_EQ(SpinFloatText(0.1 + 0.2, 0), "0.3");
  EXPECT_EQ(SpinFloatText(3.14159, 3), "3.142");
  b.IncrementFloat = 0.25;
  EXPECT_EQ(SpinStep(b, "9.9", 0, 1), "10.00");
  EXPECT_EQ(SpinStep(b, "2", 0, -1), "1.75");
  GridFormat().DecimalSeparator = ',';
  GridFormat().ThousandSeparator = '.';
  EXPECT_DOUBLE_EQ(SpinFloatValue(b, "2,5"), 2.5);
  EXPECT_EQ(SpinFloatText(2.5, 1), "2,5");
}

TEST_F(SpinRules, WholeNumbersStepByTheIncrementWithinBounds) {
  TSpinBounds b;
  b.Increment = 7;
  EXPECT_EQ(SpinStep(b, "10", 0, 1), "17");
  EXPECT_EQ(SpinStep(b, "98", 0, 1), "100");
  EXPECT_EQ(SpinStep(b, "3", 0, -1), "0");
  EXPECT_EQ(SpinStep(b, "", 0, 1), "7");  // empty reads as the minimum
}

TEST_F(SpinRules, DatesStepThePartTheCaretIsIn) {
  TSpinBounds b;
  b.SpinType = sptDate;
  // "M/d/yyyy": month, day, year.
  const std::string text = "1/31/2023";
  EXPECT_EQ(SpinStep(b, text, 0, 1), "2/28/2023");   // month, the day kept in February
  EXPECT_EQ(SpinStep(b, text, 3, 1), "2/1/2023");    // day
  EXPECT_EQ(SpinStep(b, text, 7, 1), "1/31/2024");   // year
  EXPECT_EQ(SpinStep(b, text, 9, -1), "1/31/2022");  // caret at the end: still the year
  EXPECT_EQ(SpinStep(b, "2/29/2024", 8, 1), "2/28/2025");
  GridFormat().ShortDateFormat = "d.M.yyyy";
  GridFormat().DateSeparator = '.';
  EXPECT_EQ(SpinStep(b, "31.1.2023", 0, 1), "1.2.2023");    // day first here
  EXPECT_EQ(SpinStep(b, "31.1.2023", 5, 1), "31.1.2024");
  // Bounds hold for dates too.
  b.MinDate = EncodeDate(2023, 1, 1);
  b.MaxDate = EncodeDate(2023, 12, 31);
  EXPECT_EQ(SpinStep(b, "31.12.2023", 0, 1), "31.12.2023");
  EXPECT_EQ(SpinBoundedText(b, "nonsense"), "1.1.2023");
}

TEST_F(SpinRules, TimesStepHourMinuteOrSecondAndWrapAroundTheDay) {
  TSpinBounds b;
  b.SpinType = sptTime;
  EXPECT_EQ(SpinStep(b, "23:30:15", 1, 1), "0:30:15");
  EXPECT_EQ(SpinStep(b, "10:59:15", 4, 1), "11:00:15");
  EXPECT_EQ(SpinStep(b, "0:00:00", 7, -1), "23:59:59");
  EXPECT_EQ(SpinStep(b, "10:20", 4, 1), "10:21:00");
  EXPECT_DOUBLE_EQ(SpinTimeValue("12:00"), 0.5);
  EXPECT_EQ(SpinTimeValue("25:00"), 0);
  EXPECT_EQ(SpinTimeValue("1:2:3:4"), 0);
  EXPECT_EQ(SpinBoundedText(b, "bad"), "0:00:00");
}

TEST_F(SpinRules, TypedCharactersFollowTheSpinType) {
  TSpinBounds whole, fl, date, time;
  fl.SpinType = sptFloat;
  fl.Precision = 2;
  date.SpinType = sptDate;
  time.SpinType = sptTime;
  EXPECT_EQ(SpinKeyChar(whole, Typed("1", 1, '5'), true), '5');
  EXPECT_EQ(SpinKeyChar(whole, Typed("1", 1, '-'), true), '-');
  EXPECT_EQ(SpinKeyChar(whole, Typed("1", 1, 'a'), true), 0);
  EXPECT_EQ(SpinKeyChar(whole, Typed("1", 1, '.'), true), 0);
  EXPECT_EQ(SpinKeyChar(whole, Typed("1", 1, '\r'), true), 0);
  EXPECT_EQ(SpinKeyChar(whole, Typed("1", 1, '\b'), true), '\b');
  EXPECT_EQ(SpinKeyChar(whole, Typed("1", 1, ':'), true), 0);
  // The editor not enabled: no typing, no deleting.
  EXPECT_EQ(SpinKeyChar(whole, Typed("1", 1, '5'), false), 0);
  EXPECT_EQ(SpinKeyChar(whole, Typed("1", 1, '\b'), false), 0);
  // Floats: the thousand separator types the decimal one, which comes once.
  EXPECT_EQ(SpinKeyChar(fl, Typed("12", 2, ','), true), '.');
  EXPECT_EQ(SpinKeyChar(fl, Typed("1.2", 3, '.'), true), 0);
  EXPECT_EQ(SpinKeyChar(fl, Typed("1.2", 1, '.', 1), true), '.');  // replaces the selected one
  // Precision 2: no third decimal at the end, but digits before the separator.
  EXPECT_EQ(SpinKeyChar(fl, Typed("1.25", 4, '7'), true), 0);
  EXPECT_EQ(SpinKeyChar(fl, Typed("1.25", 0, '7'), true), '7');
  EXPECT_EQ(SpinKeyChar(fl, Typed("1.2", 3, '7'), true), '7');
  // Date and time separators only in their spin types.
  EXPECT_EQ(SpinKeyChar(date, Typed("1/2", 3, '/'), true), '/');
  EXPECT_EQ(SpinKeyChar(date, Typed("1/2/", 4, '/'), true), 0);
  EXPECT_EQ(SpinKeyChar(time, Typed("1/2", 3, '/'), true), 0);
  EXPECT_EQ(SpinKeyChar(time, Typed("10:20", 5, ':'), true), ':');
  EXPECT_EQ(SpinKeyChar(time, Typed("10:20:30", 8, ':'), true), 0);
}

TEST_F(SpinRules, NumberFiltersOfTheButtonEdits) {
  EXPECT_TRUE(NumberKeyAllowed(nfInteger, Typed("", 0, '-')));
  EXPECT_FALSE(NumberKeyAllowed(nfInteger, Typed("-1", 0, '-')));
  EXPECT_FALSE(NumberKeyAllowed(nfInteger, Typed("1", 1, '-')));
  EXPECT_TRUE(NumberKeyAllowed(nfInteger, Typed("-1", 0, '-', 1)));  // replaces the selected sign
  EXPECT_FALSE(NumberKeyAllowed(nfInteger, Typed("1", 1, '.')));
  EXPECT_TRUE(NumberKeyAllowed(nfFloat, Typed("1", 1, ',')));
  EXPECT_FALSE(NumberKeyAllowed(nfFloat, Typed("1,5", 3, '.')));
  EXPECT_FALSE(NumberKeyAllowed(nfFloat, Typed("1", 1, 'e')));
  EXPECT_TRUE(NumberKeyAllowed(nfFloat, Typed("1", 1, '\b')));
  EXPECT_TRUE(NumberKeyAllowed(nfNone, Typed("1", 1, 'x')));
}

TEST_F(SpinRules, UnitTextsSplitAfterTheLeadingNumberCharacters) {
  std::string value, unit;
  SplitUnitText("-12,5.0 kg", value, unit);
  EXPECT_EQ(value, "-12,5.0");
  EXPECT_EQ(unit, " kg");
  SplitUnitText("cm", value, unit);
  EXPECT_EQ(value, "");
  EXPECT_EQ(unit, "cm");
  SplitUnitText("+3", value, unit);
  EXPECT_EQ(value, "+3");
  EXPECT_EQ(unit, "");
}
