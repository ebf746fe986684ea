// The editor's main window: its frame and tool bar, start-up, and the
// project commands.
//
// Departures from the original window: dropping unsaved changes (New, Open,
// a recent project, closing) asks first, with Yes / No / Cancel; a project
// named on the command line is opened like any other, with its preview
// picture and colour, so that a later save does not lose them; a project
// that cannot be read says why; a project with a picture that cannot be
// read opens without that picture and names it in one warning; a skin
// without a background picture is not compiled (it would have no face).
#include "Unit1.h"

#include <algorithm>

#include "About.h"
#include "Dialogs.h"
#include "FileUtils.h"
#include "IniFiles.h"
#include "Unit3.h"
#include "Unit4.h"

const char* const kSaveChangesQuestion = "Save changes to the skin project?";
const char* const kConfirmClear = "Confirm Clear?";

namespace {
const char* const kOptionsFile = "options.ini";
const char* const kColorsFile = "colors.dat";
const char* const kReopenSection = "reopen";
const char* const kProjectFilter = "Brannox 2000 skin project (*.bxn)|*.bxn";
const char* const kProjectExt = "bxn";
constexpr int kToolBarHeight = 30;
constexpr int kPagesWidth = 209;
constexpr int kSplitterWidth = 3;
constexpr int kMinPart = 100;  // the splitter leaves the pages and the preview at least this wide
constexpr SIZE kMinimumSize{540, 320};
}  // namespace

TForm1::TForm1(TComponent* owner, const std::string& editorDir)
    : TForm(owner), FEditorDir(editorDir), FPagesWidth(kPagesWidth) {
  SetCaption(kEditorTitle);
  Position = poScreenCenter;
  ShowHint = true;
  KeyPreview = true;  // the menu's short cuts also while a page's control has the focus
  SetBounds(0, 0, 757, 600);

  OpenDialog1 = new TOpenDialog(this);
  SaveDialog1 = new TSaveDialog(this);
  for (TOpenDialog* d : {OpenDialog1, static_cast<TOpenDialog*>(SaveDialog1)}) {
    d->Filter = kProjectFilter;
    d->DefaultExt = kProjectExt;
  }
  SaveDialog1->Options = ofOverwritePrompt;
  O1 = new TOpenPictureDialog(this);
  O1->Filter = "Supported image files|*.tga;*.pcx;*.tif;*.tiff;*.bmp|Truevision Targa (*.tga)|*.tga|"
               "Zsoft Paintbrush (*.pcx)|*.pcx|Tagged Image File Format (*.tif;*.tiff)|*.tif;*.tiff|"
               "Bitmap (*.bmp)|*.bmp";
  OpenDialog2 = new TOpenDialog(this);
  OpenDialog2->Filter = "*.cur;*.ani|*.cur;*.ani|*.cur|*.cur|*.ani|*.ani";
  SavePictureDialog1 = new TSavePictureDialog(this);
  SavePictureDialog1->Filter = "Bitmap (*.bmp)|*.bmp";
  SavePictureDialog1->DefaultExt = "bmp";
  SavePictureDialog1->Options = ofOverwritePrompt;
  ColorDialog1 = new TColorDialog(this);
  FontDialog1 = new TFontDialog(this);
  FontDialog1->MinFontSize = 4;
  FontDialog1->MaxFontSize = 30;

  CreateMenu();
  CreateToolBar();
  P2 = new TPageControl(this);
  P2->SetParent(this);
  General = new TTabSheet(this);
  General->SetCaption("General");
  General->SetPageControl(P2);
  Properties = new TTabSheet(this);
  Properties->SetCaption("Properties");
  Properties->SetPageControl(P2);
  Cursors = new TTabSheet(this);
  Cursors->SetCaption("Cursors");
  Cursors->SetPageControl(P2);
  CreateGeneralPage();
  CreatePropertiesPage();
  CreateCursorsPage();
  CreatePreview();
  Splitter1 = new TSplitter(this);
  Splitter1->SetParent(this);
  Splitter1->OnMoving = [this](TSplitter*, int dx) {
    FPagesWidth = std::max(kMinPart, std::min(FPagesWidth + dx, ClientWidth() - kSplitterWidth - kMinPart));
    Resize();
  };
  OnCloseQuery = [this](TComponent* s, bool& canClose) { FormCloseQuery(s, canClose); };
  Resize();
}

