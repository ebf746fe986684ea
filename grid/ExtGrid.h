// TExtStringGrid: the string grid window over the grid model (TGridData),
// with cell pictures, mini-HTML cells, sortable headers, bands, a background
// picture, the clipboard, HTML and workbook export, an OLE drop target, and
// cells edited in place (default and typed editors, typed cell access).
#pragma once
#include "Grids.h"

#include <memory>
#include <string>
#include <vector>

#include "ExtGridCells.h"
#include "ExtGridEditState.h"
#include "ExtGridEditing.h"
#include "ExtGridHintState.h"
#include "ExtGridOleState.h"
#include "ExtGridScrollState.h"
#include "ExtGridSettings.h"
#include "Forms.h"
#include "ExtGridText.h"
#include "ImgList.h"
#include "StringList.h"

enum TVAlignment { vtaCenter = 0, vtaTop = 1, vtaBottom = 2 };
enum TBackgroundDisplay { bdTile = 0, bdFixed = 1 };
enum TBackgroundCells { bcNormal = 0, bcFixed = 1 };
enum TIntelliPan { ipVertical = 0, ipHorizontal = 1, ipBoth = 2, ipNone = 3 };

// The picture under the cells: tiled from the first cell, or at a fixed place.
class TBackGround : public TPersistent {
public:
  std::string ClassName() const override { return "TBackGround"; }
  int Top = 0, Left = 0;
  int Display = bdTile;
  int Cells = bcNormal;
  TBitmap Bitmap;
};

using TGridCellColorEvent = std::function<void(TComponent* sender, int row, int col, TGridDrawState state,
                                               TColor& brush, TFont& font)>;
using TGridAlignmentEvent = std::function<void(TComponent* sender, int row, int col, int& alignment)>;
using TGridColEvent = std::function<void(TComponent* sender, int col)>;
using TGridAllowColEvent = std::function<void(TComponent* sender, int col, bool& allow)>;
using TGridAllowEvent = std::function<void(TComponent* sender, bool& allow)>;
using TGridOleDropEvent = std::function<void(TComponent* sender, int row, int col, const std::string& data, bool& allow)>;
using TGridOleDragOverEvent = std::function<void(TComponent* sender, int row, int col, bool& accept)>;
using TGridOleDragStartEvent = std::function<void(TComponent* sender, int row, int col)>;
using TGridOleDragStopEvent = std::function<void(TComponent* sender, int effect)>;
using TGridOleDropColEvent = std::function<void(TComponent* sender, int row, int col, int sourceCol)>;
using TGridAnchorEvent = std::function<void(TComponent* sender, int row, int col, const std::string& anchor, bool& allow)>;

using TGridEditorTypeEvent = std::function<void(TComponent* sender, int col, int row, TEditorType& type)>;
using TGridValidateEvent = std::function<void(TComponent* sender, int col, int row, std::string& value, bool& valid)>;
using TGridCanEditEvent = std::function<void(TComponent* sender, int row, int col, bool& allow)>;
using TGridEllipsEvent = std::function<void(TComponent* sender, int col, int row, std::string& text)>;
using TGridComboChangeEvent = std::function<void(TComponent* sender, int col, int row, int index, const std::string& text)>;
using TGridComboObjectEvent =
    std::function<void(TComponent* sender, int col, int row, int index, const std::string& text, void* object)>;
using TGridSpinEvent = std::function<void(TComponent* sender, int col, int row, int value)>;
using TGridFloatSpinEvent = std::function<void(TComponent* sender, int col, int row, double value)>;
using TGridRowEvent = std::function<void(TComponent* sender, int row)>;
using TGridAllowRowEvent = std::function<void(TComponent* sender, int row, bool& allow)>;
using TGridChangingEvent = std::function<void(TComponent* sender, int oldIndex, int newIndex, bool& allow)>;
using TGridCellChangingEvent =
    std::function<void(TComponent* sender, int oldRow, int oldCol, int newRow, int newCol, bool& allow)>;

class TArrowWindow;
class TPopupButton;
class TExtRichEdit;

