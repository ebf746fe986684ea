// The mini-HTML painter drawing into a bitmap: raised and lowered text,
// shadows, turned text, pictures from files, icons and the body background,
// anchors under the mouse and in focus, the ellipsis, tabs and bullets.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>

#include "ExtGridHTMLPaint.h"
#include "ExtGridTestForm.h"
#include "WinGraphics.h"

namespace {
constexpr int BoxW = 300, BoxH = 100;

// A white bitmap to paint into and read back.
struct TPaintBox {
  TWindowDC Screen{nullptr};
  TDoubleBuffer Buffer{Screen.DC(), BoxW, BoxH};
  THTMLDrawContext C;
  TPaintBox() {
    C.DC = Buffer.DC();
    C.Rect = RECT{0, 0, BoxW, BoxH};
    C.Font.Name = "Arial";
    C.Font.SetSize(12);
    C.Font.Color = clBlack;
  }
  THTMLLayout Paint(const std::string& text) {
    RECT all{0, 0, BoxW, BoxH};
    TBrushHandle white(CreateSolidBrush(RGB(255, 255, 255)));
    FillRect(Buffer.DC(), &all, white.Get());
    C.Measure = false;
    return LayoutHTMLText(C, text);
  }
  THTMLLayout Measure(const std::string& text) {
    C.Measure = true;
    return LayoutHTMLText(C, text);
  }
  COLORREF At(int x, int y) const { return GetPixel(Buffer.DC(), x, y); }
  int Count(const std::function<bool(COLORREF)>& test, RECT area = RECT{0, 0, BoxW, BoxH}) const {
    int n = 0;
    for (int y = area.top; y < area.bottom; ++y)
      for (int x = area.left; x < area.right; ++x) n += test(At(x, y));
    return n;
  }
  int CountColor(COLORREF c, RECT area = RECT{0, 0, BoxW, BoxH}) const {
    return Count([c](COLORREF p) { return p == c; }, area);
  }
  // The box around every pixel that is not white.
  RECT Inked() const {
    RECT r{BoxW, BoxH, -1, -1};
    for (int y = 0; y < BoxH; ++y)
      for (int x = 0; x < BoxW; ++x)
        if (At(x, y) != RGB(255, 255, 255))
          r.left = std::min<int>(r.left, x), r.top = std::min<int>(r.top, y), r.right = std::max<int>(r.right, x),
          r.bottom = std::max<int>(r.bottom, y);
    return r;
  }
  std::vector<COLORREF> Pixels() const {
    std::vector<COLORREF> out;
    for (int y = 0; y < BoxH; ++y)
      for (int x = 0; x < BoxW; ++x) out.push_back(At(x, y));
    return out;
  }
};

bool Dark(COLORREF c) { return GetRValue(c) + GetGValue(c) + GetBValue(c) < 200; }

// A bitmap file in the temporary folder; its path.
std::string WriteBitmap(const std::string& name, const TBitmap& b) {
  char dir[MAX_PATH];
  GetTempPathA(MAX_PATH, dir);
  const std::string path = std::string(dir) + name;
  const std::vector<uint8_t> bytes = b.SaveToBytes();
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  return path;
}

constexpr COLORREF Green = RGB(0, 0xC0, 0);
}  // namespace

TEST(HTMLPainter, RaisedLoweredShadowedAndTurnedText) {
  TPaintBox box;
  const int plain = box.Measure("a2<B></B>").Height;
  const int raised = box.Measure("a<SUP>2</SUP>").Height, lowered = box.Measure("a<SUB>2</SUB>").Height;
  EXPECT_EQ(raised, plain + plain / 4);
  EXPECT_EQ(lowered, plain + plain / 4);
  EXPECT_EQ(box.Measure("<SUP>a</SUP><SUB>2</SUB>").Height, plain + 2 * (plain / 4));
  // The raised run is drawn higher than the text beside it.
  box.Paint("<FONT COLOR=\"clRed\">x</FONT><SUP><FONT COLOR=\"clBlue\">x</FONT></SUP>");
  int redTop = BoxH, blueTop = BoxH;
  for (int y = BoxH - 1; y >= 0; --y)
    for (int x = 0; x < 60; ++x) {
      if (box.At(x, y) == RGB(255, 0, 0)) redTop = y;
      if (box.At(x, y) == RGB(0, 0, 255)) blueTop = y;
    }
  EXPECT_LT(blueTop, redTop);

  // A shadow in its colour, offset from the text; none without SH.
  box.C.ShadowColor = clBlue;
  box.C.ShadowOffset = 2;
  box.Paint("<FONT COLOR=\"clRed\">WWW</FONT>");
  EXPECT_EQ(box.CountColor(RGB(0, 0, 255)), 0);
  box.Paint("<SH><FONT COLOR=\"clRed\">WWW</FONT></SH>");
  EXPECT_GT(box.CountColor(RGB(0, 0, 255)), 10);
  EXPECT_GT(box.CountColor(RGB(255, 0, 0)), 10);

  // Turned a quarter, the run is taller than wide, also when drawn.
  const THTMLLayout flat = box.Measure("<B>Turned text</B>");
  const THTMLLayout turned = box.Measure("<R A=\"90\"><B>Turned text</B></R>");
  EXPECT_GT(flat.Width, flat.Height);
  EXPECT_GT(turned.Height, 2 * turned.Width);
  box.Paint("<R A=\"90\"><B>Turned text</B></R>");
  const RECT ink = box.Inked();
  EXPECT_GT(ink.bottom - ink.top, 2 * (ink.right - ink.left));
  EXPECT_LT(ink.right, turned.Width + 2);
}

