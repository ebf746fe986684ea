// The launcher's entry file (Mod.ini): entries in memory, the entry writer of
// the searches, and the mod-info file through which a folder describes itself.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

#include "ModInfoText.h"

class TIniFile;

// One section of the entry file: its name and its keys in writing order.
struct TEntry {
  std::string Name;
  std::vector<std::pair<std::string, std::string>> Keys;

  // "" when the key is missing; keys match without regard to case.
  std::string Value(const std::string& key) const;
  void SetValue(const std::string& key, const std::string& value);
};

// A whole entry file built in memory and written at once.
class TEntrySet {
public:
  bool SectionExists(const std::string& name) const;
  TEntry& Add(const std::string& name);
  std::vector<TEntry>& Entries() { return FEntries; }
  const std::vector<TEntry>& Entries() const { return FEntries; }
  // INI text: "[name]" then "key=value" lines, CR LF line ends.
  std::string Text() const;
  // The entries of INI text, sections and keys in file order; names and
  // values trimmed; lines before the first section or without "=" skipped.
  static TEntrySet FromText(const std::string& text);
  // Takes out the entries for which drop is true; the others keep their order.
  void RemoveIf(const std::function<bool(const TEntry&)>& drop);

private:
  std::vector<TEntry> FEntries;
  std::unordered_set<std::string> FLowerNames;
};

// An entry file is a few thousand short sections, well under a megabyte; a
// larger one is refused rather than read into memory whole.
inline constexpr int64_t MaxEntryFileSize = 64 << 20;
// The entries of an entry file; none when the file does not exist. Raises
// EInOutError for a file larger than MaxEntryFileSize and the class
// library's file errors for one that cannot be read: whoever writes the file
// anew from these entries must never take an unreadable file for an empty one.
TEntrySet ReadEntryFile(const std::string& fileName);

// The entry writer: a name cleaned of "=", "[" and "]" (else the mod folder,
// else "unknown mod"), made unique by appending " (game)"; Mod, Game, Param,
// then Bitmap, Description and url when not empty. Writes nothing without a
// game key or a parameter.
void WriteModEntry(TEntrySet& file, const std::string& name, const std::string& mod, const std::string& website,
                   const std::string& description, const std::string& logo, const std::string& param,
                   const std::string& game);
// The same into an open entry file.
void WriteModEntry(TIniFile& file, const std::string& name, const std::string& mod, const std::string& website,
                   const std::string& description, const std::string& logo, const std::string& param,
                   const std::string& game);

// The section name the writer makes of a name and mod folder (before clashes).
std::string EntryName(const std::string& name, const std::string& mod);

inline constexpr const char* ModInfoFileName = "modinfo_for_BX2000.bx2";

// True for a readable file of exactly five lines whose first line is not
// blank; any other file counts as absent.
bool ReadModInfo(const std::string& fileName, TModInfo& info);
// Five lines ending in CR LF; raises EFCreateError when the file cannot be
// written or is read-only (it is then left as it is).
void WriteModInfo(const std::string& fileName, const TModInfo& info);
