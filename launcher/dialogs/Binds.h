// Key binds in the config files of the games, and the plain key map made
// from them.
#pragma once
#include <string>
#include <vector>

// The bind line in the syntax of the game (its key compared in lower case):
// Half-Life, Quake and Hexen II quote the key, the others do not. Key and
// command are taken as typed.
std::string BindLine(const std::string& gameKey, const std::string& key, const std::string& command);
// The lines holding "bind" but not "unbindall" (any case), without their
// double quotes and their first "bind", trimmed: "w +forward".
std::vector<std::string> KeymapLines(const std::vector<std::string>& lines);
