// The main window as the Settings dialog's host: its INI files, its sound
// player and the routines that re-apply its options, skin and list.
#include "Unit3_host.h"

TSettingsHost MainWindowSettingsHost(TForm1& main, std::function<void(const std::string&)> loadSkin) {
  TSettingsHost host;
  host.AppDir = TForm1::ExeDir();
  host.Window = main.Handle();
  host.OptionsIni = main.OptionsIni.get();
  host.GamesIni = main.GamesIni.get();
  host.ParametersIni = main.ParametersIni.get();
  host.ModIni = &main.ModIni;
  host.MediaPlayer = main.MediaPlayer1;
  host.SkinColors = [&main] { return std::make_pair(main.SelectedColor, main.UnselectedColor); };
  host.ReapplyOptions = [&main] { main.paivitabx(); };
  host.ClickSound = [&main] { main.nappi(); };
  host.ApplySkin = std::move(loadSkin);
  host.ListChanged = [&main] {
    main.lista();
    main.pai(true);
  };
  return host;
}
