// Integer lists with a top-bit mark.
#include "ExtGridIntList.h"

void TIntList::Assign(const TPersistent& source) {
  const auto* s = dynamic_cast<const TIntList*>(&source);
  if (!s) return TPersistent::Assign(source);
  FItems = s->FItems;
}

void TIntList::SetItem(int i, int v) {
  FItems.at(size_t(i)) = v;
  if (OnChange) OnChange(*this, Column, Row);
}

int TIntList::Add(int v, bool flag) {
  FItems.push_back(flag ? v : (v | kSortDescendingBit));
  if (OnChange) OnChange(*this, Column, Row);
  return Count() - 1;
}

int TIntList::IndexOf(int v) const {
  for (size_t i = 0; i < FItems.size(); ++i)
    if ((FItems[i] & ~kSortDescendingBit) == (v & ~kSortDescendingBit)) return int(i);
  return -1;
}

void TIntList::Toggle(int v) {
  int i = IndexOf(v);
  if (i >= 0) FItems[size_t(i)] ^= kSortDescendingBit;
}
