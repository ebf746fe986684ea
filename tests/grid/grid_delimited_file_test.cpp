// Delimited files read a block at a time: whatever the block size, a file
// gives the cells that its whole text gives, with records, quotes, CR LF
// pairs and the byte-order mark cut across the blocks' edges.
#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <stdexcept>

#include <unistd.h>

#include "ExtGridText.h"

namespace {
std::string TempFile(const std::string& name) {
  return ::testing::TempDir() + "grid_delimited_file_" + std::to_string(getpid()) + "_" + name;
}

// Text made of the characters that steer the reader, in runs that put them
// on every side of a block's edge.
std::string RandomText(std::mt19937& rnd) {
  static const std::vector<std::string> Parts = {
      ",", ";", "\t", "\"", "\"\"", "\r", "\n", "\r\n", "~", "a", "bc", "12", "\xEF\xBB\xBF", "\"x,y\"", "|", "#"};
  std::string text = rnd() % 3 == 0 ? "\xEF\xBB\xBF" : "";
  for (int n = int(rnd() % 60); n > 0; --n) text += Parts[rnd() % Parts.size()];
  return text;
}

// Loads the text from a file with each block size and expects the grid that
// ReadDelimitedText makes of the whole text.
void ExpectSameAsWholeText(const std::string& text, const TDelimitedOptions& o, const std::string& what) {
  TGridData whole(1, 1);
  ReadDelimitedText(whole, text, o);
  const std::string file = TempFile("same.csv");
  std::ofstream(file, std::ios::binary) << text;
  for (size_t block : {size_t(1), size_t(2), size_t(3), size_t(5), size_t(16), kDelimitedFileBlock}) {
    TGridData grid(1, 1);
    LoadFromDelimitedFile(grid, file, o, block);
    ASSERT_EQ(grid.RowCount(), whole.RowCount()) << what << " block " << block;
    ASSERT_EQ(grid.ColCount(), whole.ColCount()) << what << " block " << block;
    for (int r = 0; r < grid.RowCount(); ++r)
      for (int c = 0; c < grid.ColCount(); ++c)
        ASSERT_EQ(grid.Cells(c, r), whole.Cells(c, r)) << what << " block " << block << " cell " << c << "," << r;
  }
  std::remove(file.c_str());
}
}  // namespace

TEST(GridDelimitedFile, EdgesAcrossBlocks) {
  TDelimitedOptions o;
  // A CR LF pair split by the edge of a block, a doubled quote split, a
  // quote that never closes, a byte-order mark read a byte at a time.
  for (const char* text : {"a,b\r\nc,d\r\n", "ab,c\r\nd,e", "\"a\"\"b\",c\r\n\"d\"\"\",e", "x,\"open\r\ny,z",
                           "\xEF\xBB\xBF\"q\",r\r\ns,t", "\xEF\xBB", "", "\r\n\r\n", "a,b,\r\n1,2,\r\n\r\nx,y,z"})
    ExpectSameAsWholeText(text, o, "text " + std::string(text));
}

TEST(GridDelimitedFile, ARecordLongerThanManyBlocks) {
  std::string field(20000, 'w');
  size_t quotes = 0;
  for (size_t i = 100; i < field.size(); i += 977, ++quotes) field.replace(i, 4, "\"\"\r\n");
  const std::string text = "head,\"" + field + "\",tail\r\nnext,row,here\r\n";
  TDelimitedOptions o;
  ExpectSameAsWholeText(text, o, "long record");
  TGridData grid(1, 1);
  const std::string file = TempFile("long.csv");
  std::ofstream(file, std::ios::binary) << text;
  LoadFromDelimitedFile(grid, file, o, 16);
  std::remove(file.c_str());
  ASSERT_EQ(grid.RowCount(), 2);
  EXPECT_EQ(grid.Cells(1, 0).size(), field.size() - quotes);  // each "" became one quote
  EXPECT_EQ(grid.Cells(2, 1), "here");
}

TEST(GridDelimitedFile, RandomTextsReadAsTheirWholeText) {
  std::mt19937 rnd(4180);
  for (int i = 0; i < 300; ++i) {
    const std::string text = RandomText(rnd);
    TDelimitedOptions o;
    const char fixed[] = {0, ',', ';', '\t', '"'};
    o.FieldDelimiter = fixed[rnd() % std::size(fixed)];
    o.TildeLineBreaks = rnd() % 2;
    o.ExportFixedCells = rnd() % 2;
    ExpectSameAsWholeText(text, o, "random text " + std::to_string(i));
  }
}

// A load that fails while it fills the grid leaves none of the file in it,
// not the rows read so far.
TEST(GridDelimitedFile, ALoadThatFailsHalfWayLeavesNoPartOfTheFile) {
  std::string text;
  for (int i = 0; i < 2000; ++i) text += "row" + std::to_string(i) + ",x\r\n";
  const std::string file = TempFile("fails.csv");
  std::ofstream(file, std::ios::binary) << text;
  TDelimitedOptions o;
  int lines = 0;
  o.ProcessMessages = [&] {
    if (++lines == 3) throw std::runtime_error("stopped");
  };
  TGridData grid(1, 1);
  EXPECT_THROW(LoadFromDelimitedFile(grid, file, o, 64), std::runtime_error);
  std::remove(file.c_str());
  EXPECT_EQ(grid.RowCount(), grid.FixedRows);  // none of the 2,000 rows
  for (int r = 0; r < grid.RowCount(); ++r) EXPECT_EQ(grid.Cells(0, r), "") << r;
  EXPECT_GT(lines, 0);
}
