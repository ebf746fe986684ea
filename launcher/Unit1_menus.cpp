// TForm1: the row menu, rebuilt for the row under the pointer on every
// popup, its entry commands (start, start with a map, the entry's files and
// web site) and the quick entries of the most started mods.
#include "Unit1.h"

#include "CommonDialogs.h"
#include "Dialogs.h"
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

// Only addresses of the web and of file servers go to the shell: a readme
// or an entry could name a program or a script instead.
bool IsWebAddress(const std::string& address) {
  const std::string a = LowerCase(Trim(address));
  for (const char* scheme : {"http://", "https://", "ftp://", "www."})
    if (a.rfind(scheme, 0) == 0 && a.size() > std::string(scheme).size()) return true;
  return false;
}
}  // namespace

TMenuItem* TForm1::AddItem(TMenuItem* parent, const std::string& name, const std::string& caption,
                           void (TForm1::*handler)(TComponent*)) {
  auto* item = new TMenuItem(this);
  item->Name = name;
  item->Caption = caption;
  if (handler) item->OnClick = [this, handler](TComponent* s) { (this->*handler)(s); };
  parent->Add(item);
  return item;
}

void TForm1::BuildMenus() {
  ImageList1 = new TImageList(this);
  ImageList1->Name = "ImageList1";
  // Image 1 stands for a game without a logo.
  TBitmap unknown;
  if (LoadBitmapResource(unknown, "UNKNOWN")) {
    ImageList1->AddMasked(unknown, unknown.TransparentColor());
    ImageList1->AddMasked(unknown, unknown.TransparentColor());
  }
  PopupMenu1 = new TBarPopupMenu(this);
  PopupMenu1->Name = "PopupMenu1";
  PopupMenu1->Alignment = paCenter;
  PopupMenu1->Images = ImageList1;
  PopupMenu1->OnPopup = [this](TComponent* s) { PopupMenu1Popup(s); };
  TMenuItem* root = PopupMenu1->Items();
  StartMod1 = AddItem(root, "StartMod1", "Start Mod", &TForm1::StartMod1Click);
  StartMod1->Default = true;
  AddItem(root, "N2", "-");
  Modification1 = AddItem(root, "Modification1", "Modification");
  Edit1 = AddItem(Modification1, "Edit1", "Modify", &TForm1::Image15Click);
  Remove1 = AddItem(Modification1, "Remove1", "Remove", &TForm1::Image17Click);
  Addtofavourites1 =
      AddItem(Modification1, "Addtofavourites1", "Add to favourites  (Ctrl+F)", &TForm1::Addtofavourites1Click);
  Startmap1 = AddItem(Modification1, "Startmap1", "Start with map");
  Custom1 = AddItem(Startmap1, "Custom1", "Custom", &TForm1::Custom1Click);
  AddItem(Startmap1, "N38", "-");
  AddItem(Modification1, "N16", "-");
  Readme1 = AddItem(Modification1, "Readme1", "Mod Readme", &TForm1::Readme1Click);
  ModManual1 = AddItem(Modification1, "ModManual1", "Mod Manual", &TForm1::ModManual1Click);
  Config1 = AddItem(Modification1, "Config1", "Mod Config", &TForm1::Config1Click);
  Visit1 = AddItem(Modification1, "Visit1", "Visit:", &TForm1::Visit1Click);
  Goto1 = AddItem(Modification1, "Goto1", "Go to", &TForm1::Goto1Click);
  General1 = AddItem(root, "General1", "General");
  New1 = AddItem(General1, "New1", "New  (Insert)", &TForm1::Image18Click);
  Removeall1 = AddItem(General1, "Removeall1", "Remove all  (Ctrl+Delete)", &TForm1::Image16Click);
  Options1 = AddItem(General1, "Options1", "Settings  (Ctrl+S)", &TForm1::Image14Click);
  Editors1 = AddItem(General1, "Editors1", "Editors");
  Modlisteditor1 = AddItem(Editors1, "Modlisteditor1", "Modlist editor (Ctrl+1)", &TForm1::Modlisteditor1Click);
  Configeditor1 = AddItem(Editors1, "Configeditor1", "Config manager (Ctrl+2)", &TForm1::Configeditor1Click);
  Halflifemanager1 =
      AddItem(Editors1, "Halflifemanager1", "Half-Life manager (Ctrl+3)", &TForm1::Halflifemanager1Click);
  HalfLifelogoeditor1 =
      AddItem(Editors1, "HalfLifelogoeditor1", "Half-Life logo editor (Ctrl+4)", &TForm1::HalfLifelogoeditor1Click);
  Brannox2000skineditor1 = AddItem(Editors1, "Brannox2000skineditor1", "Brannox 2000 skin editor (Ctrl+5)",
                                   &TForm1::Brannox2000skineditor1Click);
  Findgamelocations1 = AddItem(General1, "Findgamelocations1", "Find game locations (Shift+G)",
                               &TForm1::Findgamelocations1Click);
  Findmodifications1 = AddItem(General1, "Findmodifications1", "Find modifications (Shift+F)",
                               &TForm1::Findmodifications1Click);
  Info1 = AddItem(General1, "Info1", "About  (A)", &TForm1::Image13Click);
  Close1 = AddItem(General1, "Close1", "Close  (Esc)", &TForm1::Image1Click);
  View1 = AddItem(root, "View1", "View");
  Allmodifications1 = AddItem(View1, "Allmodifications1", "All modifications", &TForm1::Allmodifications1Click);
  favourites = AddItem(View1, "favourites", "Favourites", &TForm1::Favourites1Click);
  AddItem(View1, "N18", "-");
  AddItem(root, "N17", "-");
  MinimizetoTray1 = AddItem(root, "MinimizetoTray1", "Minimize to sys.tray  (Ctrl+T)");
  MinimizetoTray1->OnClick = [this](TComponent*) { MinimizetoTray1Click(); };
  AddItem(root, "N4", "-");
  N3 = AddItem(root, "N3", "Most started mods", &TForm1::N3Click);
  AddItem(root, "N5", "-");
  for (size_t k = 0; k < QuickMenuItems.size(); ++k) {
    QuickMenuItems[k] = AddItem(root, kQuickNames[k], "", &TForm1::N11Click);
    QuickMenuItems[k]->Visible = false;
  }
  for (int k = 0; k < kRows; ++k) Labels[k]->PopupMenu = Icons[k]->PopupMenu = PopupMenu1;
}