class TExtStringGrid : public TStringGrid, public TGridEditorHost {
public:
  explicit TExtStringGrid(TComponent* owner);
  ~TExtStringGrid() override;
  std::string ClassName() const override { return "TExtStringGrid"; }

  static constexpr uint32_t kVersionNumber = 0x005C0001;
  static constexpr const char* kVersionText = "1.92 April 27, 2001";

  // --- the model behind the window; columns here are shown columns
  TGridData& Data() { return FData; }
  const TGridData& Data() const { return FData; }
  int ColCount() const override { return FData.ColCount(); }
  int RowCount() const override { return FData.RowCount(); }
  void SetColCount(int n) override;
  void SetRowCount(int n) override;
  int ColWidths(int col) const override { return FData.ColWidths(FData.DisplayColToReal(col)); }
  int RowHeights(int row) const override { return FData.RowHeights(row); }
  void SetColWidths(int col, int width) override;
  void SetRowHeights(int row, int height) override;
  const std::string& Cells(int col, int row) const override;
  void SetCells(int col, int row, const std::string& text) override;
  int FixedCols() const override;
  int FixedRows() const override;
  void SetFixedCols(int n) override;
  void SetFixedRows(int n) override;

  // Row 0 takes the column headers, column 0 the row headers ("\n" a line break).
  TStringList ColumnHeaders, RowHeaders;
  void ApplyHeaders();
  // Each non-fixed row's position in col (1 for the first).
  void NumberColumn(int col);
  // The picture of GridImages with the index, placed by the codes of the painter.
  void SetCellImage(int col, int row, int index, int hAlign, int vAlign);
  // No painting in between; the end repaints the whole grid once.
  void BeginUpdate() { ++FUpdateCount; }
  void EndUpdate();

  // --- settings (defaults of the grid's construction)
  TFont FixedFont, ActiveCellFont;
  bool ActiveCellShow = false;
  bool FixedRowAlways = false, FixedColAlways = false;
  bool SortShow = false, SortIndexShow = false, SortFixedCols = false;
  TBitmap SortUpGlyph, SortDownGlyph;
  TColor SelectionColor = clHighlight, SelectionTextColor = clHighlightText;
  bool ShowSelection = true, SelectionRectangle = false;
  int VAlignment = vtaTop;
  bool WordWrap = false, Flat = false, Multilinecells = false, AutoNumAlign = false;
  bool EnableHTML = true, EnableWheel = true, IntelliZoom = true, Hovering = false;
  int IntelliPan = ipVertical;
  TColor URLColor = clBlue, HintColor = clInfoBk;
  bool URLShow = false, URLFull = false;
  std::string FloatFormat = "%.2f";
  bool ExportFixedCells = true, QuoteMultilineClipboard = false;
  // The delimited-text reader: its delimiter (0: detected per file), "~" for
  // line breaks in fields, files in the OEM code page, and its progress.
  char FieldDelimiter = 0;
  bool TildeLineBreaks = false, OemConvert = false;
  std::function<void(TComponent* sender, int percent)> OnFileProgress;
  THTMLSettings HTMLSettings;
  TNavigation Navigation;
  TMouseActions MouseActions;
  TBands Bands;
  TBackGround BackGround;
  TImageList* GridImages = nullptr;  // not owned
  bool OleAcceptFiles = true, OleAcceptText = true;
  bool OleDropTarget() const { return FOle.DropTarget != nullptr; }
  void SetOleDropTarget(bool on);
  int ZoomStep() const { return FZoom; }
  void Zoom(int step);
  bool BlinkOn() const { return FBlinkOn; }

