// TStringGrid: a custom-drawn grid window of text cells with fixed rows and
// columns at the top and left, scroll bars, a current cell and a selected
// range, and column sizing with the mouse. Descendants keep their own cell
// store by overriding the store's virtual members.
#pragma once
#include "Controls.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "EditMask.h"
#include "StdEdits.h"

// The selected cells: columns Left..Right and rows Top..Bottom, inclusive.
// The grid model declares the same rectangle; one definition serves both.
#ifndef BX_GRID_RECT_DEFINED
#define BX_GRID_RECT_DEFINED
struct TGridRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
};
#endif

enum TGridOption : uint32_t {
  goFixedVertLine = 1, goFixedHorzLine = 2, goVertLine = 4, goHorzLine = 8, goRangeSelect = 16,
  goDrawFocusSelected = 32, goRowSizing = 64, goColSizing = 128, goEditing = 256, goTabs = 512,
  goRowSelect = 1024, goThumbTracking = 2048,
};
using TGridOptions = uint32_t;
enum TGridDrawStateBit : uint32_t { gdSelected = 1, gdFocused = 2, gdFixed = 4 };
using TGridDrawState = uint32_t;

using TDrawCellEvent = std::function<void(TComponent* sender, int col, int row, const RECT& rect, TGridDrawState state)>;
using TSelectCellEvent = std::function<void(TComponent* sender, int col, int row, bool& canSelect)>;
using TGetEditEvent = std::function<void(TComponent* sender, int col, int row, std::string& value)>;

class TStringGrid;

// The edit shown over the current cell while it is edited (option goEditing).
// It hands the keys that end or leave editing to its grid.
class TInplaceEdit : public TCustomEdit {
public:
  explicit TInplaceEdit(TStringGrid& grid);
  std::string ClassName() const override { return "TInplaceEdit"; }
  TStringGrid& Grid() const { return FGrid; }
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  // Caret and selection as character positions.
  void SelectAll();
  void GetSel(int& start, int& end) const;
  void SetSel(int start, int end);
  // The cell's input mask (see EditMask.h); an empty one edits freely.
  // Set before the text: a masked edit shows its value in the mask.
  void SetEditMask(const std::string& mask) { FMask = TEditMask(mask); }
  bool IsMasked() const { return !FMask.Empty(); }
  const TEditMask& Mask() const { return FMask; }
  // The text shown for a cell's value, and the value of the shown text.
  void SetEditText(const std::string& value);
  std::string EditText() const;
  // Types the characters of text from the caret on, as the mask takes them.
  void MaskedInsert(const std::string& text);
  // The selection when the editor opens on a cell.
  virtual void SelectOnShow() { SelectAll(); }

protected:
  void CreateParams(TCreateParams& params) override;
  // A key pressed in the edit; true when it was handled and kept from it.
  virtual bool EditKeyDown(uint16_t key, TShiftState shift);
  // A typed character; false refuses it, c may be changed.
  virtual bool AcceptChar(char& c) { return true; }
  virtual void FocusGained() {}
  // The focus went elsewhere than to the grid.
  virtual void FocusLost();
  virtual void DblClicked() {}
  // A paste into a masked edit (WM_PASTE); the plain edit takes none, a
  // descendant that reads the clipboard types it through MaskedInsert.
  virtual void MaskedPaste() {}

  TStringGrid& FGrid;

private:
  // A masked edit types over its positions: characters, Backspace, Delete,
  // cut and clear go through the mask.
  bool MaskedKey(UINT msg, WPARAM wParam);
  void MaskedClear(bool back);

  TEditMask FMask;
};

class TStringGrid : public TWinControl {
public:
  explicit TStringGrid(TComponent* owner);
  std::string ClassName() const override { return "TStringGrid"; }

  // --- the cell store; a descendant may keep its own
  virtual int ColCount() const { return int(FColWidths.size()); }
  virtual int RowCount() const { return int(FRowHeights.size()); }
  virtual void SetColCount(int n);
  virtual void SetRowCount(int n);
  virtual int ColWidths(int col) const { return FColWidths.at(size_t(col)); }
  virtual int RowHeights(int row) const { return FRowHeights.at(size_t(row)); }
  virtual void SetColWidths(int col, int width);
  virtual void SetRowHeights(int row, int height);
  virtual const std::string& Cells(int col, int row) const;
  virtual void SetCells(int col, int row, const std::string& text);

  virtual int FixedCols() const { return FFixedCols; }
  virtual int FixedRows() const { return FFixedRows; }
  virtual void SetFixedCols(int n);
  virtual void SetFixedRows(int n);

  TGridOptions Options = goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect;
  int DefaultColWidth = 64, DefaultRowHeight = 24, GridLineWidth = 1;
  TColor FixedColor = clBtnFace;
  bool DefaultDrawing = true;

