// TMainWindow: the row menu, rebuilt for the row under the pointer on every
// popup, its entry commands (start, start with a map, the entry's files and
// web site) and the quick entries of the most started mods.
#include "MainWindow.h"

#include "CommonDialogs.h"
#include "Dialogs.h"
#include "GameRules.h"
#include "Shell.h"

namespace {
constexpr const char* kVisitPrefix = "Visit: ";
constexpr const char* kGotoPrefix = "Go to ";
constexpr const char* kQuickNames[20] = {"N11",  "N21",  "N31",  "N41",  "N51",  "N61",  "N71",
                                         "N81",  "N91",  "N101", "N111", "N121", "N131", "N141",
                                         "N151", "N161", "N171", "N181", "N191", "N201"};

// The text an item shows, without its prefix.
std::string AfterPrefix(const TMenuItem* item, const std::string& prefix) {
  const std::string text = StripHotkey(item->Caption);
  return text.size() > prefix.size() ? text.substr(prefix.size()) : std::string();
}

}  // namespace

TMenuItem* TMainWindow::AddItem(TMenuItem* parent, const std::string& name, const std::string& caption,
                           void (TMainWindow::*handler)(TComponent*)) {
  auto* item = new TMenuItem(this);
  item->Name = name;
  item->Caption = caption;
  if (handler) item->OnClick = [this, handler](TComponent* s) { (this->*handler)(s); };
  parent->Add(item);
  return item;
}

void TMainWindow::BuildMenus() {
  MenuImages = new TImageList(this);
  MenuImages->Name = "ImageList1";
  // Image 1 stands for a game without a logo.
  TBitmap unknown;
  if (LoadBitmapResource(unknown, "UNKNOWN")) {
    MenuImages->AddMasked(unknown, unknown.TransparentColor());
    MenuImages->AddMasked(unknown, unknown.TransparentColor());
  }
  RowMenu = new TBarPopupMenu(this);
  RowMenu->Name = "PopupMenu1";
  RowMenu->Alignment = paCenter;
  RowMenu->Images = MenuImages;
  RowMenu->OnPopup = [this](TComponent* s) { RowMenuPopup(s); };
  TMenuItem* root = RowMenu->Items();
  StartModItem = AddItem(root, "StartMod1", "Start Mod", &TMainWindow::StartModItemClick);
  StartModItem->Default = true;
  AddItem(root, "N2", "-");
  ModificationItem = AddItem(root, "Modification1", "Modification");
  ModifyItem = AddItem(ModificationItem, "Edit1", "Modify", &TMainWindow::ModifyButtonClick);
  RemoveItem = AddItem(ModificationItem, "Remove1", "Remove", &TMainWindow::RemoveButtonClick);
  AddToFavouritesItem = AddItem(ModificationItem, "Addtofavourites1", "Add to favourites  (Ctrl+F)",
                                &TMainWindow::AddToFavouritesItemClick);
  StartWithMapItem = AddItem(ModificationItem, "Startmap1", "Start with map");
  CustomMapItem = AddItem(StartWithMapItem, "Custom1", "Custom", &TMainWindow::CustomMapItemClick);
  AddItem(StartWithMapItem, "N38", "-");
  AddItem(ModificationItem, "N16", "-");
  ReadmeItem = AddItem(ModificationItem, "Readme1", "Mod Readme", &TMainWindow::ReadmeItemClick);
  ManualItem = AddItem(ModificationItem, "ModManual1", "Mod Manual", &TMainWindow::ManualItemClick);
  ConfigItem = AddItem(ModificationItem, "Config1", "Mod Config", &TMainWindow::ConfigItemClick);
  VisitItem = AddItem(ModificationItem, "Visit1", "Visit:", &TMainWindow::VisitItemClick);
  GoToItem = AddItem(ModificationItem, "Goto1", "Go to", &TMainWindow::GoToItemClick);
  GeneralItem = AddItem(root, "General1", "General");
  NewItem = AddItem(GeneralItem, "New1", "New  (Insert)", &TMainWindow::NewButtonClick);
  RemoveAllItem = AddItem(GeneralItem, "Removeall1", "Remove all  (Ctrl+Delete)", &TMainWindow::RemoveAllButtonClick);
  SettingsItem = AddItem(GeneralItem, "Options1", "Settings  (Ctrl+S)", &TMainWindow::SettingsButtonClick);
  EditorsItem = AddItem(GeneralItem, "Editors1", "Editors");
  ModlistEditorItem =
      AddItem(EditorsItem, "Modlisteditor1", "Modlist editor (Ctrl+1)", &TMainWindow::ModlistEditorItemClick);
  ConfigManagerItem =
      AddItem(EditorsItem, "Configeditor1", "Config manager (Ctrl+2)", &TMainWindow::ConfigManagerItemClick);
  HalfLifeManagerItem =
      AddItem(EditorsItem, "Halflifemanager1", "Half-Life manager (Ctrl+3)", &TMainWindow::HalfLifeManagerItemClick);
  HalfLifeLogoEditorItem = AddItem(EditorsItem, "HalfLifelogoeditor1", "Half-Life logo editor (Ctrl+4)",
                                   &TMainWindow::HalfLifeLogoEditorItemClick);
  SkinEditorItem = AddItem(EditorsItem, "Brannox2000skineditor1", "Brannox 2000 skin editor (Ctrl+5)",
                                   &TMainWindow::SkinEditorItemClick);
  FindGamesItem = AddItem(GeneralItem, "Findgamelocations1", "Find game locations (Shift+G)",
                               &TMainWindow::FindGamesItemClick);
  FindModsItem = AddItem(GeneralItem, "Findmodifications1", "Find modifications (Shift+F)",
                               &TMainWindow::FindModsItemClick);
  AboutItem = AddItem(GeneralItem, "Info1", "About  (A)", &TMainWindow::AboutButtonClick);
  CloseItem = AddItem(GeneralItem, "Close1", "Close  (Esc)", &TMainWindow::CloseButtonClick);
  ViewItem = AddItem(root, "View1", "View");
  AllModsItem = AddItem(ViewItem, "Allmodifications1", "All modifications", &TMainWindow::AllModsItemClick);
  FavouritesItem = AddItem(ViewItem, "favourites", "Favourites", &TMainWindow::FavouritesItemClick);
  AddItem(ViewItem, "N18", "-");
  AddItem(root, "N17", "-");
  MinimizeToTrayItem = AddItem(root, "MinimizetoTray1", "Minimize to sys.tray  (Ctrl+T)");
  MinimizeToTrayItem->OnClick = [this](TComponent*) { MinimizeToTrayItemClick(); };
  AddItem(root, "N4", "-");
  MostStartedItem = AddItem(root, "N3", "Most started mods", &TMainWindow::MostStartedItemClick);
  AddItem(root, "N5", "-");
  for (size_t k = 0; k < QuickMenuItems.size(); ++k) {
    QuickMenuItems[k] = AddItem(root, kQuickNames[k], "", &TMainWindow::QuickItemClick);
    QuickMenuItems[k]->Visible = false;
  }
  for (int k = 0; k < kRows; ++k) Labels[k]->PopupMenu = Icons[k]->PopupMenu = RowMenu;
}

