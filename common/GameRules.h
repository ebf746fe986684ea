// Rules about the games the launcher knows that several of its parts apply:
// which games start through the Half-Life engine (hl.exe) and their folders.
#pragma once
#include <functional>
#include <string>
#include <string_view>

// The Games.ini keys of the games that run on the Half-Life engine.
inline constexpr const char* kHalfLifeEngineGames[] = {"half-life", "gunman"};

// Whether a game key (any case) starts through the Half-Life engine: its
// mapcycle.txt may be shuffled, its spray logos edited.
bool IsHalfLifeEngine(std::string_view game);

// The engine game's own folder ("valve", "rewolf") beside its mods; "" for
// any other game.
std::string HalfLifeBaseFolder(std::string_view game);

// Whether present(key) holds for any Half-Life engine game.
bool AnyHalfLifeEngineGame(const std::function<bool(const std::string&)>& present);
