// TSettingsDialog's "Modlist editor" page: each game's own mod list, the file
// "modlist\<game key>.txt" below the launcher, one mod folder name a line.
#include "SettingsDialog.h"

#include "CommonDialogs.h"
#include "ControlMaking.h"
#include "Dialogs.h"
#include "FileUtils.h"
#include "KnownMods.h"
#include "Streams.h"
#include "ModlistFolderPicker.h"

using namespace ctrl;

namespace {
constexpr char kAlreadyExists[] = "Modification directory is already exists";
constexpr char kAddPrompt[] = "add modification directory name (example cstrike)";
constexpr char kModifyPrompt[] = "Modify modification directory name";
constexpr char kAddDirsHint[] = "Add modification directory names";
constexpr uint16_t kDeleteKey = VK_DELETE;

// "modlist\\" below the launcher, made when missing.
void MakeModListFolder(const std::string& appDir) {
  const std::string dir = appDir + "modlist\\";
  if (!DirectoryExists(dir) && !CreateDirectoryA(dir.c_str(), nullptr)) throw EFCreateError(dir);
}
}  // namespace

void TSettingsDialog::BuildModlistPage() {
  Text(ModlistEditor, this, 8, 8, 150, "Games:");
  ModListGameList = Place<TListBox>(ModlistEditor, this, 8, 26, 150, 304);
  Text(ModlistEditor, this, 166, 8, 200, "Modification directories:");
  ModFolderList = Place<TListBox>(ModlistEditor, this, 166, 26, 370, 270);
  ModFolderList->Columns = 3;
  ModFolderList->MultiSelect = true;
  AddModFoldersButton = Button(ModlistEditor, this, 166, 304, 88, "Add dirs...", kAddDirsHint);
  AddModFolderButton = Button(ModlistEditor, this, 260, 304, 88, "Add", kAddPrompt);
  ModifyModFolderButton = Button(ModlistEditor, this, 354, 304, 88, "Modify", kModifyPrompt);
  RemoveModFolderButton = Button(ModlistEditor, this, 448, 304, 88, "Remove", "Remove modification directory name");

  ModFolderMenu = new TPopupMenu(this);
  const std::pair<TMenuItem**, const char*> items[] = {{&AddDirsItem, "Add modification directories"},
                                                       {&AddDirItem, "Add modification directory"},
                                                       {&ModifyDirItem, "Modify modification directory"},
                                                       {&RemoveDirItem, "Remove modification directory"}};
  for (auto [item, caption] : items) {
    *item = new TMenuItem(this);
    (*item)->Caption = caption;
    ModFolderMenu->Items()->Add(*item);
  }
  ModFolderList->PopupMenu = ModFolderMenu;
  ModFolderMenu->OnPopup = [this](TComponent* s) { ModFolderMenuPopup(s); };

  ModlistEditor->OnShow = [this](TComponent* s) { ModlistEditorShow(s); };
  ModListGameList->OnClick = [this](TComponent* s) { ModListGameListClick(s); };
  AddModFoldersButton->OnClick = AddDirsItem->OnClick = [this](TComponent* s) { AddModFoldersButtonClick(s); };
  AddModFolderButton->OnClick = AddDirItem->OnClick = [this](TComponent* s) { AddModFolderButtonClick(s); };
  ModifyModFolderButton->OnClick = ModifyDirItem->OnClick = ModFolderList->OnDblClick = [this](TComponent* s) {
    ModifyModFolderButtonClick(s);
  };
  RemoveModFolderButton->OnClick = RemoveDirItem->OnClick = [this](TComponent* s) { RemoveModFolderButtonClick(s); };
  ModFolderList->OnKeyDown = [this](TComponent* s, uint16_t& key, TShiftState shift) {
    ModFolderListKeyDown(s, key, shift);
  };
}

void TSettingsDialog::ModlistEditorShow(TComponent*) {
  std::string selected = ModListGameList->ItemIndex() >= 0 ? ModListGameList->Items[ModListGameList->ItemIndex()] : "";
  ModListGameList->Items.Assign(GameList->Items.ToStringList());
  if (ModListGameList->Items.Count() == 0) return;
  int keep = ModListGameList->Items.IndexOf(selected);
  ModListGameList->SetItemIndex(keep >= 0 ? keep : 0);
  ModListGameListClick(ModListGameList);
}

void TSettingsDialog::ModListGameListClick(TComponent*) {
  if (ModListGameList->ItemIndex() < 0) return;
  const std::string file = ModListFile(ModListGameList->Items[ModListGameList->ItemIndex()]);
  // A list that cannot be read whole is shown empty and cannot be changed:
  // a save would replace it by what was added.
  std::string error;
  try {
    FModListText = FileExists(file) ? ReadGameText(file) : TGameText{};
  } catch (const Exception& e) {
    FModListText = TGameText{};
    error = e.Message();
  }
  FModListOpen = error.empty();
  TStringList lines;
  for (const std::string& line : FModListText.Lines) lines.Add(line);
  ModFolderList->Items.Assign(lines);
  const std::string folder = GameFolder(ModListGameList->Items[ModListGameList->ItemIndex()]);
  bool located = FModListOpen && !folder.empty() && DirectoryExists(folder);
  AddModFoldersButton->SetEnabled(located);
  AddDirsItem->Enabled = located;
  for (TControl* c : std::initializer_list<TControl*>{ModFolderList, AddModFolderButton, ModifyModFolderButton,
                                                      RemoveModFolderButton})
    c->SetEnabled(FModListOpen);
  if (!error.empty()) MessageDlg(error, mtError, mbOK);
}