TEST(HTMLPainter, PicturesFromFilesIconsAndTheBodyBackground) {
  TPaintBox box;
  const std::string green = WriteBitmap("bx_html_green.bmp", SolidBitmap(6, 4, 0x0000C000));
  const int text = box.Measure("ab").Width;
  box.Paint("<IMG SRC=\"FILE://" + green + "\">ab");
  EXPECT_EQ(box.CountColor(Green), 24);
  EXPECT_EQ(box.Measure("<IMG SRC=\"FILE://" + green + "\">ab").Width, text + 6);
  box.Paint("<IMG SRC=\"FILE://" + green + "\" WIDTH=\"12\" HEIGHT=\"8\">");
  EXPECT_EQ(box.CountColor(Green), 96);
  box.C.Scale = 2;
  box.Paint("<IMG SRC=\"FILE://" + green + "\">");
  EXPECT_EQ(box.CountColor(Green), 96);
  box.C.Scale = 1;
  // A bitmap resource of the program, and an icon of the system image list.
  box.Paint("<IMG SRC=\"RES://HTMLTESTPICTURE\">ab");
  EXPECT_EQ(box.CountColor(RGB(0xC0, 0x80, 0x40)), 15);
  EXPECT_EQ(box.Measure("<IMG SRC=\"SSYS:0\">ab").Width, text + GetSystemMetrics(SM_CXSMICON));
  EXPECT_EQ(box.Measure("<IMG SRC=\"LSYS:99999\">ab").Width, text);
  // Sources that give no picture take no room and draw nothing.
  for (const char* none : {"FILE://c:\\no\\such.bmp", "RES://NOSUCHBITMAP", "SSYS:c:\\no\\such.exe", "HTTP://x/y.bmp"})
    EXPECT_EQ(box.Measure(std::string("<IMG SRC=\"") + none + "\">ab").Width, text) << none;
  // Nor is a path of the "\\server\share" form opened, even when it exists.
  ASSERT_TRUE(GetFileAttributesA(("\\\\?\\" + green).c_str()) != INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(box.Measure("<IMG SRC=\"FILE://\\\\?\\" + green + "\">ab").Width, text);
  EXPECT_EQ(box.Measure("<IMG SRC=\"SSYS:\\\\?\\" + green + "\">ab").Width, text);
  const std::string notBitmap = WriteBitmap("bx_html_bad.bmp", TBitmap());
  std::ofstream(notBitmap, std::ios::binary) << "not a picture";
  EXPECT_EQ(box.Measure("<IMG SRC=\"FILE://" + notBitmap + "\">ab").Width, text);

  // A picture taller than the text: text at its bottom, top or middle.
  const std::string tall = WriteBitmap("bx_html_tall.bmp", SolidBitmap(4, 60, 0x0000C000));
  auto textTop = [&](const std::string& align) {
    box.Paint("<IMG SRC=\"FILE://" + tall + "\"" + align + "><B>x</B>");
    for (int y = 0; y < BoxH; ++y)
      for (int x = 6; x < 40; ++x)
        if (Dark(box.At(x, y))) return y;
    return -1;
  };
  const int bottom = textTop(""), top = textTop(" ALIGN=\"TOP\""), middle = textTop(" ALIGN=\"MIDDLE\"");
  EXPECT_LT(top, middle);
  EXPECT_LT(middle, bottom);
  EXPECT_LT(top, 8);

  // System icons of a file, small and large.
  char self[MAX_PATH];
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  EXPECT_EQ(box.Measure(std::string("<IMG SRC=\"SSYS:") + self + "\">ab").Width, text + GetSystemMetrics(SM_CXSMICON));
  EXPECT_EQ(box.Measure(std::string("<IMG SRC=\"LSYS:") + self + "\">ab").Width, text + GetSystemMetrics(SM_CXICON));

  // The body's picture is tiled over the whole rectangle.
  box.C.Rect = RECT{10, 10, 110, 60};
  box.Paint("<BODY BACKGROUND=\"FILE://" + green + "\"><B>on green</B>");
  EXPECT_EQ(box.At(10, 10), Green);
  EXPECT_EQ(box.At(109, 59), Green);
  EXPECT_EQ(box.At(110, 60), RGB(255, 255, 255));  // clipped to the rectangle
  EXPECT_EQ(box.At(9, 30), RGB(255, 255, 255));
  box.Paint("<BODY BACKGROUND=\"FILE://c:\\no\\such.bmp\"><B>x</B>");
  EXPECT_EQ(box.At(109, 59), RGB(255, 255, 255));
}

TEST(HTMLPainter, AnchorsTakeTheHoverStyleAndTheFocusRectangle) {
  TPaintBox box;
  box.C.URLColor = clBlue;
  box.C.HoverColor = clRed;
  const std::string link = "<A HREF=\"one\">first</A> and <A HREF=\"two\">second</A>";
  const int h = box.Measure("x<B></B>").Height;
  box.Paint(link);
  EXPECT_GT(box.CountColor(RGB(0, 0, 255)), 20);
  EXPECT_EQ(box.CountColor(RGB(255, 0, 0)), 0);
  // The mouse on the first anchor: it takes the hover colours, the other keeps the anchor colour.
  box.C.Mouse = POINT{3, h / 2};
  box.C.HoverBack = clYellow;
  THTMLLayout on = box.Paint(link);
  EXPECT_EQ(on.Anchor, "one");
  const int firstW = box.Measure("<A HREF=\"one\">first</A>").Width;
  EXPECT_GT(box.CountColor(RGB(255, 0, 0), RECT{0, 0, firstW, BoxH}), 20);
  EXPECT_GT(box.CountColor(RGB(255, 255, 0), RECT{0, 0, firstW, BoxH}), 50);
  EXPECT_GT(box.CountColor(RGB(0, 0, 255), RECT{firstW, 0, BoxW, BoxH}), 20);
  EXPECT_EQ(box.CountColor(RGB(255, 255, 0), RECT{firstW, 0, BoxW, BoxH}), 0);
  // The plain paint keeps its own hover style.
  box.Paint("");  // a clean box
  PaintHTMLText(box.C, link);
  EXPECT_EQ(box.CountColor(RGB(255, 0, 0), RECT{0, 0, firstW, BoxH}), 0);
  EXPECT_GT(box.CountColor(RGB(128, 128, 128), RECT{0, 0, firstW, BoxH}), 20);

  // With hover mode only the anchor under the mouse is underlined.
  box.C.HoverBack = clNone;
  box.C.HoverColor = clNone;
  box.C.Mouse = POINT{-1, -1};
  box.Paint("<A HREF=\"x\">link</A>");
  const int underlined = box.CountColor(RGB(0, 0, 255));
  box.C.HoverUnderlineOnly = true;
  box.Paint("<A HREF=\"x\">link</A>");
  const int bare = box.CountColor(RGB(0, 0, 255));
  EXPECT_GT(underlined, bare);
  box.C.Mouse = POINT{3, h / 2};
  box.Paint("<A HREF=\"x\">link</A>");
  EXPECT_EQ(box.CountColor(RGB(0, 0, 255)), underlined);

  // The focus rectangle goes around the focused anchor only.
  box.C.Mouse = POINT{-1, -1};
  box.C.HoverUnderlineOnly = false;
  box.Paint(link);
  const std::vector<COLORREF> plain = box.Pixels();
  box.C.FocusAnchor = 2;
  box.Paint(link);
  const std::vector<COLORREF> focused = box.Pixels();
  const int secondX = box.Measure("<A HREF=\"one\">first</A> and ").Width;
  int changed = 0, outside = 0;
  for (int i = 0; i < BoxW * BoxH; ++i)
    if (plain[size_t(i)] != focused[size_t(i)]) ++changed, outside += i % BoxW < secondX;
  EXPECT_GT(changed, 20);
  EXPECT_EQ(outside, 0);
}

TEST(HTMLPainter, EllipsisTabsAndBullets) {
  TPaintBox box;
  // A run cut at the right edge ends in "...", as the platform draws it.
  box.C.Rect = RECT{0, 0, 60, 40};
  const std::string longText = "abcdefghijklmnopqrstuvwxyz";
  box.Paint("<B>" + longText + "</B>");
  const std::vector<COLORREF> painted = box.Pixels();
  box.Paint("<B></B>");
  {
    TFont bold = box.C.Font;
    bold.Style |= fsBold;
    TFontHandle f = CreateFontHandle(bold);
    TSelectGuard sel(box.Buffer.DC(), f.Get());
    SetBkMode(box.Buffer.DC(), TRANSPARENT);
    SetTextColor(box.Buffer.DC(), RGB(0, 0, 0));
    RECT r{0, 0, 60, box.Measure("x<B></B>").Height};
    DrawTextA(box.Buffer.DC(), longText.data(), int(longText.size()), &r, DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
  }
  EXPECT_EQ(painted, box.Pixels());
  box.C.Ellipsis = false;
  box.Paint("<B>" + longText + "</B>");
  EXPECT_NE(painted, box.Pixels());
  box.C.Ellipsis = true;

  // Tabs are expanded to the platform's tab stops, in the measure and the drawing.
  box.C.Rect = RECT{0, 0, BoxW, BoxH};
  const int spaced = box.Measure("<B>a b</B>").Width, tabbed = box.Measure("<B>a\tb</B>").Width;
  EXPECT_GT(tabbed, spaced + 20);
  box.Paint("<B>a\tb</B>");
  EXPECT_GT(box.Inked().right, spaced + 15);

  // Bullets: 12 pixels per list level, the bullet, 12 pixels to the text.
  const int ab = box.Measure("<B>ab</B>").Width;
  EXPECT_EQ(box.Measure("<LI><B>ab</B>").Width, 12 + ab);
  EXPECT_EQ(box.Measure("<UL><LI><B>ab</B></UL>").Width, 24 + ab);
  EXPECT_EQ(box.Measure("<UL><UL><LI><B>ab</B></UL></UL>").Width, 36 + ab);
  const int line = box.Measure("x<B></B>").Height;
  EXPECT_EQ(box.Measure("<UL><LI>a<LI>b</UL>").Height, 2 * line);  // each item on its own line
  box.Paint("<UL><LI><B>ab</B></UL>");
  EXPECT_EQ(box.Count(Dark, RECT{0, 0, 12, BoxH}), 0);
  EXPECT_GT(box.Count(Dark, RECT{12, 0, 24, BoxH}), 0);
  EXPECT_GT(box.Count(Dark, RECT{24, 0, 24 + ab, BoxH}), 10);
}

// The picture to look at: a grid whose cells use the painter's tags.
TEST(HTMLPainter, ScreenshotOfHTMLCells) {
  TGridWindow w(3, 6, 560, 330);
  TTestGrid& g = *w.Grid;
  g.SetColWidths(0, 40);
  g.SetColWidths(1, 250);
  g.SetColWidths(2, 200);
  for (int r = 1; r <= 6; ++r) g.SetRowHeights(r, 40);
  const std::string tile = WriteBitmap("bx_html_tile.bmp", SolidBitmap(8, 8, 0x00E0F0FF));
  const std::string pic = WriteBitmap("bx_html_pic.bmp", SolidBitmap(12, 12, 0x0000A000));
  char self[MAX_PATH];
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  g.SetCells(1, 1, "H<SUB>2</SUB>O and E = mc<SUP>2</SUP>, <SH><B>shadowed</B></SH>");
  g.SetCells(2, 1, "<R A=\"20\"><B>turned a little</B></R>");
  g.SetCells(1, 2, "<IMG SRC=\"FILE://" + pic + "\"> a file, <IMG SRC=\"SSYS:" + self + "\"> an icon, "
                   "<IMG SRC=\"RES://HTMLTESTPICTURE\" WIDTH=\"1\"> a resource");
  g.SetCells(2, 2, "<IMG SRC=\"FILE://" + pic + "\" ALIGN=\"MIDDLE\" WIDTH=\"30\" HEIGHT=\"30\"><B>middle</B>");
  g.SetCells(1, 3, "<BODY BACKGROUND=\"FILE://" + tile + "\"><B>on a tiled picture</B>");
  g.SetCells(2, 3, "<B>a long text that the cell cannot hold at all</B>");
  g.SetCells(1, 4, "<B>tab</B>\tstop\tand\tmore");
  g.SetCells(2, 4, "<A HREF=\"http://one\">first</A> and <A HREF=\"http://two\">second</A>");
  g.SetCells(1, 5, "<UL><LI><B>first</B><LI>second<UL><LI>inner</UL></UL>");
  g.SetRowHeights(5, 60);
  g.SetCells(2, 5, "<P ALIGN=\"CENTER\" BGCOLOR=\"clYellow\"><I>centred</I></P>");
  g.SetCells(1, 6, "<FONT COLOR=\"clRed\" SIZE=\"14\"><SH>big shadowed red</SH></FONT>");
  g.SetCells(2, 6, "");
  g.SetRow(6);
  w.Shot("grid_html_cells");
  SUCCEED();
}