  // --- the current cell, the selection and the scroll position
  int Col() const { return FCol; }
  int Row() const { return FRow; }
  void SetCol(int col) { FocusCell(col, FRow, true); }
  void SetRow(int row) { FocusCell(FCol, row, true); }
  // Makes (col, row) current when SelectCell allows it and scrolls it into
  // view; moveAnchor false keeps the selection's other corner (Shift held).
  void FocusCell(int col, int row, bool moveAnchor);
  TGridRect Selection() const;
  void SetSelection(const TGridRect& r);
  int TopRow() const { return FTopRow; }
  int LeftCol() const { return FLeftCol; }
  void SetTopRow(int row);
  void SetLeftCol(int col);
  int VisibleRowCount() const;  // scrollable rows wholly shown
  int VisibleColCount() const;
  // The cell's rectangle in client pixels; empty when it is not shown.
  RECT CellRect(int col, int row) const;
  // The cell at a client point; false outside every cell.
  bool MouseToCell(int x, int y, int& col, int& row) const;
  bool IsFixedCell(int col, int row) const { return col < FixedCols() || row < FixedRows(); }
  void InvalidateCell(int col, int row);
  void InvalidateRow(int row);
  // The column being sized with the mouse, or -1.
  int SizingCol() const { return FSizingCol; }

  // --- in-place editing (option goEditing)
  bool EditorMode() const;
  // Opens the editor on the current cell when CanEditShow allows it.
  void ShowEditor();
  // Opens it as a typed character (or Backspace) would: the character replaces the text.
  void ShowEditorChar(char c);
  // Hides the editor without writing its text.
  void HideEditor();
  // Ends the edit: the editor's text goes into the cell and the editor
  // hides; false (editor kept open) when the text is refused.
  virtual bool EndEditor();
  // Escape: the editor hides and the cell keeps the text it had.
  virtual void CancelEditor();
  // A key the editor hands on (Enter, Tab, Up, Down, Page Up, Page Down).
  virtual void EditorKey(uint16_t key, TShiftState shift);
  TInplaceEdit* InplaceEditor() const { return FInplaceEdit.get(); }

  TDrawCellEvent OnDrawCell;
  TSelectCellEvent OnSelectCell;
  // The input mask of a cell's editor; none by default.
  TGetEditEvent OnGetEditMask;
  TNotifyEvent OnTopLeftChanged;

  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  bool KeyDown(uint16_t& key, TShiftState shift) override;

protected:
  bool KeyPress(wchar_t& key) override;
  bool WantedKeys(const MSG* key, LRESULT& code) override;
  void FocusEnter(HWND previous) override;
  void FocusExit(HWND next) override;
  // The scroll bars are set once the window exists.
  void Created() override;
  // The position stays on the cells whatever the client size.
  void Sized(UINT kind, int width, int height) override;
  void CreateParams(TCreateParams& params) override;
  void Paint(TCanvas& canvas, const RECT& area) override;
  bool SetCursorAt(POINT client) override;
  // Paints one cell inside rect (grid lines lie outside it).
  virtual void DrawCell(TCanvas& canvas, int col, int row, RECT rect, TGridDrawState state);
  virtual bool SelectCell(int col, int row);
  virtual void TopLeftChanged();
  // Editing hooks: the editor made on first need, whether it may open on the
  // current cell, and the text it shows and writes back.
  virtual std::unique_ptr<TInplaceEdit> CreateEditor();
  virtual bool CanEditShow();
  virtual std::string GetEditText(int col, int row) { return Cells(col, row); }
  virtual std::string GetEditMask(int col, int row);
  virtual void SetEditText(int col, int row, const std::string& text) { SetCells(col, row, text); }
  // Places the editor over the current cell.
  void PlaceEditor();
  // A mouse press within 4 pixels of this column's right border in a fixed
  // row may start sizing it.
  virtual bool CanSizeColumn(int col) { return true; }
  virtual void ColumnSized(int col) {}
  // The column whose right border lies within 4 pixels of x, or -1.
  int ColumnBorderAt(int x) const;
  void UpdateScrollBars();
  // The cell a key moves to from the current one; false when the key moves nothing.
  bool KeyTarget(uint16_t key, TShiftState shift, int& col, int& row) const;
  // Column and row clamped to the scrollable cells.
  int ClampCol(int col) const;
  int ClampRow(int row) const;
  // Keeps the current cell, the selection and the scroll position on the
  // scrollable cells after the counts changed.
  void ClampPosition();

  int FAnchorCol = 1, FAnchorRow = 1;  // the selection's corner opposite the current cell
  bool FSelecting = false;             // a range is being dragged with the mouse

private:
  int MaxTopRow() const;
  int MaxLeftCol() const;
  void Scrolled(int bar, int code);

  std::vector<int> FColWidths, FRowHeights;
  std::vector<std::vector<std::string>> FCells;  // per row
  int FFixedCols = 1, FFixedRows = 1;
  int FCol = 1, FRow = 1, FTopRow = 1, FLeftCol = 1;
  int FSizingCol = -1, FSizingStartX = 0, FSizingStartWidth = 0;
  std::unique_ptr<TInplaceEdit> FInplaceEdit;
};
