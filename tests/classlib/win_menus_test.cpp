// Menus, short cuts, the key preview and the image list.
#include <gtest/gtest.h>

#include <string>

#include "ExtCtrls.h"
#include "Forms.h"
#include "ImgList.h"
#include "Menus.h"
#include "StdEdits.h"

#include <windows.h>

namespace {
TMenuItem* NewItem(TComponent* owner, TMenuItem* parent, const std::string& caption, std::string* log = nullptr) {
  auto* item = new TMenuItem(owner);
  item->Caption = caption;
  if (log) item->OnClick = [log, caption](TComponent*) { *log += caption + ";"; };
  parent->Add(item);
  return item;
}

std::string MenuText(HMENU menu, UINT position) {
  char text[128] = "";
  GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
  return text;
}

// Keys for the open popup menu: posted to the menu window once it shows.
std::string gMenuKeys;
bool gMenuSeen = false;
void CALLBACK PressMenuKeys(HWND, UINT, UINT_PTR id, DWORD) {
  HWND menu = FindWindowA("#32768", nullptr);
  if (!menu || !IsWindowVisible(menu)) return;
  KillTimer(nullptr, id);
  gMenuSeen = true;
  for (char k : gMenuKeys) {
    const WPARAM key = k == 'd' ? VK_DOWN : k == 'r' ? VK_RIGHT : k == 'e' ? VK_RETURN : VK_ESCAPE;
    PostMessageA(menu, WM_KEYDOWN, key, 0);
  }
}

// Opens menu with the keys to press in it: d down, r right, e enter, x escape.
void PopupWithKeys(TPopupMenu& menu, const std::string& keys) {
  gMenuKeys = keys;
  gMenuSeen = false;
  SetTimer(nullptr, 0, 30, PressMenuKeys);
  menu.Popup(100, 100);
}
}  // namespace

TEST(MenuText, ShortCutsEscapesAndHotkeys) {
  EXPECT_EQ(ShortCutToText(ShortCut('S', ssCtrl)), "Ctrl+S");
  EXPECT_EQ(ShortCutToText(ShortCut('G', ssShift)), "Shift+G");
  EXPECT_EQ(ShortCutToText(ShortCut(VK_DELETE, ssCtrl | ssLeft)), "Ctrl+Del");
  EXPECT_EQ(ShortCutToText(ShortCut(VK_F1, 0)), "F1");
  EXPECT_EQ(ShortCutToText(scNone), "");
  // A name with "&" shows as written and comes back unchanged.
  EXPECT_EQ(EscapeAmpersands("Rock & Roll &&"), "Rock && Roll &&&&");
  EXPECT_EQ(StripHotkey(EscapeAmpersands("Rock & Roll &&")), "Rock & Roll &&");
  EXPECT_EQ(StripHotkey("&File"), "File");
  EXPECT_EQ(StripHotkey("Trailing&"), "Trailing&");
}

TEST(MenuText, ShiftIsExactlyTheModifiersNamed) {
  EXPECT_TRUE(ShiftIs(ssCtrl, ssCtrl));
  EXPECT_TRUE(ShiftIs(ssCtrl | ssLeft | ssDouble, ssCtrl));
  EXPECT_FALSE(ShiftIs(ssCtrl | ssShift, ssCtrl));
  EXPECT_FALSE(ShiftIs(ssCtrl | ssAlt, ssCtrl));
  EXPECT_FALSE(ShiftIs(0, ssShift));
  EXPECT_TRUE(ShiftIs(0, 0));
}

TEST(MenuItems, TreeKeepsOrderAndRunTimeItemsAreFreed) {
  TForm owner(nullptr);
  auto* menu = new TPopupMenu(&owner);
  auto* view = NewItem(&owner, menu->Items(), "View");
  NewItem(&owner, view, "All");
  NewItem(&owner, view, "-");
  auto* first = new TMenuItem(&owner);
  first->Caption = "First";
  view->Insert(0, first);
  EXPECT_EQ(first->MenuIndex(), 0);
  EXPECT_EQ(view->Items(1)->Caption, "All");
  EXPECT_EQ(first->GetParentMenu(), menu);
  const int owned = owner.ComponentCount();
  for (int k = 0; k < 3; ++k) NewItem(&owner, view, "game " + std::to_string(k));
  view->FreeFrom(3);
  EXPECT_EQ(view->Count(), 3);
  EXPECT_EQ(owner.ComponentCount(), owned);
  // A freed item leaves its parent; its own items stay, without a parent.
  auto* sub = NewItem(&owner, view, "Sub");
  auto* leaf = NewItem(&owner, sub, "Leaf");
  delete sub;
  EXPECT_EQ(view->Count(), 3);
  EXPECT_EQ(leaf->Parent(), nullptr);
  EXPECT_EQ(TMenuItem::FromCommand(leaf->Command()), leaf);
}

