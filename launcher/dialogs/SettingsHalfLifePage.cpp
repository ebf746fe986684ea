// TSettingsDialog's "Half-Life manager" page: the mods of the Half-Life folder and the
// map cycle editor of the chosen mod's mapcycle.txt.
#include "SettingsDialog.h"

#include "CommonDialogs.h"
#include "ControlMaking.h"
#include "Dialogs.h"
#include "FileUtils.h"
#include "PakExplr.h"
#include "MapPicker.h"

using namespace ctrl;

namespace {
constexpr char kMapCycle[] = "mapcycle.txt";
constexpr char kLiblist[] = "liblist.gam";
constexpr int kMapExtensionLength = 4;  // ".bsp"

std::string CutExtension(const std::string& name) {
  return name.size() > kMapExtensionLength ? name.substr(0, name.size() - kMapExtensionLength) : std::string();
}
}  // namespace

void TSettingsDialog::BuildHalfLifePage() {
  Text(HalfLifeManager, this, 8, 8, 150, "Half-Life modifications:");
  HalfLifeModList = Place<TListBox>(HalfLifeManager, this, 8, 26, 150, 304);
  HalfLifeEditorPages = Place<TPageControl>(HalfLifeManager, this, 166, 4, 372, 328);
  Mapcycle = new TTabSheet(this);
  Mapcycle->SetCaption("Mapcycle editor");
  Mapcycle->SetPageControl(HalfLifeEditorPages);
  Liblist = new TTabSheet(this);
  Liblist->SetCaption("Liblist editor");
  Liblist->SetPageControl(HalfLifeEditorPages);

  MapCycleMemo = Place<TMemo>(Mapcycle, this, 4, 4, 236, 290);
  MapCycleMemo->WordWrap = false;
  MapCycleMemo->ScrollBars = ssBoth;
  const std::pair<TButton**, const char*> buttons[] = {{&SaveMapCycleButton, "Save"},
                                                       {&SelectMapsButton, "Select maps"},
                                                       {&SmartAddButton, "Smart add"},
                                                       {&AddAllMapsButton, "Add all maps"},
                                                       {&RandomizeMapsButton, "Randomize maps"},
                                                       {&ClearMapCycleButton, "Clear mapcycle"}};
  int top = 4;
  for (auto [button, caption] : buttons) {
    *button = Button(Mapcycle, this, 246, top, 114, caption, caption);
    top += 30;
  }
  MapCountLabel = Text(Mapcycle, this, 246, top + 6, 114, "0 maps");
  BuildLiblistPage();

  HalfLifeManager->OnShow = [this](TComponent* s) { HalfLifeManagerShow(s); };
  HalfLifeModList->OnClick = [this](TComponent* s) { HalfLifeModListClick(s); };
  SaveMapCycleButton->OnClick = [this](TComponent* s) { SaveMapCycleButtonClick(s); };
  SelectMapsButton->OnClick = [this](TComponent* s) { SelectMapsButtonClick(s); };
  SmartAddButton->OnClick = [this](TComponent* s) { SmartAddButtonClick(s); };
  AddAllMapsButton->OnClick = [this](TComponent* s) { AddAllMapsButtonClick(s); };
  RandomizeMapsButton->OnClick = [this](TComponent* s) { RandomizeMapsButtonClick(s); };
  ClearMapCycleButton->OnClick = [this](TComponent* s) { ClearMapCycleButtonClick(s); };
  MapCycleMemo->OnChange = [this](TComponent* s) {
    if (!FFilling) FMapCycleDirty = true;
    MapCycleMemoChange(s);
  };
}

std::string TSettingsDialog::SelectedHalfLifeMod() const {
  if (HalfLifeModList->ItemIndex() < 0) return "";
  std::string folder = GameFolder("half-life");
  return folder.empty()
             ? ""
             : IncludeTrailingBackslash(folder) + HalfLifeModList->Items[HalfLifeModList->ItemIndex()] + "\\";
}

