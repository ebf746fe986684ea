// The default cell editor's text rules: typed characters by kind of cell,
// pasted results, and lookup completion.
#include <gtest/gtest.h>

#include "ExtGridEditText.h"

namespace {
// The text after typing chars one by one at the end, as the editor would.
std::string Typed(TEditTextKind kind, const std::string& chars) {
  std::string text;
  for (char c : chars) {
    const int end = int(text.size());
    if (AcceptEditChar(kind, text, end, end, c)) text += c;
  }
  return text;
}
}  // namespace

TEST(GridEditText, SignedNumbersTakeOneMinusInFrontOnly) {
  EXPECT_EQ(Typed(tkSigned, "-12"), "-12");
  EXPECT_EQ(Typed(tkSigned, "--1-2"), "-12");
  EXPECT_EQ(Typed(tkSigned, "1-2a.,"), "12");
  // A minus typed at the front of a text that has none yet passes; over a
  // selected minus it may replace it.
  char minus = '-';
  EXPECT_TRUE(AcceptEditChar(tkSigned, "12", 0, 0, minus));
  EXPECT_FALSE(AcceptEditChar(tkSigned, "-12", 0, 0, minus));
  EXPECT_TRUE(AcceptEditChar(tkSigned, "-12", 0, 1, minus));
  EXPECT_FALSE(AcceptEditChar(tkSigned, "12", 1, 1, minus));
  char backspace = 8;
  EXPECT_TRUE(AcceptEditChar(tkUnsigned, "12", 2, 2, backspace));
}

TEST(GridEditText, UnsignedAndFloatingPoint) {
  EXPECT_EQ(Typed(tkUnsigned, "-1.2x3"), "123");
  EXPECT_EQ(Typed(tkFloat, "-1.2.3"), "-1.23");
  EXPECT_EQ(Typed(tkFloat, "1,5.2"), "1,52");  // one separator, either kind
  EXPECT_EQ(Typed(tkFloat, "1e5"), "15");
}

TEST(GridEditText, CaseKindsConvertEachCharacter) {
  EXPECT_EQ(Typed(tkUpper, "abC1"), "ABC1");
  EXPECT_EQ(Typed(tkLower, "AbC1"), "abc1");
  EXPECT_EQ(Typed(tkAny, "Ab -"), "Ab -");
}

TEST(GridEditText, PastedResultsMustFitTheKind) {
  struct {
    TEditTextKind Kind;
    const char* Text;
    bool Fits;
  } cases[] = {{tkUnsigned, "12", true},  {tkUnsigned, "-12", false}, {tkSigned, "-12", true},
               {tkSigned, "1-2", false},  {tkFloat, "1-2", false},    {tkSigned, "1.5", false},
               {tkFloat, "1.5", true},    {tkFloat, "abc", false},    {tkSigned, "", true}};
  for (const auto& c : cases) {
    std::string text = c.Text;
    EXPECT_EQ(AcceptEditText(c.Kind, text), c.Fits) << c.Text;
  }
  std::string text = "mary o'neil";
  EXPECT_TRUE(AcceptEditText(tkMixed, text));
  EXPECT_EQ(text, "Mary O'Neil");
  text = "Abc";
  EXPECT_TRUE(AcceptEditText(tkUpper, text));
  EXPECT_EQ(text, "ABC");
}

TEST(GridEditText, LookupFindsTheFirstItemByPrefix) {
  TStringList items;
  items.Add("Quake");
  items.Add("quarantine");
  items.Add("Hexen");
  EXPECT_EQ(LookupMatch(items, "qua", false), 0);
  EXPECT_EQ(LookupMatch(items, "qua", true), 1);
  EXPECT_EQ(LookupMatch(items, "Quak", true), 0);
  EXPECT_EQ(LookupMatch(items, "Hexen2", false), -1);  // longer than the item
  EXPECT_EQ(LookupMatch(items, "", false), -1);
}
