// Integer lists of the grid: the export column widths and the sort index
// (a column number per entry, the top bit marking a descending one).
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "Classes.h"

class TIntList : public TPersistent {
public:
  std::string ClassName() const override { return "TIntList"; }
  void Assign(const TPersistent& source) override;

  int Count() const { return int(FItems.size()); }
  int Items(int i) const { return FItems.at(size_t(i)); }
  void SetItem(int i, int v);
  // With flag false the value is stored with its top bit set.
  int Add(int v, bool flag = true);
  void Delete(int i) { FItems.erase(FItems.begin() + i); }
  void Clear() { FItems.clear(); }
  // Index of the first entry equal to v, the top bits ignored; -1 when none.
  int IndexOf(int v) const;
  // Flips the top bit of the first entry equal to v (top bits ignored).
  void Toggle(int v);

  int Column = 0, Row = 0;
  std::function<void(TIntList&, int col, int row)> OnChange;

private:
  std::vector<int> FItems;
};

constexpr int kSortDescendingBit = int(0x80000000u);

class TSortIndexList : public TIntList {
public:
  std::string ClassName() const override { return "TSortIndexList"; }
  void AddIndex(int column, bool ascending) { Add(column, ascending); }
  int SortColumns(int i) const { return Items(i) & ~kSortDescendingBit; }
  bool SortDirections(int i) const { return (Items(i) & kSortDescendingBit) == 0; }  // true: ascending
};
