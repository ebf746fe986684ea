#include "AboutBox.h"

#include "Buttons.h"
#include "ControlMaking.h"
#include "DialogCaption.h"
#include "ComCtrls.h"
#include "DXClassWin.h"
#include "DXDrawsControl.h"
#include "ExtCtrls.h"
#include "FileCtrl.h"
#include "GradCap.h"
#include "Panels.h"
#include "RichEdit.h"
#include "StdEdits.h"
#include "UrlLabel.h"
#include "WinGraphics.h"
#include "bxversion.h"

using ctrl::Place;

namespace {
constexpr int kClientWidth = 440, kClientHeight = 452;
constexpr int kCreditsWidth = 405, kCreditsHeight = 353;
constexpr const char* kWebAddress = "http://www.brannox2000.net/";

// The read-me under its title: headings, each with one paragraph.
const char* const kReadme[][2] = {
    {"",
     "Brannox 2000 starts the modifications of your Quake-family games: Quake, Quake II, Quake III Arena, "
     "Half-Life and the other games it knows."},
    {"Getting started",
     "The first start opens the Settings dialog. Press \"Find games\" to locate your games, then "
     "\"Find mods\" to fill the list with every modification installed in them."},
    {"The main window",
     "Double-click an entry, or select it and press Enter, to start it. The right mouse button on an "
     "entry opens its menu: its readme, config, web site and maps, the views of each game and the "
     "favourites."},
    {"Skins",
     "Skins are packages (.bxs) or pictures in the Skins folder; the Skins page of the Settings dialog chooses "
     "one. The skin editor makes new ones."},
};

const char* const kShortcuts[][2] = {
    {"Insert", "New"},
    {"Ctrl+M", "Modify"},
    {"Delete", "Remove"},
    {"Ctrl+Delete", "Remove all"},
    {"Ctrl+S", "Settings"},
    {"A", "About"},
    {"Esc", "Close"},
    {"Up", "Move up"},
    {"Down", "Move Down"},
    {"Ctrl+T", "Minimize to sys.tray"},
    {"Enter", "Start selected modification"},
    {"F5", "Refresh modlist"},
    {"Ctrl+F", "Add mod to favourites"},
    {"F1", "Help file"},
    {"F2", "Readme"},
    {"Shift+F", "Find mods"},
    {"Shift+G", "Find games"},
    {"Ctrl+1", "Modlist editor"},
    {"Ctrl+2", "Config manager"},
    {"Ctrl+3", "Half-Life manager"},
    {"Ctrl+4", "Half-Life logo editor"},
    {"Ctrl+5", "Brannox 2000 skin editor"},
};

const char* const kCredits[] = {
    "Brannox 2000",     "",  "Version " BX_VERSION_TEXT,  "",  "",  "Programming",    "",  "The Brannox 2000 team", "",  "",
    "Skins",            "",  "The Brannox 2000 team", "",  "",  "Testing",  "",  "The Brannox 2000 players", "",
    "",                 "Thanks to",    "",  "Everyone who makes modifications", "for the games we love", "",
    "",                 "Thank you for using", "Brannox 2000",
};
}  // namespace

std::vector<std::string> KeyboardShortcutLines() {
  std::vector<std::string> lines = {"Key\tAction", "--------------------------------------------"};
  for (const auto& key : kShortcuts) lines.push_back(std::string(key[0]) + "\t" + key[1]);
  return lines;
}

namespace {
// The rich texts of the two text pages: 8-point Arial, one paragraph a line,
// a tab as a tab.
std::string RTFLine(const std::string& line, bool bold) {
  std::string out = bold ? "{\\b " : "";
  for (char c : line) {
    if (c == '\\' || c == '{' || c == '}') out += '\\';
    out += c == '\t' ? std::string("\\tab ") : std::string(1, c);
  }
  return out + (bold ? "}" : "") + "\\par\n";
}

constexpr const char* kRTFStart = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}\\f0\\fs16";
}  // namespace

// The read-me: the title larger, the headings in bold.
std::string ReadmeRTF() {
  std::string rtf = std::string(kRTFStart) + "{\\fs24 " + RTFLine("Brannox 2000", true) + "}\\par\n";
  for (const auto& [heading, text] : kReadme) {
    if (*heading) rtf += RTFLine(heading, true);
    rtf += RTFLine(text, false) + "\\par\n";
  }
  return rtf + "}";
}

