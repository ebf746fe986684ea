// TForm1: the commands that the picture buttons, both menus and the keys
// share (About, Settings, New, Modify, Remove, Remove all, the editors and
// the searches), and the keyboard map.
#include "Unit1.h"

#include "Dialogs.h"
#include "GameDiscovery.h"
#include "ModDiscovery.h"
#include "Shell.h"
#include "Unit9.h"

namespace {
constexpr const char* kModInfoFile = "modinfo_for_BX2000.bx2";
}  // namespace

// --- About, Settings, New, Modify

void TForm1::Image13Click(TComponent*) {
  if (!SettingsIdle) return;
  nappi();
  lista();
  auto after = [this] {
    Application().ProcessMessages();
    A1->SetEnabled(false);
    A1->SetEnabled(true);
  };
  try {
    WhileSettingsBusy([this] { ShowAboutBox(); });
  } catch (...) {
    after();
    throw;
  }
  after();
}

void TForm1::Image14Click(TComponent*) {
  if (!SettingsIdle) return;
  if (OptionsIni->ReadInteger(kOptions, "Aloitus", 0) == 1) nappi();
  WhileSettingsBusy([this] { ShowSettingsDialog(); });
  paivitabx();
  vari();
  if (SelectedRow >= 0 && SelectedRow <= kLastRow) Highlight(SelectedRow);
  A1->SetEnabled(true);
}

void TForm1::Image18Click(TComponent*) {
  nappi();
  ShowEntryDialog(false, "");
}

void TForm1::Image15Click(TComponent*) {
  const std::string entry = SelectedEntry();
  if (entry.empty()) return;
  if (GameFolderPresent(ModIni->ReadString(entry, "Game", ""))) {
    nappi();
    ShowEntryDialog(true, entry);
  }
  // The dialog may have renamed or removed the entry: the row's entry now.
  const std::string now = SelectedEntry();
  if (!now.empty() && !GameFolderPresent(ModIni->ReadString(now, "Game", "")))
    MessageDlg("Game directory was not found", mtWarning, mbOK);
}

// --- Remove, Remove all

// Erases the entry; its mod-info file goes when the user says so. With
// toAll the question has the "to all" answers and answer carries the last
// one from entry to entry.
void TForm1::RemoveEntry(const std::string& entry, int& answer, bool toAll) {
  const std::string game = ModIni->ReadString(entry, "Game", "");
  const std::string dir = GameDir(game);
  const std::string mod = ModIni->ReadString(entry, "Mod", "");
  ModIni->EraseSection(entry);
  const std::string info = mod.empty() ? dir + "\\" + kModInfoFile : dir + "\\" + mod + "\\" + kModInfoFile;
  if (dir.empty() || !FileExists(info)) return;
  const std::string question = "Do you want to remove " + entry + " modification info file?\n\r" +
                               "If you remove this file all modification information will be lost.";
  if (!toAll) {
    answer = MessageDlg(question, mtConfirmation, mbYesNo);
  } else if (answer == mrNone || answer == mrYes || answer == mrNo) {
    answer = MessageDlg(question, mtConfirmation, mbYes | mbNo | mbNoToAll | mbYesToAll);
  }
  if (answer == mrYes || answer == mrYesToAll) DeleteFileA(info.c_str());
}

void TForm1::Image17Click(TComponent*) {
  const std::string entry = SelectedEntry();
  if (entry.empty()) return;
  nappi();
  if (MessageDlg("Confirm remove?", mtConfirmation, mbYesNo) != mrYes) return;
  int answer = mrNone;
  RemoveEntry(entry, answer, false);
  pai(true);
}

void TForm1::Image16Click(TComponent*) {
  if (SelectedRow < 0) return;
  nappi();
  if (MessageDlg("Confirm remove all?", mtConfirmation, mbYesNo) != mrYes) return;
  TStringList entries;
  entries.Assign(L1);
  int answer = mrNone;
  // A failure part way leaves the page showing what the file now holds.
  try {
    for (const std::string& entry : entries.Items()) RemoveEntry(entry, answer, true);
  } catch (...) {
    pai(true);
    throw;
  }
  pai(true);
}

