// What the game and mod searches share: the status window interface, the
// guard that lets one search run at a time, and file tests.
#pragma once
#include <windows.h>

#include <string>

#include "FileUtils.h"

// The status window of a search (TSearchStatusWindow, or nothing for runs without one).
class TSearchStatus {
public:
  virtual ~TSearchStatus() = default;
  // A new window with this caption, shown at once or at the first Report.
  virtual void Begin(const std::string& caption, bool visible) = 0;
  // Shows the window, sets its text and lets it paint.
  virtual void Report(const std::string& text) = 0;
  // Hides and frees the window.
  virtual void End() = 0;
};

class TQuietSearchStatus : public TSearchStatus {
public:
  void Begin(const std::string&, bool) override {}
  void Report(const std::string&) override {}
  void End() override {}
};

// Begin on construction, End on destruction, also when an exception passes.
class TSearchStatusScope {
public:
  TSearchStatusScope(TSearchStatus& status, const std::string& caption, bool visible) : FStatus(status) {
    FStatus.Begin(caption, visible);
  }
  ~TSearchStatusScope() { FStatus.End(); }
  TSearchStatusScope(const TSearchStatusScope&) = delete;
  TSearchStatusScope& operator=(const TSearchStatusScope&) = delete;

private:
  TSearchStatus& FStatus;
};

// Held for the length of a search: a second search refuses to start while
// one runs, the hourglass cursor is up, and mouse and key input that queued
// up meanwhile is dropped at the end rather than acted on afterwards.
class TSearchGuard {
public:
  TSearchGuard();
  ~TSearchGuard();
  TSearchGuard(const TSearchGuard&) = delete;
  TSearchGuard& operator=(const TSearchGuard&) = delete;
  bool Acquired() const { return FAcquired; }

private:
  bool FAcquired;
  HCURSOR FOldCursor = nullptr;
};

bool SearchRunning();

// Lets the windows of this thread paint; no input is dispatched.
void PumpPaintMessages();

