// Rich-text cells: painted in their own colours, measured for auto-sizing,
// text the control refuses, and the rich-text editor over a cell.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

#include "ExtGridRichEdit.h"
#include "ExtGridTestForm.h"

namespace {
constexpr const char* kRedAndBold = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red255\\green0\\blue0;}"
                                    "\\f0\\fs20 {\\b Bold} and {\\cf1 red words}}";

bool Red(COLORREF c) { return GetRValue(c) > 200 && GetGValue(c) < 80 && GetBValue(c) < 80; }

struct RichGrid : testing::Test {
  TGridWindow W{4, 4};
  TTestGrid& G = *W.Grid;
  void SetUp() override {
    G.SetColWidths(1, 200);
    G.SetRowHeights(1, 28);
    G.SetCells(1, 1, kRedAndBold);
    G.SetRow(4);  // the current cell away from the cells looked at
    G.SetCol(3);
  }
};
}  // namespace

TEST_F(RichGrid, ARichTextCellShowsItsWordsInTheirColours) {
  const COLORREF cell = ColorToRGB(G.Color);
  EXPECT_GT(W.CountInCell(1, 1, Red), 10);
  EXPECT_GT(W.CountInCell(1, 1, [](COLORREF c) { return c == RGB(0, 0, 0); }), 10);
  // Drawing through the hidden control asks for no further painting.
  EXPECT_FALSE(GetUpdateRect(G.Handle(), nullptr, FALSE));
  // The markup itself is not shown as text: a plain cell of it would be far wider.
  EXPECT_EQ(W.CountInCell(2, 1, Red), 0);
  EXPECT_EQ(W.CountInCell(1, 2, Red), 0);
  // The cell's own brush lies under the text.
  const RECT r = G.CellRect(1, 1);
  EXPECT_EQ(W.PixelAt(r.right - 4, r.bottom - 3), cell);
  if (std::getenv("BX_GRID_SHOTS")) {
    G.SetCells(2, 2, "{\\rtf1{\\colortbl;\\red0\\green128\\blue0;\\red0\\green0\\blue255;}\\fs18 {\\cf1\\b green} {\\cf2\\i blue}}");
    G.SetCells(1, 3, "{\\b not rtf at all");
    W.Shot("rich-cells");
  }
}

TEST_F(RichGrid, ASelectedUnfocusedCellTakesTheSelectionTextColourUnlessItKeepsItsOwn) {
  G.SelectionColor = clWhite;
  G.SelectionTextColor = clBlue;
  G.SetCol(2);
  G.SetRow(1);
  G.SetSelection(TGridRect{1, 1, 2, 1});  // (1,1) selected, (2,1) focused
  auto blue = [](COLORREF c) { return GetBValue(c) > 200 && GetRValue(c) < 80 && GetGValue(c) < 80; };
  EXPECT_EQ(W.CountInCell(1, 1, Red), 0);
  EXPECT_GT(W.CountInCell(1, 1, blue), 10);
  G.SelectionRTFKeep = true;
  EXPECT_GT(W.CountInCell(1, 1, Red), 10);
}

TEST_F(RichGrid, TextTheControlRefusesShowsAsItStands) {
  // "{\" makes a rich-text cell, but this is no RTF; nor is nesting beyond
  // what the control reads. Both paint their characters, and nothing crashes.
  G.SetCells(1, 1, "{\\b not rtf");
  EXPECT_GT(W.CountInCell(1, 1, [](COLORREF c) { return c == RGB(0, 0, 0); }), 10);
  G.SetCells(1, 1, "{\\rtf1 " + std::string(5000, '{') + "x" + std::string(5000, '}') + "}");
  EXPECT_GT(W.CountInCell(1, 1, [](COLORREF c) { return c == RGB(0, 0, 0); }), 3);
  EXPECT_EQ(G.RichTextSize("{\\b ").cy > 0, true);
}

TEST_F(RichGrid, RichTextIsMeasuredByTheSizeTheControlAsksFor) {
  const SIZE one = G.RichTextSize("{\\rtf1\\fs20 short}");
  const SIZE longer = G.RichTextSize("{\\rtf1\\fs20 a much longer line of rich text}");
  const SIZE two = G.RichTextSize("{\\rtf1\\fs20 short\\par second}");
  EXPECT_GT(one.cx, 10);
  EXPECT_GT(one.cy, 8);
  EXPECT_GT(longer.cx, one.cx * 2);
  EXPECT_GT(two.cy, one.cy * 3 / 2);
  // Auto-sizing uses it: the column fits the long line, not the markup.
  G.SetCells(1, 1, "{\\rtf1\\fs20 a much longer line of rich text}");
  G.AutoSizeColumn(1);
  EXPECT_GE(G.ColWidths(1), longer.cx);
  EXPECT_LT(G.ColWidths(1), longer.cx + 40);
}

