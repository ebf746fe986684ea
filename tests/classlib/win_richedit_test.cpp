// The rich edit control: RTF in and plain text out, the RTF round trip,
// refused text, the read-only state and drawing into a device context.
#include <gtest/gtest.h>

#include <string>

#include "Forms.h"
#include "Handles.h"
#include "RichEdit.h"

namespace {
constexpr const char* kTwoParagraphs = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red255\\green0\\blue0;}"
                                       "\\f0\\fs20 {\\b Bold} and {\\cf1 red}\\par Second line}";

struct RichEditTest : testing::Test {
  TForm Form{nullptr};
  TRichEdit* Edit = nullptr;
  void SetUp() override {
    Form.SetBounds(20, 20, 320, 200);
    Edit = new TRichEdit(&Form);
    Edit->SetBounds(4, 4, 300, 150);
    Edit->SetParent(&Form);
    Form.Show();
  }
};

// Renders the control into a white bitmap; counts pixels by a test.
template <class Test>
int CountPixels(TRichEdit& edit, int width, int height, Test test) {
  TWindowDC screen(nullptr);
  TMemDCHandle dc(CreateCompatibleDC(screen.DC()));
  TBitmapHandle bitmap(CreateCompatibleBitmap(screen.DC(), width, height));
  TSelectGuard sel(dc.Get(), bitmap.Get());
  RECT all{0, 0, width, height};
  FillRect(dc.Get(), &all, HBRUSH(GetStockObject(WHITE_BRUSH)));
  edit.FormatInto(dc.Get(), RECT{10, 10, width - 10, height - 10});
  int count = 0;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const COLORREF c = GetPixel(dc.Get(), x, y);
      if (test(x, y, c)) ++count;
    }
  return count;
}
}  // namespace

TEST_F(RichEditTest, IsTheSystemsRichEditControl) {
  char name[64] = "";
  GetClassNameA(Edit->Handle(), name, sizeof name);
  EXPECT_STREQ(name, "RichEdit20A");
}

TEST_F(RichEditTest, RTFInPlainTextOutAndTheRoundTrip) {
  ASSERT_TRUE(Edit->SetRTF(kTwoParagraphs));
  EXPECT_EQ(Edit->Text(), "Bold and red\r\nSecond line");
  const std::string rtf = Edit->RTF();
  EXPECT_EQ(rtf.rfind("{\\rtf", 0), 0u);
  EXPECT_NE(rtf.find("\\b"), std::string::npos);
  // What comes out reads back as the same text with the same formatting.
  TRichEdit other(nullptr);
  other.SetParent(&Form);
  ASSERT_TRUE(other.SetRTF(rtf));
  EXPECT_EQ(other.Text(), Edit->Text());
  EXPECT_EQ(other.RTF(), rtf);
  Edit->SetText("plain\r\ntext");
  EXPECT_EQ(Edit->Text(), "plain\r\ntext");
}

TEST(RichEdit, RTFSetBeforeTheWindowExistsIsReadWhenItIsMade) {
  TForm form(nullptr);
  auto* edit = new TRichEdit(&form);
  edit->SetParent(&form);
  EXPECT_TRUE(edit->SetRTF(kTwoParagraphs));
  EXPECT_FALSE(edit->HandleAllocated());
  form.Show();
  EXPECT_EQ(edit->Text(), "Bold and red\r\nSecond line");
}

TEST_F(RichEditTest, TextThatIsNotRTFIsRefusedAndBrokenRTFDoesNotHang) {
  Edit->SetText("old");
  EXPECT_FALSE(Edit->SetRTF("{\\b not rtf}"));
  EXPECT_EQ(Edit->Text(), "");
  EXPECT_FALSE(Edit->SetRTF(""));
  // Truncated or unbalanced RTF is refused as well.
  EXPECT_FALSE(Edit->SetRTF("{\\rtf1 {\\b unclosed"));
  EXPECT_FALSE(Edit->SetRTF("{\\rtf1\\"));
  EXPECT_EQ(Edit->Text(), "");
  // Nesting is read up to a depth; deeper nesting (which crashes Wine's
  // reader) is refused. Escaped braces are text, not groups.
  auto nested = [](int n) { return "{\\rtf1 " + std::string(size_t(n), '{') + "deep" + std::string(size_t(n), '}') + "}"; };
  EXPECT_TRUE(Edit->SetRTF(nested(20)));
  EXPECT_EQ(Edit->Text(), "deep");
  EXPECT_FALSE(Edit->SetRTF(nested(20000)));
  std::string braces;
  for (int i = 0; i < 100; ++i) braces += "\\{";
  EXPECT_TRUE(Edit->SetRTF("{\\rtf1 " + braces + "}"));
  EXPECT_EQ(Edit->Text(), std::string(100, '{'));
  // Out-of-range numbers are read without harm.
  EXPECT_TRUE(Edit->SetRTF("{\\rtf1 \\fs99999999999 \\cf999 {\\colortbl;\\red999;} big}"));
  EXPECT_NE(Edit->Text().find("big"), std::string::npos);
}

TEST_F(RichEditTest, ReadOnlyKeepsTypingOut) {
  Edit->SetText("fixed");
  Edit->SetReadOnly(true);
  EXPECT_NE(GetWindowLongPtrA(Edit->Handle(), GWL_STYLE) & ES_READONLY, 0);
  SendMessageA(Edit->Handle(), WM_CHAR, 'x', 0);
  EXPECT_EQ(Edit->Text(), "fixed");
  Edit->SetReadOnly(false);
  SendMessageA(Edit->Handle(), WM_CHAR, 'x', 0);
  EXPECT_NE(Edit->Text(), "fixed");
}

TEST_F(RichEditTest, FormatsItsTextIntoARectangleOfAnyDC) {
  ASSERT_TRUE(Edit->SetRTF(kTwoParagraphs));
  auto red = [](int, int, COLORREF c) { return GetRValue(c) > 200 && GetGValue(c) < 60 && GetBValue(c) < 60; };
  auto ink = [](int, int, COLORREF c) { return c != RGB(255, 255, 255); };
  auto outside = [](int x, int y, COLORREF c) { return (x < 10 || y < 10) && c != RGB(255, 255, 255); };
  EXPECT_GT(CountPixels(*Edit, 200, 60, ink), 50);
  EXPECT_GT(CountPixels(*Edit, 200, 60, red), 5);
  EXPECT_EQ(CountPixels(*Edit, 200, 60, outside), 0);
  // Every character in one colour: no red left.
  Edit->SetTextColor(clBlue);
  EXPECT_EQ(CountPixels(*Edit, 200, 60, red), 0);
}