  // --- editing (option goEditing)
  bool Lookup = false, LookupCaseSensitive = false, LookupHistory = false;
  bool ExcelStyleDecimalSeparator = false;
  char PasswordChar = '*';
  TSizeWhileTyping SizeWhileTyping;
  int MaxEditLength() const { return FEdit.MaxLength; }
  void SetMaxEditLength(int n);  // also the open editor's limit
  // The default editor or a typed editor is open on the current cell.
  bool Editing() const { return EditorMode() || FEdit.TypedShowing != nullptr || FEdit.RichShowing || FEdit.LinkShowing; }
  // The user's editor of etEditLink cells (not owned); without one those
  // cells take the default editor.
  TEditLink* EditLink = nullptr;
  // The edit link is done: its text goes into the cell, editing ends and
  // its control (and popup form) goes.
  void EditLinkDone();
  TGridEditorControl* TypedEditor() const { return FEdit.TypedShowing; }
  // The grid's typed editor for a type, made on first need (null for the
  // types the default editor serves); OnGetEditorType may set it up, e.g.
  // the items of a TGridCombo or the bounds of a TGridSpin.
  TGridEditorControl* Editor(TEditorType type);

  TGridEditorTypeEvent OnGetEditorType;
  TGridValidateEvent OnCellValidate;
  TGridCanEditEvent OnCanEditCell;
  TGridEllipsEvent OnEllipsClick;
  TGridComboChangeEvent OnComboChange;
  TGridComboObjectEvent OnComboObjectChange;
  TGridSpinEvent OnSpinClick;
  TGridFloatSpinEvent OnFloatSpinClick, OnDateSpinClick, OnTimeSpinClick;
  TGridAllowEvent OnCanAddRow;
  TGridRowEvent OnAutoAddRow, OnAutoInsertRow, OnAutoDeleteRow;
  TGridColEvent OnAutoInsertCol;
  TGridAllowRowEvent OnCanInsertRow, OnCanDeleteRow;
  TGridChangingEvent OnRowChanging, OnColChanging;
  TGridCellChangingEvent OnCellChanging;

  // --- typed cell access
  // An empty cell is 0; other texts that are no whole number raise
  // EExtGridError "Cell does not contain integer value".
  int Ints(int col, int row) const;
  void SetInts(int col, int row, int value);
  // The cell's number characters; empty is 0; EExtGridError "Cell does not
  // contain a float value" when they do not convert.
  double Floats(int col, int row) const;
  // The cell read as a date of the locale; EConvertError when it is none.
  TDateTime Dates(int col, int row) const;
  // Disjunct row selection; "Invalid Row accessed" outside the rows.
  bool RowSelect(int row) const { return FData.RowSelect(row); }
  void SetRowSelect(int row, bool selected);
  void ClearRowSelect();
  // Rows inside the current selection become selected, the others (all
  // rows, or only the selection's when not allRows) not.
  void SelectToRowSelect(bool allRows);

  // --- what the editors ask of the grid
  int EditCol() const override { return FEdit.Col; }
  int EditRow() const override { return FEdit.Row; }
  TEditorType EditorType() const override { return FEdit.Type; }
  std::string EditStartText() const override { return FEdit.StartText; }
  TGridEditorSettings EditorSettings() const override;
  TStringList& LookupItems() override { return FEdit.LookupItems; }
  bool ValidateEditor(std::string& text) override;
  void LeaveEditor() override;
  void EditorKeyToGrid(uint16_t key, TShiftState shift) override;
  void SpinClicked(TEditorType type, double value) override;
  std::string EllipsClick(const std::string& text) override;
  void ComboChanged(int index, const std::string& text, void* object) override;
  void DblClickCell() override;
  bool AllowClipboard(TClipboardAction action) override;
  TColor EditorColor() override;
  bool EndEditor() override;
  void CancelEditor() override;
  void EditorKey(uint16_t key, TShiftState shift) override;

  TGridCellColorEvent OnGetCellColor;
  TGridAlignmentEvent OnGetAlignment;
  TGridColEvent OnClickSort;
  TGridAllowColEvent OnCanSort;
  TGridAllowEvent OnClipboardCopy, OnClipboardCut, OnClipboardPaste;
  TGridOleDropEvent OnOleDrop;
  TGridAnchorEvent OnAnchorClick;

