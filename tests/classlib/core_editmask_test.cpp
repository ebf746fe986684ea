// The input mask: parsing, showing a value, typing over positions and the
// value written back.
#include <gtest/gtest.h>

#include "EditMask.h"

TEST(EditMask, ParsesPositionsSettingsAndEscapes) {
  const TEditMask date("!99/99/0000;1;_");
  EXPECT_EQ(date.Length(), 10);
  EXPECT_TRUE(date.SaveLiterals());
  EXPECT_EQ(date.BlankChar(), '_');
  EXPECT_TRUE(date.IsLiteral(2));
  EXPECT_FALSE(date.IsLiteral(3));
  EXPECT_EQ(date.Format(""), "__/__/____");

  const TEditMask escaped("\\(000\\) 000;0;*");
  EXPECT_FALSE(escaped.SaveLiterals());
  EXPECT_EQ(escaped.Format(""), "(***) ***");
  // A ";" escaped in the mask is a literal, not a field separator.
  EXPECT_EQ(TEditMask("99\\;99").Format("1234"), "12;34");
  EXPECT_TRUE(TEditMask("").Empty());
  EXPECT_TRUE(TEditMask(";1;_").Empty());
}

TEST(EditMask, ValueAndShownTextRoundTrip) {
  const TEditMask keep("99/99;1;_"), drop("99/99;0;_");
  // A value shows alike with or without its literals.
  EXPECT_EQ(keep.Format("12/34"), "12/34");
  EXPECT_EQ(drop.Format("1234"), "12/34");
  EXPECT_EQ(drop.Format("12/34"), "12/34");
  EXPECT_EQ(keep.Value("12/34"), "12/34");
  EXPECT_EQ(drop.Value("12/34"), "1234");
  // Blanks inside stay as spaces, trailing ones go; nothing typed is "".
  EXPECT_EQ(keep.Value("1_/_4"), "1 / 4");
  EXPECT_EQ(keep.Format(keep.Value("1_/_4")), "1_/_4");
  EXPECT_EQ(keep.Value("12/__"), "12/");
  EXPECT_EQ(keep.Value("__/__"), "");
  // A character that its position does not take leaves it blank.
  EXPECT_EQ(keep.Format("1x/34"), "1_/34");
}

TEST(EditMask, TypingSkipsLiteralsAndRefusesWhatAPositionDoesNotTake) {
  const TEditMask mask(">LL-00;1;_");
  std::string shown = mask.Format("");
  int caret = 0;
  EXPECT_FALSE(mask.Type(shown, caret, '1'));  // a letter position
  EXPECT_EQ(shown, "__-__");
  EXPECT_TRUE(mask.Type(shown, caret, 'a'));
  EXPECT_TRUE(mask.Type(shown, caret, 'b'));
  EXPECT_EQ(caret, 3);  // past the literal
  EXPECT_FALSE(mask.Type(shown, caret, 'c'));
  EXPECT_TRUE(mask.Type(shown, caret, '4'));
  EXPECT_TRUE(mask.Type(shown, caret, '2'));
  EXPECT_EQ(shown, "AB-42");
  EXPECT_EQ(caret, mask.Length());
  EXPECT_TRUE(mask.Complete(shown));
  EXPECT_FALSE(mask.Type(shown, caret, '9'));  // full
  mask.Clear(shown, 1, 4);
  EXPECT_EQ(shown, "A_-_2");
  EXPECT_FALSE(mask.Complete(shown));
}

TEST(EditMask, LetterCaseAndSigns) {
  const TEditMask mask("<LL<>L#");
  std::string shown = mask.Format("");
  int caret = 0;
  for (char c : std::string("ABc-")) EXPECT_TRUE(mask.Type(shown, caret, c)) << c;
  EXPECT_EQ(shown, "abc-");
  char latin1 = char(0xC4);  // A with diaeresis is a letter, lower-cased
  EXPECT_TRUE(TEditMask("<L").Accepts(0, latin1));
  EXPECT_EQ((unsigned char)latin1, 0xE4);
  char times = char(0xD7);
  EXPECT_FALSE(TEditMask("L").Accepts(0, times));
}

TEST(EditMask, AShownTextOfAnotherLengthIsReadAgainBeforeTyping) {
  const TEditMask mask("00-00;1;_");
  std::string shown = "1";  // what an edit might hold after outside changes
  int caret = 1;
  EXPECT_TRUE(mask.Type(shown, caret, '2'));
  EXPECT_EQ(shown, "12-__");
}
