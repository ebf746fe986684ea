// The text editors of the Settings dialog with files they must not damage:
// files held open by a game, UTF-16 text, NUL bytes and other bytes that an
// edit window cannot show, last blank lines, read-only files. The dialog is on
// screen and driven by real keys and clicks.
#include <gtest/gtest.h>

#include <random>

#include "FileUtils.h"
#include "Forms.h"
#include "settings_fixture.h"
#include "../support/ModalSteps.h"

#include <windows.h>

namespace {
void Pump(int rounds = 10) {
  for (int i = 0; i < rounds; ++i) {
    Application().ProcessMessages();
    Sleep(10);
  }
}

void Key(WORD key) {
  PressKey(key);
  Pump();
}

// A game or server holding a file open and sharing nothing.
class THeldFile {
public:
  explicit THeldFile(const std::string& file)
      : FHandle(CreateFileA(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)) {}
  ~THeldFile() { Release(); }
  bool Held() const { return FHandle != INVALID_HANDLE_VALUE; }
  void Release() {
    if (Held()) CloseHandle(FHandle);
    FHandle = INVALID_HANDLE_VALUE;
  }

private:
  HANDLE FHandle;
};

std::string Utf16LE(const std::wstring& text) {
  std::string bytes = "\xFF\xFE";
  for (wchar_t c : text) {
    bytes += char(c & 0xFF);
    bytes += char((c >> 8) & 0xFF);
  }
  return bytes;
}

class TEditorFilesTest : public TSettingsTest {
protected:
  void SetUp() override {
    TSettingsTest::SetUp();
    Options->WriteInteger("Asetukset", "Aloitus", 1);
    HalfLife = Root + "Half-Life\\";
    for (const char* mod : {"brainbread", "vs"}) MakeDirs(HalfLife + mod);
    Games->WriteString("half-life", "Sijainti", Root + "Half-Life");
  }
  TSettingsDialog& Shown(TTabSheet* TSettingsDialog::*page) {
    TSettingsDialog& form = Dialog();
    form.FormShow();
    form.Show();
    form.Page->SetActivePage(form.*page);
    SetForegroundWindow(form.Handle());
    Pump();
    return form;
  }
  // Chooses a row of a list with the arrow keys, as the user does.
  void ChooseWithKeys(TListBox* list, int row) {
    SetForegroundWindow(Dialog().Handle());
    list->SetFocus();
    Pump();
    while (list->ItemIndex() != row) {
      const int before = list->ItemIndex();
      Key(before < row ? VK_DOWN : VK_UP);
      if (list->ItemIndex() == before) break;
    }
  }
  // The config manager on the mod's config files, the file chosen.
  TSettingsDialog& ConfigOpen(const std::string& mod, const std::string& file) {
    TSettingsDialog& form = Shown(&TSettingsDialog::ConfigManager);
    form.ConfigGameCombo->SetItemIndex(form.ConfigGameCombo->Items.IndexOf("half-life"));
    form.ConfigGameComboChange(form.ConfigGameCombo);
    form.ConfigModFolderList->SetItemIndex(form.ConfigModFolderList->Items.IndexOf(mod));
    form.ConfigModFolderListClick(form.ConfigModFolderList);
    form.ConfigFileCombo->SetItemIndex(form.ConfigFileCombo->Items.IndexOf(file));
    form.ConfigFileComboChange(form.ConfigFileCombo);
    return form;
  }
  void Save(TSettingsDialog& form) {
    Press(form.SaveConfigButton);
    Pump(3);
  }
  std::string HalfLife;
};
}  // namespace

// --- a file held open by a running game

