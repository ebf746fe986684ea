// The main window built in this test program's own folder (its launcher
// folder): start-up, the skin applied to the controls, cursors and options.
#include <gtest/gtest.h>

#include <fstream>

#include "Dialogs.h"
#include "Streams.h"
#include "MainWindow.h"
#include "../support/bigcabinets.h"
#include "cabfiles.h"
#include "extMaskgenerator.h"
#include "skinpackage.h"
#include "SplashWindow.h"

namespace {
void RemoveTree(const std::string& dir) {
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA((dir + "*").c_str(), &fd);
  if (h != INVALID_HANDLE_VALUE) {
    do {
      std::string n = fd.cFileName;
      if (n == "." || n == "..") continue;
      if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveTree(dir + n + "\\");
      else DeleteFileA((dir + n).c_str());
    } while (FindNextFileA(h, &fd));
    FindClose(h);
  }
  RemoveDirectoryA(dir.c_str());
}

class MainWindowTest : public ::testing::Test {
protected:
  void SetUp() override {
    dir = TMainWindow::ExeDir();
    RemoveTree(dir + "skins\\");
    RemoveTree(dir + "temp\\");
    RemoveTree(dir + "Options.ini\\");
    DeleteFileA((dir + "Options.ini").c_str());
    char win[MAX_PATH];
    GetWindowsDirectoryA(win, MAX_PATH);
    DeleteFileA((std::string(win) + "\\bx2000_stats.ini").c_str());
    SetPromptHook([this](const TPromptRequest& r) {
      prompts.push_back(r.Text);
      splashVisibleAtPrompt = SplashWindow && IsWindowVisible(SplashWindow->Handle());
      return mrOk;
    });
    TForm::SetModalHook([this](TForm& form) {
      prompts.push_back(form.Caption() + " window");
      splashVisibleAtPrompt = SplashWindow && IsWindowVisible(SplashWindow->Handle());
      return int(mrCancel);
    });
  }
  void TearDown() override {
    SetPromptHook(nullptr);
    TForm::SetModalHook(nullptr);
    delete MainWindow;
    delete SplashWindow;
  }
  void Options(const std::string& text) { std::ofstream(dir + "Options.ini") << "[Asetukset]\n" << text; }
  std::string Option(const char* key) {
    char v[256];
    GetPrivateProfileStringA("Asetukset", key, "", v, sizeof v, (dir + "Options.ini").c_str());
    return v;
  }
  // skins\NAME: a package of the empty template's layout on a face of this
  // size (0 x 0: no picture), with the members given beside skin.dat. The
  // face is dark with white (transparent) 20-pixel corners; the Close
  // button sits in its top-right corner, Up and Down in its bottom-right.
  void WritePackage(const std::string& name, int width, int height, std::vector<TCabinetMember> members = {},
                    TCompressionType compression = typNone) {
    TBXSkin skin(nullptr);
    MakeEmptyTemplate(skin.Data);
    if (width > 0 && height > 0) {
      TBitmap& face = skin.Data.Kuva.Bitmap();
      face.SetSize(width, height);
      for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
          const bool corner = (x < 20 || x >= width - 20) && (y < 20 || y >= height - 20);
          face.SetPixel(x, y, corner ? clWhite : TColor(0x00403020));
        }
      auto place = [](Tbxskinnappi& b, int left, int top) {
        b.Left = left, b.Top = top, b.Width = 16, b.Height = 16;
      };
      place(skin.Data.CloseButton, width - 40, 20);
      place(skin.Data.UpButton, width - 60, height - 36);
      place(skin.Data.DownButton, width - 40, height - 36);
    }
    TMemoryStream stream;
    skin.SaveToStream(stream);
    const auto* bytes = static_cast<const uint8_t*>(stream.Memory());
    members.insert(members.begin(), {"skin.dat", std::vector<uint8_t>(bytes, bytes + stream.Size())});
    CreateDirectoryA((dir + "skins").c_str(), nullptr);
    std::vector<uint8_t> cab = MakeCabinet(members, 0x3821, 0x6000, compression);
    std::ofstream(dir + "skins\\" + name, std::ios::binary).write(reinterpret_cast<const char*>(cab.data()),
                                                                   std::streamsize(cab.size()));
    Options("Aloitus=1\nNahka=" + name + "\n");
  }
  // The window's outline: its bounds, and whether each point is inside.
  RECT OutlineBox(std::initializer_list<POINT> points, std::vector<bool>& inside) {
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    RECT box{};
    if (GetWindowRgn(MainWindow->Handle(), region) != ERROR) GetRgnBox(region, &box);
    for (POINT p : points) inside.push_back(PtInRegion(region, p.x, p.y));
    DeleteObject(region);
    return box;
  }
  std::string dir;
  std::vector<std::string> prompts;
  bool splashVisibleAtPrompt = true;
};
}  // namespace

