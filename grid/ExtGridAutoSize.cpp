// TExtStringGrid: row heights from the cells' content (text, HTML and the
// room that a graphic takes in the layout) and from a number of lines.
#include <algorithm>

#include "ExtGrid.h"
#include "ExtGridHTMLPaint.h"
#include "ImgList.h"
#include "WinGraphics.h"

namespace {
constexpr int kRadioSlot = 12;      // a radio button and its gap beside the caption
constexpr int kCheckBoxLayout = 15;

SIZE TextSize(HDC dc, const std::string& s) {
  SIZE size{};
  GetTextExtentPoint32A(dc, s.data(), int(s.size()), &size);
  return size;
}
}  // namespace

// The room a cell's graphic takes beside or above its text (dc holds the font).
SIZE TExtStringGrid::GraphicLayoutSize(HDC dc, int col, int row, const TCellGraphic& g) {
  const RECT cell = CellRect(col, row);
  const bool beside = g.HAlign == 3 || g.HAlign == 4 || Cells(col, row).empty();
  switch (g.Kind) {
    case gkBitmap:
      if (const auto* b = dynamic_cast<const TBitmap*>(g.Object1)) return SIZE{beside ? b->Width() : 0, b->Height()};
      return SIZE{};
    case gkIcon: {
      const SIZE s = MoreGraphicSize(g, GridImages);
      return SIZE{beside ? s.cx : 0, s.cy};
    }
    case gkImageListPicture:
      return GridImages ? SIZE{beside ? GridImages->Width : 0, GridImages->Height} : SIZE{};
    case gkCheckBox:
    case gkTextCheckBox:
      return SIZE{kCheckBoxLayout, kCheckBoxLayout};
    case gkRadioGroup: {
      const auto* captions = dynamic_cast<const TStringList*>(g.Object1);
      if (!captions) return SIZE{};
      const int lineHeight = TextSize(dc, "gh").cy;
      int widest = 0, sum = 0;
      for (int i = 0; i < captions->Count(); ++i) {
        const int w = TextSize(dc, (*captions)[i]).cx;
        widest = std::max(widest, w);
        sum += w + kRadioSlot;
      }
      if (g.State) return SIZE{sum, lineHeight};
      return SIZE{std::max(widest + kRadioSlot, kRadioSlot), captions->Count() * lineHeight};
    }
    case gkImageRow:
    case gkPicture:
    case gkFilePicture:
    case gkButton:
      return PaintedGraphicSize(g, cell);
    default:
      return SIZE{};
  }
}

void TExtStringGrid::AutoSizeRow(int row) {
  if (row < 0 || row >= RowCount()) return;
  TWindowDC dc(Handle());
  int height = DefaultRowHeight;
  for (int col = 0; col < ColCount(); ++col) {
    TFont font;
    font.Assign(col < FixedCols() || row < FixedRows() ? FixedFont : Font);
    TColor brush = Color;
    GetCellColor(col, row, 0, brush, font);
    if (FZoom != 0) font.SetSize(std::max(font.Size() + FZoom, 1));
    TFontHandle handle = CreateFontHandle(font);
    TSelectGuard sel(dc.DC(), handle.Get());
    const std::string& text = Cells(col, row);
    int h = 0;
    if (CellKind(col, row) == ctHTML) {
      THTMLDrawContext c;
      c.DC = dc.DC();
      c.Rect = RECT{0, 0, std::max(ColWidths(col) - 4, 1), 32767};
      c.Font = font;
      c.WordWrap = true;
      c.Images = GridImages;
      c.Measure = true;
      h = LayoutHTMLText(c, text).Height;
    } else if (!text.empty()) {
      RECT r{0, 0, std::max(ColWidths(col) - 4, 1), 0};
      h = DrawTextA(dc.DC(), text.data(), int(text.size()), &r, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    }
    if (const TCellGraphic* g = FData.CellGraphic(FData.DisplayColToReal(col), row))
      h += GraphicLayoutSize(dc.DC(), col, row, *g).cy;
    if (h + 2 > height) height = h + 4;
  }
  SetRowHeights(row, height);
}

void TExtStringGrid::SizeRowToLines(int row, int lines, int extra) {
  if (row < 0 || row >= RowCount()) return;
  TWindowDC dc(Handle());
  TFontHandle font = CreateFontHandle(Font);
  TSelectGuard sel(dc.DC(), font.Get());
  const int h = TextSize(dc.DC(), "gh").cy;
  SetRowHeights(row, extra + lines * (h + h / 4));
}