  // --- nodes, cell buttons, mouse actions, moving, hints, lookup and the
  // scroll bars (ExtGridMouse*.cpp, ExtGridNodes.cpp, ExtGridHints.cpp,
  // ExtGridScroll.cpp); cell events take (col, row) unless named (row, col)
  using TCellEvent = std::function<void(TComponent* sender, int col, int row)>;
  using TCellIntEvent = std::function<void(TComponent* sender, int col, int row, int value)>;
  using TCellBoolEvent = std::function<void(TComponent* sender, int col, int row, bool state)>;
  using TAnchorHoverEvent = std::function<void(TComponent* sender, int row, int col, const std::string& anchor)>;
  using TGridHintEvent = std::function<void(TComponent* sender, int row, int col, std::string& hint)>;
  using TScrollHintEvent = std::function<void(TComponent* sender, int number, std::string& hint)>;
  bool FixedAsButtons = false, EnhRowColMove = false, HintShowCells = false, HintShowLargeText = false;
  enum TScrollType { ssNormal = 0, ssFlat = 1, ssEncarta = 2 };
  enum TScrollHints { shNone = 0, shVertical = 1, shHorizontal = 2, shBoth = 3 };
  bool ScrollSynch = false;
  int ScrollHints = shNone;
  TCellNode CellNode;
  TBitmap RowIndicator;
  TColumnSize ColumnSize;
  TGridColEvent OnExpandNode, OnContractNode, OnEndColumnSize, OnEndRowSize;  // the real row / col
  TGridAllowColEvent OnColumnSize, OnRowSize, OnColumnMove, OnRowMove;
  TCellIntEvent OnRadioClick, OnRadioMouseUp;
  TCellBoolEvent OnCheckBoxClick, OnCheckBoxMouseUp;
  TCellEvent OnButtonClick, OnClickCell, OnRightClickCell, OnDblClickCell;  // the last three get (row, col)
  TAnchorHoverEvent OnAnchorEnter, OnAnchorExit;
  TGridHintEvent OnGridHint;
  // Borders: bit 1 top, 2 left, 4 right, 8 bottom; the pen's colour and width may change.
  using TCellBorderEvent = std::function<void(TComponent* sender, int row, int col, TColor& pen, int& width, int& borders)>;
  TCellBorderEvent OnGetCellBorder;
  virtual void GetCellBorder(int col, int row, TColor& pen, int& width, int& borders);
  TScrollHintEvent OnScrollHint;
  void AddNode(int row, int span);
  void ExpandNode(int row);
  void ContractNode(int row);
  int NodeCount() const { return FData.NodeCount(); }
  // The hint of a cell and where its top-left corner goes (client pixels); "" for none.
  std::string CellHint(int col, int row, POINT& at);
  int HintCell() const { return FHint.Col; }
  // The text of the hint window while it shows, else "".
  std::string ShownHint() const;
  void ScrollInView(int col, int row);
  // With ColumnSize.Stretch the last column takes the client width that the others leave.
  void StretchRightColumn();
  // The column widths kept by ColumnSize.Key and Section (saved by the
  // destructor and loaded with the window when ColumnSize.Save is set).
  void SaveColumnSizes();
  void LoadColumnSizes();
  // The row as high as its tallest cell (text with word break, HTML, the
  // graphic's room) but not below DefaultRowHeight; or as high as lines of
  // the grid's font plus extra pixels.
  void AutoSizeRow(int row);
  void SizeRowToLines(int row, int lines, int extra);
  int SelectionCursorMode() const { return FCursorMode; }
  const std::string& LookupText() const { return FLookup; }
  // The four arrow windows that mark where a moved or dropped column or
  // row lands (TArrowDirection), made on first use.
  TArrowWindow* Arrow(int direction);
  int ScrollType() const { return FScroll.Type; }
  void SetScrollType(int type);
  TColor ScrollColor() const { return FScroll.Color; }
  void SetScrollColor(TColor color);
  int ScrollWidth() const;  // the system's scroll bar width until set
  void SetScrollWidth(int width);
  bool ScrollProportional() const { return FScroll.Proportional; }
  void SetScrollProportional(bool on);
  // The text a thumb drag shows: "Row : " or "Col : " and the number.
  std::string ScrollHintText(bool vertical, int position);

