// TForm3's "Skins" page: the skin list, the preview of packages and picture
// skins, their ".col" colour files, installing a skin and the skin editor.
#include "Unit3.h"

#include <algorithm>
#include <tuple>

#include "Dialogs.h"
#include "FileUtils.h"
#include "OptionsSection.h"
#include "Shell.h"
#include "StringList.h"
#include "Unit3_place.h"
#include "WinGraphics.h"

using namespace settings_ui;

namespace {
constexpr char kSkinMask[] = "*.bmp;*.tga;*.pcx;*.tif;*.tiff;*.gif;*.bxs";
constexpr char kPictureSkinMask[] = "*.bmp;*.tga;*.pcx;*.tif;*.tiff;*.gif";
constexpr char kPackageExt[] = ".bxs";
constexpr char kPreviewMember[] = "preview.bmp", kDataMember[] = "data.ini", kNotesMember[] = "othernotes.txt";
constexpr char kSkinEditor[] = "BXskineditor\\bxskined.exe";
constexpr char kVariDefault[] = "clLime", kVari2Default[] = "$00BFD7BF";
constexpr int kMarkSize = 16;

// The marks of the skin list: a package is a box with a lid, a picture skin
// a framed picture.
void DrawMark(TBitmap& mark, bool package) {
  mark.SetPixelFormat(pf24bit);
  mark.SetSize(kMarkSize, kMarkSize);
  for (int y = 0; y < kMarkSize; ++y)
    for (int x = 0; x < kMarkSize; ++x) {
      bool edge = x == 1 || x == kMarkSize - 2 || y == 2 || y == kMarkSize - 2;
      bool inside = x > 1 && x < kMarkSize - 2 && y > 2 && y < kMarkSize - 2;
      TColor c = clWhite;
      if (edge && x >= 1 && x <= kMarkSize - 2 && y >= 2 && y <= kMarkSize - 2) c = clBlack;
      else if (inside) c = package ? (y < 6 ? RGBColor(200, 120, 40) : RGBColor(230, 170, 90))
                                   : (y < 9 ? RGBColor(90, 150, 230) : RGBColor(60, 160, 60));
      mark.SetPixel(x, y, c);
    }
}

std::string FullPath(const std::string& name) {
  char full[MAX_PATH] = "";
  DWORD n = GetFullPathNameA(name.c_str(), MAX_PATH, full, nullptr);
  return n > 0 && n < MAX_PATH ? std::string(full) : name;
}

bool IsPackage(const std::string& file) { return LowerCase(ExtractFileExt(file)) == kPackageExt; }
}  // namespace

void TForm3::BuildSkinsPage() {
  auto* label = Place<TLabel>(Skins, this, 8, 10, 60, 16);
  label->SetCaption("Skins:");
  B1 = Place<TComboBox>(Skins, this, 70, 6, 300, 22);
  B1->Style = csOwnerDrawFixed;
  B1->ItemHeight = kMarkSize + 4;
  B1->DropDownCount = 20;
  B1->Hint = "Your installed skins";
  B1->OnDrawItem = [this](TWinControl*, TCanvas& canvas, int index, const RECT& r, TOwnerDrawState) {
    DrawPictureItem(*B1, canvas, index, r);
  };
  B1->OnChange = [this](TComponent* s) { B1Change(s); };
  DrawMark(FPackageMark, true);
  DrawMark(FPictureMark, false);

  PreviewBox = Place<TScrollBox>(Skins, this, 8, 38, 330, 250);
  aaa = Place<TImage>(PreviewBox, this, 0, 0, 300, 240);
  aaa->Hint = "Skin preview";
  aaa->Transparent = true;

  Color1Label = Text(Skins, this, 348, 40, 110, "Selected color:");
  Color1 = Place<TColorDropButton>(Skins, this, 462, 36, TColorDropButton::kDefaultWidth,
                                   TColorDropButton::kDefaultHeight);
  Color2Label = Text(Skins, this, 348, 70, 110, "Unselected color:");
  Color2 = Place<TColorDropButton>(Skins, this, 462, 66, TColorDropButton::kDefaultWidth,
                                   TColorDropButton::kDefaultHeight);
  Color1->Name = "Color1";
  Color2->Name = "Color2";
  for (TColorDropButton* b : {Color1, Color2}) {
    b->CustomColorsKey = "bx2000_stats.ini";
    b->OnColorChange = [this](TComponent* s) { Color2ColorChange(s); };
  }

  InfoPanel = Place<TPanel>(Skins, this, 344, 36, 196, 252);
  InfoPanel->BevelOuter = bvLowered;
  auto info = [&](int y, const char* text) { Text(InfoPanel, this, 6, y, 180, text); };
  info(6, "Skin title:");
  Edit4 = Place<TEdit>(InfoPanel, this, 6, 22, 184, 22);
  info(50, "Author:");
  Edit5 = Place<TEdit>(InfoPanel, this, 6, 66, 184, 22);
  info(94, "Other notes:");
  Memo2 = Place<TMemo>(InfoPanel, this, 6, 110, 184, 134);
  Memo2->ScrollBars = ssVertical;
  for (TCustomEdit* e : std::initializer_list<TCustomEdit*>{Edit4, Edit5, Memo2}) e->SetReadOnly(true);

  C6 = Check(Skins, this, 8, 296, 200, "Random skin", "When Brannox starts it randomly selects a skin");
  C6->OnClick = [this](TComponent*) { EnableApply(); };
  SpeedButton28 = Button(Skins, this, 8, 322, 110, "Browse skin", "", 26);
  SpeedButton29 = Button(Skins, this, 124, 322, 190, "Brannox 2000 skin editor", "", 26);
  SpeedButton33 = Button(Skins, this, 320, 322, 130, "update skin list", "", 26);
  SpeedButton28->OnClick = [this](TComponent* s) { SpeedButton28Click(s); };
  SpeedButton29->OnClick = [this](TComponent* s) { SpeedButton29Click(s); };
  SpeedButton33->OnClick = [this](TComponent* s) { SpeedButton33Click(s); };
  SkinFiles = new TFileListBox(this);
  SkinFiles->Mask = kSkinMask;
}

