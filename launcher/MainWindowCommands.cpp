// TMainWindow: the commands that the picture buttons, both menus and the keys
// share (About, Settings, New, Modify, Remove, Remove all, the editors and
// the searches), and the keyboard map.
#include "MainWindow.h"

#include <vector>

#include "Dialogs.h"
#include "EntryFile.h"
#include "GameDiscovery.h"
#include "ModDiscovery.h"
#include "Shell.h"
#include "SearchStatusWindow.h"

namespace {
}  // namespace

// --- About, Settings, New, Modify

void TMainWindow::AboutButtonClick(TComponent*) {
  if (!SettingsIdle) return;
  PlayClickSound();
  BuildRanking();
  auto after = [this] {
    Application().ProcessMessages();
    AnimationTimer->SetEnabled(false);
    AnimationTimer->SetEnabled(true);
  };
  try {
    WhileSettingsBusy([this] { ShowAboutBox(); });
  } catch (...) {
    after();
    throw;
  }
  after();
}

void TMainWindow::SettingsButtonClick(TComponent*) {
  if (!SettingsIdle) return;
  if (OptionsIni->ReadInteger(kOptions, "Aloitus", 0) == 1) PlayClickSound();
  WhileSettingsBusy([this] { ShowSettingsDialog(); });
  ReapplyOptions();
  ApplyListColours();
  if (SelectedRow >= 0 && SelectedRow <= kLastRow) Highlight(SelectedRow);
  AnimationTimer->SetEnabled(true);
}

void TMainWindow::NewButtonClick(TComponent*) {
  PlayClickSound();
  ShowEntryDialog(false, "");
}

void TMainWindow::ModifyButtonClick(TComponent*) {
  const std::string entry = SelectedEntry();
  if (entry.empty()) return;
  if (GameFolderPresent(ModIni->ReadString(entry, "Game", ""))) {
    PlayClickSound();
    ShowEntryDialog(true, entry);
  }
  // The dialog may have renamed or removed the entry: the row's entry now.
  const std::string now = SelectedEntry();
  if (!now.empty() && !GameFolderPresent(ModIni->ReadString(now, "Game", "")))
    MessageDlg("Game directory was not found", mtWarning, mbOK);
}

// --- Remove, Remove all

// With toAll the question has the "to all" answers and answer carries the
// last one from entry to entry.
std::string TMainWindow::RemoveEntry(const std::string& entry, int& answer, bool toAll) {
  const std::string game = ModIni->ReadString(entry, "Game", "");
  const std::string dir = GameDir(game);
  const std::string mod = ModIni->ReadString(entry, "Mod", "");
  ModIni->EraseSection(entry);
  const std::string info = mod.empty() ? dir + "\\" + ModInfoFileName : dir + "\\" + mod + "\\" + ModInfoFileName;
  if (dir.empty() || !FileExists(info)) return "";
  const std::string question = "Do you want to remove " + entry + " modification info file?\n\r" +
                               "If you remove this file all modification information will be lost.";
  if (!toAll) {
    answer = MessageDlg(question, mtConfirmation, mbYesNo);
  } else if (answer == mrNone || answer == mrYes || answer == mrNo) {
    answer = MessageDlg(question, mtConfirmation, mbYes | mbNo | mbNoToAll | mbYesToAll);
  }
  return answer == mrYes || answer == mrYesToAll ? info : "";
}

void TMainWindow::RemoveButtonClick(TComponent*) {
  const std::string entry = SelectedEntry();
  if (entry.empty()) return;
  PlayClickSound();
  if (MessageDlg("Confirm remove?", mtConfirmation, mbYesNo) != mrYes) return;
  int answer = mrNone;
  // The erase is written before the question: a file that cannot be
  // written stops here, and the mod-info file stays.
  const std::string info = RemoveEntry(entry, answer, false);
  if (!info.empty()) DeleteFileA(info.c_str());
  PaintPage(true);
}

void TMainWindow::RemoveAllButtonClick(TComponent*) {
  if (SelectedRow < 0) return;
  PlayClickSound();
  if (MessageDlg("Confirm remove all?", mtConfirmation, mbYesNo) != mrYes) return;
  TStringList entries;
  entries.Assign(EntryNames);
  int answer = mrNone;
  std::vector<std::string> infoFiles;
  // One write of the entry file for the whole list; the mod-info files go
  // only once it is written. A failure leaves the file and the page as they
  // were.
  try {
    TIniUpdate update(*ModIni);
    for (const std::string& entry : entries.Items())
      if (std::string info = RemoveEntry(entry, answer, true); !info.empty()) infoFiles.push_back(std::move(info));
    update.Commit();
  } catch (...) {
    PaintPage(true);
    throw;
  }
  for (const std::string& info : infoFiles) DeleteFileA(info.c_str());
  PaintPage(true);
}

