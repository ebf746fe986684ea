// The standard controls on one dialog: their values, the notifications that
// reach each control's own object, the page control and the dialog keys.
#include "StdCtrlsForm.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <windowsx.h>

#include <cstdio>
#include <string>
#include <vector>

#include "ControlMaking.h"

namespace {
std::string ClassOf(HWND wnd) {
  char name[64] = "";
  GetClassNameA(wnd, name, sizeof name);
  return name;
}

std::string ListText(HWND list, int i, bool combo = false) {
  char text[256] = "";
  SendMessageA(list, combo ? CB_GETLBTEXT : LB_GETTEXT, WPARAM(i), LPARAM(text));
  return text;
}

void Click(HWND wnd, int x, int y) {
  SendMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  SendMessageA(wnd, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}
}  // namespace

TEST(StdCtrls, EveryControlIsAStandardWindowOfTheDialog) {
  TStdCtrlsForm form;
  form.Show();
  EXPECT_EQ(ClassOf(form.Page->Handle()), "SysTabControl32");
  EXPECT_EQ(ClassOf(form.Check1->Handle()), "Button");
  EXPECT_EQ(ClassOf(form.Edit1->Handle()), "Edit");
  EXPECT_EQ(ClassOf(form.Memo1->Handle()), "Edit");
  EXPECT_EQ(ClassOf(form.List1->Handle()), "ListBox");
  EXPECT_EQ(ClassOf(form.Combo1->Handle()), "ComboBox");
  // Controls in a group box are the group box's children.
  EXPECT_EQ(GetParent(form.Check1->Handle()), form.Group->Handle());
  // Values set before the windows existed are in the windows.
  EXPECT_EQ(SendMessageA(form.Check2->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(WindowText(form.Edit1->Handle()), "quake -game %s");
  EXPECT_EQ(form.Spin1->Value(), 20);
  EXPECT_EQ(form.Combo1->Text(), "top 5 mods");
  EXPECT_EQ(form.Combo2->Text(), "typed");
  EXPECT_EQ(form.Pictures->ItemIndex(), 1);
  EXPECT_EQ(form.Memo1->Lines.Count(), 3);
  EXPECT_EQ(form.Memo1->Text(), "// mapcycle\r\ncrossfire\r\nbounce\r\n");
  HoldForLooking();
}

TEST(StdCtrls, CheckBoxClicksReachItsObjectThroughTheGroupBox) {
  TStdCtrlsForm form;
  form.Show();
  std::vector<bool> seen;
  form.Check1->OnClick = [&](TComponent*) { seen.push_back(form.Check1->Checked()); };
  SendMessageA(form.Check1->Handle(), BM_CLICK, 0, 0);
  EXPECT_TRUE(form.Check1->Checked());
  EXPECT_EQ(SendMessageA(form.Check1->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
  SendMessageA(form.Check1->Handle(), BM_CLICK, 0, 0);
  EXPECT_FALSE(form.Check1->Checked());
  // Setting fires OnClick only when the state changes.
  form.Check1->SetChecked(false);
  form.Check1->SetChecked(true);
  EXPECT_EQ(seen, (std::vector<bool>{true, false, true}));
  EXPECT_EQ(SendMessageA(form.Check1->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST(StdCtrls, RadioButtonsOfOneParentAreOneGroup) {
  TStdCtrlsForm form;
  auto* other = new TRadioButton(&form);  // another parent, another group
  other->SetParent(form.Sheets[0]);
  other->SetChecked(true);
  form.Show();
  int clicks2 = 0, clicks1 = 0;
  form.Radio1->OnClick = [&](TComponent*) { ++clicks1; };
  form.Radio2->OnClick = [&](TComponent*) { ++clicks2; };
  SendMessageA(form.Radio2->Handle(), BM_CLICK, 0, 0);
  EXPECT_TRUE(form.Radio2->Checked());
  EXPECT_FALSE(form.Radio1->Checked());
  EXPECT_EQ(SendMessageA(form.Radio1->Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_TRUE(other->Checked());
  // A click on the checked button changes nothing and tells nothing.
  SendMessageA(form.Radio2->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(clicks2, 1);
  EXPECT_EQ(clicks1, 0);
  form.Radio1->SetChecked(true);
  EXPECT_EQ(clicks1, 1);
  EXPECT_FALSE(form.Radio2->Checked());
}

TEST(StdCtrls, EditAndMemoTextChangesAndTyping) {
  TStdCtrlsForm form;
  form.Show();
  int edits = 0, memos = 0;
  form.Edit1->OnChange = [&](TComponent*) { ++edits; };
  form.Memo1->OnChange = [&](TComponent*) { ++memos; };
  form.Edit1->SetText("hl -game %s");
  form.Memo1->SetText("one");
  EXPECT_EQ(edits, 1);
  EXPECT_EQ(memos, 1) << "a memo tells a set text once, as an edit does";
  EXPECT_FALSE(form.Memo1->Modified());
  SendMessageA(form.Memo1->Handle(), WM_CHAR, 'x', 0);
  EXPECT_TRUE(form.Memo1->Modified());
  EXPECT_EQ(memos, 2);
  form.Memo1->SetModified(false);
  EXPECT_FALSE(form.Memo1->Modified());
  // Read-only refuses typing.
  form.Edit1->SetReadOnly(true);
  SendMessageA(form.Edit1->Handle(), WM_CHAR, 'y', 0);
  EXPECT_EQ(form.Edit1->Text(), "hl -game %s");
  EXPECT_EQ(edits, 1);
}

TEST(StdCtrls, MemoLinesSplitAtEveryLineBreak) {
  TStdCtrlsForm form;
  TMemoLines& lines = form.Memo1->Lines;
  lines.SetText("a\nb\r\nc\rd");
  EXPECT_EQ(lines.Count(), 4);
  EXPECT_EQ(lines[3], "d");
  lines.Add("e");
  lines.Delete(0);
  lines.Insert(1, "x");
  EXPECT_EQ(form.Memo1->Text(), "b\r\nx\r\nc\r\nd\r\ne\r\n");
  EXPECT_EQ(lines.IndexOf("C"), 2);
  lines.Clear();
  EXPECT_EQ(lines.Count(), 0);
  // Files round trip through the memo's window.
  char dir[MAX_PATH];
  GetTempPathA(MAX_PATH, dir);
  std::string file = std::string(dir) + "bx_memo_lines.txt";
  form.Show();
  lines.SetText("bind w \"+forward\"\nunbindall\n");
  lines.SaveToFile(file);
  lines.Clear();
  lines.LoadFromFile(file);
  EXPECT_EQ(lines.Count(), 2);
  EXPECT_EQ(lines[0], "bind w \"+forward\"");
  DeleteFileA(file.c_str());
}

TEST(StdCtrls, ListItemsStayInStepWithTheWindow) {
  TStdCtrlsForm form;
  TListBox& list = *form.List1;
  list.Items.Sorted = true;
  list.Items.Add("ag");  // sorted in among the unsorted items made before
  form.Show();
  HWND wnd = list.Handle();
  list.Items.Add("BB");
  list.Items.Add("aa");
  list.Items.Delete(list.Items.IndexOf("dod"));
  list.Items.SetString(list.Items.IndexOf("tfc"), "a_tfc");
  ASSERT_EQ(SendMessageA(wnd, LB_GETCOUNT, 0, 0), list.Items.Count());
  for (int i = 0; i < list.Items.Count(); ++i) EXPECT_EQ(ListText(wnd, i), list.Items[i]) << i;
  EXPECT_EQ(list.Items[0], "a_tfc");
  EXPECT_THROW(list.Items.Delete(99), EListError);
  list.Items.Clear();
  EXPECT_EQ(SendMessageA(wnd, LB_GETCOUNT, 0, 0), 0);
}

TEST(StdCtrls, ListBoxSelectionByCodeAndByMouse) {
  TStdCtrlsForm form;
  form.List1->SetItemIndex(2);  // before the window
  EXPECT_EQ(form.List1->ItemIndex(), 2);
  form.Show();
  TListBox& list = *form.List1;
  EXPECT_EQ(list.ItemIndex(), 2);
  EXPECT_TRUE(list.Selected(2));
  int clicks = 0;
  list.OnClick = [&](TComponent*) { ++clicks; };
  list.SetSelected(0, true);
  EXPECT_EQ(list.SelCount(), 2);
  EXPECT_EQ(clicks, 0) << "selecting by code tells nothing";
  RECT item;
  SendMessageA(list.Handle(), LB_GETITEMRECT, 3, LPARAM(&item));
  Click(list.Handle(), item.left + 5, item.top + 2);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(list.ItemIndex(), 3);
  EXPECT_EQ(list.SelCount(), 1);
  list.SetItemIndex(-1);
  EXPECT_EQ(list.SelCount(), 0);
}

TEST(StdCtrls, CheckListBoxTogglesOnTheBoxAndTheSpaceBar) {
  TStdCtrlsForm form;
  form.Show();
  TCheckListBox& list = *form.Checks;
  int checks = 0;
  list.OnClickCheck = [&](TComponent*) { ++checks; };
  RECT item;
  SendMessageA(list.Handle(), LB_GETITEMRECT, 0, LPARAM(&item));
  Click(list.Handle(), item.left + 6, item.top + 6);
  EXPECT_TRUE(list.Checked(0));
  // A click on the text selects without toggling.
  SendMessageA(list.Handle(), LB_GETITEMRECT, 2, LPARAM(&item));
  Click(list.Handle(), item.left + 60, item.top + 6);
  EXPECT_FALSE(list.Checked(2));
  EXPECT_EQ(list.ItemIndex(), 2);
  SendMessageA(list.Handle(), WM_CHAR, ' ', 0);
  EXPECT_TRUE(list.Checked(2));
  EXPECT_TRUE(list.Checked(1));
  EXPECT_EQ(checks, 2);
}

TEST(StdCtrls, ComboSelectionChangeFiresOnChangeWithTheNewText) {
  TStdCtrlsForm form;
  form.Show();
  std::vector<std::string> seen;
  form.Combo1->OnChange = [&](TComponent*) { seen.push_back(form.Combo1->Text()); };
  form.Combo2->OnChange = [&](TComponent*) { seen.push_back(form.Combo2->Text()); };
  form.Combo1->SetItemIndex(2);
  EXPECT_TRUE(seen.empty()) << "choosing by code tells nothing";
  EXPECT_EQ(form.Combo1->Text(), "top 15 mods");
  SendMessageA(form.Combo1->Handle(), WM_KEYDOWN, VK_DOWN, 0);
  // The editable box: its text follows the chosen item (sorted list).
  EXPECT_EQ(form.Combo2->Items[0], "hl -game %s");
  SendMessageA(form.Combo2->Handle(), CB_SETCURSEL, 0, 0);
  SendMessageA(form.Combo2->Handle(), WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(seen, (std::vector<std::string>{"top 20 mods", "quake -game %s"}));
  // Setting the text of a list-only box chooses that item.
  form.Combo1->SetText("TOP 10 MODS");
  EXPECT_EQ(form.Combo1->ItemIndex(), 1);
  form.Combo1->SetText("none such");
  EXPECT_EQ(form.Combo1->ItemIndex(), -1);
  EXPECT_EQ(form.Combo1->Text(), "");
}

TEST(StdCtrls, OwnerDrawnComboDrawsItsItemsThroughOnDrawItem) {
  TStdCtrlsForm form;
  std::vector<std::pair<int, TOwnerDrawState>> drawn;
  auto draw = form.Pictures->OnDrawItem;
  form.Pictures->OnDrawItem = [&](TWinControl* c, TCanvas& canvas, int index, const RECT& r, TOwnerDrawState s) {
    drawn.push_back({index, s});
    draw(c, canvas, index, r, s);
  };
  form.Show();
  InvalidateRect(form.Pictures->Handle(), nullptr, TRUE);
  UpdateWindow(form.Pictures->Handle());
  PumpUntil([&] { return !drawn.empty(); }, 500);
  ASSERT_FALSE(drawn.empty());
  EXPECT_EQ(drawn.back().first, 1);
  EXPECT_TRUE(drawn.back().second & odComboBoxEdit);
  EXPECT_EQ(SendMessageA(form.Pictures->Handle(), CB_GETITEMHEIGHT, 0, 0), 20);
  // The picture is drawn in the item: its colour 2 pixels in from the corner.
  HDC dc = GetDC(form.Pictures->Handle());
  COLORREF c = GetPixel(dc, 3 + 2 + 4, 3 + 2 + 4);
  ReleaseDC(form.Pictures->Handle(), dc);
  EXPECT_EQ(c, RGB(0, 255, 0));
}

TEST(StdCtrls, ControlsAreDrawnInTheirColour) {
  TStdCtrlsForm form;
  form.Show();
  form.Memo1->SetColor(clBtnFace);
  HDC dc = CreateCompatibleDC(nullptr);
  // The parent hands the control's colour message to the control.
  HWND parent = GetParent(form.Memo1->Handle());
  auto brush = HBRUSH(SendMessageA(parent, WM_CTLCOLOREDIT, WPARAM(dc), LPARAM(form.Memo1->Handle())));
  LOGBRUSH lb{};
  GetObjectA(brush, sizeof lb, &lb);
  EXPECT_EQ(lb.lbColor, GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(GetBkColor(dc), GetSysColor(COLOR_BTNFACE));
  form.Memo1->SetColor(clWindow);
  SendMessageA(parent, WM_CTLCOLOREDIT, WPARAM(dc), LPARAM(form.Memo1->Handle()));
  EXPECT_EQ(GetBkColor(dc), GetSysColor(COLOR_WINDOW));
  DeleteDC(dc);
}

TEST(StdCtrls, SpinEditStepsWithinItsLimits) {
  TStdCtrlsForm form;
  TSpinEdit& spin = *form.Spin1;
  form.Show();
  std::vector<int> seen;
  spin.OnChange = [&](TComponent*) { seen.push_back(spin.Value()); };
  HWND arrows = GetWindow(spin.Handle(), GW_CHILD);
  ASSERT_EQ(ClassOf(arrows), "msctls_updown32");
  RECT r;
  GetClientRect(arrows, &r);
  Click(arrows, r.right / 2, 2);               // up
  Click(arrows, r.right / 2, r.bottom - 2);    // down
  SendMessageA(spin.Handle(), WM_KEYDOWN, VK_UP, 0);
  EXPECT_EQ(seen, (std::vector<int>{21, 20, 21}));
  spin.SetValue(150);
  EXPECT_EQ(spin.Value(), 100);
  spin.SetText("-5");
  EXPECT_EQ(spin.Value(), 0);
  spin.SetText("ten");
  EXPECT_EQ(spin.Value(), 0) << "not a number: MinValue";
  // Without limits any number goes, negative ones too.
  spin.MinValue = spin.MaxValue = 0;
  spin.SetText("-40");
  EXPECT_EQ(spin.Value(), -40);
  spin.SetEnabled(false);
  EXPECT_FALSE(IsWindowEnabled(spin.Handle()));
  EXPECT_FALSE(IsWindowEnabled(arrows));
}

TEST(PageControl, TabsRunInSeveralRowsAndOneSheetShows) {
  TStdCtrlsForm form;
  form.Show();
  TPageControl& page = *form.Page;
  HWND tabs = page.Handle();
  EXPECT_EQ(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0), 8);
  EXPECT_GT(SendMessageA(tabs, TCM_GETROWCOUNT, 0, 0), 1);
  EXPECT_NE(GetWindowLongPtrA(tabs, GWL_STYLE) & TCS_HOTTRACK, 0);
  EXPECT_EQ(page.ActivePage(), form.Sheets[0]);
  for (int i = 0; i < 8; ++i) EXPECT_EQ(IsWindowVisible(form.Sheets[i]->Handle()) != 0, i == 0) << i;
  // The sheet lies below the last row of tabs.
  RECT last, sheet;
  SendMessageA(tabs, TCM_GETITEMRECT, 7, LPARAM(&last));
  GetWindowRect(form.Sheets[0]->Handle(), &sheet);
  MapWindowPoints(nullptr, tabs, reinterpret_cast<POINT*>(&sheet), 2);
  EXPECT_GE(sheet.top, last.bottom);
  form.Page->SetActivePageIndex(0);
  form.Sheets[5]->Handle();
  HoldForLooking();
}

TEST(PageControl, ChoosingATabAsksShowsAndTells) {
  TStdCtrlsForm form;
  form.Show();
  TPageControl& page = *form.Page;
  std::vector<std::string> log;
  bool allow = true;
  page.OnChanging = [&](TComponent*, bool& ok) {
    log.push_back("changing");
    ok = allow;
  };
  page.OnChange = [&](TComponent*) { log.push_back("change " + page.ActivePage()->Caption()); };
  form.Sheets[3]->OnShow = [&](TComponent*) { log.push_back("show Sounds"); };
  RECT r;
  SendMessageA(page.Handle(), TCM_GETITEMRECT, 3, LPARAM(&r));
  Click(page.Handle(), (r.left + r.right) / 2, (r.top + r.bottom) / 2);
  EXPECT_EQ(log, (std::vector<std::string>{"changing", "show Sounds", "change Sounds"}));
  EXPECT_TRUE(IsWindowVisible(form.Sheets[3]->Handle()));
  EXPECT_FALSE(IsWindowVisible(form.Sheets[0]->Handle()));
  // A refused change keeps the page.
  allow = false;
  log.clear();
  SendMessageA(page.Handle(), TCM_GETITEMRECT, 1, LPARAM(&r));
  Click(page.Handle(), (r.left + r.right) / 2, (r.top + r.bottom) / 2);
  EXPECT_EQ(log, std::vector<std::string>{"changing"});
  EXPECT_EQ(page.ActivePage(), form.Sheets[3]);
  EXPECT_EQ(SendMessageA(page.Handle(), TCM_GETCURSEL, 0, 0), 3);
}

TEST(PageControl, HiddenTabsLeaveTheRow) {
  TStdCtrlsForm form;
  form.Sheets[6]->SetTabVisible(false);  // before the window
  form.Show();
  TPageControl& page = *form.Page;
  EXPECT_EQ(SendMessageA(page.Handle(), TCM_GETITEMCOUNT, 0, 0), 7);
  EXPECT_EQ(form.Sheets[7]->TabIndex(), 6);
  EXPECT_EQ(form.Sheets[6]->TabIndex(), -1);
  EXPECT_EQ(form.Sheets[7]->PageIndex(), 7);
  page.SetActivePage(form.Sheets[6]);
  EXPECT_EQ(page.ActivePage(), form.Sheets[0]) << "a hidden tab's sheet is not shown";
  page.SetActivePage(form.Sheets[7]);
  EXPECT_EQ(SendMessageA(page.Handle(), TCM_GETCURSEL, 0, 0), 6);
  // Hiding the active tab shows the first shown one.
  form.Sheets[7]->SetTabVisible(false);
  EXPECT_EQ(page.ActivePage(), form.Sheets[0]);
  EXPECT_TRUE(IsWindowVisible(form.Sheets[0]->Handle()));
  EXPECT_FALSE(IsWindowVisible(form.Sheets[7]->Handle()));
  form.Sheets[6]->SetTabVisible(true);
  char text[64] = "";
  TCITEMA item{};
  item.mask = TCIF_TEXT;
  item.pszText = text;
  item.cchTextMax = sizeof text;
  SendMessageA(page.Handle(), TCM_GETITEMA, 6, LPARAM(&item));
  EXPECT_STREQ(text, "Half-Life manager");
}

TEST(ScrollBox, ScrollingMovesTheChildrenWithinTheRange) {
  TStdCtrlsForm form;
  form.Show();
  TScrollBox& box = *form.Scroll1;
  box.UpdateScrollRange();
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_ALL;
  GetScrollInfo(box.Handle(), SB_VERT, &si);
  EXPECT_EQ(si.nMax, 24 + 160 - 1);
  SendMessageA(box.Handle(), WM_VSCROLL, SB_BOTTOM, 0);
  int maxY = 24 + 160 - box.ClientHeight();
  EXPECT_EQ(box.VertPosition(), maxY);
  EXPECT_EQ(form.Label1->Top(), 4 - maxY);
  SendMessageA(box.Handle(), WM_VSCROLL, SB_LINEUP, 0);
  EXPECT_EQ(box.VertPosition(), maxY - 16);
  box.ScrollTo(-10, 0);
  EXPECT_EQ(box.HorzPosition(), 0);
  EXPECT_EQ(form.Label1->Top(), 4);
  EXPECT_EQ(form.Label1->Left(), 4);
}

TEST(DialogForm, TheHookSeesMessagesFirstAndTheOwnerHoldsTheDialog) {
  class THook : public TFormHook {
  public:
    std::vector<UINT> Seen;
    bool FormMessage(TForm&, UINT msg, WPARAM, LPARAM, LRESULT& result) override {
      if (msg != WM_USER + 7 && msg != WM_NCPAINT) return false;
      Seen.push_back(msg);
      result = 42;
      return true;
    }
  } hook;
  TForm owner(nullptr);
  owner.Show();
  TDialogForm dialog(nullptr, owner.Handle());
  dialog.SetBounds(0, 0, 200, 120);
  dialog.SetFormHook(&hook);
  dialog.Show();
  EXPECT_EQ(GetWindow(dialog.Handle(), GW_OWNER), owner.Handle());
  EXPECT_EQ(SendMessageA(dialog.Handle(), WM_USER + 7, 0, 0), 42);
  EXPECT_NE(std::count(hook.Seen.begin(), hook.Seen.end(), UINT(WM_NCPAINT)), 0) << "the frame was painted by the hook";
  dialog.SetFormHook(nullptr);
  EXPECT_EQ(SendMessageA(dialog.Handle(), WM_USER + 7, 0, 0), 0);
}

namespace {
// Shows the form modally while a timer sends keys once it is up.
int RunModalWithKeys(TForm& form, std::vector<WORD> keys) {
  size_t next = 0;
  int ticks = 0;
  UINT_PTR timer = Application().AddTimer(
      [&] {
        if (!IsWindowVisible(form.Handle())) return;
        if (++ticks > 150) form.ModalResult = -1;  // the keys did not end it
        if (next < keys.size() && ticks % 5 == 0) {
          SetForegroundWindow(form.Handle());
          PressKey(keys[next++]);
        }
      },
      20);
  int result = form.ShowModal();
  Application().RemoveTimer(timer);
  return result;
}
}  // namespace

TEST(DialogKeys, EnterPressesTheDefaultButtonAndEscTheCancelButton) {
  TStdCtrlsForm form;
  int oks = 0;
  form.OK->OnClick = [&](TComponent*) { ++oks; };
  form.Edit1->SetFocus();
  EXPECT_EQ(RunModalWithKeys(form, {VK_RETURN}), mrOk);
  EXPECT_EQ(oks, 1);
  EXPECT_EQ(RunModalWithKeys(form, {VK_ESCAPE}), mrCancel);
  EXPECT_EQ(oks, 1);
}

TEST(DialogKeys, ADisabledDefaultButtonIsNotPressed) {
  TStdCtrlsForm form;
  int oks = 0;
  form.OK->OnClick = [&](TComponent*) { ++oks; };
  form.OK->SetEnabled(false);
  EXPECT_EQ(RunModalWithKeys(form, {VK_RETURN, VK_ESCAPE}), mrCancel);
  EXPECT_EQ(oks, 0);
}

// Making controls in code: each is owned by the form, placed on its parent
// and sized; the captioned kinds carry caption, hint and their heights.
TEST(ControlMaking, PlacesOwnsAndCaptions) {
  TForm form(nullptr);
  auto* group = ctrl::Place<TGroupBox>(&form, &form, 4, 6, 200, 120);
  EXPECT_EQ(group->Owner(), &form);
  EXPECT_EQ(group->Parent(), &form);
  EXPECT_EQ(group->Left(), 4);
  EXPECT_EQ(group->Top(), 6);
  EXPECT_EQ(group->Width(), 200);
  EXPECT_EQ(group->Height(), 120);

  TCheckBox* check = ctrl::Check(group, &form, 10, 20, 150, "Check me", "A hint");
  EXPECT_EQ(check->Parent(), group);
  EXPECT_EQ(check->Owner(), &form);
  EXPECT_EQ(check->Caption(), "Check me");
  EXPECT_EQ(check->Hint, "A hint");
  EXPECT_EQ(check->Height(), 18);

  TStaticText* text = ctrl::Text(group, &form, 10, 44, 150, "Static");
  EXPECT_EQ(text->Caption(), "Static");
  EXPECT_EQ(text->Height(), 16);
  TLabel* label = ctrl::Label(&form, &form, 8, 140, 90, std::string("Label"));
  EXPECT_EQ(label->Caption(), "Label");
  EXPECT_EQ(label->Parent(), &form);
  EXPECT_EQ(label->Width(), 90);

  TButton* standard = ctrl::Button(&form, &form, 8, 160, 75, "OK");
  EXPECT_EQ(standard->Caption(), "OK");
  EXPECT_EQ(standard->Hint, "");
  EXPECT_EQ(standard->Height(), 24);
  TButton* small = ctrl::Button(&form, &form, 90, 160, 75, "Browse", "Pick a file", 23);
  EXPECT_EQ(small->Hint, "Pick a file");
  EXPECT_EQ(small->Height(), 23);
  EXPECT_EQ(small->Left(), 90);
}