// --- the editors and the searches

void TForm1::WhileSettingsBusy(const std::function<void()>& action) {
  SettingsIdle = false;
  try {
    action();
  } catch (...) {
    SettingsIdle = true;
    throw;
  }
  SettingsIdle = true;
}

void TForm1::RunSettingsCommand(const std::function<void()>& action) {
  if (!SettingsIdle) return;
  WhileSettingsBusy(action);
  paivitabx();
  A1->SetEnabled(true);
}

void TForm1::Modlisteditor1Click(TComponent*) { RunSettingsCommand([this] { ShowSettingsPage("Modlist editor"); }); }
void TForm1::Configeditor1Click(TComponent*) { RunSettingsCommand([this] { ShowSettingsPage("Config manager"); }); }
void TForm1::Halflifemanager1Click(TComponent*) {
  RunSettingsCommand([this] { ShowSettingsPage("Half-Life manager"); });
}
void TForm1::HalfLifelogoeditor1Click(TComponent*) {
  RunSettingsCommand([this] { ShowSettingsPage("Half-Life logo editor"); });
}

void TForm1::Findgamelocations1Click(TComponent*) {
  RunSettingsCommand([this] {
    pelit(*GamesIni);
    pai(true);
  });
}

void TForm1::Findmodifications1Click(TComponent*) {
  RunSettingsCommand([this] {
    TForm9Status status(Handle());
    TDiscoveryFiles files{ExeDir(), *GamesIni, ModIni};
    // A failed search leaves the old file: the page shows it.
    try {
      FindMods(files, status);
    } catch (...) {
      pai(true);
      throw;
    }
    pai(true);
  });
}

void TForm1::Brannox2000skineditor1Click(TComponent*) {
  const std::string editor = ExeDir() + "BXskineditor\\bxskined.exe";
  if (FileExists(editor)) ShellOpen(editor);
  else MessageDlg("Brannox 2000 skin editor not found", mtWarning, mbOK);
}

// --- the keyboard map: every line is tested on its own, in this order

void TForm1::FormKeyDown(TComponent*, uint16_t& key, TShiftState shift) {
  const bool ctrl = ShiftIs(shift, ssCtrl), shiftOnly = ShiftIs(shift, ssShift);
  if (key == VK_F1 && FileExists(ExeDir() + "Brannox help.txt")) OpenInNotepad(ExeDir() + "Brannox help.txt");
  if (key == VK_F2 && FileExists(ExeDir() + "readme.txt")) OpenInNotepad(ExeDir() + "readme.txt");
  if (key == VK_F5) {
    pai(true);
    A1->SetEnabled(true);
  }
  if (key == VK_INSERT) Image18Click(this);
  if (key == VK_ESCAPE) Close();
  if (key == '1' && ctrl) Modlisteditor1Click(this);
  if (key == '2' && ctrl) Configeditor1Click(this);
  if (key == '3' && ctrl && GameFolderPresent("half-life")) Halflifemanager1Click(this);
  if (key == '4' && ctrl && (GameFolderPresent("half-life") || GameFolderPresent("gunman")))
    HalfLifelogoeditor1Click(this);
  if (key == '5' && ctrl) Brannox2000skineditor1Click(this);
  if (key == 'G' && shiftOnly) Findgamelocations1Click(this);
  if (key == 'F' && shiftOnly) Findmodifications1Click(this);
  if (key == 'F' && ctrl) Addtofavourites1Click(this);
  if (key == 'T' && ctrl) MinimizetoTray1Click();
  if (key == 'S' && ctrl) Image14Click(this);
  if (key == 'A') Image13Click(this);
  if (key == VK_DELETE && ctrl) Image16Click(this);
  if (key == VK_DELETE && !ctrl) Image17Click(this);
  if (key == 'M' && ctrl) Image15Click(this);
  if (key == VK_RETURN && SelectedRow >= 0) {
    StartMap.clear();
    Start(SelectedRow);
  }
  if (key == VK_UP && SelectedRow >= 0) Image2aClick(nullptr);
  if (key == VK_DOWN && SelectedRow >= 0) Image3aClick(nullptr);
}