void TSettingsDialog::SaveModList() {
  if (ModListGameList->ItemIndex() < 0 || !FModListOpen) return;
  MakeModListFolder(Host.AppDir);
  std::vector<std::string> lines;
  for (int i = 0; i < ModFolderList->Items.Count(); ++i) lines.push_back(ModFolderList->Items[i]);
  FModListText = WithLines(FModListText, std::move(lines));
  WriteGameText(ModListFile(ModListGameList->Items[ModListGameList->ItemIndex()]), FModListText);
}

void TSettingsDialog::AddFolderToModList(const std::string& gameKey, const std::string& folder) {
  const std::string file = ModListFile(gameKey);
  TGameText text = FileExists(file) ? ReadGameText(file) : TGameText{};
  if (HasLineNoCase(text.Lines, folder)) return;
  MakeModListFolder(Host.AppDir);
  text.Lines.push_back(folder);
  WriteGameText(file, text);
}

bool TSettingsDialog::AskModName(const std::string& caption, const std::string& prompt, std::string& name) {
  if (!InputQuery(caption, prompt, name)) return false;
  name = Trim(name);
  return true;
}

// A typed name that is listed, names a folder elsewhere (a path part or
// "..") or is a known mod is refused with a message; true when it may go in.
static bool AcceptModName(const TListBox& list, const std::string& name, bool& save) {
  save = false;
  if (list.Items.IndexOf(name) >= 0) {
    MessageDlg(kAlreadyExists, mtInformation, mbOK);
    return false;
  }
  if (name.empty()) return false;
  if (!IsPlainFileName(name)) {
    MessageDlg("\"" + name + "\" is not a folder name of the game's folder.", mtWarning, mbOK);
    return false;
  }
  save = true;
  if (IsKnownMod(name)) {
    MessageDlg(kAlreadyExists, mtInformation, mbOK);
    return false;
  }
  return true;
}

void TSettingsDialog::AddModFolderButtonClick(TComponent*) {
  if (ModListGameList->ItemIndex() < 0) return;
  std::string name;
  if (!AskModName("Add", kAddPrompt, name)) return;
  bool save;
  if (AcceptModName(*ModFolderList, name, save)) ModFolderList->Items.Add(name);
  if (save) SaveModList();
}

void TSettingsDialog::AddModFoldersButtonClick(TComponent*) {
  if (ModListGameList->ItemIndex() < 0) return;
  const std::string folder = GameFolder(ModListGameList->Items[ModListGameList->ItemIndex()]);
  if (folder.empty() || !DirectoryExists(folder)) return;
  TModlistFolderPicker picker(nullptr, Handle());
  picker.ItemCheckList->Items.Clear();
  for (const std::string& name : SubFolders(*picker.FolderListBox, folder)) picker.ItemCheckList->Items.Add(name);
  picker.ShowModal();
  if (picker.Tag != 1) return;
  for (const std::string& name : picker.CheckedItems())
    if (ModFolderList->Items.IndexOf(name) < 0 && !IsKnownMod(name)) ModFolderList->Items.Add(name);
  SaveModList();
}

void TSettingsDialog::ModifyModFolderButtonClick(TComponent*) {
  if (ModListGameList->ItemIndex() < 0 || ModFolderList->SelCount() != 1) return;
  int index = -1;
  for (int i = 0; i < ModFolderList->Items.Count() && index < 0; ++i)
    if (ModFolderList->Selected(i)) index = i;
  std::string name = ModFolderList->Items[index];
  if (!AskModName("Modify", kModifyPrompt, name)) return;
  bool save;
  if (AcceptModName(*ModFolderList, name, save)) {
    ModFolderList->Items.Delete(index);
    ModFolderList->Items.Insert(index, name);
  }
  if (save) SaveModList();
}

void TSettingsDialog::RemoveModFolderButtonClick(TComponent*) {
  if (ModListGameList->ItemIndex() < 0 || ModFolderList->SelCount() < 1) return;
  if (MessageDlg("Confirm remove?", mtConfirmation, mbYesNo) != mrYes) return;
  for (int i = ModFolderList->Items.Count() - 1; i >= 0; --i)
    if (ModFolderList->Selected(i)) ModFolderList->Items.Delete(i);
  SaveModList();
}

void TSettingsDialog::ModFolderListKeyDown(TComponent* sender, uint16_t& key, TShiftState) {
  if (key == kDeleteKey) RemoveModFolderButtonClick(sender);
}

void TSettingsDialog::ModFolderMenuPopup(TComponent*) {
  bool game = ModListGameList->ItemIndex() >= 0 && FModListOpen;
  AddDirItem->Enabled = ModifyDirItem->Enabled = RemoveDirItem->Enabled = game;
  AddDirsItem->Enabled = game && AddModFoldersButton->Enabled;
}
