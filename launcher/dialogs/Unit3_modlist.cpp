// TForm3's "Modlist editor" page: each game's own mod list, the file
// "modlist\<game key>.txt" below the launcher, one mod folder name a line.
#include "Unit3.h"

#include "CommonDialogs.h"
#include "Dialogs.h"
#include "FileUtils.h"
#include "KnownMods.h"
#include "Streams.h"
#include "Unit3_place.h"
#include "Unit8.h"

using namespace settings_ui;

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

void TForm3::BuildModlistPage() {
  Text(ModlistEditor, this, 8, 8, 150, "Games:");
  L3 = Place<TListBox>(ModlistEditor, this, 8, 26, 150, 304);
  Text(ModlistEditor, this, 166, 8, 200, "Modification directories:");
  Modit = Place<TListBox>(ModlistEditor, this, 166, 26, 370, 270);
  Modit->Columns = 3;
  Modit->MultiSelect = true;
  SpeedButton14 = Button(ModlistEditor, this, 166, 304, 88, "Add dirs...", kAddDirsHint);
  SpeedButton12 = Button(ModlistEditor, this, 260, 304, 88, "Add", kAddPrompt);
  SpeedButton15 = Button(ModlistEditor, this, 354, 304, 88, "Modify", kModifyPrompt);
  SpeedButton13 = Button(ModlistEditor, this, 448, 304, 88, "Remove", "Remove modification directory name");

  PopupMenu2 = new TPopupMenu(this);
  const std::pair<TMenuItem**, const char*> items[] = {{&AddDirsItem, "Add modification directories"},
                                                       {&AddDirItem, "Add modification directory"},
                                                       {&ModifyDirItem, "Modify modification directory"},
                                                       {&RemoveDirItem, "Remove modification directory"}};
  for (auto [item, caption] : items) {
    *item = new TMenuItem(this);
    (*item)->Caption = caption;
    PopupMenu2->Items()->Add(*item);
  }
  Modit->PopupMenu = PopupMenu2;
  PopupMenu2->OnPopup = [this](TComponent* s) { PopupMenu2Popup(s); };

  ModlistEditor->OnShow = [this](TComponent* s) { modlisteditorShow(s); };
  L3->OnClick = [this](TComponent* s) { L3Click(s); };
  SpeedButton14->OnClick = AddDirsItem->OnClick = [this](TComponent* s) { SpeedButton14Click(s); };
  SpeedButton12->OnClick = AddDirItem->OnClick = [this](TComponent* s) { SpeedButton12Click(s); };
  SpeedButton15->OnClick = ModifyDirItem->OnClick = Modit->OnDblClick = [this](TComponent* s) {
    SpeedButton15Click(s);
  };
  SpeedButton13->OnClick = RemoveDirItem->OnClick = [this](TComponent* s) { SpeedButton13Click(s); };
  Modit->OnKeyDown = [this](TComponent* s, uint16_t& key, TShiftState shift) { ModitKeyDown(s, key, shift); };
}

