// Dragging and dropping with the extended grid: file lists read within their
// block, dropped files, text and columns, the drop markers and scrolling,
// and ranges dragged from one grid to another through the system's loop.
#include <gtest/gtest.h>

#include "EsgArrow.h"
#include "EsgMisc.h"
#include "ExtGridDrop.h"
#include "ExtGridTestForm.h"

#include <shlobj.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <vector>

namespace {
// A DROPFILES block with the names' bytes as given (each name's zero and the
// list's closing zero are the caller's).
std::vector<unsigned char> DropBlock(const std::string& names, bool wide = false) {
  DROPFILES head{};
  head.pFiles = sizeof head;
  head.fWide = wide;
  std::vector<unsigned char> block(sizeof head);
  std::memcpy(block.data(), &head, sizeof head);
  for (char c : names) {
    block.push_back(static_cast<unsigned char>(c));
    if (wide) block.push_back(0);
  }
  return block;
}

std::string TempFile(const std::string& name, const std::string& content) {
  char dir[MAX_PATH];
  GetTempPathA(MAX_PATH, dir);
  std::string path = std::string(dir) + name;
  std::ofstream(path, std::ios::binary) << content;
  return path;
}

// A data object of the clipboard holding the given format's block.
IDataObject* ClipboardData(UINT format, const std::vector<unsigned char>& bytes) {
  OpenClipboard(nullptr);
  EmptyClipboard();
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
  std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
  GlobalUnlock(block);
  SetClipboardData(format, block);
  CloseClipboard();
  IDataObject* data = nullptr;
  OleGetClipboard(&data);
  return data;
}

// The middle of a cell in screen coordinates.
POINTL ScreenAt(TExtStringGrid& g, int col, int row) {
  RECT r = g.CellRect(col, row);
  POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  ClientToScreen(g.Handle(), &p);
  return POINTL{p.x, p.y};
}

constexpr DWORD CopyOrMove = DROPEFFECT_COPY | DROPEFFECT_MOVE;

DWORD Enter(IDropTarget* target, IDataObject* data, TExtStringGrid& g, int col, int row, DWORD keys = MK_LBUTTON) {
  DWORD effect = CopyOrMove;
  target->DragEnter(data, keys, ScreenAt(g, col, row), &effect);
  return effect;
}

DWORD DropAt(IDropTarget* target, IDataObject* data, TExtStringGrid& g, int col, int row, DWORD keys = 0) {
  DWORD effect = CopyOrMove;
  target->Drop(data, keys, ScreenAt(g, col, row), &effect);
  return effect;
}

std::string Row(TExtStringGrid& g, int row) {
  std::string out;
  for (int c = 0; c < g.ColCount(); ++c) out += (c ? "|" : "") + g.Cells(c, row);
  return out;
}

// Every row below the header, rows joined by "/".
std::string Rows(TExtStringGrid& g) {
  std::string out;
  for (int r = 1; r < g.RowCount(); ++r) out += (r > 1 ? "/" : "") + Row(g, r);
  return out;
}

// The window as the screen shows it, popups over it included, saved as a
// BMP file when BX_GRID_SHOTS names a folder.
bool Shown(TArrowWindow* m) { return m->Showing(); }

// Two grids side by side on one window: a source and a target.
struct TTwoGrids {
  TGridWindow W{3, 5, 230, 200};
  TTestGrid& A = *W.Grid;
  TTestGrid* B;
  TTwoGrids() {
    W.Form.SetBounds(20, 20, 520, 280);
    B = new TTestGrid(&W.Form);
    B->SetBounds(260, 10, 230, 200);
    B->SetParent(&W.Form);
    B->SetColCount(3);
    B->SetRowCount(4);
    for (int r = 1; r < 4; ++r)
      for (int c = 0; c < 3; ++c) B->SetCells(c, r, "b" + std::to_string(c) + std::to_string(r));
    A.OleDropSource = true;
    A.Options |= goRowSelect;
    A.OleRemoveRows = true;
    B->Options |= goEditing;
    B->SetOleDropTarget(true);
    B->OleInsertRows = true;
    UpdateWindow(W.Form.Handle());
  }
  // The cursor goes over the target cell; the button is up, so a drag
  // started now drops there at once.
  void PointAt(TExtStringGrid& g, int col, int row) {
    POINTL p = ScreenAt(g, col, row);
    SetCursorPos(p.x, p.y);
  }
};

// Held keys as the drag loop reads them from the thread's keyboard state.
void HoldKey(int vk, bool down) {
  BYTE keys[256];
  GetKeyboardState(keys);
  keys[vk] = down ? 0x80 : 0;
  SetKeyboardState(keys);
}
}  // namespace

