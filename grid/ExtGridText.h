// The grid's text formats: delimited-text import, the clipboard's text form
// (copy, paste and its size) and the HTML table export.
#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "ExtGridCells.h"

// --- delimited text
struct TDelimitedOptions {
  char FieldDelimiter = 0;        // 0: detect from the first two lines
  bool TildeLineBreaks = false;   // "~" in a field stands for a line break
  bool ExportFixedCells = true;   // fields land from (0, 0), else after the fixed cells
  std::function<std::string(const std::string&)> OemToAnsi;  // set when lines are OEM text
  std::function<void(int percent)> OnFileProgress;
  std::function<void()> ProcessMessages;  // after every line
};
// The delimiter of the first two records: ",", ";", "#", TAB or "|", the
// first whose lone occurrences outside quoted fields are equally many (and
// most) in both; 0 when none.
char DetectDelimiter(std::string_view text);
// The records of the text and their fields' cell texts (delimiter 0: each
// record is one field). Records end at CR LF, LF or CR outside quotes; "" in
// a quoted field is one quote; a quote that never closes runs to the end.
std::vector<std::vector<std::string>> DelimitedRecords(std::string_view text, char delimiter, bool tildeLineBreaks);
void ReadDelimitedText(TGridData& grid, std::string_view text, const TDelimitedOptions& options);
// The file's cells as ReadDelimitedText gives them for its whole text, read
// blockSize bytes at a time. "Cannot open file " + name when the file cannot
// be read.
constexpr size_t kDelimitedFileBlock = 64 * 1024;
void LoadFromDelimitedFile(TGridData& grid, const std::string& fileName, const TDelimitedOptions& options,
                           size_t blockSize = kDelimitedFileBlock);

// --- clipboard text
struct TClipboardOptions {
  bool CopyHTMLTags = true;            // Navigation.CopyHTMLTagsToClipboard
  bool Multilinecells = false;
  bool QuoteMultilineClipboard = false;
  std::function<bool(int row)> RowIncluded;  // disjunct row selection; all rows when unset
  std::function<std::string(const std::string&)> RichToPlain;  // rich-text cells
  // Plain-text cells (shown column, row) are copied as their text stands.
  std::function<bool(int col, int row)> PlainText;
};
// Cells of shown columns col1..col2 and rows row1..row2: joined by TAB, each
// row ended by CR LF.
std::string RangeAsText(const TGridData& grid, int col1, int row1, int col2, int row2, const TClipboardOptions& o);
struct TPasteOptions {
  bool QuoteMultilineClipboard = false;
  bool AllowClipboardRowGrow = true, AllowClipboardColGrow = true;
  std::function<bool(int col, int row)> CanEdit;  // every cell when unset
};
// Tab / CR LF text into the cells from (col, row); the number of fields.
int PasteText(TGridData& grid, int col, int row, std::string_view text, const TPasteOptions& o);
struct TSmartFillOptions {
  std::string FloatFormat = "%.2f";         // printf form of the grid's FloatFormat
  std::string DatePattern = "M/d/yyyy";     // the locale's short date pattern
  std::function<bool(int col, int row)> CanEdit;
};
// After a paste of pasteCount fields at the selection's top-left cell: two
// (one cell) copy it over the selection; three (two cells) in a selection one
// column wide or one row tall continue the series of dates, numbers or
// integers. Values that do not parse fill nothing.
void SmartFill(TGridData& grid, const TGridRect& selection, int pasteCount, const TSmartFillOptions& o);
struct TTextSize {
  int Cols = 0, Rows = 0;
};
TTextSize ClipboardTextSize(std::string_view text);

// --- HTML export
struct THTMLCellStyle {
  TColor Brush = 0x7FFFFFFF, FontColor = 0x7FFFFFFF;  // 0x7FFFFFFF: none
  uint32_t FontStyle = 0;                             // TFontStyle bits
};
struct THTMLExportOptions {
  bool ExportFixedCells = true;
  bool WordWrap = false;
  bool URLShow = false, URLFull = false;
  bool EnableHTML = true;
  std::function<int(int col, int row)> Alignment;  // 0 left, 1 right, 2 centre
  std::function<void(int col, int row, THTMLCellStyle& style)> CellColor;
  std::function<uint32_t(TColor)> ColorToRGB;  // the system colours' values
  // Plain-text cells (real column, row): their text escaped, never markup or a link.
  std::function<bool(int col, int row)> PlainText;
};
// A mini-HTML cell's markup for a page: text-level tags with their harmless
// attributes rebuilt; everything else, other tags too, escaped as text.
// Takes the text as the cell painter reads it, after PrepareHTMLText.
std::string SafeCellMarkup(std::string_view text);
// The <meta> line that declares a page's bytes to be in the Windows code
// page (its name on the web, such as "windows-1252" for 1252).
std::string HTMLCharsetMeta(unsigned codePage);
// An address that runs nothing when followed (no script or data scheme).
bool SafeAddress(std::string_view address);
std::vector<std::string> HTMLTableLines(const TGridData& grid, const THTMLSettings& settings,
                                        const THTMLExportOptions& o);
// The table between the header and footer files' lines; lines end with CR LF.
// "Cannot Create file " + name when the file cannot be written.
void WriteHTMLTable(const TGridData& grid, const THTMLSettings& settings, const THTMLExportOptions& o,
                    const std::string& fileName);

// --- workbook addresses
std::string ColumnLetters(int n);  // 1 "A", 26 "Z", 27 "AA"; "" for 0 or less
struct TA1Range {
  int FirstCol = 0, FirstRow = 0, LastCol = 0, LastRow = 0;  // counted from 1
};
// A used-range address such as "$A$1:$D$10", or one cell such as "$A$1"; false
// unless every part parses.
bool ParseA1Range(std::string_view address, TA1Range& out);
