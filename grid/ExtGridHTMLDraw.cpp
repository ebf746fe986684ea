// The mini-HTML painter's drawing: each laid-out line at the place its
// alignment gives, runs with their shadow, turn and ellipsis, pictures,
// rules and bullets, anchors with their hover style and focus rectangle.
#include <algorithm>
#include <cmath>

#include "ExtGridHTMLLines.h"
#include "ImgList.h"
#include "WinGraphics.h"

namespace {
constexpr double kDegreesToRadians = 3.14159265358979 / 180;

void Fill(HDC dc, const RECT& r, TColor color) {
  TBrushHandle brush(CreateSolidBrush(ColorToRGB(color)));
  FillRect(dc, &r, brush.Get());
}

// The bitmap tiled over the rectangle from its top-left corner.
void TilePicture(HDC dc, const THTMLPicture& p, const RECT& r) {
  if (p.Width <= 0 || p.Height <= 0) return;
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
  for (int y = r.top; y < r.bottom; y += p.Height)
    for (int x = r.left; x < r.right; x += p.Width) DrawHTMLPicture(dc, p, RECT{x, y, x + p.Width, y + p.Height});
  RestoreDC(dc, saved);
}

// Text turned by the item's angle, its turned box filling box.
void DrawTurned(HDC dc, const THTMLItem& item, const RECT& box, const RECT& clip) {
  TFontHandle flat = CreateFontHandle(item.Font);
  SIZE t{};
  {
    TSelectGuard sel(dc, flat.Get());
    GetTextExtentPoint32A(dc, item.Text.data(), int(item.Text.size()), &t);
  }
  LOGFONTA lf{};
  GetObjectA(flat.Get(), sizeof lf, &lf);
  lf.lfEscapement = lf.lfOrientation = item.Angle * 10;
  TFontHandle turned(CreateFontIndirectA(&lf));
  const double a = item.Angle * kDegreesToRadians, c = std::cos(a), s = std::sin(a);
  // The origin lies where the turned corners' smallest x and y meet the box.
  const double minX = std::min({0.0, t.cx * c, t.cy * s, t.cx * c + t.cy * s});
  const double minY = std::min({0.0, -t.cx * s, t.cy * c, -t.cx * s + t.cy * c});
  TSelectGuard sel(dc, turned.Get());
  ExtTextOutA(dc, box.left - int(std::lround(minX)), box.top - int(std::lround(minY)), ETO_CLIPPED, &clip,
              item.Text.data(), UINT(item.Text.size()), nullptr);
}

class TLineDrawer {
public:
  TLineDrawer(const THTMLDrawContext& c, std::vector<THTMLLine>& lines) : C(c), FLines(lines) {}

