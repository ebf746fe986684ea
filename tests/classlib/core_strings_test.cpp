#include <gtest/gtest.h>

#include "StringList.h"
#include "SysUtils.h"

TEST(SysUtils, CaseAndNumbers) {
  EXPECT_EQ(LowerCase("Quake 2.EXE"), "quake 2.exe");
  EXPECT_EQ(UpperCase("skin file, version 1.0"), "SKIN FILE, VERSION 1.0");
  EXPECT_TRUE(SameText("Mod.INI", "mod.ini"));
  EXPECT_LT(CompareText("abc", "ABD"), 0);
  EXPECT_EQ(StrToInt("$001A91D6"), 0x001A91D6);
  EXPECT_EQ(StrToInt("$FFFFFFFF"), -1);
  EXPECT_EQ(StrToInt("-42"), -42);
  EXPECT_THROW(StrToInt("12a"), EConvertError);
  EXPECT_THROW(StrToInt(""), EConvertError);
  EXPECT_THROW(StrToInt("99999999999"), EConvertError);
  EXPECT_EQ(StrToIntDef("x", 7), 7);
}

TEST(SysUtils, FileNames) {
  EXPECT_EQ(ExtractFilePath("C:\\Games\\Quake\\quake.exe"), "C:\\Games\\Quake\\");
  EXPECT_EQ(ExtractFileName("C:\\Games\\Quake\\quake.exe"), "quake.exe");
  EXPECT_EQ(ExtractFileExt("C:\\a.dir\\logo"), "");
  EXPECT_EQ(ExtractFileExt("logo.Tga"), ".Tga");
  EXPECT_EQ(ChangeFileExt("skin.bxn", ".bxc"), "skin.bxc");
  EXPECT_EQ(IncludeTrailingBackslash("C:\\x"), "C:\\x\\");
  EXPECT_EQ(IncludeTrailingBackslash("C:\\x\\"), "C:\\x\\");
}

TEST(StringList, TextSplitsEveryLineEnding) {
  TStringList l;
  l.SetText("a\r\nb\nc\rd");
  ASSERT_EQ(l.Count(), 4);
  EXPECT_EQ(l[3], "d");
  EXPECT_EQ(l.Text(), "a\r\nb\r\nc\r\nd\r\n");
  l.SetText("one\r\n\r\nthree\r\n");
  ASSERT_EQ(l.Count(), 3);
  EXPECT_EQ(l[1], "");
}

TEST(StringList, SortedNamesAndValues) {
  TStringList l;
  l.Sorted = true;
  l.Add("quake");
  l.Add("Gunman");
  l.Add("hexen2");
  EXPECT_EQ(l[0], "Gunman");
  EXPECT_EQ(l.IndexOf("HEXEN2"), 1);
  TStringList v;
  v.Add("Mod=ctf");
  v.SetValue("game", "quake");
  EXPECT_EQ(v.Values("MOD"), "ctf");
  EXPECT_EQ(v.Names(1), "game");
  v.SetValue("mod", "");
  EXPECT_EQ(v.Count(), 1);
  EXPECT_THROW(v.Strings(5), EListError);
}

TEST(Dates, EncodeDecodeAndText) {
  EXPECT_EQ(EncodeDate(1899, 12, 30), 0.0);
  EXPECT_EQ(EncodeDate(2000, 1, 1), 36526.0);
  EXPECT_EQ(EncodeDate(2026, 12, 9) - EncodeDate(2026, 1, 1), 342.0);
  for (TDateTime d : {0.0, 36526.0, 59.0, 60.0, 61.0, 46000.0, 2958465.0}) {
    int y, m, dd;
    DecodeDate(d, y, m, dd);
    EXPECT_EQ(EncodeDate(y, m, dd), d);
  }
  EXPECT_THROW(EncodeDate(2025, 2, 29), EConvertError);
  TDateTime d = EncodeDate(2026, 3, 7);
  EXPECT_EQ(FormatDate("M/d/yyyy", d), "3/7/2026");
  EXPECT_EQ(FormatDate("dd.MM.yy", d), "07.03.26");
  TDateTime back;
  ASSERT_TRUE(TryParseDate("d.M.yyyy", "7.3.2026", back));
  EXPECT_EQ(back, d);
  ASSERT_TRUE(TryParseDate("M/d/yy", "03/07/26", back));
  EXPECT_EQ(back, d);
  EXPECT_FALSE(TryParseDate("M/d/yyyy", "13/1/2026", back));
  EXPECT_FALSE(TryParseDate("M/d/yyyy", "garbage", back));
}
