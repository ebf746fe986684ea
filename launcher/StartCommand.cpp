// The free helpers of a game start: command line, map cycle and messages.
#include "StartCommand.h"

#include <windows.h>

#include "FileUtils.h"
#include "GameRules.h"
#include "SysUtils.h"

std::string ExpandModParam(const std::string& param, const std::string& mod) {
  // A folder name with a blank would reach the game as two arguments: it is
  // quoted, unless the template already puts "%s" between quotes.
  const bool blank = mod.find_first_of(" \t") != std::string::npos;
  bool quoted = false;  // inside a quoted part of the template
  std::string out;
  for (size_t i = 0; i < param.size(); ++i) {
    if (param[i] != '%') {
      if (param[i] == '"') quoted = !quoted;
      out += param[i];
      continue;
    }
    char next = i + 1 < param.size() ? param[i + 1] : '\0';
    if (next == 's' || next == 'S') out += blank && !quoted ? '"' + mod + '"' : mod;
    else if (next == '%') out += '%';
    else throw EConvertError("Format '" + param + "' invalid or incompatible with argument");
    ++i;
  }
  return out;
}

std::string StartParameters(const TStartEntry& entry, const std::string& startMap) {
  std::string params = ExpandModParam(entry.Param, entry.Mod);
  if (!Trim(startMap).empty()) {
    params += " +map " + startMap;
  } else {
    std::string map = LowerCase(entry.Map);
    if (map != "<none>" && !map.empty()) params += " +map " + entry.Map;
  }
  // A blank memory option would leave a lone " -".
  if (LowerCase(entry.WinMem) != "<default>" && !Trim(entry.WinMem).empty() && LowerCase(entry.Game) == "quake")
    params += " -" + entry.WinMem;
  return params;
}

std::string StartCommandLine(const std::string& folder, const std::string& parameters) {
  size_t blank = parameters.find(' ');
  std::string exe = folder + "\\" + parameters.substr(0, blank);
  std::string rest = blank == std::string::npos ? std::string() : parameters.substr(blank);
  // Unquoted, "C:\Program Files\Quake\quake" could run "C:\Program.exe".
  if (exe.find(' ') != std::string::npos) exe = "\"" + exe + "\"";
  return exe + rest;
}

void ShuffleLines(TStringList& lines, std::mt19937& random) {
  const int count = lines.Count();
  if (count == 0) return;
  std::uniform_int_distribution<int> pick(0, count > 1 ? count - 2 : 0);
  for (int i = 0; i < count; ++i) lines.Exchange(i, pick(random));
}

void ShuffleFile(const std::string& fileName, std::mt19937& random) {
  TStringList lines;
  lines.LoadFromFile(fileName);
  ShuffleLines(lines, random);
  lines.SaveToFile(fileName);
}

std::string MapCycleFile(const std::string& folder, const std::string& game, const std::string& mod) {
  std::string own = folder + "\\" + mod + "\\mapcycle.txt";
  if (FileExists(own)) return own;
  const std::string base = HalfLifeBaseFolder(game);
  if (base.empty()) return std::string();
  std::string fallback = folder + "\\" + base + "\\mapcycle.txt";
  return FileExists(fallback) ? fallback : std::string();
}

std::string StartErrorMessage(unsigned long code) {
  switch (code) {
    case 0: return "Out of memory or resources.";
    case 2: return "File was not found.";
    case 3: return "Path was not found.";
    case 5: return "Access denied.";
    case 8: return "Out of memory.";
    case 11: return "Game .exe is invalid.";
    case 26: return "Sharing violation.";
    case 267: return "The directory name is invalid.";
    default: return "Unknown error (number " + std::to_string(code) + ")";
  }
}
