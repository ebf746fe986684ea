// The common dialogs and the input box through the prompt seam, and the
// input box's own window answered by keys.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "CommonDialogs.h"
#include "Dialogs.h"
#include "StdCtrlsForm.h"

TEST(CommonDialogs, TheHookAnswersWithTextOrCancels) {
  std::vector<TPromptRequest> seen;
  std::vector<std::pair<int, std::string>> answers = {
      {mrOk, "C:\\games\\quake\\id1\\autoexec.cfg"}, {mrCancel, "ignored"}, {mrOk, "C:\\Games\\Half-Life"},
      {mrOk, "cstrike"}, {mrCancel, ""}};
  SetPromptHook([&](const TPromptRequest& r) {
    seen.push_back(r);
    auto [result, text] = answers.at(seen.size() - 1);
    seen.back().Text += "|" + (r.Value ? *r.Value : std::string("<none>"));
    if (r.Value) *r.Value = text;
    return result;
  });
  TOpenDialog open(nullptr);
  open.Filter = "*.cfg|*.cfg";
  open.FileName = "config.cfg";
  EXPECT_TRUE(open.Execute());
  EXPECT_EQ(open.FileName, "C:\\games\\quake\\id1\\autoexec.cfg");
  TSaveDialog save(nullptr);
  save.Title = "Create keymap";
  save.FileName = "keys.txt";
  EXPECT_FALSE(save.Execute());
  EXPECT_EQ(save.FileName, "keys.txt") << "a cancelled dialog keeps the name";
  std::string folder = "C:\\old";
  EXPECT_TRUE(SelectDirectory("Game location:", folder));
  EXPECT_EQ(folder, "C:\\Games\\Half-Life");
  std::string name;
  EXPECT_TRUE(InputQuery("Add", "add modification directory name (example cstrike)", name));
  EXPECT_EQ(name, "cstrike");
  EXPECT_EQ(InputBox("New parameter", "Type your parameter:", "quake -game %s"), "quake -game %s");
  SetPromptHook(nullptr);
  ASSERT_EQ(seen.size(), 5u);
  EXPECT_EQ(seen[0].Caption, "Open");
  EXPECT_EQ(seen[0].Text, "*.cfg|*.cfg|config.cfg");
  EXPECT_EQ(seen[1].Caption, "Create keymap");
  EXPECT_EQ(seen[2].Text, "Game location:|C:\\old");
  EXPECT_EQ(seen[3].Caption, "Add");
  EXPECT_EQ(seen[3].Text, "add modification directory name (example cstrike)|");
  EXPECT_EQ(seen[4].Text, "Type your parameter:|quake -game %s");
}

TEST(CommonDialogs, TheScriptGivesTextAfterTheAnswerWord) {
  char dir[MAX_PATH];
  GetTempPathA(MAX_PATH, dir);
  std::string script = std::string(dir) + "bx_comdlg_prompts.txt";
  DeleteFileA((script + ".log").c_str());
  std::ofstream(script) << "OK C:\\Program Files\\sounds\\my click.wav\r\nCancel\nOK\n";
  _putenv_s("BX_PROMPT_SCRIPT", script.c_str());
  TOpenDialog open(nullptr);
  open.Filter = "*.wav|*.wav";
  EXPECT_TRUE(open.Execute());
  EXPECT_EQ(open.FileName, "C:\\Program Files\\sounds\\my click.wav");
  std::string folder = "C:\\keep";
  EXPECT_FALSE(SelectDirectory("Select skin folder:", folder));
  EXPECT_EQ(folder, "C:\\keep");
  // OK without text keeps the starting text.
  EXPECT_EQ(InputBox("Modify", "Game name:", "Quake"), "Quake");
  // No answer left: file dialogs cancel, the input box takes its OK.
  open.FileName = "x.wav";
  EXPECT_FALSE(open.Execute());
  EXPECT_EQ(InputBox("Smart add", "Type in the part of the map name?", "ctf"), "ctf");
  _putenv_s("BX_PROMPT_SCRIPT", "");
  std::ifstream log(script + ".log");
  std::string all((std::istreambuf_iterator<char>(log)), {});
  EXPECT_EQ(all, "Open\t*.wav|*.wav\t1\nBrowse for Folder\tSelect skin folder:\t2\nModify\tGame name:\t1\n"
                 "Open\t*.wav|*.wav\t2\nSmart add\tType in the part of the map name?\t1\n");
}

namespace {
// Types into the input box once it is up, then presses finish.
std::pair<bool, std::string> AnswerInputBox(const std::string& typed, WORD finish) {
  std::string value = "old";
  int ticks = 0;
  UINT_PTR timer = Application().AddTimer(
      [&] {
        HWND box = FindWindowA("TInputForm", "Rename");
        if (!box || !IsWindowVisible(box)) return;
        ++ticks;
        if (ticks == 3) {
          SetForegroundWindow(box);
          for (char c : typed) PressKey(WORD(VkKeyScanA(c) & 0xFF));
          PressKey(finish);
        }
        if (ticks > 100) PostMessageA(box, WM_CLOSE, 0, 0);
      },
      20);
  bool ok = InputQuery("Rename", "New name:", value);
  Application().RemoveTimer(timer);
  return {ok, value};
}
}  // namespace

TEST(InputBox, TypedTextAndEnterAnswerOkAndEscCancels) {
  auto [ok, value] = AnswerInputBox("ctf", VK_RETURN);
  EXPECT_TRUE(ok);
  EXPECT_EQ(value, "ctf") << "the starting text is selected, so typing replaces it";
  auto [ok2, value2] = AnswerInputBox("xyz", VK_ESCAPE);
  EXPECT_FALSE(ok2);
  EXPECT_EQ(value2, "old");
}
