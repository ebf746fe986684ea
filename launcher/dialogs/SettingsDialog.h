// TSettingsDialog, the launcher's "Settings" dialog: the frame, the "General" page and
// Options.ini [Asetukset] (SettingsDialog.cpp), the "Games" page (SettingsGamesPage.cpp),
// the "Skins" page (SettingsSkinsPage.cpp), the "Sounds" page (SettingsSoundsPage.cpp)
// and the tool pages: mod list editor (SettingsModlistPage.cpp), config manager
// (SettingsConfigPage.cpp), Half-Life manager with the liblist.gam editor
// (SettingsHalfLifePage.cpp, SettingsLiblistPage.cpp) and logo converter (SettingsLogoPage.cpp),
// with what the tool pages share in SettingsShared.cpp.
#pragma once
#include <array>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "Buttons.h"
#include "ClrDropBn.h"
#include "ComCtrls.h"
#include "DXDrawsPictures.h"
#include "CommonDialogs.h"
#include "DialogForm.h"
#include "ExtCtrls.h"
#include "FileCtrl.h"
#include "FlCtrlEx.h"
#include "GradCap.h"
#include "IniFiles.h"
#include "MPlayer.h"
#include "Panels.h"
#include "ShellLink.h"
#include "Spin.h"
#include "StaticText.h"
#include "StdCtrls.h"
#include "cabfiles.h"
#include "CheckListPicker.h"
#include "GameText.h"
#include "Menus.h"

// What the dialog uses of the main window: its open INI files, its sound
// player and the routines that re-apply its options, skin and list.
struct TSettingsHost {
  std::string AppDir;  // the launcher's folder, with a trailing backslash
  HWND Window = nullptr;
  TIniFile* OptionsIni = nullptr;      // not owned
  TIniFile* GamesIni = nullptr;        // not owned
  TIniFile* ParametersIni = nullptr;   // not owned
  std::unique_ptr<TIniFile>* ModIni = nullptr;  // not owned: Find mods may replace it
  TMediaPlayer* MediaPlayer = nullptr;  // not owned; may be null
  // The list colours of the current skin (selected, unselected).
  std::function<std::pair<TColor, TColor>()> SkinColors;
  std::function<void()> ReapplyOptions;
  std::function<void()> ClickSound;  // plays the main window's click sound
  // Puts the skin file of the skins folder on the main window.
  std::function<void(const std::string& skinFile)> ApplySkin;
  // Re-reads and repaints the entry list, selection and scrolling reset.
  std::function<void()> ListChanged;
};

// Options.ini [Asetukset] colour keys: text that is no colour reads as def.
TColor ReadColorOption(const TIniFile& ini, const std::string& key, TColor def);
// A game name that can be a Games.ini section: not blank and without "[",
// "]", "=", "\", "/", ":" or control characters.
bool IsValidGameName(const std::string& name);
// Replaces the numbered keys ("0", "1", ...: every key of digits only) of a
// section of the INI file by items, keeping its other keys, through a
// temporary file. The section is made when missing.
void RewriteParameterList(const std::string& iniFile, const std::string& section,
                          const std::vector<std::string>& items);
// Writes lines to file through a temporary file.
void SaveLinesAtomically(const std::string& file, const std::vector<std::string>& lines);

class TMapPicker;

class TSettingsDialog : public TDialogForm {
public:
  TSettingsDialog(TComponent* owner, TSettingsHost& host);
  ~TSettingsDialog() override;
  std::string ClassName() const override { return "TSettingsDialog"; }

  TSettingsHost& Host;

  // The frame.
  TPageControl* Page;
  TTabSheet *General, *Games, *Skins, *Sounds, *ModlistEditor, *ConfigManager, *HalfLifeManager, *LogoEditor;
  TBitBtn *OkButton, *ApplyButton, *CancelButton, *DefaultsButton;
  TGradientCaption* CaptionBar = nullptr;  // null while Colorcap is off
  TShellLink* StartupShortcutLink;
  TTimer* FirstRunSearchTimer;  // armed by FormShow on the first run