std::string TMainWindow::SelectedEntry() const {
  const int index = TopIndex + SelectedRow;
  return SelectedRow >= 0 && index < EntryNames.Count() ? EntryNames[index] : std::string();
}

std::string TMainWindow::GameDir(const std::string& game) const { return GamesIni->ReadString(game, "Sijainti", ""); }

bool TMainWindow::GameFolderPresent(const std::string& game) const {
  const std::string dir = GameDir(game);
  return !dir.empty() && DirectoryExists(dir);
}

bool TMainWindow::HalfLifeEngineGamePresent() const {
  return AnyHalfLifeEngineGame([this](const std::string& game) { return GameFolderPresent(game); });
}

// The row of the label (or of the icon's label) that opened the menu.
void TMainWindow::SelectPopupRow() {
  TComponent* opener = RowMenu->PopupComponent;
  if (!opener || opener->Tag < 0 || opener->Tag > kLastRow) return;
  TLabel* label = Labels[opener->Tag];
  RowMenu->PopupComponent = label;
  SelectedRow = int(label->Tag);
  Highlight(SelectedRow);
}

void TMainWindow::RowMenuPopup(TComponent*) {
  HalfLifeManagerItem->Visible = GameFolderPresent("half-life");
  HalfLifeLogoEditorItem->Visible = HalfLifeEngineGamePresent();
  AddToFavouritesItem->Enabled = ViewName != "suosikit";
  SelectPopupRow();

  const std::string entry = SelectedEntry();
  const std::string game = entry.empty() ? std::string() : ModIni->ReadString(entry, "Game", "");
  const std::string dir = GameDir(game);
  const std::string mod = entry.empty() ? std::string() : ModIni->ReadString(entry, "Mod", "");
  const std::string shown = EscapeAmpersands(entry);
  GoToItem->Caption = kGotoPrefix + EscapeAmpersands(mod.empty() ? dir : dir + "\\" + mod);
  ModifyItem->Caption = "Modify " + shown + " (Ctrl+M)";
  StartModItem->Caption = "Start " + shown;
  RemoveItem->Caption = "Remove " + shown + " (Delete)";
  UpdateHints();

  UpdateWebItem(entry, dir, mod);
  ReadmeItem->Enabled = false;
  try {
    const std::string readme = entry.empty() ? std::string() : EntryReadme(entry);
    if (!readme.empty() && !VisitItem->Visible) {
      const std::string address = Trim(ReadmeWebAddress(readme));
      if (!address.empty()) {
        VisitItem->Caption = kVisitPrefix + EscapeAmpersands(address);
        VisitItem->Visible = true;
      }
    }
    ReadmeItem->Enabled = !readme.empty();
  } catch (const std::exception&) {
    // An unreadable readme only leaves its item off.
  }
  try {
    ConfigItem->Enabled = !entry.empty() && !EntryConfig(entry).empty();
  } catch (const std::exception&) {
    ConfigItem->Enabled = false;
  }

  BuildRanking();
  SyncQuickItems();
  BuildViewItems(ViewItem, AllModsItem, FavouritesItem);
  BuildMapItems(entry);
  ManualItem->Visible = !entry.empty() && !ManualSearch(dir, mod).empty();
  ShowLinesBetweenItems(RowMenu->Items());
}

