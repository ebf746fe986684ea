// TSettingsDialog's "Half-Life logo editor" page: pictures of any readable format
// turned into 64 x 64 greyscale spray logos in the game's "logos" folder.
#include "SettingsDialog.h"

#include "ControlMaking.h"
#include "Dialogs.h"
#include "FileUtils.h"
#include "GraphicFormats.h"
#include "LogoConvert.h"
#include "SharedNames.h"
#include "Streams.h"

using namespace ctrl;

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

void TSettingsDialog::BuildLogoPage() {
  Text(LogoEditor, this, 8, 8, 150, "Game:");
  LogoGameCombo = Place<TComboBox>(LogoEditor, this, 8, 26, 150, 22);
  LogoGameCombo->Style = csDropDownList;
  LogoGameCombo->Items.Sorted = true;
  SourceDriveCombo = Place<TDriveComboBoxEx>(LogoEditor, this, 8, 54, 150, 22);
  SourceFolderList = Place<TDirectoryListBoxEx>(LogoEditor, this, 8, 80, 150, 108);
  SourceFilterCombo = Place<TComboBox>(LogoEditor, this, 8, 192, 150, 22);
  SourceFilterCombo->Style = csDropDownList;
  for (const char* mask : {kAllPictures, "*.bmp", "*.tga", "*.tif;*.tiff", "*.gif", "*.jpeg;*.jpg", "*.pcx"})
    SourceFilterCombo->Items.Add(mask);
  SourceFilterCombo->SetItemIndex(0);
  SourceFileList = Place<TFileListBoxEx>(LogoEditor, this, 8, 218, 150, 112);
  SourceFileList->MultiSelect = true;
  SourceFileList->Mask = kAllPictures;
  SourceDriveCombo->DirList = SourceFolderList;
  SourceFolderList->FileList = SourceFileList;

  Text(LogoEditor, this, 166, 8, 160, "Unconverted image:");
  LogoSourceBox = Place<TScrollBox>(LogoEditor, this, 166, 26, 160, 180);
  SourcePreviewImage = Place<TImage>(LogoSourceBox, this, 0, 0, 0, 0);
  Text(LogoEditor, this, 334, 8, 112, "Converted image:");
  LogoPreviewImage = Place<TImage>(LogoEditor, this, 334, 26, kLogoSize, kLogoSize);
  LogoPreviewImage->Stretch = true;
  Text(LogoEditor, this, 450, 8, 86, "Logos:");
  LogoFileList = Place<TFileListBoxEx>(LogoEditor, this, 450, 26, 86, 180);
  LogoFileList->Mask = kLogoMask;
  InvertColorsCheck = Check(LogoEditor, this, 166, 216, 180, "Invert colors");
  MirrorImageCheck = Check(LogoEditor, this, 166, 240, 180, "mirror image");
  FlipImageCheck = Check(LogoEditor, this, 166, 264, 180, "Flip image");
  ConvertButton = Button(LogoEditor, this, 334, 216, 110, "Convert");
  DeleteLogoButton = Button(LogoEditor, this, 334, 248, 110, "Delete logo");

  LogoEditor->OnShow = [this](TComponent* s) { LogoEditorShow(s); };
  LogoGameCombo->OnChange = [this](TComponent* s) { LogoGameComboChange(s); };
  SourceFolderList->OnChange = [this](TComponent*) {
    Host.OptionsIni->WriteString(kOptions, "logodir", IncludeTrailingBackslash(SourceFolderList->Directory()));
  };
  SourceFilterCombo->OnChange = [this](TComponent*) {
    SourceFileList->Mask = SourceFilterCombo->Items[std::max(0, SourceFilterCombo->ItemIndex())];
    SourceFileList->Update();
  };
  // A list read again has nothing selected: nothing to preview.
  SourceFileList->OnChange = [this](TComponent* s) { SourceFileListClick(s); };
  SourceFileList->OnClick = [this](TComponent* s) { SourceFileListClick(s); };
  LogoFileList->OnChange = [this](TComponent*) { DeleteLogoButton->SetEnabled(LogoFileList->Items.Count() > 0); };
  LogoFileList->OnClick = [this](TComponent* s) { LogoFileListClick(s); };
  LogoFileList->OnKeyDown = [this](TComponent* s, uint16_t& key, TShiftState shift) {
    LogoFileListKeyDown(s, key, shift);
  };
  ConvertButton->OnClick = [this](TComponent* s) { ConvertButtonClick(s); };
  DeleteLogoButton->OnClick = [this](TComponent* s) { DeleteLogoButtonClick(s); };
}

void TSettingsDialog::OpenLogoSources() {
  std::string folder = Host.OptionsIni->ReadString(kOptions, "logodir", "");
  if (folder.empty() || !DirectoryExists(folder)) folder = Host.AppDir;
  try {
    if (folder.size() > 1 && folder[1] == ':') SourceDriveCombo->SetDrive(folder[0]);
    SourceFolderList->SetDirectory(folder);
  } catch (const EInOutError&) {
  }
}

