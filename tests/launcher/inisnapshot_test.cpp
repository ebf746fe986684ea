// The INI snapshot answers as the profile functions do, on files written as
// users and other programs write them.
#include <gtest/gtest.h>

#include <fstream>

#include "MainWindow.h"
#include "IniSnapshot.h"
#include "../support/awkward_ini.h"

#include <windows.h>

namespace {
std::string TempFile(const std::string& name) {
  char dir[MAX_PATH] = "";
  GetTempPathA(MAX_PATH, dir);
  return std::string(dir) + name;
}

std::string Keys(const TStringList& list) {
  std::string all;
  for (const std::string& k : list.Items()) all += k + "|";
  return all;
}

}  // namespace

TEST(IniSnapshot, ReadsAsTheProfileFunctions) {
  const std::string file = TempFile("bx_snapshot_test.ini");
  WritePrivateProfileStringA(nullptr, nullptr, nullptr, file.c_str());
  std::ofstream(file, std::ios::binary) << kAwkwardIni;
  TIniFile ini(file);
  TIniSnapshot snapshot(ini);
  const char* sections[] = {"Quake", "QUAKE", " quake ", "spaced", " spaced ", "[broken", "broken", "Team Fortress",
                            "last", "missing", ""};
  const char* keys[] = {"Mod",   "mod",     " Game ",   "Bitmap", "single",   "lonequote", "mixed",
                        "empty", "novalue", ";comment", "eq",     "Extra",    "k",         "tf",
                        "after", "tail",    "loose",    "",       "=nameless"};
  for (const char* section : sections) {
    for (const char* key : keys)
      EXPECT_EQ(snapshot.ReadString(section, key, "dflt"), ini.ReadString(section, key, "dflt"))
          << "[" << section << "] " << key;
    TStringList expected, got;
    ini.ReadSection(section, expected);
    snapshot.ReadSection(section, got);
    EXPECT_EQ(Keys(got), Keys(expected)) << "[" << section << "]";
  }
  // The same from the text, without a file.
  TIniSnapshot text = TIniSnapshot::FromText(kAwkwardIni);
  EXPECT_EQ(text.ReadString("quake", "bitmap", ""), "quoted logo.bmp");
  EXPECT_EQ(text.ReadString("quake", "mod", ""), "ctf");
  DeleteFileA(file.c_str());
}

TEST(IniSnapshot, SeesWritesJustMadeAndLeavesMarkedFilesToTheProfileFunctions) {
  const std::string file = TempFile("bx_snapshot_written.ini");
  DeleteFileA(file.c_str());
  TIniFile ini(file);
  ini.WriteString("Entry", "Game", "quake");
  EXPECT_EQ(TIniSnapshot(ini).ReadString("Entry", "Game", ""), "quake");
  TIniSnapshot none(TIniFile(TempFile("bx_snapshot_missing.ini")));
  EXPECT_EQ(none.ReadString("Entry", "Game", "dflt"), "dflt");
  // A bare name is a file of the Windows folder, as the start counters are.
  TIniFile bare("bx_snapshot_bare.ini");
  bare.WriteString("quake", "ctf", "5");
  EXPECT_EQ(TIniSnapshot(bare).ReadString("quake", "ctf", ""), "5");
  bare.EraseSection("quake");
  // A UTF-8 file with its byte-order mark: the profile functions decode it.
  WritePrivateProfileStringA(nullptr, nullptr, nullptr, file.c_str());
  std::ofstream(file, std::ios::binary) << "\xEF\xBB\xBF[Entry]\r\nGame=quake 2\r\n";
  EXPECT_EQ(TIniSnapshot(ini).ReadString("Entry", "Game", ""), ini.ReadString("Entry", "Game", ""));
  DeleteFileA(file.c_str());
}
