// Menus: TMenuItem trees, the popup menu with owner-drawn items and pictures,
// and a form's menu bar (TMainMenu). Windows' menus are built from the item
// tree when they are shown, so items may change at any time before.
#pragma once
#include "Handles.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Classes.h"
#include "Controls.h"
#include "Graphics.h"
#include "WinGraphics.h"

class TMenu;
class TImageList;

// A key with its modifiers, as menus show them: the virtual key in the low
// byte, scShift, scCtrl and scAlt above.
using TShortCut = uint16_t;
constexpr TShortCut scShift = 0x2000, scCtrl = 0x4000, scAlt = 0x8000, scNone = 0;
TShortCut ShortCut(uint16_t key, TShiftState shift);
// "Ctrl+S", "Shift+F1", "Del"; empty for scNone.
std::string ShortCutToText(TShortCut shortCut);

// A text with every "&" doubled, so that a caption shows it as written
// instead of taking the next letter as its accelerator.
std::string EscapeAmpersands(const std::string& text);
// What a caption shows: "&&" as "&", a single "&" (the accelerator mark) left out.
std::string StripHotkey(const std::string& caption);

class TMenuItem : public TComponent {
public:
  explicit TMenuItem(TComponent* owner);
  // Leaves its parent; its own items stay with their owner, without a parent.
  ~TMenuItem() override;
  std::string ClassName() const override { return "TMenuItem"; }

  std::string Caption;  // "-" is a separator line
  bool Checked = false;
  bool Enabled = true;
  bool Visible = true;
  bool Default = false;  // drawn bold
  TShortCut ShortCut = scNone;
  int ImageIndex = -1;  // picture of the menu's Images, when the item has no Bitmap
  // The item's own picture, drawn with its transparent colour left out;
  // created on first use.
  TBitmap& Bitmap();
  bool HasBitmap() const { return FBitmap && !FBitmap->Empty(); }

  TNotifyEvent OnClick;
  // Owner drawing: the measure event gets the standard size to change; the
  // draw event replaces the standard drawing (DrawStandard draws it).
  using TMenuMeasureItemEvent = std::function<void(TMenuItem* sender, TCanvas& canvas, int& width, int& height)>;
  using TMenuDrawItemEvent = std::function<void(TMenuItem* sender, TCanvas& canvas, const RECT& rect, bool selected)>;
  TMenuMeasureItemEvent OnMeasureItem;
  TMenuDrawItemEvent OnDrawItem;

  int Count() const { return int(FItems.size()); }
  TMenuItem* Items(int index) const { return FItems.at(index); }
  TMenuItem* Parent() const { return FParent; }
  int MenuIndex() const;
  void Add(TMenuItem* item);
  void Insert(int index, TMenuItem* item);
  void Remove(TMenuItem* item);
  // Frees the items from index on (items made at run time).
  void FreeFrom(int index);
  bool IsLine() const { return Caption == "-"; }
  // The menu of the tree, or null while the item hangs in no menu.
  TMenu* GetParentMenu() const;

  // Fires OnClick when the item is enabled.
  virtual void Click();

  // The standard look of an owner-drawn item.
  void MeasureStandard(TCanvas& canvas, int& width, int& height) const;
  void DrawStandard(TCanvas& canvas, const RECT& rect, bool selected) const;

  // The command identifier Windows reports for the item.
  UINT Command() const { return FCommand; }
  // The item of a command identifier, or null.
  static TMenuItem* FromCommand(UINT command);

private:
  friend class TMenu;
  TMenuItem* FParent = nullptr;       // not owned
  TMenu* FMenu = nullptr;             // set on a menu's root item; not owned
  std::vector<TMenuItem*> FItems;     // not owned (their owner frees them)
  std::unique_ptr<TBitmap> FBitmap;   // owned
  UINT FCommand;
};

// The base of both menus: the root item and the pictures of the items.
class TMenu : public TComponent {
public:
  explicit TMenu(TComponent* owner);
  ~TMenu() override;
  std::string ClassName() const override { return "TMenu"; }
  TMenuItem* Items() const { return FItems; }
  TImageList* Images = nullptr;  // not owned
  bool OwnerDraw = false;
  // Clicks the enabled, visible item of that short cut; true when there was one.
  bool IsShortCut(uint16_t key, TShiftState shift);

  // A Windows menu of the items below parent (owned by the caller, or by
  // the window it is given to).
  HMENU BuildMenu(TMenuItem* parent, bool popup) const;
  // Adds the items below parent to menu. With lazy, each submenu is left
  // empty until it opens (HandleMenuMessage fills it then): a submenu of
  // thousands of items costs nothing until it is shown.
  void FillMenu(HMENU menu, TMenuItem* parent, bool popup, bool lazy) const;

protected:
  void Notification(TComponent* component, TOperation operation) override;

private:
  TMenuItem* FItems;  // owned (a component of this menu)
};

enum TPopupAlignment { paLeft, paRight, paCenter };

class TPopupMenu : public TMenu {
public:
  explicit TPopupMenu(TComponent* owner);
  std::string ClassName() const override { return "TPopupMenu"; }
  TPopupAlignment Alignment = paLeft;
  bool AutoPopup = true;
  // The component that opened the menu (set by the control, not owned).
  TComponent* PopupComponent = nullptr;
  TNotifyEvent OnPopup;
  // Fires OnPopup, shows the menu at a screen point and, when an item is
  // chosen, clicks it after the menu has closed.
  virtual void Popup(int x, int y);
};

// A form's menu bar. Changes to the items show after Rebuild.
class TMainMenu : public TMenu {
public:
  explicit TMainMenu(TComponent* owner) : TMenu(owner) {}
  std::string ClassName() const override { return "TMainMenu"; }
  // The form's window takes the new bar (the form calls it when it makes its window).
  void Rebuild();
  void AttachTo(HWND form);

private:
  HWND FWindow = nullptr;  // not owned
};

// A menu message of a window (a chosen command, or the measuring and drawing
// of an owner-drawn item); true with result when it was one.
bool HandleMenuMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
