// The skin editor's entry point.
#include "EditorWindow.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  LoadLibrariesFromSystemFolder();
  try {
    std::vector<std::string> args;
    for (int i = 1; i < __argc; ++i) args.emplace_back(__argv[i]);
    return EditorMain(args);
  } catch (const std::exception& e) {
    Application().HandleException(e);
    return 1;
  }
}
