#include "entrylist_fixture.h"

#include "I2BConve.h"
#include "WinGraphics.h"

#include <algorithm>

using namespace bxtest;

namespace {
bool Shown(TControl* c) { return c->Visible(); }
}  // namespace

// Re-applying the options rebuilds the page from the entry file and leaves
// each label as wide as its text, not its whole slot.
TEST_F(LauncherTest, ReapplyingTheOptionsRebuildsThePageWithFittedLabels) {
  AddEntry({"Action Quake", "quake", "action"});
  Open();
  ASSERT_EQ(Form->EntryNames.Count(), 1);
  const int fitted = Form->Labels[0]->Width();
  const int slot = Form->Skin->Data.Mainlist.Items[0].Width;
  ASSERT_GT(fitted, 0);
  ASSERT_LT(fitted, slot);
  AddEntry({"Zymotic", "quake", "zym"});
  Form->ReapplyOptions();
  EXPECT_EQ(Form->EntryNames.Count(), 2);
  EXPECT_EQ(Form->Labels[1]->Caption(), "Zymotic");
  EXPECT_TRUE(Form->Labels[1]->Visible());
  EXPECT_EQ(Form->Labels[0]->Width(), fitted);
  EXPECT_LT(Form->Labels[1]->Width(), slot);
  for (int k = 2; k < kRows; ++k) EXPECT_FALSE(Form->Labels[k]->Visible()) << k;
}

TEST_F(LauncherTest, ThreeEntriesFillThreeRowsSortedWithHints) {
  AddEntry({"quake ctf", "quake", "ctf"});
  AddEntry({"Action Quake", "quake", "action"});
  AddEntry({"Team Fortress", "half-life", "tfc", "hl -game %s"});
  WriteIni(ModIni, "Team Fortress", "Description", "Classes and flags");
  Open();
  ASSERT_EQ(Form->EntryNames.Count(), 3);
  EXPECT_EQ(Form->Labels[0]->Caption(), "Action Quake");
  EXPECT_EQ(Form->Labels[1]->Caption(), "quake ctf");
  EXPECT_EQ(Form->Labels[2]->Caption(), "Team Fortress");
  EXPECT_EQ(Form->Labels[2]->Hint, "Classes and flags");
  EXPECT_EQ(Form->Icons[2]->Hint, "half-life: Team Fortress");
  for (int k = 0; k < 3; ++k) EXPECT_TRUE(Shown(Form->Labels[k]) && Shown(Form->Icons[k])) << k;
  for (int k = 3; k < 13; ++k) {
    EXPECT_FALSE(Shown(Form->Labels[k]) || Shown(Form->Icons[k])) << k;
    EXPECT_EQ(Form->Labels[k]->Caption(), "");
  }
  EXPECT_EQ(Form->SelectedRow, 0);
  EXPECT_EQ(Form->ModifyButton->Hint, "Modify Action Quake (Ctrl+M)");
  EXPECT_EQ(Form->RemoveButton->Hint, "Remove Action Quake (Delete)");
  EXPECT_EQ(Form->Labels[0]->Font.Color, Form->SelectedColor);
  EXPECT_EQ(Form->Labels[1]->Font.Color, Form->UnselectedColor);
}

// A hand-written entry file may hold names that differ only in letter case:
// they keep the order the list has always given them (the later one first).
TEST_F(LauncherTest, NamesEqualButForCaseKeepTheirOrder) {
  RemoveIni(ModIni);
  std::ofstream(ModIni, std::ios::binary) << "[beta]\r\nGame=quake\r\n[Alpha]\r\nGame=quake\r\n[alpha]\r\n"
                                             "Game=quake\r\n[ALPHA]\r\nGame=quake\r\n[Beta]\r\nGame=quake\r\n";
  Open();
  ASSERT_EQ(Form->EntryNames.Count(), 5);
  EXPECT_EQ(Form->EntryNames.Text(), "ALPHA\r\nalpha\r\nAlpha\r\nBeta\r\nbeta\r\n");
}

TEST_F(LauncherTest, EmptyListClearsTheButtonHints) {
  Open();
  EXPECT_EQ(Form->EntryNames.Count(), 0);
  EXPECT_EQ(Form->SelectedRow, -1);
  EXPECT_EQ(Form->ModifyButton->Hint, "Modify (Ctrl+M)");
  EXPECT_EQ(Form->RemoveButton->Hint, "Remove (Delete)");
}

