// The command line of a game start, the map-cycle shuffle and the messages of
// a failed start: free helpers of TMainWindow::Start.
#pragma once
#include <random>
#include <string>

#include "StringList.h"

// The entry keys that make up a command line.
struct TStartEntry {
  std::string Param;   // template; "%s" stands for the mod folder
  std::string Mod;
  std::string Map = "<none>";
  std::string WinMem = "<default>";
  std::string Game;
};

// Param with every "%s" replaced by mod and every "%%" by "%". A mod folder
// holding a blank is put between quotes where the template has none around
// "%s", so that the game gets it as one argument. Any other "%" raises
// EConvertError: the template is never handed to a formatter.
std::string ExpandModParam(const std::string& param, const std::string& mod);

// The parameters: the expanded template, the map (startMap wins over the
// entry's map) and, for Quake, the memory option.
std::string StartParameters(const TStartEntry& entry, const std::string& startMap);

// folder + "\" + parameters; the executable's path (up to the first blank of
// the parameters) is quoted when it holds a blank.
std::string StartCommandLine(const std::string& folder, const std::string& parameters);

// Exchanges each line i in turn with a random line of 0 .. count - 2.
void ShuffleLines(TStringList& lines, std::mt19937& random);
// Shuffles a text file in place (the class library's file errors pass).
void ShuffleFile(const std::string& fileName, std::mt19937& random);

// The mapcycle.txt to shuffle before a Half-Life or Gunman start: the mod's
// own, else the base game's; "" when there is none or the game has none.
std::string MapCycleFile(const std::string& folder, const std::string& game, const std::string& mod);

// The message for a failed process creation, by the system's error code.
std::string StartErrorMessage(unsigned long code);
