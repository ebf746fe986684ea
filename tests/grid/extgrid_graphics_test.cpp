// The extended grid's painting of the remaining cell graphics (image rows,
// angled text, pictures), the selection outline, footer lines, pressed
// fixed cells, and row heights from content.
#include <gtest/gtest.h>

#include "ExtGridTestForm.h"
#include "ImgList.h"
#include "WinGraphics.h"

TEST(ExtGridGraphics, ImageRowsPicturesAndAngledTextAreDrawn) {
  TGridWindow w(4, 4);
  TExtStringGrid& g = *w.Grid;
  g.Data().EnableGraphics = true;
  g.SetColWidths(1, 80);
  TImageList images(nullptr);
  images.Width = images.Height = 8;
  images.AddMasked(SolidBitmap(8, 8, 0x0000C000), clFuchsia);
  images.AddMasked(SolidBitmap(8, 8, 0x00C00000), clFuchsia);
  g.GridImages = &images;
  TCellGraphic& row = g.Data().CreateCellGraphic(1, 1);
  row.Kind = gkImageRow;
  auto* list = new TIntList;
  for (int i : {0, 1, 0, 7}) list->Add(i);  // 7 is no picture: skipped
  row.Object1 = list;
  row.State = 1;
  EXPECT_EQ(w.CountInCell(1, 1, [](COLORREF c) { return c == RGB(0, 0xC0, 0); }), 2 * 64);
  EXPECT_EQ(w.CountInCell(1, 1, [](COLORREF c) { return c == RGB(0, 0, 0xC0); }), 64);
  // A picture stretched into the cell, two pixels smaller.
  TCellGraphic& pic = g.Data().CreateCellGraphic(2, 2);
  pic.Kind = gkPicture;
  pic.Owned = true;
  pic.Object1 = new TBitmap(SolidBitmap(4, 4, 0x000000C0));
  pic.Value2 = 1;  // stretch
  const RECT cell = g.CellRect(2, 2);
  const int area = (cell.right - cell.left - 2) * (cell.bottom - cell.top - 2);
  EXPECT_EQ(w.CountInCell(2, 2, [](COLORREF c) { return c == RGB(0xC0, 0, 0); }), area);
  // Angled text: drawn, and turned text is taller than wide.
  g.SetRowHeights(3, 70);
  g.SetCells(3, 3, "Turned");
  g.Data().CreateCellGraphic(3, 3).Kind = gkAngledText;
  g.Data().CellGraphic(3, 3)->Value2 = 90;
  g.SetRow(1);
  w.Grid->Invalidate();
  UpdateWindow(g.Handle());
  RECT r = g.CellRect(3, 3);
  HDC dc = GetDC(g.Handle());
  int top = r.bottom, bottom = r.top, left = r.right, right = r.left;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x)
      if (GetPixel(dc, x, y) == RGB(0, 0, 0))
        top = std::min<int>(top, y), bottom = std::max<int>(bottom, y), left = std::min<int>(left, x), right = std::max<int>(right, x);
  ReleaseDC(g.Handle(), dc);
  ASSERT_LT(top, bottom);
  EXPECT_GT(bottom - top, 2 * (right - left));
  w.Shot("grid_graphics");
  g.GridImages = nullptr;
}

TEST(ExtGridGraphics, SelectionOutlineFooterLinesAndPressedHeaders) {
  TGridWindow w(4, 6);
  TExtStringGrid& g = *w.Grid;
  g.SelectionColor = clWhite;
  g.SelectionTextColor = clBlack;
  g.SetSelection(TGridRect{1, 2, 2, 3});
  RECT a = g.CellRect(1, 2);
  EXPECT_NE(w.PixelAt((a.left + a.right) / 2, a.top + 1), RGB(0, 0, 0));
  g.SelectionRectangle = true;
  EXPECT_EQ(w.PixelAt((a.left + a.right) / 2, a.top + 1), RGB(0, 0, 0));
  EXPECT_EQ(w.PixelAt(a.left + 1, (a.top + a.bottom) / 2), RGB(0, 0, 0));
  EXPECT_NE(w.PixelAt(a.right - 1, (a.top + a.bottom) / 2), RGB(0, 0, 0));  // inside the outline
  // A footer row gets black fixed lines where normal rows have silver ones.
  g.Data().FixedFooters = 1;
  RECT f = g.CellRect(2, 6);
  EXPECT_EQ(w.PixelAt((f.left + f.right) / 2, f.bottom), RGB(0, 0, 0));
  RECT n = g.CellRect(2, 4);
  EXPECT_NE(w.PixelAt((n.left + n.right) / 2, n.bottom), RGB(0, 0, 0));
  // A fixed cell pressed as a button is drawn sunken until the release.
  g.FixedAsButtons = true;
  RECT h = g.CellRect(2, 0);
  const COLORREF raised = w.PixelAt(h.left, h.top);
  w.Send(WM_LBUTTONDOWN, MK_LBUTTON, (h.left + h.right) / 2, (h.top + h.bottom) / 2);
  EXPECT_NE(w.PixelAt(h.left, h.top), raised);
  w.Send(WM_LBUTTONUP, 0, (h.left + h.right) / 2, (h.top + h.bottom) / 2);
  EXPECT_EQ(w.PixelAt(h.left, h.top), raised);
}