void TForm3::FillSkinList() {
  SkinFiles->Directory = SkinsDir();
  SkinFiles->Update();
  B1->Items.Clear();
  for (int i = 0; i < SkinFiles->Items.Count(); ++i) {
    std::string name = SkinFiles->Items[i];
    // The list drops the last four characters: ".tiff" keeps its point.
    std::string shown = std::to_string(i + 1) + ". " + name.substr(0, name.size() > 4 ? name.size() - 4 : 0);
    B1->Items.AddObject(shown, IsPackage(name) ? &FPackageMark : &FPictureMark);
  }
}

bool TForm3::SelectSkin(const std::string& fileName) {
  for (int i = 0; i < SkinFiles->Items.Count(); ++i)
    if (SameText(SkinFiles->Items[i], fileName)) {
      B1->SetItemIndex(i);
      return true;
    }
  return false;
}

std::string TForm3::SelectedSkin() const {
  int i = B1->ItemIndex();
  return i >= 0 && i < SkinFiles->Items.Count() ? SkinFiles->Items[i] : std::string();
}

void TForm3::B1Change(TComponent*) {
  std::string skin = SelectedSkin();
  if (skin.empty()) return;
  FPreviewing = true;
  B1->SetEnabled(false);
  try {
    if (IsPackage(skin)) PreviewPackage(SkinsDir() + skin);
    else PreviewPicture(SkinsDir() + skin);
  } catch (const std::exception&) {
    // A broken skin shows what could be shown.
    FPreviewing = false;
    B1->SetEnabled(true);
    return;
  }
  FPreviewing = false;
  B1->SetEnabled(true);
  if (B1->HandleAllocated() && IsWindowVisible(B1->Handle())) B1->SetFocus();
  EnableApply();
}

void TForm3::PreviewPackage(const std::string& file) {
  InfoPanel->SetVisible(true);
  for (TControl* c : std::initializer_list<TControl*>{Color1, Color2, Color1Label, Color2Label}) c->SetVisible(false);
  const std::string temp = Host.AppDir + "temp\\";
  if (!DirectoryExists(temp)) CreateDirectoryA(temp.c_str(), nullptr);
  TCABFile cab(nullptr);
  cab.CABFile = file;
  cab.TargetPath = temp;
  cab.ReadContents();
  // Only the members wanted here, by their plain names; nothing else in
  // "temp\" is touched, and no member name can reach outside it.
  const char* const wanted[] = {kPreviewMember, kDataMember, kNotesMember};
  TCABFileContents& members = cab.CABFileContents();
  for (int i = 0; i < members.Count(); ++i) {
    const std::string& name = members[i].Name;
    members[i].Selected = IsSafeMemberName(name) && ExtractFileName(name) == name &&
                          std::any_of(std::begin(wanted), std::end(wanted),
                                      [&](const char* w) { return SameText(name, w); });
  }
  for (const char* w : wanted)
    if (members.IsSelected(w)) DeleteFileA((temp + w).c_str());
  cab.SetMode(TCABFile::modeExtractSelected);
  cab.ProcessCabinet();
  const std::string preview = temp + kPreviewMember, data = temp + kDataMember, notes = temp + kNotesMember;
  if (FileExists(preview)) {
    try {
      aaa->Picture().Bitmap().LoadFromFile(preview);
    } catch (const std::exception&) {
      // The previous preview stays.
    }
    DeleteFileA(preview.c_str());
  }
  Edit4->SetText("");
  Edit5->SetText("");
  Memo2->SetText("");
  TColor transparent = clWhite;
  if (FileExists(data)) {
    TIniFile ini(data);
    Edit4->SetText(ini.ReadString("general", "title", ""));
    Edit5->SetText(ini.ReadString("general", "author", ""));
    try {
      transparent = StringToColor(ini.ReadString("general", "transparent", "clwhite"));
    } catch (const EConvertError&) {
      transparent = clWhite;
    }
    ini.UpdateFile();
  }
  aaa->Picture().Bitmap().FixedTransparentColor = transparent;
  aaa->SetBounds(0, 0, aaa->Picture().Width(), aaa->Picture().Height());
  aaa->Changed();
  PreviewBox->UpdateScrollRange();
  if (FileExists(notes)) {
    TStringList lines;
    lines.LoadFromFile(notes);
    Memo2->Lines.Assign(lines);
  }
  DeleteFileA(data.c_str());
  DeleteFileA(notes.c_str());
}

