// The combo box in-place editor.
#include "ExtGridEditors.h"

#include <commctrl.h>

#include <algorithm>
#include <optional>

#include "Forms.h"

namespace {
constexpr int kComboButtonWidth = 16;
constexpr int kDropWidthMargin = 6;  // beyond the widest item text
constexpr UINT_PTR kEditSubclass = 1;

// The edit inside a drop-down combo: its keys go to the combo editor.
LRESULT CALLBACK ComboEditProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
  auto* combo = reinterpret_cast<TGridCombo*>(data);
  std::optional<LRESULT> handled;
  const bool ok = Application().Guarded([&] {
    switch (msg) {
      case WM_KEYDOWN:
        if (combo->EditorKey(uint16_t(wParam), KeyboardShift())) handled = 0;
        break;
      case WM_CHAR: {
        if (wParam == '\r' || wParam == '\n' || wParam == '\t' || wParam == VK_ESCAPE) {
          handled = 0;
          break;
        }
        handled = DefSubclassProc(wnd, msg, wParam, lParam);
        if (wParam >= 32) combo->Complete();
        break;
      }
      case WM_NCDESTROY:
        RemoveWindowSubclass(wnd, ComboEditProc, kEditSubclass);
        break;
    }
  });
  if (!ok) return 0;
  if (handled) return *handled;
  return DefSubclassProc(wnd, msg, wParam, lParam);
}

bool StartsWith(const std::string& item, const std::string& typed, bool caseSensitive) {
  if (item.size() < typed.size()) return false;
  return caseSensitive ? item.compare(0, typed.size(), typed) == 0 : SameText(item.substr(0, typed.size()), typed);
}
}  // namespace

TGridCombo::TGridCombo(TGridEditorHost& host, TWinControl& grid) : TGridEditorOn(host) {
  SetButtonWidth(kComboButtonWidth);
  PutOnGrid(*this, grid);
}

void TGridCombo::CreateHandle() {
  TESGComboBox::CreateHandle();
  FEdit = nullptr;
  if (Style != csDropDown) return;
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  if (GetComboBoxInfo(FHandle, &info) && info.hwndItem) {
    FEdit = info.hwndItem;
    SetWindowSubclass(FEdit, ComboEditProc, kEditSubclass, DWORD_PTR(this));
  }
}

TGridCombo::~TGridCombo() {
  // No key of the dying edit may reach this object.
  if (FEdit && FHandle) RemoveWindowSubclass(FEdit, ComboEditProc, kEditSubclass);
}

void TGridCombo::LoadCell(TEditorType type, const std::string& text) {
  Began();
  TComboBoxStyle style = type == etComboList ? csDropDownList : csDropDown;
  if (style != Style) {
    Style = style;
    if (FHandle) {
      DestroyHandle();
      if (FParent && FParent->HandleAllocated()) Handle();
    }
  }
  if (Style == csDropDownList) {
    int index = Items.IndexOf(text);
    if (index < 0) index = ItemIndex();
    if (index < 0 && Items.Count() > 0) index = 0;
    SetItemIndex(index);
  } else {
    SetItemIndex(Items.IndexOf(text));
    SetText(text);
  }
  FStartIndex = ItemIndex();
}

void TGridCombo::RestoreStart() {
  SetItemIndex(FStartIndex);
  if (Style == csDropDown) SetText(FHost.EditStartText());
}

void TGridCombo::ShowText(const std::string& text) {
  if (Style == csDropDown) SetText(text);
  else if (int index = Items.IndexOf(text); index >= 0) SetItemIndex(index);
}

bool TGridCombo::EditorKey(uint16_t key, TShiftState shift) {
  // The open list, and a list's Left and Right, keep their keys.
  if (DroppedDown()) return false;
  if (Style == csDropDownList && (key == VK_LEFT || key == VK_RIGHT)) return false;
  return CommonKey(key, shift, false);
}

void TGridCombo::Complete() {
  TGridEditorSettings settings = FHost.EditorSettings();
  if (!settings.Lookup || Style != csDropDown) return;
  std::string typed = Text();
  DWORD start = 0, end = 0;
  SendMessageA(FHandle, CB_GETEDITSEL, WPARAM(&start), LPARAM(&end));
  if (typed.empty() || start != typed.size() || end != typed.size()) return;
  for (int i = 0; i < Items.Count(); ++i) {
    std::string item = Items.Strings(i);
    if (item.size() <= typed.size() || !StartsWith(item, typed, settings.LookupCaseSensitive)) continue;
    SetText(item);
    // The completed part selected, so that typing goes on over it.
    SendMessageA(FHandle, CB_SETEDITSEL, 0, MAKELPARAM(typed.size(), -1));
    return;
  }
}

void TGridCombo::SizeDropWidth() {
  TWindowDC dc(FHandle);
  HGDIOBJ font = HGDIOBJ(SendMessageA(FHandle, WM_GETFONT, 0, 0));
  TSelectGuard s(dc.DC(), font ? font : GetStockObject(DEFAULT_GUI_FONT));
  int widest = 0;
  for (const std::string& item : Items.Items()) {
    SIZE size{0, 0};
    GetTextExtentPoint32A(dc.DC(), item.c_str(), int(item.size()), &size);
    widest = std::max(widest, int(size.cx));
  }
  if (widest + kDropWidthMargin > Width()) SendMessageA(FHandle, CB_SETDROPPEDWIDTH, WPARAM(widest + kDropWidthMargin), 0);
}

bool TGridCombo::CommandNotify(WORD code) {
  switch (code) {
    case CBN_DROPDOWN:
      SizeDropWidth();
      break;
    case CBN_SELCHANGE: {
      TESGComboBox::CommandNotify(code);
      int i = ItemIndex();
      if (i >= 0) FHost.ComboChanged(i, Items.Strings(i), Items.Objects(i));
      return true;
    }
    case CBN_EDITCHANGE:
      TESGComboBox::CommandNotify(code);
      FHost.ComboChanged(-1, Text(), nullptr);
      return true;
    case CBN_KILLFOCUS: {
      TESGComboBox::CommandNotify(code);
      std::string text = Text();
      if (FHost.EditorSettings().LookupHistory && !text.empty() && Items.IndexOf(text) < 0) Items.Add(text);
      Leave();
      return true;
    }
  }
  return TESGComboBox::CommandNotify(code);
}

LRESULT TGridCombo::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_MOUSEWHEEL: {
      // One item up (not above the first) or down.
      int i = ItemIndex(), count = Items.Count();
      int next = GET_WHEEL_DELTA_WPARAM(wParam) > 0 ? std::max(0, i - 1) : std::min(count - 1, i + 1);
      if (count > 0 && next != i) {
        SetItemIndex(next);
        if (Style == csDropDown) SetText(Items.Strings(next));
        FHost.ComboChanged(next, Items.Strings(next), Items.Objects(next));
      }
      return 0;
    }
  }
  return TESGComboBox::WndProc(msg, wParam, lParam);
}
