#include <gtest/gtest.h>

#include "Colors.h"
#include "SysUtils.h"

TEST(Colors, NamesHexAndDecimal) {
  EXPECT_EQ(ColorToString(clWhite), "clWhite");
  EXPECT_EQ(ColorToString(clInfoBk), "clInfoBk");
  EXPECT_EQ(ColorToString(0x001A91D6), "$001A91D6");
  EXPECT_EQ(ColorToString(clNone), "clNone");
  EXPECT_EQ(StringToColor("clbtnface"), clBtnFace);
  EXPECT_EQ(StringToColor("$00123456"), 0x123456);
  EXPECT_EQ(StringToColor("255"), clRed);
  EXPECT_THROW(StringToColor("clNoSuchColour"), EConvertError);
}

TEST(Colors, AllFortyTwoNamesRoundTrip) {
  const char* names[] = {"clBlack", "clMaroon", "clGreen", "clOlive", "clNavy", "clPurple", "clTeal",
                         "clGray", "clSilver", "clRed", "clLime", "clYellow", "clBlue", "clFuchsia",
                         "clAqua", "clWhite", "clNone", "clScrollBar", "clBackground", "clActiveCaption",
                         "clInactiveCaption", "clMenu", "clWindow", "clWindowFrame", "clMenuText",
                         "clWindowText", "clCaptionText", "clActiveBorder", "clInactiveBorder",
                         "clAppWorkSpace", "clHighlight", "clHighlightText", "clBtnFace", "clBtnShadow",
                         "clGrayText", "clBtnText", "clInactiveCaptionText", "clBtnHighlight",
                         "cl3DDkShadow", "cl3DLight", "clInfoText", "clInfoBk"};
  static_assert(sizeof names / sizeof *names == 42);
  for (const char* n : names) EXPECT_EQ(ColorToString(StringToColor(n)), n);
  EXPECT_EQ(StringToColor("clWindowText"), TColor(0x80000008));
  EXPECT_EQ(StringToColor("clNavy"), 0x800000);
}
