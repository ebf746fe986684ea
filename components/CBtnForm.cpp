// TColorArrayClass, the custom-colour text, the colour dialog and the
// palette window of the colour button.
#include "CBtnForm.h"

#include <commdlg.h>

#include <cstdio>

#include "Dialogs.h"
#include "WinGraphics.h"

namespace {
constexpr char kIndexError[] = "Array index out of bounds";
// The default custom colour, and what an unreadable stored colour becomes.
constexpr TColor kBlankCustom = clWhite;
// Layout of the palette below the cells (pixels of the client area).
constexpr int kSeparatorTop = 93, kOtherTop = 98, kOtherHeight = 22;
constexpr int kOtherCellLeftFromRight = 19;
constexpr int kOtherCellTop = 96, kOtherCellBottom = 113;
}  // namespace

// --- TColorArrayClass

TColorArrayClass::TColorArrayClass(int xSize, int ySize)
    : FXSize(std::max(1, xSize)), FYSize(std::max(1, ySize)), FColors(size_t(FXSize * FYSize), 0) {}

void TColorArrayClass::Assign(const TPersistent& source) {
  const auto& s = AssignSource(*this, source);
  FXSize = s.FXSize;
  FYSize = s.FYSize;
  FColors = s.FColors;
}

bool TColorArrayClass::operator==(const TColorArrayClass& o) const {
  return this == &o || (FXSize == o.FXSize && FYSize == o.FYSize && FColors == o.FColors);
}

void TColorArrayClass::SetXSize(int n) {
  FXSize = std::max(1, n);
  FColors.assign(size_t(FXSize * FYSize), 0);
}

void TColorArrayClass::SetYSize(int n) {
  FYSize = std::max(1, n);
  FColors.assign(size_t(FXSize * FYSize), 0);
}

size_t TColorArrayClass::Index(int x, int y) const {
  if (x < 1 || x > FXSize || y < 1 || y > FYSize) throw EColorArrayIndexError(kIndexError);
  return size_t(x - 1 + (y - 1) * FXSize);
}

TColor TColorArrayClass::Color(int x, int y) const { return FColors[Index(x, y)]; }
void TColorArrayClass::SetColor(int x, int y, TColor c) { FColors[Index(x, y)] = c; }

TColor TColorArrayClass::Linear(int index) const {
  if (index < 1 || index > Count()) throw EColorArrayIndexError(kIndexError);
  return FColors[size_t(index - 1)];
}

void TColorArrayClass::SetLinear(int index, TColor c) {
  if (index < 1 || index > Count()) throw EColorArrayIndexError(kIndexError);
  FColors[size_t(index - 1)] = c;
}

void DefaultPaletteColors(TColorArrayClass& colors) {
  // Column by column: rows 1..5 of columns 1..4.
  static const TColor columns[4][5] = {
      {RGBColor(255, 255, 255), RGBColor(255, 0, 0), RGBColor(0, 255, 0), RGBColor(0, 0, 255), RGBColor(191, 215, 191)},
      {RGBColor(0, 0, 0), RGBColor(127, 0, 0), RGBColor(0, 127, 0), RGBColor(0, 0, 127), RGBColor(159, 191, 239)},
      {RGBColor(191, 191, 191), RGBColor(255, 255, 0), RGBColor(0, 255, 255), RGBColor(255, 0, 255),
       RGBColor(255, 247, 239)},
      {RGBColor(127, 127, 127), RGBColor(127, 127, 0), RGBColor(0, 127, 127), RGBColor(127, 0, 127),
       RGBColor(159, 159, 159)},
  };
  colors.SetXSize(4);
  colors.SetYSize(5);
  for (int x = 1; x <= 4; ++x)
    for (int y = 1; y <= 5; ++y) colors.SetColor(x, y, columns[x - 1][y - 1]);
}

// --- the stored custom colours

std::string CustomColorsText(const TColorArrayClass& colors) {
  std::string text;
  for (int x = 1; x <= colors.XSize(); ++x)
    for (int y = 1; y <= colors.YSize(); ++y) {
      char item[16];
      std::snprintf(item, sizeof item, "$%08X", unsigned(colors.Color(x, y)));
      if (!text.empty()) text += ',';
      text += item;
    }
  return text;
}

void ReadCustomColorsText(const std::string& text, TColorArrayClass& colors) {
  size_t comma = text.find(',');
  if (comma == std::string::npos) return;
  size_t length = comma, at = 0;
  for (int x = 1; x <= colors.XSize(); ++x)
    for (int y = 1; y <= colors.YSize(); ++y) {
      std::string item = at < text.size() ? text.substr(at, length) : std::string();
      at += length + 1;
      TColor c = kBlankCustom;
      try {
        if (!item.empty()) c = TColor(StrToInt(item));
      } catch (const EConvertError&) {
        c = kBlankCustom;
      }
      colors.SetColor(x, y, c);
    }
}

