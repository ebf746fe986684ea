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
constexpr uint16_t kDeleteKey = VK_DELETE;

std::vector<std::string> Drives() {
  std::vector<std::string> drives;
  DWORD present = GetLogicalDrives();
  for (int i = 0; i < 26; ++i)
    if (present & (1u << i)) drives.push_back(std::string(1, char('A' + i)) + ":\\");
  return drives;
}

// Makes a folder with all its missing parents; false when that failed.
bool MakeFolders(const std::string& folder) {
  for (size_t at = folder.find('\\', 3); at != std::string::npos; at = folder.find('\\', at + 1)) {
    const std::string part = folder.substr(0, at);
    if (!DirectoryExists(part)) CreateDirectoryA(part.c_str(), nullptr);
  }
  return DirectoryExists(folder);
}

// The files of a folder that match a mask, sorted by name.
std::vector<std::string> ListFiles(const std::string& folder, const std::string& mask) {
  TFileListBox list(nullptr);
  list.Directory = folder;
  list.Mask = mask;
  list.Update();
  return list.Items.Items();
}
}  // namespace

void TForm3::BuildLogoPage() {
  Text(LogoEditor, this, 8, 8, 150, "Game:");
  ComboBox1 = Place<TComboBox>(LogoEditor, this, 8, 26, 150, 22);
  ComboBox1->Style = csDropDownList;
  DriveComboBoxEx1 = Place<TComboBox>(LogoEditor, this, 8, 54, 150, 22);
  DriveComboBoxEx1->Style = csDropDownList;
  DirectoryListBoxEx1 = Place<TListBox>(LogoEditor, this, 8, 80, 150, 108);
  FilterComboBox1 = Place<TComboBox>(LogoEditor, this, 8, 192, 150, 22);
  FilterComboBox1->Style = csDropDownList;
  for (const char* mask : {kAllPictures, "*.bmp", "*.tga", "*.tif;*.tiff", "*.gif", "*.jpeg;*.jpg", "*.pcx"})
    FilterComboBox1->Items.Add(mask);
  FileListBoxEx1 = Place<TListBox>(LogoEditor, this, 8, 218, 150, 112);
  FileListBoxEx1->MultiSelect = true;

  Text(LogoEditor, this, 166, 8, 160, "Unconverted image:");
  LogoSourceBox = Place<TScrollBox>(LogoEditor, this, 166, 26, 160, 180);
  Image3 = Place<TImage>(LogoSourceBox, this, 0, 0, 0, 0);
  Text(LogoEditor, this, 334, 8, 112, "Converted image:");
  Image4 = Place<TImage>(LogoEditor, this, 334, 26, kLogoSize, kLogoSize);
  Image4->Stretch = true;
  Text(LogoEditor, this, 450, 8, 86, "Logos:");
  FileListBoxEx2 = Place<TListBox>(LogoEditor, this, 450, 26, 86, 180);
  CheckBox1 = Check(LogoEditor, this, 166, 216, 180, "Invert colors");
  CheckBox2 = Check(LogoEditor, this, 166, 240, 180, "mirror image");
  CheckBox3 = Check(LogoEditor, this, 166, 264, 180, "Flip image");
  BitBtn7 = Button(LogoEditor, this, 334, 216, 110, "Convert");
  BitBtn8 = Button(LogoEditor, this, 334, 248, 110, "Delete logo");

  LogoEditor->OnShow = [this](TComponent* s) { hllogoedShow(s); };
  ComboBox1->OnChange = [this](TComponent* s) { ComboBox1Change(s); };
  DriveComboBoxEx1->OnChange = [this](TComponent*) {
    if (DriveComboBoxEx1->ItemIndex() >= 0) LogoSourceDir = DriveComboBoxEx1->Text();
    FillLogoSources();
  };
  DirectoryListBoxEx1->OnDblClick = [this](TComponent*) {
    int i = DirectoryListBoxEx1->ItemIndex();
    if (i < 0) return;
    std::string name = DirectoryListBoxEx1->Items[i];
    if (name == "..") {
      std::string up = LogoSourceDir.substr(0, LogoSourceDir.size() - 1);
      LogoSourceDir = up.substr(0, up.find_last_of('\\') + 1);
    } else {
      LogoSourceDir += name + "\\";
    }
    FillLogoSources();
  };
  FilterComboBox1->OnChange = [this](TComponent*) { FillLogoSources(); };
  FileListBoxEx1->OnClick = [this](TComponent* s) { FileListBoxEx1Click(s); };
  FileListBoxEx2->OnClick = [this](TComponent* s) { FileListBoxEx2Click(s); };
  FileListBoxEx2->OnKeyDown = [this](TComponent* s, uint16_t& key, TShiftState shift) {
    FileListBoxEx2KeyDown(s, key, shift);
  };
  BitBtn7->OnClick = [this](TComponent* s) { BitBtn7Click(s); };
  BitBtn8->OnClick = [this](TComponent* s) { BitBtn8Click(s); };
}