TEST(ExtGridDrop, FileListsAreReadWithinTheirBlock) {
  std::vector<std::string> names;
  std::string two("C:\\a.csv\0D:\\b.xls\0\0", 20);
  auto block = DropBlock(two);
  ASSERT_TRUE(ReadDropFiles(block.data(), block.size(), names));
  EXPECT_EQ(names, (std::vector<std::string>{"C:\\a.csv", "D:\\b.xls"}));
  auto wide = DropBlock(std::string("C:\\w.csv\0\0", 10), true);
  ASSERT_TRUE(ReadDropFiles(wide.data(), wide.size(), names));
  EXPECT_EQ(names, std::vector<std::string>{"C:\\w.csv"});
  // Without the closing empty name, or without the last name's zero: refused.
  auto open = DropBlock(std::string("C:\\a.csv\0", 9));
  EXPECT_FALSE(ReadDropFiles(open.data(), open.size(), names));
  EXPECT_TRUE(names.empty());
  auto cut = DropBlock("C:\\a.c");
  EXPECT_FALSE(ReadDropFiles(cut.data(), cut.size(), names));
  auto oddWide = DropBlock(std::string("C:\\w.csv\0", 9), true);
  oddWide.pop_back();  // half a character at the end
  EXPECT_FALSE(ReadDropFiles(oddWide.data(), oddWide.size(), names));
  // A names offset outside the block, or a block shorter than its head.
  DROPFILES head{};
  head.pFiles = 4000;
  EXPECT_FALSE(ReadDropFiles(&head, sizeof head, names));
  EXPECT_FALSE(ReadDropFiles(block.data(), 6, names));
}

TEST(ExtGridDrop, ADroppedDelimitedFileIsLoadedAndOthersIgnored) {
  TGridWindow w(2, 2);
  TExtStringGrid& g = *w.Grid;
  std::string csv = TempFile("dropped.csv", "Game;Mod;Started\r\nquake;ctf;12\r\nhl;cs;40\r\n");
  std::vector<std::string> seen;
  g.OnOleDrop = [&](TComponent*, int row, int col, const std::string& name, bool&) {
    if (row == -1 && col == -1) seen.push_back(name);
  };
  EXPECT_FALSE(g.DropFiles({csv, csv}));  // two files: nothing
  EXPECT_FALSE(g.DropFiles({TempFile("notes.txt", "x")}));
  EXPECT_TRUE(seen.empty());
  EXPECT_EQ(g.Cells(0, 0), "H0");
  EXPECT_TRUE(g.DropFiles({csv}));
  EXPECT_EQ(seen, std::vector<std::string>{csv});
  EXPECT_EQ(g.ColCount(), 3);
  EXPECT_EQ(g.RowCount(), 3);
  EXPECT_EQ(g.Cells(2, 2), "40");
}

TEST(ExtGridDrop, OleDropsOfFilesAndTextReachTheGrid) {
  TGridWindow w(3, 4);
  TExtStringGrid& g = *w.Grid;
  g.SetOleDropTarget(true);
  EXPECT_TRUE(g.OleDropTarget());
  TComRef<TGridDropTarget> targetRef(new TGridDropTarget(g));
  auto* target = targetRef.Get();
  std::string csv = TempFile("ole.csv", "a,b\r\nc,d\r\n");
  IDataObject* files = ClipboardData(CF_HDROP, DropBlock(csv + std::string("\0\0", 2)));
  ASSERT_NE(files, nullptr);
  EXPECT_EQ(Enter(target, files, g, 1, 1), DWORD(DROPEFFECT_MOVE));
  EXPECT_EQ(DropAt(target, files, g, 1, 1, MK_CONTROL), DWORD(DROPEFFECT_COPY));
  files->Release();
  EXPECT_EQ(g.Cells(1, 1), "d");
  // Text onto a normal cell is pasted there; onto the header it is refused.
  g.Options |= goEditing;
  std::string text = "x\ty\r\n";
  IDataObject* data = ClipboardData(CF_TEXT, std::vector<unsigned char>(text.begin(), text.end() + 1));
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(Enter(target, data, g, 0, 0), DWORD(DROPEFFECT_NONE));
  EXPECT_EQ(DropAt(target, data, g, 0, 0), DWORD(DROPEFFECT_NONE));
  EXPECT_EQ(DropAt(target, data, g, 0, 1), DWORD(DROPEFFECT_MOVE));
  EXPECT_EQ(g.Cells(0, 1), "x");
  EXPECT_EQ(g.Cells(1, 1), "y");
  g.SetOleDropTarget(false);
  EXPECT_FALSE(g.OleDropTarget());
}

