// The entry file read once, and counted mods matched with their entries.
#include "EntryLookup.h"

#include <windows.h>

#include "IniFileSnapshot.h"
#include "IniFiles.h"
#include "SysUtils.h"

namespace {
std::string Key(const std::string& mod, const std::string& game) {
  return LowerCase(mod) + '\0' + LowerCase(game);
}
}  // namespace

TEntryLookup::TEntryLookup(const TIniFile& entryFile, const std::vector<std::string>& names) {
  // Whatever Windows keeps of the file for its profile functions goes to
  // disk first, so that the text read here is theirs.
  WritePrivateProfileStringA(nullptr, nullptr, nullptr, entryFile.Path().c_str());
  const TIniFileSnapshot text = TIniFileSnapshot::FromFile(entryFile.Path());
  for (const std::string& name : names) {
    const bool inText = text.Plain() && text.HasSection(name);
    const std::string key = inText ? Key(text.Value(name, "Mod").value_or(""), text.Value(name, "Game").value_or(""))
                                   : Key(entryFile.ReadString(name, "Mod", ""), entryFile.ReadString(name, "Game", ""));
    FFirst.try_emplace(key, name);
  }
}

std::string TEntryLookup::Find(const std::string& mod, const std::string& game) const {
  const auto it = FFirst.find(Key(mod, game));
  return it == FFirst.end() ? std::string() : it->second;
}
