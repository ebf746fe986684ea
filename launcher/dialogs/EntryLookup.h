// Finding the entry of a counted mod: the entry file (Mod.ini) read once,
// and each entry's "Mod" and "Game" matched in memory. Reading two keys of
// every entry through the profile functions costs milliseconds each on a
// large file, far too slow for thousands of counted mods.
#pragma once
#include <string>
#include <unordered_map>
#include <vector>

class TIniFile;

class TEntryLookup {
public:
  // names: entry names of the file in the order that decides which entry
  // a mod gets (the main window's name list). A name the file's text does
  // not show (or a file that cannot be read as plain text) is read through
  // the profile functions instead, so the answers are theirs.
  TEntryLookup(const TIniFile& entryFile, const std::vector<std::string>& names);
  // The first of the names whose "Mod" and "Game" equal mod and game
  // without regard to case; "" when there is none.
  std::string Find(const std::string& mod, const std::string& game) const;

private:
  std::unordered_map<std::string, std::string> FFirst;  // lower-cased mod, NUL, game -> name
};

