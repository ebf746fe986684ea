// The "Half-Life logo editor" page: pictures of every readable format turned
// into 64 x 64 8-bit greyscale BMP logos; overwriting asks; logos deleted.
#include <gtest/gtest.h>

#include <cstring>

#include "FileUtils.h"
#include "GraphicFormats.h"
#include "LogoConvert.h"
#include "SettingsFixture.h"

namespace {
// Reads a BMP file by its own header fields, without the class library.
struct TBmpFacts {
  int32_t Width = 0, Height = 0;
  uint16_t Bits = 0;
  bool GreyPalette = false;
  std::vector<uint8_t> Indexes;  // top row first
};

TBmpFacts ReadBmpFacts(const std::string& bytes) {
  TBmpFacts f;
  if (bytes.size() < 54 || bytes.compare(0, 2, "BM") != 0) return f;
  auto u32 = [&](size_t at) { uint32_t v; std::memcpy(&v, bytes.data() + at, 4); return v; };
  auto u16 = [&](size_t at) { uint16_t v; std::memcpy(&v, bytes.data() + at, 2); return v; };
  const uint32_t offset = u32(10), header = u32(14);
  f.Width = int32_t(u32(18));
  f.Height = int32_t(u32(22));
  f.Bits = u16(28);
  uint32_t colours = u32(46) ? u32(46) : 256;
  f.GreyPalette = true;
  for (uint32_t i = 0; i < colours; ++i) {
    const char* q = bytes.data() + 14 + header + 4 * i;
    f.GreyPalette = f.GreyPalette && q[0] == q[1] && q[1] == q[2];
  }
  const int h = f.Height < 0 ? -f.Height : f.Height, row = (f.Width + 3) & ~3;
  if (f.Bits != 8 || offset + size_t(row) * h > bytes.size()) return f;
  for (int y = 0; y < h; ++y) {
    int fileRow = f.Height < 0 ? y : h - 1 - y;
    for (int x = 0; x < f.Width; ++x) f.Indexes.push_back(uint8_t(bytes[offset + size_t(fileRow) * row + x]));
  }
  return f;
}

class TLogoPageTest : public TSettingsTest {
protected:
  void SetUp() override {
    TSettingsTest::SetUp();
    Options->WriteInteger("Asetukset", "Aloitus", 1);
    Source = Root + "pictures\\";
    MakeDirs(Source);
    MakeDirs(Root + "Half-Life");
    MakeDirs(Root + "Gunman");
    Games->WriteString("half-life", "Sijainti", Root + "Half-Life");
    Games->WriteString("gunman", "Sijainti", Root + "Gunman\\");
    Options->WriteString("Asetukset", "logodir", Source);
  }
  TForm3& Open() {
    TForm3& form = Dialog();
    form.FormShow();
    form.Page->SetActivePage(form.LogoEditor);
    return form;
  }
  void Copy(const std::string& data, const std::string& name) {
    ASSERT_TRUE(CopyFileA((std::string(BX_TEST_DATA) + "\\pictures\\" + data).c_str(), (Source + name).c_str(), FALSE));
  }
  void SelectAll(TForm3& form) {
    for (int i = 0; i < form.FileListBoxEx1->Items.Count(); ++i) form.FileListBoxEx1->SetSelected(i, true);
  }
  std::string Source;
};
}  // namespace

TEST_F(TLogoPageTest, EveryReadableFormatBecomesAGreyscaleLogo) {
  ASSERT_TRUE(CopyFileA((std::string(BX_TEST_DATA) + "\\bmp\\rgb24.bmp").c_str(), (Source + "a.bmp").c_str(), FALSE));
  Copy("tga-rle24.tga", "b.tga");
  Copy("tiff-ii-lzw.tif", "c.tif");
  Copy("gif-plain.gif", "d.gif");
  Copy("jpeg-colour.jpg", "e.jpg");
  Copy("pcx-24.pcx", "f.pcx");
  TForm3& form = Open();
  ASSERT_EQ(form.ComboBox1->Text(), "Gunman");  // sorted: Gunman first
  EXPECT_FALSE(form.BitBtn8->Enabled);          // no logo yet
  EXPECT_TRUE(DirectoryExists(Root + "Gunman\\logos"));
  form.ComboBox1->SetItemIndex(1);
  form.ComboBox1Change(form.ComboBox1);
  ASSERT_EQ(form.FileListBoxEx1->Items.Count(), 6);
  SelectAll(form);
  form.BitBtn7Click(nullptr);
  EXPECT_TRUE(Prompts.empty()) << Prompts.front();
  for (const char* logo : {"a", "b", "c", "d", "e", "f"}) {
    TBmpFacts facts = ReadBmpFacts(ReadTextFile(Root + "Half-Life\\logos\\" + logo + ".bmp"));
    EXPECT_EQ(facts.Width, 64) << logo;
    EXPECT_EQ(std::abs(facts.Height), 64) << logo;
    EXPECT_EQ(facts.Bits, 8) << logo;
    EXPECT_TRUE(facts.GreyPalette) << logo;
    EXPECT_EQ(facts.Indexes.size(), 64u * 64u) << logo;
  }
  EXPECT_EQ(form.FileListBoxEx2->Items.Count(), 6);
  EXPECT_TRUE(form.BitBtn8->Enabled);
}

