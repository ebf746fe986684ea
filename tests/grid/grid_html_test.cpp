// Mini-HTML text: preparation, tokens, stripping and colours.
#include <gtest/gtest.h>

#include "ExtGridHTML.h"

namespace {
TEST(GridHTML, EntitiesAndMarkers) {
  EXPECT_EQ(PrepareHTMLText("a &LT;b&gt; &quot;c&quot; &amp; d"), "a <b> \"c\" & d");
  // "&amp;lt;" needs two rounds and then reads as a tag start.
  EXPECT_EQ(PrepareHTMLText("&amp;lt;B>x"), "<B>x");
  EXPECT_EQ(PrepareHTMLText("x<#name>y"), "xnamey");
  EXPECT_EQ(PrepareHTMLText("& alone"), "& alone");
}

TEST(GridHTML, TokensAndAttributes) {
  auto t = TokenizeHTML("a<FONT face=\"Arial\" COLOR=\"clRed\">b</font>c");
  ASSERT_EQ(t.size(), 5u);
  EXPECT_FALSE(t[0].IsTag);
  EXPECT_EQ(t[0].Text, "a");
  EXPECT_TRUE(t[1].IsTag);
  EXPECT_EQ(t[1].Name, "FONT");
  EXPECT_EQ(HTMLAttribute(t[1].Text, "FACE"), "Arial");
  EXPECT_EQ(HTMLAttribute(t[1].Text, "color"), "clRed");
  EXPECT_EQ(HTMLAttribute(t[1].Text, "size"), "");
  EXPECT_TRUE(t[3].Closing);
  EXPECT_EQ(t[3].Name, "FONT");
  // BGCOLOR is not taken for COLOR.
  EXPECT_EQ(HTMLAttribute("FONT BGCOLOR=\"#FF0000\"", "COLOR"), "");
  // A "<" that starts no tag stays text with all that follows.
  auto u = TokenizeHTML("a < b");
  ASSERT_EQ(u.size(), 1u);
  EXPECT_EQ(u[0].Text, "a < b");
  auto v = TokenizeHTML("x<");
  ASSERT_EQ(v.size(), 1u);
  EXPECT_EQ(v[0].Text, "x<");
  EXPECT_EQ(HTMLAttribute("A HREF=\"unterminated", "HREF"), "");
}

TEST(GridHTML, StripForTheClipboard) {
  EXPECT_EQ(StripHTML("a<BR>b"), "a\r\nb");
  EXPECT_EQ(StripHTML("a<hr>b"), "a\r\nb");
  EXPECT_EQ(StripHTML("a < b"), "a < b");
  EXPECT_EQ(StripHTML("<B>bold</B> and <I>it"), "bold and it");
  EXPECT_EQ(StripHTML("x<b"), "x<b");
}

TEST(GridHTML, Colours) {
  EXPECT_EQ(ColorFromName("clred"), clRed);
  EXPECT_EQ(ColorFromName("clinfobk"), TColor(0x80000018));
  EXPECT_EQ(ColorFromName("nonsense"), clBlack);
  EXPECT_EQ(HexToColor("#FF8000"), TColor(0x0080FF));
  EXPECT_EQ(FontAttrColor("clRed"), clRed);
  EXPECT_EQ(FontAttrColor("#ff8000"), TColor(0x0080FF));  // upper-cased first
  EXPECT_EQ(BodyAttrColor("#ff8000"), TColor(0x008000));  // lower-case digits read as 0
  EXPECT_EQ(ParagraphAttrColor("CLBLUE"), clBlue);
  EXPECT_EQ(ParagraphAttrColor("blue"), clNone);
  EXPECT_EQ(HexToColor("#12"), TColor(0x000012));
}

TEST(GridHTML, Escape) { EXPECT_EQ(HTMLEscape("<a href=\"x\">&</a>"), "&lt;a href=&quot;x&quot;&gt;&amp;&lt;/a&gt;"); }
}  // namespace