std::string TForm1::SelectedEntry() const {
  const int index = TopIndex + SelectedRow;
  return SelectedRow >= 0 && index < L1.Count() ? L1[index] : std::string();
}

std::string TForm1::GameDir(const std::string& game) const { return GamesIni->ReadString(game, "Sijainti", ""); }

bool TForm1::GameFolderPresent(const std::string& game) const {
  const std::string dir = GameDir(game);
  return !dir.empty() && DirectoryExists(dir);
}

// The row of the label (or of the icon's label) that opened the menu.
void TForm1::SelectPopupRow() {
  TComponent* opener = PopupMenu1->PopupComponent;
  if (!opener || opener->Tag < 0 || opener->Tag > kLastRow) return;
  TLabel* label = Labels[opener->Tag];
  PopupMenu1->PopupComponent = label;
  SelectedRow = int(label->Tag);
  Highlight(SelectedRow);
}

void TForm1::PopupMenu1Popup(TComponent*) {
  Halflifemanager1->Visible = GameFolderPresent("half-life");
  HalfLifelogoeditor1->Visible = GameFolderPresent("half-life") || GameFolderPresent("gunman");
  Addtofavourites1->Enabled = ViewName != "suosikit";
  SelectPopupRow();

  const std::string entry = SelectedEntry();
  const std::string game = entry.empty() ? std::string() : ModIni->ReadString(entry, "Game", "");
  const std::string dir = GameDir(game);
  const std::string mod = entry.empty() ? std::string() : ModIni->ReadString(entry, "Mod", "");
  const std::string shown = EscapeAmpersands(entry);
  Goto1->Caption = kGotoPrefix + EscapeAmpersands(mod.empty() ? dir : dir + "\\" + mod);
  Edit1->Caption = "Modify " + shown + " (Ctrl+M)";
  StartMod1->Caption = "Start " + shown;
  Remove1->Caption = "Remove " + shown + " (Delete)";
  UpdateHints();

  UpdateWebItem(entry, dir, mod);
  Readme1->Enabled = false;
  try {
    const std::string readme = entry.empty() ? std::string() : EntryReadme(entry);
    if (!readme.empty() && !Visit1->Visible) {
      const std::string address = Trim(ReadmeWebAddress(readme));
      if (!address.empty()) {
        Visit1->Caption = kVisitPrefix + EscapeAmpersands(address);
        Visit1->Visible = true;
      }
    }
    Readme1->Enabled = !readme.empty();
  } catch (const std::exception&) {
    // An unreadable readme only leaves its item off.
  }
  try {
    Config1->Enabled = !entry.empty() && !EntryConfig(entry).empty();
  } catch (const std::exception&) {
    Config1->Enabled = false;
  }

  lista();
  SyncQuickItems();
  BuildViewItems(View1, Allmodifications1, favourites);
  BuildMapItems(entry);
  ModManual1->Visible = !entry.empty() && !ManualSearch(dir, mod).empty();
}