void TForm1::CreateMenu() {
  MainMenu1 = new TMainMenu(this);
  auto add = [this](TMenuItem* parent, const char* caption, void (TForm1::*handler)(TComponent*),
                    TShortCut shortCut = scNone) {
    auto* item = new TMenuItem(this);
    item->Caption = caption;
    item->ShortCut = shortCut;
    if (handler) item->OnClick = [this, handler](TComponent* s) { (this->*handler)(s); };
    parent->Add(item);
    return item;
  };
  File1 = add(MainMenu1->Items(), "&File", nullptr);
  New1 = add(File1, "&New", &TForm1::New1Click, ShortCut('N', ssCtrl));
  Open1 = add(File1, "&Open", &TForm1::Open1Click, ShortCut('O', ssCtrl));
  Reopen1 = add(File1, "&Reopen", nullptr);
  Reopen1->Enabled = false;
  Save1 = add(File1, "&Save", &TForm1::Save1Click, ShortCut('S', ssCtrl));
  Saveas1 = add(File1, "Save &as", &TForm1::Saveas1Click);
  Compile1 = add(File1, "&Compile skin", &TForm1::Compile1Click);
  Close1 = add(File1, "C&lose", &TForm1::Close1Click);
  Options1 = add(MainMenu1->Items(), "&Options", &TForm1::Options1Click);
  About1 = add(MainMenu1->Items(), "&About", &TForm1::About1Click);
  Menu = MainMenu1;
}

void TForm1::CreateToolBar() {
  Panel2 = new TPanel(this);
  Panel2->SetParent(this);
  struct {
    TButton** button;
    const char* caption;
    const char* hint;
    void (TForm1::*handler)(TComponent*);
  } tools[] = {{&SpeedButton1, "New", "New skin", &TForm1::New1Click},
               {&SpeedButton2, "Open", "Open skin", &TForm1::Open1Click},
               {&SpeedButton3, "Save", "Save skin", &TForm1::Save1Click},
               {&SpeedButton4, "Compile", "Compile skin", &TForm1::Compile1Click}};
  int left = 4;
  for (auto& t : tools) {
    auto* b = new TButton(this);
    b->SetCaption(t.caption);
    b->Hint = t.hint;
    b->SetBounds(left, 3, 64, kToolBarHeight - 6);
    b->SetParent(Panel2);
    b->OnClick = [this, handler = t.handler](TComponent* s) { (this->*handler)(s); };
    *t.button = b;
    left += 66;
  }
}

void TForm1::Resize() {
  const int w = ClientWidth(), h = ClientHeight();
  Panel2->SetBounds(0, 0, w, kToolBarHeight);
  const int below = std::max(0, h - kToolBarHeight);
  P2->SetBounds(0, kToolBarHeight, FPagesWidth, below);
  Splitter1->SetBounds(FPagesWidth, kToolBarHeight, kSplitterWidth, below);
  PropertyBox->SetBounds(0, kPagesTop, Properties->ClientWidth(), std::max(0, Properties->ClientHeight() - kPagesTop));
  const int previewLeft = FPagesWidth + kSplitterWidth;
  ScrollBox7->SetBounds(previewLeft, kToolBarHeight, std::max(0, w - previewLeft), below);
  TForm::Resize();
}

LRESULT TForm1::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_GETMINMAXINFO) {
    auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
    info->ptMinTrackSize = POINT{kMinimumSize.cx, kMinimumSize.cy};
    return 0;
  }
  return TForm::WndProc(msg, wParam, lParam);
}

void TForm1::FormCreate(const std::vector<std::string>& args) {
  {
    TIniFile options(FEditorDir + kOptionsFile);
    reopen.Load([&](const std::string& key) { return options.ReadString(kReopenSection, key, ""); }, FileExists);
  }
  RebuildReopenMenu();
  LoadCustomColors();
  LoadingControls = false;
  C1->SetItemIndex(0);
  P2->SetActivePage(General);
  New1Click(this);

  std::string joined;
  for (const std::string& a : args) joined += a + " ";
  const std::string path = Trim(joined);
  if (path.empty() || !FileExists(path)) return;
  if (!IsProjectFileName(path)) {
    MessageDlg(kNotProjectMessage, mtWarning, mbOK);
    return;
  }
  avaanahka(path);
}

bool TForm1::CanDropChanges() {
  if (!Modified) return true;
  switch (MessageDlg(kSaveChangesQuestion, mtConfirmation, mbYesNoCancel)) {
    case mrYes:
      try {
        Save1Click(this);
      } catch (const std::exception& e) {
        Application().HandleException(e);
        return false;
      }
      return !Modified;
    case mrNo:
      return true;
    default:
      return false;
  }
}

void TForm1::New1Click(TComponent*) {
  if (!CanDropChanges()) return;
  SetCaption(kEditorTitle);
  Project.New();
  for (TEdit* e : CursorEdits) e->SetText("");
  Application().ProcessMessages();
  lataa();
  Modified = false;
}