  // --- the cells' colours and alignment as painting and export see them
  virtual void GetCellColor(int col, int row, TGridDrawState state, TColor& brush, TFont& font);
  virtual int GetCellAlignment(int col, int row);  // 0 left, 1 right, 2 centre
  virtual bool IsFixed(int col, int row) const;
  virtual bool CanEditCell(int col, int row) const;

  // --- further published settings and events (ExtGridProperties.cpp)
  TPrintSettings PrintSettings;  // kept and stored with the grid; nothing here prints
  bool SizeWithForm = false;     // the grid grows and shrinks with its form
  bool EnhTextSize = false;      // one-line plain text cut at the right ends in "..."
  bool HideFocusRect = false;    // the current cell shows no focus rectangle
  bool URLEdit = false;          // with URLShow, a right click on a link cell edits it
  bool AutoSize() const { return FAutoSize; }
  // On: every non-fixed column as wide as its content plus 10 pixels.
  void SetAutoSize(bool on);
  int FixedColWidth() const { return ColWidths(0); }
  void SetFixedColWidth(int width);  // every fixed column
  int FixedRowHeight() const { return RowHeights(0); }
  void SetFixedRowHeight(int height);  // every fixed row
  bool FilterActive() const { return FData.FilterActive(); }
  // Hides the rows that fail Filter, or shows them all again.
  void SetFilterActive(bool on);
  using TGridCellFlagEvent = std::function<void(TComponent* sender, int row, int col, bool& flag)>;
  TGridCellFlagEvent OnIsFixedCell, OnIsPasswordCell;
  // Raised as an editor opens, after OnGetEditorType: the place to set the
  // editor's properties (Editor(type)); link is the grid's EditLink.
  using TGridEditorPropEvent = std::function<void(TComponent* sender, int col, int row, TEditLink* link)>;
  TGridEditorPropEvent OnGetEditorProp;
  TNotifyEvent OnRichEditSelectionChange;  // the selection of the rich-text editor moved
  TGridCellColorEvent OnGetCellPrintColor;
  using TGridCellBorderEvent = std::function<void(TComponent* sender, int row, int col, TColor& pen, int& width, int& borders)>;
  TGridCellBorderEvent OnGetCellPrintBorder;
  // The password character stands for every character of such a cell.
  virtual bool IsPasswordCell(int col, int row);
  // A plain-text cell is shown, measured, copied and exported exactly as its
  // text stands: no mini-HTML, rich text or link is read from it. For texts
  // others wrote (names from files), which must never act as markup.
  TGridCellFlagEvent OnIsPlainTextCell;
  virtual bool IsPlainTextCell(int col, int row);
  // A cell's colours and borders on paper: the bands when Bands.Print, then the events.
  virtual void GetCellPrintColor(int col, int row, TGridDrawState state, TColor& brush, TFont& font);
  virtual void GetCellPrintBorder(int col, int row, TColor& pen, int& width, int& borders);

  // --- export and import
  void SaveToHTML(const std::string& fileName);
  void CopyToClipboard();
  void CopySelectionToClipboard();
  void CopyRangeToClipboard(const TGridRect& range);
  void CutSelection();
  void PasteIntoSelection();
  int PasteAtCell(int col, int row);  // the number of fields pasted
  // Through the spreadsheet program's automation; "Excel OLE server not
  // found" when it is not installed.
  void SaveToWorkbook(const std::string& fileName);
  void LoadFromWorkbook(const std::string& fileName);
  void LoadFromDelimitedFile(const std::string& fileName);

  // --- drops (the drop target calls these; tests may too)
  // A dropped list of names: a single ".CSV" or ".XLS" file is loaded.
  bool DropFiles(const std::vector<std::string>& names);
  // Tab / CR LF text dropped at a client point: pasted at the cell there;
  // refused (false) when the grid cannot take all of it.
  bool DropText(POINT client, const std::string& text);

