#include <gtest/gtest.h>

#include "LayeredForm.h"
#include <windows.h>

namespace {
LONG_PTR ExStyle(TForm& form) { return GetWindowLongPtrA(form.Handle(), GWL_EXSTYLE); }

BYTE LayerAlpha(TForm& form) {
  BYTE alpha = 0;
  DWORD flags = 0;
  COLORREF key = 0;
  GetLayeredWindowAttributes(form.Handle(), &key, &alpha, &flags);
  return alpha;
}

struct LayeredForm : ::testing::Test {
  TForm form{nullptr};
  void SetUp() override { form.SetBounds(10, 10, 200, 100); }
};
}  // namespace

TEST_F(LayeredForm, RefusesAnOwnerThatIsNoFormAndASecondInstance) {
  TComponent plain(nullptr);
  try {
    new TLayeredForm(&plain);
    FAIL() << "no error";
  } catch (const ELayeredFormError& e) {
    EXPECT_STREQ(e.what(), "Control parent must be a form!");
  }
  EXPECT_EQ(plain.ComponentCount(), 0);

  auto* first = new TLayeredForm(&form);
  EXPECT_EQ(first->Alpha(), 255);
  try {
    new TLayeredForm(&form);
    FAIL() << "no error";
  } catch (const ELayeredFormError& e) {
    EXPECT_STREQ(e.what(), "Only one instance of TLayeredForm allowed on form");
  }
  EXPECT_EQ(form.ComponentCount(), 1);
}

TEST_F(LayeredForm, AlphaBlendLayersTheWindowAndNoneRemovesTheStyle) {
  auto* lay = new TLayeredForm(&form);
  lay->SetLayerType(ltAlphaBlend);
  EXPECT_TRUE(ExStyle(form) & WS_EX_LAYERED);
  EXPECT_EQ(LayerAlpha(form), 255);
  lay->SetAlpha(128);
  EXPECT_EQ(LayerAlpha(form), 128);
  lay->SetLayerType(ltNone);
  EXPECT_FALSE(ExStyle(form) & WS_EX_LAYERED);
}

TEST_F(LayeredForm, AlphaUnderAColourKeyWaitsForAlphaBlend) {
  auto* lay = new TLayeredForm(&form);
  lay->SetColorKey(clRed);
  lay->SetLayerType(ltColorKey);
  lay->SetAlpha(100);
  EXPECT_EQ(lay->Alpha(), 100);
  COLORREF key = 0;
  BYTE alpha = 0;
  DWORD flags = 0;
  GetLayeredWindowAttributes(form.Handle(), &key, &alpha, &flags);
  EXPECT_EQ(flags, DWORD(LWA_COLORKEY));
  EXPECT_EQ(key, RGB(255, 0, 0));
  lay->SetLayerType(ltAlphaBlend);
  EXPECT_EQ(LayerAlpha(form), 100);
}

TEST_F(LayeredForm, SettingTheCurrentTypeLeavesTheWindowAlone) {
  auto* lay = new TLayeredForm(&form);
  lay->SetLayerType(ltAlphaBlend);
  SetWindowLongPtrA(form.Handle(), GWL_EXSTYLE, ExStyle(form) & ~LONG_PTR(WS_EX_LAYERED));
  lay->SetLayerType(ltAlphaBlend);
  EXPECT_FALSE(ExStyle(form) & WS_EX_LAYERED);
}
