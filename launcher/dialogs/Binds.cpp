// Bind lines and key maps.
#include "Binds.h"

#include "SysUtils.h"

std::string BindLine(const std::string& gameKey, const std::string& key, const std::string& command) {
  const std::string game = LowerCase(gameKey);
  const bool quoteKey = game == "half-life" || game == "quake" || game == "hexen2";
  const std::string shownKey = quoteKey ? '"' + key + '"' : key;
  return "bind " + shownKey + " \"" + command + '"';
}

std::vector<std::string> KeymapLines(const std::vector<std::string>& lines) {
  std::vector<std::string> map;
  for (const std::string& line : lines) {
    const std::string lower = LowerCase(line);
    if (lower.find("bind") == std::string::npos || lower.find("unbindall") != std::string::npos) continue;
    std::string t = line;
    for (size_t q; (q = t.find('"')) != std::string::npos;) t = Trim(t.erase(q, 1));
    size_t at = LowerCase(t).find("bind");
    if (at != std::string::npos) t.erase(at, 4);
    map.push_back(Trim(t));
  }
  return map;
}
