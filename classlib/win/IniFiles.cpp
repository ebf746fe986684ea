// TIniFile.
#include "IniFiles.h"

#include <windows.h>

#include <cstring>
#include <string_view>
#include <vector>

namespace {
const char* OrNull(const std::string& s) { return s.c_str(); }
}  // namespace

std::string ShortDateFormat() {
  char buf[80];
  if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, buf, sizeof buf) > 0) return buf;
  return "M/d/yyyy";
}

std::string TIniFile::ReadString(const std::string& section, const std::string& ident, const std::string& def) const {
  std::vector<char> buf(2048);
  while (true) {
    DWORD n = GetPrivateProfileStringA(OrNull(section), OrNull(ident), def.c_str(), buf.data(), DWORD(buf.size()),
                                       FFileName.c_str());
    if (n < buf.size() - 1) return std::string(buf.data(), n);
    buf.resize(buf.size() * 4);
  }
}

void TIniFile::WriteString(const std::string& section, const std::string& ident, const std::string& value) {
  if (!WritePrivateProfileStringA(section.c_str(), ident.c_str(), value.c_str(), FFileName.c_str()))
    throw EIniFileException("Unable to write to " + FFileName);
}

int TIniFile::ReadInteger(const std::string& section, const std::string& ident, int def) const {
  std::string s = ReadString(section, ident, "");
  return s.empty() ? def : StrToIntDef(s, def);
}

void TIniFile::WriteInteger(const std::string& section, const std::string& ident, int value) {
  WriteString(section, ident, IntToStr(value));
}

bool TIniFile::ReadBool(const std::string& section, const std::string& ident, bool def) const {
  return ReadInteger(section, ident, def ? 1 : 0) != 0;
}

void TIniFile::WriteBool(const std::string& section, const std::string& ident, bool value) {
  WriteString(section, ident, value ? "1" : "0");
}

TDateTime TIniFile::ReadDate(const std::string& section, const std::string& ident, TDateTime def) const {
  std::string s = ReadString(section, ident, "");
  TDateTime d;
  return !s.empty() && TryParseDate(ShortDateFormat(), s, d) ? d : def;
}

void TIniFile::WriteDate(const std::string& section, const std::string& ident, TDateTime value) {
  WriteString(section, ident, FormatDate(ShortDateFormat(), value));
}

// The profile functions list names as zero-terminated strings ending with an
// empty one; the buffer grows until the list fits.
TStringList TIniFile::ReadList(const char* section) const {
  std::vector<char> buf(16384);
  DWORD n;
  while (true) {
    n = section ? GetPrivateProfileStringA(section, nullptr, "", buf.data(), DWORD(buf.size()), FFileName.c_str())
                : GetPrivateProfileSectionNamesA(buf.data(), DWORD(buf.size()), FFileName.c_str());
    if (n < buf.size() - 2) break;
    buf.resize(buf.size() * 4);
  }
  TStringList list;
  for (const char* p = buf.data(); p < buf.data() + n && *p; p += strlen(p) + 1) list.Add(p);
  return list;
}

void TIniFile::ReadSection(const std::string& section, TStringList& keys) const {
  keys.Assign(ReadList(section.c_str()));
}

void TIniFile::ReadSections(TStringList& sections) const {
  sections.Assign(ReadList(nullptr));
}

void TIniFile::ReadSectionValues(const std::string& section, TStringList& lines) const {
  lines.Clear();
  TStringList keys;
  ReadSection(section, keys);
  for (const auto& k : keys.Items()) lines.Add(k + "=" + ReadString(section, k, ""));
}

bool TIniFile::SectionExists(const std::string& section) const {
  TStringList keys;
  ReadSection(section, keys);
  return keys.Count() > 0;
}

bool TIniFile::ValueExists(const std::string& section, const std::string& ident) const {
  TStringList keys;
  ReadSection(section, keys);
  return keys.IndexOf(ident) >= 0;
}

void TIniFile::EraseSection(const std::string& section) {
  if (!WritePrivateProfileStringA(section.c_str(), nullptr, nullptr, FFileName.c_str()))
    throw EIniFileException("Unable to write to " + FFileName);
}

void TIniFile::DeleteKey(const std::string& section, const std::string& ident) {
  WritePrivateProfileStringA(section.c_str(), ident.c_str(), nullptr, FFileName.c_str());
}

void TIniFile::UpdateFile() { WritePrivateProfileStringA(nullptr, nullptr, nullptr, FFileName.c_str()); }

namespace {
constexpr std::string_view kIniSpecialChars = "=[]";
}

bool IsValidIniName(const std::string& text) { return text.find_first_of(kIniSpecialChars) == std::string::npos; }

std::string StripIniChars(const std::string& text) {
  std::string out;
  for (char c : text)
    if (kIniSpecialChars.find(c) == std::string_view::npos) out += c;
  return out;
}
