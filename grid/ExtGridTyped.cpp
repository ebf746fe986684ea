// TExtStringGrid's typed cell access (whole numbers, floating point, dates)
// and the disjunct row selection flags.
#include "ExtGrid.h"

int TExtStringGrid::Ints(int col, int row) const {
  const std::string& text = Cells(col, row);
  if (text.empty()) return 0;
  int value = 0;
  if (!TryStrToInt(text, value)) throw EExtGridError("Cell does not contain integer value");
  return value;
}

void TExtStringGrid::SetInts(int col, int row, int value) { SetCells(col, row, IntToStr(value)); }

double TExtStringGrid::Floats(int col, int row) const {
  const std::string& text = Cells(col, row);
  if (text.empty()) return 0;
  double value = 0;
  if (!TextToFloat(NumberText(text), value)) throw EExtGridError("Cell does not contain a float value");
  return value;
}

TDateTime TExtStringGrid::Dates(int col, int row) const {
  const std::string& text = Cells(col, row);
  TDateTime value = 0;
  if (!ParseShortDate(text, value)) throw EConvertError("'" + text + "' is not a valid date");
  return value;
}

void TExtStringGrid::SetRowSelect(int row, bool selected) {
  if (FData.RowSelect(row) == selected) return;
  FData.SetRowSelect(row, selected);
  InvalidateRow(row);
}

void TExtStringGrid::ClearRowSelect() {
  for (int r = 0; r < RowCount(); ++r) SetRowSelect(r, false);
}

void TExtStringGrid::SelectToRowSelect(bool allRows) {
  const TGridRect sel = Selection();
  const int first = allRows ? 0 : sel.Top, last = allRows ? RowCount() - 1 : sel.Bottom;
  for (int r = first; r <= last; ++r) SetRowSelect(r, r >= sel.Top && r <= sel.Bottom);
}
