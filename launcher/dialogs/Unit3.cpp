// TForm3: the Settings dialog's frame, its "General" page, Options.ini
// [Asetukset], OK, Apply, Cancel and "Default settings".
#include "Unit3.h"

#include <ctime>

#include "DialogCaption.h"
#include "Dialogs.h"
#include "FileUtils.h"
#include "OptionsSection.h"
#include "Streams.h"
#include "WinGraphics.h"
#include "Unit3_place.h"
#include "pika.h"

using namespace settings_ui;

namespace {
constexpr int kClientWidth = 560, kClientHeight = 440;
// The snap distances.
constexpr int kSnapDefault = 20, kSnapReset = 10, kSnapMax = 100;
constexpr char kStartupShortcut[] = "Brannox 2000.lnk";
constexpr int kStartupFolderIndex = 7;
constexpr char kDefaultSkin[] = "Bx2k8.bxs";
// Enough for every distance from 0 to kSnapMax.
constexpr int kSnapDigits = 3;

// The snap distance: digits only, as many as the largest distance has; the
// field scrolls, so the whole number always fits. Pasted text keeps only its
// digits.
class TSnapSpinEdit : public TSpinEdit {
public:
  using TSpinEdit::TSpinEdit;

protected:
  void CreateParams(TCreateParams& p) override {
    TSpinEdit::CreateParams(p);
    p.Style |= ES_NUMBER | ES_AUTOHSCROLL;
  }
  void CreateHandle() override {
    TSpinEdit::CreateHandle();
    SendMessageA(Handle(), EM_SETLIMITTEXT, kSnapDigits, 0);
  }
  void Change() override {
    const std::string text = Text();
    std::string digits;
    for (char c : text)
      if (c >= '0' && c <= '9' && digits.size() < size_t(kSnapDigits)) digits += c;
    if (digits != text) SetText(digits);  // fires Change again, with digits only
    else TSpinEdit::Change();
  }
};
}  // namespace

TColor ReadColorOption(const TIniFile& ini, const std::string& key, TColor def) {
  try {
    return StringToColor(ini.ReadString(kOptions, key, ColorToString(def)));
  } catch (const EConvertError&) {
    return def;
  }
}

void SaveLinesAtomically(const std::string& file, const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  SaveFileAtomically(file, [&](TStream& s) { s.WriteString(text); });
}

TForm3::TForm3(TComponent* owner, TSettingsHost& host) : TDialogForm(owner, host.Window), Host(host) {
  SetCaption("Settings");
  ShowHint = true;
  Font.Name = "MS Sans Serif";
  Font.Height = -13;
  Font.Style = fsBold;
  BuildFrame();
  BuildGeneralPage();
  BuildGamesPage();
  BuildSkinsPage();
  BuildSoundsPage();
  BuildModlistPage();
  BuildConfigPage();
  BuildHalfLifePage();
  BuildLogoPage();
  SetClientSize(kClientWidth, kClientHeight);
  FormCreate();
}

TForm3::~TForm3() = default;

void TForm3::BuildFrame() {
  Page = Place<TPageControl>(this, this, 4, 4, kClientWidth - 8, 392);
  TTabSheet** sheets[] = {&General, &Games, &Skins, &Sounds, &ModlistEditor, &ConfigManager, &HalfLifeManager,
                          &LogoEditor};
  const char* const captions[] = {"General", "Games", "Skins", "Sounds", "Modlist editor", "Config manager",
                                  "Half-Life manager", "Half-Life logo editor"};
  const char* const names[] = {"General", "Games", "Skins", "Sounds", "ModlistEditor", "ConfigManager",
                               "HalfLifeManager", "LogoEditor"};
  for (int i = 0; i < 8; ++i) {
    *sheets[i] = new TTabSheet(this);
    (*sheets[i])->Name = names[i];
    (*sheets[i])->SetCaption(captions[i]);
    (*sheets[i])->SetPageControl(Page);
  }
  Page->OnChange = [this](TComponent* s) { PageChange(s); };

  BitBtn5 = Place<TBitBtn>(this, this, 8, 404, 130, 28);
  BitBtn5->SetCaption("Default settings");
  BitBtn1 = Place<TBitBtn>(this, this, 302, 404, 80, 28);
  BitBtn1->SetCaption("OK");
  BitBtn1->Default = true;
  BitBtn6 = Place<TBitBtn>(this, this, 388, 404, 80, 28);
  BitBtn6->SetCaption("Apply");
  BitBtn4 = Place<TBitBtn>(this, this, 474, 404, 80, 28);
  BitBtn4->SetKind(bkCancel);
  BitBtn1->OnClick = BitBtn6->OnClick = [this](TComponent* s) { BitBtn1Click(s); };
  BitBtn4->OnClick = [this](TComponent* s) { BitBtn4Click(s); };
  BitBtn5->OnClick = [this](TComponent* s) { BitBtn5Click(s); };

  S2 = new TShellLink(this);
  S2->Arguments = "-tray";
  S2->Description = "Brannox 2000";
  S2->IconIndex = 0;
  S2->HotKey = 0;
  S2->WindowState = wsNormal;
}

