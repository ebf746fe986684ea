// The discovery tests' folders and helpers.
#include "discovery_fixture.h"

#include <windows.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "../support/testfiles.h"
#include "ModDiscovery.h"
#include "StringList.h"
#include "SysUtils.h"

void MakeDirs(const std::string& path) { std::filesystem::create_directories(path); }

void WriteTextFile(const std::string& path, const std::string& text) {
  MakeDirs(ExtractFilePath(path));
  WriteAll(path, text);
}

std::string ReadTextFile(const std::string& path) { return ReadAll(path); }

void RemoveTree(const std::string& path) {
  std::error_code ec;
  std::filesystem::remove_all(path, ec);
}

void HoldForLooking(const char* variable) {
  const char* ms = std::getenv(variable);
  if (!ms) return;
  DWORD end = GetTickCount() + DWORD(atoi(ms));
  while (GetTickCount() < end) {
    PumpPaintMessages();
    Sleep(20);
  }
}

void PressKey(unsigned short key, bool shift) {
  std::vector<INPUT> in;
  auto add = [&](WORD vk, DWORD flags) {
    INPUT i{};
    i.type = INPUT_KEYBOARD;
    i.ki.wVk = vk;
    i.ki.dwFlags = flags;
    in.push_back(i);
  };
  if (shift) add(VK_SHIFT, 0);
  add(key, 0);
  add(key, KEYEVENTF_KEYUP);
  if (shift) add(VK_SHIFT, KEYEVENTF_KEYUP);
  SendInput(UINT(in.size()), in.data(), sizeof(INPUT));
}

std::vector<TEntry> ParseIni(const std::string& text) { return TEntrySet::FromText(text).Entries(); }

const TEntry* FindEntry(const std::vector<TEntry>& entries, const std::string& name) {
  for (const TEntry& e : entries)
    if (e.Name == name) return &e;
  return nullptr;
}

void TDiscoveryTest::SetUp() {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  Root = IncludeTrailingBackslash(temp) + "bxdisc\\" + info->test_suite_name() + "." + info->name() + "\\";
  RemoveTree(Root);
  App = Root + "launcher\\";
  MakeDirs(App + "Logos");
  Games = std::make_unique<TIniFile>(App + "Games.ini");
}

void TDiscoveryTest::TearDown() {
  Games.reset();
  Mod.reset();
  RemoveTree(Root);
}

void TDiscoveryTest::AddGame(const std::string& key, const std::string& folder, const std::string& modTemplate,
                             const std::string& gameParameters, const std::string& gamename, const std::string& logo,
                             const std::string& url) {
  if (!folder.empty()) Games->WriteString(key, "Sijainti", folder);
  if (!modTemplate.empty()) Games->WriteString(key, "Oletus", modTemplate);
  if (!gameParameters.empty()) Games->WriteString(key, "GameOletus", gameParameters);
  if (!gamename.empty()) Games->WriteString(key, "gamename", gamename);
  if (!logo.empty()) Games->WriteString(key, "Kuvake", logo);
  if (!url.empty()) Games->WriteString(key, "url", url);
  if (folder.empty() && modTemplate.empty() && gameParameters.empty()) Games->WriteString(key, "gamename", key);
}

std::vector<TEntry> TDiscoveryTest::RunFindMods() {
  TQuietSearchStatus quiet;
  TDiscoveryFiles files{App, *Games, Mod};
  EXPECT_TRUE(FindMods(files, quiet));
  return ParseIni(ReadTextFile(App + "Mod.ini"));
}
