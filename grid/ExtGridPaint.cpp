// TExtStringGrid's cell painting: colours, the background picture, plain and
// mini-HTML text, cell graphics and the sort glyph. Painting never raises for
// a cell's content: a missing picture or an odd value paints what it can.
#include <algorithm>

#include "ExtGrid.h"
#include "ExtGridHTMLPaint.h"
#include "ExtGridUtilWin.h"
#include "WinGraphics.h"

namespace {
constexpr int kTextOffset = 2;      // text starts this far right and down of the cell's corner
constexpr int kSortGlyphRoom = 14;  // pixels kept free for the sort glyph beside the text
constexpr TColor kGray = 0x808080;
constexpr TColor kIndexGlyphColor = 0x00FFFF;  // the numbered triangles of a multi-column sort

int VAlignFlag(int v) { return v == vtaCenter ? DT_VCENTER : v == vtaBottom ? DT_BOTTOM : DT_TOP; }

const TBitmap* BitmapOf(const TCellGraphic& g) { return dynamic_cast<const TBitmap*>(g.Object1); }

// The graphic's size as the text layout leaves room for it.
SIZE GraphicSize(const TCellGraphic& g, const TImageList* images, const RECT& cell) {
  switch (g.Kind) {
    case gkBitmap:
      if (const TBitmap* b = BitmapOf(g)) return SIZE{b->Width(), b->Height()};
      return SIZE{};
    case gkImageListPicture:
    case gkValueImage:
      return images ? SIZE{images->Width, images->Height} : SIZE{};
    case gkCheckBox:
    case gkTextCheckBox:
      return SIZE{16, 0};
    case gkPicture:
    case gkFilePicture:
      if (auto fit = g.FittedSize(cell.right - cell.left, cell.bottom - cell.top)) return SIZE{fit->Width, fit->Height};
      return SIZE{};
    case gkButton:
      return SIZE{g.Value & 0xFFFF, (g.Value >> 16) & 0xFFFF};
    case gkIcon:
    case gkImageRow:
      return TExtStringGrid::MoreGraphicSize(g, images);
    default:
      return SIZE{};
  }
}

// Kinds whose graphic replaces the text.
bool GraphicHidesText(int kind) {
  return kind == gkTextCheckBox || kind == gkAngledText || kind == gkValueImage || kind == gkRadioGroup ||
         kind == gkProgress;
}
}  // namespace

SIZE TExtStringGrid::PaintedGraphicSize(const TCellGraphic& g, const RECT& cell) const { return GraphicSize(g, GridImages, cell); }

void TExtStringGrid::DrawCell(TCanvas& canvas, int col, int row, RECT rect, TGridDrawState state) {
  const int real = FData.DisplayColToReal(col);
  const bool fixedHeader = col < FixedCols() || row < FixedRows();
  canvas.Font.Assign(fixedHeader ? FixedFont : Font);
  const TCellGraphic* graphic = FData.CellGraphic(real, row);
  if (IsFixed(col, row)) state = gdFixed;
  const bool fixed = state & gdFixed;
  canvas.BrushColor = fixed ? FixedColor : Color;
  GetCellColor(col, row, state, canvas.BrushColor, canvas.Font);
  if ((state & gdSelected) && !(state & gdFocused) && SelectionColor == clNone) canvas.BrushColor = clHighlight;
  if (FZoom != 0) canvas.Font.SetSize(std::max(canvas.Font.Size() + FZoom, 1));
  DrawCellBefore(canvas, col, row, rect, state);
  DrawCellText(canvas, col, row, rect, state, graphic);
  if (fixed && !Flat) DrawEdge(canvas.Handle(), &rect, BDR_RAISEDINNER, BF_RECT);
  DrawCellAfter(canvas, col, row, rect);
  if (graphic) DrawCellGraphic(canvas.Handle(), col, row, rect, *graphic, canvas.BrushColor);
  // Drawn once more here, the base grid's focus rectangle cancels out.
  if (HideFocusRect && (state & gdFocused) && !(Options & goRowSelect) && Focused()) DrawFocusRect(canvas.Handle(), &rect);
}