TEST(ExtGridDrop, TextTheGridCannotTakeIsRefusedWhole) {
  TGridWindow w(3, 3);
  TExtStringGrid& g = *w.Grid;
  g.SetOleDropTarget(true);
  TComRef<TGridDropTarget> targetRef(new TGridDropTarget(g));
  auto* target = targetRef.Get();
  TComRef<TSourceDataObject> wideRef(new TSourceDataObject("1\t2\t3\r\n", "", -1));
  auto* wide = wideRef.Get();
  TComRef<TSourceDataObject> tallRef(new TSourceDataObject("1\r\n2\r\n3\r\n4\r\n", "", -1));
  auto* tall = tallRef.Get();
  int announced = 0;
  g.OnOleDrop = [&](TComponent*, int, int, const std::string&, bool&) { ++announced; };
  // Not editable: nothing is pasted.
  EXPECT_EQ(DropAt(target, wide, g, 1, 1), DWORD(DROPEFFECT_NONE));
  g.Options |= goEditing;
  // Three columns from column 1 need a fourth; with growing off they do not fit.
  g.Navigation.AllowClipboardColGrow = false;
  EXPECT_EQ(DropAt(target, wide, g, 1, 1), DWORD(DROPEFFECT_NONE));
  g.Navigation.AllowClipboardRowGrow = false;
  EXPECT_EQ(DropAt(target, tall, g, 1, 1), DWORD(DROPEFFECT_NONE));
  EXPECT_EQ(announced, 0);
  EXPECT_EQ(Row(g, 1), "0,1|1,1|2,1");
  EXPECT_EQ(g.ColCount(), 3);
  EXPECT_EQ(g.RowCount(), 4);
  // Where it fits it is pasted; the handler may still refuse.
  EXPECT_EQ(DropAt(target, wide, g, 0, 2), DWORD(DROPEFFECT_MOVE));
  EXPECT_EQ(Row(g, 2), "1|2|3");
  g.OnOleDrop = [&](TComponent*, int, int, const std::string&, bool& allow) { allow = false; };
  EXPECT_EQ(DropAt(target, wide, g, 0, 1), DWORD(DROPEFFECT_NONE));
  EXPECT_EQ(Row(g, 1), "0,1|1,1|2,1");
}

TEST(ExtGridDrop, InsertedRowsTakeTheTextAndBecomeTheSelection) {
  TGridWindow w(3, 3);
  TExtStringGrid& g = *w.Grid;
  g.Options |= goEditing | goRowSelect;
  g.OleInsertRows = true;
  g.OleEntireRows = true;
  g.Navigation.AllowClipboardRowGrow = false;  // inserted rows make room
  TComRef<TGridDropTarget> targetRef(new TGridDropTarget(g));
  auto* target = targetRef.Get();
  TComRef<TSourceDataObject> dataRef(new TSourceDataObject("p\tq\tr\r\ns\tt\tu\r\n", "", -1));
  auto* data = dataRef.Get();
  EXPECT_EQ(DropAt(target, data, g, 2, 2), DWORD(DROPEFFECT_MOVE));
  EXPECT_EQ(g.RowCount(), 6);
  EXPECT_EQ(Row(g, 1), "0,1|1,1|2,1");
  EXPECT_EQ(Row(g, 2), "p|q|r");  // the whole row from column 0
  EXPECT_EQ(Row(g, 3), "s|t|u");
  EXPECT_EQ(Row(g, 4), "0,2|1,2|2,2");
  const TGridRect s = g.Selection();
  EXPECT_EQ(s.Top, 2);
  EXPECT_EQ(s.Bottom, 3);
  EXPECT_EQ(s.Left, 1);  // the selection starts at the first normal column
}

