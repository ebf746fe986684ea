// TMainWindow: starting the entry of a row with its mod, map and memory option,
// and counting the start.
#include "MainWindow.h"

#include <vector>

#include "Dialogs.h"
#include "GameRules.h"
#include "StartCommand.h"

void TMainWindow::Start(int row) {
  const int index = TopIndex + row;
  if (row < 0 || index >= EntryNames.Count()) return;
  const std::string name = EntryNames[index];
  try {
    SoundPlayer->Close();
  } catch (const std::exception&) {
    // A sound that cannot be stopped does not stop the game.
  }
  TIniFile& ini = *ModIni;
  TStartEntry entry;
  entry.Param = ini.ReadString(name, "Param", "");
  entry.Mod = ini.ReadString(name, "Mod", "");
  entry.Map = ini.ReadString(name, "map", "<none>");
  entry.WinMem = ini.ReadString(name, "winmem", "<default>");
  entry.Game = ini.ReadString(name, "Game", "");
  // A template that does not fit raises here, before anything is touched.
  const std::string parameters = StartParameters(entry, StartMap);

  const std::string folder = GamesIni->ReadString(entry.Game, "Sijainti", "");
  SetCurrentDirectoryA(folder.c_str());
  std::string commandLine = StartCommandLine(folder, parameters);

  if (IsHalfLifeEngine(entry.Game) &&
      ini.ReadBool(name, "randommapcycle", OptionsIni->ReadBool(kOptions, "hlmapcycle", false))) {
    const std::string cycle = MapCycleFile(folder, entry.Game, entry.Mod);
    if (!cycle.empty()) ShuffleFile(cycle, FRandom);
  }

  STARTUPINFOA si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESHOWWINDOW;
  si.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION pi{};
  std::vector<char> buffer(commandLine.begin(), commandLine.end());
  buffer.push_back('\0');
  if (!CreateProcessA(nullptr, buffer.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS, nullptr,
                      folder.c_str(), &si, &pi)) {
    const DWORD code = GetLastError();
    MessageBoxPrompt(StartErrorMessage(code), ApplicationTitle(), MB_OK | MB_ICONWARNING);
    return;
  }
  // The launcher does not wait for the game.
  TKernelHandle thread(pi.hThread), process(pi.hProcess);

  ++StartCounter;
  // The game runs: a counter that cannot be written only misses this start,
  // and the user is told once.
  std::string notCounted;
  try {
    const std::string key = Trim(entry.Mod).empty() ? std::string("<>") : entry.Mod;
    StartCountsIni->WriteInteger(entry.Game, key, StartCountsIni->ReadInteger(entry.Game, key, 0) + 1);
  } catch (const std::exception& e) {
    notCounted = e.what();
  }
  try {
    StatsIni->WriteInteger(kOptions, "Laskuri", StartCounter);
  } catch (const std::exception& e) {
    if (notCounted.empty()) notCounted = e.what();
  }
  StartMap.clear();
  if (!notCounted.empty()) MessageDlg("The start was not counted.\n\n" + notCounted, mtWarning, mbOK);
  if (OptionsIni->ReadBool(kOptions, "Sammuta", false)) Close();
}
