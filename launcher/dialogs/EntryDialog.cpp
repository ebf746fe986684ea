// The New/Modify entry dialog: its controls, the game change, the advanced
// fields and the entry points of the main window.
#include "EntryDialog.h"

#include "ControlMaking.h"
#include "DialogCaption.h"
#include "FileUtils.h"
#include "GameDiscovery.h"
#include "GameRules.h"
#include "ModDiscovery.h"
#include "SharedNames.h"

namespace {
const char* const kWinmemChoices[] = {"<default>", "winmem 8",  "winmem 12", "winmem 16", "winmem 18",
                                      "winmem 24", "winmem 32", "winmem 40", "winmem 48"};
constexpr int kCollapsedHeight = 278, kExpandedHeight = 374;
}  // namespace

using namespace ctrl;

TEntryDialog::TEntryDialog(TComponent* owner, HWND ownerWindow, TEntryDialogFiles& files)
    : TDialogForm(owner, ownerWindow), FFiles(files) {
  SetCaption("New");
  ShowHint = true;
  SetClientSize(420, kCollapsedHeight);
  BuildControls();
  FormCreate();
}

void TEntryDialog::BuildControls() {
  NameLabel = Label(this, this, 8, 12, 100, "Mod name:");
  NameEdit = Place<TEdit>(this, this, 110, 8, 302, 22);
  NameEdit->Hint = "This is name of the mod. It's shows on the modlist";
  GameLabel = Label(this, this, 8, 40, 100, "Game:");
  GameCombo = Place<TComboBox>(this, this, 110, 36, 302, 22);
  GameCombo->Style = csDropDownList;
  GameCombo->Items.Sorted = true;
  GameCombo->DropDownCount = 12;
  GameCombo->Hint = "Select right game or mod doesn't work";
  ParametersLabel = Label(this, this, 8, 68, 100, "Parameters:");
  ParametersCombo = Place<TComboBox>(this, this, 110, 64, 302, 22);
  ParametersCombo->DropDownCount = 10;
  ParametersCombo->Hint = "Select parameter what you want to use";
  DescriptionLabel = Label(this, this, 8, 96, 100, "Description:");
  DescriptionEdit = Place<TEdit>(this, this, 110, 92, 302, 22);
  DescriptionEdit->Hint = "When you put mouse on mod name in modlist it shows description text";

  LogoLabel = Label(this, this, 8, 128, 100, "Logo:");
  LogoImage = Place<TImage>(this, this, 110, 120, 34, 34);
  LogoImage->Hint = "This is small icon what shows in modlist";
  BrowseLogoButton = Button(this, this, 150, 126, 60, "Browse", "Select logo", 23);
  LogoCombo = Place<TComboBox>(this, this, 216, 126, 196, 24);
  LogoCombo->Style = csOwnerDrawFixed;
  LogoCombo->ItemHeight = 20;
  LogoCombo->DropDownCount = 10;
  LogoCombo->Hint = "Select logo";

  ModFolderLabel = Label(this, this, 8, 166, 100, "Mod directory:");
  ModFolderEdit = Place<TEdit>(this, this, 110, 162, 270, 22);
  PickModFolderButton = Button(this, this, 386, 161, 26, "...", "Select modification directory", 23);
  MapLabel = Label(this, this, 8, 194, 100, "Map:");
  MapCombo = Place<TComboBox>(this, this, 110, 190, 150, 22);
  MapCombo->Style = csDropDownList;
  MapCombo->DropDownCount = 20;
  WinmemLabel = Label(this, this, 268, 194, 100, "Winmem:");
  WinmemLabel->SetWidth(60);
  WinmemCombo = Place<TComboBox>(this, this, 330, 190, 82, 22);
  WinmemCombo->Style = csDropDownList;
  MapcycleCheckBox = Place<TCheckBox>(this, this, 110, 218, 302, 18);
  MapcycleCheckBox->SetCaption("Randomize mapcycle.txt");

  AdvancedButton = Button(this, this, 8, 246, 75, "Advanced", "Advanced options", 23);
  OKButton = Place<TBitBtn>(this, this, 256, 246, 75, 25);
  OKButton->SetKind(bkOK);
  OKButton->ModalResult = mrNone;  // OK closes only when the entry is written
  CancelButton = Place<TBitBtn>(this, this, 337, 246, 75, 25);
  CancelButton->SetKind(bkCancel);

  AdvancedPanel = Place<TPanel>(this, this, 0, kCollapsedHeight, 420, kExpandedHeight - kCollapsedHeight);
  AdvancedPanel->BevelOuter = bvNone;
  AdvancedPanel->SetVisible(false);
  ReadmeLabel = Label(AdvancedPanel, this, 8, 8, 100, "Readme:");
  ReadmeEdit = Place<TEdit>(AdvancedPanel, this, 110, 4, 236, 22);
  BrowseReadmeButton = Button(AdvancedPanel, this, 352, 3, 60, "Browse", "Select readme file", 23);
  ConfigLabel = Label(AdvancedPanel, this, 8, 36, 100, "Config:");
  ConfigEdit = Place<TEdit>(AdvancedPanel, this, 110, 32, 236, 22);
  BrowseConfigButton = Button(AdvancedPanel, this, 352, 31, 60, "Browse", "Select config file", 23);
  WebSiteLabel = Label(AdvancedPanel, this, 8, 64, 100, "Web site:");
  WebSiteEdit = Place<TEdit>(AdvancedPanel, this, 110, 60, 302, 22);
  WebSiteEdit->Hint = "If you want you can add modifications homepage";

  OpenLogoDialog = new TOpenPictureDialog(this);
  OpenLogoDialog->Filter =
      "Logos (*.bmp;*.ico;*.exe)|*.bmp;*.ico;*.exe|Bitmaps (*.bmp)|*.bmp|Icons (*.ico)|*.ico|Programs (*.exe)|*.exe";
  OpenReadmeDialog = new TOpenDialog(this);
  OpenReadmeDialog->Filter = "Text files (*.txt;*.1st)|*.txt;*.1st|All files (*.*)|*.*";
  OpenConfigDialog = new TOpenDialog(this);
  OpenConfigDialog->Filter = "Config files (*.cfg)|*.cfg";

  GameCombo->OnChange = [this](TComponent* s) { GameComboChange(s); };
  LogoCombo->OnChange = [this](TComponent* s) { LogoComboChange(s); };
  LogoCombo->OnDrawItem = [this](TWinControl* c, TCanvas& canvas, int i, const RECT& r, TOwnerDrawState st) {
    LogoComboDrawItem(c, canvas, i, r, st);
  };
  AdvancedButton->OnClick = [this](TComponent* s) { AdvancedButtonClick(s); };
  BrowseLogoButton->OnClick = [this](TComponent* s) { BrowseLogoButtonClick(s); };
  PickModFolderButton->OnClick = [this](TComponent* s) { PickModFolderButtonClick(s); };
  BrowseReadmeButton->OnClick = [this](TComponent* s) { BrowseReadmeButtonClick(s); };
  BrowseConfigButton->OnClick = [this](TComponent* s) { BrowseConfigButtonClick(s); };
  CancelButton->OnClick = [this](TComponent* s) { CancelButtonClick(s); };
  OKButton->OnClick = [this](TComponent* s) { OKButtonClick(s); };
}

