// The Settings dialog tests' launcher folder and host.
#include "settings_fixture.h"

#include "Dialogs.h"
#include "StringList.h"

TIniText ReadIniText(const std::string& file) {
  TIniText ini;
  std::string section;
  TStringList lines;
  if (GetFileAttributesA(file.c_str()) == INVALID_FILE_ATTRIBUTES) return ini;
  lines.LoadFromFile(file);
  for (const std::string& raw : lines.Items()) {
    std::string line = Trim(raw);
    if (line.empty() || line[0] == ';') continue;
    if (line[0] == '[') {
      section = LowerCase(line.substr(1, line.find(']') - 1));
      continue;
    }
    size_t eq = line.find('=');
    if (eq != std::string::npos) ini[section][LowerCase(Trim(line.substr(0, eq)))] = line.substr(eq + 1);
  }
  return ini;
}

void TSettingsTest::SetUp() {
  TDiscoveryTest::SetUp();
  MakeDirs(App + "skins");
  Options = std::make_unique<TIniFile>(App + "Options.ini");
  Parameters = std::make_unique<TIniFile>(App + "Parameters.txt");
  Player = std::make_unique<TMediaPlayer>(nullptr);
  Host.AppDir = App;
  Host.OptionsIni = Options.get();
  Host.GamesIni = Games.get();
  Host.ParametersIni = Parameters.get();
  Host.ModIni = &Mod;
  Host.MediaPlayer = Player.get();
  Host.SkinColors = [] { return std::make_pair(TColor(clRed), TColor(clBlue)); };
  Host.ReapplyOptions = [this] { ++ReapplyCount; };
  Host.ClickSound = [this] { ++ClickCount; };
  Host.ApplySkin = [this](const std::string& skin) { AppliedSkins.push_back(skin); };
  Host.ListChanged = [this] { ++ListChangedCount; };
  SetPromptHook([this](const TPromptRequest& r) {
    Prompts.push_back(r.Caption + "|" + r.Text);
    if (FAnswers.empty()) return int(r.Default);
    TAnswer a = FAnswers.front();
    FAnswers.pop_front();
    if (r.Value) *r.Value = a.Text;
    return a.Result;
  });
}

void TSettingsTest::TearDown() {
  FForm.reset();
  SetPromptHook(nullptr);
  Options.reset();
  Parameters.reset();
  Player.reset();
  TDiscoveryTest::TearDown();
}

TSettingsDialog& TSettingsTest::Dialog() {
  if (!FForm) FForm = std::make_unique<TSettingsDialog>(nullptr, Host);
  return *FForm;
}
