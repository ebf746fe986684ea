// TIniSnapshot: the file's text parsed once by the class library's INI text.
#include "IniSnapshot.h"

#include <algorithm>
#include <fstream>

namespace {
bool HasByteOrderMark(const std::string& text) {
  return text.rfind("\xEF\xBB\xBF", 0) == 0 || text.rfind("\xFF\xFE", 0) == 0 || text.rfind("\xFE\xFF", 0) == 0;
}
}  // namespace

TIniSnapshot::TIniSnapshot(const TIniFile& ini) {
  std::ifstream in(ini.Path(), std::ios::binary | std::ios::ate);
  std::string text;
  if (in) {
    text.resize(size_t(std::max<std::streamoff>(in.tellg(), 0)));
    in.seekg(0);
    in.read(text.data(), std::streamsize(text.size()));
    text.resize(size_t(std::max<std::streamsize>(in.gcount(), 0)));
  }
  if (HasByteOrderMark(text)) FIni = &ini;
  else FText = TIniFileText(text);
}

TIniSnapshot TIniSnapshot::FromText(const std::string& text) {
  TIniSnapshot snapshot;
  snapshot.FText = TIniFileText(text);
  return snapshot;
}

std::string TIniSnapshot::ReadString(const std::string& section, const std::string& ident,
                                     const std::string& def) const {
  if (FIni) return FIni->ReadString(section, ident, def);
  const auto value = FText.Value(section, ident);
  return value ? *value : def;
}

void TIniSnapshot::ReadSection(const std::string& section, TStringList& keys) const {
  if (FIni) return FIni->ReadSection(section, keys);
  keys.Clear();
  for (const std::string& name : FText.KeyNames(section)) keys.Add(name);
}
