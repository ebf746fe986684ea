// TIniSnapshot: the file parsed as the profile functions parse it. Lines
// end at "\n" and lose their blanks at both ends; "[" up to the line's last
// "]" names a section (the name between them, trimmed); any other line is
// a key: its name is the text before the first "=" and its value the text
// after it, both trimmed; a line without "=" is a key without a value.
// Keys before the first section belong to a section without a name.
#include "IniSnapshot.h"

#include <windows.h>

#include <algorithm>
#include <fstream>
#include <string_view>

namespace {
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

std::string_view TrimBlanks(std::string_view s) {
  size_t a = 0, b = s.size();
  while (a < b && IsBlank(s[a])) ++a;
  while (b > a && IsBlank(s[b - 1])) --b;
  return s.substr(a, b - a);
}

// Names match as the system's case mapping lowers them; plain ASCII, the
// usual case, is lowered here without a call for each name.
std::string Lower(std::string s) {
  bool ascii = true;
  for (char& c : s) {
    if (static_cast<unsigned char>(c) >= 0x80) ascii = false;
    else if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
  }
  if (!ascii) CharLowerBuffA(s.data(), DWORD(s.size()));
  return s;
}

// The file the profile functions open: a bare file name lies in the
// Windows folder.
std::string ProfilePath(const std::string& name) {
  if (name.find_first_of("\\/:") != std::string::npos) return name;
  char dir[MAX_PATH] = "";
  GetWindowsDirectoryA(dir, MAX_PATH);
  return std::string(dir) + "\\" + name;
}

bool HasByteOrderMark(const std::string& text) {
  return text.rfind("\xEF\xBB\xBF", 0) == 0 || text.rfind("\xFF\xFE", 0) == 0 || text.rfind("\xFE\xFF", 0) == 0;
}
}  // namespace

TIniSnapshot::TIniSnapshot(const TIniFile& ini) {
  // No flush of the profile functions' cache first: their writes reach the
  // file at once, and a flush would make them read the whole file again on
  // their next call.
  std::ifstream in(ProfilePath(ini.FileName()), std::ios::binary | std::ios::ate);
  std::string text;
  if (in) {
    text.resize(size_t(std::max<std::streamoff>(in.tellg(), 0)));
    in.seekg(0);
    in.read(text.data(), std::streamsize(text.size()));
    text.resize(size_t(std::max<std::streamsize>(in.gcount(), 0)));
  }
  if (HasByteOrderMark(text)) FIni = &ini;
  else Parse(text);
}

TIniSnapshot TIniSnapshot::FromText(const std::string& text) {
  TIniSnapshot snapshot;
  snapshot.Parse(text);
  return snapshot;
}

void TIniSnapshot::Parse(const std::string& text) {
  constexpr size_t kIndexedKeys = 16;  // a section of more keys gets an index
  FKeys.reserve(size_t(std::count(text.begin(), text.end(), '\n')) + 1);
  const std::string_view all(text);
  size_t start = 0;
  while (start < all.size()) {
    size_t end = all.find('\n', start);
    if (end == std::string_view::npos) end = all.size();
    const std::string_view line = TrimBlanks(all.substr(start, end - start));
    start = end + 1;
    if (line.empty()) continue;
    const size_t close = line.rfind(']');
    const bool header = line[0] == '[' && close != std::string_view::npos && close > 0;
    if (header || FSections.empty()) {
      FIndex.emplace(header ? Lower(std::string(TrimBlanks(line.substr(1, close - 1)))) : std::string(),
                     FSections.size());
      FSections.emplace_back().First = FKeys.size();
      if (header) continue;
    }
    TKey& key = FKeys.emplace_back();
    ++FSections.back().Count;
    const size_t eq = line.find('=');
    key.Name = TrimBlanks(line.substr(0, eq));
    key.LowerName = Lower(key.Name);
    if (eq != std::string_view::npos) {
      key.Value = TrimBlanks(line.substr(eq + 1));
      key.HasValue = true;
    }
  }
  for (TSection& section : FSections)
    if (section.Count > kIndexedKeys)
      for (size_t k = 0; k < section.Count; ++k) section.Index.emplace(FKeys[section.First + k].LowerName, k);
}

const TIniSnapshot::TSection* TIniSnapshot::Find(const std::string& section) const {
  auto it = FIndex.find(Lower(std::string(TrimBlanks(section))));
  return it == FIndex.end() ? nullptr : &FSections[it->second];
}

std::string TIniSnapshot::ReadString(const std::string& section, const std::string& ident,
                                     const std::string& def) const {
  if (FIni) return FIni->ReadString(section, ident, def);
  const TSection* s = Find(section);
  if (!s) return def;
  const std::string name = Lower(std::string(TrimBlanks(ident)));
  const TKey* key = nullptr;
  const std::span<const TKey> keys = Keys(*s);
  if (!s->Index.empty()) {
    auto it = s->Index.find(name);
    if (it != s->Index.end()) key = &keys[it->second];
  } else {
    for (const TKey& k : keys)
      if (k.LowerName == name) {
        key = &k;
        break;
      }
  }
  if (!key || !key->HasValue) return def;
  const std::string& value = key->Value;
  if (value.size() > 1 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
    return value.substr(1, value.size() - 2);
  return value;
}

void TIniSnapshot::ReadSection(const std::string& section, TStringList& keys) const {
  if (FIni) return FIni->ReadSection(section, keys);
  keys.Clear();
  // Here the name is taken as given, untrimmed.
  auto it = FIndex.find(Lower(section));
  if (it == FIndex.end()) return;
  for (const TKey& key : Keys(FSections[it->second])) {
    if (!key.HasValue || (!key.Name.empty() && key.Name[0] == ';')) continue;
    // The list of names ends at an empty one, as the profile functions give it.
    if (key.Name.empty()) break;
    keys.Add(key.Name);
  }
}