// Visit: the entry's url, else the first url_info of the mod's liblist.gam.
void TForm1::UpdateWebItem(const std::string& entry, const std::string& dir, const std::string& mod) {
  Visit1->Visible = false;
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
  Visit1->Caption = kVisitPrefix + EscapeAmpersands(url);
  Visit1->Visible = true;
}

void TForm1::SyncQuickItems() {
  for (size_t k = 0; k < QuickMenuItems.size(); ++k) {
    QuickMenuItems[k]->Caption = EscapeAmpersands(QuickItems[k].Caption);
    QuickMenuItems[k]->Visible = QuickItems[k].Visible;
  }
  N3->Visible = N3Visible;
}

void TForm1::BuildViewItems(TMenuItem* view, TMenuItem* all, TMenuItem* favourites) {
  all->Checked = ViewName == "kaikki" || ViewName.empty();
  favourites->Checked = ViewName == "suosikit";
  view->FreeFrom(3);
  TStringList games;
  GamesIni->ReadSections(games);
  for (const std::string& game : games.Items()) {
    if (!DirectoryExists(GameDir(game))) continue;
    auto* item = AddItem(view, "", EscapeAmpersands(game) + " modifications", &TForm1::peli1Click);
    item->Checked = LowerCase(game) == LowerCase(ViewName);
    TBitmap& picture = item->Bitmap();
    bool transparent = false;
    if (!LoadLogoFile(GamesIni->ReadString(game, "Kuvake", ""), picture, transparent)) {
      const std::string unknown = ExeDir() + "Logos\\unknown.bmp";
      try {
        if (FileExists(unknown)) picture.LoadFromFile(unknown);
        else if (ImageList1->Count() > 1) ImageList1->GetBitmap(1, picture);
      } catch (const std::exception&) {
        picture = TBitmap();
      }
    }
  }
}

void TForm1::BuildMapItems(const std::string& entry) {
  TStringList maps;
  if (!entry.empty()) {
    const std::string game = ModIni->ReadString(entry, "Game", "");
    CollectMaps(game, GameDir(game), ModIni->ReadString(entry, "Mod", ""), maps);
  }
  Startmap1->FreeFrom(2);
  for (const std::string& map : maps.Items()) AddItem(Startmap1, "", EscapeAmpersands(map), &TForm1::map1Click);
}

void TForm1::StartMod1Click(TComponent*) {
  if (SelectedRow < 0) return;
  StartMap.clear();
  Start(SelectedRow);
}

