// The "Most started mods" window over a launcher folder made by the test:
// rows, names, logos, numbering, sorting, and the HTML, clipboard and
// workbook exports carrying the same table.
#include <gtest/gtest.h>

#include "MostStartedWindow.h"

#include <cstdlib>
#include <fstream>
#include <regex>
#include <sstream>

#include "Dialogs.h"
#include "EntryLookup.h"
#include "ExtGridTestForm.h"
#include "FakeExcel.h"
#include "FileUtils.h"
#include "../support/testfiles.h"

namespace {
std::string TempDir() {
  char dir[MAX_PATH];
  GetTempPathA(MAX_PATH, dir);
  std::string root = std::string(dir) + "form7\\";
  CreateDirectoryA(root.c_str(), nullptr);
  CreateDirectoryA((root + "Logos").c_str(), nullptr);
  return root;
}

void WriteLogo(const std::string& path) {
  TBitmap b;
  b.SetPixelFormat(pf24bit);
  b.SetSize(16, 16);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) b.SetPixel(x, y, x == 0 || y == 0 || x == 15 || y == 15 ? clWhite : clGreen);
  b.SaveToFile(path);
}

// The launcher folder: two games (one with a bare logo name, one whose logo
// is missing), an entry file naming two mods of the same folder under the
// two games, and the statistics, most started first.
struct MostStartedWindow : ::testing::Test {
  std::string Dir = TempDir();
  std::vector<TStartRecord> Records;
  void SetUp() override {
    WriteLogo(Dir + "Logos\\quake.bmp");
    DeleteFileA((Dir + "Logos\\unknown.bmp").c_str());
    std::ofstream(Dir + "Games.ini") << "[quake]\r\nKuvake=quake.bmp\r\n[halflife]\r\nKuvake=missing.bmp\r\n";
    std::ofstream(Dir + "Mod.ini") << "[Threewave CTF]\r\nMod=ctf\r\nGame=quake\r\n"
                                      "[Op4 CTF]\r\nMod=CTF\r\nGame=HalfLife\r\n"
                                      "[Another CTF]\r\nMod=ctf\r\nGame=halflife\r\n";
    Records = {{"quake", "ctf", "40"}, {"halflife", "ctf", "12"}, {"halflife", "tfc", "3"}};
    ExtGridStartup();
  }
  void TearDown() override {
    SetPromptHook({});
    ExtGridShutdown();
  }
  // The window as the About box and the menu build it.
  void Build(TMostStartedWindow& form) {
    TIniFile mods(Dir + "Mod.ini"), games(Dir + "Games.ini");
    DisplayNames(Records, mods);
    form.Fill(Records, Dir, games);
  }
};

// The cells of every <td> of an HTML page, read by a small parser of our own.
std::vector<std::vector<std::string>> ParseTable(const std::string& html) {
  std::vector<std::vector<std::string>> rows;
  std::regex row("<tr>([\\s\\S]*?)</tr>"), cell("<td[^>]*>([\\s\\S]*?)</td>"), tag("<[^>]*>");
  for (std::sregex_iterator r(html.begin(), html.end(), row), end; r != end; ++r) {
    std::string inner = (*r)[1];
    rows.emplace_back();
    for (std::sregex_iterator c(inner.begin(), inner.end(), cell); c != end; ++c)
      rows.back().push_back(std::regex_replace(std::string((*c)[1]), tag, ""));
  }
  return rows;
}
}  // namespace

