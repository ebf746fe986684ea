// The launcher's program block: single instance, splash and the main window.
#pragma once
#include <string>

#include "InstanceMutex.h"

extern std::string MutexName;
extern bool AlreadyRunning;

// Creates the mutex named MutexName and sets AlreadyRunning. The handle is
// kept for the life of the process when no other instance had made the
// mutex, or always with keepAlways.
void CheckSingleInstance(bool keepAlways = false);
// Points the picture formats' questions (Targa's colour depth) at the
// program's prompt box.
void SetPictureQueries();
int LauncherMain();
