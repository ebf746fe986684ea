// Filter conditions: wildcard patterns, "!" negation, ">"/"<" bounds and the
// joiners "&" (and), ";" and "^" (or).
#include <vector>

#include "ExtGridUtil.h"

namespace {
constexpr size_t kMaxTextCompare = 255;  // texts compare on their first 255 bytes
bool IsJoiner(char c) { return c == '&' || c == ';' || c == '^'; }

bool AsNumber(std::string_view s, double& out) {
  if (s.empty() || NumberKind(s) == nkOther) return false;
  return TextToFloat(NumberText(s), out);
}

// The value that a condition's parts test, its number read on first need and
// kept for the other parts.
struct TFilterValue {
  std::string_view Text;
  int NumberRead = -1;  // -1 not yet, 0 no number, 1 Number holds it
  double Number = 0;
  bool AsNumber(double& out) {
    if (NumberRead < 0) NumberRead = ::AsNumber(Text, Number);
    out = Number;
    return NumberRead == 1;
  }
};

// -1, 0 or 1 for v against the bound: as numbers, as dates or as texts.
int CompareWithBound(TFilterValue& value, std::string_view bound) {
  const std::string_view v = value.Text;
  double a = 0, b = 0;
  if (value.AsNumber(a) && AsNumber(bound, b)) return a < b ? -1 : a > b ? 1 : 0;
  TDateTime da = 0, db = 0;
  if (ParseShortDate(v, da) && ParseShortDate(bound, db)) return da < db ? -1 : da > db ? 1 : 0;
  int c = v.substr(0, kMaxTextCompare).compare(bound.substr(0, kMaxTextCompare));
  return c < 0 ? -1 : c > 0 ? 1 : 0;
}

// Reads one ">", ">=", "<" or "<=" test at pos; false when none is there.
bool ReadBoundTest(TFilterValue& v, std::string_view c, size_t& pos, bool& result) {
  if (pos >= c.size() || (c[pos] != '>' && c[pos] != '<')) return false;
  char op = c[pos++];
  bool orEqual = pos < c.size() && c[pos] == '=';
  if (orEqual) ++pos;
  while (pos < c.size() && c[pos] == ' ') ++pos;
  size_t start = pos;
  while (pos < c.size() && c[pos] != ' ' && c[pos] != '&' && c[pos] != '|') ++pos;
  int cmp = CompareWithBound(v, c.substr(start, pos - start));
  result = op == '>' ? (cmp > 0 || (orEqual && cmp == 0)) : (cmp < 0 || (orEqual && cmp == 0));
  while (pos < c.size() && c[pos] == ' ') ++pos;
  return true;
}
}  // namespace

// The classic two-pointer match: a "*" remembers where it stood and, on a
// mismatch, takes one more character. At most text x pattern steps.
bool WildcardMatch(std::string_view text, std::string_view pattern) {
  size_t t = 0, p = 0, starP = std::string_view::npos, starT = 0;
  while (t < text.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      starP = p++;
      starT = t;
    } else if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == text[t])) {
      ++p;
      ++t;
    } else if (starP != std::string_view::npos) {
      p = starP + 1;
      t = ++starT;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

namespace {
bool MatchPart(TFilterValue& value, std::string_view part) {
  if (!part.empty() && (part[0] == '>' || part[0] == '<')) {
    size_t pos = 0;
    bool result = false, second = false;
    ReadBoundTest(value, part, pos, result);
    bool orJoin = pos < part.size() && part[pos] == '^';
    if (orJoin || (pos < part.size() && part[pos] == '&')) {
      ++pos;
      while (pos < part.size() && part[pos] == ' ') ++pos;
    }
    if (ReadBoundTest(value, part, pos, second)) result = orJoin ? (result || second) : (result && second);
    return result;
  }
  if (!part.empty() && part[0] == '!') return !MatchPart(value, part.substr(1));
  return WildcardMatch(value.Text, part);
}
}  // namespace

bool MatchConditionPart(std::string_view value, std::string_view part) {
  TFilterValue v{value};
  return MatchPart(v, part);
}

std::string FilterConditionText(std::string_view condition, bool caseSensitive) {
  std::string c = Trim(condition);
  if (!caseSensitive) c = UpperCase(c);
  // Blanks around the joiners go.
  std::string clean;
  for (size_t i = 0; i < c.size(); ++i) {
    if (c[i] == ' ') {
      size_t j = i;
      while (j < c.size() && c[j] == ' ') ++j;
      bool nextJoiner = j < c.size() && IsJoiner(c[j]);
      bool prevJoiner = !clean.empty() && IsJoiner(clean.back());
      if (nextJoiner || prevJoiner) {
        i = j - 1;
        continue;
      }
    }
    clean += c[i];
  }
  return clean;
}

bool MatchConditionText(std::string_view value, std::string_view clean, bool caseSensitive) {
  std::string upper;
  if (!caseSensitive) value = upper = UpperCase(value);
  TFilterValue v{value};
  bool result = false;
  char joiner = 0;
  size_t start = 0;
  for (size_t i = 0; i <= clean.size(); ++i) {
    if (i < clean.size() && !IsJoiner(clean[i])) continue;
    bool m = MatchPart(v, clean.substr(start, i - start));
    result = joiner == 0 ? m : joiner == '&' ? (result && m) : (result || m);
    if (i < clean.size()) joiner = clean[i];
    start = i + 1;
  }
  return result;
}

bool MatchFilterCondition(std::string_view value, std::string_view condition, bool caseSensitive) {
  return MatchConditionText(value, FilterConditionText(condition, caseSensitive), caseSensitive);
}
