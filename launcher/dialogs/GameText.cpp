// The games' text files as lines with their own line breaks and encoding.
#include "GameText.h"

#include <algorithm>

#include "Streams.h"
#include "SysUtils.h"

#include <windows.h>

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
  size_t start = 0;
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] != '\r' && bytes[i] != '\n') continue;
    text.Lines.emplace_back(bytes.substr(start, i - start));
    const size_t length = bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n' ? 2 : 1;
    text.Breaks.emplace_back(bytes.substr(i, length));
    i += length - 1;
    start = i + 1;
  }
  if (start < bytes.size()) text.Lines.emplace_back(bytes.substr(start));
  if (!text.Breaks.empty()) text.Eol = text.Breaks.front();
  text.FinalEol = bytes.empty() || bytes.back() == '\r' || bytes.back() == '\n';
  return text;
}

std::string FormatGameText(const TGameText& text) {
  std::string out;
  for (size_t i = 0; i < text.Lines.size(); ++i) {
    out += text.Lines[i];
    if (i + 1 < text.Lines.size() || text.FinalEol) out += i < text.Breaks.size() ? text.Breaks[i] : text.Eol;
  }
  return out;
}

namespace {
constexpr unsigned char kBomLE[] = {0xFF, 0xFE}, kBomBE[] = {0xFE, 0xFF};

[[noreturn]] void CannotEdit(const std::string& file, const std::string& reason) {
  throw EGameTextError("Cannot edit " + file + ": " + reason + " The file was left as it is.");
}

std::wstring Widen(const std::string& ansi) {
  if (ansi.empty()) return {};
  int n = MultiByteToWideChar(CP_ACP, 0, ansi.data(), int(ansi.size()), nullptr, 0);
  std::wstring wide(size_t(std::max(n, 0)), L'\0');
  if (n > 0) MultiByteToWideChar(CP_ACP, 0, ansi.data(), int(ansi.size()), wide.data(), n);
  return wide;
}

// False when a character has no form in the code page.
bool Narrow(const std::wstring& wide, std::string& ansi) {
  ansi.clear();
  if (wide.empty()) return true;
  BOOL usedDefault = FALSE;
  int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), int(wide.size()), nullptr, 0, nullptr,
                              &usedDefault);
  if (n <= 0 || usedDefault) return false;
  ansi.resize(size_t(n));
  WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), int(wide.size()), ansi.data(), n, nullptr,
                      &usedDefault);
  return !usedDefault;
}

// The text's bytes in its encoding.
std::string Encode(const std::string& ansi, TTextEncoding encoding) {
  if (encoding == TTextEncoding::Ansi) return ansi;
  const bool little = encoding == TTextEncoding::Utf16LE;
  std::string bytes(reinterpret_cast<const char*>(little ? kBomLE : kBomBE), 2);
  for (wchar_t c : Widen(ansi)) {
    const char low = char(unsigned(c) & 0xFF), high = char((unsigned(c) >> 8) & 0xFF);
    bytes += little ? low : high;
    bytes += little ? high : low;
  }
  return bytes;
}

// The file's text in the code page. Everything the editors show goes through
// the code page (the memo is an ANSI window), so a file is taken only when
// its text comes back to the very same bytes.
std::string Decode(const std::string& file, const std::string& bytes, TTextEncoding& encoding) {
  auto starts = [&](const unsigned char* bom) {
    return bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == bom[0] &&
           static_cast<unsigned char>(bytes[1]) == bom[1];
  };
  encoding = starts(kBomLE) ? TTextEncoding::Utf16LE : starts(kBomBE) ? TTextEncoding::Utf16BE : TTextEncoding::Ansi;
  std::string ansi;
  if (encoding == TTextEncoding::Ansi) {
    ansi = bytes;
  } else {
    if (bytes.size() % 2 != 0) CannotEdit(file, "its UTF-16 text is cut short.");
    std::wstring wide;
    const bool little = encoding == TTextEncoding::Utf16LE;
    for (size_t i = 2; i < bytes.size(); i += 2) {
      const unsigned low = static_cast<unsigned char>(bytes[little ? i : i + 1]);
      const unsigned high = static_cast<unsigned char>(bytes[little ? i + 1 : i]);
      wide += wchar_t(low | (high << 8));
    }
    if (!Narrow(wide, ansi)) CannotEdit(file, "it holds characters that the editor cannot show.");
  }
  if (ansi.find('\0') != std::string::npos) CannotEdit(file, "it holds NUL bytes, which the editor cannot show.");
  std::string back;
  if (!Narrow(Widen(ansi), back) || back != ansi || Encode(ansi, encoding) != bytes)
    CannotEdit(file, "it holds characters that the editor cannot show.");
  return ansi;
}
}  // namespace

TGameText ReadGameText(const std::string& file) {
  TMemoryStream stream;
  stream.LoadFromFile(file);
  const std::string bytes(reinterpret_cast<const char*>(stream.Memory()), size_t(stream.Size()));
  TTextEncoding encoding;
  std::string ansi = Decode(file, bytes, encoding);
  TGameText text = ParseGameText(ansi);
  text.Encoding = encoding;
  return text;
}

void WriteGameText(const std::string& file, const TGameText& text) {
  const DWORD attributes = GetFileAttributesA(file.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
    throw EGameTextError("Cannot save " + file + ": the file is read-only. It was left as it is.");
  std::string bytes = Encode(FormatGameText(text), text.Encoding);
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
