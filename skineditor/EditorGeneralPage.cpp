// The main window's General and Cursors pages and the small builders that
// every page uses.
#include "EditorWindow.h"

#include "ControlMaking.h"
#include "PreviewImageDialog.h"

using ctrl::Place;

namespace {
// The Cursors page's rows, top to bottom: caption and package slot.
struct TCursorRow {
  const char* caption;
  int slot;
};
constexpr TCursorRow kCursorRows[kSkinCursorSlots] = {
    {"New button cursor:", 1},   {"Modify button cursor:", 2}, {"Remove button cursor:", 3},
    {"Settings button cursor:", 4}, {"About button cursor:", 5}, {"Close button cursor:", 6},
    {"Up button cursor:", 7},    {"Down button cursor:", 8},   {"Default cursor:", 0}};
constexpr int kEditHeight = 21;
}  // namespace

TLabel* TEditorWindow::AddLabel(TWinControl* parent, const std::string& caption, int x, int y, int w) {
  return ctrl::Label(parent, this, x, y, w, caption);
}

TButton* TEditorWindow::AddButton(TWinControl* parent, const std::string& caption, int x, int y, int w, int h,
                           std::function<void()> click) {
  auto* button = ctrl::Button(parent, this, x, y, w, caption, "", h);
  button->OnClick = [click = std::move(click)](TComponent*) { click(); };
  return button;
}

TSpinEdit* TEditorWindow::AddSpin(TWinControl* parent, int x, int y, int w, std::function<void(TComponent*)> change) {
  auto* spin = Place<TSpinEdit>(parent, this, x, y, w, kEditHeight);
  spin->OnChange = std::move(change);
  return spin;
}

TShape* TEditorWindow::AddSwatch(TWinControl* parent, int x, int y, std::function<void()> mouseDown) {
  auto* swatch = Place<TShape>(parent, this, x, y, 24, 20);
  swatch->OnMouseDown = [mouseDown = std::move(mouseDown)](TComponent*, TMouseButton, TShiftState, int, int) {
    mouseDown();
  };
  return swatch;
}

void TEditorWindow::CreateGeneralPage() {
  TWinControl* page = General;
  OpenBackgroundButton = AddButton(page, "Open skin", 8, 8, 100, 25, [this] { OpenBackgroundButtonClick(this); });
  AddLabel(page, "Transparent color:", 8, 44, 104);
  TransparentColorSwatch = AddSwatch(page, 112, 42, [this] { TransparentColorSwatchMouseDown(this, mbLeft, 0, 0, 0); });
  ColorSelectorButton = Place<TToggleButton>(page, this, 8, 66, 110, 22);
  ColorSelectorButton->SetCaption("Color selector");
  AddLabel(page, "Selected font:", 8, 100, 104);
  SelectedFontButton = AddButton(page, "A", 112, 96, 24, 22, [this] { SelectedFontButtonClick(this); });
  SelectedFontButton->Hint = "Select font";
  AddLabel(page, "Selected color:", 8, 124, 104);
  SelectedColorSwatch = AddSwatch(page, 112, 122, [this] { SelectedColorSwatchMouseDown(this, mbLeft, 0, 0, 0); });
  AddLabel(page, "Unselected font:", 8, 152, 104);
  UnselectedFontButton = AddButton(page, "A", 112, 148, 24, 22, [this] { UnselectedFontButtonClick(this); });
  UnselectedFontButton->Hint = "Select font";
  AddLabel(page, "Unselected color:", 8, 176, 104);
  UnselectedColorSwatch = AddSwatch(page, 112, 174, [this] { UnselectedColorSwatchMouseDown(this, mbLeft, 0, 0, 0); });
  AddLabel(page, "Author:", 8, 204);
  AuthorEdit = Place<TEdit>(page, this, 8, 220, 185, kEditHeight);
  AuthorEdit->OnChange = [this](TComponent* s) { AuthorEditChange(s); };
  AddLabel(page, "Skin title:", 8, 248);
  TitleEdit = Place<TEdit>(page, this, 8, 264, 185, kEditHeight);
  TitleEdit->OnChange = [this](TComponent* s) { TitleEditChange(s); };
  AddLabel(page, "Other notes:", 8, 292);
  NotesMemo = new TMemo(this);
  NotesMemo->ScrollBars = ssVertical;
  NotesMemo->SetBounds(8, 308, 185, 100);
  NotesMemo->SetParent(page);
  NotesMemo->OnChange = [this](TComponent* s) { NotesMemoChange(s); };
  PreviewImageButton =
      AddButton(page, "Select preview image", 8, 418, 185, 25, [this] { PreviewImageButtonClick(this); });
}

