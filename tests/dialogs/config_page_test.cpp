// The "Config manager" page: config files of the mod folders, binds, key
// maps, new and deleted files.
#include <gtest/gtest.h>

#include <memory>

#include "FileUtils.h"
#include "Forms.h"
#include "settings_fixture.h"
#include "../support/RealInput.h"

#include <windows.h>

namespace {
class TConfigPageTest : public TSettingsTest {
protected:
  void SetUp() override {
    TSettingsTest::SetUp();
    Options->WriteInteger("Asetukset", "Aloitus", 1);
    Mod = Root + "Half-Life\\cstrike\\";
    MakeDirs(Mod);
    MakeDirs(Root + "Half-Life\\valve");
    MakeDirs(Root + "Sin\\base");
    Games->WriteString("half-life", "Sijainti", Root + "Half-Life");
    Games->WriteString("sin", "Sijainti", Root + "Sin\\");
    Games->WriteString("quake", "Sijainti", Root + "missing");
  }
  TSettingsDialog& Open(const std::string& game, const std::string& mod) {
    TSettingsDialog& form = Dialog();
    form.FormShow();
    form.Page->SetActivePage(form.ConfigManager);
    form.ConfigGameCombo->SetItemIndex(form.ConfigGameCombo->Items.IndexOf(game));
    form.ConfigGameComboChange(form.ConfigGameCombo);
    form.ConfigModFolderList->SetItemIndex(form.ConfigModFolderList->Items.IndexOf(mod));
    form.ConfigModFolderListClick(form.ConfigModFolderList);
    return form;
  }
  std::string Mod;
};

// Fills in the "Add bind" dialog once it is up (key, command) and presses
// OK; the caller removes the returned timer.
UINT_PTR AnswerAddBind(const std::string& key, const std::string& command) {
  auto done = std::make_shared<bool>(false);
  return Application().AddTimer(
      [key, command, done] {
        HWND dialog = FindWindowA(nullptr, "Add bind");
        if (*done || !dialog || !IsWindowVisible(dialog)) return;
        HWND edit1 = FindWindowExA(dialog, nullptr, "Edit", nullptr);
        HWND edit2 = FindWindowExA(dialog, edit1, "Edit", nullptr);
        SetWindowTextA(edit1, key.c_str());
        SetWindowTextA(edit2, command.c_str());
        // Done first, as the click runs the loop where this ticks again; not
        // done when the click could not go in, so the next tick tries again.
        *done = true;
        *done = ClickWithMouse(FindWindowExA(dialog, nullptr, "Button", "OK"));
      },
      20);
}
}  // namespace

TEST_F(TConfigPageTest, OpensConfigCfgFirstAndSavesTheSameBytes) {
  WriteTextFile(Mod + "autoexec.cfg", "echo hi\n");
  WriteTextFile(Mod + "CONFIG.CFG", "name \"player\"\nunbindall\nbind \"w\" \"+forward\"\n");
  TSettingsDialog& form = Open("half-life", "cstrike");
  EXPECT_EQ(form.ConfigGameCombo->Items.Count(), 2);  // the game whose folder is missing is not offered
  EXPECT_EQ(form.ConfigFileCombo->Text(), "CONFIG.CFG");
  form.SaveConfigButtonClick(nullptr);
  EXPECT_EQ(ReadTextFile(Mod + "CONFIG.CFG"), "name \"player\"\nunbindall\nbind \"w\" \"+forward\"\n");
  form.ConfigMemo->SetText(form.ConfigMemo->Text() + "\r\nbind \"s\" \"+back\"");
  form.SaveConfigButtonClick(nullptr);
  EXPECT_EQ(ReadTextFile(Mod + "CONFIG.CFG"),
            "name \"player\"\nunbindall\nbind \"w\" \"+forward\"\nbind \"s\" \"+back\"\n");

  const std::string keymap = Root + "keys.txt";
  Answer(mrOk, keymap);
  form.CreateKeymapButtonClick(nullptr);
  EXPECT_EQ(ReadTextFile(keymap), "w +forward\r\ns +back\r\n");
}

