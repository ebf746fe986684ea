// The Settings dialog over the launcher's main window.
#pragma once
#include <functional>
#include <string>

#include "MainWindow.h"
#include "SettingsDialog.h"

// loadSkin puts a skin file of the skins folder on the window (the main
// window's own skin loading).
TSettingsHost MainWindowSettingsHost(TMainWindow& main, std::function<void(const std::string&)> loadSkin);
