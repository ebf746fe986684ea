// TSettingsDialog's "Sounds" page: the start-up and the click sound, each none, the
// default, a random one or a custom file.
#include "SettingsDialog.h"

#include "ControlMaking.h"
#include "FileUtils.h"
#include "SharedNames.h"

using namespace ctrl;

namespace {
// The keys of one group's choice, in Options.ini [Asetukset].
struct TSoundKeys {
  const char *None, *Default, *Random, *File;
};
constexpr TSoundKeys kStartKeys{"Nosound", "defaultsound", "randomsound", "Sound"};
constexpr TSoundKeys kClickKeys{"Nocsound", "defaultcsound", "randomcsound", "cSound"};
}  // namespace

void TSettingsDialog::BuildSoundsPage() {
  BuildSoundGroup(StartSound, 6, "Start sound",
                  {"No start sound", "Use default start sound", "Random start sound", "Use custom start sound"},
                  "Custom start sound:", "sounds\\startup\\");
  BuildSoundGroup(ClickSound, 170, "Click sound",
                  {"No click sound", "Use default click sound", "Random click sound", "Use custom click sound"},
                  "Custom click sound:", "sounds\\click\\");
}

void TSettingsDialog::BuildSoundGroup(TSoundGroup& g, int top, const char* caption,
                                      const std::array<const char*, 4>& radios, const char* label, const char* folder) {
  g.Folder = Host.AppDir + folder;
  g.Group = Place<TGroupBox>(Sounds, this, 8, top, 528, 158);
  g.Group->SetCaption(caption);
  TRadioButton** buttons[] = {&g.None, &g.Default, &g.Random, &g.Custom};
  for (int i = 0; i < 4; ++i) {
    *buttons[i] = Place<TRadioButton>(g.Group, this, 12, 18 + 21 * i, 300, 18);
    (*buttons[i])->SetCaption(radios[size_t(i)]);
    (*buttons[i])->OnClick = [this, &g](TComponent*) {
      SoundChoiceClick(g);
      EnableApply();
    };
  }
  g.Label = Text(g.Group, this, 12, 104, 150, label);
  g.FileCombo = Place<TComboBox>(g.Group, this, 12, 122, 300, 22);
  g.FileCombo->DropDownCount = 12;
  g.FileCombo->OnChange = [this](TComponent*) { EnableApply(); };
  g.Play = Button(g.Group, this, 320, 121, 60, "Play");
  g.Stop = Button(g.Group, this, 386, 121, 60, "Stop");
  g.Open = Button(g.Group, this, 452, 121, 60, "Open");
  g.Play->OnClick = [this, &g](TComponent*) { PlayClick(g); };
  g.Stop->OnClick = [this, &g](TComponent*) { StopClick(g); };
  g.Open->OnClick = [this, &g](TComponent*) { OpenClick(g); };
}

void TSettingsDialog::SoundChoiceClick(TSoundGroup& g) {
  bool custom = g.Custom->Checked();
  g.FileCombo->SetColor(custom ? clWindow : clBtnFace);
  for (TControl* c : std::initializer_list<TControl*>{g.Label, g.FileCombo, g.Play, g.Stop, g.Open})
    c->SetEnabled(custom);
}

void TSettingsDialog::LoadSoundChoices() {
  const TIniFile& o = *Host.OptionsIni;
  auto load = [&](TSoundGroup& g, const TSoundKeys& keys) {
    TFileListBox files(nullptr);
    files.Directory = g.Folder;
    files.Mask = "*.wav";
    files.Update();
    g.FileCombo->Items.Assign(files.Items);
    g.FileCombo->SetText(o.ReadString(kOptions, keys.File, ""));
    bool none = o.ReadBool(kOptions, keys.None, false), def = o.ReadBool(kOptions, keys.Default, true),
         random = o.ReadBool(kOptions, keys.Random, false);
    if (none) g.None->SetChecked(true);
    else if (def) g.Default->SetChecked(true);
    else if (random) g.Random->SetChecked(true);
    else g.Custom->SetChecked(true);
    SoundChoiceClick(g);
  };
  load(StartSound, kStartKeys);
  load(ClickSound, kClickKeys);
}

void TSettingsDialog::PlayClick(TSoundGroup& g) {
  if (!Host.MediaPlayer) return;
  std::string name = g.FileCombo->Text();
  std::string file = ExtractFilePath(name).empty() ? g.Folder + name : name;
  try {
    Host.MediaPlayer->Close();
    if (Trim(name).empty() || !FileExists(file)) return;
    Host.MediaPlayer->FileName = file;
    Host.MediaPlayer->Open();
    Host.MediaPlayer->Play();
  } catch (const std::exception&) {
    // A sound that cannot be played is not played.
  }
}

void TSettingsDialog::StopClick(TSoundGroup&) {
  if (!Host.MediaPlayer) return;
  try {
    if (Host.MediaPlayer->Mode() == mpPlaying) Host.MediaPlayer->Close();
  } catch (const std::exception&) {
    // Nothing was playing.
  }
}

void TSettingsDialog::OpenClick(TSoundGroup& g) {
  TOpenDialog dialog(nullptr);
  dialog.Filter = "Wave files (*.wav)|*.wav";
  dialog.DefaultExt = "wav";
  std::string current = g.FileCombo->Text();
  std::string file = ExtractFilePath(current).empty() && !current.empty() ? g.Folder + current : current;
  dialog.FileName = file;
  dialog.InitialDir = ExtractFilePath(file).empty() ? g.Folder : ExtractFilePath(file);
  if (!dialog.Execute()) return;
  g.FileCombo->SetText(dialog.FileName);
  EnableApply();
}