void TExtStringGrid::DrawBackground(HDC dc, int col, int row, const RECT& rect) {
  const TBitmap& b = BackGround.Bitmap;
  if (BackGround.Display == bdFixed) {
    RECT pic{BackGround.Left, BackGround.Top, BackGround.Left + b.Width(), BackGround.Top + b.Height()};
    int saved = SaveDC(dc);
    IntersectClipRect(dc, rect.left, rect.top, rect.right, rect.bottom);
    DrawBitmap(dc, b, pic, false);
    RestoreDC(dc, saved);
    return;
  }
  // Tiles are anchored at the first cell of the painted kind: the offset is
  // the running sum of the column widths and row heights before this cell.
  const int firstCol = BackGround.Cells == bcFixed ? 0 : FixedCols();
  const int firstRow = BackGround.Cells == bcFixed ? 0 : FixedRows();
  long long dx = 0, dy = 0;
  for (int c = firstCol; c < col; ++c) dx += ColWidths(c);
  for (int r = firstRow; r < row; ++r) dy += RowHeights(r);
  const int ox = int(dx % b.Width()), oy = int(dy % b.Height());
  int saved = SaveDC(dc);
  IntersectClipRect(dc, rect.left, rect.top, rect.right, rect.bottom);
  for (int y = rect.top - oy; y < rect.bottom; y += b.Height())
    for (int x = rect.left - ox; x < rect.right; x += b.Width())
      DrawBitmap(dc, b, RECT{x, y, x + b.Width(), y + b.Height()}, false);
  RestoreDC(dc, saved);
}

// Of the columns in the sort index, only the first shows its glyph unless
// SortIndexShow numbers them all.
bool TExtStringGrid::ShowsSortGlyph(int col, int row) const {
  if (!SortShow || row != 0 || RowCount() <= 2 || FixedRows() <= 0 || (col < FixedCols() && !SortFixedCols)) return false;
  const int real = FData.DisplayColToReal(col), entry = FData.SortIndexList.IndexOf(real);
  if (real != FData.SortColumn && entry < 0) return false;
  return entry <= 0 || SortIndexShow;
}