  // General page.
  TGroupBox *ModlistGroup, *OtherGroup, *DisplayGroup, *HalfLifeGroup;
  TCheckBox *ShowNumbersCheck, *SmoothScrollCheck, *InvertListColorsCheck, *NoEdgeSoundCheck, *CloseOnStartCheck,
      *ShowTopsCheck, *TrayAutoStartCheck, *SplashCheck, *AlwaysOnTopCheck, *SnapCheck, *FadeCheck, *OwnCursorsCheck,
      *ColorCaptionsCheck, *CustomCaptionColorsCheck, *RandomMapCycleCheck;
  TComboBox *TopsCountCombo, *CursorSetCombo;
  TSpinEdit* SnapDistanceEdit;
  TStaticText *PopupLabel, *PixelsLabel, *LeftColorLabel, *RightColorLabel;
  TColorDropButton *LeftColorButton, *RightColorButton;

  // Games page.
  TListBox* GameList;
  TEdit *LocationEdit, *DefaultParameterEdit, *DefaultGameParameterEdit, *WebsiteEdit, *GameNameEdit;
  TComboBox *ParameterCombo, *LogoCombo;
  TImage* GameLogo;
  TButton *BrowseLogoButton, *AddGameButton, *RemoveGameButton, *BrowseLocationButton, *ClearLocationButton,
      *SetDefaultParameterButton, *SetDefaultGameParameterButton, *ModifyWebsiteButton, *ModifyGameNameButton,
      *AddParameterButton, *RemoveParameterButton, *FindGamesButton, *FindModsButton;
  // The location's menu ("Clear") and the parameter menu ("Add", "Remove").
  TPopupMenu *LocationMenu, *ParameterMenu;
  TMenuItem *ClearLocationItem, *AddParameterItem, *RemoveParameterItem;
  TOpenPictureDialog* OpenLogoDialog;

  // Skins page.
  TComboBox* SkinCombo;
  TColorDropButton *SelectedColorButton, *UnselectedColorButton;
  TStaticText *SelectedColorLabel, *UnselectedColorLabel;
  TScrollBox* PreviewBox;
  TImage* PreviewImage;
  TPanel* InfoPanel;
  TEdit *SkinTitleEdit, *SkinAuthorEdit;
  TMemo* SkinNotesMemo;
  TCheckBox* RandomSkinCheck;
  TButton *BrowseSkinButton, *SkinEditorButton, *UpdateSkinListButton;
  TFileListBox* SkinFiles;

  // Sounds page: the start and the click group.
  struct TSoundGroup {
    TGroupBox* Group;
    TRadioButton *None, *Default, *Random, *Custom;
    TStaticText* Label;
    TComboBox* FileCombo;
    TButton *Play, *Stop, *Open;
    std::string Folder;  // "sounds\startup\" or "sounds\click\" below the launcher
  };
  TSoundGroup StartSound{}, ClickSound{};
  TRadioButton *&NoStartSoundRadio = StartSound.None, *&DefaultStartSoundRadio = StartSound.Default,
               *&RandomStartSoundRadio = StartSound.Random, *&CustomStartSoundRadio = StartSound.Custom;
  TRadioButton *&NoClickSoundRadio = ClickSound.None, *&DefaultClickSoundRadio = ClickSound.Default,
               *&RandomClickSoundRadio = ClickSound.Random, *&CustomClickSoundRadio = ClickSound.Custom;
  TComboBox *&StartSoundCombo = StartSound.FileCombo, *&ClickSoundCombo = ClickSound.FileCombo;

  // Handlers of the frame and the General page.
  void FormCreate();
  void FormShow();
  // The first run's "Find games", once the dialog is on screen.
  void FirstRunSearchTimerTimer(TComponent* sender);
  void OkButtonClick(TComponent* sender);
  void CancelButtonClick(TComponent* sender);
  void DefaultsButtonClick(TComponent* sender);
  void PageChange(TComponent* sender);
  void GeneralChange(TComponent* sender);
  // The enabling rules of CustomCaptionColorsCheck and ColorCaptionsCheck.
  void CustomCaptionColorsCheckClick(TComponent* sender);
  void ColorCaptionsCheckClick(TComponent* sender);

