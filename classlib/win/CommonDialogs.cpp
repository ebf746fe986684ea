// The common dialogs and the input box.
#include "CommonDialogs.h"

// The class library's headers come before windows.h (its colour macros).
#include "DialogForm.h"
#include "Dialogs.h"
#include "ExtCtrls.h"
#include "StdCtrls.h"

#include <commdlg.h>
#include <shlobj.h>

#include <vector>

namespace {
// A text prompt through the seam: the hook or the script may answer it; with
// neither, show(answer) shows the real dialog, which puts its answer there.
bool RunTextPrompt(const std::string& caption, const std::string& text, TModalResult def, std::string& value,
                   const std::function<bool(std::string& answer)>& show) {
  TPromptRequest r;
  r.Caption = caption;
  r.Text = text;
  r.Buttons = mbOKCancel;
  r.Default = def;
  std::string answer = value;
  r.Value = &answer;
  int result = RunPrompt(r, [&] { return show(answer) ? mrOk : mrCancel; });
  if (result != mrOk) return false;
  value = answer;
  return true;
}

// "a|b|c|d" as the dialog takes it: "a\0b\0c\0d\0\0".
std::string FilterText(const std::string& filter) {
  std::string s = filter;
  for (char& c : s)
    if (c == '|') c = '\0';
  s.append(2, '\0');
  return s;
}

HWND ActiveOwner() { return GetActiveWindow(); }
}  // namespace

// --- TOpenDialog

bool TOpenDialog::Execute() {
  const char* caption = IsSaveDialog() ? "Save As" : "Open";
  return RunTextPrompt(Title.empty() ? caption : Title, Filter, mrCancel, FileName, [&](std::string& answer) {
    std::vector<char> buffer(32768, '\0');
    FileName.copy(buffer.data(), buffer.size() - 1);
    std::string filter = FilterText(Filter);
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = ActiveOwner();
    ofn.lpstrFilter = Filter.empty() ? nullptr : filter.c_str();
    ofn.nFilterIndex = DWORD(FilterIndex);
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = DWORD(buffer.size());
    ofn.lpstrInitialDir = InitialDir.empty() ? nullptr : InitialDir.c_str();
    ofn.lpstrTitle = Title.empty() ? nullptr : Title.c_str();
    ofn.lpstrDefExt = DefaultExt.empty() ? nullptr : DefaultExt.c_str();
    // The working folder stays where it is: the programs build paths from it.
    ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (Options & ofOverwritePrompt) ofn.Flags |= OFN_OVERWRITEPROMPT;
    if (Options & ofFileMustExist) ofn.Flags |= OFN_FILEMUSTEXIST;
    if (Options & ofPathMustExist) ofn.Flags |= OFN_PATHMUSTEXIST;
    BOOL ok = IsSaveDialog() ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn);
    if (!ok) return false;
    answer = buffer.data();
    FilterIndex = int(ofn.nFilterIndex);
    return true;
  });
}

// --- SelectDirectory

namespace {
int CALLBACK BrowseStart(HWND wnd, UINT msg, LPARAM, LPARAM start) {
  if (msg == BFFM_INITIALIZED && start) SendMessageA(wnd, BFFM_SETSELECTIONA, TRUE, start);
  return 0;
}
}  // namespace

bool SelectDirectory(const std::string& caption, std::string& directory) {
  return RunTextPrompt("Browse for Folder", caption, mrCancel, directory, [&](std::string& answer) {
    BROWSEINFOA bi{};
    char name[MAX_PATH] = "";
    bi.hwndOwner = ActiveOwner();
    bi.pszDisplayName = name;
    bi.lpszTitle = caption.c_str();
    bi.ulFlags = BIF_RETURNONLYFSDIRS;
    bi.lpfn = BrowseStart;
    bi.lParam = directory.empty() ? 0 : LPARAM(directory.c_str());
    LPITEMIDLIST list = SHBrowseForFolderA(&bi);
    if (!list) return false;
    char path[MAX_PATH] = "";
    bool ok = SHGetPathFromIDListA(list, path) != FALSE;
    CoTaskMemFree(list);
    if (ok) answer = path;
    return ok;
  });
}

// --- the input box

namespace {
class TInputForm : public TDialogForm {
public:
  TInputForm(const std::string& caption, const std::string& prompt, const std::string& value)
      : TDialogForm(nullptr, ActiveOwner()) {
    SetCaption(caption);
    Prompt = new TLabel(this);
    Prompt->SetCaption(prompt);
    Prompt->SetBounds(10, 10, 310, 16);
    Prompt->SetParent(this);
    Edit = new TEdit(this);
    Edit->SetText(value);
    Edit->SetBounds(10, 32, 310, 22);
    Edit->SetParent(this);
    AddButton("OK", mrOk, 164)->Default = true;
    AddButton("Cancel", mrCancel, 245)->Cancel = true;
    ActiveControl = Edit;
    SetClientSize(330, 110);
  }
  std::string ClassName() const override { return "TInputForm"; }
  TLabel* Prompt;  // owned by the form
  TEdit* Edit;     // owned by the form

private:
  TButton* AddButton(const char* caption, TModalResult result, int left) {
    auto* button = new TButton(this);
    button->SetCaption(caption);
    button->ModalResult = result;
    button->SetBounds(left, 72, 75, 25);
    button->SetParent(this);
    return button;
  }
};
}  // namespace

bool InputQuery(const std::string& caption, const std::string& prompt, std::string& value) {
  return RunTextPrompt(caption, prompt, mrOk, value, [&](std::string& answer) {
    TInputForm form(caption, prompt, value);
    SendMessageA(form.Edit->Handle(), EM_SETSEL, 0, -1);
    if (form.ShowModal() != mrOk) return false;
    answer = form.Edit->Text();
    return true;
  });
}

std::string InputBox(const std::string& caption, const std::string& prompt, const std::string& defaultValue) {
  std::string value = defaultValue;
  return InputQuery(caption, prompt, value) ? value : defaultValue;
}