// --- the colour dialog

bool ExecuteColorDialog(TColor& color, TColorArrayClass& custom) {
  TPromptRequest r;
  r.Caption = "Color";
  r.Buttons = mbOKCancel;
  r.Default = mrCancel;
  std::string answer = ColorToString(color);
  r.Value = &answer;
  COLORREF table[16];
  for (int i = 0; i < 16; ++i) table[i] = COLORREF(custom.Color(i % 8 + 1, i / 8 + 1));
  int result = RunPrompt(r, [&] {
    CHOOSECOLORA cc{};
    cc.lStructSize = sizeof cc;
    cc.hwndOwner = GetActiveWindow();
    cc.rgbResult = ColorToRGB(color);
    cc.lpCustColors = table;
    cc.Flags = CC_FULLOPEN | CC_RGBINIT;
    if (!ChooseColorA(&cc)) return int(mrCancel);
    answer = ColorToString(TColor(cc.rgbResult));
    return int(mrOk);
  });
  if (result != mrOk) return false;
  try {
    color = StringToColor(answer);
  } catch (const EConvertError&) {
    return false;
  }
  for (int i = 0; i < 16; ++i) custom.SetColor(i % 8 + 1, i / 8 + 1, TColor(table[i]));
  return true;
}

// --- TColorDropPalette

TColorDropPalette::TColorDropPalette(TComponent* owner) : TForm(owner) {
  DefaultPaletteColors(PaletteColors);
  for (int i = 1; i <= CustomColors.Count(); ++i) CustomColors.SetLinear(i, kBlankCustom);
  KeyPreview = true;
  btnOther = new TButton(this);
  btnOther->SetCaption("&Other");
  btnOther->SetBounds(2, kOtherTop, kClientWidth - 22, kOtherHeight);
  btnOther->SetParent(this);
  btnOther->OnClick = [this](TComponent*) { OtherClick(); };
  SetClientSize(kClientWidth, kOtherTop + kOtherHeight + 2);
}

void TColorDropPalette::CreateParams(TCreateParams& p) {
  TForm::CreateParams(p);
  // A dialog frame without a caption bar.
  p.Style = WS_POPUP | WS_DLGFRAME;
  p.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
}

POINT TColorDropPalette::CellAt(int x, int y) {
  if (x >= kClientWidth - kOtherCellLeftFromRight && x <= kClientWidth - 1 && y >= kOtherCellTop &&
      y <= kOtherCellBottom)
    return POINT{0, 0};
  if (x < 0 || y < 0) return POINT{-1, -1};
  POINT cell{x / kCell + 1, y / kCell + 1};
  return ValidCell(cell) && cell.y > 0 ? cell : POINT{-1, -1};
}

bool TColorDropPalette::ValidCell(POINT cell) {
  return (cell.x >= 1 && cell.x <= 4 && cell.y >= 1 && cell.y <= 5) || (cell.y == 0 && cell.x >= 0);
}

TColor TColorDropPalette::CellColor(POINT cell) const {
  return cell.y == 0 ? OtherColor : PaletteColors.Color(cell.x, cell.y);
}

RECT TColorDropPalette::CellRect(POINT cell) const {
  if (cell.y == 0) {
    int left = kClientWidth - kOtherCellLeftFromRight;
    int top = kOtherTop + (kOtherHeight - kCell) / 2;
    return RECT{left, top, left + kCell, top + kCell};
  }
  return RECT{kCell * cell.x - kCell, kCell * cell.y - kCell, kCell * cell.x, kCell * cell.y};
}

void TColorDropPalette::SetSelectedColor(TColor color) {
  COLORREF rgb = ColorToRGB(color);
  for (int y = 1; y <= 5; ++y)
    for (int x = 1; x <= 4; ++x)
      if (ColorToRGB(PaletteColors.Color(x, y)) == rgb) {
        SetHighlighted(POINT{x, y});
        return;
      }
  OtherColor = color;
  SetHighlighted(POINT{-1, -1});
}

void TColorDropPalette::InvalidateCell(POINT cell) {
  if (!ValidCell(cell) || !HandleAllocated()) return;
  RECT r = CellRect(cell);
  InvalidateRect(FHandle, &r, FALSE);
}

void TColorDropPalette::SetHighlighted(POINT cell) {
  if (cell.x == FHighlight.x && cell.y == FHighlight.y) return;
  InvalidateCell(FHighlight);
  FHighlight = cell;
  InvalidateCell(FHighlight);
  if (ShowColorHints && ValidCell(cell)) Hint = HintText(cell);
}

