// TIniFile: the file's text kept in memory, read again when the file changes,
// and written whole through the class library's atomic save.
#include "IniFiles.h"

#include <windows.h>

#include <string_view>

#include "Streams.h"

struct TIniFile::TChange {
  enum TKind { ckWrite, ckDeleteKey, ckEraseSection } Kind;
  std::string Section, Ident, Value;  // ANSI text, as the caller gave it
};

namespace {
// An INI file is a few hundred kilobytes at most (a list of thousands of
// entries); a file past this is not one, and reading it whole could exhaust
// the memory of a 32-bit process.
constexpr unsigned long long kMaxIniSize = 256ull * 1024 * 1024;

// The file the profile functions open: a bare file name lies in the
// Windows folder. Any other is made a full path at once: the launcher
// changes its current folder when it starts a game.
std::string ProfilePath(const std::string& name) {
  if (name.find_first_of("\\/:") == std::string::npos) {
    char dir[MAX_PATH] = "";
    GetWindowsDirectoryA(dir, MAX_PATH);
    return std::string(dir) + "\\" + name;
  }
  char full[MAX_PATH * 2] = "";
  const DWORD n = GetFullPathNameA(name.c_str(), sizeof full, full, nullptr);
  return n > 0 && n < sizeof full ? std::string(full, n) : name;
}

std::wstring Widen(std::string_view text, UINT codePage) {
  if (text.empty()) return {};
  const int n = MultiByteToWideChar(codePage, 0, text.data(), int(text.size()), nullptr, 0);
  std::wstring wide(size_t(n > 0 ? n : 0), L'\0');
  if (n > 0) MultiByteToWideChar(codePage, 0, text.data(), int(text.size()), wide.data(), n);
  return wide;
}

std::string Narrow(std::wstring_view wide, UINT codePage) {
  if (wide.empty()) return {};
  const int n = WideCharToMultiByte(codePage, 0, wide.data(), int(wide.size()), nullptr, 0, nullptr, nullptr);
  std::string text(size_t(n > 0 ? n : 0), '\0');
  if (n > 0) WideCharToMultiByte(codePage, 0, wide.data(), int(wide.size()), text.data(), n, nullptr, nullptr);
  return text;
}

unsigned long long Join(DWORD high, DWORD low) { return (unsigned long long)high << 32 | low; }

const char kUtf8Mark[] = "\xEF\xBB\xBF", kUtf16LEMark[] = "\xFF\xFE", kUtf16BEMark[] = "\xFE\xFF";
}  // namespace

std::string ShortDateFormat() {
  char buf[80];
  if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, buf, sizeof buf) > 0) return buf;
  return "M/d/yyyy";
}

TIniFile::TIniFile(const std::string& fileName) : FFileName(fileName), FPath(ProfilePath(fileName)) {}

TIniFile::~TIniFile() = default;

TIniFile::TStamp TIniFile::StampOf(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  TStamp stamp;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return stamp;
  stamp.Exists = true;
  stamp.Size = Join(data.nFileSizeHigh, data.nFileSizeLow);
  stamp.Written = Join(data.ftLastWriteTime.dwHighDateTime, data.ftLastWriteTime.dwLowDateTime);
  return stamp;
}

// Reads the file whole; a missing file is an empty one. The stamp is taken
// from the file as it was read, so that a change made while reading is
// seen at the next look.
void TIniFile::Load() const {
  FText = std::make_unique<TIniFileText>();
  FEncoding = TEncoding::Ansi;
  FReadError.clear();
  FStamp = TStamp();
  HANDLE h = CreateFileA(FPath.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    FStamp = StampOf(FPath);
    if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND && FStamp.Exists)
      FReadError = SysErrorMessage(error);
    return;
  }
  std::string bytes;
  BY_HANDLE_FILE_INFORMATION info;
  if (!GetFileInformationByHandle(h, &info)) {
    FReadError = SysErrorMessage(GetLastError());
  } else if (Join(info.nFileSizeHigh, info.nFileSizeLow) > kMaxIniSize) {
    FReadError = "The file is too large.";
  } else {
    FStamp.Exists = true;
    FStamp.Size = Join(info.nFileSizeHigh, info.nFileSizeLow);
    FStamp.Written = Join(info.ftLastWriteTime.dwHighDateTime, info.ftLastWriteTime.dwLowDateTime);
    bytes.resize(size_t(FStamp.Size));
    DWORD got = 0;
    if (!bytes.empty() && (!ReadFile(h, bytes.data(), DWORD(bytes.size()), &got, nullptr) || got != bytes.size()))
      FReadError = SysErrorMessage(GetLastError() ? GetLastError() : ERROR_READ_FAULT);
  }
  CloseHandle(h);
  if (!FReadError.empty()) return;
  // The text is kept in the file's own encoding: UTF-16 as UTF-8, so that
  // nothing that the ANSI code page cannot hold is lost on a write.
  std::string_view view = bytes;
  std::string text;
  if (view.rfind(kUtf8Mark, 0) == 0) {
    FEncoding = TEncoding::Utf8;
    text = view.substr(3);
  } else if (view.rfind(kUtf16LEMark, 0) == 0 || view.rfind(kUtf16BEMark, 0) == 0) {
    const bool big = view[0] == '\xFE';
    FEncoding = big ? TEncoding::Utf16BE : TEncoding::Utf16LE;
    std::wstring wide;
    for (size_t i = 2; i + 1 < view.size(); i += 2) {
      const auto lo = (unsigned char)view[big ? i + 1 : i], hi = (unsigned char)view[big ? i : i + 1];
      wide += wchar_t(lo | hi << 8);
    }
    text = Narrow(wide, CP_UTF8);
  } else {
    text = std::move(bytes);
  }
  *FText = TIniFileText(text);
}

