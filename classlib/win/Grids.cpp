// TStringGrid: layout, painting, scrolling, selection, keys and column sizing.
#include "Grids.h"

#include <algorithm>

namespace {
constexpr int SizingMargin = 4;  // pixels either side of a column border that start sizing
constexpr int TextOffset = 2;    // text starts this far right and down of a cell's corner
const std::string EmptyText;
}  // namespace

TStringGrid::TStringGrid(TComponent* owner) : TWinControl(owner) {
  Color = clWindow;
  FColWidths.assign(5, DefaultColWidth);
  FRowHeights.assign(5, DefaultRowHeight);
  FCells.assign(5, std::vector<std::string>(5));
}

void TStringGrid::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.Style |= WS_TABSTOP | WS_HSCROLL | WS_VSCROLL | WS_BORDER;
}

// --- the own cell store

void TStringGrid::SetColCount(int n) {
  n = std::max(n, 1);
  FColWidths.resize(size_t(n), DefaultColWidth);
  for (auto& row : FCells) row.resize(size_t(n));
  ClampPosition();
}

void TStringGrid::SetRowCount(int n) {
  n = std::max(n, 1);
  FRowHeights.resize(size_t(n), DefaultRowHeight);
  FCells.resize(size_t(n), std::vector<std::string>(FColWidths.size()));
  ClampPosition();
}

void TStringGrid::SetColWidths(int col, int width) {
  FColWidths.at(size_t(col)) = std::max(width, 0);
  UpdateScrollBars();
  Invalidate();
}

void TStringGrid::SetRowHeights(int row, int height) {
  FRowHeights.at(size_t(row)) = std::max(height, 0);
  UpdateScrollBars();
  Invalidate();
}

const std::string& TStringGrid::Cells(int col, int row) const {
  if (row < 0 || col < 0 || size_t(row) >= FCells.size() || size_t(col) >= FCells[size_t(row)].size()) return EmptyText;
  return FCells[size_t(row)][size_t(col)];
}

void TStringGrid::SetCells(int col, int row, const std::string& text) {
  if (row < 0 || col < 0 || size_t(row) >= FCells.size() || size_t(col) >= FCells[size_t(row)].size()) return;
  FCells[size_t(row)][size_t(col)] = text;
  InvalidateCell(col, row);
}

void TStringGrid::SetFixedCols(int n) {
  FFixedCols = std::clamp(n, 0, std::max(ColCount() - 1, 0));
  ClampPosition();
}

void TStringGrid::SetFixedRows(int n) {
  FFixedRows = std::clamp(n, 0, std::max(RowCount() - 1, 0));
  ClampPosition();
}

void TStringGrid::ClampPosition() {
  FCol = ClampCol(FCol), FRow = ClampRow(FRow);
  FAnchorCol = ClampCol(FAnchorCol), FAnchorRow = ClampRow(FAnchorRow);
  FTopRow = std::clamp(FTopRow, FixedRows(), MaxTopRow());
  FLeftCol = std::clamp(FLeftCol, FixedCols(), MaxLeftCol());
  UpdateScrollBars();
  Invalidate();
  if (EditorMode()) PlaceEditor();
}

int TStringGrid::ClampCol(int col) const { return std::clamp(col, FixedCols(), std::max(ColCount() - 1, FixedCols())); }
int TStringGrid::ClampRow(int row) const { return std::clamp(row, FixedRows(), std::max(RowCount() - 1, FixedRows())); }

// --- layout

namespace {
// Along one direction (rows or columns): count cells, the first fixed ones,
// sizes from size(i), each followed by a grid line of width line.
template <class Size>
int FixedExtent(int fixed, int count, int line, Size size) {
  int extent = 0;
  for (int i = 0; i < fixed && i < count; ++i) extent += size(i) + line;
  return extent;
}
// The last first scrolled cell from which the cells to the end still fit in room.
template <class Size>
int LastFirstCell(int fixed, int count, int room, int line, Size size) {
  room -= FixedExtent(fixed, count, line, size);
  int first = count - 1;
  for (int i = count - 1; i >= fixed; --i) {
    room -= size(i) + line;
    if (room < 0) break;
    first = i;
  }
  return std::max(first, fixed);
}
// How many scrolled cells from first are wholly shown in room.
template <class Size>
int WhollyShown(int fixed, int count, int first, int room, int line, Size size) {
  int edge = FixedExtent(fixed, count, line, size), n = 0;
  for (int i = first; i < count; ++i) {
    edge += size(i) + line;
    if (edge > room) break;
    ++n;
  }
  return n;
}
}  // namespace

