// TExtStringGrid's input: header clicks that sort, the clipboard keys, the
// wheel and zoom, and the 500 ms timer for hovering and blinking cells.
#include <windowsx.h>

#include <algorithm>
#include <utility>

#include "ExtGrid.h"
#include "ExtGridDrop.h"
#include "ExtGridHTMLPaint.h"
#include "Shell.h"

namespace {
constexpr int kSortBorderMargin = 4;  // a release this close to a column border does not sort
constexpr UINT kHoverInterval = 500;
constexpr UINT kPanInterval = 10;
constexpr int kPanDeadZone = 5;  // pixels around the anchor that do not pan

// The pan cursor by direction; the system's sizing arrows stand for the
// program's own pan cursors.
HCURSOR PanCursor(int dx, int dy) {
  const char* id = IDC_SIZEALL;
  if (dx == 0 && dy != 0) id = IDC_SIZENS;
  else if (dy == 0 && dx != 0) id = IDC_SIZEWE;
  else if (dx != 0) id = (dx > 0) == (dy > 0) ? IDC_SIZENWSE : IDC_SIZENESW;
  return LoadCursor(nullptr, id);
}
}  // namespace

// The messages without a handler of their own; keys, characters, the focus,
// creation and sizing come through the handlers below.
LRESULT TExtStringGrid::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_DESTROY:  // also when the parent window goes first
      KillTimer(FHandle, kHoverTimerId);
      if (FOle.DropTarget) RevokeDragDrop(FHandle);
      FOle.DropTarget.reset();
      break;
    case WM_PAINT:
      if (FUpdateCount > 0) {
        ValidateRect(FHandle, nullptr);
        return 0;
      }
      break;
    case WM_VSCROLL:
    case WM_HSCROLL:
      if (lParam == 0 && ThumbScrolled(msg == WM_VSCROLL, LOWORD(wParam), HIWORD(wParam))) return 0;
      break;
    case WM_MOUSELEAVE:
      SetHoverAnchor(-1, -1, POINT{-1, -1}, "");
      HideHint();
      break;
  }
  return TStringGrid::WndProc(msg, wParam, lParam);
}

void TExtStringGrid::Created() {
  if (ColumnSize.Save) LoadColumnSizes();
  TStringGrid::Created();
  SetTimer(FHandle, kHoverTimerId, kHoverInterval, nullptr);
}

void TExtStringGrid::Sized(UINT kind, int width, int height) {
  TStringGrid::Sized(kind, width, height);
  StretchRightColumn();
  SynchColumnsWithWidth();
  UpdateProportionalBars();
}

bool TExtStringGrid::KeyPress(wchar_t& key) {
  if (LookupChar(char(EncodeChar(key)))) return true;
  // The numeric keypad's "." may type the decimal separator.
  if (ExcelStyleDecimalSeparator && key == L'.' && (GetKeyState(VK_DECIMAL) & 0x8000))
    key = DecodeChar(WPARAM((unsigned char)GridFormat().DecimalSeparator));
  // The character that opens a typed editor is handed on to it.
  FEdit.FirstChar = char(EncodeChar(key));
  const bool handled = TStringGrid::KeyPress(key);
  FEdit.FirstChar = 0;
  return handled;
}

bool TExtStringGrid::KeyUp(uint16_t& key, TShiftState) {
  switch (key) {
    case VK_PRIOR: case VK_NEXT: case VK_END: case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN:
    case VK_INSERT: case VK_DELETE:
      FLookup.clear();
  }
  const bool arrow = key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN;
  const bool tab = key == VK_TAB && (Options & goTabs);
  if (Navigation.AlwaysEdit && (arrow || tab) && GetFocus() == FHandle) ShowEditor();
  return false;
}

void TExtStringGrid::FocusEnter(HWND previous) {
  TStringGrid::FocusEnter(previous);
  // Focus coming back from an editor does not reopen it.
  if (Navigation.AlwaysEdit && !(previous && IsChild(FHandle, previous))) ShowEditor();
}

void TExtStringGrid::FocusExit(HWND next) {
  HideHint();
  TStringGrid::FocusExit(next);
}

void TExtStringGrid::DestroyHandle() {
  if (HandleAllocated()) {
    KillTimer(FHandle, kHoverTimerId);
    if (FOle.DropTarget) RevokeDragDrop(FHandle);
    FOle.DropTarget.reset();
  }
  TStringGrid::DestroyHandle();
}

