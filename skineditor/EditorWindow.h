// The skin editor's main window (TEditorWindow): the tool bar, the property pages
// on the left, the live preview of the launcher's window on the right, and
// the project commands (New, Open, Save, Save as, Compile, Options, About).
#pragma once
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "Buttons.h"
#include "ChooseDialogs.h"
#include "ComCtrls.h"
#include "CommonDialogs.h"
#include "ExtCtrls.h"
#include "Forms.h"
#include "Menus.h"
#include "Panels.h"
#include "Shapes.h"
#include "SkinRows.h"
#include "Spin.h"
#include "Splitter.h"
#include "StdCtrls.h"
#include "skinproject.h"

// A check box drawn as a push button that stays down ("Color selector").
class TToggleButton : public TCheckBox {
public:
  using TCheckBox::TCheckBox;
  std::string ClassName() const override { return "TToggleButton"; }

protected:
  DWORD ButtonStyle() const override { return BS_AUTOCHECKBOX | BS_PUSHLIKE; }
};

extern const char* const kSaveChangesQuestion;  // asked before unsaved changes are dropped
extern const char* const kConfirmClear;          // "Confirm Clear?"

class TEditorWindow : public TForm {
public:
  // editorDir: the editor's folder with its backslash (options.ini,
  // colors.dat and skintemp\ live there).
  TEditorWindow(TComponent* owner, const std::string& editorDir);
  std::string ClassName() const override { return "TEditorWindow"; }

  // Start-up: the recent list, the custom colours, New, and the project
  // named by the command line's arguments.
  void FormCreate(const std::vector<std::string>& args);
  void FormCloseQuery(TComponent* sender, bool& canClose);

  // --- project commands (EditorWindow.cpp)
  void NewItemClick(TComponent* sender);
  void OpenItemClick(TComponent* sender);
  void SaveItemClick(TComponent* sender);
  void SaveAsItemClick(TComponent* sender);
  void CompileItemClick(TComponent* sender);
  void CloseItemClick(TComponent* sender) { Close(); }
  void OptionsItemClick(TComponent* sender);
  void AboutItemClick(TComponent* sender);
  // A "Reopen" item; the path is a copy, as the item goes when the menu is rebuilt.
  void OpenRecentProject(std::string path);
  void LoadProject(const std::string& path);
  void AddRecentProject(const std::string& path);
  const std::vector<std::string>& RecentProjects() const { return FRecentProjects.Items(); }
  // Called by every edit of the project; New, Open and Save clear it.
  void Changed() { Modified = true; }
  bool Modified = false;

  // --- preview (EditorPreview.cpp)
  void LoadControls();
  void LayoutModList();
  void LayoutIconList();
  void PreviewButtonMouseDown(TComponent* sender, TMouseButton button, TShiftState shift, int x, int y);
  void PreviewButtonMouseMove(TComponent* sender, TShiftState shift, int x, int y);
  void PreviewButtonMouseUp(TComponent* sender, TMouseButton button, TShiftState shift, int x, int y);
  void PreviewButtonClick(TComponent* sender);
  void PreviewRowMouseDown(TComponent* sender, TMouseButton button, TShiftState shift, int x, int y);
  void PreviewRowMouseMove(TComponent* sender, TShiftState shift, int x, int y);
  void PreviewRowMouseUp(TComponent* sender, TMouseButton button, TShiftState shift, int x, int y);
  void PreviewRowClick(TComponent* sender);
  void PreviewRowDblClick(TComponent* sender);
  void PreviewIconMouseDown(TComponent* sender, TMouseButton button, TShiftState shift, int x, int y);
  void PreviewIconMouseMove(TComponent* sender, TShiftState shift, int x, int y);
  void PreviewIconMouseUp(TComponent* sender, TMouseButton button, TShiftState shift, int x, int y);
  void PreviewIconClick(TComponent* sender);
  void BackgroundImageClick(TComponent* sender);
  void BackgroundImageDblClick(TComponent* sender) { OpenBackgroundButtonClick(sender); }
  void BackgroundImageMouseMove(TComponent* sender, TShiftState shift, int x, int y);
  // The preview button k shows its picture or the cross.
  void ShowButtonPicture(int k);