TEST_F(MainWindowTest, FirstRunUnpacksTheBuiltInSkinAndHidesTheSplashForSettings) {
  auto* splash = new TSplashWindow(nullptr);
  splash->Show();
  new TMainWindow(nullptr);
  ASSERT_EQ(prompts.size(), 1u);
  EXPECT_NE(prompts[0].find("Settings"), std::string::npos);
  EXPECT_FALSE(splashVisibleAtPrompt) << "the splash would cover the Settings dialog";
  EXPECT_EQ(Option("Nahka"), "Bx2k8.bxs");
  TMainWindow& f = *MainWindow;
  // The default skin's layout: rows at 40, 42 spaced 4 apart, the New
  // button at 250, 58 (80 x 24) with its picture.
  const Tbxskinmainlist& list = f.Skin->Data.Mainlist;
  EXPECT_EQ(f.Labels[0]->Left(), list.Left + list.Items[0].Left);
  EXPECT_EQ(f.Labels[0]->Top(), list.Top);
  EXPECT_EQ(f.Labels[1]->Top(), list.Top + f.Labels[0]->Height() + list.RowSpacing());
  // The first run's Settings leaves each label as wide as its text, as the
  // Settings button does; the rows keep the skin's places.
  EXPECT_EQ(f.Labels[12]->Left(), list.Left + list.Items[12].Left);
  EXPECT_EQ(f.Labels[12]->Width(), 0) << "no entry, no text";
  EXPECT_EQ(f.NewButton->Left(), f.Skin->Data.NewButton.Left);
  EXPECT_EQ(f.NewButton->Width(), f.Skin->Data.NewButton.Width);
  EXPECT_FALSE(f.NewButton->Picture().Bitmap().Empty());
  EXPECT_EQ(f.SelectedColor, list.MainListselFont.Color);
  EXPECT_EQ(f.UnselectedColor, list.MainListunselFont.Color);
  EXPECT_EQ(f.Width(), f.Skin->Data.Kuva.Width());
  EXPECT_EQ(f.Height(), f.Skin->Data.Kuva.Height());
  // Icons: each below the previous, spaced by the icon list's height.
  const Tbxskiniconlist& icons = f.Skin->Data.Iconlist;
  EXPECT_EQ(f.Icons[1]->Top(), f.Icons[0]->Top() + f.Icons[0]->Height() + icons.IconSpacing());
  EXPECT_TRUE(f.SkinAllowsSmoothScroll());
  // The skin's own cursor file took slot 1.
  EXPECT_EQ(f.Face->Cursor, 1);
  EXPECT_EQ(f.Labels[5]->Cursor, 1);
  EXPECT_EQ(f.ViewName, "kaikki");
}

