// The entry file read once, and counted mods matched with their entries.
#include "EntryLookup.h"

#include <windows.h>

#include <fstream>
#include <sstream>

#include "EntryFile.h"
#include "FileUtils.h"
#include "IniFiles.h"
#include "SysUtils.h"

namespace {
// A value as GetPrivateProfileString gives it: one pair of enclosing quotes off.
std::string Unquoted(const std::string& value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
    return value.substr(1, value.size() - 2);
  return value;
}

std::string Key(const std::string& mod, const std::string& game) {
  return LowerCase(mod) + '\0' + LowerCase(game);
}

// The file's bytes after Windows has written out its cached copy; "" when
// it cannot be read.
std::string FileText(const std::string& fileName) {
  if (ExtractFilePath(fileName).empty()) return "";  // a file of the Windows folder
  WritePrivateProfileStringA(nullptr, nullptr, nullptr, fileName.c_str());
  std::ifstream in(fileName, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}
}  // namespace

std::unordered_map<std::string, TModGame> ReadModsAndGames(const std::string& text) {
  std::unordered_map<std::string, TModGame> values;
  // Unicode files are the profile functions' to read.
  if (text.rfind("\xEF\xBB\xBF", 0) == 0 || text.rfind("\xFF\xFE", 0) == 0 || text.rfind("\xFE\xFF", 0) == 0)
    return values;
  const TEntrySet entries = TEntrySet::FromText(text);
  for (const TEntry& entry : entries.Entries())
    values.try_emplace(LowerCase(entry.Name), TModGame{Unquoted(entry.Value("Mod")), Unquoted(entry.Value("Game"))});
  return values;
}

TEntryLookup::TEntryLookup(const TIniFile& entryFile, const std::vector<std::string>& names) {
  const auto values = ReadModsAndGames(FileText(entryFile.FileName()));
  for (const std::string& name : names) {
    const auto it = values.find(LowerCase(name));
    const std::string key = it != values.end() ? Key(it->second.Mod, it->second.Game)
                                               : Key(entryFile.ReadString(name, "Mod", ""),
                                                     entryFile.ReadString(name, "Game", ""));
    FFirst.try_emplace(key, name);
  }
}

std::string TEntryLookup::Find(const std::string& mod, const std::string& game) const {
  const auto it = FFirst.find(Key(mod, game));
  return it == FFirst.end() ? std::string() : it->second;
}