TEST_F(LauncherTest, NumbersFollowTheScrolledPage) {
  AddNumbered(30);
  WriteIni(Options, "Asetukset", "shownumbers", "1");
  Open();
  EXPECT_EQ(Form->Labels[0]->Caption(), "1. Entry 01");
  Form->TopIndex = 10;
  Form->PaintPage(false);
  EXPECT_EQ(Form->Labels[0]->Caption(), "11. Entry 11");
  EXPECT_EQ(Form->Labels[12]->Caption(), "23. Entry 23");
}

TEST_F(LauncherTest, LongNamesAreCutToTheSlotShortOnesKeepTheirWidth) {
  AddEntry({std::string(80, 'W'), "quake", "w"});
  AddEntry({"ab", "quake", "ab"});
  Open();
  const int slot = Form->Skin->Data.Mainlist.Items[0].Width;
  TLabel* shortRow = Form->Labels[0];
  TLabel* longRow = Form->Labels[1];
  EXPECT_EQ(longRow->Width(), slot);
  EXPECT_FALSE(longRow->AutoSize);
  EXPECT_LT(shortRow->Width(), slot);
  EXPECT_GT(shortRow->Width(), 0);
  EXPECT_TRUE(shortRow->AutoSize);
}

namespace {
// How far to the right the text's ink reaches when drawn at 0 without a clip.
int InkRight(const TFont& font, const std::string& text) {
  TWindowDC screen(nullptr);
  HDC dc = CreateCompatibleDC(screen.DC());
  HBITMAP bitmap = CreateCompatibleBitmap(screen.DC(), 400, 60);
  HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
  RECT all{0, 0, 400, 60};
  FillRect(dc, &all, HBRUSH(GetStockObject(WHITE_BRUSH)));
  TFontHandle handle = CreateFontHandle(font);
  HGDIOBJ oldFont = SelectObject(dc, handle.Get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 0, 0));
  ExtTextOutA(dc, 0, 0, 0, nullptr, text.data(), UINT(text.size()), nullptr);
  int right = 0;
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < 400; ++x)
      if (GetPixel(dc, x, y) != RGB(255, 255, 255)) right = std::max(right, x + 1);
  SelectObject(dc, oldFont);
  SelectObject(dc, oldBitmap);
  DeleteObject(bitmap);
  DeleteDC(dc);
  return right;
}
}  // namespace

// A row's text is never cut at its end: each label reaches as far as its
// text's ink, also in fonts whose last glyph reaches past its advance
// (italic ones), selected (bold) or not.
TEST_F(LauncherTest, RowLabelsHoldTheWholeInkOfTheirText) {
  AddEntry({"Team Fortress", "quake", "fortress"});
  AddEntry({"Zone of Duty", "quake", "zone"});
  AddEntry({"Wolf", "quake", "wolf"});  // an italic "f" reaches past its advance
  Open();
  Tbxskinmainlist& list = Form->Skin->Data.Mainlist;
  for (const bool italic : {false, true}) {
    for (TFont* font : {&list.MainListselFont, &list.MainListunselFont}) {
      font->Name = "Tahoma";
      font->Height = -11;
      font->Style = italic ? fsItalic : 0;
    }
    list.MainListselFont.Style |= fsBold;
    Form->PaintPage(true);
    Form->ApplyListColours();
    Form->RowLabelClick(Form->Labels[0]);
    for (int row : {0, 1, 2}) {
      TLabel* label = Form->Labels[row];
      EXPECT_GE(label->Width(), InkRight(label->Font, label->Caption()))
          << label->Caption() << (italic ? " italic" : "") << (row == 0 ? " selected" : "");
    }
  }
}

TEST_F(LauncherTest, ViewsAllFavouritesAndOneGame) {
  AddEntry({"Q1", "quake", "a"});
  AddEntry({"Q2", "Quake", "b"});
  AddEntry({"H1", "half-life", "c"});
  AddEntry({"Fav", "quake", "d"}, Favourites);
  WriteIni(Options, "Asetukset", "nayta", "QUAKE");
  Open();
  EXPECT_EQ(Form->EntryNames.Text(), "Q1\r\nQ2\r\n");
  EXPECT_EQ(Form->ModIni->FileName(), ModIni);

  Form->ViewName = "suosikit";
  Form->PaintPage(true);
  EXPECT_EQ(Form->EntryNames.Text(), "Fav\r\n");
  EXPECT_EQ(Form->ModIni->FileName(), Favourites);
  EXPECT_EQ(Form->Labels[0]->Caption(), "Fav");

  // BuildRanking reads Mod.ini for the ranking, then comes back to the view's file.
  Form->BuildRanking();
  EXPECT_EQ(Form->ModIni->FileName(), Favourites);
  EXPECT_EQ(Form->EntryNames.Text(), "Fav\r\n");

  Form->ViewName = "kaikki";
  Form->PaintPage(true);
  EXPECT_EQ(Form->EntryNames.Count(), 3);

  // A game without entries falls back to all of them.
  Form->ViewName = "sin";
  Form->PaintPage(true);
  EXPECT_EQ(Form->ViewName, "kaikki");
  EXPECT_EQ(Form->EntryNames.Count(), 3);
}