void TForm3::FillLogoSources() {
  if (LogoSourceDir.empty() || !DirectoryExists(LogoSourceDir)) LogoSourceDir = Host.AppDir;
  LogoSourceDir = IncludeTrailingBackslash(LogoSourceDir);
  Host.OptionsIni->WriteString(kOptions, "logodir", LogoSourceDir);
  DriveComboBoxEx1->SetItemIndex(DriveComboBoxEx1->Items.IndexOf(LogoSourceDir.substr(0, 3)));
  DirectoryListBoxEx1->Items.Clear();
  TFileListBox folders(nullptr);
  for (const std::string& name : SubFolders(folders, LogoSourceDir)) DirectoryListBoxEx1->Items.Add(name);
  if (LogoSourceDir.size() > 3) DirectoryListBoxEx1->Items.Insert(0, "..");
  FileListBoxEx1->Items.Clear();
  int filter = std::max(0, FilterComboBox1->ItemIndex());
  for (const std::string& name : ListFiles(LogoSourceDir, FilterComboBox1->Items[filter]))
    FileListBoxEx1->Items.Add(name);
  FileListBoxEx1Click(FileListBoxEx1);
}

void TForm3::hllogoedShow(TComponent*) {
  RegisterGraphicFormats();
  ComboBox1->Items.Clear();
  std::vector<std::string> games;
  for (const char* key : {"gunman", "half-life"}) {
    const std::string folder = GameFolder(key);
    if (!folder.empty() && DirectoryExists(folder)) games.push_back(key == std::string("gunman") ? "Gunman" : "Half-Life");
  }
  for (const std::string& game : games) ComboBox1->Items.Add(game);
  if (DriveComboBoxEx1->Items.Count() == 0)
    for (const std::string& drive : Drives()) DriveComboBoxEx1->Items.Add(drive);
  if (FilterComboBox1->ItemIndex() < 0) FilterComboBox1->SetItemIndex(0);
  if (LogoSourceDir.empty()) LogoSourceDir = Host.OptionsIni->ReadString(kOptions, "logodir", "");
  FillLogoSources();
  if (ComboBox1->Items.Count() == 0) return;
  ComboBox1->SetItemIndex(0);
  ComboBox1Change(ComboBox1);
}

void TForm3::ComboBox1Change(TComponent*) {
  if (ComboBox1->ItemIndex() < 0) return;
  const std::string folder = GameFolder(ComboBox1->Text());
  if (folder.empty() || !DirectoryExists(folder)) return;
  LogoDir = IncludeTrailingBackslash(folder) + "logos\\";
  if (!DirectoryExists(LogoDir) && !MakeFolders(LogoDir)) throw EFCreateError(LogoDir);
  ListLogos();
  Application().ProcessMessages();
  const bool any = FileListBoxEx2->Items.Count() > 0;
  BitBtn8->SetEnabled(any);
  if (!any) {
    Image4->Picture().Clear();
    Image4->Changed();
    return;
  }
  FileListBoxEx2->SetItemIndex(0);
  FileListBoxEx2Click(FileListBoxEx2);
}

void TForm3::ListLogos() {
  FileListBoxEx2->Items.Clear();
  for (const std::string& name : ListFiles(LogoDir, "*.bmp")) FileListBoxEx2->Items.Add(name);
  BitBtn8->SetEnabled(FileListBoxEx2->Items.Count() > 0);
}

void TForm3::FileListBoxEx1Click(TComponent*) {
  Image3->Picture().Clear();
  if (FileListBoxEx1->SelCount() == 1) {
    for (int i = 0; i < FileListBoxEx1->Items.Count(); ++i) {
      if (!FileListBoxEx1->Selected(i)) continue;
      try {
        Image3->Picture().LoadFromFile(LogoSourceDir + FileListBoxEx1->Items[i]);
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
  if (i < 0 || !FileExists(LogoDir + FileListBoxEx2->Items[i])) return;
  try {
    Image4->Picture().LoadFromFile(LogoDir + FileListBoxEx2->Items[i]);
  } catch (const std::exception&) {
    Image4->Picture().Clear();
  }
  Image4->Changed();
}

void TForm3::BitBtn7Click(TComponent*) {
  if (LogoDir.empty()) return;
  const TLogoOptions options{CheckBox1->Checked(), CheckBox2->Checked(), CheckBox3->Checked()};
  std::string last;
  for (int i = 0; i < FileListBoxEx1->Items.Count(); ++i) {
    if (!FileListBoxEx1->Selected(i)) continue;
    const std::string name = FileListBoxEx1->Items[i];
    const std::string target = LogoDir + ChangeFileExt(name, ".bmp");
    TPicture conn;
    try {
      conn.LoadFromFile(LogoSourceDir + name);
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
    last = ExtractFileName(target);
    Application().ProcessMessages();
    ListLogos();
    FileListBoxEx2->SetItemIndex(FileListBoxEx2->Items.IndexOf(last));
    FileListBoxEx2Click(FileListBoxEx2);
  }
}

void TForm3::BitBtn8Click(TComponent*) {
  int i = FileListBoxEx2->ItemIndex();
  if (i < 0 || MessageDlg("Confirm delete?", mtConfirmation, mbYesNo) != mrYes) return;
  const std::string name = FileListBoxEx2->Items[i];
  if (IsPlainFileName(name)) DeleteFileA((LogoDir + name).c_str());
  ListLogos();
  Image4->Picture().Clear();
  Image4->Changed();
}

void TForm3::FileListBoxEx2KeyDown(TComponent* sender, uint16_t& key, TShiftState) {
  if (key == kDeleteKey) BitBtn8Click(sender);
}
