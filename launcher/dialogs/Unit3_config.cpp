// TForm3's "Config manager" page: the *.cfg files of a located game's mod
// folders, binds in the game's syntax and the key map made from them.
#include "Unit3.h"

#include <algorithm>

#include "Binds.h"
#include "CommonDialogs.h"
#include "Dialogs.h"
#include "FileUtils.h"
#include "Unit10.h"
#include "Unit3_place.h"

using namespace settings_ui;

void TForm3::BuildConfigPage() {
  GamesLabel = Text(ConfigManager, this, 8, 8, 150, "Games:");
  C100 = Place<TComboBox>(ConfigManager, this, 8, 26, 150, 22);
  C100->Style = csDropDownList;
  ModsLabel = Text(ConfigManager, this, 8, 56, 150, "Mods:");
  La = Place<TListBox>(ConfigManager, this, 8, 74, 150, 256);
  CfgLabel = Text(ConfigManager, this, 166, 8, 200, "Cfg files:");
  Co = Place<TComboBox>(ConfigManager, this, 166, 26, 254, 22);
  Co->Style = csDropDownList;
  Memo1 = Place<TMemo>(ConfigManager, this, 166, 56, 254, 274);
  Memo1->WordWrap = false;
  Memo1->ScrollBars = ssBoth;
  const std::pair<TButton**, const char*> buttons[] = {{&SpeedButton16, "Save"},
                                                       {&SpeedButton24, "New config file"},
                                                       {&SpeedButton32, "Delete config file"},
                                                       {&SpeedButton17, "Add bind"},
                                                       {&SpeedButton18, "Create keymap"}};
  int top = 56;
  for (auto [button, caption] : buttons) {
    *button = Button(ConfigManager, this, 426, top, 110, caption, caption);
    top += 30;
  }
  SaveDialog1 = new TSaveDialog(this);
  SaveDialog1->Filter = "*.txt|*.txt";
  SaveDialog1->DefaultExt = "txt";
  SaveDialog1->Options = ofOverwritePrompt;

  ConfigManager->OnShow = [this](TComponent* s) { configmanagerShow(s); };
  C100->OnChange = [this](TComponent* s) { C100Change(s); };
  La->OnClick = [this](TComponent* s) { LaClick(s); };
  Co->OnChange = [this](TComponent* s) { CoChange(s); };
  Memo1->OnChange = [this](TComponent*) { FConfigDirty = !FConfigFile.empty(); };
  SpeedButton16->OnClick = [this](TComponent* s) { SpeedButton16Click(s); };
  SpeedButton24->OnClick = [this](TComponent* s) { SpeedButton24Click(s); };
  SpeedButton32->OnClick = [this](TComponent* s) { SpeedButton32Click(s); };
  SpeedButton17->OnClick = [this](TComponent* s) { SpeedButton17Click(s); };
  SpeedButton18->OnClick = [this](TComponent* s) { SpeedButton18Click(s); };
  Page->OnChanging = [this](TComponent*, bool& allow) { allow = OfferToSaveEditors(); };
  OnCloseQuery = [this](TComponent*, bool& canClose) { canClose = OfferToSaveEditors(); };
}

bool TForm3::OfferToSaveEditors() {
  struct TEditor {
    bool& Dirty;
    const std::string& File;
    std::function<void()> Save;
  };
  const TEditor editors[] = {{FConfigDirty, FConfigFile, [this] { SaveConfig(); }},
                             {FMapCycleDirty, FMapCycleFile, [this] { SaveMapCycle(); }},
                             {FLiblistDirty, FLiblistFile, [this] { SpeedButton19Click(SpeedButton19); }}};
  for (const TEditor& e : editors) {
    if (!e.Dirty || e.File.empty()) continue;
    int answer = MessageDlg("Save changes to " + e.File + "?", mtConfirmation, mbYesNoCancel);
    if (answer == mrCancel) return false;
    if (answer == mrYes) e.Save();
    e.Dirty = false;
  }
  return true;
}

std::string TForm3::ConfigFolder() const {
  if (C100->ItemIndex() < 0 || La->ItemIndex() < 0) return "";
  return IncludeTrailingBackslash(GameFolder(C100->Text())) + La->Items[La->ItemIndex()] + "\\";
}

void TForm3::SetConfigColors(bool editable) {
  Co->SetColor(editable ? clWindow : clBtnFace);
  Memo1->SetColor(editable ? clWindow : clBtnFace);
}

bool TForm3::LoadConfig(const std::string& file) {
  const bool open = OpenInMemo(*Memo1, file, FConfigText);
  FConfigFile = open ? file : "";
  FConfigDirty = false;
  return open;
}