TEST_F(LauncherTest, EmptyFavouritesKeepTheView) {
  AddEntry({"Q1", "quake", "a"});
  WriteIni(Options, "Asetukset", "nayta", "suosikit");
  Open();
  EXPECT_EQ(Form->ViewName, "suosikit");
  EXPECT_EQ(Form->EntryNames.Count(), 0);
  EXPECT_FALSE(Shown(Form->Labels[0]));
}

TEST_F(LauncherTest, RankingKeepsFileOrderForEqualCounts) {
  WriteIni(Counts, "quake", "ctf", "5");
  WriteIni(Counts, "half-life", "tfc", "9");
  WriteIni(Counts, "quake", "<>", "5");
  AddEntry({"Capture the Flag", "QUAKE", "CTF"});
  Open();
  ASSERT_EQ(Form->RankCounts.Count(), 3);
  // Sections in file order: quake (ctf, <>), then half-life.
  EXPECT_EQ(Form->RankCounts.Text(), "9\r\n5\r\n5\r\n");
  EXPECT_EQ(Form->RankGames.Text(), "half-life\r\nquake\r\nquake\r\n");
  // The top rows name their entry where there is one; a mod without an entry
  // keeps its folder, a plain game without one stays hidden.
  EXPECT_EQ(Form->RankMods.Text(), "tfc\r\nCapture the Flag\r\n\r\n");
  EXPECT_TRUE(Form->MostStartedVisible);
  EXPECT_TRUE(Form->QuickItems[0].Visible);
  EXPECT_EQ(Form->QuickItems[0].Caption, "tfc");
  EXPECT_EQ(Form->QuickItems[1].Caption, "Capture the Flag");
  EXPECT_FALSE(Form->QuickItems[2].Visible);
}

TEST_F(LauncherTest, RankingSkipsCountsThatAreNoNumber) {
  WriteIni(Counts, "quake", "a", "x");
  WriteIni(Counts, "quake", "b", "3");
  WriteIni(Counts, "quake", "c", "7");
  Open();
  // "b" finds no comparable lower count and is appended; "c" goes before "b".
  EXPECT_EQ(Form->RankCounts.Text(), "x\r\n7\r\n3\r\n");
  EXPECT_EQ(Form->RankMods.Text(), "a\r\nc\r\nb\r\n");
}

TEST_F(LauncherTest, QuickItemCountFollowsShowtopsindex) {
  for (int i = 0; i < 25; ++i) WriteIni(Counts, "quake", "m" + std::to_string(i), std::to_string(100 - i));
  auto visible = [this] {
    return int(std::count_if(Form->QuickItems.begin(), Form->QuickItems.end(), [](auto& q) { return q.Visible; }));
  };
  Open();
  EXPECT_EQ(visible(), 5);
  const std::pair<int, int> cases[] = {{1, 10}, {2, 15}, {3, 20}, {4, 15}};
  for (auto [index, count] : cases) {
    WriteIni(Options, "Asetukset", "showtopsindex", std::to_string(index));
    Form->BuildRanking();
    EXPECT_EQ(visible(), count) << index;
  }
  WriteIni(Options, "Asetukset", "showtops", "0");
  Form->BuildRanking();
  EXPECT_EQ(visible(), 0);
  EXPECT_TRUE(Form->MostStartedVisible);
}

TEST_F(LauncherTest, NoRankingHidesMostStarted) {
  AddEntry({"Q1", "quake", "a"});
  Open();
  EXPECT_FALSE(Form->MostStartedVisible);
  WriteIni(Options, "Asetukset", "showtops", "0");
  Form->BuildRanking();
  EXPECT_FALSE(Form->MostStartedVisible);
}

TEST_F(LauncherTest, ListShrunkUnderAScrolledPageIsClamped) {
  AddNumbered(40);
  Open();
  Form->TopIndex = 27;
  Form->SelectedRow = 12;
  Form->PaintPage(false);
  for (int i = 10; i <= 40; ++i) {
    char name[16];
    std::snprintf(name, sizeof name, "Entry %02d", i);
    WritePrivateProfileStringA(name, nullptr, nullptr, ModIni.c_str());
  }
  Form->PaintPage(false);
  EXPECT_EQ(Form->TopIndex, 0);
  EXPECT_EQ(Form->SelectedRow, 8);
  EXPECT_EQ(Selected(), "Entry 09");
  EXPECT_FALSE(Shown(Form->Labels[9]));
}

