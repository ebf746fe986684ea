// TIniFile: an INI file read and written as the Windows profile functions
// do, but written whole through a temporary file, so that the file on disk
// is at every moment the whole old or the whole new one.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "IniFileText.h"
#include "StringList.h"
#include "SysUtils.h"

class EIniFileException : public Exception { using Exception::Exception; };

// A bare file name means the Windows folder; section and key names match
// without regard to letter case. The text is kept in memory and read again
// when the file changes on disk. Every change is written at once, unless an
// update (TIniUpdate) holds the changes of one command and writes them once.
// A write that fails leaves the file as it was, drops the changes it held
// and raises EIniFileException naming the file and the system's reason.
// Files with a UTF-8 or UTF-16 byte-order mark are read and written in
// their own encoding, the values given as ANSI text.
class TIniFile {
public:
  explicit TIniFile(const std::string& fileName);
  ~TIniFile();
  TIniFile(const TIniFile&) = delete;
  TIniFile& operator=(const TIniFile&) = delete;
  const std::string& FileName() const { return FFileName; }
  // The file itself: a bare name in the Windows folder, any other made full.
  const std::string& Path() const { return FPath; }

  std::string ReadString(const std::string& section, const std::string& ident, const std::string& def) const;
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

  // Changes made from BeginUpdate to the matching EndUpdate are held; the
  // last EndUpdate writes them in one go. CancelUpdate ends an update
  // without writing: the outermost one drops what was held.
  void BeginUpdate() { ++FUpdateCount; }
  void EndUpdate();
  void CancelUpdate();
  // Writes the changes held so far now.
  void UpdateFile();

private:
  struct TChange;
  struct TStamp {
    bool Exists = false;
    unsigned long long Size = 0, Written = 0;
    bool operator==(const TStamp&) const = default;
  };
  enum class TEncoding { Ansi, Utf8, Utf16LE, Utf16BE };

  const TIniFileText& Current() const;
  void Load() const;
  void Change(TChange change);
  bool Apply(TIniFileText& text, const TChange& change) const;
  void Flush();
  void Drop();
  std::string ToFile(const std::string& ansi) const;
  std::string FromFile(const std::string& text) const;
  static TStamp StampOf(const std::string& path);

  std::string FFileName;  // as given
  std::string FPath;      // the file itself
  // The file's text as last read, with the changes held since.
  mutable std::unique_ptr<TIniFileText> FText;
  mutable TStamp FStamp;  // of the file that FText was read from
  mutable TEncoding FEncoding = TEncoding::Ansi;
  mutable std::string FReadError;  // why an existing file could not be read
  std::vector<TChange> FChanges;   // held, to be made again on a file that changed meanwhile
  int FUpdateCount = 0;
};

// The changes of one command to one INI file, written once: Commit() writes
// them (raising EIniFileException when the file cannot be written); a guard
// that ends without Commit (an exception on the way) drops them, and the file
// stays as it was.
class TIniUpdate {
public:
  explicit TIniUpdate(TIniFile& ini) : FIni(ini) { ini.BeginUpdate(); }
  ~TIniUpdate() {
    if (!FDone) FIni.CancelUpdate();
  }
  TIniUpdate(const TIniUpdate&) = delete;
  TIniUpdate& operator=(const TIniUpdate&) = delete;
  void Commit() {
    FDone = true;
    FIni.EndUpdate();
  }

private:
  TIniFile& FIni;
  bool FDone = false;
};

// Whether text can be a section or key name: it holds none of "=", "[", "]".
bool IsValidIniName(const std::string& text);
// The text without the characters that break a section or key name.
std::string StripIniChars(const std::string& text);

// The locale's short-date pattern (Windows' LOCALE_SSHORTDATE).
std::string ShortDateFormat();
