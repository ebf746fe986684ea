// A popup menu that owner-draws its items and paints down its left edge a
// bar filled with a vertical colour gradient, a text written from bottom to
// top, and an optional picture.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>

#include "Graphics.h"
#include "Menus.h"

enum TBitmapVertAlignment { bvaTop, bvaBottom, bvaMiddle };
enum TBitmapHorzAlignment { bhaLeft, bhaRight, bhaCenter };

// The bar's colour on pixel row y of a menu `height` rows high: each channel
// runs from start (row 0) to end (row height), in integer steps truncated
// towards zero and kept to 8 bits. Colours are $00BBGGRR; a menu of no
// height has the start colour.
uint32_t BarGradientColor(uint32_t start, uint32_t end, int y, int height);

// Where the bar's text starts across the bar: the text of height h centred
// on a bar of barWidth, as the bar has always placed it.
int BarTextLeft(int barWidth, int h);

class TBarPopupMenu : public TPopupMenu {
public:
  explicit TBarPopupMenu(TComponent* owner);
  std::string ClassName() const override { return "TBarPopupMenu"; }

  // The picture on the bar, made on first use (transparent).
  TBitmap& Bitmap();
  bool HasBitmap() const { return FBitmap && !FBitmap->Empty(); }
  int BarWidth = 31;
  int BitmapOffsetX = 0;
  int BitmapOffsetY = 0;
  TBitmapVertAlignment BitmapVertAlignment = bvaBottom;
  TBitmapHorzAlignment BitmapHorzAlignment = bhaLeft;
  bool BarVisible = true;
  TColor GradientEnd = TColor(0);
  TColor GradientStart = TColor(0xFF0000);
  // The picture's transparency; false while there is no picture.
  bool Transparent() const { return HasBitmap() && FBitmap->Transparent; }
  void SetTransparent(bool value) { Bitmap().Transparent = value; }
  TFont VerticalFont;
  std::string VerticalText;
  int VerticalTextOffsetY = -6;

  // Starts a fresh bar, gives the top-level items the bar's measure and
  // draw handlers, and pops up.
  void Popup(int x, int y) override;

  // The height of the visible items measured in this popup.
  int MenuHeight() const { return FHeight; }

private:
  void MeasureItem(TMenuItem* item, int& width, int& height);
  void DrawItem(TMenuItem* item, TCanvas& canvas, const RECT& rect, bool selected);
  // The bar's parts; top is where the menu's first item starts in the
  // canvas (the menu's frame lies above it).
  void DrawBarSlice(TCanvas& canvas, const RECT& rect, int top);
  void DrawBarText(TCanvas& canvas, const RECT& rect, int top);
  void DrawBarPicture(TCanvas& canvas, int top);
  // The bottom item of the bar: once it is drawn, the bar is finished (the
  // menu's frame may put the items a pixel or two below the window's top,
  // so its bottom need not be the measured height).
  TMenuItem* LastBarItem() const;

  std::unique_ptr<TBitmap> FBitmap;
  int FHeight = 0;     // H: the visible items' height, summed while measuring
  bool FDone = false;  // the bar is finished for this popup
  // Each measured item's distance from the menu's top: the bar's rows count
  // from there, whatever frame the system draws around the items.
  std::unordered_map<const TMenuItem*, int> FItemTops;
};