void TSettingsDialog::LogoEditorShow(TComponent*) {
  RegisterGraphicFormats();
  // The extended lists read their items only with their windows: make them
  // now, also when the dialog opens on this page before it is shown.
  SourceFileList->Handle();
  LogoGameCombo->Items.Clear();
  for (const char* key : {"gunman", "half-life"}) {
    const std::string folder = GameFolder(key);
    if (!folder.empty() && DirectoryExists(folder))
      LogoGameCombo->Items.Add(key == std::string("gunman") ? "Gunman" : "Half-Life");
  }
  OpenLogoSources();
  if (LogoGameCombo->Items.Count() == 0) {
    // No logos folder: the logo list must not offer the files of another.
    LogoFileList->Items.Clear();
    DeleteLogoButton->SetEnabled(false);
    return;
  }
  LogoGameCombo->SetItemIndex(0);
  LogoGameComboChange(LogoGameCombo);
}

void TSettingsDialog::LogoGameComboChange(TComponent*) {
  if (LogoGameCombo->ItemIndex() < 0) return;
  const std::string folder = GameFolder(LogoGameCombo->Text());
  if (folder.empty() || !DirectoryExists(folder)) return;
  const std::string logos = IncludeTrailingBackslash(folder) + "logos\\";
  if (!DirectoryExists(logos) && !MakeFolders(logos)) throw EFCreateError(logos);
  LogoFileList->Directory = logos;
  LogoFileList->Update();
  Application().ProcessMessages();
  if (LogoFileList->Items.Count() == 0) {
    LogoPreviewImage->Picture().Clear();
    LogoPreviewImage->Changed();
    return;
  }
  LogoFileList->SetItemIndex(0);
  LogoFileListClick(LogoFileList);
}

void TSettingsDialog::SourceFileListClick(TComponent*) {
  SourcePreviewImage->Picture().Clear();
  if (SourceFileList->SelCount() == 1) {
    for (int i = 0; i < SourceFileList->Items.Count(); ++i) {
      if (!SourceFileList->Selected(i)) continue;
      try {
        SourcePreviewImage->Picture().LoadFromFile(PathIn(*SourceFileList, SourceFileList->Items[i]));
      } catch (const std::exception&) {
        SourcePreviewImage->Picture().Clear();  // a picture that cannot be read shows nothing
      }
    }
  }
  SourcePreviewImage->SetBounds(0, 0, SourcePreviewImage->Picture().Width(), SourcePreviewImage->Picture().Height());
  SourcePreviewImage->Changed();
  LogoSourceBox->UpdateScrollRange();
}

void TSettingsDialog::LogoFileListClick(TComponent*) {
  int i = LogoFileList->ItemIndex();
  if (i < 0) return;
  const std::string logo = PathIn(*LogoFileList, LogoFileList->Items[i]);
  if (!FileExists(logo)) return;
  try {
    LogoPreviewImage->Picture().LoadFromFile(logo);
  } catch (const std::exception&) {
    LogoPreviewImage->Picture().Clear();
  }
  LogoPreviewImage->Changed();
}

void TSettingsDialog::ConvertButtonClick(TComponent*) {
  if (LogoFileList->Directory.empty()) return;
  const TLogoOptions options{InvertColorsCheck->Checked(), MirrorImageCheck->Checked(), FlipImageCheck->Checked()};
  const std::string sourceFolder = IncludeTrailingBackslash(SourceFolderList->Directory());
  std::vector<std::string> selected;
  for (int i = 0; i < SourceFileList->Items.Count(); ++i)
    if (SourceFileList->Selected(i)) selected.push_back(SourceFileList->Items[i]);
  for (const std::string& name : selected) {
    const std::string target = PathIn(*LogoFileList, ChangeFileExt(name, ".bmp"));
    TPicture sourcePicture;
    try {
      sourcePicture.LoadFromFile(sourceFolder + name);
    } catch (const std::exception& e) {
      MessageDlg(e.what(), mtError, mbOK);
      break;
    }
    if (FileExists(target) &&
        MessageDlg("overwrite exists logo (" + ExtractFileName(target) + ")?", mtInformation, mbYesNo) != mrYes)
      continue;
    const auto* picture = dynamic_cast<const TBitmap*>(sourcePicture.Graphic());
    if (!picture || picture->Empty()) {
      MessageDlg("The picture " + name + " holds no image.", mtError, mbOK);
      break;
    }
    std::vector<uint8_t> bmp = MakeLogoBmp(*picture, options);
    SaveFileAtomically(target, [&](TStream& s) { s.WriteBuffer(bmp.data(), int64_t(bmp.size())); });
    Application().ProcessMessages();
    LogoFileList->Update();
    LogoFileList->SetItemIndex(LogoFileList->Items.IndexOf(ExtractFileName(target)));
    LogoFileListClick(LogoFileList);
  }
}

void TSettingsDialog::DeleteLogoButtonClick(TComponent*) {
  int i = LogoFileList->ItemIndex();
  if (i < 0 || LogoFileList->Directory.empty()) return;
  if (MessageDlg("Confirm delete?", mtConfirmation, mbYesNo) != mrYes) return;
  const std::string name = LogoFileList->Items[i];
  if (IsPlainFileName(name)) DeleteFileA(PathIn(*LogoFileList, name).c_str());
  LogoFileList->Update();
  LogoPreviewImage->Picture().Clear();
  LogoPreviewImage->Changed();
}

void TSettingsDialog::LogoFileListKeyDown(TComponent* sender, uint16_t& key, TShiftState) {
  if (key == kDeleteKey) DeleteLogoButtonClick(sender);
}