TEST(ExtGridDrop, DraggingOverShowsWhereTheDropLandsAndScrollsAtTheEdges) {
  // A part of the row after the last whole one shows (without a horizontal
  // scroll bar the rows would fill this height exactly).
  TGridWindow w(3, 30, 300, 205);
  TExtStringGrid& g = *w.Grid;
  g.SetTopRow(10);
  TComRef<TGridDropTarget> targetRef(new TGridDropTarget(g));
  auto* target = targetRef.Get();
  TComRef<TSourceDataObject> textRef(new TSourceDataObject("x", "", -1));
  auto* text = textRef.Get();
  // Text needs a grid that may paste it.
  EXPECT_EQ(Enter(target, text, g, 1, 12), DWORD(DROPEFFECT_NONE));
  g.Options |= goEditing;
  EXPECT_EQ(Enter(target, text, g, 1, 12), DWORD(DROPEFFECT_MOVE));
  EXPECT_EQ(g.TopRow(), 10);
  ASSERT_TRUE(Shown(g.Arrow(adRight)));
  RECT marker, cell = g.CellRect(1, 12);
  GetWindowRect(g.Arrow(adRight)->Handle(), &marker);
  POINT edge{cell.left, cell.top};
  ClientToScreen(g.Handle(), &edge);
  EXPECT_EQ(marker.left, edge.x - g.Arrow(adRight)->Width());
  EXPECT_FALSE(Shown(g.Arrow(adDown)));
  ScreenShot(w.Form.Handle(), "drop_marker");
  // The top visible row scrolls up, the row after the last shown one down.
  DWORD effect = CopyOrMove;
  target->DragOver(MK_LBUTTON, ScreenAt(g, 1, 10), &effect);
  EXPECT_EQ(g.TopRow(), 9);
  const int below = g.TopRow() + g.VisibleRowCount();
  target->DragOver(MK_LBUTTON, ScreenAt(g, 1, below), &effect);
  EXPECT_EQ(g.TopRow(), 10);
  // The handler may refuse a cell; the header never takes a drop.
  g.OnOleDragOver = [](TComponent*, int row, int, bool& accept) { accept = accept && row != 14; };
  target->DragOver(MK_LBUTTON, ScreenAt(g, 1, 14), &effect);
  EXPECT_EQ(effect, DWORD(DROPEFFECT_NONE));
  EXPECT_FALSE(Shown(g.Arrow(adRight)));
  effect = CopyOrMove;
  target->DragOver(MK_LBUTTON, ScreenAt(g, 1, 0), &effect);
  EXPECT_EQ(effect, DWORD(DROPEFFECT_NONE));
  target->DragLeave();
  EXPECT_FALSE(Shown(g.Arrow(adRight)));
  // A column drag: arrows above and below the target column's left edge,
  // and never onto the fixed column. Columns are taken only with a handler.
  TComRef<TSourceDataObject> columnRef(new TSourceDataObject("", "", 2));
  auto* column = columnRef.Get();
  EXPECT_EQ(Enter(target, column, g, 1, 12), DWORD(DROPEFFECT_NONE));
  std::vector<int> dropped;
  g.OnOleDropCol = [&](TComponent*, int row, int col, int source) { dropped = {row, col, source}; };
  EXPECT_EQ(Enter(target, column, g, 1, 12), DWORD(DROPEFFECT_MOVE));
  EXPECT_TRUE(Shown(g.Arrow(adDown)));
  EXPECT_TRUE(Shown(g.Arrow(adUp)));
  EXPECT_FALSE(Shown(g.Arrow(adRight)));
  ScreenShot(w.Form.Handle(), "drop_column_arrows");
  effect = CopyOrMove;
  target->DragOver(MK_LBUTTON, ScreenAt(g, 0, 12), &effect);
  EXPECT_EQ(effect, DWORD(DROPEFFECT_NONE));
  EXPECT_EQ(DropAt(target, column, g, 2, 12, MK_CONTROL), DWORD(DROPEFFECT_COPY));
  EXPECT_EQ(dropped, (std::vector<int>{12, 2, 2}));
  EXPECT_FALSE(Shown(g.Arrow(adDown)));
}

