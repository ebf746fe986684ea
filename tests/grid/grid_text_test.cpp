// Delimited text, the clipboard's text form and the HTML export.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "ExtGridHTML.h"
#include "ExtGridText.h"

namespace {
using V = std::vector<std::string>;
// The fields of a text of one record.
V Split(const std::string& line, char d, bool tilde = false) {
  auto records = DelimitedRecords(line, d, tilde);
  return records.empty() ? V{} : records.front();
}

TEST(GridDelimited, Detection) {
  EXPECT_EQ(DetectDelimiter("a;b;c\r\n1;2;3"), ';');
  EXPECT_EQ(DetectDelimiter("a,b\r\na;b"), 0);
  EXPECT_EQ(DetectDelimiter("a,b,c"), 0);      // a single line chooses none
  EXPECT_EQ(DetectDelimiter("a,b,c\r\n"), 0);
  EXPECT_EQ(DetectDelimiter("a\tb\nc\td"), '\t');
  EXPECT_EQ(DetectDelimiter("a,b;c\ra,b;c"), ',');  // the earlier candidate keeps a tie
  EXPECT_EQ(DetectDelimiter("a,,b\r\nc,,d"), 0);   // doubled: not a delimiter
  // Delimiters inside quoted fields do not count, also in a field that
  // spans lines; a byte-order mark is no part of the first line.
  EXPECT_EQ(DetectDelimiter("name,\"Smith, John\",1\r\nx,y,2\r\n"), ',');
  EXPECT_EQ(DetectDelimiter("a;\"b;\r\nc\";d\r\n1;2;3"), ';');
  EXPECT_EQ(DetectDelimiter("\xEF\xBB\xBF|a|b\r\n|c|d"), '|');
  EXPECT_EQ(DetectDelimiter("a,\"\",b\r\nc,d,e"), ',');  // an empty quoted field is a field
}

TEST(GridDelimited, FieldsAndQuotes) {
  EXPECT_EQ(Split("a,b,c", ','), (V{"a", "b", "c"}));
  EXPECT_EQ(Split("a,,c,", ','), (V{"a", "", "c", ""}));
  EXPECT_EQ(Split("\"x, \"\"y\"\"\",z", ','), (V{"x, \"y\"", "z"}));
  EXPECT_EQ(Split("a,\"b,c\"", ','), (V{"a", "b,c"}));
  EXPECT_EQ(Split("\"\",x", ','), (V{"", "x"}));
  EXPECT_EQ(Split("\"quoted\"", ','), (V{"quoted"}));
  EXPECT_EQ(Split("no delimiter, here", 0), (V{"no delimiter, here"}));
  EXPECT_EQ(Split("a~b,c", ',', true), (V{"a\r\nb", "c"}));
  // With tilde line breaks a quoted LF stays as it is; without, a tilde does.
  EXPECT_EQ(Split("\"a\nb\",\"c~d\"", ',', true), (V{"a\nb", "c\r\nd"}));
  EXPECT_EQ(Split("\"c~d\",\"e\nf\"", ','), (V{"c~d", "e\r\nf"}));
  // A run of quotes in a quoted field keeps every other quote.
  EXPECT_EQ(Split("\"\"\"\"\"\",\"a\"\"\"\"b\"", ','), (V{"\"\"", "a\"\"b"}));
  // Quotes inside an unquoted field, and text after a closing quote, are kept.
  EXPECT_EQ(Split("5\" disk,\"ab\"cd\"e,f", ','), (V{"5\" disk", "abcd\"e", "f"}));
  EXPECT_EQ(Split("\"a\"\"\"", ';'), (V{"a\""}));
}

TEST(GridDelimited, BrokenQuotesEndAtTheEnd) {
  EXPECT_EQ(Split("\"never closes, at all", ','), (V{"never closes, at all"}));
  EXPECT_EQ(Split("a,\"open,b", ','), (V{"a", "open,b"}));
  EXPECT_EQ(Split("\"", ','), (V{""}));
  EXPECT_EQ(Split(",\"", ','), (V{"", ""}));
  auto records = DelimitedRecords("a,\"b\r\nc,d\r\n", ',', false);
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0], (V{"a", "b\r\nc,d\r\n"}));
}

