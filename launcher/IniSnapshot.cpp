// TIniSnapshot: the class library's snapshot of the file, with the INI
// object answering for a file it must decode.
#include "IniSnapshot.h"

TIniSnapshot::TIniSnapshot(const TIniFile& ini) : FText(TIniFileSnapshot::FromFile(ini.Path())) {
  if (!FText.Plain()) FIni = &ini;
}

TIniSnapshot TIniSnapshot::FromText(const std::string& text) {
  TIniSnapshot snapshot;
  snapshot.FText = TIniFileSnapshot::FromText(text);
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