  // --- OLE drag and drop: the window as a drag source (ExtGridDrag.cpp)
  // and what dragging over and dropping onto it does (ExtGridDrop.cpp)
  bool OleDropSource = false, OleEntireRows = false, OleInsertRows = false, OleRemoveRows = false;
  bool OleDropRTF() const { return FOle.DropRTF; }
  void SetOleDropRTF(bool on);
  TGridOleDragOverEvent OnOleDragOver;
  TGridOleDropEvent OnOleDrag;
  TGridOleDragStartEvent OnOleDragStart;
  // The small button that follows the cursor while the grid drags (made on first use).
  TPopupButton& DragButton();
  TGridOleDragStopEvent OnOleDragStop;
  TGridOleDropColEvent OnOleDropCol;
  // Drags the selection's text, or from a fixed row the column, through the
  // system's drag loop; the drop's effect (none when refused or cancelled).
  DWORD OleDrag(int col, int row);
  // Whether a drop of the formats (dfXxx) at a client point is taken
  // (dragging over the edge rows scrolls); the cell there.
  bool OleDragOver(POINT client, int formats, int& col, int& row);
  bool DropRichText(POINT client, const std::string& text);
  bool DropColumn(POINT client, int sourceCol);

  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  bool KeyDown(uint16_t& key, TShiftState shift) override;
  bool KeyUp(uint16_t& key, TShiftState shift) override;
  // One tick of the 500 ms timer: hovering and blinking cells.
  void HoverTimer();
  static constexpr UINT_PTR kHoverTimerId = 111;
  // Middle-button panning: each 10 ms tick moves the current cell one step
  // toward the side where the mouse is, more than 5 pixels from where it began.
  bool Panning() const { return FPanning; }
  void PanTick();
  static constexpr UINT_PTR kPanTimerId = 999;
  // The column as wide as its widest cell (text and picture) plus 4 pixels.
  void AutoSizeColumn(int col);

