// A shown test window with two editable grids, real key input, and a fake
// typed editor that the grids use for the types a test asks for.
#pragma once
#include <optional>
#include <set>
#include <string>

#include "ExtGridTestForm.h"
#include "StdEdits.h"

// A typed editor: a plain edit over the cell that shows and gives back the text.
class TFakeEditor : public TGridEditorControl {
public:
  explicit TFakeEditor(TWinControl& grid);
  TWinControl& Control() override { return Edit; }
  void LoadCell(TEditorType type, const std::string& text) override;
  std::optional<std::string> CellText() const override;
  TEdit Edit{nullptr};
  TEditorType Loaded = etNormal;
  bool WritesNothing = false;
};

class TEditGrid : public TTestGrid {
public:
  using TTestGrid::TTestGrid;
  std::set<TEditorType> FakeTypes;  // the types served by a fake editor
  int Created = 0;
  TFakeEditor* LastFake = nullptr;

protected:
  std::unique_ptr<TGridEditorControl> CreateTypedEditor(TEditorType type) override;
};

struct TEditWindow {
  TForm Form{nullptr};
  TEditGrid* Grid;
  TEditGrid* Second;
  // cols x rows cells of "c,r" below a header row "H<c>", editing on; a
  // second grid of the same size below it.
  TEditWindow(int cols, int rows);
  // Gives the grid the focus on cell (col, row).
  void Focus(int col, int row);
  // Real key events: a text typed character by character, one key with Shift
  // or Ctrl as asked; each waits until the keys have been handled.
  void Type(const std::string& text);
  void Press(WORD vk, TShiftState shift = 0);
  // The open default editor's text ("" when none is open).
  std::string EditorText() const;
  // Saves the form's area of the screen as BX_GRID_SHOTS\name.bmp when set.
  void Shot(const std::string& name);
};

// Handles the queued messages until none came for a while.
void Settle();