// Logos: a .bmp as it is, an .ico and an .exe drawn on the marker colour,
// and the fallbacks.
TEST_F(LauncherTest, LogosFromBitmapsIconsAndProgramsWithFallbacks) {
  CreateDirectoryA((Dir + "Logos").c_str(), nullptr);
  TBitmap logo;
  logo.SetPixelFormat(pf24bit);
  logo.SetSize(20, 10);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 20; ++x) logo.SetPixel(x, y, clRed);
  logo.SaveToFile(Dir + "Logos\\red.bmp");
  TBitmap unknown;
  unknown.SetPixelFormat(pf24bit);
  unknown.SetSize(7, 7);
  unknown.SaveToFile(Dir + "Logos\\unknown.bmp");
  std::ofstream(Dir + "Logos\\broken.ico") << "not an icon";
  std::ofstream(Dir + "Logos\\text.txt") << "x";
  // An icon file: the program's own icon would do, but write a real one.
  {
    std::ofstream ico(Dir + "Logos\\q.ico", std::ios::binary);
    const int size = 16;
    std::vector<uint8_t> bytes = {0, 0, 1, 0, 1, 0, size, size, 0, 0, 1, 0, 32, 0};
    uint32_t bmpSize = 40 + size * size * 4 + size * 4;
    for (int i = 0; i < 4; ++i) bytes.push_back(uint8_t(bmpSize >> (8 * i)));
    for (int i = 0; i < 4; ++i) bytes.push_back(uint8_t(22 >> (8 * i)));
    uint8_t header[40] = {40, 0, 0, 0, size, 0, 0, 0, size * 2, 0, 0, 0, 1, 0, 32, 0};
    bytes.insert(bytes.end(), header, header + 40);
    for (int i = 0; i < size * size; ++i) bytes.insert(bytes.end(), {0, 0xFF, 0, 0xFF});  // green
    for (int i = 0; i < size * 4; ++i) bytes.push_back(0);                                 // opaque
    ico.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  }
  AddEntry({"A bmp", "quake", "a", "quake", "red.bmp"});
  AddEntry({"B ico", "quake", "b", "quake", "q.ico"});
  AddEntry({"C exe", "quake", "c", "quake", BX_FAKEGAME});
  AddEntry({"D missing", "quake", "d", "quake", "gone.bmp"});
  AddEntry({"E broken", "quake", "e", "quake", "broken.ico"});
  AddEntry({"F other", "quake", "f", "quake", "text.txt"});
  AddEntry({"G program", "quake", "g", "quake", "C:\\windows\\notepad.exe"});
  Open();
  TBitmap& bmp = Form->Icons[0]->Picture().Bitmap();
  EXPECT_EQ(bmp.Width(), 20);
  EXPECT_EQ(bmp.Pixel(3, 3), clRed);
  TBitmap& ico = Form->Icons[1]->Picture().Bitmap();
  EXPECT_EQ(ico.Width(), 16);
  EXPECT_EQ(ico.Height(), 17);
  EXPECT_EQ(ico.Pixel(3, 3), TColor(0x00FF00));
  EXPECT_EQ(ico.Pixel(0, 16), TColor(0x00123456));
  EXPECT_TRUE(Form->Icons[1]->Transparent);
  // The fake game carries no icon of its own: the unknown logo.
  for (int row : {2, 3, 4, 5}) {
    EXPECT_EQ(Form->Icons[row]->Picture().Width(), 7) << row;
    EXPECT_FALSE(Form->Icons[row]->Transparent) << row;
  }
  TBitmap& exe = Form->Icons[6]->Picture().Bitmap();
  EXPECT_EQ(exe.Width(), GetSystemMetrics(SM_CXICON));
  EXPECT_EQ(exe.Height(), GetSystemMetrics(SM_CYICON) + 1);
  EXPECT_TRUE(Form->Icons[6]->Transparent);
  // Without Logos\unknown.bmp and without the resource, the icon is empty.
  DeleteFileA((Dir + "Logos\\unknown.bmp").c_str());
  Form->PaintPage(true);
  EXPECT_EQ(Form->Icons[3]->Picture().Width(), 0);
  EXPECT_EQ(Form->Icons[0]->Picture().Width(), 20);
}
