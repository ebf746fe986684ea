// The keys of liblist.gam and their values.
#include "Liblist.h"

#include "SysUtils.h"

const std::array<TLiblistKey, 15>& LiblistKeys() {
  static const std::array<TLiblistKey, 15> keys{{
      {"game ", "The name of the mod"},
      {"url_info ", "The mod's informational web site"},
      {"url_dl ", "The ftp site from where the mod can be downloaded"},
      {"version ", "The mod's version number"},
      {"size ", "The size, in bytes, of the mod"},
      {"svonly ", "\"1\" if the mod is a server only mod ( no client side content or code ), \"0\" otherwise"},
      {"cldll ", "1 if the mod requires a matching client.dll (0 otherwise)"},
      {"type ",
       "If this mod is \"multiplayer_only\", then the single player buttons ( New Game/Hazard Course/Load game "
       "etc.) are disabled in the Half-Life launcher"},
      {"hlversion ",
       "The version of Half-Life for which the mod was generated.  Revisions to Half-Life will require updates by "
       "mod authors."},
      {"nomodels ",
       "Set to \"1\" if model bitmaps should not be shown in the Multiplayer | Customize menu of the Half-Life "
       "launcher"},
      {"mpentity ",
       "When a user chooses to create a listen server from the interface, each BSP file in the maps\\ folder for "
       "the mod is searched.  The entity data for the BSP is scanned for the presence of the string identified by "
       "mpentity.  For insance, in Half-Life, the string is \"info_player_deathmatch\" ( which is also the default "
       "if no string is specified )"},
      {"gamedll ", "The game DLL to load for running a server for this mod."},
      {"gamedll_linux ", "The game DLL to load for running a linux server for this mod."},
      {"startmap ", "When a user chooses \"New Game\" for a single player mod, this is the map that is loaded."},
      {"trainingmap ",
       "When a user chooses \"Hazard Course\" for a single player mod, this is the map that is loaded."},
  }};
  return keys;
}

bool LiblistLineMatches(const std::string& line, const std::string& key) {
  return !key.empty() && LowerCase(Trim(line)).rfind(key, 0) == 0;
}

std::string LiblistValue(const std::vector<std::string>& lines, const std::string& key) {
  std::string value;
  for (const std::string& line : lines) {
    if (!LiblistLineMatches(line, key) || line.find('"') == std::string::npos) continue;
    std::string t = Trim(line);
    t = t.substr(t.find('"') + 1);
    value = t.substr(0, t.find('"'));
  }
  return value;
}

void SetLiblistValue(std::vector<std::string>& lines, const std::string& key, const std::string& value) {
  if (key.empty() || value.empty()) return;
  for (size_t i = lines.size(); i-- > 0;) {
    if (!LiblistLineMatches(lines[i], key)) continue;
    std::string t = Trim(lines[i]);
    size_t open = t.find('"');
    if (open == std::string::npos) return;
    size_t close = t.find('"', open + 1);
    std::string rest = close == std::string::npos ? t.substr(open + 1) : t.substr(close + 1);
    lines[i] = key + '"' + value + '"' + rest;
    return;
  }
  lines.push_back(key + '"' + value + '"');
}
