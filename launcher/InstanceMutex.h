// The launcher's single-instance mutex: its name, and whether a launcher
// holds it (the skin editor asks before it starts one).
#pragma once
#include <string>

#include "Handles.h"
#include "SysUtils.h"

// The mutex name for an executable path: its file name, less the last four
// characters when it holds ".EXE" in capitals.
inline std::string MutexNameFor(const std::string& exePath) {
  std::string name = ExtractFileName(exePath);
  if (name.find(".EXE") != std::string::npos) name.resize(name.size() - 4);
  return name;
}

// Whether a launcher of that executable's name runs, so that starting it
// now would only be refused.
inline bool LauncherRunning(const std::string& exePath) {
  return bool(TKernelHandle(OpenMutexA(SYNCHRONIZE, FALSE, MutexNameFor(exePath).c_str())));
}
