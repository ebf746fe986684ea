// Shows the launcher's main window with the built-in skin and a page of
// entries with logos, for a screenshot: page_preview [seconds].
// The launcher folder is the program's own folder.
#include <cstdlib>
#include <fstream>

#include "MainWindow.h"

#include <windows.h>

namespace {
void Put(const std::string& file, const std::string& section, const std::string& key, const std::string& value) {
  WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), file.c_str());
}

void Entry(const std::string& dir, const std::string& name, const std::string& game, const std::string& mod,
           const std::string& logo, const std::string& description) {
  const std::string ini = dir + "Mod.ini";
  Put(ini, name, "Game", game);
  Put(ini, name, "Mod", mod);
  Put(ini, name, "Param", "quake -game %s");
  Put(ini, name, "Bitmap", logo);
  Put(ini, name, "Description", description);
}

void Logo(const std::string& file, TColor a, TColor b) {
  TBitmap logo;
  logo.SetPixelFormat(pf24bit);
  logo.SetSize(32, 32);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) logo.SetPixel(x, y, ((x / 8 + y / 8) % 2) ? a : b);
  logo.SaveToFile(file);
}
}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  const std::string dir = TMainWindow::ExeDir();
  const int seconds = __argc > 1 ? std::atoi(__argv[1]) : 5;
  DeleteFileA((dir + "Mod.ini").c_str());
  CreateDirectoryA((dir + "skins").c_str(), nullptr);
  CreateDirectoryA((dir + "Logos").c_str(), nullptr);
  CopyFileA(BX_DEFAULTSKIN, (dir + "skins\\Bx2k8.bxs").c_str(), FALSE);
  Put(dir + "Options.ini", "Asetukset", "Aloitus", "1");
  Put(dir + "Options.ini", "Asetukset", "Nahka", "Bx2k8.bxs");
  Put(dir + "Options.ini", "Asetukset", "Nosound", "1");
  Put(dir + "Options.ini", "Asetukset", "shownumbers", "1");
  Logo(dir + "Logos\\red.bmp", clRed, clYellow);
  Logo(dir + "Logos\\blue.bmp", clBlue, clAqua);
  Entry(dir, "Action Quake", "quake", "action", "red.bmp", "Action movie mod");
  Entry(dir, "Capture the Flag", "quake", "ctf", "blue.bmp", "Two teams, two flags");
  Entry(dir, "Counter-Strike", "half-life", "cstrike", "C:\\windows\\notepad.exe", "Terrorists and counter-terrorists");
  Entry(dir, "Day of Defeat", "half-life", "dod", "missing.bmp", "Logo missing: the unknown logo");
  Entry(dir, "Team Fortress Classic", "half-life", "tfc", "blue.bmp", "Classes");
  Entry(dir, "Rocket Arena 2 with an entry name far too long for its row", "quake 2", "arena", "red.bmp", "Long");
  Entry(dir, "Threewave CTF", "quake 2", "ctf", "C:\\windows\\regedit.exe", "");
  Entry(dir, "Urban Terror", "quake 3", "q3ut", "", "");

  auto* form = new TMainWindow(&Application());
  form->Labels[2]->Click();
  form->Show();
  const DWORD end = GetTickCount() + DWORD(seconds) * 1000;
  while (GetTickCount() < end && !Application().Terminated()) {
    Application().ProcessMessages();
    Sleep(10);
  }
  return 0;
}
