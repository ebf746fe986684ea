// Settings and cell questions of the extended grid seen on a shown window:
// numbered sort glyphs, password cells, the ellipsis, the hidden focus
// rectangle, cells made fixed by the event, transparent cell bitmaps, sizing
// with the form, automatic and fixed sizes, the filter and print colours.
#include <gtest/gtest.h>

#include "ExtGridTestForm.h"
#include "ExtGridUtilWin.h"
#include "WinGraphics.h"

namespace {
constexpr COLORREF Yellow = RGB(255, 255, 0);

bool Dark(COLORREF c) { return GetRValue(c) + GetGValue(c) + GetBValue(c) < 200; }

// The rows (top to bottom) of yellow pixels in a cell, as their widths.
std::vector<int> YellowRows(TGridWindow& w, int col, int row) {
  TExtStringGrid& g = *w.Grid;
  g.Invalidate();
  UpdateWindow(g.Handle());
  const RECT r = g.CellRect(col, row);
  HDC dc = GetDC(g.Handle());
  std::vector<int> rows;
  for (int y = r.top; y < r.bottom; ++y) {
    int n = 0;
    for (int x = r.left; x < r.right; ++x) n += GetPixel(dc, x, y) == Yellow;
    if (n) rows.push_back(n);
  }
  ReleaseDC(g.Handle(), dc);
  return rows;
}
}  // namespace

TEST(ExtGridProperties, SortIndexShowNumbersEveryIndexedColumn) {
  TGridWindow w(5, 6);
  TExtStringGrid& g = *w.Grid;
  for (int c = 0; c < 5; ++c) g.SetColWidths(c, 90);
  g.SortShow = true;
  g.Data().SortColumn = 2;
  g.Data().SortIndexList.AddIndex(2, true);
  g.Data().SortIndexList.AddIndex(3, false);
  // Without the numbers only the first entry shows a glyph: the plain one.
  EXPECT_TRUE(YellowRows(w, 2, 0).empty());
  auto drawn = [&](COLORREF c) { return c != ColorToRGB(g.FixedColor); };
  const int plain2 = w.CountInCell(2, 0, drawn), plain3 = w.CountInCell(3, 0, drawn);
  g.Data().SortIndexList.Clear();
  g.Data().SortColumn = 0;
  EXPECT_LT(w.CountInCell(2, 0, drawn), plain2);  // its glyph went
  EXPECT_EQ(w.CountInCell(3, 0, drawn), plain3);  // the second entry had none
  g.Data().SortColumn = 2;
  g.Data().SortIndexList.AddIndex(2, true);
  g.Data().SortIndexList.AddIndex(3, false);

  g.SortIndexShow = true;
  const std::vector<int> up = YellowRows(w, 2, 0), down = YellowRows(w, 3, 0);
  ASSERT_GT(up.size(), 5u);
  ASSERT_GT(down.size(), 5u);
  EXPECT_GT(up.back(), up.front());      // ascending: the wide side below
  EXPECT_GT(down.front(), down.back());  // descending: the wide side above
  EXPECT_TRUE(YellowRows(w, 1, 0).empty());
  EXPECT_TRUE(YellowRows(w, 4, 0).empty());
  w.Shot("grid_sort_index");
}