void TForm1::Custom1Click(TComponent*) {
  std::string map;
  if (!InputQuery("Custom map", "Type map name:", map) || Trim(map).empty() || SelectedRow < 0) return;
  StartMap = map;
  Start(SelectedRow);
}

void TForm1::map1Click(TComponent* sender) {
  auto* item = dynamic_cast<TMenuItem*>(sender);
  if (!item || SelectedRow < 0) return;
  StartMap = Trim(StripHotkey(item->Caption));
  if (!StartMap.empty()) Start(SelectedRow);
}

void TForm1::OpenInNotepad(const std::string& file) {
  // Quoted, so that a path with blanks reaches notepad whole.
  ShellOpen("notepad.exe", "\"" + file + "\"");
}

void TForm1::Readme1Click(TComponent*) {
  const std::string entry = SelectedEntry();
  if (entry.empty()) return;
  const std::string readme = EntryReadme(entry);
  if (!readme.empty()) OpenInNotepad(readme);
}

void TForm1::Config1Click(TComponent*) {
  const std::string entry = SelectedEntry();
  if (entry.empty()) return;
  const std::string config = EntryConfig(entry);
  if (!config.empty()) OpenInNotepad(config);
}

void TForm1::ModManual1Click(TComponent*) {
  const std::string entry = SelectedEntry();
  if (entry.empty()) return;
  const std::string manual = ManualSearch(GameDir(ModIni->ReadString(entry, "Game", "")),
                                          ModIni->ReadString(entry, "Mod", ""));
  if (!manual.empty()) ShellOpen(manual);
}

void TForm1::Visit1Click(TComponent*) {
  const std::string address = Trim(AfterPrefix(Visit1, kVisitPrefix));
  if (IsWebAddress(address)) ShellOpen(address);
}

void TForm1::Goto1Click(TComponent*) {
  const std::string folder = AfterPrefix(Goto1, kGotoPrefix);
  if (!folder.empty() && DirectoryExists(folder)) ShellOpen(folder);
}

void TForm1::N11Click(TComponent* sender) {
  auto* item = dynamic_cast<TMenuItem*>(sender);
  if (!item) return;
  // The page comes back also when the start fails.
  try {
    StartByName(StripHotkey(item->Caption), true);
  } catch (...) {
    pai(true);
    paivitabx();
    throw;
  }
  pai(true);
  paivitabx();
}

void TForm1::StartByName(const std::string& name, bool wholeModIni) {
  if (wholeModIni) {
    const std::string modIni = ExeDir() + "Mod.ini";
    if (!ModIni || ModIni->FileName() != modIni) ModIni = std::make_unique<TIniFile>(modIni);
    TStringList all;
    ModIni->ReadSections(all);
    L1.Clear();
    for (const std::string& e : all.Items()) L1.Add(e);
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
    for (int i = 0; i < L1.Count(); ++i)
      if (LowerCase(L1[i]) == wanted) {
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

void TForm1::N3Click(TComponent*) {
  if (!SettingsIdle) return;
  lista();
  MostStartedRows();
  WhileSettingsBusy([this] { ShowMostStartedWindow(); });
}

// The ranking as the statistics window shows it: each row named by the
// first entry of the list with its mod folder and game, under a header row.
void TForm1::MostStartedRows() {
  const std::string modIni = ExeDir() + "Mod.ini";
  if (!ModIni || ModIni->FileName() != modIni) ModIni = std::make_unique<TIniFile>(modIni);
  const TEntryIndex entries = IndexEntries();
  for (int k = 0; k < B4.Count(); ++k) {
    const std::string entry = EntryOf(entries, B4[k], B5[k]);
    if (!entry.empty()) B4.SetString(k, entry);
  }
  OpenViewIni();
  FilterList();
  B5.Insert(0, "Game");
  B4.Insert(0, "Mod name");
  B3.Insert(0, "Started");
}
