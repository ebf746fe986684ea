// TExtStringGrid: construction, the model behind the window, headers,
// numbering, cell pictures, colours and the unit's start-up.
#include "ExtGrid.h"

#include <ole2.h>

#include <algorithm>
#include <cstdio>

#include "ExtGridDrop.h"
#include "WinGraphics.h"

namespace {
// The unit's start-up with the first grid, its shut-down when the program ends.
struct TUnitLife {
  TUnitLife() { ExtGridStartup(); }
  ~TUnitLife() { ExtGridShutdown(); }
};
}  // namespace

TExtStringGrid::TExtStringGrid(TComponent* owner) : TStringGrid(owner), FData(5, 5) {
  static TUnitLife unit;
  DefaultRowHeight = FData.DefaultRowHeight;
  ActiveCellFont.Style = fsBold;
  FixedFont = Font;
  ColumnSize.OnStretch = [this] { StretchRightColumn(); };
  CellNode.OnChange = [this] { Invalidate(); };
  // Sizing with the form: the form's resize handler is chained to the grid's.
  if ((FSizeForm = dynamic_cast<TForm*>(owner))) {
    FPrevFormResize = FSizeForm->OnResize;
    FFormWidth = FSizeForm->Width(), FFormHeight = FSizeForm->Height();
    FSizeForm->OnResize = [this](TComponent* sender) { FormResized(sender); };
  }
}

TExtStringGrid::~TExtStringGrid() {
  // The form gets its own handler back, unless the form itself is going
  // (it has then let go of the grid as its component).
  if (FSizeForm && Owner() == FSizeForm) FSizeForm->OnResize = FPrevFormResize;
  if (ColumnSize.Save) SaveColumnSizes();
  // The drop registration and the timer go with the window.
  DestroyHandle();
  FData.ClearAll();
}

void TExtStringGrid::SetColCount(int n) {
  FData.SetColCount(std::max(n, 1));
  if (n > 1 && FixedColAlways) FData.FixedCols = 1;
  ClampPosition();
}

void TExtStringGrid::SetRowCount(int n) {
  FData.SetRowCount(std::max(n, 1));
  if (n > 1 && FixedRowAlways) FData.FixedRows = 1;
  ClampPosition();
}

void TExtStringGrid::SetColWidths(int col, int width) {
  FData.SetColWidths(FData.DisplayColToReal(col), std::max(width, 0));
  UpdateScrollBars();
  Invalidate();
}

void TExtStringGrid::SetRowHeights(int row, int height) {
  FData.SetRowHeights(row, std::max(height, 0));
  UpdateScrollBars();
  Invalidate();
}

const std::string& TExtStringGrid::Cells(int col, int row) const {
  return FData.Cells(FData.DisplayColToReal(col), row);
}

void TExtStringGrid::SetCells(int col, int row, const std::string& text) {
  FData.SetCells(FData.DisplayColToReal(col), row, text);
  InvalidateCell(col, row);
}

int TExtStringGrid::FixedCols() const { return FData.FixedCols == 0 && FixedColAlways ? 1 : FData.FixedCols; }
int TExtStringGrid::FixedRows() const { return FData.FixedRows == 0 && FixedRowAlways ? 1 : FData.FixedRows; }

void TExtStringGrid::SetFixedCols(int n) {
  FData.FixedCols = std::clamp(n, 0, std::max(ColCount() - 1, 0));
  ClampPosition();
}

void TExtStringGrid::SetFixedRows(int n) {
  FData.FixedRows = std::clamp(n, 0, std::max(RowCount() - 1, 0));
  ClampPosition();
}

void TExtStringGrid::ApplyHeaders() {
  if (FixedRows() > 0)
    for (int i = 0; i < ColumnHeaders.Count() && i < ColCount(); ++i) SetCells(i, 0, BackslashNToCR(ColumnHeaders[i]));
  if (FixedCols() > 0)
    for (int i = 0; i < RowHeaders.Count() && i < RowCount(); ++i) SetCells(0, i, BackslashNToCR(RowHeaders[i]));
}