// The shortcut table: the actions at one tab stop, the heading in bold.
std::string KeyboardShortcutRTF() {
  const std::vector<std::string> lines = KeyboardShortcutLines();
  std::string rtf = std::string(kRTFStart) + "\\tx1800 ";
  for (size_t i = 0; i < lines.size(); ++i) rtf += RTFLine(lines[i], i == 0);
  return rtf + "}";
}

std::vector<std::string> CreditLines() {
  std::vector<std::string> lines(TCreditsScroll::kLinesShown);
  lines.insert(lines.end(), std::begin(kCredits), std::end(kCredits));
  lines.resize(lines.size() + TCreditsScroll::kLinesShown + 2);
  return lines;
}

void TCreditsScroll::NextLine(int count) {
  if (Offset < kLineHeight) return;
  Top = Top == count - (kLinesShown + 1) ? 0 : Top + 1;
  Offset = 0;
}

std::vector<TCreditsScroll::TLine> TCreditsScroll::Lines(int count) const {
  std::vector<TLine> lines;
  for (int k = 0; k < kLinesShown; ++k) {
    const int index = Top + k;
    if (index >= count) break;
    lines.push_back({index, kLineHeight * k - 8 - Offset});
  }
  return lines;
}

TAboutBox::TAboutBox(TComponent* owner, const TAboutHost& host) : TDialogForm(owner, host.Window), FHost(host) {
  SetCaption("About");
  Font.Name = "MS Sans Serif";
  Font.Height = -11;
  Page = Place<TPageControl>(this, this, 6, 6, kClientWidth - 12, 404);
  TTabSheet** sheets[] = {&ProductPage, &ReadmePage, &KeysPage, &CreditsPage, &StatsPage};
  const char* const captions[] = {"Brannox 2000", "Readme", "Keyboard shortcuts", "Credits", "Brannox stats"};
  for (int i = 0; i < 5; ++i) {
    *sheets[i] = new TTabSheet(this);
    (*sheets[i])->SetCaption(captions[i]);
    (*sheets[i])->SetPageControl(Page);
  }
  Page->OnChange = [this](TComponent* s) { PageChange(s); };
  BuildProductPage();
  BuildTextPages();
  BuildCreditsPage();
  BuildStatsPage();
  OKButton = Place<TButton>(this, this, kClientWidth - 86, 418, 80, 26);
  OKButton->SetCaption("OK");
  OKButton->Default = true;
  OKButton->Cancel = true;
  OKButton->ModalResult = mrOk;
  SetClientSize(kClientWidth, kClientHeight);
  FormCreate();
}

TAboutBox::~TAboutBox() { FormDestroy(); }

void TAboutBox::BuildProductPage() {
  ProductName = Place<TLabel>(ProductPage, this, 12, 10, 300, 24);
  ProductName->SetCaption("Brannox 2000");
  ProductName->Font.Height = -19;
  ProductName->Font.Style = fsBold;
  Version = Place<TLabel>(ProductPage, this, 12, 36, 200, 16);
  Version->SetCaption("Version " BX_VERSION_TEXT);
  Notice = Place<TLabel>(ProductPage, this, 12, 54, 400, 16);
  Notice->SetCaption("A launcher for the modifications of Quake-family games.");
  WebAddressLabel = Place<TUrlLabel>(ProductPage, this, 12, 72, 300, 18);
  WebAddressLabel->SetURL(kWebAddress);
  WebAddressLabel->SetCaption(kWebAddress);
  PictureScrollBox = Place<TScrollBox>(ProductPage, this, 12, 96, 400, 270);
  ProgramIcon = Place<TImage>(PictureScrollBox, this, 0, 0, 300, 250);
  LoadBitmapResource(ProgramIcon->Picture().Bitmap(), "SPLASH");
  ProgramIcon->Changed();
}

void TAboutBox::BuildTextPages() {
  auto rich = [this](TTabSheet* sheet, const std::string& rtf) {
    auto* r = Place<TRichEdit>(sheet, this, 6, 6, 408, 364);
    r->ScrollBars = ssVertical;
    r->SetReadOnly(true);
    r->SetRTF(rtf);
    return r;
  };
  ReadmeRichEdit = rich(ReadmePage, ReadmeRTF());
  ShortcutsRichEdit = rich(KeysPage, KeyboardShortcutRTF());
}

