// The extended grid's mouse and keys beyond sorting: nodes, radio, check box
// and button cells, disjunct row selection, header selection, row sizing,
// moving columns with the arrow markers, hints, lookup and the scroll bars.
#include <gtest/gtest.h>

#include <cstdlib>

#include "EsgArrow.h"
#include "ExtGridTestForm.h"

namespace {
POINT Middle(TExtStringGrid& g, int col, int row) {
  RECT r = g.CellRect(col, row);
  return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

void ClickCell(TGridWindow& w, int col, int row, WPARAM keys = 0) {
  POINT p = Middle(*w.Grid, col, row);
  w.Send(WM_LBUTTONDOWN, MK_LBUTTON | keys, p.x, p.y);
  w.Send(WM_LBUTTONUP, keys, p.x, p.y);
}

void Drag(TGridWindow& w, POINT from, POINT to) {
  w.Send(WM_LBUTTONDOWN, MK_LBUTTON, from.x, from.y);
  w.Send(WM_MOUSEMOVE, MK_LBUTTON, (from.x + to.x) / 2, (from.y + to.y) / 2);
  w.Send(WM_MOUSEMOVE, MK_LBUTTON, to.x, to.y);
  w.Send(WM_LBUTTONUP, 0, to.x, to.y);
}

std::string Column(TExtStringGrid& g, int col) {
  std::string s;
  for (int r = 0; r < g.RowCount(); ++r) s += (r ? " " : "") + g.Cells(col, r);
  return s;
}

// A radio group of captions in (col, row); index -1 binds it to the text.
TCellGraphic& AddRadio(TExtStringGrid& g, int col, int row, bool horizontal, int index) {
  TCellGraphic& r = g.Data().CreateCellGraphic(col, row);
  r.Kind = gkRadioGroup;
  auto* captions = new TStringList;
  for (const char* c : {"One", "Two", "Three"}) captions->Add(c);
  r.Object1 = captions;
  r.State = horizontal;
  r.Value = index;
  return r;
}

TCellGraphic& AddButton(TExtStringGrid& g, int col, int row, const char* caption) {
  TCellGraphic& b = g.Data().CreateCellGraphic(col, row);
  b.Kind = gkButton;
  auto* text = new TStringList;
  text->Add(caption);
  b.Object1 = text;
  b.Value = 40 | (16 << 16);
  return b;
}

// The window with the popups over it (hints, arrows), as the screen shows them,
// when BX_GRID_SHOTS names a folder.
int TextWidth(TExtStringGrid& g, const std::string& s) {
  TWindowDC dc(g.Handle());
  TFontHandle font = CreateFontHandle(g.Font);
  TSelectGuard sel(dc.DC(), font.Get());
  SIZE size{};
  GetTextExtentPoint32A(dc.DC(), s.data(), int(s.size()), &size);
  return size.cx;
}
}  // namespace

TEST(ExtGridMouse, NodeClicksCollapseAndExpandTheirRows) {
  TGridWindow w(3, 7);
  TExtStringGrid& g = *w.Grid;
  g.Data().EnableGraphics = true;
  g.AddNode(1, 0);
  g.AddNode(4, 2);
  int contracted = -1, expanded = -1;
  g.OnContractNode = [&](TComponent*, int row) { contracted = row; };
  g.OnExpandNode = [&](TComponent*, int row) { expanded = row; };
  ClickCell(w, 0, 4);  // the second node: its span of two rows
  EXPECT_EQ(contracted, 4);
  EXPECT_EQ(Column(g, 1), "H1 1,1 1,2 1,3 1,4 1,7");
  EXPECT_EQ(g.Row(), 4);
  ClickCell(w, 0, 1);  // the first node: up to the next node
  EXPECT_EQ(contracted, 1);
  EXPECT_EQ(Column(g, 1), "H1 1,1 1,4 1,7");
  ClickCell(w, 0, 2);  // the second node, now shown as row 2, gets its real row
  EXPECT_EQ(expanded, 4);
  EXPECT_EQ(Column(g, 1), "H1 1,1 1,4 1,5 1,6 1,7");
  ClickCell(w, 0, 1);
  EXPECT_EQ(expanded, 1);
  EXPECT_EQ(Column(g, 1), "H1 1,1 1,2 1,3 1,4 1,5 1,6 1,7");
  // Column 0 of other rows does nothing while nodes exist.
  const int col = g.Col(), row = g.Row();
  ClickCell(w, 0, 3);
  EXPECT_EQ(g.Col(), col);
  EXPECT_EQ(g.Row(), row);
  EXPECT_EQ(g.RowCount(), 8);
  // Nor can it be selected when it is not fixed.
  g.SetFixedCols(0);
  g.FocusCell(0, 3, true);
  EXPECT_NE(g.Col(), 0);
  g.FocusCell(1, 3, true);
  EXPECT_EQ(g.Col(), 1);
}

TEST(ExtGridMouse, RadioClicksPickTheButtonWhoseSlotHoldsTheMouse) {
  TGridWindow w(3, 4);
  TExtStringGrid& g = *w.Grid;
  g.Data().EnableGraphics = true;
  g.SetColWidths(1, 200);
  AddRadio(g, 1, 1, true, 0);
  std::vector<int> picked;
  g.OnRadioClick = [&](TComponent*, int col, int row, int index) { picked.push_back(index); };
  int upIndex = -1;
  g.OnRadioMouseUp = [&](TComponent*, int, int, int index) { upIndex = index; };
  RECT r = g.CellRect(1, 1);
  const int slot1 = TextWidth(g, "One") + 12, slot2 = TextWidth(g, "Two") + 12;
  const int y = (r.top + r.bottom) / 2;
  w.Click(r.left + slot1 + slot2 + 3, y);  // inside the third slot
  w.Click(r.left + slot1 - 1, y);          // the last pixel of the first
  w.Click(r.left + slot1, y);              // the first of the second
  w.Click(r.left + slot1 + slot2 + TextWidth(g, "Three") + 14, y);  // past every slot: none
  EXPECT_EQ(picked, (std::vector<int>{2, 0, 1}));
  EXPECT_EQ(g.Data().CellGraphic(1, 1)->Value, 1);
  EXPECT_EQ(upIndex, 1);
  // A text-bound vertical group writes the caption; its rows are a text line apart.
  g.SetRowHeights(2, 60);
  AddRadio(g, 1, 2, false, -1);
  r = g.CellRect(1, 2);
  TWindowDC dc(g.Handle());
  TFontHandle font = CreateFontHandle(g.Font);
  TSelectGuard sel(dc.DC(), font.Get());
  TEXTMETRICA tm{};
  GetTextMetricsA(dc.DC(), &tm);
  w.Click(r.left + 5, r.top + tm.tmHeight + 3);
  EXPECT_EQ(g.Cells(1, 2), "Two");
  EXPECT_EQ(g.Data().CellGraphic(1, 2)->Value, -1);
}

TEST(ExtGridMouse, CheckBoxesToggleOnlyWhereEditingIsAllowed) {
  TGridWindow w(3, 4);
  TTestGrid& g = *w.Grid;
  g.Data().EnableGraphics = true;
  g.Data().CreateCellGraphic(1, 2).Kind = gkCheckBox;
  std::vector<bool> clicks;
  g.OnCheckBoxClick = [&](TComponent*, int, int, bool state) { clicks.push_back(state); };
  ClickCell(w, 1, 2);  // editing off
  EXPECT_FALSE(g.Data().CheckBoxState(1, 2));
  g.Options |= goEditing;
  g.ReadOnly = true;
  ClickCell(w, 1, 2);
  EXPECT_FALSE(g.Data().CheckBoxState(1, 2));
  g.ReadOnly = false;
  ClickCell(w, 1, 2);
  EXPECT_TRUE(g.Data().CheckBoxState(1, 2));
  EXPECT_EQ(g.Col(), 1);
  EXPECT_EQ(g.Row(), 2);
  SendMessageA(g.Handle(), WM_KEYDOWN, VK_SPACE, 0);
  EXPECT_FALSE(g.Data().CheckBoxState(1, 2));
  EXPECT_EQ(clicks, (std::vector<bool>{true, false}));
  std::vector<bool> ups;
  g.OnCheckBoxMouseUp = [&](TComponent*, int, int, bool state) { ups.push_back(state); };
  ClickCell(w, 1, 2);
  EXPECT_EQ(ups, (std::vector<bool>{true}));
}

TEST(ExtGridMouse, ButtonCellsClickAtTheReleaseOnlyWhenPressedOnTheFace) {
  TGridWindow w(3, 4);
  TExtStringGrid& g = *w.Grid;
  g.Data().EnableGraphics = true;
  g.SetColWidths(2, 100);
  AddButton(g, 2, 1, "Go");
  int clicks = 0;
  g.OnButtonClick = [&](TComponent*, int col, int row) { clicks += col == 2 && row == 1; };
  RECT r = g.CellRect(2, 1);
  w.Send(WM_LBUTTONDOWN, MK_LBUTTON, r.left + 5, r.top + 5);
  EXPECT_EQ(g.Data().CellGraphic(2, 1)->State, 1);  // drawn pressed
  EXPECT_EQ(clicks, 0);
  w.Send(WM_LBUTTONUP, 0, r.left + 5, r.top + 5);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(g.Data().CellGraphic(2, 1)->State, 0);
  w.Click(r.left + 80, r.top + 5);  // beside the 40-pixel face
  EXPECT_EQ(clicks, 1);
}

TEST(ExtGridMouse, DisjunctRowSelectionWithCtrlToggles) {
  TGridWindow w(3, 6);
  TExtStringGrid& g = *w.Grid;
  g.MouseActions.DisjunctRowSelect = true;
  g.Options |= goRowSelect;
  auto selected = [&] {
    std::string s;
    for (int r = 1; r < g.RowCount(); ++r)
      if (g.Data().RowSelect(r)) s += std::to_string(r);
    return s;
  };
  ClickCell(w, 1, 2);
  EXPECT_EQ(selected(), "2");
  ClickCell(w, 1, 4, MK_CONTROL);
  EXPECT_EQ(selected(), "24");
  ClickCell(w, 1, 2, MK_CONTROL);  // selected: toggled off at the release
  EXPECT_EQ(selected(), "4");
  ClickCell(w, 1, 3);
  EXPECT_EQ(selected(), "3");
  uint16_t key = VK_DOWN;
  g.KeyDown(key, 0);
  EXPECT_EQ(selected(), "4");
  key = VK_SPACE;
  g.KeyDown(key, 0);
  EXPECT_EQ(selected(), "");
  key = VK_DOWN;
  g.KeyDown(key, ssShift);
  EXPECT_EQ(selected(), "45");
  EXPECT_NE(w.PixelAt(Middle(g, 1, 4).x, Middle(g, 1, 4).y), w.PixelAt(Middle(g, 1, 2).x, Middle(g, 1, 2).y));
}

TEST(ExtGridMouse, HeadersSelectAllOrWholeRowsAndColumns) {
  TGridWindow w(4, 5);
  TExtStringGrid& g = *w.Grid;
  g.MouseActions.AllSelect = g.MouseActions.RowSelect = g.MouseActions.ColSelect = true;
  auto sel = [&] {
    TGridRect s = g.Selection();
    return std::to_string(s.Left) + std::to_string(s.Top) + std::to_string(s.Right) + std::to_string(s.Bottom);
  };
  ClickCell(w, 0, 0);
  EXPECT_EQ(sel(), "1135");
  Drag(w, Middle(g, 0, 2), Middle(g, 0, 4));
  EXPECT_EQ(sel(), "1234");
  ClickCell(w, 2, 0);
  EXPECT_EQ(sel(), "2125");
  // Over the headers the cursor mode follows the settings.
  POINT p = Middle(g, 2, 0);
  w.Send(WM_MOUSEMOVE, 0, p.x, p.y);
  EXPECT_EQ(g.SelectionCursorMode(), 1);
  p = Middle(g, 0, 3);
  w.Send(WM_MOUSEMOVE, 0, p.x, p.y);
  EXPECT_EQ(g.SelectionCursorMode(), 2);
  p = Middle(g, 2, 3);
  w.Send(WM_MOUSEMOVE, 0, p.x, p.y);
  EXPECT_EQ(g.SelectionCursorMode(), 0);
}

TEST(ExtGridMouse, RowAndColumnSizingAskAndReportAndCanScaleTheOthers) {
  TGridWindow w(4, 5);
  TExtStringGrid& g = *w.Grid;
  g.Options |= goRowSizing | goColSizing;
  bool allowRow = false;
  int askedRow = -1, endedRow = -1, endedCol = -1;
  g.OnRowSize = [&](TComponent*, int row, bool& allow) { askedRow = row, allow = allowRow; };
  g.OnEndRowSize = [&](TComponent*, int row) { endedRow = row; };
  g.OnEndColumnSize = [&](TComponent*, int col) { endedCol = col; };
  RECT r = g.CellRect(0, 2);
  const int h = g.RowHeights(2);
  Drag(w, POINT{r.left + 10, r.bottom - 1}, POINT{r.left + 10, r.bottom + 11});
  EXPECT_EQ(askedRow, 2);
  EXPECT_EQ(g.RowHeights(2), h);  // refused
  allowRow = true;
  g.MouseActions.AllRowSize = true;
  const int other = g.RowHeights(3);
  Drag(w, POINT{r.left + 10, r.bottom - 1}, POINT{r.left + 10, r.bottom - 1 + h});
  EXPECT_EQ(g.RowHeights(2), 2 * h);
  EXPECT_EQ(g.RowHeights(3), 2 * other);  // scaled with it
  EXPECT_EQ(endedRow, 2);
  // Columns: the base grid sizes, the grid scales the others after it.
  g.MouseActions.AllColumnSize = true;
  const int w1 = g.ColWidths(1), w2 = g.ColWidths(2);
  RECT c = g.CellRect(1, 0);
  Drag(w, POINT{c.right, c.top + 5}, POINT{c.right + w1 / 2, c.top + 5});
  EXPECT_EQ(g.ColWidths(1), w1 + w1 / 2);
  EXPECT_NEAR(g.ColWidths(2), w2 * 1.5, 1);
  EXPECT_EQ(endedCol, 1);
  // A one-row grid never sizes.
  g.OnColumnSize = [&](TComponent*, int, bool& allow) { allow = false; };
  const int w3 = g.ColWidths(3);
  c = g.CellRect(3, 0);
  Drag(w, POINT{c.right, c.top + 5}, POINT{c.right + 20, c.top + 5});
  EXPECT_EQ(g.ColWidths(3), w3);
}

TEST(ExtGridMouse, ColumnsMoveByTheirHeaderWithArrowMarkers) {
  TGridWindow w(5, 4);
  TExtStringGrid& g = *w.Grid;
  g.EnhRowColMove = true;
  g.SortShow = true;
  g.SetColWidths(1, 50);
  bool allow = false;
  int asked = -1;
  g.OnColumnMove = [&](TComponent*, int col, bool& ok) { asked = col, ok = allow; };
  Drag(w, Middle(g, 1, 0), Middle(g, 3, 0));
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(g.Cells(1, 0), "H1");  // refused
  allow = true;
  POINT from = Middle(g, 1, 0), to = Middle(g, 3, 0);
  w.Send(WM_LBUTTONDOWN, MK_LBUTTON, from.x, from.y);
  w.Send(WM_MOUSEMOVE, MK_LBUTTON, to.x, to.y);
  ASSERT_NE(g.Arrow(adDown), nullptr);
  EXPECT_TRUE(g.Arrow(adDown)->Showing());
  EXPECT_TRUE(g.Arrow(adUp)->Showing());
  EXPECT_FALSE(g.Arrow(adLeft)->Showing());
  // The down arrow's tip points at the right border of the target column.
  RECT target = g.CellRect(3, 0), arrow;
  GetWindowRect(g.Arrow(adDown)->Handle(), &arrow);
  POINT border{target.right, target.top};
  ClientToScreen(g.Handle(), &border);
  EXPECT_NEAR((arrow.left + arrow.right) / 2, border.x, 1);
  EXPECT_EQ(arrow.bottom, border.y);
  ScreenShot(w.Form.Handle(), "grid_column_move");
  w.Send(WM_LBUTTONUP, 0, to.x, to.y);
  EXPECT_FALSE(g.Arrow(adDown)->Showing());
  EXPECT_EQ(g.Cells(1, 0) + g.Cells(2, 0) + g.Cells(3, 0), "H2H3H1");
  EXPECT_EQ(g.ColWidths(3), 50);  // the width moved with it
  EXPECT_EQ(g.Data().SortIndexList.Count(), 0);  // the release did not sort
  EXPECT_EQ(g.Cells(3, 1), "1,1");
  // A header click without moving still sorts.
  int sorted = -1;
  g.OnClickSort = [&](TComponent*, int col) { sorted = col; };
  ClickCell(w, 2, 0);
  EXPECT_EQ(sorted, 2);
}

TEST(ExtGridMouse, RowsMoveByTheirHeader) {
  TGridWindow w(3, 5);
  TExtStringGrid& g = *w.Grid;
  g.EnhRowColMove = true;
  Drag(w, Middle(g, 0, 1), Middle(g, 0, 3));
  EXPECT_EQ(Column(g, 1), "H1 1,2 1,3 1,1 1,4 1,5");
}

TEST(ExtGridMouse, CellHintsShowTextsCommentsAndTheGridHint) {
  TGridWindow w(3, 4);
  TExtStringGrid& g = *w.Grid;
  g.Data().EnableGraphics = true;
  POINT at{};
  EXPECT_EQ(g.CellHint(1, 1, at), "");
  g.Hint = "grid";
  RECT r = g.CellRect(1, 1);
  EXPECT_EQ(g.CellHint(1, 1, at), "grid");
  EXPECT_EQ(at.y, r.bottom + 6);
  g.HintShowCells = true;
  EXPECT_EQ(g.CellHint(1, 1, at), "1,1");
  EXPECT_EQ(at.y, r.top);
  g.HintShowLargeText = true;  // only texts wider than the column
  EXPECT_EQ(g.CellHint(1, 1, at), "");
  g.SetCells(1, 2, "a text far too wide for this column");
  EXPECT_EQ(g.CellHint(1, 2, at), "a text far too wide for this column");
  TCellGraphic& comment = g.Data().CreateCellGraphic(2, 3);
  comment.Kind = gkComment;
  auto* note = new TStringList;
  note->Add("note");
  comment.Object1 = note;
  g.OnGridHint = [](TComponent*, int row, int col, std::string& hint) { hint += "!" + std::to_string(col); };
  EXPECT_EQ(g.CellHint(2, 3, at), "note!2");
  EXPECT_EQ(at.x, g.CellRect(2, 3).right);
  EXPECT_EQ(at.y, g.CellRect(2, 3).top);
  // Moving onto a cell shows its hint; moving on to another replaces it.
  POINT p = Middle(g, 1, 2);
  w.Send(WM_MOUSEMOVE, 0, p.x, p.y);
  EXPECT_EQ(g.HintCell(), 1);
  ScreenShot(w.Form.Handle(), "grid_cell_hint");
  p = Middle(g, 2, 1);
  w.Send(WM_MOUSEMOVE, 0, p.x, p.y);
  EXPECT_EQ(g.HintCell(), 2);
}

TEST(ExtGridMouse, TypedLettersGoToTheFirstMatchingRow) {
  TGridWindow w(3, 5);
  TExtStringGrid& g = *w.Grid;
  const char* names[] = {"apple", "Banana", "bar", "cherry", "Bark"};
  for (int r = 1; r <= 5; ++r) g.SetCells(1, r, names[r - 1]);
  g.Navigation.AutoGotoWhenSorted = true;
  auto type = [&](char c) { SendMessageA(g.Handle(), WM_CHAR, WPARAM(c), 0); };
  type('c');
  EXPECT_EQ(g.Row(), 4);
  type('b');  // replaces the text
  EXPECT_EQ(g.Row(), 2);
  EXPECT_EQ(g.LookupText(), "b");
  g.Navigation.AutoGotoIncremental = true;
  type('a');
  type('r');
  EXPECT_EQ(g.Row(), 3);
  type('k');
  EXPECT_EQ(g.Row(), 5);
  type('\b');
  EXPECT_EQ(g.LookupText(), "bar");
  SendMessageA(g.Handle(), WM_KEYUP, VK_HOME, 0);
  EXPECT_EQ(g.LookupText(), "bar");
  SendMessageA(g.Handle(), WM_KEYUP, VK_DOWN, 0);
  EXPECT_EQ(g.LookupText(), "");
  g.Options |= goEditing;  // no lookup while editing is on
  type('a');
  EXPECT_EQ(g.LookupText(), "");
}

TEST(ExtGridMouse, CellEventsAndScrolling) {
  TGridWindow w(8, 40, 300, 200);
  TExtStringGrid& g = *w.Grid;
  std::string events;
  g.OnClickCell = [&](TComponent*, int row, int col) { events += "c" + std::to_string(col) + std::to_string(row); };
  g.OnRightClickCell = [&](TComponent*, int row, int col) { events += "r" + std::to_string(col) + std::to_string(row); };
  g.OnDblClickCell = [&](TComponent*, int row, int col) { events += "d" + std::to_string(col) + std::to_string(row); };
  POINT p = Middle(g, 2, 3);
  w.Click(p.x, p.y);
  w.Send(WM_LBUTTONDBLCLK, MK_LBUTTON, p.x, p.y);
  w.Send(WM_LBUTTONUP, 0, p.x, p.y);
  w.Send(WM_RBUTTONDOWN, MK_RBUTTON, p.x, p.y);
  w.Send(WM_RBUTTONUP, 0, p.x, p.y);
  EXPECT_EQ(events, "c23d23c23r23");
  // A cell out of sight comes to the middle of the shown rows.
  g.ScrollInView(2, 30);
  EXPECT_EQ(g.Row(), 30);
  EXPECT_EQ(g.TopRow(), 30 - g.VisibleRowCount() / 2);
  g.ScrollInView(99, 99);  // outside: ignored
  EXPECT_EQ(g.Row(), 30);
  // Scroll hints name the row or column that the thumb stands for.
  g.OnScrollHint = [](TComponent*, int n, std::string& text) { text += n == 7 ? " (7)" : ""; };
  EXPECT_EQ(g.ScrollHintText(true, 7), "Row : 7 (7)");
  EXPECT_EQ(g.ScrollHintText(false, 3), "Col : 3");
  // Dragging a thumb shows the hint of its bar only while it moves.
  g.ScrollHints = TExtStringGrid::shHorizontal;
  g.WndProc(WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 0), 0);
  EXPECT_EQ(g.ShownHint(), "");
  g.ScrollHints = TExtStringGrid::shBoth;
  g.WndProc(WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 0), 0);
  EXPECT_TRUE(g.ShownHint().starts_with("Row : ")) << g.ShownHint();
  g.WndProc(WM_VSCROLL, MAKEWPARAM(SB_ENDSCROLL, 0), 0);
  EXPECT_EQ(g.ShownHint(), "");
  // Flat and proportional bars work or are skipped; the grid still scrolls.
  g.SetScrollType(TExtStringGrid::ssFlat);
  g.SetScrollColor(clRed);
  g.SetScrollProportional(true);
  g.SetTopRow(10);
  EXPECT_EQ(g.TopRow(), 10);
  g.SetScrollProportional(false);
  g.SetScrollType(TExtStringGrid::ssNormal);
  EXPECT_EQ(g.TopRow(), 10);
}

