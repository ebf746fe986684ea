// The extended grid driven by mouse, keys and wheel: header sorting, the
// clipboard keys and pasting, Enter and the wheel; what a new grid starts with.
#include <gtest/gtest.h>

#include "ExtGridTestForm.h"
#include "../support/testfiles.h"

#include <fstream>
#include <functional>
#include <vector>

namespace {
POINT Middle(TExtStringGrid& g, int col, int row) {
  RECT r = g.CellRect(col, row);
  return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}
}  // namespace

TEST(ExtGridInput, HeaderClickSortsAndAgainReverses) {
  TGridWindow w(3, 5);
  TExtStringGrid& g = *w.Grid;
  const char* counts[] = {"5", "40", "12", "7", "300"};
  for (int r = 1; r <= 5; ++r) g.SetCells(2, r, counts[r - 1]);
  g.SortShow = true;
  g.Options |= goColSizing;
  int clicked = -1;
  g.OnClickSort = [&](TComponent*, int col) { clicked = col; };
  POINT h = Middle(g, 2, 0);
  w.Click(h.x, h.y);
  EXPECT_EQ(clicked, 2);
  EXPECT_EQ(g.Data().SortDirection, sdAscending);
  EXPECT_EQ(g.Cells(2, 1), "5");
  EXPECT_EQ(g.Cells(2, 5), "300");  // numbers, not texts
  w.Click(h.x, h.y);
  EXPECT_EQ(g.Data().SortDirection, sdDescending);
  EXPECT_EQ(g.Cells(2, 1), "300");
  // A release next to the column border, after sizing, does not sort.
  RECT r = g.CellRect(2, 0);
  w.Send(WM_LBUTTONDOWN, MK_LBUTTON, r.right, r.top + 5);
  w.Send(WM_MOUSEMOVE, MK_LBUTTON, r.right + 10, r.top + 5);
  w.Send(WM_LBUTTONUP, 0, r.right + 10, r.top + 5);
  EXPECT_EQ(g.Data().SortDirection, sdDescending);
  w.Click(r.left + 2, r.top + 5);  // within 4 pixels of the left border
  EXPECT_EQ(g.Data().SortDirection, sdDescending);
}

TEST(ExtGridInput, CopyKeysCopyTheSelectionCutEmptiesIt) {
  TGridWindow w(4, 5);
  TExtStringGrid& g = *w.Grid;
  g.Navigation.AllowClipboardShortCuts = true;
  g.Navigation.AllowClipboardAlways = true;
  g.SetSelection(TGridRect{1, 2, 2, 3});
  uint16_t key = 'C';
  EXPECT_TRUE(g.KeyDown(key, ssCtrl));
  EXPECT_EQ(ClipboardText(), "1,2\t2,2\r\n1,3\t2,3\r\n");
  key = 'X';
  g.KeyDown(key, ssCtrl);
  EXPECT_EQ(ClipboardText(), "1,2\t2,2\r\n1,3\t2,3\r\n");
  EXPECT_EQ(g.Cells(1, 2), "");
  EXPECT_EQ(g.Cells(2, 3), "");
  EXPECT_EQ(g.Cells(3, 3), "3,3");
  // The whole grid, header included.
  g.CopyToClipboard();
  EXPECT_TRUE(ClipboardText().starts_with("H0\tH1\tH2\tH3\r\n0,1\t"));
}

TEST(ExtGridInput, PastePlacesTheFirstCellAtTheSelectedCellAndStaysInside) {
  TGridWindow w(4, 4);
  TExtStringGrid& g = *w.Grid;
  g.Options |= goEditing;
  g.Navigation.AllowClipboardShortCuts = true;
  g.Navigation.AllowClipboardColGrow = false;
  g.Navigation.AllowClipboardRowGrow = false;
  SetClipboardText("a\tb\tc\r\nd\te\tf\r\ng\th\ti\r\n");
  g.SetSelection(TGridRect{2, 3, 2, 3});
  uint16_t key = 'V';
  g.KeyDown(key, ssCtrl);
  EXPECT_EQ(g.Cells(2, 3), "a");
  EXPECT_EQ(g.Cells(3, 3), "b");
  EXPECT_EQ(g.Cells(2, 4), "d");
  EXPECT_EQ(g.Cells(1, 3), "1,3");  // nothing left of the target
  EXPECT_EQ(g.Cells(2, 2), "2,2");  // nor above it
  EXPECT_EQ(g.ColCount(), 4);       // nothing past the last column or row
  EXPECT_EQ(g.RowCount(), 5);
  // Growing rows and columns when allowed, one row per further line.
  g.Navigation.AllowClipboardColGrow = true;
  g.Navigation.AllowClipboardRowGrow = true;
  g.SetSelection(TGridRect{3, 4, 3, 4});
  g.KeyDown(key, ssCtrl);
  EXPECT_EQ(g.ColCount(), 6);
  EXPECT_EQ(g.RowCount(), 7);
  EXPECT_EQ(g.Cells(5, 6), "i");
  // Without editing and without the always option nothing is pasted.
  g.Options &= ~goEditing;
  SetClipboardText("zz");
  g.SetSelection(TGridRect{1, 1, 1, 1});
  g.KeyDown(key, ssCtrl);
  EXPECT_EQ(g.Cells(1, 1), "1,1");
}