void TExtStringGrid::DrawCellText(TCanvas& canvas, int col, int row, RECT rect, TGridDrawState state,
                                  const TCellGraphic* graphic) {
  HDC dc = canvas.Handle();
  const bool fixed = state & gdFixed;
  TColor linkColor = URLColor;
  const bool selected = (state & gdSelected) && (!(state & gdFocused) || (Options & goDrawFocusSelected));
  if (selected) {
    if (SelectionColor != clNone) canvas.BrushColor = SelectionColor;
    if (SelectionTextColor != clNone) canvas.Font.Color = linkColor = SelectionTextColor;
    if (!Focused() && !ShowSelection) {
      canvas.BrushColor = Color;
      canvas.Font.Assign(Font);
      GetCellColor(col, row, 0, canvas.BrushColor, canvas.Font);
      linkColor = URLColor;
    }
  }
  // The background: the picture under the cells of its kind, else the brush.
  const bool pictureHere = !BackGround.Bitmap.Empty() && (BackGround.Cells == bcFixed) == fixed;
  if (pictureHere && !(selected && ShowSelection)) DrawBackground(dc, col, row, rect);
  else canvas.FillRect(rect);

  std::string text = Cells(col, row);
  int kind = CellKind(col, row);
  if (IsPasswordCell(col, row)) {
    text = FillChars(text, PasswordChar);
    kind = ctPlain;
  }
  if (kind == ctRichText) return DrawRichText(canvas, col, row, rect, state);
  const bool glyph = ShowsSortGlyph(col, row);
  if (kind == ctHTML) {
    THTMLDrawContext c;
    c.DC = dc;
    c.Rect = RECT{rect.left + kTextOffset, rect.top + kTextOffset, rect.right - (glyph ? 10 : 0), rect.bottom};
    c.Font = canvas.Font;
    c.URLColor = linkColor;
    c.BlinkColor = canvas.BrushColor;
    c.BlinkOn = FBlinkOn;
    c.WordWrap = WordWrap;
    c.Images = GridImages;
    if (col == FAnchorCol && row == FAnchorRow && !FAnchorHover.empty()) c.Mouse = FAnchorPoint;
    PaintHTMLText(c, text);
    if (glyph) {
      int y = VAlignment == vtaCenter ? rect.top + (rect.bottom - rect.top) / 2
              : VAlignment == vtaTop  ? rect.top + 8
                                      : rect.bottom - 8;
      DrawSortGlyph(dc, c.Rect.right + 2, y, FData.DisplayColToReal(col));
    }
    return;
  }
  if (graphic && GraphicHidesText(graphic->Kind)) return;

  const int alignment = GetCellAlignment(col, row);
  RECT tr{rect.left + kTextOffset, rect.top, rect.right - kTextOffset, rect.bottom};
  if (graphic) {
    SIZE g = GraphicSize(*graphic, GridImages, rect);
    if (alignment == 0 && graphic->HAlign == 3) tr.left += g.cx;
    if (alignment == 0 && graphic->HAlign == 4) tr.right -= g.cx;
    if (alignment == 1 && graphic->HAlign == 4) tr.right -= g.cx;
    if (alignment == 1 && graphic->HAlign == 3) tr.left += g.cx;
    if (graphic->VAlign == 4) tr.top += g.cy;
    if (graphic->VAlign == 3) tr.bottom -= g.cy;
  }
  tr.top += kTextOffset;
  if (glyph) (alignment == 0 ? tr.right : tr.left) += alignment == 0 ? -kSortGlyphRoom : kSortGlyphRoom;
  if (URLShow && IsURL(text) && !IsPlainTextCell(col, row)) {
    if (!URLFull) StripURLScheme(text);
    canvas.Font.Style |= fsUnderline;
    canvas.Font.Color = linkColor;
  }
  UINT flags = DT_NOPREFIX | DT_EXPANDTABS | VAlignFlag(VAlignment);
  flags |= alignment == 1 ? DT_RIGHT : alignment == 2 ? DT_CENTER : DT_LEFT;
  const bool oneLine = LineCount(text, true) <= 1;
  if (WordWrap) flags |= DT_WORDBREAK | DT_EDITCONTROL;
  else if (oneLine || !Multilinecells) flags |= DT_SINGLELINE;
  if ((flags & DT_SINGLELINE) && oneLine && EnhTextSize) flags |= DT_END_ELLIPSIS;
  TFontHandle font = CreateFontHandle(canvas.Font);
  TSelectGuard sel(dc, font.Get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorToRGB(canvas.Font.Color));
  DrawTextA(dc, text.data(), int(text.size()), &tr, flags);
  if (glyph) {
    SIZE size{};
    GetTextExtentPoint32A(dc, text.data(), int(text.size()), &size);
    const int m = std::min<int>(size.cx, tr.right - tr.left);
    const int x = alignment == 0 ? rect.left + m + 10 : alignment == 1 ? rect.right - m - 10 : rect.left + 8;
    const int y = VAlignment == vtaCenter ? (rect.top + rect.bottom) / 2 : VAlignment == vtaTop ? rect.top + 8 : rect.bottom - 8;
    DrawSortGlyph(dc, x, y, FData.DisplayColToReal(col));
  }
}

