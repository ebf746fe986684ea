// Typed editors shown over their cell and written back, typed cell access,
// check boxes toggled by Space, and the row insert and delete keys.
#include <gtest/gtest.h>

#include "EditingTestForm.h"
#include "StdEdits.h"

namespace {
template <class F>
std::string ErrorOf(F f) {
  try {
    f();
  } catch (const Exception& e) {
    return e.what();
  }
  return "";
}
// A user's edit link: an edit box, over the cell or in a popup.
class TLinkEdit : public TEditLink {
public:
  explicit TLinkEdit(TComponent* owner) : Edit(new TEdit(owner)) {}
  TEdit* Edit;
  bool InPopup = false;
  TWinControl& Control() override { return *Edit; }
  void SetEditorValue(const std::string& text) override { Edit->SetText(text); }
  std::string GetEditorValue() override { return Edit->Text(); }
  bool Popup() const override { return InPopup; }
  SIZE PopupSize() const override { return SIZE{150, 60}; }
};
}  // namespace

TEST(GridTypedEditors, AnEditLinkShowsOverTheCellOrInAPopupAndWritesBackWhenDone) {
  TEditWindow w(4, 4);
  TEditGrid& g = *w.Grid;
  g.OnGetEditorType = [](TComponent*, int, int, TEditorType& t) { t = etEditLink; };
  TLinkEdit link(&g);
  g.EditLink = &link;
  w.Focus(2, 1);
  w.Press(VK_F2);
  EXPECT_FALSE(g.EditorMode());
  EXPECT_TRUE(g.Editing());
  const RECT cell = g.CellRect(2, 1), bounds = link.Edit->BoundsRect();
  EXPECT_TRUE(EqualRect(&cell, &bounds));
  EXPECT_EQ(GetParent(link.Edit->Handle()), g.Handle());
  EXPECT_EQ(link.Edit->Text(), "2,1");
  link.Edit->SetText("linked");
  g.EditLinkDone();
  EXPECT_FALSE(g.Editing());
  EXPECT_FALSE(IsWindowVisible(link.Edit->Handle()));
  EXPECT_EQ(g.Cells(2, 1), "linked");
  // Cancelled: the cell keeps its text.
  w.Press(VK_F2);
  link.Edit->SetText("dropped");
  g.EditorKeyToGrid(VK_ESCAPE, 0);
  EXPECT_FALSE(g.Editing());
  EXPECT_EQ(g.Cells(2, 1), "linked");
  // A popup link: a borderless form at the cell, of the link's size, gone when done.
  link.InPopup = true;
  w.Press(VK_F2);
  HWND popup = GetParent(link.Edit->Handle());
  ASSERT_NE(popup, g.Handle());
  RECT r;
  GetWindowRect(popup, &r);
  POINT at{cell.left, cell.top};
  ClientToScreen(g.Handle(), &at);
  EXPECT_EQ(r.left, at.x);
  EXPECT_EQ(r.top, at.y);
  EXPECT_EQ(r.right - r.left, 150);
  EXPECT_EQ(GetWindowLongPtrA(popup, GWL_STYLE) & WS_CAPTION, 0);
  link.Edit->SetText("popped");
  g.EditLinkDone();
  EXPECT_FALSE(IsWindow(popup));
  EXPECT_EQ(g.Cells(2, 1), "popped");
  // Without a link the cell takes the default editor.
  g.EditLink = nullptr;
  w.Press(VK_F2);
  EXPECT_TRUE(g.EditorMode());
}

