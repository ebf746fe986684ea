// The grid's own typed editors opened through the grid with real keys: a
// spin, a drop-down list and a check box.
#include <gtest/gtest.h>

#include "EditingTestForm.h"
#include "ExtGridEditors.h"

TEST(GridRealEditors, SpinTypedValueIsBoundedAndWrittenBack) {
  TEditWindow w(4, 4);
  TEditGrid& g = *w.Grid;
  g.OnGetEditorType = [](TComponent*, int, int, TEditorType& t) { t = etSpin; };
  auto* spin = dynamic_cast<TGridSpin*>(g.Editor(etSpin));
  ASSERT_NE(spin, nullptr);
  spin->MinValue = 0, spin->MaxValue = 10;
  g.SetCells(1, 1, "5");
  w.Focus(1, 1);
  w.Press(VK_F2);
  ASSERT_EQ(g.TypedEditor(), g.Editor(etSpin));
  EXPECT_EQ(spin->Text(), "5");
  EXPECT_EQ(GetFocus(), spin->Handle());
  w.Shot("spin_open");
  spin->SetText("");
  w.Type("99");
  w.Press(VK_RETURN);  // moves on, and the spin opens on the next cell
  EXPECT_EQ(g.Col(), 2);
  EXPECT_EQ(g.TypedEditor(), spin);
  EXPECT_EQ(spin->Left(), g.CellRect(2, 1).left);
  EXPECT_EQ(g.Cells(1, 1), "10");  // the limit holds for a typed value
  EXPECT_EQ(g.Ints(1, 1), 10);
}

TEST(GridRealEditors, ComboListWritesTheChosenItem) {
  TEditWindow w(4, 4);
  TEditGrid& g = *w.Grid;
  g.OnGetEditorType = [&](TComponent*, int, int, TEditorType& t) {
    t = etComboList;
    auto* combo = dynamic_cast<TGridCombo*>(g.Editor(etComboList));
    combo->Items.Clear();
    combo->Items.Add("Quake");
    combo->Items.Add("Hexen");
  };
  g.SetCells(2, 2, "Hexen");
  w.Focus(2, 2);
  w.Press(VK_F2);
  auto* combo = dynamic_cast<TGridCombo*>(g.TypedEditor());
  ASSERT_NE(combo, nullptr);
  EXPECT_EQ(combo->ItemIndex(), 1);
  w.Shot("combo_open");
  combo->SetItemIndex(0);
  w.Press(VK_RETURN);
  EXPECT_EQ(g.Col(), 3);
  EXPECT_EQ(g.Cells(2, 2), "Quake");
}

TEST(GridRealEditors, CheckBoxEditorWritesNothingAndEscapeLeaves) {
  TEditWindow w(4, 4);
  TEditGrid& g = *w.Grid;
  g.OnGetEditorType = [](TComponent*, int, int, TEditorType& t) { t = etCheckBox; };
  w.Focus(3, 1);
  w.Press(VK_F2);
  auto* box = dynamic_cast<TGridCheckBox*>(g.TypedEditor());
  ASSERT_NE(box, nullptr);
  w.Press(VK_SPACE);
  EXPECT_TRUE(box->Checked());
  w.Press(VK_ESCAPE);
  EXPECT_EQ(g.TypedEditor(), nullptr);
  EXPECT_EQ(g.Cells(3, 1), "3,1");
  EXPECT_EQ(GetFocus(), g.Handle());
}
