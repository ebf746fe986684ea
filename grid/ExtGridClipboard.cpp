// The clipboard's text form: copying a range, pasting tab / CR LF text.
#include <algorithm>

#include "ExtGridHTML.h"
#include "ExtGridText.h"

namespace {
// A cell's clipboard form: the text itself (no copy) unless tags, rich text
// or line breaks change it, then the changed text in scratch. A plain-text
// cell's tags and rich text are its text.
const std::string& ClipboardForm(const std::string& text, bool plain, const TClipboardOptions& o,
                                 std::string& scratch) {
  const std::string* t = &text;
  if (!plain && !o.CopyHTMLTags && t->find("</") != std::string::npos) t = &(scratch = StripHTML(*t));
  else if (!plain && o.RichToPlain && t->find("{\\") != std::string::npos) t = &(scratch = o.RichToPlain(*t));
  if (o.QuoteMultilineClipboard && LineCount(*t, o.Multilinecells) > 1) t = &(scratch = QuoteMultiline(*t));
  return *t;
}
}  // namespace

// Two passes: the first measures, so that the text is allocated once.
std::string RangeAsText(const TGridData& grid, int col1, int row1, int col2, int row2, const TClipboardOptions& o) {
  std::string out, scratch;
  auto forEachCell = [&](auto&& cell, auto&& rowEnd) {
    for (int r = row1; r <= row2; ++r) {
      if (o.RowIncluded && !o.RowIncluded(r)) continue;
      for (int k = col1; k <= col2; ++k) {
        const bool plain = o.PlainText && o.PlainText(k, r);
        cell(k, ClipboardForm(grid.Cells(grid.DisplayColToReal(k), r), plain, o, scratch));
      }
      rowEnd();
    }
  };
  size_t size = 0;
  forEachCell([&](int k, const std::string& text) { size += text.size() + (k > col1); }, [&] { size += 2; });
  out.reserve(size);
  forEachCell(
      [&](int k, const std::string& text) {
        if (k > col1) out += '\t';
        out += text;
      },
      [&] { out += "\r\n"; });
  return out;
}

// Fields go to (col + j, row + i) while they fall inside the grid (which may
// grow to take them); the count includes every field and, for text ending in
// a line break, one for the empty rest.
int PasteText(TGridData& grid, int col, int row, std::string_view text, const TPasteOptions& o) {
  if (col < 0 || row < 0) return 0;
  int count = 0, c = col, r = row, maxCol = col;
  size_t i = 0;
  while (i < text.size()) {
    size_t end = text.find_first_of("\t\r", i);
    if (end == std::string_view::npos) end = text.size();
    std::string field(text.substr(i, end - i));
    const bool tab = end < text.size() && text[end] == '\t';
    const bool cr = end < text.size() && text[end] == '\r';
    ++count;
    if (o.QuoteMultilineClipboard && field.find('\n') != std::string::npos) {
      if (!field.empty() && field.front() == '"') field.erase(0, 1);
      if (!field.empty() && field.back() == '"') field.pop_back();
      field = LFToCRLF(field);
    }
    bool store = c < grid.ColCount() && r < grid.RowCount() && (!o.CanEdit || o.CanEdit(c, r)) &&
                 (tab || cr || !field.empty());
    if (store) grid.SetCells(c, r, field);
    maxCol = std::max(maxCol, c);
    i = end + 1;
    if (tab) {
      ++c;
      if (c >= grid.ColCount() && o.AllowClipboardColGrow) grid.SetColCount(c + 1);
    } else if (cr) {
      if (i < text.size() && text[i] == '\n') ++i;
      c = col;
      ++r;
      if (i < text.size() && r == grid.RowCount() && o.AllowClipboardRowGrow) grid.SetRowCount(r + 1);
    }
  }
  if (!text.empty() && (text.back() == '\r' || text.ends_with("\r\n"))) ++count;
  if (count > 0) grid.CellsChanged(col, row, maxCol, std::max(row, r - 1));
  return count;
}

TTextSize ClipboardTextSize(std::string_view text) {
  TTextSize size;
  int fields = 1;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\t') ++fields;
    if (text[i] == '\r') {
      ++size.Rows;
      size.Cols = std::max(size.Cols, fields);
      fields = 1;
    }
  }
  if (!text.empty() && text.back() != '\r' && !text.ends_with("\r\n")) size.Cols = std::max(size.Cols, fields);
  if (!text.empty()) size.Rows = std::max(size.Rows, 1);
  return size;
}