TEST(GridDelimited, ADelimiterThatEndsTheTextReadsNothingPastIt) {
  // A text held in a buffer of its own size: AddressSanitizer sees a read past it.
  const std::string source = "a;b\r\nc;";
  std::vector<char> exact(source.begin(), source.end());
  const std::string_view text(exact.data(), exact.size());
  EXPECT_EQ(DetectDelimiter(text), ';');
  auto records = DelimitedRecords(text, ';', false);
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[1], (V{"c", ""}));
}

TEST(GridDelimited, LineBreaksInsideQuotesStayInTheField) {
  auto records = DelimitedRecords("a,\"two\r\nlines\",c\r\nd,e,f\nlast\r\"lf\nonly\"", ',', false);
  ASSERT_EQ(records.size(), 4u);
  EXPECT_EQ(records[0], (V{"a", "two\r\nlines", "c"}));
  EXPECT_EQ(records[2], (V{"last"}));
  EXPECT_EQ(records[3], (V{"lf\r\nonly"}));
  EXPECT_EQ(DelimitedRecords("", ',', false).size(), 0u);
  EXPECT_EQ(DelimitedRecords("\r\n\r\n", ',', false).size(), 2u);
  EXPECT_EQ(DelimitedRecords("\xEF\xBB\xBF", ',', false).size(), 0u);
}

TEST(GridDelimited, ReadIntoTheGrid) {
  TGridData g(2, 2);
  std::vector<int> progress;
  int pumped = 0;
  TDelimitedOptions o;
  o.OnFileProgress = [&](int p) { progress.push_back(p); };
  o.ProcessMessages = [&] { ++pumped; };
  ReadDelimitedText(g, "h1;h2;h3\r\n4;5;6\r\n1;\"x;y\";3\r\n", o);
  EXPECT_EQ(g.RowCount(), 3);
  EXPECT_EQ(g.ColCount(), 3);
  EXPECT_EQ(g.Cells(2, 0), "h3");
  EXPECT_EQ(g.Cells(1, 2), "x;y");
  EXPECT_EQ(g.Cells(2, 1), "6");
  EXPECT_EQ(progress, (std::vector<int>{33, 67, 100}));
  EXPECT_EQ(pumped, 3);
  // Without ExportFixedCells the fields land after the fixed cells.
  TGridData f(1, 1);
  f.FixedRows = 1;
  f.FixedCols = 1;
  TDelimitedOptions fo;
  fo.ExportFixedCells = false;
  fo.FieldDelimiter = ',';
  ReadDelimitedText(f, "a,b\nc,d", fo);
  EXPECT_EQ(f.RowCount(), 3);
  EXPECT_EQ(f.ColCount(), 3);
  EXPECT_EQ(f.Cells(1, 1), "a");
  EXPECT_EQ(f.Cells(2, 2), "d");
  EXPECT_THROW(LoadFromDelimitedFile(f, "/nonexistent/x.csv", fo), EExtGridError);
}

TEST(GridClipboard, CopyText) {
  TGridData g(3, 3);
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) g.SetCells(c, r, IntToStr(c) + IntToStr(r));
  TClipboardOptions o;
  EXPECT_EQ(RangeAsText(g, 1, 1, 1, 1, o), "11\r\n");
  EXPECT_EQ(RangeAsText(g, 0, 0, 1, 1, o), "00\t10\r\n01\t11\r\n");
  g.HideColumn(1);
  EXPECT_EQ(RangeAsText(g, 0, 0, 1, 0, o), "00\t20\r\n");  // shown columns
  g.SetCells(0, 2, "<B>x</B>");
  g.SetCells(2, 2, "a\r\nb");
  EXPECT_EQ(RangeAsText(g, 0, 2, 1, 2, o), "<B>x</B>\ta\r\nb\r\n");
  o.CopyHTMLTags = false;
  o.Multilinecells = true;
  o.QuoteMultilineClipboard = true;
  EXPECT_EQ(RangeAsText(g, 0, 2, 1, 2, o), "x\t\"a\nb\"\r\n");
  o.RowIncluded = [](int r) { return r != 1; };
  EXPECT_EQ(RangeAsText(g, 0, 0, 0, 2, o), "00\r\nx\r\n");
}

