// TExtStringGrid's painting of nodes, radio groups and button cells, the row
// indicator, fixed cells pressed like buttons and disjunct selected rows.
#include <algorithm>
#include <cmath>

#include "ExtGrid.h"
#include "ImgList.h"
#include "WinGraphics.h"

namespace {
constexpr int kNodeBox = 8;      // the flat and 3-D node box
constexpr int kRadioSize = 10;   // a radio button's frame
constexpr int kRadioGap = 12;    // a radio button and its gap before the caption
}  // namespace

void TExtStringGrid::DrawCellBefore(TCanvas& canvas, int col, int row, RECT& rect, TGridDrawState& state) {
  if (!(state & gdFixed) && (Options & goRowSelect) && MouseActions.DisjunctRowSelect && FData.RowSelect(row))
    state |= gdSelected;
  if (col == 0 && row == Row() && FixedCols() > 0 && !RowIndicator.Empty()) {
    canvas.BrushColor = FixedColor;
    canvas.FillRect(rect);
    const int w = RowIndicator.Width(), h = RowIndicator.Height(), y = rect.top + (rect.bottom - rect.top - h) / 2;
    DrawBitmap(canvas.Handle(), RowIndicator, RECT{rect.left, y, rect.left + w, y + h}, true);
    rect.left += w;
  }
}

void TExtStringGrid::DrawCellAfter(TCanvas& canvas, int col, int row, const RECT& rect) {
  if (col == FPressedCol && row == FPressedRow) {
    RECT r = rect;
    DrawEdge(canvas.Handle(), &r, BDR_SUNKENINNER, BF_RECT);
  }
  // Borders asked for by the cell, each side inset by half the pen's width.
  TColor penColor = clBlack;
  int penWidth = 1, borders = 0;
  GetCellBorder(col, row, penColor, penWidth, borders);
  if (borders != 0 && penWidth > 0) {
    HDC dc = canvas.Handle();
    TPenHandle pen(CreatePen(PS_SOLID, penWidth, ColorToRGB(penColor)));
    TSelectGuard selPen(dc, pen.Get());
    const int half = penWidth / 2;
    auto line = [dc](int x1, int y1, int x2, int y2) {
      MoveToEx(dc, x1, y1, nullptr);
      LineTo(dc, x2, y2);
    };
    if (borders & 1) line(rect.left, rect.top + half, rect.right, rect.top + half);
    if (borders & 2) line(rect.left + half, rect.top, rect.left + half, rect.bottom);
    if (borders & 4) line(rect.right - 1 - half, rect.top, rect.right - 1 - half, rect.bottom);
    if (borders & 8) line(rect.left, rect.bottom - 1 - half, rect.right, rect.bottom - 1 - half);
  }
  // The selection's outline, one pixel inside its border cells.
  if (SelectionRectangle && !IsFixedCell(col, row) && !IsFixed(col, row)) {
    const TGridRect sel = Selection();
    if (col >= sel.Left && col <= sel.Right && row >= sel.Top && row <= sel.Bottom) {
      TPenHandle pen(CreatePen(PS_SOLID, 2, RGB(0, 0, 0)));
      TSelectGuard selPen(canvas.Handle(), pen.Get());
      HDC dc = canvas.Handle();
      auto line = [dc](int x1, int y1, int x2, int y2) {
        MoveToEx(dc, x1, y1, nullptr);
        LineTo(dc, x2, y2);
      };
      if (row == sel.Top) line(rect.left, rect.top + 1, rect.right, rect.top + 1);
      if (row == sel.Bottom) line(rect.left, rect.bottom - 1, rect.right, rect.bottom - 1);
      if (col == sel.Left) line(rect.left + 1, rect.top, rect.left + 1, rect.bottom);
      if (col == sel.Right) line(rect.right - 1, rect.top, rect.right - 1, rect.bottom);
    }
  }
  // Column 0 of the node rows' grid is the tree's margin: no text shows there.
  if (col == 0 && row >= FixedRows() && FData.EnableGraphics && FData.NodeCount() > 0) {
    const TColor fill = FixedCols() > 0 ? FixedColor : Color;
    TBrushHandle brush(CreateSolidBrush(ColorToRGB(fill)));
    RECT r{rect.left, rect.top - (row == TopRow() ? 0 : 1), rect.right, rect.bottom};
    FillRect(canvas.Handle(), &r, brush.Get());
  }
}

