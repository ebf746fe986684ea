// TMostStartedWindow, the "Most started mods" window: the start statistics as a sortable
// table with the games' logos, saved as HTML or as a workbook and copied to
// the clipboard.
#pragma once
#include <string>
#include <vector>

#include "CommonDialogs.h"
#include "DialogForm.h"
#include "ExtGrid.h"
#include "GradCap.h"
#include "ImgList.h"
#include "IniFiles.h"
#include "Menus.h"

// One row of the statistics, most started first: the game key, the mod
// folder (or the entry's display name) and the number of starts.
struct TStartRecord {
  std::string Game, Mod, Count;
};

class TMostStartedWindow : public TDialogForm {
public:
  explicit TMostStartedWindow(TComponent* owner, HWND ownerWindow = nullptr);
  std::string ClassName() const override { return "TMostStartedWindow"; }

  // Owned through the component tree.
  TExtStringGrid* StartsGrid;
  TGradientCaption* CaptionBar;  // null once freed by FormCreate
  TImageList* LogoImages;
  TMainMenu* WindowMenu;
  TPopupMenu* GridMenu;
  TSaveDialog *SaveHtmlDialog, *SaveWorkbookDialog;

  // The caption colours from the options ([Asetukset]), or from the main
  // window's colours; without "Colorcap" the caption bar goes.
  void FormCreate(const TIniFile& options, TColor unselected, TColor selected);
  // The bitmap into LogoImages, and its picture before the text of column 1.
  void AddRowLogo(const TBitmap& bitmap, int row);
  // Headers, one row per record, the logos of Games.ini's "Kuvake" (looked
  // for in launcherDir's "Logos\" when bare), and the positions.
  void Fill(const std::vector<TStartRecord>& records, const std::string& launcherDir, const TIniFile& games);

  void SaveToHtmlItemClick(TComponent* sender);
  void SaveToXlsItemClick(TComponent* sender);
  void CopyToClipboardItemClick(TComponent* sender);
  void CopySelectionItemClick(TComponent* sender);
  void CloseItemClick(TComponent* sender);

private:
  void BuildMenus();
};

// The display names of the records: each mod folder becomes the section name
// of the first entry of the entry file (in its section order) whose "Mod"
// and "Game" match the record's (without regard to case). The entry file is
// only read, so the main window's own entry file and view are never touched.
void DisplayNames(std::vector<TStartRecord>& records, const TIniFile& entryFile);
