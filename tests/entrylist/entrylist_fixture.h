// A launcher main window in the test program's folder, with its INI files
// written afresh for each test, and the entry list attached to it.
#pragma once
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "../support/testfiles.h"
#include "Dialogs.h"
#include "ComCtrls.h"
#include "MainWindow.h"
#include "SettingsDialog.h"

#include <windows.h>

namespace bxtest {

inline std::string WindowsDir() {
  char dir[MAX_PATH] = "";
  GetWindowsDirectoryA(dir, MAX_PATH);
  return std::string(dir) + "\\";
}

// Writes through the profile functions, so that their cache sees every change.
inline void WriteIni(const std::string& file, const std::string& section, const std::string& key,
                     const std::string& value) {
  WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), file.c_str());
}

inline void RemoveIni(const std::string& file) {
  WritePrivateProfileStringA(nullptr, nullptr, nullptr, file.c_str());
  DeleteFileA(file.c_str());
}

inline std::string ReadIni(const std::string& file, const std::string& section, const std::string& key) {
  char value[512] = "";
  GetPrivateProfileStringA(section.c_str(), key.c_str(), "", value, sizeof value, file.c_str());
  return value;
}

inline bool Exists(const std::string& name) { return GetFileAttributesA(name.c_str()) != INVALID_FILE_ATTRIBUTES; }

inline void RemoveTree(const std::string& dir) {
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA((dir + "\\*").c_str(), &fd);
  if (h != INVALID_HANDLE_VALUE) {
    do {
      std::string name = fd.cFileName;
      if (name == "." || name == "..") continue;
      if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveTree(dir + "\\" + name);
      else DeleteFileA((dir + "\\" + name).c_str());
    } while (FindNextFileA(h, &fd));
    FindClose(h);
  }
  RemoveDirectoryA(dir.c_str());
}

struct TEntry {
  std::string Name, Game, Mod, Param = "quake -game %s", Bitmap;
};

class LauncherTest : public ::testing::Test {
protected:
  std::string Dir = TMainWindow::ExeDir();
  std::string ModIni = Dir + "Mod.ini", Favourites = Dir + "favourites.ini", GamesIni = Dir + "Games.ini",
              Options = Dir + "Options.ini", Counts = WindowsDir() + "brannox2000.ini",
              Stats = WindowsDir() + "bx2000_stats.ini";
  std::unique_ptr<TMainWindow> Form;
  int Beeps = 0;
  std::vector<TPromptRequest> Prompts;
  bool Closed = false;

  void SetUp() override {
    for (const std::string& f : {ModIni, Favourites, GamesIni, Options, Counts, Stats}) RemoveIni(f);
    RemoveTree(Dir + "Logos");
    CreateDirectoryA((Dir + "skins").c_str(), nullptr);
    WriteIni(Options, "Asetukset", "Aloitus", "1");
    WriteIni(Options, "Asetukset", "Nosound", "1");
    WriteIni(Options, "Asetukset", "Nocsound", "1");
    SetPromptHook([this](const TPromptRequest& r) {
      Prompts.push_back(r);
      return int(r.Default);
    });
    // A window that the commands open is recorded as "<caption> window"
    // (the Settings dialog with its page) and cancelled.
    TForm::SetModalHook([this](TForm& form) {
      std::string text = form.Caption() + " window";
      if (auto* settings = dynamic_cast<TSettingsDialog*>(&form); settings && settings->Page->ActivePage())
        text += ": " + settings->Page->ActivePage()->Caption();
      Prompts.push_back({form.Caption(), text});
      return int(mrCancel);
    });
  }

  void TearDown() override {
    Form.reset();
    SetPromptHook(nullptr);
    TForm::SetModalHook(nullptr);
  }

  // The window, made after the test has written its files.
  void Open() {
    Form = std::make_unique<TMainWindow>(nullptr);
    Form->ApplyEmptySkin();
    Form->OnEndBeep = [this] { ++Beeps; };
    Form->OnClose = [this](TComponent*, TCloseAction& action) {
      Closed = true;
      action = caNone;
    };
    Form->BuildRanking();
    Form->PaintPage(true);
  }

  void AddEntry(const TEntry& e, const std::string& file = "") {
    const std::string& ini = file.empty() ? ModIni : file;
    WriteIni(ini, e.Name, "Game", e.Game);
    WriteIni(ini, e.Name, "Mod", e.Mod);
    WriteIni(ini, e.Name, "Param", e.Param);
    if (!e.Bitmap.empty()) WriteIni(ini, e.Name, "Bitmap", e.Bitmap);
  }

  // Entries "Entry 01" .. of game quake.
  void AddNumbered(int count) {
    for (int i = 1; i <= count; ++i) {
      char name[16];
      std::snprintf(name, sizeof name, "Entry %02d", i);
      AddEntry({name, "quake", "mod" + std::to_string(i)});
    }
  }

  std::string Selected() const {
    int i = Form->TopIndex + Form->SelectedRow;
    return Form->SelectedRow >= 0 && i < Form->EntryNames.Count() ? Form->EntryNames[i] : std::string();
  }
};

}  // namespace bxtest
