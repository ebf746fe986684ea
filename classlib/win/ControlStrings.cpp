// TControlStrings and the items of the list controls.
#include "ControlStrings.h"

#include <algorithm>

#include "Controls.h"
#include "SysUtils.h"

// --- TControlStrings

int TControlStrings::Add(const std::string& s) {
  int i = Count();
  Insert(i, s);
  return i;
}

int TControlStrings::IndexOf(const std::string& s) const {
  for (int i = 0, n = Count(); i < n; ++i)
    if (SameText(Strings(i), s)) return i;
  return -1;
}

TStringList TControlStrings::ToStringList() const {
  TStringList list;
  for (int i = 0, n = Count(); i < n; ++i) list.Add(Strings(i));
  return list;
}

std::string TControlStrings::Text() const { return ToStringList().Text(); }

void TControlStrings::SetText(const std::string& text) {
  TStringList list;
  list.SetText(text);
  Assign(list);
}

void TControlStrings::Assign(const TStringList& list) {
  Clear();
  for (const std::string& s : list.Items()) Add(s);
}

void TControlStrings::LoadFromFile(const std::string& name) {
  TStringList list;
  list.LoadFromFile(name);
  Assign(list);
}

void TControlStrings::SaveToFile(const std::string& name) const { ToStringList().SaveToFile(name); }

// --- TListItems

void TListItems::CheckIndex(int i) const {
  if (i < 0 || i >= Count()) throw EListError("List index out of bounds (" + IntToStr(i) + ")");
}

std::string TListItems::Strings(int i) const {
  CheckIndex(i);
  return FItems[size_t(i)].Text;
}

TPersistent* TListItems::Objects(int i) const {
  CheckIndex(i);
  return FItems[size_t(i)].Object;
}

bool TListItems::Checked(int i) const {
  CheckIndex(i);
  return FItems[size_t(i)].Checked;
}

void TListItems::SetChecked(int i, bool checked) {
  CheckIndex(i);
  FItems[size_t(i)].Checked = checked;
  FControl.Invalidate();
}

int TListItems::InsertItem(int i, TItem item) {
  if (i < 0 || i > Count()) throw EListError("List index out of bounds (" + IntToStr(i) + ")");
  if (Sorted) {
    auto at = std::upper_bound(FItems.begin(), FItems.end(), item.Text,
                               [](const std::string& s, const TItem& e) { return CompareText(s, e.Text) < 0; });
    i = int(at - FItems.begin());
  }
  if (FControl.HandleAllocated())
    SendMessageA(FControl.Handle(), FMessages.Insert, WPARAM(i), LPARAM(item.Text.c_str()));
  FItems.insert(FItems.begin() + i, std::move(item));
  return i;
}

void TListItems::Insert(int i, const std::string& s) { InsertItem(i, TItem{s}); }

int TListItems::Add(const std::string& s) { return AddObject(s, nullptr); }

int TListItems::AddObject(const std::string& s, TPersistent* object) { return InsertItem(Count(), TItem{s, object}); }

void TListItems::SetString(int i, const std::string& s) {
  CheckIndex(i);
  TItem item = FItems[size_t(i)];
  item.Text = s;
  Delete(i);
  InsertItem(i, std::move(item));
}

void TListItems::Delete(int i) {
  CheckIndex(i);
  FItems.erase(FItems.begin() + i);
  if (FControl.HandleAllocated()) SendMessageA(FControl.Handle(), FMessages.Delete, WPARAM(i), 0);
}

void TListItems::Clear() {
  FItems.clear();
  if (FControl.HandleAllocated()) SendMessageA(FControl.Handle(), FMessages.Reset, 0, 0);
}

void TListItems::FillWindow() const {
  HWND wnd = FControl.Handle();
  SendMessageA(wnd, FMessages.Reset, 0, 0);
  for (size_t i = 0; i < FItems.size(); ++i)
    SendMessageA(wnd, FMessages.Insert, WPARAM(i), LPARAM(FItems[i].Text.c_str()));
}
