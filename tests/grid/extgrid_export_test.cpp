// The grid's files: the HTML table, and the workbook export and import
// through automation, with the fake server registered by the test and
// without any spreadsheet program.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

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

TEST_F(ExtGridExcel, ExportSendsTheValuesThemselvesNumbersAsNumbers) {
  TFakeExcel excel;
  TGridWindow w(4, 9);
  TExtStringGrid& g = *w.Grid;
  g.SetCells(2, 3, "two\r\nlines");
  g.SetCells(1, 1, "12");
  g.SetCells(2, 1, "-3.25");
  g.SetCells(3, 1, "\"quoted\"");
  g.SetCells(1, 2, "007");
  g.SetCells(2, 2, "555-1234");
  g.SetCells(3, 2, "4294967296");
  const std::string file = TempPath("stats.xls");
  g.SaveToWorkbook(file);
  const auto& s = excel.State;
  EXPECT_EQ(s.Calls, (std::vector<std::string>{"Range A1:D10", "Value A1:D10", "SaveAs " + file, "Quit"}));
  ASSERT_EQ(s.Cells.size(), 10u);
  ASSERT_EQ(s.Cells[0].size(), 4u);
  EXPECT_EQ(s.Cells[0][0], "H0");
  EXPECT_EQ(s.Types[0][0], VT_BSTR);
  EXPECT_EQ(s.Cells[9][3], "3,9");
  EXPECT_EQ(s.Cells[3][2], "two\nlines");
  EXPECT_EQ(s.Cells[1][1], "12");
  EXPECT_EQ(s.Types[1][1], VT_I4);
  EXPECT_EQ(s.Types[1][2], VT_R8);
  EXPECT_EQ(s.Cells[1][3], "\"quoted\"");  // a text's own quotes stay; none are added
  // Texts that only look like numbers stay texts; a large whole number is a double.
  EXPECT_EQ(s.Types[2][1], VT_BSTR);
  EXPECT_EQ(s.Cells[2][1], "007");
  EXPECT_EQ(s.Types[2][2], VT_BSTR);
  EXPECT_EQ(s.Types[2][3], VT_R8);
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

TEST(ExtGridHTML, SavesTheTableAndFailsWithoutAHalfFile) {
  TGridWindow w(4, 3);
  TExtStringGrid& g = *w.Grid;
  g.SetCells(2, 2, "<B>bold</B>");
  g.SetCells(3, 3, "a < b");
  const std::string file = TempPath("stats.html");
  g.SaveToHTML(file);
  std::ifstream in(file, std::ios::binary);
  std::stringstream page;
  page << in.rdbuf();
  const std::string html = page.str();
  EXPECT_NE(html.find("<table border=\"1\" cellspacing=\"0\" cellpadding=\"0\" Width=\"100%\">\r\n<tr>\r\n<td nowrap"),
            std::string::npos);
  EXPECT_NE(html.find("><B>H1</B></td>"), std::string::npos);
  EXPECT_NE(html.find("><B>bold</B></td>"), std::string::npos);
  EXPECT_NE(html.find(">a &lt; b</td>"), std::string::npos);
  EXPECT_TRUE(html.ends_with("</table><p>\r\n"));
  const std::string bad = TempPath("no such folder\\stats.html");
  try {
    g.SaveToHTML(bad);
    FAIL() << "no failure reported";
  } catch (const EExtGridError& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot Create file " + bad);
  }
  EXPECT_FALSE(Exists(bad + ".tmp"));
}

TEST(ExtGridDelimited, TheReaderFollowsTheGridsSettings) {
  TGridWindow w(2, 2);
  TExtStringGrid& g = *w.Grid;
  const std::string file = TempPath("oem.csv");
  // Semicolons are given, though commas would be detected; "~" breaks lines;
  // 0x81 is u-umlaut in the OEM code page.
  std::ofstream(file, std::ios::binary) << "\x81" "ber,a;x~y,z\r\n1,2;3,4\r\n5,6;7,8\r\n8,9;\"q\"\"\"\r\n";
  g.FieldDelimiter = ';';
  g.TildeLineBreaks = true;
  g.OemConvert = true;
  std::vector<int> progress;
  g.OnFileProgress = [&](TComponent* sender, int percent) {
    EXPECT_EQ(sender, &g);
    progress.push_back(percent);
  };
  g.LoadFromDelimitedFile(file);
  EXPECT_EQ(g.RowCount(), 4);
  EXPECT_EQ(g.ColCount(), 2);
  if (GetOEMCP() == 437 && GetACP() == 1252) {
    EXPECT_EQ(g.Cells(0, 0), "\xFC" "ber,a");
  }
  EXPECT_EQ(g.Cells(1, 0), "x\r\ny,z");
  EXPECT_EQ(g.Cells(1, 3), "q\"");
  EXPECT_EQ(progress, (std::vector<int>{25, 50, 75, 100}));
  EXPECT_EQ(g.FieldDelimiter, ';');
  // Detected per file, the setting stays 0.
  g.FieldDelimiter = 0;
  g.OemConvert = false;
  g.LoadFromDelimitedFile(file);
  EXPECT_EQ(g.FieldDelimiter, 0);
  // Two commas in each of the first two lines win over one semicolon.
  EXPECT_EQ(g.Cells(0, 0), "\x81" "ber");
  EXPECT_EQ(g.Cells(1, 0), "a;x\r\ny");
  EXPECT_EQ(g.ColCount(), 3);
}
