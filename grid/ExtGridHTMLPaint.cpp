// The mini-HTML painter: tokens become runs with their styles, runs become
// lines (broken at BR, P, HR and, with word wrap, at the right edge), and
// each line is drawn at the place its alignment gives.
#include "ExtGridHTMLPaint.h"

#include <algorithm>
#include <vector>

#include "ExtGrid.h"
#include "ExtGridHTML.h"
#include "SysUtils.h"
#include "WinGraphics.h"

namespace {
constexpr int BulletIndent = 12;  // pixels per list level, and after the bullet

struct TItem {
  std::string Text;
  TFont Font;
  TColor Back = clNone;
  int Image = -1;     // a GridImages picture instead of text
  bool Rule = false;  // a horizontal line across the cell
  std::string Href;   // set inside an anchor
  int X = 0, W = 0, H = 0;
};

struct TLine {
  std::vector<TItem> Items;
  int Align = 0;  // 0 left, 1 right, 2 centre
  TColor Back = clNone;
  int W = 0, H = 0;
};

class TLayouter {
public:
  explicit TLayouter(const THTMLDrawContext& c) : C(c), FFont(c.Font) { FLines.emplace_back(); }

  void Run(std::string_view text) {
    for (const THTMLToken& t : TokenizeHTML(PrepareHTMLText(text))) {
      if (!t.IsTag) Text(t.Text);
      else if (t.Closing) CloseTag(t.Name);
      else OpenTag(t);
    }
  }
  THTMLLayout Finish();

private:
  SIZE Extent(const TFont& font, const std::string& s) const {
    TFontHandle f = CreateFontHandle(font);
    TSelectGuard sel(C.DC, f.Get());
    SIZE size{};
    GetTextExtentPoint32A(C.DC, s.data(), int(s.size()), &size);
    return size;
  }
  TLine& Line() { return FLines.back(); }
  void NewLine() { FLines.emplace_back().Align = FAlign; }
  int RoomLeft() { return (C.Rect.right - C.Rect.left) - Line().W; }
  void Add(TItem item) {
    item.X = Line().W;
    Line().W += item.W;
    Line().H = std::max(Line().H, item.H);
    Line().Items.push_back(std::move(item));
  }
  TItem Styled() const {
    TItem item;
    item.Font = FFont;
    if (!FHref.empty()) {
      item.Font.Style |= fsUnderline;
      item.Font.Color = C.URLColor;
    }
    if (FBlink && !C.BlinkOn && C.BlinkColor != clNone) item.Font.Color = C.BlinkColor;
    item.Back = FBack;
    item.Href = FHref;
    return item;
  }
  void Text(const std::string& text) {
    if (FHidden) return;
    // With word wrap a run ends after each blank, so lines break between words.
    size_t i = 0;
    while (i < text.size()) {
      size_t end = C.WordWrap ? text.find(' ', i) : std::string::npos;
      end = end == std::string::npos ? text.size() : end + 1;
      TItem item = Styled();
      item.Text = text.substr(i, end - i);
      SIZE size = Extent(item.Font, item.Text);
      item.W = size.cx, item.H = size.cy;
      if (C.WordWrap && item.W > RoomLeft() && !Line().Items.empty()) NewLine();
      Add(std::move(item));
      i = end;
    }
  }
  void Image(const THTMLToken& t) {
    std::string src = HTMLAttribute(t.Text, "SRC");
    int index = -1;
    if (!StartsText("IDX:", src) || !C.Images || !TryStrToInt(src.substr(4), index)) return;
    if (index < 0 || index >= C.Images->Count()) return;  // takes no width either
    TItem item = Styled();
    item.Image = index;
    item.W = C.Images->Width, item.H = C.Images->Height;
    if (item.W > RoomLeft() && !Line().Items.empty()) NewLine();
    Add(std::move(item));
  }
  void OpenTag(const THTMLToken& t) {
    const std::string& n = t.Name;
    if (n == "B") FFont.Style |= fsBold;
    else if (n == "I") FFont.Style |= fsItalic;
    else if (n == "U") FFont.Style |= fsUnderline;
    else if (n == "S") FFont.Style |= fsStrikeOut;
    else if (n == "BR") NewLine();
    else if (n.starts_with("BL")) FBlink = true;
    else if (n == "Z") FHidden = true;
    else if (n == "UL") ++FListLevel;
    else if (n == "A") FHref = HTMLAttribute(t.Text, "HREF");
    else if (n == "IMG") Image(t);
    else if (n == "HR") {
      NewLine();
      TItem rule;
      rule.Rule = true;
      rule.H = 2;
      Add(std::move(rule));
      NewLine();
    } else if (n == "LI") {
      NewLine();
      Line().W = BulletIndent * FListLevel;
      Text(FListLevel % 2 ? "\xB7 " : "o ");
      Line().W += BulletIndent;
    } else if (n == "IND") {
      int x = 0;
      if (TryStrToInt(HTMLAttribute(t.Text, "X"), x) && x > Line().W) Line().W = x;
    } else if (n == "P") {
      if (!Line().Items.empty()) NewLine();
      std::string a = UpperCase(HTMLAttribute(t.Text, "ALIGN"));
      FAlign = a == "RIGHT" ? 1 : a == "CENTER" ? 2 : 0;
      Line().Align = FAlign;
      Line().Back = ParagraphAttrColor(HTMLAttribute(t.Text, "BGCOLOR"));
    } else if (n == "FONT") {
      std::string attrs = UpperCase(t.Text);
      FSavedBack = FBack;
      if (std::string face = HTMLAttribute(t.Text, "FACE"); !face.empty()) FFont.Name = face;
      if (std::string color = HTMLAttribute(attrs, "COLOR"); !color.empty()) FFont.Color = FontAttrColor(color);
      if (std::string back = HTMLAttribute(attrs, "BGCOLOR"); !back.empty()) FBack = FontAttrColor(back);
      int size = 0;
      if (TryStrToInt(HTMLAttribute(t.Text, "SIZE"), size) && size > 0 && size < 200) FFont.SetSize(size);
    } else if (n == "BODY") {
      if (std::string back = HTMLAttribute(t.Text, "BGCOLOR"); !back.empty()) FBodyBack = BodyAttrColor(back);
    }
  }
  void CloseTag(const std::string& n) {
    if (n == "B") FFont.Style &= ~fsBold;
    else if (n == "I") FFont.Style &= ~fsItalic;
    else if (n == "U") FFont.Style &= ~fsUnderline;
    else if (n == "S") FFont.Style &= ~fsStrikeOut;
    else if (n.starts_with("BL")) FBlink = false;
    else if (n == "Z") FHidden = false;
    else if (n == "UL") FListLevel = std::max(FListLevel - 1, 0);
    else if (n == "A") FHref.clear();
    else if (n == "P") {
      NewLine();
      FAlign = 0;
      Line().Align = 0;
    } else if (n == "FONT") {
      FFont.Name = C.Font.Name;
      FFont.Height = C.Font.Height;
      FFont.Color = C.Font.Color;
      FBack = FSavedBack;
    }
  }

