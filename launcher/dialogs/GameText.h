// The games' own text files (mod lists, map cycles, liblist.gam, configs) as
// lines, kept with the file's line ending so that a save writes back exactly
// the bytes of the lines the user left alone.
#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <vector>

struct TGameText {
  std::vector<std::string> Lines;
  std::string Eol = "\r\n";  // the file's first line break; CR LF for a new file
  bool FinalEol = true;      // whether the last line ends with a line break
};

// Splits at CR LF, LF or CR.
std::vector<std::string> SplitLines(std::string_view text);
TGameText ParseGameText(std::string_view bytes);
std::string FormatGameText(const TGameText& text);
// Raises the stream's error for a file that cannot be read.
TGameText ReadGameText(const std::string& file);
// Through a temporary file: a failed write leaves the old file as it was.
void WriteGameText(const std::string& file, const TGameText& text);
// Lines in the format (line ending, last break) of an existing text.
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
