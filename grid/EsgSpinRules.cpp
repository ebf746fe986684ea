// The spin and button edits' value rules.
#include "EsgSpinRules.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "ExtGridUtil.h"

namespace {
constexpr int kSecondsPerDay = 24 * 60 * 60;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool TryParseLong(std::string_view text, long long& out) {
  std::string t = Trim(text);
  size_t i = (!t.empty() && (t[0] == '+' || t[0] == '-')) ? 1 : 0;
  if (i == t.size() || t.size() - i > 18) return false;
  for (size_t k = i; k < t.size(); ++k)
    if (!IsDigit(t[k])) return false;
  out = std::strtoll(t.c_str(), nullptr, 10);
  return true;
}

bool TryParseFloat(std::string_view text, double& out) {
  std::string t = Trim(text);
  if (t.empty()) return false;
  const char dec = GridFormat().DecimalSeparator;
  for (char& c : t) {
    if (c == dec) c = '.';
    else if (!IsDigit(c) && c != '+' && c != '-' && c != 'e' && c != 'E') return false;
  }
  char* end = nullptr;
  out = std::strtod(t.c_str(), &end);
  return end && *end == '\0' && std::isfinite(out);
}

bool Bounded(double lo, double hi) { return lo != hi; }

// The text with the selection taken out: what a typed character joins.
std::string WithoutSelection(const TTypedChar& c) {
  std::string t(c.Text);
  size_t start = std::min(size_t(std::max(c.SelStart, 0)), t.size());
  size_t length = std::min(size_t(std::max(c.SelLength, 0)), t.size() - start);
  t.erase(start, length);
  return t;
}

size_t CountOf(std::string_view s, char c) { return size_t(std::count(s.begin(), s.end(), c)); }

// How many separators come before the caret: the part it is in (0, 1, 2).
int CaretPart(std::string_view text, int caret, char separator) {
  size_t end = std::min(size_t(std::max(caret, 0)), text.size());
  return int(std::min<size_t>(2, CountOf(text.substr(0, end), separator)));
}

// The letter ('D', 'M' or 'Y') of a part of the short date format.
char DatePartLetter(int part) {
  std::string pattern = UpperCase(GridFormat().ShortDateFormat);
  std::string order;
  for (char c : pattern)
    if ((c == 'D' || c == 'M' || c == 'Y') && order.find(c) == std::string::npos) order += c;
  if (order.size() != 3) order = "MDY";
  return order[size_t(part)];
}
}  // namespace

// --- values

int BoundSpinInt(const TSpinBounds& b, long long v) {
  if (Bounded(b.MinValue, b.MaxValue)) v = std::clamp<long long>(v, std::min(b.MinValue, b.MaxValue), std::max(b.MinValue, b.MaxValue));
  return int(std::clamp<long long>(v, INT_MIN, INT_MAX));
}

double BoundSpinFloat(const TSpinBounds& b, double v) {
  if (!Bounded(b.MinFloatValue, b.MaxFloatValue)) return v;
  return std::clamp(v, std::min(b.MinFloatValue, b.MaxFloatValue), std::max(b.MinFloatValue, b.MaxFloatValue));
}

TDateTime BoundSpinDate(const TSpinBounds& b, TDateTime d) {
  if (!Bounded(b.MinDate, b.MaxDate)) return d;
  return std::clamp(d, std::min(b.MinDate, b.MaxDate), std::max(b.MinDate, b.MaxDate));
}

int SpinIntValue(const TSpinBounds& b, std::string_view text) {
  long long v = 0;
  return BoundSpinInt(b, TryParseLong(text, v) ? v : b.MinValue);
}

double SpinFloatValue(const TSpinBounds& b, std::string_view text) {
  double v = 0;
  return BoundSpinFloat(b, TryParseFloat(text, v) ? v : b.MinFloatValue);
}

