// TExtStringGrid's HTML file, clipboard and delimited-text operations over
// the model's text formats.
#include <algorithm>
#include <cstring>

#include "ExtGrid.h"
#include "ExtGridUtilWin.h"
#include "WinGraphics.h"

namespace {
// The clipboard of the window, closed again when this goes.
class TClipboardLock {
public:
  explicit TClipboardLock(HWND owner) : FOpen(OpenClipboard(owner) != FALSE) {}
  ~TClipboardLock() {
    if (FOpen) CloseClipboard();
  }
  bool Open() const { return FOpen; }

private:
  bool FOpen;
};

// A movable global block holding text and its terminating zero; null when
// memory runs out.
HGLOBAL TextBlock(const std::string& text) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  if (!block) return nullptr;
  if (void* p = GlobalLock(block)) {
    std::memcpy(p, text.c_str(), text.size() + 1);
    GlobalUnlock(block);
  }
  return block;
}
}  // namespace

void TExtStringGrid::SaveToHTML(const std::string& fileName) {
  THTMLExportOptions o;
  o.ExportFixedCells = ExportFixedCells;
  o.WordWrap = WordWrap;
  o.URLShow = URLShow;
  o.URLFull = URLFull;
  o.EnableHTML = EnableHTML;
  o.Alignment = [&](int real, int row) { return GetCellAlignment(FData.RealColToDisplay(real), row); };
  o.CellColor = [&](int real, int row, THTMLCellStyle& style) {
    TFont font;
    font.Color = style.FontColor;
    font.Style = style.FontStyle;
    GetCellColor(FData.RealColToDisplay(real), row, 0, style.Brush, font);
    style.FontColor = font.Color;
    style.FontStyle = font.Style;
  };
  o.PlainText = [&](int real, int row) { return IsPlainTextCell(FData.RealColToDisplay(real), row); };
  o.ColorToRGB = [](TColor c) {
    COLORREF rgb = ColorToRGB(c);
    return uint32_t(GetRValue(rgb)) << 16 | uint32_t(GetGValue(rgb)) << 8 | GetBValue(rgb);
  };
  // Written beside the target and renamed: a failed save leaves no half file.
  const std::string temporary = fileName + ".tmp";
  try {
    WriteHTMLTable(FData, HTMLSettings, o, temporary);
  } catch (const EExtGridError&) {
    DeleteFileA(temporary.c_str());
    throw EExtGridError("Cannot Create file " + fileName);
  }
  if (!MoveFileExA(temporary.c_str(), fileName.c_str(), MOVEFILE_REPLACE_EXISTING)) {
    DeleteFileA(temporary.c_str());
    throw EExtGridError("Cannot Create file " + fileName);
  }
}

std::string ReadClipboardText(HWND owner) {
  std::string text;
  TClipboardLock clipboard(owner);
  if (!clipboard.Open()) return text;
  HANDLE data = GetClipboardData(CF_TEXT);
  const size_t size = data ? GlobalSize(data) : 0;
  if (const char* p = data ? static_cast<const char*>(GlobalLock(data)) : nullptr) {
    text.assign(p, strnlen(p, size));
    GlobalUnlock(data);
  }
  return text;
}

void TExtStringGrid::ClipboardText(const std::string& text) {
  TClipboardLock clipboard(Handle());
  if (!clipboard.Open()) return;
  EmptyClipboard();
  if (HGLOBAL block = TextBlock(text); block && !SetClipboardData(CF_TEXT, block)) GlobalFree(block);
}

