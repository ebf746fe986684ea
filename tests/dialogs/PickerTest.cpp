// The small pickers under Wine: "Add bind", the two check-list pickers and
// the mod folder picker; what enables OK and what the tag reports.
// The class library's headers come before windows.h (its colour macros).
#include "DialogCaption.h"
#include "EntryDialogFixture.h"
#include "GradCap.h"
#include "Unit10.h"
#include "Unit11.h"
#include "Unit5.h"
#include "Unit8.h"

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
    TForm8 skin(nullptr, nullptr);
    TGradientCaption* bar = CaptionBarOf(skin);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->ColorLeftActive, clGreen) << "the skin's unselected colour on the left";
    EXPECT_EQ(bar->ColorRightActive, clLime);
  }
  options.WriteBool("Asetukset", "usercolors", true);
  options.WriteString("Asetukset", "customcolor", "clRed");
  options.WriteString("Asetukset", "customcolor2", "not a colour");
  {
    TForm10 custom(nullptr, nullptr);
    TGradientCaption* bar = CaptionBarOf(custom);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->ColorRightActive, clRed);
    EXPECT_EQ(bar->ColorLeftActive, TColor(0x001A91D6)) << "an unreadable colour takes the default";
  }
  options.WriteBool("Asetukset", "Colorcap", false);
  {
    TForm5 plain(nullptr, nullptr);
    EXPECT_EQ(CaptionBarOf(plain), nullptr);
  }
  SetCaptionSource({});
  DeleteFileA(file.c_str());
}

TEST(AddBind, OkNeedsBothFieldsAndEnterConfirms) {
  TForm10 form(nullptr, nullptr);
  EXPECT_EQ(form.Caption(), "Add bind");
  int result = RunModal(form, [&] {
    EXPECT_TRUE(form.Edit1->Focused());
    form.Edit1->SetText("   ");
    form.Edit2->SetText("+attack");
    EXPECT_FALSE(IsWindowEnabled(form.BitBtn1->Handle())) << "a key of blanks only";
    form.Edit1->SetText("MOUSE1");
    EXPECT_TRUE(IsWindowEnabled(form.BitBtn1->Handle()));
    form.Edit2->SetText("");
    EXPECT_FALSE(IsWindowEnabled(form.BitBtn1->Handle()));
    form.Edit2->SetText("+attack");
    SetForegroundWindow(form.Handle());
    form.Edit2->SetFocus();
    PressKey(VK_RETURN);
  });
  EXPECT_EQ(result, mrOk);
  EXPECT_EQ(form.Tag, 1);
  EXPECT_EQ(form.Edit1->Text(), "MOUSE1");

  TForm10 cancelled(nullptr, nullptr);
  EXPECT_EQ(RunModal(cancelled, [&] { cancelled.Close(); }), mrCancel);
  EXPECT_EQ(cancelled.Tag, 0) << "closing by the frame counts as Cancel";
}

TEST(CheckListPickers, OkFollowsTheChecksAndDoubleClickToggles) {
  TForm8 folders(nullptr, nullptr);
  EXPECT_EQ(folders.Caption(), "Select mod directories");
  EXPECT_EQ(folders.F1->FileType, unsigned(ftDirectory));
  TForm11 maps(nullptr, nullptr);
  EXPECT_EQ(maps.Caption(), "Select maps");
  EXPECT_EQ(maps.F1->Mask, "*.bsp");
  EXPECT_FALSE(maps.LB1->Visible());
  EXPECT_EQ(maps.Pak->ResourceType, ptMaps);

  for (TCheckListPicker* picker : {static_cast<TCheckListPicker*>(&folders), static_cast<TCheckListPicker*>(&maps)}) {
    SCOPED_TRACE(picker->Caption());
    for (const char* item : {"ctf", "dm6", "start"}) picker->L1->Items.Add(item);
    int result = RunModal(*picker, [&] {
      EXPECT_FALSE(IsWindowEnabled(picker->BitBtn2->Handle()));
      picker->L1DblClick(picker->L1);  // nothing selected: nothing happens
      EXPECT_FALSE(picker->L1->Checked(0));
      picker->L1->SetItemIndex(1);
      picker->L1DblClick(picker->L1);
      EXPECT_TRUE(picker->L1->Checked(1));
      EXPECT_TRUE(IsWindowEnabled(picker->BitBtn2->Handle()));
      picker->L1DblClick(picker->L1);
      EXPECT_FALSE(IsWindowEnabled(picker->BitBtn2->Handle())) << "the last check taken away";
      picker->L1->SetChecked(2, true);
      picker->L1ClickCheck(picker->L1);
      picker->L1->SetChecked(0, true);
      picker->L1ClickCheck(picker->L1);
      Press(picker->BitBtn2);
    });
    EXPECT_EQ(result, mrOk);
    EXPECT_EQ(picker->Tag, 1);
    EXPECT_EQ(picker->CheckedItems(), (std::vector<std::string>{"ctf", "start"}));
  }
}

TEST(CheckListPickers, CancelGivesTagZero) {
  TForm11 maps(nullptr, nullptr);
  maps.L1->Items.Add("e1m1");
  EXPECT_EQ(RunModal(maps, [&] {
              maps.L1->SetChecked(0, true);
              maps.L1ClickCheck(maps.L1);
              Press(maps.BitBtn1);
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
  TForm5 form(nullptr, nullptr);
  EXPECT_EQ(form.Caption(), "Select Mod directory");
  form.ListFolders(game, "ctf");
  ASSERT_EQ(form.L1->Items.Count(), 3);
  EXPECT_EQ(form.L1->Items[0], "Ctf");
  EXPECT_EQ(form.Selected(), "Ctf");
  int result = RunModal(form, [&] {
    EXPECT_FALSE(IsWindowEnabled(form.BitBtn1->Handle())) << "OK waits for a click";
    HoldForLooking("BX_SHOW_ENTRY");
    form.L1->SetItemIndex(2);
    form.L1Click(form.L1);
    EXPECT_TRUE(IsWindowEnabled(form.BitBtn1->Handle()));
    Press(form.BitBtn1);
  });
  EXPECT_EQ(result, mrOk);
  EXPECT_EQ(form.Selected(), "zz");
  RemoveTree(game);
}
