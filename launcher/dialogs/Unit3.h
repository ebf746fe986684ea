// TForm3, the launcher's "Settings" dialog: the frame, the "General" page and
// Options.ini [Asetukset] (Unit3.cpp), the "Games" page (Unit3_games.cpp),
// the "Skins" page (Unit3_skins.cpp), the "Sounds" page (Unit3_sounds.cpp)
// and the tool pages: mod list editor (Unit3_modlist.cpp), config manager
// (Unit3_config.cpp), Half-Life manager with the liblist.gam editor
// (Unit3_hlmanager.cpp, Unit3_liblist.cpp) and logo converter (Unit3_logo.cpp).
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
  std::function<void()> ReapplyOptions;  // paivitabx
  std::function<void()> ClickSound;      // nappi
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

class TForm11;

class TForm3 : public TDialogForm {
public:
  TForm3(TComponent* owner, TSettingsHost& host);
  ~TForm3() override;
  std::string ClassName() const override { return "TForm3"; }

  TSettingsHost& Host;

  // The frame.
  TPageControl* Page;
  TTabSheet *General, *Games, *Skins, *Sounds, *ModlistEditor, *ConfigManager, *HalfLifeManager, *LogoEditor;
  TBitBtn *BitBtn1, *BitBtn6, *BitBtn4, *BitBtn5;  // OK, Apply, Cancel, Default settings
  TGradientCaption* Cap1 = nullptr;  // null while Colorcap is off
  TShellLink* S2;

  // General page.
  TGroupBox *ModlistGroup, *OtherGroup, *DisplayGroup, *HalfLifeGroup;
  TCheckBox *C12, *C13, *Inve, *DS, *C2, *TOPS1, *C14, *C4, *C5, *C10, *Fa1, *Cu1, *C9, *C11, *CheckBox4;
  TComboBox *TOPS, *Curs;
  TSpinEdit* SpinEdit1;
  TStaticText *PopupLabel, *PixelsLabel, *Label10, *Label11;
  TColorDropButton *E1, *E2;

  // Games page.
  TListBox* L1;
  TEdit *S1, *Edit3, *Edit6, *Edit7, *Edit8;
  TComboBox *C1, *C3;
  TImage* GameLogo;
  TButton *SpeedButton1, *SpeedButton2, *SpeedButton3, *SpeedButton4, *SpeedButton23, *SpeedButton9,
      *SpeedButton34, *SpeedButton35, *SpeedButton36, *SpeedButton7, *SpeedButton8, *BitBtn3, *BitBtn2;
  // The location's menu ("Clear") and the parameter menu ("Add", "Remove").
  TPopupMenu *LocationMenu, *ParameterMenu;
  TMenuItem *Clear1, *Lis1, *Poista1;
  TOpenPictureDialog* OpenPictureDialog1;

  // Skins page.
  TComboBox* B1;
  TColorDropButton *Color1, *Color2;
  TStaticText *Color1Label, *Color2Label;
  TScrollBox* PreviewBox;
  TImage* aaa;
  TPanel* InfoPanel;
  TEdit *Edit4, *Edit5;
  TMemo* Memo2;
  TCheckBox* C6;
  TButton *SpeedButton28, *SpeedButton29, *SpeedButton33;
  TFileListBox* SkinFiles;

  // Sounds page: the start and the click group.
  struct TSoundGroup {
    TGroupBox* Group;
    TRadioButton *None, *Default, *Random, *Custom;  // C8 C7 R1 U1 / CB1 CB2 R2 U2
    TStaticText* Label;
    TComboBox* Edit;  // edit1 / edit2
    TButton *Play, *Stop, *Open;
    std::string Folder;  // "sounds\startup\" or "sounds\click\" below the launcher
  };
  TSoundGroup StartSound{}, ClickSound{};
  TRadioButton *&C8 = StartSound.None, *&C7 = StartSound.Default, *&R1 = StartSound.Random, *&U1 = StartSound.Custom;
  TRadioButton *&CB1 = ClickSound.None, *&CB2 = ClickSound.Default, *&R2 = ClickSound.Random,
               *&U2 = ClickSound.Custom;
  TComboBox *&edit1 = StartSound.Edit, *&edit2 = ClickSound.Edit;