TEST_F(TLogoPageTest, OverwriteAsksAndAnUnreadablePictureStops) {
  Copy("tga-raw24.tga", "logo.tga");
  WriteTextFile(Source + "broken.gif", "GIF89a but nothing more");
  MakeDirs(Root + "Gunman\\logos");
  WriteTextFile(Root + "Gunman\\logos\\logo.bmp", "old logo");
  TForm3& form = Open();
  SelectAll(form);
  form.BitBtn7Click(nullptr);
  ASSERT_EQ(Prompts.size(), 1u);
  EXPECT_EQ(Prompts[0].rfind("Error|", 0), 0u) << Prompts[0];  // broken.gif comes first and ends it
  EXPECT_EQ(ReadTextFile(Root + "Gunman\\logos\\logo.bmp"), "old logo");
  form.FileListBoxEx1->SetSelected(0, false);
  Answer(mrNo);
  form.BitBtn7Click(nullptr);
  EXPECT_EQ(Prompts.back(), "Information|overwrite exists logo (logo.bmp)?");
  EXPECT_EQ(ReadTextFile(Root + "Gunman\\logos\\logo.bmp"), "old logo");
  Answer(mrYes);
  form.BitBtn7Click(nullptr);
  EXPECT_EQ(ReadBmpFacts(ReadTextFile(Root + "Gunman\\logos\\logo.bmp")).Width, 64);

  Answer(mrYes);
  form.FileListBoxEx2->SetItemIndex(0);
  form.BitBtn8Click(nullptr);
  EXPECT_EQ(Prompts.back(), "Confirm|Confirm delete?");
  EXPECT_FALSE(FileExists(Root + "Gunman\\logos\\logo.bmp"));
  EXPECT_FALSE(form.BitBtn8->Enabled);
}

TEST_F(TLogoPageTest, DriveFolderAndPictureListsAreLinkedAndRemembered) {
  Copy("tga-rle24.tga", "b.tga");
  Copy("jpeg-colour.jpg", "e.jpg");
  MakeDirs(Source + "more");
  Copy("gif-plain.gif", "more\\g.gif");
  WriteTextFile(Source + "notes.txt", "not a picture");
  TForm3& form = Open();
  const std::string folder = Source.substr(0, Source.size() - 1);
  EXPECT_EQ(form.DriveComboBoxEx1->ClassName(), "TDriveComboBoxEx");
  EXPECT_EQ(form.DriveComboBoxEx1->Text().substr(0, 3), LowerCase(Source.substr(0, 1)) + ": ");
  EXPECT_EQ(form.DirectoryListBoxEx1->Directory(), folder);
  EXPECT_EQ(form.FileListBoxEx1->Directory, folder);
  ASSERT_EQ(form.FileListBoxEx1->Items.Items(), (std::vector<std::string>{"b.tga", "e.jpg"}));
  EXPECT_EQ(form.FileListBoxEx2->Directory, Root + "Gunman\\logos\\");

  // One filter of the list narrows the pictures; the first shows them all.
  form.FilterComboBox1->SetItemIndex(form.FilterComboBox1->Items.IndexOf("*.jpeg;*.jpg"));
  form.FilterComboBox1->OnChange(form.FilterComboBox1);
  EXPECT_EQ(form.FileListBoxEx1->Items.Items(), std::vector<std::string>{"e.jpg"});
  form.FilterComboBox1->SetItemIndex(0);
  form.FilterComboBox1->OnChange(form.FilterComboBox1);

  // A previewed picture goes when the folder changes; the folder is stored.
  form.FileListBoxEx1->SetSelected(0, true);
  form.FileListBoxEx1Click(form.FileListBoxEx1);
  EXPECT_GT(form.Image3->Picture().Width(), 0);
  form.DirectoryListBoxEx1->SetDirectory(Source + "more");
  EXPECT_EQ(form.FileListBoxEx1->Items.Items(), std::vector<std::string>{"g.gif"});
  EXPECT_EQ(form.Image3->Picture().Width(), 0);
  EXPECT_EQ(Option("logodir"), Source + "more\\");

  // Converting reads from the folder list's folder.
  form.FileListBoxEx1->SetSelected(0, true);
  form.BitBtn7Click(nullptr);
  EXPECT_TRUE(FileExists(Root + "Gunman\\logos\\g.bmp"));
  EXPECT_EQ(form.FileListBoxEx2->Items[form.FileListBoxEx2->ItemIndex()], "g.bmp");

  // The drive list leads the other two.
  form.DriveComboBoxEx1->SetDrive('e');
  EXPECT_EQ(form.DirectoryListBoxEx1->Directory(), "e:\\");
  EXPECT_EQ(form.FileListBoxEx1->Directory, "e:\\");
  EXPECT_EQ(Option("logodir"), "e:\\");

  // The Delete key in the logo list deletes after asking.
  Answer(mrYes);
  uint16_t key = VK_DELETE;
  form.FileListBoxEx2->OnKeyDown(form.FileListBoxEx2, key, {});
  EXPECT_EQ(Prompts.back(), "Confirm|Confirm delete?");
  EXPECT_FALSE(FileExists(Root + "Gunman\\logos\\g.bmp"));
  EXPECT_EQ(form.FileListBoxEx2->Items.Count(), 0);
}

