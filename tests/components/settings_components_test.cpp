// The Settings dialog's components under Wine: the shell shortcut, the
// gradient caption bar and the colour button with its palette.
#include <gtest/gtest.h>

#include <string>

#include "ClrDropBn.h"
#include "Dialogs.h"
#include "GradCap.h"
#include "IniFiles.h"
#include "ShellLink.h"
#include "WinGraphics.h"

#include <windows.h>

#include "../support/RealInput.h"

namespace {
std::string TempFolder(const char* name) {
  char dir[MAX_PATH];
  GetTempPathA(MAX_PATH, dir);
  std::string folder = std::string(dir) + name + "\\";
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

// Paints into a memory bitmap and reads pixels back.
struct TPixels {
  TPixels(int w, int h) : screen(GetDC(nullptr)), dc(CreateCompatibleDC(screen)),
                          bitmap(CreateCompatibleBitmap(screen, w, h)), select(dc.Get(), bitmap.Get()) {}
  ~TPixels() { ReleaseDC(nullptr, screen); }
  COLORREF At(int x, int y) { return GetPixel(dc.Get(), x, y); }
  HDC screen;
  TMemDCHandle dc;
  TBitmapHandle bitmap;
  TSelectGuard select;
};
}  // namespace

// --- TShellLink

TEST(ShellLink, WritesAndReadsBackWithTheProgramFolderAsWorkingFolder) {
  std::string folder = TempFolder("bx_shelllink");
  TShellLink link(nullptr);
  link.LinkFile = folder + "Brannox 2000.lnk";
  DeleteFileA(link.LinkFile.c_str());
  link.ProgramFile = "C:\\Games\\launcher.exe";
  link.Arguments = "-tray";
  link.Description = "Brannox 2000";
  link.Write();
  EXPECT_EQ(link.WorkingDirectory, "C:\\Games\\");
  ASSERT_NE(GetFileAttributesA(link.LinkFile.c_str()), INVALID_FILE_ATTRIBUTES);

  TShellLink back(nullptr);
  back.LinkFile = link.LinkFile;
  back.WindowState = wsMaximized;
  back.Read();
  EXPECT_EQ(back.Arguments, "-tray");
  EXPECT_EQ(back.Description, "Brannox 2000");
  EXPECT_TRUE(SameText(back.ProgramFile, "C:\\Games\\launcher.exe")) << back.ProgramFile;
  EXPECT_EQ(back.WorkingDirectory, "C:\\Games\\");
  // Wine reads every show command back as normal.
  EXPECT_EQ(back.WindowState, wsNormal);
}

TEST(ShellLink, CutsLongTextAt255) {
  std::string folder = TempFolder("bx_shelllink_long");
  TShellLink link(nullptr);
  link.LinkFile = folder + "long.lnk";
  link.ProgramFile = "C:\\Games\\launcher.exe";
  link.Description = std::string(300, 'd');
  link.Write();
  TShellLink back(nullptr);
  back.LinkFile = link.LinkFile;
  back.Read();
  EXPECT_EQ(back.Description, std::string(255, 'd'));
}

TEST(ShellLink, AFailedSaveIsReportedAndReadingAMissingFileToo) {
  TShellLink link(nullptr);
  link.LinkFile = "C:\\no such folder here\\x.lnk";
  link.ProgramFile = "C:\\Games\\launcher.exe";
  EXPECT_THROW(link.Write(), EShellLinkError);
  EXPECT_EQ(GetFileAttributesA(link.LinkFile.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_THROW(link.Read(), EShellLinkError);
}

// --- TGradientCaption

TEST(GradientCaption, RefusesAnOwnerThatIsNoDialogForm) {
  TComponent plain(nullptr);
  EXPECT_THROW(new TGradientCaption(&plain), EInvalidCast);
  EXPECT_EQ(plain.ComponentCount(), 0);
}

TEST(GradientCaption, NumColorsStaysWithinOneTo256) {
  TDialogForm form(nullptr);
  auto* cap = new TGradientCaption(&form);
  EXPECT_EQ(cap->NumColors(), 64);
  cap->SetNumColors(1000);
  EXPECT_EQ(cap->NumColors(), 256);
  cap->SetNumColors(0);
  EXPECT_EQ(cap->NumColors(), 256);
  cap->SetNumColors(2);
  EXPECT_EQ(cap->NumColors(), 2);
}

TEST(GradientCaption, OneBandIsTheLeftColourAndTwoAreHalves) {
  TPixels p(100, 10);
  RECT r{0, 0, 100, 10};
  TGradientCaption::PaintGradient(p.dc.Get(), r, clRed, clBlue, 1);
  EXPECT_EQ(p.At(0, 0), RGB(255, 0, 0));
  EXPECT_EQ(p.At(99, 9), RGB(255, 0, 0));
  TGradientCaption::PaintGradient(p.dc.Get(), r, clRed, clBlue, 2);
  EXPECT_EQ(p.At(49, 5), RGB(255, 0, 0));
  EXPECT_EQ(p.At(50, 5), RGB(0, 0, 255));
  TGradientCaption::PaintGradient(p.dc.Get(), r, clBlack, clWhite, 64);
  EXPECT_EQ(p.At(0, 0), RGB(0, 0, 0));
  EXPECT_EQ(p.At(99, 0), RGB(255, 255, 255));
  // A band of no width paints nothing and divides by nothing.
  TGradientCaption::PaintGradient(p.dc.Get(), RECT{5, 0, 5, 0}, clRed, clBlue, 64);
}

TEST(GradientCaption, TextsThatDoNotFitDropTheCompanyThenTheApplication) {
  const unsigned all = 7;
  EXPECT_EQ(TGradientCaption::PartsThatFit({10, 20, 30}, all, 60), all);
  EXPECT_EQ(TGradientCaption::PartsThatFit({10, 20, 30}, all, 59), 6u);
  EXPECT_EQ(TGradientCaption::PartsThatFit({10, 20, 30}, all, 49), 4u);
  EXPECT_EQ(TGradientCaption::PartsThatFit({10, 20, 30}, all, 5), 4u);
  // A hidden part takes no room.
  EXPECT_EQ(TGradientCaption::PartsThatFit({100, 20, 30}, 6, 50), 6u);
}

TEST(GradientCaption, ComposesTheCaptionAndGivesThePlainOneBackWhenFreed) {
  TDialogForm form(nullptr);
  form.SetCaption("Settings");
  auto* cap = new TGradientCaption(&form);
  cap->CompanyText.SetCaption("Brannox");
  cap->AppNameText.SetCaption("2000");
  EXPECT_EQ(form.Caption(), "Brannox 2000 Settings");
  EXPECT_EQ(cap->CaptionText.Caption(), "Settings");
  cap->AppNameText.SetVisible(false);
  EXPECT_EQ(form.Caption(), "Brannox Settings");
  EXPECT_EQ(TGradientCaption::StripCaptionParts("A B C", "A", true, "B", true), "C");
  EXPECT_EQ(TGradientCaption::StripCaptionParts("A B C", "X", true, "B", false), "A B C");
  delete cap;
  EXPECT_EQ(form.Caption(), "Settings");
  EXPECT_EQ(form.FormHook(), nullptr);
}

TEST(GradientCaption, PaintsTheBarAndSurvivesAWindowOfNoSize) {
  TDialogForm form(nullptr);
  form.SetCaption("Caption test");
  form.SetBounds(50, 50, 300, 120);
  auto* cap = new TGradientCaption(&form);
  cap->ColorLeftActive = cap->ColorLeftInActive = clRed;
  cap->ColorRightActive = cap->ColorRightInActive = clBlue;
  cap->SetNumColors(2);
  cap->Enabled = geAlways;
  form.Handle();
  RECT bar = cap->CaptionRect();
  ASSERT_GT(bar.right - bar.left, 100);
  TPixels p(300, 60);
  cap->DrawCaptionBar(p.dc.Get(), bar);
  EXPECT_EQ(p.At(bar.left + 20, bar.top + 1), RGB(255, 0, 0));
  // The buttons' part at the right keeps the end colour.
  EXPECT_EQ(p.At(bar.right - 1, bar.top), RGB(0, 0, 255));
  cap->Enabled = geNever;
  cap->DrawCaptionBar(p.dc.Get(), bar);
  // Not shown, so not active: the solid inactive caption colour.
  EXPECT_EQ(p.At(bar.left + 20, bar.top + 1), ColorToRGB(clInactiveCaption));
  // Bars of no width or height paint nothing and divide by nothing.
  SetPixel(p.dc.Get(), 0, 0, RGB(1, 2, 3));
  cap->DrawCaptionBar(p.dc.Get(), RECT{0, 0, 0, 18});
  cap->DrawCaptionBar(p.dc.Get(), RECT{0, 0, 200, 0});
  EXPECT_EQ(p.At(0, 0), RGB(1, 2, 3));
  form.Show();
  SetWindowPos(form.Handle(), nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOZORDER);
  cap->RepaintCaption();
  RedrawWindow(form.Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
}

// --- colours

TEST(ColorArray, IndexesFromOneAndRefusesOutside) {
  TColorArrayClass a(4, 5);
  a.SetColor(2, 3, clRed);
  EXPECT_EQ(a.Linear(2 + 2 * 4), clRed);
  EXPECT_THROW(a.Color(0, 1), EColorArrayIndexError);
  EXPECT_THROW(a.Color(5, 1), EColorArrayIndexError);
  EXPECT_THROW(a.SetColor(1, 6, 0), EColorArrayIndexError);
  EXPECT_THROW(a.Linear(21), EColorArrayIndexError);
  try {
    a.Linear(0);
  } catch (const EColorArrayIndexError& e) {
    EXPECT_STREQ(e.what(), "Array index out of bounds");
  }
  TColorArrayClass b(1, 1);
  EXPECT_FALSE(a == b);
  b.Assign(a);
  EXPECT_TRUE(a == b);
}

TEST(CustomColorsText, DefaultsAndShortOrUnevenStoredValues) {
  TColorArrayClass c(8, 2);
  for (int i = 1; i <= 16; ++i) c.SetLinear(i, clWhite);
  std::string expected;
  for (int i = 0; i < 16; ++i) expected += (i ? ",$00FFFFFF" : "$00FFFFFF");
  EXPECT_EQ(CustomColorsText(c), expected);

  ReadCustomColorsText("$000000FF,$0000FF00", c);
  EXPECT_EQ(c.Color(1, 1), clRed);
  EXPECT_EQ(c.Color(1, 2), clLime);
  EXPECT_EQ(c.Color(2, 1), clWhite);
  EXPECT_EQ(c.Color(8, 2), clWhite);
  // Items are cut at the first item's length.
  ReadCustomColorsText("$FF,$0000FF00,xyz", c);
  EXPECT_EQ(c.Color(1, 1), 0xFF);
  EXPECT_EQ(c.Color(1, 2), 0);   // "$00"
  EXPECT_EQ(c.Color(2, 1), clWhite);  // "0FF" is no number
  TColorArrayClass before = c;
  ReadCustomColorsText("no separator", c);
  EXPECT_TRUE(before == c);
}

TEST(ColorDropButton, ColourIndexPalettePlaceAndCells) {
  TColorDropButton b(nullptr);
  EXPECT_EQ(b.Version(), "TColorDropButton v2.59");
  int changes = 0;
  b.OnColorChange = [&](TComponent*) { ++changes; };
  b.SetColor(RGBColor(0, 0, 255));
  EXPECT_EQ(b.ColorIndex(), 13);  // column 1, row 4: 1 + 3 * 4
  b.SetColor(0x123456);
  EXPECT_EQ(b.ColorIndex(), 0);
  b.SetColor(0x123456);
  EXPECT_EQ(changes, 2);
  b.SelectIndex(21);
  EXPECT_EQ(changes, 2);
  b.SelectIndex(1);
  EXPECT_EQ(b.Color(), clWhite);

  RECT work{0, 0, 800, 600};
  POINT below = TColorDropButton::PalettePosition(RECT{100, 100, 145, 122}, SIZE{78, 126}, work);
  EXPECT_EQ(below.x, 100);
  EXPECT_EQ(below.y, 122);
  POINT above = TColorDropButton::PalettePosition(RECT{760, 560, 805, 582}, SIZE{78, 126}, work);
  EXPECT_EQ(above.y, 560 - 121);
  EXPECT_EQ(above.x, 800 - 78);

  TColorDropPalette palette(nullptr);
  // Every key is the palette's: arrows move the highlight, Enter and Esc close it.
  EXPECT_EQ(SendMessageA(palette.Handle(), WM_GETDLGCODE, 0, 0), DLGC_WANTALLKEYS);
  palette.SetSelectedColor(0x123456);
  EXPECT_EQ(palette.OtherColor, 0x123456);
  EXPECT_EQ(palette.Highlighted().x, -1);
  palette.SetSelectedColor(clBlack);
  EXPECT_EQ(palette.Highlighted().x, 2);
  EXPECT_EQ(palette.Highlighted().y, 1);
  EXPECT_EQ(palette.HintText(POINT{1, 2}), "RGB = 255 000 000");
  POINT c = TColorDropPalette::CellAt(19, 37);
  EXPECT_EQ(c.x, 2);
  EXPECT_EQ(c.y, 3);
  c = TColorDropPalette::CellAt(60, 100);
  EXPECT_EQ(c.x, 0);
  EXPECT_EQ(c.y, 0);
  EXPECT_EQ(TColorDropPalette::CellAt(10, 200).x, -1);
  POINT m = TColorDropPalette::MoveHighlight(POINT{-1, -1}, VK_DOWN);
  EXPECT_EQ(m.x, 1);
  m = TColorDropPalette::MoveHighlight(POINT{1, 1}, VK_LEFT);
  EXPECT_EQ(m.x, 4);
  m = TColorDropPalette::MoveHighlight(POINT{1, 5}, VK_DOWN);
  EXPECT_EQ(m.y, 0);
  m = TColorDropPalette::MoveHighlight(POINT{1, 0}, VK_DOWN);
  EXPECT_EQ(m.y, 1);
}

TEST(ColorDropButton, KeepsCustomColoursInItsIniFileAndNeverRaisesSaving) {
  std::string ini = TempFolder("bx_colors") + "colors.ini";
  DeleteFileA(ini.c_str());
  TForm form(nullptr);
  form.Name = "Form3";
  {
    auto* b = new TColorDropButton(&form);
    b->Name = "E1";
    b->CustomColorsKey = ini;
    b->SetParent(&form);
    b->Handle();
    TColorArrayClass custom(8, 2);
    for (int i = 1; i <= 16; ++i) custom.SetLinear(i, clWhite);
    custom.SetColor(1, 1, 0x001A91D6);
    b->SetCustomColors(custom);
    delete b;
  }
  TIniFile f(ini);
  std::string stored = f.ReadString("Colors", "E1.Form3", "");
  EXPECT_EQ(stored.substr(0, 20), "$001A91D6,$00FFFFFF,");
  auto* again = new TColorDropButton(&form);
  again->Name = "E1";
  again->CustomColorsKey = ini;
  again->SetParent(&form);
  again->Handle();
  EXPECT_EQ(again->CustomColors().Color(1, 1), 0x001A91D6);
  // An INI file that cannot be written: the destructor swallows it.
  again->CustomColorsKey = "Z:\\no\\such\\folder\\x.ini";
  EXPECT_NO_THROW(delete again);
}

TEST(ColorDropButton, ThePaletteDropsDownSelectsAndClosesOnASecondClick) {
  TForm form(nullptr);
  form.SetBounds(100, 100, 200, 120);
  auto* b = new TColorDropButton(&form);
  b->SetBounds(10, 10, TColorDropButton::kDefaultWidth, TColorDropButton::kDefaultHeight);
  b->SetParent(&form);
  form.Show();
  b->Click();
  ASSERT_TRUE(b->DroppedDown());
  TColorDropPalette* palette = b->Palette();
  RECT r{};
  GetWindowRect(palette->Handle(), &r);
  RECT button{};
  GetWindowRect(b->Handle(), &button);
  EXPECT_EQ(r.left, button.left);
  EXPECT_EQ(r.top, button.bottom);
  palette->SelectCell(POINT{1, 2});
  EXPECT_FALSE(b->DroppedDown());
  EXPECT_EQ(b->Color(), RGBColor(255, 0, 0));
  Application().ProcessMessages();  // the palette frees itself

  b->Click();
  ASSERT_TRUE(b->DroppedDown());
  b->Click();  // the button again: the palette closes and does not reopen
  EXPECT_FALSE(b->DroppedDown());
  Application().ProcessMessages();

  // "Other": the colour dialog's colour becomes the other colour.
  SetPromptHook([](const TPromptRequest& r) {
    if (r.Value) *r.Value = "$00123456";
    return int(mrOk);
  });
  b->Click();
  b->Palette()->OtherClick();
  SetPromptHook(nullptr);
  EXPECT_EQ(b->Color(), 0x00123456);
  EXPECT_EQ(b->OtherColor, 0x00123456);
  EXPECT_FALSE(b->DroppedDown());
  Application().ProcessMessages();
}

namespace {
// A shown form with a colour button whose palette is dropped down.
struct TDroppedPalette {
  TDroppedPalette() : b(new TColorDropButton(&form)) {
    form.SetBounds(100, 100, 200, 120);
    b->SetBounds(10, 10, TColorDropButton::kDefaultWidth, TColorDropButton::kDefaultHeight);
    b->SetParent(&form);
    form.Show();
    SetForegroundWindow(form.Handle());
    b->Click();
  }
  TForm form{nullptr};
  TColorDropButton* b;  // owned by form
};
}  // namespace

TEST(ColorDropButton, AMouseClickOnTheButtonClosesItsOpenPaletteForGood) {
  TDroppedPalette dropped;
  TColorDropButton* b = dropped.b;
  ASSERT_TRUE(b->DroppedDown());
  for (int k = 0; k < 10; ++k) {
    Application().ProcessMessages();
    Sleep(10);
  }
  RECT r{};
  GetWindowRect(b->Handle(), &r);
  SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  INPUT press[2]{};
  press[0].type = press[1].type = INPUT_MOUSE;
  press[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  press[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(1, &press[0], sizeof(INPUT));
  for (int k = 0; k < 10; ++k) {
    Application().ProcessMessages();
    Sleep(10);
  }
  SendInput(1, &press[1], sizeof(INPUT));
  for (int k = 0; k < 20; ++k) {
    Application().ProcessMessages();
    Sleep(10);
  }
  EXPECT_FALSE(b->DroppedDown()) << "the click that closed the palette opened it again";
}

// The palette's hint is the colour of the cell under the resting mouse.
TEST(ColorDropButton, ThePaletteHintsTheColourOfTheCellUnderTheMouse) {
  TDroppedPalette dropped;
  TColorDropButton* b = dropped.b;
  ASSERT_TRUE(b->DroppedDown());
  TColorDropPalette* palette = b->Palette();
  auto cellOnScreen = [&](int x, int y) {
    POINT p{TColorDropPalette::kCell * x - TColorDropPalette::kCell / 2,
            TColorDropPalette::kCell * y - TColorDropPalette::kCell / 2};
    ClientToScreen(palette->Handle(), &p);
    return p;
  };
  EXPECT_EQ(HintAfterResting(cellOnScreen(1, 2)), "RGB = 255 000 000");
  ASSERT_TRUE(b->DroppedDown());
  const std::string blue = palette->HintText(POINT{3, 4});
  EXPECT_EQ(blue.rfind("RGB = ", 0), 0u);
  EXPECT_EQ(HintAfterResting(cellOnScreen(3, 4)), blue);
  palette->ClosePalette();
  Application().ProcessMessages();
}
