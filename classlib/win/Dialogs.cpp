// Prompts and their test seams.
#include "Dialogs.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "SysUtils.h"
#include "TestSeams.h"

namespace {
TPromptHook& Hook() {
  static TPromptHook hook;
  return hook;
}

std::function<int(const TPromptRequest&, TMsgDlgType)>& CustomDialog() {
  static std::function<int(const TPromptRequest&, TMsgDlgType)> dialog;
  return dialog;
}

std::string& Title() {
  static std::string title;
  return title;
}

int ParseAnswer(const std::string& word, int def) {
  static const struct {
    const char* name;
    int value;
  } names[] = {{"OK", mrOk},       {"Cancel", mrCancel}, {"Abort", mrAbort},         {"Retry", mrRetry},
               {"Ignore", mrIgnore}, {"Yes", mrYes},     {"No", mrNo},               {"All", mrAll},
               {"NoToAll", mrNoToAll}, {"YesToAll", mrYesToAll}};
  std::string w = Trim(word);
  for (const auto& n : names)
    if (SameText(w, n.name)) return n.value;
  return StrToIntDef(w, def);
}

// The script's answers are consumed in order, across the whole process.
int ScriptedAnswer(const char* script, const TPromptRequest& r) {
  static size_t used = 0;
  int answer = r.Default;
  if (std::FILE* f = std::fopen(script, "rb")) {
    char line[256];
    size_t n = 0;
    while (std::fgets(line, sizeof line, f)) {
      if (n++ == used) {
        // The answer word, then after a blank the text of a text prompt.
        std::string text = line;
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
        text.erase(0, std::min(text.size(), text.find_first_not_of(" \t")));
        size_t blank = text.find_first_of(" \t");
        answer = ParseAnswer(text.substr(0, blank), r.Default);
        if (r.Value && blank != std::string::npos) *r.Value = text.substr(blank + 1);
        break;
      }
    }
    std::fclose(f);
    ++used;
  }
  std::string text;
  for (char c : r.Text) text += c == '\n' ? std::string("\\n") : c == '\r' ? std::string() : std::string(1, c);
  if (std::FILE* log = std::fopen((std::string(script) + ".log").c_str(), "ab")) {
    std::fprintf(log, "%s\t%s\t%d\n", r.Caption.c_str(), text.c_str(), answer);
    std::fclose(log);
  }
  return answer;
}

HWND Owner() { return GetActiveWindow(); }
}  // namespace

void SetPromptHook(TPromptHook hook) { Hook() = std::move(hook); }

int RunPrompt(const TPromptRequest& request, const std::function<int()>& show) {
  if (Hook()) return Hook()(request);
  if (const char* script = PromptScriptFile()) return ScriptedAnswer(script, request);
  return show();
}

const std::string& ApplicationTitle() { return Title(); }
void SetApplicationTitle(const std::string& title) { Title() = title; }

int MessageBoxPrompt(const std::string& text, const std::string& caption, unsigned flags) {
  TPromptRequest r;
  r.Caption = caption;
  r.Text = text;
  unsigned kind = flags & MB_TYPEMASK;
  static const struct {
    unsigned kind;
    TMsgDlgButtons buttons;
    TModalResult first, second, third;
  } kinds[] = {
      {MB_OK, mbOK, mrOk, mrOk, mrOk},
      {MB_OKCANCEL, mbOKCancel, mrOk, mrCancel, mrCancel},
      {MB_ABORTRETRYIGNORE, mbAbort | mbRetry | mbIgnore, mrAbort, mrRetry, mrIgnore},
      {MB_YESNOCANCEL, mbYesNoCancel, mrYes, mrNo, mrCancel},
      {MB_YESNO, mbYesNo, mrYes, mrNo, mrNo},
      {MB_RETRYCANCEL, mbRetry | mbCancel, mrRetry, mrCancel, mrCancel},
  };
  for (const auto& k : kinds)
    if (k.kind == kind) {
      r.Buttons = k.buttons;
      unsigned def = flags & MB_DEFMASK;
      r.Default = def == MB_DEFBUTTON2 ? k.second : def == MB_DEFBUTTON3 ? k.third : k.first;
    }
  return RunPrompt(r, [&] { return MessageBoxA(Owner(), text.c_str(), caption.c_str(), flags); });
}

void SetCustomMessageDialog(std::function<int(const TPromptRequest&, TMsgDlgType)> dialog) {
  CustomDialog() = std::move(dialog);
}

int MessageDlg(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons) {
  static const char* const captions[] = {"Warning", "Error", "Information", "Confirm", ""};
  static const UINT icons[] = {MB_ICONWARNING, MB_ICONERROR, MB_ICONINFORMATION, MB_ICONQUESTION, 0};
  TPromptRequest r;
  r.Caption = type == mtCustom ? ApplicationTitle() : captions[type];
  r.Text = text;
  r.Buttons = buttons;
  // The focused button: OK, else Yes, else the first there is.
  r.Default = (buttons & mbOK) ? mrOk : (buttons & mbYes) ? mrYes : (buttons & mbAbort) ? mrAbort
            : (buttons & mbRetry) ? mrRetry : (buttons & mbNo) ? mrNo : mrCancel;
  return RunPrompt(r, [&]() -> int {
    if ((buttons & (mbAll | mbNoToAll | mbYesToAll)) && CustomDialog()) return CustomDialog()(r, type);
    UINT kind = MB_OK;
    if ((buttons & mbYes) && (buttons & mbNo)) kind = (buttons & mbCancel) ? MB_YESNOCANCEL : MB_YESNO;
    else if (buttons & mbAbort) kind = MB_ABORTRETRYIGNORE;
    else if ((buttons & mbRetry) && (buttons & mbCancel)) kind = MB_RETRYCANCEL;
    else if ((buttons & mbOK) && (buttons & mbCancel)) kind = MB_OKCANCEL;
    return MessageBoxA(Owner(), text.c_str(), r.Caption.c_str(), kind | icons[type] | MB_TASKMODAL);
  });
}

void ShowMessage(const std::string& text) {
  TPromptRequest r;
  r.Caption = ApplicationTitle();
  r.Text = text;
  RunPrompt(r, [&] { return MessageBoxA(Owner(), text.c_str(), ApplicationTitle().c_str(), MB_OK); });
}