TEST_F(MainWindowTest, TheWindowsAndTheNotificationIconShowTheProgramsIcon) {
  Options("Aloitus=1\nsplash=0\n");
  new TMainWindow(nullptr);
  HICON mainIcon = LoadIconA(GetModuleHandleA(nullptr), "MAINICON");
  ASSERT_NE(mainIcon, nullptr) << "the program carries its icon";
  EXPECT_EQ(HICON(GetClassLongPtrA(MainWindow->Handle(), GCLP_HICON)), mainIcon);
  // The notification-area icon is the program's small image, not the
  // system's default nor the large image shrunk.
  const int small = GetSystemMetrics(SM_CXSMICON);
  HICON smallIcon = HICON(LoadImageA(GetModuleHandleA(nullptr), "MAINICON", IMAGE_ICON, small, small, 0));
  ICONINFO own{}, tray{};
  ASSERT_TRUE(GetIconInfo(smallIcon, &own));
  ASSERT_TRUE(GetIconInfo(MainWindow->TrayIcon->Icon().Handle(), &tray));
  BITMAP ownBits{}, trayBits{};
  GetObjectA(own.hbmColor, sizeof ownBits, &ownBits);
  GetObjectA(tray.hbmColor, sizeof trayBits, &trayBits);
  EXPECT_EQ(trayBits.bmWidth, small);
  EXPECT_EQ(trayBits.bmWidth, ownBits.bmWidth);
  const int size = ownBits.bmWidthBytes * ownBits.bmHeight;
  std::vector<char> a(size), b(size);
  GetBitmapBits(own.hbmColor, size, a.data());
  GetBitmapBits(tray.hbmColor, size, b.data());
  EXPECT_EQ(a, b);
  for (HBITMAP h : {own.hbmColor, own.hbmMask, tray.hbmColor, tray.hbmMask}) DeleteObject(h);
  DestroyIcon(smallIcon);
}

TEST_F(MainWindowTest, APictureSkinTakesItsColFileAndTheEmptyTemplate) {
  CreateDirectoryA((dir + "skins").c_str(), nullptr);
  TBitmap night;
  night.SetSize(300, 240);
  for (int y = 0; y < 240; ++y)
    for (int x = 0; x < 300; ++x) night.SetPixel(x, y, x < 10 ? clWhite : TColor(0x00402010));
  night.SaveToFile(dir + "skins\\night.bmp");
  std::ofstream(dir + "skins\\night.bmp.col") << "clRed\nclBlue\n";
  Options("Aloitus=1\nNahka=night.bmp\ninvert=1\n");
  new TMainWindow(nullptr);
  TMainWindow& f = *MainWindow;
  EXPECT_TRUE(prompts.empty());
  EXPECT_EQ(f.SelectedColor, clAqua);     // inverse of red
  EXPECT_EQ(f.UnselectedColor, clYellow);  // inverse of blue
  EXPECT_EQ(f.Width(), 300);
  EXPECT_EQ(f.Height(), 240);
  TBXSkin empty(nullptr);
  MakeEmptyTemplate(empty.Data);
  EXPECT_EQ(f.Labels[0]->Left(), empty.Data.Mainlist.Left);
  EXPECT_EQ(f.CloseButton->Left(), empty.Data.CloseButton.Left);
  EXPECT_TRUE(f.CloseButton->Picture().Bitmap().Empty());
  EXPECT_TRUE(f.Skin->Data.Title.empty());
  std::ifstream mask(dir + "skins\\night.bmp.msk", std::ios::binary);
  EXPECT_TRUE(mask.good()) << "the mask is generated";
  EXPECT_EQ(f.Face->Picture().Width(), 300);
}

// A picture skin whose mask can be neither read nor made (its name is taken
// by a folder) takes its outline from its own picture, not from another face.
TEST_F(MainWindowTest, APictureSkinWithoutAMaskIsCutByItsOwnPicture) {
  CreateDirectoryA((dir + "skins").c_str(), nullptr);
  TBitmap night;
  night.SetSize(300, 240);
  for (int y = 0; y < 240; ++y)
    for (int x = 0; x < 300; ++x) night.SetPixel(x, y, y < 10 ? clWhite : TColor(0x00402010));
  night.SaveToFile(dir + "skins\\night.bmp");
  CreateDirectoryA((dir + "skins\\night.bmp.msk").c_str(), nullptr);
  Options("Aloitus=1\nNahka=night.bmp\n");
  new TMainWindow(nullptr);
  EXPECT_FALSE(MainWindow->Face->Mask().Empty());
  std::vector<bool> inside;
  const RECT box = OutlineBox({{5, 5}, {295, 12}, {2, 238}}, inside);
  EXPECT_EQ(box.top, 10);
  EXPECT_EQ(box.right, 300);
  EXPECT_EQ(box.bottom, 240);
  EXPECT_EQ(inside, (std::vector<bool>{false, true, true}));
  RemoveDirectoryA((dir + "skins\\night.bmp.msk").c_str());
}