TEST(ExtGridInput, EnterStopsWhereItCannotMove) {
  TGridWindow w(3, 3);
  TTestGrid& g = *w.Grid;
  g.Options |= goEditing;
  g.Navigation.AdvanceOnEnter = true;
  g.SetSelection(TGridRect{1, 1, 1, 1});
  uint16_t enter = VK_RETURN;
  g.KeyDown(enter, 0);
  EXPECT_EQ(g.Col(), 2);
  EXPECT_EQ(g.Row(), 1);
  g.KeyDown(enter, 0);
  EXPECT_EQ(g.Col(), 1);
  EXPECT_EQ(g.Row(), 2);
  // From the last cell, and when no cell may be edited, the cell stays.
  g.SetSelection(TGridRect{2, 3, 2, 3});
  g.KeyDown(enter, 0);
  EXPECT_EQ(g.Col(), 2);
  EXPECT_EQ(g.Row(), 3);
  g.ReadOnly = true;
  g.SetSelection(TGridRect{1, 1, 1, 1});
  g.KeyDown(enter, 0);
  EXPECT_EQ(g.Col(), 1);
  EXPECT_EQ(g.Row(), 1);
}

TEST(ExtGridInput, WheelMovesTheRowWithinTheNormalRowsAndCtrlZooms) {
  TGridWindow w(3, 30);
  TExtStringGrid& g = *w.Grid;
  UINT lines = 3;
  SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  g.SetRow(1);
  w.Send(WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 50, 50);
  EXPECT_EQ(g.Row(), 1 + int(lines));
  for (int i = 0; i < 20; ++i) w.Send(WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 50, 50);
  EXPECT_EQ(g.Row(), 30);
  EXPECT_GE(g.Row(), g.TopRow());
  for (int i = 0; i < 20; ++i) w.Send(WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 50, 50);
  EXPECT_EQ(g.Row(), 1);  // never the header
  // Keys move the same way.
  uint16_t key = VK_END;
  g.KeyDown(key, ssCtrl);
  EXPECT_EQ(g.Row(), 30);
  // Zoom: ten steps one way, the eleventh changes nothing.
  const int width = g.ColWidths(1);
  for (int i = 0; i < 10; ++i) g.Zoom(1);
  EXPECT_EQ(g.ColWidths(1), width + 10);
  g.Zoom(1);
  EXPECT_EQ(g.ColWidths(1), width + 10);
  EXPECT_EQ(g.ZoomStep(), 10);
}

TEST(ExtGridInput, TimerBlinksOnlyTheBlinkingCells) {
  TGridWindow w(3, 3);
  TExtStringGrid& g = *w.Grid;
  g.SetCells(1, 1, "<BLINK>x</BLINK>");
  UpdateWindow(g.Handle());
  const bool before = g.BlinkOn();
  g.HoverTimer();
  EXPECT_NE(g.BlinkOn(), before);
  RECT dirty;
  ASSERT_TRUE(GetUpdateRect(g.Handle(), &dirty, FALSE));
  RECT cell = g.CellRect(1, 1);
  EXPECT_LE(dirty.left, cell.left);
  EXPECT_GE(dirty.right, cell.right);
  EXPECT_LT(dirty.bottom, g.CellRect(1, 2).bottom);  // the rows below stay
}

TEST(ExtGridInput, ClickedLinksMoveToTheirCellOrGoToTheShell) {
  TGridWindow w(4, 6);
  TExtStringGrid& g = *w.Grid;
  g.SetColWidths(1, 150);
  g.SetCells(1, 1, "<A HREF=\"CELL://R5C3\">to the count</A>");
  g.SetCells(1, 2, "<A HREF=\"http://example.invalid/\">site</A>");
  char dir[MAX_PATH];
  GetTempPathA(MAX_PATH, dir);
  const std::string log = std::string(dir) + "grid_shell.log";
  DeleteFileA(log.c_str());
  _putenv(("BX_SHELL_LOG=" + log).c_str());
  RECT a = g.CellRect(1, 1), b = g.CellRect(1, 2);
  w.Click(a.left + 8, a.top + 8);
  EXPECT_EQ(g.Col(), 3);
  EXPECT_EQ(g.Row(), 5);
  std::string seen;
  g.OnAnchorClick = [&](TComponent*, int, int, const std::string& anchor, bool&) { seen = anchor; };
  w.Click(b.left + 8, b.top + 8);
  EXPECT_EQ(seen, "http://example.invalid/");
  EXPECT_EQ(g.Row(), 5);  // the press did nothing else
  _putenv("BX_SHELL_LOG=");
  std::ifstream in(log);
  std::string line;
  std::getline(in, line);
  EXPECT_EQ(line, "open\thttp://example.invalid/\t");
  // A press beside the link text selects the cell as usual.
  w.Click(a.right - 3, a.top + 8);
  EXPECT_EQ(g.Col(), 1);
  EXPECT_EQ(g.Row(), 1);
}