void TForm3::configmanagerShow(TComponent*) {
  if (!OfferToSaveEditors()) return;
  std::vector<std::string> games;
  for (int i = 0; i < L1->Items.Count(); ++i) {
    const std::string folder = GameFolder(L1->Items[i]);
    if (!folder.empty() && DirectoryExists(folder)) games.push_back(L1->Items[i]);
  }
  std::sort(games.begin(), games.end(),
            [](const std::string& a, const std::string& b) { return LowerCase(a) < LowerCase(b); });
  C100->Items.Clear();
  for (const std::string& game : games) C100->Items.Add(game);
  SetConfigColors(false);
  LoadConfig("");
  const bool any = C100->Items.Count() > 0;
  for (TControl* c : std::initializer_list<TControl*>{C100, GamesLabel, ModsLabel, CfgLabel, La, Co, Memo1,
                                                      SpeedButton24, SpeedButton16, SpeedButton17, SpeedButton18})
    c->SetEnabled(any);
  if (!any) {
    C100->SetItemIndex(-1);
    return;
  }
  C100->SetItemIndex(0);
  C100Change(C100);
}

void TForm3::C100Change(TComponent*) {
  if (!OfferToSaveEditors()) return;
  const std::string folder = C100->ItemIndex() < 0 ? "" : GameFolder(C100->Text());
  La->Items.Clear();
  if (!folder.empty()) {
    TFileListBox FLB1(nullptr);
    for (const std::string& mod : SubFolders(FLB1, IncludeTrailingBackslash(folder))) La->Items.Add(mod);
  }
  LoadConfig("");
  Co->Items.Clear();
  const bool mods = La->Items.Count() > 0;
  ModsLabel->SetEnabled(mods);
  La->SetEnabled(mods);
  for (TControl* c : std::initializer_list<TControl*>{CfgLabel, Co, Memo1, SpeedButton16, SpeedButton24,
                                                      SpeedButton32, SpeedButton17, SpeedButton18})
    c->SetEnabled(false);
  SetConfigColors(false);
}

void TForm3::LaClick(TComponent*) {
  const std::string folder = ConfigFolder();
  if (folder.empty() || !OfferToSaveEditors()) return;
  TFileListBox LD(nullptr);
  LD.Mask = "*.cfg";
  LD.Directory = folder;
  LD.Update();
  Co->Items.Assign(LD.Items);
  const bool any = Co->Items.Count() > 0;
  for (TControl* c : std::initializer_list<TControl*>{CfgLabel, Co, Memo1, SpeedButton16, SpeedButton32,
                                                      SpeedButton17, SpeedButton18})
    c->SetEnabled(any);
  SpeedButton24->SetEnabled(true);
  SetConfigColors(any);
  if (!any) {
    LoadConfig("");
    return;
  }
  int config = Co->Items.IndexOf("config.cfg");
  Co->SetItemIndex(config >= 0 ? config : 0);
  CoChange(Co);
}

void TForm3::CoChange(TComponent*) {
  const std::string file = Co->ItemIndex() < 0 ? "" : ConfigFolder() + Co->Items[Co->ItemIndex()];
  if (file == FConfigFile && !file.empty()) return;
  if (!OfferToSaveEditors()) {
    Co->SetItemIndex(Co->Items.IndexOf(ExtractFileName(FConfigFile)));
    return;
  }
  const bool open = LoadConfig(file) && !file.empty();
  for (TControl* c : std::initializer_list<TControl*>{Memo1, SpeedButton16, SpeedButton17, SpeedButton18})
    c->SetEnabled(open);
  SpeedButton24->SetEnabled(!file.empty());
  SetConfigColors(open);
}

void TForm3::SaveConfig() {
  if (FConfigFile.empty()) return;
  FConfigText = WithLines(FConfigText, EditedLines(*Memo1, FConfigText));
  WriteGameText(FConfigFile, FConfigText);
  FConfigDirty = false;
}

void TForm3::SpeedButton16Click(TComponent*) { SaveConfig(); }

void TForm3::SpeedButton24Click(TComponent*) {
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
  if (!name.empty() && Co->Items.IndexOf(file) < 0 && !FileExists(folder + file))
    WriteGameText(folder + file, TGameText{});
  LaClick(La);
  int index = Co->Items.IndexOf(file);
  if (index < 0) return;
  Co->SetItemIndex(index);
  CoChange(Co);
}

void TForm3::SpeedButton32Click(TComponent*) {
  if (Co->ItemIndex() < 0 || La->ItemIndex() < 0) return;
  const std::string name = Co->Items[Co->ItemIndex()];
  const std::string mod = La->Items[La->ItemIndex()];
  if (!IsPlainFileName(name) || !IsPlainFileName(mod)) return;
  if (MessageDlg("Confirm delete " + GameFolder(C100->Text()) + "\\" + mod + "\\" + name + " file ?",
                 mtConfirmation, mbYesNo) != mrYes)
    return;
  DeleteFileA((ConfigFolder() + name).c_str());
  FConfigFile.clear();
  FConfigDirty = false;
  LaClick(La);
}

void TForm3::SpeedButton17Click(TComponent*) {
  TForm10 form(nullptr, Handle());
  form.ShowModal();
  if (form.Tag != 1) return;
  std::vector<std::string> lines = MemoLines(*Memo1);
  lines.push_back(BindLine(C100->Text(), form.Edit1->Text(), form.Edit2->Text()));
  SetMemoLines(*Memo1, lines);
}

void TForm3::SpeedButton18Click(TComponent*) {
  if (!SaveDialog1->Execute()) return;
  WriteGameText(SaveDialog1->FileName, WithLines(TGameText{}, KeymapLines(MemoLines(*Memo1))));
}
