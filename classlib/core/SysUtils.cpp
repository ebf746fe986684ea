// String and file-name helpers.
#include "SysUtils.h"

#include <cstdio>
#include <cstring>
#include <ctime>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {
char lower(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }
char upper(char c) { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; }
bool isSep(char c) { return c == '\\' || c == '/' || c == ':'; }
}  // namespace

std::string LowerCase(std::string_view s) {
  std::string r(s);
  for (char& c : r) c = lower(c);
  return r;
}

std::string UpperCase(std::string_view s) {
  std::string r(s);
  for (char& c : r) c = upper(c);
  return r;
}

int CompareText(std::string_view a, std::string_view b) {
  size_t n = a.size() < b.size() ? a.size() : b.size();
  for (size_t i = 0; i < n; ++i) {
    unsigned char x = lower(a[i]), y = lower(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

bool SameText(std::string_view a, std::string_view b) {
  return a.size() == b.size() && CompareText(a, b) == 0;
}

std::string Trim(std::string_view s) {
  size_t b = 0, e = s.size();
  while (b < e && (unsigned char)s[b] <= ' ') ++b;
  while (e > b && (unsigned char)s[e - 1] <= ' ') --e;
  return std::string(s.substr(b, e - b));
}

std::string IntToStr(long long v) { return std::to_string(v); }

std::string IntToHex(uint32_t v, int digits) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%0*X", digits, v);
  return buf;
}

long long StrToInt64(std::string_view text) {
  std::string s = Trim(text);
  size_t i = 0;
  bool neg = false;
  if (i < s.size() && (s[i] == '-' || s[i] == '+')) neg = s[i++] == '-';
  bool hex = false;
  if (i < s.size() && s[i] == '$') { hex = true; ++i; }
  else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) { hex = true; i += 2; }
  if (i >= s.size()) throw EConvertError("'" + std::string(text) + "' is not a valid integer value");
  unsigned long long v = 0;
  for (; i < s.size(); ++i) {
    char c = lower(s[i]);
    int d;
    if (c >= '0' && c <= '9') d = c - '0';
    else if (hex && c >= 'a' && c <= 'f') d = c - 'a' + 10;
    else throw EConvertError("'" + std::string(text) + "' is not a valid integer value");
    v = v * (hex ? 16 : 10) + d;
    if (v > 0xFFFFFFFFFFull) throw EConvertError("'" + std::string(text) + "' is not a valid integer value");
  }
  return neg ? -(long long)v : (long long)v;
}

int StrToInt(std::string_view s) {
  long long v = StrToInt64(s);
  // "$" numbers name 32-bit patterns, so $FFFFFFFF is -1 as in the class library.
  if (v > 0xFFFFFFFFll || v < -2147483648ll)
    throw EConvertError("'" + std::string(s) + "' is not a valid integer value");
  return (int)(uint32_t)v;
}

bool TryStrToInt(std::string_view s, int& out) {
  try { out = StrToInt(s); return true; } catch (const EConvertError&) { return false; }
}

int StrToIntDef(std::string_view s, int def) {
  int v;
  return TryStrToInt(s, v) ? v : def;
}

bool StartsText(std::string_view prefix, std::string_view s) {
  return s.size() >= prefix.size() && SameText(s.substr(0, prefix.size()), prefix);
}

bool EndsText(std::string_view suffix, std::string_view s) {
  return s.size() >= suffix.size() && SameText(s.substr(s.size() - suffix.size()), suffix);
}

std::string SysErrorMessage(unsigned long code) {
  std::string text;
#ifdef _WIN32
  char buf[512] = "";
  if (FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, DWORD(code), 0, buf,
                     sizeof buf, nullptr) > 0)
    text = buf;
#else
  text = std::strerror(int(code));
#endif
  text = Trim(text);
  return text.empty() ? "System error " + std::to_string(code) + "." : text;
}

std::string ExtractFilePath(std::string_view name) {
  size_t i = name.size();
  while (i > 0 && !isSep(name[i - 1])) --i;
  return std::string(name.substr(0, i));
}

std::string ExtractFileName(std::string_view name) {
  size_t i = name.size();
  while (i > 0 && !isSep(name[i - 1])) --i;
  return std::string(name.substr(i));
}