void TForm1::Open1Click(TComponent*) {
  if (!CanDropChanges()) return;
  OpenDialog1->FileName.clear();
  if (OpenDialog1->Execute()) avaanahka(OpenDialog1->FileName);
}

void TForm1::reopentie(std::string path) {
  if (!CanDropChanges()) return;
  avaanahka(path);
}

void TForm1::avaanahka(const std::string& path) {
  if (!FileExists(path)) return;
  paivitareopen(path);
  if (!IsProjectFileName(path)) {
    MessageDlg(kNotProjectMessage, mtWarning, mbOK);
    return;
  }
  const std::string why = Project.Open(path);
  SetCaption(ProjectCaption(Project.bxs.Filename));
  for (int k = 0; k < kSkinCursorSlots; ++k) CursorEdits[size_t(k)]->SetText(Project.Cursors[size_t(k)]);
  lataa();
  Modified = false;
  if (!why.empty()) MessageDlg(why, mtError, mbOK);
  else if (!Project.UnreadPictures.empty()) MessageDlg(Project.UnreadPicturesMessage(), mtWarning, mbOK);
}

void TForm1::Save1Click(TComponent* sender) {
  if (Project.bxs.Filename.empty()) {
    Saveas1Click(sender);
    return;
  }
  Project.Save();
  SetCaption(ProjectCaption(Project.bxs.Filename));
  Modified = false;
}

void TForm1::Saveas1Click(TComponent*) {
  SaveDialog1->FileName.clear();
  if (!SaveDialog1->Execute()) return;
  Project.SaveAs(SaveDialog1->FileName);
  SetCaption(ProjectCaption(SaveDialog1->FileName));
  Modified = false;
}

void TForm1::Compile1Click(TComponent* sender) {
  Save1Click(sender);
  if (Project.bxs.Filename.empty() || Modified) return;
  if (!HasBackgroundPicture(Skin())) {
    MessageDlg(kNoBackgroundMessage, mtWarning, mbOK);
    return;
  }
  TStringList notes;
  notes.SetText(Memo1->Text());
  CompileSkin(FEditorDir, Project.PackageInput(notes));
}

void TForm1::Options1Click(TComponent*) { ShowOptionsDialog(FEditorDir + kOptionsFile, Handle()); }

void TForm1::About1Click(TComponent*) { ShowAboutBox(Handle()); }

void TForm1::paivitareopen(const std::string& path) {
  if (FileExists(path)) reopen.Add(path);
  RebuildReopenMenu();
}

void TForm1::RebuildReopenMenu() {
  Reopen1->FreeFrom(0);
  for (const std::string& path : reopen.Items()) {
    auto* item = new TMenuItem(this);
    item->Caption = EscapeAmpersands(path);
    item->OnClick = [this, path](TComponent*) { reopentie(path); };
    Reopen1->Add(item);
  }
  Reopen1->Enabled = Reopen1->Count() > 0;
  MainMenu1->Rebuild();
}

void TForm1::FormCloseQuery(TComponent*, bool& canClose) {
  canClose = CanDropChanges();
  if (!canClose) return;
  try {
    TIniFile options(FEditorDir + kOptionsFile);
    options.EraseSection(kReopenSection);
    reopen.Save([&](const std::string& key, const std::string& value) { options.WriteString(kReopenSection, key, value); });
  } catch (const std::exception&) {
    // The recent list is a convenience: a failure to keep it closes anyway.
  }
}

// colors.dat: the colour dialog's sixteen custom colours, one colour text a line.
void TForm1::LoadCustomColors() {
  const std::string file = FEditorDir + kColorsFile;
  if (!FileExists(file)) return;
  try {
    TStringList lines;
    lines.LoadFromFile(file);
    for (int i = 0; i < lines.Count() && i < int(ColorDialog1->CustomColors.size()); ++i)
      ColorDialog1->CustomColors[size_t(i)] = StringToColor(Trim(lines[i]));
  } catch (const std::exception&) {
    ColorDialog1->CustomColors.fill(clWhite);
  }
}

void TForm1::SaveCustomColors() {
  try {
    TStringList lines;
    for (TColor c : ColorDialog1->CustomColors) lines.Add(ColorToString(c));
    lines.SaveToFile(FEditorDir + kColorsFile);
  } catch (const std::exception&) {
    // Never reported: the colours are only a convenience.
  }
}

bool TForm1::PickColor(TColor start, TColor& chosen) {
  ColorDialog1->Color = start;
  const bool ok = ColorDialog1->Execute();
  SaveCustomColors();
  if (ok) chosen = ColorDialog1->Color;
  return ok;
}