TEST_F(RichGrid, TheRichEditorLiesOverItsCellAndGivesBackRTF) {
  EXPECT_EQ(G.RichEditor(), nullptr);
  G.ShowRichEditor(1, 1);
  TExtRichEdit* re = G.RichEditor();
  ASSERT_NE(re, nullptr);
  EXPECT_TRUE(re->Visible());
  EXPECT_TRUE(re->Focused());
  const RECT cell = G.CellRect(1, 1), bounds = re->BoundsRect();
  EXPECT_TRUE(EqualRect(&cell, &bounds));
  EXPECT_EQ(re->Text(), "Bold and red words");
  const std::string rtf = G.RichEditorText();
  EXPECT_EQ(rtf.rfind("{\\rtf", 0), 0u);
  EXPECT_NE(rtf.find("\\b"), std::string::npos);
  // Up and Down leave the editor unless the grid wraps its text; so does
  // the focus going back to the grid.
  std::vector<uint16_t> left;
  re->OnLeaveEditor = [&](uint16_t key) { left.push_back(key); };
  SendMessageA(re->Handle(), WM_KEYDOWN, VK_DOWN, 0);
  G.WordWrap = true;
  SendMessageA(re->Handle(), WM_KEYDOWN, VK_UP, 0);
  G.SetFocus();
  EXPECT_EQ(left, (std::vector<uint16_t>{VK_DOWN, 0}));
  G.HideRichEditor();
  EXPECT_FALSE(re->Visible());
  EXPECT_FALSE(IsWindowVisible(re->Handle()));
}

TEST_F(RichGrid, TheEditorGrowsItsRowAsTheTextAsksForMoreHeight) {
  G.SetCells(1, 2, "{\\rtf1\\fs20 one}");
  G.SetRow(2);
  G.ShowRichEditor(1, 2);
  TExtRichEdit* re = G.RichEditor();
  const int before = G.RowHeights(2);
  re->GrowHeight = true;
  SendMessageA(re->Handle(), EM_SETSEL, 3, 3);
  SendMessageA(re->Handle(), EM_REPLACESEL, TRUE, LPARAM("\r\ntwo\r\nthree\r\nfour"));
  EXPECT_GT(G.RowHeights(2), before);
  EXPECT_EQ(re->Height(), G.RowHeights(2));
}

TEST_F(RichGrid, ARichTextCellIsEditedInPlaceAndEscapePutsItBack) {
  G.Options |= goEditing;
  G.OnGetEditorType = [](TComponent*, int, int, TEditorType& type) { type = etRichEdit; };
  std::vector<std::string> validated;
  G.OnCellValidate = [&](TComponent*, int, int, std::string& value, bool& valid) {
    validated.push_back(value);
    valid = true;
  };
  G.SetFocus();
  G.FocusCell(1, 1, true);
  G.ShowEditor();
  TExtRichEdit* re = G.RichEditor();
  ASSERT_NE(re, nullptr);
  EXPECT_TRUE(re->Visible());
  EXPECT_TRUE(G.Editing());
  // Leaving without a change keeps the cell's own text, unvalidated.
  G.SetFocus();
  EXPECT_FALSE(re->Visible());
  EXPECT_EQ(G.Cells(1, 1), kRedAndBold);
  EXPECT_TRUE(validated.empty());
  // A typed word goes into the cell as rich text, through validation.
  G.ShowEditor();
  SendMessageA(re->Handle(), EM_SETSEL, 0, 0);
  for (char c : std::string("New ")) SendMessageA(re->Handle(), WM_CHAR, WPARAM(c), 0);
  G.SetFocus();
  EXPECT_FALSE(G.Editing());
  EXPECT_EQ(G.Cells(1, 1).rfind("{\\rtf", 0), 0u);
  EXPECT_NE(G.Cells(1, 1).find("New "), std::string::npos);
  EXPECT_EQ(validated.size(), 1u);
  // Escape puts back the text from when editing began.
  const std::string before = G.Cells(1, 1);
  G.ShowEditor();
  for (char c : std::string("xyz")) SendMessageA(re->Handle(), WM_CHAR, WPARAM(c), 0);
  SendMessageA(re->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_FALSE(re->Visible());
  EXPECT_EQ(G.Cells(1, 1), before);
}