// Visit: the entry's url, else the first url_info of the mod's liblist.gam.
void TMainWindow::UpdateWebItem(const std::string& entry, const std::string& dir, const std::string& mod) {
  VisitItem->Visible = false;
  if (entry.empty()) return;
  std::string url = ModIni->ReadString(entry, "url", "");
  if (url.empty()) {
    try {
      for (const std::string& value : LiblistUrls(dir + "\\" + mod + "\\liblist.gam"))
        if (!value.empty()) {
          url = value;
          break;
        }
    } catch (const std::exception&) {
      // An unreadable liblist.gam gives no address.
    }
  }
  if (url.empty()) return;
  VisitItem->Caption = kVisitPrefix + EscapeAmpersands(url);
  VisitItem->Visible = true;
}

// The lines between a menu's items: each shows only between two shown items,
// never at the top or the foot nor next to another line (without start
// counts the quick entries and "Most started mods" are hidden, their lines
// would stand together).
void TMainWindow::ShowLinesBetweenItems(TMenuItem* menu) {
  TMenuItem* line = nullptr;  // the first line after the last shown item
  bool itemAbove = false;
  for (int i = 0; i < menu->Count(); ++i) {
    TMenuItem* item = menu->Items(i);
    if (item->IsLine()) {
      item->Visible = false;
      if (itemAbove && !line) line = item;
    } else if (item->Visible) {
      if (line) line->Visible = true;
      line = nullptr;
      itemAbove = true;
    }
  }
}

void TMainWindow::SyncQuickItems() {
  for (size_t k = 0; k < QuickMenuItems.size(); ++k) {
    QuickMenuItems[k]->Caption = EscapeAmpersands(QuickItems[k].Caption);
    QuickMenuItems[k]->Visible = QuickItems[k].Visible;
  }
  MostStartedItem->Visible = MostStartedVisible;
}

void TMainWindow::BuildViewItems(TMenuItem* view, TMenuItem* all, TMenuItem* favourites) {
  all->Checked = ViewName == "kaikki" || ViewName.empty();
  favourites->Checked = ViewName == "suosikit";
  view->FreeFrom(3);
  TStringList games;
  GamesIni->ReadSections(games);
  for (const std::string& game : games.Items()) {
    if (!DirectoryExists(GameDir(game))) continue;
    auto* item = AddItem(view, "", EscapeAmpersands(game) + " modifications", &TMainWindow::GameViewItemClick);
    item->Checked = LowerCase(game) == LowerCase(ViewName);
    TBitmap& picture = item->Bitmap();
    bool transparent = false;
    if (!LoadLogoFile(GamesIni->ReadString(game, "Kuvake", ""), picture, transparent)) {
      const std::string unknown = ExeDir() + "Logos\\unknown.bmp";
      try {
        if (FileExists(unknown)) picture.LoadFromFile(unknown);
        else if (MenuImages->Count() > 1) MenuImages->GetBitmap(1, picture);
      } catch (const std::exception&) {
        picture = TBitmap();
      }
    }
  }
}

void TMainWindow::BuildMapItems(const std::string& entry) {
  TStringList maps;
  if (!entry.empty()) {
    const std::string game = ModIni->ReadString(entry, "Game", "");
    CollectMaps(game, GameDir(game), ModIni->ReadString(entry, "Mod", ""), maps);
  }
  StartWithMapItem->FreeFrom(2);
  for (const std::string& map : maps.Items())
    AddItem(StartWithMapItem, "", EscapeAmpersands(map), &TMainWindow::MapItemClick);
}

void TMainWindow::StartModItemClick(TComponent*) {
  if (SelectedRow < 0) return;
  StartMap.clear();
  Start(SelectedRow);
}

