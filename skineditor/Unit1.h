// The skin editor's main window (TForm1): the tool bar, the property pages
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

class TForm1 : public TForm {
public:
  // editorDir: the editor's folder with its backslash (options.ini,
  // colors.dat and skintemp\ live there).
  TForm1(TComponent* owner, const std::string& editorDir);
  std::string ClassName() const override { return "TForm1"; }

  // Start-up: the recent list, the custom colours, New, and the project
  // named by the command line's arguments.
  void FormCreate(const std::vector<std::string>& args);
  void FormCloseQuery(TComponent* sender, bool& canClose);

  // --- project commands (Unit1.cpp)
  void New1Click(TComponent* sender);
  void Open1Click(TComponent* sender);
  void Save1Click(TComponent* sender);
  void Saveas1Click(TComponent* sender);
  void Compile1Click(TComponent* sender);
  void Close1Click(TComponent* sender) { Close(); }
  void Options1Click(TComponent* sender);
  void About1Click(TComponent* sender);
  // A "Reopen" item; the path is a copy, as the item goes when the menu is rebuilt.
  void reopentie(std::string path);
  void avaanahka(const std::string& path);
  void paivitareopen(const std::string& path);
  const std::vector<std::string>& RecentProjects() const { return reopen.Items(); }
  // Called by every edit of the project; New, Open and Save clear it.
  void Changed() { Modified = true; }
  bool Modified = false;

  // --- preview (Unit1_preview.cpp)
  void lataa();
  void vaihdafontti();
  void paivitaicot();
  void B1MouseDown(TComponent* sender, TMouseButton button, TShiftState shift, int x, int y);
  void B1MouseMove(TComponent* sender, TShiftState shift, int x, int y);
  void B1MouseUp(TComponent* sender, TMouseButton button, TShiftState shift, int x, int y);
  void B1Click(TComponent* sender);
  void L1MouseDown(TComponent* sender, TMouseButton button, TShiftState shift, int x, int y);
  void L1MouseMove(TComponent* sender, TShiftState shift, int x, int y);
  void L1MouseUp(TComponent* sender, TMouseButton button, TShiftState shift, int x, int y);
  void L1Click(TComponent* sender);
  void L1DblClick(TComponent* sender);
  void I1MouseDown(TComponent* sender, TMouseButton button, TShiftState shift, int x, int y);
  void I1MouseMove(TComponent* sender, TShiftState shift, int x, int y);
  void I1MouseUp(TComponent* sender, TMouseButton button, TShiftState shift, int x, int y);
  void I1Click(TComponent* sender);
  void Image1Click(TComponent* sender);
  void Image1DblClick(TComponent* sender) { BitBtn1Click(sender); }
  void Image1MouseMove(TComponent* sender, TShiftState shift, int x, int y);
  // The preview button k shows its picture or the cross.
  void ShowButtonPicture(int k);

  // --- General page (Unit1_general.cpp)
  void BitBtn1Click(TComponent* sender);       // "Open skin"
  void SpeedButton8Click(TComponent* sender);  // selected font
  void SpeedButton9Click(TComponent* sender);  // unselected font
  void Shape1MouseDown(TComponent* sender, TMouseButton button, TShiftState shift, int x, int y);
  void Shape2MouseDown(TComponent* sender, TMouseButton button, TShiftState shift, int x, int y);
  void S1MouseDown(TComponent* sender, TMouseButton button, TShiftState shift, int x, int y);
  void Edit1Change(TComponent* sender);
  void Edit2Change(TComponent* sender);
  void Memo1Change(TComponent* sender);
  void BitBtn3Click(TComponent* sender);  // "Select preview image"
  // --- Cursors page: slot in package order (0 the default cursor)
  void OpenCursorClick(int slot);
  void ClearCursorClick(int slot);

  // --- Properties page (Unit1_properties.cpp)
  void C1Change(TComponent* sender);
  // Spin edits 1 to 4 of the button page: 0 Top, 1 Left, 2 Width, 3 Height.
  void ButtonSpinChange(int which);
  void ModListSpinChange(TComponent* sender);
  void IconListSpinChange(TComponent* sender);
  void UUChanging(TComponent* sender);
  void UChanging(int item);
  // The three picture groups of a button: 0 "Picture", 1 "Click picture", 2 "Hot picture".
  void OpenPictureClick(int group);
  void ClearPictureClick(int group);
  void PictureSwatchMouseDown(int group);
  void EnabledClick(int group);
  void TransparentClick(int group);
  void ThumbMouseMove(int group, TShiftState shift, int x, int y);
  void SavePictureClick(int group);

