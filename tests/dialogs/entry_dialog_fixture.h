// A launcher folder with Games.ini, Parameters.txt, Options.ini and the
// entry file for the New/Modify dialog, and a way to run a modal window.
#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "../support/ModalSteps.h"
#include "discovery_fixture.h"
#include "Dialogs.h"
#include "EntryDialog.h"

class TEntryDialogTest : public TDiscoveryTest {
protected:
  void SetUp() override;
  void TearDown() override;
  TEntryDialogFiles& Files();

  std::string QuakeDir, HalfLifeDir;
  std::unique_ptr<TIniFile> Options, Parameters;
  std::vector<TPromptRequest> Prompts;  // what the dialog asked, answered with its default
  int Refreshes = 0;                    // calls of the main window's list refresh

private:
  std::unique_ptr<TEntryDialogFiles> FFiles;
};