void TAboutBox::BuildCreditsPage() {
  for (const std::string& line : CreditLines()) CreditList.Add(line);
  CreditsPanel = Place<TPanel>(CreditsPage, this, 2, 2, kCreditsWidth + 4, kCreditsHeight + 4);
  CreditsPanel->Color = clBlack;
  CreditsPanel->BevelOuter = bvNone;
  CreditsDXDraw = Place<TDXDraw>(CreditsPanel, this, 2, 2, kCreditsWidth, kCreditsHeight);
  CreditsDXDraw->AutoInitialize = false;
  CreditsDXDraw->SetAutoSize(false);
  CreditsDXDraw->SetOptions(doCenter | doFlip | doHardware | doSelectDriver);
  CreditsDXDraw->SetSize(kCreditsWidth, kCreditsHeight);
  CreditsTimer = new TDXTimer(this);
  CreditsTimer->SetInterval(16);
  CreditsTimer->SetActiveOnly(false);
  CreditsTimer->SetEnabled(false);
  CreditsTimer->OnTimer = [this](TComponent* s, int lag) { CreditsTimerTimer(s, lag); };
  CreditsPage->OnShow = [this](TComponent* s) { CreditsPageShow(s); };
}

void TAboutBox::BuildStatsPage() {
  TLabel** labels[] = {&StartsLabel, &EntriesLabel, &DaysLabel, &AverageLabel, &KnownModsLabel, &SkinsLabel};
  const char* const texts[] = {"You have activated mod XXXX times",
                               "You have XXXX modifications in your mod list",
                               "You have used brannox XXXX days",
                               "Modifications start average:",
                               "Brannox finds automaticly XXXX modifications",
                               "You have XXX Brannox 2000 skins"};
  for (int i = 0; i < 6; ++i) {
    *labels[i] = Place<TLabel>(StatsPage, this, 12, 12 + 22 * i, 400, 18);
    (*labels[i])->SetCaption(texts[i]);
  }
  SkinFileList = new TFileListBox(this);
  MostStartedButton = Place<TButton>(StatsPage, this, 12, 146, 140, 26);
  MostStartedButton->SetCaption("Most started mods");
  MostStartedButton->OnClick = [this](TComponent* s) { MostStartedButtonClick(s); };
  GameCountsMemo = Place<TMemo>(StatsPage, this, 12, 182, 400, 184);
  GameCountsMemo->SetReadOnly(true);
  GameCountsMemo->ScrollBars = ssVertical;
}

void TAboutBox::FormCreate() {
  Page->SetActivePage(ProductPage);
  if (FHost.Options) CaptionBar = MakeCaptionBar(*this, *FHost.Options, FHost.SkinColors);
}

void TAboutBox::PageChange(TComponent*) {
  if (FHost.ClickSound) FHost.ClickSound();
}

void TAboutBox::CreditsPageShow(TComponent*) {
  if (CreditsDXDraw->Initialized()) return;
  CreditsDXDraw->Initialize();
  CreditsTimer->SetEnabled(true);
}

void TAboutBox::CreditsTimerTimer(TComponent*, int) {
  if (!CreditsDXDraw->CanDraw()) return;
  TDirectDrawSurface& surface = *CreditsDXDraw->Surface();
  surface.Fill(0);
  Scroll.NextLine(CreditList.Count());
  TDirectDrawSurfaceCanvas& paper = surface.Canvas();
  try {
    TCanvas& canvas = paper.Canvas();
    canvas.Font.Name = "Arial";
    canvas.Font.Style = fsBold;
    canvas.Font.Color = TColor(0xFFFFFF);
    canvas.Font.SetSize(12);
    const int middle = surface.Width() / 2;
    for (const auto& line : Scroll.Lines(CreditList.Count())) {
      const std::string& text = CreditList[line.Index];
      canvas.TextOut(middle - canvas.TextExtent(text).cx / 2, line.Y, text);
    }
  } catch (...) {
    paper.Release();
    throw;
  }
  paper.Release();
  ++Scroll.Offset;
  CreditsDXDraw->Flip();
}

void TAboutBox::FormDestroy() {
  if (CreditsTimer) CreditsTimer->SetEnabled(false);
}

void TAboutBox::MostStartedButtonClick(TComponent*) {
  if (FHost.ShowMostStarted) FHost.ShowMostStarted();
}
