// TSettingsDialog: the Settings dialog's frame, its "General" page, Options.ini
// [Asetukset], OK, Apply, Cancel and "Default settings".
#include "SettingsDialog.h"

#include <ctime>

#include "ControlMaking.h"
#include "DialogCaption.h"
#include "Dialogs.h"
#include "FileUtils.h"
#include "LauncherFiles.h"
#include "SharedNames.h"
#include "Streams.h"
#include "WinGraphics.h"
#include "pika.h"

using namespace ctrl;

namespace {
constexpr int kClientWidth = 560, kClientHeight = 440;
// The snap distances.
constexpr int kSnapDefault = 20, kSnapReset = 10, kSnapMax = 100;
constexpr char kStartupShortcut[] = "Brannox 2000.lnk";
constexpr int kStartupFolderIndex = 7;
constexpr char kDefaultSkin[] = "Bx2k8.bxs";
// Enough for every distance from 0 to kSnapMax.
constexpr int kSnapDigits = 3;
// ms after showing, the first run's search for the games starts: a timer
// comes only after the dialog has been painted.
constexpr unsigned kFirstRunSearchDelay = 20;

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

TSettingsDialog::TSettingsDialog(TComponent* owner, TSettingsHost& host) : TDialogForm(owner, host.Window), Host(host) {
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

TSettingsDialog::~TSettingsDialog() = default;

void TSettingsDialog::BuildFrame() {
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
  // An editor page's unsaved text is offered for saving before another page
  // shows and before the dialog closes; Cancel keeps both where they are.
  Page->OnChanging = [this](TComponent*, bool& allow) { allow = OfferToSaveEditors(); };
  OnCloseQuery = [this](TComponent*, bool& canClose) { canClose = OfferToSaveEditors(); };

  DefaultsButton = Place<TBitBtn>(this, this, 8, 404, 130, 28);
  DefaultsButton->SetCaption("Default settings");
  OkButton = Place<TBitBtn>(this, this, 302, 404, 80, 28);
  OkButton->SetCaption("OK");
  OkButton->Default = true;
  ApplyButton = Place<TBitBtn>(this, this, 388, 404, 80, 28);
  ApplyButton->SetCaption("Apply");
  CancelButton = Place<TBitBtn>(this, this, 474, 404, 80, 28);
  CancelButton->SetKind(bkCancel);
  OkButton->OnClick = ApplyButton->OnClick = [this](TComponent* s) { OkButtonClick(s); };
  CancelButton->OnClick = [this](TComponent* s) { CancelButtonClick(s); };
  DefaultsButton->OnClick = [this](TComponent* s) { DefaultsButtonClick(s); };

  FirstRunSearchTimer = new TTimer(this);
  FirstRunSearchTimer->SetInterval(kFirstRunSearchDelay);
  FirstRunSearchTimer->OnTimer = [this](TComponent* s) { FirstRunSearchTimerTimer(s); };

  StartupShortcutLink = new TShellLink(this);
  StartupShortcutLink->Arguments = "-tray";
  StartupShortcutLink->Description = "Brannox 2000";
  StartupShortcutLink->IconIndex = 0;
  StartupShortcutLink->HotKey = 0;
  StartupShortcutLink->WindowState = wsNormal;
}

void TSettingsDialog::BuildGeneralPage() {
  TNotifyEvent change = [this](TComponent* s) { GeneralChange(s); };
  ModlistGroup = Place<TGroupBox>(General, this, 8, 6, 260, 112);
  ModlistGroup->SetCaption("Modlist options");
  ShowNumbersCheck =
      Check(ModlistGroup, this, 10, 20, 240, "Show numbers in modlist", "You will see numbers in modlist");
  SmoothScrollCheck =
      Check(ModlistGroup, this, 10, 42, 240, "Smooth scroll in modlist", "Mod names scroll smoothly in modlist");
  InvertListColorsCheck = Check(ModlistGroup, this, 10, 64, 240, "Invert modlist text Colors");
  NoEdgeSoundCheck = Check(ModlistGroup, this, 10, 86, 240, "Disable modlist default sound",
             "You hear this sound when you are top or bottom of the modlist");

  OtherGroup = Place<TGroupBox>(General, this, 8, 124, 260, 112);
  OtherGroup->SetCaption("Other options");
  CloseOnStartCheck = Check(OtherGroup, this, 10, 20, 244, "Close BX2000 when mod is activated",
             "Brannox will automaticly be closed when you start a mod");
  ShowTopsCheck = Check(OtherGroup, this, 10, 46, 60, "Show");
  TopsCountCombo = Place<TComboBox>(OtherGroup, this, 68, 44, 92, 22);
  TopsCountCombo->Style = csDropDownList;
  for (const char* s : {"top 5 mods", "top 10 mods", "top 15 mods", "top 20 mods"}) TopsCountCombo->Items.Add(s);
  PopupLabel = Text(OtherGroup, this, 164, 48, 92, "in popup menu");
  TrayAutoStartCheck = Check(OtherGroup, this, 10, 78, 244, "Auto start Brannox 2000 to sys.tray",
              "Brannox starts automaticly and goes in to sys.tray");

  HalfLifeGroup = Place<TGroupBox>(General, this, 8, 242, 260, 48);
  HalfLifeGroup->SetCaption("Half-life options");
  RandomMapCycleCheck = Check(HalfLifeGroup, this, 10, 20, 240, "Randomize mapcycle.txt");

  DisplayGroup = Place<TGroupBox>(General, this, 274, 6, 268, 250);
  DisplayGroup->SetCaption("Display options");
  // The colour buttons keep their custom colours under "<button>.<parent>".
  DisplayGroup->Name = "DisplayGroup";
  SplashCheck = Check(DisplayGroup, this, 10, 20, 244, "Show splash screen at startup",
             "When you start Brannox it will show you cool start image");
  AlwaysOnTopCheck = Check(DisplayGroup, this, 10, 42, 244, "Always on top", "BX2000 is top of everything");
  SnapCheck = Check(DisplayGroup, this, 10, 66, 160, "Snap BX2000 window at", "Brannox will not go over screen");
  SnapDistanceEdit = Place<TSnapSpinEdit>(DisplayGroup, this, 172, 64, 54, 22);
  SnapDistanceEdit->MinValue = 0;
  SnapDistanceEdit->MaxValue = kSnapMax;
  SnapDistanceEdit->Hint = "Brannox will not go over screen";
  PixelsLabel = Text(DisplayGroup, this, 229, 68, 36, "pixels");
  FadeCheck = Check(DisplayGroup, this, 10, 92, 244, "Fade BX2000 (requires Windows 2000)",
              "This option requires Windows 2000");
  OwnCursorsCheck = Check(DisplayGroup, this, 10, 116, 168, "Use Brannox 2000 cursors", "Brannox uses it own cursors");
  CursorSetCombo = Place<TComboBox>(DisplayGroup, this, 178, 114, 84, 22);
  CursorSetCombo->Style = csDropDownList;
  for (const char* s : {"Cursors1", "Cursors2"}) CursorSetCombo->Items.Add(s);
  ColorCaptionsCheck = Check(DisplayGroup, this, 10, 142, 244, "Use colorful window captions",
             "Brannox 2000 will use colorful window captions. Colors go by the skin colors.");
  const char* customHint = "You can choose custom caption colors";
  CustomCaptionColorsCheck = Check(DisplayGroup, this, 10, 166, 244, "Custom colorful captions", customHint);
  LeftColorLabel = Text(DisplayGroup, this, 28, 196, 36, "Left:");
  LeftColorButton = Place<TColorDropButton>(DisplayGroup, this, 66, 192, TColorDropButton::kDefaultWidth,
                               TColorDropButton::kDefaultHeight);
  RightColorLabel = Text(DisplayGroup, this, 124, 196, 40, "Right:");
  RightColorButton = Place<TColorDropButton>(DisplayGroup, this, 166, 192, TColorDropButton::kDefaultWidth,
                               TColorDropButton::kDefaultHeight);
  LeftColorButton->Name = "E1";
  RightColorButton->Name = "E2";
  for (TColorDropButton* b : {LeftColorButton, RightColorButton}) {
    b->Hint = customHint;
    b->CustomColorsKey = kStatsFile;
    TColorArrayClass custom(8, 2);
    for (int i = 1; i <= custom.Count(); ++i) custom.SetLinear(i, clWhite);
    custom.SetColor(1, 1, StringToColor(kCaptionColorDefault));
    b->SetCustomColors(custom);
    b->OnColorChange = change;
  }
  for (TCheckBox* c : {ShowNumbersCheck, SmoothScrollCheck, InvertListColorsCheck, NoEdgeSoundCheck, CloseOnStartCheck,
                       ShowTopsCheck, TrayAutoStartCheck, SplashCheck, AlwaysOnTopCheck, SnapCheck, FadeCheck,
                       OwnCursorsCheck, ColorCaptionsCheck, CustomCaptionColorsCheck, RandomMapCycleCheck})
    c->OnClick = change;
  TopsCountCombo->OnChange = CursorSetCombo->OnChange = change;
  SnapDistanceEdit->OnChange = change;
}

void TSettingsDialog::GeneralChange(TComponent* sender) {
  EnableApply();
  if (sender == SnapCheck) SnapDistanceEdit->SetEnabled(SnapCheck->Checked());
  if (sender == OwnCursorsCheck) CursorSetCombo->SetEnabled(OwnCursorsCheck->Checked());
  if (sender == ShowTopsCheck) TopsCountCombo->SetEnabled(ShowTopsCheck->Checked());
  if (sender == CustomCaptionColorsCheck) CustomCaptionColorsCheckClick(sender);
  if (sender == ColorCaptionsCheck) ColorCaptionsCheckClick(sender);
}

void TSettingsDialog::CustomCaptionColorsCheckClick(TComponent*) {
  bool on = CustomCaptionColorsCheck->Checked() && CustomCaptionColorsCheck->Enabled;
  for (TControl* c :
       std::initializer_list<TControl*>{LeftColorLabel, RightColorLabel, LeftColorButton, RightColorButton})
    c->SetEnabled(on);
}

void TSettingsDialog::ColorCaptionsCheckClick(TComponent*) {
  CustomCaptionColorsCheck->SetEnabled(ColorCaptionsCheck->Checked());
  CustomCaptionColorsCheckClick(CustomCaptionColorsCheck);
}

void TSettingsDialog::MakeCaptionBar() {
  delete CaptionBar;
  auto colors = Host.SkinColors ? Host.SkinColors() : std::pair<TColor, TColor>(clLime, clGreen);
  CaptionBar = ::MakeCaptionBar(*this, *Host.OptionsIni, colors);
}

void TSettingsDialog::FormCreate() {
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
      SaveFileAtomically(skins + kDefaultSkin,
                         [&](TStream& s) { s.WriteBuffer(package.data(), int64_t(package.size())); });
  }
  LoadStoredListColors();
  FillSkinList();
  SelectSkin(Host.OptionsIni->ReadString(kOptions, kSkinKey, ""));
  SkinComboChange(SkinCombo);
  LoadSoundChoices();
  LoadGeneralOptions();
  std::string startup = GetSpecialFolderPath(Host.Window, kStartupFolderIndex);
  TrayAutoStartCheck->SetChecked(!startup.empty() && FileExists(IncludeTrailingBackslash(startup) + kStartupShortcut));
  ApplyButton->SetEnabled(false);
}

void TSettingsDialog::LoadGeneralOptions() {
  const TIniFile& o = *Host.OptionsIni;
  ColorCaptionsCheck->SetChecked(o.ReadBool(kOptions, "Colorcap", true));
  OwnCursorsCheck->SetChecked(o.ReadBool(kOptions, "bxcursors", true));
  CursorSetCombo->SetItemIndex(o.ReadInteger(kOptions, "cursor", 0) != 0 ? 1 : 0);
  CursorSetCombo->SetEnabled(OwnCursorsCheck->Checked());
  ShowTopsCheck->SetChecked(o.ReadBool(kOptions, "showtops", true));
  int tops = o.ReadInteger(kOptions, "showtopsindex", 0);
  TopsCountCombo->SetItemIndex(tops >= 0 && tops < TopsCountCombo->Items.Count() ? tops : 0);
  TopsCountCombo->SetEnabled(ShowTopsCheck->Checked());
  SnapDistanceEdit->SetValue(o.ReadInteger(kOptions, "Snappixels", kSnapDefault));
  NoEdgeSoundCheck->SetChecked(o.ReadBool(kOptions, "disbeep", false));
  InvertListColorsCheck->SetChecked(o.ReadBool(kOptions, "invert", false));
  SmoothScrollCheck->SetChecked(o.ReadBool(kOptions, "smooth", false));
  ShowNumbersCheck->SetChecked(o.ReadBool(kOptions, "shownumbers", false));
  SnapCheck->SetChecked(o.ReadBool(kOptions, "Snap", true));
  SnapDistanceEdit->SetEnabled(SnapCheck->Checked());
  FadeCheck->SetChecked(o.ReadBool(kOptions, "fade", true));
  CustomCaptionColorsCheck->SetChecked(o.ReadBool(kOptions, "usercolors", false));
  TColor def = StringToColor(kCaptionColorDefault);
  RightColorButton->SetColor(ReadColorOption(o, "customcolor", def));
  LeftColorButton->SetColor(ReadColorOption(o, "customcolor2", def));
  ColorCaptionsCheckClick(ColorCaptionsCheck);
}

void TSettingsDialog::FormShow() {
  ParameterCombo->Items.Clear();
  ParameterCombo->SetText("");
  LocationEdit->SetText("");
  ReadGames();
  // On the first run "Find games" runs once the dialog is on screen: its
  // questions then come over the dialog, not over an empty screen.
  FirstRunSearchTimer->SetEnabled(Host.OptionsIni->ReadInteger(kOptions, "Aloitus", 0) == 0);
  if (GameList->Items.Count() > 0) {
    GameList->SetItemIndex(0);
    GameListClick(GameList);
  }
  const TIniFile& o = *Host.OptionsIni;
  RandomMapCycleCheck->SetChecked(o.ReadBool(kOptions, "hlmapcycle", false));
  CloseOnStartCheck->SetChecked(o.ReadBool(kOptions, "Sammuta", false));
  SplashCheck->SetChecked(o.ReadBool(kOptions, "splash", true));
  AlwaysOnTopCheck->SetChecked(o.ReadBool(kOptions, "top", false));
  RandomSkinCheck->SetChecked(o.ReadBool(kOptions, kRandomSkinKey, false));
  ApplyButton->SetEnabled(false);
}

void TSettingsDialog::FirstRunSearchTimerTimer(TComponent*) {
  FirstRunSearchTimer->SetEnabled(false);
  FindGames();
  // The Games page and the Half-Life pages show what the search found.
  GameListClick(GameList);
  UpdateHalfLifePages();
}

void TSettingsDialog::PageChange(TComponent*) {
  if (Host.ClickSound) Host.ClickSound();
}

void TSettingsDialog::UpdateStartupShortcut() {
  std::string startup = GetSpecialFolderPath(Host.Window, kStartupFolderIndex);
  if (startup.empty() || !DirectoryExists(startup)) {
    // Nothing is written or removed; the user learns that it did not happen.
    MessageDlg("The Startup folder was not found: the start-up shortcut was not changed.", mtWarning, mbOK);
    return;
  }
  std::string link = IncludeTrailingBackslash(startup) + kStartupShortcut;
  try {
    if (TrayAutoStartCheck->Checked()) {
      char exe[MAX_PATH] = "";
      GetModuleFileNameA(nullptr, exe, MAX_PATH);
      StartupShortcutLink->LinkFile = link;
      StartupShortcutLink->ProgramFile = exe;
      StartupShortcutLink->WorkingDirectory.clear();
      StartupShortcutLink->Write();
    } else if (FileExists(link) && !DeleteFileA(link.c_str())) {
      throw EShellLinkError("Cannot delete " + link);
    }
  } catch (const EShellLinkError& e) {
    MessageDlg(std::string("The start-up shortcut was not changed: ") + e.what(), mtWarning, mbOK);
  }
}

void TSettingsDialog::WriteOptions() {
  TIniFile& o = *Host.OptionsIni;
  o.WriteBool(kOptions, "hlmapcycle", RandomMapCycleCheck->Checked());
  // The logo editor's folder is its page's; this page keeps what is stored.
  o.WriteString(kOptions, "logodir", o.ReadString(kOptions, "logodir", ""));
  o.WriteInteger(kOptions, "Snappixels", SnapDistanceEdit->Value());
  o.WriteBool(kOptions, "disbeep", NoEdgeSoundCheck->Checked());
  o.WriteBool(kOptions, "invert", InvertListColorsCheck->Checked());
  o.WriteBool(kOptions, "showtops", ShowTopsCheck->Checked());
  o.WriteInteger(kOptions, "showtopsindex", std::max(0, TopsCountCombo->ItemIndex()));
  o.WriteInteger(kOptions, "cursor", std::max(0, CursorSetCombo->ItemIndex()));
  o.WriteBool(kOptions, "smooth", SmoothScrollCheck->Checked());
  o.WriteBool(kOptions, "shownumbers", ShowNumbersCheck->Checked());
  o.WriteBool(kOptions, "bxcursors", OwnCursorsCheck->Checked());
  o.WriteBool(kOptions, "fade", FadeCheck->Checked());
  o.WriteBool(kOptions, "Snap", SnapCheck->Checked());
  o.WriteBool(kOptions, "Colorcap", ColorCaptionsCheck->Checked());
  o.WriteBool(kOptions, "Nosound", NoStartSoundRadio->Checked());
  o.WriteBool(kOptions, "defaultsound", DefaultStartSoundRadio->Checked());
  o.WriteBool(kOptions, "randomsound", RandomStartSoundRadio->Checked());
  o.WriteString(kOptions, "Sound", StartSoundCombo->Text());
  o.WriteBool(kOptions, "Sammuta", CloseOnStartCheck->Checked());
  o.WriteBool(kOptions, "splash", SplashCheck->Checked());
  o.WriteBool(kOptions, "top", AlwaysOnTopCheck->Checked());
  o.WriteBool(kOptions, kRandomSkinKey, RandomSkinCheck->Checked());
  o.WriteBool(kOptions, "Nocsound", NoClickSoundRadio->Checked());
  o.WriteBool(kOptions, "defaultcsound", DefaultClickSoundRadio->Checked());
  o.WriteString(kOptions, "cSound", ClickSoundCombo->Text());
  o.WriteBool(kOptions, "randomcsound", RandomClickSoundRadio->Checked());
  o.WriteBool(kOptions, "usercolors", CustomCaptionColorsCheck->Checked());
  o.WriteString(kOptions, "customcolor2", ColorToString(LeftColorButton->Color()));
  o.WriteString(kOptions, "customcolor", ColorToString(RightColorButton->Color()));
  std::string skin = SelectedSkin();
  if (!skin.empty()) o.WriteString(kOptions, kSkinKey, skin);
  o.WriteString(kOptions, "Vari", ColorToString(SelectedColorButton->Color()));
  o.WriteString(kOptions, "Vari2", ColorToString(UnselectedColorButton->Color()));
}

void TSettingsDialog::OkButtonClick(TComponent* sender) {
  if (!OfferToSaveEditors()) return;
  bool ok = sender == OkButton;
  if (Host.MediaPlayer) {
    try {
      Host.MediaPlayer->Close();
    } catch (const std::exception&) {
      // Nothing was playing.
    }
  }
  ApplyButton->SetEnabled(false);
  // Options.ini is written once, whole, with every option of the dialog.
  TIniUpdate update(*Host.OptionsIni);
  if (Host.OptionsIni->ReadInteger(kOptions, "Aloitus", 0) == 0) {
    FindModsButtonClick(FindModsButton);
    Host.OptionsIni->WriteInteger(kOptions, "Aloitus", 1);
  }
  UpdateStartupShortcut();
  WriteOptions();
  update.Commit();
  std::string skin = SelectedSkin();
  if (!skin.empty() && FileExists(SkinsDir() + skin) && Host.ApplySkin) Host.ApplySkin(skin);
  if (ok) {
    ModalResult = mrOk;
    return;
  }
  if (Host.ReapplyOptions) Host.ReapplyOptions();
  MakeCaptionBar();
}

void TSettingsDialog::CancelButtonClick(TComponent*) {
  if (OfferToSaveEditors()) ModalResult = mrCancel;
}

void TSettingsDialog::DefaultsButtonClick(TComponent*) {
  if (MessageDlg("Confirm reset to default settings?", mtConfirmation, mbYesNo) != mrYes) return;
  SnapDistanceEdit->SetValue(kSnapReset);
  for (TCheckBox* c :
       {RandomMapCycleCheck, NoEdgeSoundCheck, InvertListColorsCheck, TrayAutoStartCheck, SmoothScrollCheck,
        ShowNumbersCheck, CloseOnStartCheck, AlwaysOnTopCheck, RandomSkinCheck, CustomCaptionColorsCheck})
    c->SetChecked(false);
  for (TCheckBox* c : {ShowTopsCheck, SplashCheck, ColorCaptionsCheck, SnapCheck, FadeCheck, OwnCursorsCheck})
    c->SetChecked(true);
  NoStartSoundRadio->SetChecked(false);
  NoClickSoundRadio->SetChecked(false);
  DefaultStartSoundRadio->SetChecked(true);
  DefaultClickSoundRadio->SetChecked(true);
  TopsCountCombo->SetItemIndex(0);
  if (!SelectSkin(kDefaultSkin)) SkinCombo->SetItemIndex(-1);
  else SkinComboChange(SkinCombo);
  StartSoundCombo->SetText("");
  CursorSetCombo->SetItemIndex(0);
  CursorSetCombo->SetEnabled(true);
  SoundChoiceClick(StartSound);
  SoundChoiceClick(ClickSound);
  ColorCaptionsCheckClick(ColorCaptionsCheck);
  SnapDistanceEdit->SetEnabled(SnapCheck->Checked());
  EnableApply();
}

int ShowSettingsDialog(TSettingsHost& host, const std::string& pageCaption) {
  TSettingsDialog form(nullptr, host);
  form.FormShow();
  for (int i = 0; i < form.Page->PageCount(); ++i)
    if (!pageCaption.empty() && SameText(form.Page->Pages(i)->Caption(), pageCaption))
      form.Page->SetActivePageIndex(i);
  return form.ShowModal();
}

void RunSettingsSearch(TSettingsHost& host, TSettingsSearch search) {
  TSettingsDialog form(nullptr, host);
  if (search == TSettingsSearch::FindGames) form.FindGamesButtonClick(form.FindGamesButton);
  else form.FindModsButtonClick(form.FindModsButton);
}
