// Reading dates of cell texts and stepping date series.
#include <cmath>
#include <vector>

#include "ExtGridUtil.h"

namespace {
// Splits s at sep; each field must be a plain decimal number.
bool NumberFields(std::string_view s, char sep, std::vector<int>& out) {
  out.clear();
  size_t start = 0;
  while (true) {
    size_t p = s.find(sep, start);
    std::string_view f = s.substr(start, p == std::string_view::npos ? std::string_view::npos : p - start);
    if (f.empty() || f.size() > 9) return false;
    int v = 0;
    for (char c : f) {
      if (c < '0' || c > '9') return false;
      v = v * 10 + (c - '0');
    }
    out.push_back(v);
    if (p == std::string_view::npos) return true;
    start = p + 1;
  }
}

// The two fixed-order readers: "/", "." or "-" (the first present) must
// separate three numbers; years of at most 25 are 20xx, others 19xx (also four
// digit ones, which keeps their order among themselves).
TDateTime ParseFixedOrder(std::string_view s, bool monthFirst) {
  char sep = 0;
  for (char c : {'/', '.', '-'})
    if (s.find(c) != std::string_view::npos) {
      sep = c;
      break;
    }
  std::vector<int> f;
  if (!sep || !NumberFields(s, sep, f) || f.size() != 3) return 0;
  int year = f[2] + (f[2] <= 25 ? 2000 : 1900);
  int month = monthFirst ? f[0] : f[1], day = monthFirst ? f[1] : f[0];
  TDateTime d = 0;
  return TryEncodeDate(year, month, day, d) ? d : 0;
}
}  // namespace

bool ParseShortDate(std::string_view s, TDateTime& out) {
  const TGridFormat& fmt = GridFormat();
  std::string pattern = UpperCase(fmt.ShortDateFormat);
  size_t pd = pattern.find('D'), pm = pattern.find('M'), py = pattern.find('Y');
  if (pd == std::string::npos || pm == std::string::npos || py == std::string::npos) return false;
  std::vector<int> f;
  if (!NumberFields(s, fmt.DateSeparator, f) || f.size() != 3) return false;
  // Field index of each letter: how many of the other two come before it.
  auto index = [&](size_t p) { return int(p > pd) + int(p > pm) + int(p > py); };
  int day = f[size_t(index(pd))], month = f[size_t(index(pm))], year = f[size_t(index(py))];
  if (day >= 32 || month > 12) return false;
  return TryEncodeDate(year, month, day, out);
}

TDateTime ParseDateMDY(std::string_view s) { return ParseFixedOrder(s, true); }
TDateTime ParseDateDMY(std::string_view s) { return ParseFixedOrder(s, false); }

TDateTime NextSeriesDate(int years, int months, int days, TDateTime step, TDateTime date) {
  int y = 0, m = 0, d = 0;
  DecodeDate(date, y, m, d);
  double time = date - std::floor(date);
  TDateTime out = 0;
  if (days != 0 && years == 0 && months == 0) return date + days;
  if (years != 0 && months == 0 && days == 0) {
    if (TryEncodeDate(y + years, m, d, out)) return out + time;
  } else if (months != 0 && years == 0 && days == 0) {
    int total = y * 12 + (m - 1) + months;
    if (total >= 0 && TryEncodeDate(total / 12, total % 12 + 1, d, out)) return out + time;
  }
  return date + step;
}