void TExtStringGrid::DrawMoreGraphic(HDC dc, int col, int row, const RECT& rect, const TCellGraphic& g, int x, int y, SIZE s) {
  switch (g.Kind) {
    case gkNode: {
      const bool collapsed = g.State != 0;
      TBrushHandle brush(CreateSolidBrush(ColorToRGB(CellNode.Color)));
      if (CellNode.NodeType() == cn3D) {
        RECT r = rect;
        FillRect(dc, &r, brush.Get());
        DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
      }
      if (CellNode.NodeType() == cnGlyph && !CellNode.ExpandGlyph.Empty() && !CellNode.ContractGlyph.Empty()) {
        const TBitmap& b = collapsed ? CellNode.ContractGlyph : CellNode.ExpandGlyph;
        const int top = rect.top + (rect.bottom - rect.top - b.Height()) / 2;
        DrawBitmap(dc, b, RECT{rect.left + 2, top, rect.left + 2 + b.Width(), top + b.Height()}, true);
        break;
      }
      const int bx = rect.left + 2, by = rect.top + (rect.bottom - rect.top - kNodeBox) / 2;
      RECT box{bx, by, bx + kNodeBox, by + kNodeBox};
      if (CellNode.NodeType() == cn3D) {
        DrawEdge(dc, &box, collapsed ? EDGE_RAISED : EDGE_SUNKEN, BF_RECT);
        break;
      }
      TPenHandle pen(CreatePen(PS_SOLID, 1, ColorToRGB(CellNode.NodeColor)));
      TSelectGuard selPen(dc, pen.Get());
      TSelectGuard selBrush(dc, brush.Get());
      Rectangle(dc, box.left, box.top, box.right, box.bottom);
      MoveToEx(dc, bx + 1, by + 3, nullptr);
      LineTo(dc, bx + 7, by + 3);
      if (collapsed) {
        MoveToEx(dc, bx + 3, by + 1, nullptr);
        LineTo(dc, bx + 3, by + 7);
      }
      break;
    }
    case gkRadioGroup: {
      const auto* captions = dynamic_cast<const TStringList*>(g.Object1);
      if (!captions) break;
      TFontHandle font = CreateFontHandle(Font);
      TSelectGuard selFont(dc, font.Get());
      TEXTMETRICA tm{};
      GetTextMetricsA(dc, &tm);
      SetBkMode(dc, TRANSPARENT);
      int left = rect.left;
      for (int i = 0; i < captions->Count(); ++i) {
        const std::string& caption = (*captions)[i];
        const bool checked = g.Value == -1 ? caption == Cells(col, row) : g.Value == i;
        int bx, by;
        if (g.State) {  // side by side
          bx = left + 2, by = rect.top + (rect.bottom - rect.top - kRadioSize) / 2;
        } else {
          bx = rect.left + 2, by = rect.top + i * tm.tmHeight + 2;
        }
        RECT button{bx, by, bx + kRadioSize, by + kRadioSize};
        DrawFrameControl(dc, &button, DFC_BUTTON, DFCS_BUTTONRADIO | (checked ? DFCS_CHECKED : 0));
        const int tx = g.State ? bx + kRadioSize + 1 : rect.left + tm.tmHeight + 2;
        const int ty = by - 2;
        TextOutA(dc, tx, ty, caption.data(), int(caption.size()));
        SIZE s{};
        GetTextExtentPoint32A(dc, caption.data(), int(caption.size()), &s);
        left += s.cx + kRadioGap;
      }
      break;
    }
    case gkButton: {
      RECT face = ButtonFaceRect(col, row, g);
      TBrushHandle brush(CreateSolidBrush(ColorToRGB(clBtnFace)));
      FillRect(dc, &face, brush.Get());
      DrawEdge(dc, &face, g.State ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
      const auto* caption = dynamic_cast<const TStringList*>(g.Object1);
      if (caption && caption->Count() > 0) {
        TFontHandle font = CreateFontHandle(Font);
        TSelectGuard selFont(dc, font.Get());
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, ColorToRGB(clBtnText));
        if (g.State) OffsetRect(&face, 1, 1);
        DrawTextA(dc, (*caption)[0].data(), int((*caption)[0].size()), &face, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
      }
      break;
    }
    case gkIcon:
      if (const auto* icon = dynamic_cast<const TIcon*>(g.Object2); icon && !icon->Empty())
        DrawIconEx(dc, x, y, icon->Handle(), s.cx, s.cy, 0, nullptr, DI_NORMAL);
      break;
    case gkImageRow:
      if (const auto* list = dynamic_cast<const TIntList*>(g.Object1); list && GridImages) {
        TCanvas canvas(dc);
        for (int i = 0; i < list->Count(); ++i) {
          const int index = list->Items(i);
          if (index >= 0 && index < GridImages->Count()) GridImages->Draw(canvas, x, y, index);
          (g.State ? x : y) += g.State ? GridImages->Width : GridImages->Height;
        }
      }
      break;
    case gkPicture:
      // The fitted size less two pixels; pictures other than bitmaps
      // are drawn by their holders.
      if (const auto* b = dynamic_cast<const TBitmap*>(g.Object1); b && !b->Empty() && s.cx > 2 && s.cy > 2)
        DrawBitmap(dc, *b, RECT{x, y, x + s.cx - 2, y + s.cy - 2}, b->Transparent);
      break;
    case gkAngledText:
      DrawAngledText(dc, col, row, rect, g.Value2);
      break;
    default:
      break;
  }
}

SIZE TExtStringGrid::MoreGraphicSize(const TCellGraphic& g, const TImageList* images) {
  if (g.Kind == gkIcon) {
    const auto* icon = dynamic_cast<const TIcon*>(g.Object2);
    return icon && !icon->Empty() ? SIZE{icon->Width(), icon->Height()} : SIZE{};
  }
  const auto* list = dynamic_cast<const TIntList*>(g.Object1);
  if (!list || !images) return SIZE{};
  return g.State ? SIZE{list->Count() * images->Width, images->Height} : SIZE{images->Width, list->Count() * images->Height};
}

// The text turned by the angle (degrees, counter-clockwise) so that its
// bounding box sits in the cell by the alignment and VAlignment.
void TExtStringGrid::DrawAngledText(HDC dc, int col, int row, const RECT& rect, int angle) {
  const std::string& text = Cells(col, row);
  TFont font;
  font.Assign(Font);
  TFontHandle flat = CreateFontHandle(font);
  SIZE t{};
  {
    TSelectGuard sel(dc, flat.Get());
    GetTextExtentPoint32A(dc, text.data(), int(text.size()), &t);
  }
  LOGFONTA lf{};
  GetObjectA(flat.Get(), sizeof lf, &lf);
  lf.lfEscapement = lf.lfOrientation = angle * 10;
  TFontHandle turned(CreateFontIndirectA(&lf));
  const double a = angle * 3.14159265358979 / 180, c = std::cos(a), sn = std::sin(a);
  // The corners of the turned text from its origin (y grows downward).
  const double xs[4] = {0, t.cx * c, t.cy * sn, t.cx * c + t.cy * sn};
  const double ys[4] = {0, -t.cx * sn, t.cy * c, -t.cx * sn + t.cy * c};
  const double minX = *std::min_element(xs, xs + 4), maxX = *std::max_element(xs, xs + 4);
  const double minY = *std::min_element(ys, ys + 4), maxY = *std::max_element(ys, ys + 4);
  RECT r = rect;
  InflateRect(&r, -2, -2);
  const int alignment = GetCellAlignment(col, row);
  const double boxW = maxX - minX, boxH = maxY - minY;
  const double left = alignment == 1 ? r.right - boxW : alignment == 2 ? (r.left + r.right - boxW) / 2 : r.left;
  const double top = VAlignment == vtaBottom ? r.bottom - boxH : VAlignment == vtaCenter ? (r.top + r.bottom - boxH) / 2 : r.top;
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
  TSelectGuard sel(dc, turned.Get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorToRGB(Font.Color));
  TextOutA(dc, int(std::lround(left - minX)), int(std::lround(top - minY)), text.data(), int(text.size()));
  RestoreDC(dc, saved);
}

// Footers and right fixed columns get the black lines of the fixed cells that
// the base grid draws only for the top and left ones.
void TExtStringGrid::PaintFixedLines(TCanvas& canvas) {
  if (FData.FixedFooters <= 0 && FData.FixedRightCols <= 0) return;
  HDC dc = canvas.Handle();
  TPenHandle pen(CreatePen(PS_SOLID, 1, RGB(0, 0, 0)));
  TSelectGuard sel(dc, pen.Get());
  auto line = [dc](int x1, int y1, int x2, int y2) {
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
  };
  const bool horz = (Options & goFixedHorzLine) && GridLineWidth > 0, vert = (Options & goFixedVertLine) && GridLineWidth > 0;
  for (int r = 0; r < RowCount(); ++r) {
    const bool footer = r >= RowCount() - FData.FixedFooters;
    for (int c = 0; c < ColCount(); ++c) {
      if (IsFixedCell(c, r) || !IsFixed(c, r)) continue;
      const RECT cell = CellRect(c, r);
      if (IsRectEmpty(&cell)) continue;
      if (horz) line(cell.left, cell.bottom, cell.right + GridLineWidth, cell.bottom);
      if (horz && footer) line(cell.left, cell.top - 1, cell.right + GridLineWidth, cell.top - 1);
      if (vert) {
        line(cell.right, cell.top, cell.right, cell.bottom + GridLineWidth);
        line(cell.left - 1, cell.top, cell.left - 1, cell.bottom + GridLineWidth);
      }
    }
  }
}

void TExtStringGrid::GetCellBorder(int col, int row, TColor& pen, int& width, int& borders) {
  if (OnGetCellBorder) OnGetCellBorder(this, row, col, pen, width, borders);
}
