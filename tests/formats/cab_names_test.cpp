// The cabinet component's portable helpers: member-name safety, joining to
// the target folder, DOS dates and the error texts.
#include <gtest/gtest.h>

#include "cabfiles.h"

TEST(CabNames, RefusesNamesThatLeaveTheTarget) {
  for (const char* ok : {"skin.dat", "cur_up.ANI", "sub\\inner.txt", "a/b.txt", "..x", "x..", "a\\.\\b"})
    EXPECT_TRUE(IsSafeMemberName(ok)) << ok;
  for (const char* bad : {"", "..", "..\\x", "a\\..\\b", "a/../b", "a\\..", "\\x", "/x",
                          "\\\\server\\share\\x", "C:\\x", "C:x", "x:stream", "a\\\\b", "dir\\"})
    EXPECT_FALSE(IsSafeMemberName(bad)) << bad;
}

TEST(CabNames, JoinsWithExactlyOneSeparator) {
  EXPECT_EQ(MemberTargetName("C:\\bx\\temp", "skin.dat"), "C:\\bx\\temp\\skin.dat");
  EXPECT_EQ(MemberTargetName("C:\\bx\\temp\\", "skin.dat"), "C:\\bx\\temp\\skin.dat");
  EXPECT_EQ(MemberTargetName("C:\\bx\\temp\\\\", "sub\\a.txt"), "C:\\bx\\temp\\sub\\a.txt");
  EXPECT_EQ(MemberTargetName("temp/", "skin.dat"), "temp\\skin.dat");
  EXPECT_EQ(MemberTargetName("", "skin.dat"), "skin.dat");
}

TEST(CabNames, DosDatesAndTimes) {
  // 2024-05-06 07:08:10
  uint16_t date = uint16_t((2024 - 1980) << 9 | 5 << 5 | 6);
  uint16_t time = uint16_t(7 << 11 | 8 << 5 | 5);
  EXPECT_DOUBLE_EQ(DosDateTimeToDateTime(date, time), EncodeDate(2024, 5, 6) + (7 * 3600 + 8 * 60 + 10) / 86400.0);
  EXPECT_DOUBLE_EQ(DosDateTimeToDateTime(uint16_t(1 << 5 | 1), 0), EncodeDate(1980, 1, 1));
  EXPECT_EQ(DosDateTimeToDateTime(0, 0), 0);                              // month 0
  EXPECT_EQ(DosDateTimeToDateTime(uint16_t(2 << 5 | 30), 0), 0);          // 30 February
  EXPECT_EQ(DosDateTimeToDateTime(date, uint16_t(24 << 11)), 0);          // hour 24
}

TEST(CabNames, ErrorTexts) {
  EXPECT_EQ(FCIErrorText(0), "No error");
  EXPECT_EQ(FCIErrorText(1), "Failure opening file to be stored in cabinet");
  EXPECT_EQ(FCIErrorText(6), "Could not create cabinet file");
  EXPECT_EQ(FCIErrorText(8), "Failure compressing data");
  EXPECT_EQ(FCIErrorText(9), "Unknown error");
  EXPECT_EQ(FCIErrorText(-1), "Unknown error");
  EXPECT_EQ(FDIErrorText(4), "Cabinet file is corrupt");
  EXPECT_EQ(FDIErrorText(99), "Unknown error");
}

TEST(CabNames, ContentsCollection) {
  TCABFileContents c(nullptr);
  c.Add().Name = "Skin.dat";
  c.Add().Name = "skin.DAT";
  c[1].Selected = true;
  EXPECT_FALSE(c.IsSelected("SKIN.DAT")) << "the first entry of that name decides";
  c[0].Selected = true;
  EXPECT_TRUE(c.IsSelected("skin.dat"));
  EXPECT_THROW(c.GetItem(-1), EListError);
  EXPECT_THROW(c.GetItem(2), EListError);
  c.Clear();
  EXPECT_EQ(c.Count(), 0);
}