void TForm3::PreviewPicture(const std::string& file) {
  InfoPanel->SetVisible(false);
  for (TControl* c : std::initializer_list<TControl*>{Color1, Color2, Color1Label, Color2Label}) c->SetVisible(true);
  try {
    TPicture picture;
    picture.LoadFromFile(file);
    TBitmap& bitmap = aaa->Picture().Bitmap();
    if (auto* decoded = dynamic_cast<TBitmap*>(picture.Graphic())) bitmap.Assign(*decoded);
    bitmap.FixedTransparentColor = clWhite;
    aaa->SetBounds(0, 0, bitmap.Width(), bitmap.Height());
    aaa->Changed();
    PreviewBox->UpdateScrollRange();
  } catch (const std::exception&) {
    // The preview stays as it was.
  }
  auto [selected, unselected] = StoredListColors();
  const std::string col = file + ".col";
  if (FileExists(col)) {
    try {
      TStringList lines;
      lines.LoadFromFile(col);
      if (lines.Count() >= 2) {
        selected = StringToColor(Trim(lines[0]));
        unselected = StringToColor(Trim(lines[1]));
      }
    } catch (const std::exception&) {
      std::tie(selected, unselected) = StoredListColors();
    }
  }
  Color1->SetColor(selected);
  Color2->SetColor(unselected);
}

std::pair<TColor, TColor> TForm3::StoredListColors() const {
  const TIniFile& o = *Host.OptionsIni;
  return {ReadColorOption(o, "Vari", StringToColor(kVariDefault)),
          ReadColorOption(o, "Vari2", StringToColor(kVari2Default))};
}

void TForm3::LoadStoredListColors() {
  // OK writes both buttons back whatever kind of skin is chosen: without a
  // picture skin's preview they hold the stored colours, never the buttons'
  // own black.
  const bool previewing = FPreviewing;
  FPreviewing = true;
  auto [selected, unselected] = StoredListColors();
  Color1->SetColor(selected);
  Color2->SetColor(unselected);
  FPreviewing = previewing;
}

void TForm3::Color2ColorChange(TComponent*) {
  EnableApply();
  std::string skin = SelectedSkin();
  if (skin.empty() || FPreviewing) return;
  SaveLinesAtomically(SkinsDir() + skin + ".col", {ColorToString(Color1->Color()), ColorToString(Color2->Color())});
}

void TForm3::SpeedButton28Click(TComponent*) {
  TOpenPictureDialog dialog(nullptr);
  dialog.Filter = std::string("All skins|") + kSkinMask + "|New skins|*.bxs|Old skins|" + kPictureSkinMask;
  dialog.Options = ofFileMustExist;
  if (!dialog.Execute() || !FileExists(dialog.FileName)) return;
  const std::string source = dialog.FileName, name = ExtractFileName(source), target = SkinsDir() + name;
  // A skin chosen from the skins folder itself is installed already.
  bool sameFile = SameText(FullPath(source), FullPath(target));
  if (!sameFile) {
    if (FileExists(target) && MessageDlg("Overwrite exists skin?", mtInformation, mbYesNo) != mrYes) return;
    if (!DirectoryExists(SkinsDir())) CreateDirectoryA(SkinsDir().c_str(), nullptr);
    if (!CopyFileA(source.c_str(), target.c_str(), FALSE)) {
      MessageDlg("The skin could not be copied to " + target, mtError, mbOK);
      return;
    }
    if (!IsPackage(name))
      for (const char* ext : {".col", ".msk"})
        if (FileExists(source + ext)) CopyFileA((source + ext).c_str(), (target + ext).c_str(), FALSE);
  }
  FillSkinList();
  SelectSkin(name);
  B1Change(B1);
}

void TForm3::SpeedButton29Click(TComponent*) {
  const std::string editor = Host.AppDir + kSkinEditor;
  if (!FileExists(editor)) {
    MessageDlg("Brannox 2000 skin editor not found", mtWarning, mbOK);
    return;
  }
  ShellOpen(editor);
}

void TForm3::SpeedButton33Click(TComponent*) {
  std::string remembered = SelectedSkin();
  FillSkinList();
  if (B1->Items.Count() > 0) B1->SetItemIndex(0);
  SelectSkin(remembered);
  B1Change(B1);
}