TEST(ExtGridMouse, ColumnsFollowTheGridWidthWhenSynchronised) {
  TGridWindow w(4, 3, 400, 200);
  TExtStringGrid& g = *w.Grid;
  g.ColumnSize.SynchWithGrid = true;
  g.SetBounds(10, 10, 300, 200);  // the first size is only remembered
  for (int c = 0; c < 4; ++c) g.SetColWidths(c, 60);
  const int before = g.ClientWidth();
  g.SetBounds(10, 10, 300 + before / 2, 200);
  const double scale = double(g.ClientWidth()) / before;
  EXPECT_NEAR(g.ColWidths(1), 60 * scale, 1);
  EXPECT_NEAR(g.ColWidths(3), 60 * scale, 1);
}

TEST(ExtGridMouse, ScreenshotOfNodesRadiosChecksAndButtons) {
  TGridWindow w(4, 9, 420, 260);
  TExtStringGrid& g = *w.Grid;
  g.Data().EnableGraphics = true;
  g.SetColWidths(0, 20);
  g.SetColWidths(2, 190);
  g.AddNode(1, 0);
  g.AddNode(4, 0);
  g.AddNode(7, 0);
  AddRadio(g, 2, 2, true, 1);
  g.Data().CreateCellGraphic(3, 2).Kind = gkCheckBox;
  g.Data().CreateCellGraphic(3, 3).Kind = gkCheckBox;
  g.Data().CellGraphic(3, 3)->State = 1;
  AddButton(g, 2, 3, "Press");
  g.Data().CreateCellGraphic(1, 2).Kind = gkComment;
  g.ContractNode(4);
  EXPECT_TRUE(g.Data().NodeCollapsed(4));
  // Painted: the collapsed node's box differs from the expanded one's.
  RECT open = g.CellRect(0, 1), shut = g.CellRect(0, 4);
  const int midOpen = (open.top + open.bottom) / 2, midShut = (shut.top + shut.bottom) / 2;
  EXPECT_NE(w.PixelAt(open.left + 5, midOpen - 2), w.PixelAt(shut.left + 5, midShut - 2));
  w.Grid->Hint = "";
  g.HintShowCells = true;
  POINT p = Middle(g, 1, 3);
  w.Send(WM_MOUSEMOVE, 0, p.x, p.y);
  ScreenShot(w.Form.Handle(), "grid_nodes");
}