TEST(GridTypedEditors, ATypedEditorShowsOverTheCellAndWritesBack) {
  TEditWindow w(4, 4);
  TEditGrid& g = *w.Grid;
  g.FakeTypes = {etSpin, etButton};
  TEditorType type = etSpin;
  g.OnGetEditorType = [&](TComponent*, int, int, TEditorType& t) { t = type; };
  g.Navigation.AdvanceOnEnter = false;
  w.Focus(2, 1);
  w.Press(VK_F2);
  ASSERT_NE(g.LastFake, nullptr);
  TFakeEditor& fake = *g.LastFake;
  EXPECT_FALSE(g.EditorMode());  // not the default editor
  EXPECT_EQ(g.TypedEditor(), &fake);
  EXPECT_EQ(fake.Loaded, etSpin);
  EXPECT_EQ(fake.Edit.Text(), "2,1");
  EXPECT_TRUE(fake.Edit.Visible());
  RECT cell = g.CellRect(2, 1);
  EXPECT_EQ(fake.Edit.Left(), cell.left);
  EXPECT_EQ(fake.Edit.Width(), cell.right - cell.left);
  EXPECT_EQ(GetFocus(), fake.Edit.Handle());
  // Enter handed back moves on even without AdvanceOnEnter, and the next
  // cell's editor is the same control.
  fake.Edit.SetText("42");
  g.EditorKeyToGrid(VK_RETURN, 0);
  Settle();
  EXPECT_EQ(g.Cells(2, 1), "42");
  EXPECT_EQ(g.Col(), 3);
  EXPECT_EQ(g.TypedEditor(), &fake);
  EXPECT_EQ(g.Created, 1);
  // Escape puts back the text from when editing began.
  fake.Edit.SetText("99");
  g.EditorKeyToGrid(VK_ESCAPE, 0);
  EXPECT_EQ(g.Cells(3, 1), "3,1");
  EXPECT_EQ(g.TypedEditor(), nullptr);
  EXPECT_FALSE(fake.Edit.Visible());
  EXPECT_EQ(GetFocus(), g.Handle());
  // A typed character opens the editor and reaches it.
  w.Type("7");
  EXPECT_EQ(g.TypedEditor(), &fake);
  EXPECT_NE(fake.Edit.Text().find('7'), std::string::npos);
  // The button covers the grid lines around its cell; it writes nothing.
  g.EditorKeyToGrid(VK_ESCAPE, 0);
  type = etButton;
  w.Press(VK_F2);
  TFakeEditor& button = *g.LastFake;
  EXPECT_EQ(button.Edit.Left(), cell.left + (g.CellRect(3, 1).left - cell.left) - 1);
  button.WritesNothing = true;
  button.Edit.SetText("caption");
  g.LeaveEditor();
  EXPECT_EQ(g.Cells(3, 1), "3,1");
  // A scroll writes a showing typed editor's value back and hides it.
  type = etSpin;
  w.Press(VK_F2);
  fake.Edit.SetText("scrolled");
  g.SetRowCount(40);
  g.SetTopRow(10);
  EXPECT_EQ(g.TypedEditor(), nullptr);
  EXPECT_EQ(g.Cells(3, 1), "scrolled");
  g.SetTopRow(1);
  // A type without a control of its own gets the default editor.
  type = etEditLink;
  w.Press(VK_F2);
  EXPECT_TRUE(g.EditorMode());
}

TEST(GridTypedEditors, ValidationOfATypedValue) {
  TEditWindow w(4, 4);
  TEditGrid& g = *w.Grid;
  g.FakeTypes = {etSpin};
  g.OnGetEditorType = [](TComponent*, int, int, TEditorType& t) { t = etSpin; };
  int calls = 0;
  g.OnCellValidate = [&](TComponent*, int, int, std::string& value, bool& valid) {
    ++calls;
    valid = value != "13";
  };
  w.Focus(1, 1);
  w.Press(VK_F2);
  std::string text = "13";
  EXPECT_FALSE(g.ValidateEditor(text));
  EXPECT_EQ(text, "1,1");  // the old text to show again
  text = "12";
  EXPECT_TRUE(g.ValidateEditor(text));
  // The value validated on Enter is not validated again when written back.
  g.LastFake->Edit.SetText("12");
  g.EditorKeyToGrid(VK_RETURN, 0);
  EXPECT_EQ(calls, 2);
  EXPECT_EQ(g.Cells(1, 1), "12");
  // A refused value leaving the editor leaves the old text in the cell.
  w.Focus(1, 2);
  w.Press(VK_F2);
  g.LastFake->Edit.SetText("13");
  g.LeaveEditor();
  EXPECT_EQ(g.Cells(1, 2), "1,2");
  // The editor events carry the edited cell.
  int spinCol = -1, spinValue = -1;
  g.OnSpinClick = [&](TComponent*, int col, int, int value) { spinCol = col, spinValue = value; };
  g.SpinClicked(etSpin, 5);
  EXPECT_EQ(spinCol, 1);
  EXPECT_EQ(spinValue, 5);
  g.OnEllipsClick = [](TComponent*, int, int, std::string& t) { t += "!"; };
  EXPECT_EQ(g.EllipsClick("go"), "go!");
}

TEST(GridTypedAccess, IntsFloatsAndDatesRaiseOnOtherTexts) {
  TEditWindow w(4, 4);
  TEditGrid& g = *w.Grid;
  g.SetCells(1, 1, "");
  EXPECT_EQ(g.Ints(1, 1), 0);
  g.SetInts(1, 1, -42);
  EXPECT_EQ(g.Cells(1, 1), "-42");
  EXPECT_EQ(g.Ints(1, 1), -42);
  g.SetCells(1, 1, "12a");
  EXPECT_EQ(ErrorOf([&] { g.Ints(1, 1); }), "Cell does not contain integer value");
  g.SetCells(1, 1, "");
  EXPECT_EQ(g.Floats(1, 1), 0);
  g.SetCells(1, 1, "$1,234.5");
  EXPECT_DOUBLE_EQ(g.Floats(1, 1), 1234.5);
  g.SetCells(1, 1, "none");
  EXPECT_EQ(ErrorOf([&] { g.Floats(1, 1); }), "Cell does not contain a float value");
  GridFormat().ShortDateFormat = "M/d/yyyy";
  g.SetCells(1, 1, "3/4/2001");
  EXPECT_DOUBLE_EQ(g.Dates(1, 1), EncodeDate(2001, 3, 4));
  g.SetCells(1, 1, "soon");
  EXPECT_THROW(g.Dates(1, 1), EConvertError);
}

