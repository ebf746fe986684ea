// The editor's "Options" dialog under Wine: its start state from options.ini,
// the radio buttons' effect on the custom folder, the folder browser, and
// what OK and Cancel write.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "Dialogs.h"
#include "Forms.h"
#include "IniFiles.h"
#include "../support/ModalSteps.h"
#include "EditorOptionsDialog.h"
#include "skinoptions.h"

namespace {
std::string TempIni(const char* name) {
  char dir[MAX_PATH];
  GetTempPathA(MAX_PATH, dir);
  std::string file = std::string(dir) + name;
  DeleteFileA(file.c_str());
  return file;
}

}  // namespace

TEST(OptionsDialog, StartsFromTheStoredModeAndFolder) {
  std::string ini = TempIni("bx_options_start.ini");
  {
    TEditorOptionsDialog form(nullptr, ini);
    EXPECT_TRUE(form.DefaultFolderRadio->Checked());
    EXPECT_FALSE(form.CustomFolderEdit->Enabled);
    EXPECT_FALSE(form.BrowseButton->Enabled);
    EXPECT_EQ(form.CustomFolderEdit->Text(), "");
  }
  {
    TIniFile f(ini);
    f.WriteInteger(kOptionsSection, kFolderModeKey, 7);  // any non-zero value is custom
    f.WriteString(kOptionsSection, kCustomFolderKey, "C:\\My skins");
  }
  TEditorOptionsDialog form(nullptr, ini);
  EXPECT_TRUE(form.CustomFolderRadio->Checked());
  EXPECT_FALSE(form.DefaultFolderRadio->Checked());
  EXPECT_TRUE(form.CustomFolderEdit->Enabled);
  EXPECT_TRUE(IsWindowEnabled(form.BrowseButton->Handle()));
  EXPECT_EQ(form.CustomFolderEdit->Text(), "C:\\My skins");
}

TEST(OptionsDialog, OkWritesTheFolderAlsoInDefaultMode) {
  std::string ini = TempIni("bx_options_ok.ini");
  TEditorOptionsDialog form(nullptr, ini);
  int result = RunModal(form, [&] {
    Press(form.CustomFolderRadio);
    EXPECT_TRUE(IsWindowEnabled(form.CustomFolderEdit->Handle()));
    form.CustomFolderEdit->SetText("D:\\not there yet");
    Press(form.DefaultFolderRadio);
    EXPECT_FALSE(IsWindowEnabled(form.CustomFolderEdit->Handle()));
    Press(form.OkButton);
  });
  EXPECT_EQ(result, mrOk);
  TIniFile f(ini);
  EXPECT_EQ(f.ReadInteger(kOptionsSection, kFolderModeKey, -1), 0);
  EXPECT_EQ(f.ReadString(kOptionsSection, kCustomFolderKey, "?"), "D:\\not there yet");
}

TEST(OptionsDialog, BrowseFillsTheFolderAndCancelWritesNothing) {
  std::string ini = TempIni("bx_options_cancel.ini");
  std::string caption;
  SetPromptHook([&](const TPromptRequest& r) {
    caption = r.Text;
    if (r.Value) *r.Value = "C:\\Chosen";
    return int(mrOk);
  });
  TEditorOptionsDialog form(nullptr, ini);
  int result = RunModal(form, [&] {
    Press(form.CustomFolderRadio);
    Press(form.BrowseButton);
    EXPECT_EQ(form.CustomFolderEdit->Text(), "C:\\Chosen");
    Press(form.CancelButton);
  });
  SetPromptHook(nullptr);
  EXPECT_EQ(result, mrCancel);
  EXPECT_NE(caption.find("Select skin folder:"), std::string::npos);
  EXPECT_EQ(GetFileAttributesA(ini.c_str()), INVALID_FILE_ATTRIBUTES) << "Cancel wrote options.ini";

  TEditorOptionsDialog again(nullptr, ini);
  EXPECT_EQ(RunModal(again, [&] { Press(again.CustomFolderRadio); Press(again.OkButton); }), mrOk);
  TIniFile f(ini);
  EXPECT_EQ(f.ReadInteger(kOptionsSection, kFolderModeKey, -1), 1);
  EXPECT_EQ(f.ReadString(kOptionsSection, kCustomFolderKey, "?"), "");
}
