// TIniSnapshot: an INI file read once, for the main window's passes over
// every entry (the menus, the ranking, the views), which would otherwise ask
// the profile functions once per entry and key: each such call searches the
// whole file again.
#pragma once
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

#include "IniFiles.h"
#include "StringList.h"

class TIniSnapshot {
public:
  // Reads the file as the profile functions see it (their writes are on
  // disk at once). A file the reader does not take as the profile
  // functions do (one with a byte-order mark) is left to them: every read
  // then goes to the INI object.
  explicit TIniSnapshot(const TIniFile& ini);
  // The same from the file's bytes (no file, no INI object to fall back on).
  static TIniSnapshot FromText(const std::string& text);

  // As TIniFile::ReadString: section and key names trimmed and matched
  // without regard to letter case in the first section of that name; a
  // value in matching quotes loses them; a missing key or a line without
  // "=" gives def.
  std::string ReadString(const std::string& section, const std::string& ident, const std::string& def) const;
  // As TIniFile::ReadSection: the key names of the first section of that
  // name (taken untrimmed), in file order, without comment lines (";") or
  // lines without "=", up to a key without a name.
  void ReadSection(const std::string& section, TStringList& keys) const;

private:
  TIniSnapshot() = default;
  void Parse(const std::string& text);
  struct TKey {
    std::string Name, LowerName, Value;
    bool HasValue = false;
  };
  // A section's keys, a run of FKeys; one of many keys gets an index of
  // its names (the start counters of one game), the few keys of an entry
  // are searched.
  struct TSection {
    size_t First = 0, Count = 0;
    std::unordered_map<std::string, size_t> Index;  // lower-case name -> first key
  };
  const TSection* Find(const std::string& section) const;
  std::span<const TKey> Keys(const TSection& section) const { return {FKeys.data() + section.First, section.Count}; }

  const TIniFile* FIni = nullptr;  // not owned; set when the profile functions answer instead
  std::vector<TKey> FKeys;  // every section's keys, in file order
  std::vector<TSection> FSections;
  std::unordered_map<std::string, size_t> FIndex;  // lower-case name -> first section
};
