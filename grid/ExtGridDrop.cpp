// The grid's drop target and what a drop does: dropped text is pasted at the
// cell under the mouse, rich text goes into one cell, a dropped delimited
// file or workbook is loaded, a dropped column goes to OnOleDropCol.
#include "ExtGridDrop.h"

#include <algorithm>

#include "EsgArrow.h"
#include "EsgMisc.h"
#include "ExtGrid.h"
#include "WinGraphics.h"

// --- drop target

TGridDropTarget::TGridDropTarget(TExtStringGrid& grid) : FGrid(grid) { TakeGridSettings(); }

void TGridDropTarget::TakeGridSettings() {
  AcceptText = FGrid.OleAcceptText;
  AcceptFiles = FGrid.OleAcceptFiles;
  // A dropped column means something only to a grid that handles it.
  AcceptCols = bool(FGrid.OnOleDropCol);
}

POINT TGridDropTarget::Client(POINT screen) const {
  ScreenToClient(FGrid.Handle(), &screen);
  return screen;
}

HRESULT TGridDropTarget::DragEnter(IDataObject* data, DWORD keys, POINTL pt, DWORD* effect) {
  TakeGridSettings();
  return TESGDropTarget::DragEnter(data, keys, pt, effect);
}

HRESULT TGridDropTarget::Drop(IDataObject* data, DWORD keys, POINTL pt, DWORD* effect) {
  TakeGridSettings();
  const HRESULT result = TESGDropTarget::Drop(data, keys, pt, effect);
  HideMarkers();
  return result;
}

void TGridDropTarget::DragMouseMove(POINT pt, bool& accept, int formats) {
  const bool columns = formats & dfColumn;
  int col, row;
  accept = FGrid.OleDragOver(Client(pt), formats, col, row);
  if (accept) ShowMarkers(col, row, columns);
  else HideMarkers();
}

// The grid's arrow windows: for a column drag, down and up arrows above and
// below the grid at the target column's left edge; otherwise a right arrow
// just left of the target cell (or row).
void TGridDropTarget::ShowMarkers(int col, int row, bool columns) {
  const RECT cell = FGrid.CellRect(col, row);
  const int left = columns || !FGrid.OleEntireRows ? cell.left : 0;
  TArrowWindow *down = FGrid.Arrow(adDown), *up = FGrid.Arrow(adUp), *right = FGrid.Arrow(adRight);
  if (columns) {
    right->Hide();
    POINT top{left - down->Width() / 2, -down->Height()}, bottom{left - up->Width() / 2, FGrid.ClientHeight()};
    ClientToScreen(FGrid.Handle(), &top);
    ClientToScreen(FGrid.Handle(), &bottom);
    down->ShowAt(top.x, top.y);
    up->ShowAt(bottom.x, bottom.y);
    return;
  }
  down->Hide();
  up->Hide();
  POINT at{left - right->Width(), (cell.top + cell.bottom - right->Height()) / 2};
  ClientToScreen(FGrid.Handle(), &at);
  right->ShowAt(at.x, at.y);
}

void TGridDropTarget::HideMarkers() {
  for (int d : {adDown, adUp, adRight}) FGrid.Arrow(d)->Hide();
}

bool TGridDropTarget::DropText(POINT pt, const std::string& text) { return FGrid.DropText(Client(pt), text); }
bool TGridDropTarget::DropRTF(POINT pt, const std::string& text) { return FGrid.DropRichText(Client(pt), text); }
bool TGridDropTarget::DropCol(POINT pt, int col) { return FGrid.DropColumn(Client(pt), col); }
bool TGridDropTarget::DropFiles(POINT, const std::vector<std::string>& names) { return FGrid.DropFiles(names); }

// --- the grid's side

void TExtStringGrid::SetOleDropTarget(bool on) {
  if (on == OleDropTarget()) return;
  if (on) {
    FOle.DropTarget.reset(new TGridDropTarget(*this));
    RegisterDragDrop(Handle(), FOle.DropTarget.get());
  } else {
    if (HandleAllocated()) RevokeDragDrop(FHandle);
    FOle.DropTarget.reset();
  }
}

void TExtStringGrid::SetOleDropRTF(bool on) {
  FOle.DropRTF = on;
  SetOleRichTextDrops(on);
}

// Drops land on normal cells (and on the lone row of a one-row grid that
// keeps its fixed row); columns not on fixed columns; text not on the range
// that this grid is dragging itself.
bool TExtStringGrid::DropCell(POINT client, bool columns, int& col, int& row) const {
  if (!MouseToCell(client.x, client.y, col, row)) return false;
  if (row < FixedRows() && !(row == 0 && RowCount() == 1 && FixedRowAlways)) return false;
  if (columns) return col >= FixedCols();
  if (!FOle.Dragging) return true;
  if (MouseActions.DisjunctRowSelect) return !FData.RowSelect(row);
  const TGridRect& r = FOle.DragRange;
  return !(row >= r.Top && row <= r.Bottom && ((Options & goRowSelect) || (col >= r.Left && col <= r.Right)));
}

