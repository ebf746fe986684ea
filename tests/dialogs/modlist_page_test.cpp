// The "Modlist editor" page: each game's own mod list file.
#include <gtest/gtest.h>

#include "FileUtils.h"
#include "settings_fixture.h"

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
  TSettingsDialog& Open(const std::string& game) {
    TSettingsDialog& form = Dialog();
    form.FormShow();
    form.Page->SetActivePage(form.ModlistEditor);
    form.ModListGameList->SetItemIndex(form.ModListGameList->Items.IndexOf(game));
    form.ModListGameListClick(form.ModListGameList);
    return form;
  }
  std::string ListFile(const std::string& game) { return App + "modlist\\" + game + ".txt"; }
  void Select(TSettingsDialog& form, std::initializer_list<int> rows) {
    for (int i = 0; i < form.ModFolderList->Items.Count(); ++i) form.ModFolderList->SetSelected(i, false);
    for (int i : rows) form.ModFolderList->SetSelected(i, true);
  }
};
}  // namespace

TEST_F(TModlistPageTest, AddKeepsTheFileBytesAndItsLineEndings) {
  MakeDirs(App + "modlist");
  WriteTextFile(ListFile("quake"), "mymod\nother");
  TSettingsDialog& form = Open("quake");
  ASSERT_EQ(form.ModFolderList->Items.Count(), 2);
  EXPECT_TRUE(form.AddModFoldersButton->Enabled);
  Answer(mrOk, "  newmod  ");
  form.AddModFolderButtonClick(form.AddModFolderButton);
  EXPECT_EQ(ReadTextFile(ListFile("quake")), "mymod\nother\nnewmod");
  EXPECT_EQ(Prompts.back(), "Add|add modification directory name (example cstrike)");
}

TEST_F(TModlistPageTest, RefusedNames) {
  TSettingsDialog& form = Open("quake");
  Answer(mrOk, "mymod");
  form.AddModFolderButtonClick(nullptr);
  ASSERT_EQ(ReadTextFile(ListFile("quake")), "mymod\r\n");
  // Listed in another case: refused, the file not touched.
  DeleteFileA(ListFile("quake").c_str());
  Answer(mrOk, "MYMOD");
  form.AddModFolderButtonClick(nullptr);
  EXPECT_EQ(Prompts.back(), "Information|Modification directory is already exists");
  EXPECT_FALSE(FileExists(ListFile("quake")));
  // Blanks only: nothing written.
  Answer(mrOk, "   ");
  form.AddModFolderButtonClick(nullptr);
  EXPECT_FALSE(FileExists(ListFile("quake")));
  // A known mod: the message, and the list written unchanged.
  Answer(mrOk, "ctf");
  form.AddModFolderButtonClick(nullptr);
  EXPECT_EQ(Prompts.back(), "Information|Modification directory is already exists");
  EXPECT_EQ(ReadTextFile(ListFile("quake")), "mymod\r\n");
  // Names that leave the game's folder.
  for (const char* outside : {"..\\..\\windows", "a\\b", "c:mod", ".."}) {
    Answer(mrOk, outside);
    form.AddModFolderButtonClick(nullptr);
    EXPECT_EQ(form.ModFolderList->Items.Count(), 1) << outside;
  }
  EXPECT_EQ(ReadTextFile(ListFile("quake")), "mymod\r\n");
}

TEST_F(TModlistPageTest, ModifyAndRemove) {
  MakeDirs(App + "modlist");
  WriteTextFile(ListFile("quake"), "a\r\nb\r\nc\r\nd\r\n");
  TSettingsDialog& form = Open("quake");
  Select(form, {1});
  Answer(mrOk, "b");
  form.ModifyModFolderButtonClick(nullptr);
  EXPECT_EQ(Prompts.back(), "Information|Modification directory is already exists");
  Answer(mrOk, " bee ");
  form.ModifyModFolderButtonClick(nullptr);
  EXPECT_EQ(ReadTextFile(ListFile("quake")), "a\r\nbee\r\nc\r\nd\r\n");
  Select(form, {0, 2});
  Answer(mrNo);
  form.RemoveModFolderButtonClick(nullptr);
  EXPECT_EQ(form.ModFolderList->Items.Count(), 4);
  Answer(mrYes);
  form.RemoveModFolderButtonClick(nullptr);
  EXPECT_EQ(Prompts.back(), "Confirm|Confirm remove?");
  EXPECT_EQ(ReadTextFile(ListFile("quake")), "bee\r\nd\r\n");
}

TEST_F(TModlistPageTest, FolderPickingFollowsTheGameFolder) {
  TSettingsDialog& form = Open("sin");
  EXPECT_FALSE(form.AddModFoldersButton->Enabled);
  form.ModFolderMenuPopup(nullptr);
  EXPECT_FALSE(form.AddDirsItem->Enabled);
  EXPECT_TRUE(form.AddDirItem->Enabled);
  form.AddFolderToModList("sin", "fromscan");
  form.AddFolderToModList("sin", "FROMSCAN");
  EXPECT_EQ(ReadTextFile(ListFile("sin")), "fromscan\r\n");
}