  // Games page (SettingsGamesPage.cpp).
  void FindGames();
  void FindGamesButtonClick(TComponent* sender);
  void FindModsButtonClick(TComponent* sender);
  void GameListClick(TComponent* sender);
  void AddGameButtonClick(TComponent* sender);
  void RemoveGameButtonClick(TComponent* sender);
  void BrowseLocationButtonClick(TComponent* sender);
  void ClearLocationButtonClick(TComponent* sender);
  void ClearLocationItemClick(TComponent* sender);
  void AddParameterItemClick(TComponent* sender);
  void RemoveParameterItemClick(TComponent* sender);
  void SetDefaultParameterButtonClick(TComponent* sender);
  void SetDefaultGameParameterButtonClick(TComponent* sender);
  void ModifyWebsiteButtonClick(TComponent* sender);
  void ModifyGameNameButtonClick(TComponent* sender);
  void BrowseLogoButtonClick(TComponent* sender);
  void LogoComboChange(TComponent* sender);
  // The game list from Games.ini.
  void ReadGames();
  // The selected game's key, "" for none.
  std::string SelectedGame() const;
  // The two Half-Life pages shown as the games' folders say.
  void UpdateHalfLifePages();

  // Skins page (SettingsSkinsPage.cpp).
  void SkinComboChange(TComponent* sender);
  void ListColorButtonColorChange(TComponent* sender);
  void BrowseSkinButtonClick(TComponent* sender);
  void SkinEditorButtonClick(TComponent* sender);
  void UpdateSkinListButtonClick(TComponent* sender);
  // Lists the skins folder into SkinCombo.
  void FillSkinList();
  // Selects the skin of that file name (any case); false when it is not listed.
  bool SelectSkin(const std::string& fileName);
  // The selected skin's file name, "" for none.
  std::string SelectedSkin() const;

  // Sounds page (SettingsSoundsPage.cpp).
  void SoundChoiceClick(TSoundGroup& group);
  void PlayClick(TSoundGroup& group);
  void StopClick(TSoundGroup& group);
  void OpenClick(TSoundGroup& group);
  void LoadSoundChoices();

  // The logos of the Logos folder, named by file name; icons drawn 16 x 16.
  TDXImageList* LogoImages;

private:
  void BuildFrame();
  void BuildGeneralPage();
  void BuildGamesPage();
  void BuildSkinsPage();
  void BuildSoundsPage();
  void BuildSoundGroup(TSoundGroup& group, int top, const char* caption, const std::array<const char*, 4>& radios,
                       const char* label, const char* folder);
  void EnableApply() { ApplyButton->SetEnabled(true); }
  // Caption bar colours by the caption-colour rule; null when Colorcap is off.
  void MakeCaptionBar();
  // The start-up shortcut, written or removed as TrayAutoStartCheck says.
  void UpdateStartupShortcut();
  void WriteOptions();
  void LoadGeneralOptions();
  void LoadLogoStore();
  // Shows a logo file (".ico", ".bmp", ".exe") in GameLogo, or the "unknown" picture.
  void ShowLogo(const std::string& file);
  void ShowUnknownLogo();
  void RewriteGameParameters();
  void UpdateParameterButtons();
  void DrawPictureItem(TComboBox& box, TCanvas& canvas, int index, const RECT& rect);
  void PreviewPackage(const std::string& file);
  void PreviewPicture(const std::string& file);
  // Vari and Vari2: the list colours of picture skins without a ".col" file.
  std::pair<TColor, TColor> StoredListColors() const;
  void LoadStoredListColors();
  std::string SkinsDir() const { return Host.AppDir + "skins\\"; }
  bool FPreviewing = false;
  std::mt19937 FRandom;
  TBitmap FPackageMark, FPictureMark;  // the marks of packages and picture skins in SkinCombo

