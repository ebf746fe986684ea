// The games' text files as lines with their own line ending.
#include "GameText.h"

#include <algorithm>

#include "Streams.h"
#include "SysUtils.h"

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines.emplace_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
}

TGameText ParseGameText(std::string_view bytes) {
  TGameText text;
  text.Lines = SplitLines(bytes);
  size_t br = bytes.find_first_of("\r\n");
  if (br != std::string_view::npos)
    text.Eol = bytes[br] == '\r' && br + 1 < bytes.size() && bytes[br + 1] == '\n' ? "\r\n" : std::string(1, bytes[br]);
  text.FinalEol = bytes.empty() || bytes.back() == '\r' || bytes.back() == '\n';
  return text;
}

std::string FormatGameText(const TGameText& text) {
  std::string out;
  for (size_t i = 0; i < text.Lines.size(); ++i) {
    out += text.Lines[i];
    if (i + 1 < text.Lines.size() || text.FinalEol) out += text.Eol;
  }
  return out;
}

TGameText ReadGameText(const std::string& file) {
  TMemoryStream bytes;
  bytes.LoadFromFile(file);
  return ParseGameText(std::string_view(reinterpret_cast<const char*>(bytes.Memory()), size_t(bytes.Size())));
}

void WriteGameText(const std::string& file, const TGameText& text) {
  std::string bytes = FormatGameText(text);
  SaveFileAtomically(file, [&](TStream& s) { s.WriteBuffer(bytes.data(), int64_t(bytes.size())); });
}

TGameText WithLines(const TGameText& format, std::vector<std::string> lines) {
  TGameText text = format;
  text.Lines = std::move(lines);
  return text;
}

bool IsPlainFileName(const std::string& name) {
  if (Trim(name).empty() || name.find("..") != std::string::npos) return false;
  return std::none_of(name.begin(), name.end(), [](char c) {
    return static_cast<unsigned char>(c) < 32 || std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos;
  });
}

bool HasLineNoCase(const std::vector<std::string>& lines, const std::string& name) {
  return std::any_of(lines.begin(), lines.end(), [&](const std::string& l) { return SameText(l, name); });
}

int CountMaps(const std::vector<std::string>& lines) {
  return int(std::count_if(lines.begin(), lines.end(), [](const std::string& l) {
    std::string t = Trim(l);
    return !t.empty() && t.rfind("//", 0) != 0;
  }));
}

void ShuffleLines(std::vector<std::string>& lines, const std::function<int(int)>& randomBelow) {
  const int n = int(lines.size());
  for (int i = 0; i < n; ++i) {
    int r = n > 1 ? randomBelow(n - 1) : 0;
    std::string line = std::move(lines[size_t(i)]);
    lines.erase(lines.begin() + i);
    lines.insert(lines.begin() + r, std::move(line));
  }
}
