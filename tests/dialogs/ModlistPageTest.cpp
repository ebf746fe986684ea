// The "Modlist editor" page: each game's own mod list file.
#include <gtest/gtest.h>

#include "FileUtils.h"
#include "SettingsFixture.h"

namespace {
class TModlistPageTest : public TSettingsTest {
protected:
  void SetUp() override {
    TSettingsTest::SetUp();
    Options->WriteInteger("Asetukset", "Aloitus", 1);
    MakeDirs(Root + "Quake\\ctf");
    MakeDirs(Root + "Quake\\mymod");
    MakeDirs(Root + "Quake\\zmod");
    Games->WriteString("quake", "Sijainti", Root + "Quake\\");
    Games->WriteString("sin", "Sijainti", Root + "gone\\");
  }
  TForm3& Open(const std::string& game) {
    TForm3& form = Dialog();
    form.FormShow();
    form.Page->SetActivePage(form.ModlistEditor);
    form.L3->SetItemIndex(form.L3->Items.IndexOf(game));
    form.L3Click(form.L3);
    return form;
  }
  std::string ListFile(const std::string& game) { return App + "modlist\\" + game + ".txt"; }
  void Select(TForm3& form, std::initializer_list<int> rows) {
    for (int i = 0; i < form.Modit->Items.Count(); ++i) form.Modit->SetSelected(i, false);
    for (int i : rows) form.Modit->SetSelected(i, true);
  }
};
}  // namespace

TEST_F(TModlistPageTest, AddKeepsTheFileBytesAndItsLineEndings) {
  MakeDirs(App + "modlist");
  WriteTextFile(ListFile("quake"), "mymod\nother");
  TForm3& form = Open("quake");
  ASSERT_EQ(form.Modit->Items.Count(), 2);
  EXPECT_TRUE(form.SpeedButton14->Enabled);
  Answer(mrOk, "  newmod  ");
  form.SpeedButton12Click(form.SpeedButton12);
  EXPECT_EQ(ReadTextFile(ListFile("quake")), "mymod\nother\nnewmod");
  EXPECT_EQ(Prompts.back(), "Add|add modification directory name (example cstrike)");
}

TEST_F(TModlistPageTest, RefusedNames) {
  TForm3& form = Open("quake");
  Answer(mrOk, "mymod");
  form.SpeedButton12Click(nullptr);
  ASSERT_EQ(ReadTextFile(ListFile("quake")), "mymod\r\n");
  // Listed in another case: refused, the file not touched.
  DeleteFileA(ListFile("quake").c_str());
  Answer(mrOk, "MYMOD");
  form.SpeedButton12Click(nullptr);
  EXPECT_EQ(Prompts.back(), "Information|Modification directory is already exists");
  EXPECT_FALSE(FileExists(ListFile("quake")));
  // Blanks only: nothing written.
  Answer(mrOk, "   ");
  form.SpeedButton12Click(nullptr);
  EXPECT_FALSE(FileExists(ListFile("quake")));
  // A known mod: the message, and the list written unchanged.
  Answer(mrOk, "ctf");
  form.SpeedButton12Click(nullptr);
  EXPECT_EQ(Prompts.back(), "Information|Modification directory is already exists");
  EXPECT_EQ(ReadTextFile(ListFile("quake")), "mymod\r\n");
  // Names that leave the game's folder.
  for (const char* outside : {"..\\..\\windows", "a\\b", "c:mod", ".."}) {
    Answer(mrOk, outside);
    form.SpeedButton12Click(nullptr);
    EXPECT_EQ(form.Modit->Items.Count(), 1) << outside;
  }
  EXPECT_EQ(ReadTextFile(ListFile("quake")), "mymod\r\n");
}

TEST_F(TModlistPageTest, ModifyAndRemove) {
  MakeDirs(App + "modlist");
  WriteTextFile(ListFile("quake"), "a\r\nb\r\nc\r\nd\r\n");
  TForm3& form = Open("quake");
  Select(form, {1});
  Answer(mrOk, "b");
  form.SpeedButton15Click(nullptr);
  EXPECT_EQ(Prompts.back(), "Information|Modification directory is already exists");
  Answer(mrOk, " bee ");
  form.SpeedButton15Click(nullptr);
  EXPECT_EQ(ReadTextFile(ListFile("quake")), "a\r\nbee\r\nc\r\nd\r\n");
  Select(form, {0, 2});
  Answer(mrNo);
  form.SpeedButton13Click(nullptr);
  EXPECT_EQ(form.Modit->Items.Count(), 4);
  Answer(mrYes);
  form.SpeedButton13Click(nullptr);
  EXPECT_EQ(Prompts.back(), "Confirm|Confirm remove?");
  EXPECT_EQ(ReadTextFile(ListFile("quake")), "bee\r\nd\r\n");
}

TEST_F(TModlistPageTest, FolderPickingFollowsTheGameFolder) {
  TForm3& form = Open("sin");
  EXPECT_FALSE(form.SpeedButton14->Enabled);
  form.PopupMenu2Popup(nullptr);
  EXPECT_FALSE(form.AddDirsItem->Enabled);
  EXPECT_TRUE(form.AddDirItem->Enabled);
  form.lisaamod("sin", "fromscan");
  form.lisaamod("sin", "FROMSCAN");
  EXPECT_EQ(ReadTextFile(ListFile("sin")), "fromscan\r\n");
}