int TStringGrid::MaxTopRow() const {
  return LastFirstCell(FixedRows(), RowCount(), ClientHeight(), GridLineWidth, [&](int r) { return RowHeights(r); });
}

int TStringGrid::MaxLeftCol() const {
  return LastFirstCell(FixedCols(), ColCount(), ClientWidth(), GridLineWidth, [&](int c) { return ColWidths(c); });
}

int TStringGrid::VisibleRowCount() const {
  return WhollyShown(FixedRows(), RowCount(), FTopRow, ClientHeight(), GridLineWidth,
                     [&](int r) { return RowHeights(r); });
}

int TStringGrid::VisibleColCount() const {
  return WhollyShown(FixedCols(), ColCount(), FLeftCol, ClientWidth(), GridLineWidth,
                     [&](int c) { return ColWidths(c); });
}

RECT TStringGrid::CellRect(int col, int row) const {
  RECT r{};
  if (col < 0 || row < 0 || col >= ColCount() || row >= RowCount()) return r;
  if ((col >= FixedCols() && col < FLeftCol) || (row >= FixedRows() && row < FTopRow)) return r;
  int x = 0, y = 0;
  for (int c = 0; c < col; ++c)
    if (c < FixedCols() || c >= FLeftCol) x += ColWidths(c) + GridLineWidth;
  for (int rr = 0; rr < row; ++rr)
    if (rr < FixedRows() || rr >= FTopRow) y += RowHeights(rr) + GridLineWidth;
  if (x >= ClientWidth() || y >= ClientHeight()) return r;
  return RECT{x, y, x + ColWidths(col), y + RowHeights(row)};
}

bool TStringGrid::MouseToCell(int x, int y, int& col, int& row) const {
  col = row = -1;
  int edge = 0;
  for (int c = 0; c < ColCount(); ++c) {
    if (c >= FixedCols() && c < FLeftCol) continue;
    edge += ColWidths(c) + GridLineWidth;
    if (x < edge) { col = c; break; }
  }
  edge = 0;
  for (int r = 0; r < RowCount(); ++r) {
    if (r >= FixedRows() && r < FTopRow) continue;
    edge += RowHeights(r) + GridLineWidth;
    if (y < edge) { row = r; break; }
  }
  return x >= 0 && y >= 0 && col >= 0 && row >= 0;
}

int TStringGrid::ColumnBorderAt(int x) const {
  int edge = 0;
  for (int c = 0; c < ColCount(); ++c) {
    if (c >= FixedCols() && c < FLeftCol) continue;
    edge += ColWidths(c) + GridLineWidth;
    if (std::abs(x - edge) <= SizingMargin) return c;
    if (edge > x + SizingMargin) break;
  }
  return -1;
}

void TStringGrid::InvalidateCell(int col, int row) {
  if (!HandleAllocated()) return;
  RECT r = CellRect(col, row);
  InflateRect(&r, GridLineWidth, GridLineWidth);
  InvalidateRect(FHandle, &r, FALSE);
}

void TStringGrid::InvalidateRow(int row) {
  if (!HandleAllocated()) return;
  RECT r = CellRect(0, row);
  r.right = ClientWidth();
  InflateRect(&r, 0, GridLineWidth);
  InvalidateRect(FHandle, &r, FALSE);
}

// --- scrolling

// A bar shows only while there is something to scroll: a page larger than
// the range hides it (and the client area grows by its width).
void TStringGrid::UpdateScrollBars() {
  if (!HandleAllocated()) return;
  auto set = [&](int bar, int first, int max, int pos) {
    SCROLLINFO si{sizeof si, SIF_RANGE | SIF_POS | SIF_PAGE, 0, 0, 0, 0, 0};
    si.nMin = first;
    si.nMax = max > first ? max : first;
    si.nPage = max > first ? 1 : UINT(si.nMax - si.nMin + 1);
    si.nPos = pos;
    SetScrollInfo(FHandle, bar, &si, TRUE);
  };
  set(SB_VERT, FixedRows(), MaxTopRow(), FTopRow);
  set(SB_HORZ, FixedCols(), MaxLeftCol(), FLeftCol);
}

