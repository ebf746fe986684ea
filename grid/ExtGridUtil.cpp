// Cell text classification and conversions.
#include "ExtGridUtil.h"

#include <cctype>
#include <cfloat>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsUpper(char c) { return c >= 'A' && c <= 'Z'; }
char ToUpperChar(char c) { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; }
bool Contains(std::string_view s, std::string_view sub) { return s.find(sub) != std::string_view::npos; }
}  // namespace

char ToLowerChar(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

TGridFormat& GridFormat() {
  static TGridFormat format;
  return format;
}

int CellTextKind(std::string_view s, bool htmlEnabled) {
  if (s.size() < 2) return ctPlain;
  if (s[0] == '=') return ctFormula;
  if (s.starts_with("{\\")) return ctRichText;
  if (htmlEnabled && (Contains(s, "</") || Contains(s, "<B") || Contains(s, "<I"))) return ctHTML;
  return ctPlain;
}

int NumberKind(std::string_view s) {
  const TGridFormat& f = GridFormat();
  bool integer = true, floating = true;
  int lastThousand = -1, minus = 0, decimals = 0;
  for (size_t i = 0; i < s.size(); ++i) {
    char c = s[i];
    if (c == '-') ++minus;
    if (c == f.DecimalSeparator) ++decimals;
    if (!IsDigit(c) && c != '-') integer = false;
    if (!IsDigit(c) && c != '-' && c != f.ThousandSeparator && c != f.DecimalSeparator) floating = false;
    if (c == f.ThousandSeparator) {
      if (i == 0 || (lastThousand >= 0 && int(i) - lastThousand < 3)) floating = false;
      lastThousand = int(i);
    }
  }
  int kind = integer ? nkInteger : floating ? nkFloat : nkOther;
  if (minus > 1 || decimals > 1) kind = nkOther;
  return kind;
}

bool IsURL(std::string_view s) { return Contains(s, "://") || Contains(s, "mailto:"); }

void StripURLScheme(std::string& s) {
  size_t p = s.find("://");
  if (p != std::string::npos) {
    s.erase(0, p + 3);
    return;
  }
  p = s.find("mailto:");
  if (p != std::string::npos) s.erase(0, p + 7);
}

TRCRef ParseRCRef(std::string_view s) {
  TRCRef r;
  std::string u = UpperCase(s);
  if (u.size() <= 3 || u[0] != 'R') return r;
  size_t c = u.find('C', 1);
  if (c == std::string::npos) return r;
  int row = 0, col = 0;
  if (!TryStrToInt(u.substr(1, c - 1), row) || !TryStrToInt(u.substr(c + 1), col)) return r;
  r.Ok = true;
  r.Row = row;
  r.Col = col;
  return r;
}

char FirstCharInSet(std::string_view set, std::string_view s) {
  for (char c : s)
    if (set.find(c) != std::string_view::npos) return c;
  return 0;
}

std::string ReplaceAll(std::string_view s, std::string_view from, std::string_view to) {
  std::string out;
  out.reserve(s.size());
  size_t i = 0;
  while (i < s.size()) {
    if (!from.empty() && s.substr(i, from.size()) == from) {
      out += to;
      i += from.size();
    } else {
      out += s[i++];
    }
  }
  return out;
}

std::string CRToBR(std::string_view s) { return ReplaceAll(s, "\r", "<br>"); }

std::string ColorToHex(uint32_t color) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "%02X%02X%02X", color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
  return buf;
}

std::string BackslashNToCR(std::string_view s) { return ReplaceAll(s, "\\n", "\r"); }

std::string FillChars(std::string_view s, char c) { return std::string(s.size(), c); }

std::string CollapseQuotes(char quote, std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size(); ++i)
    if (s[i] != quote || i == 0 || s[i - 1] != quote) out += s[i];
  return out;
}

std::string QuoteMultiline(std::string_view s) {
  std::string out(1, '"');
  out += ReplaceAll(s, "\r\n", "\n");
  out += '"';
  return out;
}

std::string LFToCRLF(std::string_view s) { return ReplaceAll(s, "\n", "\r\n"); }

std::string TildeToCRLF(std::string_view s) { return ReplaceAll(s, "~", "\r\n"); }

std::string RemoveCR(std::string_view s) { return ReplaceAll(s, "\r", ""); }

std::string SplitFirstLine(std::string& s, bool keepRest) {
  size_t p = s.find('\r');
  if (p == std::string::npos) {
    std::string first = std::move(s);
    s.clear();
    return first;
  }
  std::string first = s.substr(0, p);
  size_t rest = p + 1;
  if (rest < s.size() && s[rest] == '\n') ++rest;
  s = keepRest ? s.substr(rest) : std::string();
  return first;
}