TEST(ExtGridGraphics, RowsSizeToTheirContent) {
  TGridWindow w(3, 4);
  TExtStringGrid& g = *w.Grid;
  g.Data().EnableGraphics = true;
  g.AutoSizeRow(1);  // one short line: the default height stays
  EXPECT_EQ(g.RowHeights(1), g.DefaultRowHeight);
  g.SetCells(1, 2, "one\r\ntwo\r\nthree\r\nfour");
  g.AutoSizeRow(2);
  const int fourLines = g.RowHeights(2);
  EXPECT_GT(fourLines, 3 * g.DefaultRowHeight / 2);
  // A picture above the text adds its height.
  TCellGraphic& b = g.Data().CreateCellGraphic(1, 2);
  b.Kind = gkBitmap;
  b.Owned = true;
  b.Object1 = new TBitmap(SolidBitmap(10, 30, clRed));
  g.AutoSizeRow(2);
  EXPECT_EQ(g.RowHeights(2), fourLines + 30);
  g.SizeRowToLines(3, 2, 4);
  TWindowDC dc(g.Handle());
  TFontHandle font = CreateFontHandle(g.Font);
  TSelectGuard sel(dc.DC(), font.Get());
  SIZE s{};
  GetTextExtentPoint32A(dc.DC(), "gh", 2, &s);
  EXPECT_EQ(g.RowHeights(3), 4 + 2 * (s.cy + s.cy / 4));
  g.AutoSizeRow(99);  // outside: nothing
}

TEST(ExtGridGraphics, CellBordersFromTheEvent) {
  TGridWindow w(4, 4);
  TExtStringGrid& g = *w.Grid;
  g.SetRow(3);
  g.OnGetCellBorder = [](TComponent*, int row, int col, TColor& pen, int& width, int& borders) {
    if (row == 1 && col == 2) pen = clRed, width = 1, borders = 1 | 8;
  };
  RECT r = g.CellRect(2, 1);
  const int mid = (r.left + r.right) / 2;
  EXPECT_EQ(w.PixelAt(mid, r.top), RGB(0xFF, 0, 0));
  EXPECT_EQ(w.PixelAt(mid, r.bottom - 1), RGB(0xFF, 0, 0));
  EXPECT_NE(w.PixelAt(r.left, (r.top + r.bottom) / 2), RGB(0xFF, 0, 0));
  RECT other = g.CellRect(1, 1);
  EXPECT_NE(w.PixelAt((other.left + other.right) / 2, other.top), RGB(0xFF, 0, 0));
}

TEST(ExtGridGraphics, StretchedLastColumnFillsTheWidth) {
  TGridWindow w(3, 3, 400, 200);
  TExtStringGrid& g = *w.Grid;
  g.ColumnSize.SetStretch(true);
  auto filled = [&] { return g.ColWidths(0) + g.ColWidths(1) + 2 * g.GridLineWidth + g.ColWidths(2) + 1; };
  EXPECT_EQ(filled(), g.ClientWidth());
  g.SetBounds(10, 10, 450, 200);
  EXPECT_EQ(filled(), g.ClientWidth());
  // Columns wider than the window leave the last one as it is.
  const int last = g.ColWidths(2);
  g.SetColWidths(0, 500);
  g.StretchRightColumn();
  EXPECT_EQ(g.ColWidths(2), last);
}

TEST(ExtGridGraphics, ColumnWidthsAreKeptInTheStore) {
  char folder[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  const std::string file = std::string(folder) + "grid_widths_test.ini";
  DeleteFileA(file.c_str());
  for (int location : {int(clIniFile), int(clRegistry)}) {
    const std::string key = location == clIniFile ? file : "Software\\BxGridWidthsTest";
    {
      TGridWindow w(3, 2);
      w.Grid->ColumnSize.Save = true;
      w.Grid->ColumnSize.Key = key;
      w.Grid->ColumnSize.Section = "Grid";
      w.Grid->ColumnSize.Location = location;
      w.Grid->SetColWidths(1, 77);
      w.Grid->SetColWidths(2, 33);
    }  // the destructor saves
    TForm form(nullptr);
    auto* g = new TExtStringGrid(&form);
    g->SetColCount(4);
    g->ColumnSize.Save = true;
    g->ColumnSize.Key = key;
    g->ColumnSize.Section = "Grid";
    g->ColumnSize.Location = location;
    g->SetParent(&form);
    g->Handle();  // the window's creation loads them
    EXPECT_EQ(g->ColWidths(1), 77) << location;
    EXPECT_EQ(g->ColWidths(2), 33);
    EXPECT_EQ(g->ColWidths(3), 64);  // no key: as it was
    g->ColumnSize.Save = false;
  }
  DeleteFileA(file.c_str());
  RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\BxGridWidthsTest");
}
