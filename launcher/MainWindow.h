// TMainWindow, the launcher's main window. Its units, by concern: start-up and
// close (MainWindow.cpp), applying the skin and options (MainWindowSkin.cpp), the
// entry list and the page (MainWindowList.cpp), selecting and scrolling rows
// (MainWindowRows.cpp), starting an entry (MainWindowStart.cpp), the timer with
// the fade (MainWindowTimer.cpp), the commands and keys (MainWindowCommands.cpp), the
// row menu (MainWindowRowMenu.cpp, with the entry's files and maps in
// MainWindowEntryFiles.cpp), the views and favourites (MainWindowViews.cpp), the
// skin buttons' mouse states (MainWindowButtons.cpp), the tray icon, its menu and
// the restart (MainWindowTray.cpp), and the windows the commands open
// (MainWindowDialogs.cpp, with the Settings dialog's host in
// dialogs/MainWindowSettingsHost.cpp).
#pragma once
#include <array>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <unordered_map>

#include "BarPopupMenu.h"
#include "ExtCtrls.h"
#include "FileCtrl.h"
#include "FileUtils.h"
#include "Forms.h"
#include "ImgList.h"
#include "IniFiles.h"
#include "LauncherFiles.h"
#include "LayeredForm.h"
#include "MPlayer.h"
#include "Menus.h"
#include "NotifyIcon.h"
#include "Numero.h"
#include "ShapedForm.h"
#include "SharedNames.h"
#include "SkinRows.h"
#include "StringList.h"
#include "brannoxskin.h"
#include "cabfiles.h"

// The skin cursor files kept in "temp\", in the order they are extracted.
extern const std::array<const char*, 18> kSkinCursorFiles;

// The last of the page's rows (SkinRows.h).
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

class TMainWindow : public TForm {
public:
  explicit TMainWindow(TComponent* owner);
  ~TMainWindow() override;
  std::string ClassName() const override { return "TMainWindow"; }

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
  TShapedForm* Face{};
  std::array<TLabel*, kRows> Labels{};  // the components named "Label1".."Label13"
  std::array<TImage*, kRows> Icons{};   // the components named "I1".."I13"
  TImage *NewButton{}, *ModifyButton{}, *RemoveButton{}, *RemoveAllButton{}, *SettingsButton{}, *AboutButton{},
      *CloseButton{}, *UpButton{}, *DownButton{};
  TMediaPlayer* SoundPlayer{};
  TFileListBox *SkinFileList{}, *SoundFileList{};
  TCABFile* SkinCabinet{};
  TBXSkin *Skin{}, *EmptySkin{};
  TTimer* AnimationTimer{};
  TImageList* MenuImages{};

  // The row menu and its items (MainWindowRowMenu.cpp).
  TBarPopupMenu* RowMenu{};
  TMenuItem *StartModItem{}, *ModificationItem{}, *ModifyItem{}, *RemoveItem{}, *AddToFavouritesItem{},
      *StartWithMapItem{}, *CustomMapItem{}, *ReadmeItem{}, *ManualItem{}, *ConfigItem{}, *VisitItem{}, *GoToItem{};
  TMenuItem *GeneralItem{}, *NewItem{}, *RemoveAllItem{}, *SettingsItem{}, *EditorsItem{}, *ModlistEditorItem{},
      *ConfigManagerItem{}, *HalfLifeManagerItem{}, *HalfLifeLogoEditorItem{}, *SkinEditorItem{}, *FindGamesItem{},
      *FindModsItem{}, *AboutItem{}, *CloseItem{};
  TMenuItem *ViewItem{}, *AllModsItem{}, *FavouritesItem{}, *MinimizeToTrayItem{}, *MostStartedItem{};
  std::array<TMenuItem*, 20> QuickMenuItems{};  // the components named "N11", "N21" .. "N201"

  // The notification-area icon and the background menu (MainWindowTray.cpp).
  TNotifyIcon* TrayIcon{};
  TBarPopupMenu* TrayMenu{};
  TMenuItem *TrayOpenItem{}, *TrayMinimizeItem{}, *TrayModListItem{}, *TrayHalfLifeManagerItem{},
      *TrayHalfLifeLogoEditorItem{}, *TrayViewItem{}, *TrayAllModsItem{}, *TrayFavouritesItem{}, *TrayMostStartedItem{};
  std::array<TMenuItem*, 20> TrayQuickItems{};  // the components named "N10", "N12" .. "N37"

