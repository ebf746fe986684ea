// Menu items, popup menus with owner-drawn items, and the menu bar.
#include "Menus.h"

#include <algorithm>
#include <map>

#include "Forms.h"
#include "ImgList.h"

namespace {

// Command identifiers of the live items. WM_COMMAND carries 16 bits, 0 is
// no choice, and the low numbers are the dialog answers (IDOK, IDCANCEL, ...)
// that Enter and Esc send, which must not click an item.
std::map<UINT, TMenuItem*>& Commands() {
  static auto* commands = new std::map<UINT, TMenuItem*>;  // lives until the process ends
  return *commands;
}

constexpr UINT kFirstCommand = 0x100, kLastCommand = 0xFFFF;

UINT NewCommand(TMenuItem* item) {
  static UINT next = kFirstCommand;
  auto& commands = Commands();
  while (next < kFirstCommand || next > kLastCommand || commands.count(next))
    next = next >= kLastCommand ? kFirstCommand : next + 1;
  commands[next] = item;
  return next++;
}

// Layout of the standard owner-drawn item.
constexpr int kPictureSize = 16;
constexpr int kGutter = kPictureSize + 6;  // picture and its margins
constexpr int kTextGap = 4;                // gutter to text
constexpr int kShortCutGap = 24;           // caption to short cut text
constexpr int kRightMargin = 16;           // room for the submenu arrow
constexpr int kLineHeight = 8;

// The menu font of the system, normal and bold.
HFONT MenuFont(bool bold) {
  static TFontHandle fonts[2];
  TFontHandle& font = fonts[bold ? 1 : 0];
  if (!font) {
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    LOGFONTA lf{};
    if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) lf = metrics.lfMenuFont;
    else GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf);
    if (bold) lf.lfWeight = FW_BOLD;
    font.Reset(CreateFontIndirectA(&lf));
  }
  return font.Get();
}

std::string ItemText(const TMenuItem& item) {
  std::string text = item.Caption;
  if (item.ShortCut != scNone) text += "\t" + ShortCutToText(item.ShortCut);
  return text;
}

const char* KeyName(uint16_t key) {
  switch (key) {
    case VK_BACK: return "BkSp";
    case VK_TAB: return "Tab";
    case VK_RETURN: return "Enter";
    case VK_ESCAPE: return "Esc";
    case VK_SPACE: return "Space";
    case VK_PRIOR: return "PgUp";
    case VK_NEXT: return "PgDn";
    case VK_END: return "End";
    case VK_HOME: return "Home";
    case VK_LEFT: return "Left";
    case VK_UP: return "Up";
    case VK_RIGHT: return "Right";
    case VK_DOWN: return "Down";
    case VK_INSERT: return "Ins";
    case VK_DELETE: return "Del";
    default: return nullptr;
  }
}

// A tick drawn in the gutter for a checked item without a picture.
void DrawCheck(HDC dc, const RECT& gutter, COLORREF colour) {
  TPenHandle pen(CreatePen(PS_SOLID, 1, colour));
  TSelectGuard select(dc, pen.Get());
  const int x = (gutter.left + gutter.right) / 2 - 3, y = (gutter.top + gutter.bottom) / 2 - 1;
  for (int k = 0; k < 3; ++k) {
    MoveToEx(dc, x, y + k, nullptr);
    LineTo(dc, x + 2, y + 2 + k);
    LineTo(dc, x + 7, y - 3 + k);
  }
}

// The hidden window that owns the popup menus and gets their item messages.
class TPopupWindow : public TWinControl {
public:
  using TWinControl::TWinControl;
  std::string ClassName() const override { return "TPopupWindow"; }
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
    LRESULT result = 0;
    if (HandleMenuMessage(msg, wParam, lParam, result)) return result;
    return TWinControl::WndProc(msg, wParam, lParam);
  }

protected:
  void CreateParams(TCreateParams& p) override {
    p.Style = WS_POPUP;
    p.ExStyle = WS_EX_TOOLWINDOW;
  }
};

HWND PopupWindow() {
  static TPopupWindow* window = new TPopupWindow(&Application());  // owned by the application
  return window->Handle();
}
}  // namespace

TShortCut ShortCut(uint16_t key, TShiftState shift) {
  TShortCut sc = TShortCut(key & 0xFF);
  if (shift & ssShift) sc |= scShift;
  if (shift & ssCtrl) sc |= scCtrl;
  if (shift & ssAlt) sc |= scAlt;
  return sc;
}

