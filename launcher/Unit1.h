// TForm1, the launcher's main window: start-up, the INI files it shares with
// the rest of the launcher, and applying the skin and options to the window.
#pragma once
#include <array>
#include <memory>
#include <random>
#include <string>

#include "ExtCtrls.h"
#include "FileCtrl.h"
#include "FileUtils.h"
#include "Forms.h"
#include "IniFiles.h"
#include "MPlayer.h"
#include "ShapedForm.h"
#include "Unit1_list.h"
#include "brannoxskin.h"
#include "cabfiles.h"

// The skin cursor files kept in "temp\", in the order they are extracted.
extern const std::array<const char*, 18> kSkinCursorFiles;

// The entry list, selection and scrolling, starting entries and the timer
// are TForm1's through TForm1List (Unit1_list.h, Unit1_rows.cpp,
// Unit1_start.cpp, Unit1_timer.cpp).
class TForm1 : public TForm, public TForm1List {
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
  TShapedForm* C1;
  std::array<TLabel*, 13> Labels{};  // Label1..Label13
  std::array<TImage*, 13> Icons{};   // I1..I13
  TImage *Image18, *Image15, *Image17, *Image16, *Image14, *Image13, *Image1, *Image2a, *Image3a;
  TMediaPlayer* MediaPlayer1;
  TFileListBox *F1, *F2;
  TCABFile* Cab1;
  TBXSkin *bxs, *tyhja;
  TTimer* A1;

  // Start-up and close.
  void FormCreate(TComponent* sender);
  void FormCloseQuery(TComponent* sender, bool& canClose);

  // Applying the skin and options.
  void lataa();
  void vaihdafontti();
  void paivitaicot();
  bool smoothtesti();
  void tyhjaskin();
  static TColor vastavari(TColor colour);
  void bxcursors();
  void paivitabx();
  void nappi();
  void SnapToScreenEdges();

  // The folder of the executable, with a trailing backslash.
  static std::string ExeDir();
  // The lower-cased command-line arguments (1-based; "" when missing).
  static std::string Arg(int n);

protected:
  void WindowPosChanging(WINDOWPOS& pos) override;

private:
  void BuildControls();
  void PlayStartupSound();
  struct TSoundKeys { const char *Default, *Random, *Name; };
  void PlayChosenSound(const TSoundKeys& keys, const std::string& defaultFile, const std::string& folder);
  void PlayFile(const std::string& fileName);
  std::string ChooseSkin();
  void LoadSkin(const std::string& name);
  void LoadPictureSkin(const std::string& name);
  void LoadPackageSkin(const std::string& name);
  void ShowBuiltInFace();
  void ColoursFromColFile(const std::string& name, TColor sel, TColor unsel);
  void ClampToDesktop();
  void OpenSettingsPlaceholder();
  void DeleteSkinCursorFiles();
  TImage* ButtonControl(int button) const;
  std::mt19937 FRandom;
};

extern TForm1* Form1;

// The empty template: the built-in 300 x 240 layout of the form's own face.
void MakeEmptyTemplate(TbxskinData& data);

// Where a window of the given size lands when snapped to the desktop's edges
// (desktop: its left, top, width and height).
POINT SnapPosition(POINT pos, SIZE window, RECT desktop, int snapPixels);
// The position moved so that the whole window lies on the desktop.
POINT ClampPosition(POINT pos, SIZE window, RECT desktop);
// The desktop as left, top, right, bottom.
RECT DesktopRect();
