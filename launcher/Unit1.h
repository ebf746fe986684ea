// TForm1, the launcher's main window. Its units, by concern: start-up and
// close (Unit1.cpp), applying the skin and options (Unit1_skin.cpp), the
// entry list and the page (Unit1_list.cpp), selecting and scrolling rows
// (Unit1_rows.cpp), starting an entry (Unit1_start.cpp), the timer with
// the fade (Unit1_timer.cpp), the commands and keys (Unit1_commands.cpp), the
// row menu (Unit1_menus.cpp, with the entry's files and maps in
// Unit1_entryfiles.cpp), the views and favourites (Unit1_views.cpp) and the
// skin buttons' mouse states (Unit1_buttons.cpp).
#pragma once
#include <array>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <tuple>
#include <unordered_map>

#include "BarPopupMenu.h"
#include "ExtCtrls.h"
#include "FileCtrl.h"
#include "FileUtils.h"
#include "Forms.h"
#include "ImgList.h"
#include "IniFiles.h"
#include "LayeredForm.h"
#include "MPlayer.h"
#include "Menus.h"
#include "NotifyIcon.h"
#include "Numero.h"
#include "OptionsSection.h"
#include "ShapedForm.h"
#include "StringList.h"
#include "brannoxskin.h"
#include "cabfiles.h"

// The skin cursor files kept in "temp\", in the order they are extracted.
extern const std::array<const char*, 18> kSkinCursorFiles;

// The rows of the page, as many as the skin lays out.
inline constexpr int kRows = int(std::tuple_size_v<decltype(Tbxskinmainlist::Items)>);
inline constexpr int kLastRow = kRows - 1;

// A quick entry of the row menu: its caption and whether it is shown.
struct TQuickItem {
  std::string Caption;
  bool Visible = false;
};

// What the Modify dialog starts with for an entry.
struct TEntryDialogValues {
  std::string Name, Mod, WinMem, Game, Map, Param, WebSite, Description, Readme, Config;
  bool RandomMapCycle = false;
  std::string Logo;  // the logo file, with its folder
};

class TAboutBox;

class TForm1 : public TForm {
public:
  explicit TForm1(TComponent* owner);
  ~TForm1() override;
  std::string ClassName() const override { return "TForm1"; }

  // The INI files the launcher shares; owned for the window's whole life.
  std::unique_ptr<TIniFile> OptionsIni, StartCountsIni, GamesIni, ModIni, StatsIni, ParametersIni;
  int StartCounter = 0;
  std::string ViewName;
  bool SkinDebug = false;
  int SnapPixels = 20;
  TColor SelectedColor = clBlack, UnselectedColor = clBlack;
  bool StyleChanged = false;
  bool SettingsIdle = true;

  // Components (owned through the component tree).
  TShapedForm* C1{};
  std::array<TLabel*, kRows> Labels{};  // Label1..Label13
  std::array<TImage*, kRows> Icons{};   // I1..I13
  TImage *Image18{}, *Image15{}, *Image17{}, *Image16{}, *Image14{}, *Image13{}, *Image1{}, *Image2a{}, *Image3a{};
  TMediaPlayer* MediaPlayer1{};
  TFileListBox *F1{}, *F2{};
  TCABFile* Cab1{};
  TBXSkin *bxs{}, *tyhja{};
  TTimer* A1{};
  TImageList* ImageList1{};

  // The row menu and its items (Unit1_menus.cpp).
  TBarPopupMenu* PopupMenu1{};
  TMenuItem *StartMod1{}, *Modification1{}, *Edit1{}, *Remove1{}, *Addtofavourites1{}, *Startmap1{}, *Custom1{},
      *Readme1{}, *ModManual1{}, *Config1{}, *Visit1{}, *Goto1{};
  TMenuItem *General1{}, *New1{}, *Removeall1{}, *Options1{}, *Editors1{}, *Modlisteditor1{}, *Configeditor1{},
      *Halflifemanager1{}, *HalfLifelogoeditor1{}, *Brannox2000skineditor1{}, *Findgamelocations1{},
      *Findmodifications1{}, *Info1{}, *Close1{};
  TMenuItem *View1{}, *Allmodifications1{}, *favourites{}, *MinimizetoTray1{}, *N3{};
  std::array<TMenuItem*, 20> QuickMenuItems{};  // N11, N21, ..., N201