// A package whose data.msk is damaged, missing or of another face is cut by
// its own background and transparent colour: the buttons in its corners stay.
TEST_F(MainWindowTest, APackageWithoutAUsableMaskIsCutByItsOwnFace) {
  TBitmap other;
  other.SetSize(400, 300);  // a larger face's outline
  const std::vector<uint8_t> region = MakeMaskRegionData(other, clWhite);
  const std::vector<uint8_t> small = MaskFileBytes(region);
  const std::vector<uint8_t> damaged{0x40, 0x01, 0, 0, 0x20, 0, 0, 0, 7, 7, 7};
  for (const auto& mask : {std::vector<TCabinetMember>{{"data.msk", damaged}}, std::vector<TCabinetMember>{},
                           std::vector<TCabinetMember>{{"data.msk", small}}}) {
    SCOPED_TRACE(mask.empty() ? "no data.msk" : mask[0].Bytes.size() < 20 ? "damaged" : "another face's");
    WritePackage("big.bxs", 340, 280, mask);
    new TMainWindow(nullptr);
    TMainWindow& f = *MainWindow;
    ASSERT_EQ(f.Width(), 340);
    ASSERT_EQ(f.Height(), 280);
    std::vector<bool> inside;
    const RECT box = OutlineBox({{5, 5}, {335, 275}, {170, 140}}, inside);
    EXPECT_EQ(box.left, 0);
    EXPECT_EQ(box.top, 0);
    EXPECT_EQ(box.right, 340);
    EXPECT_EQ(box.bottom, 280);
    EXPECT_EQ(inside, (std::vector<bool>{false, false, true})) << "the white corners are cut away";
    for (TImage* button : {f.CloseButton, f.UpButton, f.DownButton}) {
      std::vector<bool> corners;
      OutlineBox({{button->Left(), button->Top()}, {button->Left() + button->Width() - 1,
                                                      button->Top() + button->Height() - 1}},
                 corners);
      EXPECT_EQ(corners, (std::vector<bool>{true, true})) << button->Name;
    }
    EXPECT_TRUE(prompts.empty());
    delete MainWindow;
  }
}

// A package without a face to show (no background, or one of no size, and
// so no data.msk) would make a window that can be neither seen nor closed:
// the launcher shows its built-in face instead, as for a broken package.
TEST_F(MainWindowTest, APackageWithoutAFaceShowsTheBuiltInOne) {
  WritePackage("empty.bxs", 0, 0);
  new TMainWindow(nullptr);
  TMainWindow& f = *MainWindow;
  EXPECT_EQ(f.Width(), 300);
  EXPECT_EQ(f.Height(), 240);
  EXPECT_EQ(f.Face->Picture().Width(), 300) << "the built-in face";
  EXPECT_FALSE(f.Face->Mask().Empty());
  std::vector<bool> inside;
  const RECT box = OutlineBox({}, inside);
  EXPECT_EQ(box.right, 300);
  EXPECT_EQ(box.bottom, 240);
  EXPECT_TRUE(prompts.empty()) << "as a broken skin: no message";
}