TEST_F(TEditorFilesTest, AMapCycleThatCannotBeReadIsShownAsAFailureAndNothingOfTheLastModIsSaved) {
  WriteTextFile(HalfLife + "brainbread\\mapcycle.txt", "bb_chp3\r\nbb_lab\r\n");
  WriteTextFile(HalfLife + "brainbread\\liblist.gam", "game \"BrainBread\"\r\n");
  WriteTextFile(HalfLife + "vs\\mapcycle.txt", "vs_arena\r\n");
  WriteTextFile(HalfLife + "vs\\liblist.gam", "game \"Vampire Slayer\"\r\n");
  TSettingsDialog& form = Shown(&TSettingsDialog::HalfLifeManager);
  ChooseWithKeys(form.HalfLifeModList, 0);  // brainbread
  ASSERT_EQ(form.MapCycleMemo->Text(), "bb_chp3\r\nbb_lab");

  THeldFile held(HalfLife + "vs\\mapcycle.txt");
  ASSERT_TRUE(held.Held());
  ChooseWithKeys(form.HalfLifeModList, 1);  // vs, its map cycle held by the server
  ASSERT_EQ(form.HalfLifeModList->ItemIndex(), 1);
  ASSERT_FALSE(Prompts.empty());
  EXPECT_EQ(Prompts.back().rfind("Error|Cannot open file " + HalfLife + "vs\\mapcycle.txt", 0), 0u)
      << Prompts.back();
  EXPECT_EQ(form.MapCycleMemo->Text(), "") << "brainbread's cycle is still on screen";
  EXPECT_FALSE(form.MapCycleMemo->Enabled);
  EXPECT_FALSE(form.SaveMapCycleButton->Enabled) << "Save is offered for a file that was not read";
  EXPECT_EQ(form.LiblistMemo->Text(), "game \"Vampire Slayer\"") << "the liblist.gam that could be read is shown";
  Press(form.SaveMapCycleButton);
  const size_t asked = Prompts.size();
  EXPECT_TRUE(form.OfferToSaveEditors());
  EXPECT_EQ(Prompts.size(), asked) << "a save of the unread file was offered";
  held.Release();
  EXPECT_EQ(ReadTextFile(HalfLife + "vs\\mapcycle.txt"), "vs_arena\r\n");
  EXPECT_EQ(ReadTextFile(HalfLife + "brainbread\\mapcycle.txt"), "bb_chp3\r\nbb_lab\r\n");

  // Choosing the mod again once the file is free reads it, and edits count.
  ChooseWithKeys(form.HalfLifeModList, 0);
  ChooseWithKeys(form.HalfLifeModList, 1);
  EXPECT_EQ(form.MapCycleMemo->Text(), "vs_arena");
  EXPECT_TRUE(form.MapCycleMemo->Enabled);
  form.MapCycleMemo->SetFocus();
  Pump();
  Key(VK_END);
  Key('X');
  const size_t prompts = Prompts.size();
  Answer(mrYes);
  ChooseWithKeys(form.HalfLifeModList, 0);
  ASSERT_EQ(Prompts.size(), prompts + 1) << "the edit was not offered for saving";
  EXPECT_EQ(Prompts.back(), "Confirm|Save changes to " + HalfLife + "vs\\mapcycle.txt?");
  EXPECT_EQ(ReadTextFile(HalfLife + "vs\\mapcycle.txt"), "vs_arenax\r\n");
  EXPECT_EQ(form.MapCycleMemo->Text(), "bb_chp3\r\nbb_lab");
}

TEST_F(TEditorFilesTest, ALiblistThatCannotBeReadLeavesNoTextOfTheLastModToSave) {
  WriteTextFile(HalfLife + "brainbread\\liblist.gam", "game \"BrainBread\"\r\n");
  WriteTextFile(HalfLife + "vs\\liblist.gam", "game \"Vampire Slayer\"\r\n");
  TSettingsDialog& form = Shown(&TSettingsDialog::HalfLifeManager);
  form.HalfLifeEditorPages->SetActivePage(form.Liblist);
  ChooseWithKeys(form.HalfLifeModList, 0);
  ASSERT_EQ(form.LiblistValueEdit->Text(), "BrainBread");
  THeldFile held(HalfLife + "vs\\liblist.gam");
  ChooseWithKeys(form.HalfLifeModList, 1);
  EXPECT_EQ(form.LiblistMemo->Text(), "");
  EXPECT_FALSE(form.SaveLiblistButton->Enabled);
  EXPECT_FALSE(form.LiblistValueEdit->Enabled);
  Press(form.SaveLiblistButton);
  const size_t asked = Prompts.size();
  EXPECT_TRUE(form.OfferToSaveEditors());
  EXPECT_EQ(Prompts.size(), asked);
  held.Release();
  EXPECT_EQ(ReadTextFile(HalfLife + "vs\\liblist.gam"), "game \"Vampire Slayer\"\r\n");
}

// --- files that an edit window cannot show as they are

TEST_F(TEditorFilesTest, Utf16ConfigIsShownAndSavedAsUtf16) {
  const std::string bytes = Utf16LE(L"bind \"w\" \"+forward\"\r\nname \"Pl\u00e4yer\"\r\n");
  WriteTextFile(HalfLife + "vs\\config.cfg", bytes);
  TSettingsDialog& form = ConfigOpen("vs", "config.cfg");
  EXPECT_EQ(form.ConfigMemo->Text(), "bind \"w\" \"+forward\"\r\nname \"Pl\xe4yer\"");
  Save(form);
  EXPECT_EQ(ReadTextFile(HalfLife + "vs\\config.cfg"), bytes) << "a save without an edit changed the file";
  form.ConfigMemo->SetText(form.ConfigMemo->Text() + "\r\nbind \"s\" \"+back\"");
  Save(form);
  EXPECT_EQ(ReadTextFile(HalfLife + "vs\\config.cfg"),
            Utf16LE(L"bind \"w\" \"+forward\"\r\nname \"Pl\u00e4yer\"\r\nbind \"s\" \"+back\"\r\n"));
}

