// Dropping onto the extended grid: file lists read within their block, a
// dropped delimited file loaded, and text dropped through OLE.
#include <gtest/gtest.h>

#include "ExtGridDrop.h"
#include "ExtGridTestForm.h"

#include <shlobj.h>

#include <cstring>
#include <fstream>
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
  g.DropFiles({csv, csv});  // two files: nothing
  g.DropFiles({TempFile("notes.txt", "x")});
  EXPECT_TRUE(seen.empty());
  EXPECT_EQ(g.Cells(0, 0), "H0");
  g.DropFiles({csv});
  EXPECT_EQ(seen, std::vector<std::string>{csv});
  EXPECT_EQ(g.ColCount(), 3);
  EXPECT_EQ(g.RowCount(), 3);
  EXPECT_EQ(g.Cells(2, 2), "40");
}

TEST(ExtGridDrop, OleDropsOfFilesAndTextReachTheGrid) {
  ExtGridStartup();
  TGridWindow w(3, 4);
  TExtStringGrid& g = *w.Grid;
  g.SetOleDropTarget(true);
  EXPECT_TRUE(g.OleDropTarget());
  TGridDropTarget target(g);
  std::string csv = TempFile("ole.csv", "a,b\r\nc,d\r\n");
  IDataObject* files = ClipboardData(CF_HDROP, DropBlock(csv + std::string("\0\0", 2)));
  ASSERT_NE(files, nullptr);
  POINT at{5, 5};
  ClientToScreen(g.Handle(), &at);
  DWORD effect = DROPEFFECT_COPY;
  target.DragEnter(files, 0, POINTL{at.x, at.y}, &effect);
  EXPECT_EQ(effect, DWORD(DROPEFFECT_COPY));
  target.Drop(files, 0, POINTL{at.x, at.y}, &effect);
  files->Release();
  EXPECT_EQ(g.Cells(1, 1), "d");
  // Text onto a normal cell is pasted there; onto the header it is refused.
  g.Options |= goEditing;
  std::string text = "x\ty\r\n";
  IDataObject* data = ClipboardData(CF_TEXT, std::vector<unsigned char>(text.begin(), text.end() + 1));
  ASSERT_NE(data, nullptr);
  RECT header = g.CellRect(0, 0);
  POINT top{header.left + 3, header.top + 3};
  ClientToScreen(g.Handle(), &top);
  target.DragEnter(data, 0, POINTL{top.x, top.y}, &effect);
  EXPECT_EQ(effect, DWORD(DROPEFFECT_NONE));
  RECT cell = g.CellRect(0, 1);
  POINT on{cell.left + 3, cell.top + 3};
  ClientToScreen(g.Handle(), &on);
  target.Drop(data, 0, POINTL{on.x, on.y}, &effect);
  data->Release();
  EXPECT_EQ(g.Cells(0, 1), "x");
  EXPECT_EQ(g.Cells(1, 1), "y");
  g.SetOleDropTarget(false);
  ExtGridShutdown();
}
