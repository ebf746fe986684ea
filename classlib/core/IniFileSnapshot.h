// TIniFileSnapshot: an INI file read into memory once, for many reads in a
// row that would otherwise each go to the file.
#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "IniFileText.h"

// The text is read as the profile functions read it (IniFileText.h). A file
// that starts with a byte-order mark is not parsed: the profile functions
// decode it, so its reader asks them (Plain() is false).
class TIniFileSnapshot {
public:
  TIniFileSnapshot() = default;  // no sections
  // The file's bytes as they are on disk; a missing or unreadable file has
  // no sections.
  static TIniFileSnapshot FromFile(const std::string& path);
  static TIniFileSnapshot FromText(std::string_view text);

  // False for text with a byte-order mark, of which nothing is read here.
  bool Plain() const { return FPlain; }
  bool HasSection(std::string_view section) const { return FText.HasSection(section); }
  // As TIniFileText::Value and TIniFileText::KeyNames.
  std::optional<std::string> Value(std::string_view section, std::string_view ident) const {
    return FText.Value(section, ident);
  }
  std::vector<std::string> KeyNames(std::string_view section) const { return FText.KeyNames(section); }

private:
  TIniFileText FText;
  bool FPlain = true;
};
