// The entry dialog's fields from elsewhere: an entry of the entry file
// (Modify) and a picked mod folder's mod-info or liblist.gam file.
// The class library's headers come before windows.h (its colour macros).
#include "EntryDialog.h"

#include "EntryFile.h"
#include "FileUtils.h"
#include "ModDiscovery.h"
#include "SharedNames.h"
#include "StringList.h"
#include "etsiosoite.h"
#include "ModFolderPicker.h"

namespace {
// The web address of the last `url_info "` line of a liblist.gam.
std::string LastLiblistUrl(const std::string& fileName) {
  std::string url;
  TStringList lines;
  try {
    lines.LoadFromFile(fileName);
  } catch (const std::exception&) {
    return url;
  }
  const std::string key = "url_info \"";
  for (const std::string& line : lines.Items()) {
    size_t p = LowerCase(line).find(key);
    if (p == std::string::npos) continue;
    size_t start = p + key.size();
    size_t end = line.find('"', start);
    url = Trim(line.substr(start, end == std::string::npos ? std::string::npos : end - start));
  }
  return url;
}

void FillBlank(TEdit* edit, const std::string& value) {
  if (Trim(edit->Text()).empty()) edit->SetText(value);
}

// Selects the item equal to a stored value. A value that the list lacks (a
// map removed since, a hand edit) joins the list, so that OK without a
// change stores it again; an empty one selects the first item, or none.
void SelectStored(TComboBox* combo, const std::string& value, bool emptySelectsFirst) {
  int index = combo->Items.IndexOf(value);
  if (index < 0 && !value.empty()) index = combo->Items.Add(value);
  if (index < 0 && emptySelectsFirst) index = 0;
  combo->SetItemIndex(index);
}
}  // namespace

void TEntryDialog::LoadEntry(const std::string& name) {
  TIniFile& ini = FFiles.ModIni;
  Mode = emModify;
  FormerName = name;
  NameEdit->SetText(name);
  ModFolderEdit->SetText(ini.ReadString(name, "Mod", ""));
  MapcycleCheckBox->SetChecked(
      ini.ReadBool(name, "randommapcycle", FFiles.OptionsIni.ReadBool(kOptions, "hlmapcycle", false)));
  SelectStored(WinmemCombo, ini.ReadString(name, "winmem", ""), true);
  GameCombo->SetItemIndex(GameCombo->Items.IndexOf(ini.ReadString(name, "Game", "")));
  GameComboChange(GameCombo);
  SelectStored(MapCombo, ini.ReadString(name, "map", "<none>"), false);
  ParametersCombo->SetText(ini.ReadString(name, "Param", ""));

  const std::string modFolder = ModFolder();
  const std::string liblist = modFolder + "\\liblist.gam";
  WebSiteEdit->SetText(FileExists(liblist) ? LastLiblistUrl(liblist) : ini.ReadString(name, "url", ""));
  DescriptionEdit->SetText(ini.ReadString(name, "Description", ""));

  std::string readme = ini.ReadString(name, "Readme", "");
  if (readme.empty() && FFiles.FindReadme) {
    readme = FFiles.FindReadme(modFolder);
    if (!readme.empty() && Trim(WebSiteEdit->Text()).empty()) {
      std::string url = Trim(FindWebAddress(readme));
      if (!url.empty()) WebSiteEdit->SetText(url);
    }
  }
  ReadmeEdit->SetText(readme);
  std::string config = ini.ReadString(name, "Config", "");
  if (config.empty() && FFiles.FindConfig) config = FFiles.FindConfig(modFolder);
  ConfigEdit->SetText(config);

  LogoValue = LogoPath(ini.ReadString(name, "Bitmap", ""));
  if (!ShowLogo(LogoValue)) ShowUnknownLogo();
}

void TEntryDialog::PickModFolderButtonClick(TComponent*) {
  const std::string game = GameFolder();
  if (Trim(game).empty() || !DirectoryExists(game)) return;
  std::string chosen;
  {
    TModFolderPicker picker(nullptr, Handle());
    picker.ListFolders(game, ModFolderEdit->Text());
    if (picker.ShowModal() != mrOk) return;
    chosen = picker.Selected();
  }
  if (chosen.empty()) return;
  ModFolderEdit->SetText(chosen);
  ReadFolderInfo(chosen);
  if (!LogoValue.empty()) ShowLogo(LogoPath(LogoValue));
}

void TEntryDialog::ReadFolderInfo(const std::string& folder) {
  const std::string path = IncludeTrailingBackslash(GameFolder()) + folder;
  const std::string infoFile = path + "\\" + ModInfoFileName;
  if (!FileExists(infoFile)) {
    std::string name, website;
    try {
      ReadLiblistInfo(path, name, website);
    } catch (const std::exception&) {
    }
    std::string shown = Trim(name).empty() ? folder : name;
    FillBlank(NameEdit, shown);
    FillBlank(DescriptionEdit, shown);
    FillBlank(WebSiteEdit, website);
    if (FileExists(path + "\\" + folder + ".ico")) LogoValue = path + "\\" + folder + ".ico";
    return;
  }
  TModInfo info;
  if (!ReadModInfo(infoFile, info)) return;  // not five lines: nothing is taken from it
  FillBlank(NameEdit, Trim(info.Name).empty() ? folder : info.Name);
  FillBlank(DescriptionEdit, Trim(info.Description).empty() ? folder : info.Description);
  GameComboChange(GameCombo);
  if (!Trim(info.Parameters).empty()) ParametersCombo->SetText(info.Parameters);
  FillBlank(WebSiteEdit, info.WebSite);
  if (!Trim(info.Logo).empty()) LogoValue = info.Logo;
}