void TExtStringGrid::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (FPanning) {  // any button ends panning
    EndPan();
    return;
  }
  if (button == mbMiddle && IntelliPan != ipNone) {
    StartPan(POINT{x, y});
    return;
  }
  FSized = false;
  if (!MouseToCell(x, y, FDownCol, FDownRow)) FDownCol = FDownRow = -1;
  // A double click on a header's column border fits the column to its content.
  if (button == mbLeft && (shift & ssDouble) && FDownRow == 0 && (Options & goColSizing)) {
    const int border = ColumnBorderAt(x);
    if (border >= 0 && (border == FDownCol || border >= FixedCols())) {
      AutoSizeColumn(border);
      FSized = true;
      return;
    }
  }
  if (MouseDownExtras(button, shift, x, y)) return;
  if (button == mbLeft && FDownCol >= 0) {
    std::string anchor = AnchorAt(FDownCol, FDownRow, POINT{x, y});
    if (!anchor.empty()) {
      ClickAnchor(FDownCol, FDownRow, anchor);
      return;  // nothing else happens for that press
    }
  }
  if (button == mbLeft && OleDragPress(shift, x, y)) return;
  TStringGrid::MouseDown(button, shift, x, y);
  MouseEditing(button, shift, x, y);
}

std::string TExtStringGrid::AnchorAt(int col, int row, POINT p) {
  if (IsPlainTextCell(col, row)) return {};
  const std::string& text = Cells(col, row);
  RECT r = CellRect(col, row);
  if (URLShow && IsURL(text) && CellTextKind(text, EnableHTML) == ctPlain) return text;
  if (CellTextKind(text, EnableHTML) != ctHTML) return {};
  TWindowDC dc(Handle());
  THTMLDrawContext c;
  c.DC = dc.DC();
  c.Rect = RECT{r.left + 2, r.top + 2, r.right, r.bottom};
  c.Font = col < FixedCols() || row < FixedRows() ? FixedFont : Font;
  c.WordWrap = WordWrap;
  c.Images = GridImages;
  c.Mouse = p;
  c.Measure = true;
  THTMLLayout layout = LayoutHTMLText(c, text);
  return layout.OnAnchor ? layout.Anchor : std::string();
}

void TExtStringGrid::ClickAnchor(int col, int row, const std::string& anchor) {
  bool allow = true;
  if (OnAnchorClick) OnAnchorClick(this, row, col, anchor, allow);
  if (!allow) return;
  const size_t cell = UpperCase(anchor).find("CELL://");
  if (cell == std::string::npos) {
    // Only web and mail addresses: a cell's text may come from others, and a
    // path or a "file:" URL would start whatever program it names.
    ShellOpenAddress(anchor);
    return;
  }
  TRCRef ref = ParseRCRef(anchor.substr(cell + 7));
  if (ref.Ok) FocusCell(ref.Col, ref.Row, true);
}

void TExtStringGrid::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft) OleDragRelease(x, y);
  if (MouseUpExtras(button, shift, x, y)) return;
  TStringGrid::MouseUp(button, shift, x, y);
  if (button == mbLeft && !FSized) MouseUpAfter(x, y);
  int col, row;
  if (button != mbLeft || FSized || !MouseToCell(x, y, col, row)) return;
  if (row != 0 || FDownRow != 0 || col != FDownCol) return;
  if (Options & goColSizing) {
    RECT r = CellRect(col, row);
    if (x - r.left < kSortBorderMargin || r.right - x < kSortBorderMargin) return;
  }
  if (col >= FixedCols() || SortFixedCols) HeaderClick(col);
}

void TExtStringGrid::HeaderClick(int col) {
  if (FixedRows() <= 0 || !SortShow || RowCount() <= 2) return;
  bool allow = true;
  const int real = FData.DisplayColToReal(col);
  if (OnCanSort) OnCanSort(this, real, allow);
  if (!allow) return;
  FData.SortFollowRow = Row();
  const bool sorted = FData.SortByHeader(real, SortIndexShow, KeyboardShift() & ssShift);
  const int follow = std::exchange(FData.SortFollowRow, -1);
  if (sorted && follow != Row() && follow >= FixedRows()) SetRow(follow);  // the current row follows its data
  Invalidate();
  if (OnClickSort) OnClickSort(this, FData.SortColumn);
}

