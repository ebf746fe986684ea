// The extended grid's painting on a shown window: bands, the background
// picture, HTML cells and pictures, and cells whose content cannot be drawn.
#include <gtest/gtest.h>

#include "ExtGridHTMLPaint.h"
#include "ExtGridTestForm.h"
#include "WinGraphics.h"

namespace {

// A point inside the cell that no text reaches.
POINT Blank(TExtStringGrid& g, int col, int row) {
  RECT r = g.CellRect(col, row);
  return POINT{r.right - 3, r.bottom - 3};
}

constexpr COLORREF Rgb(TColor c) { return COLORREF(c); }
}  // namespace

TEST(ExtGridPaint, BandsRunPrimaryThenSecondaryRows) {
  TGridWindow w(4, 8);
  TExtStringGrid& g = *w.Grid;
  g.Bands.Active = true;
  g.Bands.PrimaryColor = 0x00C0FFC0;
  g.Bands.SecondaryColor = 0x00FFE0C0;
  g.Bands.PrimaryLength = 3;
  g.Bands.SecondaryLength = 1;
  g.SetRow(8);  // the selection away from the rows looked at
  for (int row = 1; row <= 5; ++row) {
    POINT p = Blank(g, 2, row);
    EXPECT_EQ(w.PixelAt(p.x, p.y), Rgb(row == 4 ? 0x00FFE0C0 : 0x00C0FFC0)) << "row " << row;
  }
  POINT header = Blank(g, 2, 0);
  EXPECT_EQ(w.PixelAt(header.x, header.y), ColorToRGB(g.FixedColor));
}

TEST(ExtGridPaint, BackgroundPictureLiesUnderItsKindOfCellsOnly) {
  TGridWindow w(4, 6);
  TExtStringGrid& g = *w.Grid;
  g.SetRow(6);
  g.BackGround.Bitmap.Assign(SolidBitmap(7, 5, 0x00204080));
  POINT normal = Blank(g, 1, 2), fixed = Blank(g, 1, 0);
  EXPECT_EQ(w.PixelAt(normal.x, normal.y), Rgb(0x00204080));
  EXPECT_EQ(w.PixelAt(fixed.x, fixed.y), ColorToRGB(g.FixedColor));
  g.BackGround.Cells = bcFixed;
  EXPECT_EQ(w.PixelAt(normal.x, normal.y), ColorToRGB(g.Color));
  EXPECT_EQ(w.PixelAt(fixed.x, fixed.y), Rgb(0x00204080));
}

TEST(ExtGridPaint, ContentThatCannotBeDrawnPaintsWhatItCan) {
  TGridWindow w(4, 6);
  TTestGrid& g = *w.Grid;
  g.Data().EnableGraphics = true;
  TImageList images(nullptr);
  g.GridImages = &images;  // empty: every picture index is missing
  g.SetCellImage(1, 1, 5, 3, 2);
  TCellGraphic& bar = g.Data().CreateCellGraphic(2, 1);
  bar.Kind = gkProgress;
  g.SetCells(2, 1, "500");
  TCellGraphic& under = g.Data().CreateCellGraphic(2, 2);
  under.Kind = gkProgress;
  g.SetCells(2, 2, "-40");
  TCellGraphic& noBitmap = g.Data().CreateCellGraphic(3, 1);
  noBitmap.Kind = gkBitmap;  // without its picture
  g.SetCells(1, 3, "<B>unclosed <FONT COLOR=\"#zz\" SIZE=\"99999\"><IMG SRC=\"IDX:x\"> a < b");
  g.SetCells(1, 4, "<");
  g.SetCells(1, 5, "</");
  RECT client{0, 0, g.ClientWidth(), g.ClientHeight()};
  TWindowDC screen(g.Handle());
  TDoubleBuffer buffer(screen.DC(), client.right, client.bottom);
  TCanvas canvas(buffer.DC());
  EXPECT_NO_THROW(g.Paint(canvas, client));
  // The over-full bar is full, the negative one empty.
  RECT full = g.CellRect(2, 1), empty = g.CellRect(2, 2);
  EXPECT_EQ(GetPixel(buffer.DC(), full.right - 4, full.top + 4), ColorToRGB(clHighlight));
  EXPECT_EQ(GetPixel(buffer.DC(), empty.left + 4, empty.top + 4), ColorToRGB(clWindow));
}