  // The notification-area icon and the background menu (Unit1_tray.cpp).
  TNotifyIcon* Cool{};
  TBarPopupMenu* PopupMenu2{};
  TMenuItem *OpenBrannox20001{}, *Minimizetosystray1{}, *Modlist1{}, *HalfLifemanager2{}, *Halflifelogoeditor2{},
      *View2{}, *Allmodifications2{}, *Favourites1{}, *M1{};
  std::array<TMenuItem*, 20> TrayQuickItems{};  // N10, N12 .. N15, N22 .. N30, N32 .. N37

  // Start-up and close.
  void FormCreate(TComponent* sender);
  void FormCloseQuery(TComponent* sender, bool& canClose);

  // Applying the skin and options.
  void lataa();
  void vaihdafontti();
  void paivitaicot();
  bool smoothtesti();
  void tyhjaskin();
  void ResetSkinData();  // the empty template's values, not yet shown on the controls
  static TColor vastavari(TColor colour);
  void bxcursors();
  void paivitabx();
  void nappi();
  void SnapToScreenEdges();

  // The options kept in the components' tags.
  bool FadeEnabled() const { return A1 && A1->Tag == 1; }
  void SetFadeEnabled(bool on) { A1->Tag = on ? 1 : 0; }
  bool SnapEnabled() const { return MediaPlayer1 && MediaPlayer1->Tag == 1; }
  void SetSnapEnabled(bool on) { MediaPlayer1->Tag = on ? 1 : 0; }
  // Whether the window is minimised: the fade goes down to half, not up.
  bool FadingOut() const { return Lay1->Tag != 0; }
  void SetFadingOut(bool on) { Lay1->Tag = on ? 1 : 0; }
  // The direction of a smooth scroll: up (the page moves down) or down.
  bool ScrollingUp() const { return Numero1->Tag != 0; }
  // Whether no smooth scroll runs.
  bool ScrollIdle() const { return Numero1->Numero == 1; }
  // Whether the window of a "-tray" start has been hidden.
  bool TrayHidden() const { return Num1->Tag != 0; }

  // The entry list and the page (Unit1_list.cpp).
  void lista();
  void pai(bool reset);
  void vari();

  // Selection and scrolling (Unit1_rows.cpp).
  void Label1Click(TComponent* sender);
  void IconClick(TComponent* sender);  // I1Click .. I13Click: the icon's tag is its row
  void Label1DblClick(TComponent* sender);
  void Image3Click(TComponent* sender);
  void Image2Click(TComponent* sender);
  void Image3aClick(TComponent* sender);
  void Image2aClick(TComponent* sender);
  void FormMouseWheelDown();
  void FormMouseWheelUp();

  // Starting the entry of a row (Unit1_start.cpp).
  void Start(int row);

  // The commands of the buttons, menus and keys (Unit1_commands.cpp).
  void Image13Click(TComponent* sender);  // About
  void Image14Click(TComponent* sender);  // Settings
  void Image18Click(TComponent* sender);  // New
  void Image15Click(TComponent* sender);  // Modify
  void Image17Click(TComponent* sender);  // Remove
  void Image16Click(TComponent* sender);  // Remove all
  void FormKeyDown(TComponent* sender, uint16_t& key, TShiftState shift);
  void Modlisteditor1Click(TComponent* sender);
  void Configeditor1Click(TComponent* sender);
  void Halflifemanager1Click(TComponent* sender);
  void HalfLifelogoeditor1Click(TComponent* sender);
  void Findgamelocations1Click(TComponent* sender);
  void Findmodifications1Click(TComponent* sender);
  void Brannox2000skineditor1Click(TComponent* sender);
  // The windows the commands open; each shows its window modally
  // (Unit1_dialogs.cpp).
  void ShowAboutBox();
  void FillAboutStatistics(TAboutBox& box);
  void ShowSettingsDialog();
  void ShowSettingsPage(const std::string& page);
  void ShowEntryDialog(bool modify, const std::string& entry);
  void ShowMostStartedWindow();

