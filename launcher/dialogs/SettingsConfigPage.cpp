// TSettingsDialog's "Config manager" page: the *.cfg files of a located game's mod
// folders, binds in the game's syntax and the key map made from them.
#include "SettingsDialog.h"

#include <algorithm>

#include "Binds.h"
#include "CommonDialogs.h"
#include "ControlMaking.h"
#include "Dialogs.h"
#include "FileUtils.h"
#include "AddBindDialog.h"

using namespace ctrl;

void TSettingsDialog::BuildConfigPage() {
  ConfigGamesLabel = Text(ConfigManager, this, 8, 8, 150, "Games:");
  ConfigGameCombo = Place<TComboBox>(ConfigManager, this, 8, 26, 150, 22);
  ConfigGameCombo->Style = csDropDownList;
  ConfigModsLabel = Text(ConfigManager, this, 8, 56, 150, "Mods:");
  ConfigModFolderList = Place<TListBox>(ConfigManager, this, 8, 74, 150, 256);
  ConfigFilesLabel = Text(ConfigManager, this, 166, 8, 200, "Cfg files:");
  ConfigFileCombo = Place<TComboBox>(ConfigManager, this, 166, 26, 228, 22);
  ConfigFileCombo->Style = csDropDownList;
  ConfigMemo = Place<TMemo>(ConfigManager, this, 166, 56, 228, 274);
  ConfigMemo->WordWrap = false;
  ConfigMemo->ScrollBars = ssBoth;
  const std::pair<TButton**, const char*> buttons[] = {{&SaveConfigButton, "Save"},
                                                       {&NewConfigButton, "New config file"},
                                                       {&DeleteConfigButton, "Delete config file"},
                                                       {&AddBindButton, "Add bind"},
                                                       {&CreateKeymapButton, "Create keymap"}};
  int top = 56;
  // Wide enough for "Delete config file" also in a larger font.
  for (auto [button, caption] : buttons) {
    *button = Button(ConfigManager, this, 400, top, 136, caption, caption);
    top += 30;
  }
  SaveKeymapDialog = new TSaveDialog(this);
  SaveKeymapDialog->Filter = "*.txt|*.txt";
  SaveKeymapDialog->DefaultExt = "txt";
  SaveKeymapDialog->Options = ofOverwritePrompt;

  ConfigManager->OnShow = [this](TComponent* s) { ConfigManagerShow(s); };
  ConfigGameCombo->OnChange = [this](TComponent* s) { ConfigGameComboChange(s); };
  ConfigModFolderList->OnClick = [this](TComponent* s) { ConfigModFolderListClick(s); };
  ConfigFileCombo->OnChange = [this](TComponent* s) { ConfigFileComboChange(s); };
  ConfigMemo->OnChange = [this](TComponent*) { FConfigDirty = !FConfigFile.empty(); };
  SaveConfigButton->OnClick = [this](TComponent* s) { SaveConfigButtonClick(s); };
  NewConfigButton->OnClick = [this](TComponent* s) { NewConfigButtonClick(s); };
  DeleteConfigButton->OnClick = [this](TComponent* s) { DeleteConfigButtonClick(s); };
  AddBindButton->OnClick = [this](TComponent* s) { AddBindButtonClick(s); };
  CreateKeymapButton->OnClick = [this](TComponent* s) { CreateKeymapButtonClick(s); };
}

std::string TSettingsDialog::ConfigFolder() const {
  if (ConfigGameCombo->ItemIndex() < 0 || ConfigModFolderList->ItemIndex() < 0) return "";
  return IncludeTrailingBackslash(GameFolder(ConfigGameCombo->Text())) +
         ConfigModFolderList->Items[ConfigModFolderList->ItemIndex()] + "\\";
}

void TSettingsDialog::SetConfigColors(bool editable) {
  ConfigFileCombo->SetColor(editable ? clWindow : clBtnFace);
  ConfigMemo->SetColor(editable ? clWindow : clBtnFace);
}

