// TForm3's "Games" page: Games.ini game records, their parameter lists in
// Parameters.txt, logos, and the "Find games" and "Find mods" buttons.
#include "Unit3.h"

#include <algorithm>
#include <optional>

#include "Dialogs.h"
#include "FileUtils.h"
#include "GameDiscovery.h"
#include "LogoPicture.h"
#include "ModDiscovery.h"
#include "OptionsSection.h"
#include "Streams.h"
#include "StringList.h"
#include "Unit3_place.h"
#include "Unit9.h"
#include "WinGraphics.h"

using namespace settings_ui;

namespace {
constexpr char kGameLocation[] = "Game location:";
constexpr char kConfirmRemove[] = "Confirm remove?";
// The logo list's pictures are this many pixels square.
constexpr int kLogoListSize = 16;
constexpr char kHalfLife[] = "half-life", kGunman[] = "gunman";

TEdit* ReadOnlyEdit(TWinControl* parent, TComponent* owner, int x, int y, int w) {
  auto* e = Place<TEdit>(parent, owner, x, y, w, 22);
  e->SetReadOnly(true);
  return e;
}

// A bitmap scaled to size x size, nearest pixel.
void ScaleBitmap(const TBitmap& source, TBitmap& target, int size) {
  target.SetPixelFormat(pf24bit);
  target.SetSize(size, size);
  if (source.Empty()) return;
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x)
      target.SetPixel(x, y, source.Pixel(x * source.Width() / size, y * source.Height() / size));
}

bool IsDigits(const std::string& s) {
  return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// "[name]": the section's name; "" for any other line.
std::optional<std::string> SectionName(const std::string& line) {
  std::string t = Trim(line);
  if (t.empty() || t.front() != '[') return std::nullopt;
  size_t close = t.find(']');
  return Trim(t.substr(1, close == std::string::npos ? std::string::npos : close - 1));
}
}  // namespace

bool IsValidGameName(const std::string& name) {
  std::string t = Trim(name);
  if (t.empty()) return false;
  return std::none_of(t.begin(), t.end(), [](char c) {
    return static_cast<unsigned char>(c) < 32 || std::string("[]=\\/:").find(c) != std::string::npos;
  });
}

void RewriteParameterList(const std::string& iniFile, const std::string& section,
                          const std::vector<std::string>& items) {
  TStringList lines;
  if (FileExists(iniFile)) lines.LoadFromFile(iniFile);
  std::vector<std::string> out, numbered;
  for (size_t i = 0; i < items.size(); ++i) numbered.push_back(std::to_string(i) + "=" + items[i]);
  bool inSection = false, written = false;
  auto writeList = [&] {
    out.insert(out.end(), numbered.begin(), numbered.end());
    written = true;
  };
  for (const std::string& line : lines.Items()) {
    if (auto name = SectionName(line)) {
      if (inSection) writeList();
      inSection = SameText(*name, section);
      out.push_back(line);
      continue;
    }
    size_t eq = line.find('=');
    // Every numbered key goes, also past a gap in the numbers.
    if (inSection && (Trim(line).empty() || (eq != std::string::npos && IsDigits(Trim(line.substr(0, eq))))))
      continue;
    out.push_back(line);
  }
  if (inSection) writeList();
  if (!written) {
    out.push_back("[" + section + "]");
    writeList();
  }
  SaveLinesAtomically(iniFile, out);
}