TDateTime SpinDateValue(const TSpinBounds& b, std::string_view text) {
  TDateTime d = 0;
  if (!ParseShortDate(Trim(text), d)) d = Bounded(b.MinDate, b.MaxDate) ? b.MinDate : Date();
  return BoundSpinDate(b, d);
}

bool TryParseTimeText(std::string_view text, TDateTime& out) {
  std::string t = Trim(text);
  int fields[3] = {0, 0, 0};
  int count = 0;
  size_t start = 0;
  while (count < 3) {
    size_t p = t.find(GridFormat().TimeSeparator, start);
    std::string_view f = std::string_view(t).substr(start, p == std::string::npos ? std::string::npos : p - start);
    if (f.empty() || f.size() > 2 || !std::all_of(f.begin(), f.end(), IsDigit)) return false;
    fields[count++] = std::atoi(std::string(f).c_str());
    if (p == std::string::npos) break;
    start = p + 1;
    if (count == 3) return false;  // a fourth field
  }
  if (count < 2 || fields[0] > 23 || fields[1] > 59 || fields[2] > 59) return false;
  out = double(fields[0] * 3600 + fields[1] * 60 + fields[2]) / kSecondsPerDay;
  return true;
}

TDateTime SpinTimeValue(std::string_view text) {
  TDateTime t = 0;
  return TryParseTimeText(text, t) ? t : 0;
}

// --- texts

std::string SpinFloatText(double v, int precision) {
  char buf[400];
  if (precision > 0) std::snprintf(buf, sizeof buf, "%.*f", std::min(precision, 18), v);
  else std::snprintf(buf, sizeof buf, "%.15g", v);
  std::string s = buf;
  std::replace(s.begin(), s.end(), '.', GridFormat().DecimalSeparator);
  return s;
}

std::string SpinDateText(TDateTime d) { return FormatDate(GridFormat().ShortDateFormat, d); }

std::string SpinTimeText(TDateTime t) {
  long long secs = std::llround((t - std::floor(t)) * kSecondsPerDay) % kSecondsPerDay;
  char sep = GridFormat().TimeSeparator;
  char buf[32];
  std::snprintf(buf, sizeof buf, "%d%c%02d%c%02d", int(secs / 3600), sep, int(secs / 60 % 60), sep, int(secs % 60));
  return buf;
}

std::string SpinBoundedText(const TSpinBounds& b, std::string_view text) {
  switch (b.SpinType) {
    case sptNormal: {
      int v = SpinIntValue(b, text);
      long long typed = 0;
      return TryParseLong(text, typed) && typed == v ? std::string(text) : IntToStr(v);
    }
    case sptFloat: {
      double v = SpinFloatValue(b, text), typed = 0;
      return TryParseFloat(text, typed) && typed == v ? std::string(text) : SpinFloatText(v, b.Precision);
    }
    case sptDate: {
      TDateTime d = SpinDateValue(b, text), typed = 0;
      return ParseShortDate(Trim(text), typed) && typed == d ? std::string(text) : SpinDateText(d);
    }
    case sptTime: {
      TDateTime t = 0;
      return TryParseTimeText(text, t) ? std::string(text) : SpinTimeText(0);
    }
  }
  return std::string(text);
}

double SpinEventValue(const TSpinBounds& b, std::string_view text) {
  switch (b.SpinType) {
    case sptNormal: return SpinIntValue(b, text);
    case sptFloat: return SpinFloatValue(b, text);
    case sptDate: return SpinDateValue(b, text);
    case sptTime: return SpinTimeValue(text);
  }
  return 0;
}

// --- stepping

TDateTime IncMonths(TDateTime d, int months) {
  int y = 0, m = 0, day = 0;
  DecodeDate(d, y, m, day);
  long long total = (long long)y * 12 + (m - 1) + months;
  if (total < 12 || total >= 10000LL * 12) return d;  // years 1..9999 only
  int ny = int(total / 12), nm = int(total % 12) + 1;
  TDateTime out = 0;
  for (int nd = day; nd >= 28; --nd)
    if (TryEncodeDate(ny, nm, nd, out)) return out + (d - std::floor(d));
  return TryEncodeDate(ny, nm, std::min(day, 28), out) ? out + (d - std::floor(d)) : d;
}

