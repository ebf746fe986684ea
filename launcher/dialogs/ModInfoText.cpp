// Parsing mod-info and liblist.gam text.
#include "ModInfoText.h"

#include "StringList.h"
#include "SysUtils.h"

bool ParseModInfo(const std::string& text, TModInfo& info) {
  TStringList lines;
  lines.SetText(text);
  if (lines.Count() != 5 || Trim(lines[0]).empty()) return false;
  info = TModInfo{lines[0], lines[1], lines[2], lines[3], lines[4]};
  return true;
}

namespace {
// The value after `key` in a line, when the line holds the key.
bool ValueAfter(const std::string& line, const std::string& lowerLine, const std::string& key, std::string& value) {
  size_t p = lowerLine.find(key);
  if (p == std::string::npos) return false;
  size_t start = p + key.size();
  size_t end = line.find('"', start);
  value = Trim(line.substr(start, end == std::string::npos ? std::string::npos : end - start));
  return true;
}
}  // namespace

TLiblistValues ParseLiblistText(const std::string& text) {
  TLiblistValues v;
  TStringList lines;
  lines.SetText(text);
  for (const std::string& line : lines.Items()) {
    if (v.HasGame && v.HasUrl) break;
    std::string lower = LowerCase(line), value;
    if (!v.HasGame && ValueAfter(line, lower, "game \"", value) && !value.empty()) v.Game = value, v.HasGame = true;
    if (!v.HasUrl && ValueAfter(line, lower, "url_info \"", value) && !value.empty()) v.Url = value, v.HasUrl = true;
  }
  return v;
}