  // Handlers of the frame and the General page.
  void FormCreate();
  void FormShow();
  void BitBtn1Click(TComponent* sender);
  void BitBtn4Click(TComponent* sender);
  void BitBtn5Click(TComponent* sender);
  void PageChange(TComponent* sender);
  void GeneralChange(TComponent* sender);
  // The enabling rules of C11 and C9.
  void C11Click(TComponent* sender);
  void C9Click(TComponent* sender);

  // Games page (Unit3_games.cpp).
  void pelit();
  void BitBtn3Click(TComponent* sender);  // Find games
  void BitBtn2Click(TComponent* sender);  // Find mods
  void L1Click(TComponent* sender);
  void SpeedButton2Click(TComponent* sender);
  void SpeedButton3Click(TComponent* sender);
  void SpeedButton4Click(TComponent* sender);
  void SpeedButton23Click(TComponent* sender);
  void Clear1Click(TComponent* sender);
  void Lis1Click(TComponent* sender);
  void Poista1Click(TComponent* sender);
  void SpeedButton9Click(TComponent* sender);
  void SpeedButton34Click(TComponent* sender);
  void SpeedButton35Click(TComponent* sender);
  void SpeedButton36Click(TComponent* sender);
  void SpeedButton1Click(TComponent* sender);
  void C3Change(TComponent* sender);
  // The game list from Games.ini.
  void ReadGames();
  // The selected game's key, "" for none.
  std::string SelectedGame() const;
  // The two Half-Life pages shown as the games' folders say.
  void UpdateHalfLifePages();

  // Skins page (Unit3_skins.cpp).
  void B1Change(TComponent* sender);
  void Color2ColorChange(TComponent* sender);
  void SpeedButton28Click(TComponent* sender);
  void SpeedButton29Click(TComponent* sender);
  void SpeedButton33Click(TComponent* sender);
  // Lists the skins folder into B1.
  void FillSkinList();
  // Selects the skin of that file name (any case); false when it is not listed.
  bool SelectSkin(const std::string& fileName);
  // The selected skin's file name, "" for none.
  std::string SelectedSkin() const;

  // Sounds page (Unit3_sounds.cpp).
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
  void EnableApply() { BitBtn6->SetEnabled(true); }
  // Caption bar colours by the caption-colour rule; null when Colorcap is off.
  void MakeCaptionBar();
  // The start-up shortcut, written or removed as C14 says.
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
  TBitmap FPackageMark, FPictureMark;  // the marks of packages and picture skins in B1

  // ---- The tool pages: mod lists, config files, the Half-Life manager and
  // the logo converter (Unit3_modlist.cpp, Unit3_config.cpp,
  // Unit3_hlmanager.cpp, Unit3_liblist.cpp, Unit3_logo.cpp).
public:
  // "Modlist editor".
  TListBox *L3, *Modit;
  TButton *SpeedButton14, *SpeedButton12, *SpeedButton15, *SpeedButton13;
  TPopupMenu* PopupMenu2;
  TMenuItem *AddDirsItem, *AddDirItem, *ModifyDirItem, *RemoveDirItem;
  void modlisteditorShow(TComponent* sender);
  void L3Click(TComponent* sender);
  void SpeedButton12Click(TComponent* sender);
  void SpeedButton14Click(TComponent* sender);
  void SpeedButton15Click(TComponent* sender);
  void SpeedButton13Click(TComponent* sender);
  void ModitKeyDown(TComponent* sender, uint16_t& key, TShiftState shift);
  void PopupMenu2Popup(TComponent* sender);
  // Adds a folder name to a game's own mod list file, unless it is there.
  void lisaamod(const std::string& gameKey, const std::string& folder);
  std::string ModListFile(const std::string& gameKey) const { return Host.AppDir + "modlist\\" + gameKey + ".txt"; }

  // "Config manager".
  TComboBox *C100, *Co;
  TListBox* La;
  TMemo* Memo1;
  TStaticText *GamesLabel, *ModsLabel, *CfgLabel;
  TButton *SpeedButton16, *SpeedButton24, *SpeedButton32, *SpeedButton17, *SpeedButton18;
  TSaveDialog* SaveDialog1;
  void configmanagerShow(TComponent* sender);
  void C100Change(TComponent* sender);
  void LaClick(TComponent* sender);
  void CoChange(TComponent* sender);
  void SpeedButton16Click(TComponent* sender);
  void SpeedButton24Click(TComponent* sender);
  void SpeedButton32Click(TComponent* sender);
  void SpeedButton17Click(TComponent* sender);
  void SpeedButton18Click(TComponent* sender);

