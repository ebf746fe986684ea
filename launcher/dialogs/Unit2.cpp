#include "Unit2.h"

#include "Buttons.h"
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
#include "Unit3_place.h"
#include "UrlLabel.h"
#include "WinGraphics.h"

using settings_ui::Place;

namespace {
constexpr int kClientWidth = 440, kClientHeight = 452;
constexpr int kCreditsWidth = 405, kCreditsHeight = 353;
constexpr const char* kWebAddress = "http://www.brannox2000.net/";

// The read-me under its title: headings, each with one paragraph.
const char* const kReadme[][2] = {
    {"", "Brannox 2000 starts the modifications of your Quake-family games: Quake, Quake II, Quake III Arena, "
         "Half-Life and the other games it knows."},
    {"Getting started", "The first start opens the Settings dialog. Press \"Find games\" to locate your games, then "
                        "\"Find mods\" to fill the list with every modification installed in them."},
    {"The main window", "Double-click an entry, or select it and press Enter, to start it. The right mouse button on an "
                        "entry opens its menu: its readme, config, web site and maps, the views of each game and the "
                        "favourites."},
    {"Skins", "Skins are packages (.bxs) or pictures in the Skins folder; the Skins page of the Settings dialog chooses "
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
    "Brannox 2000",     "",  "Version 8.0",  "",  "",  "Programming",    "",  "The Brannox 2000 team", "",  "",
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
  TTabSheet** sheets[] = {&ProductPage, &ReadmePage, &KeysPage, &Credits, &StatsPage};
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
  Version->SetCaption("Version 8.0");
  Notice = Place<TLabel>(ProductPage, this, 12, 54, 400, 16);
  Notice->SetCaption("A launcher for the modifications of Quake-family games.");
  UrlLabel1 = Place<TUrlLabel>(ProductPage, this, 12, 72, 300, 18);
  UrlLabel1->SetURL(kWebAddress);
  UrlLabel1->SetCaption(kWebAddress);
  ScrollBox1 = Place<TScrollBox>(ProductPage, this, 12, 96, 400, 270);
  ProgramIcon = Place<TImage>(ScrollBox1, this, 0, 0, 300, 250);
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
  RichEdit2 = rich(ReadmePage, ReadmeRTF());
  RichEdit1 = rich(KeysPage, KeyboardShortcutRTF());
}

void TAboutBox::BuildCreditsPage() {
  for (const std::string& line : CreditLines()) L1.Add(line);
  Panel1 = Place<TPanel>(Credits, this, 2, 2, kCreditsWidth + 4, kCreditsHeight + 4);
  Panel1->Color = clBlack;
  Panel1->BevelOuter = bvNone;
  DXDraw1 = Place<TDXDraw>(Panel1, this, 2, 2, kCreditsWidth, kCreditsHeight);
  DXDraw1->AutoInitialize = false;
  DXDraw1->SetAutoSize(false);
  DXDraw1->SetOptions(doCenter | doFlip | doHardware | doSelectDriver);
  DXDraw1->SetSize(kCreditsWidth, kCreditsHeight);
  DXTimer1 = new TDXTimer(this);
  DXTimer1->SetInterval(16);
  DXTimer1->SetActiveOnly(false);
  DXTimer1->SetEnabled(false);
  DXTimer1->OnTimer = [this](TComponent* s, int lag) { DXTimer1Timer(s, lag); };
  Credits->OnShow = [this](TComponent* s) { CreditsShow(s); };
}

void TAboutBox::BuildStatsPage() {
  TLabel** labels[] = {&Label1, &Label2, &Label3, &Label4, &Label5, &Label6};
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
  Fskin = new TFileListBox(this);
  Button1 = Place<TButton>(StatsPage, this, 12, 146, 140, 26);
  Button1->SetCaption("Most started mods");
  Button1->OnClick = [this](TComponent* s) { Button1Click(s); };
  R1 = Place<TMemo>(StatsPage, this, 12, 182, 400, 184);
  R1->SetReadOnly(true);
  R1->ScrollBars = ssVertical;
}

void TAboutBox::FormCreate() {
  Page->SetActivePage(ProductPage);
  if (FHost.Options) Cap1 = MakeCaptionBar(*this, *FHost.Options, FHost.SkinColors);
}

void TAboutBox::PageChange(TComponent*) {
  if (FHost.ClickSound) FHost.ClickSound();
}

void TAboutBox::CreditsShow(TComponent*) {
  if (DXDraw1->Initialized()) return;
  DXDraw1->Initialize();
  DXTimer1->SetEnabled(true);
}

void TAboutBox::DXTimer1Timer(TComponent*, int) {
  if (!DXDraw1->CanDraw()) return;
  TDirectDrawSurface& surface = *DXDraw1->Surface();
  surface.Fill(0);
  Scroll.NextLine(L1.Count());
  TDirectDrawSurfaceCanvas& paper = surface.Canvas();
  try {
    TCanvas& canvas = paper.Canvas();
    canvas.Font.Name = "Arial";
    canvas.Font.Style = fsBold;
    canvas.Font.Color = TColor(0xFFFFFF);
    canvas.Font.SetSize(12);
    const int middle = surface.Width() / 2;
    for (const auto& line : Scroll.Lines(L1.Count())) {
      const std::string& text = L1[line.Index];
      canvas.TextOut(middle - canvas.TextExtent(text).cx / 2, line.Y, text);
    }
  } catch (...) {
    paper.Release();
    throw;
  }
  paper.Release();
  ++Scroll.Offset;
  DXDraw1->Flip();
}

void TAboutBox::FormDestroy() {
  if (DXTimer1) DXTimer1->SetEnabled(false);
}

void TAboutBox::Button1Click(TComponent*) {
  if (FHost.ShowMostStarted) FHost.ShowMostStarted();
}
