#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <fstream>

#include "Dialogs.h"

TEST(Prompts, HookAnswersAndSeesTheRequest) {
  std::vector<TPromptRequest> seen;
  SetPromptHook([&](const TPromptRequest& r) {
    seen.push_back(r);
    return seen.size() == 1 ? mrNo : mrYesToAll;
  });
  SetApplicationTitle("Brannox 2000");
  EXPECT_EQ(MessageDlg("Confirm remove?", mtConfirmation, mbYesNo), mrNo);
  EXPECT_EQ(MessageDlg("Overwrite?", mtConfirmation, mbYes | mbNo | mbNoToAll | mbYesToAll), mrYesToAll);
  ShowMessage("Mod not found.");
  MessageBoxPrompt("Brannox is already running", "Brannox 2000", MB_OK | MB_ICONERROR);
  SetPromptHook(nullptr);
  ASSERT_EQ(seen.size(), 4u);
  EXPECT_EQ(seen[0].Caption, "Confirm");
  EXPECT_EQ(seen[0].Buttons, mbYesNo);
  EXPECT_EQ(seen[0].Default, mrYes);
  EXPECT_EQ(seen[2].Caption, "Brannox 2000");
  EXPECT_EQ(seen[2].Text, "Mod not found.");
  EXPECT_EQ(seen[3].Buttons, mbOK);
}

TEST(Prompts, ScriptFileAnswersInOrderAndLogs) {
  char dir[MAX_PATH];
  GetTempPathA(MAX_PATH, dir);
  std::string script = std::string(dir) + "bx_prompts.txt";
  DeleteFileA((script + ".log").c_str());
  std::ofstream(script) << "No\nYes\n";
  SetEnvironmentVariableA("BX_PROMPT_SCRIPT", script.c_str());
  _putenv_s("BX_PROMPT_SCRIPT", script.c_str());
  EXPECT_EQ(MessageBoxPrompt("First?", "Q", MB_YESNO), IDNO);
  EXPECT_EQ(MessageDlg("Second\nline", mtWarning, mbYesNo), mrYes);
  // No answer left: the default button.
  EXPECT_EQ(MessageBoxPrompt("Third?", "Q", MB_YESNO | MB_DEFBUTTON2), IDNO);
  _putenv_s("BX_PROMPT_SCRIPT", "");
  std::ifstream log(script + ".log");
  std::string all((std::istreambuf_iterator<char>(log)), {});
  EXPECT_EQ(all, "Q\tFirst?\t7\nWarning\tSecond\\nline\t6\nQ\tThird?\t7\n");
}