void TStringGrid::SetTopRow(int row) {
  row = std::clamp(row, FixedRows(), MaxTopRow());
  if (row == FTopRow) return;
  FTopRow = row;
  UpdateScrollBars();
  Invalidate();
  TopLeftChanged();
}

void TStringGrid::SetLeftCol(int col) {
  col = std::clamp(col, FixedCols(), MaxLeftCol());
  if (col == FLeftCol) return;
  FLeftCol = col;
  UpdateScrollBars();
  Invalidate();
  TopLeftChanged();
}

void TStringGrid::TopLeftChanged() {
  if (EditorMode()) PlaceEditor();
  if (OnTopLeftChanged) OnTopLeftChanged(this);
}

void TStringGrid::Scrolled(int bar, int code) {
  bool vert = bar == SB_VERT;
  int pos = vert ? FTopRow : FLeftCol;
  int page = std::max(vert ? VisibleRowCount() : VisibleColCount(), 1);
  SCROLLINFO si{sizeof si, SIF_TRACKPOS, 0, 0, 0, 0, 0};
  switch (code) {
    case SB_LINEUP: --pos; break;
    case SB_LINEDOWN: ++pos; break;
    case SB_PAGEUP: pos -= page; break;
    case SB_PAGEDOWN: pos += page; break;
    case SB_TOP: pos = 0; break;
    case SB_BOTTOM: pos = vert ? RowCount() : ColCount(); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
      GetScrollInfo(FHandle, bar, &si);
      pos = si.nTrackPos;
      break;
    default: return;
  }
  if (vert) SetTopRow(pos);
  else SetLeftCol(pos);
}

// --- the current cell and the selection

bool TStringGrid::SelectCell(int col, int row) {
  bool can = true;
  if (OnSelectCell) OnSelectCell(this, col, row, can);
  // An open edit ends before the move; a refused text keeps the cell.
  return can && EndEditor();
}

void TStringGrid::FocusCell(int col, int row, bool moveAnchor) {
  col = ClampCol(col), row = ClampRow(row);
  if ((col != FCol || row != FRow) && !SelectCell(col, row)) return;
  TGridRect old = Selection();
  FCol = col, FRow = row;
  if (moveAnchor || !(Options & goRangeSelect)) FAnchorCol = col, FAnchorRow = row;
  // Scroll the cell into view.
  // A far jump lands at once as if the sizes were equal; the steps after it
  // make up for rows or columns of other sizes.
  if (row < FTopRow) SetTopRow(row);
  else if (row >= FTopRow + std::max(VisibleRowCount(), 1)) SetTopRow(row - std::max(VisibleRowCount(), 1) + 1);
  while (row >= FTopRow + std::max(VisibleRowCount(), 1) && FTopRow < MaxTopRow()) SetTopRow(FTopRow + 1);
  if (col < FLeftCol) SetLeftCol(col);
  else if (col >= FLeftCol + std::max(VisibleColCount(), 1)) SetLeftCol(col - std::max(VisibleColCount(), 1) + 1);
  while (col >= FLeftCol + std::max(VisibleColCount(), 1) && FLeftCol < MaxLeftCol()) SetLeftCol(FLeftCol + 1);
  TGridRect now = Selection();
  if (!HandleAllocated()) return;
  for (const TGridRect& g : {old, now}) {
    RECT a = CellRect(std::max(g.Left, FLeftCol), std::max(g.Top, FTopRow));
    RECT b = CellRect(g.Right, g.Bottom);
    if (IsRectEmpty(&b)) b = RECT{0, 0, ClientWidth(), ClientHeight()};
    RECT u{a.left - GridLineWidth, a.top - GridLineWidth, b.right + GridLineWidth, b.bottom + GridLineWidth};
    InvalidateRect(FHandle, &u, FALSE);
  }
}

TGridRect TStringGrid::Selection() const {
  TGridRect r{std::min(FCol, FAnchorCol), std::min(FRow, FAnchorRow), std::max(FCol, FAnchorCol),
              std::max(FRow, FAnchorRow)};
  if (Options & goRowSelect) r.Left = FixedCols(), r.Right = ColCount() - 1;
  return r;
}

void TStringGrid::SetSelection(const TGridRect& r) {
  // An open edit ends on its own cell first.
  if (!EndEditor()) HideEditor();
  FAnchorCol = ClampCol(r.Left), FAnchorRow = ClampRow(r.Top);
  FCol = ClampCol(r.Right), FRow = ClampRow(r.Bottom);
  Invalidate();
}

