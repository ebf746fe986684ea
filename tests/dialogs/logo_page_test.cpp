// The "Half-Life logo editor" page: pictures of every readable format turned
// into 64 x 64 8-bit greyscale BMP logos; overwriting asks; logos deleted.
#include <gtest/gtest.h>

#include <cstring>

#include "FileUtils.h"
#include "GraphicFormats.h"
#include "LogoConvert.h"
#include "settings_fixture.h"

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
  TSettingsDialog& Open() {
    TSettingsDialog& form = Dialog();
    form.FormShow();
    form.Page->SetActivePage(form.LogoEditor);
    return form;
  }
  void Copy(const std::string& data, const std::string& name) {
    ASSERT_TRUE(CopyFileA((std::string(BX_TEST_DATA) + "\\pictures\\" + data).c_str(), (Source + name).c_str(), FALSE));
  }
  void SelectAll(TSettingsDialog& form) {
    for (int i = 0; i < form.SourceFileList->Items.Count(); ++i) form.SourceFileList->SetSelected(i, true);
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
  TSettingsDialog& form = Open();
  ASSERT_EQ(form.LogoGameCombo->Text(), "Gunman");  // sorted: Gunman first
  EXPECT_FALSE(form.DeleteLogoButton->Enabled);          // no logo yet
  EXPECT_TRUE(DirectoryExists(Root + "Gunman\\logos"));
  form.LogoGameCombo->SetItemIndex(1);
  form.LogoGameComboChange(form.LogoGameCombo);
  ASSERT_EQ(form.SourceFileList->Items.Count(), 6);
  SelectAll(form);
  form.ConvertButtonClick(nullptr);
  EXPECT_TRUE(Prompts.empty()) << Prompts.front();
  for (const char* logo : {"a", "b", "c", "d", "e", "f"}) {
    TBmpFacts facts = ReadBmpFacts(ReadTextFile(Root + "Half-Life\\logos\\" + logo + ".bmp"));
    EXPECT_EQ(facts.Width, 64) << logo;
    EXPECT_EQ(std::abs(facts.Height), 64) << logo;
    EXPECT_EQ(facts.Bits, 8) << logo;
    EXPECT_TRUE(facts.GreyPalette) << logo;
    EXPECT_EQ(facts.Indexes.size(), 64u * 64u) << logo;
  }
  EXPECT_EQ(form.LogoFileList->Items.Count(), 6);
  EXPECT_TRUE(form.DeleteLogoButton->Enabled);
}

TEST_F(TLogoPageTest, OverwriteAsksAndAnUnreadablePictureStops) {
  Copy("tga-raw24.tga", "logo.tga");
  WriteTextFile(Source + "broken.gif", "GIF89a but nothing more");
  MakeDirs(Root + "Gunman\\logos");
  WriteTextFile(Root + "Gunman\\logos\\logo.bmp", "old logo");
  TSettingsDialog& form = Open();
  SelectAll(form);
  form.ConvertButtonClick(nullptr);
  ASSERT_EQ(Prompts.size(), 1u);
  EXPECT_EQ(Prompts[0].rfind("Error|", 0), 0u) << Prompts[0];  // broken.gif comes first and ends it
  EXPECT_EQ(ReadTextFile(Root + "Gunman\\logos\\logo.bmp"), "old logo");
  form.SourceFileList->SetSelected(0, false);
  Answer(mrNo);
  form.ConvertButtonClick(nullptr);
  EXPECT_EQ(Prompts.back(), "Information|overwrite exists logo (logo.bmp)?");
  EXPECT_EQ(ReadTextFile(Root + "Gunman\\logos\\logo.bmp"), "old logo");
  Answer(mrYes);
  form.ConvertButtonClick(nullptr);
  EXPECT_EQ(ReadBmpFacts(ReadTextFile(Root + "Gunman\\logos\\logo.bmp")).Width, 64);

  Answer(mrYes);
  form.LogoFileList->SetItemIndex(0);
  form.DeleteLogoButtonClick(nullptr);
  EXPECT_EQ(Prompts.back(), "Confirm|Confirm delete?");
  EXPECT_FALSE(FileExists(Root + "Gunman\\logos\\logo.bmp"));
  EXPECT_FALSE(form.DeleteLogoButton->Enabled);
}