TEST(ExtGridDrop, RichTextGoesIntoOneCellWhileTheGridTakesIt) {
  TGridWindow w(3, 3);
  TExtStringGrid& g = *w.Grid;
  g.Options |= goEditing;
  g.SetOleDropRTF(true);
  TComRef<TGridDropTarget> targetRef(new TGridDropTarget(g));
  auto* target = targetRef.Get();
  TComRef<TSourceDataObject> dataRef(new TSourceDataObject("plain\tx", "{\\rtf1 rich}", -1));
  auto* data = dataRef.Get();
  EXPECT_EQ(DropAt(target, data, g, 2, 2), DWORD(DROPEFFECT_MOVE));
  EXPECT_EQ(Row(g, 2), "0,2|1,2|{\\rtf1 rich}");
  g.SetOleDropRTF(false);
  EXPECT_FALSE(OleRichTextDrops());
  EXPECT_EQ(DropAt(target, data, g, 1, 1), DWORD(DROPEFFECT_MOVE));
  EXPECT_EQ(Row(g, 1), "0,1|plain|x");
}

TEST(ExtGridDrag, ThePopupButtonFollowsTheCursorAndTheLastEffectIsKept) {
  TGridWindow w(3, 3);
  TExtStringGrid& g = *w.Grid;
  SetCursorPos(300, 300);
  {
    TComRef<TGridDropSource> sourceRef(new TGridDropSource(g, "dragged"));
    TGridDropSource* source = sourceRef.Get();
    EXPECT_EQ(source->GiveFeedback(DROPEFFECT_MOVE), DRAGDROP_S_USEDEFAULTCURSORS);
    TPopupButton& button = g.DragButton();
    EXPECT_EQ(button.Caption(), "dragged");
    ASSERT_TRUE(IsWindowVisible(button.Handle()));
    POINT at;
    GetCursorPos(&at);
    RECT r;
    GetWindowRect(button.Handle(), &r);
    EXPECT_EQ(r.left, at.x);
    EXPECT_EQ(r.bottom, at.y);
    source->GiveFeedback(DROPEFFECT_COPY);
    EXPECT_EQ(source->LastEffect(), DWORD(DROPEFFECT_COPY));
    source->GiveFeedback(DROPEFFECT_NONE);
    EXPECT_EQ(source->LastEffect(), DWORD(DROPEFFECT_COPY)) << "no effect is not an effect to keep";
    EXPECT_TRUE(source->LastFeedbackNone());
  }
  EXPECT_FALSE(IsWindowVisible(g.DragButton().Handle())) << "the button goes with the drag";
}

TEST(ExtGridDrag, ARangeOfRowsMovesFromOneGridToTheOther) {
  TTwoGrids t;
  t.A.SetSelection(TGridRect{1, 2, 2, 3});
  std::vector<std::string> events;
  t.A.OnOleDrag = [&](TComponent*, int row, int col, const std::string& text, bool&) {
    events.push_back("drag " + std::to_string(row) + "," + std::to_string(col) + " " + text);
  };
  t.A.OnOleDragStart = [&](TComponent*, int row, int col) { events.push_back("start"); };
  t.A.OnOleDragStop = [&](TComponent*, int effect) { events.push_back("stop " + std::to_string(effect)); };
  t.PointAt(*t.B, 1, 2);
  EXPECT_EQ(t.A.OleDrag(1, 2), DWORD(DROPEFFECT_MOVE));
  EXPECT_EQ(events, (std::vector<std::string>{"drag 2,1 1,2\t2,2\r\n1,3\t2,3\r\n", "start", "stop 2"}));
  // Inserted at the target row, and gone from the source.
  EXPECT_EQ(Rows(*t.B), "b01|b11|b21/|1,2|2,2/|1,3|2,3/b02|b12|b22/b03|b13|b23");
  EXPECT_EQ(Rows(t.A), "0,1|1,1|2,1/0,4|1,4|2,4/0,5|1,5|2,5");
  ScreenShot(t.W.Form.Handle(), "drag_moved");
}