  // "Half-Life manager" with its "Mapcycle editor" and "Liblist editor".
  TListBox* LQ;
  TPageControl* Pa;
  TTabSheet *Mapcycle, *Liblist;
  TMemo *Memo3, *Memo4;
  TStaticText* Label21;
  TButton *SpeedButton20, *SpeedButton21, *SpeedButton26, *SpeedButton22, *SpeedButton27, *SpeedButton25,
      *SpeedButton19;
  TComboBox* Ty;
  TEdit* tyedit;
  void halfShow(TComponent* sender);
  void LQClick(TComponent* sender);
  void SpeedButton20Click(TComponent* sender);
  void SpeedButton22Click(TComponent* sender);
  void SpeedButton21Click(TComponent* sender);
  void SpeedButton26Click(TComponent* sender);
  void SpeedButton27Click(TComponent* sender);
  void SpeedButton25Click(TComponent* sender);
  void Memo3Change(TComponent* sender);
  void TyChange(TComponent* sender);
  void tyeditChange(TComponent* sender);
  void modifClick(TComponent* sender);
  void Memo4Change(TComponent* sender);
  void SpeedButton19Click(TComponent* sender);
  // The chosen mod's maps (PAK archives first, then the maps folder) into
  // the picker's list, each once.
  void GatherMaps(TForm11& maps);
  // The chosen mod's folder with a trailing backslash, "" for none.
  std::string SelectedHalfLifeMod() const;

  // "Half-Life logo editor".
  // The drive list leads the folder list, which leads the source list.
  TComboBox *ComboBox1, *FilterComboBox1;
  TDriveComboBoxEx* DriveComboBoxEx1;
  TDirectoryListBoxEx* DirectoryListBoxEx1;
  TFileListBoxEx *FileListBoxEx1, *FileListBoxEx2;  // the pictures; the logos
  TScrollBox* LogoSourceBox;
  TImage *Image3, *Image4;
  TCheckBox *CheckBox1, *CheckBox2, *CheckBox3;
  TButton *BitBtn7, *BitBtn8;
  void hllogoedShow(TComponent* sender);
  void ComboBox1Change(TComponent* sender);
  void FileListBoxEx1Click(TComponent* sender);
  void FileListBoxEx2Click(TComponent* sender);
  void BitBtn7Click(TComponent* sender);
  void BitBtn8Click(TComponent* sender);
  void FileListBoxEx2KeyDown(TComponent* sender, uint16_t& key, TShiftState shift);

  // Before another page shows (and before the dialog closes): offers to save
  // the editors' unsaved texts; false when the user cancelled.
  bool OfferToSaveEditors();

private:
  void BuildModlistPage();
  void BuildConfigPage();
  void BuildHalfLifePage();
  void BuildLiblistPage();
  void BuildLogoPage();
  void SaveModList();
  // The sub-folders of a folder as a folder list names them, sorted, without
  // "." and ".." and without brackets (list: a folder file list to use).
  static std::vector<std::string> SubFolders(TFileListBox& list, const std::string& folder);
  std::string GameFolder(const std::string& gameKey) const;  // Sijainti
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
  // Memo lines and text.
  static std::vector<std::string> MemoLines(const TMemo& memo);
  static void SetMemoLines(TMemo& memo, const std::vector<std::string>& lines);
  // The memo's lines; the lines as loaded while its text is as shown.
  static std::vector<std::string> EditedLines(const TMemo& memo, const TGameText& loaded);
  // Shows file (nothing for "" or a missing file) in memo. A file that
  // cannot be read or shown as it is gets a message and leaves the memo
  // empty and disabled, text empty: false.
  bool OpenInMemo(TMemo& memo, const std::string& file, TGameText& text);
  bool FModListOpen = false;  // the mod list shown was read whole
};

// Shows the Settings dialog modally over the main window, on the page of that
// caption (none or an unknown one: "General"), and frees it. The caller
// re-applies its options afterwards. Returns the dialog's modal result.
int ShowSettingsDialog(TSettingsHost& host, const std::string& pageCaption = "");

// Creates the dialog without showing it, runs "Find games" or "Find mods"
// as its buttons do, and frees it.
enum class TSettingsSearch { FindGames, FindMods };
void RunSettingsSearch(TSettingsHost& host, TSettingsSearch search);
