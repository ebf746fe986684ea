// The mini-HTML painter's layout: tokens become pieces with their styles,
// pieces become lines (broken at BR, P, HR, LI and, with word wrap, at the
// right edge); ExtGridHTMLDraw.cpp draws the lines.
#include "ExtGridHTMLPaint.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "ExtGridHTML.h"
#include "ExtGridHTMLLines.h"
#include "ImgList.h"
#include "SysUtils.h"
#include "WinGraphics.h"

namespace {
constexpr int kBulletIndent = 12;  // pixels per list level, and from the bullet to the text
constexpr double kDegreesToRadians = 3.14159265358979 / 180;

class TLayouter {
  using TLine = THTMLLine;

public:
  explicit TLayouter(const THTMLDrawContext& c) : C(c), FFont(c.Font) { FLines.emplace_back(); }

  void Run(std::string_view text) {
    for (const THTMLToken& t : TokenizeHTML(PrepareHTMLText(text))) {
      if (!t.IsTag) Text(t.Text);
      else if (t.Closing) CloseTag(t.Name);
      else OpenTag(t);
    }
  }
  THTMLLayout Finish() { return DrawHTMLLines(C, FLines, FBodyBack, FBodyPicture.get()); }

private:
  // The run's size; tabs are expanded as the drawing expands them.
  SIZE Extent(const TFont& font, const std::string& s) const {
    TFontHandle f = CreateFontHandle(font);
    TSelectGuard sel(C.DC, f.Get());
    SIZE size{};
    if (s.find('\t') == std::string::npos) {
      GetTextExtentPoint32A(C.DC, s.data(), int(s.size()), &size);
      return size;
    }
    RECT r{0, 0, 0, 0};
    DrawTextA(C.DC, s.data(), int(s.size()), &r, DT_CALCRECT | DT_SINGLELINE | DT_EXPANDTABS | DT_NOPREFIX);
    return SIZE{r.right - r.left, r.bottom - r.top};
  }
  TLine& Line() { return FLines.back(); }
  void NewLine() { FLines.emplace_back().Align = FAlign; }
  int RoomLeft() { return (C.Rect.right - C.Rect.left) - Line().W; }
  void Add(THTMLItem item) {
    item.X = Line().W;
    Line().W += item.W;
    Line().H = std::max(Line().H, item.H);
    // Superscript rises and subscript sinks by a quarter of the run's height.
    if (item.Shift > 0) Line().Above = std::max(Line().Above, item.H / 4);
    if (item.Shift < 0) Line().Below = std::max(Line().Below, item.H / 4);
    Line().Items.push_back(std::move(item));
  }
  THTMLItem Styled() const {
    THTMLItem item;
    item.Font = FFont;
    if (FBlink && !C.BlinkOn && C.BlinkColor != clNone) item.Font.Color = C.BlinkColor;
    item.Back = FBack;
    item.Anchor = FHref.empty() ? 0 : FAnchors;
    item.Href = FHref;
    item.Shift = FShift;
    item.Shadow = FShadow;
    item.Angle = FAngle;
    return item;
  }
  void Measure(THTMLItem& item) const {
    const SIZE size = Extent(item.Font, item.Text);
    if (item.Angle == 0) {
      item.W = size.cx, item.H = size.cy;
      return;
    }
    // Turned text takes the box around its turned corners.
    const double a = item.Angle * kDegreesToRadians, c = std::abs(std::cos(a)), s = std::abs(std::sin(a));
    item.W = int(std::lround(size.cx * c + size.cy * s));
    item.H = int(std::lround(size.cx * s + size.cy * c));
  }
  void Text(const std::string& text) {
    if (FHidden) return;
    // With word wrap a run ends after each blank, so lines break between words.
    size_t i = 0;
    while (i < text.size()) {
      size_t end = C.WordWrap ? text.find(' ', i) : std::string::npos;
      end = end == std::string::npos ? text.size() : end + 1;
      THTMLItem item = Styled();
      item.Text = text.substr(i, end - i);
      Measure(item);
      if (C.WordWrap && item.W > RoomLeft() && !Line().Items.empty()) NewLine();
      Add(std::move(item));
      i = end;
    }
  }
  // A picture that does not fit in the width left starts a new line.
  void AddPicture(THTMLItem item, const std::string& align) {
    if (item.W > RoomLeft() && !Line().Items.empty()) NewLine();
    if (SameText(align, "TOP")) Line().TextPlace = htpTop;
    else if (SameText(align, "MIDDLE")) Line().TextPlace = htpMiddle;
    Add(std::move(item));
  }
  int Scaled(int n) const { return C.Scale == 1 ? n : std::max(int(std::lround(n * C.Scale)), 0); }
  void Image(const THTMLToken& t) {
    const std::string src = HTMLAttribute(t.Text, "SRC"), align = HTMLAttribute(t.Text, "ALIGN");
    THTMLItem item = Styled();
    if (StartsText("IDX:", src)) {
      int index = -1;
      if (!C.Images || !TryStrToInt(src.substr(4), index)) return;
      if (index < 0 || index >= C.Images->Count()) return;  // takes no width either
      item.Kind = hikImage;
      item.Image = index;
      item.W = Scaled(C.Images->Width), item.H = Scaled(C.Images->Height);
    } else {
      int w = 0, h = 0;
      TryStrToInt(HTMLAttribute(t.Text, "WIDTH"), w);
      TryStrToInt(HTMLAttribute(t.Text, "HEIGHT"), h);
      item.Picture = LoadHTMLPicture(src, w, h);
      if (!item.Picture) return;
      item.Kind = hikPicture;
      item.W = Scaled(item.Picture->Width), item.H = Scaled(item.Picture->Height);
    }
    AddPicture(std::move(item), align);
  }
  void Bullet() {
    if (!Line().Items.empty()) NewLine();
    Line().W = std::max(Line().W, kBulletIndent * FListLevel);
    THTMLItem item = Styled();
    item.Kind = hikBullet;
    item.Font.Name = "Symbol";
    item.Text = std::string(1, FListLevel % 2 ? '\xB7' : 'o');
    Measure(item);
    item.W = kBulletIndent;
    Add(std::move(item));
  }
  void OpenTag(const THTMLToken& t) {
    const std::string& n = t.Name;
    if (n == "B") FFont.Style |= fsBold;
    else if (n == "I") FFont.Style |= fsItalic;
    else if (n == "U") FFont.Style |= fsUnderline;
    else if (n == "S") FFont.Style |= fsStrikeOut;
    else if (n.starts_with("SUB")) FShift = -1;
    else if (n.starts_with("SUP")) FShift = 1;
    else if (n.starts_with("SH")) FShadow = true;
    else if (n == "BR") NewLine();
    else if (n.starts_with("BL")) FBlink = true;
    else if (n == "Z") FHidden = true;
    else if (n == "UL") ++FListLevel;
    else if (n == "LI") Bullet();
    else if (n == "A") {
      ++FAnchors;
      FHref = HTMLAttribute(t.Text, "HREF");
    } else if (n == "IMG") Image(t);
    else if (n.starts_with("R")) {
      int angle = 0;
      if (TryStrToInt(HTMLAttribute(t.Text, "A"), angle)) FAngle = angle % 360;
    } else if (n == "HR") {
      NewLine();
      THTMLItem rule;
      rule.Kind = hikRule;
      rule.H = 2;
      Add(std::move(rule));
      NewLine();
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
      if (std::string picture = HTMLAttribute(t.Text, "BACKGROUND"); !picture.empty() && !C.Measure)
        FBodyPicture = LoadHTMLBackground(picture);
    }
  }
  void CloseTag(const std::string& n) {
    if (n == "B") FFont.Style &= ~fsBold;
    else if (n == "I") FFont.Style &= ~fsItalic;
    else if (n == "U") FFont.Style &= ~fsUnderline;
    else if (n == "S") FFont.Style &= ~fsStrikeOut;
    else if (n.starts_with("SUB") || n.starts_with("SUP")) FShift = 0;
    else if (n.starts_with("SH")) FShadow = false;
    else if (n.starts_with("BL")) FBlink = false;
    else if (n == "Z") FHidden = false;
    else if (n == "UL") FListLevel = std::max(FListLevel - 1, 0);
    else if (n == "A") FHref.clear();
    else if (n.starts_with("R")) FAngle = 0;
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
  std::shared_ptr<THTMLPicture> FBodyPicture;
  std::string FHref;
  int FAlign = 0, FListLevel = 0, FAnchors = 0, FShift = 0, FAngle = 0;
  bool FBlink = false, FHidden = false, FShadow = false;
  std::vector<TLine> FLines;
};
}  // namespace

THTMLLayout LayoutHTMLText(const THTMLDrawContext& context, std::string_view text) {
  TLayouter layouter(context);
  layouter.Run(text);
  return layouter.Finish();
}

THTMLLayout PaintHTMLText(THTMLDrawContext context, std::string_view text) {
  const THTMLDrawContext plain;
  context.HoverColor = plain.HoverColor;
  context.HoverBack = plain.HoverBack;
  context.ShadowColor = plain.ShadowColor;
  context.Scale = plain.Scale;
  return LayoutHTMLText(context, text);
}