TEST_F(TConfigPageTest, NewConfigFilesStayInTheModFolder) {
  WriteTextFile(Mod + "config.cfg", "keep me\r\n");
  TSettingsDialog& form = Open("half-life", "cstrike");
  Answer(mrOk, " game ");
  form.NewConfigButtonClick(nullptr);
  EXPECT_TRUE(FileExists(Mod + "game.cfg"));
  EXPECT_EQ(ReadTextFile(Mod + "game.cfg"), "");
  EXPECT_EQ(form.ConfigFileCombo->Text(), "game.cfg");
  // An existing name opens the file instead of overwriting it.
  Answer(mrOk, "CONFIG");
  form.NewConfigButtonClick(nullptr);
  EXPECT_EQ(ReadTextFile(Mod + "config.cfg"), "keep me\r\n");
  EXPECT_EQ(form.ConfigMemo->Text(), "keep me");
  for (const char* outside : {"..\\evil", "..\\..\\x", "c:\\boot", "a/b"}) {
    Answer(mrOk, outside);
    form.NewConfigButtonClick(nullptr);
    EXPECT_EQ(Prompts.back().rfind("Warning|", 0), 0u) << outside;
  }
  EXPECT_FALSE(FileExists(Root + "Half-Life\\evil.cfg"));
  EXPECT_EQ(form.ConfigFileCombo->Items.Count(), 2);
}

TEST_F(TConfigPageTest, DeleteAsksAndDeletesOnlyThatFile) {
  WriteTextFile(Mod + "config.cfg", "a\r\n");
  WriteTextFile(Mod + "other.cfg", "b\r\n");
  TSettingsDialog& form = Open("half-life", "cstrike");
  Answer(mrNo);
  form.DeleteConfigButtonClick(nullptr);
  EXPECT_EQ(Prompts.back(),
            "Confirm|Confirm delete " + Root + "Half-Life\\cstrike\\config.cfg file ?");
  EXPECT_TRUE(FileExists(Mod + "config.cfg"));
  Answer(mrYes);
  form.DeleteConfigButtonClick(nullptr);
  EXPECT_FALSE(FileExists(Mod + "config.cfg"));
  EXPECT_TRUE(FileExists(Mod + "other.cfg"));
  EXPECT_EQ(form.ConfigFileCombo->Text(), "other.cfg");
}

TEST_F(TConfigPageTest, DriveRootStyleFolderAndUnquotedBinds) {
  WriteTextFile(Root + "Sin\\base\\config.cfg", "");
  TSettingsDialog& form = Open("sin", "base");
  UINT_PTR timer = AnswerAddBind("w", "+forward");
  form.AddBindButtonClick(nullptr);
  Application().RemoveTimer(timer);
  EXPECT_EQ(form.ConfigMemo->Text(), "bind w \"+forward\"");
  form.SaveConfigButtonClick(nullptr);
  EXPECT_EQ(ReadTextFile(Root + "Sin\\base\\config.cfg"), "bind w \"+forward\"\r\n");
  Answer(mrYes);
  form.DeleteConfigButtonClick(nullptr);
  // The confirmation always inserts its backslash.
  EXPECT_EQ(Prompts.back(), "Confirm|Confirm delete " + Root + "Sin\\\\base\\config.cfg file ?");
  EXPECT_FALSE(FileExists(Root + "Sin\\base\\config.cfg"));
}

TEST_F(TConfigPageTest, UnsavedTextIsOfferedOnLeavingThePage) {
  WriteTextFile(Mod + "config.cfg", "a\n");
  TSettingsDialog& form = Open("half-life", "cstrike");
  form.ConfigMemo->SetText("a\r\nb");
  Answer(mrNo);
  EXPECT_TRUE(form.OfferToSaveEditors());
  EXPECT_EQ(Prompts.back(), "Confirm|Save changes to " + Mod + "config.cfg?");
  EXPECT_EQ(ReadTextFile(Mod + "config.cfg"), "a\n");
}