// --- painting

void TStringGrid::Paint(TCanvas& canvas, const RECT& area) {
  canvas.BrushColor = Color;
  canvas.FillRect(area);
  const bool focused = Focused();
  const TGridRect sel = Selection();
  TPenHandle line(CreatePen(PS_SOLID, 1, ColorToRGB(clSilver)));
  TPenHandle fixedLine(CreatePen(PS_SOLID, 1, ColorToRGB(clBlack)));
  int y = 0;
  for (int r = 0; r < RowCount() && y < ClientHeight(); ++r) {
    if (r >= FixedRows() && r < FTopRow) continue;
    int x = 0;
    for (int c = 0; c < ColCount() && x < ClientWidth(); ++c) {
      if (c >= FixedCols() && c < FLeftCol) continue;
      RECT cell{x, y, x + ColWidths(c), y + RowHeights(r)};
      RECT common;
      const bool fixed = IsFixedCell(c, r);
      if (IntersectRect(&common, &cell, &area) || cell.right == cell.left) {
        TGridDrawState state = fixed ? TGridDrawState(gdFixed) : 0;
        if (!fixed && c >= sel.Left && c <= sel.Right && r >= sel.Top && r <= sel.Bottom) {
          if (c == FCol && r == FRow && !(Options & goRowSelect)) state |= gdFocused;
          if (!(state & gdFocused) || (Options & goDrawFocusSelected)) state |= gdSelected;
        }
        int saved = SaveDC(canvas.Handle());
        IntersectClipRect(canvas.Handle(), cell.left, cell.top, cell.right, cell.bottom);
        DrawCell(canvas, c, r, cell, state);
        if (OnDrawCell) OnDrawCell(this, c, r, cell, state);
        RestoreDC(canvas.Handle(), saved);
        if ((state & gdFocused) && focused) DrawFocusRect(canvas.Handle(), &cell);
        // Grid lines along the right and bottom edges.
        const bool vert = Options & (fixed ? goFixedVertLine : goVertLine);
        const bool horz = Options & (fixed ? goFixedHorzLine : goHorzLine);
        if (GridLineWidth > 0 && (vert || horz)) {
          TSelectGuard pen(canvas.Handle(), (fixed ? fixedLine : line).Get());
          if (vert) {
            MoveToEx(canvas.Handle(), cell.right, cell.top, nullptr);
            LineTo(canvas.Handle(), cell.right, cell.bottom + GridLineWidth);
          }
          if (horz) {
            MoveToEx(canvas.Handle(), cell.left, cell.bottom, nullptr);
            LineTo(canvas.Handle(), cell.right + GridLineWidth, cell.bottom);
          }
        }
      }
      x = cell.right + GridLineWidth;
    }
    y += RowHeights(r) + GridLineWidth;
  }
}

void TStringGrid::DrawCell(TCanvas& canvas, int col, int row, RECT rect, TGridDrawState state) {
  if (!DefaultDrawing) return;
  canvas.BrushColor = (state & gdFixed) ? FixedColor : (state & gdSelected) ? TColor(clHighlight) : Color;
  canvas.FillRect(rect);
  canvas.Font = Font;
  if (state & gdSelected) canvas.Font.Color = clHighlightText;
  canvas.TextRect(rect, rect.left + TextOffset, rect.top + TextOffset, Cells(col, row));
  if (state & gdFixed) DrawEdge(canvas.Handle(), &rect, BDR_RAISEDINNER, BF_RECT);
}

// --- mouse

bool TStringGrid::SetCursorAt(POINT client) {
  int c, r;
  const bool sizing = FSizingCol >= 0 ||
                      ((Options & goColSizing) && MouseToCell(client.x, client.y, c, r) && r < FixedRows() &&
                       ColumnBorderAt(client.x) >= 0);
  if (sizing) {
    SetCursor(LoadCursor(nullptr, IDC_SIZEWE));
    return true;
  }
  return TWinControl::SetCursorAt(client);
}