TEST(MenuItems, WindowsMenuHasTheVisibleItemsWithTheirStates) {
  TForm owner(nullptr);
  TMainMenu menu(&owner);
  auto* file = NewItem(&owner, menu.Items(), "&File");
  auto* save = NewItem(&owner, file, "&Save");
  save->ShortCut = ShortCut('S', ssCtrl);
  save->Checked = true;
  NewItem(&owner, file, "Hidden")->Visible = false;
  NewItem(&owner, file, "-");
  NewItem(&owner, file, "Off")->Enabled = false;
  HMENU bar = menu.BuildMenu(menu.Items(), false);
  ASSERT_EQ(GetMenuItemCount(bar), 1);
  HMENU sub = GetSubMenu(bar, 0);
  ASSERT_EQ(GetMenuItemCount(sub), 3);
  EXPECT_EQ(MenuText(sub, 0), "&Save\tCtrl+S");
  EXPECT_TRUE(GetMenuState(sub, 0, MF_BYPOSITION) & MF_CHECKED);
  EXPECT_TRUE(GetMenuState(sub, 1, MF_BYPOSITION) & MF_SEPARATOR);
  EXPECT_TRUE(GetMenuState(sub, 2, MF_BYPOSITION) & MF_GRAYED);
  EXPECT_EQ(GetMenuItemID(sub, 0), save->Command());
  TMenuHandle owned(bar);
}

TEST(MainMenu, RebuildReplacesTheBarAndFreesTheOldOne) {
  TForm form(nullptr);
  auto* menu = new TMainMenu(&form);
  NewItem(&form, NewItem(&form, menu->Items(), "File"), "Save");
  form.Menu = menu;
  form.SetBounds(0, 0, 200, 150);
  HMENU old = GetMenu(form.Handle());
  ASSERT_TRUE(IsMenu(old));
  HMENU oldSub = GetSubMenu(old, 0);
  NewItem(&form, menu->Items(), "Edit");
  menu->Rebuild();
  HMENU bar = GetMenu(form.Handle());
  ASSERT_TRUE(IsMenu(bar));
  EXPECT_EQ(GetMenuItemCount(bar), 2);
  EXPECT_FALSE(IsMenu(old));
  EXPECT_FALSE(IsMenu(oldSub)) << "submenus go with their menu";
}

TEST(MenuHandle, DestroysItsMenuOnceAndGivesItUp) {
  HMENU raw = CreatePopupMenu();
  TMenuHandle a(raw);
  TMenuHandle b(std::move(a));
  EXPECT_FALSE(a);
  EXPECT_TRUE(IsMenu(raw));
  b.Reset();
  EXPECT_FALSE(IsMenu(raw));
  TMenuHandle c(CreateMenu());
  HMENU given = c.Release();
  EXPECT_FALSE(c);
  EXPECT_TRUE(IsMenu(given));
  DestroyMenu(given);
}

TEST(MainMenu, CommandsAndShortCutsClickTheItems) {
  TForm form(nullptr);
  auto* menu = new TMainMenu(&form);
  std::string log;
  auto* file = NewItem(&form, menu->Items(), "File");
  auto* save = NewItem(&form, file, "Save", &log);
  save->ShortCut = ShortCut('S', ssCtrl);
  NewItem(&form, file, "Off", &log)->Enabled = false;
  form.Menu = menu;
  form.SetBounds(0, 0, 200, 150);
  HMENU bar = GetMenu(form.Handle());
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(MenuText(bar, 0), "File");
  SendMessageA(form.Handle(), WM_COMMAND, MAKEWPARAM(save->Command(), 0), 0);
  EXPECT_EQ(log, "Save;");
  EXPECT_TRUE(menu->IsShortCut('S', ssCtrl));
  EXPECT_FALSE(menu->IsShortCut('S', ssCtrl | ssShift));
  EXPECT_EQ(log, "Save;Save;");
  // The dialog answers that Enter and Esc send are no item's commands.
  SendMessageA(form.Handle(), WM_COMMAND, MAKEWPARAM(IDOK, 0), 0);
  SendMessageA(form.Handle(), WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0);
  EXPECT_EQ(log, "Save;Save;");
  // A disabled item does not click.
  SendMessageA(form.Handle(), WM_COMMAND, MAKEWPARAM(file->Items(1)->Command(), 0), 0);
  EXPECT_EQ(log, "Save;Save;");
}

