// The entry dialog's OK: checking the name, writing the entry into the
// current entry file, the mod-info file and the game's own mod list.
// The class library's headers come before windows.h (its colour macros).
#include "EntryDialog.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "Dialogs.h"
#include "EntryFile.h"
#include "FileUtils.h"
#include "IniFiles.h"
#include "ModDiscovery.h"
#include "StringList.h"
#include "isokirjain.h"

std::string EntryNameProblem(const std::string& name) {
  if (name.find_first_of("=[]\r\n") == std::string::npos) return "";
  return "Mod name is invalid.\n\nA mod name cannot hold \"=\", \"[\", \"]\" or a line break.";
}

std::string ModInfoFolder(const std::string& gameFolder, const std::string& mod) {
  if (Trim(gameFolder).empty()) return "";
  if (Trim(mod).empty()) return DirectoryExists(gameFolder) ? gameFolder : "";
  if (!IsPlainFolderName(mod)) return "";
  std::string folder = IncludeTrailingBackslash(gameFolder) + mod;
  return DirectoryExists(folder) ? folder : "";
}

void TEntryDialog::OKButtonClick(TComponent*) {
  if (Trim(NameEdit->Text()).empty() || Trim(ParametersCombo->Text()).empty() || Trim(GameCombo->Text()).empty())
    return;
  std::string problem = EntryNameProblem(NameEdit->Text());
  if (!problem.empty()) {
    MessageDlg(problem, mtError, mbOK);
    return;
  }
  if (!SaveEntry()) return;
  FFiles.RefreshList();
  ModalResult = mrOk;
}

bool TEntryDialog::SaveEntry() {
  const bool modify = Mode == emModify;
  // A name left as it was stays as it is stored.
  const std::string name = modify && NameEdit->Text() == FormerName
                               ? FormerName
                               : CapitalizeFirst(EntryName(NameEdit->Text(), ModFolderEdit->Text()));
  TIniFile& file = FFiles.ModIni;
  const bool renamed = !modify || !SameText(name, FormerName);
  if (renamed && file.SectionExists(name)) {
    MessageDlg("Mod name exists", mtError, mbOK);
    return false;
  }
  // The former entry's keys as stored, in file order.
  std::vector<std::pair<std::string, std::string>> former;
  if (modify) {
    TStringList keys;
    file.ReadSection(FormerName, keys);
    for (const std::string& key : keys.Items()) former.emplace_back(key, file.ReadString(FormerName, key, ""));
  }
  auto formerValue = [&](const char* key) -> const std::string* {
    for (const auto& [k, v] : former)
      if (SameText(k, key)) return &v;
    return nullptr;
  };
  const std::string mod = ModFolderEdit->Text();
  // The logo as stored (a bare name of "Logos\") while it names the same file.
  const std::string* storedLogo = formerValue("Bitmap");
  const std::string logo = storedLogo && LogoValue == LogoPath(*storedLogo) ? *storedLogo : LogoValue;
  // The box is shown for the games that shuffle their map cycle; for the
  // others a stored choice stays as it was.
  std::string cycle = MapcycleCheckBox->Checked() ? "1" : "0";
  if (!MapcycleCheckBox->Visible()) cycle = formerValue("randommapcycle") ? *formerValue("randommapcycle") : "0";
  std::vector<std::pair<std::string, std::string>> keys = {{"Mod", mod},
                                                           {"Game", GameCombo->Text()},
                                                           {"Param", ParametersCombo->Text()},
                                                           {"Bitmap", logo},
                                                           {"Description", DescriptionEdit->Text()},
                                                           {"Readme", ReadmeEdit->Text()},
                                                           {"Config", ConfigEdit->Text()},
                                                           {"Map", MapCombo->Text()},
                                                           {"winmem", WinmemCombo->Text()},
                                                           {"url", WebSiteEdit->Text()},
                                                           {"randommapcycle", cycle}};
  // Keys that the dialog does not show stay with the entry.
  for (const auto& key : former)
    if (std::none_of(keys.begin(), keys.end(), [&](const auto& k) { return SameText(k.first, key.first); }))
      keys.push_back(key);
  // The entry takes the place of its former section in one write of the
  // file; the rest of the file keeps its bytes, and a failure leaves the
  // file as it was.
  TIniUpdate update(file);
  if (modify) file.EraseSection(FormerName);
  for (const auto& [key, value] : keys) file.WriteString(name, key, value);
  update.Commit();

  std::string infoFolder = ModInfoFolder(GameFolder(), mod);
  if (!infoFolder.empty()) {
    try {
      WriteModInfo(IncludeTrailingBackslash(infoFolder) + ModInfoFileName,
                   TModInfo{name, DescriptionEdit->Text(), LogoValue, ParametersCombo->Text(), WebSiteEdit->Text()});
    } catch (const std::exception&) {
      // The entry is written; a folder that cannot take the file keeps none.
    }
  }
  if (!Trim(mod).empty() && !ModInfoFolder(GameFolder(), mod).empty()) {
    try {
      AddToOwnModList(FFiles.AppDir, GameCombo->Text(), mod);
    } catch (const std::exception&) {
      // A modlist folder that cannot be made leaves the own list as it was.
    }
  }
  return true;
}