  // Start-up and close.
  void FormCreate(TComponent* sender);
  void FormCloseQuery(TComponent* sender, bool& canClose);

  // Applying the skin and options.
  void ApplySkinData();
  void LayOutLabels();
  void LayOutIcons();
  bool SkinAllowsSmoothScroll();
  void ApplyEmptySkin();
  void ResetSkinData();  // the empty template's values, not yet shown on the controls
  static TColor InvertedColour(TColor colour);
  void ApplyCursors();
  void ReapplyOptions();
  void PlayClickSound();
  void SnapToScreenEdges();

  // The options kept in the components' tags.
  bool FadeEnabled() const { return AnimationTimer && AnimationTimer->Tag == 1; }
  void SetFadeEnabled(bool on) { AnimationTimer->Tag = on ? 1 : 0; }
  bool SnapEnabled() const { return SoundPlayer && SoundPlayer->Tag == 1; }
  void SetSnapEnabled(bool on) { SoundPlayer->Tag = on ? 1 : 0; }
  // Whether the window is minimised: the fade goes down to half, not up.
  bool FadingOut() const { return AlphaLayer->Tag != 0; }
  void SetFadingOut(bool on) { AlphaLayer->Tag = on ? 1 : 0; }
  // The direction of a smooth scroll: up (the page moves down) or down.
  bool ScrollingUp() const { return ScrollState->Tag != 0; }
  // Whether no smooth scroll runs.
  bool ScrollIdle() const { return ScrollState->Numero == 1; }
  // Whether the window of a "-tray" start has been hidden.
  bool TrayHidden() const { return TrayHideState->Tag != 0; }

  // The entry list and the page (MainWindowList.cpp).
  void BuildRanking();
  void PaintPage(bool reset);
  void ApplyListColours();

  // Selection and scrolling (MainWindowRows.cpp).
  void RowLabelClick(TComponent* sender);
  void RowIconClick(TComponent* sender);  // the icon's tag is its row
  void RowDblClick(TComponent* sender);
  void MoveSelectionDown(TComponent* sender);
  void MoveSelectionUp(TComponent* sender);
  void DownButtonClick(TComponent* sender);
  void UpButtonClick(TComponent* sender);
  void FormMouseWheelDown();
  void FormMouseWheelUp();

  // Starting the entry of a row (MainWindowStart.cpp).
  void Start(int row);

  // The commands of the buttons, menus and keys (MainWindowCommands.cpp).
  void AboutButtonClick(TComponent* sender);
  void SettingsButtonClick(TComponent* sender);
  void NewButtonClick(TComponent* sender);
  void ModifyButtonClick(TComponent* sender);
  void RemoveButtonClick(TComponent* sender);
  void RemoveAllButtonClick(TComponent* sender);
  void FormKeyDown(TComponent* sender, uint16_t& key, TShiftState shift);
  void ModlistEditorItemClick(TComponent* sender);
  void ConfigManagerItemClick(TComponent* sender);
  void HalfLifeManagerItemClick(TComponent* sender);
  void HalfLifeLogoEditorItemClick(TComponent* sender);
  void FindGamesItemClick(TComponent* sender);
  void FindModsItemClick(TComponent* sender);
  void SkinEditorItemClick(TComponent* sender);
  // The windows the commands open; each shows its window modally
  // (MainWindowDialogs.cpp).
  void ShowAboutBox();
  void FillAboutStatistics(TAboutBox& box);
  void ShowSettingsDialog();
  void ShowSettingsPage(const std::string& page);
  void ShowEntryDialog(bool modify, const std::string& entry);
  void ShowMostStartedWindow();