void TForm3::BuildGeneralPage() {
  TNotifyEvent change = [this](TComponent* s) { GeneralChange(s); };
  ModlistGroup = Place<TGroupBox>(General, this, 8, 6, 260, 112);
  ModlistGroup->SetCaption("Modlist options");
  C12 = Check(ModlistGroup, this, 10, 20, 240, "Show numbers in modlist", "You will see numbers in modlist");
  C13 = Check(ModlistGroup, this, 10, 42, 240, "Smooth scroll in modlist", "Mod names scroll smoothly in modlist");
  Inve = Check(ModlistGroup, this, 10, 64, 240, "Invert modlist text Colors");
  DS = Check(ModlistGroup, this, 10, 86, 240, "Disable modlist default sound",
             "You hear this sound when you are top or bottom of the modlist");

  OtherGroup = Place<TGroupBox>(General, this, 8, 124, 260, 112);
  OtherGroup->SetCaption("Other options");
  C2 = Check(OtherGroup, this, 10, 20, 244, "Close BX2000 when mod is activated",
             "Brannox will automaticly be closed when you start a mod");
  TOPS1 = Check(OtherGroup, this, 10, 46, 60, "Show");
  TOPS = Place<TComboBox>(OtherGroup, this, 68, 44, 92, 22);
  TOPS->Style = csDropDownList;
  for (const char* s : {"top 5 mods", "top 10 mods", "top 15 mods", "top 20 mods"}) TOPS->Items.Add(s);
  PopupLabel = Text(OtherGroup, this, 164, 48, 92, "in popup menu");
  C14 = Check(OtherGroup, this, 10, 78, 244, "Auto start Brannox 2000 to sys.tray",
              "Brannox starts automaticly and goes in to sys.tray");

  HalfLifeGroup = Place<TGroupBox>(General, this, 8, 242, 260, 48);
  HalfLifeGroup->SetCaption("Half-life options");
  CheckBox4 = Check(HalfLifeGroup, this, 10, 20, 240, "Randomize mapcycle.txt");

  DisplayGroup = Place<TGroupBox>(General, this, 274, 6, 268, 250);
  DisplayGroup->SetCaption("Display options");
  // The colour buttons keep their custom colours under "<button>.<parent>".
  DisplayGroup->Name = "DisplayGroup";
  C4 = Check(DisplayGroup, this, 10, 20, 244, "Show splash screen at startup",
             "When you start Brannox it will show you cool start image");
  C5 = Check(DisplayGroup, this, 10, 42, 244, "Always on top", "BX2000 is top of everything");
  C10 = Check(DisplayGroup, this, 10, 66, 160, "Snap BX2000 window at", "Brannox will not go over screen");
  SpinEdit1 = Place<TSnapSpinEdit>(DisplayGroup, this, 172, 64, 54, 22);
  SpinEdit1->MinValue = 0;
  SpinEdit1->MaxValue = kSnapMax;
  SpinEdit1->Hint = "Brannox will not go over screen";
  PixelsLabel = Text(DisplayGroup, this, 229, 68, 36, "pixels");
  Fa1 = Check(DisplayGroup, this, 10, 92, 244, "Fade BX2000 (requires Windows 2000)",
              "This option requires Windows 2000");
  Cu1 = Check(DisplayGroup, this, 10, 116, 168, "Use Brannox 2000 cursors", "Brannox uses it own cursors");
  Curs = Place<TComboBox>(DisplayGroup, this, 178, 114, 84, 22);
  Curs->Style = csDropDownList;
  for (const char* s : {"Cursors1", "Cursors2"}) Curs->Items.Add(s);
  C9 = Check(DisplayGroup, this, 10, 142, 244, "Use colorful window captions",
             "Brannox 2000 will use colorful window captions. Colors go by the skin colors.");
  const char* customHint = "You can choose custom caption colors";
  C11 = Check(DisplayGroup, this, 10, 166, 244, "Custom colorful captions", customHint);
  Label10 = Text(DisplayGroup, this, 28, 196, 36, "Left:");
  E1 = Place<TColorDropButton>(DisplayGroup, this, 66, 192, TColorDropButton::kDefaultWidth,
                               TColorDropButton::kDefaultHeight);
  Label11 = Text(DisplayGroup, this, 124, 196, 40, "Right:");
  E2 = Place<TColorDropButton>(DisplayGroup, this, 166, 192, TColorDropButton::kDefaultWidth,
                               TColorDropButton::kDefaultHeight);
  E1->Name = "E1";
  E2->Name = "E2";
  for (TColorDropButton* b : {E1, E2}) {
    b->Hint = customHint;
    b->CustomColorsKey = "bx2000_stats.ini";
    TColorArrayClass custom(8, 2);
    for (int i = 1; i <= custom.Count(); ++i) custom.SetLinear(i, clWhite);
    custom.SetColor(1, 1, StringToColor(kCaptionColorDefault));
    b->SetCustomColors(custom);
    b->OnColorChange = change;
  }
  for (TCheckBox* c : {C12, C13, Inve, DS, C2, TOPS1, C14, C4, C5, C10, Fa1, Cu1, C9, C11, CheckBox4})
    c->OnClick = change;
  TOPS->OnChange = Curs->OnChange = change;
  SpinEdit1->OnChange = change;
}