TEST(ExtGridMouse, TabWrapsBeforeTheRightFixedColumns) {
  TGridWindow w(5, 3);
  TExtStringGrid& g = *w.Grid;
  g.Options |= goTabs;
  g.Data().FixedRightCols = 1;
  g.FocusCell(3, 1, true);
  uint16_t key = VK_TAB;
  g.KeyDown(key, 0);
  EXPECT_EQ(g.Col(), 1);
  EXPECT_EQ(g.Row(), 2);
  g.FocusCell(3, 3, true);
  key = VK_TAB;
  g.KeyDown(key, 0);
  EXPECT_EQ(g.Col(), 1);
  EXPECT_EQ(g.Row(), 1);  // from the last row to the first
}

TEST(ExtGridMouse, LinksUnderTheMouseAreEnteredAndLeft) {
  TGridWindow w(3, 3);
  TExtStringGrid& g = *w.Grid;
  g.URLShow = true;
  g.SetColWidths(1, 200);
  g.SetCells(1, 1, "http://example.org");
  std::string events;
  g.OnAnchorEnter = [&](TComponent*, int row, int col, const std::string& a) { events += "+" + a; };
  g.OnAnchorExit = [&](TComponent*, int row, int col, const std::string& a) { events += "-" + a; };
  POINT link = Middle(g, 1, 1), plain = Middle(g, 2, 2);
  w.Send(WM_MOUSEMOVE, 0, link.x, link.y);
  w.Send(WM_MOUSEMOVE, 0, link.x + 1, link.y);  // still on it: nothing new
  w.Send(WM_MOUSEMOVE, 0, plain.x, plain.y);
  EXPECT_EQ(events, "+http://example.org-http://example.org");
}
