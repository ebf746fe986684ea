// The DirectDraw control and the image list on Wine's own DirectDraw, windowed.
#include <gtest/gtest.h>

#include <cstdlib>

#include "DIBWin.h"
#include "DXDrawsControl.h"
#include "DXDrawsPictures.h"
#include "Forms.h"

namespace {
struct TWineDX : ::testing::Test {
  TForm Form{nullptr};
  TDXDraw* DX = nullptr;  // owned by Form

  void SetUp() override {
    Form.SetBounds(40, 40, 520, 420);
    Form.SetCaption("DirectDraw");
    DX = new TDXDraw(&Form);
    DX->AutoInitialize = false;
    DX->Color = clBlack;
    DX->SetOptions(doCenter | doFlip | doHardware | doSelectDriver);
    DX->SetParent(&Form);
    DX->SetBounds(0, 0, 500, 400);
    DX->SetAutoSize(false);
    DX->SetSize(405, 353);
    Form.Show();
    Application().ProcessMessages();
  }
};

}  // namespace

TEST_F(TWineDX, DrawsOnABackSurfaceAndBlitsItCentred) {
  int restored = 0;
  DX->OnRestoreSurface = [&](TComponent*) { ++restored; };
  DX->Initialize();
  ASSERT_TRUE(DX->CanDraw());
  EXPECT_EQ(restored, 1);
  EXPECT_FALSE(DX->OptionsInForce() & doFlip);  // windowed: the blit driver
  EXPECT_EQ(DX->SurfaceWidth(), 405);
  EXPECT_EQ(DX->SurfaceHeight(), 353);
  EXPECT_EQ(DX->Primary()->BitCount(), 32);

  TDirectDrawSurface& s = *DX->Surface();
  uint32_t red = s.ColorMatch(clRed);
  EXPECT_EQ(red & 0xFFFFFF, 0xFF0000u);
  ASSERT_TRUE(s.Fill(red));
  TCanvas& c = s.Canvas().Canvas();
  c.Font.Color = clWhite;
  c.Font.Height = -24;
  SetBkMode(c.Handle(), TRANSPARENT);
  c.TextOut(20, 20, "Brannox 2000 credits");
  s.Canvas().Release();
  EXPECT_FALSE(s.Canvas().HasDC());
  DX->Flip();

  POINT o{0, 0};
  ClientToScreen(DX->Handle(), &o);
  int left = o.x + (500 - 405) / 2, top = o.y + (400 - 353) / 2;
  // Wine presents the primary surface past GDI, so it is read from the surface.
  EXPECT_EQ(DX->Primary()->Pixel(left + 200, top + 300) & 0xFFFFFF, red & 0xFFFFFF);
  EXPECT_EQ(DX->Primary()->Pixel(left + 404, top + 352) & 0xFFFFFF, red & 0xFFFFFF);
  EXPECT_NE(DX->Primary()->Pixel(left - 1, top + 300) & 0xFFFFFF, red & 0xFFFFFF);
  EXPECT_NE(DX->Primary()->Pixel(left + 200, top + 353) & 0xFFFFFF, red & 0xFFFFFF);
  // For a screenshot: the frame is presented again for that many milliseconds,
  // as a frame timer would.
  if (const char* shot = std::getenv("BX_DXDRAW_SCREENSHOT_WAIT"))
    for (int ms = 0; ms < atoi(shot); ms += 20) {
      Sleep(20);
      Application().ProcessMessages();
      DX->Flip();
    }

  // The surface read back into a DIB.
  TDIB dib;
  s.AssignTo(dib);
  EXPECT_EQ(dib.Width(), 405);
  EXPECT_EQ(dib.BitCount(), 24);
  EXPECT_EQ(dib.Pixel(200, 300), uint32_t(RGB(255, 0, 0)));  // bytes blue, green, red

  // Restoring refills the surfaces and tells the handlers.
  DX->Restore();
  EXPECT_EQ(restored, 2);
  EXPECT_EQ(s.Pixel(200, 300), 0u);
  DX->Finalize();
  EXPECT_FALSE(DX->CanDraw());
}

TEST_F(TWineDX, TheImageListCutsItsPicturesIntoSurfaces) {
  TDXImageList list(nullptr);
  auto* item = new TPictureCollectionItem(&list.Items());
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetSize(100, 50);
  for (int x = 0; x < 100; ++x)
    for (int y = 0; y < 50; ++y) bitmap->SetPixel(x, y, x < 20 ? clBlue : clLime);
  item->Picture().SetGraphic(std::move(bitmap));
  item->PatternWidth = 20;
  item->SetTransparentColor(clBlue);
  list.SetDXDraw(DX);
  EXPECT_EQ(item->SurfaceCount(), 0);  // the control is not initialized yet
  DX->Initialize();
  ASSERT_TRUE(item->Initialized());
  EXPECT_EQ(item->PatternCount(), 5);
  ASSERT_EQ(item->SurfaceCount(), 1);
  EXPECT_EQ(item->Surfaces(0).Width(), 100);
  uint32_t lime = item->Surfaces(0).ColorMatch(clLime);
  EXPECT_EQ(item->Surfaces(0).Pixel(50, 10), lime);

  auto* whole = new TPictureCollectionItem(&list.Items());
  whole->Assign(*item);
  whole->SystemMemory = true;
  whole->PatternWidth = 500;  // larger than the picture: one pattern
  list.Items().Restore();
  EXPECT_EQ(whole->PatternCount(), 1);
  EXPECT_TRUE(whole->Surfaces(0).InSystemMemory());

  DX->Finalize();
  EXPECT_EQ(item->SurfaceCount(), 0);
  EXPECT_FALSE(item->Initialized());
  list.SetDXDraw(nullptr);
}
