// The games' own text files (mod lists, map cycles, liblist.gam, configs) as
// lines, kept with the file's line breaks and encoding so that a save writes
// back exactly the bytes of the lines the user left alone.
#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "SysUtils.h"

enum class TTextEncoding { Ansi, Utf16LE, Utf16BE };  // the last two with their byte-order mark

struct TGameText {
  std::vector<std::string> Lines;  // in the program's ANSI code page
  std::string Eol = "\r\n";  // the file's first line break; CR LF for a new file
  bool FinalEol = true;      // whether the last line ends with a line break
  // The break after each line as read; lines past them take Eol.
  std::vector<std::string> Breaks;
  TTextEncoding Encoding = TTextEncoding::Ansi;
};

// A file that cannot be edited as lines of text without changing it: NUL
// bytes, characters the program's code page cannot hold, broken UTF-16, or
// one that is read-only. The message names the file and the reason.
class EGameTextError : public Exception {
  using Exception::Exception;
};

// Splits at CR LF, LF or CR.
std::vector<std::string> SplitLines(std::string_view text);
// ANSI bytes as lines; ParseGameText(bytes) formats back to the same bytes.
TGameText ParseGameText(std::string_view bytes);
std::string FormatGameText(const TGameText& text);
// Raises the stream's error for a file that cannot be read, and
// EGameTextError for one whose bytes would not survive being shown and
// saved unchanged.
TGameText ReadGameText(const std::string& file);
// Through a temporary file: a failed write leaves the old file as it was. A
// read-only file is left as it is (EGameTextError); so is one that the text's
// encoding cannot hold.
void WriteGameText(const std::string& file, const TGameText& text);
// Lines in the format (line breaks, encoding) of an existing text.
TGameText WithLines(const TGameText& format, std::vector<std::string> lines);

// A file or folder name typed by the user that stays in the folder it is
// meant for: not blank, no folder part ("\", "/", ":"), no "..", no control
// characters nor the characters Windows refuses in names.
bool IsPlainFileName(const std::string& name);

// Whether lines hold name, without regard to letter case.
bool HasLineNoCase(const std::vector<std::string>& lines, const std::string& name);

// Map cycles: the lines that, trimmed, are neither empty nor begin with "//".
int CountMaps(const std::vector<std::string>& lines);
// Moves line i, for i from 0 to n - 1, to the index randomBelow(n - 1) draws
// (with one line that index is 0).
void ShuffleLines(std::vector<std::string>& lines, const std::function<int(int)>& randomBelow);
