// The image list as the dialogs use it: a store of named pictures.
#include <gtest/gtest.h>

#include "DXDrawsPictures.h"

namespace {
std::unique_ptr<TBitmap> Bitmap(int w, int h) {
  auto b = std::make_unique<TBitmap>();
  b->SetSize(w, h);
  return b;
}
}  // namespace

TEST(PictureStore, ItemsAppendKeepPicturesAndNames) {
  TDXImageList list(nullptr);
  for (int i = 0; i < 3; ++i) {
    auto* item = new TPictureCollectionItem(&list.Items());
    item->Picture().SetGraphic(Bitmap(10 + i, 5));
    item->SetName("logo" + IntToStr(i));
  }
  ASSERT_EQ(list.Items().Count(), 3);
  EXPECT_EQ(list.Items().Items(0)->Name(), "logo0");
  EXPECT_EQ(list.Items().Items(2)->Picture().Width(), 12);
  EXPECT_NE(dynamic_cast<TBitmap*>(list.Items().Items(1)->Picture().Graphic()), nullptr);
  // Without a DirectDraw control nothing is cut into patterns.
  EXPECT_EQ(list.Items().Items(0)->PatternCount(), 0);
  EXPECT_FALSE(list.Items().Items(0)->Initialized());
  delete list.Items().Items(0);
  EXPECT_EQ(list.Items().Items(0)->Name(), "logo1");
  EXPECT_EQ(list.Items().Items(1)->Index(), 1);
}

TEST(PictureStore, AssignCopiesAllButTheName) {
  TDXImageList list(nullptr);
  auto* a = new TPictureCollectionItem(&list.Items());
  a->SetName("a");
  a->Picture().SetGraphic(Bitmap(20, 10));
  a->PatternWidth = 5;
  a->PatternHeight = 6;
  a->SkipWidth = 1;
  a->SkipHeight = 2;
  a->SystemMemory = true;
  a->Transparent = false;
  a->SetTransparentColor(clFuchsia);
  auto* b = new TPictureCollectionItem(&list.Items());
  b->SetName("b");
  b->Assign(*a);
  EXPECT_EQ(b->Name(), "b");
  EXPECT_EQ(b->PatternWidth, 5);
  EXPECT_EQ(b->PatternHeight, 6);
  EXPECT_EQ(b->SkipWidth, 1);
  EXPECT_EQ(b->SkipHeight, 2);
  EXPECT_TRUE(b->SystemMemory);
  EXPECT_FALSE(b->Transparent);
  EXPECT_EQ(b->TransparentColor(), clFuchsia);
  ASSERT_NE(b->Picture().Graphic(), nullptr);
  EXPECT_NE(b->Picture().Graphic(), a->Picture().Graphic());  // a copy
  EXPECT_EQ(b->Picture().Width(), 20);
  EXPECT_EQ(b->EffectivePatternWidth(), 5);
  b->PatternWidth = 0;
  EXPECT_EQ(b->EffectivePatternWidth(), 20);

  // The image list's Items take a copy of another collection, names and all.
  TDXImageList other(nullptr);
  other.SetItems(list.Items());
  ASSERT_EQ(other.Items().Count(), 2);
  EXPECT_EQ(other.Items().Items(1)->Name(), "b");
  EXPECT_EQ(other.Items().Items(1)->PatternHeight, 6);
}
