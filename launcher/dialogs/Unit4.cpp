// The New/Modify entry dialog: its controls, the game change, the advanced
// fields and the entry points of the main window.
#include "Unit4.h"

#include "DialogCaption.h"
#include "FileUtils.h"
#include "ModDiscovery.h"

namespace {
const char* const kWinmemChoices[] = {"<default>", "winmem 8",  "winmem 12", "winmem 16", "winmem 18",
                                      "winmem 24", "winmem 32", "winmem 40", "winmem 48"};
constexpr int kCollapsedHeight = 278, kExpandedHeight = 374;

template <typename T>
T* Place(TForm4* form, TWinControl* parent, int left, int top, int width, int height) {
  T* control = new T(form);
  control->SetBounds(left, top, width, height);
  control->SetParent(parent);
  return control;
}

TLabel* MakeLabel(TForm4* form, TWinControl* parent, int left, int top, const char* text) {
  TLabel* label = Place<TLabel>(form, parent, left, top, 100, 16);
  label->SetCaption(text);
  return label;
}

TButton* Button(TForm4* form, TWinControl* parent, int left, int top, int width, const char* caption,
                const char* hint) {
  TButton* button = Place<TButton>(form, parent, left, top, width, 23);
  button->SetCaption(caption);
  button->Hint = hint;
  return button;
}
}  // namespace

TForm4::TForm4(TComponent* owner, HWND ownerWindow, TEntryDialogFiles& files)
    : TDialogForm(owner, ownerWindow), FFiles(files) {
  SetCaption("New");
  ShowHint = true;
  SetClientSize(420, kCollapsedHeight);
  BuildControls();
  FormCreate();
}