void TForm3::BuildGamesPage() {
  L1 = Place<TListBox>(Games, this, 8, 8, 150, 200);
  L1->OnClick = [this](TComponent* s) { L1Click(s); };
  SpeedButton2 = Button(Games, this, 8, 214, 150, "Add game");
  SpeedButton3 = Button(Games, this, 8, 242, 150, "Remove game");
  BitBtn3 = Button(Games, this, 8, 276, 150, "Find games", "Brannox will automaticly find your games");
  BitBtn2 = Button(Games, this, 8, 304, 150, "Find mods", "Brannox will automaticly find modifications");

  const int x = 168, w = 256;
  auto label = [&](int y, const char* text) {
    auto* t = Place<TLabel>(Games, this, x, y, 200, 16);
    t->SetCaption(text);
  };
  label(8, "Game location:");
  S1 = ReadOnlyEdit(Games, this, x, 24, w);
  SpeedButton4 = Button(Games, this, x + w + 4, 23, 56, "Browse");
  SpeedButton23 = Button(Games, this, x + w + 64, 23, 50, "Clear");
  SpeedButton23->Hint = "Clear location";
  label(52, "Parameters:");
  C1 = Place<TComboBox>(Games, this, x, 68, w, 22);
  SpeedButton7 = Button(Games, this, x + w + 4, 67, 56, "Add");
  SpeedButton7->Hint = "Add parameter";
  SpeedButton8 = Button(Games, this, x + w + 64, 67, 50, "Remove");
  SpeedButton8->Hint = "Remove parameter";
  label(96, "Default parameter:");
  Edit3 = ReadOnlyEdit(Games, this, x, 112, w);
  SpeedButton9 = Button(Games, this, x + w + 4, 111, 110, "Set default");
  SpeedButton9->Hint = "Brannox will use this parameter when you find modifications";
  label(140, "Default game parameter:");
  Edit6 = ReadOnlyEdit(Games, this, x, 156, w);
  SpeedButton34 = Button(Games, this, x + w + 4, 155, 110, "Set default");
  SpeedButton34->Hint = "Set default game parameter";
  label(184, "Website:");
  Edit7 = ReadOnlyEdit(Games, this, x, 200, w);
  SpeedButton35 = Button(Games, this, x + w + 4, 199, 56, "Modify");
  label(228, "Game whole name:");
  Edit8 = ReadOnlyEdit(Games, this, x, 244, w);
  SpeedButton36 = Button(Games, this, x + w + 4, 243, 56, "Modify");
  label(272, "Default Logo:");
  GameLogo = Place<TImage>(Games, this, x, 290, 48, 48);
  SpeedButton1 = Button(Games, this, x + 56, 288, 56, "Browse");
  SpeedButton1->Hint = "Logo by file";
  C3 = Place<TComboBox>(Games, this, x + 120, 290, 250, 22);
  C3->Style = csOwnerDrawFixed;
  C3->ItemHeight = kLogoListSize + 4;
  C3->DropDownCount = 12;
  C3->OnDrawItem = [this](TWinControl*, TCanvas& canvas, int index, const RECT& r, TOwnerDrawState) {
    DrawPictureItem(*C3, canvas, index, r);
  };
  C3->OnChange = [this](TComponent* s) { C3Change(s); };
  OpenPictureDialog1 = new TOpenPictureDialog(this);
  LogoImages = new TDXImageList(this);

  SpeedButton2->OnClick = [this](TComponent* s) { SpeedButton2Click(s); };
  SpeedButton3->OnClick = [this](TComponent* s) { SpeedButton3Click(s); };
  SpeedButton4->OnClick = [this](TComponent* s) { SpeedButton4Click(s); };
  SpeedButton23->OnClick = [this](TComponent* s) { SpeedButton23Click(s); };
  auto menuItem = [this](TPopupMenu* menu, const char* caption) {
    auto* item = new TMenuItem(this);
    item->Caption = caption;
    menu->Items()->Add(item);
    return item;
  };
  LocationMenu = new TPopupMenu(this);
  Clear1 = menuItem(LocationMenu, "Clear");
  S1->PopupMenu = LocationMenu;
  ParameterMenu = new TPopupMenu(this);
  Lis1 = menuItem(ParameterMenu, "Add");
  Poista1 = menuItem(ParameterMenu, "Remove");
  C1->PopupMenu = ParameterMenu;
  ParameterMenu->OnPopup = [this](TComponent*) { UpdateParameterButtons(); };
  Clear1->OnClick = [this](TComponent* s) { Clear1Click(s); };
  SpeedButton7->OnClick = Lis1->OnClick = [this](TComponent* s) { Lis1Click(s); };
  SpeedButton8->OnClick = Poista1->OnClick = [this](TComponent* s) { Poista1Click(s); };
  SpeedButton9->OnClick = [this](TComponent* s) { SpeedButton9Click(s); };
  SpeedButton34->OnClick = [this](TComponent* s) { SpeedButton34Click(s); };
  SpeedButton35->OnClick = [this](TComponent* s) { SpeedButton35Click(s); };
  SpeedButton36->OnClick = [this](TComponent* s) { SpeedButton36Click(s); };
  SpeedButton1->OnClick = [this](TComponent* s) { SpeedButton1Click(s); };
  BitBtn3->OnClick = [this](TComponent* s) { BitBtn3Click(s); };
  BitBtn2->OnClick = [this](TComponent* s) { BitBtn2Click(s); };
  C1->OnChange = [this](TComponent*) { UpdateParameterButtons(); };
  UpdateParameterButtons();
}

