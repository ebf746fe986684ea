// TExtStringGrid's scroll bars: the common controls' flat scroll bars (each
// function looked up by name at every call and skipped when missing), the
// proportional thumbs, scroll hints and scaling the columns with the window.
#include <algorithm>
#include <cmath>

#include "ExtGrid.h"

namespace {
// Flat scroll bar properties and styles of the common controls.
constexpr int kPropHorzHeight = 4, kPropVertWidth = 8, kPropVertColor = 64, kPropHorzColor = 128;
constexpr int kPropVertStyle = 256, kPropHorzStyle = 512;
constexpr int kProportionalRange = 128;  // thumb positions 0..127
constexpr const char* kCommonControls = "comctl32.dll";
constexpr int kScrollHintWidth = 100;

template <class F>
F FlatFunction(const char* name) {
  HMODULE lib = GetModuleHandleA(kCommonControls);
  return lib ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(lib, name))) : nullptr;
}
using TInit = BOOL(WINAPI*)(HWND);
using TUninit = HRESULT(WINAPI*)(HWND);
using TSetProp = BOOL(WINAPI*)(HWND, UINT, INT_PTR, BOOL);
using TSetInfo = int(WINAPI*)(HWND, int, LPSCROLLINFO, BOOL);
using TShowBar = BOOL(WINAPI*)(HWND, int, BOOL);

// The style property's value for a scroll type.
int FlatStyle(int type) {
  return type == TExtStringGrid::ssFlat ? 2 : type == TExtStringGrid::ssEncarta ? 1 : 0;
}
}  // namespace

int TExtStringGrid::ScrollWidth() const { return FScroll.Width > 0 ? FScroll.Width : GetSystemMetrics(SM_CXVSCROLL); }

void TExtStringGrid::SetScrollType(int type) {
  FScroll.Type = type;
  ApplyFlatScrollBars();
}

void TExtStringGrid::SetScrollColor(TColor color) {
  FScroll.Color = color;
  ApplyFlatScrollBars();
}

void TExtStringGrid::SetScrollWidth(int width) {
  FScroll.Width = width;
  ApplyFlatScrollBars();
}

void TExtStringGrid::SetScrollProportional(bool on) {
  FScroll.Proportional = on;
  if (!on && FScroll.FlatOn && HandleAllocated()) {
    if (auto uninit = FlatFunction<TUninit>("UninitializeFlatSB")) uninit(FHandle);
    FScroll.FlatOn = false;
    SCROLLINFO si{sizeof si, SIF_PAGE, 0, 0, 0, 0, 0};
    SetScrollInfo(FHandle, SB_VERT, &si, TRUE);
    SetScrollInfo(FHandle, SB_HORZ, &si, TRUE);
    UpdateScrollBars();
    return;
  }
  ApplyFlatScrollBars();
}

void TExtStringGrid::ApplyFlatScrollBars() {
  if (!HandleAllocated()) return;
  if (!FScroll.FlatOn && (FScroll.Type != ssNormal || FScroll.Proportional))
    if (auto init = FlatFunction<TInit>("InitializeFlatSB")) FScroll.FlatOn = init(FHandle) != FALSE;
  if (FScroll.FlatOn) {
    if (auto prop = FlatFunction<TSetProp>("FlatSB_SetScrollProp")) {
      prop(FHandle, kPropVertStyle, FlatStyle(FScroll.Type), FALSE);
      prop(FHandle, kPropHorzStyle, FlatStyle(FScroll.Type), FALSE);
      if (FScroll.Color != clNone) {
        prop(FHandle, kPropVertColor, INT_PTR(ColorToRGB(FScroll.Color)), FALSE);
        prop(FHandle, kPropHorzColor, INT_PTR(ColorToRGB(FScroll.Color)), FALSE);
      }
      prop(FHandle, kPropVertWidth, ScrollWidth(), FALSE);
      prop(FHandle, kPropHorzHeight, ScrollWidth(), TRUE);
    }
  }
  UpdateProportionalBars();
}

