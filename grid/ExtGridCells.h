// The grid's data model: cells with their texts, objects and graphics, row
// heights and column widths, hidden columns and rows, numbering, sorting and
// the filter. The window control paints and drives it.
#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ExtGridGraphic.h"
#include "ExtGridIntList.h"
#include "ExtGridSettings.h"
#include "ExtGridUtil.h"

struct TGridCell {
  std::string Text;
  void* Object = nullptr;                 // the user's object, not owned
  std::unique_ptr<TCellGraphic> Graphic;  // owned
};

// A row kept aside while hidden: its real number, cells and height.
struct TGridItem {
  int Idx = 0;
  std::vector<TGridCell> Cells;
  int Height = 0;
};

enum TSortDirection { sdAscending = 0, sdDescending = 1 };
enum TSortFormat {
  sfAuto = 0, sfText, sfNumber, sfDate, sfTextNoCase, sfTextCase, sfDayMonthYear, sfMonthDayYear,
  sfCustom, sfThousands, sfLocaleText, sfLocaleTextNoCase, sfRaw, sfHtmlText, sfPicture,
};

class TGridData {
public:
  TGridData(int colCount = 5, int rowCount = 5);

  // --- size; ColCount counts the shown columns, hidden ones lie beyond it
  int RowCount() const { return int(FRows.size()); }
  int ColCount() const { return PhysicalCols() - FHiddenCols; }
  void SetRowCount(int n);
  void SetColCount(int n);
  int FixedRows = 1, FixedCols = 1, FixedFooters = 0, FixedRightCols = 0;
  int DefaultRowHeight = 21, DefaultColWidth = 64;
  bool EnableGraphics = false;

  // --- cells by real column and shown row; reading outside gives ""
  const std::string& Cells(int col, int row) const;
  void SetCells(int col, int row, const std::string& text);
  void* Objects(int col, int row) const;
  void SetObjects(int col, int row, void* object);
  TGridCell& Cell(int col, int row);  // raises EExtGridError outside the grid
  // The cell's graphic (when EnableGraphics), else null.
  TCellGraphic* CellGraphic(int col, int row) const;
  TCellGraphic& CreateCellGraphic(int col, int row);  // replaces any old one
  bool RemoveCellGraphic(int col, int row);
  // The cell's graphic as the painter and the mouse see it.
  TCellGraphic& SetCellImage(int col, int row, int index, int hAlign, int vAlign);  // image list picture
  int CellGraphicKind(int col, int row) const;  // gkNoGraphic without one
  bool IsCheckBox(int col, int row) const;
  bool IsCheckBoxOrRadio(int col, int row) const;
  bool CheckBoxState(int col, int row) const;
  void ToggleCheckBox(int col, int row);
  std::string CellComment(int col, int row) const;  // without its last line break
  std::string CheckTrue = "Y", CheckFalse = "N";      // texts of a text check box
  int RowHeights(int row) const { return FHeights.at(size_t(row)); }
  void SetRowHeights(int row, int h) { FHeights.at(size_t(row)) = h; }
  int ColWidths(int col) const { return FWidths.at(size_t(col)); }
  void SetColWidths(int col, int w) { FWidths.at(size_t(col)) = w; }

  // --- normal cells
  int FirstNormalRow() const { return FixedRows; }
  int LastNormalRow() const { return RowCount() - FixedFooters - 1; }
  int LastNormalCol() const { return ColCount() - FixedRightCols - 1; }

  // --- structure; each move keeps a cell's text, object and graphic together
  void InsertRows(int at, int count);
  void RemoveRows(int at, int count);
  void InsertCols(int at, int count);  // real columns
  void RemoveCols(int at, int count);
  void MoveRow(int from, int to);
  void MoveColumn(int from, int to);   // real columns; SortColumn follows
  void ClearRect(int col1, int row1, int col2, int row2);
  void ClearRows(int first, int count);
  void ClearCols(int first, int count);
  void ClearAll();
  void NumberColumnRows(int col);

  // --- hidden columns (real indexes 0..256)
  static constexpr int kMaxHideableColumn = 256;
  void HideColumn(int real);
  void UnHideColumn(int real);
  bool IsHiddenColumn(int real) const;
  int HiddenColCount() const { return FHiddenCols; }
  int DisplayColToReal(int display) const;
  int RealColToDisplay(int real) const;