int LineCount(std::string_view s, bool multiLineCells) {
  if (!multiLineCells) return 1;
  int n = 1;
  for (char c : s)
    if (c == '\r') ++n;
  return n;
}

std::string NumberText(std::string_view s) {
  const TGridFormat& f = GridFormat();
  auto numberChar = [&](char c) {
    return IsDigit(c) || c == '-' || c == f.ThousandSeparator || c == f.DecimalSeparator;
  };
  size_t i = 0;
  while (s.size() - i >= 2 && !numberChar(s[i])) ++i;
  std::string out;
  for (; i < s.size(); ++i) {
    char c = s[i];
    if (c == f.ThousandSeparator) continue;
    if (c == f.DecimalSeparator) out += '.';
    else if (IsDigit(c) || c == '-' || c == '.') out += c;
    else break;
  }
  return out;
}

namespace {
// A plain decimal ("-12", "+3.25", "0.5", "7.") of at most 15 significant
// digits and 22 after the point: its digits and the power of ten are both
// exact doubles, so their one rounded quotient is the correctly rounded value
// that strtod gives too. False for every other form, which strtod reads, and
// for every form where doubles are worked out wider (x87 arithmetic in the
// 32-bit build rounds the quotient twice, a last digit off now and then).
bool PlainDecimal(std::string_view s, double& out) {
  if constexpr (FLT_EVAL_METHOD != 0) return false;
  static constexpr double kPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                      1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  constexpr int kMaxDigits = 15, kMaxFraction = 22;
  size_t i = 0;
  const bool negative = !s.empty() && s[0] == '-';
  if (!s.empty() && (s[0] == '-' || s[0] == '+')) ++i;
  uint64_t mantissa = 0;
  int significant = 0, fraction = 0;
  bool point = false, digit = false;
  for (; i < s.size(); ++i) {
    const char c = s[i];
    if (c == '.' && !point) {
      point = true;
      continue;
    }
    if (!IsDigit(c)) return false;
    digit = true;
    fraction += point;
    if (mantissa == 0 && c == '0') continue;  // leading zeros carry no digits
    if (++significant > kMaxDigits) return false;
    mantissa = mantissa * 10 + uint64_t(c - '0');
  }
  if (!digit || fraction > kMaxFraction) return false;
  const double value = double(mantissa) / kPowers[fraction];
  out = negative ? -value : value;
  return true;
}
}  // namespace

// strtod needs a terminated text; short ones (every number) are copied to the
// stack, so that sorting does not allocate per comparison.
bool TextToFloat(std::string_view s, double& out) {
  constexpr size_t kShortText = 63;
  if (s.empty()) return false;
  if (PlainDecimal(s, out)) return true;
  char buffer[kShortText + 1];
  std::string longText;
  const char* text = buffer;
  if (s.size() <= kShortText) {
    s.copy(buffer, s.size());
    buffer[s.size()] = 0;
  } else {
    longText = std::string(s);
    text = longText.c_str();
  }
  char* end = nullptr;
  out = std::strtod(text, &end);
  return end == text + s.size();
}

std::string ProperCase(std::string_view s) {
  std::string out = LowerCase(s);
  const size_t n = out.size();
  for (size_t i = 0; i < n; ++i) {
    char prev = i == 0 ? ' ' : s[i - 1];
    bool wordStart = i == 0 || prev == ' ' || prev == '\'' || prev == ',' || prev == '-' || prev == '.';
    bool afterMc = i >= 2 && ToLowerChar(out[i - 2]) == 'm' && out[i - 1] == 'c' && (i == 2 || out[i - 3] == ' ');
    bool roman = i + 3 >= n && i >= 2 &&
                 ((s[i - 2] == ' ' && s[i - 1] == 'I') || (i >= 3 && s[i - 3] == ' ' && s[i - 2] == 'I' && s[i - 1] == 'I'));
    if (wordStart || afterMc || (roman && IsUpper(s[i]))) out[i] = ToUpperChar(out[i]);
  }
  return out;
}


int FindLoneChar(char c, std::string_view s) {
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] != c) continue;
    bool before = i > 0 && s[i - 1] == c;
    bool after = i + 1 < s.size() && s[i + 1] == c;
    if (!before && !after) return int(i) + 1;
  }
  return 0;
}

int CountDelimiters(char c, std::string_view s) {
  int n = 0;
  for (int p; (p = FindLoneChar(c, s)) > 0; s.remove_prefix(size_t(p))) ++n;
  return n;
}

bool PointInRect(int x, int y, const TGridRect& r) {
  return x >= r.Left && x <= r.Right && y >= r.Top && y <= r.Bottom;
}

int PosOf(std::string_view sub, std::string_view s, int& pos) {
  size_t p = s.find(sub);
  pos = p == std::string_view::npos ? 0 : int(p) + 1;
  return pos;
}
