// The popup menu's gradient bar: the colour steps, the text's place, and the
// bar as it shows on an open menu.
#include "BarPopupMenu.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <initializer_list>
#include <string>
#include <vector>

#include "Forms.h"

TEST(BarGradient, RunsFromStartAtTheTopToEndAtTheBottom) {
  const uint32_t blue = 0xFF0000, black = 0;
  EXPECT_EQ(BarGradientColor(blue, black, 0, 100), blue);
  EXPECT_EQ(BarGradientColor(blue, black, 100, 100), black);
  // 255 - 255 * 1 / 3 = 170, truncated towards zero on the falling channel.
  EXPECT_EQ(BarGradientColor(blue, black, 1, 3), 0xAA0000u);
  // A rising channel: 0 + 255 * 2 / 3 = 170.
  EXPECT_EQ(BarGradientColor(black, 0x0000FF, 2, 3), 0x0000AAu);
  // Each channel on its own: red falls, green stays, blue rises.
  EXPECT_EQ(BarGradientColor(0x0040C8, 0xC84000, 50, 100), 0x644064u);
}

TEST(BarGradient, SmallAndZeroHeightsDivideByNothing) {
  EXPECT_EQ(BarGradientColor(0xFF0000, 0, 0, 0), 0xFF0000u);
  EXPECT_EQ(BarGradientColor(0xFF0000, 0, 5, -1), 0xFF0000u);
  EXPECT_EQ(BarGradientColor(0xFF0000, 0, 0, 1), 0xFF0000u);
  EXPECT_EQ(BarGradientColor(0xFF0000, 0, 1, 1), 0u);
  // Rows below the last (the item's bottom row) stay within 8 bits.
  EXPECT_EQ(BarGradientColor(0xFF0000, 0, 2, 1) & ~0xFFFFFFu, 0u);
}

TEST(BarGradient, TextIsCentredWithHalvesToEven) {
  EXPECT_EQ(BarTextLeft(31, 23), 3);  // 3.5 -> 4, less one
  EXPECT_EQ(BarTextLeft(31, 21), 3);  // 4.5 -> 4, less one
  EXPECT_EQ(BarTextLeft(31, 19), 5);  // 5.5 -> 6, less one
  EXPECT_EQ(BarTextLeft(31, 22), 3);  // 4.0
  EXPECT_EQ(BarTextLeft(0, 0), -1);   // -0.5 -> 0, less one
}

namespace {
// What the open menu showed: its window's pixels in a column of the bar and
// in the items' own area.
struct TMenuShot {
  bool Seen = false;
  int Height = 0;
  std::vector<COLORREF> Bar;  // one per row, x = 5
  COLORREF ItemArea = 0;      // right of the bar, on the first item
};
TMenuShot gShot;
int gTicks = 0;

void CALLBACK ReadMenu(HWND, UINT, UINT_PTR id, DWORD) {
  HWND menu = FindWindowA("#32768", nullptr);
  if (!menu || !IsWindowVisible(menu)) return;
  // Let it paint; BX_HOLD_MENU keeps it open for a screenshot.
  if (++gTicks < (std::getenv("BX_HOLD_MENU") ? 300 : 5)) return;
  KillTimer(nullptr, id);
  RECT r;
  GetClientRect(menu, &r);
  HDC dc = GetDC(menu);
  gShot.Seen = true;
  gShot.Height = r.bottom;
  for (int y = 0; y < r.bottom; ++y) gShot.Bar.push_back(GetPixel(dc, 5, y));
  gShot.ItemArea = GetPixel(dc, 60, 2);
  ReleaseDC(menu, dc);
  PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
}

// A shown form owning a bar menu with these items.
struct TMenuForm {
  TForm Owner{nullptr};
  TBarPopupMenu* Menu = new TBarPopupMenu(&Owner);
  explicit TMenuForm(std::initializer_list<const char*> captions) {
    Owner.SetBounds(10, 10, 200, 100);
    Owner.Show();
    for (const char* caption : captions) {
      auto* item = new TMenuItem(&Owner);
      item->Caption = caption;
      Menu->Items()->Add(item);
    }
  }
  // Opens the menu and reads it while it shows.
  void PopupAndRead() {
    gShot = {};
    gTicks = 0;
    SetTimer(nullptr, 0, 30, ReadMenu);
    Menu->Popup(50, 50);
  }
};
}  // namespace