  // --- hidden rows, by real row number
  void HideRow(int real) { HideRows(real, real); }
  void HideRows(int first, int last);
  void UnHideRow(int real) { UnHideRows(real, real); }
  void UnHideRows(int first, int last);
  void UnHideAll();
  bool IsHiddenRow(int real) const;
  int HiddenRowCount() const { return int(FHidden.size()); }
  int DisplayRowToReal(int display) const;
  int RealRowToDisplay(int real) const;

  // --- node rows: a gkNode graphic in column 0 (Value the span, 0 = up to the
  // next node row; State 1 collapsed); rows by display number
  TCellGraphic& AddNode(int row, int span);
  bool IsNode(int row) const { return CellGraphicKind(0, row) == gkNode; }
  bool NodeCollapsed(int row) const;
  int NodeCount() const;
  // The shown rows that a collapse hides: row + 1 .. the returned last row.
  int NodeLastRow(int row) const;
  void ContractNode(int row);
  void ExpandNode(int row);

  // --- disjunct row selection flags
  bool RowSelect(int row) const;
  void SetRowSelect(int row, bool selected);

  // --- sorting
  int SortColumn = 1;
  TSortDirection SortDirection = sdAscending;
  bool SortFull = true, SortAutoFormat = true, SortSingleColumn = false, SortIgnoreBlanks = false;
  bool SortNormalCellsOnly = false;
  TSortIndexList SortIndexList;
  std::function<void(int col, TSortFormat& format, std::string& prefix, std::string& suffix)> OnGetFormat;
  std::function<void(const std::string& a, const std::string& b, int& result)> OnCustomCompare;
  std::function<void(int col, int rowA, int rowB, int& result)> OnRawCompare;
  std::function<int(const std::string& a, const std::string& b, bool ignoreCase)> LocaleCompare;
  long long CompareCount = 0, SwapCount = 0;
  // A row that follows its data through a sort (the window's current row):
  // a sort sets it to where that row's cells went; -1 for none.
  int SortFollowRow = -1;
  int CompareCells(int col, int rowA, int rowB);
  int FullCompare(int col, int rowA, int rowB);
  int IndexedFullCompare(int entry, int rowA, int rowB);
  void QSort();            // all normal rows by SortColumn, SortDirection
  void QSortIndexed();     // by SortIndexList; EExtGridError when it is empty
  void QSortNodes();       // each node's rows separately
  // The header click's choice of column and direction, then the sort; false
  // when there are too few rows to sort.
  bool SortByHeader(int col, bool indexMode, bool shift);

  // --- filter
  TFilter Filter;
  bool FilterActive() const { return FFilterActive; }
  void SetFilterActive(bool on);
  bool RowPassesFilter(int row) const;

  // --- notification of changed cells (col1, row1, col2, row2)
  std::function<void(int, int, int, int)> OnCellsChanged;
  void CellsChanged(int col1, int row1, int col2, int row2);

private:
  int PhysicalCols() const { return int(FWidths.size()); }
  void SetPhysicalCols(int n);
  void CheckCell(int col, int row) const;
  std::vector<TGridCell> TakeRow(int row);
  void PutRow(int row, std::vector<TGridCell> cells, int height, bool selected = false);
  class TSortKeys;
  int FullCompare(TSortKeys& keys, int col, int rowA, int rowB);
  int IndexedFullCompare(TSortKeys& keys, int entry, int rowA, int rowB);
  template <class Compare>
  void SortRange(int first, int last, Compare compare);
  void SortRows(TSortKeys& keys, int first, int last);
  void ApplyRowOrder(int first, const std::vector<int>& order);
  std::vector<int> RealRowNumbers() const;
  std::vector<std::string> FilterConditions() const;
  bool RowPassesConditions(int row, const std::vector<std::string>& conditions) const;
  void HideShownRows(const std::vector<bool>& hide);

  std::vector<std::vector<TGridCell>> FRows;  // per row, every real column
  std::vector<int> FHeights, FWidths;
  std::vector<bool> FColHidden;               // per real column
  int FHiddenCols = 0;
  std::vector<TGridItem> FHidden;             // hidden rows, ascending Idx
  std::vector<bool> FRowSelect;               // per row
  bool FFilterActive = false;
  bool FFilterAddedRow = false;
  int FFilterFixedRows = 0;
};