// The frame asks before another page shows and before the dialog closes;
// Cancel keeps the page and the dialog, No lets both go without saving.
TEST_F(TConfigPageTest, TheFrameOffersUnsavedTextBeforeAnotherPageAndTheClose) {
  WriteTextFile(Mod + "config.cfg", "a\n");
  TSettingsDialog& form = Open("half-life", "cstrike");
  form.ConfigMemo->SetText("a\r\nb");
  ASSERT_TRUE(form.Page->OnChanging);
  ASSERT_TRUE(form.OnCloseQuery);
  const size_t asked = Prompts.size();
  Answer(mrCancel);
  bool allow = true;
  form.Page->OnChanging(form.Page, allow);
  EXPECT_FALSE(allow);
  ASSERT_EQ(Prompts.size(), asked + 1);
  EXPECT_EQ(Prompts.back(), "Confirm|Save changes to " + Mod + "config.cfg?");
  Answer(mrCancel);
  bool canClose = true;
  form.OnCloseQuery(&form, canClose);
  EXPECT_FALSE(canClose);
  EXPECT_EQ(Prompts.size(), asked + 2);
  Answer(mrNo);
  form.OnCloseQuery(&form, canClose);
  EXPECT_TRUE(canClose);
  EXPECT_EQ(ReadTextFile(Mod + "config.cfg"), "a\n");
}

TEST_F(TConfigPageTest, AFailedSaveLeavesTheOldFile) {
  WriteTextFile(Mod + "config.cfg", "old\r\n");
  TSettingsDialog& form = Open("half-life", "cstrike");
  form.ConfigMemo->SetText("new");
  // Another program holds the file open without sharing it.
  HANDLE locked = CreateFileA((Mod + "config.cfg").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(locked, INVALID_HANDLE_VALUE);
  EXPECT_ANY_THROW(form.SaveConfigButtonClick(nullptr));
  CloseHandle(locked);
  EXPECT_EQ(ReadTextFile(Mod + "config.cfg"), "old\r\n");
  EXPECT_EQ(form.ConfigMemo->Text(), "new");  // the text on screen stays
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((Mod + "*").c_str(), &found);
  int files = 0;
  for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found))
    files += (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? 0 : 1;
  FindClose(search);
  EXPECT_EQ(files, 1);  // no temporary file left behind
}

// Each button of the page shows its whole caption: the caption, in the
// font the button draws with, fits inside its frame, also with larger fonts.
TEST_F(TConfigPageTest, TheButtonsShowTheirWholeCaptions) {
  TSettingsDialog& form = Open("half-life", "cstrike");
  form.Show();
  for (TButton* button : {form.SaveConfigButton, form.NewConfigButton, form.DeleteConfigButton, form.AddBindButton,
                          form.CreateKeymapButton}) {
    HWND wnd = button->Handle();
    HDC dc = GetDC(wnd);
    HGDIOBJ old = SelectObject(dc, HGDIOBJ(SendMessageA(wnd, WM_GETFONT, 0, 0)));
    const std::string caption = button->Caption();
    SIZE text{};
    GetTextExtentPoint32A(dc, caption.data(), int(caption.size()), &text);
    SelectObject(dc, old);
    ReleaseDC(wnd, dc);
    RECT client{};
    GetClientRect(wnd, &client);
    // The frame and the focus rectangle take a few pixels on each side; the
    // text has room to spare for fonts a quarter larger (120 dots per inch).
    const int room = client.right - 2 * (GetSystemMetrics(SM_CXEDGE) + 2);
    EXPECT_LE(text.cx * 5 / 4, room) << caption;
  }
}
