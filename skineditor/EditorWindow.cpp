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
#include "EditorWindow.h"

#include <algorithm>

#include "ControlMaking.h"
#include "EditorAboutBox.h"
#include "Dialogs.h"
#include "FileUtils.h"
#include "IniFiles.h"
#include "EditorOptionsDialog.h"
#include "CompileDialog.h"
#include "skinoptions.h"

using ctrl::Place;

const char* const kSaveChangesQuestion = "Save changes to the skin project?";
const char* const kConfirmClear = "Confirm Clear?";

namespace {
const char* const kColorsFile = "colors.dat";
const char* const kReopenSection = "reopen";
const char* const kProjectFilter = "Brannox 2000 skin project (*.bxn)|*.bxn";
const char* const kProjectExt = "bxn";
// The installed projects beside the editor, the default skin's among them.
const char* const kProjectsFolder = "projects";
constexpr int kToolBarHeight = 30;
constexpr int kPagesWidth = 209;
constexpr int kSplitterWidth = 3;
constexpr int kMinPart = 100;  // the splitter leaves the pages and the preview at least this wide
constexpr SIZE kMinimumSize{540, 320};
}  // namespace

TEditorWindow::TEditorWindow(TComponent* owner, const std::string& editorDir)
    : TForm(owner), FEditorDir(editorDir), FPagesWidth(kPagesWidth) {
  SetCaption(kEditorTitle);
  Position = poScreenCenter;
  ShowHint = true;
  KeyPreview = true;  // the menu's short cuts also while a page's control has the focus
  SetBounds(0, 0, 757, 600);

  OpenProjectDialog = new TOpenDialog(this);
  SaveProjectDialog = new TSaveDialog(this);
  for (TOpenDialog* d : {OpenProjectDialog, static_cast<TOpenDialog*>(SaveProjectDialog)}) {
    d->Filter = kProjectFilter;
    d->DefaultExt = kProjectExt;
  }
  SaveProjectDialog->Options = ofOverwritePrompt;
  // Open and Save as start among the installed projects, so that the default
  // skin's is found and saving it under a new name makes a copy of one's own.
  if (DirectoryExists(FEditorDir + kProjectsFolder))
    OpenProjectDialog->InitialDir = SaveProjectDialog->InitialDir = FEditorDir + kProjectsFolder;
  OpenPictureDialog = new TOpenPictureDialog(this);
  OpenPictureDialog->Filter = "Supported image files|*.tga;*.pcx;*.tif;*.tiff;*.bmp|Truevision Targa (*.tga)|*.tga|"
               "Zsoft Paintbrush (*.pcx)|*.pcx|Tagged Image File Format (*.tif;*.tiff)|*.tif;*.tiff|"
               "Bitmap (*.bmp)|*.bmp";
  OpenCursorDialog = new TOpenDialog(this);
  OpenCursorDialog->Filter = "*.cur;*.ani|*.cur;*.ani|*.cur|*.cur|*.ani|*.ani";
  SavePictureDialog = new TSavePictureDialog(this);
  SavePictureDialog->Filter = "Bitmap (*.bmp)|*.bmp";
  SavePictureDialog->DefaultExt = "bmp";
  SavePictureDialog->Options = ofOverwritePrompt;
  ColorDialog = new TColorDialog(this);
  FontDialog = new TFontDialog(this);
  FontDialog->MinFontSize = 4;
  FontDialog->MaxFontSize = 30;

  CreateMenu();
  CreateToolBar();
  Pages = new TPageControl(this);
  Pages->SetParent(this);
  General = new TTabSheet(this);
  General->SetCaption("General");
  General->SetPageControl(Pages);
  Properties = new TTabSheet(this);
  Properties->SetCaption("Properties");
  Properties->SetPageControl(Pages);
  Cursors = new TTabSheet(this);
  Cursors->SetCaption("Cursors");
  Cursors->SetPageControl(Pages);
  CreateGeneralPage();
  CreatePropertiesPage();
  CreateCursorsPage();
  CreatePreview();
  PagesSplitter = new TSplitter(this);
  PagesSplitter->SetParent(this);
  PagesSplitter->OnMoving = [this](TSplitter*, int dx) {
    FPagesWidth = std::max(kMinPart, std::min(FPagesWidth + dx, ClientWidth() - kSplitterWidth - kMinPart));
    Resize();
  };
  OnCloseQuery = [this](TComponent* s, bool& canClose) { FormCloseQuery(s, canClose); };
  Resize();
}