// Plain-text cells go to the clipboard as they stand, tags and rich text
// included, whatever the tag and rich-text rules do to other cells.
TEST(GridClipboard, PlainTextCellsAreCopiedAsTheyStand) {
  TGridData g(2, 1);
  g.SetCells(0, 0, "<B>Tom &amp; Jerry</B>");
  g.SetCells(1, 0, "{\\rtf1 x}");
  TClipboardOptions o;
  o.CopyHTMLTags = false;
  o.RichToPlain = [](const std::string&) { return std::string("x"); };
  EXPECT_EQ(RangeAsText(g, 0, 0, 1, 0, o), "Tom &amp; Jerry\tx\r\n");
  o.PlainText = [](int col, int) { return col == 1; };
  EXPECT_EQ(RangeAsText(g, 0, 0, 1, 0, o), "Tom &amp; Jerry\t{\\rtf1 x}\r\n");
  o.PlainText = [](int, int) { return true; };
  EXPECT_EQ(RangeAsText(g, 0, 0, 1, 0, o), "<B>Tom &amp; Jerry</B>\t{\\rtf1 x}\r\n");
}

TEST(GridClipboard, PasteAndCount) {
  TGridData g(3, 3);
  TPasteOptions o;
  EXPECT_EQ(PasteText(g, 1, 1, "a\r\n", o), 2);
  EXPECT_EQ(g.Cells(1, 1), "a");
  EXPECT_EQ(PasteText(g, 0, 0, "p\tq\r\n", o), 3);
  EXPECT_EQ(g.Cells(1, 0), "q");
  EXPECT_EQ(PasteText(g, -1, 0, "x", o), 0);
  // Growing: a field past the last column or row makes room when allowed.
  EXPECT_EQ(PasteText(g, 2, 2, "1\t2\r\n3\t4", o), 4);
  EXPECT_EQ(g.ColCount(), 4);
  EXPECT_EQ(g.RowCount(), 4);
  EXPECT_EQ(g.Cells(3, 3), "4");
  TGridData fixed(2, 2);
  o.AllowClipboardColGrow = o.AllowClipboardRowGrow = false;
  EXPECT_EQ(PasteText(fixed, 1, 1, "1\t2\r\n3", o), 3);
  EXPECT_EQ(fixed.ColCount(), 2);
  EXPECT_EQ(fixed.Cells(1, 1), "1");
  o.CanEdit = [](int c, int) { return c != 0; };
  o.QuoteMultilineClipboard = true;
  EXPECT_EQ(PasteText(fixed, 0, 0, "no\t\"a\nb\"", o), 2);
  EXPECT_EQ(fixed.Cells(0, 0), "");
  EXPECT_EQ(fixed.Cells(1, 0), "a\r\nb");
  TTextSize s = ClipboardTextSize("a\tb\tc\r\nd\r\n");
  EXPECT_EQ(s.Cols, 3);
  EXPECT_EQ(s.Rows, 2);
  s = ClipboardTextSize("x");
  EXPECT_EQ(s.Cols, 1);
  EXPECT_EQ(s.Rows, 1);
  EXPECT_EQ(ClipboardTextSize("").Rows, 0);
}

TEST(GridClipboard, SmartFill) {
  GridFormat() = TGridFormat();
  TSmartFillOptions o;
  TGridData g(3, 6);
  g.SetCells(1, 0, "x");
  SmartFill(g, {1, 0, 2, 1}, 2, o);  // one cell over the selection
  EXPECT_EQ(g.Cells(2, 1), "x");
  g.SetCells(0, 0, "5");
  g.SetCells(0, 1, "7");
  o.CanEdit = [](int, int r) { return r != 2; };
  SmartFill(g, {0, 0, 0, 4}, 3, o);
  EXPECT_EQ(g.Cells(0, 2), "");  // not editable, but the series runs on
  EXPECT_EQ(g.Cells(0, 4), "13");
  o.CanEdit = nullptr;
  g.SetCells(0, 0, "1.5");
  g.SetCells(1, 0, "2");
  SmartFill(g, {0, 0, 2, 0}, 3, o);  // one row tall: the second value is to the right
  EXPECT_EQ(g.Cells(1, 0), "2.00");
  EXPECT_EQ(g.Cells(2, 0), "2.50");
  o.FloatFormat = "%s%d";  // not a number format: the default stands in
  SmartFill(g, {0, 0, 2, 0}, 3, o);
  EXPECT_EQ(g.Cells(2, 0), "2.50");
  o.FloatFormat = "%.1f kg";
  SmartFill(g, {0, 0, 2, 0}, 3, o);
  EXPECT_EQ(g.Cells(2, 0), "2.5 kg");
  g.SetCells(0, 5, "1/31/2001");
  g.SetCells(1, 5, "2/28/2001");
  SmartFill(g, {0, 5, 2, 5}, 3, o);
  EXPECT_EQ(g.Cells(2, 5), "3/28/2001");
  g.SetCells(0, 3, "a");
  g.SetCells(0, 4, "b");
  SmartFill(g, {0, 3, 0, 5}, 3, o);  // not numbers: nothing
  EXPECT_EQ(g.Cells(0, 5), "1/31/2001");
}