TEST(PopupMenu, ChosenItemIsClickedAfterTheMenuCloses) {
  TForm owner(nullptr);
  TPopupMenu menu(&owner);
  std::string log;
  menu.OnPopup = [&](TComponent* s) { log += s == &menu ? "popup;" : "?;"; };
  NewItem(&owner, menu.Items(), "Off", &log)->Enabled = false;
  NewItem(&owner, menu.Items(), "One", &log);
  NewItem(&owner, menu.Items(), "Two", &log);
  // Enter on the disabled item chooses nothing.
  PopupWithKeys(menu, "de");
  EXPECT_TRUE(gMenuSeen);
  EXPECT_EQ(log, "popup;");
  log.clear();
  PopupWithKeys(menu, "dde");
  EXPECT_EQ(log, "popup;One;");
  log.clear();
  PopupWithKeys(menu, "x");
  EXPECT_EQ(log, "popup;");
}

TEST(PopupMenu, SubmenuItemsAndRunTimeItemsWork) {
  TForm owner(nullptr);
  TPopupMenu menu(&owner);
  std::string log;
  auto* maps = NewItem(&owner, menu.Items(), "Maps");
  menu.OnPopup = [&](TComponent*) {
    maps->FreeFrom(0);
    NewItem(&owner, maps, "e1m1", &log);
    NewItem(&owner, maps, "e1m2", &log);
  };
  // Opening the submenu by key selects its first item.
  PopupWithKeys(menu, "dre");
  EXPECT_EQ(log, "e1m1;");
  EXPECT_EQ(maps->Count(), 2);
}

TEST(PopupMenu, RightClickOnAControlOpensItsMenu) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 200, 200);
  auto* label = new TLabel(&form);
  label->SetBounds(10, 10, 50, 20);
  label->SetParent(&form);
  auto* menu = new TPopupMenu(&form);
  NewItem(&form, menu->Items(), "One");
  label->PopupMenu = menu;
  TComponent* opener = nullptr;
  int popups = 0;
  menu->OnPopup = [&](TComponent*) {
    ++popups;
    opener = menu->PopupComponent;
    gMenuKeys = "x";
    SetTimer(nullptr, 0, 30, PressMenuKeys);
  };
  const LPARAM at = MAKELPARAM(20, 15);
  SendMessageA(form.Handle(), WM_RBUTTONDOWN, MK_RBUTTON, at);
  SendMessageA(form.Handle(), WM_RBUTTONUP, 0, at);
  EXPECT_EQ(popups, 1);
  EXPECT_EQ(opener, label);
  // A left click or a right click beside the control opens nothing.
  SendMessageA(form.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageA(form.Handle(), WM_LBUTTONUP, 0, at);
  SendMessageA(form.Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(150, 150));
  SendMessageA(form.Handle(), WM_RBUTTONUP, 0, MAKELPARAM(150, 150));
  menu->AutoPopup = false;
  SendMessageA(form.Handle(), WM_RBUTTONDOWN, MK_RBUTTON, at);
  SendMessageA(form.Handle(), WM_RBUTTONUP, 0, at);
  EXPECT_EQ(popups, 1);
}