bool TExtStringGrid::KeyDown(uint16_t& key, TShiftState shift) {
  if (FPanning) {  // any key ends panning
    EndPan();
    return true;
  }
  const bool ctrl = shift & ssCtrl, shiftOnly = (shift & ssShift) && !ctrl;
  if (Navigation.AllowClipboardShortCuts) {
    bool allow = true;
    if ((ctrl && key == 'X') || (shiftOnly && key == VK_DELETE)) {
      if (OnClipboardCut) OnClipboardCut(this, allow);
      if (allow) CutSelection();
      return true;
    }
    if (ctrl && (key == 'C' || key == VK_INSERT)) {
      if (OnClipboardCopy) OnClipboardCopy(this, allow);
      if (allow) CopySelectionToClipboard();
      return true;
    }
    if ((ctrl && key == 'V') || (shiftOnly && key == VK_INSERT)) {
      if (OnClipboardPaste) OnClipboardPaste(this, allow);
      if (allow) PasteIntoSelection();
      return true;
    }
  }
  if (EditingKey(key, shift) || TabWraps(key, shift)) return true;
  return KeyDownExtras(key, shift, TStringGrid::KeyDown(key, shift));
}

bool TExtStringGrid::MouseWheel(int delta, TShiftState shift, POINT screen) {
  UINT lines = 3;
  SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  const int step = std::max(int(lines), 1);
  if ((shift & ssCtrl) && IntelliZoom) {
    Zoom(delta < 0 ? step : -step);
    return true;
  }
  if (!EnableWheel) return false;
  const int lastRow = RowCount() - FData.FixedFooters - 1;
  int row = Row() + (delta < 0 ? step : -step);
  row = std::clamp(row, FixedRows(), std::max(lastRow, FixedRows()));
  const int col = std::clamp(Col(), FixedCols(), std::max(ColCount() - FData.FixedRightCols - 1, FixedCols()));
  FocusCell(col, row, true);
  return true;
}

void TExtStringGrid::Timer(UINT_PTR id) {
  if (id == kHoverTimerId) HoverTimer();
  if (id == kPanTimerId) PanTick();
}

void TExtStringGrid::StartPan(POINT client) {
  FPanning = true;
  FPanAnchor = client;
  SetTimer(Handle(), kPanTimerId, kPanInterval, nullptr);
  SetCapture(FHandle);
  SetCursor(PanCursor(0, 0));
}

void TExtStringGrid::EndPan() {
  FPanning = false;
  if (!HandleAllocated()) return;
  KillTimer(FHandle, kPanTimerId);
  if (GetCapture() == FHandle) ReleaseCapture();
  SetCursor(LoadCursor(nullptr, IDC_ARROW));
}

void TExtStringGrid::PanTick() {
  if (!FPanning) return;
  POINT p;
  GetCursorPos(&p);
  ScreenToClient(Handle(), &p);
  auto direction = [](int at, int anchor) { return at < anchor - kPanDeadZone ? -1 : at > anchor + kPanDeadZone ? 1 : 0; };
  const int dx = IntelliPan == ipVertical ? 0 : direction(p.x, FPanAnchor.x);
  const int dy = IntelliPan == ipHorizontal ? 0 : direction(p.y, FPanAnchor.y);
  SetCursor(PanCursor(dx, dy));
  const int lastCol = std::max(ColCount() - FData.FixedRightCols - 1, FixedCols());
  const int lastRow = std::max(RowCount() - FData.FixedFooters - 1, FixedRows());
  FocusCell(std::clamp(Col() + dx, FixedCols(), lastCol), std::clamp(Row() + dy, FixedRows(), lastRow), true);
}

void TExtStringGrid::HoverTimer() {
  if (Hovering && HandleAllocated()) {
    POINT p;
    GetCursorPos(&p);
    ScreenToClient(FHandle, &p);
    int col, row;
    RECT client{0, 0, ClientWidth(), ClientHeight()};
    if (PtInRect(&client, p) && MouseToCell(p.x, p.y, col, row) && !IsFixedCell(col, row) && !IsFixed(col, row)) {
      if (!Focused()) SetFocus();
      FocusCell(col, row, true);
    }
  }
  FBlinkOn = !FBlinkOn;
  // Only the shown cells that blink are repainted.
  const int lastShown = TopRow() + VisibleRowCount();
  for (int r = 0; r < RowCount(); ++r) {
    if (r >= FixedRows() && (r < TopRow() || r > lastShown)) continue;
    for (int c = 0; c < ColCount(); ++c)
      if (Cells(c, r).find("<BLI") != std::string::npos) InvalidateCell(c, r);
  }
}