void TForm3::DrawPictureItem(TComboBox& box, TCanvas& canvas, int index, const RECT& r) {
  canvas.FillRect(r);
  if (index < 0 || index >= box.Items.Count()) return;
  int textLeft = r.left + 2;
  if (const auto* picture = dynamic_cast<const TBitmap*>(box.Items.Objects(index))) {
    TBitmap copy;
    copy.Assign(*picture);
    copy.FixedTransparentColor = clWhite;
    canvas.Draw(r.left + 2, r.top + 2, copy, true);
    textLeft += picture->Width() + 6;
  }
  canvas.TextRect(r, textLeft, r.top + 2, box.Items.Strings(index));
}

// The logo store: every "*.bmp" and "*.ico" of the Logos folder by its file
// name, drawn 16 x 16 for the logo list.
void TForm3::LoadLogoStore() {
  const std::string folder = Host.AppDir + "Logos\\";
  OpenPictureDialog1->InitialDir = folder;
  TFileListBox files(nullptr);
  files.Directory = folder;
  files.Mask = "*.bmp;*.ico";
  files.Update();
  LogoImages->Items().Clear();
  C3->Items.Clear();
  for (const std::string& name : files.Items.Items()) {
    TBitmap picture;
    bool transparent = false;
    if (!LoadLogoPicture(folder + name, picture, transparent)) continue;
    auto bitmap = std::make_unique<TBitmap>();
    if (LowerCase(ExtractFileExt(name)) == ".ico") ScaleBitmap(picture, *bitmap, kLogoListSize);
    else bitmap->Assign(picture);
    auto* item = new TPictureCollectionItem(&LogoImages->Items());
    item->SetName(name);
    item->Picture().SetGraphic(std::move(bitmap));
    C3->Items.AddObject(name, item->Picture().Graphic());
  }
}

void TForm3::ReadGames() {
  TStringList games;
  ReadGameList(*Host.GamesIni, games);
  L1->Items.Assign(games);
  UpdateParameterButtons();
}

std::string TForm3::SelectedGame() const {
  int i = L1->ItemIndex();
  return i >= 0 && i < L1->Items.Count() ? L1->Items[i] : std::string();
}

void TForm3::UpdateParameterButtons() {
  bool game = !SelectedGame().empty();
  bool parameter = game && C1->ItemIndex() >= 0;
  SpeedButton7->SetEnabled(game);
  SpeedButton8->SetEnabled(parameter);
  Lis1->Enabled = game;
  Poista1->Enabled = parameter;
}

void TForm3::UpdateHalfLifePages() {
  auto located = [this](const char* key) {
    std::string folder = Host.GamesIni->ReadString(key, "Sijainti", "");
    return !folder.empty() && DirectoryExists(folder);
  };
  bool halfLife = located(kHalfLife);
  HalfLifeManager->SetTabVisible(halfLife);
  LogoEditor->SetTabVisible(halfLife || located(kGunman));
}

void TForm3::ShowUnknownLogo() {
  LoadUnknownLogoPicture(Host.AppDir, GameLogo->Picture().Bitmap());
  GameLogo->Transparent = false;
  GameLogo->Changed();
}