void TExtStringGrid::NumberColumn(int col) {
  FData.NumberColumnRows(FData.DisplayColToReal(col));
  Invalidate();
}

void TExtStringGrid::SetCellImage(int col, int row, int index, int hAlign, int vAlign) {
  if (!GridImages && !FData.EnableGraphics) return;
  FData.SetCellImage(FData.DisplayColToReal(col), row, index, hAlign, vAlign);
  InvalidateCell(col, row);
}

void TExtStringGrid::EndUpdate() {
  if (FUpdateCount > 0 && --FUpdateCount == 0) Invalidate();
}

void TExtStringGrid::Paint(TCanvas& canvas, const RECT& area) {
  if (FUpdateCount > 0) return;
  TStringGrid::Paint(canvas, area);
  PaintFixedLines(canvas);
}

// Bands, the active cell's font, the cell's own colour, then the event.
void TExtStringGrid::GetCellColor(int col, int row, TGridDrawState state, TColor& brush, TFont& font) {
  const bool fixedCol = col < FixedCols() || col >= ColCount() - FData.FixedRightCols;
  const bool fixedRow = row < FixedRows() || row >= RowCount() - FData.FixedFooters;
  if (Bands.Active && !fixedCol && !fixedRow) brush = Bands.BandColor(row - FixedRows());
  if (ActiveCellShow && ((col == 0 && row == Row() && FixedCols() > 0) || (row == 0 && col == Col() && FixedRows() > 0)))
    font.Assign(ActiveCellFont);
  if (const TCellGraphic* g = FData.CellGraphic(FData.DisplayColToReal(col), row); g && g->Color != clNone)
    brush = g->Color;
  if (OnGetCellColor) OnGetCellColor(this, row, col, state, brush, font);
}

int TExtStringGrid::GetCellAlignment(int col, int row) {
  int alignment = 0;
  if (AutoNumAlign && NumberKind(Cells(col, row)) != nkOther) alignment = 1;
  if (OnGetAlignment) OnGetAlignment(this, row, col, alignment);
  return alignment;
}

bool TExtStringGrid::IsFixed(int col, int row) const {
  if (row >= RowCount() - FData.FixedFooters || col >= ColCount() - FData.FixedRightCols) return true;
  bool fixed = (FixedRowAlways && row == 0 && RowCount() == 1) || (FixedColAlways && col == 0 && ColCount() == 1);
  if (OnIsFixedCell) OnIsFixedCell(const_cast<TExtStringGrid*>(this), row, col, fixed);
  return fixed;
}

void TExtStringGrid::Zoom(int step) {
  if (FZoom + step < -10 || FZoom + step > 10) return;
  FZoom += step;
  for (int c = 0; c < ColCount(); ++c)
    if (ColWidths(c) + step > 0) FData.SetColWidths(FData.DisplayColToReal(c), ColWidths(c) + step);
  for (int r = 0; r < RowCount(); ++r)
    if (RowHeights(r) + step > 0) FData.SetRowHeights(r, RowHeights(r) + step);
  ClampPosition();
}

bool TExtStringGrid::CanSizeColumn(int col) {
  FSized = true;
  return true;
}

// --- the unit's start-up

namespace {
int OleStarts = 0;
}

void ExtGridStartup() {
  if (OleStarts++ > 0) return;
  HRESULT hr = OleInitialize(nullptr);
  if (hr != S_OK && hr != S_FALSE) {
    --OleStarts;
    char text[64];
    std::snprintf(text, sizeof text, "OleInitialize failed ($%lx)", static_cast<unsigned long>(hr));
    throw EExtGridError(text);
  }
}

void ExtGridShutdown() {
  if (OleStarts > 0 && --OleStarts == 0) OleUninitialize();
}
