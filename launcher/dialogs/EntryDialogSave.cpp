// The entry dialog's OK: checking the name, writing the entry into the
// current entry file, the mod-info file and the game's own mod list.
// The class library's headers come before windows.h (its colour macros).
#include "EntryDialog.h"

#include <utility>

#include "Dialogs.h"
#include "EntryFile.h"
#include "FileUtils.h"
#include "IniFiles.h"
#include "ModDiscovery.h"
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
  const std::string name = CapitalizeFirst(EntryName(NameEdit->Text(), ModFolderEdit->Text()));
  TIniFile& file = FFiles.ModIni;
  const bool renamed = Mode == emNew || !SameText(name, FormerName);
  if (renamed && file.SectionExists(name)) {
    MessageDlg("Mod name exists", mtError, mbOK);
    return false;
  }
  const std::string mod = ModFolderEdit->Text();
  const std::pair<const char*, std::string> keys[] = {
      {"Mod", mod},
      {"Game", GameCombo->Text()},
      {"Param", ParametersCombo->Text()},
      {"Bitmap", LogoValue},
      {"Description", DescriptionEdit->Text()},
      {"Readme", ReadmeEdit->Text()},
      {"Config", ConfigEdit->Text()},
      {"Map", MapCombo->Text()},
      {"winmem", WinmemCombo->Text()},
      {"url", WebSiteEdit->Text()},
      {"randommapcycle", MapcycleCheckBox->Checked() && MapcycleCheckBox->Visible() ? "1" : "0"}};
  // The entry takes the place of its former section in one write of the
  // file; a failure leaves the file as it was.
  TIniUpdate update(file);
  if (Mode == emModify) file.EraseSection(FormerName);
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
