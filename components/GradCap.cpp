// TGradientCaption: the form's non-client messages through its form hook,
// and the painting of the caption bar on an off-screen bitmap.
#include "GradCap.h"

#include <algorithm>

#include "WinGraphics.h"

namespace {
constexpr int kMaxColors = 256;
// Room kept around the texts and the buttons, in pixels.
constexpr int kTextIndent = 3;
constexpr int kButtonGap = 2;
constexpr unsigned kCompany = 1, kApp = 2, kCaption = 4;

bool IsToolWindow(TFormBorderStyle style) { return style == bsToolWindow; }
}  // namespace

// --- the text parts

// The caption part is read before the change, while the texts it is cut
// from are still the ones in the form's caption.
void TCompanyText::SetCaption(const std::string& caption) {
  if (caption == FCaption) return;
  std::string part = FOwner.CaptionText.Caption();
  FCaption = caption;
  FOwner.UpdateFormCaption(part);
}

void TCompanyText::SetVisible(bool visible) {
  if (visible == FVisible) return;
  std::string part = FOwner.CaptionText.Caption();
  FVisible = visible;
  FOwner.UpdateFormCaption(part);
}

void TCompanyText::SetFont(const TFont& font) {
  FFont.Assign(font);
  FontKind = fkCustom;
}

std::string TCaptionText::Caption() const {
  const TCompanyText& company = FOwner.CompanyText;
  const TAppNameText& app = FOwner.AppNameText;
  return TGradientCaption::StripCaptionParts(FOwner.Form().Caption(), company.Caption(), company.Visible(),
                                             app.Caption(), app.Visible());
}

void TCaptionText::SetCaption(const std::string& caption) { FOwner.UpdateFormCaption(caption); }

std::string TGradientCaption::StripCaptionParts(std::string caption, const std::string& company,
                                                bool companyVisible, const std::string& app, bool appVisible) {
  auto cut = [&](const std::string& part, bool visible) {
    if (!visible || part.empty()) return;
    size_t at = caption.find(part);
    if (at == std::string::npos) return;
    caption.erase(0, at + part.size());
    if (!caption.empty() && caption[0] == ' ') caption.erase(0, 1);
  };
  cut(company, companyVisible);
  cut(app, appVisible);
  return caption;
}

// --- the component

TGradientCaption::TGradientCaption(TComponent* owner)
    : TComponent(owner), FForm([owner]() -> TDialogForm& {
        auto* form = dynamic_cast<TDialogForm*>(owner);
        if (!form) throw EInvalidCast("Invalid class typecast");
        return *form;
      }()) {
  ReadCaptionFont();
  FForm.SetFormHook(this);
}

TGradientCaption::~TGradientCaption() {
  // A null owner here means the form is freeing its components: it is going.
  if (!Owner()) return;
  FForm.SetFormHook(nullptr);
  FForm.SetCaption(CaptionText.Caption());
  RepaintCaption();
}

void TGradientCaption::SetNumColors(int n) {
  if (n < 1) return;
  FNumColors = std::min(n, kMaxColors);
}

