// What other parts of the grid ask of a cell's graphic: pictures, check boxes
// and comments.
#include "ExtGridCells.h"

TCellGraphic& TGridData::SetCellImage(int col, int row, int index, int hAlign, int vAlign) {
  TCellGraphic& g = CreateCellGraphic(col, row);
  g.Kind = gkImageListPicture;
  g.Value = index;
  g.HAlign = uint8_t(hAlign);
  g.VAlign = uint8_t(vAlign);
  return g;
}

int TGridData::CellGraphicKind(int col, int row) const {
  const TCellGraphic* g = CellGraphic(col, row);
  return g ? int(g->Kind) : int(gkNoGraphic);
}

bool TGridData::IsCheckBox(int col, int row) const {
  int k = CellGraphicKind(col, row);
  return k == gkCheckBox || k == gkTextCheckBox;
}

bool TGridData::IsCheckBoxOrRadio(int col, int row) const {
  return IsCheckBox(col, row) || CellGraphicKind(col, row) == gkRadioGroup;
}

bool TGridData::CheckBoxState(int col, int row) const {
  switch (CellGraphicKind(col, row)) {
    case gkCheckBox: return CellGraphic(col, row)->State != 0;
    case gkTextCheckBox: return Cells(col, row) == CheckTrue;
    default: return false;
  }
}

void TGridData::ToggleCheckBox(int col, int row) {
  switch (CellGraphicKind(col, row)) {
    case gkCheckBox: CellGraphic(col, row)->State ^= 1; break;
    case gkTextCheckBox: SetCells(col, row, Cells(col, row) == CheckTrue ? CheckFalse : CheckTrue); break;
    default: return;
  }
  CellsChanged(col, row, col, row);
}

std::string TGridData::CellComment(int col, int row) const {
  const TCellGraphic* g = CellGraphic(col, row);
  const auto* lines = g && g->Kind == gkComment ? dynamic_cast<const TStringList*>(g->Object1) : nullptr;
  if (!lines) return {};
  std::string text = lines->Text();
  if (text.ends_with("\r\n")) text.resize(text.size() - 2);
  return text;
}