void TSettingsDialog::HalfLifeManagerShow(TComponent*) {
  FFilling = true;
  LiblistKeyCombo->SetItemIndex(0);
  LiblistValueEdit->SetText("");
  MapCycleMemo->SetText("");
  LiblistMemo->SetText("");
  FMapCycleDirty = FLiblistDirty = false;
  FLoadedMod = FMapCycleFile = FLiblistFile = "";
  for (TControl* c : std::initializer_list<TControl*>{
           MapCycleMemo, LiblistMemo, SaveMapCycleButton, SelectMapsButton, SmartAddButton, AddAllMapsButton,
           RandomizeMapsButton, ClearMapCycleButton, LiblistKeyCombo, LiblistValueEdit, SaveLiblistButton})
    c->SetEnabled(true);
  HalfLifeEditorPages->SetActivePage(Mapcycle);
  HalfLifeModList->Items.Clear();
  std::string folder = GameFolder("half-life");
  if (!folder.empty()) {
    TFileListBox folderList(nullptr);
    for (const std::string& mod : SubFolders(folderList, IncludeTrailingBackslash(folder)))
      HalfLifeModList->Items.Add(mod);
  }
  MapCycleMemoChange(MapCycleMemo);
  FFilling = false;
}

void TSettingsDialog::HalfLifeModListClick(TComponent*) {
  const std::string mod = SelectedHalfLifeMod();
  if (mod.empty() || mod == FLoadedMod) return;
  if (!OfferToSaveEditors()) {
    const std::string loaded = FLoadedMod.empty() ? "" : FLoadedMod.substr(0, FLoadedMod.size() - 1);
    HalfLifeModList->SetItemIndex(loaded.empty() ? -1 : HalfLifeModList->Items.IndexOf(ExtractFileName(loaded)));
    return;
  }
  FFilling = true;
  struct TEndFilling {
    bool& Filling;
    ~TEndFilling() { Filling = false; }
  } endFilling{FFilling};
  // A file that cannot be opened leaves its editor empty, without a file to
  // save to; choosing the mod again tries once more.
  FMapCycleFile = FLiblistFile = FLoadedMod = "";
  const bool cycle = OpenInMemo(*MapCycleMemo, mod + kMapCycle, FMapCycleText);
  const bool liblist = OpenInMemo(*LiblistMemo, mod + kLiblist, FLiblistText);
  if (cycle) FMapCycleFile = mod + kMapCycle;
  if (liblist) FLiblistFile = mod + kLiblist;
  if (cycle && liblist) FLoadedMod = mod;
  for (TControl* c :
       std::initializer_list<TControl*>{MapCycleMemo, SaveMapCycleButton, SelectMapsButton, SmartAddButton,
                                        AddAllMapsButton, RandomizeMapsButton, ClearMapCycleButton})
    c->SetEnabled(cycle);
  for (TControl* c :
       std::initializer_list<TControl*>{LiblistMemo, LiblistKeyCombo, LiblistValueEdit, SaveLiblistButton})
    c->SetEnabled(liblist);
  FMapCycleDirty = FLiblistDirty = false;
  MapCycleMemoChange(MapCycleMemo);
  LiblistKeyComboChange(LiblistKeyCombo);
}

void TSettingsDialog::SaveMapCycle() {
  if (FMapCycleFile.empty()) return;
  FMapCycleText = WithLines(FMapCycleText, EditedLines(*MapCycleMemo, FMapCycleText));
  WriteGameText(FMapCycleFile, FMapCycleText);
  FMapCycleDirty = false;
}

void TSettingsDialog::SaveMapCycleButtonClick(TComponent*) { SaveMapCycle(); }

