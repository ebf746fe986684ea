#include <gtest/gtest.h>

#include "Filer.h"
#include "Graphics.h"
#include "Streams.h"

TEST(PictureRegistry, BitmapExtensionsAndUnknownNames) {
  for (const char* ext : {"bmp", ".BMP", "rle", "Dib"}) {
    const TFileFormat* f = FindFileFormat(ext);
    ASSERT_NE(f, nullptr) << ext;
    EXPECT_EQ(f->ClassName, "TBitmap");
  }
  EXPECT_EQ(FindFileFormat("rle")->Description, "Windows bitmap");
  EXPECT_EQ(FindFileFormat("xyz"), nullptr);
  EXPECT_THROW(CreateGraphic("TNoSuchGraphic"), EClassNotFound);
  EXPECT_NE(CreateGraphic("tbitmap"), nullptr);

  TPicture p;
  try {
    p.LoadFromFile("C:\\logo.xyz");
    FAIL();
  } catch (const EInvalidGraphic& e) {
    EXPECT_EQ(e.Message(), "Unknown picture file extension (.xyz)");
  }
}

TEST(Picture, LaterRegistrationTakesTheExtension) {
  RegisterGraphicClass("TOtherBitmap", [] { return std::make_unique<TBitmap>(); });
  RegisterFileFormat("zzq", "First", "TBitmap");
  RegisterFileFormat("ZZQ", "Second", "TOtherBitmap");
  EXPECT_EQ(FindFileFormat("zzq")->Description, "Second");
}

TEST(Picture, AssignCopiesAndNullClears) {
  TPicture a;
  a.Bitmap().SetSize(2, 2);
  a.Bitmap().SetPixel(1, 1, clRed);
  TPicture b;
  b.Assign(a);
  ASSERT_NE(b.Graphic(), a.Graphic());
  EXPECT_EQ(b.Bitmap().Pixel(1, 1), clRed);
  a.Bitmap().SetPixel(1, 1, clBlue);
  EXPECT_EQ(b.Bitmap().Pixel(1, 1), clRed);
  TPicture empty;
  b.Assign(empty);
  EXPECT_EQ(b.Graphic(), nullptr);
}

TEST(Picture, BitmapFileRoundTrip) {
  std::string name = testing::TempDir() + "bx_picture.bmp";
  TPicture a;
  a.Bitmap().SetPixelFormat(pf8bit);
  a.Bitmap().SetSize(5, 4);
  a.Bitmap().SetPixel(4, 3, clWhite);
  a.SaveToFile(name);
  TPicture b;
  b.LoadFromFile(name);
  EXPECT_EQ(b.Width(), 5);
  EXPECT_EQ(b.Bitmap().PixelFormat(), pf8bit);
  EXPECT_EQ(b.Bitmap().Pixel(4, 3), clWhite);
  std::remove(name.c_str());
}
