// TForm1: the windows that the commands open: the About box with its usage
// statistics, the Settings dialog, the New and Modify dialog, and the Most
// started mods window.
#include "Unit1.h"

#include <cstdio>

#include "FileCtrl.h"
#include "FileUtils.h"
#include "KnownMods.h"
#include "Menus.h"
#include "StdCtrls.h"
#include "StdEdits.h"
#include "Unit2.h"
#include "Unit3_host.h"
#include "Unit4.h"
#include "Unit7.h"

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

void TForm1::ShowSettingsDialog() { ShowSettingsPage(""); }

void TForm1::ShowSettingsPage(const std::string& page) {
  TSettingsHost host = MainWindowSettingsHost(*this, [this](const std::string& skin) { LoadSkin(skin); });
  ::ShowSettingsDialog(host, page);
}

void TForm1::ShowEntryDialog(bool modify, const std::string& name) {
  auto search = [](auto find) {
    return [find](const std::string& modFolder) {
      const std::string folder = ExtractFilePath(modFolder);
      return find(folder.substr(0, folder.empty() ? 0 : folder.size() - 1), ExtractFileName(modFolder));
    };
  };
  TEntryDialogFiles files{ExeDir(), *GamesIni, *ModIni, *OptionsIni, *ParametersIni, [this] { pai(true); },
                          search([](const std::string& dir, const std::string& mod) { return ReadmeSearch(dir, mod, ""); }),
                          search([](const std::string& dir, const std::string& mod) { return ConfigSearch(dir, mod, ""); })};
  if (modify) ShowModifyEntryDialog(Handle(), files, name);
  else ShowNewEntryDialog(Handle(), files);
}

void TForm1::ShowMostStartedWindow() {
  std::vector<TStartRecord> records;
  // The rows below the header row.
  for (int k = 1; k < B3.Count() && k < B4.Count() && k < B5.Count(); ++k) records.push_back({B5[k], B4[k], B3[k]});
  TIniFile modIni(ExeDir() + "Mod.ini");
  DisplayNames(records, modIni);
  TForm7 form(this, Handle());
  form.FormCreate(*OptionsIni, UnselectedColor, SelectedColor);
  form.Fill(records, ExeDir(), *GamesIni);
  form.ShowModal();
}

void TForm1::ShowAboutBox() {
  TAboutHost host;
  host.Window = Handle();
  host.ClickSound = [this] { nappi(); };
  // The counts are read afresh each time: the rows get their header only once.
  host.ShowMostStarted = [this] {
    lista();
    MostStartedRows();
    ShowMostStartedWindow();
  };
  host.Options = OptionsIni.get();
  host.SkinColors = {SelectedColor, UnselectedColor};
  TAboutBox box(this, host);
  FillAboutStatistics(box);
  box.ShowModal();
}

void TForm1::FillAboutStatistics(TAboutBox& box) {
  try {
    box.Fskin->Directory = ExeDir() + "Skins\\";
    box.Fskin->Update();
    box.Label6->SetCaption("You have " + IntToStr(box.Fskin->Items.Count()) + " Brannox 2000 skins");
  } catch (const Exception&) {
    box.Label6->SetCaption("You have 0 Brannox 2000 skins");
  }
  std::string average = "0";
  try {
    if (B3.Count() > 0) {
      double sum = 0;
      for (int k = 0; k < B3.Count(); ++k) sum += StrToInt(B3[k]);
      char text[64];
      std::snprintf(text, sizeof text, "%.2f", sum / B3.Count());
      average = text;
    }
  } catch (const Exception&) {
    average = "0";
  }
  box.Label4->SetCaption("Modifications start average: " + average);
  box.Label1->SetCaption("You have activated mod " + IntToStr(StartCounter) + " times");

  TStringList games;
  GamesIni->ReadSections(games);
  long long found = static_cast<long long>(KnownMods().size());
  for (int g = 0; g < games.Count(); ++g) {
    const std::string list = ExeDir() + "modlist\\" + games[g] + ".txt";
    if (FileExists(list)) found += LineCount(list);
  }
  box.Label5->SetCaption("Brannox finds automaticly " + IntToStr(found) + " modifications");

  // Counted in Mod.ini whatever the view; the view's own entry file stays open.
  TIniFile modIni(ExeDir() + "Mod.ini");
  TStringList entries;
  modIni.ReadSections(entries);
  box.Label2->SetCaption("You have " + IntToStr(entries.Count()) + " modifications in your computer");
  TStringList perGame;
  for (int g = 0; g < games.Count(); ++g) {
    int n = 0;
    for (int e = 0; e < entries.Count(); ++e)
      if (LowerCase(modIni.ReadString(entries[e], "game", "")) == LowerCase(games[g])) ++n;
    perGame.Add("You have " + IntToStr(n) + " " + games[g] + " modifications in your computer.");
  }
  box.R1->Lines.Assign(perGame);

  const TDateTime today = Date();
  const TDateTime installed = StatsIni->ReadDate(kOptions, "installday", today);
  box.Label3->SetCaption("You have used brannox " + IntToStr((long long)(today - installed)) + " days");
  // As the last `lista` left "Most started mods" (the menu item itself is set
  // only when its menu opens).
  box.Button1->SetEnabled(N3Visible);
}
