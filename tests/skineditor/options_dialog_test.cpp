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
#include "Unit3.h"
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
    TForm3 form(nullptr, ini);
    EXPECT_TRUE(form.R1->Checked());
    EXPECT_FALSE(form.Edit1->Enabled);
    EXPECT_FALSE(form.S1->Enabled);
    EXPECT_EQ(form.Edit1->Text(), "");
  }
  {
    TIniFile f(ini);
    f.WriteInteger(kOptionsSection, kFolderModeKey, 7);  // any non-zero value is custom
    f.WriteString(kOptionsSection, kCustomFolderKey, "C:\\My skins");
  }
  TForm3 form(nullptr, ini);
  EXPECT_TRUE(form.R2->Checked());
  EXPECT_FALSE(form.R1->Checked());
  EXPECT_TRUE(form.Edit1->Enabled);
  EXPECT_TRUE(IsWindowEnabled(form.S1->Handle()));
  EXPECT_EQ(form.Edit1->Text(), "C:\\My skins");
}

TEST(OptionsDialog, OkWritesTheFolderAlsoInDefaultMode) {
  std::string ini = TempIni("bx_options_ok.ini");
  TForm3 form(nullptr, ini);
  int result = RunModal(form, [&] {
    Press(form.R2);
    EXPECT_TRUE(IsWindowEnabled(form.Edit1->Handle()));
    form.Edit1->SetText("D:\\not there yet");
    Press(form.R1);
    EXPECT_FALSE(IsWindowEnabled(form.Edit1->Handle()));
    Press(form.BitBtn1);
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
  TForm3 form(nullptr, ini);
  int result = RunModal(form, [&] {
    Press(form.R2);
    Press(form.S1);
    EXPECT_EQ(form.Edit1->Text(), "C:\\Chosen");
    Press(form.BitBtn2);
  });
  SetPromptHook(nullptr);
  EXPECT_EQ(result, mrCancel);
  EXPECT_NE(caption.find("Select skin folder:"), std::string::npos);
  EXPECT_EQ(GetFileAttributesA(ini.c_str()), INVALID_FILE_ATTRIBUTES) << "Cancel wrote options.ini";

  TForm3 again(nullptr, ini);
  EXPECT_EQ(RunModal(again, [&] { Press(again.R2); Press(again.BitBtn1); }), mrOk);
  TIniFile f(ini);
  EXPECT_EQ(f.ReadInteger(kOptionsSection, kFolderModeKey, -1), 1);
  EXPECT_EQ(f.ReadString(kOptionsSection, kCustomFolderKey, "?"), "");
}
