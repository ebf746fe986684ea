// The Half-Life engine games and their base folders.
#include "GameRules.h"

#include "SysUtils.h"

bool IsHalfLifeEngine(std::string_view game) { return !HalfLifeBaseFolder(game).empty(); }

std::string HalfLifeBaseFolder(std::string_view game) {
  if (SameText(game, "half-life")) return "valve";
  if (SameText(game, "gunman")) return "rewolf";
  return std::string();
}

bool AnyHalfLifeEngineGame(const std::function<bool(const std::string&)>& present) {
  for (const char* key : kHalfLifeEngineGames)
    if (present(key)) return true;
  return false;
}