  // --- menu bar
  TMainMenu* MainMenu1;
  TMenuItem *File1, *New1, *Open1, *Reopen1, *Save1, *Saveas1, *Compile1, *Close1, *Options1, *About1;

  // --- controls
  TPanel* Panel2;  // the tool bar
  TButton *SpeedButton1, *SpeedButton2, *SpeedButton3, *SpeedButton4;
  TPageControl* P2;
  TTabSheet *General, *Properties, *Cursors;
  TSplitter* Splitter1;    // between the pages and the preview
  TScrollBox* ScrollBox7;  // the preview
  TImage* Image1;
  std::array<TLabel*, 13> L{};
  std::array<TImage*, 13> I{};
  std::array<TImage*, 9> B{};
  TBitmap risti;  // the cross of a button without an enabled picture

  // General page
  TButton *BitBtn2, *BitBtn3;
  TShape *S1, *Shape1, *Shape2;
  TToggleButton* S2;
  TButton *SpeedButton8, *SpeedButton9;
  TEdit *Edit1, *Edit2;
  TMemo* Memo1;

  // Properties page
  TComboBox* C1;
  TScrollBox* PropertyBox;
  std::array<TPanel*, 3> P1{};  // the notebook's pages "0", "1", "2"
  std::array<TSpinEdit*, 4> ButtonSpins{};  // SpinEdit1-4: Top, Left, Width, Height
  struct TPictureGroup {
    TPanel* Box;
    TButton *Open, *Clear, *Save;
    TShape* Swatch;
    TToggleButton* Picker;
    TImage* Thumb;
    TCheckBox *Enabled, *Transparent;
  };
  // Picture: SpeedButton6/7, Shape3, S3, Savepic, Image2, Pi1, T1; Click
  // picture: SpeedButton4a/5a, Shape4, S4, Savepic2, Image3, Pi2, T2; Hot
  // picture: SpeedButton11/12, Shape5, S5, Savepic3, Image4, Pi3, T3.
  std::array<TPictureGroup, 3> Groups{};
  TSpinEdit *SpinEdit5, *SpinEdit6, *SpinEdit7;  // mod list leading, top, left
  std::array<TSpinEdit*, 13> ModItemLeft{}, ModItemWidth{};  // SpinEdit8-33
  TSpinEdit *SpinEdit36, *SpinEdit37, *SpinEdit38;  // icon list leading, top, left
  TSpinEdit* UU;                       // icon size, 4 to 512
  TLabel* Label52;                     // "16x16"
  std::array<TSpinEdit*, 13> IconItemLeft{};  // SpinEdit39-51
  std::array<TSpinEdit*, 13> U{};      // size offsets, -256 to 256
  std::array<TLabel*, 13> X{};

  // Cursors page, in package order: Edit11, Edit3 ... Edit10.
  std::array<TEdit*, kSkinCursorSlots> CursorEdits{};

  TOpenDialog *OpenDialog1, *OpenDialog2;
  TSaveDialog* SaveDialog1;
  TOpenPictureDialog* O1;
  TSavePictureDialog* SavePictureDialog1;
  TColorDialog* ColorDialog1;
  TFontDialog* FontDialog1;

  TSkinProject Project;  // bxs, the cursors and the preview picture
  TbxskinData& Skin() { return Project.bxs.Data; }
  bool LoadingControls = false;
  // Runs the colour dialog from start (its custom colours are kept in
  // colors.dat); on OK returns true with the colour.
  bool PickColor(TColor start, TColor& chosen);

  // Drag state of the preview.
  bool Dragging = false;
  int GrabX = 0, GrabY = 0, StartWidth = 0, StartHeight = 0;
  std::array<int, 13> RowStartWidths{};

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
  // The chosen button (C1's index 0 to 8).
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
  TRecentList reopen;
  int FPagesWidth;  // the pages' width, moved with the splitter
  static constexpr int kPagesTop = 32;  // the Properties page's notebook, below C1
};

// The colour of the picture's pixel under a point of the image (stretched
// or not); false for a point outside the picture.
bool PickedColor(TImage& image, int x, int y, TColor& color);
// Only the left mouse button held, no modifier key.
bool OnlyLeftButton(TShiftState shift);

// The program block: application title, the main window, the message loop.
int EditorMain(const std::vector<std::string>& args);
