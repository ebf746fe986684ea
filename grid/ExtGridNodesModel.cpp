// Node rows: a node in column 0 collapses the rows under it into the hidden-row
// store and expands them back.
#include <algorithm>
#include <climits>

#include "ExtGridCells.h"

TCellGraphic& TGridData::AddNode(int row, int span) {
  TCellGraphic& g = CreateCellGraphic(0, row);
  g.Kind = gkNode;
  g.Value = span;
  return g;
}

bool TGridData::NodeCollapsed(int row) const {
  const TCellGraphic* g = CellGraphic(0, row);
  return g && g->Kind == gkNode && g->State != 0;
}

int TGridData::NodeCount() const {
  int n = 0;
  for (int r = 0; r < RowCount(); ++r) n += IsNode(r);
  return n;
}

int TGridData::NodeLastRow(int row) const {
  const int last = LastNormalRow();
  const int span = CellGraphic(0, row)->Value;
  if (span > 0) return std::min(row + span, last);
  int r = row + 1;
  while (r <= last && !IsNode(r)) ++r;
  return r - 1;
}

void TGridData::ContractNode(int row) {
  if (row < 0 || row >= RowCount() || !IsNode(row) || NodeCollapsed(row)) return;
  CellGraphic(0, row)->State = 1;
  const int last = NodeLastRow(row);
  if (last > row) HideRows(DisplayRowToReal(row + 1), DisplayRowToReal(last));
}

// The rows hidden between the node and the next shown row come back (no more
// than the span); rows hidden for another reason beyond the span stay hidden.
void TGridData::ExpandNode(int row) {
  if (row < 0 || row >= RowCount() || !NodeCollapsed(row)) return;
  TCellGraphic* g = CellGraphic(0, row);
  g->State = 0;
  const int real = DisplayRowToReal(row);
  int next = row + 1 < RowCount() ? DisplayRowToReal(row + 1) : INT_MAX;
  if (g->Value > 0 && real + g->Value < next) next = real + g->Value + 1;
  if (next - 1 > real) UnHideRows(real + 1, next - 1);
}
