// TIniSnapshot: an INI file read once, for the main window's passes over
// every entry (the menus, the ranking, the views), which would otherwise
// look at the file's date once per entry and key.
#pragma once
#include <string>

#include "IniFileSnapshot.h"
#include "IniFiles.h"
#include "StringList.h"

class TIniSnapshot {
public:
  // Reads the file as it is on disk (the INI object writes its changes at
  // once). A file with a byte-order mark is left to the INI object, which
  // decodes it: every read then goes to it.
  explicit TIniSnapshot(const TIniFile& ini);
  // The same from the file's bytes (no file, no INI object to fall back on).
  static TIniSnapshot FromText(const std::string& text);

  // As TIniFile::ReadString and TIniFile::ReadSection.
  std::string ReadString(const std::string& section, const std::string& ident, const std::string& def) const;
  void ReadSection(const std::string& section, TStringList& keys) const;

private:
  TIniSnapshot() = default;
  const TIniFile* FIni = nullptr;  // not owned; set when the INI object answers instead
  TIniFileSnapshot FText;
};