std::string ShortCutToText(TShortCut shortCut) {
  const uint16_t key = shortCut & 0xFF;
  std::string name;
  if (const char* n = KeyName(key)) name = n;
  else if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) name = std::string(1, char(key));
  else if (key >= VK_F1 && key <= VK_F24) name = "F" + std::to_string(key - VK_F1 + 1);
  else if (key == 0) return {};
  else name = "#" + std::to_string(key);
  std::string text;
  if (shortCut & scShift) text += "Shift+";
  if (shortCut & scCtrl) text += "Ctrl+";
  if (shortCut & scAlt) text += "Alt+";
  return text + name;
}

std::string EscapeAmpersands(const std::string& text) {
  std::string out;
  for (char c : text) {
    out += c;
    if (c == '&') out += '&';
  }
  return out;
}

std::string StripHotkey(const std::string& caption) {
  std::string out;
  for (size_t i = 0; i < caption.size(); ++i) {
    // "&x" shows x, "&&" shows "&"; a final "&" stays.
    if (caption[i] == '&' && i + 1 < caption.size()) ++i;
    out += caption[i];
  }
  return out;
}

// --- TMenuItem

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner), FCommand(NewCommand(this)) {}

TMenuItem::~TMenuItem() {
  Commands().erase(FCommand);
  if (FParent) FParent->Remove(this);
  for (TMenuItem* item : FItems) item->FParent = nullptr;
}

TBitmap& TMenuItem::Bitmap() {
  if (!FBitmap) FBitmap = std::make_unique<TBitmap>();
  return *FBitmap;
}

int TMenuItem::MenuIndex() const {
  if (!FParent) return -1;
  auto& items = FParent->FItems;
  return int(std::find(items.begin(), items.end(), this) - items.begin());
}

void TMenuItem::Add(TMenuItem* item) { Insert(Count(), item); }

void TMenuItem::Insert(int index, TMenuItem* item) {
  if (item->FParent) item->FParent->Remove(item);
  index = std::clamp(index, 0, Count());
  FItems.insert(FItems.begin() + index, item);
  item->FParent = this;
}

void TMenuItem::Remove(TMenuItem* item) {
  if (std::erase(FItems, item)) item->FParent = nullptr;
}

void TMenuItem::FreeFrom(int index) {
  // The items leave the list first, last one first: each would otherwise
  // search the whole list for itself.
  index = std::clamp(index, 0, Count());
  while (Count() > index) {
    TMenuItem* item = FItems.back();
    FItems.pop_back();
    item->FParent = nullptr;
    delete item;
  }
}

TMenu* TMenuItem::GetParentMenu() const {
  const TMenuItem* item = this;
  while (item->FParent) item = item->FParent;
  return item->FMenu;
}

void TMenuItem::Click() {
  if (Enabled && OnClick) OnClick(this);
}

TMenuItem* TMenuItem::FromCommand(UINT command) {
  auto& commands = Commands();
  auto it = commands.find(command);
  return it == commands.end() ? nullptr : it->second;
}

void TMenuItem::MeasureStandard(TCanvas& canvas, int& width, int& height) const {
  if (IsLine()) {
    width = kGutter;
    height = kLineHeight;
    return;
  }
  HDC dc = canvas.Handle();
  TSelectGuard font(dc, MenuFont(Default));
  RECT r{0, 0, 0, 0};
  DrawTextA(dc, Caption.c_str(), int(Caption.size()), &r, DT_SINGLELINE | DT_CALCRECT);
  width = kGutter + kTextGap + r.right + kRightMargin;
  if (ShortCut != scNone) {
    const std::string sc = ShortCutToText(ShortCut);
    RECT s{0, 0, 0, 0};
    DrawTextA(dc, sc.c_str(), int(sc.size()), &s, DT_SINGLELINE | DT_CALCRECT);
    width += kShortCutGap + s.right;
  }
  height = std::max<int>(r.bottom + 6, kPictureSize + 4);
}