std::string ExtractFileExt(std::string_view name) {
  for (size_t i = name.size(); i > 0; --i) {
    char c = name[i - 1];
    if (c == '.') return std::string(name.substr(i - 1));
    if (isSep(c)) break;
  }
  return "";
}

std::string ChangeFileExt(std::string_view name, std::string_view ext) {
  std::string cur = ExtractFileExt(name);
  return std::string(name.substr(0, name.size() - cur.size())) + std::string(ext);
}

std::string IncludeTrailingBackslash(std::string_view path) {
  std::string r(path);
  if (r.empty() || (r.back() != '\\' && r.back() != '/')) r += '\\';
  return r;
}

// --- dates

namespace {
bool IsLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }
int DaysInMonth(int y, int m) {
  static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && IsLeap(y) ? 29 : days[m - 1];
}
}  // namespace

bool TryEncodeDate(int year, int month, int day, TDateTime& out) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month)) return false;
  for (int m = 1; m < month; ++m) day += DaysInMonth(year, m);
  int y = year - 1;
  out = double(y * 365 + y / 4 - y / 100 + y / 400 + day - 693594);
  return true;
}

TDateTime EncodeDate(int year, int month, int day) {
  TDateTime d;
  if (!TryEncodeDate(year, month, day, d)) throw EConvertError("Invalid argument to date encode");
  return d;
}

void DecodeDate(TDateTime date, int& year, int& month, int& day) {
  long n = long(date) + 693593;  // days since 1 January of year 1, 0-based
  if (n < 0) n = 0;
  int y = 1;
  long d400 = n / 146097; n %= 146097;
  long d100 = n / 36524; n %= 36524;
  if (d100 == 4) { d100 = 3; n += 36524; }
  long d4 = n / 1461; n %= 1461;
  long d1 = n / 365; n %= 365;
  if (d1 == 4) { d1 = 3; n += 365; }
  y += int(d400 * 400 + d100 * 100 + d4 * 4 + d1);
  int m = 1;
  while (n >= DaysInMonth(y, m)) n -= DaysInMonth(y, m++);
  year = y;
  month = m;
  day = int(n) + 1;
}

TDateTime Date() {
  std::time_t t = std::time(nullptr);
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &t);
#else
  localtime_r(&t, &local);
#endif
  return EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

std::string FormatDate(const std::string& pattern, TDateTime date) {
  int y, m, d;
  DecodeDate(date, y, m, d);
  std::string out;
  for (size_t i = 0; i < pattern.size();) {
    char c = pattern[i];
    size_t n = 1;
    while (i + n < pattern.size() && pattern[i + n] == c) ++n;
    char buf[16];
    if (c == 'd' || c == 'M') {
      std::snprintf(buf, sizeof buf, n >= 2 ? "%02d" : "%d", c == 'd' ? d : m);
      out += buf;
    } else if (c == 'y') {
      std::snprintf(buf, sizeof buf, n <= 2 ? "%02d" : "%d", n <= 2 ? y % 100 : y);
      out += buf;
    } else if (c == '\'') {
      size_t j = pattern.find('\'', i + 1);
      out += pattern.substr(i + 1, (j == std::string::npos ? pattern.size() : j) - i - 1);
      i = j == std::string::npos ? pattern.size() : j + 1;
      continue;
    } else {
      out.append(n, c);
    }
    i += n;
  }
  return out;
}

bool TryParseDate(const std::string& pattern, const std::string& text, TDateTime& out) {
  // The fields come in the pattern's order; any non-digits separate them.
  std::string order;
  for (char c : pattern)
    if ((c == 'd' || c == 'M' || c == 'y') && order.find(c) == std::string::npos) order += c;
  if (order.size() != 3) return false;
  int values[3] = {0, 0, 0};
  int yearDigits = 0;
  size_t i = 0;
  for (int f = 0; f < 3; ++f) {
    while (i < text.size() && !(text[i] >= '0' && text[i] <= '9')) ++i;
    size_t start = i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9' && i - start < 4) values[f] = values[f] * 10 + (text[i++] - '0');
    if (i == start) return false;
    if (order[f] == 'y') yearDigits = int(i - start);
  }
  int d = 0, m = 0, y = 0;
  for (int f = 0; f < 3; ++f) (order[f] == 'd' ? d : order[f] == 'M' ? m : y) = values[f];
  if (yearDigits <= 2) y += y < 50 ? 2000 : 1900;
  return TryEncodeDate(y, m, d, out);
}
