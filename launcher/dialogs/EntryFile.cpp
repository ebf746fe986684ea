// Entries in memory, the entry writer and the mod-info file.
#include "EntryFile.h"

#include <cstdio>

#include "FileUtils.h"
#include "IniFiles.h"
#include "Streams.h"
#include "StringList.h"
#include "SysUtils.h"

#include <windows.h>

namespace {
// A mod-info file is five short lines; anything bigger is not one.
constexpr long MaxModInfoSize = 64 * 1024;

// The writer's steps over any file that can tell whether a section exists
// and write one key.
template <typename Exists, typename Write>
void WriteEntry(Exists exists, Write write, const std::string& name, const std::string& mod,
                const std::string& website, const std::string& description, const std::string& logo,
                const std::string& param, const std::string& game) {
  std::string section = EntryName(name, mod);
  if (game.empty() || param.empty()) return;
  while (exists(section)) section += " (" + game + ")";
  write(section, "Mod", mod);
  write(section, "Game", game);
  write(section, "Param", param);
  if (!logo.empty()) write(section, "Bitmap", logo);
  if (!description.empty()) write(section, "Description", description);
  if (!website.empty()) write(section, "url", website);
}
}  // namespace

std::string TEntry::Value(const std::string& key) const {
  for (const auto& [k, v] : Keys)
    if (SameText(k, key)) return v;
  return "";
}

void TEntry::SetValue(const std::string& key, const std::string& value) {
  for (auto& [k, v] : Keys)
    if (SameText(k, key)) {
      v = value;
      return;
    }
  Keys.emplace_back(key, value);
}

bool TEntrySet::SectionExists(const std::string& name) const { return FLowerNames.count(LowerCase(name)) != 0; }

TEntry& TEntrySet::Add(const std::string& name) {
  FLowerNames.insert(LowerCase(name));
  FEntries.push_back(TEntry{name, {}});
  return FEntries.back();
}

std::string TEntrySet::Text() const {
  std::string text;
  for (const TEntry& e : FEntries) {
    text += "[" + e.Name + "]\r\n";
    for (const auto& [k, v] : e.Keys) text += k + "=" + v + "\r\n";
    text += "\r\n";
  }
  return text;
}

TEntrySet TEntrySet::FromText(const std::string& text) {
  TEntrySet set;
  TEntry* current = nullptr;
  TStringList lines;
  lines.SetText(text);
  for (const std::string& raw : lines.Items()) {
    std::string line = Trim(raw);
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
      current = &set.Add(Trim(line.substr(1, line.size() - 2)));
    } else if (size_t eq = line.find('='); current && eq != std::string::npos) {
      current->Keys.emplace_back(Trim(line.substr(0, eq)), Trim(line.substr(eq + 1)));
    }
  }
  return set;
}

void TEntrySet::RemoveIf(const std::function<bool(const TEntry&)>& drop) {
  std::vector<TEntry> kept;
  FLowerNames.clear();
  for (TEntry& e : FEntries) {
    if (drop(e)) continue;
    FLowerNames.insert(LowerCase(e.Name));
    kept.push_back(std::move(e));
  }
  FEntries = std::move(kept);
}

TEntrySet ReadEntryFile(const std::string& fileName) {
  if (!FileExists(fileName)) return TEntrySet();
  TFileStream f(fileName, fmOpenRead);
  const int64_t size = f.Size();
  if (size > MaxEntryFileSize) throw EInOutError("The entry file " + fileName + " is too large");
  std::string text(size_t(size), '\0');
  f.ReadBuffer(text.data(), size);
  return TEntrySet::FromText(text);
}

std::string EntryName(const std::string& name, const std::string& mod) {
  std::string section = Trim(StripIniChars(Trim(name)));
  if (section.empty()) section = Trim(mod);
  if (section.empty()) section = "unknown mod";
  return section;
}

void WriteModEntry(TEntrySet& file, const std::string& name, const std::string& mod, const std::string& website,
                   const std::string& description, const std::string& logo, const std::string& param,
                   const std::string& game) {
  TEntry* entry = nullptr;
  WriteEntry([&](const std::string& s) { return file.SectionExists(s); },
             [&](const std::string& s, const char* key, const std::string& value) {
               if (!entry || entry->Name != s) entry = &file.Add(s);
               entry->Keys.emplace_back(key, value);
             },
             name, mod, website, description, logo, param, game);
}

void WriteModEntry(TIniFile& file, const std::string& name, const std::string& mod, const std::string& website,
                   const std::string& description, const std::string& logo, const std::string& param,
                   const std::string& game) {
  WriteEntry([&](const std::string& s) { return file.SectionExists(s); },
             [&](const std::string& s, const char* key, const std::string& value) { file.WriteString(s, key, value); },
             name, mod, website, description, logo, param, game);
}

bool ReadModInfo(const std::string& fileName, TModInfo& info) {
  // Most folders have none: asking for the attributes is cheaper than a
  // failed open.
  if (!FileExists(fileName)) return false;
  std::FILE* f = std::fopen(fileName.c_str(), "rb");
  if (!f) return false;
  std::string text;
  char buf[4096];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0 && long(text.size()) <= MaxModInfoSize) text.append(buf, n);
  bool readError = std::ferror(f) != 0;
  std::fclose(f);
  if (readError || long(text.size()) > MaxModInfoSize) return false;
  return ParseModInfo(text, info);
}

void WriteModInfo(const std::string& fileName, const TModInfo& info) {
  // Replacing a read-only file would succeed (and clear the flag) on some
  // systems: it is left as it is.
  const DWORD attributes = GetFileAttributesA(fileName.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
    throw EFCreateError(fileName);
  std::string text = info.Name + "\r\n" + info.Description + "\r\n" + info.Logo + "\r\n" + info.Parameters + "\r\n" +
                     info.WebSite + "\r\n";
  SaveFileAtomically(fileName, [&](TStream& s) { s.WriteString(text); });
}