void TForm4::BuildControls() {
  Label1 = MakeLabel(this, this, 8, 12, "Mod name:");
  Edit1 = Place<TEdit>(this, this, 110, 8, 302, 22);
  Edit1->Hint = "This is name of the mod. It's shows on the modlist";
  Label2 = MakeLabel(this, this, 8, 40, "Game:");
  C1 = new TComboBox(this);
  C1->Style = csDropDownList;
  C1->Items.Sorted = true;
  C1->DropDownCount = 12;
  C1->SetBounds(110, 36, 302, 22);
  C1->SetParent(this);
  C1->Hint = "Select right game or mod doesn't work";
  Label3 = MakeLabel(this, this, 8, 68, "Parameters:");
  C2 = new TComboBox(this);
  C2->DropDownCount = 10;
  C2->SetBounds(110, 64, 302, 22);
  C2->SetParent(this);
  C2->Hint = "Select parameter what you want to use";
  Label4 = MakeLabel(this, this, 8, 96, "Description:");
  Edit2 = Place<TEdit>(this, this, 110, 92, 302, 22);
  Edit2->Hint = "When you put mouse on mod name in modlist it shows description text";

  Label5 = MakeLabel(this, this, 8, 128, "Logo:");
  Image1 = Place<TImage>(this, this, 110, 120, 34, 34);
  Image1->Hint = "This is small icon what shows in modlist";
  SpeedButton2 = Button(this, this, 150, 126, 60, "Browse", "Select logo");
  C3 = new TComboBox(this);
  C3->Style = csOwnerDrawFixed;
  C3->ItemHeight = 20;
  C3->DropDownCount = 10;
  C3->SetBounds(216, 126, 196, 24);
  C3->SetParent(this);
  C3->Hint = "Select logo";

  Label6 = MakeLabel(this, this, 8, 166, "Mod directory:");
  Edit3 = Place<TEdit>(this, this, 110, 162, 270, 22);
  SpeedButton3 = Button(this, this, 386, 161, 26, "...", "Select modification directory");
  Label7 = MakeLabel(this, this, 8, 194, "Map:");
  Map = new TComboBox(this);
  Map->Style = csDropDownList;
  Map->DropDownCount = 20;
  Map->SetBounds(110, 190, 150, 22);
  Map->SetParent(this);
  Label8 = MakeLabel(this, this, 268, 194, "Winmem:");
  Label8->SetWidth(60);
  C5 = new TComboBox(this);
  C5->Style = csDropDownList;
  C5->SetBounds(330, 190, 82, 22);
  C5->SetParent(this);
  mapcycle = Place<TCheckBox>(this, this, 110, 218, 302, 18);
  mapcycle->SetCaption("Randomize mapcycle.txt");

  SpeedButton1 = Button(this, this, 8, 246, 75, "Advanced", "Advanced options");
  BitBtn2 = Place<TBitBtn>(this, this, 256, 246, 75, 25);
  BitBtn2->SetKind(bkOK);
  BitBtn2->ModalResult = mrNone;  // OK closes only when the entry is written
  BitBtn1 = Place<TBitBtn>(this, this, 337, 246, 75, 25);
  BitBtn1->SetKind(bkCancel);

  Panel1 = Place<TPanel>(this, this, 0, kCollapsedHeight, 420, kExpandedHeight - kCollapsedHeight);
  Panel1->BevelOuter = bvNone;
  Panel1->SetVisible(false);
  Label9 = MakeLabel(this, Panel1, 8, 8, "Readme:");
  Edit4 = Place<TEdit>(this, Panel1, 110, 4, 236, 22);
  SpeedButton4 = Button(this, Panel1, 352, 3, 60, "Browse", "Select readme file");
  Label10 = MakeLabel(this, Panel1, 8, 36, "Config:");
  Edit5 = Place<TEdit>(this, Panel1, 110, 32, 236, 22);
  SpeedButton5 = Button(this, Panel1, 352, 31, 60, "Browse", "Select config file");
  Label11 = MakeLabel(this, Panel1, 8, 64, "Web site:");
  Edit6 = Place<TEdit>(this, Panel1, 110, 60, 302, 22);
  Edit6->Hint = "If you want you can add modifications homepage";

  OpenPictureDialog1 = new TOpenPictureDialog(this);
  OpenPictureDialog1->Filter =
      "Logos (*.bmp;*.ico;*.exe)|*.bmp;*.ico;*.exe|Bitmaps (*.bmp)|*.bmp|Icons (*.ico)|*.ico|Programs (*.exe)|*.exe";
  OpenDialog1 = new TOpenDialog(this);
  OpenDialog1->Filter = "Text files (*.txt;*.1st)|*.txt;*.1st|All files (*.*)|*.*";
  OpenDialog2 = new TOpenDialog(this);
  OpenDialog2->Filter = "Config files (*.cfg)|*.cfg";

  C1->OnChange = [this](TComponent* s) { C1Change(s); };
  C3->OnChange = [this](TComponent* s) { C3Change(s); };
  C3->OnDrawItem = [this](TWinControl* c, TCanvas& canvas, int i, const RECT& r, TOwnerDrawState st) {
    C3DrawItem(c, canvas, i, r, st);
  };
  SpeedButton1->OnClick = [this](TComponent* s) { SpeedButton1Click(s); };
  SpeedButton2->OnClick = [this](TComponent* s) { SpeedButton2Click(s); };
  SpeedButton3->OnClick = [this](TComponent* s) { SpeedButton3Click(s); };
  SpeedButton4->OnClick = [this](TComponent* s) { SpeedButton4Click(s); };
  SpeedButton5->OnClick = [this](TComponent* s) { SpeedButton5Click(s); };
  BitBtn1->OnClick = [this](TComponent* s) { BitBtn1Click(s); };
  BitBtn2->OnClick = [this](TComponent* s) { BitBtn2Click(s); };
}

