// The main window's General and Cursors pages and the small builders that
// every page uses.
#include "Unit1.h"

#include "Unit5.h"

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

TLabel* TForm1::AddLabel(TWinControl* parent, const std::string& caption, int x, int y, int w) {
  auto* label = new TLabel(this);
  label->SetCaption(caption);
  label->SetBounds(x, y, w, 16);
  label->SetParent(parent);
  return label;
}

TButton* TForm1::AddButton(TWinControl* parent, const std::string& caption, int x, int y, int w, int h,
                           std::function<void()> click) {
  auto* button = new TButton(this);
  button->SetCaption(caption);
  button->SetBounds(x, y, w, h);
  button->SetParent(parent);
  button->OnClick = [click = std::move(click)](TComponent*) { click(); };
  return button;
}

TSpinEdit* TForm1::AddSpin(TWinControl* parent, int x, int y, int w, std::function<void(TComponent*)> change) {
  auto* spin = new TSpinEdit(this);
  spin->SetBounds(x, y, w, kEditHeight);
  spin->SetParent(parent);
  spin->OnChange = std::move(change);
  return spin;
}

TShape* TForm1::AddSwatch(TWinControl* parent, int x, int y, std::function<void()> mouseDown) {
  auto* swatch = new TShape(this);
  swatch->SetBounds(x, y, 24, 20);
  swatch->SetParent(parent);
  swatch->OnMouseDown = [mouseDown = std::move(mouseDown)](TComponent*, TMouseButton, TShiftState, int, int) {
    mouseDown();
  };
  return swatch;
}

void TForm1::CreateGeneralPage() {
  TWinControl* page = General;
  BitBtn2 = AddButton(page, "Open skin", 8, 8, 100, 25, [this] { BitBtn1Click(this); });
  AddLabel(page, "Transparent color:", 8, 44, 104);
  S1 = AddSwatch(page, 112, 42, [this] { S1MouseDown(this, mbLeft, 0, 0, 0); });
  S2 = new TToggleButton(this);
  S2->SetCaption("Color selector");
  S2->SetBounds(8, 66, 110, 22);
  S2->SetParent(page);
  AddLabel(page, "Selected font:", 8, 100, 104);
  SpeedButton8 = AddButton(page, "A", 112, 96, 24, 22, [this] { SpeedButton8Click(this); });
  SpeedButton8->Hint = "Select font";
  AddLabel(page, "Selected color:", 8, 124, 104);
  Shape1 = AddSwatch(page, 112, 122, [this] { Shape1MouseDown(this, mbLeft, 0, 0, 0); });
  AddLabel(page, "Unselected font:", 8, 152, 104);
  SpeedButton9 = AddButton(page, "A", 112, 148, 24, 22, [this] { SpeedButton9Click(this); });
  SpeedButton9->Hint = "Select font";
  AddLabel(page, "Unselected color:", 8, 176, 104);
  Shape2 = AddSwatch(page, 112, 174, [this] { Shape2MouseDown(this, mbLeft, 0, 0, 0); });
  AddLabel(page, "Author:", 8, 204);
  Edit1 = new TEdit(this);
  Edit1->SetBounds(8, 220, 185, kEditHeight);
  Edit1->SetParent(page);
  Edit1->OnChange = [this](TComponent* s) { Edit1Change(s); };
  AddLabel(page, "Skin title:", 8, 248);
  Edit2 = new TEdit(this);
  Edit2->SetBounds(8, 264, 185, kEditHeight);
  Edit2->SetParent(page);
  Edit2->OnChange = [this](TComponent* s) { Edit2Change(s); };
  AddLabel(page, "Other notes:", 8, 292);
  Memo1 = new TMemo(this);
  Memo1->ScrollBars = ssVertical;
  Memo1->SetBounds(8, 308, 185, 100);
  Memo1->SetParent(page);
  Memo1->OnChange = [this](TComponent* s) { Memo1Change(s); };
  BitBtn3 = AddButton(page, "Select preview image", 8, 418, 185, 25, [this] { BitBtn3Click(this); });
}