TEST(GridWorkbook, A1Addresses) {
  EXPECT_EQ(ColumnLetters(1), "A");
  EXPECT_EQ(ColumnLetters(26), "Z");
  EXPECT_EQ(ColumnLetters(27), "AA");
  EXPECT_EQ(ColumnLetters(52), "AZ");
  EXPECT_EQ(ColumnLetters(53), "BA");
  EXPECT_EQ(ColumnLetters(703), "AAA");
  EXPECT_EQ(ColumnLetters(0), "");
  TA1Range r;
  ASSERT_TRUE(ParseA1Range("$A$1:$D$10", r));
  EXPECT_EQ(r.FirstCol, 1);
  EXPECT_EQ(r.LastCol, 4);
  EXPECT_EQ(r.LastRow, 10);
  ASSERT_TRUE(ParseA1Range("$B$2:$AB$7", r));
  EXPECT_EQ(r.LastCol, 28);
  ASSERT_TRUE(ParseA1Range("$A$1:$AAA$1", r));
  EXPECT_EQ(r.LastCol, 703);
  // A single cell is a range of one cell.
  ASSERT_TRUE(ParseA1Range("$C$7", r));
  EXPECT_EQ(r.FirstCol, 3);
  EXPECT_EQ(r.LastCol, 3);
  EXPECT_EQ(r.FirstRow, 7);
  EXPECT_EQ(r.LastRow, 7);
  EXPECT_FALSE(ParseA1Range("$C$", r));
  EXPECT_FALSE(ParseA1Range("$A$1:$D$", r));
  EXPECT_FALSE(ParseA1Range("$1$1:$D$2", r));
  EXPECT_FALSE(ParseA1Range("$D$5:$A$1", r));
  EXPECT_FALSE(ParseA1Range("$ZZZZZZZZZZZZ$1:$ZZZZZZZZZZZZZ$2", r));
}

// The text of every <td> of the lines, tags of ours removed and entities decoded.
std::vector<std::string> CellsOfPage(const std::vector<std::string>& lines) {
  std::vector<std::string> out;
  for (const std::string& l : lines) {
    if (!l.starts_with("<td")) continue;
    std::string inner = l.substr(l.find('>') + 1);
    inner = inner.substr(0, inner.size() - 5);  // "</td>"
    for (const char* tag : {"<B>", "</B>"})
      if (inner.starts_with(tag) || inner.ends_with(tag)) inner = ReplaceAll(inner, tag, "");
    inner = ReplaceAll(inner, "<br>\n", "\r\n");
    if (inner == "<br>") inner.clear();
    out.push_back(PrepareHTMLText(inner));
  }
  return out;
}

TEST(GridHTMLExport, TableLinesAndCellsParseBack) {
  TGridData g(3, 3);
  const char* texts[] = {"Mod", "Game", "Starts", "a < b & \"c\"", "", "3", "two\r\nlines", "<I>it</I>", "7"};
  for (int i = 0; i < 9; ++i) g.SetCells(i % 3, i / 3, texts[i]);
  g.FixedCols = 0;
  THTMLSettings s;
  THTMLExportOptions o;
  o.Alignment = [](int c, int) { return c == 2 ? 1 : 0; };
  auto lines = HTMLTableLines(g, s, o);
  EXPECT_EQ(lines[0], "<table border=\"1\" cellspacing=\"0\" cellpadding=\"0\" Width=\"100%\">");
  EXPECT_EQ(lines[2], "<td nowrap BGCOLOR=\"#D4D0C8\"><B>Mod</B></td>");
  EXPECT_EQ(lines[4], "<td nowrap align=\"right\" BGCOLOR=\"#D4D0C8\"><B>Starts</B></td>");
  EXPECT_EQ(lines[8], "<td nowrap><br></td>");
  EXPECT_EQ(lines.back(), "</table><p>");
  auto cells = CellsOfPage(lines);
  ASSERT_EQ(cells.size(), 9u);
  for (int i = 0; i < 9; ++i) EXPECT_EQ(cells[size_t(i)], texts[i]) << i;
}