// While changes are held the text in memory is the one that counts: the
// file's own later changes are taken in when the held ones are written.
const TIniFileText& TIniFile::Current() const {
  if (FText && !FChanges.empty()) return *FText;
  if (!FText || StampOf(FPath) != FStamp) Load();
  return *FText;
}

std::string TIniFile::ToFile(const std::string& ansi) const {
  return FEncoding == TEncoding::Ansi ? ansi : Narrow(Widen(ansi, CP_ACP), CP_UTF8);
}

std::string TIniFile::FromFile(const std::string& text) const {
  return FEncoding == TEncoding::Ansi ? text : Narrow(Widen(text, CP_UTF8), CP_ACP);
}

bool TIniFile::Apply(TIniFileText& text, const TChange& change) const {
  switch (change.Kind) {
    case TChange::ckWrite:
      return text.Write(ToFile(change.Section), ToFile(change.Ident), ToFile(change.Value));
    case TChange::ckDeleteKey:
      return text.DeleteKey(ToFile(change.Section), ToFile(change.Ident));
    case TChange::ckEraseSection:
      return text.EraseSection(ToFile(change.Section));
  }
  return false;
}

void TIniFile::Change(TChange change) {
  Current();
  // A file that exists but cannot be read is not written over.
  if (!FReadError.empty()) throw EIniFileException("Cannot open file " + FPath + ": " + FReadError);
  if (Apply(*FText, change)) FChanges.push_back(std::move(change));
  if (FUpdateCount == 0) Flush();
}

void TIniFile::Drop() {
  FText.reset();
  FChanges.clear();
}

void TIniFile::Flush() {
  if (FChanges.empty()) return;
  try {
    // Another program wrote the file since it was read: the held changes
    // are made again on its text, as the profile functions would have.
    if (StampOf(FPath) != FStamp) {
      Load();
      if (!FReadError.empty()) throw EIniFileException("Cannot open file " + FPath + ": " + FReadError);
      for (const TChange& change : FChanges) Apply(*FText, change);
    }
    std::string bytes;
    switch (FEncoding) {
      case TEncoding::Ansi: bytes = FText->Text(); break;
      case TEncoding::Utf8: bytes = kUtf8Mark + FText->Text(); break;
      case TEncoding::Utf16LE:
      case TEncoding::Utf16BE: {
        const bool big = FEncoding == TEncoding::Utf16BE;
        bytes = big ? kUtf16BEMark : kUtf16LEMark;
        for (wchar_t c : Widen(FText->Text(), CP_UTF8)) {
          const char lo = char(c & 0xFF), hi = char((c >> 8) & 0xFF);
          bytes += big ? hi : lo;
          bytes += big ? lo : hi;
        }
        break;
      }
    }
    SaveFileAtomically(FPath, [&](TStream& s) { s.WriteString(bytes); });
  } catch (const EStreamError& e) {
    Drop();
    throw EIniFileException(e.Message());
  } catch (...) {
    Drop();
    throw;
  }
  FChanges.clear();
  FStamp = StampOf(FPath);
}

void TIniFile::EndUpdate() {
  if (FUpdateCount > 0 && --FUpdateCount == 0) Flush();
}

void TIniFile::CancelUpdate() {
  if (FUpdateCount > 0 && --FUpdateCount == 0 && !FChanges.empty()) Drop();
}

void TIniFile::UpdateFile() { Flush(); }

std::string TIniFile::ReadString(const std::string& section, const std::string& ident, const std::string& def) const {
  const TIniFileText& text = Current();
  const auto value = text.Value(ToFile(section), ToFile(ident));
  return value ? FromFile(*value) : def;
}

void TIniFile::WriteString(const std::string& section, const std::string& ident, const std::string& value) {
  Change({TChange::ckWrite, section, ident, value});
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

void TIniFile::ReadSection(const std::string& section, TStringList& keys) const {
  keys.Clear();
  const TIniFileText& text = Current();
  for (const std::string& name : text.KeyNames(ToFile(section))) keys.Add(FromFile(name));
}

void TIniFile::ReadSections(TStringList& sections) const {
  sections.Clear();
  const TIniFileText& text = Current();
  for (const std::string& name : text.SectionNames()) sections.Add(FromFile(name));
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

void TIniFile::EraseSection(const std::string& section) { Change({TChange::ckEraseSection, section, "", ""}); }

void TIniFile::DeleteKey(const std::string& section, const std::string& ident) {
  Change({TChange::ckDeleteKey, section, ident, ""});
}

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
