// The "Half-Life manager" page: map cycles gathered from the maps folder and
// PAK archives, shuffled, counted and saved; liblist.gam keys edited.
#include <gtest/gtest.h>

#include <algorithm>

#include "settings_fixture.h"
#include "MapPicker.h"
#include "../support/pakfile.h"

namespace {
class THalfLifePageTest : public TSettingsTest {
protected:
  void SetUp() override {
    TSettingsTest::SetUp();
    Options->WriteInteger("Asetukset", "Aloitus", 1);
    Mod = Root + "Half-Life\\tfc\\";
    MakeDirs(Mod + "maps");
    MakeDirs(Root + "Half-Life\\valve");
    Games->WriteString("half-life", "Sijainti", Root + "Half-Life");
  }
  TSettingsDialog& Open() {
    TSettingsDialog& form = Dialog();
    form.FormShow();
    form.Page->SetActivePage(form.HalfLifeManager);
    form.HalfLifeModList->SetItemIndex(form.HalfLifeModList->Items.IndexOf("tfc"));
    form.HalfLifeModListClick(form.HalfLifeModList);
    return form;
  }
  std::vector<std::string> Cycle(TSettingsDialog& form) { return SplitLines(form.MapCycleMemo->Text()); }
  std::string Mod;
};
}  // namespace

TEST_F(THalfLifePageTest, ModsCycleAndCount) {
  WriteTextFile(Mod + "mapcycle.txt", "// cycle\n\n2fort\n  // old\nwell\n");
  TSettingsDialog& form = Open();
  EXPECT_EQ(form.HalfLifeModList->Items.Count(), 2);
  EXPECT_EQ(form.MapCountLabel->Caption(), "2 maps");
  // Saved untouched: the same bytes.
  form.SaveMapCycleButtonClick(nullptr);
  EXPECT_EQ(ReadTextFile(Mod + "mapcycle.txt"), "// cycle\n\n2fort\n  // old\nwell\n");
}

TEST_F(THalfLifePageTest, AddAllAndSmartAddFromPaksAndTheMapsFolder) {
  WriteTextFile(Mod + "mapcycle.txt", "WELL\r\n");
  WritePak(Mod + "pak0.pak", {"maps/ctf_forest.bsp", "sound/x.wav", "maps/well.bsp", "maps/rock2.bsp"});
  WriteTextFile(Mod + "pak1.pak", "not a pak at all, but long enough for a header");
  for (const char* m : {"2fort_ctf.bsp", "rock2.bsp", "hunted.bsp"}) WriteTextFile(Mod + "maps\\" + m, "");
  TSettingsDialog& form = Open();
  TMapPicker picker(nullptr, form.Handle());
  form.GatherMaps(picker);
  std::vector<std::string> gathered = picker.ItemCheckList->Items.ToStringList().Items();
  EXPECT_EQ(gathered, (std::vector<std::string>{"ctf_forest", "well", "rock2", "2fort_ctf", "hunted"}));

  Answer(mrOk, " CTF ");
  form.SmartAddButtonClick(nullptr);
  EXPECT_EQ(Cycle(form), (std::vector<std::string>{"WELL", "ctf_forest", "2fort_ctf"}));
  form.AddAllMapsButtonClick(nullptr);
  EXPECT_EQ(Cycle(form), (std::vector<std::string>{"WELL", "ctf_forest", "2fort_ctf", "rock2", "hunted"}));
  EXPECT_EQ(form.MapCountLabel->Caption(), "5 maps");
  form.SaveMapCycleButtonClick(nullptr);
  EXPECT_EQ(ReadTextFile(Mod + "mapcycle.txt"), "WELL\r\nctf_forest\r\n2fort_ctf\r\nrock2\r\nhunted\r\n");
}

TEST_F(THalfLifePageTest, RandomizeShufflesWithoutSavingAndClearAsks) {
  std::string text;
  for (int i = 0; i < 30; ++i) text += "map" + std::to_string(i) + "\r\n";
  WriteTextFile(Mod + "mapcycle.txt", text);
  TSettingsDialog& form = Open();
  std::vector<std::string> before = Cycle(form);
  form.RandomizeMapsButtonClick(nullptr);
  std::vector<std::string> after = Cycle(form);
  EXPECT_NE(after, before);
  std::sort(after.begin(), after.end());
  std::sort(before.begin(), before.end());
  EXPECT_EQ(after, before);
  EXPECT_EQ(ReadTextFile(Mod + "mapcycle.txt"), text);

  Answer(mrNo);
  form.ClearMapCycleButtonClick(nullptr);
  EXPECT_EQ(Prompts.back(), "Confirm|Confirm clear mapcycle?");
  EXPECT_EQ(ReadTextFile(Mod + "mapcycle.txt"), text);
  Answer(mrYes);
  form.ClearMapCycleButtonClick(nullptr);
  EXPECT_EQ(ReadTextFile(Mod + "mapcycle.txt"), "");
  EXPECT_EQ(form.MapCountLabel->Caption(), "0 maps");
}

TEST_F(THalfLifePageTest, LiblistKeysEditedWithOtherLinesKept) {
  WriteTextFile(Mod + "liblist.gam", "// Team Fortress\nGAME \"TFC\"\ngamedll \"dlls\\tfc.dll\"\nfoo bar\n");
  TSettingsDialog& form = Open();
  form.HalfLifeEditorPages->SetActivePage(form.Liblist);
  form.LiblistKeyCombo->SetItemIndex(0);
  form.LiblistKeyComboChange(form.LiblistKeyCombo);
  EXPECT_EQ(form.LiblistValueEdit->Text(), "TFC");
  EXPECT_EQ(form.LiblistValueEdit->Hint, "The name of the mod");
  form.LiblistValueEdit->SetText("Team Fortress Classic");
  form.LiblistKeyCombo->SetItemIndex(3);  // "version "
  form.LiblistKeyComboChange(form.LiblistKeyCombo);
  form.LiblistValueEdit->SetText("1.5");
  form.SaveLiblistButtonClick(nullptr);
  EXPECT_EQ(ReadTextFile(Mod + "liblist.gam"),
            "// Team Fortress\ngame \"Team Fortress Classic\"\ngamedll \"dlls\\tfc.dll\"\nfoo bar\nversion \"1.5\"\n");
}

TEST_F(THalfLifePageTest, UnsavedEditsAreOfferedBeforeLeavingThePage) {
  WriteTextFile(Mod + "mapcycle.txt", "a\n");
  TSettingsDialog& form = Open();
  form.MapCycleMemo->SetText("a\nb");
  Answer(mrCancel);
  EXPECT_FALSE(form.OfferToSaveEditors());
  Answer(mrYes);
  EXPECT_TRUE(form.OfferToSaveEditors());
  EXPECT_EQ(ReadTextFile(Mod + "mapcycle.txt"), "a\nb\n");
  EXPECT_TRUE(form.OfferToSaveEditors());  // nothing left to ask
  EXPECT_EQ(Prompts.size(), 2u);

  // Closing the dialog asks too; Cancel keeps it open.
  form.MapCycleMemo->SetText("c");
  Answer(mrCancel);
  form.CancelButtonClick(form.CancelButton);
  EXPECT_EQ(form.ModalResult, 0);
  Answer(mrNo);
  form.CancelButtonClick(form.CancelButton);
  EXPECT_EQ(form.ModalResult, mrCancel);
  EXPECT_EQ(ReadTextFile(Mod + "mapcycle.txt"), "a\nb\n");
  EXPECT_EQ(Prompts.back(), "Confirm|Save changes to " + Mod + "mapcycle.txt?");
}