TEST_F(TEditorFilesTest, FilesThatCannotBeShownAreRefusedAndLeftWhole) {
  std::mt19937 random(27);
  std::string noise(4096, '\0');
  for (char& c : noise) c = char(random() & 0xFF);
  const std::pair<const char*, std::string> files[] = {
      {"zero.cfg", std::string("exec a.cfg\r\n\0hidden\r\n", 22)},
      {"noise.cfg", noise},
      {"chinese.cfg", Utf16LE(L"say \u4e2d\u6587\r\n")},
      {"odd.cfg", Utf16LE(L"bind x y") + "\x01"},
  };
  for (const auto& [name, bytes] : files) WriteTextFile(HalfLife + "vs\\" + name, bytes);
  WriteTextFile(HalfLife + "vs\\config.cfg", "echo fine\r\n");
  for (const auto& [name, bytes] : files) {
    SCOPED_TRACE(name);
    TSettingsDialog& form = ConfigOpen("vs", name);
    ASSERT_FALSE(Prompts.empty());
    EXPECT_EQ(Prompts.back().rfind("Error|Cannot edit " + HalfLife + "vs\\" + name + ": ", 0), 0u) << Prompts.back();
    EXPECT_EQ(form.ConfigMemo->Text(), "");
    EXPECT_FALSE(form.ConfigMemo->Enabled);
    EXPECT_FALSE(form.SaveConfigButton->Enabled);
    Save(form);
    const size_t asked = Prompts.size();
    EXPECT_TRUE(form.OfferToSaveEditors());
    EXPECT_EQ(Prompts.size(), asked);
    EXPECT_EQ(ReadTextFile(HalfLife + "vs\\" + name), bytes);
    CloseDialog();
  }
}

TEST_F(TEditorFilesTest, LastBlankLinesAndMixedLineBreaksSurviveASave) {
  const std::string mixed = "// cycle\r\n\r\nbb_chp3\nbb_lab\r\n\r\n\r\n";
  WriteTextFile(HalfLife + "vs\\mapcycle.txt", mixed);
  WriteTextFile(HalfLife + "vs\\config.cfg", "\r\n");
  TSettingsDialog& form = Shown(&TSettingsDialog::HalfLifeManager);
  ChooseWithKeys(form.HalfLifeModList, 1);
  Press(form.SaveMapCycleButton);
  EXPECT_EQ(ReadTextFile(HalfLife + "vs\\mapcycle.txt"), mixed);
  // A map typed at the end goes on the last, blank line; the one above stays.
  form.MapCycleMemo->SetText(form.MapCycleMemo->Text() + "vs_arena");
  Press(form.SaveMapCycleButton);
  EXPECT_EQ(ReadTextFile(HalfLife + "vs\\mapcycle.txt"), "// cycle\r\n\r\nbb_chp3\nbb_lab\r\n\r\nvs_arena\r\n");
  CloseDialog();

  TSettingsDialog& config = ConfigOpen("vs", "config.cfg");
  Save(config);
  EXPECT_EQ(ReadTextFile(HalfLife + "vs\\config.cfg"), "\r\n") << "a file of one blank line";
}

// --- read-only files

TEST_F(TEditorFilesTest, AReadOnlyFileIsReportedAndLeftAsItIs) {
  const std::string file = HalfLife + "vs\\config.cfg";
  WriteTextFile(file, "name \"old\"\r\n");
  SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_READONLY);
  TSettingsDialog& form = ConfigOpen("vs", "config.cfg");
  form.ConfigMemo->SetText("name \"new\"");
  Save(form);
  ASSERT_FALSE(Prompts.empty());
  EXPECT_NE(Prompts.back().find("Cannot save " + file + ": the file is read-only."), std::string::npos)
      << Prompts.back();
  EXPECT_EQ(ReadTextFile(file), "name \"old\"\r\n");
  EXPECT_NE(GetFileAttributesA(file.c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
  EXPECT_EQ(form.ConfigMemo->Text(), "name \"new\"") << "the text on screen stays";
  SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
}