TEST(ExtGridDrag, CtrlCopiesAndARefusedDropKeepsTheSourceRows) {
  TTwoGrids t;
  t.A.SetSelection(TGridRect{1, 1, 2, 1});
  t.PointAt(*t.B, 1, 1);
  HoldKey(VK_CONTROL, true);
  const DWORD copied = t.A.OleDrag(1, 1);
  HoldKey(VK_CONTROL, false);
  EXPECT_EQ(copied, DWORD(DROPEFFECT_COPY));
  EXPECT_EQ(Row(*t.B, 1), "|1,1|2,1");
  EXPECT_EQ(t.A.RowCount(), 6);
  // A target grid that cannot take the rows reports no effect: nothing is removed.
  t.B->Options &= ~TGridOptions(goEditing);
  t.PointAt(*t.B, 1, 2);
  EXPECT_EQ(t.A.OleDrag(1, 1), DWORD(DROPEFFECT_NONE));
  EXPECT_EQ(t.A.RowCount(), 6);
  EXPECT_EQ(Row(t.A, 1), "0,1|1,1|2,1");
  // Refused by the drag handler: no drag at all.
  t.A.OnOleDrag = [](TComponent*, int, int, const std::string&, bool& allow) { allow = false; };
  bool started = false;
  t.A.OnOleDragStart = [&](TComponent*, int, int) { started = true; };
  EXPECT_EQ(t.A.OleDrag(1, 1), DWORD(DROPEFFECT_NONE));
  EXPECT_FALSE(started);
}

TEST(ExtGridDrag, RowsMovedWithinOneGridLandWhereDropped) {
  TTwoGrids t;
  TTestGrid& a = t.A;
  a.SetOleDropTarget(true);
  a.Options |= goEditing;
  a.OleInsertRows = true;
  // Down: rows 1-2 before row 4.
  a.SetSelection(TGridRect{1, 1, 2, 2});
  t.PointAt(a, 1, 4);
  EXPECT_EQ(a.OleDrag(1, 1), DWORD(DROPEFFECT_MOVE));
  EXPECT_EQ(Rows(a), "0,3|1,3|2,3/|1,1|2,1/|1,2|2,2/0,4|1,4|2,4/0,5|1,5|2,5");
  // Up: row 5 before row 1; the dragged row moved down by one before it went.
  a.SetSelection(TGridRect{1, 5, 2, 5});
  t.PointAt(a, 1, 1);
  EXPECT_EQ(a.OleDrag(1, 5), DWORD(DROPEFFECT_MOVE));
  const std::string moved = "|1,5|2,5/0,3|1,3|2,3/|1,1|2,1/|1,2|2,2/0,4|1,4|2,4";
  EXPECT_EQ(Rows(a), moved);
  // Onto the dragged rows themselves: refused, nothing changes.
  a.SetSelection(TGridRect{1, 2, 2, 3});
  t.PointAt(a, 1, 3);
  EXPECT_EQ(a.OleDrag(1, 2), DWORD(DROPEFFECT_NONE));
  EXPECT_EQ(Rows(a), moved);
}

TEST(ExtGridDrag, DisjunctRowsMoveTogetherAndTheSourceKeepsOneRow) {
  TTwoGrids t;
  t.A.MouseActions.DisjunctRowSelect = true;
  t.A.Data().SetRowSelect(1, true);
  t.A.Data().SetRowSelect(3, true);
  t.PointAt(*t.B, 1, 1);
  EXPECT_EQ(t.A.OleDrag(1, 3), DWORD(DROPEFFECT_MOVE));
  EXPECT_EQ(Rows(*t.B), "|1,1|2,1/|1,3|2,3/b01|b11|b21/b02|b12|b22/b03|b13|b23");
  EXPECT_EQ(Rows(t.A), "0,2|1,2|2,2/0,4|1,4|2,4/0,5|1,5|2,5");
  // Every row dragged away: one empty row stays.
  for (int r = 1; r < t.A.RowCount(); ++r) t.A.Data().SetRowSelect(r, true);
  t.PointAt(*t.B, 1, 1);
  EXPECT_EQ(t.A.OleDrag(1, 1), DWORD(DROPEFFECT_MOVE));
  EXPECT_EQ(Rows(t.A), "||");
  EXPECT_EQ(Row(*t.B, 3), "|1,5|2,5");
}