void TEditorWindow::CreateCursorsPage() {
  int y = 8;
  for (const TCursorRow& row : kCursorRows) {
    AddLabel(Cursors, row.caption, 8, y, 185);
    auto* edit = Place<TEdit>(Cursors, this, 8, y + 16, 130, kEditHeight);
    edit->SetReadOnly(true);
    CursorEdits[size_t(row.slot)] = edit;
    AddButton(Cursors, "Open", 140, y + 16, 32, kEditHeight, [this, slot = row.slot] { OpenCursorClick(slot); })->Hint =
        "Open";
    AddButton(Cursors, "X", 174, y + 16, 20, kEditHeight, [this, slot = row.slot] { ClearCursorClick(slot); })->Hint =
        "Clear";
    y += 44;
  }
}

// --- General page

void TEditorWindow::OpenBackgroundButtonClick(TComponent*) {
  OpenPictureDialog->FileName.clear();
  if (!OpenPictureDialog->Execute()) return;
  TPicture picture;
  picture.LoadFromFile(OpenPictureDialog->FileName);  // a picture that cannot be read raises; nothing changes
  TbxskinData& d = Skin();
  d.Kuva.Assign(picture);
  d.Height = picture.Height();
  d.Width = picture.Width();
  SetBackground();
  Changed();
}

void TEditorWindow::SelectedFontButtonClick(TComponent*) {
  Tbxskinmainlist& list = Skin().Mainlist;
  FontDialog->Font.Assign(list.MainListselFont);
  if (!FontDialog->Execute()) return;
  list.SetMainListselFont(FontDialog->Font);
  SelectedColorSwatch->SetBrushColor(list.MainListselFont.Color);
  Changed();
}

void TEditorWindow::UnselectedFontButtonClick(TComponent*) {
  Tbxskinmainlist& list = Skin().Mainlist;
  FontDialog->Font.Assign(list.MainListunselFont);
  if (!FontDialog->Execute()) return;
  list.SetMainListunselFont(FontDialog->Font);
  UnselectedColorSwatch->SetBrushColor(list.MainListunselFont.Color);
  LayoutModList();
  Changed();
}

void TEditorWindow::SelectedColorSwatchMouseDown(TComponent*, TMouseButton, TShiftState, int, int) {
  TFont& font = Skin().Mainlist.MainListselFont;
  if (!PickColor(font.Color, font.Color)) return;
  SelectedColorSwatch->SetBrushColor(font.Color);
  Changed();
}

void TEditorWindow::UnselectedColorSwatchMouseDown(TComponent*, TMouseButton, TShiftState, int, int) {
  TFont& font = Skin().Mainlist.MainListunselFont;
  if (!PickColor(font.Color, font.Color)) return;
  UnselectedColorSwatch->SetBrushColor(font.Color);
  LayoutModList();
  Changed();
}

void TEditorWindow::TransparentColorSwatchMouseDown(TComponent*, TMouseButton, TShiftState, int, int) {
  if (!PickColor(Skin().Lapivari, Skin().Lapivari)) return;
  TransparentColorSwatch->SetBrushColor(Skin().Lapivari);
  Changed();
}

void TEditorWindow::AuthorEditChange(TComponent*) {
  if (LoadingControls) return;
  Skin().Tekija = AuthorEdit->Text();
  Changed();
}

void TEditorWindow::TitleEditChange(TComponent*) {
  if (LoadingControls) return;
  Skin().Title = TitleEdit->Text();
  Changed();
}

void TEditorWindow::NotesMemoChange(TComponent*) {
  if (LoadingControls) return;
  Skin().Comments.Clear();
  Skin().Comments.Add(NotesMemo->Text());
  Changed();
}

void TEditorWindow::PreviewImageButtonClick(TComponent*) { ShowPreviewImageDialog(*this); }

// --- Cursors page

void TEditorWindow::OpenCursorClick(int slot) {
  OpenCursorDialog->FileName.clear();
  if (!OpenCursorDialog->Execute()) return;
  CursorEdits[size_t(slot)]->SetText(OpenCursorDialog->FileName);
  Project.Cursors[size_t(slot)] = OpenCursorDialog->FileName;
  Changed();
}

void TEditorWindow::ClearCursorClick(int slot) {
  CursorEdits[size_t(slot)]->SetText("");
  Project.Cursors[size_t(slot)].clear();
  Changed();
}