TEST_F(TLogoPageTest, AStoredFolderThatIsGoneOpensTheLauncherFolder) {
  Options->WriteString("Asetukset", "logodir", Root + "gone\\");
  TForm3& form = Open();
  EXPECT_EQ(IncludeTrailingBackslash(form.DirectoryListBoxEx1->Directory()), App);
  EXPECT_EQ(Option("logodir"), App);
}

TEST(LogoConvert, StretchInvertMirrorAndFlip) {
  TBitmap wide;
  wide.SetPixelFormat(pf24bit);
  wide.SetSize(128, 32);  // not square: stretched
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 128; ++x) wide.SetPixel(x, y, x < 64 && y < 16 ? clWhite : clBlack);
  auto greyAt = [](const std::vector<uint8_t>& bmp, int x, int y) {
    TBmpFacts f = ReadBmpFacts(std::string(bmp.begin(), bmp.end()));
    return f.Indexes.at(size_t(y) * 64 + size_t(x));
  };
  std::vector<uint8_t> plain = MakeLogoBmp(wide, {});
  EXPECT_GT(greyAt(plain, 0, 0), 200);    // white corner, top left
  EXPECT_LT(greyAt(plain, 63, 63), 50);
  EXPECT_LT(greyAt(plain, 40, 10), 50);   // beyond half the width
  std::vector<uint8_t> turned = MakeLogoBmp(wide, {false, true, true});
  EXPECT_GT(greyAt(turned, 63, 63), 200);  // mirrored and flipped: turned by 180 degrees
  EXPECT_LT(greyAt(turned, 0, 0), 50);
  std::vector<uint8_t> inverted = MakeLogoBmp(wide, {true, false, false});
  EXPECT_LT(greyAt(inverted, 0, 0), 50);
  EXPECT_GT(greyAt(inverted, 63, 63), 200);
}

// With BX_TOOL_HOLD set (milliseconds), the logo page after a conversion and
// the liblist editor stay on screen to be looked at.
TEST_F(TLogoPageTest, PagesWithContentToLookAt) {
  if (!std::getenv("BX_TOOL_HOLD")) GTEST_SKIP() << "BX_TOOL_HOLD is not set";
  Copy("tga-rle24.tga", "b.tga");
  Copy("jpeg-colour.jpg", "e.jpg");
  MakeDirs(Root + "Half-Life\\valve");
  WriteTextFile(Root + "Half-Life\\valve\\liblist.gam", "// Half-Life\ngame \"Half-Life\"\nstartmap \"c0a0\"\n");
  TForm3& form = Open();
  form.Show();
  form.FileListBoxEx1->SetSelected(1, true);
  form.FileListBoxEx1Click(nullptr);
  form.CheckBox1->SetChecked(true);
  form.BitBtn7Click(nullptr);
  SetForegroundWindow(form.Handle());
  HoldForLooking("BX_TOOL_HOLD");
  form.Page->SetActivePage(form.HalfLifeManager);
  form.LQ->SetItemIndex(form.LQ->Items.IndexOf("valve"));
  form.LQClick(nullptr);
  form.Pa->SetActivePage(form.Liblist);
  form.Ty->SetItemIndex(0);
  form.TyChange(nullptr);
  HoldForLooking("BX_TOOL_HOLD");
}
