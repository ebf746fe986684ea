// The main window as the Settings dialog's host: its INI files, its sound
// player and the routines that re-apply its options, skin and list.
#include "MainWindowSettingsHost.h"

TSettingsHost MainWindowSettingsHost(TMainWindow& main, std::function<void(const std::string&)> loadSkin) {
  TSettingsHost host;
  host.AppDir = TMainWindow::ExeDir();
  host.Window = main.Handle();
  host.OptionsIni = main.OptionsIni.get();
  host.GamesIni = main.GamesIni.get();
  host.ParametersIni = main.ParametersIni.get();
  host.ModIni = &main.ModIni;
  host.MediaPlayer = main.SoundPlayer;
  host.SkinColors = [&main] { return std::make_pair(main.SelectedColor, main.UnselectedColor); };
  host.ReapplyOptions = [&main] { main.ReapplyOptions(); };
  host.ClickSound = [&main] { main.PlayClickSound(); };
  host.ApplySkin = std::move(loadSkin);
  host.ListChanged = [&main] {
    main.BuildRanking();
    main.PaintPage(true);
  };
  return host;
}
