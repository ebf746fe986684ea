// GDI drawing of portable bitmaps, colours, handle owners, the file list and
// the media player's sound log.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "FileCtrl.h"
#include "MPlayer.h"
#include "WinGraphics.h"

namespace {
// A 24-bit memory surface to draw on and read back.
struct TSurface {
  TSurface(int w, int h)
      : Screen(nullptr), DC(CreateCompatibleDC(Screen.DC())),
        Bitmap(CreateCompatibleBitmap(Screen.DC(), w, h)), Select(DC.Get(), Bitmap.Get()) {
    TCanvas c(DC.Get());
    c.BrushColor = TColor(0x00112233);
    c.FillRect(RECT{0, 0, w, h});
  }
  TColor At(int x, int y) const { return TColor(GetPixel(DC.Get(), x, y)); }
  TWindowDC Screen;
  TMemDCHandle DC;
  TBitmapHandle Bitmap;
  TSelectGuard Select;
};

std::string TempFolder(const char* name) {
  char dir[MAX_PATH];
  GetTempPathA(MAX_PATH, dir);
  std::string folder = std::string(dir) + name + std::to_string(GetCurrentProcessId()) + "\\";
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

void Touch(const std::string& name) { std::ofstream(name) << "x"; }
}  // namespace

TEST(HandleOwner, MovesAndFreesOnce) {
  TBrushHandle a(CreateSolidBrush(RGB(1, 2, 3)));
  HBRUSH raw = a.Get();
  TBrushHandle b(std::move(a));
  EXPECT_FALSE(a);
  EXPECT_EQ(b.Get(), raw);
  EXPECT_EQ(GetObjectType(raw), DWORD(OBJ_BRUSH));
  b.Reset();
  EXPECT_EQ(GetObjectType(raw), 0u) << "freed by Reset";
  TRegionHandle r(CreateRectRgn(0, 0, 5, 5));
  HRGN given = r.Release();
  EXPECT_FALSE(r);
  EXPECT_EQ(GetObjectType(given), DWORD(OBJ_REGION)) << "Release gives up ownership";
  DeleteObject(given);
}

TEST(HandleOwner, WindowDCOfTheClientOrTheWholeWindow) {
  HWND wnd = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW, 0, 0, 200, 150, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(wnd, nullptr);
  RECT window;
  GetWindowRect(wnd, &window);
  POINT clientOrigin{0, 0}, at{};
  ClientToScreen(wnd, &clientOrigin);
  ASSERT_NE(clientOrigin.y, window.top) << "the window has a caption";
  {
    TWindowDC whole(wnd, true);
    ASSERT_NE(whole.DC(), nullptr);
    GetDCOrgEx(whole.DC(), &at);
    EXPECT_EQ(at.x, window.left) << "the frame and caption too";
    EXPECT_EQ(at.y, window.top);
    TWindowDC inside(wnd);
    GetDCOrgEx(inside.DC(), &at);
    EXPECT_EQ(at.x, clientOrigin.x);
    EXPECT_EQ(at.y, clientOrigin.y);
    TWindowDC screen(nullptr);
    EXPECT_EQ(GetDeviceCaps(screen.DC(), HORZRES), GetSystemMetrics(SM_CXSCREEN));
  }
  DestroyWindow(wnd);
}

TEST(Colours, SystemColoursAndPlainOnes) {
  EXPECT_EQ(ColorToRGB(TColor(0x00123456)), COLORREF(0x123456));
  EXPECT_EQ(ColorToRGB(clBtnFace), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(ColorToRGB(clNone), COLORREF(0));
}

TEST(DrawBitmap, PalettedAndTrueColourStretchedAndTransparent) {
  TBitmap pal;
  pal.SetPixelFormat(pf8bit);
  pal.SetPalette({TRGBQuad{0, 0, 255, 0}, TRGBQuad{255, 255, 255, 0}, TRGBQuad{0, 255, 0, 0}});
  pal.SetSize(2, 2);
  pal.SetPixel(0, 0, clRed);
  pal.SetPixel(1, 0, clWhite);
  pal.SetPixel(0, 1, clLime);
  pal.SetPixel(1, 1, clWhite);
  TSurface s(8, 8);
  DrawBitmap(s.DC.Get(), pal, RECT{0, 0, 2, 2}, false);
  EXPECT_EQ(s.At(0, 0), clRed);
  EXPECT_EQ(s.At(1, 0), clWhite);
  EXPECT_EQ(s.At(0, 1), clLime);
  // Stretched to 4 x 4: each pixel becomes a 2 x 2 block.
  DrawBitmap(s.DC.Get(), pal, RECT{4, 4, 8, 8}, false);
  EXPECT_EQ(s.At(5, 5), clRed);
  EXPECT_EQ(s.At(7, 6), clWhite);
  EXPECT_EQ(s.At(4, 7), clLime);

  TBitmap rgb;
  rgb.SetSize(3, 1);
  rgb.SetPixel(0, 0, clWhite);
  rgb.SetPixel(1, 0, clBlue);
  rgb.SetPixel(2, 0, clWhite);
  rgb.FixedTransparentColor = clWhite;
  TSurface t(4, 1);
  DrawBitmap(t.DC.Get(), rgb, RECT{0, 0, 3, 1}, true);
  EXPECT_EQ(t.At(0, 0), TColor(0x00112233)) << "the transparent colour is not drawn";
  EXPECT_EQ(t.At(1, 0), clBlue);
  EXPECT_EQ(t.At(2, 0), TColor(0x00112233));
}

TEST(DrawBitmap, SixteenBitAndEmptyBitmaps) {
  TBitmap b;
  b.SetPixelFormat(pf16bit);
  b.SetSize(1, 1);
  b.SetPixel(0, 0, clYellow);
  TSurface s(2, 2);
  DrawBitmap(s.DC.Get(), b, RECT{0, 0, 1, 1}, false);
  EXPECT_EQ(s.At(0, 0), clYellow);
  TBitmap empty;
  DrawBitmap(s.DC.Get(), empty, RECT{0, 0, 2, 2}, true);  // draws nothing, no fault
  EXPECT_EQ(s.At(1, 1), TColor(0x00112233));
}

TEST(Canvas, TextInTheFontsColour) {
  TSurface s(60, 20);
  TCanvas c(s.DC.Get());
  c.Font.Name = "Tahoma";
  c.Font.Height = -14;
  c.Font.Color = clWhite;
  SIZE size = c.TextExtent("WWW");
  EXPECT_GT(size.cx, 10);
  EXPECT_GT(size.cy, 8);
  c.TextOut(0, 0, "WWW");
  int white = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 60; ++x) white += s.At(x, y) == clWhite;
  EXPECT_GT(white, 10);
}

TEST(FileList, MasksSortedWithoutCaseAndExactExtensions) {
  std::string dir = TempFolder("bxfiles");
  for (const char* n : {"b.BMP", "a.bmp", "c.tiff", "d.tif", "e.txt", "C.gif"}) Touch(dir + n);
  CreateDirectoryA((dir + "sub.bmp").c_str(), nullptr);
  TFileListBox list(nullptr);
  list.Directory = dir;
  list.Mask = "*.bmp;*.tif;*.gif";
  list.Update();
  ASSERT_EQ(list.Items.Count(), 4);
  EXPECT_EQ(list.Items[0], "a.bmp");
  EXPECT_EQ(list.Items[1], "b.BMP");
  EXPECT_EQ(list.Items[2], "C.gif");
  EXPECT_EQ(list.Items[3], "d.tif");
  list.Mask = "*.wav";
  list.Update();
  EXPECT_EQ(list.Items.Count(), 0);
  list.Directory = dir + "missing";
  list.Mask = "*.*";
  list.Update();
  EXPECT_EQ(list.Items.Count(), 0);
}

TEST(MediaPlayer, LogsPlaysAndRaisesForMissingFiles) {
  std::string dir = TempFolder("bxsound");
  TMediaPlayer player(nullptr);
  player.FileName = dir + "missing.wav";
  _putenv("BX_SOUND_LOG=");
  EXPECT_THROW(player.Open(), EMCIDeviceError);
  EXPECT_EQ(player.Mode(), mpNotReady);
  EXPECT_THROW(player.Play(), EMCIDeviceError);

  std::string log = dir + "sounds.log";
  DeleteFileA(log.c_str());
  _putenv(("BX_SOUND_LOG=" + log).c_str());
  player.FileName = "C:\\x\\start.wav";
  player.Open();
  player.Play();
  EXPECT_EQ(player.Mode(), mpPlaying);
  player.Close();
  EXPECT_EQ(player.Mode(), mpNotReady);
  _putenv("BX_SOUND_LOG=");
  std::ifstream in(log);
  std::string line;
  std::getline(in, line);
  EXPECT_EQ(line, "play\tC:\\x\\start.wav");
}
