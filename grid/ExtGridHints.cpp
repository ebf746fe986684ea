// TExtStringGrid's hints: the cell under the mouse (its comment, its text or
// the grid's hint) and the scroll bars' thumb position, in a small popup.
#include <algorithm>

#include "ExtGrid.h"
#include "WinGraphics.h"

namespace {
constexpr int kHintBelowCell = 6;  // a plain hint sits this far under the cell
constexpr int kHintPadding = 4;
}  // namespace

// A borderless top-most popup with one line of text; the grid owns it.
class THintPopup : public TWinControl {
public:
  using TWinControl::TWinControl;
  std::string ClassName() const override { return "THintPopup"; }
  std::string Text;

  void ShowAt(POINT screen, int width) {
    TWindowDC dc(Handle());
    TFontHandle font = CreateFontHandle(Font);
    TSelectGuard sel(dc.DC(), font.Get());
    SIZE s{};
    GetTextExtentPoint32A(dc.DC(), Text.data(), int(Text.size()), &s);
    FLeft = screen.x, FTop = screen.y, FVisible = true;
    FWidth = width > 0 ? width : s.cx + 2 * kHintPadding, FHeight = s.cy + kHintPadding;
    SetWindowPos(FHandle, HWND_TOPMOST, FLeft, FTop, FWidth, FHeight, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    InvalidateRect(FHandle, nullptr, TRUE);
    UpdateWindow(FHandle);
  }

protected:
  void CreateParams(TCreateParams& params) override {
    TWinControl::CreateParams(params);
    params.Style = WS_POPUP | WS_BORDER;
    params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE;
  }
  void Paint(TCanvas& canvas, const RECT& area) override {
    canvas.BrushColor = Color;
    canvas.FillRect(area);
    RECT r{kHintPadding - 1, 1, ClientWidth(), ClientHeight()};
    TFontHandle font = CreateFontHandle(Font);
    TSelectGuard sel(canvas.Handle(), font.Get());
    SetBkMode(canvas.Handle(), TRANSPARENT);
    SetTextColor(canvas.Handle(), ColorToRGB(clInfoText));
    DrawTextA(canvas.Handle(), Text.data(), int(Text.size()), &r, DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
  }
};

std::string TExtStringGrid::CellHint(int col, int row, POINT& at) {
  const RECT r = CellRect(col, row);
  const int real = FData.DisplayColToReal(col);
  std::string hint;
  if (FData.CellGraphicKind(real, row) == gkComment) {
    hint = FData.CellComment(real, row);
    at = POINT{r.right, r.top};
  } else {
    hint = Hint;
    at = POINT{r.left, r.bottom + kHintBelowCell};
    const bool normal = !IsFixedCell(col, row) && !IsFixed(col, row);
    if (normal && (HintShowCells || HintShowLargeText)) {
      TWindowDC dc(Handle());
      const bool wide = CellTextWidth(dc.DC(), col, row) > ColWidths(col);
      hint = !HintShowLargeText || wide ? Cells(col, row) : std::string();
      if (IsPasswordCell(col, row)) hint = FillChars(hint, PasswordChar);  // the hint shows what the cell shows
      at = POINT{r.left, r.top};
    }
  }
  if (OnGridHint) OnGridHint(this, row, col, hint);
  return hint;
}

void TExtStringGrid::ShowHintAt(const std::string& text, POINT screen, int width) {
  if (!FHint.Popup) FHint.Popup = new THintPopup(this);
  FHint.Popup->Text = text;
  FHint.Popup->Color = HintColor;
  FHint.Popup->Font = Font;
  FHint.Popup->ShowAt(screen, width);
}

std::string TExtStringGrid::ShownHint() const {
  return FHint.Popup && FHint.Popup->HandleAllocated() && IsWindowVisible(FHint.Popup->Handle()) ? FHint.Popup->Text : std::string();
}

void TExtStringGrid::HideHint() {
  FHint.Col = FHint.Row = -1;
  if (FHint.Popup && FHint.Popup->HandleAllocated()) ShowWindow(FHint.Popup->Handle(), SW_HIDE);
}

// Moving onto another cell ends the shown hint and shows that cell's.
void TExtStringGrid::UpdateHint(int x, int y) {
  int col, row;
  if (!MouseToCell(x, y, col, row)) col = row = -1;
  if (col == FHint.Col && row == FHint.Row) return;
  HideHint();
  if (col < 0) return;
  FHint.Col = col, FHint.Row = row;
  POINT at;
  const std::string hint = CellHint(col, row, at);
  if (hint.empty()) return;
  ClientToScreen(FHandle, &at);
  ShowHintAt(hint, at, 0);
}
