// Mini-HTML text: preparation, tokens, stripping and colours.
#include "ExtGridHTML.h"

#include "SysUtils.h"

namespace {
struct TEntity {
  const char* Name;
  const char* Text;
};
constexpr TEntity kEntities[] = {{"&lt;", "<"}, {"&gt;", ">"}, {"&amp;", "&"}, {"&quot;", "\""}};

struct TNamedColor {
  const char* Name;
  TColor Color;
};
constexpr TNamedColor NamedColors[] = {
    {"clred", clRed}, {"clblack", clBlack}, {"clblue", clBlue}, {"clgreen", clGreen},
    {"claqua", clAqua}, {"clyellow", clYellow}, {"clfuchsia", clFuchsia}, {"clwhite", clWhite},
    {"cllime", clLime}, {"clsilver", clSilver}, {"clgray", clGray}, {"clolive", clOlive},
    {"clnavy", clNavy}, {"clpurple", clPurple}, {"clteal", clTeal}, {"clmaroon", clMaroon},
    {"clbackground", SystemColor(1)}, {"clactivecaption", SystemColor(2)},
    {"clinactivecaption", SystemColor(3)}, {"clmenu", SystemColor(4)}, {"clwindow", SystemColor(5)},
    {"clwindowframe", SystemColor(6)}, {"clmenutext", SystemColor(7)}, {"clwindowtext", SystemColor(8)},
    {"clcaptiontext", SystemColor(9)}, {"clactiveborder", SystemColor(10)},
    {"clinactiveborder", SystemColor(11)}, {"clappworkspace", SystemColor(12)},
    {"clhighlight", SystemColor(13)}, {"clhighlighttext", SystemColor(14)}, {"clbtnface", SystemColor(15)},
    {"clbtnshadow", SystemColor(16)}, {"clgraytext", SystemColor(17)}, {"clbtntext", SystemColor(18)},
    {"clinactivecaptiontext", SystemColor(19)}, {"clbtnhighlight", SystemColor(20)},
    {"cl3ddkshadow", SystemColor(21)}, {"cl3dlight", SystemColor(22)}, {"clinfotext", SystemColor(23)},
    {"clinfobk", SystemColor(24)},
};

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}
}  // namespace

// Decoding repeats until no entity is left ("&amp;lt;" ends as "<"). Replacing
// each entity as soon as the output ends with one reaches the same text in
// one pass: a decoded "&" can only begin an entity with what follows it.
std::string PrepareHTMLText(std::string_view s) {
  std::string t;
  t.reserve(s.size());
  for (char c : s) {
    t += c;
    if (c != ';') continue;
    for (const TEntity& e : kEntities) {
      size_t n = std::char_traits<char>::length(e.Name);
      if (t.size() >= n && SameText(std::string_view(t).substr(t.size() - n), e.Name)) {
        t.replace(t.size() - n, n, e.Text);
        break;
      }
    }
  }
  // A "<#" marker goes with the first ">" after it; the text between stays.
  std::string out;
  out.reserve(t.size());
  int pendingMarkers = 0;
  for (char c : t) {
    if (c == '>' && pendingMarkers > 0) {
      --pendingMarkers;
      continue;
    }
    out += c;
    if (out.ends_with("<#")) {
      out.resize(out.size() - 2);
      ++pendingMarkers;
    }
  }
  return out;
}

std::vector<THTMLToken> TokenizeHTML(std::string_view s) {
  std::vector<THTMLToken> out;
  size_t i = 0;
  while (i < s.size()) {
    size_t lt = s.find('<', i);
    size_t gt = lt == std::string_view::npos ? lt : s.find('>', lt + 1);
    bool tag = lt != std::string_view::npos && s.size() - lt > 2 && gt != std::string_view::npos;
    size_t runEnd = tag ? lt : s.size();
    if (runEnd > i) out.push_back({false, false, std::string(s.substr(i, runEnd - i)), {}});
    if (!tag) break;
    THTMLToken t;
    t.IsTag = true;
    std::string_view inside = s.substr(lt + 1, gt - lt - 1);
    if (!inside.empty() && inside[0] == '/') {
      t.Closing = true;
      inside.remove_prefix(1);
    }
    t.Text = std::string(inside);
    t.Name = UpperCase(inside.substr(0, inside.find(' ')));
    out.push_back(std::move(t));
    i = gt + 1;
  }
  return out;
}

std::string HTMLAttribute(std::string_view tag, std::string_view name) {
  std::string upper = UpperCase(tag), key = UpperCase(name) + "=";
  for (size_t p = upper.find(key); p != std::string::npos; p = upper.find(key, p + 1)) {
    bool wordStart = p == 0 || upper[p - 1] == ' ';
    if (!wordStart) continue;
    size_t open = p + key.size();
    if (open >= tag.size() || tag[open] != '"') return {};
    size_t close = tag.find('"', open + 1);
    if (close == std::string_view::npos) return {};
    return std::string(tag.substr(open + 1, close - open - 1));
  }
  return {};
}

std::string StripHTML(std::string_view s) {
  std::string t(s), upper = UpperCase(s), lined;
  for (size_t i = 0; i < t.size();) {
    if (upper.compare(i, 4, "<BR>") == 0 || upper.compare(i, 4, "<HR>") == 0) {
      lined += "\r\n";
      i += 4;
    } else {
      lined += t[i++];
    }
  }
  std::string out;
  for (size_t i = 0; i < lined.size();) {
    size_t gt = lined[i] == '<' ? lined.find('>', i + 1) : std::string::npos;
    if (lined[i] == '<' && gt == std::string::npos) {
      out.append(lined, i, std::string::npos);
      break;
    }
    if (lined[i] == '<') i = gt + 1;
    else out += lined[i++];
  }
  return out;
}

TColor ColorFromName(std::string_view lowerName) {
  for (const TNamedColor& c : NamedColors)
    if (lowerName == c.Name) return c.Color;
  return clBlack;
}

TColor HexToColor(std::string_view s) {
  size_t p = s.find('#');
  if (p == std::string_view::npos) return clBlack;
  int v[6] = {};
  for (int i = 0; i < 6; ++i) {
    size_t k = p + 1 + size_t(i);
    int d = k < s.size() ? HexDigit(s[k]) : -1;
    v[i] = d < 0 ? 0 : d;
  }
  int r = v[0] * 16 + v[1], g = v[2] * 16 + v[3], b = v[4] * 16 + v[5];
  return TColor(r | (g << 8) | (b << 16));
}

TColor FontAttrColor(std::string_view value) {
  std::string u = UpperCase(value);
  if (!u.empty() && u[0] == 'C') return ColorFromName(LowerCase(u));
  if (u.find('#') != std::string::npos) return HexToColor(u);
  return clBlack;
}

TColor BodyAttrColor(std::string_view value) {
  if (value.find("cl") != std::string_view::npos) return ColorFromName(LowerCase(value));
  if (value.find('#') != std::string_view::npos) return HexToColor(value);
  return clNone;
}

TColor ParagraphAttrColor(std::string_view value) {
  if (UpperCase(value).find("CL") != std::string::npos) return ColorFromName(LowerCase(value));
  if (value.find('#') != std::string_view::npos) return HexToColor(value);
  return clNone;
}

std::string HTMLEscape(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (char c : s) {
    switch (c) {
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '&': out += "&amp;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
  return out;
}