namespace {
// The lines that the shell was asked to open while f ran, as the test seam
// recorded them.
std::vector<std::string> ShellOpens(const std::function<void()>& f) {
  char dir[MAX_PATH];
  GetTempPathA(MAX_PATH, dir);
  const std::string log = std::string(dir) + "grid_shell_opens.log";
  DeleteFileA(log.c_str());
  _putenv(("BX_SHELL_LOG=" + log).c_str());
  f();
  _putenv("BX_SHELL_LOG=");
  return ReadLines(log);
}
}  // namespace

// A link's address may come from others: only web and mail addresses reach
// the shell; a program, a file, a "file:" URL or any other scheme opens
// nothing, whatever its letter case.
TEST(ExtGridInput, OnlyWebAndMailLinksGoToTheShell) {
  const std::vector<std::string> addresses = {
      "http://example.invalid/", "HTTPS://example.invalid/a?b=c", "mailto:someone@example.invalid",
      "C:\\Quake\\quake.exe", "file:///C:/Quake/quake.exe", "FILE://C:/windows/system32/calc.exe",
      "\\\\server\\share\\x.exe", "ftp://example.invalid/", "javascript:alert(1)", "shell:startup",
      "http://example.invalid/ C:\\x.exe", "http://", "quake.exe"};
  TGridWindow w(2, int(addresses.size()), 520, 420);
  TExtStringGrid& g = *w.Grid;
  g.SetColWidths(1, 150);
  for (size_t i = 0; i < addresses.size(); ++i)
    g.SetCells(1, int(i) + 1, "<A HREF=\"" + addresses[i] + "\">link</A>");
  const auto opened = ShellOpens([&] {
    for (size_t i = 0; i < addresses.size(); ++i) {
      const RECT r = g.CellRect(1, int(i) + 1);
      w.Click(r.left + 8, r.top + 8);
    }
  });
  EXPECT_EQ(opened, (std::vector<std::string>{"open\thttp://example.invalid/\t",
                                              "open\tHTTPS://example.invalid/a?b=c\t",
                                              "open\tmailto:someone@example.invalid\t"}));
}

// A plain-text cell is no link, neither as mini-HTML nor as an address: a
// click only selects it.
TEST(ExtGridInput, APlainTextCellIsNoLink) {
  TGridWindow w(2, 3);
  TExtStringGrid& g = *w.Grid;
  g.SetColWidths(1, 150);
  g.URLShow = true;
  g.SetCells(1, 1, "<A HREF=\"http://example.invalid/\">link</A>");
  g.SetCells(1, 2, "http://example.invalid/");
  g.OnIsPlainTextCell = [](TComponent*, int, int col, bool& plain) { plain = col == 1; };
  std::string seen;
  g.OnAnchorClick = [&](TComponent*, int, int, const std::string& anchor, bool&) { seen = anchor; };
  const auto opened = ShellOpens([&] {
    for (int row : {1, 2}) {
      const RECT r = g.CellRect(1, row);
      w.Click(r.left + 8, r.top + 8);
      EXPECT_EQ(g.Row(), row);
    }
  });
  EXPECT_TRUE(opened.empty());
  EXPECT_EQ(seen, "");
  // The cell shows its text as written: the tags' characters are painted too.
  g.OnIsPlainTextCell = {};
  const auto ink = [](COLORREF c) { return GetRValue(c) < 128 && GetGValue(c) < 128 && GetBValue(c) < 128; };
  const int markup = w.CountInCell(1, 1, ink);
  g.OnIsPlainTextCell = [](TComponent*, int, int col, bool& plain) { plain = col == 1; };
  EXPECT_GT(w.CountInCell(1, 1, ink), markup * 2);
}