void TExtStringGrid::DrawSortGlyph(HDC dc, int x, int y, int realCol) {
  const int entry = FData.SortIndexList.IndexOf(realCol);
  if (SortIndexShow && entry >= 0) return DrawSortIndexGlyph(dc, x, y, entry);
  const bool descending = FData.SortDirection == sdDescending;
  if (!SortUpGlyph.Empty() && !SortDownGlyph.Empty()) {
    const TBitmap& b = descending ? SortDownGlyph : SortUpGlyph;
    DrawBitmap(dc, b, RECT{x - 4, y - 4, x - 4 + b.Width(), y - 4 + b.Height()}, true);
    return;
  }
  TPenHandle white(CreatePen(PS_SOLID, 1, ColorToRGB(clWhite))), gray(CreatePen(PS_SOLID, 1, ColorToRGB(kGray)));
  TSelectGuard sel(dc, white.Get());
  if (descending) {
    MoveToEx(dc, x + 4, y - 4, nullptr);
    LineTo(dc, x, y + 4);
    SelectObject(dc, gray.Get());
    LineTo(dc, x - 4, y - 4);
    LineTo(dc, x + 4, y - 4);
  } else {
    MoveToEx(dc, x - 4, y + 4, nullptr);
    LineTo(dc, x + 4, y + 4);
    LineTo(dc, x, y - 4);
    SelectObject(dc, gray.Get());
    LineTo(dc, x - 4, y + 4);
  }
}

// A yellow triangle pointing the entry's way with the entry's number on it.
void TExtStringGrid::DrawSortIndexGlyph(HDC dc, int x, int y, int entry) {
  const bool ascending = FData.SortIndexList.SortDirections(entry);
  POINT p[3];
  if (ascending) p[0] = {x - 6, y + 8}, p[1] = {x + 6, y + 8}, p[2] = {x, y - 4};
  else p[0] = {x - 7, y - 5}, p[1] = {x + 7, y - 5}, p[2] = {x, y + 8};
  TBrushHandle yellow(CreateSolidBrush(ColorToRGB(kIndexGlyphColor)));
  TSelectGuard brush(dc, yellow.Get());
  TSelectGuard pen(dc, GetStockObject(BLACK_PEN));
  Polygon(dc, p, 3);
  TFont small;
  small.Assign(Font);
  small.SetSize(5);
  TFontHandle font = CreateFontHandle(small);
  TSelectGuard sel(dc, font.Get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 0, 0));
  const std::string number = IntToStr(entry + 1);
  TextOutA(dc, x - 2, y - 4, number.data(), int(number.size()));
}