  const THTMLDrawContext& C;
  TFont FFont;
  TColor FBack = clNone, FSavedBack = clNone, FBodyBack = clNone;
  std::string FHref;
  int FAlign = 0, FListLevel = 0;
  bool FBlink = false, FHidden = false;
  std::vector<TLine> FLines;
};

THTMLLayout TLayouter::Finish() {
  THTMLLayout out;
  const RECT& r = C.Rect;
  const int emptyHeight = Extent(C.Font, "gh").cy;
  if (!C.Measure && FBodyBack != clNone) {
    TBrushHandle brush(CreateSolidBrush(ColorToRGB(FBodyBack)));
    FillRect(C.DC, &r, brush.Get());
  }
  int y = r.top;
  for (TLine& line : FLines) {
    if (line.H == 0) line.H = emptyHeight;
    const int free = (r.right - r.left) - line.W;
    const int x0 = r.left + (line.Align == 1 ? free : line.Align == 2 ? free / 2 : 0);
    out.Width = std::max<int>(out.Width, line.W);
    if (!C.Measure && y < r.bottom && line.Back != clNone) {
      RECT band{r.left, y, r.right, y + line.H};
      TBrushHandle brush(CreateSolidBrush(ColorToRGB(line.Back)));
      FillRect(C.DC, &band, brush.Get());
    }
    for (const TItem& item : line.Items) {
      RECT box{x0 + item.X, y + line.H - item.H, x0 + item.X + item.W, y + line.H};
      if (!item.Href.empty() && PtInRect(&box, C.Mouse)) out.OnAnchor = true, out.Anchor = item.Href;
      if (C.Measure || y >= r.bottom) continue;  // lines below the rectangle are not drawn
      if (item.Rule) {
        TPenHandle pen(CreatePen(PS_SOLID, 1, 0));
        TSelectGuard sel(C.DC, pen.Get());
        MoveToEx(C.DC, r.left, box.top, nullptr);
        LineTo(C.DC, r.right, box.top);
      } else if (item.Image >= 0) {
        TCanvas canvas(C.DC);
        C.Images->Draw(canvas, box.left, box.top, item.Image);
      } else {
        TFontHandle font = CreateFontHandle(item.Font);
        TSelectGuard sel(C.DC, font.Get());
        SetTextColor(C.DC, ColorToRGB(item.Font.Color));
        SetBkMode(C.DC, item.Back == clNone ? TRANSPARENT : OPAQUE);
        if (item.Back != clNone) SetBkColor(C.DC, ColorToRGB(item.Back));
        RECT clip;
        IntersectRect(&clip, &box, &r);
        ExtTextOutA(C.DC, box.left, box.top, ETO_CLIPPED | (item.Back != clNone ? ETO_OPAQUE : 0), &clip,
                    item.Text.data(), UINT(item.Text.size()), nullptr);
        SetBkMode(C.DC, TRANSPARENT);
      }
    }
    y += line.H;
  }
  out.Height = std::max<int>(y - r.top, emptyHeight);
  return out;
}
}  // namespace

THTMLLayout LayoutHTMLText(const THTMLDrawContext& context, std::string_view text) {
  TLayouter layouter(context);
  layouter.Run(text);
  return layouter.Finish();
}