TEST(BarPopupMenu, DefaultsAreABlueToBlackBarWithTheApplicationsTitle) {
  TForm owner(nullptr);
  TBarPopupMenu menu(&owner);
  EXPECT_TRUE(menu.OwnerDraw);
  EXPECT_EQ(menu.BarWidth, 31);
  EXPECT_EQ(menu.GradientStart, TColor(0xFF0000));
  EXPECT_EQ(menu.GradientEnd, TColor(0));
  EXPECT_EQ(menu.VerticalFont.Name, "Tahoma");
  EXPECT_EQ(menu.VerticalFont.Size(), 14);
  EXPECT_EQ(menu.VerticalFont.Style, uint32_t(fsBold | fsItalic));
  EXPECT_EQ(menu.VerticalText, Application().Title());
  EXPECT_FALSE(menu.Transparent());  // no picture yet
  menu.Bitmap().SetSize(4, 4);
  EXPECT_TRUE(menu.Transparent());
}

TEST(BarPopupMenu, OpenMenuShowsTheGradientDownItsLeftEdge) {
  TMenuForm form{"Open", "-", "Settings", "About", "#", "Close"};
  TBarPopupMenu& menu = *form.Menu;
  menu.VerticalText = "Brannox";
  form.PopupAndRead();
  ASSERT_TRUE(gShot.Seen);
  // Every visible item but "#" counts.
  ASSERT_GT(menu.MenuHeight(), 0);
  ASSERT_LE(menu.MenuHeight(), gShot.Height);
  // The bar starts below the menu's frame at (nearly) the start colour and
  // runs down to (nearly) the end colour, without a gap for the "#" item.
  size_t first = 0;
  auto blue = [](COLORREF c) { return GetBValue(c) > 200 && GetRValue(c) < 40 && GetGValue(c) < 40; };
  while (first < 8 && !blue(gShot.Bar[first])) ++first;
  ASSERT_LT(first, 8u);
  const size_t last = size_t(menu.MenuHeight()) - 1;
  EXPECT_LT(GetBValue(gShot.Bar[last]), 40) << std::hex << gShot.Bar[last];
  for (size_t y = first + 1; y <= last; ++y) EXPECT_LE(GetBValue(gShot.Bar[y]), GetBValue(gShot.Bar[y - 1]) + 2) << y;
  // The items are drawn beside the bar, in the menu's own colours.
  EXPECT_NE(gShot.ItemArea, gShot.Bar[first]);
}

TEST(BarPopupMenu, WithoutTheBarItemsKeepTheirPlace) {
  TMenuForm form{"Open", "Close"};
  TBarPopupMenu& menu = *form.Menu;
  menu.BarVisible = false;
  form.PopupAndRead();
  ASSERT_TRUE(gShot.Seen);
  EXPECT_EQ(menu.MenuHeight(), 0);
  // No blue bar at the left edge.
  EXPECT_LT(GetBValue(gShot.Bar.front()) - GetRValue(gShot.Bar.front()), 60);
}

namespace {
// Reads rows of the open menu at two columns: the bar's (x = 3) and the
// picture's middle.
struct TBarColumns {
  std::vector<COLORREF> Bar, Picture;
  int PictureX = 0;
};
TBarColumns gColumns;

void CALLBACK ReadColumns(HWND, UINT, UINT_PTR id, DWORD) {
  HWND menu = FindWindowA("#32768", nullptr);
  if (!menu || !IsWindowVisible(menu) || ++gTicks < 5) return;
  KillTimer(nullptr, id);
  RECT r;
  GetClientRect(menu, &r);
  HDC dc = GetDC(menu);
  for (int y = 0; y < r.bottom; ++y) {
    gColumns.Bar.push_back(GetPixel(dc, 3, y));
    gColumns.Picture.push_back(GetPixel(dc, gColumns.PictureX, y));
  }
  ReleaseDC(menu, dc);
  PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
}

int Distance(COLORREF a, COLORREF b) {
  return std::abs(GetRValue(a) - GetRValue(b)) + std::abs(GetGValue(a) - GetGValue(b)) +
         std::abs(GetBValue(a) - GetBValue(b));
}
}  // namespace

