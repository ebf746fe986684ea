// The launcher's program block: single instance, splash and the main window.
#pragma once
#include <string>

extern std::string MutexName;
extern bool AlreadyRunning;

// The mutex name for an executable path: its file name, less the last four
// characters when it holds ".EXE" in capitals.
std::string MutexNameFor(const std::string& exePath);
void CheckSingleInstance();
// Points the picture formats' questions (Targa's colour depth) at the
// program's prompt box.
void SetPictureQueries();
int LauncherMain();
