// The typed in-place editors of the grid.
#include "ExtGridEditing.h"

std::unique_ptr<TGridEditorControl> CreateGridEditor(TEditorType, TGridEditorHost&, TWinControl&) {
  return nullptr;
}