bool TExtStringGrid::OleDragOver(POINT client, int formats, int& col, int& row) {
  if (!MouseToCell(client.x, client.y, col, row)) return false;
  const bool columns = formats & dfColumn;
  if (!columns) {
    if (row == TopRow() && TopRow() > FixedRows()) SetTopRow(TopRow() - 1);
    else if (row == TopRow() + VisibleRowCount()) SetTopRow(TopRow() + 1);
  }
  // Text alone needs a grid that may paste it.
  bool accept = DropCell(client, columns, col, row) && (CanPasteDrop() || (formats & (dfFiles | dfColumn)));
  if (OnOleDragOver) OnOleDragOver(this, row, col, accept);
  return accept;
}

// All of the text must find room: columns and rows beyond the grid only
// where the grid may grow (inserted rows always make room).
bool TExtStringGrid::CanTakeText(int col, int row, const TTextSize& size) const {
  if (size.Rows == 0 || !CanPasteDrop()) return false;
  if (col + size.Cols > ColCount() && !Navigation.AllowClipboardColGrow) return false;
  if (row + size.Rows > RowCount() && !OleInsertRows && !Navigation.AllowClipboardRowGrow) return false;
  return true;
}

bool TExtStringGrid::DropText(POINT client, const std::string& text) {
  int col, row;
  if (!DropCell(client, false, col, row)) return false;
  if (row == 0 && FixedRowAlways && RowCount() == 1) row = 1;
  if (Options & goRowSelect) col = OleEntireRows ? 0 : FixedCols();
  const TTextSize size = ClipboardTextSize(text);
  if (!CanTakeText(col, row, size)) return false;
  bool allow = true;
  if (OnOleDrop) OnOleDrop(this, row, col, text, allow);
  if (!allow) return false;
  if (OleInsertRows) {
    const int top = TopRow();
    FData.InsertRows(row, size.Rows);
    // The range this grid is dragging moves down with the rows it is in.
    if (FOle.Dragging && FOle.DragRange.Top >= row) {
      FOle.DragRange.Top += size.Rows;
      FOle.DragRange.Bottom += size.Rows;
    }
    SetTopRow(top);
  } else if (row >= RowCount()) {
    SetRowCount(row + 1);
  }
  TPasteOptions o;
  o.QuoteMultilineClipboard = QuoteMultilineClipboard;
  o.AllowClipboardRowGrow = Navigation.AllowClipboardRowGrow;
  o.AllowClipboardColGrow = Navigation.AllowClipboardColGrow;
  PasteText(FData, FData.DisplayColToReal(col), row, text, o);
  ClampPosition();
  const int firstCol = std::max(col, FixedCols());
  SetSelection(TGridRect{firstCol, row, std::min(col + std::max(size.Cols, 1) - 1, ColCount() - 1),
                         std::min(row + size.Rows - 1, RowCount() - 1)});
  Invalidate();
  return true;
}

bool TExtStringGrid::DropRichText(POINT client, const std::string& text) {
  int col, row;
  if (!DropCell(client, false, col, row) || !CanPasteDrop()) return false;
  bool allow = true;
  if (OnOleDrop) OnOleDrop(this, row, col, text, allow);
  if (!allow) return false;
  SetCells(col, row, text);
  return true;
}

bool TExtStringGrid::DropColumn(POINT client, int sourceCol) {
  int col, row;
  if (!DropCell(client, true, col, row) || !OnOleDropCol) return false;
  OnOleDropCol(this, row, col, sourceCol);
  return true;
}

bool TExtStringGrid::DropFiles(const std::vector<std::string>& names) {
  if (names.size() != 1) return false;
  const std::string& name = names[0];
  const std::string upper = UpperCase(name);
  const bool csv = upper.find(".CSV") != std::string::npos, xls = upper.find(".XLS") != std::string::npos;
  if (!csv && !xls) return false;
  bool allow = true;
  if (OnOleDrop) OnOleDrop(this, -1, -1, name, allow);
  if (!allow) return false;
  if (csv) LoadFromDelimitedFile(name);
  else LoadFromWorkbook(name);
  return true;
}

// --- drop source

TGridDropSource::TGridDropSource(TExtStringGrid& grid, const std::string& caption) : FGrid(grid) {
  FGrid.DragButton().SetCaption(caption);
}

TGridDropSource::~TGridDropSource() { FGrid.DragButton().SetVisible(false); }

void TGridDropSource::CurrentEffect(DWORD effect) {
  if (const DWORD kept = effect & (DROPEFFECT_COPY | DROPEFFECT_MOVE)) FLastEffect = kept;
  TPopupButton& button = FGrid.DragButton();
  POINT at;
  if (!GetCursorPos(&at)) return;
  ScreenToClient(FGrid.Handle(), &at);  // the popup's bounds are kept in the grid's client area
  button.SetBounds(at.x, at.y - button.Height(), button.Width(), button.Height());
  button.SetVisible(true);
}
