// The built default skin's members, as the build left them: the skin stream,
// the mask and the small text members, and how the layout fits the outline.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "../support/testfiles.h"
#include "Streams.h"
#include "brannoxskin.h"
#include "cabfiles.h"
#include "extMaskgenerator.h"

namespace {

const std::string kMembers = std::string(BX_DEFAULTSKIN_DIR) + "/members/";

int32_t I32(const std::vector<uint8_t>& d, size_t at) {
  return int32_t(uint32_t(d[at]) | uint32_t(d[at + 1]) << 8 | uint32_t(d[at + 2]) << 16 |
                 uint32_t(d[at + 3]) << 24);
}

// Whether the whole rectangle lies inside the mask's region: each of its rows
// must be covered by one rectangle of the region.
bool RectInRegion(const std::vector<uint8_t>& region, int left, int top, int right, int bottom) {
  for (int y = top; y < bottom; ++y) {
    bool covered = false;
    for (size_t at = 32; at + 16 <= region.size() && !covered; at += 16)
      covered = I32(region, at) <= left && I32(region, at + 8) >= right &&
                I32(region, at + 4) <= y && I32(region, at + 12) > y;
    if (!covered) return false;
  }
  return true;
}

class DefaultSkin : public ::testing::Test {
protected:
  void SetUp() override {
    skin.Filename = kMembers + "skin.dat";
    skin.LoadFromFile();
    auto read = ReadMaskFile(kMembers + "data.msk");
    ASSERT_TRUE(read.has_value());
    mask = *read;
  }
  TBXSkin skin{nullptr};
  std::vector<uint8_t> mask;
};

}  // namespace

TEST_F(DefaultSkin, SkinStreamHoldsACompleteSkin) {
  const TbxskinData& d = skin.Data;
  EXPECT_EQ(d.Version, "1.0");
  EXPECT_FALSE(d.Title.empty());
  EXPECT_FALSE(d.Tekija.empty());
  EXPECT_EQ(d.Lapivari, clWhite);
  EXPECT_GE(d.Kuva.Width(), 300);
  EXPECT_GE(d.Kuva.Height(), 240);
  EXPECT_EQ(d.Width, d.Kuva.Width());
  EXPECT_EQ(d.Height, d.Kuva.Height());
  EXPECT_NE(d.Mainlist.MainListselFont.Color, d.Mainlist.MainListunselFont.Color);
  EXPECT_EQ(d.Iconlist.IconWidth, 16);
  EXPECT_EQ(d.Iconlist.IconHeight, 16);
}

TEST_F(DefaultSkin, ButtonsHaveThreeDistinctPicturesOfTheirSize) {
  TbxskinData& d = skin.Data;
  for (int i = 0; i < TbxskinData::kButtonCount; ++i) {
    Tbxskinnappi& b = d.Button(i);
    SCOPED_TRACE(TbxskinData::ButtonName(i));
    EXPECT_TRUE(b.Kuvak && b.Valittuk && b.Painettuk);
    for (TPicture* p : {&b.Kuva, &b.Valittu, &b.Painettu}) {
      EXPECT_EQ(p->Width(), b.Width);
      EXPECT_EQ(p->Height(), b.Height);
    }
    auto normal = b.Kuva.Bitmap().SaveToBytes();
    EXPECT_NE(normal, b.Valittu.Bitmap().SaveToBytes());
    EXPECT_NE(normal, b.Painettu.Bitmap().SaveToBytes());
    EXPECT_TRUE(RectInRegion(mask, b.Left, b.Top, b.Left + b.Width, b.Top + b.Height));
    // No two buttons share a pixel, and none covers the list.
    for (int j = i + 1; j < TbxskinData::kButtonCount; ++j) {
      Tbxskinnappi& o = d.Button(j);
      bool apart = b.Left + b.Width <= o.Left || o.Left + o.Width <= b.Left ||
                   b.Top + b.Height <= o.Top || o.Top + o.Height <= b.Top;
      EXPECT_TRUE(apart) << TbxskinData::ButtonName(j);
    }
    EXPECT_GE(b.Left, d.Mainlist.Left + d.Mainlist.Item(1).Width);
  }
}

TEST_F(DefaultSkin, RowsAndIconsLieInsideTheOutline) {
  const TbxskinData& d = skin.Data;
  const int rowPitch = 13 + d.Mainlist.RowSpacing();  // a row label of an 8-point font
  const int iconPitch = d.Iconlist.IconHeight + d.Iconlist.IconSpacing();
  EXPECT_EQ(rowPitch, iconPitch) << "icons keep step with the rows";
  for (int k = 0; k < 13; ++k) {
    const Tbxskinitem& row = d.Mainlist.Items[k];
    int top = d.Mainlist.Top + k * rowPitch;
    int left = d.Mainlist.Left + row.Left;
    EXPECT_TRUE(RectInRegion(mask, left, top, left + row.Width, top + 13)) << "row " << k;
    const Tbxskinitem& icon = d.Iconlist.Items[k];
    int iconTop = d.Iconlist.Top + k * iconPitch;
    int iconLeft = d.Iconlist.Left + icon.Left;
    EXPECT_TRUE(RectInRegion(mask, iconLeft, iconTop, iconLeft + d.Iconlist.IconWidth + icon.Width,
                             iconTop + d.Iconlist.IconHeight + icon.Width))
        << "icon " << k;
    EXPECT_LE(iconLeft + d.Iconlist.IconWidth, left) << "icon " << k << " stays left of its row";
  }
}

TEST_F(DefaultSkin, MaskIsTheBackgroundsOutline) {
  ASSERT_EQ(mask.size(), 320u);
  EXPECT_EQ(I32(mask, 8), 18);  // rectangles
  EXPECT_EQ(I32(mask, 16), 0);
  EXPECT_EQ(I32(mask, 20), 0);
  EXPECT_EQ(I32(mask, 24), skin.Data.Width);
  EXPECT_EQ(I32(mask, 28), skin.Data.Height);
  EXPECT_EQ(mask, MakeMaskRegionData(skin.Data.Kuva.Bitmap(), skin.Data.Lapivari));
  std::string file = ReadAll(kMembers + "data.msk");
  EXPECT_EQ(file.substr(0, 4), std::string("\x40\x01\0\0", 4));
}

TEST_F(DefaultSkin, TextMembersAndPackage) {
  EXPECT_EQ(ReadAll(kMembers + "data.ini"),
            "[general]\r\nversion=1.0\r\nauthor=" + skin.Data.Tekija + "\r\ntitle=" +
                skin.Data.Title + "\r\ntransparent=clWhite\r\n");
  EXPECT_FALSE(ReadAll(kMembers + "othernotes.txt").empty());
  TBitmap preview;
  preview.LoadFromFile(kMembers + "preview.bmp");
  EXPECT_EQ(preview.SaveToBytes(), skin.Data.Kuva.Bitmap().SaveToBytes());
  // The package is a sound cabinet, and skin.dat is the default project's file.
  std::string package = ReadAll(std::string(BX_DEFAULTSKIN_DIR) + "/Bx2k8.bxs");
  EXPECT_NO_THROW(CheckCabinetBytes(std::vector<uint8_t>(package.begin(), package.end()), "Bx2k8.bxs"));
  EXPECT_EQ(ReadAll(kMembers + "skin.dat"), ReadAll(std::string(BX_DEFAULTSKIN_DIR) + "/Bx2k8.bxn"));
  EXPECT_EQ(ReadAll(std::string(BX_DEFAULTSKIN_DIR) + "/Bx2k8.bxc"),
            "\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\nclWhite\r\n")
      << "no cursors and no preview picture of its own";
}
