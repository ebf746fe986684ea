// The skin editor's program block.
#include "GraphicFormats.h"
#include "Dialogs.h"
#include "EditorWindow.h"

int EditorMain(const std::vector<std::string>& args) {
  // Every picture dialog of the editor reads the registered formats.
  RegisterGraphicFormats();
  TargaConvertQuery = [](const std::string& question) { return MessageDlg(question, mtWarning, mbOKCancel) == mrOk; };
  Application().Initialize();
  Application().SetTitle(kEditorTitle);
  char exe[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, exe, MAX_PATH);
  auto* form = new TEditorWindow(&Application(), ExtractFilePath(exe));
  Application().SetMainForm(form);
  form->FormCreate(args);
  Application().Run();
  return 0;
}
