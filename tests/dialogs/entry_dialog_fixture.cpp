// The entry dialog tests' launcher folder.
#include "entry_dialog_fixture.h"

#include <windows.h>

#include "Forms.h"

void TEntryDialogTest::SetUp() {
  TDiscoveryTest::SetUp();
  QuakeDir = Root + "Quake";
  HalfLifeDir = Root + "Half-Life";
  MakeDirs(QuakeDir + "\\id1\\maps");
  MakeDirs(HalfLifeDir + "\\valve\\maps");
  AddGame("quake", QuakeDir, "quake -game %s", "quake");
  AddGame("half-life", HalfLifeDir, "hl -game %s", "hl");
  AddGame("gone", Root + "Missing", "gone %s", "gone");
  Options = std::make_unique<TIniFile>(App + "Options.ini");
  Parameters = std::make_unique<TIniFile>(App + "Parameters.txt");
  Parameters->WriteString("quake", "0", "quake -game %s");
  Parameters->WriteString("quake", "1", "quake -hipnotic -game %s");
  Parameters->WriteString("quake", "3", "not listed after a gap");
  Mod = std::make_unique<TIniFile>(App + "Mod.ini");
  SetPromptHook([this](const TPromptRequest& r) {
    Prompts.push_back(r);
    return int(r.Default);
  });
}

void TEntryDialogTest::TearDown() {
  SetPromptHook(nullptr);
  FFiles.reset();
  Options.reset();
  Parameters.reset();
  TDiscoveryTest::TearDown();
}

TEntryDialogFiles& TEntryDialogTest::Files() {
  if (!FFiles) {
    FFiles.reset(new TEntryDialogFiles{App, *Games, *Mod, *Options, *Parameters, [this] { ++Refreshes; }, {}, {}});
  }
  return *FFiles;
}