  THTMLLayout Run(TColor bodyBack, const THTMLPicture* bodyPicture) {
    THTMLLayout out;
    const RECT& r = C.Rect;
    const int emptyHeight = TextHeight();
    Place(emptyHeight, out);
    if (C.Measure) return out;
    if (bodyBack != clNone) Fill(C.DC, r, bodyBack);
    if (bodyPicture) TilePicture(C.DC, *bodyPicture, r);
    int y = r.top;
    for (size_t i = 0; i < FLines.size(); ++i) {
      const THTMLLine& line = FLines[i];
      const int band = line.Above + line.H + line.Below;
      if (y >= r.bottom) break;  // lines below the rectangle are not drawn
      if (line.Back != clNone) Fill(C.DC, RECT{r.left, y, r.right, y + band}, line.Back);
      for (size_t k = 0; k < line.Items.size(); ++k) DrawItem(line.Items[k], FBoxes[i][k]);
      y += band;
    }
    DrawFocus();
    return out;
  }

private:
  int TextHeight() const {
    TFontHandle f = CreateFontHandle(C.Font);
    TSelectGuard sel(C.DC, f.Get());
    SIZE size{};
    GetTextExtentPoint32A(C.DC, "gh", 2, &size);
    return size.cy;
  }
  // Every item's box; the width and height of the text; the anchor under the mouse.
  void Place(int emptyHeight, THTMLLayout& out) {
    const RECT& r = C.Rect;
    int y = r.top;
    for (THTMLLine& line : FLines) {
      if (line.H == 0) line.H = emptyHeight;
      const int free = (r.right - r.left) - line.W;
      const int x0 = r.left + (line.Align == 1 ? free : line.Align == 2 ? free / 2 : 0);
      const int base = y + line.Above;
      out.Width = std::max(out.Width, line.W);
      std::vector<RECT>& boxes = FBoxes.emplace_back();
      for (const THTMLItem& item : line.Items) {
        int top = base + line.H - item.H;  // at the bottom of the line band
        if (item.Kind == hikText || item.Kind == hikBullet) {
          if (line.TextPlace == htpTop) top = base;
          else if (line.TextPlace == htpMiddle) top = base + (line.H - item.H) / 2;
          top -= item.Shift * (item.H / 4);
        }
        RECT box{x0 + item.X, top, x0 + item.X + item.W, top + item.H};
        boxes.push_back(box);
        if (item.Anchor > 0 && PtInRect(&box, C.Mouse)) {
          out.OnAnchor = true, out.Anchor = item.Href;
          FHover = item.Anchor;
        }
      }
      y = base + line.H + line.Below;
    }
    out.Height = std::max(int(y - r.top), emptyHeight);
  }
  void DrawItem(const THTMLItem& item, const RECT& box) {
    const RECT& r = C.Rect;
    switch (item.Kind) {
      case hikRule: {
        TPenHandle pen(CreatePen(PS_SOLID, 1, 0));
        TSelectGuard sel(C.DC, pen.Get());
        MoveToEx(C.DC, r.left, box.top, nullptr);
        LineTo(C.DC, r.right, box.top);
        return;
      }
      case hikImage: {
        TCanvas canvas(C.DC);
        if (C.Scale == 1) {
          C.Images->Draw(canvas, box.left, box.top, item.Image);
        } else {
          TBitmap picture;
          C.Images->GetBitmap(item.Image, picture);
          DrawBitmap(C.DC, picture, box, true);
        }
        return;
      }
      case hikPicture:
        DrawHTMLPicture(C.DC, *item.Picture, box);
        return;
      default:
        DrawRun(item, box);
    }
  }
  void DrawRun(const THTMLItem& item, const RECT& box) {
    const bool hovered = item.Anchor > 0 && item.Anchor == FHover;
    TFont font = item.Font;
    TColor back = item.Back;
    if (item.Anchor > 0) {
      font.Color = hovered && C.HoverColor != clNone ? C.HoverColor : C.URLColor;
      if (hovered && C.HoverBack != clNone) back = C.HoverBack;
      if (!C.HoverUnderlineOnly || hovered) font.Style |= fsUnderline;
    }
    RECT clip;
    if (!IntersectRect(&clip, &box, &C.Rect)) return;
    if (back != clNone) Fill(C.DC, clip, back);
    SetBkMode(C.DC, TRANSPARENT);
    if (item.Shadow) {
      RECT shadow = box;
      OffsetRect(&shadow, C.ShadowOffset, C.ShadowOffset);
      TFont dark = font;
      dark.Color = C.ShadowColor;
      DrawRunText(item, dark, shadow);
    }
    DrawRunText(item, font, box);
  }
  void DrawRunText(const THTMLItem& item, const TFont& font, const RECT& box) {
    SetTextColor(C.DC, ColorToRGB(font.Color));
    RECT clip;
    if (!IntersectRect(&clip, &box, &C.Rect)) return;
    if (item.Angle != 0) {
      THTMLItem styled = item;
      styled.Font = font;
      DrawTurned(C.DC, styled, box, clip);
      return;
    }
    TFontHandle f = CreateFontHandle(font);
    TSelectGuard sel(C.DC, f.Get());
    // Cut at the right edge, the run ends in an ellipsis unless that is off.
    RECT text{box.left, box.top, std::min(box.right, C.Rect.right), std::min(box.bottom, C.Rect.bottom)};
    UINT flags = DT_SINGLELINE | DT_NOPREFIX | DT_EXPANDTABS | DT_TOP | DT_LEFT;
    if (C.Ellipsis && box.right > C.Rect.right && item.Kind == hikText) flags |= DT_END_ELLIPSIS;
    DrawTextA(C.DC, item.Text.data(), int(item.Text.size()), &text, flags);
  }
  // The focused anchor's pieces, all of them inside one focus rectangle.
  void DrawFocus() {
    if (C.FocusAnchor <= 0) return;
    RECT all{};
    bool any = false;
    for (size_t i = 0; i < FLines.size(); ++i)
      for (size_t k = 0; k < FLines[i].Items.size(); ++k)
        if (FLines[i].Items[k].Anchor == C.FocusAnchor) {
          if (!any) all = FBoxes[i][k];
          else UnionRect(&all, &all, &FBoxes[i][k]);
          any = true;
        }
    if (!any) return;
    IntersectRect(&all, &all, &C.Rect);
    SetTextColor(C.DC, RGB(0, 0, 0));
    SetBkColor(C.DC, RGB(255, 255, 255));
    DrawFocusRect(C.DC, &all);
  }

  const THTMLDrawContext& C;
  std::vector<THTMLLine>& FLines;
  std::vector<std::vector<RECT>> FBoxes;
  int FHover = 0;  // the anchor under the mouse
};
}  // namespace

THTMLLayout DrawHTMLLines(const THTMLDrawContext& c, std::vector<THTMLLine>& lines, TColor bodyBack,
                          const THTMLPicture* bodyPicture) {
  return TLineDrawer(c, lines).Run(bodyBack, bodyPicture);
}
