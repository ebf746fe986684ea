// The workbook export and import through automation: with the fake server
// registered by the test, and without any spreadsheet program.
#include <gtest/gtest.h>

#include "ExtGridTestForm.h"
#include "FakeExcel.h"

namespace {
std::string TempPath(const std::string& name) {
  char dir[MAX_PATH];
  GetTempPathA(MAX_PATH, dir);
  std::string path = std::string(dir) + name;
  DeleteFileA(path.c_str());
  return path;
}
bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

struct ExtGridExcel : ::testing::Test {
  void SetUp() override { ExtGridStartup(); }
  void TearDown() override { ExtGridShutdown(); }
};
}  // namespace

TEST_F(ExtGridExcel, WithoutTheProgramTheExportFailsAndWritesNothing) {
  TGridWindow w(4, 9);
  const std::string file = TempPath("none.xls");
  try {
    w.Grid->SaveToWorkbook(file);
    FAIL() << "no failure reported";
  } catch (const EExtGridError& e) {
    EXPECT_STREQ(e.what(), "Excel OLE server not found");
  }
  EXPECT_FALSE(Exists(file));
  EXPECT_THROW(w.Grid->LoadFromWorkbook(file), EExtGridError);
  EXPECT_EQ(w.Grid->Cells(1, 1), "1,1");
}

TEST_F(ExtGridExcel, ExportSendsEveryCellQuotedIntoTheRangeAndSaves) {
  TFakeExcel excel;
  TGridWindow w(4, 9);
  w.Grid->SetCells(2, 3, "two\r\nlines");
  const std::string file = TempPath("stats.xls");
  w.Grid->SaveToWorkbook(file);
  const auto& s = excel.State;
  EXPECT_EQ(s.Calls, (std::vector<std::string>{"Range A1:D10", "Value A1:D10", "SaveAs " + file, "Quit"}));
  ASSERT_EQ(s.Cells.size(), 10u);
  ASSERT_EQ(s.Cells[0].size(), 4u);
  EXPECT_EQ(s.Cells[0][0], "\"H0\"");
  EXPECT_EQ(s.Cells[9][3], "\"3,9\"");
  EXPECT_EQ(s.Cells[3][2], "\"two\nlines\"");
  EXPECT_TRUE(Exists(file));
}

TEST_F(ExtGridExcel, ImportReadsTheUsedRangeAndASingleCell) {
  TFakeExcel excel;
  TGridWindow w(4, 9);
  TExtStringGrid& g = *w.Grid;
  excel.State.UsedAddress = "$B$2:$C$3";
  g.LoadFromWorkbook("C:\\in.xls");
  EXPECT_EQ(g.ColCount(), 2);
  EXPECT_EQ(g.RowCount(), 2);
  EXPECT_EQ(g.Cells(0, 0), "a");
  EXPECT_EQ(g.Cells(1, 1), "d");
  EXPECT_EQ(excel.State.Calls.front(), "Open C:\\in.xls");
  EXPECT_EQ(excel.State.Calls.back(), "Quit");
  // A used range of one cell is that one cell.
  excel.State.UsedAddress = "$A$1";
  excel.State.Sheet = {{"only"}};
  g.LoadFromWorkbook("C:\\one.xls");
  EXPECT_EQ(g.ColCount(), 1);
  EXPECT_EQ(g.RowCount(), 1);
  EXPECT_EQ(g.Cells(0, 0), "only");
  EXPECT_EQ(excel.State.Calls[excel.State.Calls.size() - 2], "Close without saving");
}
