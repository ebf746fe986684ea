// TColorDropButton: the owner-drawn button, its palette and its custom colours.
#include "ClrDropBn.h"

#include "IniFiles.h"
#include "WinGraphics.h"

namespace {
constexpr char kColorsSection[] = "Colors";
// Right of the swatch: the separator lines and the arrow.
constexpr int kArrowRoom = 10;
// Clicks in the last pixels of a cycling button open the palette.
constexpr int kCycleArrowWidth = 13;
// The palette goes above the button by this much, or this far left of the
// work area's right edge, when it does not fit below or to the right.
constexpr int kAboveOffset = 121, kRightOffset = 78;

// The down arrow, drawn in the text colour (or the disabled shadow).
void DrawArrow(HDC dc, int cx, int cy, bool enabled) {
  TColor colour = enabled ? clBtnText : clGrayText;
  TPenHandle pen(CreatePen(PS_SOLID, 1, ColorToRGB(colour)));
  TSelectGuard select(dc, pen.Get());
  for (int row = 0; row < 3; ++row) {
    MoveToEx(dc, cx - 2 + row, cy - 1 + row, nullptr);
    LineTo(dc, cx + 3 - row, cy - 1 + row);
  }
}
// The visible top-most windows, into the vector at list.
BOOL CALLBACK CollectTopMost(HWND wnd, LPARAM list) {
  if (IsWindowVisible(wnd) && (GetWindowLongPtrA(wnd, GWL_EXSTYLE) & WS_EX_TOPMOST))
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(wnd);
  return TRUE;
}
}  // namespace

TColorDropButton::TColorDropButton(TComponent* owner) : TButton(owner) {
  DefaultPaletteColors(FPaletteColors);
  for (int i = 1; i <= FCustomColors.Count(); ++i) FCustomColors.SetLinear(i, clWhite);
  SetBounds(0, 0, kDefaultWidth, kDefaultHeight);
}

TColorDropButton::~TColorDropButton() {
  try {
    SaveCustomColors();
  } catch (const std::exception&) {
    // An INI file that cannot be written loses the custom colours, nothing more.
  }
}

void TColorDropButton::Loaded() {
  TButton::Loaded();
  LoadCustomColors();
}

void TColorDropButton::CreateHandle() {
  TButton::CreateHandle();
  if (!FLoaded) LoadCustomColors();
}

std::string TColorDropButton::GetCustomColorsName() const {
  std::string name = Name;
  if (Parent()) name += "." + Parent()->Name;
  return name;
}

void TColorDropButton::SaveCustomColors() {
  if (CustomColorsKey.empty() || !FLoaded) return;
  TIniFile ini(CustomColorsKey);
  ini.WriteString(kColorsSection, FLoadedKey, CustomColorsText(FCustomColors));
}

void TColorDropButton::LoadCustomColors() {
  FLoadedKey = GetCustomColorsName();
  FLoaded = true;
  if (CustomColorsKey.empty()) return;
  TIniFile ini(CustomColorsKey);
  ReadCustomColorsText(ini.ReadString(kColorsSection, FLoadedKey, ""), FCustomColors);
}

void TColorDropButton::ColorChanged() {
  if (OnColorChange) OnColorChange(this);
}

void TColorDropButton::SetColor(TColor color) {
  if (color == FColor) return;
  FColor = color;
  FIndex = 0;
  for (int i = 1; i <= FPaletteColors.Count(); ++i)
    if (FPaletteColors.Linear(i) == color) {
      FIndex = i;
      break;
    }
  Invalidate();
  ColorChanged();
}

void TColorDropButton::SelectIndex(int index) {
  if (index < 0 || index == FIndex || index > FPaletteColors.Count()) return;
  FIndex = index;
  FColor = index == 0 ? OtherColor : FPaletteColors.Linear(index);
  Invalidate();
  ColorChanged();
}

void TColorDropButton::SetFlat(bool flat) {
  if (flat == FFlat) return;
  FFlat = flat;
  Invalidate();
}

POINT TColorDropButton::PalettePosition(const RECT& button, SIZE palette, const RECT& work) {
  POINT p{button.left, button.bottom};
  if (p.y + palette.cy > work.bottom) p.y = button.top - kAboveOffset;
  if (p.x < work.left) p.x = work.left;
  if (p.x + palette.cx > work.right) p.x = work.right - kRightOffset;
  return p;
}

bool TColorDropButton::CommandNotify(WORD code) {
  // A double click is a second press.
  if (code == BN_DOUBLECLICKED) code = BN_CLICKED;
  return TButton::CommandNotify(code);
}

