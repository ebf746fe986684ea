// TExtStringGrid's painting of nodes, radio groups and button cells, the row
// indicator, fixed cells pressed like buttons and disjunct selected rows.
#include <algorithm>

#include "ExtGrid.h"
#include "WinGraphics.h"

namespace {
constexpr int NodeBox = 8;      // the flat and 3-D node box
constexpr int RadioSize = 10;   // a radio button's frame
constexpr int RadioGap = 12;    // a radio button and its gap before the caption
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
  // Column 0 of the node rows' grid is the tree's margin: no text shows there.
  if (col == 0 && row >= FixedRows() && FData.EnableGraphics && FData.NodeCount() > 0) {
    const TColor fill = FixedCols() > 0 ? FixedColor : Color;
    TBrushHandle brush(CreateSolidBrush(ColorToRGB(fill)));
    RECT r{rect.left, rect.top - (row == TopRow() ? 0 : 1), rect.right, rect.bottom};
    FillRect(canvas.Handle(), &r, brush.Get());
  }
}

void TExtStringGrid::DrawMoreGraphic(HDC dc, int col, int row, const RECT& rect, const TCellGraphic& g) {
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
      const int bx = rect.left + 2, by = rect.top + (rect.bottom - rect.top - NodeBox) / 2;
      RECT box{bx, by, bx + NodeBox, by + NodeBox};
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
          bx = left + 2, by = rect.top + (rect.bottom - rect.top - RadioSize) / 2;
        } else {
          bx = rect.left + 2, by = rect.top + i * tm.tmHeight + 2;
        }
        RECT button{bx, by, bx + RadioSize, by + RadioSize};
        DrawFrameControl(dc, &button, DFC_BUTTON, DFCS_BUTTONRADIO | (checked ? DFCS_CHECKED : 0));
        const int tx = g.State ? bx + RadioSize + 1 : rect.left + tm.tmHeight + 2;
        const int ty = by - 2;
        TextOutA(dc, tx, ty, caption.data(), int(caption.size()));
        SIZE s{};
        GetTextExtentPoint32A(dc, caption.data(), int(caption.size()), &s);
        left += s.cx + RadioGap;
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
    default:
      break;
  }
}