void TGradientCaption::RepaintCaption() {
  if (FForm.HandleAllocated())
    SetWindowPos(FForm.Handle(), nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TGradientCaption::UpdateFormCaption(const std::string& caption) {
  std::string text;
  if (CompanyText.Visible()) text += CompanyText.Caption();
  if (CompanyText.Visible() && !CompanyText.Caption().empty() && (AppNameText.Visible() || CaptionText.Visible()))
    text += ' ';
  if (AppNameText.Visible()) text += AppNameText.Caption();
  if (AppNameText.Visible() && !AppNameText.Caption().empty() && CaptionText.Visible()) text += ' ';
  if (CaptionText.Visible()) text += caption;
  bool locked = FForm.HandleAllocated() && LockWindowUpdate(FForm.Handle());
  FForm.SetCaption(text);
  if (locked) LockWindowUpdate(nullptr);
}

void TGradientCaption::ReadCaptionFont() {
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = sizeof metrics;
  FCaptionFontKnown = SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0) != FALSE;
  if (FCaptionFontKnown) FCaptionFont = metrics.lfCaptionFont;
}

TFontHandle TGradientCaption::PartFont(const TCompanyText& part) const {
  if (part.FontKind == fkCustom || !FCaptionFontKnown) return CreateFontHandle(part.Font());
  LOGFONTA font = FCaptionFont;
  if (part.FontKind == fkAutoHeight) {
    LOGFONTA own{};
    TFontHandle custom = CreateFontHandle(part.Font());
    GetObjectA(custom.Get(), sizeof own, &own);
    own.lfHeight = FCaptionFont.lfHeight;
    return TFontHandle(CreateFontIndirectA(&own));
  }
  if (part.FontKind == fkSystemI || part.FontKind == fkSystemBI) font.lfItalic = TRUE;
  if (part.FontKind == fkSystemB || part.FontKind == fkSystemBI) font.lfWeight = FW_BOLD;
  return TFontHandle(CreateFontIndirectA(&font));
}

bool TGradientCaption::Active() const {
  if (FActive >= 0) return FActive != 0;
  return FForm.HandleAllocated() && GetActiveWindow() == const_cast<TDialogForm&>(FForm).Handle();
}

RECT TGradientCaption::CaptionRect() const {
  HWND wnd = const_cast<TDialogForm&>(FForm).Handle();
  RECT r{};
  GetWindowRect(wnd, &r);
  OffsetRect(&r, -r.left, -r.top);
  TFormBorderStyle style = FForm.BorderStyle();
  bool sizing = style == bsSizeable && !IsIconic(wnd);
  int fx = GetSystemMetrics(sizing ? SM_CXSIZEFRAME : SM_CXDLGFRAME);
  int fy = GetSystemMetrics(sizing ? SM_CYSIZEFRAME : SM_CYDLGFRAME);
  InflateRect(&r, -fx, -fy);
  int height = GetSystemMetrics(IsToolWindow(style) ? SM_CYSMCAPTION : SM_CYCAPTION);
  r.bottom = std::min<LONG>(r.bottom, r.top + height - 1);
  return r;
}

void TGradientCaption::PaintGradient(HDC dc, const RECT& rect, TColor left, TColor right, int numColors) {
  int n = std::clamp(numColors, 1, kMaxColors);
  COLORREF l = ColorToRGB(left), r = ColorToRGB(right);
  int width = rect.right - rect.left;
  for (int i = 0; i < n; ++i) {
    // With one band there is nothing to blend: it takes the left colour.
    auto channel = [&](int a, int b) { return n == 1 ? a : a + MulDiv(i, b - a, n - 1); };
    COLORREF c = RGB(channel(GetRValue(l), GetRValue(r)), channel(GetGValue(l), GetGValue(r)),
                     channel(GetBValue(l), GetBValue(r)));
    RECT band{rect.left + MulDiv(i, width, n), rect.top, rect.left + MulDiv(i + 1, width, n), rect.bottom};
    TBrushHandle brush(CreateSolidBrush(c));
    FillRect(dc, &band, brush.Get());
  }
}

unsigned TGradientCaption::PartsThatFit(const std::array<int, 3>& widths, unsigned visible, int room) {
  auto total = [&](unsigned parts) {
    int sum = 0;
    for (int i = 0; i < 3; ++i)
      if (parts & visible & (1u << i)) sum += widths[size_t(i)];
    return sum;
  };
  if (total(kCompany | kApp | kCaption) <= room) return visible;
  if (total(kApp | kCaption) <= room) return visible & (kApp | kCaption);
  return visible & kCaption;
}

void TGradientCaption::DrawButtons(HDC dc, RECT& text) const {
  HWND wnd = const_cast<TDialogForm&>(FForm).Handle();
  LONG_PTR style = GetWindowLongPtrA(wnd, GWL_STYLE), exStyle = GetWindowLongPtrA(wnd, GWL_EXSTYLE);
  TFormBorderStyle border = FForm.BorderStyle();
  int size = GetSystemMetrics(IsToolWindow(border) ? SM_CXSMSIZE : SM_CXSIZE);
  int height = text.bottom - text.top - 4;
  auto place = [&](UINT kind) {
    RECT b{text.right - size, text.top + 2, text.right - 2, text.top + 2 + height};
    if (dc) DrawFrameControl(dc, &b, DFC_CAPTION, kind);
  };
  if (border == bsNone || !(style & WS_SYSMENU)) return;
  place(DFCS_CAPTIONCLOSE);
  text.right -= size + kButtonGap;
  if (IsToolWindow(border)) return;
  bool minBox = style & WS_MINIMIZEBOX, maxBox = style & WS_MAXIMIZEBOX;
  if (border != bsDialog && (minBox || maxBox)) {
    place((IsZoomed(wnd) ? DFCS_CAPTIONRESTORE : DFCS_CAPTIONMAX) | (maxBox ? 0 : DFCS_INACTIVE));
    text.right -= size;
    place((IsIconic(wnd) ? DFCS_CAPTIONRESTORE : DFCS_CAPTIONMIN) | (minBox ? 0 : DFCS_INACTIVE));
    text.right -= size;
  } else if (exStyle & WS_EX_CONTEXTHELP) {
    place(DFCS_CAPTIONHELP);
    text.right -= size + kButtonGap;
  }
}

void TGradientCaption::DrawTexts(HDC dc, RECT text, bool active) {
  const TCompanyText* parts[3] = {&CompanyText, &AppNameText, &CaptionText};
  std::string texts[3] = {CompanyText.Caption(), AppNameText.Caption(), CaptionText.Caption()};
  TFontHandle fonts[3];
  std::array<int, 3> widths{};
  unsigned visible = 0;
  for (int i = 0; i < 3; ++i) {
    fonts[i] = PartFont(*parts[i]);
    if (!parts[i]->Visible()) continue;
    visible |= 1u << i;
    TSelectGuard select(dc, fonts[i].Get());
    SIZE extent{};
    GetTextExtentPoint32A(dc, texts[i].c_str(), int(texts[i].size()), &extent);
    widths[size_t(i)] = extent.cx + kTextIndent;
  }
  unsigned drawn = PartsThatFit(widths, visible, text.right - text.left);
  int total = 0;
  for (int i = 0; i < 3; ++i)
    if (drawn & (1u << i)) total += widths[size_t(i)];
  int room = text.right - text.left;
  if ((Justification == jCenter) && total < room) text.left += (room - total) / 2;
  if (Justification == jRight && total < room) text.left = text.right - total;
  SetBkMode(dc, TRANSPARENT);
  for (int i = 0; i < 3; ++i) {
    if (!(drawn & (1u << i))) continue;
    TSelectGuard select(dc, fonts[i].Get());
    SetTextColor(dc, ColorToRGB(active ? parts[i]->ColorActive : parts[i]->ColorInactive));
    RECT r{text.left + kTextIndent, text.top, text.right, text.bottom};
    DrawTextA(dc, texts[i].c_str(), int(texts[i].size()), &r,
              DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX | DT_LEFT);
    text.left += widths[size_t(i)];
  }
}

void TGradientCaption::PaintCaption() {
  if (FForm.BorderStyle() == bsNone || !FForm.HandleAllocated()) return;
  TWindowDC windowDC(FForm.Handle(), true);
  if (windowDC.DC()) DrawCaptionBar(windowDC.DC(), CaptionRect());
}

void TGradientCaption::DrawCaptionBar(HDC windowDC, const RECT& caption) {
  int w = caption.right - caption.left, h = caption.bottom - caption.top;
  // A window squeezed to nothing has no caption to paint.
  if (w <= 0 || h <= 0 || !FForm.HandleAllocated()) return;
  HWND wnd = FForm.Handle();
  {
    TMemDCHandle dc(CreateCompatibleDC(windowDC));
    TBitmapHandle bitmap(CreateCompatibleBitmap(windowDC, w, h));
    if (dc && bitmap) {
      TSelectGuard select(dc.Get(), bitmap.Get());
      bool active = Active();
      int bits = GetDeviceCaps(windowDC, BITSPIXEL) * GetDeviceCaps(windowDC, PLANES);
      bool gradient = Enabled == geAlways || (Enabled == geWhenActive && active) ||
                      (Enabled == geSmart && bits > (active ? 7 : 8));
      RECT all{0, 0, w, h};
      RECT text = all;
      DrawButtons(nullptr, text);
      TColor right = gradient ? (active ? ColorRightActive : ColorRightInActive)
                              : (active ? clActiveCaption : clInactiveCaption);
      RECT buttons{text.right, 0, w, h};
      TBrushHandle fill(CreateSolidBrush(ColorToRGB(right)));
      FillRect(dc.Get(), &buttons, fill.Get());
      RECT band = text;
      if (gradient)
        PaintGradient(dc.Get(), band, active ? ColorLeftActive : ColorLeftInActive, right, FNumColors);
      else
        FillRect(dc.Get(), &band, fill.Get());
      RECT buttonsArea = all;
      DrawButtons(dc.Get(), buttonsArea);
      LONG_PTR style = GetWindowLongPtrA(wnd, GWL_STYLE);
      if ((style & WS_SYSMENU) && (FForm.BorderStyle() == bsSingle || FForm.BorderStyle() == bsSizeable)) {
        HICON icon = HICON(SendMessageA(wnd, WM_GETICON, ICON_SMALL, 0));
        if (!icon) icon = HICON(GetClassLongPtrA(wnd, GCLP_HICONSM));
        if (!icon) icon = LoadIconA(nullptr, MAKEINTRESOURCEA(32512) /* IDI_APPLICATION */);
        int size = GetSystemMetrics(SM_CXSMICON);
        DrawIconEx(dc.Get(), text.left + 1, text.top + (h - size) / 2, icon, size, size, 0, nullptr, DI_NORMAL);
        text.left += size + 1;
      }
      text.right -= kTextIndent;
      if (OnDrawCaption) {
        TCanvas canvas(dc.Get());
        OnDrawCaption(this, canvas, text);
      }
      DrawTexts(dc.Get(), text, active);
      BitBlt(windowDC, caption.left, caption.top, w, h, dc.Get(), 0, 0, SRCCOPY);
    }
  }
}

bool TGradientCaption::FormMessage(TForm& form, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (msg) {
    case WM_NCPAINT: {
      if (FForm.BorderStyle() == bsNone) return false;
      // The frame without the caption bar is the form's; then the bar is ours.
      RECT window{};
      GetWindowRect(form.Handle(), &window);
      RECT caption = CaptionRect();
      OffsetRect(&caption, window.left, window.top);
      TRegionHandle rest(CreateRectRgnIndirect(&window));
      TRegionHandle bar(CreateRectRgnIndirect(&caption));
      CombineRgn(rest.Get(), rest.Get(), bar.Get(), RGN_DIFF);
      if (wParam != 1) CombineRgn(rest.Get(), rest.Get(), HRGN(wParam), RGN_AND);
      result = form.DefaultHandler(msg, WPARAM(rest.Get()), lParam);
      PaintCaption();
      return true;
    }
    case WM_NCACTIVATE:
      FActive = wParam ? 1 : 0;
      result = form.DefaultHandler(msg, wParam, lParam);
      PaintCaption();
      return true;
    case WM_SETTEXT:
    case WM_SETICON:
      result = form.TForm::WndProc(msg, wParam, lParam);
      PaintCaption();
      return true;
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
    case WM_DISPLAYCHANGE:
      ReadCaptionFont();
      RepaintCaption();
      return false;
  }
  return false;
}