TEST(ExtGridDrag, AHeaderDragsItsColumnToTheOtherGrid) {
  TTwoGrids t;
  std::vector<int> dropped;
  t.B->OnOleDropCol = [&](TComponent*, int row, int col, int source) { dropped = {row, col, source}; };
  t.PointAt(*t.B, 2, 1);
  EXPECT_EQ(t.A.OleDrag(2, 0), DWORD(DROPEFFECT_MOVE));
  EXPECT_EQ(dropped, (std::vector<int>{1, 2, 2}));
  EXPECT_EQ(t.A.RowCount(), 6);  // a column drag removes no rows
}

namespace {
INPUT MouseInput(DWORD flags, POINTL at = {}) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dwFlags = flags;
  if (flags & MOUSEEVENTF_ABSOLUTE) {
    in.mi.dx = LONG(at.x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1));
    in.mi.dy = LONG(at.y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1));
  }
  return in;
}

// Sends a mouse gesture (with keys) and lets the window work on it until the
// grid says the drag has stopped.
DWORD Gesture(TTwoGrids& t, std::vector<INPUT> gesture) {
  DWORD stopped = 99;
  t.A.OnOleDragStop = [&](TComponent*, int effect) { stopped = DWORD(effect); };
  EXPECT_EQ(SendInput(UINT(gesture.size()), gesture.data(), sizeof(INPUT)), gesture.size());
  for (int i = 0; i < 100 && stopped == 99; ++i) {
    Application().ProcessMessages();
    Sleep(20);
  }
  Application().ProcessMessages();
  return stopped;
}
}  // namespace

// What a user does: press on the selected rows, move away, release over the
// other grid. The whole gesture is queued before the grid sees its press.
TEST(ExtGridDrag, TheMouseDragsSelectedRowsOntoTheOtherGrid) {
  TTwoGrids t;
  t.A.SetSelection(TGridRect{1, 3, 2, 3});
  const POINTL from = ScreenAt(t.A, 1, 3), to = ScreenAt(*t.B, 1, 2);
  const DWORD move = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  const POINTL away{from.x + 12, from.y + 2};
  EXPECT_EQ(Gesture(t, {MouseInput(move, from), MouseInput(MOUSEEVENTF_LEFTDOWN), MouseInput(move, away),
                        MouseInput(move, to), MouseInput(MOUSEEVENTF_LEFTUP)}),
            DWORD(DROPEFFECT_MOVE));
  EXPECT_EQ(Row(*t.B, 2), "|1,3|2,3");
  EXPECT_EQ(Row(t.A, 3), "0,4|1,4|2,4");
  // Escape while dragging cancels the drag: nothing moves. (The press is
  // elsewhere, so that it does not make a double click.)
  t.A.OnOleDragStart = [&](TComponent*, int, int) { PostMessageA(t.A.Handle(), WM_KEYDOWN, VK_ESCAPE, 0); };
  t.A.SetSelection(TGridRect{1, 1, 2, 1});
  const POINTL other = ScreenAt(t.A, 2, 1);
  const std::string before = Rows(t.A), target = Rows(*t.B);
  EXPECT_EQ(Gesture(t, {MouseInput(move, other), MouseInput(MOUSEEVENTF_LEFTDOWN), MouseInput(move, away),
                        MouseInput(move, to), MouseInput(MOUSEEVENTF_LEFTUP)}),
            DWORD(DROPEFFECT_NONE));
  EXPECT_EQ(Rows(t.A), before);
  EXPECT_EQ(Rows(*t.B), target);
}

TEST(ExtGridDrop, TheRichTextSwitchLastsUntilTheLastGridGoes) {
  auto first = std::make_unique<TGridWindow>(3, 3);
  auto second = std::make_unique<TGridWindow>(3, 3);
  first->Grid->SetOleDropRTF(true);
  EXPECT_TRUE(first->Grid->OleDropRTF());
  EXPECT_FALSE(second->Grid->OleDropRTF());
  // Each grid is a user of the drag-and-drop unit; one going leaves the switch on.
  second.reset();
  EXPECT_TRUE(OleRichTextDrops());
  first.reset();
  EXPECT_FALSE(OleRichTextDrops());
}