TEST(ExtGridProperties, PasswordCellsShowOnlyThePasswordCharacter) {
  TGridWindow w(4, 4);
  TExtStringGrid& g = *w.Grid;
  g.SetCells(2, 1, "secret");
  g.SetCells(2, 2, "******");
  g.SetCells(2, 3, "<B>bold</B>");
  g.SetRow(4);
  auto inked = [&](int row) { return w.CountInCell(2, row, Dark); };
  const int stars = inked(2), secret = inked(1), html = inked(3);
  ASSERT_NE(stars, secret);
  g.OnIsPasswordCell = [](TComponent*, int row, int col, bool& password) { password = col == 2 && row != 2; };
  EXPECT_EQ(inked(1), stars);
  EXPECT_NE(inked(3), html);  // an HTML text is hidden as well
  g.PasswordChar = '#';
  EXPECT_NE(inked(1), stars);
  // Nor does the cell's hint give the text away.
  g.HintShowCells = true;
  const RECT r = g.CellRect(2, 1);
  w.Send(WM_MOUSEMOVE, 0, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
  EXPECT_EQ(g.HintCell(), 2);
  EXPECT_EQ(g.ShownHint(), "######");
}

TEST(ExtGridProperties, EnhTextSizeEndsCutTextInAnEllipsis) {
  TGridWindow w(4, 3);
  TExtStringGrid& g = *w.Grid;
  g.SetColWidths(1, 60);
  g.SetCells(1, 1, "WWWWWWWWWWWWWWWWWWWW");
  g.SetRow(3);
  const RECT cell = g.CellRect(1, 1);
  // Dark pixels of the cell, and of its right end.
  auto inked = [&](int from) {
    int n = 0;
    g.Invalidate();
    UpdateWindow(g.Handle());
    HDC dc = GetDC(g.Handle());
    for (int y = cell.top; y < cell.bottom - 1; ++y)
      for (int x = from; x < cell.right - 2; ++x) n += Dark(GetPixel(dc, x, y));
    ReleaseDC(g.Handle(), dc);
    return n;
  };
  const int cut = inked(cell.left);
  g.EnhTextSize = true;
  EXPECT_LT(inked(cell.left), cut);  // dots instead of the last letters
  EXPECT_GT(inked(cell.right - 30), 0);
}

TEST(ExtGridProperties, HideFocusRectLeavesTheCurrentCellPlain) {
  TGridWindow w(4, 4);
  TExtStringGrid& g = *w.Grid;
  g.SetCells(2, 2, "");
  g.SetCells(2, 3, "");
  g.SetFocus();
  g.FocusCell(2, 2, true);
  ASSERT_EQ(GetFocus(), g.Handle());
  auto marked = [&](int row) { return w.CountInCell(2, row, [&](COLORREF c) { return c != ColorToRGB(g.Color); }); };
  const int plain = marked(3);
  EXPECT_GT(marked(2), plain);
  g.HideFocusRect = true;
  EXPECT_EQ(marked(2), plain);
}

TEST(ExtGridProperties, CellsMadeFixedByTheEventArePaintedFixed) {
  TGridWindow w(4, 4);
  TExtStringGrid& g = *w.Grid;
  g.SetRow(4);
  const RECT r = g.CellRect(2, 2);
  EXPECT_EQ(w.PixelAt(r.right - 3, r.bottom - 3), ColorToRGB(g.Color));
  g.OnIsFixedCell = [](TComponent*, int row, int col, bool& fixed) { fixed = col == 2 && row == 2; };
  EXPECT_EQ(w.PixelAt(r.right - 3, r.bottom - 3), ColorToRGB(g.FixedColor));
  EXPECT_TRUE(g.IsFixed(2, 2));
  EXPECT_FALSE(g.IsFixed(1, 2));
}

TEST(ExtGridProperties, TransparentBitmapsTakeTheCellColourForTheirCornerColour) {
  // The routine itself: the corner's colour replaced, the rest copied.
  TWindowDC screen(nullptr);
  TDoubleBuffer buffer(screen.DC(), 20, 20);
  RECT all{0, 0, 20, 20};
  TBrushHandle white(CreateSolidBrush(RGB(255, 255, 255)));
  FillRect(buffer.DC(), &all, white.Get());
  TBitmap b = SolidBitmap(6, 5, clRed);
  b.SetPixel(2, 2, clBlue);
  b.SetPixel(0, 4, clBlue);  // the bottom-left pixel is not the transparent one
  TCanvas canvas(buffer.DC());
  DrawTransparentBitmap(canvas, RECT{3, 4, 18, 18}, b, clLime);
  EXPECT_EQ(GetPixel(buffer.DC(), 3, 4), RGB(0, 255, 0));
  EXPECT_EQ(GetPixel(buffer.DC(), 5, 6), RGB(0, 0, 255));
  EXPECT_EQ(GetPixel(buffer.DC(), 3, 8), RGB(0, 0, 255));
  EXPECT_EQ(GetPixel(buffer.DC(), 8, 8), RGB(0, 255, 0));
  EXPECT_EQ(GetPixel(buffer.DC(), 9, 8), RGB(255, 255, 255));  // its own size only
  EXPECT_EQ(GetPixel(buffer.DC(), 3, 9), RGB(255, 255, 255));

  // In a cell: the cell's band colour shows where the corner colour was.
  TGridWindow w(4, 4);
  TExtStringGrid& g = *w.Grid;
  g.Data().EnableGraphics = true;
  g.Bands.Active = true;
  g.Bands.PrimaryColor = 0x00C0FFC0;
  g.SetRow(4);
  TCellGraphic& pic = g.Data().CreateCellGraphic(1, 1);
  pic.Kind = gkBitmap;
  pic.Object1 = new TBitmap(b);
  pic.Owned = pic.Transparent = true;
  EXPECT_EQ(w.CountInCell(1, 1, [](COLORREF c) { return c == RGB(255, 0, 0); }), 0);
  EXPECT_EQ(w.CountInCell(1, 1, [](COLORREF c) { return c == RGB(0, 0, 255); }), 2);
}

TEST(ExtGridProperties, SizeWithFormFollowsTheFormsSizeAndKeepsItsHandler) {
  TForm form(nullptr);
  form.SetBounds(30, 30, 400, 300);
  int earlier = 0;
  bool failing = false;
  form.OnResize = [&](TComponent*) {
    ++earlier;
    if (failing) throw Exception("the form's handler failed");
  };
  auto* grid = new TExtStringGrid(&form);
  grid->SetBounds(10, 10, 200, 150);
  grid->SetParent(&form);
  form.Show();
  // The user (through the window manager) makes the form larger.
  SetWindowPos(form.Handle(), nullptr, 0, 0, 450, 340, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(grid->Width(), 200);  // SizeWithForm off
  EXPECT_EQ(earlier, 1);
  grid->SizeWithForm = true;
  form.SetBounds(30, 30, 470, 330);
  EXPECT_EQ(grid->Width(), 200 + 470 - 400);
  EXPECT_EQ(grid->Height(), 150 + 330 - 300);
  SetWindowPos(form.Handle(), nullptr, 0, 0, 460, 350, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(grid->Width(), 260);
  EXPECT_EQ(grid->Height(), 200);
  EXPECT_EQ(earlier, 3);
  // A size that would leave the grid nothing is not applied.
  form.SetBounds(30, 30, 100, 350);
  EXPECT_EQ(grid->Width(), 260);
  // An exception of the form's own handler does not stop the grid.
  failing = true;
  EXPECT_NO_THROW(form.SetBounds(30, 30, 480, 360));
  EXPECT_EQ(grid->Width(), 280);
  failing = false;
  const int before = earlier;
  delete grid;  // the form gets its own handler back
  form.SetBounds(30, 30, 500, 360);
  EXPECT_EQ(earlier, before + 1);
}

TEST(ExtGridProperties, AutoSizeFixedSizesAndTheFilter) {
  TGridWindow w(4, 6);
  TExtStringGrid& g = *w.Grid;
  g.SetCells(2, 3, "a much longer text than the others");
  const int fixedWidth = g.ColWidths(0);
  g.SetAutoSize(true);
  EXPECT_TRUE(g.AutoSize());
  EXPECT_EQ(g.ColWidths(0), fixedWidth);
  SIZE text{};
  {
    TWindowDC dc(g.Handle());
    TFontHandle f = CreateFontHandle(g.Font);
    TSelectGuard sel(dc.DC(), f.Get());
    GetTextExtentPoint32A(dc.DC(), g.Cells(2, 3).data(), int(g.Cells(2, 3).size()), &text);
  }
  EXPECT_EQ(g.ColWidths(2), text.cx + 2 * 2 + 4 + 10);

  g.SetFixedCols(2);
  g.SetFixedColWidth(33);
  EXPECT_EQ(g.ColWidths(0), 33);
  EXPECT_EQ(g.ColWidths(1), 33);
  EXPECT_EQ(g.FixedColWidth(), 33);
  EXPECT_NE(g.ColWidths(2), 33);
  g.SetFixedRowHeight(30);
  EXPECT_EQ(g.RowHeights(0), 30);
  EXPECT_EQ(g.FixedRowHeight(), 30);
  EXPECT_NE(g.RowHeights(1), 30);

  // The filter hides failing rows; the current row stays on a row that exists.
  g.SetFixedCols(1);
  g.SetCells(1, 2, "keep");
  g.SetCells(1, 5, "keep too");
  g.FocusCell(1, 6, true);
  g.Data().Filter.Add().Column = 1;
  g.Data().Filter.Items[0].Condition = "keep*";
  g.SetFilterActive(true);
  EXPECT_TRUE(g.FilterActive());
  ASSERT_EQ(g.RowCount(), 3);
  EXPECT_EQ(g.Cells(1, 2), "keep too");
  EXPECT_LT(g.Row(), g.RowCount());
  g.SetFilterActive(false);
  EXPECT_EQ(g.RowCount(), 7);
  EXPECT_EQ(g.Cells(1, 5), "keep too");
}

TEST(ExtGridProperties, PrintColoursTakeBandsOnlyWhenTheyPrint) {
  TGridWindow w(4, 6);
  TExtStringGrid& g = *w.Grid;
  g.Bands.Active = true;
  g.Bands.PrimaryColor = clYellow;
  TColor brush = clWhite;
  TFont font;
  g.GetCellPrintColor(1, 1, 0, brush, font);
  EXPECT_EQ(brush, clWhite);
  g.Bands.Print = true;
  g.GetCellPrintColor(1, 1, 0, brush, font);
  EXPECT_EQ(brush, clYellow);
  brush = clWhite;
  g.GetCellPrintColor(1, 0, 0, brush, font);  // header rows keep theirs
  EXPECT_EQ(brush, clWhite);
  g.OnGetCellPrintColor = [](TComponent*, int row, int col, TGridDrawState, TColor& b, TFont& f) {
    if (row == 1 && col == 1) b = clRed, f.Style = fsBold;
  };
  g.GetCellPrintColor(1, 1, 0, brush, font);
  EXPECT_EQ(brush, clRed);
  EXPECT_EQ(font.Style, uint32_t(fsBold));
  TColor pen = clBlack;
  int width = 1, borders = 0;
  g.OnGetCellPrintBorder = [](TComponent*, int, int, TColor& p, int& w, int& b) { p = clBlue, w = 2, b = 1 | 8; };
  g.GetCellPrintBorder(1, 1, pen, width, borders);
  EXPECT_EQ(pen, clBlue);
  EXPECT_EQ(borders, 9);
}

TEST(ExtGridProperties, TheAnchorUnderTheMouseTakesTheHoverColour) {
  TGridWindow w(4, 4);
  TExtStringGrid& g = *w.Grid;
  g.SetColWidths(2, 150);
  g.SetCells(2, 2, "<A HREF=\"http://example.org\">a link here</A>");
  g.SetRow(4);
  auto pump = [] {
    for (int i = 0; i < 20; ++i) {
      for (MSG m; PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE);) DispatchMessageA(&m);
      Sleep(10);
    }
  };
  auto count = [&](COLORREF colour) { return w.CountInCell(2, 2, [colour](COLORREF c) { return c == colour; }); };
  const COLORREF blue = RGB(0, 0, 255), gray = RGB(128, 128, 128);
  EXPECT_GT(count(blue), 10);
  EXPECT_EQ(count(gray), 0);
  const RECT r = g.CellRect(2, 2);
  POINT on{r.left + 8, r.top + 8};
  ClientToScreen(g.Handle(), &on);
  SetCursorPos(on.x, on.y);
  pump();
  EXPECT_GT(count(gray), 10);
  EXPECT_EQ(count(blue), 0);
  SetCursorPos(0, 0);  // off the window: the link takes its own colour again
  pump();
  EXPECT_GT(count(blue), 10);
  EXPECT_EQ(count(gray), 0);
}
