// TEntryDialog: the New/Modify entry dialog over the main window's current entry
// file, and the entry points through which the main window opens it.
#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Buttons.h"
#include "CommonDialogs.h"
#include "DialogForm.h"
#include "ExtCtrls.h"
#include "IniFiles.h"
#include "Panels.h"
#include "StdCtrls.h"

// The main window's files and routines that the dialog works with.
struct TEntryDialogFiles {
  std::string AppDir;       // the launcher's folder, with a trailing backslash
  TIniFile& GamesIni;       // not owned
  TIniFile& ModIni;         // the current view's entry file; not owned
  TIniFile& OptionsIni;     // not owned
  TIniFile& ParametersIni;  // not owned
  // Re-reads and repaints the main window's list.
  std::function<void()> RefreshList;
  // The row menu's searches in a mod folder ("" when nothing is found);
  // unset ones are skipped.
  std::function<std::string(const std::string& modFolder)> FindReadme, FindConfig;
};

enum TEntryDialogMode { emNew, emModify };

class TEntryDialog : public TDialogForm {
public:
  TEntryDialog(TComponent* owner, HWND ownerWindow, TEntryDialogFiles& files);
  std::string ClassName() const override { return "TEntryDialog"; }

  TEntryDialogMode Mode = emNew;
  std::string FormerName;  // Modify: the entry's section before the change
  std::string LogoValue;   // what Bitmap gets: a bare name of "Logos\" or a full path

  // Fills the fields from an entry of the entry file, as Modify does.
  void LoadEntry(const std::string& name);

  void FormCreate();
  void FormShow();
  void GameComboChange(TComponent* sender);
  void LogoComboChange(TComponent* sender);
  void LogoComboDrawItem(TWinControl* control, TCanvas& canvas, int index, const RECT& rect, TOwnerDrawState state);
  void AdvancedButtonClick(TComponent* sender);
  void BrowseLogoButtonClick(TComponent* sender);  // "Browse" of the logo
  void PickModFolderButtonClick(TComponent* sender);  // pick the mod folder
  void BrowseReadmeButtonClick(TComponent* sender);  // "Browse" of Readme
  void BrowseConfigButtonClick(TComponent* sender);  // "Browse" of Config
  void CancelButtonClick(TComponent* sender);
  void OKButtonClick(TComponent* sender);
  TLabel *NameLabel, *GameLabel, *ParametersLabel, *DescriptionLabel, *LogoLabel, *ModFolderLabel, *MapLabel,
      *WinmemLabel, *ReadmeLabel, *ConfigLabel, *WebSiteLabel;
  TEdit *NameEdit, *DescriptionEdit, *ModFolderEdit, *ReadmeEdit, *ConfigEdit, *WebSiteEdit;
  TComboBox *GameCombo, *ParametersCombo, *LogoCombo, *WinmemCombo, *MapCombo;
  TImage* LogoImage;
  TCheckBox* MapcycleCheckBox;
  TPanel* AdvancedPanel;  // the advanced fields, hidden at first
  TButton *AdvancedButton, *BrowseLogoButton, *PickModFolderButton, *BrowseReadmeButton, *BrowseConfigButton;
  TBitBtn *CancelButton, *OKButton;
  TOpenPictureDialog* OpenLogoDialog;
  TOpenDialog *OpenReadmeDialog, *OpenConfigDialog;  // readme, config

private:
  void BuildControls();
  // The game's folder (Sijainti) and key of the chosen game.
  std::string GameKey() const;
  std::string GameFolder() const;
  // The game's own folder of the mod: "<Sijainti>\<mod folder>".
  std::string ModFolder() const;
  void FillMaps();
  // Logos: the combo's pictures, one picture shown in LogoImage.
  void FillLogoCombo();
  // Shows a logo file in LogoImage; false when it does not exist, or when it
  // cannot be read (the "unknown" picture is shown then).
  bool ShowLogo(const std::string& path);
  void ShowUnknownLogo();
  // The full path of a logo value (a bare name is in "Logos\").
  std::string LogoPath(const std::string& value) const;
  // What the picked mod folder tells about itself.
  void ReadFolderInfo(const std::string& folder);
  bool SaveEntry();

  TEntryDialogFiles& FFiles;  // not owned
  std::vector<TBitmap> FLogoPictures;  // the pictures of LogoCombo's items, by index
};

// New: the dialog over the current entry file, shown modally and freed.
void ShowNewEntryDialog(HWND ownerWindow, TEntryDialogFiles& files);
// Modify: the dialog filled from the named entry, shown modally and freed.
void ShowModifyEntryDialog(HWND ownerWindow, TEntryDialogFiles& files, const std::string& name);

// The names shown in the map list for a game and mod folder, "<none>"
// first; see TEntryDialog.GameComboChange.
std::vector<std::string> GameMaps(const std::string& gameKey, const std::string& gameFolder, const std::string& mod);

// Why an entry name cannot be stored ("" when it can): a name holding "=",
// "[", "]" or a line break.
std::string EntryNameProblem(const std::string& name);
// Where the entry's mod-info file goes: "<gameFolder>\<mod>\" for a plain
// existing folder name, the game folder for a blank one; "" when it is not
// to be written (a mod folder with a path part, or a missing folder).
std::string ModInfoFolder(const std::string& gameFolder, const std::string& mod);