void TMainWindow::CustomMapItemClick(TComponent*) {
  std::string map;
  if (!InputQuery("Custom map", "Type map name:", map) || Trim(map).empty() || SelectedRow < 0) return;
  StartMap = map;
  Start(SelectedRow);
}

void TMainWindow::MapItemClick(TComponent* sender) {
  auto* item = dynamic_cast<TMenuItem*>(sender);
  if (!item || SelectedRow < 0) return;
  StartMap = Trim(StripHotkey(item->Caption));
  if (!StartMap.empty()) Start(SelectedRow);
}

void TMainWindow::OpenInNotepad(const std::string& file) {
  // Quoted, so that a path with blanks reaches notepad whole.
  ShellOpen("notepad.exe", "\"" + file + "\"");
}

void TMainWindow::ReadmeItemClick(TComponent*) {
  const std::string entry = SelectedEntry();
  if (entry.empty()) return;
  const std::string readme = EntryReadme(entry);
  if (!readme.empty()) OpenInNotepad(readme);
}

void TMainWindow::ConfigItemClick(TComponent*) {
  const std::string entry = SelectedEntry();
  if (entry.empty()) return;
  const std::string config = EntryConfig(entry);
  if (!config.empty()) OpenInNotepad(config);
}

void TMainWindow::ManualItemClick(TComponent*) {
  const std::string entry = SelectedEntry();
  if (entry.empty()) return;
  const std::string manual = ManualSearch(GameDir(ModIni->ReadString(entry, "Game", "")),
                                          ModIni->ReadString(entry, "Mod", ""));
  if (!manual.empty()) ShellOpen(manual);
}

void TMainWindow::VisitItemClick(TComponent*) {
  // The address may come from a mod's files: only a web or mail address opens.
  ShellOpenAddress(WebAddressToOpen(AfterPrefix(VisitItem, kVisitPrefix)));
}

void TMainWindow::GoToItemClick(TComponent*) {
  const std::string folder = AfterPrefix(GoToItem, kGotoPrefix);
  if (!folder.empty() && DirectoryExists(folder)) ShellOpen(folder);
}

void TMainWindow::QuickItemClick(TComponent* sender) {
  auto* item = dynamic_cast<TMenuItem*>(sender);
  if (!item) return;
  // The page comes back also when the start fails.
  try {
    StartByName(StripHotkey(item->Caption), true);
  } catch (...) {
    PaintPage(true);
    ReapplyOptions();
    throw;
  }
  PaintPage(true);
  ReapplyOptions();
}

void TMainWindow::StartByName(const std::string& name, bool wholeModIni) {
  if (wholeModIni) {
    const std::string modIni = ExeDir() + kEntryFile;
    if (!ModIni || ModIni->FileName() != modIni) ModIni = std::make_unique<TIniFile>(modIni);
    TStringList all;
    ModIni->ReadSections(all);
    EntryNames.Clear();
    for (const std::string& e : all.Items()) EntryNames.Add(e);
  }
  const int savedTop = TopIndex, savedRow = SelectedRow;
  auto restore = [&] {
    TopIndex = savedTop;
    SelectedRow = savedRow;
  };
  try {
    TopIndex = 0;
    SelectedRow = -1;
    const std::string wanted = LowerCase(name);
    for (int i = 0; i < EntryNames.Count(); ++i)
      if (LowerCase(EntryNames[i]) == wanted) {
        SelectedRow = i;
        break;
      }
    if (SelectedRow < 0) {
      MessageDlg("Mod not found.", mtWarning, mbOK);
    } else {
      StartMap.clear();
      Start(SelectedRow);
    }
  } catch (...) {
    restore();
    throw;
  }
  restore();
}

void TMainWindow::MostStartedItemClick(TComponent*) {
  if (!SettingsIdle) return;
  BuildRanking();
  MostStartedRows();
  WhileSettingsBusy([this] { ShowMostStartedWindow(); });
}

// The ranking as the statistics window shows it: each row named by the
// first entry of the list with its mod folder and game, under a header row.
void TMainWindow::MostStartedRows() {
  const std::string modIni = ExeDir() + kEntryFile;
  if (!ModIni || ModIni->FileName() != modIni) ModIni = std::make_unique<TIniFile>(modIni);
  const TEntryIndex entries = IndexEntries();
  for (int k = 0; k < RankMods.Count(); ++k) {
    const std::string entry = EntryOf(entries, RankMods[k], RankGames[k]);
    if (!entry.empty()) RankMods.SetString(k, entry);
  }
  OpenViewIni();
  FilterList();
  RankGames.Insert(0, "Game");
  RankMods.Insert(0, "Mod name");
  RankCounts.Insert(0, "Started");
}