void TEntryDialog::FormCreate() {
  ApplyCaptionBar(*this);
  OpenLogoDialog->InitialDir = FFiles.AppDir + "Logos";
  for (const char* choice : kWinmemChoices) WinmemCombo->Items.Add(choice);
  WinmemCombo->SetItemIndex(0);
  TStringList sections;
  ReadGameList(FFiles.GamesIni, sections);
  for (const std::string& game : sections.Items())
    if (DirectoryExists(FFiles.GamesIni.ReadString(game, "Sijainti", ""))) GameCombo->Items.Add(game);
  if (GameCombo->Items.Count() == 0) {
    PickModFolderButton->SetEnabled(false);
  } else {
    GameCombo->SetItemIndex(0);
    GameComboChange(GameCombo);
  }
  MapcycleCheckBox->SetChecked(FFiles.OptionsIni.ReadBool(kOptions, "hlmapcycle", false));
  FillLogoCombo();
  FormShow();
}

void TEntryDialog::FormShow() { ActiveControl = NameEdit; }

std::string TEntryDialog::GameKey() const { return LowerCase(GameCombo->Text()); }

std::string TEntryDialog::GameFolder() const {
  std::string game = GameCombo->Text();
  return game.empty() ? std::string() : FFiles.GamesIni.ReadString(game, "Sijainti", "");
}