TEST(PopupMenu, AStandardControlOpensItsMenuInsteadOfItsOwn) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 200, 200);
  auto* edit = new TEdit(&form);
  edit->SetBounds(10, 10, 120, 22);
  edit->SetParent(&form);
  auto* menu = new TPopupMenu(&form);
  std::string log;
  NewItem(&form, menu->Items(), "Clear", &log);
  edit->PopupMenu = menu;
  TComponent* opener = nullptr;
  menu->OnPopup = [&](TComponent*) {
    opener = menu->PopupComponent;
    gMenuKeys = "de";
    gMenuSeen = false;
    SetTimer(nullptr, 0, 30, PressMenuKeys);
  };
  // The edit's right click ends in its context-menu message.
  SendMessageA(edit->Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
  SendMessageA(edit->Handle(), WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_TRUE(gMenuSeen);
  EXPECT_EQ(opener, edit);
  EXPECT_EQ(log, "Clear;");
  // The menu key (no position) opens it too.
  SendMessageA(edit->Handle(), WM_CONTEXTMENU, WPARAM(edit->Handle()), MAKELPARAM(-1, -1));
  EXPECT_EQ(log, "Clear;Clear;");
}

TEST(PopupMenu, OwnerDrawnItemsAreMeasuredAndDrawnThroughTheirEvents) {
  TForm owner(nullptr);
  TPopupMenu menu(&owner);
  auto* item = NewItem(&owner, menu.Items(), "Start Quake");
  MEASUREITEMSTRUCT m{};
  m.CtlType = ODT_MENU;
  m.itemData = ULONG_PTR(item);
  LRESULT result = 0;
  ASSERT_TRUE(HandleMenuMessage(WM_MEASUREITEM, 0, LPARAM(&m), result));
  const UINT standard = m.itemWidth;
  EXPECT_GT(standard, 40u);
  EXPECT_GE(m.itemHeight, 16u);
  item->OnMeasureItem = [](TMenuItem*, TCanvas&, int& w, int&) { w += 21; };
  ASSERT_TRUE(HandleMenuMessage(WM_MEASUREITEM, 0, LPARAM(&m), result));
  EXPECT_EQ(m.itemWidth, standard + 21);
  // Drawing: the event replaces the standard look; without it the item is drawn.
  TWindowDC screen(nullptr);
  HDC dc = CreateCompatibleDC(screen.DC());
  HBITMAP bmp = CreateCompatibleBitmap(screen.DC(), 200, 30);
  HGDIOBJ old = SelectObject(dc, bmp);
  DRAWITEMSTRUCT d{};
  d.CtlType = ODT_MENU;
  d.itemData = ULONG_PTR(item);
  d.hDC = dc;
  d.rcItem = RECT{0, 0, 200, 30};
  d.itemState = ODS_SELECTED;
  RECT drawn{};
  item->OnDrawItem = [&](TMenuItem*, TCanvas&, const RECT& r, bool selected) { if (selected) drawn = r; };
  ASSERT_TRUE(HandleMenuMessage(WM_DRAWITEM, 0, LPARAM(&d), result));
  EXPECT_EQ(drawn.right, 200);
  item->OnDrawItem = nullptr;
  ASSERT_TRUE(HandleMenuMessage(WM_DRAWITEM, 0, LPARAM(&d), result));
  EXPECT_EQ(GetPixel(dc, 1, 1), GetSysColor(COLOR_HIGHLIGHT));
  SelectObject(dc, old);
  DeleteObject(bmp);
  DeleteDC(dc);
  // Not a menu item: left to the window.
  m.CtlType = ODT_BUTTON;
  EXPECT_FALSE(HandleMenuMessage(WM_MEASUREITEM, 0, LPARAM(&m), result));
}

TEST(KeyPreview, FormSeesTheKeysOfItsControlsFirst) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 200, 100);
  auto* edit = new TEdit(&form);
  edit->SetBounds(5, 5, 100, 20);
  edit->SetParent(&form);
  std::string log;
  form.OnKeyDown = [&](TComponent*, uint16_t& key, TShiftState) {
    log += char(key);
    if (key == 'Q') key = 0;
  };
  MSG msg{edit->Handle(), WM_KEYDOWN, 'A', 0, 0, {}};
  EXPECT_FALSE(TForm::PreviewKey(msg));
  EXPECT_EQ(log, "");
  form.KeyPreview = true;
  EXPECT_FALSE(TForm::PreviewKey(msg));
  msg.wParam = 'Q';
  EXPECT_TRUE(TForm::PreviewKey(msg));
  EXPECT_EQ(log, "AQ");
  // The form's own key messages go through its window procedure only.
  msg.hwnd = form.Handle();
  EXPECT_FALSE(TForm::PreviewKey(msg));
  EXPECT_EQ(log, "AQ");
}

TEST(ImageList, PicturesAndIconsComeBackAtTheirSize) {
  TImageList list(nullptr);
  TBitmap red;
  red.SetPixelFormat(pf24bit);
  red.SetSize(16, 16);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) red.SetPixel(x, y, x < 8 ? clRed : clLime);
  EXPECT_EQ(list.AddMasked(red, clLime), 0);
  TBitmap back;
  list.GetBitmap(0, back);
  EXPECT_EQ(back.Pixel(0, 0), clRed);
  EXPECT_EQ(back.TransparentColor(), clLime);
  // A picture made into an icon, and that icon drawn back.
  TIcon icon;
  list.GetIcon(0, icon);
  ASSERT_FALSE(icon.Empty());
  EXPECT_EQ(icon.Width(), 16);
  EXPECT_EQ(list.AddIcon(icon), 1);
  list.GetBitmap(1, back);
  EXPECT_EQ(back.Width(), 16);
  EXPECT_EQ(back.Pixel(2, 2), clRed);
  EXPECT_EQ(back.Pixel(12, 2), back.TransparentColor());
  EXPECT_THROW(list.GetBitmap(2, back), EListError);
  list.Delete(0);
  EXPECT_EQ(list.Count(), 1);
}