// The bar runs from the start colour at the first item's top to the end
// colour at the last item's bottom, wherever the menu's frame puts the
// items, and its picture stands at its foot. Red to blue: a row counted
// from the window's top instead would run past the end colour and wrap
// the falling red channel round to bright red.
TEST(BarPopupMenu, TheBarEndsInTheEndColourWithThePictureAtItsFoot) {
  TMenuForm form{"Open", "-", "Settings", "About", "Close"};
  TBarPopupMenu& menu = *form.Menu;
  menu.GradientStart = TColor(0x0000FF);
  menu.GradientEnd = TColor(0xFF0000);
  menu.VerticalText.clear();
  TBitmap& picture = menu.Bitmap();
  picture.SetSize(16, 16);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) picture.SetPixel(x, y, x < 2 || y > 13 ? TColor(0xFF00FF) : clLime);
  menu.BitmapHorzAlignment = bhaCenter;
  gColumns = {};
  gColumns.PictureX = (menu.BarWidth - 16 - 2) / 2 + 8;
  gTicks = 0;
  SetTimer(nullptr, 0, 30, ReadColumns);
  menu.Popup(50, 50);
  ASSERT_FALSE(gColumns.Bar.empty());
  const int height = menu.MenuHeight();
  const auto& bar = gColumns.Bar;
  // The first row of the bar is the start colour.
  int top = 0;
  while (top < 8 && Distance(bar[size_t(top)], RGB(255, 0, 0)) > 30) ++top;
  ASSERT_LT(top, 8) << std::hex << bar[0];
  ASSERT_LE(top + height, int(bar.size()));
  // Red falls and blue rises all the way down, ending at the end colour.
  for (int y = top + 1; y < top + height; ++y) {
    EXPECT_LE(GetRValue(bar[size_t(y)]), GetRValue(bar[size_t(y - 1)]) + 2) << "row " << y;
    EXPECT_GE(GetBValue(bar[size_t(y)]) + 2, GetBValue(bar[size_t(y - 1)])) << "row " << y;
  }
  EXPECT_LT(Distance(bar[size_t(top + height - 1)], RGB(0, 0, 255)), 30) << std::hex << bar[size_t(top + height - 1)];
  // The picture's last drawn row (13) lies 3 rows above the bar's foot, its
  // first 14 rows above that; magenta is left out.
  const auto& column = gColumns.Picture;
  const int foot = top + height;
  EXPECT_EQ(column[size_t(foot - 3)], RGB(0, 255, 0)) << "the picture's last row";
  EXPECT_EQ(column[size_t(foot - 16)], RGB(0, 255, 0)) << "the picture's first row";
  EXPECT_NE(column[size_t(foot - 2)], RGB(255, 0, 255)) << "its transparent colour is left out";
  EXPECT_NE(column[size_t(foot - 17)], RGB(0, 255, 0)) << "nothing above the picture";
}

namespace {
int gStep = 0;
// Down to the first item, Right into its submenu, Down to the submenu's
// second item, Enter: one key per tick (the menu's loop takes them whatever
// menu window they are posted to).
void CALLBACK WalkIntoSubmenu(HWND, UINT, UINT_PTR id, DWORD) {
  static const WPARAM keys[] = {VK_DOWN, VK_RIGHT, VK_DOWN, VK_RETURN};
  HWND menu = FindWindowA("#32768", nullptr);
  if (!menu || !IsWindowVisible(menu)) return;
  if (gStep >= 4) {
    KillTimer(nullptr, id);
    return;
  }
  PostMessageA(menu, WM_KEYDOWN, keys[gStep], 0);
  ++gStep;
}
}  // namespace

// A submenu is made when it opens, not with its menu: a submenu of
// thousands of items would hold up every opening of the menu. It works as
// before: its items show and answer keys.
TEST(BarPopupMenu, SubmenusAreFilledWhenTheyOpen) {
  TMenuForm form{"Modlist", "Close"};
  TBarPopupMenu& menu = *form.Menu;
  TMenuItem* list = menu.Items()->Items(0);
  std::string clicked;
  for (int i = 0; i < 3000; ++i) {
    auto* item = new TMenuItem(&form.Owner);
    item->Caption = "Entry " + std::to_string(i);
    item->OnClick = [&clicked, item](TComponent*) { clicked = item->Caption; };
    list->Add(item);
  }
  gStep = 0;
  SetTimer(nullptr, 0, 100, WalkIntoSubmenu);
  menu.Popup(50, 50);
  EXPECT_EQ(clicked, "Entry 1");
}