  // The row menu (Unit1_menus.cpp).
  void PopupMenu1Popup(TComponent* sender);
  void StartMod1Click(TComponent* sender);
  void Custom1Click(TComponent* sender);
  void map1Click(TComponent* sender);
  void Readme1Click(TComponent* sender);
  void Config1Click(TComponent* sender);
  void ModManual1Click(TComponent* sender);
  void Visit1Click(TComponent* sender);
  void Goto1Click(TComponent* sender);
  void N11Click(TComponent* sender);  // a quick entry
  void N3Click(TComponent* sender);   // "Most started mods"
  // B3, B4 and B5 made into the statistics window's rows (header first).
  void MostStartedRows();

  // The notification area and the background menu (Unit1_tray.cpp).
  void CoolClick(TComponent* sender);
  // The application gains or loses the focus: the fade target follows.
  void ApplicationEvents1Activate(TComponent* sender);
  void ApplicationEvents1Deactivate(TComponent* sender);
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void PopupMenu2Popup(TComponent* sender);
  void modi1Click(TComponent* sender);

  // The entry's files (Unit1_entryfiles.cpp): the first existing file of
  // each search, "" when there is none.
  static std::string ReadmeSearch(const std::string& gameDir, const std::string& mod, const std::string& entry);
  static std::string ConfigSearch(const std::string& gameDir, const std::string& mod, const std::string& entry);
  static std::string ManualSearch(const std::string& gameDir, const std::string& mod);
  // The maps offered for an entry, in menu order.
  static void CollectMaps(const std::string& game, const std::string& gameDir, const std::string& mod,
                          TStringList& maps);
  // The values the Modify dialog shows for an entry of the current view.
  TEntryDialogValues ModifyValues(const std::string& entry) const;
  // The web address of a readme, "" when it holds none.
  static std::string ReadmeWebAddress(const std::string& readme);

  // Views and favourites (Unit1_views.cpp).
  void Allmodifications1Click(TComponent* sender);
  void Favourites1Click(TComponent* sender);
  void peli1Click(TComponent* sender);
  void Addtofavourites1Click(TComponent* sender);

  // The skin buttons' mouse states (Unit1_buttons.cpp), button in the skin's
  // order; 0 normal, 1 hover and 2 pressed picture shown.
  std::array<uint8_t, TbxskinData::kButtonCount> ButtonStates{};
  void ButtonMouseEnter(int button);
  void ButtonMouseLeave(int button);
  void ButtonMouseDown(int button);
  void ButtonMouseUp(int button);

  // The timer and small handlers (Unit1_timer.cpp).
  void A1Timer(TComponent* sender);
  void ApplicationEvents1Minimize();
  void ApplicationEvents1Restore();
  void Image1Click(TComponent* sender);
  void MinimizetoTray1Click();

  TStringList L1;  // the entry names of the view, sorted without regard to case
  int TopIndex = 0;
  int SelectedRow = -1;
  TStringList B3, B4, B5;  // ranking: counts, mods (or entry names), games
  bool N3Visible = false;
  std::array<TQuickItem, 20> QuickItems;  // N11, N21, ..., N201
  std::string StartMap;

  TNumero* Numero1 = nullptr;    // the smooth scroll
  TNumero* Num1 = nullptr;       // the tray hide, once
  TLayeredForm* Lay1 = nullptr;  // the window's alpha

  // Whether the first argument was "-tray".
  bool TrayStart = false;
  // The end-of-list beep (MessageBeep unless replaced).
  std::function<void()> OnEndBeep;

