// TListBox, TCheckListBox and TComboBox.
#include "StdLists.h"

#include <windowsx.h>

namespace {
constexpr TListItems::TMessages kListMessages{LB_INSERTSTRING, LB_DELETESTRING, LB_RESETCONTENT};
constexpr TListItems::TMessages kComboMessages{CB_INSERTSTRING, CB_DELETESTRING, CB_RESETCONTENT};
constexpr int kCheckSize = 13, kCheckMargin = 2;

// An owner-drawn item's canvas, filled in the item's colours, and its state.
TOwnerDrawState PrepareItem(const TWinControl& control, TCanvas& canvas, const DRAWITEMSTRUCT& d) {
  TOwnerDrawState state = 0;
  if (d.itemState & ODS_SELECTED) state |= odSelected;
  if (d.itemState & ODS_FOCUS) state |= odFocused;
  if (d.itemState & ODS_COMBOBOXEDIT) state |= odComboBoxEdit;
  if (d.itemState & ODS_DISABLED) state |= odDisabled;
  canvas.Font = control.Font;
  canvas.BrushColor = (state & odSelected) ? clHighlight : control.Color;
  canvas.Font.Color = (state & odSelected) ? clHighlightText : control.Font.Color;
  canvas.FillRect(d.rcItem);
  return state;
}

void DrawItemText(TCanvas& canvas, const RECT& r, int x, const std::string& text) {
  SIZE size = canvas.TextExtent(text);
  canvas.TextRect(r, x, r.top + (r.bottom - r.top - size.cy) / 2, text);
}
}  // namespace

// --- TListBox

TListBox::TListBox(TComponent* owner) : TStdControl(owner), Items(*this, kListMessages) { Color = clWindow; }

void TListBox::CreateParams(TCreateParams& p) {
  UseSystemClass(p, "LISTBOX");
  p.Style |= WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
  if (MultiSelect) p.Style |= LBS_EXTENDEDSEL;
  if (Columns > 0) p.Style |= LBS_MULTICOLUMN | WS_HSCROLL;
  p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TListBox::CreateHandle() {
  TStdControl::CreateHandle();
  Items.FillWindow();
  if (Columns > 0) SendMessageA(FHandle, LB_SETCOLUMNWIDTH, std::max(1, Width() / Columns), 0);
  SetItemIndex(FItemIndex);
}

int TListBox::ItemIndex() const {
  if (!FHandle) return FItemIndex;
  if (Items.Count() == 0) return -1;
  return int(SendMessageA(FHandle, MultiSelect ? LB_GETCARETINDEX : LB_GETCURSEL, 0, 0));
}

void TListBox::SetItemIndex(int index) {
  if (index < -1 || index >= Items.Count()) index = -1;
  FItemIndex = index;
  if (!FHandle) return;
  if (!MultiSelect) {
    SendMessageA(FHandle, LB_SETCURSEL, WPARAM(index), 0);
    return;
  }
  SendMessageA(FHandle, LB_SETSEL, FALSE, -1);
  if (index < 0) return;
  SendMessageA(FHandle, LB_SETSEL, TRUE, index);
  SendMessageA(FHandle, LB_SETCARETINDEX, WPARAM(index), FALSE);
}

bool TListBox::Selected(int index) const {
  if (!FHandle) return index >= 0 && index == FItemIndex;
  return SendMessageA(FHandle, LB_GETSEL, WPARAM(index), 0) > 0;
}

void TListBox::SetSelected(int index, bool selected) {
  if (MultiSelect && FHandle) SendMessageA(FHandle, LB_SETSEL, selected, index);
  else if (selected) SetItemIndex(index);
  else if (ItemIndex() == index) SetItemIndex(-1);
}

int TListBox::SelCount() const {
  if (MultiSelect && FHandle) return int(SendMessageA(FHandle, LB_GETSELCOUNT, 0, 0));
  return ItemIndex() >= 0 ? 1 : 0;
}

bool TListBox::CommandNotify(WORD code) {
  if (code == LBN_SELCHANGE) Click();
  else if (code == LBN_DBLCLK) DblClick();
  else return false;
  return true;
}

// --- TCheckListBox

void TCheckListBox::CreateParams(TCreateParams& p) {
  TListBox::CreateParams(p);
  p.Style |= LBS_OWNERDRAWFIXED | LBS_HASSTRINGS;
}

void TCheckListBox::CreateHandle() {
  TListBox::CreateHandle();
  // WM_MEASUREITEM came while the window was being made, before it was ours.
  SendMessageA(FHandle, LB_SETITEMHEIGHT, 0, kCheckSize + 2 * kCheckMargin + 1);
}

bool TCheckListBox::Reflected(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (msg == WM_MEASUREITEM) {
    reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = kCheckSize + 2 * kCheckMargin + 1;
    result = TRUE;
    return true;
  }
  if (msg != WM_DRAWITEM) return TListBox::Reflected(msg, wParam, lParam, result);
  const auto& d = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
  result = TRUE;
  if (int(d.itemID) < 0 || int(d.itemID) >= Items.Count()) return true;
  TCanvas canvas(d.hDC);
  TOwnerDrawState state = PrepareItem(*this, canvas, d);
  int top = d.rcItem.top + (d.rcItem.bottom - d.rcItem.top - kCheckSize) / 2;
  RECT box{d.rcItem.left + kCheckMargin, top, d.rcItem.left + kCheckMargin + kCheckSize, top + kCheckSize};
  DrawFrameControl(d.hDC, &box, DFC_BUTTON,
                   DFCS_BUTTONCHECK | (Items.Checked(int(d.itemID)) ? DFCS_CHECKED : 0) |
                       (Enabled ? 0 : DFCS_INACTIVE));
  DrawItemText(canvas, d.rcItem, box.right + 2 * kCheckMargin, Items.Strings(int(d.itemID)));
  if (state & odFocused) DrawFocusRect(d.hDC, &d.rcItem);
  return true;
}

void TCheckListBox::Toggle(int index) {
  if (index < 0 || index >= Items.Count()) return;
  SetChecked(index, !Checked(index));
  if (OnClickCheck) OnClickCheck(this);
}

LRESULT TCheckListBox::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_LBUTTONDOWN && GET_X_LPARAM(lParam) < kCheckSize + 2 * kCheckMargin) {
    LRESULT hit = SendMessageA(FHandle, LB_ITEMFROMPOINT, 0, lParam);
    LRESULT r = TListBox::WndProc(msg, wParam, lParam);
    if (HIWORD(hit) == 0) Toggle(LOWORD(hit));
    return r;
  }
  return TListBox::WndProc(msg, wParam, lParam);
}

