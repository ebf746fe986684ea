// Sorting rows by compact keys: the sort column's cells are read once into
// (key, row) pairs, a stable radix sort orders the pairs, and only runs of
// equal keys read their cells again, to compare whole texts and to settle
// ties by the columns to the right. The result is the one that the merge sort
// of the compare rules gives; where the rules cannot promise it (cells of one
// column that compare in mixed ways), the merge sort runs instead.
#include <algorithm>
#include <bit>
#include <cstring>
#include <utility>

#include "ExtGridSortKeys.h"

using namespace gridsort;

namespace {
// Rows whose cells are fetched ahead of reading them: each row's cells lie
// in a block of their own, and waiting on each in turn is most of the work.
constexpr int kFetchAhead = 16;

// The order of doubles as unsigned integers; 0 and -0 alike, as they compare
// equal. NaN never comes (no cell reads as one).
uint64_t NumberOrder(double x) {
  const uint64_t bits = std::bit_cast<uint64_t>(x == 0 ? 0.0 : x);
  return bits >> 63 ? ~bits : bits | uint64_t(1) << 63;
}

// The first 8 bytes of a text in byte order (shorter texts padded with 0):
// two texts with different prefixes compare as their prefixes do.
uint64_t TextPrefix(std::string_view s) {
  uint64_t prefix = 0;
  for (size_t i = 0; i < 8; ++i) prefix = prefix << 8 | (i < s.size() ? uint8_t(s[i]) : 0);
  return prefix;
}

// Stable least-significant-digit radix sort by Key, a byte per pass; a byte
// that every key shares costs no pass.
void RadixSort(std::vector<TKeyedRow>& v) {
  constexpr int kBytes = 8, kBuckets = 256;
  size_t counts[kBytes][kBuckets];
  std::memset(counts, 0, sizeof counts);
  for (const TKeyedRow& e : v)
    for (int b = 0; b < kBytes; ++b) ++counts[b][(e.Key >> (8 * b)) & 0xFF];
  std::vector<TKeyedRow> buffer(v.size());
  for (int b = 0; b < kBytes; ++b) {
    size_t* count = counts[b];
    if (count[(v[0].Key >> (8 * b)) & 0xFF] == v.size()) continue;
    size_t sum = 0;
    for (int i = 0; i < kBuckets; ++i) sum += std::exchange(count[i], sum);
    for (const TKeyedRow& e : v) buffer[count[(e.Key >> (8 * b)) & 0xFF]++] = e;
    v.swap(buffer);
  }
}

// How the cells of a run compare among themselves: all as numbers, all as
// dates or all as texts; Mixed when the compare rules give no order that
// every sort agrees on.
enum TRunKind { rkNumbers, rkDates, rkTexts, rkMixed };

TRunKind KindOf(const TCellKey& k, TSortFormat format) {
  switch (format) {
    case sfText:
    case sfTextCase: return rkTexts;
    case sfNumber:
    case sfThousands: return k.NumberOk ? rkNumbers : rkMixed;
    default:
      if (k.Auto == sfNumber) return k.NumberOk ? rkNumbers : rkMixed;
      return k.Auto == sfDate ? rkDates : rkTexts;
  }
}
}  // namespace

// The sort column's keys of rows first..last; false unless its cells are all
// numbers or all texts (as the old entries of the merge sort required).
bool TGridData::TSortKeys::ColumnKeys(int col, int first, int last, std::vector<TKeyedRow>& out, bool& numbers) {
  const TColumnFormat& f = Format(col);
  if (!Keyed(f.Format)) return false;
  bool allNumbers = f.Format != sfText && f.Format != sfTextCase;
  bool allTexts = f.Format != sfNumber && f.Format != sfThousands;
  out.resize(size_t(last - first + 1));
  for (int r = first; r <= last; ++r) {
    if (r + kFetchAhead <= last) __builtin_prefetch(&FGrid.FRows[size_t(r + kFetchAhead)][size_t(col)]);
    TCellKey k = MakeKey(FGrid.FRows[size_t(r)][size_t(col)].Text, f, false);
    if (allNumbers && (f.Format != sfAuto || k.Auto == sfNumber)) {
      ReadNumber(k, f);
      allNumbers = k.NumberOk;
    } else {
      allNumbers = false;
    }
    allTexts = allTexts && (f.Format != sfAuto || k.Auto == sfText);
    if (!allNumbers && !allTexts) return false;
    out[size_t(r - first)] = allNumbers ? TKeyedRow{NumberOrder(k.Number), r, 0}
                                        : TKeyedRow{TextPrefix(k.Text), r, uint32_t(std::min<size_t>(k.Text.size(), 9))};
  }
  numbers = allNumbers;
  return true;
}