TEST(ExtGridInput, MiddleButtonPansVerticallyUntilAKeyOrButton) {
  TGridWindow w(4, 30);
  TExtStringGrid& g = *w.Grid;
  g.SetSelection(TGridRect{2, 5, 2, 5});
  POINT anchor = Middle(g, 2, 3);
  w.Send(WM_MBUTTONDOWN, MK_MBUTTON, anchor.x, anchor.y);
  ASSERT_TRUE(g.Panning());
  POINT below{anchor.x + 40, anchor.y + 30};  // right too, which vertical panning ignores
  ClientToScreen(g.Handle(), &below);
  SetCursorPos(below.x, below.y);
  g.PanTick();
  g.PanTick();
  EXPECT_EQ(g.Row(), 7);
  EXPECT_EQ(g.Col(), 2);
  POINT still{anchor.x, anchor.y + 4};  // inside the dead zone
  ClientToScreen(g.Handle(), &still);
  SetCursorPos(still.x, still.y);
  g.PanTick();
  EXPECT_EQ(g.Row(), 7);
  uint16_t key = VK_SHIFT;
  g.KeyDown(key, 0);
  EXPECT_FALSE(g.Panning());
  SetCursorPos(below.x, below.y);
  g.PanTick();
  EXPECT_EQ(g.Row(), 7);
}

TEST(ExtGridInput, DoubleClickOnAHeaderBorderFitsTheColumn) {
  TGridWindow w(3, 3);
  TExtStringGrid& g = *w.Grid;
  g.Options |= goColSizing;
  g.SortShow = true;
  g.SetCells(1, 2, "a considerably longer text than the column shows");
  RECT h = g.CellRect(1, 0);
  w.Send(WM_LBUTTONDBLCLK, MK_LBUTTON, h.right, h.top + 5);
  w.Send(WM_LBUTTONUP, 0, h.right, h.top + 5);
  EXPECT_GT(g.ColWidths(1), 200);
  EXPECT_EQ(g.Data().SortColumn, 1);  // the release after it did not sort
  EXPECT_EQ(g.Cells(1, 1), "1,1");
}

TEST(ExtGridInput, AfterAHeaderClickTheCurrentRowFollowsItsData) {
  TGridWindow w(3, 5);
  TExtStringGrid& g = *w.Grid;
  const char* names[] = {"delta", "alpha", "echo", "charlie", "bravo"};
  for (int r = 1; r <= 5; ++r) g.SetCells(2, r, names[r - 1]);
  g.SortShow = true;
  g.SetRow(1);  // "delta"
  w.Form.Show();
  SetForegroundWindow(w.Form.Handle());
  Application().ProcessMessages();
  // A real click on the header of column 2: ascending.
  RECT r = g.CellRect(2, 0);
  POINT at{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  ClientToScreen(g.Handle(), &at);
  INPUT input[3] = {};
  for (INPUT& in : input) in.type = INPUT_MOUSE;
  input[0].mi.dx = LONG(at.x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1));
  input[0].mi.dy = LONG(at.y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1));
  input[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  input[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  input[2].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  ASSERT_EQ(SendInput(3, input, sizeof(INPUT)), 3u);
  for (int i = 0; i < 50 && g.Cells(2, 1) != "alpha"; ++i) {
    Application().ProcessMessages();
    Sleep(20);
  }
  ASSERT_EQ(g.Cells(2, 1), "alpha");
  EXPECT_EQ(g.Row(), 4);
  EXPECT_EQ(g.Cells(2, g.Row()), "delta");
}

TEST(ExtGridInput, ANewGridHasNothingEditedHintedOrDragged) {
  TGridWindow w(3, 3);
  TTestGrid& g = *w.Grid;
  // Editing: no cell was edited, no editor is open, no length limit.
  EXPECT_EQ(g.EditCol(), -1);
  EXPECT_EQ(g.EditRow(), -1);
  EXPECT_EQ(g.EditorType(), etNormal);
  EXPECT_EQ(g.EditStartText(), "");
  EXPECT_EQ(g.MaxEditLength(), 0);
  EXPECT_FALSE(g.Editing());
  EXPECT_EQ(g.TypedEditor(), nullptr);
  EXPECT_EQ(g.LookupItems().Count(), 0);
  // No hint shown, no drop target until asked, plain scroll bars of the system's width.
  EXPECT_EQ(g.HintCell(), -1);
  EXPECT_EQ(g.ShownHint(), "");
  EXPECT_FALSE(g.OleDropTarget());
  EXPECT_FALSE(g.OleDropRTF());
  EXPECT_EQ(g.ScrollType(), TExtStringGrid::ssNormal);
  EXPECT_EQ(g.ScrollColor(), clNone);
  EXPECT_FALSE(g.ScrollProportional());
  EXPECT_EQ(g.ScrollWidth(), GetSystemMetrics(SM_CXVSCROLL));
  // The limit reaches the part that keeps it.
  g.SetMaxEditLength(7);
  EXPECT_EQ(g.MaxEditLength(), 7);
}