  // --- rich-text cells (ExtGridRichPaint.cpp): two hidden rich-edit
  // controls, components of the grid made on first need.
  // A selected cell that is not the focused one keeps its own text colours.
  bool SelectionRTFKeep = false;
  // The editor of etRichEdit cells: the cell's rich text in the editing
  // control over the cell, shown and focused; its RTF; hidden again.
  void ShowRichEditor(int col, int row);
  std::string RichEditorText();
  void HideRichEditor();
  TExtRichEdit* RichEditor() const { return FRichEditor; }  // null until first shown
  // The size a rich text needs unwrapped (the measuring control's request).
  SIZE RichTextSize(const std::string& text);
  // The size of a graphic of the kinds DrawMoreGraphic paints.
  static SIZE MoreGraphicSize(const TCellGraphic& g, const TImageList* images);

protected:
  void Paint(TCanvas& canvas, const RECT& area) override;
  void DrawCell(TCanvas& canvas, int col, int row, RECT rect, TGridDrawState state) override;
  bool MouseWheel(int delta, TShiftState shift, POINT screen) override;
  void Timer(UINT_PTR id) override;
  // A typed character: the lookup, then the decimal key, then the editor it opens.
  bool KeyPress(wchar_t& key) override;
  // Coming back from elsewhere than its editor, an AlwaysEdit grid opens the editor.
  void FocusEnter(HWND previous) override;
  void FocusExit(HWND next) override;
  // The saved column sizes are loaded and the hover timer starts.
  void Created() override;
  // The stretched column, the scaled columns and the proportional thumbs follow the width.
  void Sized(UINT kind, int width, int height) override;
  std::unique_ptr<TInplaceEdit> CreateEditor() override;
  bool CanEditShow() override;
  std::string GetEditText(int col, int row) override;
  bool SelectCell(int col, int row) override;
  // A scroll writes a showing typed editor's value back and hides it.
  void TopLeftChanged() override;
  // The typed editor for a type (null: the default editor serves); a
  // descendant may bring its own controls.
  virtual std::unique_ptr<TGridEditorControl> CreateTypedEditor(TEditorType type);
  bool CanSizeColumn(int col) override;
  // The timer and the drop registration end with the window.
  void DestroyHandle() override;
  // Hooks of the mouse, key and paint handlers (true: handled, stop).
  bool MouseDownExtras(TMouseButton button, TShiftState shift, int x, int y);
  bool MouseUpExtras(TMouseButton button, TShiftState shift, int x, int y);
  void MouseUpAfter(int x, int y);
  bool TabWraps(uint16_t key, TShiftState shift);
  bool KeyDownExtras(uint16_t key, TShiftState shift, bool handled);
  void DrawCellBefore(TCanvas& canvas, int col, int row, RECT& rect, TGridDrawState& state);
  void DrawCellAfter(TCanvas& canvas, int col, int row, const RECT& rect);
  void DrawAngledText(HDC dc, int col, int row, const RECT& rect, int angle);
  void PaintFixedLines(TCanvas& canvas);
  SIZE GraphicLayoutSize(HDC dc, int col, int row, const TCellGraphic& g);
  // The size the cell painter gives the graphic in a cell of that rectangle.
  SIZE PaintedGraphicSize(const TCellGraphic& g, const RECT& cell) const;
  // Kinds the cell painter leaves to these, at (x, y) with size s.
  void DrawMoreGraphic(HDC dc, int col, int row, const RECT& rect, const TCellGraphic& g, int x, int y, SIZE s);
  bool SetCursorAt(POINT client) override;
  void ColumnSized(int col) override;

private:
  void StartMove(bool column, int index);
  void TrackMove(int x, int y);
  void EndMove(int x, int y);
  void ShowMoveArrows(int x, int y);
  int MoveTarget(int x, int y) const;
  int RadioIndexAt(int col, int row, int x, int y);
  int RowBorderAt(int x, int y) const;
  void SetRowSelected(int first, int last, bool on);
  bool ClickButtonCell(int col, int row, int x, int y);
  RECT ButtonFaceRect(int col, int row, const TCellGraphic& g);
  void UpdateCursorMode(int x, int y);
  void UpdateHint(int x, int y);
  void HideHint();
  // width 0: as wide as the text.
  void ShowHintAt(const std::string& text, POINT screen, int width);
  bool LookupChar(char ch);
  void ApplyFlatScrollBars();
  void UpdateProportionalBars();
  // A thumb dragged on the grid's own scroll bar: proportional and
  // synchronised bars move by rows (columns) and may show the scroll hint;
  // false leaves the message to the string grid.
  bool ThumbScrolled(bool vertical, int code, int thumb);
  void SynchColumnsWithWidth();
  int FPressedCol = -1, FPressedRow = -1;    // a fixed cell drawn pressed
  int FButtonCol = -1, FButtonRow = -1;      // a pressed button cell
  int FToggleRow = -1;                        // a disjunct row to deselect at the release
  int FSizingRow = -1, FSizingStartY = 0, FSizeStart = 0;  // row sizing; the sized one's size at the press
  int FMoveIndex = -1, FMoveTo = -1;          // the moved column or row and its target
  bool FMoveColumn = false, FMoved = false, FMoveAllowed = false;
  int FSelectMode = 0, FSelectFrom = -1;      // a row or column selection by its header being dragged
  int FCursorMode = 0;
  std::string FAnchorHover;  // the address under the mouse, in cell (FAnchorCol, FAnchorRow)
  int FAnchorCol = -1, FAnchorRow = -1;
  POINT FAnchorPoint{-1, -1};
  void SetHoverAnchor(int col, int row, POINT p, const std::string& anchor);
  std::string FLookup;
  TArrowWindow* FArrows[4] = {};  // owned by the grid as their owner