  // --- General page (EditorGeneralPage.cpp)
  void OpenBackgroundButtonClick(TComponent* sender);       // "Open skin"
  void SelectedFontButtonClick(TComponent* sender);  // selected font
  void UnselectedFontButtonClick(TComponent* sender);  // unselected font
  void SelectedColorSwatchMouseDown(TComponent* sender, TMouseButton button, TShiftState shift, int x, int y);
  void UnselectedColorSwatchMouseDown(TComponent* sender, TMouseButton button, TShiftState shift, int x, int y);
  void TransparentColorSwatchMouseDown(TComponent* sender, TMouseButton button, TShiftState shift, int x, int y);
  void AuthorEditChange(TComponent* sender);
  void TitleEditChange(TComponent* sender);
  void NotesMemoChange(TComponent* sender);
  void PreviewImageButtonClick(TComponent* sender);  // "Select preview image"
  // --- Cursors page: slot in package order (0 the default cursor)
  void OpenCursorClick(int slot);
  void ClearCursorClick(int slot);

  // --- Properties page (EditorPropertiesPage.cpp)
  void ElementComboChange(TComponent* sender);
  // Spin edits 1 to 4 of the button page: 0 Top, 1 Left, 2 Width, 3 Height.
  void ButtonSpinChange(int which);
  void ModListSpinChange(TComponent* sender);
  void IconListSpinChange(TComponent* sender);
  void IconSizeSpinChange(TComponent* sender);
  void SizeOffsetSpinChange(int item);
  // The three picture groups of a button: 0 "Picture", 1 "Click picture", 2 "Hot picture".
  void OpenPictureClick(int group);
  void ClearPictureClick(int group);
  void PictureSwatchMouseDown(int group);
  void EnabledClick(int group);
  void TransparentClick(int group);
  void ThumbMouseMove(int group, TShiftState shift, int x, int y);
  void SavePictureClick(int group);

  // --- menu bar
  TMainMenu* MenuBar;
  TMenuItem *FileMenuItem, *NewItem, *OpenItem, *ReopenItem, *SaveItem, *SaveAsItem, *CompileItem, *CloseItem,
      *OptionsItem, *AboutItem;

  // --- controls
  TPanel* ToolBarPanel;  // the tool bar
  TButton *NewButton, *OpenButton, *SaveButton, *CompileButton;
  TPageControl* Pages;
  TTabSheet *General, *Properties, *Cursors;
  TSplitter* PagesSplitter;    // between the pages and the preview
  TScrollBox* PreviewBox;  // the preview
  TImage* BackgroundImage;
  std::array<TLabel*, kRows> PreviewRows{};
  std::array<TImage*, kRows> PreviewIcons{};
  std::array<TImage*, 9> PreviewButtons{};
  TBitmap CrossPicture;  // the cross of a button without an enabled picture

  // General page
  TButton *OpenBackgroundButton, *PreviewImageButton;
  TShape *TransparentColorSwatch, *SelectedColorSwatch, *UnselectedColorSwatch;
  TToggleButton* ColorSelectorButton;
  TButton *SelectedFontButton, *UnselectedFontButton;
  TEdit *AuthorEdit, *TitleEdit;
  TMemo* NotesMemo;

  // Properties page
  TComboBox* ElementCombo;
  TScrollBox* PropertyBox;
  std::array<TPanel*, 3> ElementPages{};  // the notebook's pages "0", "1", "2"
  std::array<TSpinEdit*, 4> ButtonSpins{};  // Top, Left, Width, Height
  struct TPictureGroup {
    TPanel* Box;
    TButton *Open, *Clear, *Save;
    TShape* Swatch;
    TToggleButton* Picker;
    TImage* Thumb;
    TCheckBox *Enabled, *Transparent;
  };
  // The Picture, Click picture and Hot picture groups, in that order.
  std::array<TPictureGroup, 3> Groups{};
  TSpinEdit *ModListLeadingSpin, *ModListTopSpin, *ModListLeftSpin;  // mod list leading, top, left
  std::array<TSpinEdit*, kRows> ModItemLeft{}, ModItemWidth{};
  TSpinEdit *IconListLeadingSpin, *IconListTopSpin, *IconListLeftSpin;  // icon list leading, top, left
  TSpinEdit* IconSizeSpin;                       // icon size, 4 to 512
  TLabel* IconSizeLabel;                     // "16x16"
  std::array<TSpinEdit*, kRows> IconItemLeft{};
  std::array<TSpinEdit*, kRows> SizeOffsetSpins{};      // size offsets, -256 to 256
  std::array<TLabel*, kRows> ItemSizeLabels{};