  // ---- The tool pages: mod lists, config files, the Half-Life manager and
  // the logo converter (SettingsModlistPage.cpp, SettingsConfigPage.cpp,
  // SettingsHalfLifePage.cpp, SettingsLiblistPage.cpp, SettingsLogoPage.cpp).
public:
  // "Modlist editor".
  TListBox *ModListGameList, *ModFolderList;
  TButton *AddModFoldersButton, *AddModFolderButton, *ModifyModFolderButton, *RemoveModFolderButton;
  TPopupMenu* ModFolderMenu;
  TMenuItem *AddDirsItem, *AddDirItem, *ModifyDirItem, *RemoveDirItem;
  void ModlistEditorShow(TComponent* sender);
  void ModListGameListClick(TComponent* sender);
  void AddModFolderButtonClick(TComponent* sender);
  void AddModFoldersButtonClick(TComponent* sender);
  void ModifyModFolderButtonClick(TComponent* sender);
  void RemoveModFolderButtonClick(TComponent* sender);
  void ModFolderListKeyDown(TComponent* sender, uint16_t& key, TShiftState shift);
  void ModFolderMenuPopup(TComponent* sender);
  // Adds a folder name to a game's own mod list file, unless it is there.
  void AddFolderToModList(const std::string& gameKey, const std::string& folder);
  std::string ModListFile(const std::string& gameKey) const { return Host.AppDir + "modlist\\" + gameKey + ".txt"; }

  // "Config manager".
  TComboBox *ConfigGameCombo, *ConfigFileCombo;
  TListBox* ConfigModFolderList;
  TMemo* ConfigMemo;
  TStaticText *ConfigGamesLabel, *ConfigModsLabel, *ConfigFilesLabel;
  TButton *SaveConfigButton, *NewConfigButton, *DeleteConfigButton, *AddBindButton, *CreateKeymapButton;
  TSaveDialog* SaveKeymapDialog;
  void ConfigManagerShow(TComponent* sender);
  void ConfigGameComboChange(TComponent* sender);
  void ConfigModFolderListClick(TComponent* sender);
  void ConfigFileComboChange(TComponent* sender);
  void SaveConfigButtonClick(TComponent* sender);
  void NewConfigButtonClick(TComponent* sender);
  void DeleteConfigButtonClick(TComponent* sender);
  void AddBindButtonClick(TComponent* sender);
  void CreateKeymapButtonClick(TComponent* sender);

  // "Half-Life manager" with its "Mapcycle editor" and "Liblist editor".
  TListBox* HalfLifeModList;
  TPageControl* HalfLifeEditorPages;
  TTabSheet *Mapcycle, *Liblist;
  TMemo *MapCycleMemo, *LiblistMemo;
  TStaticText* MapCountLabel;
  TButton *SaveMapCycleButton, *SelectMapsButton, *SmartAddButton, *AddAllMapsButton, *RandomizeMapsButton,
      *ClearMapCycleButton, *SaveLiblistButton;
  TComboBox* LiblistKeyCombo;
  TEdit* LiblistValueEdit;
  void HalfLifeManagerShow(TComponent* sender);
  void HalfLifeModListClick(TComponent* sender);
  void SaveMapCycleButtonClick(TComponent* sender);
  void AddAllMapsButtonClick(TComponent* sender);
  void SelectMapsButtonClick(TComponent* sender);
  void SmartAddButtonClick(TComponent* sender);
  void RandomizeMapsButtonClick(TComponent* sender);
  void ClearMapCycleButtonClick(TComponent* sender);
  void MapCycleMemoChange(TComponent* sender);
  void LiblistKeyComboChange(TComponent* sender);
  void LiblistValueEditChange(TComponent* sender);
  void WriteLiblistValue(TComponent* sender);
  void LiblistMemoChange(TComponent* sender);
  void SaveLiblistButtonClick(TComponent* sender);
  // The chosen mod's maps (PAK archives first, then the maps folder) into
  // the picker's list, each once.
  void GatherMaps(TMapPicker& maps);
  // The chosen mod's folder with a trailing backslash, "" for none.
  std::string SelectedHalfLifeMod() const;