TEST(ExtGridPaint, HTMLLayoutMeasuresLinesAndFindsAnchors) {
  TWindowDC screen(nullptr);
  THTMLDrawContext c;
  c.DC = screen.DC();
  c.Rect = RECT{0, 0, 400, 200};
  c.Measure = true;
  THTMLLayout one = LayoutHTMLText(c, "<B>bold</B> text");
  THTMLLayout two = LayoutHTMLText(c, "<B>bold</B><BR>text");
  EXPECT_GT(one.Width, 0);
  EXPECT_EQ(two.Height, 2 * one.Height);
  // An IDX picture beyond the list takes no width.
  TImageList images(nullptr);
  c.Images = &images;
  EXPECT_EQ(LayoutHTMLText(c, "ab<IMG SRC=\"IDX:3\">").Width, LayoutHTMLText(c, "ab").Width);
  // The anchor under the mouse gives its address.
  c.Mouse = POINT{3, one.Height / 2};
  THTMLLayout link = LayoutHTMLText(c, "<A HREF=\"CELL://A1\">go</A> on");
  EXPECT_TRUE(link.OnAnchor);
  EXPECT_EQ(link.Anchor, "CELL://A1");
  c.Mouse = POINT{390, one.Height / 2};
  EXPECT_FALSE(LayoutHTMLText(c, "<A HREF=\"x\">go</A> on").OnAnchor);
}

// The picture to look at: a fixed header with the sort glyph, HTML cells,
// pictures before the text, bands and a tiled background under them.
TEST(ExtGridPaint, ScreenshotOfAFullGrid) {
  TGridWindow w(4, 9);
  TTestGrid& g = *w.Grid;
  const char* headers[] = {"Position", "Game", "Mod name", "Started"};
  for (int c = 0; c < 4; ++c) g.SetCells(c, 0, headers[c]);
  const int widths[] = {85, 110, 191, 90};
  for (int c = 0; c < 4; ++c) g.SetColWidths(c, widths[c]);
  TImageList images(nullptr);
  TBitmap logo = SolidBitmap(16, 16, clWhite);
  for (int y = 3; y < 13; ++y)
    for (int x = 3; x < 13; ++x) logo.SetPixel(x, y, (x + y) % 4 ? clRed : clNavy);
  images.AddMasked(logo, clWhite);
  g.GridImages = &images;
  g.Data().EnableGraphics = true;
  TBitmap tile = SolidBitmap(24, 24, 0x00F0F0F0);
  for (int i = 0; i < 24; ++i) tile.SetPixel(i, i, 0x00D0D0E8);
  g.BackGround.Bitmap.Assign(tile);
  g.Bands.Active = true;
  g.Bands.PrimaryColor = 0x00E0FFFF;
  g.Bands.SecondaryLength = 2;
  g.SortShow = true;
  g.Data().SortColumn = 3;
  g.Data().SortDirection = sdDescending;
  for (int r = 1; r <= 9; ++r) {
    g.SetCells(1, r, r % 2 ? "quake" : "halflife");
    g.SetCellImage(1, r, 0, 3, 2);
    g.SetCells(3, r, std::to_string(100 - 9 * r));
  }
  g.SetCells(2, 1, "<B>Bold</B> and <I>italic</I>");
  g.SetCells(2, 2, "<FONT COLOR=\"clRed\">red</FONT> <U>under</U>");
  g.SetCells(2, 3, "<A HREF=\"http://x\">a link</A>");
  g.NumberColumn(0);
  g.SetSelection(TGridRect{2, 5, 3, 6});
  g.Bands.Active = false;  // the background first; bands in a second picture
  w.Shot("grid_background");
  g.Bands.Active = true;
  g.BackGround.Bitmap.SetSize(0, 0);  // a background picture would cover them
  w.Shot("grid_bands");
  SUCCEED();
}
