// Parsing mod-info and liblist.gam text.
#include "ModInfoText.h"

#include "StringList.h"
#include "SysUtils.h"

std::string CleanGameFileValue(const std::string& value) {
  std::string clean;
  for (char c : value) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (u >= 0x20 && u != 0x7F) clean += c;
    if (clean.size() == MaxGameFileValue) break;
  }
  return clean;
}

bool ParseModInfo(const std::string& text, TModInfo& info) {
  TStringList lines;
  lines.SetText(text);
  if (lines.Count() != 5 || Trim(CleanGameFileValue(lines[0])).empty()) return false;
  info = TModInfo{CleanGameFileValue(lines[0]), CleanGameFileValue(lines[1]), CleanGameFileValue(lines[2]),
                  CleanGameFileValue(lines[3]), CleanGameFileValue(lines[4])};
  return true;
}

namespace {
// The value after `key` in a line, when the line holds the key.
bool ValueAfter(const std::string& line, const std::string& lowerLine, const std::string& key, std::string& value) {
  size_t p = lowerLine.find(key);
  if (p == std::string::npos) return false;
  size_t start = p + key.size();
  size_t end = line.find('"', start);
  value = Trim(CleanGameFileValue(line.substr(start, end == std::string::npos ? std::string::npos : end - start)));
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