void TStringGrid::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft && HandleAllocated() && GetFocus() != FHandle) SetFocus();
  int col, row;
  const bool onCell = MouseToCell(x, y, col, row);
  if (button == mbLeft && onCell && (Options & goColSizing) && row < FixedRows() && !(shift & ssDouble)) {
    int border = ColumnBorderAt(x);
    if (border >= 0 && CanSizeColumn(border)) {
      FSizingCol = border, FSizingStartX = x, FSizingStartWidth = ColWidths(border);
      SetCapture(FHandle);
      TWinControl::MouseDown(button, shift, x, y);
      return;
    }
  }
  if (button == mbLeft && onCell && !IsFixedCell(col, row)) {
    FocusCell(col, row, !(shift & ssShift));
    FSelecting = (Options & goRangeSelect) != 0;
    if (FSelecting) SetCapture(FHandle);
  }
  TWinControl::MouseDown(button, shift, x, y);
}

void TStringGrid::MouseMove(TShiftState shift, int x, int y) {
  if (FSizingCol >= 0) {
    SetColWidths(FSizingCol, std::max(FSizingStartWidth + x - FSizingStartX, 0));
    if (EditorMode()) PlaceEditor();
  } else if (FSelecting) {
    int col, row;
    if (MouseToCell(std::max(x, 0), std::max(y, 0), col, row)) FocusCell(col, row, false);
  }
  TWinControl::MouseMove(shift, x, y);
}

void TStringGrid::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  const int sized = FSizingCol;
  if (sized >= 0 || FSelecting) ReleaseCapture();
  FSizingCol = -1;
  FSelecting = false;
  if (sized >= 0) ColumnSized(sized);
  TWinControl::MouseUp(button, shift, x, y);
}

// --- in-place editing

TInplaceEdit::TInplaceEdit(TStringGrid& grid) : TCustomEdit(nullptr), FGrid(grid) {
  FVisible = false;
  SetParent(&grid);
}

void TInplaceEdit::CreateParams(TCreateParams& params) {
  TCustomEdit::CreateParams(params);
  params.Style = (params.Style & ~WS_TABSTOP) | ES_AUTOHSCROLL;
  params.ExStyle &= ~WS_EX_CLIENTEDGE;
}

void TInplaceEdit::SelectAll() { SendMessageA(Handle(), EM_SETSEL, 0, -1); }

void TInplaceEdit::GetSel(int& start, int& end) const {
  DWORD s = 0, e = 0;
  if (FHandle) SendMessageA(FHandle, EM_GETSEL, WPARAM(&s), LPARAM(&e));
  start = int(s), end = int(e);
}

void TInplaceEdit::SetSel(int start, int end) { SendMessageA(Handle(), EM_SETSEL, WPARAM(start), LPARAM(end)); }

bool TInplaceEdit::EditKeyDown(uint16_t key, TShiftState shift) {
  switch (key) {
    case VK_ESCAPE:
      FGrid.CancelEditor();
      return true;
    case VK_RETURN:
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
      FGrid.EditorKey(key, shift);
      return true;
    case VK_TAB:
      if (!(FGrid.Options & goTabs)) return false;
      FGrid.EditorKey(key, shift);
      return true;
  }
  return false;
}

void TInplaceEdit::FocusLost() { FGrid.EndEditor(); }

void TInplaceEdit::SetEditText(const std::string& value) { SetText(IsMasked() ? FMask.Format(value) : value); }

std::string TInplaceEdit::EditText() const { return IsMasked() ? FMask.Value(Text()) : Text(); }

void TInplaceEdit::MaskedInsert(const std::string& text) {
  int start, end;
  GetSel(start, end);
  std::string shown = Text();
  FMask.Clear(shown, start, end);
  int caret = start;
  int skippedFrom = caret;  // typing stepped over the literals from here to the caret
  for (char c : text) {
    // A literal of the pasted text matches its own place in the mask, also
    // when typing the character before it stepped over that place already.
    int literal = -1;
    for (int p = skippedFrom; p <= caret && p < FMask.Length() && literal < 0; ++p)
      if (FMask.IsLiteral(p) && shown[size_t(p)] == c) literal = p;
    if (literal >= 0) {
      skippedFrom = literal + 1;
      caret = std::max(caret, skippedFrom);
      continue;
    }
    const int typedAt = FMask.NextInput(caret);
    if (FMask.Type(shown, caret, c)) skippedFrom = typedAt + 1;
    else MessageBeep(MB_OK);
  }
  SetText(shown);
  SetSel(caret, caret);
}