void TForm3::GeneralChange(TComponent* sender) {
  EnableApply();
  if (sender == C10) SpinEdit1->SetEnabled(C10->Checked());
  if (sender == Cu1) Curs->SetEnabled(Cu1->Checked());
  if (sender == TOPS1) TOPS->SetEnabled(TOPS1->Checked());
  if (sender == C11) C11Click(sender);
  if (sender == C9) C9Click(sender);
}

void TForm3::C11Click(TComponent*) {
  bool on = C11->Checked() && C11->Enabled;
  for (TControl* c : std::initializer_list<TControl*>{Label10, Label11, E1, E2}) c->SetEnabled(on);
}

void TForm3::C9Click(TComponent*) {
  C11->SetEnabled(C9->Checked());
  C11Click(C11);
}

void TForm3::MakeCaptionBar() {
  delete Cap1;
  auto colors = Host.SkinColors ? Host.SkinColors() : std::pair<TColor, TColor>(clLime, clGreen);
  Cap1 = ::MakeCaptionBar(*this, *Host.OptionsIni, colors);
}

void TForm3::FormCreate() {
  FRandom.seed(unsigned(std::time(nullptr)));
  UpdateHalfLifePages();
  Page->SetActivePage(General);
  MakeCaptionBar();
  LoadLogoStore();
  // A missing skins folder gets the built-in package.
  const std::string skins = SkinsDir();
  if (!DirectoryExists(skins) && CreateDirectoryA(skins.c_str(), nullptr)) {
    std::vector<uint8_t> package = LoadResourceBytes("DEFAULTSKIN", MAKEINTRESOURCEA(10) /* RT_RCDATA */);
    if (!package.empty())
      SaveFileAtomically(skins + kDefaultSkin, [&](TStream& s) { s.WriteBuffer(package.data(), int64_t(package.size())); });
  }
  LoadStoredListColors();
  FillSkinList();
  SelectSkin(Host.OptionsIni->ReadString(kOptions, "Nahka", ""));
  B1Change(B1);
  LoadSoundChoices();
  LoadGeneralOptions();
  std::string startup = GetSpecialFolderPath(Host.Window, kStartupFolderIndex);
  C14->SetChecked(!startup.empty() && FileExists(IncludeTrailingBackslash(startup) + kStartupShortcut));
  BitBtn6->SetEnabled(false);
}