std::string SpinStep(const TSpinBounds& b, std::string_view text, int caret, int direction) {
  switch (b.SpinType) {
    case sptNormal:
      return IntToStr(BoundSpinInt(b, (long long)SpinIntValue(b, text) + (long long)direction * b.Increment));
    case sptFloat:
      return SpinFloatText(BoundSpinFloat(b, SpinFloatValue(b, text) + direction * b.IncrementFloat), b.Precision);
    case sptDate: {
      TDateTime d = SpinDateValue(b, text);
      switch (DatePartLetter(CaretPart(text, caret, GridFormat().DateSeparator))) {
        case 'D': d += direction; break;
        case 'M': d = IncMonths(d, direction); break;
        default: d = IncMonths(d, 12 * direction); break;
      }
      return SpinDateText(BoundSpinDate(b, d));
    }
    case sptTime: {
      static const int kUnit[] = {3600, 60, 1};
      long long secs = std::llround(SpinTimeValue(text) * kSecondsPerDay);
      secs += (long long)direction * kUnit[CaretPart(text, caret, GridFormat().TimeSeparator)];
      secs = ((secs % kSecondsPerDay) + kSecondsPerDay) % kSecondsPerDay;
      return SpinTimeText(double(secs) / kSecondsPerDay);
    }
  }
  return std::string(text);
}

// --- typed characters

char SpinKeyChar(const TSpinBounds& b, const TTypedChar& c, bool editorEnabled) {
  const TGridFormat& f = GridFormat();
  char key = c.Key;
  if (key == '\r') return 0;
  if (!editorEnabled) return (static_cast<unsigned char>(key) < 32 && key != '\b') ? key : 0;
  if (static_cast<unsigned char>(key) < 32) return key;
  std::string rest = WithoutSelection(c);
  if (b.SpinType == sptFloat && key == f.ThousandSeparator && key != f.DecimalSeparator) key = f.DecimalSeparator;
  if (IsDigit(key)) {
    if (b.SpinType == sptFloat && b.Precision > 0 && c.SelLength == 0) {
      size_t sep = c.Text.find(f.DecimalSeparator);
      if (sep != std::string_view::npos && size_t(c.SelStart) > sep &&
          int(c.Text.size() - sep - 1) >= b.Precision)
        return 0;
    }
    return key;
  }
  if (key == '+' || key == '-') return key;
  if (b.SpinType == sptFloat && key == f.DecimalSeparator) return CountOf(rest, key) == 0 ? key : 0;
  if (b.SpinType == sptDate && key == f.DateSeparator) return CountOf(rest, key) < 2 ? key : 0;
  if (b.SpinType == sptTime && key == f.TimeSeparator) return CountOf(rest, key) < 2 ? key : 0;
  return 0;
}

bool NumberKeyAllowed(TNumberFilter filter, const TTypedChar& c) {
  if (filter == nfNone || static_cast<unsigned char>(c.Key) < 32 || IsDigit(c.Key)) return true;
  std::string rest = WithoutSelection(c);
  if (c.Key == '-') return c.SelStart == 0 && CountOf(rest, '-') == 0;
  if (filter == nfFloat && (c.Key == '.' || c.Key == ','))
    return CountOf(rest, '.') == 0 && CountOf(rest, ',') == 0;
  return false;
}

void SplitUnitText(std::string_view text, std::string& value, std::string& unit) {
  size_t n = 0;
  while (n < text.size() && (IsDigit(text[n]) || std::string_view("+,-.").find(text[n]) != std::string_view::npos)) ++n;
  value = std::string(text.substr(0, n));
  unit = std::string(text.substr(n));
}