void TInplaceEdit::MaskedClear(bool back) {
  int start, end;
  GetSel(start, end);
  std::string shown = Text();
  if (start == end) {
    // Backspace empties the input position before the caret, Delete the one at it.
    const int p = back ? FMask.PrevInput(start) : FMask.NextInput(start);
    if (p < 0 || p >= FMask.Length()) return;
    start = p, end = p + 1;
  }
  FMask.Clear(shown, start, end);
  SetText(shown);
  const int caret = back ? start : FMask.NextInput(start);
  SetSel(caret, caret);
}

bool TInplaceEdit::MaskedKey(UINT msg, WPARAM wParam) {
  switch (msg) {
    case WM_CHAR: {
      const char c = char(wParam);
      if (c == 8) {
        MaskedClear(true);
        return true;
      }
      if ((unsigned char)c < 32) return false;
      int start, end;
      GetSel(start, end);
      std::string shown = Text();
      FMask.Clear(shown, start, end);
      int caret = start;
      if (FMask.Type(shown, caret, c)) {
        SetText(shown);
        SetSel(caret, caret);
      } else {
        MessageBeep(MB_OK);
      }
      return true;
    }
    case WM_KEYDOWN:
      // The edit's own Delete, Shift+Delete (cut) and Shift+Insert (paste)
      // would move the characters after the caret off their positions.
      if (wParam == VK_INSERT && ShiftIs(KeyboardShift(), ssShift)) {
        MaskedPaste();
        return true;
      }
      if (wParam != VK_DELETE) return false;
      if (KeyboardShift() & ssShift) TCustomEdit::WndProc(WM_COPY, 0, 0);
      MaskedClear(false);
      return true;
    case WM_UNDO:
      return true;  // the edit's undo knows nothing of the mask
    case WM_CUT:
      TCustomEdit::WndProc(WM_COPY, 0, 0);
      MaskedClear(false);
      return true;
    case WM_CLEAR:
      MaskedClear(false);
      return true;
    case WM_PASTE:
      MaskedPaste();
      return true;
  }
  return false;
}

LRESULT TInplaceEdit::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_GETDLGCODE: {
      // In a modal form Enter and Escape stay here; Tab only with goTabs.
      const LRESULT code = DLGC_WANTCHARS | DLGC_WANTARROWS | DLGC_HASSETSEL;
      const auto* m = reinterpret_cast<const MSG*>(lParam);
      if (m && m->message == WM_KEYDOWN && m->wParam == VK_TAB && !(FGrid.Options & goTabs)) return code;
      return code | DLGC_WANTALLKEYS;
    }
    case WM_KEYDOWN:
      if (EditKeyDown(uint16_t(wParam), KeyboardShift())) return 0;
      if (IsMasked() && MaskedKey(msg, wParam)) return 0;
      break;
    case WM_CHAR: {
      char c = char(wParam);
      // Enter, Escape and Tab are handled as keys; the edit would beep at them.
      if (c == '\r' || c == '\n' || c == 27 || c == '\t') return 0;
      if (!AcceptChar(c)) return 0;
      wParam = WPARAM((unsigned char)c);
      if (IsMasked() && MaskedKey(msg, wParam)) return 0;
      break;
    }
    case WM_CUT:
    case WM_CLEAR:
    case WM_PASTE:
    case WM_UNDO:
      if (IsMasked() && MaskedKey(msg, wParam)) return 0;
      break;
    case WM_SETFOCUS:
      FocusGained();
      break;
    case WM_KILLFOCUS:
      if (HWND(wParam) != FGrid.Handle() && Visible()) {
        LRESULT r = TCustomEdit::WndProc(msg, wParam, lParam);
        FocusLost();
        return r;
      }
      break;
    case WM_LBUTTONDBLCLK:
      DblClicked();
      break;
  }
  return TCustomEdit::WndProc(msg, wParam, lParam);
}

std::unique_ptr<TInplaceEdit> TStringGrid::CreateEditor() { return std::make_unique<TInplaceEdit>(*this); }

bool TStringGrid::CanEditShow() { return (Options & goEditing) && !(Options & goRowSelect) && !IsFixedCell(FCol, FRow); }

bool TStringGrid::EditorMode() const { return FInplaceEdit && FInplaceEdit->Visible(); }

