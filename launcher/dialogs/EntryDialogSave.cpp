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

namespace {
// An entry file is at most a few thousand short sections.
constexpr int64_t kMaxEntryFileSize = 16 * 1024 * 1024;

TEntrySet ReadEntryFile(const std::string& fileName) {
  if (!FileExists(fileName)) return TEntrySet();
  TFileStream f(fileName, fmOpenRead);
  int64_t size = f.Size();
  if (size > kMaxEntryFileSize) throw EInOutError("The entry file " + fileName + " is too large");
  std::string text(size_t(size), '\0');
  f.ReadBuffer(text.data(), size);
  return TEntrySet::FromText(text);
}
}  // namespace

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
  const std::string& file = FFiles.ModIni.FileName();
  TEntrySet old = ReadEntryFile(file);
  const bool renamed = Mode == emNew || !SameText(name, FormerName);
  if (renamed && old.SectionExists(name)) {
    MessageDlg("Mod name exists", mtError, mbOK);
    return false;
  }
  // The whole file is written anew, so a failure leaves the old one whole.
  TEntrySet entries;
  for (const TEntry& e : old.Entries())
    if (Mode == emNew || !SameText(e.Name, FormerName)) entries.Add(e.Name).Keys = e.Keys;
  TEntry& entry = entries.Add(name);
  const std::string mod = ModFolderEdit->Text();
  entry.Keys = {{"Mod", mod},
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
