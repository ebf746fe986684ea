// The main window's start-up (FormCreate) and close (FormCloseQuery).
#include "MainWindow.h"

#include <algorithm>
#include <ctime>

#include "DialogCaption.h"
#include "Dialogs.h"
#include "Streams.h"
#include "SplashWindow.h"
#include "StartupTrace.h"
#include "WinGraphics.h"
#include "extMaskgenerator.h"
#include "skinpackage.h"

TMainWindow* MainWindow = nullptr;

const std::array<const char*, 18> kSkinCursorFiles = {
    "cur.cur",     "cur_about.cur",  "cur_down.cur",     "cur_exit.cur",     "cur_modify.cur",
    "cur_new.cur", "cur_remove.cur", "cur_settings.cur", "cur_up.cur",       "cur.ani",
    "cur_about.ani", "cur_down.ani", "cur_exit.ani",     "cur_modify.ani",   "cur_new.ani",
    "cur_remove.ani", "cur_settings.ani", "cur_up.ani"};

namespace {

bool HasFolder(const std::string& name) { return name.find_first_of("\\/:") != std::string::npos; }
}  // namespace

std::string TMainWindow::ExeDir() {
  char path[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  return ExtractFilePath(path);
}

std::string TMainWindow::Arg(int n) {
  return n < __argc && __argv[n] ? LowerCase(__argv[n]) : std::string();
}

TMainWindow::TMainWindow(TComponent* owner) : TForm(owner) {
  SetBorderStyle(bsNone);
  SetCaption("Brannox 2000");
  Color = clBlack;
  KeyPreview = true;
  ShowHint = true;
  SetBounds(0, 0, 300, 240);
  BuildControls();
  StartupMark("controls made");
  BuildStateAndEvents();
  StartupMark("list state, layered window");
  BuildMenus();
  StartupMark("menus made");
  BuildTrayMenu();
  StartupMark("tray menu made");
  BuildButtons();
  StartupMark("buttons made");
  OnKeyDown = [this](TComponent* s, uint16_t& key, TShiftState shift) { FormKeyDown(s, key, shift); };
  // Only a window that got this far is the main window (the program block
  // makes another one when this constructor fails).
  MainWindow = this;
  OnCloseQuery = [this](TComponent* s, bool& canClose) { FormCloseQuery(s, canClose); };
  Application().SetMainForm(this);
  // As a form's creation handler: an exception is shown and the window stays.
  try {
    FormCreate(this);
  } catch (const std::exception& e) {
    // A start that failed before any skin was shown keeps the built-in face.
    if (Face->Picture().Width() == 0) ShowBuiltInFace();
    Application().HandleException(e);
  }
}

TMainWindow::~TMainWindow() {
  for (int id : FAppEvents) Application().RemoveHandler(id);
  SetCaptionSource({});
  if (MainWindow == this) MainWindow = nullptr;
}

void TMainWindow::BuildControls() {
  Face = new TShapedForm(this);
  Face->Name = "C1";
  Face->Cursor = 1;
  Face->SetParent(this);
  for (int k = 0; k < kRows; ++k) {
    Labels[k] = new TLabel(this);
    Labels[k]->Name = "Label" + std::to_string(k + 1);
    Labels[k]->Tag = k;
    Labels[k]->Cursor = 1;
    Labels[k]->SetParent(this);
    Icons[k] = new TImage(this);
    Icons[k]->Name = "I" + std::to_string(k + 1);
    Icons[k]->Tag = k;
    Icons[k]->Cursor = 1;
    Icons[k]->Stretch = true;
    Icons[k]->SetParent(this);
  }
  static const struct { TImage* TMainWindow::*control; const char* name; const char* hint; } buttons[] = {
      {&TMainWindow::NewButton, "Image18", "New (Insert)"},
      {&TMainWindow::ModifyButton, "Image15", "Modify (Ctrl+M)"},
      {&TMainWindow::RemoveButton, "Image17", "Remove (Delete)"},
      {&TMainWindow::RemoveAllButton, "Image16", "Remove all (Ctrl+Delete)"},
      {&TMainWindow::SettingsButton, "Image14", "BX2000 settings (Ctrl+S)"},
      {&TMainWindow::AboutButton, "Image13", "About (A)"},
      {&TMainWindow::CloseButton, "Image1", "Close BX2000 (Esc)"},
      {&TMainWindow::UpButton, "Image2a", "Up"},
      {&TMainWindow::DownButton, "Image3a", "Down"},
  };
  for (const auto& b : buttons) {
    TImage* image = new TImage(this);
    image->Name = b.name;
    image->Hint = b.hint;
    image->SetParent(this);
    this->*b.control = image;
  }
  SoundPlayer = new TMediaPlayer(this);
  SkinFileList = new TFileListBox(this);
  SkinFileList->Mask = "*.bmp;*.tga;*.pcx;*.tif;*.tiff;*.gif;*.bxs";
  SoundFileList = new TFileListBox(this);
  SoundFileList->Mask = "*.wav";
  SkinCabinet = new TCABFile(this);
  SkinCabinet->MaxExtractBytes = kMaxSkinUnpackBytes;
  Skin = new TBXSkin(this);
  EmptySkin = new TBXSkin(this);
  MakeEmptyTemplate(EmptySkin->Data);
  AnimationTimer = new TTimer(this);
  AnimationTimer->SetInterval(7);
}

// The form's own face and outline, from the program's resources, with the
// empty template's layout: its rows and icons on the face's panel and its
// controls over the buttons drawn on the face.
void TMainWindow::ShowBuiltInFace() {
  ApplyEmptySkin();
  SetBounds(Left(), Top(), 300, 240);
  LoadBitmapResource(Face->Picture().Bitmap(), "FACE");
  Face->Changed();
  ShowBuiltInOutline();
}

void TMainWindow::ShowBuiltInOutline() {
  Face->LoadMaskBytes(LoadResourceBytes("FACEMASK", MAKEINTRESOURCEA(10) /* RT_RCDATA */));
}

namespace {
// Whether region data lies within a face of this size: its bounding
// rectangle starts at or after 0, 0 and ends inside.
bool OutlineFits(const std::vector<uint8_t>& data, int width, int height) {
  const auto h = ReadRegionHeader(data);
  if (!h) return false;
  return h->rcBound.left >= 0 && h->rcBound.top >= 0 && h->rcBound.right <= width && h->rcBound.bottom <= height;
}
}  // namespace

// The face's outline from its mask file; a mask that cannot be read or does
// not fit the face gives way to an outline made from the face's own picture
// and transparent colour, and a picture without one leaves the window uncut.
// Never the outline of another face: it would cut buttons off.
void TMainWindow::ApplyOutline(const std::string& maskFile, TColor transparent) {
  const int width = Face->Picture().Width(), height = Face->Picture().Height();
  if (Face->LoadMaskFile(maskFile) && (Face->Mask().Empty() || OutlineFits(Face->Mask().Data(), width, height))) return;
  std::vector<uint8_t> region;
  if (const auto* bitmap = dynamic_cast<const TBitmap*>(Face->Picture().Graphic()))
    region = MakeMaskRegionData(*bitmap, transparent);
  if (!region.empty() && Face->LoadMaskBytes(MaskFileBytes(region))) return;
  Face->Mask().SetData({});
  if (HandleAllocated()) SetWindowRgn(Handle(), nullptr, TRUE);
}

void TMainWindow::FormCreate(TComponent*) {
  const std::string dir = ExeDir();
  const std::string arg1 = Arg(1);
  FRandom.seed(unsigned(std::time(nullptr)) ^ GetCurrentProcessId());
  StyleChanged = false;
  SettingsIdle = true;
  OptionsIni = std::make_unique<TIniFile>(dir + kOptionsFile);
  ApplyCursors();
  StartupMark("Options.ini opened, cursors");
  if (arg1 != "-restartbx2" && arg1 != "-tray" && !OptionsIni->ReadBool(kOptions, "Nosound", false))
    PlayStartupSound();
  StartupMark("start-up sound");
  SkinDebug = arg1 == "-skindebug" || (arg1 == "-restartbx2" && Arg(2) == "-skindebug");
  Application().HintHidePause = 6000;
  StartCountsIni = std::make_unique<TIniFile>(kStartCountsFile);
  GamesIni = std::make_unique<TIniFile>(dir + kGamesFile);
  ModIni = std::make_unique<TIniFile>(dir + kEntryFile);
  StatsIni = std::make_unique<TIniFile>(kStatsFile);
  ParametersIni = std::make_unique<TIniFile>(dir + "Parameters.txt");
  SetBounds(OptionsIni->ReadInteger("XY", "Left", 0), OptionsIni->ReadInteger("XY", "Top", 0), Width(), Height());
  ClampToDesktop();
  StartCounter = StatsIni->ReadInteger(kOptions, "Laskuri", 0);
  if (!StatsIni->ValueExists(kOptions, "installday"))
    WriteAtStartUp([this] { StatsIni->WriteDate(kOptions, "installday", Date()); });
  SetFormStyle(OptionsIni->ReadBool(kOptions, "top", false) ? fsStayOnTop : fsNormal);
  ViewName = OptionsIni->ReadString(kOptions, "nayta", "kaikki");
  SetFadeEnabled(OptionsIni->ReadBool(kOptions, "fade", true));
  SetSnapEnabled(OptionsIni->ReadBool(kOptions, "Snap", true));
  SnapPixels = OptionsIni->ReadInteger(kOptions, "Snappixels", 20);
  StartupMark("INI files, window options");
  // The built-in package, when there is no skins folder yet.
  const std::string skins = dir + "skins\\";
  if (!DirectoryExists(skins) && CreateDirectoryA(skins.c_str(), nullptr)) {
    std::vector<uint8_t> package = LoadResourceBytes("DEFAULTSKIN", MAKEINTRESOURCEA(10) /* RT_RCDATA */);
    if (!package.empty()) {
      TFileStream out(skins + "Bx2k8.bxs", fmCreate);
      out.WriteBuffer(package.data(), int64_t(package.size()));
    }
  }
  StartupMark("skins folder checked");
  std::string name = ChooseSkin();
  StartupMark("skin chosen");
  // The built-in face is made only when no skin replaces it.
  if (!Trim(name).empty() && FileExists(skins + name)) {
    LoadSkin(name);
  } else {
    ShowBuiltInFace();
  }
  ClampToDesktop();
  StartupMark("skin loaded");
  BuildRanking();
  StartupMark("start counts ranked");
  PaintPage(true);
  StartupMark("page filled");
  // The secondary windows' caption bars follow the options and the skin.
  SetCaptionSource({OptionsIni.get(), [this] { return std::make_pair(SelectedColor, UnselectedColor); }});
  if (OptionsIni->ReadInteger(kOptions, "Aloitus", 0) == 0) OpenFirstRunSettings();
  SetMenuGradients();
  SnapToScreenEdges();
  StartupMark("menu gradients, snap");
}

void TMainWindow::PlayFile(const std::string& fileName) {
  try {
    SoundPlayer->Close();
    SoundPlayer->FileName = fileName;
    SoundPlayer->Open();
    SoundPlayer->Play();
  } catch (const std::exception&) {
    // Sounds are optional.
  }
}

void TMainWindow::PlayStartupSound() {
  const std::string folder = ExeDir() + "sounds\\startup\\";
  PlayChosenSound({"defaultsound", "randomsound", "Sound"}, folder + "start.wav", folder);
}

// The first rule that applies: the default file, a random file of the
// folder, or the named sound (a bare name is looked up in the folder).
void TMainWindow::PlayChosenSound(const TSoundKeys& keys, const std::string& defaultFile, const std::string& folder) {
  try {
    if (OptionsIni->ReadBool(kOptions, keys.Default, true)) {
      if (FileExists(defaultFile)) PlayFile(defaultFile);
    } else if (OptionsIni->ReadBool(kOptions, keys.Random, false)) {
      SoundFileList->Directory = folder;
      SoundFileList->Update();
      if (SoundFileList->Items.Count() > 0) {
        std::uniform_int_distribution<int> pick(0, SoundFileList->Items.Count() - 1);
        PlayFile(folder + SoundFileList->Items[pick(FRandom)]);
      }
    } else {
      std::string sound = OptionsIni->ReadString(kOptions, keys.Name, "");
      if (sound.empty()) return;
      std::string file = HasFolder(sound) ? sound : folder + sound;
      if (FileExists(file)) PlayFile(file);
    }
  } catch (const std::exception&) {
    // Sounds are optional.
  }
}

std::string TMainWindow::ChooseSkin() {
  const std::string skins = ExeDir() + "skins\\";
  SkinFileList->Directory = skins;
  if (OptionsIni->ReadBool(kOptions, kRandomSkinKey, false)) {
    SkinFileList->Update();
    // An empty folder chooses nothing.
    if (SkinFileList->Items.Count() == 0) return std::string();
    std::uniform_int_distribution<int> pick(0, SkinFileList->Items.Count() - 1);
    std::string name = SkinFileList->Items[pick(FRandom)];
    if (!Trim(name).empty()) WriteAtStartUp([&] { OptionsIni->WriteString(kOptions, kSkinKey, name); });
    return name;
  }
  std::string current = OptionsIni->ReadString(kOptions, kSkinKey, "");
  if (Trim(current).empty() || !FileExists(skins + current)) {
    SkinFileList->Update();
    if (SkinFileList->Items.Count() > 0) {
      // The skin is used also when it cannot be stored.
      current = SkinFileList->Items[0];
      WriteAtStartUp([&] { OptionsIni->WriteString(kOptions, kSkinKey, current); });
    }
  }
  return current;
}

// A start-up write that fails (a full disk) is shown, and the start goes on.
void TMainWindow::WriteAtStartUp(const std::function<void()>& write) {
  try {
    write();
  } catch (const EIniFileException& e) {
    Application().HandleException(e);
  }
}

void TMainWindow::LoadSkin(const std::string& name) {
  bool package = LowerCase(ExtractFileExt(name)) == ".bxs";
  try {
    if (package) LoadPackageSkin(name);
    else LoadPictureSkin(name);
  } catch (const std::exception& e) {
    // A broken skin: the empty template on the form's own face, and the start goes on.
    ShowBuiltInFace();
    DeleteSkinCursorFiles();
    ApplyCursors();
    // A package refused for its size is named; nothing of it was unpacked.
    if (dynamic_cast<const ECABFileRefused*>(&e)) {
      if (SplashWindow) SplashWindow->Hide();
      MessageDlg("The skin " + name + " was not loaded:\n\n" + e.what(), mtWarning, mbOK);
    }
  }
}

void TMainWindow::DeleteSkinCursorFiles() {
  const std::string temp = ExeDir() + "temp\\";
  for (const char* f : kSkinCursorFiles) DeleteFileA((temp + f).c_str());
}

void TMainWindow::ColoursFromColFile(const std::string& name, TColor sel, TColor unsel) {
  const std::string col = ExeDir() + "skins\\" + name + ".col";
  if (!name.empty() && FileExists(col)) {
    TStringList lines;
    lines.LoadFromFile(col);
    SelectedColor = lines.Count() > 0 ? StringToColor(Trim(lines[0])) : sel;
    UnselectedColor = lines.Count() > 1 ? StringToColor(Trim(lines[1])) : unsel;
  } else {
    SelectedColor = sel;
    UnselectedColor = unsel;
  }
}

void TMainWindow::LoadPictureSkin(const std::string& name) {
  const std::string file = ExeDir() + "skins\\" + name;
  ApplyEmptySkin();
  DeleteSkinCursorFiles();
  ApplyCursors();
  SetBounds(Left(), Top(), 300, 240);
  ColoursFromColFile(name, StringToColor(OptionsIni->ReadString(kOptions, "Vari", "$006DBDED")),
                     StringToColor(OptionsIni->ReadString(kOptions, "Vari2", "$001A91D6")));
  if (OptionsIni->ReadBool(kOptions, "invert", false)) {
    SelectedColor = InvertedColour(SelectedColor);
    UnselectedColor = InvertedColour(UnselectedColor);
  }
  TPicture picture;
  picture.LoadFromFile(file);
  const std::string mask = file + ".msk";
  if (SkinDebug || !FileExists(mask)) {
    try {
      if (auto* bitmap = dynamic_cast<TBitmap*>(picture.Graphic())) GenerateMaskFile(*bitmap, clWhite, mask);
    } catch (const std::exception&) {
      // No mask: the window keeps its outline.
    }
  }
  Face->Picture().Assign(picture);
  Face->Changed();
  ApplyOutline(mask, clWhite);
}

void TMainWindow::LoadPackageSkin(const std::string& name) {
  const std::string temp = ExeDir() + "temp\\";
  // The controls take the package's values below; a failure shows the
  // empty template (LoadSkin).
  ResetSkinData();
  if (!DirectoryExists(temp)) CreateDirectoryA(temp.c_str(), nullptr);
  SkinCabinet->TargetPath = temp;
  SkinCabinet->CABFile = ExeDir() + "skins\\" + name;
  // Nothing of an earlier package may stand in for a member missing here.
  DeleteFileA((temp + "data.msk").c_str());
  DeleteFileA((temp + "skin.dat").c_str());
  DeleteSkinCursorFiles();
  // The mask, the skin and the cursors in one run over the cabinet: the
  // members wanted are selected by name, whatever else the package holds.
  TCABFileContents& wanted = SkinCabinet->CABFileContents();
  wanted.Clear();
  auto want = [&](const std::string& member) {
    TCABFileEntry& entry = wanted.Add();
    entry.Name = member;
    entry.Selected = true;
  };
  want("data.msk");
  want("skin.dat");
  for (const char* f : kSkinCursorFiles) want(f);
  SkinCabinet->SetMode(TCABFile::modeExtractSelected);
  SkinCabinet->ProcessCabinet();
  StartupMark("package unpacked into temp\\");
  Skin->Filename = temp + "skin.dat";
  Skin->LoadFromFile();
  StartupMark("skin.dat read (pictures, fonts)");
  ApplySkinData();
  StartupMark("skin applied to the controls");
  if (OptionsIni->ReadBool(kOptions, "invert", false)) {
    SelectedColor = InvertedColour(SelectedColor);
    UnselectedColor = InvertedColour(UnselectedColor);
  }
  // A window without a face could be neither seen nor closed: such a
  // package is a broken one.
  if (Skin->Data.Kuva.Width() <= 0 || Skin->Data.Kuva.Height() <= 0)
    throw EInvalidGraphic("The skin " + name + " has no background picture");
  Face->Picture().Assign(Skin->Data.Kuva);
  Face->Changed();
  ApplyOutline(temp + "data.msk", Skin->Data.Lapivari);
  SetBounds(Left(), Top(), Skin->Data.Kuva.Width(), Skin->Data.Kuva.Height());
  StartupMark("face and outline region");
  Application().ProcessMessages();
  StartupMark("queued messages");
  DeleteFileA((temp + "data.msk").c_str());
  DeleteFileA((temp + "skin.dat").c_str());
  ApplyCursors();
}

void TMainWindow::OpenFirstRunSettings() {
  // The splash would cover the dialog.
  if (SplashWindow) SplashWindow->Hide();
  // As the Settings button does: afterwards the options and the skin the
  // dialog applied are followed by the selected row's highlight again.
  SettingsButtonClick(this);
}

void TMainWindow::FormCloseQuery(TComponent*, bool& canClose) {
  canClose = true;
  // A file that cannot be written is reported, but never keeps the window open.
  try {
    SaveWindowState();
  } catch (const std::exception& e) {
    Application().HandleException(e);
  }
}

// The window's normal place (never that of a minimised window) and the view.
void TMainWindow::SaveWindowState() {
  WINDOWPLACEMENT wp{};
  wp.length = sizeof wp;
  int left = Left(), top = Top();
  if (HandleAllocated() && GetWindowPlacement(Handle(), &wp)) {
    left = wp.rcNormalPosition.left;
    top = wp.rcNormalPosition.top;
  }
  TIniUpdate update(*OptionsIni);
  OptionsIni->WriteInteger("XY", "Left", left);
  OptionsIni->WriteInteger("XY", "Top", top);
  OptionsIni->WriteString(kOptions, "nayta", ViewName);
  update.Commit();
}
