// A fresh launcher folder and game folders for each discovery test, and
// helpers to lay out files and read back what the searches wrote.
#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "EntryFile.h"
#include "IniFiles.h"

void MakeDirs(const std::string& path);
void WriteTextFile(const std::string& path, const std::string& text);
std::string ReadTextFile(const std::string& path);
void RemoveTree(const std::string& path);
// Holds the windows on screen (letting them paint) for the milliseconds
// that the environment variable names, so that a screenshot can be taken.
void HoldForLooking(const char* variable);
// A real key press (down and up) to the focused window, Shift held around it
// when asked.
void PressKey(unsigned short key, bool shift = false);
// The sections of an INI text in file order, keys in file order.
std::vector<TEntry> ParseIni(const std::string& text);
const TEntry* FindEntry(const std::vector<TEntry>& entries, const std::string& name);

class TDiscoveryTest : public ::testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;

  // A game section of Games.ini.
  void AddGame(const std::string& key, const std::string& folder, const std::string& modTemplate,
               const std::string& gameParameters, const std::string& gamename = "", const std::string& logo = "",
               const std::string& url = "");
  // Runs the whole "Find mods" and returns Mod.ini's entries.
  std::vector<TEntry> RunFindMods();

  std::string Root;  // this test's folder, with a trailing backslash
  std::string App;   // the launcher's folder below it
  std::unique_ptr<TIniFile> Games, Mod;
};