void TColorDropButton::Click() {
  if (FSkipNextClick) {
    FSkipNextClick = false;
    return;
  }
  if (FPalette) {
    FPalette->ClosePalette();
    return;
  }
  if (CycleColors) {
    POINT mouse;
    GetCursorPos(&mouse);
    ScreenToClient(Handle(), &mouse);
    if (mouse.x < Width() - kCycleArrowWidth) {
      SelectIndex(FIndex >= FPaletteColors.Count() ? 0 : FIndex + 1);
      return;
    }
  }
  // Windows of ours that stay on top would cover the palette.
  FTopMost.clear();
  EnumThreadWindows(GetCurrentThreadId(), CollectTopMost, LPARAM(&FTopMost));
  for (HWND wnd : FTopMost) SetWindowPos(wnd, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

  FPalette = new TColorDropPalette(this);
  FPalette->ShowColorHints = ShowColorHints;
  FPalette->ShowHint = ShowColorHints;
  FPalette->btnOther->SetCaption(OtherBtnCaption);
  FPalette->OtherColor = OtherColor;
  FPalette->PaletteColors.Assign(FPaletteColors);
  FPalette->CustomColors.Assign(FCustomColors);
  FPalette->OnGetColorHintText = OnGetColorHintText;
  FPalette->SetSelectedColor(FColor);
  FPalette->OnSelect = [this](bool isOther, TColor color) {
    if (isOther) OtherColor = color;
    SetColor(color);
  };
  FPalette->OnClosed = [this](TComponent*) { PaletteClosed(); };
  RECT button{};
  GetWindowRect(Handle(), &button);
  RECT work{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  POINT at = PalettePosition(button, SIZE{FPalette->Width(), FPalette->Height()}, work);
  FPalette->SetBounds(at.x, at.y, FPalette->Width(), FPalette->Height());
  Invalidate();
  FPalette->Show();
  SetForegroundWindow(FPalette->Handle());
  // The form under the palette keeps its caption lit.
  if (HWND top = GetAncestor(Handle(), GA_ROOT)) SendMessageA(top, WM_NCACTIVATE, TRUE, 0);
}

void TColorDropButton::PaletteClosed() {
  TColorDropPalette* palette = FPalette;
  FPalette = nullptr;
  if (!palette) return;
  if (HWND top = GetAncestor(Handle(), GA_ROOT)) SendMessageA(top, WM_NCACTIVATE, GetActiveWindow() == top, 0);
  if (!palette->ClosedByKey()) {
    POINT mouse;
    GetCursorPos(&mouse);
    RECT r{};
    GetWindowRect(Handle(), &r);
    // The press that closed the palette must not open it again.
    if (PtInRect(&r, mouse) && (GetAsyncKeyState(VK_LBUTTON) & 0x8000)) FSkipNextClick = true;
  }
  FCustomColors.Assign(palette->CustomColors);
  Invalidate();
  for (HWND wnd : FTopMost)
    if (IsWindow(wnd)) SetWindowPos(wnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  FTopMost.clear();
}

bool TColorDropButton::Reflected(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (msg != WM_DRAWITEM) return TButton::Reflected(msg, wParam, lParam, result);
  Draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
  result = TRUE;
  return true;
}

void TColorDropButton::Draw(const DRAWITEMSTRUCT& item) {
  HDC dc = item.hDC;
  RECT r = item.rcItem;
  bool pressed = (item.itemState & ODS_SELECTED) || FPalette;
  bool enabled = !(item.itemState & ODS_DISABLED);
  bool focused = item.itemState & ODS_FOCUS;
  if (pressed) {
    TBrushHandle frame(CreateSolidBrush(ColorToRGB(clWindowFrame)));
    FrameRect(dc, &r, frame.Get());
    InflateRect(&r, -1, -1);
    TBrushHandle shadow(CreateSolidBrush(ColorToRGB(clBtnShadow)));
    FrameRect(dc, &r, shadow.Get());
    InflateRect(&r, -1, -1);
    TBrushHandle face(CreateSolidBrush(ColorToRGB(clBtnFace)));
    FillRect(dc, &r, face.Get());
    OffsetRect(&r, 1, 1);
  } else if (FFlat) {
    TBrushHandle face(CreateSolidBrush(ColorToRGB(clBtnFace)));
    FillRect(dc, &r, face.Get());
    if (focused) DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
    InflateRect(&r, -2, -2);
  } else {
    DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (enabled ? 0 : DFCS_INACTIVE));
    InflateRect(&r, -2, -2);
  }
  if (focused) {
    RECT f = r;
    InflateRect(&f, -1, -1);
    DrawFocusRect(dc, &f);
  }
  RECT swatch{r.left + 3, r.top + 3, r.right - 3 - kArrowRoom, r.bottom - 3};
  TBrushHandle frame(CreateSolidBrush(ColorToRGB(enabled ? clWindowFrame : clBtnShadow)));
  if (enabled) {
    TBrushHandle fill(CreateSolidBrush(ColorToRGB(FColor)));
    FillRect(dc, &swatch, fill.Get());
  } else {
    TBrushHandle hatch(CreateHatchBrush(HS_DIAGCROSS, ColorToRGB(clBtnShadow)));
    SetBkColor(dc, ColorToRGB(clBtnFace));
    FillRect(dc, &swatch, hatch.Get());
  }
  FrameRect(dc, &swatch, frame.Get());
  int lineX = swatch.right + 2;
  TPenHandle shadow(CreatePen(PS_SOLID, 1, ColorToRGB(clBtnShadow)));
  TPenHandle light(CreatePen(PS_SOLID, 1, ColorToRGB(clBtnHighlight)));
  {
    TSelectGuard select(dc, shadow.Get());
    MoveToEx(dc, lineX, swatch.top, nullptr);
    LineTo(dc, lineX, swatch.bottom);
  }
  {
    TSelectGuard select(dc, light.Get());
    MoveToEx(dc, lineX + 1, swatch.top, nullptr);
    LineTo(dc, lineX + 1, swatch.bottom);
  }
  DrawArrow(dc, (lineX + 2 + r.right) / 2, (r.top + r.bottom) / 2, enabled);
}