TEST_F(MostStartedWindow, RowsNamesLogosAndNumbering) {
  TMostStartedWindow form(nullptr);
  Build(form);
  TExtStringGrid& g = *form.StartsGrid;
  EXPECT_EQ(form.Caption(), "Most started mods");
  ASSERT_EQ(g.RowCount(), 4);
  EXPECT_EQ(g.ColCount(), 4);
  const char* expected[4][4] = {{"Position", "Game", "Mod name", "Started"},
                                {"1", "quake", "Threewave CTF", "40"},
                                {"2", "halflife", "Another CTF", "12"},  // first by name
                                {"3", "halflife", "tfc", "3"}};          // no entry: the folder
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) EXPECT_EQ(g.Cells(c, r), expected[r][c]) << c << "," << r;
  // The bare logo name is found in Logos; the missing one gives no picture.
  EXPECT_EQ(form.LogoImages->Count(), 1);
  EXPECT_EQ(g.Data().CellGraphicKind(1, 1), gkImageListPicture);
  EXPECT_EQ(g.Data().CellGraphicKind(1, 2), gkNoGraphic);
  // With "Logos\unknown.bmp" the missing logo takes it.
  WriteLogo(Dir + "Logos\\unknown.bmp");
  TMostStartedWindow again(nullptr);
  Build(again);
  EXPECT_EQ(again.StartsGrid->Data().CellGraphicKind(1, 2), gkImageListPicture);
}

TEST_F(MostStartedWindow, CaptionColoursFollowTheOptions) {
  const std::string file = Dir + "Options.ini";
  std::ofstream(file) << "[Asetukset]\r\nusercolors=1\r\ncustomcolor=clRed\r\n";
  TIniFile options(file);
  TMostStartedWindow user(nullptr);
  user.FormCreate(options, clBlue, clLime);
  ASSERT_NE(user.CaptionBar, nullptr);
  EXPECT_EQ(user.CaptionBar->ColorRightActive, clRed);
  EXPECT_EQ(user.CaptionBar->ColorLeftActive, TColor(0x001A91D6));  // customcolor2's default
  options.WriteBool("Asetukset", "usercolors", false);
  TMostStartedWindow skin(nullptr);
  skin.FormCreate(options, clBlue, clLime);
  EXPECT_EQ(skin.CaptionBar->ColorLeftActive, clBlue);
  EXPECT_EQ(skin.CaptionBar->ColorRightActive, clLime);
  options.WriteBool("Asetukset", "Colorcap", false);
  TMostStartedWindow plain(nullptr);
  plain.FormCreate(options, clBlue, clLime);
  EXPECT_EQ(plain.CaptionBar, nullptr);
}

TEST_F(MostStartedWindow, NoStartsShowOnlyTheHeader) {
  TMostStartedWindow form(nullptr);
  Records.clear();
  Build(form);
  EXPECT_EQ(form.StartsGrid->RowCount(), 1);
  EXPECT_EQ(form.StartsGrid->FixedRows(), 1);
  EXPECT_EQ(form.StartsGrid->Cells(3, 0), "Started");
}