TEST_F(TLogoPageTest, DriveFolderAndPictureListsAreLinkedAndRemembered) {
  Copy("tga-rle24.tga", "b.tga");
  Copy("jpeg-colour.jpg", "e.jpg");
  MakeDirs(Source + "more");
  Copy("gif-plain.gif", "more\\g.gif");
  WriteTextFile(Source + "notes.txt", "not a picture");
  TSettingsDialog& form = Open();
  const std::string folder = Source.substr(0, Source.size() - 1);
  EXPECT_EQ(form.SourceDriveCombo->ClassName(), "TDriveComboBoxEx");
  EXPECT_EQ(form.SourceDriveCombo->Text().substr(0, 3), LowerCase(Source.substr(0, 1)) + ": ");
  EXPECT_EQ(form.SourceFolderList->Directory(), folder);
  EXPECT_EQ(form.SourceFileList->Directory, folder);
  ASSERT_EQ(form.SourceFileList->Items.Items(), (std::vector<std::string>{"b.tga", "e.jpg"}));
  EXPECT_EQ(form.LogoFileList->Directory, Root + "Gunman\\logos\\");

  // One filter of the list narrows the pictures; the first shows them all.
  form.SourceFilterCombo->SetItemIndex(form.SourceFilterCombo->Items.IndexOf("*.jpeg;*.jpg"));
  form.SourceFilterCombo->OnChange(form.SourceFilterCombo);
  EXPECT_EQ(form.SourceFileList->Items.Items(), std::vector<std::string>{"e.jpg"});
  form.SourceFilterCombo->SetItemIndex(0);
  form.SourceFilterCombo->OnChange(form.SourceFilterCombo);

  // A previewed picture goes when the folder changes; the folder is stored.
  form.SourceFileList->SetSelected(0, true);
  form.SourceFileListClick(form.SourceFileList);
  EXPECT_GT(form.SourcePreviewImage->Picture().Width(), 0);
  form.SourceFolderList->SetDirectory(Source + "more");
  EXPECT_EQ(form.SourceFileList->Items.Items(), std::vector<std::string>{"g.gif"});
  EXPECT_EQ(form.SourcePreviewImage->Picture().Width(), 0);
  EXPECT_EQ(Option("logodir"), Source + "more\\");

  // Converting reads from the folder list's folder.
  form.SourceFileList->SetSelected(0, true);
  form.ConvertButtonClick(nullptr);
  EXPECT_TRUE(FileExists(Root + "Gunman\\logos\\g.bmp"));
  EXPECT_EQ(form.LogoFileList->Items[form.LogoFileList->ItemIndex()], "g.bmp");

  // The drive list leads the other two.
  form.SourceDriveCombo->SetDrive('e');
  EXPECT_EQ(form.SourceFolderList->Directory(), "e:\\");
  EXPECT_EQ(form.SourceFileList->Directory, "e:\\");
  EXPECT_EQ(Option("logodir"), "e:\\");

  // The Delete key in the logo list deletes after asking.
  Answer(mrYes);
  uint16_t key = VK_DELETE;
  form.LogoFileList->OnKeyDown(form.LogoFileList, key, {});
  EXPECT_EQ(Prompts.back(), "Confirm|Confirm delete?");
  EXPECT_FALSE(FileExists(Root + "Gunman\\logos\\g.bmp"));
  EXPECT_EQ(form.LogoFileList->Items.Count(), 0);
}

TEST_F(TLogoPageTest, AStoredFolderThatIsGoneOpensTheLauncherFolder) {
  Options->WriteString("Asetukset", "logodir", Root + "gone\\");
  TSettingsDialog& form = Open();
  EXPECT_EQ(IncludeTrailingBackslash(form.SourceFolderList->Directory()), App);
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
  TSettingsDialog& form = Open();
  form.Show();
  form.SourceFileList->SetSelected(1, true);
  form.SourceFileListClick(nullptr);
  form.InvertColorsCheck->SetChecked(true);
  form.ConvertButtonClick(nullptr);
  SetForegroundWindow(form.Handle());
  HoldForLooking("BX_TOOL_HOLD");
  form.Page->SetActivePage(form.HalfLifeManager);
  form.HalfLifeModList->SetItemIndex(form.HalfLifeModList->Items.IndexOf("valve"));
  form.HalfLifeModListClick(nullptr);
  form.HalfLifeEditorPages->SetActivePage(form.Liblist);
  form.LiblistKeyCombo->SetItemIndex(0);
  form.LiblistKeyComboChange(nullptr);
  HoldForLooking("BX_TOOL_HOLD");
}
