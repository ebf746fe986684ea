// TExtStringGrid: the settings that act on the whole grid (sizing with the
// form, automatic column widths, fixed sizes, the filter) and the cell
// questions that descendants and events answer (password, plain text and print
// colours).
#include <algorithm>

#include "ExtGrid.h"

// Installed by the constructor when the owner is a form: the form's earlier
// handler keeps running after the grid's own step.
void TExtStringGrid::FormResized(TComponent* sender) {
  if (SizeWithForm && FSizeForm) {
    const int w = Width() + FSizeForm->Width() - FFormWidth, h = Height() + FSizeForm->Height() - FFormHeight;
    if (w > 0 && h > 0) {
      SetBounds(Left(), Top(), w, h);
      FFormWidth = FSizeForm->Width(), FFormHeight = FSizeForm->Height();
    }
  }
  if (FPrevFormResize) {
    try {
      FPrevFormResize(sender);
    } catch (const std::exception&) {
      // the form's own handler failing does not stop the grid's sizing
    }
  }
  if (ColumnSize.Stretch()) StretchRightColumn();
}

void TExtStringGrid::SetAutoSize(bool on) {
  FAutoSize = on;
  if (!on) return;
  for (int col = FixedCols(); col < ColCount(); ++col) {
    AutoSizeColumn(col);
    SetColWidths(col, ColWidths(col) + 10);
  }
}

void TExtStringGrid::SetFixedColWidth(int width) {
  for (int col = 0; col < FixedCols(); ++col) SetColWidths(col, width);
}

void TExtStringGrid::SetFixedRowHeight(int height) {
  for (int row = 0; row < FixedRows(); ++row) SetRowHeights(row, height);
}

void TExtStringGrid::SetFilterActive(bool on) {
  if (on == FData.FilterActive()) return;
  FData.SetFilterActive(on);
  ClampPosition();
  UpdateScrollBars();
  Invalidate();
}

bool TExtStringGrid::IsPasswordCell(int col, int row) {
  bool password = false;
  if (OnIsPasswordCell) OnIsPasswordCell(this, row, col, password);
  return password;
}

bool TExtStringGrid::IsPlainTextCell(int col, int row) {
  bool plain = false;
  if (OnIsPlainTextCell) OnIsPlainTextCell(this, row, col, plain);
  return plain;
}

int TExtStringGrid::CellKind(int col, int row) {
  return IsPlainTextCell(col, row) ? ctPlain : CellTextKind(Cells(col, row), EnableHTML);
}

void TExtStringGrid::GetCellPrintColor(int col, int row, TGridDrawState state, TColor& brush, TFont& font) {
  const bool fixedCol = col < FixedCols() || col >= ColCount() - FData.FixedRightCols;
  const bool fixedRow = row < FixedRows() || row >= RowCount() - FData.FixedFooters;
  if (Bands.Active && Bands.Print && !fixedCol && !fixedRow) brush = Bands.BandColor(row - FixedRows());
  if (OnGetCellPrintColor) OnGetCellPrintColor(this, row, col, state, brush, font);
}

void TExtStringGrid::GetCellPrintBorder(int col, int row, TColor& pen, int& width, int& borders) {
  if (OnGetCellPrintBorder) OnGetCellPrintBorder(this, row, col, pen, width, borders);
}