void TExtStringGrid::DrawCellGraphic(HDC dc, int col, int row, const RECT& rect, const TCellGraphic& g, TColor brush) {
  const SIZE s = GraphicSize(g, GridImages, rect);
  const int alignment = GetCellAlignment(col, row);
  int x = rect.left + 1, y = rect.top + 1;
  switch (g.HAlign) {
    case 1: x = rect.right - 1 - s.cx; break;
    case 2: if (s.cx < rect.right - rect.left) x = rect.left + (rect.right - rect.left - s.cx) / 2; break;
    case 3: x = alignment == 0 ? rect.left + 1 : std::max<int>(rect.right - s.cx, rect.left + 1); break;
    case 4: x = alignment == 1 ? rect.right - 1 - s.cx : rect.left; break;
  }
  switch (g.VAlign) {
    case 1: y = rect.bottom - 1 - s.cy; break;
    case 2: if (s.cy < rect.bottom - rect.top) y = rect.top + (rect.bottom - rect.top - s.cy) / 2; break;
  }
  TCanvas canvas(dc);
  switch (g.Kind) {
    case gkBitmap:
      if (const TBitmap* b = BitmapOf(g)) {
        // The corner pixel's colour becomes the cell's own background.
        if (!g.Transparent) {
          DrawBitmap(dc, *b, RECT{x, y, x + s.cx, y + s.cy}, false);
        } else {
          const bool rowSelected = FData.RowSelect(row) && (Options & goRowSelect) && col >= FixedCols();
          DrawTransparentBitmap(canvas, RECT{x, y, x + s.cx, y + s.cy}, *b, rowSelected ? SelectionColor : brush);
        }
      }
      break;
    case gkImageListPicture:
      if (GridImages && g.Value >= 0 && g.Value < GridImages->Count()) GridImages->Draw(canvas, x, y, g.Value);
      break;
    case gkValueImage: {
      int value = 0;
      if (GridImages && TryStrToInt(Cells(col, row), value) && value + g.Value >= 0 && value + g.Value < GridImages->Count())
        GridImages->Draw(canvas, x, y, value + g.Value);
      break;
    }
    case gkCheckBox:
    case gkTextCheckBox: {
      RECT box{x, rect.top + (rect.bottom - rect.top - 15) / 2, x + 15, 0};
      box.bottom = box.top + 15;
      const bool checked = FData.CheckBoxState(FData.DisplayColToReal(col), row);
      DrawFrameControl(dc, &box, DFC_BUTTON, DFCS_BUTTONCHECK | (checked ? DFCS_CHECKED : 0));
      break;
    }
    case gkProgress: {
      // The value is clamped to 0..100: an out-of-range cell paints a full or an empty bar.
      int value = 0;
      TryStrToInt(Cells(col, row), value);
      value = std::clamp(value, 0, 100);
      RECT bar = rect;
      InflateRect(&bar, -2, -2);
      const int split = bar.left + (bar.right - bar.left) * value / 100;
      const TColor done = g.Color == clNone ? TColor(clHighlight) : g.Color;
      RECT left{bar.left, bar.top, split, bar.bottom}, right{split, bar.top, bar.right, bar.bottom};
      TBrushHandle b1(CreateSolidBrush(ColorToRGB(done))), b2(CreateSolidBrush(ColorToRGB(clWindow)));
      FillRect(dc, &left, b1.Get());
      FillRect(dc, &right, b2.Get());
      const std::string text = IntToStr(value) + "%";
      SetBkMode(dc, TRANSPARENT);
      SetTextColor(dc, ColorToRGB(done) ^ 0xFFFFFF);
      DrawTextA(dc, text.data(), int(text.size()), &bar, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
      TBrushHandle frame(CreateSolidBrush(ColorToRGB(brush)));
      FrameRect(dc, &bar, frame.Get());
      break;
    }
    case gkComment: {
      TBrushHandle red(CreateSolidBrush(ColorToRGB(clRed)));
      TSelectGuard sel(dc, red.Get());
      POINT p[3] = {{rect.right - 7, rect.top + 1}, {rect.right - 2, rect.top + 1}, {rect.right - 2, rect.top + 6}};
      Polygon(dc, p, 3);
      break;
    }
    default:
      DrawMoreGraphic(dc, col, row, rect, g, x, y, s);
      break;
  }
}

int TExtStringGrid::CellTextWidth(HDC dc, int col, int row) {
  TFont font;
  font.Assign(col < FixedCols() || row < FixedRows() ? FixedFont : Font);
  TColor brush = Color;
  GetCellColor(col, row, 0, brush, font);
  if (FZoom != 0) font.SetSize(std::max(font.Size() + FZoom, 1));
  const std::string& text = Cells(col, row);
  int width = 0;
  const int kind = CellKind(col, row);
  if (kind == ctRichText) {
    width = RichTextSize(text).cx + 2 * kTextOffset;
  } else if (kind == ctHTML) {
    THTMLDrawContext c;
    c.DC = dc;
    c.Rect = RECT{0, 0, 32767, 32767};
    c.Font = font;
    c.Images = GridImages;
    c.Measure = true;
    width = LayoutHTMLText(c, text).Width + kTextOffset;
  } else {
    TFontHandle handle = CreateFontHandle(font);
    TSelectGuard sel(dc, handle.Get());
    std::string rest = text;
    while (true) {
      const bool more = rest.find('\r') != std::string::npos;
      std::string line = SplitFirstLine(rest, true);
      SIZE size{};
      GetTextExtentPoint32A(dc, line.data(), int(line.size()), &size);
      width = std::max<int>(width, size.cx + 2 * kTextOffset);
      if (!more) break;
    }
  }
  if (const TCellGraphic* g = FData.CellGraphic(FData.DisplayColToReal(col), row))
    width += GraphicSize(*g, GridImages, CellRect(col, row)).cx;
  return width;
}

void TExtStringGrid::AutoSizeColumn(int col) {
  if (col < 0 || col >= ColCount()) return;
  TWindowDC dc(Handle());
  int widest = 0;
  for (int r = 0; r < RowCount(); ++r) widest = std::max(widest, CellTextWidth(dc.DC(), col, r));
  SetColWidths(col, widest + 4);
}
