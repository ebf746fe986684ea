// TAboutBox: the launcher's About dialog: the product page, the read-me, the
// keyboard shortcuts, credits scrolling on a DirectDraw surface, and the usage
// statistics that the main window fills in.
#pragma once
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "DialogForm.h"
#include "StringList.h"

class TButton;
class TCustomDXTimer;
class TDXDraw;
class TDXTimer;
class TFileListBox;
class TGradientCaption;
class TIniFile;
class TImage;
class TLabel;
class TMemo;
class TPageControl;
class TPanel;
class TRichEdit;
class TScrollBox;
class TTabSheet;
class TUrlLabel;

// The credits scroller: lines 20 pixels apart moving up a pixel a frame.
struct TCreditsScroll {
  static constexpr int kLineHeight = 20;
  static constexpr int kLinesShown = 19;
  int Top = 0;     // the list index of the top line
  int Offset = 0;  // pixels scrolled within the top line
  // Moves on to the next line after 20 frames; past the last screenful it
  // starts again from the empty beginning.
  void NextLine(int count);
  // The lines of this frame that exist, with the y of each.
  struct TLine {
    int Index, Y;
  };
  std::vector<TLine> Lines(int count) const;
};

// What the About box needs of the main window.
struct TAboutHost {
  HWND Window = nullptr;
  std::function<void()> ClickSound;        // the main window's click sound
  std::function<void()> ShowMostStarted;   // the "Most started mods" window
  // The options that colour the caption bar (none: no caption bar), and
  // the skin's selected and unselected list colours.
  const TIniFile* Options = nullptr;
  std::pair<TColor, TColor> SkinColors{clLime, clGreen};
};

class TAboutBox : public TDialogForm {
public:
  TAboutBox(TComponent* owner, const TAboutHost& host);
  ~TAboutBox() override;
  std::string ClassName() const override { return "TAboutBox"; }

  TPageControl* Page;
  TTabSheet *ProductPage, *ReadmePage, *KeysPage, *CreditsPage, *StatsPage;
  TLabel *ProductName, *Version, *Notice;
  TUrlLabel* WebAddressLabel;
  TScrollBox* PictureScrollBox;
  TImage* ProgramIcon;
  TRichEdit *ReadmeRichEdit, *ShortcutsRichEdit;
  TStringList CreditList;  // the credit lines
  TPanel* CreditsPanel;
  TDXDraw* CreditsDXDraw;
  TDXTimer* CreditsTimer;
  TLabel *StartsLabel, *EntriesLabel, *DaysLabel, *AverageLabel, *KnownModsLabel, *SkinsLabel;
  TFileListBox* SkinFileList;
  TButton* MostStartedButton;
  TMemo* GameCountsMemo;
  TGradientCaption* CaptionBar = nullptr;
  TButton* OKButton;
  TCreditsScroll Scroll;

  void FormCreate();
  void PageChange(TComponent* sender);
  void CreditsPageShow(TComponent* sender);
  // One frame of the credits.
  void CreditsTimerTimer(TComponent* sender, int lagCount);
  void FormDestroy();
  void MostStartedButtonClick(TComponent* sender);

private:
  void BuildProductPage();
  void BuildTextPages();
  void BuildCreditsPage();
  void BuildStatsPage();
  TAboutHost FHost;
};

// The lines of the keyboard shortcuts page, key and action a tab apart.
std::vector<std::string> KeyboardShortcutLines();
// The rich texts of the "Readme" and "Keyboard shortcuts" pages.
std::string ReadmeRTF();
std::string KeyboardShortcutRTF();
// The credit lines: an empty screen, the credits, an empty screen.
std::vector<std::string> CreditLines();
