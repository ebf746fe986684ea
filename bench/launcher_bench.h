// Helpers of the benchmarks that run the launcher's main window in-process:
// the clock, a scratch launcher folder per run, and the yardstick of a
// popup menu of 10 items opened in the same run.
#pragma once
#include <string>

class TComponent;
class TPopupMenu;

namespace bench {
// Milliseconds of the performance counter.
double NowMs();
// The Windows folder, with its backslash (the start counters live there).
std::string WindowsDir();
// A launcher's entry name or mod folder numbered with five digits.
std::string Numbered(const char* prefix, int i);
// Copies the running program into %TEMP%\<folder>\<run>\ and runs it there
// with the given arguments (the main window's files lie beside its
// program); false when it cannot be started.
bool RunCopyIn(const std::string& folder, const std::string& run, const std::string& arguments);
// Moves the Windows folder's start counters aside while it lives, and
// puts them back afterwards.
class TSavedCounters {
public:
  TSavedCounters();
  ~TSavedCounters();
  TSavedCounters(const TSavedCounters&) = delete;
  TSavedCounters& operator=(const TSavedCounters&) = delete;

private:
  bool FHad;
};
// Best of three openings of the menu: from the popup call until the menu
// shows, painted; -1 when it never shows.
double TimePopup(TPopupMenu& menu, TComponent* opener);
// The same for a bar menu of 10 plain items.
double TimeMenuOfTen();
}  // namespace bench
