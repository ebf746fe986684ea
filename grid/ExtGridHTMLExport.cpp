// The grid as an HTML table.
#include <fstream>

#include "ExtGridHTML.h"
#include "ExtGridText.h"
#include "StringList.h"

namespace {
constexpr TColor kNoColor = 0x7FFFFFFF;  // the cell-colour query left it unset
constexpr int kActiveBorderIndex = 10;

// The classic Windows values of the system colours, for callers that do not
// resolve them through the system.
constexpr uint32_t kClassicSystemColors[] = {
    0xC8D0D4, 0x808000, 0x6A240A, 0x808080, 0xC8D0D4, 0xFFFFFF, 0x000000, 0x000000, 0x000000,
    0xFFFFFF, 0xC8D0D4, 0xC8D0D4, 0x808080, 0x6A240A, 0xFFFFFF, 0xC8D0D4, 0x808080, 0x808080,
    0x000000, 0xC8D0D4, 0xFFFFFF, 0x404040, 0xC8D0D4, 0x000000, 0xE1FFFF};

uint32_t DefaultColorToRGB(TColor c) {
  uint32_t v = uint32_t(c);
  if (v & 0x80000000u) {
    uint32_t index = v & 0xFF;
    return index < std::size(kClassicSystemColors) ? kClassicSystemColors[index] : 0;
  }
  return v & 0xFFFFFF;
}

struct TExport {
  const TGridData& Grid;
  const THTMLSettings& Settings;
  const THTMLExportOptions& O;

  std::string Hex(TColor c) const { return ColorToHex(O.ColorToRGB ? O.ColorToRGB(c) : DefaultColorToRGB(c)); }
  std::string BgColor(TColor c) const { return " BGCOLOR=\"#" + Hex(c) + "\""; }
  std::string Align(int col, int row) const {
    int a = O.Alignment ? O.Alignment(col, row) : 0;
    return a == 1 ? " align=\"right\"" : a == 2 ? " align=\"center\"" : "";
  }
  bool Plain(int col, int row) const { return O.PlainText && O.PlainText(col, row); }
  std::string Width(int index) const {
    const TIntList& w = Settings.ColumnWidths;
    return index >= 0 && index < w.Count() ? " WIDTH=" + IntToStr(w.Items(index)) : "";
  }

  // The cell's page text: texts that are not mini-HTML, and plain-text
  // cells, are escaped; mini-HTML is read as the painter reads it (entities
  // decoded) and keeps only markup that cannot break the page or run script;
  // line breaks become "<br>"; addresses anchors, their address quoted.
  std::string CellText(const std::string& raw, bool plain) const {
    bool html = !plain && O.EnableHTML && CellTextKind(raw, true) == ctHTML;
    std::string text = CRToBR(html ? SafeCellMarkup(PrepareHTMLText(raw)) : HTMLEscape(raw));
    if (!plain && O.URLShow && raw.find("</") == std::string::npos && SafeAddress(text)) {
      for (const char* scheme : {"://", "mailto:"}) {
        size_t p = text.find(scheme);
        if (p == std::string::npos) continue;
        std::string shown = O.URLFull ? text : text.substr(p + std::char_traits<char>::length(scheme), 255);
        text = "<A HREF=\"" + text + "\">" + shown + "</A>";
        break;
      }
    }
    return text.empty() ? "<br>" : text;
  }
};
}  // namespace