void TStringGrid::PlaceEditor() {
  RECT r = CellRect(FCol, FRow);
  FInplaceEdit->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

void TStringGrid::ShowEditor() {
  if (EditorMode() || !HandleAllocated() || !CanEditShow()) return;
  const bool made = !FInplaceEdit;
  if (made) FInplaceEdit = CreateEditor();
  FInplaceEdit->Font = Font;
  // Placed first: a window made anew for the text starts on its cell.
  PlaceEditor();
  const std::string text = GetEditText(FCol, FRow);
  FInplaceEdit->SetEditMask(GetEditMask(FCol, FRow));
  FInplaceEdit->SetEditText(text);
  FInplaceEdit->SetVisible(true);
  FInplaceEdit->SetFocus();
  FInplaceEdit->SelectOnShow();
  // Making the edit window leaves cells unpainted under Wine: all are painted again.
  if (made) Invalidate();
}

void TStringGrid::ShowEditorChar(char c) {
  ShowEditor();
  if (!EditorMode()) return;
  FInplaceEdit->SelectAll();
  SendMessageA(FInplaceEdit->Handle(), WM_CHAR, WPARAM((unsigned char)c), 0);
}

void TStringGrid::HideEditor() {
  if (!EditorMode()) return;
  // The grid takes the focus first, so the edit's losing it ends nothing.
  if (FInplaceEdit->Focused()) SetFocus();
  FInplaceEdit->SetVisible(false);
  InvalidateCell(FCol, FRow);
}

std::string TStringGrid::GetEditMask(int col, int row) {
  std::string mask;
  if (OnGetEditMask) OnGetEditMask(this, col, row, mask);
  return mask;
}

bool TStringGrid::EndEditor() {
  if (!EditorMode()) return true;
  SetEditText(FCol, FRow, FInplaceEdit->EditText());
  HideEditor();
  return true;
}

void TStringGrid::CancelEditor() { HideEditor(); }

void TStringGrid::EditorKey(uint16_t key, TShiftState shift) {
  if (!EndEditor() || key == VK_RETURN) return;
  KeyDown(key, shift);
}

// --- keys

bool TStringGrid::KeyTarget(uint16_t key, TShiftState shift, int& col, int& row) const {
  col = FCol, row = FRow;
  const int page = std::max(VisibleRowCount(), 1);
  switch (key) {
    case VK_UP: --row; break;
    case VK_DOWN: ++row; break;
    case VK_LEFT: --col; break;
    case VK_RIGHT: ++col; break;
    case VK_PRIOR: row -= page; break;
    case VK_NEXT: row += page; break;
    case VK_HOME: (shift & ssCtrl) ? row = FixedRows() : col = FixedCols(); break;
    case VK_END: (shift & ssCtrl) ? row = RowCount() - 1 : col = ColCount() - 1; break;
    case VK_TAB:
      if (!(Options & goTabs)) return false;
      col += (shift & ssShift) ? -1 : 1;
      break;
    default: return false;
  }
  col = ClampCol(col), row = ClampRow(row);
  return true;
}

bool TStringGrid::KeyDown(uint16_t& key, TShiftState shift) {
  int col, row;
  if ((Options & goEditing) && !EditorMode() && (key == VK_F2 || key == VK_RETURN)) {
    ShowEditor();
    return true;
  }
  if (!KeyTarget(key, shift, col, row)) return false;
  FocusCell(col, row, !(shift & ssShift) || key == VK_TAB);
  return true;
}

bool TStringGrid::KeyPress(wchar_t& key) {
  // Backspace or a printable character opens the editor with it.
  if ((Options & goEditing) && (key == 8 || key >= 32) && !EditorMode()) {
    ShowEditorChar(char(EncodeChar(key)));
    return true;
  }
  return false;
}

bool TStringGrid::WantedKeys(const MSG*, LRESULT& code) {
  code = DLGC_WANTARROWS | DLGC_WANTCHARS | ((Options & goTabs) ? DLGC_WANTTAB : 0);
  return true;
}

// The current cell is drawn focused only while the grid has the focus.
void TStringGrid::FocusEnter(HWND) { InvalidateCell(FCol, FRow); }

void TStringGrid::FocusExit(HWND) { InvalidateCell(FCol, FRow); }

void TStringGrid::Created() { UpdateScrollBars(); }

void TStringGrid::Sized(UINT, int, int) { ClampPosition(); }

LRESULT TStringGrid::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if ((msg == WM_VSCROLL || msg == WM_HSCROLL) && lParam == 0) {  // the grid's own scroll bars
    Scrolled(msg == WM_VSCROLL ? SB_VERT : SB_HORZ, LOWORD(wParam));
    return 0;
  }
  return TWinControl::WndProc(msg, wParam, lParam);
}
