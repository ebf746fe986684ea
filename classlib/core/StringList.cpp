// TStringList.
#include "StringList.h"

#include <algorithm>

#include "Filer.h"
#include "Streams.h"

void TStringList::Assign(const TPersistent& source) {
  if (auto* s = dynamic_cast<const TStringList*>(&source)) {
    FItems = s->FItems;
    return;
  }
  TPersistent::Assign(source);
}

void TStringList::DefineProperties(TFiler& filer) { filer.StringsProperty("Strings", FItems); }

void TStringList::CheckIndex(int i) const {
  if (i < 0 || i >= Count()) throw EListError("List index out of bounds (" + IntToStr(i) + ")");
}

const std::string& TStringList::Strings(int i) const {
  CheckIndex(i);
  return FItems[i];
}

void TStringList::SetString(int i, const std::string& s) {
  CheckIndex(i);
  FItems[i] = s;
}

int TStringList::Add(const std::string& s) {
  if (!Sorted) {
    FItems.push_back(s);
    return Count() - 1;
  }
  auto it = std::lower_bound(FItems.begin(), FItems.end(), s,
                             [](const std::string& a, const std::string& b) { return CompareText(a, b) < 0; });
  if (IgnoreDuplicates && it != FItems.end() && CompareText(*it, s) == 0) return int(it - FItems.begin());
  return int(FItems.insert(it, s) - FItems.begin());
}

void TStringList::Insert(int i, const std::string& s) {
  if (i < 0 || i > Count()) throw EListError("List index out of bounds (" + IntToStr(i) + ")");
  FItems.insert(FItems.begin() + i, s);
}

void TStringList::Delete(int i) {
  CheckIndex(i);
  FItems.erase(FItems.begin() + i);
}

void TStringList::Exchange(int i, int j) {
  CheckIndex(i);
  CheckIndex(j);
  std::swap(FItems[i], FItems[j]);
}

int TStringList::IndexOf(const std::string& s) const {
  for (int i = 0; i < Count(); ++i)
    if (SameText(FItems[i], s)) return i;
  return -1;
}

void TStringList::Sort() {
  std::stable_sort(FItems.begin(), FItems.end(),
                   [](const std::string& a, const std::string& b) { return CompareText(a, b) < 0; });
}

std::string TStringList::Text() const {
  std::string r;
  for (const auto& s : FItems) r += s + "\r\n";
  return r;
}

void TStringList::SetText(const std::string& text) {
  FItems.clear();
  size_t i = 0, n = text.size();
  while (i < n) {
    size_t j = i;
    while (j < n && text[j] != '\r' && text[j] != '\n') ++j;
    FItems.push_back(text.substr(i, j - i));
    if (j < n && text[j] == '\r') {
      ++j;
      if (j < n && text[j] == '\n') ++j;
    } else if (j < n) {
      ++j;
    }
    i = j;
  }
  if (Sorted) Sort();
}

void TStringList::LoadFromStream(TStream& s) {
  int64_t n = s.Size() - s.Position();
  std::string text(n > 0 ? (size_t)n : 0, '\0');
  s.ReadBuffer(text.data(), (int64_t)text.size());
  SetText(text);
}

void TStringList::SaveToStream(TStream& s) const { s.WriteString(Text()); }

void TStringList::LoadFromFile(const std::string& name) {
  TFileStream f(name, fmOpenRead);
  LoadFromStream(f);
}

void TStringList::SaveToFile(const std::string& name) const {
  SaveFileAtomically(name, [this](TStream& s) { SaveToStream(s); });
}

std::string TStringList::Names(int i) const {
  const std::string& s = Strings(i);
  size_t p = s.find('=');
  return p == std::string::npos ? "" : s.substr(0, p);
}

int TStringList::IndexOfName(const std::string& name) const {
  for (int i = 0; i < Count(); ++i) {
    size_t p = FItems[i].find('=');
    if (p != std::string::npos && SameText(std::string_view(FItems[i]).substr(0, p), name)) return i;
  }
  return -1;
}

std::string TStringList::Values(const std::string& name) const {
  int i = IndexOfName(name);
  return i < 0 ? "" : FItems[i].substr(FItems[i].find('=') + 1);
}

void TStringList::SetValue(const std::string& name, const std::string& value) {
  int i = IndexOfName(name);
  if (value.empty()) {
    if (i >= 0) Delete(i);
  } else if (i >= 0) {
    FItems[i] = name + "=" + value;
  } else {
    Add(name + "=" + value);
  }
}