void TForm3::ShowLogo(const std::string& file) {
  bool transparent = false;
  if (!LoadLogoPicture(file, GameLogo->Picture().Bitmap(), transparent)) {
    ShowUnknownLogo();
    return;
  }
  GameLogo->Transparent = transparent;
  GameLogo->Changed();
}

void TForm3::L1Click(TComponent*) {
  std::string game = SelectedGame();
  if (game.empty()) return;
  C3->SetItemIndex(-1);
  const TIniFile& g = *Host.GamesIni;
  S1->SetText(g.ReadString(game, "Sijainti", ""));
  C1->Items.Clear();
  for (int i = 0;; ++i) {
    std::string key = std::to_string(i);
    if (!Host.ParametersIni->ValueExists(game, key)) break;
    C1->Items.Add(Host.ParametersIni->ReadString(game, key, ""));
  }
  if (C1->Items.Count() > 0) C1->SetItemIndex(0);
  else C1->SetText("");
  Edit3->SetText(g.ReadString(game, "Oletus", ""));
  Edit6->SetText(g.ReadString(game, "GameOletus", ""));
  Edit7->SetText(g.ReadString(game, "url", ""));
  Edit8->SetText(g.ReadString(game, "gamename", ""));
  ShowLogo(LogoPath(Host.AppDir, g.ReadString(game, "Kuvake", "")));
  UpdateParameterButtons();
}

void TForm3::SpeedButton2Click(TComponent*) {
  std::string name;
  if (!InputQuery("Add", "Game name:", name)) return;
  name = Trim(name);
  if (!IsValidGameName(name)) {
    MessageDlg("Game name is invalid.", mtError, mbOK);
    return;
  }
  // Section names match without regard to case: writing the name of a game
  // that exists would overwrite that game's folder and name.
  if (Host.GamesIni->SectionExists(name)) {
    MessageDlg("A game named " + name + " already exists.", mtError, mbOK);
    return;
  }
  std::string folder;
  SelectDirectory(kGameLocation, folder);
  S1->SetText(folder);
  Host.GamesIni->WriteString(name, "Sijainti", folder);
  Host.GamesIni->WriteString(name, "gamename", name);
  ReadGames();
  L1->SetItemIndex(L1->Items.IndexOf(name));
  L1Click(L1);
}

void TForm3::SpeedButton3Click(TComponent*) {
  std::string game = SelectedGame();
  if (game.empty()) return;
  if (MessageDlg(kConfirmRemove, mtConfirmation, mbYesNo) != mrYes) return;
  Host.GamesIni->EraseSection(game);
  ReadGames();
  UpdateHalfLifePages();
}

void TForm3::SpeedButton4Click(TComponent*) {
  std::string game = SelectedGame();
  if (game.empty()) return;
  std::string folder = S1->Text();
  // A cancelled browse keeps the stored folder.
  if (!SelectDirectory(kGameLocation, folder)) return;
  S1->SetText(folder);
  Host.GamesIni->WriteString(game, "Sijainti", folder);
  UpdateHalfLifePages();
}

void TForm3::SpeedButton23Click(TComponent*) {
  std::string game = SelectedGame();
  if (game.empty() || Trim(S1->Text()).empty()) return;
  if (MessageDlg("Are you sure that you want clear game location?", mtConfirmation, mbYesNo) != mrYes) return;
  Host.GamesIni->DeleteKey(game, "Sijainti");
  S1->SetText("");
  UpdateHalfLifePages();
}

void TForm3::Clear1Click(TComponent*) {
  std::string game = SelectedGame();
  if (game.empty() || Trim(S1->Text()).empty()) return;
  if (MessageDlg("Confirm clear?", mtConfirmation, mbYesNo) != mrYes) return;
  S1->SetText("");
  Host.GamesIni->WriteString(game, "Sijainti", "");
}

void TForm3::RewriteGameParameters() {
  std::vector<std::string> items;
  for (int i = 0; i < C1->Items.Count(); ++i) items.push_back(C1->Items[i]);
  Host.ParametersIni->UpdateFile();
  RewriteParameterList(Host.ParametersIni->FileName(), SelectedGame(), items);
}

