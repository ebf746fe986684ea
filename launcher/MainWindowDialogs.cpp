// TMainWindow: the windows that the commands open: the About box with its usage
// statistics, the Settings dialog, the New and Modify dialog, and the Most
// started mods window.
#include "MainWindow.h"

#include <cstdio>

#include "FileCtrl.h"
#include "FileUtils.h"
#include "KnownMods.h"
#include "Menus.h"
#include "StdCtrls.h"
#include "StdEdits.h"
#include "AboutBox.h"
#include "MainWindowSettingsHost.h"
#include "EntryDialog.h"
#include "MostStartedWindow.h"

namespace {
// The lines of a text file, 0 when it cannot be read.
int LineCount(const std::string& file) {
  TStringList lines;
  try {
    lines.LoadFromFile(file);
  } catch (const Exception&) {
    return 0;
  }
  return lines.Count();
}
}  // namespace

void TMainWindow::ShowSettingsDialog() { ShowSettingsPage(""); }

void TMainWindow::ShowSettingsPage(const std::string& page) {
  TSettingsHost host = MainWindowSettingsHost(*this, [this](const std::string& skin) { LoadSkin(skin); });
  ::ShowSettingsDialog(host, page);
}

void TMainWindow::ShowEntryDialog(bool modify, const std::string& name) {
  auto search = [](auto find) {
    return [find](const std::string& modFolder) {
      const std::string folder = ExtractFilePath(modFolder);
      return find(folder.substr(0, folder.empty() ? 0 : folder.size() - 1), ExtractFileName(modFolder));
    };
  };
  TEntryDialogFiles files{
      ExeDir(),
      *GamesIni,
      *ModIni,
      *OptionsIni,
      *ParametersIni,
      [this] { PaintPage(true); },
      search([](const std::string& dir, const std::string& mod) { return ReadmeSearch(dir, mod, ""); }),
      search([](const std::string& dir, const std::string& mod) { return ConfigSearch(dir, mod, ""); })};
  if (modify) ShowModifyEntryDialog(Handle(), files, name);
  else ShowNewEntryDialog(Handle(), files);
}

void TMainWindow::ShowMostStartedWindow() {
  std::vector<TStartRecord> records;
  // The rows below the header row.
  for (int k = 1; k < RankCounts.Count() && k < RankMods.Count() && k < RankGames.Count(); ++k)
    records.push_back({RankGames[k], RankMods[k], RankCounts[k]});
  TIniFile modIni(ExeDir() + kEntryFile);
  DisplayNames(records, modIni);
  TMostStartedWindow form(this, Handle());
  form.FormCreate(*OptionsIni, UnselectedColor, SelectedColor);
  form.Fill(records, ExeDir(), *GamesIni);
  form.ShowModal();
}

void TMainWindow::ShowAboutBox() {
  TAboutHost host;
  host.Window = Handle();
  host.ClickSound = [this] { PlayClickSound(); };
  // The counts are read afresh each time: the rows get their header only once.
  host.ShowMostStarted = [this] {
    BuildRanking();
    MostStartedRows();
    ShowMostStartedWindow();
  };
  host.Options = OptionsIni.get();
  host.SkinColors = {SelectedColor, UnselectedColor};
  TAboutBox box(this, host);
  FillAboutStatistics(box);
  box.ShowModal();
}

void TMainWindow::FillAboutStatistics(TAboutBox& box) {
  try {
    box.SkinFileList->Directory = ExeDir() + "Skins\\";
    box.SkinFileList->Update();
    box.SkinsLabel->SetCaption("You have " + IntToStr(box.SkinFileList->Items.Count()) + " Brannox 2000 skins");
  } catch (const Exception&) {
    box.SkinsLabel->SetCaption("You have 0 Brannox 2000 skins");
  }
  std::string average = "0";
  try {
    if (RankCounts.Count() > 0) {
      double sum = 0;
      for (int k = 0; k < RankCounts.Count(); ++k) sum += StrToInt(RankCounts[k]);
      char text[64];
      std::snprintf(text, sizeof text, "%.2f", sum / RankCounts.Count());
      average = text;
    }
  } catch (const Exception&) {
    average = "0";
  }
  box.AverageLabel->SetCaption("Modifications start average: " + average);
  box.StartsLabel->SetCaption("You have activated mod " + IntToStr(StartCounter) + " times");

  TStringList games;
  GamesIni->ReadSections(games);
  long long found = static_cast<long long>(KnownMods().size());
  for (int g = 0; g < games.Count(); ++g) {
    const std::string list = ExeDir() + "modlist\\" + games[g] + ".txt";
    if (FileExists(list)) found += LineCount(list);
  }
  box.KnownModsLabel->SetCaption("Brannox finds automaticly " + IntToStr(found) + " modifications");

  // Counted in Mod.ini whatever the view; the view's own entry file stays open.
  TIniFile modIni(ExeDir() + kEntryFile);
  TStringList entries;
  modIni.ReadSections(entries);
  box.EntriesLabel->SetCaption("You have " + IntToStr(entries.Count()) + " modifications in your computer");
  TStringList perGame;
  for (int g = 0; g < games.Count(); ++g) {
    int n = 0;
    for (int e = 0; e < entries.Count(); ++e)
      if (LowerCase(modIni.ReadString(entries[e], "game", "")) == LowerCase(games[g])) ++n;
    perGame.Add("You have " + IntToStr(n) + " " + games[g] + " modifications in your computer.");
  }
  box.GameCountsMemo->Lines.Assign(perGame);

  const TDateTime today = Date();
  const TDateTime installed = StatsIni->ReadDate(kOptions, "installday", today);
  box.DaysLabel->SetCaption("You have used brannox " + IntToStr((long long)(today - installed)) + " days");
  // As the last `BuildRanking` left "Most started mods" (the menu item itself is set
  // only when its menu opens).
  box.MostStartedButton->SetEnabled(MostStartedVisible);
}