void TForm4::FormCreate() {
  ApplyCaptionBar(*this);
  OpenPictureDialog1->InitialDir = FFiles.AppDir + "Logos";
  for (const char* choice : kWinmemChoices) C5->Items.Add(choice);
  C5->SetItemIndex(0);
  TStringList sections;
  FFiles.GamesIni.ReadSections(sections);
  for (const std::string& game : sections.Items())
    if (DirectoryExists(FFiles.GamesIni.ReadString(game, "Sijainti", ""))) C1->Items.Add(game);
  if (C1->Items.Count() == 0) {
    SpeedButton3->SetEnabled(false);
  } else {
    C1->SetItemIndex(0);
    C1Change(C1);
  }
  mapcycle->SetChecked(FFiles.OptionsIni.ReadBool("Asetukset", "hlmapcycle", false));
  FillLogoCombo();
  FormShow();
}

void TForm4::FormShow() { ActiveControl = Edit1; }

std::string TForm4::GameKey() const { return LowerCase(C1->Text()); }

std::string TForm4::GameFolder() const {
  std::string game = C1->Text();
  return game.empty() ? std::string() : FFiles.GamesIni.ReadString(game, "Sijainti", "");
}

std::string TForm4::ModFolder() const { return GameFolder() + "\\" + Edit3->Text(); }

void TForm4::C1Change(TComponent*) {
  const std::string game = GameKey();
  C5->SetEnabled(game == "quake");
  Label8->SetEnabled(game == "quake");
  FillMaps();

  C2->Items.Clear();
  for (int i = 0;; ++i) {
    std::string key = IntToStr(i);
    if (!FFiles.ParametersIni.ValueExists(C1->Text(), key)) break;
    C2->Items.Add(FFiles.ParametersIni.ReadString(C1->Text(), key, ""));
  }
  C2->SetText(FFiles.GamesIni.ReadString(C1->Text(), "Oletus", ""));

  std::string logo = FFiles.GamesIni.ReadString(C1->Text(), "Kuvake", "");
  std::string path = LogoPath(logo);
  if (!logo.empty() && FileExists(path)) {
    ShowLogo(path);
    LogoValue = path;
  } else {
    ShowUnknownLogo();
  }
  C3->SetItemIndex(-1);

  OpenDialog1->InitialDir = OpenDialog2->InitialDir = ModFolder();
  mapcycle->SetVisible(game == "half-life" || game == "gunman");
}

void TForm4::FillMaps() {
  std::string remembered = Map->Text();
  Map->Items.Clear();
  for (const std::string& name : GameMaps(GameKey(), GameFolder(), Edit3->Text())) Map->Items.Add(name);
  int index = remembered.empty() ? -1 : Map->Items.IndexOf(remembered);
  Map->SetItemIndex(index >= 0 ? index : 0);
}

void TForm4::SpeedButton1Click(TComponent*) {
  bool show = !Panel1->Visible();
  Panel1->SetVisible(show);
  SetClientSize(ClientWidth(), show ? kExpandedHeight : kCollapsedHeight);
}

void TForm4::SpeedButton4Click(TComponent*) {
  OpenDialog1->InitialDir = ModFolder();
  if (OpenDialog1->Execute()) Edit4->SetText(OpenDialog1->FileName);
}

void TForm4::SpeedButton5Click(TComponent*) {
  OpenDialog2->InitialDir = ModFolder();
  if (OpenDialog2->Execute()) Edit5->SetText(OpenDialog2->FileName);
}

void TForm4::BitBtn1Click(TComponent*) { ModalResult = mrCancel; }

void ShowNewEntryDialog(HWND ownerWindow, TEntryDialogFiles& files) {
  TForm4 form(nullptr, ownerWindow, files);
  form.SetCaption("New");
  form.Mode = emNew;
  form.ShowModal();
}

void ShowModifyEntryDialog(HWND ownerWindow, TEntryDialogFiles& files, const std::string& name) {
  TForm4 form(nullptr, ownerWindow, files);
  form.SetCaption("Modify");
  form.LoadEntry(name);
  form.ShowModal();
}
