// The launcher's single-instance mutex: its name, and whether a launcher
// holds it (the skin editor asks before it starts one).
#pragma once
#include <string>

// The mutex name for an executable path: its file name, less the last four
// characters when it holds ".EXE" in capitals.
std::string MutexNameFor(const std::string& exePath);

// Whether a launcher of that executable's name runs, so that starting it
// now would only be refused.
bool LauncherRunning(const std::string& exePath);