void TEditorWindow::CreateMenu() {
  MenuBar = new TMainMenu(this);
  auto add = [this](TMenuItem* parent, const char* caption, void (TEditorWindow::*handler)(TComponent*),
                    TShortCut shortCut = scNone) {
    auto* item = new TMenuItem(this);
    item->Caption = caption;
    item->ShortCut = shortCut;
    if (handler) item->OnClick = [this, handler](TComponent* s) { (this->*handler)(s); };
    parent->Add(item);
    return item;
  };
  FileMenuItem = add(MenuBar->Items(), "&File", nullptr);
  NewItem = add(FileMenuItem, "&New", &TEditorWindow::NewItemClick, ShortCut('N', ssCtrl));
  OpenItem = add(FileMenuItem, "&Open", &TEditorWindow::OpenItemClick, ShortCut('O', ssCtrl));
  ReopenItem = add(FileMenuItem, "&Reopen", nullptr);
  ReopenItem->Enabled = false;
  SaveItem = add(FileMenuItem, "&Save", &TEditorWindow::SaveItemClick, ShortCut('S', ssCtrl));
  SaveAsItem = add(FileMenuItem, "Save &as", &TEditorWindow::SaveAsItemClick);
  CompileItem = add(FileMenuItem, "&Compile skin", &TEditorWindow::CompileItemClick);
  CloseItem = add(FileMenuItem, "C&lose", &TEditorWindow::CloseItemClick);
  OptionsItem = add(MenuBar->Items(), "&Options", &TEditorWindow::OptionsItemClick);
  AboutItem = add(MenuBar->Items(), "&About", &TEditorWindow::AboutItemClick);
  Menu = MenuBar;
}

void TEditorWindow::CreateToolBar() {
  ToolBarPanel = new TPanel(this);
  ToolBarPanel->SetParent(this);
  struct {
    TButton** button;
    const char* caption;
    const char* hint;
    void (TEditorWindow::*handler)(TComponent*);
  } tools[] = {{&NewButton, "New", "New skin", &TEditorWindow::NewItemClick},
               {&OpenButton, "Open", "Open skin", &TEditorWindow::OpenItemClick},
               {&SaveButton, "Save", "Save skin", &TEditorWindow::SaveItemClick},
               {&CompileButton, "Compile", "Compile skin", &TEditorWindow::CompileItemClick}};
  int left = 4;
  for (auto& t : tools) {
    auto* b = Place<TButton>(ToolBarPanel, this, left, 3, 64, kToolBarHeight - 6);
    b->SetCaption(t.caption);
    b->Hint = t.hint;
    b->OnClick = [this, handler = t.handler](TComponent* s) { (this->*handler)(s); };
    *t.button = b;
    left += 66;
  }
}

void TEditorWindow::Resize() {
  const int w = ClientWidth(), h = ClientHeight();
  ToolBarPanel->SetBounds(0, 0, w, kToolBarHeight);
  const int below = std::max(0, h - kToolBarHeight);
  Pages->SetBounds(0, kToolBarHeight, FPagesWidth, below);
  PagesSplitter->SetBounds(FPagesWidth, kToolBarHeight, kSplitterWidth, below);
  PropertyBox->SetBounds(0, kPagesTop, Properties->ClientWidth(), std::max(0, Properties->ClientHeight() - kPagesTop));
  const int previewLeft = FPagesWidth + kSplitterWidth;
  PreviewBox->SetBounds(previewLeft, kToolBarHeight, std::max(0, w - previewLeft), below);
  TForm::Resize();
}

LRESULT TEditorWindow::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_GETMINMAXINFO) {
    auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
    info->ptMinTrackSize = POINT{kMinimumSize.cx, kMinimumSize.cy};
    return 0;
  }
  return TForm::WndProc(msg, wParam, lParam);
}

void TEditorWindow::FormCreate(const std::vector<std::string>& args) {
  {
    TIniFile options(FEditorDir + kEditorOptionsFile);
    FRecentProjects.Load([&](const std::string& key) { return options.ReadString(kReopenSection, key, ""); },
                         FileExists);
  }
  RebuildReopenMenu();
  LoadCustomColors();
  LoadingControls = false;
  ElementCombo->SetItemIndex(0);
  Pages->SetActivePage(General);
  NewItemClick(this);

  std::string joined;
  for (const std::string& a : args) joined += a + " ";
  const std::string path = Trim(joined);
  if (path.empty() || !FileExists(path)) return;
  if (!IsProjectFileName(path)) {
    MessageDlg(kNotProjectMessage, mtWarning, mbOK);
    return;
  }
  LoadProject(path);
}