bool TCheckListBox::KeyPress(wchar_t& key) {
  if (key != L' ') return TListBox::KeyPress(key);
  Toggle(ItemIndex());
  return true;
}

// --- TComboBox

TComboBox::TComboBox(TComponent* owner) : TStdControl(owner), Items(*this, kComboMessages) { Color = clWindow; }

void TComboBox::CreateParams(TCreateParams& p) {
  UseSystemClass(p, "COMBOBOX");
  static const DWORD styles[] = {CBS_DROPDOWN | CBS_AUTOHSCROLL, CBS_DROPDOWNLIST,
                                 CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS};
  p.Style |= WS_TABSTOP | WS_VSCROLL | styles[Style];
}

void TComboBox::CreateHandle() {
  TStdControl::CreateHandle();
  if (Style == csOwnerDrawFixed) {
    // WM_MEASUREITEM came while the window was being made, before it was ours.
    SendMessageA(FHandle, CB_SETITEMHEIGHT, WPARAM(-1), ItemHeight);
    SendMessageA(FHandle, CB_SETITEMHEIGHT, 0, ItemHeight);
  }
  Items.FillWindow();
  SizeDroppedList();
  if (FItemIndex >= 0) SetItemIndex(FItemIndex);
  else if (Style == csDropDown) SetWindowTextA(FHandle, FText.c_str());
}

void TComboBox::SizeDroppedList() {
  if (!FHandle) return;
  int row = int(SendMessageA(FHandle, CB_GETITEMHEIGHT, 0, 0));
  SetWindowPos(FHandle, nullptr, 0, 0, Width(), Height() + std::max(1, DropDownCount) * row + 2,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TComboBox::SetBounds(int left, int top, int width, int height) {
  TStdControl::SetBounds(left, top, width, height);
  SizeDroppedList();
}

int TComboBox::ItemIndex() const {
  if (!FHandle) return FItemIndex;
  return int(SendMessageA(FHandle, CB_GETCURSEL, 0, 0));
}

void TComboBox::SetItemIndex(int index) {
  if (index < -1 || index >= Items.Count()) index = -1;
  FItemIndex = index;
  if (FHandle) SendMessageA(FHandle, CB_SETCURSEL, WPARAM(index), 0);
}

std::string TComboBox::Text() const {
  if (Style == csDropDown) return FHandle ? WindowText(FHandle) : FText;
  int i = ItemIndex();
  return i >= 0 ? Items.Strings(i) : std::string();
}

void TComboBox::SetText(const std::string& text) {
  if (Style != csDropDown) {
    SetItemIndex(Items.IndexOf(text));
    return;
  }
  FText = text;
  if (FHandle) SetWindowTextA(FHandle, text.c_str());
}

bool TComboBox::CommandNotify(WORD code) {
  if (code == CBN_SELCHANGE) {
    // The edit shows the chosen item only after this notification: put it
    // there now, so that OnChange reads the new text.
    int i = ItemIndex();
    if (Style == csDropDown && i >= 0) SetWindowTextA(FHandle, Items.Strings(i).c_str());
  } else if (code != CBN_EDITCHANGE) {
    return false;
  }
  if (OnChange) OnChange(this);
  return true;
}

bool TComboBox::Reflected(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (msg == WM_MEASUREITEM) {
    reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = UINT(ItemHeight);
    result = TRUE;
    return true;
  }
  if (msg != WM_DRAWITEM) return TStdControl::Reflected(msg, wParam, lParam, result);
  const auto& d = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
  result = TRUE;
  TCanvas canvas(d.hDC);
  TOwnerDrawState state = PrepareItem(*this, canvas, d);
  int index = int(d.itemID);
  if (index >= 0 && index < Items.Count()) {
    if (OnDrawItem) OnDrawItem(this, canvas, index, d.rcItem, state);
    else DrawItemText(canvas, d.rcItem, d.rcItem.left + 2, Items.Strings(index));
  }
  if ((state & odFocused) && !(state & odComboBoxEdit)) DrawFocusRect(d.hDC, &d.rcItem);
  return true;
}

LRESULT TComboBox::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  // The edit and the list inside the box ask the box for their colours.
  if (msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC) {
    LRESULT result = 0;
    if (TStdControl::Reflected(msg, wParam, lParam, result)) return result;
  }
  return TStdControl::WndProc(msg, wParam, lParam);
}