void TExtStringGrid::CopyRangeToClipboard(const TGridRect& range) {
  TClipboardOptions o;
  o.CopyHTMLTags = Navigation.CopyHTMLTagsToClipboard;
  o.Multilinecells = Multilinecells;
  o.QuoteMultilineClipboard = QuoteMultilineClipboard;
  if (MouseActions.DisjunctRowSelect) o.RowIncluded = [&](int row) { return FData.RowSelect(row); };
  o.PlainText = [&](int col, int row) { return IsPlainTextCell(col, row); };
  ClipboardText(RangeAsText(FData, range.Left, range.Top, range.Right, range.Bottom, o));
  if (!Navigation.AllowRTFClipboard || IsPlainTextCell(range.Left, range.Top)) return;
  // The top-left cell's rich text rides along beside the plain text.
  const std::string& rich = Cells(range.Left, range.Top);
  if (rich.find("{\\") == std::string::npos) return;
  HGLOBAL block = TextBlock(rich);
  if (!block) return;
  TClipboardLock clipboard(Handle());
  if (!clipboard.Open() || !SetClipboardData(RichTextClipFormat(), block)) GlobalFree(block);
}

void TExtStringGrid::CopyToClipboard() {
  if (ExportFixedCells) CopyRangeToClipboard(TGridRect{0, 0, ColCount() - 1, RowCount() - 1});
  else
    CopyRangeToClipboard(TGridRect{FixedCols(), FixedRows(), ColCount() - FData.FixedRightCols - 1,
                                   RowCount() - FData.FixedFooters - 1});
}

void TExtStringGrid::CopySelectionToClipboard() {
  if (MouseActions.DisjunctRowSelect) CopyToClipboard();
  else CopyRangeToClipboard(Selection());
}

void TExtStringGrid::CutSelection() {
  CopySelectionToClipboard();
  const TGridRect s = Selection();
  if (MouseActions.DisjunctRowSelect) {
    for (int r = FixedRows(); r < RowCount(); ++r)
      if (FData.RowSelect(r)) FData.ClearRows(r, 1);
  } else {
    for (int r = s.Top; r <= s.Bottom; ++r)
      for (int c = s.Left; c <= s.Right; ++c)
        if (Navigation.AllowClipboardAlways || CanEditCell(c, r)) FData.SetCells(FData.DisplayColToReal(c), r, "");
  }
  Invalidate();
}

int TExtStringGrid::PasteAtCell(int col, int row) {
  if (col < 0 || row < 0 || (!(Options & goEditing) && !Navigation.AllowClipboardAlways)) return 0;
  const std::string text = ReadClipboardText(Handle());
  TPasteOptions o;
  o.QuoteMultilineClipboard = QuoteMultilineClipboard;
  o.AllowClipboardRowGrow = Navigation.AllowClipboardRowGrow;
  o.AllowClipboardColGrow = Navigation.AllowClipboardColGrow;
  if (!Navigation.AllowClipboardAlways) o.CanEdit = [&](int real, int r) { return CanEditCell(FData.RealColToDisplay(real), r); };
  const int count = PasteText(FData, FData.DisplayColToReal(col), row, text, o);
  ClampPosition();
  return count;
}

void TExtStringGrid::PasteIntoSelection() {
  const TGridRect s = Selection();
  const int count = PasteAtCell(s.Left, s.Top);
  if (!Navigation.AllowSmartClipboard || count == 0) return;
  TSmartFillOptions o;
  o.FloatFormat = FloatFormat;
  if (!Navigation.AllowClipboardAlways) o.CanEdit = [&](int real, int r) { return CanEditCell(FData.RealColToDisplay(real), r); };
  SmartFill(FData, TGridRect{FData.DisplayColToReal(s.Left), s.Top, FData.DisplayColToReal(s.Right), s.Bottom}, count, o);
  Invalidate();
}

void TExtStringGrid::LoadFromDelimitedFile(const std::string& fileName) {
  TDelimitedOptions o;
  o.ExportFixedCells = ExportFixedCells;
  o.FieldDelimiter = FieldDelimiter;
  o.TildeLineBreaks = TildeLineBreaks;
  if (OemConvert) o.OemToAnsi = [](const std::string& text) { return OemToAnsiText(text); };
  if (OnFileProgress) o.OnFileProgress = [this](int percent) { OnFileProgress(this, percent); };
  o.ProcessMessages = [] {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  };
  ::LoadFromDelimitedFile(FData, fileName, o);
  ClampPosition();
}
