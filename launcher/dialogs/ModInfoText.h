// The text of the files through which a game or mod folder describes itself:
// the mod-info file and Half-Life's liblist.gam. Portable; tolerant: any
// text parses, and text that is not a valid file yields nothing.
#pragma once
#include <cstddef>
#include <string>

// Values read from a game's files end up as entry names and values of
// Mod.ini, shown on one row of the list or one menu line. Real names and web
// addresses are a few dozen characters and a logo's full path is at most
// MAX_PATH (260); 512 leaves room for any of them and keeps a hostile file
// from copying megabytes into the entry file.
inline constexpr size_t MaxGameFileValue = 512;
// The value without control characters (NUL, line breaks, tabs, DEL), which
// would cut or split an INI line, cut to MaxGameFileValue characters.
std::string CleanGameFileValue(const std::string& value);

// The five lines of a mod-info file.
struct TModInfo {
  std::string Name, Description, Logo, Parameters, WebSite;
};

// True for exactly five lines (CR LF, LF or CR ends) whose first is not
// blank; the lines are cleaned (CleanGameFileValue).
bool ParseModInfo(const std::string& text, TModInfo& info);

// The first non-empty values of `game "` and `url_info "` (keys in any
// case): the text after the key up to the next quote (or the line end),
// cleaned (CleanGameFileValue) and trimmed. A value that is not found is
// left as it was; the results say which were found.
struct TLiblistValues {
  bool HasGame = false, HasUrl = false;
  std::string Game, Url;
};
TLiblistValues ParseLiblistText(const std::string& text);