TEST_F(MostStartedWindow, HeaderClickSortsByThatColumn) {
  TMostStartedWindow form(nullptr);
  Build(form);
  form.Show();
  TExtStringGrid& g = *form.StartsGrid;
  RECT started = g.CellRect(3, 0);
  const LPARAM at = MAKELPARAM((started.left + started.right) / 2, started.top + 8);
  SendMessageA(g.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageA(g.Handle(), WM_LBUTTONUP, 0, at);
  EXPECT_EQ(g.Data().SortDirection, sdAscending);  // the sorted column reverses
  EXPECT_EQ(g.Cells(3, 1), "3");
  EXPECT_EQ(g.Cells(3, 3), "40");
  RECT mod = g.CellRect(2, 0);
  const LPARAM onMod = MAKELPARAM((mod.left + mod.right) / 2, mod.top + 8);
  SendMessageA(g.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, onMod);
  SendMessageA(g.Handle(), WM_LBUTTONUP, 0, onMod);
  EXPECT_EQ(g.Data().SortColumn, 2);
  EXPECT_EQ(g.Cells(2, 1), "Another CTF");
}

TEST_F(MostStartedWindow, SaveToHTMLWritesTheTable) {
  TMostStartedWindow form(nullptr);
  Build(form);
  const std::string file = Dir + "stats.html";
  DeleteFileA(file.c_str());
  SetPromptHook([&](const TPromptRequest& r) {
    if (r.Value) *r.Value = file;
    return int(mrOk);
  });
  form.SaveToHtmlItemClick(nullptr);
  auto table = ParseTable(ReadAll(file));
  ASSERT_EQ(table.size(), 4u);
  EXPECT_EQ(table[0], (std::vector<std::string>{"Position", "Game", "Mod name", "Started"}));
  EXPECT_EQ(table[1], (std::vector<std::string>{"1", "quake", "Threewave CTF", "40"}));
  EXPECT_EQ(table[3], (std::vector<std::string>{"3", "halflife", "tfc", "3"}));
}

// Run in a second process by the test below: writes the clipboard's text to
// the file BX_CLIPBOARD_OUT names.
TEST(ClipboardReader, WritesTheClipboard) {
  const char* out = std::getenv("BX_CLIPBOARD_OUT");
  if (!out) GTEST_SKIP() << "only as the second process";
  std::string text;
  if (OpenClipboard(nullptr)) {
    if (HANDLE h = GetClipboardData(CF_TEXT))
      if (const char* p = static_cast<const char*>(GlobalLock(h))) {
        text = p;
        GlobalUnlock(h);
      }
    CloseClipboard();
  }
  std::ofstream(out, std::ios::binary) << text;
}

TEST_F(MostStartedWindow, CopyToClipboardIsReadByAnotherProcess) {
  TMostStartedWindow form(nullptr);
  Build(form);
  form.CopyToClipboardItemClick(nullptr);
  const std::string out = Dir + "clipboard.txt";
  DeleteFileA(out.c_str());
  SetEnvironmentVariableA("BX_CLIPBOARD_OUT", out.c_str());
  char self[MAX_PATH];
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string command = "\"" + std::string(self) + "\" --gtest_filter=ClipboardReader.*";
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
  WaitForSingleObject(pi.hProcess, 60000);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  SetEnvironmentVariableA("BX_CLIPBOARD_OUT", nullptr);
  EXPECT_EQ(ReadAll(out),
            "Position\tGame\tMod name\tStarted\r\n1\tquake\tThreewave CTF\t40\r\n"
            "2\thalflife\tAnother CTF\t12\r\n3\thalflife\ttfc\t3\r\n");
}

TEST_F(MostStartedWindow, SaveToXLSSendsTheTableOrReportsTheMissingProgram) {
  TMostStartedWindow form(nullptr);
  Build(form);
  const std::string file = Dir + "stats.xls";
  DeleteFileA(file.c_str());
  std::vector<std::string> shown;
  SetPromptHook([&](const TPromptRequest& r) {
    if (r.Value) *r.Value = file;
    else shown.push_back(r.Text);
    return int(mrOk);
  });
  // Without the program: the user is told, no file is written.
  TMenuItem* xls = form.WindowMenu->Items()->Items(0)->Items(1);
  ASSERT_EQ(xls->Caption, "Save To XLS");
  form.Show();
  SendMessageA(form.Handle(), WM_COMMAND, MAKEWPARAM(xls->Command(), 0), 0);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_NE(shown[0].find("Excel OLE server not found"), std::string::npos);
  EXPECT_FALSE(FileExists(file));
  // With the fake program: the same table, each value in double quotes.
  TFakeExcel excel;
  form.SaveToXlsItemClick(nullptr);
  const auto& cells = excel.State.Cells;
  ASSERT_EQ(cells.size(), 4u);
  EXPECT_EQ(cells[0], (std::vector<std::string>{"Position", "Game", "Mod name", "Started"}));
  EXPECT_EQ(cells[2], (std::vector<std::string>{"2", "halflife", "Another CTF", "12"}));
  EXPECT_EQ(excel.State.Types[2][3], VT_I4);  // the count as a number
  EXPECT_EQ(excel.State.SavedAs, file);
}

// The window to look at, with its logos (BX_FORM7_SHOT names a BMP file).
TEST_F(MostStartedWindow, Screenshot) {
  const char* shot = std::getenv("BX_FORM7_SHOT");
  if (!shot) GTEST_SKIP() << "BX_FORM7_SHOT not set";
  TMostStartedWindow form(nullptr);
  Records.push_back({"quake", "rogue", "2"});
  Build(form);
  form.Show();
  SetForegroundWindow(form.Handle());
  UpdateWindow(form.Handle());
  RECT r;
  GetWindowRect(form.Handle(), &r);
  HDC screen = GetDC(nullptr);
  SaveDCArea(screen, r.left, r.top, r.right - r.left, r.bottom - r.top, shot);
  ReleaseDC(nullptr, screen);
}

// The entry lookup answers as reading each entry's keys through the profile
// functions does, on a file written with the quirks hands and tools leave.
TEST_F(MostStartedWindow, EntryLookupAnswersAsTheProfileFunctions) {
  const std::string file = Dir + "Lookup.ini";
  WritePrivateProfileStringA(nullptr, nullptr, nullptr, file.c_str());
  std::ofstream(file, std::ios::binary)
      << "; a comment line\r\nstray=before any section\r\n"
         "[Spaced]\r\n  Mod  =  spaced  \r\nGAME=Quake\r\n"
         "[Quoted]\r\nMod=\"quoted mod\"\r\nGame='quake'\r\n"
         "[Half quoted]\r\nMod=\"half\r\nGame=quake\r\n"
         "[Twice]\r\nMod=first\r\nMod=second\r\nGame=quake\r\n"
         "[twice]\r\nMod=other\r\nGame=quake\r\n"
         "[No game]\r\nMod=lonely\r\nnot a key\r\n"
         "[Same mod]\r\nMod=Spaced\r\nGame=QUAKE\r\n";
  TIniFile ini(file);
  // A key written through the profile functions and not yet on disk counts.
  ini.WriteString("Fresh", "Mod", "fresh");
  ini.WriteString("Fresh", "Game", "quake");
  TStringList names;
  ini.ReadSections(names);
  names.Sort();
  const TEntryLookup lookup(ini, names.Items());
  const std::vector<std::pair<std::string, std::string>> asked = {
      {"spaced", "quake"}, {"quoted mod", "quake"}, {"\"half", "quake"}, {"first", "quake"}, {"second", "quake"},
      {"other", "quake"},  {"lonely", ""},          {"fresh", "QUAKE"},  {"spaced", "halflife"}, {"", ""}};
  for (const auto& [mod, game] : asked) {
    std::string expected;
    for (const std::string& name : names.Items())
      if (LowerCase(ini.ReadString(name, "Mod", "")) == LowerCase(mod) &&
          LowerCase(ini.ReadString(name, "Game", "")) == LowerCase(game)) {
        expected = name;
        break;
      }
    EXPECT_EQ(lookup.Find(mod, game), expected) << mod << "/" << game;
  }
  EXPECT_EQ(lookup.Find("SPACED", "quake"), "Same mod");  // the first by name
  EXPECT_EQ(lookup.Find("fresh", "quake"), "Fresh");
}

// A Unicode entry file is read through the profile functions.
TEST_F(MostStartedWindow, EntryLookupReadsAUnicodeFile) {
  const std::string file = Dir + "Unicode.ini";
  WritePrivateProfileStringA(nullptr, nullptr, nullptr, file.c_str());
  std::string text = "\xFF\xFE";
  for (char c : std::string("[Threewave CTF]\r\nMod=ctf\r\nGame=quake\r\n")) text += std::string{c, '\0'};
  std::ofstream(file, std::ios::binary) << text;
  TIniFile ini(file);
  const TEntryLookup lookup(ini, {"Threewave CTF"});
  EXPECT_EQ(lookup.Find("ctf", "quake"), "Threewave CTF");
}

namespace {
// A pixel of the window's client area as the screen shows it.
COLORREF ScreenPixel(HWND window, int x, int y) {
  POINT p{x, y};
  ClientToScreen(window, &p);
  HDC screen = GetDC(nullptr);
  const COLORREF c = GetPixel(screen, p.x, p.y);
  ReleaseDC(nullptr, screen);
  return c;
}

void ShowPainted(TMostStartedWindow& form) {
  form.Show();
  SetForegroundWindow(form.Handle());
  Application().ProcessMessages();
  RedrawWindow(form.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}
}  // namespace

// A logo larger than the row keeps to its room before the name: none of it
// lies where the text begins, and the text is there.
TEST_F(MostStartedWindow, LogoAndNameEachHaveTheirRoom) {
  TBitmap big;
  big.SetPixelFormat(pf24bit);
  big.SetSize(32, 32);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) big.SetPixel(x, y, x == 0 || y == 31 ? clWhite : clGreen);
  big.SaveToFile(Dir + "Logos\\quake.bmp");
  TMostStartedWindow form(nullptr);
  Build(form);
  ShowPainted(form);
  const RECT cell = form.StartsGrid->CellRect(1, 1);
  const int room = form.LogoImages->Width;
  int logo = 0, logoPastRoom = 0, text = 0;
  for (int y = cell.top; y < cell.bottom; ++y)
    for (int x = cell.left; x < cell.right; ++x) {
      const COLORREF c = ScreenPixel(form.StartsGrid->Handle(), x, y);
      if (c == RGB(0, 128, 0)) ++(x < cell.left + 1 + room ? logo : logoPastRoom);
      if (x >= cell.left + 2 + room && GetRValue(c) < 64 && GetGValue(c) < 64 && GetBValue(c) < 64) ++text;
    }
  EXPECT_GT(logo, 100);
  EXPECT_EQ(logoPastRoom, 0);
  EXPECT_GT(text, 20) << "the game's name";
}

// A game that names no logo, or has no record, takes "Logos\unknown.bmp".
TEST_F(MostStartedWindow, AGameWithoutALogoTakesTheUnknownPicture) {
  Records = {{"quake2", "ctf", "4"}, {"nogame", "x", "2"}};
  std::ofstream(Dir + "Games.ini") << "[quake2]\r\nSijainti=C:\\Quake2\r\n";
  TMostStartedWindow none(nullptr);
  Build(none);
  EXPECT_EQ(none.StartsGrid->Data().CellGraphicKind(1, 1), gkNoGraphic);
  WriteLogo(Dir + "Logos\\unknown.bmp");
  TMostStartedWindow form(nullptr);
  Build(form);
  EXPECT_EQ(form.StartsGrid->Data().CellGraphicKind(1, 1), gkImageListPicture);
  EXPECT_EQ(form.StartsGrid->Data().CellGraphicKind(1, 2), gkImageListPicture);
}

// The sorted column's header shows the grid's down glyph, and the up glyph
// once the order is reversed: a dark triangle whose wide row is its top
// (down) or its foot (up), not the grid's line triangle.
TEST_F(MostStartedWindow, TheSortedHeaderShowsTheSortGlyphs) {
  Records.push_back({"quake", "rogue", "2"});
  TMostStartedWindow form(nullptr);
  Build(form);
  ShowPainted(form);
  TExtStringGrid& g = *form.StartsGrid;
  auto glyph = [&] {  // rows of dark pixels in the header cell, top to bottom
    ShowPainted(form);
    std::vector<int> rows;
    const RECT cell = g.CellRect(3, 0);
    for (int y = cell.top; y < cell.bottom; ++y) {
      int dark = 0;
      for (int x = cell.left; x < cell.right; ++x)
        if (ScreenPixel(g.Handle(), x, y) == RGB(0x40, 0x40, 0x40)) ++dark;
      if (dark) rows.push_back(dark);
    }
    return rows;
  };
  EXPECT_EQ(glyph(), (std::vector<int>{9, 7, 5, 3, 1}));
  const RECT started = g.CellRect(3, 0);
  const LPARAM at = MAKELPARAM((started.left + started.right) / 2, started.top + 8);
  SendMessageA(g.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageA(g.Handle(), WM_LBUTTONUP, 0, at);
  ASSERT_EQ(g.Data().SortDirection, sdAscending);
  EXPECT_EQ(glyph(), (std::vector<int>{1, 3, 5, 7, 9}));
}

// The scroll bars show only when the rows or columns do not fit.
TEST_F(MostStartedWindow, ScrollBarsShowOnlyWhenNeeded) {
  auto bars = [](TMostStartedWindow& form) {
    ShowPainted(form);
    const LONG_PTR style = GetWindowLongPtrA(form.StartsGrid->Handle(), GWL_STYLE);
    return std::make_pair((style & WS_VSCROLL) != 0, (style & WS_HSCROLL) != 0);
  };
  TMostStartedWindow few(nullptr);
  Build(few);
  EXPECT_EQ(bars(few), std::make_pair(false, false));
  for (int i = 0; i < 40; ++i) Records.push_back({"quake", "mod" + std::to_string(i), "1"});
  TMostStartedWindow many(nullptr);
  Build(many);
  EXPECT_EQ(bars(many), std::make_pair(true, false));
  many.StartsGrid->SetColWidths(2, 600);
  EXPECT_EQ(bars(many), std::make_pair(true, true));
}

namespace {
// The dark pixels of w x h pixels at (x, y) of a device context.
std::vector<bool> Ink(HDC source, int x, int y, int w, int h) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = -h;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  TBitmapHandle dib(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  TMemDCHandle mem(CreateCompatibleDC(source));
  TSelectGuard sel(mem.Get(), dib.Get());
  BitBlt(mem.Get(), 0, 0, w, h, source, x, y, SRCCOPY);
  GdiFlush();
  std::vector<bool> ink(size_t(w) * size_t(h));
  const auto* p = static_cast<const uint8_t*>(bits);
  for (size_t i = 0; i < ink.size(); ++i) ink[i] = p[4 * i] < 96 && p[4 * i + 1] < 96 && p[4 * i + 2] < 96;
  return ink;
}
}  // namespace

// Names from mods are painted as they are written: each name's cell shows
// the same dark pixels as its text drawn plainly in the grid's font, not a
// link, a picture, bold or struck-out text made from its markup.
TEST_F(MostStartedWindow, NamesFromModsArePaintedAsWritten) {
  // Names that mods can bring, one a line in the ANSI code page.
  const std::vector<std::string> names = ReadLines(BX_TEST_DATA "/names/hostile-names.txt");
  ASSERT_EQ(names.size(), 15u);
  Records.clear();
  for (size_t i = 0; i < names.size(); ++i) Records.push_back({"quake", names[i], std::to_string(100 - i)});
  TMostStartedWindow form(nullptr);
  Build(form);
  ShowPainted(form);
  TExtStringGrid& g = *form.StartsGrid;
  for (int row = 1; row < g.RowCount(); ++row) {
    ASSERT_EQ(g.Cells(2, row), names[size_t(row) - 1]);
    g.ScrollInView(2, row);
    ShowPainted(form);
    const RECT cell = g.CellRect(2, row);
    const int w = cell.right - cell.left, h = cell.bottom - cell.top;
    POINT at{cell.left, cell.top};
    ClientToScreen(g.Handle(), &at);
    HDC screen = GetDC(nullptr);
    const std::vector<bool> shown = Ink(screen, at.x, at.y, w, h);
    // The text as plain text, where the grid puts a cell's text.
    TMemDCHandle mem(CreateCompatibleDC(screen));
    TBitmapHandle canvas(CreateCompatibleBitmap(screen, w, h));
    ReleaseDC(nullptr, screen);
    TSelectGuard selBitmap(mem.Get(), canvas.Get());
    RECT all{0, 0, w, h};
    FillRect(mem.Get(), &all, HBRUSH(GetStockObject(WHITE_BRUSH)));
    TFontHandle font = CreateFontHandle(g.Font);
    TSelectGuard selFont(mem.Get(), font.Get());
    SetBkMode(mem.Get(), TRANSPARENT);
    SetTextColor(mem.Get(), RGB(0, 0, 0));
    RECT text{2, 2, w - 2, h};
    const std::string& name = names[size_t(row) - 1];
    DrawTextA(mem.Get(), name.data(), int(name.size()), &text, DT_NOPREFIX | DT_EXPANDTABS | DT_TOP | DT_SINGLELINE);
    const std::vector<bool> plain = Ink(mem.Get(), 0, 0, w, h);
    int differ = 0, inked = 0;
    for (size_t i = 0; i < plain.size(); ++i) differ += shown[i] != plain[i], inked += plain[i];
    EXPECT_GT(inked, 20) << name;
    EXPECT_LE(differ, inked / 20) << name;
  }
}
