// Marks on the launcher's way to its first window, each naming the step that
// has just ended; the start-up benchmark's traced build records them.
#pragma once

using TStartupMarkHook = void (*)(const char* step);
// Null in the program users get: only the traced build's own entry point
// sets it, so a mark there costs one test of a null pointer.
inline TStartupMarkHook StartupMarkHook = nullptr;

inline void StartupMark(const char* step) {
  if (StartupMarkHook) StartupMarkHook(step);
}