  // Cursors page, in package order.
  std::array<TEdit*, kSkinCursorSlots> CursorEdits{};

  TOpenDialog *OpenProjectDialog, *OpenCursorDialog;
  TSaveDialog* SaveProjectDialog;
  TOpenPictureDialog* OpenPictureDialog;
  TSavePictureDialog* SavePictureDialog;
  TColorDialog* ColorDialog;
  TFontDialog* FontDialog;

  TSkinProject Project;  // Skin, the cursors and the preview picture
  TbxskinData& Skin() { return Project.Skin.Data; }
  bool LoadingControls = false;
  // Runs the colour dialog from start (its custom colours are kept in
  // colors.dat); on OK returns true with the colour.
  bool PickColor(TColor start, TColor& chosen);

  // Drag state of the preview.
  bool Dragging = false;
  int GrabX = 0, GrabY = 0, StartWidth = 0, StartHeight = 0;
  std::array<int, kRows> RowStartWidths{};

  // WM_GETMINMAXINFO: the smallest size the user can drag the window to.
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

protected:
  void Resize() override;

private:
  // Small builders of the pages' controls, placed on parent.
  TLabel* AddLabel(TWinControl* parent, const std::string& caption, int x, int y, int w = 90);
  TButton* AddButton(TWinControl* parent, const std::string& caption, int x, int y, int w, int h,
                     std::function<void()> click);
  TSpinEdit* AddSpin(TWinControl* parent, int x, int y, int w, std::function<void(TComponent*)> change);
  TShape* AddSwatch(TWinControl* parent, int x, int y, std::function<void()> mouseDown);
  void CreateMenu();
  void CreateToolBar();
  void CreatePreview();
  void CreateGeneralPage();
  void CreateCursorsPage();
  void CreatePropertiesPage();
  void CreateButtonPage(TPanel* page);
  // "Leading:", "Top:" and "Left:" at the top of a list page.
  void AddListHead(TPanel* page, const std::function<void(TComponent*)>& change, TSpinEdit*& leading, TSpinEdit*& top,
                   TSpinEdit*& left);
  void CreateModListPage(TPanel* page);
  void CreateIconListPage(TPanel* page);
  // Asks about unsaved changes; false when the user cancelled (or a save
  // that was asked for did not happen).
  bool CanDropChanges();
  // Opens a project after the question about unsaved changes.
  void OpenProject(const std::string& path);
  void RebuildReopenMenu();
  void LoadCustomColors();
  void SaveCustomColors();
  // The chosen button (ElementCombo's index 0 to 8).
  Tbxskinnappi& ChosenButton();
  int ChosenButtonIndex() const;
  TPicture& GroupPicture(int group);
  TColor& GroupColor(int group);
  bool& GroupEnabled(int group);
  bool& GroupTransparent(int group);
  void ShowIconSizes();
  // The area the preview's items must stay inside: the background's size.
  SIZE PreviewArea() const;
  void SetBackground();
  // Sizes written back into the skin after a drag.
  void StoreRowLayout();
  void StoreIconLayout();

  std::string FEditorDir;
  TRecentList FRecentProjects;
  int FPagesWidth;  // the pages' width, moved with the splitter
  static constexpr int kPagesTop = 32;  // the Properties page's notebook, below ElementCombo
};

// The colour of the picture's pixel under a point of the image (stretched
// or not); false for a point outside the picture.
bool PickedColor(TImage& image, int x, int y, TColor& color);
// Only the left mouse button held, no modifier key.
bool OnlyLeftButton(TShiftState shift);

// The program block: application title, the main window, the message loop.
int EditorMain(const std::vector<std::string>& args);
