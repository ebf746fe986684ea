// Modal prompts: message boxes and message dialogs. Every prompt goes
// through RunPrompt, so that tests can answer it: in-process through
// SetPromptHook, or for a whole program run through the environment variable
// BX_PROMPT_SCRIPT, which names a file of answers, one a line ("OK", "Cancel",
// "Yes", "No", "YesToAll", "NoToAll", "All", "Abort", "Retry", "Ignore" or a
// number); each prompt is logged to that file name plus ".log" as
// "caption<TAB>text<TAB>answer" (line breaks in the text written as \n), and a
// prompt with no answer left takes its default button. A prompt that answers
// with text (a file or folder name, an input box's value) takes it from the
// rest of the script's line after the word and a blank ("OK C:\games\quake").
#pragma once
#include <cstdint>
#include <functional>
#include <string>

// Answers; the first seven equal Windows' IDOK .. IDNO.
enum TModalResult : int {
  mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5, mrYes = 6, mrNo = 7,
  mrAll = 8, mrNoToAll = 9, mrYesToAll = 10,
};

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum TMsgDlgBtn : uint32_t {
  mbYes = 1, mbNo = 2, mbOK = 4, mbCancel = 8, mbAbort = 16, mbRetry = 32, mbIgnore = 64,
  mbAll = 128, mbNoToAll = 256, mbYesToAll = 512, mbHelp = 1024,
};
using TMsgDlgButtons = uint32_t;
constexpr TMsgDlgButtons mbYesNo = mbYes | mbNo, mbYesNoCancel = mbYes | mbNo | mbCancel,
                         mbOKCancel = mbOK | mbCancel;

struct TPromptRequest {
  std::string Caption;
  std::string Text;
  TMsgDlgButtons Buttons = mbOK;
  TModalResult Default = mrOk;  // the answer of the focused button
  // Set for a prompt that answers with text: it holds the starting text, and
  // a hook or the script puts the answer there (not owned).
  std::string* Value = nullptr;
};

using TPromptHook = std::function<int(const TPromptRequest&)>;
void SetPromptHook(TPromptHook hook);  // an empty hook ends scripting

// Asks the hook, then the script; else shows the prompt with show().
int RunPrompt(const TPromptRequest& request, const std::function<int()>& show);

// The application's title, the caption of ShowMessage.
const std::string& ApplicationTitle();
void SetApplicationTitle(const std::string& title);

// Windows' MessageBox with its MB_ flags, owned by the active window.
int MessageBoxPrompt(const std::string& text, const std::string& caption, unsigned flags);
// A message dialog captioned by its type ("Warning", "Error", "Information",
// "Confirm"); button sets that Windows' message box lacks (the "to all"
// answers) are shown by the dialog set with SetCustomMessageDialog.
int MessageDlg(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons);
void ShowMessage(const std::string& text);
void SetCustomMessageDialog(std::function<int(const TPromptRequest&, TMsgDlgType)> dialog);
