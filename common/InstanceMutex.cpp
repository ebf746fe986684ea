// The launcher's single-instance mutex.
#include "InstanceMutex.h"

#include "Handles.h"
#include "SysUtils.h"

std::string MutexNameFor(const std::string& exePath) {
  std::string name = ExtractFileName(exePath);
  if (name.find(".EXE") != std::string::npos) name.resize(name.size() - 4);
  return name;
}

bool LauncherRunning(const std::string& exePath) {
  return bool(TKernelHandle(OpenMutexA(SYNCHRONIZE, FALSE, MutexNameFor(exePath).c_str())));
}