void TForm3::Lis1Click(TComponent*) {
  if (SelectedGame().empty()) return;
  std::string parameter = C1->Text();
  if (!InputQuery("New parameter", "Type your parameter:", parameter) || Trim(parameter).empty()) return;
  C1->SetItemIndex(C1->Items.Add(parameter));
  RewriteGameParameters();
  UpdateParameterButtons();
}

void TForm3::Poista1Click(TComponent*) {
  int i = C1->ItemIndex();
  if (SelectedGame().empty() || i < 0) return;
  if (MessageDlg(kConfirmRemove, mtInformation, mbYesNo) != mrYes) return;
  C1->Items.Delete(i);
  C1->SetItemIndex(C1->Items.Count() > 0 ? 0 : -1);
  C1->SetText("");
  RewriteGameParameters();
  UpdateParameterButtons();
}

void TForm3::SpeedButton9Click(TComponent*) {
  std::string game = SelectedGame();
  if (game.empty()) return;
  Host.GamesIni->WriteString(game, "Oletus", C1->Text());
  Edit3->SetText(C1->Text());
}

void TForm3::SpeedButton34Click(TComponent*) {
  std::string game = SelectedGame();
  if (game.empty()) return;
  Host.GamesIni->WriteString(game, "GameOletus", C1->Text());
  Edit6->SetText(C1->Text());
}

void TForm3::SpeedButton35Click(TComponent*) {
  std::string game = SelectedGame(), url = Edit7->Text();
  if (game.empty() || !InputQuery("Modify", "Game website:", url)) return;
  Edit7->SetText(url);
  Host.GamesIni->WriteString(game, "url", url);
}

void TForm3::SpeedButton36Click(TComponent*) {
  std::string game = SelectedGame(), name = Edit8->Text();
  if (game.empty() || !InputQuery("Modify", "Game name:", name)) return;
  Edit8->SetText(name);
  Host.GamesIni->WriteString(game, "gamename", name);
}

void TForm3::SpeedButton1Click(TComponent*) {
  std::string game = SelectedGame();
  if (game.empty()) return;
  OpenPictureDialog1->Filter = "Logos (*.ico;*.bmp;*.exe)|*.ico;*.bmp;*.exe";
  OpenPictureDialog1->Options = ofFileMustExist;
  if (!OpenPictureDialog1->Execute()) return;
  std::string file = OpenPictureDialog1->FileName;
  ShowLogo(file);
  const std::string logos = Host.AppDir + "Logos\\";
  bool inLogos = LowerCase(ExtractFilePath(file)) == LowerCase(logos);
  Host.GamesIni->WriteString(game, "Kuvake", inLogos ? ExtractFileName(file) : file);
}

void TForm3::C3Change(TComponent*) {
  std::string game = SelectedGame();
  int i = C3->ItemIndex();
  if (game.empty() || i < 0) return;
  try {
    std::string name = C3->Items[i];
    ShowLogo(Host.AppDir + "Logos\\" + name);
    Host.GamesIni->WriteString(game, "Kuvake", name);
  } catch (const std::exception&) {
    // The logo stays as it was.
  }
}

void TForm3::pelit() { ::pelit(*Host.GamesIni); }

void TForm3::BitBtn3Click(TComponent*) {
  pelit();
  L1Click(L1);
  UpdateHalfLifePages();
  if (Host.ListChanged) Host.ListChanged();
}

void TForm3::BitBtn2Click(TComponent*) {
  std::unique_ptr<TIniFile> own;
  std::unique_ptr<TIniFile>* modIni = Host.ModIni;
  if (!modIni) modIni = &own;
  TDiscoveryFiles files{Host.AppDir, *Host.GamesIni, *modIni};
  // A dialog made only for the search is not shown: the status window
  // belongs to the main window then.
  TForm9Status status(HandleAllocated() && IsWindowVisible(Handle()) ? Handle() : Host.Window);
  // The main window's list shows what the entry file holds afterwards, also
  // when the search failed and left the old file.
  try {
    FindMods(files, status);
  } catch (...) {
    if (Host.ListChanged) Host.ListChanged();
    throw;
  }
  if (Host.ListChanged) Host.ListChanged();
}