// A package whose members would unpack beyond the bound is named in one
// message at start-up, and nothing of it is unpacked: one whose cursor packs
// 64 MB of zeros small, and one that lies about its skin's size.
TEST_F(MainWindowTest, APackageTooLargeToUnpackIsNamedAndLeavesNothingInTemp) {
  WritePackage("big.bxs", 340, 280, {{"cur.ani", std::vector<uint8_t>(kMaxSkinUnpackBytes)}}, typMSZIP);
  new TMainWindow(nullptr);
  ASSERT_EQ(prompts.size(), 1u);
  EXPECT_NE(prompts[0].find("big.bxs"), std::string::npos) << prompts[0];
  EXPECT_NE(prompts[0].find("64 MB allowed"), std::string::npos) << prompts[0];
  EXPECT_EQ(MainWindow->Face->Picture().Width(), 300) << "the built-in face";
  for (const char* left : {"cur.ani", "skin.dat", "data.msk"})
    EXPECT_EQ(GetFileAttributesA((dir + "temp\\" + left).c_str()), INVALID_FILE_ATTRIBUTES) << left;
  delete MainWindow;

  prompts.clear();
  const std::vector<uint8_t> lying = CabinetWithLyingSizes({{"skin.dat", {1, 2, 3}}}, 0xF0000000u);
  std::ofstream(dir + "skins\\lying.bxs", std::ios::binary)
      .write(reinterpret_cast<const char*>(lying.data()), std::streamsize(lying.size()));
  Options("Aloitus=1\nNahka=lying.bxs\n");
  new TMainWindow(nullptr);
  ASSERT_EQ(prompts.size(), 1u);
  EXPECT_NE(prompts[0].find("lying.bxs"), std::string::npos) << prompts[0];
  EXPECT_EQ(GetFileAttributesA((dir + "temp\\skin.dat").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(MainWindowTest, CursorOptionsAndThePackagesCursorFiles) {
  Options("Aloitus=1\nbxcursors=0\n");
  new TMainWindow(nullptr);
  TMainWindow& f = *MainWindow;
  // ApplyCursors off, but a package's cursor files in temp\ still apply (the
  // default skin brings none: a package with cur.cur and cur_exit.cur).
  const std::string cursors = BX_TEST_DATA "/../../resources/launcher/";
  CopyFileA((cursors + "cur.cur").c_str(), (dir + "temp\\cur.cur").c_str(), FALSE);
  CopyFileA((cursors + "cur_exit.cur").c_str(), (dir + "temp\\cur_exit.cur").c_str(), FALSE);
  f.ApplyCursors();
  EXPECT_EQ(f.Face->Cursor, 1);
  EXPECT_EQ(f.CloseButton->Cursor, 4);
  EXPECT_EQ(f.AboutButton->Cursor, crDefault);
  EXPECT_EQ(f.RemoveButton->Cursor, crDefault);
  // A picture skin has no cursor files: every control gets the arrow.
  f.OptionsIni->WriteString("Asetukset", "Nahka", "night.bmp");
  f.ApplyCursors();
  EXPECT_EQ(f.Face->Cursor, crDefault);
  f.OptionsIni->WriteBool("Asetukset", "bxcursors", true);
  f.OptionsIni->WriteInteger("Asetukset", "cursor", 1);
  f.ApplyCursors();
  EXPECT_EQ(f.RemoveButton->Cursor, 7);
  EXPECT_EQ(f.RemoveAllButton->Cursor, 7);
  EXPECT_NE(ScreenCursors().Get(7), LoadCursorA(nullptr, IDC_ARROW)) << "set 2 from the resources";
}

TEST_F(MainWindowTest, ReapplyOptionsReadsTheOptionsAgain) {
  Options("Aloitus=1\n");
  new TMainWindow(nullptr);
  TMainWindow& f = *MainWindow;
  HWND before = f.Handle();
  f.OptionsIni->WriteString("Asetukset", "Nahka", "night.bmp");
  f.OptionsIni->WriteBool("Asetukset", "top", true);
  f.OptionsIni->WriteInteger("Asetukset", "Snappixels", 7);
  f.ReapplyOptions();
  EXPECT_EQ(f.FormStyle(), fsStayOnTop);
  EXPECT_TRUE(f.StyleChanged);
  EXPECT_EQ(f.Handle(), before);
  EXPECT_EQ(f.SnapPixels, 7);
  // A picture skin without .col: the options' colours, with their own defaults.
  EXPECT_EQ(f.SelectedColor, clLime);
  EXPECT_EQ(f.UnselectedColor, TColor(0x00BFD7BF));
}

TEST_F(MainWindowTest, AnErrorDuringStartUpIsShownAndTheWindowStays) {
  // Options.ini as a folder: the choice of skin cannot be written.
  CreateDirectoryA((dir + "Options.ini").c_str(), nullptr);
  new TMainWindow(nullptr);
  ASSERT_NE(MainWindow, nullptr);
  EXPECT_TRUE(IsWindow(MainWindow->Handle()));
  EXPECT_EQ(MainWindow->Face->Picture().Width(), 300) << "the built-in face";
  ASSERT_FALSE(prompts.empty());
  EXPECT_NE(prompts[0].find("Options.ini"), std::string::npos) << prompts[0];
}

namespace {
LONG AccessViolations = 0;
LONG CALLBACK CountAccessViolation(EXCEPTION_POINTERS* info) {
  if (info->ExceptionRecord->ExceptionCode == EXCEPTION_ACCESS_VIOLATION) InterlockedIncrement(&AccessViolations);
  return EXCEPTION_CONTINUE_SEARCH;
}
}  // namespace

// The window's messages arrive while its controls are still being made:
// a handler that reached a control not yet made would fault, and the fault
// would be swallowed by the message dispatch.
TEST_F(MainWindowTest, StartingUpFaultsNowhere) {
  Options("Aloitus=1\nSnap=1\n");
  AccessViolations = 0;
  void* handler = AddVectoredExceptionHandler(1, CountAccessViolation);
  new TMainWindow(nullptr);
  MainWindow->Show();
  MainWindow->SetBounds(MainWindow->Left() + 5, MainWindow->Top() + 5, MainWindow->Width(), MainWindow->Height());
  Application().ProcessMessages();
  RemoveVectoredExceptionHandler(handler);
  EXPECT_EQ(AccessViolations, 0);
}

// The face shown without a skin (none chosen, or a broken package) is a
// usable window: each button control lies over a button drawn on the face,
// inside the outline, and every row and icon lies on the plain panel, clear
// of the face's texts and drawings, in a colour that shows on it.
TEST_F(MainWindowTest, TheBuiltInFaceHasButtonsThatShowAndRowsClearOfItsText) {
  CreateDirectoryA((dir + "skins").c_str(), nullptr);
  std::ofstream(dir + "skins\\broken.bxs") << "MSCF and nothing more";
  for (const char* nahka : {"", "broken.bxs"}) {
    SCOPED_TRACE(*nahka ? nahka : "no skin");
    Options(std::string("Aloitus=1\nNahka=") + nahka + "\n");
    new TMainWindow(nullptr);
    TMainWindow& f = *MainWindow;
    ASSERT_EQ(f.Width(), 300);
    const TBitmap& face = f.Face->Picture().Bitmap();
    ASSERT_EQ(face.Width(), 300);
    const TColor panel = face.Pixel(100, 100);
    auto plain = [&](const TControl* c) {
      for (int y = c->Top(); y < c->Top() + c->Height(); ++y)
        for (int x = c->Left(); x < c->Left() + c->Width(); ++x)
          if (face.Pixel(x, y) != panel) return false;
      return true;
    };
    for (int k = 0; k < kRows; ++k) {
      const TControl* row = f.Labels[k];
      EXPECT_GT(row->Height(), 8) << row->Name;
      EXPECT_TRUE(row->Top() >= 46 && row->Top() + row->Height() <= 226 && row->Left() + row->Width() <= 232)
          << row->Name << " at " << row->Top() << " + " << row->Height();
      EXPECT_TRUE(plain(row)) << row->Name << " lies over the face's drawing";
      EXPECT_TRUE(plain(f.Icons[k])) << f.Icons[k]->Name;
    }
    EXPECT_NE(f.SelectedColor, panel);
    EXPECT_NE(f.UnselectedColor, panel);
    std::vector<bool> inside;
    std::vector<POINT> centres;
    for (TImage* button : {f.NewButton, f.ModifyButton, f.RemoveButton, f.RemoveAllButton, f.SettingsButton,
                           f.AboutButton, f.CloseButton, f.UpButton, f.DownButton}) {
      ASSERT_GT(button->Width() * button->Height(), 0) << button->Name;
      const POINT centre{button->Left() + button->Width() / 2, button->Top() + button->Height() / 2};
      EXPECT_NE(face.Pixel(centre.x, centre.y), panel) << button->Name << " has no button drawn under it";
      EXPECT_FALSE(plain(button)) << button->Name;
      OutlineBox({centre}, inside);
    }
    EXPECT_EQ(inside, std::vector<bool>(9, true));
    delete MainWindow;
  }
}