void TForm3::LoadGeneralOptions() {
  const TIniFile& o = *Host.OptionsIni;
  C9->SetChecked(o.ReadBool(kOptions, "Colorcap", true));
  Cu1->SetChecked(o.ReadBool(kOptions, "bxcursors", true));
  Curs->SetItemIndex(o.ReadInteger(kOptions, "cursor", 0) != 0 ? 1 : 0);
  Curs->SetEnabled(Cu1->Checked());
  TOPS1->SetChecked(o.ReadBool(kOptions, "showtops", true));
  int tops = o.ReadInteger(kOptions, "showtopsindex", 0);
  TOPS->SetItemIndex(tops >= 0 && tops < TOPS->Items.Count() ? tops : 0);
  TOPS->SetEnabled(TOPS1->Checked());
  SpinEdit1->SetValue(o.ReadInteger(kOptions, "Snappixels", kSnapDefault));
  DS->SetChecked(o.ReadBool(kOptions, "disbeep", false));
  Inve->SetChecked(o.ReadBool(kOptions, "invert", false));
  C13->SetChecked(o.ReadBool(kOptions, "smooth", false));
  C12->SetChecked(o.ReadBool(kOptions, "shownumbers", false));
  C10->SetChecked(o.ReadBool(kOptions, "Snap", true));
  SpinEdit1->SetEnabled(C10->Checked());
  Fa1->SetChecked(o.ReadBool(kOptions, "fade", true));
  C11->SetChecked(o.ReadBool(kOptions, "usercolors", false));
  TColor def = StringToColor(kCaptionColorDefault);
  E2->SetColor(ReadColorOption(o, "customcolor", def));
  E1->SetColor(ReadColorOption(o, "customcolor2", def));
  C9Click(C9);
}

void TForm3::FormShow() {
  C1->Items.Clear();
  C1->SetText("");
  S1->SetText("");
  ReadGames();
  if (Host.OptionsIni->ReadInteger(kOptions, "Aloitus", 0) == 0) pelit();
  if (L1->Items.Count() > 0) {
    L1->SetItemIndex(0);
    L1Click(L1);
  }
  const TIniFile& o = *Host.OptionsIni;
  CheckBox4->SetChecked(o.ReadBool(kOptions, "hlmapcycle", false));
  C2->SetChecked(o.ReadBool(kOptions, "Sammuta", false));
  C4->SetChecked(o.ReadBool(kOptions, "splash", true));
  C5->SetChecked(o.ReadBool(kOptions, "top", false));
  C6->SetChecked(o.ReadBool(kOptions, "random", false));
  BitBtn6->SetEnabled(false);
}

void TForm3::PageChange(TComponent*) {
  if (Host.ClickSound) Host.ClickSound();
}

void TForm3::UpdateStartupShortcut() {
  std::string startup = GetSpecialFolderPath(Host.Window, kStartupFolderIndex);
  if (startup.empty() || !DirectoryExists(startup)) {
    // Nothing is written or removed; the user learns that it did not happen.
    MessageDlg("The Startup folder was not found: the start-up shortcut was not changed.", mtWarning, mbOK);
    return;
  }
  std::string link = IncludeTrailingBackslash(startup) + kStartupShortcut;
  try {
    if (C14->Checked()) {
      char exe[MAX_PATH] = "";
      GetModuleFileNameA(nullptr, exe, MAX_PATH);
      S2->LinkFile = link;
      S2->ProgramFile = exe;
      S2->WorkingDirectory.clear();
      S2->Write();
    } else if (FileExists(link) && !DeleteFileA(link.c_str())) {
      throw EShellLinkError("Cannot delete " + link);
    }
  } catch (const EShellLinkError& e) {
    MessageDlg(std::string("The start-up shortcut was not changed: ") + e.what(), mtWarning, mbOK);
  }
}

