// The INI snapshot answers as the profile functions do, on files written as
// users and other programs write them.
#include <gtest/gtest.h>

#include <fstream>

#include "MainWindow.h"
#include "IniSnapshot.h"

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

// A file full of what the profile functions take their own way.
const char* const kAwkward =
    "loose=before any section\r\n"
    "[Quake]\r\n"
    "Mod = ctf \r\n"
    "  Game=quake\r\n"
    "Bitmap=\"quoted logo.bmp\"\r\n"
    "single='x'\r\n"
    "lonequote=\"\r\n"
    "mixed=\"a'\r\n"
    "empty=\r\n"
    "novalue\r\n"
    ";comment=yes\r\n"
    "MOD=second of the same name\r\n"
    "eq=a=b\r\n"
    "[quake]\r\n"
    "Mod=second section of the same name\r\n"
    "Extra=only here\r\n"
    "[ spaced ]\r\n"
    "k=v\r\n"
    "[broken\r\n"
    "[Team Fortress]\n"
    "Mod=tf\n"
    "=nameless\n"
    "after=the nameless key\n"
    "[last]\n"
    "tail=no line end";
}  // namespace

TEST(IniSnapshot, ReadsAsTheProfileFunctions) {
  const std::string file = TempFile("bx_snapshot_test.ini");
  WritePrivateProfileStringA(nullptr, nullptr, nullptr, file.c_str());
  std::ofstream(file, std::ios::binary) << kAwkward;
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
  TIniSnapshot text = TIniSnapshot::FromText(kAwkward);
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
