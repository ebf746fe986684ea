// TForm3's "Half-Life logo editor" page: pictures of any readable format
// turned into 64 x 64 greyscale spray logos in the game's "logos" folder.
#include "Unit3.h"

#include "Dialogs.h"
#include "FileUtils.h"
#include "GraphicFormats.h"
#include "LogoConvert.h"
#include "OptionsSection.h"
#include "Streams.h"
#include "Unit3_place.h"

using namespace settings_ui;

namespace {
constexpr char kAllPictures[] = "*.bmp;*.tga;*.tif;*.tiff;*.gif;*.jpeg;*.jpg;*.pcx";
constexpr char kLogoMask[] = "*.bmp";
constexpr uint16_t kDeleteKey = VK_DELETE;

// Makes a folder with all its missing parents; false when that failed.
bool MakeFolders(const std::string& folder) {
  for (size_t at = folder.find('\\', 3); at != std::string::npos; at = folder.find('\\', at + 1)) {
    const std::string part = folder.substr(0, at);
    if (!DirectoryExists(part)) CreateDirectoryA(part.c_str(), nullptr);
  }
  return DirectoryExists(folder);
}

// A file of a file list's folder.
std::string PathIn(const TFileListBox& list, const std::string& name) {
  return IncludeTrailingBackslash(list.Directory) + name;
}
}  // namespace

void TForm3::BuildLogoPage() {
  Text(LogoEditor, this, 8, 8, 150, "Game:");
  ComboBox1 = Place<TComboBox>(LogoEditor, this, 8, 26, 150, 22);
  ComboBox1->Style = csDropDownList;
  ComboBox1->Items.Sorted = true;
  DriveComboBoxEx1 = Place<TDriveComboBoxEx>(LogoEditor, this, 8, 54, 150, 22);
  DirectoryListBoxEx1 = Place<TDirectoryListBoxEx>(LogoEditor, this, 8, 80, 150, 108);
  FilterComboBox1 = Place<TComboBox>(LogoEditor, this, 8, 192, 150, 22);
  FilterComboBox1->Style = csDropDownList;
  for (const char* mask : {kAllPictures, "*.bmp", "*.tga", "*.tif;*.tiff", "*.gif", "*.jpeg;*.jpg", "*.pcx"})
    FilterComboBox1->Items.Add(mask);
  FilterComboBox1->SetItemIndex(0);
  FileListBoxEx1 = Place<TFileListBoxEx>(LogoEditor, this, 8, 218, 150, 112);
  FileListBoxEx1->MultiSelect = true;
  FileListBoxEx1->Mask = kAllPictures;
  DriveComboBoxEx1->DirList = DirectoryListBoxEx1;
  DirectoryListBoxEx1->FileList = FileListBoxEx1;

  Text(LogoEditor, this, 166, 8, 160, "Unconverted image:");
  LogoSourceBox = Place<TScrollBox>(LogoEditor, this, 166, 26, 160, 180);
  Image3 = Place<TImage>(LogoSourceBox, this, 0, 0, 0, 0);
  Text(LogoEditor, this, 334, 8, 112, "Converted image:");
  Image4 = Place<TImage>(LogoEditor, this, 334, 26, kLogoSize, kLogoSize);
  Image4->Stretch = true;
  Text(LogoEditor, this, 450, 8, 86, "Logos:");
  FileListBoxEx2 = Place<TFileListBoxEx>(LogoEditor, this, 450, 26, 86, 180);
  FileListBoxEx2->Mask = kLogoMask;
  CheckBox1 = Check(LogoEditor, this, 166, 216, 180, "Invert colors");
  CheckBox2 = Check(LogoEditor, this, 166, 240, 180, "mirror image");
  CheckBox3 = Check(LogoEditor, this, 166, 264, 180, "Flip image");
  BitBtn7 = Button(LogoEditor, this, 334, 216, 110, "Convert");
  BitBtn8 = Button(LogoEditor, this, 334, 248, 110, "Delete logo");

  LogoEditor->OnShow = [this](TComponent* s) { hllogoedShow(s); };
  ComboBox1->OnChange = [this](TComponent* s) { ComboBox1Change(s); };
  DirectoryListBoxEx1->OnChange = [this](TComponent*) {
    Host.OptionsIni->WriteString(kOptions, "logodir", IncludeTrailingBackslash(DirectoryListBoxEx1->Directory()));
  };
  FilterComboBox1->OnChange = [this](TComponent*) {
    FileListBoxEx1->Mask = FilterComboBox1->Items[std::max(0, FilterComboBox1->ItemIndex())];
    FileListBoxEx1->Update();
  };
  // A list read again has nothing selected: nothing to preview.
  FileListBoxEx1->OnChange = [this](TComponent* s) { FileListBoxEx1Click(s); };
  FileListBoxEx1->OnClick = [this](TComponent* s) { FileListBoxEx1Click(s); };
  FileListBoxEx2->OnChange = [this](TComponent*) { BitBtn8->SetEnabled(FileListBoxEx2->Items.Count() > 0); };
  FileListBoxEx2->OnClick = [this](TComponent* s) { FileListBoxEx2Click(s); };
  FileListBoxEx2->OnKeyDown = [this](TComponent* s, uint16_t& key, TShiftState shift) {
    FileListBoxEx2KeyDown(s, key, shift);
  };
  BitBtn7->OnClick = [this](TComponent* s) { BitBtn7Click(s); };
  BitBtn8->OnClick = [this](TComponent* s) { BitBtn8Click(s); };
}

