// TIniFile over the Windows profile functions: a bare file name means the
// Windows folder; section and key names match without regard to letter case.
#pragma once
#include <string>

#include "StringList.h"
#include "SysUtils.h"

class EIniFileException : public Exception { using Exception::Exception; };

class TIniFile {
public:
  explicit TIniFile(const std::string& fileName) : FFileName(fileName) {}
  TIniFile(const TIniFile&) = delete;
  TIniFile& operator=(const TIniFile&) = delete;
  const std::string& FileName() const { return FFileName; }

  std::string ReadString(const std::string& section, const std::string& ident, const std::string& def) const;
  // Raises EIniFileException when the file cannot be written.
  void WriteString(const std::string& section, const std::string& ident, const std::string& value);
  // Decimal or "$"/"0x" hexadecimal; anything else gives def.
  int ReadInteger(const std::string& section, const std::string& ident, int def) const;
  void WriteInteger(const std::string& section, const std::string& ident, int value);
  // Read as an integer: 0 is false, any other number true. Written "1" / "0".
  bool ReadBool(const std::string& section, const std::string& ident, bool def) const;
  void WriteBool(const std::string& section, const std::string& ident, bool value);
  // Dates as the user's locale writes a short date; unreadable text gives def.
  TDateTime ReadDate(const std::string& section, const std::string& ident, TDateTime def) const;
  void WriteDate(const std::string& section, const std::string& ident, TDateTime value);

  void ReadSection(const std::string& section, TStringList& keys) const;  // key names
  void ReadSections(TStringList& sections) const;
  void ReadSectionValues(const std::string& section, TStringList& lines) const;  // "key=value"
  bool SectionExists(const std::string& section) const;
  bool ValueExists(const std::string& section, const std::string& ident) const;
  void EraseSection(const std::string& section);
  void DeleteKey(const std::string& section, const std::string& ident);
  // Flushes Windows' cached copy of the file.
  void UpdateFile();

private:
  TStringList ReadList(const char* section) const;
  std::string FFileName;
};

// Whether text can be a section or key name: it holds none of "=", "[", "]".
bool IsValidIniName(const std::string& text);
// The text without the characters that break a section or key name.
std::string StripIniChars(const std::string& text);

// The locale's short-date pattern (Windows' LOCALE_SSHORTDATE).
std::string ShortDateFormat();