std::string TColorDropPalette::HintText(POINT cell) {
  if (!ValidCell(cell)) return std::string();
  COLORREF rgb = ColorToRGB(CellColor(cell));
  char text[32];
  std::snprintf(text, sizeof text, "RGB = %.3d %.3d %.3d", GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
  std::string hint = text;
  if (OnGetColorHintText) OnGetColorHintText(this, CellColor(cell), int(cell.x), int(cell.y), hint);
  return hint;
}

POINT TColorDropPalette::MoveHighlight(POINT cell, uint16_t key) {
  if (!ValidCell(cell)) return POINT{1, 1};
  switch (key) {
    case VK_LEFT:
      if (cell.y != 0) cell.x = cell.x == 1 ? 4 : cell.x - 1;
      break;
    case VK_RIGHT:
      if (cell.y != 0) cell.x = cell.x == 4 ? 1 : cell.x + 1;
      break;
    case VK_UP:
      cell.y = cell.y == 0 ? 5 : cell.y - 1;
      break;
    case VK_DOWN:
      cell.y = cell.y == 5 ? 0 : cell.y + 1;
      break;
  }
  if (cell.y != 0 && cell.x == 0) cell.x = 1;
  return cell;
}

void TColorDropPalette::PaintCell(HDC dc, POINT cell) {
  RECT r = CellRect(cell);
  bool lit = cell.x == FHighlight.x && cell.y == FHighlight.y;
  auto frame = [&](TColor c) {
    TBrushHandle brush(CreateSolidBrush(ColorToRGB(c)));
    FrameRect(dc, &r, brush.Get());
    InflateRect(&r, -1, -1);
  };
  if (lit) {
    frame(cl3DDkShadow);
    frame(clBtnHighlight);
    frame(cl3DDkShadow);
  } else {
    frame(clBtnFace);
    DrawEdge(dc, &r, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
  }
  TBrushHandle fill(CreateSolidBrush(ColorToRGB(CellColor(cell))));
  FillRect(dc, &r, fill.Get());
}

void TColorDropPalette::Paint(TCanvas& canvas, const RECT&) {
  HDC dc = canvas.Handle();
  canvas.BrushColor = clBtnFace;
  canvas.FillRect(RECT{0, 0, ClientWidth(), ClientHeight()});
  for (int y = 1; y <= 5; ++y)
    for (int x = 1; x <= 4; ++x) PaintCell(dc, POINT{x, y});
  PaintCell(dc, POINT{0, 0});
  canvas.BrushColor = clBtnShadow;
  canvas.FillRect(RECT{0, kSeparatorTop, ClientWidth(), kSeparatorTop + 1});
  canvas.BrushColor = clBtnHighlight;
  canvas.FillRect(RECT{0, kSeparatorTop + 1, ClientWidth(), kSeparatorTop + 2});
}

void TColorDropPalette::MouseMove(TShiftState shift, int x, int y) {
  SetHighlighted(CellAt(x, y));
  TForm::MouseMove(shift, x, y);
}

RECT TColorDropPalette::HintArea(POINT client) {
  const POINT cell = CellAt(int(client.x), int(client.y));
  if (!ShowColorHints || !ValidCell(cell)) return RECT{0, 0, 0, 0};
  Hint = HintText(cell);
  return CellRect(cell);
}

void TColorDropPalette::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TForm::MouseUp(button, shift, x, y);
  if (button != mbLeft) return;
  POINT cell = CellAt(x, y);
  if (ValidCell(cell) && OnSelect) OnSelect(cell.y == 0, CellColor(cell));
  ClosePalette();
}

void TColorDropPalette::SelectCell(POINT cell) {
  if (ValidCell(cell) && OnSelect) OnSelect(cell.y == 0, CellColor(cell));
  ClosePalette();
}

bool TColorDropPalette::KeyDown(uint16_t& key, TShiftState shift) {
  switch (key) {
    case VK_RETURN:
      FClosedByKey = true;
      SelectCell(FHighlight);
      return true;
    case VK_ESCAPE:
      FClosedByKey = true;
      ClosePalette();
      return true;
    case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN:
      SetHighlighted(MoveHighlight(FHighlight, key));
      return true;
  }
  return TForm::KeyDown(key, shift);
}

void TColorDropPalette::OtherClick() {
  FInColorDialog = true;
  TColor color = OtherColor;
  bool chosen = ExecuteColorDialog(color, CustomColors);
  FInColorDialog = false;
  if (!chosen) return;
  OtherColor = color;
  if (OnSelect) OnSelect(true, color);
  ClosePalette();
}

void TColorDropPalette::ClosePalette() {
  if (FClosing || FInColorDialog) return;
  FClosing = true;
  if (HandleAllocated()) ShowWindow(FHandle, SW_HIDE);
  if (OnClosed) OnClosed(this);
  Release();
}

LRESULT TColorDropPalette::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE && !FInColorDialog) ClosePalette();
      break;
    case WM_ACTIVATEAPP:
      if (!wParam && !FInColorDialog) ClosePalette();
      break;
  }
  return TForm::WndProc(msg, wParam, lParam);
}

bool TColorDropPalette::WantedKeys(const MSG*, LRESULT& code) {
  code = DLGC_WANTALLKEYS;
  return true;
}