  void DrawCellText(TCanvas& canvas, int col, int row, RECT rect, TGridDrawState state, const TCellGraphic* graphic);
  void DrawBackground(HDC dc, int col, int row, const RECT& rect);
  void DrawCellGraphic(HDC dc, int col, int row, const RECT& rect, const TCellGraphic& g, TColor brush);
  void DrawSortGlyph(HDC dc, int x, int y, int realCol);
  void DrawSortIndexGlyph(HDC dc, int x, int y, int entry);
  bool ShowsSortGlyph(int col, int row) const;
  void HeaderClick(int col);
  // The address of the link under a client point in (col, row), or "".
  std::string AnchorAt(int col, int row, POINT p);
  // Opens a link: "CELL://" references move to the cell; web and mail
  // addresses go to the shell; anything else opens nothing.
  void ClickAnchor(int col, int row, const std::string& anchor);
  // The kind of text the cell is painted and measured as (ctPlain for a
  // plain-text cell).
  int CellKind(int col, int row);
  // Enter: the next cell (previous when backward) by the navigation rules,
  // never looping; past the last one a row or column may be added. False
  // when the current cell stays.
  bool AdvanceOnEnter(bool backward);
  // A key handed on by an editor; forced: Enter moves on even without AdvanceOnEnter.
  void KeyFromEditor(uint16_t key, TShiftState shift, bool forced);
  bool ShowTypedEditor();
  // The edited cell may have gone with rows or columns removed meanwhile.
  bool EditCellExists() const { return FEdit.Col >= 0 && FEdit.Col < ColCount() && FEdit.Row >= 0 && FEdit.Row < RowCount(); }
  // Writes the typed editor's value back (when write) and hides it.
  void LeaveTypedEditor(bool write);
  void ShowRichCellEditor();
  void LeaveRichEditor(bool write);
  void ShowEditLink();
  void LeaveEditLink(bool write);
  // The editing keys: F2, Escape, Space on check boxes, row insert and delete.
  bool EditingKey(uint16_t key, TShiftState shift);
  void InsertRowKey();
  void DeleteRowKey();
  // A press on the current cell: a double click, or opening the editor directly.
  void MouseEditing(TMouseButton button, TShiftState shift, int x, int y);
  void ClipboardText(const std::string& text);
  void StartPan(POINT client);
  void EndPan();
  // The width that a cell's text and graphic take when painted.
  int CellTextWidth(HDC dc, int col, int row);

  TGridData FData;
  int FUpdateCount = 0;
  int FZoom = 0;
  bool FBlinkOn = false;
  int FDownCol = -1, FDownRow = -1;  // the cell of the last left press
  bool FSized = false;               // the press sized a column: its release does not sort
  bool FPanning = false;
  POINT FPanAnchor{};
  // OLE dragging out of the grid and dropping onto it.
  bool OleDragPress(TShiftState shift, int x, int y);
  bool OleDragMove(TShiftState shift, int x, int y);
  void OleDragRelease(int x, int y);
  bool DropCell(POINT client, bool columns, int& col, int& row) const;
  bool CanPasteDrop() const { return (Options & goEditing) || Navigation.AllowClipboardAlways; }
  bool CanTakeText(int col, int row, const TTextSize& size) const;
  void RemoveDraggedRows();

  void FormResized(TComponent* sender);
  bool FAutoSize = false;
  TForm* FSizeForm = nullptr;  // the owner form whose resizing the grid follows; not owned
  TNotifyEvent FPrevFormResize;
  int FFormWidth = 0, FFormHeight = 0;

  // The rich-text cells' controls.
  TExtRichEdit& RichMeasure();
  // Loads text into a control: as RTF, or as plain text when it is refused.
  static void LoadRichText(TExtRichEdit& control, const std::string& text);
  void DrawRichText(TCanvas& canvas, int col, int row, RECT rect, TGridDrawState state);
  TExtRichEdit* FRichMeasure = nullptr;  // owned as a component
  TExtRichEdit* FRichEditor = nullptr;   // owned as a component

  // The grid's state in parts. Declared last, so that the editors go first
  // when the grid does.
  TGridScrollState FScroll;
  TGridHintState FHint;
  TGridOleState FOle;
  TGridEditState FEdit;
};

// The grid unit's start-up: OLE is initialised once for the program's life;
// "OleInitialize failed ($%x)" when it fails.
void ExtGridStartup();
void ExtGridShutdown();
// The clipboard's plain text ("" when it holds none or cannot be opened);
// read only within its block.
std::string ReadClipboardText(HWND owner);
