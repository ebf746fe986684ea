// The Settings dialog over the launcher's main window.
#pragma once
#include <functional>
#include <string>

#include "Unit1.h"
#include "Unit3.h"

// loadSkin puts a skin file of the skins folder on the window (the main
// window's own skin loading).
TSettingsHost MainWindowSettingsHost(TForm1& main, std::function<void(const std::string&)> loadSkin);