bool TEditorWindow::CanDropChanges() {
  if (!Modified) return true;
  switch (MessageDlg(kSaveChangesQuestion, mtConfirmation, mbYesNoCancel)) {
    case mrYes:
      try {
        SaveItemClick(this);
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

void TEditorWindow::NewItemClick(TComponent*) {
  if (!CanDropChanges()) return;
  SetCaption(kEditorTitle);
  Project.New();
  for (TEdit* e : CursorEdits) e->SetText("");
  Application().ProcessMessages();
  LoadControls();
  Modified = false;
}

void TEditorWindow::OpenItemClick(TComponent*) {
  if (!CanDropChanges()) return;
  OpenProjectDialog->FileName.clear();
  if (OpenProjectDialog->Execute()) LoadProject(OpenProjectDialog->FileName);
}

void TEditorWindow::OpenRecentProject(std::string path) {
  if (!CanDropChanges()) return;
  LoadProject(path);
}

void TEditorWindow::LoadProject(const std::string& path) {
  if (!FileExists(path)) return;
  AddRecentProject(path);
  if (!IsProjectFileName(path)) {
    MessageDlg(kNotProjectMessage, mtWarning, mbOK);
    return;
  }
  const std::string why = Project.Open(path);
  SetCaption(ProjectCaption(Project.Skin.Filename));
  for (int k = 0; k < kSkinCursorSlots; ++k) CursorEdits[size_t(k)]->SetText(Project.Cursors[size_t(k)]);
  LoadControls();
  Modified = false;
  if (!why.empty()) MessageDlg(why, mtError, mbOK);
  else if (!Project.UnreadPictures.empty()) MessageDlg(Project.UnreadPicturesMessage(), mtWarning, mbOK);
}

void TEditorWindow::SaveItemClick(TComponent* sender) {
  if (Project.Skin.Filename.empty()) {
    SaveAsItemClick(sender);
    return;
  }
  Project.Save();
  SetCaption(ProjectCaption(Project.Skin.Filename));
  Modified = false;
}

void TEditorWindow::SaveAsItemClick(TComponent*) {
  SaveProjectDialog->FileName.clear();
  if (!SaveProjectDialog->Execute()) return;
  Project.SaveAs(SaveProjectDialog->FileName);
  SetCaption(ProjectCaption(SaveProjectDialog->FileName));
  Modified = false;
}

void TEditorWindow::CompileItemClick(TComponent* sender) {
  SaveItemClick(sender);
  if (Project.Skin.Filename.empty() || Modified) return;
  if (!HasBackgroundPicture(Skin())) {
    MessageDlg(kNoBackgroundMessage, mtWarning, mbOK);
    return;
  }
  TStringList notes;
  notes.SetText(NotesMemo->Text());
  CompileSkin(FEditorDir, Project.PackageInput(notes));
}

void TEditorWindow::OptionsItemClick(TComponent*) { ShowOptionsDialog(FEditorDir + kEditorOptionsFile, Handle()); }

void TEditorWindow::AboutItemClick(TComponent*) { ShowAboutBox(Handle()); }

void TEditorWindow::AddRecentProject(const std::string& path) {
  if (FileExists(path)) FRecentProjects.Add(path);
  RebuildReopenMenu();
}

void TEditorWindow::RebuildReopenMenu() {
  ReopenItem->FreeFrom(0);
  for (const std::string& path : FRecentProjects.Items()) {
    auto* item = new TMenuItem(this);
    item->Caption = EscapeAmpersands(path);
    item->OnClick = [this, path](TComponent*) { OpenRecentProject(path); };
    ReopenItem->Add(item);
  }
  ReopenItem->Enabled = ReopenItem->Count() > 0;
  MenuBar->Rebuild();
}

void TEditorWindow::FormCloseQuery(TComponent*, bool& canClose) {
  canClose = CanDropChanges();
  if (!canClose) return;
  try {
    TIniFile options(FEditorDir + kEditorOptionsFile);
    TIniUpdate update(options);
    options.EraseSection(kReopenSection);
    FRecentProjects.Save(
        [&](const std::string& key, const std::string& value) { options.WriteString(kReopenSection, key, value); });
    update.Commit();
  } catch (const std::exception&) {
    // The recent list is a convenience: a failure to keep it closes anyway.
  }
}

// colors.dat: the colour dialog's sixteen custom colours, one colour text a line.
void TEditorWindow::LoadCustomColors() {
  const std::string file = FEditorDir + kColorsFile;
  if (!FileExists(file)) return;
  try {
    TStringList lines;
    lines.LoadFromFile(file);
    for (int i = 0; i < lines.Count() && i < int(ColorDialog->CustomColors.size()); ++i)
      ColorDialog->CustomColors[size_t(i)] = StringToColor(Trim(lines[i]));
  } catch (const std::exception&) {
    ColorDialog->CustomColors.fill(clWhite);
  }
}

void TEditorWindow::SaveCustomColors() {
  try {
    TStringList lines;
    for (TColor c : ColorDialog->CustomColors) lines.Add(ColorToString(c));
    lines.SaveToFile(FEditorDir + kColorsFile);
  } catch (const std::exception&) {
    // Never reported: the colours are only a convenience.
  }
}

bool TEditorWindow::PickColor(TColor start, TColor& chosen) {
  ColorDialog->Color = start;
  const bool ok = ColorDialog->Execute();
  SaveCustomColors();
  if (ok) chosen = ColorDialog->Color;
  return ok;
}
