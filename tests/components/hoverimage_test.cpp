#include <gtest/gtest.h>

#include <string>

#include "Forms.h"
#include "bx2Image.h"
#include <windows.h>

namespace {
void MoveTo(TForm& form, int x, int y) { SendMessageA(form.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(x, y)); }

// A 40 x 40 hover image at (50, 50) on a 200 x 200 form.
Tbx2Image* PlaceImage(TForm& form) {
  form.SetBounds(0, 0, 200, 200);
  auto* image = new Tbx2Image(&form);
  image->SetBounds(50, 50, 40, 40);
  image->SetParent(&form);
  return image;
}
}  // namespace

TEST(HoverImage, EnterAndLeaveReachTheHandlersInOrder) {
  TForm form(nullptr);
  Tbx2Image* image = PlaceImage(form);
  std::string log;
  image->OnMouseEnter = [&](TComponent* s) { log += s == image ? "E" : "?"; };
  image->OnMouseLeave = [&](TComponent* s) { log += s == image ? "L" : "?"; };
  MoveTo(form, 10, 10);
  MoveTo(form, 60, 60);
  MoveTo(form, 70, 70);
  MoveTo(form, 150, 150);
  EXPECT_EQ(log, "EL");
  EXPECT_EQ(image->ClassName(), "Tbx2Image");
}

TEST(HoverImage, WithoutHandlersTheMouseChangesNothing) {
  TForm form(nullptr);
  Tbx2Image* image = PlaceImage(form);
  image->Picture().Bitmap().SetSize(4, 4);
  MoveTo(form, 60, 60);
  MoveTo(form, 150, 150);
  EXPECT_EQ(image->Left(), 50);
  EXPECT_EQ(image->Picture().Width(), 4);
  EXPECT_TRUE(image->Visible());
}
