// TSettingsDialog: what its tool pages share: the game folders and their
// sub-folders, the editors' memo lines, and the offer to save their edits.
#include "SettingsDialog.h"

#include "Dialogs.h"
#include "FileUtils.h"

std::vector<std::string> TSettingsDialog::SubFolders(TFileListBox& list, const std::string& folder) {
  list.FileType = ftDirectory;
  list.Directory = folder;
  list.Update();
  std::vector<std::string> names;
  for (int i = 0; i < list.Items.Count(); ++i) {
    std::string name = list.Items[i];
    if (name.size() > 2 && name.front() == '[' && name.back() == ']') name = name.substr(1, name.size() - 2);
    if (name != "." && name != "..") names.push_back(name);
  }
  return names;
}

std::string TSettingsDialog::GameFolder(const std::string& gameKey) const {
  return gameKey.empty() ? std::string() : Host.GamesIni->ReadString(gameKey, "Sijainti", "");
}

namespace {
std::string JoinLines(const std::vector<std::string>& lines) {
  std::string text;
  for (size_t i = 0; i < lines.size(); ++i) text += (i ? "\r\n" : "") + lines[i];
  return text;
}
}  // namespace

std::vector<std::string> TSettingsDialog::MemoLines(const TMemo& memo) {
  // A break at the end of the text is a last, empty line.
  const std::string text = memo.Text();
  std::vector<std::string> lines = SplitLines(text);
  if (!text.empty() && (text.back() == '\n' || text.back() == '\r')) lines.emplace_back();
  return lines;
}

void TSettingsDialog::SetMemoLines(TMemo& memo, const std::vector<std::string>& lines) {
  memo.SetText(JoinLines(lines));
}

std::vector<std::string> TSettingsDialog::EditedLines(const TMemo& memo, const TGameText& loaded) {
  return memo.Text() == JoinLines(loaded.Lines) ? loaded.Lines : MemoLines(memo);
}

bool TSettingsDialog::OpenInMemo(TMemo& memo, const std::string& file, TGameText& text) {
  text = TGameText{};
  std::string error;
  try {
    if (!file.empty() && FileExists(file)) text = ReadGameText(file);
    SetMemoLines(memo, text.Lines);
    if (memo.Text() != JoinLines(text.Lines))
      error = "Cannot edit " + file + ": it is too large for the editor. The file was left as it is.";
  } catch (const Exception& e) {
    error = e.Message();
  }
  if (error.empty()) return true;
  // Nothing of the file, nor of the file shown before, stays to be saved.
  text = TGameText{};
  memo.SetText("");
  memo.SetEnabled(false);
  MessageDlg(error, mtError, mbOK);
  return false;
}

bool TSettingsDialog::OfferToSaveEditors() {
  struct TEditor {
    bool& Dirty;
    const std::string& File;
    std::function<void()> Save;
  };
  const TEditor editors[] = {{FConfigDirty, FConfigFile, [this] { SaveConfig(); }},
                             {FMapCycleDirty, FMapCycleFile, [this] { SaveMapCycle(); }},
                             {FLiblistDirty, FLiblistFile, [this] { SaveLiblistButtonClick(SaveLiblistButton); }}};
  for (const TEditor& e : editors) {
    if (!e.Dirty || e.File.empty()) continue;
    int answer = MessageDlg("Save changes to " + e.File + "?", mtConfirmation, mbYesNoCancel);
    if (answer == mrCancel) return false;
    if (answer == mrYes) e.Save();
    e.Dirty = false;
  }
  return true;
}