bool TSettingsDialog::LoadConfig(const std::string& file) {
  const bool open = OpenInMemo(*ConfigMemo, file, FConfigText);
  FConfigFile = open ? file : "";
  FConfigDirty = false;
  return open;
}

void TSettingsDialog::ConfigManagerShow(TComponent*) {
  if (!OfferToSaveEditors()) return;
  std::vector<std::string> games;
  for (int i = 0; i < GameList->Items.Count(); ++i) {
    const std::string folder = GameFolder(GameList->Items[i]);
    if (!folder.empty() && DirectoryExists(folder)) games.push_back(GameList->Items[i]);
  }
  std::sort(games.begin(), games.end(),
            [](const std::string& a, const std::string& b) { return LowerCase(a) < LowerCase(b); });
  ConfigGameCombo->Items.Clear();
  for (const std::string& game : games) ConfigGameCombo->Items.Add(game);
  SetConfigColors(false);
  LoadConfig("");
  const bool any = ConfigGameCombo->Items.Count() > 0;
  for (TControl* c : std::initializer_list<TControl*>{
           ConfigGameCombo, ConfigGamesLabel, ConfigModsLabel, ConfigFilesLabel, ConfigModFolderList, ConfigFileCombo,
           ConfigMemo, NewConfigButton, SaveConfigButton, AddBindButton, CreateKeymapButton})
    c->SetEnabled(any);
  if (!any) {
    ConfigGameCombo->SetItemIndex(-1);
    return;
  }
  ConfigGameCombo->SetItemIndex(0);
  ConfigGameComboChange(ConfigGameCombo);
}

void TSettingsDialog::ConfigGameComboChange(TComponent*) {
  if (!OfferToSaveEditors()) return;
  const std::string folder = ConfigGameCombo->ItemIndex() < 0 ? "" : GameFolder(ConfigGameCombo->Text());
  ConfigModFolderList->Items.Clear();
  if (!folder.empty()) {
    TFileListBox folderList(nullptr);
    for (const std::string& mod : SubFolders(folderList, IncludeTrailingBackslash(folder)))
      ConfigModFolderList->Items.Add(mod);
  }
  LoadConfig("");
  ConfigFileCombo->Items.Clear();
  const bool mods = ConfigModFolderList->Items.Count() > 0;
  ConfigModsLabel->SetEnabled(mods);
  ConfigModFolderList->SetEnabled(mods);
  for (TControl* c :
       std::initializer_list<TControl*>{ConfigFilesLabel, ConfigFileCombo, ConfigMemo, SaveConfigButton,
                                        NewConfigButton, DeleteConfigButton, AddBindButton, CreateKeymapButton})
    c->SetEnabled(false);
  SetConfigColors(false);
}

void TSettingsDialog::ConfigModFolderListClick(TComponent*) {
  const std::string folder = ConfigFolder();
  if (folder.empty() || !OfferToSaveEditors()) return;
  TFileListBox cfgFiles(nullptr);
  cfgFiles.Mask = "*.cfg";
  cfgFiles.Directory = folder;
  cfgFiles.Update();
  ConfigFileCombo->Items.Assign(cfgFiles.Items);
  const bool any = ConfigFileCombo->Items.Count() > 0;
  for (TControl* c : std::initializer_list<TControl*>{ConfigFilesLabel, ConfigFileCombo, ConfigMemo, SaveConfigButton,
                                                      DeleteConfigButton, AddBindButton, CreateKeymapButton})
    c->SetEnabled(any);
  NewConfigButton->SetEnabled(true);
  SetConfigColors(any);
  if (!any) {
    LoadConfig("");
    return;
  }
  int config = ConfigFileCombo->Items.IndexOf("config.cfg");
  ConfigFileCombo->SetItemIndex(config >= 0 ? config : 0);
  ConfigFileComboChange(ConfigFileCombo);
}

