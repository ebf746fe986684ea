// The text of the files through which a game or mod folder describes itself:
// the mod-info file and Half-Life's liblist.gam. Portable; tolerant: any
// text parses, and text that is not a valid file yields nothing.
#pragma once
#include <string>

// The five lines of a mod-info file.
struct TModInfo {
  std::string Name, Description, Logo, Parameters, WebSite;
};

// True for exactly five lines (CR LF, LF or CR ends) whose first is not blank.
bool ParseModInfo(const std::string& text, TModInfo& info);

// The first non-empty values of `game "` and `url_info "` (keys in any
// case): the text after the key up to the next quote (or the line end),
// trimmed. A value that is not found is left as it was; the results say
// which were found.
struct TLiblistValues {
  bool HasGame = false, HasUrl = false;
  std::string Game, Url;
};
TLiblistValues ParseLiblistText(const std::string& text);
