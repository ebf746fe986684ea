// The small pickers under Wine: "Add bind", the two check-list pickers and
// the mod folder picker; what enables OK and what the tag reports.
// The class library's headers come before windows.h (its colour macros).
#include "DialogCaption.h"
#include "entry_dialog_fixture.h"
#include "GradCap.h"
#include "AddBindDialog.h"
#include "MapPicker.h"
#include "ModFolderPicker.h"
#include "ModlistFolderPicker.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace {
TGradientCaption* CaptionBarOf(const TComponent& form) {
  for (int i = 0; i < form.ComponentCount(); ++i)
    if (auto* bar = dynamic_cast<TGradientCaption*>(form.Components(i))) return bar;
  return nullptr;
}
}  // namespace

TEST(CaptionBar, ColouredByTheOptionsOrTheSkinAndOffWithColorcap) {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  std::string file = std::string(temp) + "bx_caption_options.ini";
  DeleteFileA(file.c_str());
  TIniFile options(file);
  SetCaptionSource({&options, [] { return std::pair<TColor, TColor>(clLime, clGreen); }});
  {
    TModlistFolderPicker skin(nullptr, nullptr);
    TGradientCaption* bar = CaptionBarOf(skin);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->ColorLeftActive, clGreen) << "the skin's unselected colour on the left";
    EXPECT_EQ(bar->ColorRightActive, clLime);
  }
  options.WriteBool("Asetukset", "usercolors", true);
  options.WriteString("Asetukset", "customcolor", "clRed");
  options.WriteString("Asetukset", "customcolor2", "not a colour");
  {
    TAddBindDialog custom(nullptr, nullptr);
    TGradientCaption* bar = CaptionBarOf(custom);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->ColorRightActive, clRed);
    EXPECT_EQ(bar->ColorLeftActive, TColor(0x001A91D6)) << "an unreadable colour takes the default";
  }
  options.WriteBool("Asetukset", "Colorcap", false);
  {
    TModFolderPicker plain(nullptr, nullptr);
    EXPECT_EQ(CaptionBarOf(plain), nullptr);
  }
  SetCaptionSource({});
  DeleteFileA(file.c_str());
}

TEST(AddBind, OkNeedsBothFieldsAndEnterConfirms) {
  TAddBindDialog form(nullptr, nullptr);
  EXPECT_EQ(form.Caption(), "Add bind");
  int result = RunModal(form, [&] {
    EXPECT_TRUE(form.KeyEdit->Focused());
    form.KeyEdit->SetText("   ");
    form.CommandEdit->SetText("+attack");
    EXPECT_FALSE(IsWindowEnabled(form.OKButton->Handle())) << "a key of blanks only";
    form.KeyEdit->SetText("MOUSE1");
    EXPECT_TRUE(IsWindowEnabled(form.OKButton->Handle()));
    form.CommandEdit->SetText("");
    EXPECT_FALSE(IsWindowEnabled(form.OKButton->Handle()));
    form.CommandEdit->SetText("+attack");
    SetForegroundWindow(form.Handle());
    form.CommandEdit->SetFocus();
    PressKey(VK_RETURN);
  });
  EXPECT_EQ(result, mrOk);
  EXPECT_EQ(form.Tag, 1);
  EXPECT_EQ(form.KeyEdit->Text(), "MOUSE1");

  TAddBindDialog cancelled(nullptr, nullptr);
  EXPECT_EQ(RunModal(cancelled, [&] { cancelled.Close(); }), mrCancel);
  EXPECT_EQ(cancelled.Tag, 0) << "closing by the frame counts as Cancel";
}

TEST(CheckListPickers, OkFollowsTheChecksAndDoubleClickToggles) {
  TModlistFolderPicker folders(nullptr, nullptr);
  EXPECT_EQ(folders.Caption(), "Select mod directories");
  EXPECT_EQ(folders.FolderListBox->FileType, unsigned(ftDirectory));
  TMapPicker maps(nullptr, nullptr);
  EXPECT_EQ(maps.Caption(), "Select maps");
  EXPECT_EQ(maps.MapFileList->Mask, "*.bsp");
  EXPECT_FALSE(maps.PackageMapList->Visible());
  EXPECT_EQ(maps.MapPackageReader->ResourceType, ptMaps);

  for (TCheckListPicker* picker : {static_cast<TCheckListPicker*>(&folders), static_cast<TCheckListPicker*>(&maps)}) {
    SCOPED_TRACE(picker->Caption());
    for (const char* item : {"ctf", "dm6", "start"}) picker->ItemCheckList->Items.Add(item);
    int result = RunModal(*picker, [&] {
      EXPECT_FALSE(IsWindowEnabled(picker->OKButton->Handle()));
      picker->ItemCheckListDblClick(picker->ItemCheckList);  // nothing selected: nothing happens
      EXPECT_FALSE(picker->ItemCheckList->Checked(0));
      picker->ItemCheckList->SetItemIndex(1);
      picker->ItemCheckListDblClick(picker->ItemCheckList);
      EXPECT_TRUE(picker->ItemCheckList->Checked(1));
      EXPECT_TRUE(IsWindowEnabled(picker->OKButton->Handle()));
      picker->ItemCheckListDblClick(picker->ItemCheckList);
      EXPECT_FALSE(IsWindowEnabled(picker->OKButton->Handle())) << "the last check taken away";
      picker->ItemCheckList->SetChecked(2, true);
      picker->ItemCheckListClickCheck(picker->ItemCheckList);
      picker->ItemCheckList->SetChecked(0, true);
      picker->ItemCheckListClickCheck(picker->ItemCheckList);
      Press(picker->OKButton);
    });
    EXPECT_EQ(result, mrOk);
    EXPECT_EQ(picker->Tag, 1);
    EXPECT_EQ(picker->CheckedItems(), (std::vector<std::string>{"ctf", "start"}));
  }
}

TEST(CheckListPickers, CancelGivesTagZero) {
  TMapPicker maps(nullptr, nullptr);
  maps.ItemCheckList->Items.Add("e1m1");
  EXPECT_EQ(RunModal(maps, [&] {
              maps.ItemCheckList->SetChecked(0, true);
              maps.ItemCheckListClickCheck(maps.ItemCheckList);
              Press(maps.CancelButton);
            }),
            mrCancel);
  EXPECT_EQ(maps.Tag, 0);
}

TEST(ModFolderPicker, ListsTheSubFoldersAndSelectsTheNamedOne) {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  std::string game = std::string(temp) + "bx_form5_game";
  RemoveTree(game);
  for (const char* d : {"", "\\valve", "\\Ctf", "\\zz"}) MakeDirs(game + d);
  WriteTextFile(game + "\\hl.exe", "x");
  TModFolderPicker form(nullptr, nullptr);
  EXPECT_EQ(form.Caption(), "Select Mod directory");
  form.ListFolders(game, "ctf");
  ASSERT_EQ(form.FolderList->Items.Count(), 3);
  EXPECT_EQ(form.FolderList->Items[0], "Ctf");
  EXPECT_EQ(form.Selected(), "Ctf");
  int result = RunModal(form, [&] {
    EXPECT_FALSE(IsWindowEnabled(form.OKButton->Handle())) << "OK waits for a click";
    HoldForLooking("BX_SHOW_ENTRY");
    form.FolderList->SetItemIndex(2);
    form.FolderListClick(form.FolderList);
    EXPECT_TRUE(IsWindowEnabled(form.OKButton->Handle()));
    Press(form.OKButton);
  });
  EXPECT_EQ(result, mrOk);
  EXPECT_EQ(form.Selected(), "zz");
  RemoveTree(game);
}
