// String and file-name helpers.
#include "SysUtils.h"

#include <cstdio>

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
