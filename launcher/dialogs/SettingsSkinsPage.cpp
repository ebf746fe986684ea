// TSettingsDialog's "Skins" page: the skin list, the preview of packages and picture
// skins, their ".col" colour files, installing a skin and the skin editor.
#include "SettingsDialog.h"

#include <tuple>

#include "ControlMaking.h"
#include "Dialogs.h"
#include "FileUtils.h"
#include "LauncherFiles.h"
#include "Shell.h"
#include "StringList.h"
#include "WinGraphics.h"
#include "skinpackage.h"

using namespace ctrl;

namespace {
constexpr char kSkinMask[] = "*.bmp;*.tga;*.pcx;*.tif;*.tiff;*.gif;*.bxs";
constexpr char kPictureSkinMask[] = "*.bmp;*.tga;*.pcx;*.tif;*.tiff;*.gif";
constexpr char kPackageExt[] = ".bxs";
constexpr char kPreviewMember[] = "preview.bmp", kDataMember[] = "data.ini", kNotesMember[] = "othernotes.txt";
constexpr char kSkinEditor[] = "BXskineditor\\bxskined.exe";
constexpr char kSelectedColorDefault[] = "clLime", kUnselectedColorDefault[] = "$00BFD7BF";
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

void TSettingsDialog::BuildSkinsPage() {
  auto* label = Place<TLabel>(Skins, this, 8, 10, 60, 16);
  label->SetCaption("Skins:");
  SkinCombo = Place<TComboBox>(Skins, this, 70, 6, 300, 22);
  SkinCombo->Style = csOwnerDrawFixed;
  SkinCombo->ItemHeight = kMarkSize + 4;
  SkinCombo->DropDownCount = 20;
  SkinCombo->Hint = "Your installed skins";
  SkinCombo->OnDrawItem = [this](TWinControl*, TCanvas& canvas, int index, const RECT& r, TOwnerDrawState) {
    DrawPictureItem(*SkinCombo, canvas, index, r);
  };
  SkinCombo->OnChange = [this](TComponent* s) { SkinComboChange(s); };
  DrawMark(FPackageMark, true);
  DrawMark(FPictureMark, false);

  PreviewBox = Place<TScrollBox>(Skins, this, 8, 38, 330, 250);
  PreviewImage = Place<TImage>(PreviewBox, this, 0, 0, 300, 240);
  PreviewImage->Hint = "Skin preview";
  PreviewImage->Transparent = true;

  SelectedColorLabel = Text(Skins, this, 348, 40, 110, "Selected color:");
  SelectedColorButton = Place<TColorDropButton>(Skins, this, 462, 36, TColorDropButton::kDefaultWidth,
                                   TColorDropButton::kDefaultHeight);
  UnselectedColorLabel = Text(Skins, this, 348, 70, 110, "Unselected color:");
  UnselectedColorButton = Place<TColorDropButton>(Skins, this, 462, 66, TColorDropButton::kDefaultWidth,
                                   TColorDropButton::kDefaultHeight);
  SelectedColorButton->Name = "Color1";
  UnselectedColorButton->Name = "Color2";
  for (TColorDropButton* b : {SelectedColorButton, UnselectedColorButton}) {
    b->CustomColorsKey = kStatsFile;
    b->OnColorChange = [this](TComponent* s) { ListColorButtonColorChange(s); };
  }

  InfoPanel = Place<TPanel>(Skins, this, 344, 36, 196, 252);
  InfoPanel->BevelOuter = bvLowered;
  auto info = [&](int y, const char* text) { Text(InfoPanel, this, 6, y, 180, text); };
  info(6, "Skin title:");
  SkinTitleEdit = Place<TEdit>(InfoPanel, this, 6, 22, 184, 22);
  info(50, "Author:");
  SkinAuthorEdit = Place<TEdit>(InfoPanel, this, 6, 66, 184, 22);
  info(94, "Other notes:");
  SkinNotesMemo = Place<TMemo>(InfoPanel, this, 6, 110, 184, 134);
  SkinNotesMemo->ScrollBars = ssVertical;
  for (TCustomEdit* e : std::initializer_list<TCustomEdit*>{SkinTitleEdit, SkinAuthorEdit, SkinNotesMemo})
    e->SetReadOnly(true);

  RandomSkinCheck = Check(Skins, this, 8, 296, 200, "Random skin", "When Brannox starts it randomly selects a skin");
  RandomSkinCheck->OnClick = [this](TComponent*) { EnableApply(); };
  BrowseSkinButton = Button(Skins, this, 8, 322, 110, "Browse skin", "", 26);
  SkinEditorButton = Button(Skins, this, 124, 322, 190, "Brannox 2000 skin editor", "", 26);
  UpdateSkinListButton = Button(Skins, this, 320, 322, 130, "update skin list", "", 26);
  BrowseSkinButton->OnClick = [this](TComponent* s) { BrowseSkinButtonClick(s); };
  SkinEditorButton->OnClick = [this](TComponent* s) { SkinEditorButtonClick(s); };
  UpdateSkinListButton->OnClick = [this](TComponent* s) { UpdateSkinListButtonClick(s); };
  SkinFiles = new TFileListBox(this);
  SkinFiles->Mask = kSkinMask;
}

void TSettingsDialog::FillSkinList() {
  SkinFiles->Directory = SkinsDir();
  SkinFiles->Update();
  SkinCombo->Items.Clear();
  for (int i = 0; i < SkinFiles->Items.Count(); ++i) {
    std::string name = SkinFiles->Items[i];
    // The list drops the last four characters: ".tiff" keeps its point.
    std::string shown = std::to_string(i + 1) + ". " + name.substr(0, name.size() > 4 ? name.size() - 4 : 0);
    SkinCombo->Items.AddObject(shown, IsPackage(name) ? &FPackageMark : &FPictureMark);
  }
}

bool TSettingsDialog::SelectSkin(const std::string& fileName) {
  for (int i = 0; i < SkinFiles->Items.Count(); ++i)
    if (SameText(SkinFiles->Items[i], fileName)) {
      SkinCombo->SetItemIndex(i);
      return true;
    }
  return false;
}

std::string TSettingsDialog::SelectedSkin() const {
  int i = SkinCombo->ItemIndex();
  return i >= 0 && i < SkinFiles->Items.Count() ? SkinFiles->Items[i] : std::string();
}

void TSettingsDialog::SkinComboChange(TComponent*) {
  std::string skin = SelectedSkin();
  if (skin.empty()) return;
  FPreviewing = true;
  SkinCombo->SetEnabled(false);
  try {
    if (IsPackage(skin)) PreviewPackage(SkinsDir() + skin);
    else PreviewPicture(SkinsDir() + skin);
  } catch (const std::exception& e) {
    // A broken skin shows what could be shown; one refused for its size,
    // of which nothing was unpacked, is named.
    FPreviewing = false;
    SkinCombo->SetEnabled(true);
    if (dynamic_cast<const ECABFileRefused*>(&e))
      MessageDlg("The skin " + skin + " cannot be previewed:\n\n" + e.what(), mtWarning, mbOK);
    return;
  }
  FPreviewing = false;
  SkinCombo->SetEnabled(true);
  if (SkinCombo->HandleAllocated() && IsWindowVisible(SkinCombo->Handle())) SkinCombo->SetFocus();
  EnableApply();
}

void TSettingsDialog::PreviewPackage(const std::string& file) {
  InfoPanel->SetVisible(true);
  for (TControl* c : std::initializer_list<TControl*>{SelectedColorButton, UnselectedColorButton, SelectedColorLabel,
                                                      UnselectedColorLabel})
    c->SetVisible(false);
  const std::string temp = Host.AppDir + "temp\\";
  if (!DirectoryExists(temp)) CreateDirectoryA(temp.c_str(), nullptr);
  TCABFile cab(nullptr);
  cab.CABFile = file;
  cab.TargetPath = temp;
  cab.MaxExtractBytes = kMaxSkinUnpackBytes;
  // Only the members wanted here, selected by their plain names (no member
  // in a folder matches them); nothing else in "temp\" is touched, and
  // nothing of an earlier package stands in for a member missing here.
  TCABFileContents& wanted = cab.CABFileContents();
  for (const char* w : {kPreviewMember, kDataMember, kNotesMember}) {
    DeleteFileA((temp + w).c_str());
    TCABFileEntry& entry = wanted.Add();
    entry.Name = w;
    entry.Selected = true;
  }
  cab.SetMode(TCABFile::modeExtractSelected);
  cab.ProcessCabinet();
  const std::string preview = temp + kPreviewMember, data = temp + kDataMember, notes = temp + kNotesMember;
  if (FileExists(preview)) {
    try {
      PreviewImage->Picture().Bitmap().LoadFromFile(preview);
    } catch (const std::exception&) {
      // The previous preview stays.
    }
    DeleteFileA(preview.c_str());
  }
  SkinTitleEdit->SetText("");
  SkinAuthorEdit->SetText("");
  SkinNotesMemo->SetText("");
  TColor transparent = clWhite;
  if (FileExists(data)) {
    TIniFile ini(data);
    SkinTitleEdit->SetText(ini.ReadString("general", "title", ""));
    SkinAuthorEdit->SetText(ini.ReadString("general", "author", ""));
    try {
      transparent = StringToColor(ini.ReadString("general", "transparent", "clwhite"));
    } catch (const EConvertError&) {
      transparent = clWhite;
    }
    ini.UpdateFile();
  }
  PreviewImage->Picture().Bitmap().FixedTransparentColor = transparent;
  PreviewImage->SetBounds(0, 0, PreviewImage->Picture().Width(), PreviewImage->Picture().Height());
  PreviewImage->Changed();
  PreviewBox->UpdateScrollRange();
  if (FileExists(notes)) {
    TStringList lines;
    lines.LoadFromFile(notes);
    SkinNotesMemo->Lines.Assign(lines);
  }
  DeleteFileA(data.c_str());
  DeleteFileA(notes.c_str());
}

void TSettingsDialog::PreviewPicture(const std::string& file) {
  InfoPanel->SetVisible(false);
  for (TControl* c : std::initializer_list<TControl*>{SelectedColorButton, UnselectedColorButton, SelectedColorLabel,
                                                      UnselectedColorLabel})
    c->SetVisible(true);
  try {
    TPicture picture;
    picture.LoadFromFile(file);
    TBitmap& bitmap = PreviewImage->Picture().Bitmap();
    if (auto* decoded = dynamic_cast<TBitmap*>(picture.Graphic())) bitmap.Assign(*decoded);
    bitmap.FixedTransparentColor = clWhite;
    PreviewImage->SetBounds(0, 0, bitmap.Width(), bitmap.Height());
    PreviewImage->Changed();
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
  SelectedColorButton->SetColor(selected);
  UnselectedColorButton->SetColor(unselected);
}

std::pair<TColor, TColor> TSettingsDialog::StoredListColors() const {
  const TIniFile& o = *Host.OptionsIni;
  return {ReadColorOption(o, "Vari", StringToColor(kSelectedColorDefault)),
          ReadColorOption(o, "Vari2", StringToColor(kUnselectedColorDefault))};
}

void TSettingsDialog::LoadStoredListColors() {
  // OK writes both buttons back whatever kind of skin is chosen: without a
  // picture skin's preview they hold the stored colours, never the buttons'
  // own black.
  const bool previewing = FPreviewing;
  FPreviewing = true;
  auto [selected, unselected] = StoredListColors();
  SelectedColorButton->SetColor(selected);
  UnselectedColorButton->SetColor(unselected);
  FPreviewing = previewing;
}

void TSettingsDialog::ListColorButtonColorChange(TComponent*) {
  EnableApply();
  std::string skin = SelectedSkin();
  if (skin.empty() || FPreviewing) return;
  SaveLinesAtomically(SkinsDir() + skin + ".col",
                      {ColorToString(SelectedColorButton->Color()), ColorToString(UnselectedColorButton->Color())});
}

void TSettingsDialog::BrowseSkinButtonClick(TComponent*) {
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
  SkinComboChange(SkinCombo);
}

void TSettingsDialog::SkinEditorButtonClick(TComponent*) {
  const std::string editor = Host.AppDir + kSkinEditor;
  if (!FileExists(editor)) {
    MessageDlg("Brannox 2000 skin editor not found", mtWarning, mbOK);
    return;
  }
  ShellOpen(editor);
}

void TSettingsDialog::UpdateSkinListButtonClick(TComponent*) {
  std::string remembered = SelectedSkin();
  FillSkinList();
  if (SkinCombo->Items.Count() > 0) SkinCombo->SetItemIndex(0);
  SelectSkin(remembered);
  SkinComboChange(SkinCombo);
}
