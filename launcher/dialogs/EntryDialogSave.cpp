// The entry dialog's OK: checking the name, writing the entry into the
// current entry file, the mod-info file and the game's own mod list.
// The class library's headers come before windows.h (its colour macros).
#include "EntryDialog.h"

#include <algorithm>

#include "Dialogs.h"
#include "EntryFile.h"
#include "FileUtils.h"
#include "ModDiscovery.h"
#include "Streams.h"
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
  const std::string& file = FFiles.ModIni.FileName();
  TEntrySet entries = ReadEntryFile(file);
  const bool renamed = !modify || !SameText(name, FormerName);
  if (renamed && entries.SectionExists(name)) {
    MessageDlg("Mod name exists", mtError, mbOK);
    return false;
  }
  auto isFormer = [&](const TEntry& e) { return modify && SameText(e.Name, FormerName); };
  TEntry former;
  for (const TEntry& e : entries.Entries())
    if (isFormer(e)) {
      former = e;
      break;
    }
  // The whole file is written anew, so a failure leaves the old one whole.
  entries.RemoveIf(isFormer);
  TEntry& entry = entries.Add(name);
  const std::string mod = ModFolderEdit->Text();
  // The logo as stored (a bare name of "Logos\") while it names the same file.
  const std::string storedLogo = former.Value("Bitmap");
  const bool hasCycle = std::any_of(former.Keys.begin(), former.Keys.end(),
                                    [](const auto& k) { return SameText(k.first, "randommapcycle"); });
  // The box is shown for the games that shuffle their map cycle; for the
  // others a stored choice stays as it was.
  std::string cycle = MapcycleCheckBox->Checked() ? "1" : "0";
  if (!MapcycleCheckBox->Visible()) cycle = hasCycle ? former.Value("randommapcycle") : "0";
  entry.Keys = {{"Mod", mod},
                {"Game", GameCombo->Text()},
                {"Param", ParametersCombo->Text()},
                {"Bitmap", LogoValue == LogoPath(storedLogo) ? storedLogo : LogoValue},
                {"Description", DescriptionEdit->Text()},
                {"Readme", ReadmeEdit->Text()},
                {"Config", ConfigEdit->Text()},
                {"Map", MapCombo->Text()},
                {"winmem", WinmemCombo->Text()},
                {"url", WebSiteEdit->Text()},
                {"randommapcycle", cycle}};
  // Keys that the dialog does not show stay with the entry.
  for (const auto& key : former.Keys)
    if (std::none_of(entry.Keys.begin(), entry.Keys.end(), [&](const auto& k) { return SameText(k.first, key.first); }))
      entry.Keys.push_back(key);
  std::string text = entries.Text();
  SaveFileAtomically(file, [&](TStream& s) { s.WriteString(text); });

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
