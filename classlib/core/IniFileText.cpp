// TIniFileText: INI text parsed into sections whose lines stay as they came, so
// that a change rewrites only the lines it touches.
#include "IniFileText.h"

#include "SysUtils.h"

namespace {
// The profile functions' blanks; Ctrl+Z is the old end-of-file mark.
bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f' || c == '\x1A';
}

std::string_view TrimBlanks(std::string_view s) {
  size_t a = 0, b = s.size();
  while (a < b && IsBlank(s[a])) ++a;
  while (b > a && IsBlank(s[b - 1])) --b;
  return s.substr(a, b - a);
}

std::string LowerName(std::string_view name) { return LowerCase(TrimBlanks(name)); }

// The name of a header line ("[" up to the last "]"), or nothing.
std::optional<std::string_view> HeaderName(std::string_view trimmed) {
  if (trimmed.empty() || trimmed[0] != '[') return std::nullopt;
  const size_t close = trimmed.rfind(']');
  if (close == std::string_view::npos || close == 0) return std::nullopt;
  return TrimBlanks(trimmed.substr(1, close - 1));
}

std::string_view UpToLineBreak(std::string_view s) { return s.substr(0, s.find_first_of("\r\n")); }

// A section of this many keys or more gets an index of their names.
constexpr size_t kIndexedKeys = 16;
}  // namespace

TIniFileText::TIniFileText() : FSections(1) {}

TIniFileText::TIniFileText(std::string_view text) : FSections(1) {
  size_t start = 0;
  while (start < text.size()) {
    size_t next = text.find('\n', start);
    next = next == std::string_view::npos ? text.size() : next + 1;
    const std::string_view line = text.substr(start, next - start);
    start = next;
    if (const auto name = HeaderName(TrimBlanks(line))) {
      TSection& section = FSections.emplace_back();
      section.Header = line;
      section.Name = *name;
      if (!name->empty()) FByName[LowerName(*name)].push_back(uint32_t(FSections.size() - 1));
    } else {
      FSections.back().Body += line;
    }
  }
}

std::string TIniFileText::Text() const {
  std::string text;
  for (const TSection& s : FSections) {
    if (s.Erased) continue;
    text += s.Header;
    text += s.Body;
  }
  return text;
}

const TIniFileText::TSection* TIniFileText::Find(std::string_view section, bool trimmed) const {
  const std::string name = trimmed ? LowerName(section) : LowerCase(section);
  if (name.empty()) return &FSections[0];
  const auto it = FByName.find(name);
  return it == FByName.end() || it->second.empty() ? nullptr : &FSections[it->second.front()];
}

void TIniFileText::Parse(const TSection& section) {
  if (section.Parsed) return;
  section.Keys.clear();
  section.Index.clear();
  const std::string_view body = section.Body;
  size_t start = 0;
  while (start < body.size()) {
    size_t end = body.find('\n', start);
    const size_t next = end == std::string_view::npos ? body.size() : end + 1;
    if (end == std::string_view::npos) end = body.size();
    const std::string_view raw = body.substr(start, end - start);
    const std::string_view line = TrimBlanks(raw);
    if (!line.empty()) {
      const size_t lineBegin = start + size_t(line.data() - raw.data());
      const size_t eq = line.find('=');
      const std::string_view name = TrimBlanks(line.substr(0, eq));
      TKeyLine key{};
      key.Begin = uint32_t(start);
      key.End = uint32_t(end > start && body[end - 1] == '\r' ? end - 1 : end);
      key.Next = uint32_t(next);
      key.NameBegin = uint32_t(lineBegin + size_t(name.data() - line.data()));
      key.NameEnd = uint32_t(key.NameBegin + name.size());
      key.HasValue = eq != std::string_view::npos;
      if (key.HasValue) {
        const std::string_view value = TrimBlanks(line.substr(eq + 1));
        key.ValueBegin = uint32_t(lineBegin + size_t(value.data() - line.data()));
        key.ValueEnd = uint32_t(key.ValueBegin + value.size());
      }
      section.Keys.push_back(key);
    }
    start = next;
  }
  if (section.Keys.size() >= kIndexedKeys)
    for (uint32_t i = 0; i < section.Keys.size(); ++i) {
      const TKeyLine& k = section.Keys[i];
      section.Index.emplace(LowerCase(body.substr(k.NameBegin, k.NameEnd - k.NameBegin)), i);
    }
  section.Parsed = true;
}

const TIniFileText::TKeyLine* TIniFileText::FindKey(const TSection& section, std::string_view ident,
                                                   bool trimmed) const {
  Parse(section);
  const std::string_view name = trimmed ? TrimBlanks(ident) : ident;
  if (!section.Index.empty()) {
    const auto it = section.Index.find(LowerCase(name));
    return it == section.Index.end() ? nullptr : &section.Keys[it->second];
  }
  const std::string_view body = section.Body;
  for (const TKeyLine& k : section.Keys)
    if (SameText(body.substr(k.NameBegin, k.NameEnd - k.NameBegin), name)) return &k;
  return nullptr;
}