std::vector<std::string> HTMLTableLines(const TGridData& grid, const THTMLSettings& s, const THTMLExportOptions& o) {
  TExport x{grid, s, o};
  std::vector<std::string> lines;
  const int c0 = o.ExportFixedCells ? 0 : grid.FixedCols, r0 = o.ExportFixedCells ? 0 : grid.FixedRows;
  const std::string nowrap = o.WordWrap ? "" : " nowrap";
  const TColor activeBorder = SystemColor(kActiveBorderIndex);
  if (!s.PrefixTag.empty()) lines.push_back(s.PrefixTag);
  std::string style = s.TableStyle.empty() ? "" : " " + s.TableStyle;
  lines.push_back("<table" + style + " border=\"" + IntToStr(s.BorderSize) + "\" cellspacing=\"" +
                  IntToStr(s.CellSpacing) + "\" cellpadding=\"" + IntToStr(s.CellPadding) + "\" Width=\"" +
                  IntToStr(s.Width) + "%\">");
  int firstBody = r0;
  const bool header = grid.FixedRows > 0 && o.ExportFixedCells && grid.RowCount() > 0;
  if (header) {
    lines.push_back("<tr>");
    for (int k = c0; k < grid.ColCount(); ++k) {
      int col = grid.DisplayColToReal(k);
      lines.push_back("<td" + nowrap + x.Align(col, 0) + x.BgColor(activeBorder) + x.Width(k) + "><B>" +
                      x.CellText(grid.Cells(col, 0), x.Plain(col, 0)) + "</B></td>");
    }
    lines.push_back("</tr>");
    firstBody = 1;
  }
  for (int r = firstBody; r < grid.RowCount(); ++r) {
    lines.push_back("<tr>");
    for (int k = c0; k < grid.ColCount(); ++k) {
      int col = grid.DisplayColToReal(k);
      const std::string& raw = grid.Cells(col, r);
      std::string align = raw.empty() ? "" : x.Align(col, r);
      std::string bg = (r < grid.FixedRows || k < grid.FixedCols) ? x.BgColor(activeBorder) : "";
      THTMLCellStyle cs;
      cs.Brush = kNoColor;
      cs.FontColor = kNoColor;
      if (o.CellColor) o.CellColor(col, r, cs);
      std::string font, fontEnd, open, close;
      if (cs.Brush != kNoColor && s.SaveColor) bg = x.BgColor(cs.Brush);
      if (cs.FontColor != kNoColor && s.SaveColor) {
        font = "<Font Color=\"#" + x.Hex(cs.FontColor) + "\">";
        fontEnd = "</Font>";
      }
      if (s.SaveFonts) {
        if (cs.FontStyle & fsBold) open += "<B>", close = "</B>" + close;
        if (cs.FontStyle & fsItalic) open += "<I>", close = "</I>" + close;
        if (cs.FontStyle & fsUnderline) open += "<U>", close = "</U>" + close;
      }
      std::string width = header ? "" : x.Width(k - c0);
      lines.push_back("<td" + nowrap + align + bg + width + ">" + font + open + x.CellText(raw, x.Plain(col, r)) +
                      close + fontEnd + "</td>");
    }
    lines.push_back("</tr>");
  }
  lines.push_back("</table><p>");
  if (!s.SuffixTag.empty()) lines.push_back(s.SuffixTag);
  return lines;
}

std::string HTMLCharsetMeta(unsigned codePage) {
  static const struct {
    unsigned CodePage;
    const char* Name;
  } named[] = {{874, "windows-874"},  {932, "shift_jis"},   {936, "gbk"},         {949, "euc-kr"},
               {950, "big5"},         {20866, "koi8-r"},    {21866, "koi8-u"},    {28591, "iso-8859-1"},
               {28592, "iso-8859-2"}, {28595, "iso-8859-5"}, {28605, "iso-8859-15"}, {54936, "gb18030"},
               {65001, "utf-8"}};
  std::string name = "windows-" + IntToStr(int(codePage));  // 1250 to 1258 and any other
  for (const auto& n : named)
    if (n.CodePage == codePage) name = n.Name;
  return "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=" + name + "\">";
}

void WriteHTMLTable(const TGridData& grid, const THTMLSettings& s, const THTMLExportOptions& o,
                    const std::string& fileName) {
  std::string page;
  auto addFile = [&](const std::string& name) {  // a missing header or footer is skipped
    if (name.empty()) return;
    TStringList l;
    try {
      l.LoadFromFile(name);
    } catch (const std::exception&) {
      return;
    }
    for (const std::string& line : l.Items()) page += line + "\r\n";
  };
  addFile(s.HeaderFile);
  for (const std::string& line : HTMLTableLines(grid, s, o)) page += line + "\r\n";
  addFile(s.FooterFile);
  std::ofstream out(fileName, std::ios::binary | std::ios::trunc);
  if (!out) throw EExtGridError("Cannot Create file " + fileName);
  out.write(page.data(), std::streamsize(page.size()));
  out.close();
  if (!out) throw EExtGridError("Cannot Create file " + fileName);
}