  // The folder of the executable, with a trailing backslash.
  static std::string ExeDir();
  // The lower-cased command-line arguments (1-based; "" when missing).
  static std::string Arg(int n);

protected:
  void WindowPosChanging(WINDOWPOS& pos) override;

private:
  void BuildControls();
  void BuildMenus();
  void BuildButtons();
  TMenuItem* AddItem(TMenuItem* parent, const std::string& name, const std::string& caption,
                     void (TForm1::*handler)(TComponent*) = nullptr);
  // The first entry of L1 for each mod folder and game (letter case
  // ignored), read from the entry file in one pass.
  using TEntryIndex = std::unordered_map<std::string, std::string>;
  TEntryIndex IndexEntries() const;
  // The entry of the index with this mod folder and game, "" with none.
  static std::string EntryOf(const TEntryIndex& index, const std::string& mod, const std::string& game);
  void RankStartCounts();
  // The entry of the selected row, "" with none.
  std::string SelectedEntry() const;
  std::string GameDir(const std::string& game) const;
  bool GameFolderPresent(const std::string& game) const;
  void SelectPopupRow();
  void UpdateWebItem(const std::string& entry, const std::string& gameDir, const std::string& mod);
  std::string EntryReadme(const std::string& entry);
  std::string EntryConfig(const std::string& entry);
  void BuildViewItems(TMenuItem* view, TMenuItem* all, TMenuItem* favourites);
  void BuildTrayMenu();
  void SetMenuGradients();
  void SaveWindowState();
  void RestoreFromTray();
  // Starts the entry of L1 (the whole list) named name; the page stays.
  void StartByName(const std::string& name, bool wholeModIni);
  void BuildMapItems(const std::string& entry);
  void SyncQuickItems();
  void RemoveEntry(const std::string& entry, int& answer, bool toAll);
  void RunSettingsCommand(const std::function<void()>& action);
  // Runs action with SettingsIdle false, true again afterwards (also on an exception).
  void WhileSettingsBusy(const std::function<void()>& action);
  void OpenInNotepad(const std::string& file);
  void ShowButtonPicture(int button, int state);
  void RunButtonCommand(int button, TComponent* sender);
  // The logo rule: a bare name is a file of "Logos\"; false when the file
  // does not exist. A file that cannot be read gives the unknown logo.
  static bool LoadLogoFile(std::string path, TBitmap& bitmap, bool& transparent);
  // The built-in fallback logos: "Logos\unknown.bmp", then the resource.
  static void LoadUnknownLogo(TBitmap& bitmap);
  void BuildList();
  void OpenViewIni();
  void FilterList();
  void LoadLogo(int row, const std::string& entry);
  void Highlight(int row);
  void FitWidth(int row);
  void UpdateHints();
  bool Smooth();
  void EndBeep();
  void ClickSound(TComponent* sender);
  void BeginSmoothScroll(bool up);
  int LayoutTop(int row);
  void ResetTops();
  void ClampPage();
  void PlayStartupSound();
  struct TSoundKeys { const char *Default, *Random, *Name; };
  void PlayChosenSound(const TSoundKeys& keys, const std::string& defaultFile, const std::string& folder);
  void PlayFile(const std::string& fileName);
  std::string ChooseSkin();
  void LoadSkin(const std::string& name);
  void LoadPictureSkin(const std::string& name);
  void LoadPackageSkin(const std::string& name);
  void ShowBuiltInFace();
  void ShowBuiltInOutline();
  void ApplyOutline(const std::string& maskFile, TColor transparent);
  void ColoursFromColFile(const std::string& name, TColor sel, TColor unsel);
  void ClampToDesktop();
  void OpenFirstRunSettings();
  void DeleteSkinCursorFiles();
  TImage* ButtonControl(int button) const;
  std::mt19937 FRandom;
  std::array<int, 2> FAppEvents{};  // the minimise and restore handlers
};

extern TForm1* Form1;

// The values of the url_info lines of a liblist.gam, in file order, each
// trimmed; none when the file is missing.
std::vector<std::string> LiblistUrls(const std::string& file);

// The empty template: the built-in 300 x 240 layout of the form's own face.
void MakeEmptyTemplate(TbxskinData& data);

// Where a window of the given size lands when snapped to the desktop's edges
// (desktop: its left, top, width and height).
POINT SnapPosition(POINT pos, SIZE window, RECT desktop, int snapPixels);
// The position moved so that the whole window lies on the desktop.
POINT ClampPosition(POINT pos, SIZE window, RECT desktop);
// The desktop as left, top, right, bottom.
RECT DesktopRect();
