// A DirectDraw object of the tests: it records the calls made on it and its
// surfaces, palettes and clippers in one log, and can be told to report a
// lost surface, a failing restore or a failing palette.
#pragma once
#include <windows.h>
#include <ddraw.h>

#include <memory>
#include <string>
#include <vector>

struct TFakeState {
  std::vector<std::string> Log;
  std::vector<std::pair<int, int>> Modes;  // listed display modes (width, height) at 8 and 32 bits
  bool SetDisplayModeWorks = true;  // for listed modes only
  bool Lost = false, RestoreFails = false;
  bool PaletteFails = false;
  HWND CooperativeWindow = nullptr;  // the window of the last SetCooperativeLevel
  int LiveObjects = 0;
  bool Has(const std::string& entry) const;
  int Count(const std::string& prefix) const;
};

// The object, answering IDirectDraw4 (references counted; freed at 0).
IDirectDraw4* NewFakeDirectDraw(std::shared_ptr<TFakeState> state);