void TSettingsDialog::GatherMaps(TMapPicker& maps) {
  const std::string mod = SelectedHalfLifeMod();
  maps.ItemCheckList->Items.Clear();
  auto add = [&](const std::string& name) {
    if (!name.empty() && maps.ItemCheckList->Items.IndexOf(name) < 0) maps.ItemCheckList->Items.Add(name);
  };
  maps.MapFileList->FileType = ftNormal;
  maps.MapFileList->Mask = "*.pak";
  maps.MapFileList->Directory = mod;
  maps.MapFileList->Update();
  try {
    TPakExplr pak(nullptr);
    pak.ResourceType = ptMaps;
    for (int i = 0; i < maps.MapFileList->Items.Count(); ++i) {
      pak.PakFile = mod + maps.MapFileList->Items[i];
      if (!pak.Explore()) continue;
      maps.PackageMapList->Items.Assign(pak.ResourceList());
      for (int k = 0; k < maps.PackageMapList->Items.Count(); ++k) add(CutExtension(maps.PackageMapList->Items[k]));
    }
  } catch (const std::exception&) {
    // An unreadable archive ends the archives' part; its maps so far stay.
  }
  maps.MapFileList->Mask = "*.bsp";
  maps.MapFileList->Directory = mod + "maps\\";
  maps.MapFileList->Update();
  for (int i = 0; i < maps.MapFileList->Items.Count(); ++i) add(CutExtension(maps.MapFileList->Items[i]));
}

void TSettingsDialog::AppendMissingMaps(const std::vector<std::string>& maps, const std::string& containing) {
  std::vector<std::string> lines = MemoLines(*MapCycleMemo);
  const size_t before = lines.size();
  const std::string part = LowerCase(containing);
  for (const std::string& map : maps)
    if (!HasLineNoCase(lines, map) && LowerCase(map).find(part) != std::string::npos) lines.push_back(map);
  if (lines.size() != before) SetMemoLines(*MapCycleMemo, lines);
}

void TSettingsDialog::AddAllMapsButtonClick(TComponent*) {
  if (SelectedHalfLifeMod().empty()) return;
  TMapPicker picker(nullptr, Handle());
  GatherMaps(picker);
  AppendMissingMaps(picker.ItemCheckList->Items.ToStringList().Items());
  MapCycleMemoChange(MapCycleMemo);
}

void TSettingsDialog::SelectMapsButtonClick(TComponent*) {
  if (SelectedHalfLifeMod().empty()) return;
  TMapPicker picker(nullptr, Handle());
  GatherMaps(picker);
  picker.ShowModal();
  if (picker.Tag == 1) AppendMissingMaps(picker.CheckedItems());
  MapCycleMemoChange(MapCycleMemo);
}

void TSettingsDialog::SmartAddButtonClick(TComponent*) {
  if (SelectedHalfLifeMod().empty()) return;
  std::string part;
  bool ok = InputQuery("Smart add", "Type in the part of the map name?", part);
  part = Trim(part);
  if (ok && !part.empty()) {
    TMapPicker picker(nullptr, Handle());
    GatherMaps(picker);
    AppendMissingMaps(picker.ItemCheckList->Items.ToStringList().Items(), part);
  }
  MapCycleMemoChange(MapCycleMemo);
}

void TSettingsDialog::RandomizeMapsButtonClick(TComponent*) {
  std::vector<std::string> lines = MemoLines(*MapCycleMemo);
  if (lines.empty()) return;
  ShuffleLines(lines, [this](int below) { return int(std::uniform_int_distribution<int>(0, below - 1)(FRandom)); });
  SetMemoLines(*MapCycleMemo, lines);
}

void TSettingsDialog::ClearMapCycleButtonClick(TComponent*) {
  if (!SelectedHalfLifeMod().empty() && MessageDlg("Confirm clear mapcycle?", mtConfirmation, mbYesNo) == mrYes) {
    MapCycleMemo->SetText("");
    SaveMapCycle();
  }
  MapCycleMemoChange(MapCycleMemo);
}

void TSettingsDialog::MapCycleMemoChange(TComponent*) {
  MapCountLabel->SetCaption(std::to_string(CountMaps(MemoLines(*MapCycleMemo))) + " maps");
}