std::vector<std::string> TForm3::SubFolders(TFileListBox& list, const std::string& folder) {
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

std::string TForm3::GameFolder(const std::string& gameKey) const {
  return gameKey.empty() ? std::string() : Host.GamesIni->ReadString(gameKey, "Sijainti", "");
}

void TForm3::modlisteditorShow(TComponent*) {
  std::string selected = L3->ItemIndex() >= 0 ? L3->Items[L3->ItemIndex()] : "";
  L3->Items.Assign(L1->Items.ToStringList());
  if (L3->Items.Count() == 0) return;
  int keep = L3->Items.IndexOf(selected);
  L3->SetItemIndex(keep >= 0 ? keep : 0);
  L3Click(L3);
}

void TForm3::L3Click(TComponent*) {
  if (L3->ItemIndex() < 0) return;
  const std::string file = ModListFile(L3->Items[L3->ItemIndex()]);
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
  Modit->Items.Assign(lines);
  const std::string folder = GameFolder(L3->Items[L3->ItemIndex()]);
  bool located = FModListOpen && !folder.empty() && DirectoryExists(folder);
  SpeedButton14->SetEnabled(located);
  AddDirsItem->Enabled = located;
  for (TControl* c : std::initializer_list<TControl*>{Modit, SpeedButton12, SpeedButton15, SpeedButton13})
    c->SetEnabled(FModListOpen);
  if (!error.empty()) MessageDlg(error, mtError, mbOK);
}

void TForm3::SaveModList() {
  if (L3->ItemIndex() < 0 || !FModListOpen) return;
  MakeModListFolder(Host.AppDir);
  std::vector<std::string> lines;
  for (int i = 0; i < Modit->Items.Count(); ++i) lines.push_back(Modit->Items[i]);
  FModListText = WithLines(FModListText, std::move(lines));
  WriteGameText(ModListFile(L3->Items[L3->ItemIndex()]), FModListText);
}

void TForm3::lisaamod(const std::string& gameKey, const std::string& folder) {
  const std::string file = ModListFile(gameKey);
  TGameText text = FileExists(file) ? ReadGameText(file) : TGameText{};
  if (HasLineNoCase(text.Lines, folder)) return;
  MakeModListFolder(Host.AppDir);
  text.Lines.push_back(folder);
  WriteGameText(file, text);
}

bool TForm3::AskModName(const std::string& caption, const std::string& prompt, std::string& name) {
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

void TForm3::SpeedButton12Click(TComponent*) {
  if (L3->ItemIndex() < 0) return;
  std::string name;
  if (!AskModName("Add", kAddPrompt, name)) return;
  bool save;
  if (AcceptModName(*Modit, name, save)) Modit->Items.Add(name);
  if (save) SaveModList();
}

void TForm3::SpeedButton14Click(TComponent*) {
  if (L3->ItemIndex() < 0) return;
  const std::string folder = GameFolder(L3->Items[L3->ItemIndex()]);
  if (folder.empty() || !DirectoryExists(folder)) return;
  TForm8 picker(nullptr, Handle());
  picker.L1->Items.Clear();
  for (const std::string& name : SubFolders(*picker.F1, folder)) picker.L1->Items.Add(name);
  picker.ShowModal();
  if (picker.Tag != 1) return;
  for (const std::string& name : picker.CheckedItems())
    if (Modit->Items.IndexOf(name) < 0 && !IsKnownMod(name)) Modit->Items.Add(name);
  SaveModList();
}

void TForm3::SpeedButton15Click(TComponent*) {
  if (L3->ItemIndex() < 0 || Modit->SelCount() != 1) return;
  int index = -1;
  for (int i = 0; i < Modit->Items.Count() && index < 0; ++i)
    if (Modit->Selected(i)) index = i;
  std::string name = Modit->Items[index];
  if (!AskModName("Modify", kModifyPrompt, name)) return;
  bool save;
  if (AcceptModName(*Modit, name, save)) {
    Modit->Items.Delete(index);
    Modit->Items.Insert(index, name);
  }
  if (save) SaveModList();
}

void TForm3::SpeedButton13Click(TComponent*) {
  if (L3->ItemIndex() < 0 || Modit->SelCount() < 1) return;
  if (MessageDlg("Confirm remove?", mtConfirmation, mbYesNo) != mrYes) return;
  for (int i = Modit->Items.Count() - 1; i >= 0; --i)
    if (Modit->Selected(i)) Modit->Items.Delete(i);
  SaveModList();
}

void TForm3::ModitKeyDown(TComponent* sender, uint16_t& key, TShiftState) {
  if (key == kDeleteKey) SpeedButton13Click(sender);
}

void TForm3::PopupMenu2Popup(TComponent*) {
  bool game = L3->ItemIndex() >= 0 && FModListOpen;
  AddDirItem->Enabled = ModifyDirItem->Enabled = RemoveDirItem->Enabled = game;
  AddDirsItem->Enabled = game && SpeedButton14->Enabled;
}