std::string TEntryDialog::ModFolder() const { return GameFolder() + "\\" + ModFolderEdit->Text(); }

void TEntryDialog::GameComboChange(TComponent*) {
  const std::string game = GameKey();
  WinmemCombo->SetEnabled(game == "quake");
  WinmemLabel->SetEnabled(game == "quake");
  FillMaps();

  ParametersCombo->Items.Clear();
  for (int i = 0;; ++i) {
    std::string key = IntToStr(i);
    if (!FFiles.ParametersIni.ValueExists(GameCombo->Text(), key)) break;
    ParametersCombo->Items.Add(FFiles.ParametersIni.ReadString(GameCombo->Text(), key, ""));
  }
  ParametersCombo->SetText(ReadGameValue(FFiles.GamesIni, GameCombo->Text(), "Oletus"));

  std::string logo = ReadGameValue(FFiles.GamesIni, GameCombo->Text(), "Kuvake");
  std::string path = LogoPath(logo);
  if (!logo.empty() && FileExists(path)) {
    ShowLogo(path);
    LogoValue = path;
  } else {
    ShowUnknownLogo();
  }
  LogoCombo->SetItemIndex(-1);

  OpenReadmeDialog->InitialDir = OpenConfigDialog->InitialDir = ModFolder();
  MapcycleCheckBox->SetVisible(IsHalfLifeEngine(game));
}

void TEntryDialog::FillMaps() {
  std::string remembered = MapCombo->Text();
  MapCombo->Items.Clear();
  for (const std::string& name : GameMaps(GameKey(), GameFolder(), ModFolderEdit->Text())) MapCombo->Items.Add(name);
  int index = remembered.empty() ? -1 : MapCombo->Items.IndexOf(remembered);
  MapCombo->SetItemIndex(index >= 0 ? index : 0);
}

void TEntryDialog::AdvancedButtonClick(TComponent*) {
  bool show = !AdvancedPanel->Visible();
  AdvancedPanel->SetVisible(show);
  SetClientSize(ClientWidth(), show ? kExpandedHeight : kCollapsedHeight);
}

void TEntryDialog::BrowseReadmeButtonClick(TComponent*) {
  OpenReadmeDialog->InitialDir = ModFolder();
  if (OpenReadmeDialog->Execute()) ReadmeEdit->SetText(OpenReadmeDialog->FileName);
}

void TEntryDialog::BrowseConfigButtonClick(TComponent*) {
  OpenConfigDialog->InitialDir = ModFolder();
  if (OpenConfigDialog->Execute()) ConfigEdit->SetText(OpenConfigDialog->FileName);
}

void TEntryDialog::CancelButtonClick(TComponent*) { ModalResult = mrCancel; }

void ShowNewEntryDialog(HWND ownerWindow, TEntryDialogFiles& files) {
  TEntryDialog form(nullptr, ownerWindow, files);
  form.SetCaption("New");
  form.Mode = emNew;
  form.ShowModal();
}

void ShowModifyEntryDialog(HWND ownerWindow, TEntryDialogFiles& files, const std::string& name) {
  TEntryDialog form(nullptr, ownerWindow, files);
  form.SetCaption("Modify");
  form.LoadEntry(name);
  form.ShowModal();
}
