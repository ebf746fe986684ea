// Benchmark (not a test) of the grid model: writes FILE with 100,000 rows of 8
// columns of delimited text, loads it into a grid, sorts it by a number column
// and a text column and filters it, printing the time of each step.
//   bench_grid FILE [ROWS]
#include <chrono>
#include <cstdio>
#include <fstream>
#include <random>

#include "ExtGridText.h"

namespace {
constexpr int Columns = 8;
constexpr int DefaultRows = 100000;

double Millis(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - since).count();
}

std::string Word(std::mt19937& rnd) {
  std::string w;
  for (int n = 3 + int(rnd() % 6); n > 0; --n) w += char('a' + rnd() % 26);
  return w;
}

void WriteFile(const std::string& name, int rows) {
  std::mt19937 rnd(42);
  std::ofstream out(name, std::ios::binary);
  out << "id,name,count,ratio,date,game,starts,note\r\n";
  for (int r = 1; r <= rows; ++r) {
    out << r << ',' << Word(rnd) << ',' << rnd() % 1000000 << ',' << (rnd() % 100000) / 100.0 << ','
        << 1 + rnd() % 12 << '/' << 1 + rnd() % 28 << '/' << 1990 + rnd() % 30 << ',' << Word(rnd) << ','
        << rnd() % 1000 << ",\"" << Word(rnd) << ", " << Word(rnd) << "\"\r\n";
  }
}
}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: bench_grid FILE [ROWS]\n");
    return 2;
  }
  const int rows = argc > 2 ? std::atoi(argv[2]) : DefaultRows;
  WriteFile(argv[1], rows);
  TGridData grid(Columns, 2);
  auto t = std::chrono::steady_clock::now();
  TDelimitedOptions options;
  LoadFromDelimitedFile(grid, argv[1], options);
  std::printf("load     %9.1f ms  (%d rows, %d columns)\n", Millis(t), grid.RowCount() - 1, grid.ColCount());
  grid.SortColumn = 2;
  t = std::chrono::steady_clock::now();
  grid.QSort();
  std::printf("sort num %9.1f ms  (%lld comparisons)\n", Millis(t), grid.CompareCount);
  grid.SortColumn = 1;
  t = std::chrono::steady_clock::now();
  grid.QSort();
  std::printf("sort txt %9.1f ms\n", Millis(t));
  TFilterData& f = grid.Filter.Add();
  f.Column = 2;
  f.Condition = ">= 250000 & < 750000";
  TFilterData& g = grid.Filter.Add();
  g.Column = 1;
  g.Condition = "*a*";
  t = std::chrono::steady_clock::now();
  grid.SetFilterActive(true);
  std::printf("filter   %9.1f ms  (%d rows pass)\n", Millis(t), grid.RowCount() - 1);
  t = std::chrono::steady_clock::now();
  grid.SetFilterActive(false);
  std::printf("unfilter %9.1f ms  (%d rows)\n", Millis(t), grid.RowCount() - 1);
  return 0;
}
