// The empty template and the skin cursor files.
#include <gtest/gtest.h>

#include <set>

#include "Streams.h"
#include "MainWindow.h"

TEST(EmptyTemplate, SurvivesTheSkinStreamAndFitsTheFace) {
  TBXSkin a(nullptr), b(nullptr);
  MakeEmptyTemplate(a.Data);
  TMemoryStream s;
  a.SaveToStream(s);
  s.SetPosition(0);
  b.LoadFromStream(s);
  EXPECT_EQ(b.Data.Width, 300);
  EXPECT_EQ(b.Data.Height, 240);
  EXPECT_EQ(b.Data.Mainlist.Left, a.Data.Mainlist.Left);
  EXPECT_EQ(b.Data.Mainlist.MainListselFont.Color, a.Data.Mainlist.MainListselFont.Color);
  EXPECT_TRUE(b.Data.Mainlist.MainListselFont == a.Data.Mainlist.MainListselFont);
  for (int i = 0; i < TbxskinData::kButtonCount; ++i) {
    const Tbxskinnappi& btn = b.Data.Button(i);
    EXPECT_FALSE(btn.Kuvak) << TbxskinData::ButtonName(i);
    EXPECT_LE(btn.Left + btn.Width, 300) << TbxskinData::ButtonName(i);
    EXPECT_LE(btn.Top + btn.Height, 240) << TbxskinData::ButtonName(i);
    EXPECT_GT(btn.Width, 0);
  }
  // 13 rows of an 11-pixel font with no spacing, and 13 icons, stay on the face.
  EXPECT_LE(b.Data.Mainlist.Top + 13 * 14, 240);
  EXPECT_LE(b.Data.Iconlist.Top + 13 * (b.Data.Iconlist.IconHeight + b.Data.Iconlist.Height), 240);
}

TEST(SkinCursorFiles, EighteenNamesCurBeforeAni) {
  std::set<std::string> names(kSkinCursorFiles.begin(), kSkinCursorFiles.end());
  EXPECT_EQ(names.size(), 18u);
  EXPECT_STREQ(kSkinCursorFiles[0], "cur.cur");
  EXPECT_STREQ(kSkinCursorFiles[8], "cur_up.cur");
  EXPECT_STREQ(kSkinCursorFiles[9], "cur.ani");
  EXPECT_STREQ(kSkinCursorFiles[17], "cur_up.ani");
}
