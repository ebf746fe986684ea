// TCollection and the name-hashed collection.
#include "DXClass.h"

#include <algorithm>


// --- TCollectionItem

TCollectionItem::TCollectionItem(TCollection* collection) : FCollection(collection) {
  if (FCollection) FCollection->Insert(this);
}

TCollectionItem::~TCollectionItem() {
  if (FCollection) FCollection->Remove(this);
}

int TCollectionItem::Index() const { return FCollection ? FCollection->IndexOf(this) : -1; }

void TCollectionItem::SetIndex(int index) {
  if (!FCollection) return;
  FCollection->Move(FCollection->IndexOf(this), std::clamp(index, 0, FCollection->Count() - 1));
}

// --- TCollection

TCollection::~TCollection() { Clear(); }

TCollectionItem* TCollection::Items(int index) const {
  if (index < 0 || index >= Count()) throw EListError("List index out of bounds (" + IntToStr(index) + ")");
  return FItems[size_t(index)];
}

int TCollection::IndexOf(const TCollectionItem* item) const {
  auto it = std::find(FItems.begin(), FItems.end(), item);
  return it == FItems.end() ? -1 : int(it - FItems.begin());
}

TCollectionItem* TCollection::Add() { return FItemClass(*this); }

void TCollection::Delete(int index) { delete Items(index); }

void TCollection::Clear() {
  while (!FItems.empty()) delete FItems.back();
}

void TCollection::Assign(const TPersistent& source) {
  const auto& from = AssignSource(*this, source);
  if (&from == this) return;
  Clear();
  for (TCollectionItem* item : from.FItems) Add()->Assign(*item);
}

void TCollection::Insert(TCollectionItem* item) {
  FItems.push_back(item);
  Changed();
}

void TCollection::Remove(TCollectionItem* item) {
  std::erase(FItems, item);
  Changed();
}

void TCollection::Move(int from, int to) {
  if (from == to || from < 0) return;
  TCollectionItem* item = FItems[size_t(from)];
  FItems.erase(FItems.begin() + from);
  FItems.insert(FItems.begin() + to, item);
  Changed();
}

// --- the hashed collection

int HashName(const std::string& name) {
  std::string lower = LowerCase(name);
  uint32_t h = uint32_t(lower.size()) * 16;
  if (lower.size() >= 2) h += uint8_t(lower.front()) + uint8_t(lower[lower.size() - 2]);
  return int(h & 255);
}

void THashCollection::Changed() {
  // Every move and removal renumbers all items, so no remembered index can
  // go stale (items not yet fully made are numbered by their own constructor).
  for (int i = 0; i < Count(); ++i)
    if (auto* item = dynamic_cast<THashCollectionItem*>(Items(i))) item->FIndex = i;
}

void THashCollection::Assign(const TPersistent& source) {
  TCollection::Assign(source);
  if (auto* from = dynamic_cast<const THashCollection*>(&source); from && from != this)
    for (int i = 0; i < Count(); ++i)
      static_cast<THashCollectionItem*>(Items(i))->SetName(static_cast<THashCollectionItem*>(from->Items(i))->Name());
}

THashCollectionItem::THashCollectionItem(THashCollection* collection) : TCollectionItem(collection) {
  FIndex = TCollectionItem::Index();
  File();
}

THashCollectionItem::~THashCollectionItem() { Unfile(); }

void THashCollectionItem::File() {
  if (!Collection()) return;
  FHash = HashName(FName);
  auto& head = Chains().FChains[size_t(FHash)];
  FPrev = nullptr;
  FNext = head;
  if (head) head->FPrev = this;
  head = this;
}

void THashCollectionItem::Unfile() {
  if (FHash < 0) return;
  if (FPrev) FPrev->FNext = FNext;
  else Chains().FChains[size_t(FHash)] = FNext;
  if (FNext) FNext->FPrev = FPrev;
  FPrev = FNext = nullptr;
  FHash = -1;
}

void THashCollectionItem::SetName(const std::string& name) {
  if (name == FName) return;
  FName = name;
  Unfile();
  File();
}

std::string THashCollectionItem::DisplayName() const {
  return FName.empty() ? TCollectionItem::DisplayName() : FName;
}

void THashCollectionItem::SetIndex(int index) {
  if (index != FIndex) TCollectionItem::SetIndex(index);
}

void THashCollectionItem::Assign(const TPersistent& source) {
  if (auto* item = dynamic_cast<const THashCollectionItem*>(&source)) {
    SetName(item->Name());
    return;
  }
  TCollectionItem::Assign(source);
}