std::optional<std::string> TIniFileText::Value(std::string_view section, std::string_view ident) const {
  const TSection* s = Find(section);
  if (!s) return std::nullopt;
  const TKeyLine* k = FindKey(*s, ident);
  if (!k || !k->HasValue) return std::nullopt;
  std::string_view value = std::string_view(s->Body).substr(k->ValueBegin, k->ValueEnd - k->ValueBegin);
  if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
    value = value.substr(1, value.size() - 2);
  return std::string(value);
}

std::vector<std::string> TIniFileText::KeyNames(std::string_view section) const {
  std::vector<std::string> names;
  const TSection* s = Find(section, false);
  if (!s) return names;
  Parse(*s);
  for (const TKeyLine& k : s->Keys) {
    if (!k.HasValue) continue;
    const std::string_view name = std::string_view(s->Body).substr(k.NameBegin, k.NameEnd - k.NameBegin);
    if (!name.empty() && name[0] == ';') continue;
    // The profile functions give the names as strings ending with an empty
    // one: a key without a name ends the list.
    if (name.empty()) break;
    names.emplace_back(name);
  }
  return names;
}

std::vector<std::string> TIniFileText::SectionNames() const {
  std::vector<std::string> names;
  for (size_t i = 1; i < FSections.size(); ++i)
    if (!FSections[i].Erased && !FSections[i].Name.empty()) names.push_back(FSections[i].Name);
  return names;
}

void TIniFileText::Changed(TSection& section) {
  section.Parsed = false;
  section.Keys.clear();
  section.Index.clear();
}

// After the last line that is not blank, so that blank lines before the
// next section stay where they are.
void TIniFileText::InsertKeyLine(TSection& section, const std::string& line) {
  std::string& body = section.Body;
  size_t last = body.size();
  while (last > 0 && IsBlank(body[last - 1])) --last;
  size_t at = 0;
  if (last > 0) {
    const size_t end = body.find('\n', last);
    if (end == std::string::npos) {
      body += "\r\n";  // the file's last line had no line end
      at = body.size();
    } else {
      at = end + 1;
    }
  } else if (!section.Header.empty() && section.Header.back() != '\n') {
    section.Header += "\r\n";
  }
  body.insert(at, line + "\r\n");
  Changed(section);
}

void TIniFileText::AppendSection(const std::string& name, const std::string& line) {
  for (size_t i = FSections.size(); i-- > 0;) {
    TSection& s = FSections[i];
    if (s.Erased || (s.Header.empty() && s.Body.empty())) continue;
    std::string& tail = s.Body.empty() ? s.Header : s.Body;
    if (tail.back() != '\n') tail += "\r\n";
    break;
  }
  TSection& section = FSections.emplace_back();
  section.Header = "[" + name + "]\r\n";
  section.Name = name;
  section.Body = line + "\r\n";
  FByName[LowerCase(name)].push_back(uint32_t(FSections.size() - 1));
}

bool TIniFileText::Write(std::string_view section, std::string_view ident, std::string_view value) {
  const std::string_view sectionName = TrimBlanks(UpToLineBreak(section));
  const std::string_view keyName = TrimBlanks(UpToLineBreak(ident));
  value = UpToLineBreak(value);
  TSection* s = Find(sectionName);
  if (!s) {
    AppendSection(std::string(sectionName), std::string(keyName) + "=" + std::string(value));
    return true;
  }
  if (const TKeyLine* k = FindKey(*s, keyName)) {
    const std::string_view body = s->Body;
    if (k->HasValue && body.substr(k->ValueBegin, k->ValueEnd - k->ValueBegin) == TrimBlanks(value)) return false;
    const std::string line = std::string(body.substr(k->NameBegin, k->NameEnd - k->NameBegin)) + "=" + std::string(value);
    s->Body.replace(k->NameBegin, k->End - k->NameBegin, line);
    Changed(*s);
    return true;
  }
  InsertKeyLine(*s, std::string(keyName) + "=" + std::string(value));
  return true;
}

bool TIniFileText::DeleteKey(std::string_view section, std::string_view ident) {
  TSection* s = Find(section, false);
  if (!s) return false;
  const TKeyLine* k = FindKey(*s, ident, false);
  if (!k) return false;
  s->Body.erase(k->Begin, k->Next - k->Begin);
  Changed(*s);
  return true;
}

bool TIniFileText::EraseSection(std::string_view section) {
  TSection* s = Find(section, false);
  if (!s) return false;
  if (s == &FSections[0]) {
    if (s->Body.empty()) return false;
    s->Body.clear();
    Changed(*s);
    return true;
  }
  auto& same = FByName[LowerCase(section)];
  same.erase(same.begin());
  s->Erased = true;
  s->Header = std::string();
  s->Body = std::string();
  Changed(*s);
  return true;
}
