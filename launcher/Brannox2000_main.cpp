// The launcher's entry point.
#include "Brannox2000.h"

#include "Forms.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  LoadLibrariesFromSystemFolder();
  try {
    return LauncherMain();
  } catch (const std::exception& e) {
    Application().HandleException(e);
    return 1;
  }
}