TEST(GridTypedAccess, RowSelectionFlags) {
  TEditWindow w(4, 4);
  TEditGrid& g = *w.Grid;
  EXPECT_EQ(ErrorOf([&] { g.RowSelect(5); }), "Invalid Row accessed");
  EXPECT_EQ(ErrorOf([&] { g.SetRowSelect(-1, true); }), "Invalid Row accessed");
  g.SetRowSelect(2, true);
  EXPECT_TRUE(g.RowSelect(2));
  g.SetSelection(TGridRect{1, 3, 2, 4});
  g.SelectToRowSelect(true);
  EXPECT_FALSE(g.RowSelect(2));
  EXPECT_TRUE(g.RowSelect(3));
  EXPECT_TRUE(g.RowSelect(4));
  g.ClearRowSelect();
  EXPECT_FALSE(g.RowSelect(3));
}

TEST(GridEditingKeys, SpaceTogglesACheckBoxOnlyWhenEditingIsAllowed) {
  TEditWindow w(4, 4);
  TEditGrid& g = *w.Grid;
  g.Data().EnableGraphics = true;
  g.Data().CreateCellGraphic(2, 2).Kind = gkTextCheckBox;
  g.SetCells(2, 2, "N");
  bool state = false;
  g.OnCheckBoxClick = [&](TComponent*, int, int, bool s) { state = s; };
  w.Focus(2, 2);
  w.Press(VK_SPACE);
  EXPECT_EQ(g.Cells(2, 2), "Y");
  EXPECT_TRUE(state);
  EXPECT_FALSE(g.EditorMode());  // a check box cell opens no editor
  w.Type("a");
  EXPECT_FALSE(g.EditorMode());
  g.ReadOnly = true;
  w.Press(VK_SPACE);
  EXPECT_EQ(g.Cells(2, 2), "Y");
}

TEST(GridEditingKeys, InsertAndDeleteRows) {
  TEditWindow w(3, 3);
  TEditGrid& g = *w.Grid;
  w.Focus(1, 2);
  w.Press(VK_INSERT);
  EXPECT_EQ(g.RowCount(), 4);  // not allowed yet
  g.Navigation.AllowInsertRow = true;
  g.Navigation.AllowDeleteRow = true;
  g.Navigation.InsertPosition = pInsertAfter;
  int inserted = -1;
  g.OnAutoInsertRow = [&](TComponent*, int row) { inserted = row; };
  w.Press(VK_INSERT);
  EXPECT_EQ(g.RowCount(), 5);
  EXPECT_EQ(inserted, 3);
  EXPECT_EQ(g.Row(), 3);
  EXPECT_EQ(g.Cells(1, 3), "");
  EXPECT_EQ(g.Cells(1, 4), "1,3");
  bool allow = false;
  g.OnCanDeleteRow = [&](TComponent*, int, bool& a) { a = allow; };
  w.Press(VK_DELETE);
  EXPECT_EQ(g.RowCount(), 5);
  allow = true;
  for (int i = 0; i < 5; ++i) w.Press(VK_DELETE);
  // The last normal row is emptied, not removed.
  EXPECT_EQ(g.RowCount(), 2);
  EXPECT_EQ(g.Cells(1, 1), "");
  EXPECT_EQ(g.Cells(0, 0), "H0");
}

TEST(GridEditingKeys, RowAndCellChangingMayRefuse) {
  TEditWindow w(4, 4);
  TEditGrid& g = *w.Grid;
  w.Focus(1, 1);
  bool allowRow = false;
  std::string seen;
  g.OnRowChanging = [&](TComponent*, int from, int to, bool& a) {
    seen += "row " + std::to_string(from) + ">" + std::to_string(to) + ";";
    a = allowRow;
  };
  g.OnCellChanging = [&](TComponent*, int, int, int, int, bool&) { seen += "cell;"; };
  w.Press(VK_DOWN);
  EXPECT_EQ(g.Row(), 1);
  EXPECT_EQ(seen, "row 1>2;cell;");
  seen.clear();
  w.Press(VK_RIGHT);  // the row stays: no row event
  EXPECT_EQ(g.Col(), 2);
  EXPECT_EQ(seen, "cell;");
}