  // "Half-Life logo editor".
  // The drive list leads the folder list, which leads the source list.
  TComboBox *LogoGameCombo, *SourceFilterCombo;
  TDriveComboBoxEx* SourceDriveCombo;
  TDirectoryListBoxEx* SourceFolderList;
  TFileListBoxEx *SourceFileList, *LogoFileList;  // the pictures; the logos
  TScrollBox* LogoSourceBox;
  TImage *SourcePreviewImage, *LogoPreviewImage;
  TCheckBox *InvertColorsCheck, *MirrorImageCheck, *FlipImageCheck;
  TButton *ConvertButton, *DeleteLogoButton;
  void LogoEditorShow(TComponent* sender);
  void LogoGameComboChange(TComponent* sender);
  void SourceFileListClick(TComponent* sender);
  void LogoFileListClick(TComponent* sender);
  void ConvertButtonClick(TComponent* sender);
  void DeleteLogoButtonClick(TComponent* sender);
  void LogoFileListKeyDown(TComponent* sender, uint16_t& key, TShiftState shift);

private:
  void BuildModlistPage();
  void BuildConfigPage();
  void BuildHalfLifePage();
  void BuildLiblistPage();
  void BuildLogoPage();
  void SaveModList();
  // Asks for a folder name of the mod list; false on Cancel.
  bool AskModName(const std::string& caption, const std::string& prompt, std::string& name);
  std::string ConfigFolder() const;  // the game folder and mod, with a trailing backslash
  void SaveConfig();
  // "" empties the editor; false (after a message) for a file that cannot be opened.
  bool LoadConfig(const std::string& file);
  void SetConfigColors(bool editable);
  void SaveMapCycle();
  void AppendMissingMaps(const std::vector<std::string>& maps, const std::string& containing = "");
  // Points the source lists at the stored folder ("logodir"), else the
  // launcher's; a folder that cannot be opened leaves them as they are.
  void OpenLogoSources();
  // The line formats of the files open in the editors.
  TGameText FModListText, FConfigText, FMapCycleText, FLiblistText;
  bool FFilling = false;  // the Half-Life pages' re-entry flag
  // Edits not yet saved (commands change the texts too, which Windows' own
  // modified flag does not see).
  bool FConfigDirty = false, FMapCycleDirty = false, FLiblistDirty = false;
  // The files the editors hold, "" for none; saves go there.
  std::string FConfigFile, FMapCycleFile, FLiblistFile;
  std::string FLoadedMod;  // the Half-Life mod whose files are loaded
  bool FModListOpen = false;  // the mod list shown was read whole

  // ---- What the tool pages share (SettingsShared.cpp).
public:
  // Before another page shows (and before the dialog closes): offers to save
  // the editors' unsaved texts; false when the user cancelled.
  bool OfferToSaveEditors();

private:
  // The sub-folders of a folder as a folder list names them, sorted, without
  // "." and ".." and without brackets (list: a folder file list to use).
  static std::vector<std::string> SubFolders(TFileListBox& list, const std::string& folder);
  std::string GameFolder(const std::string& gameKey) const;  // Sijainti
  // Memo lines and text.
  static std::vector<std::string> MemoLines(const TMemo& memo);
  static void SetMemoLines(TMemo& memo, const std::vector<std::string>& lines);
  // The memo's lines; the lines as loaded while its text is as shown.
  static std::vector<std::string> EditedLines(const TMemo& memo, const TGameText& loaded);
  // Shows file (nothing for "" or a missing file) in memo. A file that
  // cannot be read or shown as it is gets a message and leaves the memo
  // empty and disabled, text empty: false.
  bool OpenInMemo(TMemo& memo, const std::string& file, TGameText& text);
};

// Shows the Settings dialog modally over the main window, on the page of that
// caption (none or an unknown one: "General"), and frees it. The caller
// re-applies its options afterwards. Returns the dialog's modal result.
int ShowSettingsDialog(TSettingsHost& host, const std::string& pageCaption = "");

// Creates the dialog without showing it, runs "Find games" or "Find mods"
// as its buttons do, and frees it.
enum class TSettingsSearch { FindGames, FindMods };
void RunSettingsSearch(TSettingsHost& host, TSettingsSearch search);