// --- the editors and the searches

void TMainWindow::WhileSettingsBusy(const std::function<void()>& action) {
  SettingsIdle = false;
  try {
    action();
  } catch (...) {
    SettingsIdle = true;
    throw;
  }
  SettingsIdle = true;
}

void TMainWindow::RunSettingsCommand(const std::function<void()>& action) {
  if (!SettingsIdle) return;
  WhileSettingsBusy(action);
  ReapplyOptions();
  AnimationTimer->SetEnabled(true);
}

void TMainWindow::ModlistEditorItemClick(TComponent*) {
  RunSettingsCommand([this] { ShowSettingsPage("Modlist editor"); });
}
void TMainWindow::ConfigManagerItemClick(TComponent*) {
  RunSettingsCommand([this] { ShowSettingsPage("Config manager"); });
}
void TMainWindow::HalfLifeManagerItemClick(TComponent*) {
  RunSettingsCommand([this] { ShowSettingsPage("Half-Life manager"); });
}
void TMainWindow::HalfLifeLogoEditorItemClick(TComponent*) {
  RunSettingsCommand([this] { ShowSettingsPage("Half-Life logo editor"); });
}

void TMainWindow::FindGamesItemClick(TComponent*) {
  RunSettingsCommand([this] {
    FindGames(*GamesIni);
    PaintPage(true);
  });
}

void TMainWindow::FindModsItemClick(TComponent*) {
  RunSettingsCommand([this] {
    TWindowSearchStatus status(Handle());
    TDiscoveryFiles files{ExeDir(), *GamesIni, ModIni};
    // A failed search leaves the old file: the page shows it.
    try {
      FindMods(files, status);
    } catch (...) {
      PaintPage(true);
      throw;
    }
    PaintPage(true);
  });
}

void TMainWindow::SkinEditorItemClick(TComponent*) {
  const std::string editor = ExeDir() + "BXskineditor\\bxskined.exe";
  if (FileExists(editor)) ShellOpen(editor);
  else MessageDlg("Brannox 2000 skin editor not found", mtWarning, mbOK);
}

// --- the keyboard map: every line is tested on its own, in this order

void TMainWindow::FormKeyDown(TComponent*, uint16_t& key, TShiftState shift) {
  // A held key runs its command once; only the arrows go on moving the selection.
  if (FKeyRepeat && key != VK_UP && key != VK_DOWN) return;
  const bool ctrl = ShiftIs(shift, ssCtrl), shiftOnly = ShiftIs(shift, ssShift);
  if (key == VK_F1 && FileExists(ExeDir() + "Brannox help.txt")) OpenInNotepad(ExeDir() + "Brannox help.txt");
  if (key == VK_F2 && FileExists(ExeDir() + "readme.txt")) OpenInNotepad(ExeDir() + "readme.txt");
  if (key == VK_F5) {
    PaintPage(true);
    AnimationTimer->SetEnabled(true);
  }
  if (key == VK_INSERT) NewButtonClick(this);
  if (key == VK_ESCAPE) Close();
  if (key == '1' && ctrl) ModlistEditorItemClick(this);
  if (key == '2' && ctrl) ConfigManagerItemClick(this);
  if (key == '3' && ctrl && GameFolderPresent("half-life")) HalfLifeManagerItemClick(this);
  if (key == '4' && ctrl && HalfLifeEngineGamePresent())
    HalfLifeLogoEditorItemClick(this);
  if (key == '5' && ctrl) SkinEditorItemClick(this);
  if (key == 'G' && shiftOnly) FindGamesItemClick(this);
  if (key == 'F' && shiftOnly) FindModsItemClick(this);
  if (key == 'F' && ctrl) AddToFavouritesItemClick(this);
  if (key == 'T' && ctrl) MinimizeToTrayItemClick();
  if (key == 'S' && ctrl) SettingsButtonClick(this);
  if (key == 'A') AboutButtonClick(this);
  if (key == VK_DELETE && ctrl) RemoveAllButtonClick(this);
  if (key == VK_DELETE && !ctrl) RemoveButtonClick(this);
  if (key == 'M' && ctrl) ModifyButtonClick(this);
  if (key == VK_RETURN && SelectedRow >= 0) {
    StartMap.clear();
    Start(SelectedRow);
  }
  if (key == VK_UP && SelectedRow >= 0) UpButtonClick(nullptr);
  if (key == VK_DOWN && SelectedRow >= 0) DownButtonClick(nullptr);
}
