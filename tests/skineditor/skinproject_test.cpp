// The editor's project files, New, the recent list and the output folder rule.
#include <gtest/gtest.h>

#include "../support/testfiles.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include "Streams.h"
#include "skinoptions.h"
#include "skinproject.h"

namespace fs = std::filesystem;

namespace {


class Project : public ::testing::Test {
protected:
  void SetUp() override {
    Dir = (fs::temp_directory_path() /
           ("bx_project_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name())))
              .string() + "/";
    fs::remove_all(Dir);
    fs::create_directories(Dir + "other");
  }
  void TearDown() override { fs::remove_all(Dir); }
  std::string Dir;
};

}  // namespace

TEST_F(Project, NewStartsFromTheEmptySkinAndForgetsTheOldProject) {
  TSkinProject p;
  p.Skin.Filename = Dir + "dark.bxn";
  p.Skin.Data.Title = "Dark";
  p.Skin.Data.Mainlist.Left = 99;
  p.Skin.Data.Kuva.Bitmap().SetSize(4, 4);
  p.Skin.Data.UpButton.Valittu.Bitmap().SetSize(2, 2);
  p.Cursors[3] = Dir + "a.cur";
  p.PreviewTransparentColor = clRed;
  p.New();
  EXPECT_TRUE(p.Skin.Filename.empty());
  const TbxskinData& d = p.Skin.Data;
  EXPECT_TRUE(d.Title.empty());
  EXPECT_EQ(d.Mainlist.Left, 53);
  EXPECT_EQ(d.Mainlist.Items[12].Width, 169);
  EXPECT_EQ(d.Mainlist.MainListselFont.Name, "Arial");
  EXPECT_EQ(d.Mainlist.MainListunselFont.Height, -13);
  EXPECT_EQ(d.Iconlist.IconWidth, 16);
  EXPECT_EQ(d.RemoveButton.Height, 21);
  EXPECT_EQ(d.DownButton.Top, 176);
  EXPECT_EQ(d.Width, 300);
  EXPECT_EQ(d.Lapivari, clWhite);
  EXPECT_EQ(d.Kuva.Graphic(), nullptr);
  EXPECT_EQ(d.UpButton.Valittu.Graphic(), nullptr);
  EXPECT_TRUE(p.Cursors[3].empty());
  EXPECT_EQ(p.PreviewTransparentColor, clWhite);
  EXPECT_EQ(ProjectCaption(p.Skin.Filename), "Brannox 2000 skin editor");
}

TEST_F(Project, SaveStoresFilesOfTheProjectFolderByNameAndOpenFindsThemAgain) {
  TSkinProject p;
  p.Skin.Data.Title = "Dark";
  p.Cursors[0] = Dir + "arrow.cur";
  p.Cursors[8] = Dir + "other/down.ani";
  p.PreviewImagePath = Dir + "preview.bmp";
  p.PreviewTransparentColor = TColor(0x00FF00FF);
  p.Skin.Filename = Dir + "dark.bxn";
  p.Save();
  EXPECT_EQ(ReadAll(Dir + "dark.bxc"), "arrow.cur\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n" + Dir +
                                           "other/down.ani\r\npreview.bmp\r\nclFuchsia\r\n");
  TSkinProject q;
  EXPECT_EQ(q.Open(Dir + "dark.bxn"), "");
  EXPECT_EQ(q.Skin.Data.Title, "Dark");
  EXPECT_EQ(q.Cursors[0], Dir + "arrow.cur");
  EXPECT_TRUE(q.Cursors[1].empty());
  EXPECT_EQ(q.Cursors[8], Dir + "other/down.ani");
  EXPECT_EQ(q.PreviewImagePath, Dir + "preview.bmp");
  EXPECT_EQ(q.PreviewTransparentColor, TColor(0x00FF00FF));
  EXPECT_EQ(ProjectCaption(q.Skin.Filename), "Brannox 2000 skin editor - [dark.bxn]");
  // The project file is the skin stream, byte for byte what the skin writes.
  TMemoryStream stream;
  q.Skin.SaveToStream(stream);
  EXPECT_EQ(ReadAll(Dir + "dark.bxn"), std::string(stream.Bytes().begin(), stream.Bytes().end()));
}

TEST_F(Project, SaveAsWritesFullPaths) {
  TSkinProject p;
  p.Cursors[0] = Dir + "arrow.cur";
  p.SaveAs(Dir + "light.bxn");
  EXPECT_EQ(p.Skin.Filename, Dir + "light.bxn");
  TStringList lines;
  lines.LoadFromFile(Dir + "light.bxc");
  ASSERT_EQ(lines.Count(), 11);
  EXPECT_EQ(lines[0], Dir + "arrow.cur");
  EXPECT_EQ(lines[10], "clWhite");
  TSkinProject unnamed;
  EXPECT_THROW(unnamed.Save(), EInvalidOperation);
}

TEST_F(Project, ShortOrDamagedCompanionsReadWhatTheyCan) {
  TSkinProject p;
  p.SaveAs(Dir + "a.bxn");
  WriteAll(Dir + "a.bxc", "  one.cur \r\nc:\\cursors\\two.ani\r\n\r\n");
  TSkinProject q;
  ASSERT_EQ(q.Open(Dir + "a.bxn"), "");
  EXPECT_EQ(q.Cursors[0], Dir + "one.cur");
  EXPECT_EQ(q.Cursors[1], "c:\\cursors\\two.ani");
  EXPECT_TRUE(q.Cursors[2].empty() && q.Cursors[3].empty());
  EXPECT_EQ(q.PreviewTransparentColor, clWhite);
  // A colour line that is no colour reads as white, the rest still loads.
  WriteAll(Dir + "a.bxc", "one.cur\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\npic.tga\r\nnot a colour\r\n");
  ASSERT_EQ(q.Open(Dir + "a.bxn"), "");
  EXPECT_EQ(q.PreviewImagePath, Dir + "pic.tga");
  EXPECT_EQ(q.PreviewTransparentColor, clWhite);
  WriteAll(Dir + "a.bxc", "\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n$00123456\r\n");
  ASSERT_EQ(q.Open(Dir + "a.bxn"), "");
  EXPECT_EQ(q.PreviewTransparentColor, TColor(0x00123456));
}

TEST_F(Project, AProjectThatFailsToLoadLeavesAnUnnamedNewProjectAndSaysWhy) {
  TSkinProject p;
  p.Skin.Data.Title = "Kept";
  p.SaveAs(Dir + "good.bxn");
  WriteAll(Dir + "bad.bxn", "this is no skin stream");
  WriteAll(Dir + "bad.bxc", "x.cur\r\n");
  std::string why = p.Open(Dir + "bad.bxn");
  EXPECT_NE(why.find("bad.bxn"), std::string::npos) << why;
  EXPECT_NE(why.find("Invalid stream format"), std::string::npos) << why;
  EXPECT_TRUE(p.Skin.Filename.empty());
  EXPECT_TRUE(p.Skin.Data.Title.empty());
  EXPECT_TRUE(p.Cursors[0].empty());
  EXPECT_NE(p.Open(Dir + "missing.bxn"), "");
  EXPECT_TRUE(IsProjectFileName("C:\\Skins\\DARK.BXN"));
  EXPECT_FALSE(IsProjectFileName(Dir + "notes.txt"));
  EXPECT_EQ(CompanionFileName("c:\\s\\dark.bxn"), "c:\\s\\dark.bxc");
}

TEST(RecentList, KeepsFourNewestFirstWithoutDuplicates) {
  TRecentList list;
  for (const char* p : {"d.bxn", "c.bxn", "b.bxn", "a.bxn"}) list.Add(p);
  EXPECT_EQ(list.Items(), (std::vector<std::string>{"a.bxn", "b.bxn", "c.bxn", "d.bxn"}));
  // The cap of four applies before duplicates go, so the list shrinks to three.
  list.Add("c.bxn");
  EXPECT_EQ(list.Items(), (std::vector<std::string>{"c.bxn", "a.bxn", "b.bxn"}));
  list.Add("A.BXN");
  EXPECT_EQ(list.Items(), (std::vector<std::string>{"A.BXN", "c.bxn", "b.bxn"}));
  std::vector<std::pair<std::string, std::string>> written;
  list.Save([&](const std::string& k, const std::string& v) { written.push_back({k, v}); });
  EXPECT_EQ(written,
            (std::vector<std::pair<std::string, std::string>>{{"1", "A.BXN"}, {"2", "c.bxn"}, {"3", "b.bxn"}}));
}

TEST(RecentList, LoadSkipsMissingKeysAndFiles) {
  std::map<std::string, std::string> ini = {{"1", "x.bxn"}, {"2", "gone.bxn"}, {"4", "y.bxn"}, {"5", "z.bxn"}};
  TRecentList list;
  list.Load([&](const std::string& k) { return ini.count(k) ? ini[k] : std::string(); },
            [](const std::string& p) { return p != "gone.bxn"; });
  EXPECT_EQ(list.Items(), (std::vector<std::string>{"x.bxn", "y.bxn"}));
}

TEST(OutputFolder, DefaultCustomAndMissingFolders) {
  auto exists = [](const std::string& f) {
    return f == "c:\\games\\launcher\\skins\\" || f == "skins\\" || f == "d:\\mine";
  };
  auto d = ResolveSkinOutputFolder(0, "d:\\mine", 3, "c:\\games\\launcher", exists);
  EXPECT_TRUE(d.Found);
  EXPECT_EQ(d.Folder, "c:\\games\\launcher\\skins\\");
  EXPECT_EQ(d.LauncherFolder, "c:\\games\\launcher\\");
  EXPECT_EQ(d.Tag, 0);
  auto old = ResolveSkinOutputFolder(0, "", 2, "c:\\games\\launcher\\", exists);
  EXPECT_TRUE(old.Found);
  EXPECT_EQ(old.Tag, kNoTestSkinTag);
  EXPECT_TRUE(old.LauncherFolder.empty());
  auto blank = ResolveSkinOutputFolder(0, "", 0, "", exists);
  EXPECT_EQ(blank.Folder, "skins\\") << "a blank dir is the relative skins folder";
  auto custom = ResolveSkinOutputFolder(1, "d:\\mine", 3, "c:\\games\\launcher", exists);
  EXPECT_TRUE(custom.Found);
  EXPECT_EQ(custom.Folder, "d:\\mine\\");
  EXPECT_EQ(custom.Tag, 1) << "a custom folder never offers Test skin";
  EXPECT_FALSE(ResolveSkinOutputFolder(7, "e:\\nowhere", 3, "", exists).Found);
  EXPECT_FALSE(ResolveSkinOutputFolder(0, "", 3, "c:\\elsewhere", exists).Found);
}