void TMenuItem::DrawStandard(TCanvas& canvas, const RECT& rect, bool selected) const {
  HDC dc = canvas.Handle();
  const int saved = SaveDC(dc);
  const bool highlighted = selected && Enabled && !IsLine();
  FillRect(dc, &rect, GetSysColorBrush(highlighted ? COLOR_HIGHLIGHT : COLOR_MENU));
  if (IsLine()) {
    RECT line{rect.left + kGutter, (rect.top + rect.bottom) / 2 - 1, rect.right - 2, rect.bottom};
    DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
    RestoreDC(dc, saved);
    return;
  }
  const RECT gutter{rect.left, rect.top, rect.left + kGutter, rect.bottom};
  const COLORREF text = GetSysColor(!Enabled ? COLOR_GRAYTEXT : highlighted ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT);
  // The picture: the item's own, else the menu's image.
  TBitmap image;
  const TBitmap* picture = HasBitmap() ? FBitmap.get() : nullptr;
  if (!picture && ImageIndex >= 0) {
    TMenu* menu = GetParentMenu();
    if (menu && menu->Images && ImageIndex < menu->Images->Count()) {
      menu->Images->GetBitmap(ImageIndex, image);
      picture = &image;
    }
  }
  if (picture) {
    const int w = std::min(picture->Width(), kPictureSize), h = std::min(picture->Height(), kPictureSize);
    const int x = gutter.left + (kGutter - w) / 2, y = gutter.top + (gutter.bottom - gutter.top - h) / 2;
    DrawBitmap(dc, *picture, RECT{x, y, x + w, y + h}, true);
    if (Checked) {
      RECT frame{x - 2, y - 2, x + w + 2, y + h + 2};
      DrawEdge(dc, &frame, BDR_SUNKENOUTER, BF_RECT);
    }
  } else if (Checked) {
    DrawCheck(dc, gutter, text);
  }
  SelectObject(dc, MenuFont(Default));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, text);
  RECT area{gutter.right + kTextGap, rect.top, rect.right - kRightMargin, rect.bottom};
  DrawTextA(dc, Caption.c_str(), int(Caption.size()), &area, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
  if (ShortCut != scNone) {
    const std::string sc = ShortCutToText(ShortCut);
    DrawTextA(dc, sc.c_str(), int(sc.size()), &area, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
  }
  RestoreDC(dc, saved);
}

// --- TMenu

TMenu::TMenu(TComponent* owner) : TComponent(owner), FItems(new TMenuItem(this)) {
  FItems->FMenu = this;
}

TMenu::~TMenu() {
  // The items of other owners keep living without this menu.
  FItems->FMenu = nullptr;
}

void TMenu::Notification(TComponent* component, TOperation operation) {
  if (operation == opRemove && component == FItems) FItems = nullptr;
}

namespace {
TMenuItem* FindShortCut(TMenuItem* parent, TShortCut sc) {
  for (int i = 0; i < parent->Count(); ++i) {
    TMenuItem* item = parent->Items(i);
    if (!item->Visible || !item->Enabled) continue;
    if (item->ShortCut == sc) return item;
    if (TMenuItem* found = FindShortCut(item, sc)) return found;
  }
  return nullptr;
}
}  // namespace

bool TMenu::IsShortCut(uint16_t key, TShiftState shift) {
  if (!FItems || key == 0) return false;
  TMenuItem* item = FindShortCut(FItems, ShortCut(key, shift));
  if (!item) return false;
  item->Click();
  return true;
}

namespace {
// The submenus of the open popup menu still to be filled, with the command
// of the item that holds them (the item is looked up again when its submenu
// opens: it may be gone by then).
std::map<HMENU, UINT>& PendingSubmenus() {
  static auto* pending = new std::map<HMENU, UINT>;  // lives until the process ends
  return *pending;
}
}  // namespace

HMENU TMenu::BuildMenu(TMenuItem* parent, bool popup) const {
  TMenuHandle menu(popup ? CreatePopupMenu() : CreateMenu());
  FillMenu(menu.Get(), parent, popup, false);
  return menu.Release();
}

void TMenu::FillMenu(HMENU menu, TMenuItem* parent, bool popup, bool lazy) const {
  UINT position = 0;
  for (int i = 0; i < parent->Count(); ++i) {
    TMenuItem* item = parent->Items(i);
    if (!item->Visible) continue;
    const std::string text = ItemText(*item);
    MENUITEMINFOA mii{};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_DATA;
    mii.fType = item->IsLine() ? MFT_SEPARATOR : 0;
    // The bar of a form is drawn by Windows; popups owner-draw their items.
    if (OwnerDraw && popup) {
      mii.fType |= MFT_OWNERDRAW;
    } else if (!item->IsLine()) {
      mii.fMask |= MIIM_STRING;
      mii.dwTypeData = const_cast<char*>(text.c_str());
    }
    mii.fState = (item->Enabled ? 0 : MFS_GRAYED) | (item->Checked ? MFS_CHECKED : 0) |
                 (item->Default ? MFS_DEFAULT : 0);
    mii.wID = item->Command();
    mii.dwItemData = ULONG_PTR(item);
    if (item->Count() > 0) {
      mii.fMask |= MIIM_SUBMENU;
      if (lazy) {
        mii.hSubMenu = CreatePopupMenu();
        PendingSubmenus()[mii.hSubMenu] = item->Command();
      } else {
        mii.hSubMenu = BuildMenu(item, true);
      }
    }
    InsertMenuItemA(menu, position++, TRUE, &mii);
  }
}

// --- TPopupMenu

TPopupMenu::TPopupMenu(TComponent* owner) : TMenu(owner) { OwnerDraw = true; }

void TPopupMenu::Popup(int x, int y) {
  if (OnPopup) OnPopup(this);
  HWND window = PopupWindow();
  TMenuHandle menu(CreatePopupMenu());
  FillMenu(menu.Get(), Items(), true, true);
  static const UINT align[] = {TPM_LEFTALIGN, TPM_RIGHTALIGN, TPM_CENTERALIGN};
  const UINT command =
      UINT(TrackPopupMenu(menu.Get(), align[Alignment] | TPM_RETURNCMD | TPM_RIGHTBUTTON, x, y, 0, window, nullptr));
  menu.Reset();
  PendingSubmenus().clear();
  // The menu is gone before the command runs (it may open a modal window).
  PostMessageA(window, WM_NULL, 0, 0);
  if (TMenuItem* item = command ? TMenuItem::FromCommand(command) : nullptr) item->Click();
}

// --- TMainMenu

void TMainMenu::AttachTo(HWND form) {
  FWindow = form;
  Rebuild();
}

void TMainMenu::Rebuild() {
  if (!FWindow || !IsWindow(FWindow)) return;
  TMenuHandle bar(BuildMenu(Items(), false));
  TMenuHandle old(GetMenu(FWindow));  // the window's until SetMenu replaces it
  SetMenu(FWindow, bar.Release());
  DrawMenuBar(FWindow);
}

// --- the menu messages

bool HandleMenuMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (msg) {
    case WM_COMMAND: {
      if (lParam != 0 || HIWORD(wParam) != 0) return false;
      TMenuItem* item = TMenuItem::FromCommand(LOWORD(wParam));
      if (!item) return false;
      item->Click();
      result = 0;
      return true;
    }
    case WM_INITMENUPOPUP: {
      auto& pending = PendingSubmenus();
      auto it = pending.find(HMENU(wParam));
      if (it == pending.end()) return false;
      TMenuItem* item = TMenuItem::FromCommand(it->second);
      pending.erase(it);
      if (TMenu* menu = item ? item->GetParentMenu() : nullptr) menu->FillMenu(HMENU(wParam), item, true, true);
      result = 0;
      return true;
    }
    case WM_MEASUREITEM: {
      auto* m = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
      if (m->CtlType != ODT_MENU || !m->itemData) return false;
      auto* item = reinterpret_cast<TMenuItem*>(m->itemData);
      TWindowDC screen(nullptr);
      TCanvas canvas(screen.DC());
      int width = 0, height = 0;
      item->MeasureStandard(canvas, width, height);
      if (item->OnMeasureItem) item->OnMeasureItem(item, canvas, width, height);
      m->itemWidth = UINT(std::max(width, 0));
      m->itemHeight = UINT(std::max(height, 0));
      result = TRUE;
      return true;
    }
    case WM_DRAWITEM: {
      auto* d = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
      if (d->CtlType != ODT_MENU || !d->itemData) return false;
      auto* item = reinterpret_cast<TMenuItem*>(d->itemData);
      TCanvas canvas(d->hDC);
      const bool selected = (d->itemState & ODS_SELECTED) != 0;
      if (item->OnDrawItem) item->OnDrawItem(item, canvas, d->rcItem, selected);
      else item->DrawStandard(canvas, d->rcItem, selected);
      result = TRUE;
      return true;
    }
  }
  return false;
}