// Orders a run of rows by their cells in col (numbers, dates or whole
// texts), then each run of equal cells by the next column while SortFull
// asks for it. False, with the run in no promised order, when col's cells in
// the run compare in mixed ways or through the user's events. The cells'
// keys stack up in FRunCells, each call's above its caller's.
bool TGridData::TSortKeys::SettleRun(TKeyedRow* begin, TKeyedRow* end, int col, int direction) {
  const TColumnFormat& f = Format(col);
  if (!Keyed(f.Format)) return false;
  const size_t base = FRunCells.size(), n = size_t(end - begin);
  TRunKind kind = rkMixed;
  for (TKeyedRow* e = begin; e != end; ++e) {
    TCellKey k = MakeKey(FGrid.Cells(col, e->Row), f);
    const TRunKind cellKind = KindOf(k, f.Format);
    if (cellKind == rkMixed || (e != begin && cellKind != kind)) {
      FRunCells.resize(base);
      return false;
    }
    kind = cellKind;
    if (kind == rkDates) k.Date = LocaleDate(k.Text);
    FRunCells.push_back(TRunCell{k, e->Row});
  }
  auto compare = [kind](const TRunCell& a, const TRunCell& b) {
    if (kind == rkTexts) return Sign(a.Key.Text.compare(b.Key.Text));
    return kind == rkDates ? Sign(a.Key.Date, b.Key.Date) : Sign(a.Key.Number, b.Key.Number);
  };
  auto before = [&](const TRunCell& a, const TRunCell& b) {
    ++FGrid.CompareCount;
    return direction * compare(a, b) < 0;
  };
  const auto cells = FRunCells.begin() + long(base);
  // Runs are mostly two or three rows: a stable insertion sort, without the
  // buffer that std::stable_sort takes.
  if (n <= 16) {
    for (size_t i = 1; i < n; ++i)
      for (size_t j = i; j > 0 && before(cells[long(j)], cells[long(j - 1)]); --j)
        std::swap(cells[long(j)], cells[long(j - 1)]);
  } else {
    std::stable_sort(cells, cells + long(n), before);
  }
  for (size_t i = 0; i < n; ++i) begin[i].Row = cells[long(i)].Row;
  bool settled = true;
  if (FGrid.SortFull && col + 1 < FGrid.PhysicalCols()) {
    for (size_t i = 0, j; i < n && settled; i = j) {
      for (j = i + 1; j < n && compare(FRunCells[base + i], FRunCells[base + j]) == 0;) ++j;
      if (j - i > 1) settled = SettleRun(begin + i, begin + j, col + 1, direction);
    }
  }
  FRunCells.resize(base);
  return settled;
}

// The merge sort of the compare rules over the keys, rows in their old order.
void TGridData::TSortKeys::MergeOrder(std::vector<TKeyedRow>& rows, bool numbers, int direction) {
  const int col = FGrid.SortColumn;
  const bool ties = FGrid.SortFull && col <= FGrid.PhysicalCols() - 2;
  MergeSort(rows, [&](const TKeyedRow& a, const TKeyedRow& b) {
    ++FGrid.CompareCount;
    int r = a.Key < b.Key ? -1 : a.Key > b.Key ? 1 : 0;
    if (r == 0 && !numbers) r = Sign(FGrid.Cells(col, a.Row).compare(FGrid.Cells(col, b.Row)));
    if (r == 0 && ties) r = FGrid.FullCompare(*this, col + 1, a.Row, b.Row);
    return direction * r;
  });
}

bool TGridData::TSortKeys::KeyedOrder(int first, int last, std::vector<int>& order) {
  const int col = FGrid.SortColumn;
  if (col < 0 || col >= FGrid.PhysicalCols() || FGrid.SortIgnoreBlanks || first < FFirst || last > FLast)
    return false;
  std::vector<TKeyedRow> rows;
  bool numbers = false;
  if (!ColumnKeys(col, first, last, rows, numbers)) {
    // The merge sort that follows compares this column at every step.
    TColumn& c = Column(col);
    if (!c.Built) Build(col, c);
    return false;
  }
  const int direction = FGrid.SortDirection == sdAscending ? 1 : -1;
  // Descending: the keys' complements in ascending order, equal keys
  // keeping their order as the merge sort keeps it.
  if (direction < 0)
    for (TKeyedRow& e : rows) e.Key = ~e.Key;
  RadixSort(rows);
  // A run of equal keys whose cells are known equal goes straight to the
  // tie-break columns; others compare their whole texts first.
  const bool ties = FGrid.SortFull && col + 1 < FGrid.PhysicalCols();
  bool settled = true;
  for (size_t i = 0, j; i < rows.size() && settled; i = j) {
    bool equal = rows[i].Length < 9;
    for (j = i + 1; j < rows.size() && rows[j].Key == rows[i].Key; ++j) equal = equal && rows[j].Length == rows[i].Length;
    if (j - i < 2 || (equal && !ties)) continue;
    settled = SettleRun(&rows[i], &rows[j], equal ? col + 1 : col, direction);
  }
  if (!settled) {
    std::vector<TKeyedRow> old(rows.size());
    for (TKeyedRow e : rows) {
      if (direction < 0) e.Key = ~e.Key;
      old[size_t(e.Row - first)] = e;
    }
    rows.swap(old);
    MergeOrder(rows, numbers, direction);
  }
  order.resize(rows.size());
  for (size_t i = 0; i < rows.size(); ++i) order[i] = rows[i].Row;
  return true;
}