void TForm3::OpenLogoSources() {
  std::string folder = Host.OptionsIni->ReadString(kOptions, "logodir", "");
  if (folder.empty() || !DirectoryExists(folder)) folder = Host.AppDir;
  try {
    if (folder.size() > 1 && folder[1] == ':') DriveComboBoxEx1->SetDrive(folder[0]);
    DirectoryListBoxEx1->SetDirectory(folder);
  } catch (const EInOutError&) {
  }
}

void TForm3::hllogoedShow(TComponent*) {
  RegisterGraphicFormats();
  // The extended lists read their items only with their windows: make them
  // now, also when the dialog opens on this page before it is shown.
  FileListBoxEx1->Handle();
  ComboBox1->Items.Clear();
  for (const char* key : {"gunman", "half-life"}) {
    const std::string folder = GameFolder(key);
    if (!folder.empty() && DirectoryExists(folder))
      ComboBox1->Items.Add(key == std::string("gunman") ? "Gunman" : "Half-Life");
  }
  OpenLogoSources();
  if (ComboBox1->Items.Count() == 0) {
    // No logos folder: the logo list must not offer the files of another.
    FileListBoxEx2->Items.Clear();
    BitBtn8->SetEnabled(false);
    return;
  }
  ComboBox1->SetItemIndex(0);
  ComboBox1Change(ComboBox1);
}

void TForm3::ComboBox1Change(TComponent*) {
  if (ComboBox1->ItemIndex() < 0) return;
  const std::string folder = GameFolder(ComboBox1->Text());
  if (folder.empty() || !DirectoryExists(folder)) return;
  const std::string logos = IncludeTrailingBackslash(folder) + "logos\\";
  if (!DirectoryExists(logos) && !MakeFolders(logos)) throw EFCreateError(logos);
  FileListBoxEx2->Directory = logos;
  FileListBoxEx2->Update();
  Application().ProcessMessages();
  if (FileListBoxEx2->Items.Count() == 0) {
    Image4->Picture().Clear();
    Image4->Changed();
    return;
  }
  FileListBoxEx2->SetItemIndex(0);
  FileListBoxEx2Click(FileListBoxEx2);
}

void TForm3::FileListBoxEx1Click(TComponent*) {
  Image3->Picture().Clear();
  if (FileListBoxEx1->SelCount() == 1) {
    for (int i = 0; i < FileListBoxEx1->Items.Count(); ++i) {
      if (!FileListBoxEx1->Selected(i)) continue;
      try {
        Image3->Picture().LoadFromFile(PathIn(*FileListBoxEx1, FileListBoxEx1->Items[i]));
      } catch (const std::exception&) {
        Image3->Picture().Clear();  // a picture that cannot be read shows nothing
      }
    }
  }
  Image3->SetBounds(0, 0, Image3->Picture().Width(), Image3->Picture().Height());
  Image3->Changed();
  LogoSourceBox->UpdateScrollRange();
}

void TForm3::FileListBoxEx2Click(TComponent*) {
  int i = FileListBoxEx2->ItemIndex();
  if (i < 0) return;
  const std::string logo = PathIn(*FileListBoxEx2, FileListBoxEx2->Items[i]);
  if (!FileExists(logo)) return;
  try {
    Image4->Picture().LoadFromFile(logo);
  } catch (const std::exception&) {
    Image4->Picture().Clear();
  }
  Image4->Changed();
}

void TForm3::BitBtn7Click(TComponent*) {
  if (FileListBoxEx2->Directory.empty()) return;
  const TLogoOptions options{CheckBox1->Checked(), CheckBox2->Checked(), CheckBox3->Checked()};
  const std::string sourceFolder = IncludeTrailingBackslash(DirectoryListBoxEx1->Directory());
  std::vector<std::string> selected;
  for (int i = 0; i < FileListBoxEx1->Items.Count(); ++i)
    if (FileListBoxEx1->Selected(i)) selected.push_back(FileListBoxEx1->Items[i]);
  for (const std::string& name : selected) {
    const std::string target = PathIn(*FileListBoxEx2, ChangeFileExt(name, ".bmp"));
    TPicture conn;
    try {
      conn.LoadFromFile(sourceFolder + name);
    } catch (const std::exception& e) {
      MessageDlg(e.what(), mtError, mbOK);
      break;
    }
    if (FileExists(target) &&
        MessageDlg("overwrite exists logo (" + ExtractFileName(target) + ")?", mtInformation, mbYesNo) != mrYes)
      continue;
    const auto* picture = dynamic_cast<const TBitmap*>(conn.Graphic());
    if (!picture || picture->Empty()) {
      MessageDlg("The picture " + name + " holds no image.", mtError, mbOK);
      break;
    }
    std::vector<uint8_t> bmp = MakeLogoBmp(*picture, options);
    SaveFileAtomically(target, [&](TStream& s) { s.WriteBuffer(bmp.data(), int64_t(bmp.size())); });
    Application().ProcessMessages();
    FileListBoxEx2->Update();
    FileListBoxEx2->SetItemIndex(FileListBoxEx2->Items.IndexOf(ExtractFileName(target)));
    FileListBoxEx2Click(FileListBoxEx2);
  }
}

void TForm3::BitBtn8Click(TComponent*) {
  int i = FileListBoxEx2->ItemIndex();
  if (i < 0 || FileListBoxEx2->Directory.empty()) return;
  if (MessageDlg("Confirm delete?", mtConfirmation, mbYesNo) != mrYes) return;
  const std::string name = FileListBoxEx2->Items[i];
  if (IsPlainFileName(name)) DeleteFileA(PathIn(*FileListBoxEx2, name).c_str());
  FileListBoxEx2->Update();
  Image4->Picture().Clear();
  Image4->Changed();
}

void TForm3::FileListBoxEx2KeyDown(TComponent* sender, uint16_t& key, TShiftState) {
  if (key == kDeleteKey) BitBtn8Click(sender);
}