void TSettingsDialog::ConfigFileComboChange(TComponent*) {
  const std::string file =
      ConfigFileCombo->ItemIndex() < 0 ? "" : ConfigFolder() + ConfigFileCombo->Items[ConfigFileCombo->ItemIndex()];
  if (file == FConfigFile && !file.empty()) return;
  if (!OfferToSaveEditors()) {
    ConfigFileCombo->SetItemIndex(ConfigFileCombo->Items.IndexOf(ExtractFileName(FConfigFile)));
    return;
  }
  const bool open = LoadConfig(file) && !file.empty();
  for (TControl* c : std::initializer_list<TControl*>{ConfigMemo, SaveConfigButton, AddBindButton, CreateKeymapButton})
    c->SetEnabled(open);
  NewConfigButton->SetEnabled(!file.empty());
  SetConfigColors(open);
}

void TSettingsDialog::SaveConfig() {
  if (FConfigFile.empty()) return;
  FConfigText = WithLines(FConfigText, EditedLines(*ConfigMemo, FConfigText));
  WriteGameText(FConfigFile, FConfigText);
  FConfigDirty = false;
}

void TSettingsDialog::SaveConfigButtonClick(TComponent*) { SaveConfig(); }

void TSettingsDialog::NewConfigButtonClick(TComponent*) {
  const std::string folder = ConfigFolder();
  if (folder.empty() || !OfferToSaveEditors()) return;
  std::string name;
  if (!InputQuery("New config file", "Type config filename without extension (.cfg)", name)) return;
  name = Trim(name);
  if (!name.empty() && !IsPlainFileName(name)) {
    MessageDlg("\"" + name + "\" is not a file name of the mod's folder.", mtWarning, mbOK);
    return;
  }
  const std::string file = name + ".cfg";
  if (!name.empty() && ConfigFileCombo->Items.IndexOf(file) < 0 && !FileExists(folder + file))
    WriteGameText(folder + file, TGameText{});
  ConfigModFolderListClick(ConfigModFolderList);
  int index = ConfigFileCombo->Items.IndexOf(file);
  if (index < 0) return;
  ConfigFileCombo->SetItemIndex(index);
  ConfigFileComboChange(ConfigFileCombo);
}

void TSettingsDialog::DeleteConfigButtonClick(TComponent*) {
  if (ConfigFileCombo->ItemIndex() < 0 || ConfigModFolderList->ItemIndex() < 0) return;
  const std::string name = ConfigFileCombo->Items[ConfigFileCombo->ItemIndex()];
  const std::string mod = ConfigModFolderList->Items[ConfigModFolderList->ItemIndex()];
  if (!IsPlainFileName(name) || !IsPlainFileName(mod)) return;
  if (MessageDlg("Confirm delete " + GameFolder(ConfigGameCombo->Text()) + "\\" + mod + "\\" + name + " file ?",
                 mtConfirmation, mbYesNo) != mrYes)
    return;
  DeleteFileA((ConfigFolder() + name).c_str());
  FConfigFile.clear();
  FConfigDirty = false;
  ConfigModFolderListClick(ConfigModFolderList);
}

void TSettingsDialog::AddBindButtonClick(TComponent*) {
  TAddBindDialog form(nullptr, Handle());
  form.ShowModal();
  if (form.Tag != 1) return;
  std::vector<std::string> lines = MemoLines(*ConfigMemo);
  lines.push_back(BindLine(ConfigGameCombo->Text(), form.KeyEdit->Text(), form.CommandEdit->Text()));
  SetMemoLines(*ConfigMemo, lines);
}

void TSettingsDialog::CreateKeymapButtonClick(TComponent*) {
  if (!SaveKeymapDialog->Execute()) return;
  WriteGameText(SaveKeymapDialog->FileName, WithLines(TGameText{}, KeymapLines(MemoLines(*ConfigMemo))));
}