void TForm3::WriteOptions() {
  TIniFile& o = *Host.OptionsIni;
  o.WriteBool(kOptions, "hlmapcycle", CheckBox4->Checked());
  // The logo editor's folder is its page's; this page keeps what is stored.
  o.WriteString(kOptions, "logodir", o.ReadString(kOptions, "logodir", ""));
  o.WriteInteger(kOptions, "Snappixels", SpinEdit1->Value());
  o.WriteBool(kOptions, "disbeep", DS->Checked());
  o.WriteBool(kOptions, "invert", Inve->Checked());
  o.WriteBool(kOptions, "showtops", TOPS1->Checked());
  o.WriteInteger(kOptions, "showtopsindex", std::max(0, TOPS->ItemIndex()));
  o.WriteInteger(kOptions, "cursor", std::max(0, Curs->ItemIndex()));
  o.WriteBool(kOptions, "smooth", C13->Checked());
  o.WriteBool(kOptions, "shownumbers", C12->Checked());
  o.WriteBool(kOptions, "bxcursors", Cu1->Checked());
  o.WriteBool(kOptions, "fade", Fa1->Checked());
  o.WriteBool(kOptions, "Snap", C10->Checked());
  o.WriteBool(kOptions, "Colorcap", C9->Checked());
  o.WriteBool(kOptions, "Nosound", C8->Checked());
  o.WriteBool(kOptions, "defaultsound", C7->Checked());
  o.WriteBool(kOptions, "randomsound", R1->Checked());
  o.WriteString(kOptions, "Sound", edit1->Text());
  o.WriteBool(kOptions, "Sammuta", C2->Checked());
  o.WriteBool(kOptions, "splash", C4->Checked());
  o.WriteBool(kOptions, "top", C5->Checked());
  o.WriteBool(kOptions, "random", C6->Checked());
  o.WriteBool(kOptions, "Nocsound", CB1->Checked());
  o.WriteBool(kOptions, "defaultcsound", CB2->Checked());
  o.WriteString(kOptions, "cSound", edit2->Text());
  o.WriteBool(kOptions, "randomcsound", R2->Checked());
  o.WriteBool(kOptions, "usercolors", C11->Checked());
  o.WriteString(kOptions, "customcolor2", ColorToString(E1->Color()));
  o.WriteString(kOptions, "customcolor", ColorToString(E2->Color()));
  std::string skin = SelectedSkin();
  if (!skin.empty()) o.WriteString(kOptions, "Nahka", skin);
  o.WriteString(kOptions, "Vari", ColorToString(Color1->Color()));
  o.WriteString(kOptions, "Vari2", ColorToString(Color2->Color()));
}

void TForm3::BitBtn1Click(TComponent* sender) {
  if (!OfferToSaveEditors()) return;
  bool ok = sender == BitBtn1;
  if (Host.MediaPlayer) {
    try {
      Host.MediaPlayer->Close();
    } catch (const std::exception&) {
      // Nothing was playing.
    }
  }
  BitBtn6->SetEnabled(false);
  if (Host.OptionsIni->ReadInteger(kOptions, "Aloitus", 0) == 0) {
    BitBtn2Click(BitBtn2);
    Host.OptionsIni->WriteInteger(kOptions, "Aloitus", 1);
  }
  UpdateStartupShortcut();
  WriteOptions();
  std::string skin = SelectedSkin();
  if (!skin.empty() && FileExists(SkinsDir() + skin) && Host.ApplySkin) Host.ApplySkin(skin);
  if (ok) {
    ModalResult = mrOk;
    return;
  }
  if (Host.ReapplyOptions) Host.ReapplyOptions();
  MakeCaptionBar();
}

void TForm3::BitBtn4Click(TComponent*) {
  if (OfferToSaveEditors()) ModalResult = mrCancel;
}

void TForm3::BitBtn5Click(TComponent*) {
  if (MessageDlg("Confirm reset to default settings?", mtConfirmation, mbYesNo) != mrYes) return;
  SpinEdit1->SetValue(kSnapReset);
  for (TCheckBox* c : {CheckBox4, DS, Inve, C14, C13, C12, C2, C5, C6, C11}) c->SetChecked(false);
  for (TCheckBox* c : {TOPS1, C4, C9, C10, Fa1, Cu1}) c->SetChecked(true);
  C8->SetChecked(false);
  CB1->SetChecked(false);
  C7->SetChecked(true);
  CB2->SetChecked(true);
  TOPS->SetItemIndex(0);
  if (!SelectSkin(kDefaultSkin)) B1->SetItemIndex(-1);
  else B1Change(B1);
  edit1->SetText("");
  Curs->SetItemIndex(0);
  Curs->SetEnabled(true);
  SoundChoiceClick(StartSound);
  SoundChoiceClick(ClickSound);
  C9Click(C9);
  SpinEdit1->SetEnabled(C10->Checked());
  EnableApply();
}

int ShowSettingsDialog(TSettingsHost& host, const std::string& pageCaption) {
  TForm3 form(nullptr, host);
  form.FormShow();
  for (int i = 0; i < form.Page->PageCount(); ++i)
    if (!pageCaption.empty() && SameText(form.Page->Pages(i)->Caption(), pageCaption))
      form.Page->SetActivePageIndex(i);
  return form.ShowModal();
}

void RunSettingsSearch(TSettingsHost& host, TSettingsSearch search) {
  TForm3 form(nullptr, host);
  if (search == TSettingsSearch::FindGames) form.BitBtn3Click(form.BitBtn3);
  else form.BitBtn2Click(form.BitBtn2);
}