  // The row menu (MainWindowRowMenu.cpp).
  void RowMenuPopup(TComponent* sender);
  void StartModItemClick(TComponent* sender);
  void CustomMapItemClick(TComponent* sender);
  void MapItemClick(TComponent* sender);
  void ReadmeItemClick(TComponent* sender);
  void ConfigItemClick(TComponent* sender);
  void ManualItemClick(TComponent* sender);
  void VisitItemClick(TComponent* sender);
  void GoToItemClick(TComponent* sender);
  void QuickItemClick(TComponent* sender);  // a quick entry
  void MostStartedItemClick(TComponent* sender);   // "Most started mods"
  // RankCounts, RankMods and RankGames made into the statistics window's rows (header first).
  void MostStartedRows();

  // The notification area and the background menu (MainWindowTray.cpp).
  void TrayIconClick(TComponent* sender);
  // The application gains or loses the focus: the fade target follows.
  void ApplicationActivate(TComponent* sender);
  void ApplicationDeactivate(TComponent* sender);
  // WM_ACTIVATEAPP, and a key-down's repeat bit, which KeyDown is not given.
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void TrayMenuPopup(TComponent* sender);
  void TrayModItemClick(TComponent* sender);

  // The entry's files (MainWindowEntryFiles.cpp): the first existing file of
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

  // Views and favourites (MainWindowViews.cpp).
  void AllModsItemClick(TComponent* sender);
  void FavouritesItemClick(TComponent* sender);
  void GameViewItemClick(TComponent* sender);
  void AddToFavouritesItemClick(TComponent* sender);

  // The skin buttons' mouse states (MainWindowButtons.cpp), button in the skin's
  // order; 0 normal, 1 hover and 2 pressed picture shown.
  std::array<uint8_t, TbxskinData::kButtonCount> ButtonStates{};
  void ButtonMouseEnter(int button);
  void ButtonMouseLeave(int button);
  void ButtonMouseDown(int button);
  void ButtonMouseUp(int button);

  // The timer and small handlers (MainWindowTimer.cpp).
  void AnimationTimerTimer(TComponent* sender);
  void ApplicationMinimize();
  void ApplicationRestore();
  void CloseButtonClick(TComponent* sender);
  void MinimizeToTrayItemClick();

  TStringList EntryNames;  // the entry names of the view, sorted without regard to case
  int TopIndex = 0;
  int SelectedRow = -1;
  TStringList RankCounts, RankMods, RankGames;  // ranking: counts, mods (or entry names), games
  bool MostStartedVisible = false;
  std::array<TQuickItem, 20> QuickItems;  // the components named "N11", "N21" .. "N201"
  std::string StartMap;

  TNumero* ScrollState = nullptr;    // the smooth scroll
  TNumero* TrayHideState = nullptr;       // the tray hide, once
  TLayeredForm* AlphaLayer = nullptr;  // the window's alpha

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
                     void (TMainWindow::*handler)(TComponent*) = nullptr);
  // The first entry of EntryNames for each mod folder and game (letter case
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
  // Whether Half-Life or Gunman is installed: the logo editor's commands.
  bool HalfLifeEngineGamePresent() const;
  void SelectPopupRow();
  void UpdateWebItem(const std::string& entry, const std::string& gameDir, const std::string& mod);
  std::string EntryReadme(const std::string& entry);
  std::string EntryConfig(const std::string& entry);
  void BuildViewItems(TMenuItem* view, TMenuItem* all, TMenuItem* favourites);
  void BuildTrayMenu();
  void SetMenuGradients();
  void SaveWindowState();
  void RestoreFromTray();
  // Starts the entry of EntryNames (the whole list) named name; the page stays.
  void StartByName(const std::string& name, bool wholeModIni);
  void BuildMapItems(const std::string& entry);
  void SyncQuickItems();
  static void ShowLinesBetweenItems(TMenuItem* menu);
  // Erases the entry and asks about its mod-info file: the file to delete
  // once the entry file is written, "" to keep it.
  std::string RemoveEntry(const std::string& entry, int& answer, bool toAll);
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
  // The scroll and tray-hide states, the layered window of the fade, and the
  // rows', wheel, timer and application events.
  void BuildStateAndEvents();
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
  void WriteAtStartUp(const std::function<void()>& write);
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
  bool FKeyRepeat = false;  // the key being handled is a held key's repeat
};

extern TMainWindow* MainWindow;

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