void TForm1::CreateCursorsPage() {
  int y = 8;
  for (const TCursorRow& row : kCursorRows) {
    AddLabel(Cursors, row.caption, 8, y, 185);
    auto* edit = new TEdit(this);
    edit->SetReadOnly(true);
    edit->SetBounds(8, y + 16, 130, kEditHeight);
    edit->SetParent(Cursors);
    CursorEdits[size_t(row.slot)] = edit;
    AddButton(Cursors, "Open", 140, y + 16, 32, kEditHeight, [this, slot = row.slot] { OpenCursorClick(slot); })->Hint =
        "Open";
    AddButton(Cursors, "X", 174, y + 16, 20, kEditHeight, [this, slot = row.slot] { ClearCursorClick(slot); })->Hint =
        "Clear";
    y += 44;
  }
}

// --- General page

void TForm1::BitBtn1Click(TComponent*) {
  O1->FileName.clear();
  if (!O1->Execute()) return;
  TPicture picture;
  picture.LoadFromFile(O1->FileName);  // a picture that cannot be read raises; nothing changes
  TbxskinData& d = Skin();
  d.Kuva.Assign(picture);
  d.Height = picture.Height();
  d.Width = picture.Width();
  SetBackground();
  Changed();
}

void TForm1::SpeedButton8Click(TComponent*) {
  Tbxskinmainlist& list = Skin().Mainlist;
  FontDialog1->Font.Assign(list.MainListselFont);
  if (!FontDialog1->Execute()) return;
  list.SetMainListselFont(FontDialog1->Font);
  Shape1->SetBrushColor(list.MainListselFont.Color);
  Changed();
}

void TForm1::SpeedButton9Click(TComponent*) {
  Tbxskinmainlist& list = Skin().Mainlist;
  FontDialog1->Font.Assign(list.MainListunselFont);
  if (!FontDialog1->Execute()) return;
  list.SetMainListunselFont(FontDialog1->Font);
  Shape2->SetBrushColor(list.MainListunselFont.Color);
  vaihdafontti();
  Changed();
}

void TForm1::Shape1MouseDown(TComponent*, TMouseButton, TShiftState, int, int) {
  TFont& font = Skin().Mainlist.MainListselFont;
  if (!PickColor(font.Color, font.Color)) return;
  Shape1->SetBrushColor(font.Color);
  Changed();
}

void TForm1::Shape2MouseDown(TComponent*, TMouseButton, TShiftState, int, int) {
  TFont& font = Skin().Mainlist.MainListunselFont;
  if (!PickColor(font.Color, font.Color)) return;
  Shape2->SetBrushColor(font.Color);
  vaihdafontti();
  Changed();
}

void TForm1::S1MouseDown(TComponent*, TMouseButton, TShiftState, int, int) {
  if (!PickColor(Skin().Lapivari, Skin().Lapivari)) return;
  S1->SetBrushColor(Skin().Lapivari);
  Changed();
}

void TForm1::Edit1Change(TComponent*) {
  if (LoadingControls) return;
  Skin().Tekija = Edit1->Text();
  Changed();
}

void TForm1::Edit2Change(TComponent*) {
  if (LoadingControls) return;
  Skin().Title = Edit2->Text();
  Changed();
}

void TForm1::Memo1Change(TComponent*) {
  if (LoadingControls) return;
  Skin().Comments.Clear();
  Skin().Comments.Add(Memo1->Text());
  Changed();
}

void TForm1::BitBtn3Click(TComponent*) { ShowPreviewImageDialog(*this); }

// --- Cursors page

void TForm1::OpenCursorClick(int slot) {
  OpenDialog2->FileName.clear();
  if (!OpenDialog2->Execute()) return;
  CursorEdits[size_t(slot)]->SetText(OpenDialog2->FileName);
  Project.Cursors[size_t(slot)] = OpenDialog2->FileName;
  Changed();
}

void TForm1::ClearCursorClick(int slot) {
  CursorEdits[size_t(slot)]->SetText("");
  Project.Cursors[size_t(slot)].clear();
  Changed();
}