// Each needed bar shows the visible part of all rows (columns) as its thumb.
void TExtStringGrid::UpdateProportionalBars() {
  if (!FScroll.Proportional || !FScroll.FlatOn || !HandleAllocated()) return;
  auto bar = [&](int which, int first, int count, int visible, int at) {
    const int total = count - first;
    const bool needed = total > visible && total > 0;
    if (auto show = FlatFunction<TShowBar>("FlatSB_ShowScrollBar")) show(FHandle, which, needed);
    if (!needed) return;
    SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, 0, kProportionalRange - 1, 0, 0, 0};
    si.nPage = UINT(kProportionalRange * visible / total);
    si.nPos = std::clamp((at - first) * kProportionalRange / total, 0, kProportionalRange - 1);
    if (auto set = FlatFunction<TSetInfo>("FlatSB_SetScrollInfo")) set(FHandle, which, &si, TRUE);
  };
  bar(SB_VERT, FixedRows(), RowCount(), VisibleRowCount(), TopRow());
  bar(SB_HORZ, FixedCols(), ColCount(), VisibleColCount(), LeftCol());
}

// A scroll writes back and hides a showing typed editor.
void TExtStringGrid::TopLeftChanged() {
  LeaveTypedEditor(true);
  TStringGrid::TopLeftChanged();
  UpdateProportionalBars();
}

// The thumb's row or column as the hint names it; a column counts its own
// fixed columns.
std::string TExtStringGrid::ScrollHintText(bool vertical, int position) {
  std::string text = (vertical ? "Row : " : "Col : ") + IntToStr(position);
  if (OnScrollHint) OnScrollHint(this, position, text);
  return text;
}

// With SynchWithGrid every column keeps its share of the client width.
bool TExtStringGrid::ThumbScrolled(bool vertical, int code, int thumb) {
  if (code == SB_ENDSCROLL) HideHint();
  if (code != SB_THUMBTRACK && code != SB_THUMBPOSITION) return false;
  // The thumb stands for a row (column); proportional bars count 0..127.
  SCROLLINFO si{sizeof si, SIF_TRACKPOS, 0, 0, 0, 0, 0};
  GetScrollInfo(FHandle, vertical ? SB_VERT : SB_HORZ, &si);
  int at = si.nTrackPos;
  if (FScroll.Proportional && FScroll.FlatOn) {
    const int first = vertical ? FixedRows() : FixedCols(), count = (vertical ? RowCount() : ColCount()) - first;
    at = first + thumb * count / kProportionalRange;
  }
  const bool shown = ScrollHints == shBoth || ScrollHints == (vertical ? shVertical : shHorizontal);
  if (shown && code == SB_THUMBTRACK) {
    POINT p;
    GetCursorPos(&p);
    ShowHintAt(ScrollHintText(vertical, at), POINT{p.x + 10, p.y}, kScrollHintWidth);
  }
  if (FScroll.Proportional && FScroll.FlatOn) vertical ? SetTopRow(at) : SetLeftCol(at);
  else if (vertical && ScrollSynch) SetTopRow(at);
  else return false;
  return true;
}

void TExtStringGrid::SynchColumnsWithWidth() {
  const int width = ClientWidth();
  if (ColumnSize.SynchWithGrid && FScroll.LastClientWidth > 0 && width > 0 && width != FScroll.LastClientWidth) {
    for (int c = 0; c < ColCount(); ++c)
      FData.SetColWidths(FData.DisplayColToReal(c), int(std::lround(double(ColWidths(c)) * width / FScroll.LastClientWidth)));
    ClampPosition();
  }
  if (width > 0) FScroll.LastClientWidth = width;
}

void TExtStringGrid::StretchRightColumn() {
  if (!ColumnSize.Stretch() || !HandleAllocated() || ColCount() <= 0) return;
  const int width = ClientWidth(), last = ColCount() - 1;
  if (ColCount() == 1) {
    SetColWidths(0, width);
    return;
  }
  int others = 0;
  for (int c = 0; c < last; ++c) others += ColWidths(c) + GridLineWidth;
  if (others < width) SetColWidths(last, width - others - 1);
}
