#include "BarPopupMenu.h"

#include <algorithm>
#include <cmath>

#include "Forms.h"
#include "WinGraphics.h"

namespace {
// The caption of an item that the bar neither draws nor counts.
const std::string kHiddenCaption = "#";

int Channel(uint32_t color, int shift) { return int((color >> shift) & 0xFF); }
}  // namespace

uint32_t BarGradientColor(uint32_t start, uint32_t end, int y, int height) {
  if (height <= 0) return start & 0xFFFFFF;
  uint32_t color = 0;
  for (int shift : {0, 8, 16}) {
    const int s = Channel(start, shift), e = Channel(end, shift);
    const int64_t value = s + int64_t(e - s) * y / height;
    color |= uint32_t(value & 0xFF) << shift;
  }
  return color;
}

int BarTextLeft(int barWidth, int h) {
  // Halves go to the even neighbour.
  return int(std::nearbyint((barWidth - h) / 2.0 - 0.5)) - 1;
}

TBarPopupMenu::TBarPopupMenu(TComponent* owner) : TPopupMenu(owner) {
  OwnerDraw = true;
  VerticalFont.Name = "Tahoma";
  VerticalFont.SetSize(14);
  VerticalFont.Color = clWhite;
  VerticalFont.Style = fsBold | fsItalic;
  VerticalText = Application().Title();
}

TBitmap& TBarPopupMenu::Bitmap() {
  if (!FBitmap) {
    FBitmap = std::make_unique<TBitmap>();
    FBitmap->Transparent = true;
  }
  return *FBitmap;
}

void TBarPopupMenu::Popup(int x, int y) {
  FHeight = 0;
  FDone = false;
  FItemTops.clear();
  TMenuItem* root = Items();
  for (int i = 0; i < root->Count(); ++i) {
    TMenuItem* item = root->Items(i);
    item->OnMeasureItem = [this](TMenuItem* sender, TCanvas&, int& width, int& height) {
      MeasureItem(sender, width, height);
    };
    item->OnDrawItem = [this](TMenuItem* sender, TCanvas& canvas, const RECT& rect, bool selected) {
      DrawItem(sender, canvas, rect, selected);
    };
  }
  TPopupMenu::Popup(x, y);
}

void TBarPopupMenu::MeasureItem(TMenuItem* item, int& width, int& height) {
  // An item that is never drawn takes no room either: a blank gap would
  // break the bar's run from start to end.
  if (item->Caption == kHiddenCaption) height = 0;
  if (!BarVisible) return;
  width += BarWidth;
  if (!item->Visible || item->Caption == kHiddenCaption) return;
  FItemTops[item] = FHeight;
  FHeight += height;
}

void TBarPopupMenu::DrawItem(TMenuItem* item, TCanvas& canvas, const RECT& rect, bool selected) {
  if (item->Caption == kHiddenCaption) return;
  RECT itemRect = rect;
  if (BarVisible) itemRect.left += BarWidth;
  item->DrawStandard(canvas, itemRect, selected);
  if (!BarVisible || FDone) return;
  auto measured = FItemTops.find(item);
  const int top = rect.top - (measured == FItemTops.end() ? rect.top : measured->second);
  DrawBarSlice(canvas, rect, top);
  DrawBarText(canvas, rect, top);
  if (item == LastBarItem()) {
    FDone = true;
    DrawBarPicture(canvas, top);
  }
}

TMenuItem* TBarPopupMenu::LastBarItem() const {
  TMenuItem* root = Items();
  for (int i = root->Count() - 1; i >= 0; --i) {
    TMenuItem* item = root->Items(i);
    if (item->Visible && item->Caption != kHiddenCaption) return item;
  }
  return nullptr;
}

void TBarPopupMenu::DrawBarSlice(TCanvas& canvas, const RECT& rect, int top) {
  // An item of no height, a bar of no width or a menu of no height has no
  // slice to paint.
  const int right = BarWidth - 2;
  if (right <= 0 || rect.bottom <= rect.top || FHeight <= 0) return;
  const uint32_t start = ColorToRGB(GradientStart), end = ColorToRGB(GradientEnd);
  if (start == end) {
    canvas.BrushColor = TColor(start);
    canvas.FillRect(RECT{0, rect.top, right, rect.bottom});
    return;
  }
  // Rows below the menu's last item (its frame) keep the end colour.
  for (int y = rect.top; y <= rect.bottom; ++y) {
    canvas.BrushColor = TColor(BarGradientColor(start, end, std::min(y - top, FHeight), FHeight));
    canvas.FillRect(RECT{0, y, right, y + 1});
  }
}

void TBarPopupMenu::DrawBarText(TCanvas& canvas, const RECT& rect, int menuTop) {
  if (VerticalText.empty()) return;
  LOGFONTA lf{};
  lf.lfHeight = VerticalFont.Height;
  lf.lfEscapement = lf.lfOrientation = 900;
  lf.lfWeight = (VerticalFont.Style & fsBold) ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = (VerticalFont.Style & fsItalic) ? TRUE : FALSE;
  lf.lfUnderline = (VerticalFont.Style & fsUnderline) ? TRUE : FALSE;
  lf.lfStrikeOut = (VerticalFont.Style & fsStrikeOut) ? TRUE : FALSE;
  lf.lfCharSet = DEFAULT_CHARSET;
  lstrcpynA(lf.lfFaceName, VerticalFont.Name.c_str(), LF_FACESIZE);
  lf.lfPitchAndFamily = VerticalFont.Pitch == fpVariable ? VARIABLE_PITCH
                        : VerticalFont.Pitch == fpFixed  ? FIXED_PITCH
                                                         : DEFAULT_PITCH;
  TFontHandle font(CreateFontIndirectA(&lf));
  if (!font) return;
  HDC dc = canvas.Handle();
  TSelectGuard select(dc, font.Get());
  SIZE x{};
  GetTextExtentPoint32A(dc, "X", 1, &x);
  int top = menuTop + FHeight + VerticalTextOffsetY;
  if (HasBitmap() && BitmapVertAlignment == bvaBottom) top -= FBitmap->Height();
  const RECT clip{rect.left, rect.top, rect.right, rect.bottom + 1};
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  const COLORREF oldColor = SetTextColor(dc, ColorToRGB(VerticalFont.Color));
  ExtTextOutA(dc, BarTextLeft(BarWidth, x.cy), top, ETO_CLIPPED, &clip, VerticalText.c_str(),
              UINT(VerticalText.size()), nullptr);
  SetTextColor(dc, oldColor);
  SetBkMode(dc, oldMode);
}

void TBarPopupMenu::DrawBarPicture(TCanvas& canvas, int top) {
  if (!HasBitmap()) return;
  const int width = FBitmap->Width(), height = FBitmap->Height();
  int x = BitmapOffsetX, y = BitmapOffsetY;
  if (BitmapHorzAlignment == bhaRight) x = BarWidth + BitmapOffsetX - width - 2;
  else if (BitmapHorzAlignment == bhaCenter) x = (BarWidth - width - 2) / 2 + BitmapOffsetX;
  if (BitmapVertAlignment == bvaBottom) y = FHeight + BitmapOffsetY - height;
  else if (BitmapVertAlignment == bvaMiddle) y = (FHeight - height) / 2 + BitmapOffsetY;
  canvas.Draw(x, top + y, *FBitmap, FBitmap->Transparent);
}