TEST(GridHTMLExport, ColoursFontsWidthsAndAnchors) {
  TGridData g(2, 2);
  g.FixedRows = 0;
  g.FixedCols = 0;
  g.SetCells(0, 0, "http://x.org/a");
  g.SetCells(1, 0, "b");
  THTMLSettings s;
  s.ColumnWidths.Add(40);
  s.PrefixTag = "<html>";
  s.SuffixTag = "</html>";
  s.TableStyle = "class=\"t\"";
  THTMLExportOptions o;
  o.WordWrap = true;
  o.URLShow = true;
  o.CellColor = [](int c, int, THTMLCellStyle& st) {
    if (c == 1) {
      st.Brush = clRed;
      st.FontColor = clBlue;
      st.FontStyle = fsBold | fsUnderline;
    }
  };
  auto lines = HTMLTableLines(g, s, o);
  EXPECT_EQ(lines[0], "<html>");
  EXPECT_EQ(lines[1], "<table class=\"t\" border=\"1\" cellspacing=\"0\" cellpadding=\"0\" Width=\"100%\">");
  EXPECT_EQ(lines[3], "<td WIDTH=40><A HREF=\"http://x.org/a\">x.org/a</A></td>");
  EXPECT_EQ(lines[4], "<td BGCOLOR=\"#FF0000\"><Font Color=\"#0000FF\"><B><U>b</U></B></Font></td>");
  EXPECT_EQ(lines.back(), "</html>");
}

// A plain-text cell is its text escaped once, never markup or a link; a
// mini-HTML cell's entities are read as the painter reads them, so that the
// page shows the text the grid shows, not its entities escaped again.
TEST(GridHTMLExport, PlainTextCellsAreEscapedAndMarkupIsReadOnce) {
  TGridData g(3, 1);
  g.FixedRows = 0;
  g.FixedCols = 0;
  g.SetCells(0, 0, "<b>Tom &amp; Jerry</b>");
  g.SetCells(1, 0, "<IMG SRC=\"http://127.0.0.1:8765/beacon.png\"></IMG>Beacon");
  g.SetCells(2, 0, "http://example.invalid/");
  THTMLSettings s;
  THTMLExportOptions o;
  o.URLShow = true;
  auto lines = HTMLTableLines(g, s, o);
  EXPECT_EQ(lines[2], "<td nowrap><b>Tom &amp; Jerry</b></td>");
  o.PlainText = [](int col, int row) { return row == 0 && col > 0; };
  lines = HTMLTableLines(g, s, o);
  EXPECT_EQ(lines[2], "<td nowrap><b>Tom &amp; Jerry</b></td>");
  EXPECT_EQ(lines[3], "<td nowrap>&lt;IMG SRC=&quot;http://127.0.0.1:8765/beacon.png&quot;&gt;&lt;/IMG&gt;Beacon</td>");
  EXPECT_EQ(lines[4], "<td nowrap>http://example.invalid/</td>");
}

TEST(GridHTMLExport, TheCharsetLineNamesTheCodePage) {
  EXPECT_EQ(HTMLCharsetMeta(1252), "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">");
  for (const auto& [page, name] : std::vector<std::pair<unsigned, std::string>>{
           {1250, "windows-1250"}, {1251, "windows-1251"}, {932, "shift_jis"}, {936, "gbk"}, {65001, "utf-8"}})
    EXPECT_NE(HTMLCharsetMeta(page).find("charset=" + name + "\""), std::string::npos) << page;
}

TEST(GridHTMLExport, FileWithHeaderAndFooter) {
  std::string dir = ::testing::TempDir();
  std::string header = dir + "grid_header.txt", page = dir + "grid_page.html";
  std::ofstream(header) << "<html><body>\n";
  TGridData g(1, 1);
  g.SetCells(0, 0, "x");
  THTMLSettings s;
  s.HeaderFile = header;
  s.FooterFile = dir + "missing-footer.txt";
  WriteHTMLTable(g, s, THTMLExportOptions(), page);
  std::ifstream in(page, std::ios::binary);
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_TRUE(text.starts_with("<html><body>\r\n<table"));
  EXPECT_TRUE(text.ends_with("</table><p>\r\n"));
  EXPECT_THROW(WriteHTMLTable(g, s, THTMLExportOptions(), "/nonexistent/dir/x.html"), EExtGridError);
  std::remove(header.c_str());
  std::remove(page.c_str());
}
}  // namespace
