// A mini-HTML cell's markup made safe to stand inside a table cell of a page:
// only text-level tags and their harmless attributes pass, rebuilt from what
// was read; anything else between "<" and ">" (a table tag, a script, a
// word in angle brackets) is written as the text it is, escaped, so that
// nothing is lost and nothing can end the cell.
#include <algorithm>
#include <array>
#include <cctype>

#include "ExtGridHTML.h"
#include "ExtGridText.h"

namespace {
struct TAllowedTag {
  std::string_view Name;
  std::array<std::string_view, 4> Attributes;  // empty entries unused
};

// The tags of the grid's mini-HTML that a page can show; none of them can
// end the table, row or cell they stand in, run script or load a frame.
constexpr TAllowedTag kAllowedTags[] = {
    {"a", {"href"}}, {"b", {}}, {"br", {}}, {"font", {"face", "color", "size", "bgcolor"}},
    {"hr", {}}, {"i", {}}, {"img", {"src", "width", "height", "align"}}, {"li", {}},
    {"p", {"align"}}, {"s", {}}, {"sub", {}}, {"sup", {}}, {"u", {}}, {"ul", {}},
};

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = ToLowerChar(c);
  return out;
}
bool IsNameChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_'; }
bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool IsBlank(char c) { return IsSpace(c) || c == '/'; }  // between attributes

const TAllowedTag* FindTag(std::string_view name) {
  for (const TAllowedTag& t : kAllowedTags)
    if (t.Name == name) return &t;
  return nullptr;
}

}  // namespace

bool SafeAddress(std::string_view value) {
  std::string compact;
  for (char c : value)
    if (static_cast<unsigned char>(c) > ' ') compact += ToLowerChar(c);
  return !compact.starts_with("javascript:") && !compact.starts_with("vbscript:") && !compact.starts_with("data:");
}

namespace {
// The tag's body between "<" and ">" rebuilt, or "" when it is no tag that may pass.
std::string RebuildTag(std::string_view body) {
  size_t i = 0;
  const bool closing = !body.empty() && body[0] == '/';
  if (closing) ++i;
  size_t nameEnd = i;
  while (nameEnd < body.size() && IsNameChar(body[nameEnd])) ++nameEnd;
  const std::string_view name = body.substr(i, nameEnd - i);  // written as it was spelt
  const TAllowedTag* tag = FindTag(Lower(name));
  if (!tag) return {};
  std::string out = "<" + std::string(closing ? "/" : "") + std::string(name);
  if (closing) return out + ">";
  for (i = nameEnd; i < body.size();) {
    while (i < body.size() && IsBlank(body[i])) ++i;
    size_t nameStart = i;
    while (i < body.size() && !IsBlank(body[i]) && body[i] != '=') ++i;
    const std::string name = Lower(body.substr(nameStart, i - nameStart));
    if (name.empty()) {
      ++i;
      continue;
    }
    std::string_view value;
    while (i < body.size() && IsSpace(body[i])) ++i;
    if (i < body.size() && body[i] == '=') {
      ++i;
      while (i < body.size() && IsSpace(body[i])) ++i;
      if (i < body.size() && (body[i] == '"' || body[i] == '\'')) {
        const char q = body[i++];
        size_t end = std::min(body.find(q, i), body.size());
        value = body.substr(i, end - i);
        i = end + 1;
      } else {
        size_t start = i;
        while (i < body.size() && !IsSpace(body[i])) ++i;
        value = body.substr(start, i - start);
      }
    }
    const bool allowed = std::find(tag->Attributes.begin(), tag->Attributes.end(), name) != tag->Attributes.end();
    if (!allowed || ((name == "href" || name == "src") && !SafeAddress(value))) continue;
    out += " " + name + "=\"" + HTMLEscape(value) + "\"";
  }
  return out + ">";
}
}  // namespace

std::string SafeCellMarkup(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    size_t lt = text.find('<', i);
    size_t gt = lt == std::string_view::npos ? lt : text.find('>', lt + 1);
    if (gt == std::string_view::npos) {  // no further tag: the rest is text
      out += HTMLEscape(text.substr(i));
      break;
    }
    out += HTMLEscape(text.substr(i, lt - i));
    std::string tag = RebuildTag(text.substr(lt + 1, gt - lt - 1));
    out += tag.empty() ? HTMLEscape(text.substr(lt, gt - lt + 1)) : tag;
    i = gt + 1;
  }
  return out;
}
