// TSettingsDialog's "Games" page: Games.ini game records, their parameter lists in
// Parameters.txt, logos, and the "Find games" and "Find mods" buttons.
#include "SettingsDialog.h"

#include <algorithm>
#include <optional>

#include "ControlMaking.h"
#include "Dialogs.h"
#include "FileUtils.h"
#include "GameDiscovery.h"
#include "GameRules.h"
#include "LogoPicture.h"
#include "ModDiscovery.h"
#include "Streams.h"
#include "StringList.h"
#include "SearchStatusWindow.h"
#include "WinGraphics.h"

using namespace ctrl;

namespace {
constexpr char kGameLocation[] = "Game location:";
constexpr char kConfirmRemove[] = "Confirm remove?";
// The logo list's pictures are this many pixels square.
constexpr int kLogoListSize = 16;

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

void TSettingsDialog::BuildGamesPage() {
  GameList = Place<TListBox>(Games, this, 8, 8, 150, 200);
  GameList->OnClick = [this](TComponent* s) { GameListClick(s); };
  AddGameButton = Button(Games, this, 8, 214, 150, "Add game");
  RemoveGameButton = Button(Games, this, 8, 242, 150, "Remove game");
  FindGamesButton = Button(Games, this, 8, 276, 150, "Find games", "Brannox will automaticly find your games");
  FindModsButton = Button(Games, this, 8, 304, 150, "Find mods", "Brannox will automaticly find modifications");

  const int x = 168, w = 256;
  auto label = [&](int y, const char* text) {
    auto* t = Place<TLabel>(Games, this, x, y, 200, 16);
    t->SetCaption(text);
  };
  label(8, "Game location:");
  LocationEdit = ReadOnlyEdit(Games, this, x, 24, w);
  BrowseLocationButton = Button(Games, this, x + w + 4, 23, 56, "Browse");
  ClearLocationButton = Button(Games, this, x + w + 64, 23, 50, "Clear");
  ClearLocationButton->Hint = "Clear location";
  label(52, "Parameters:");
  ParameterCombo = Place<TComboBox>(Games, this, x, 68, w, 22);
  AddParameterButton = Button(Games, this, x + w + 4, 67, 56, "Add");
  AddParameterButton->Hint = "Add parameter";
  RemoveParameterButton = Button(Games, this, x + w + 64, 67, 50, "Remove");
  RemoveParameterButton->Hint = "Remove parameter";
  label(96, "Default parameter:");
  DefaultParameterEdit = ReadOnlyEdit(Games, this, x, 112, w);
  SetDefaultParameterButton = Button(Games, this, x + w + 4, 111, 110, "Set default");
  SetDefaultParameterButton->Hint = "Brannox will use this parameter when you find modifications";
  label(140, "Default game parameter:");
  DefaultGameParameterEdit = ReadOnlyEdit(Games, this, x, 156, w);
  SetDefaultGameParameterButton = Button(Games, this, x + w + 4, 155, 110, "Set default");
  SetDefaultGameParameterButton->Hint = "Set default game parameter";
  label(184, "Website:");
  WebsiteEdit = ReadOnlyEdit(Games, this, x, 200, w);
  ModifyWebsiteButton = Button(Games, this, x + w + 4, 199, 56, "Modify");
  label(228, "Game whole name:");
  GameNameEdit = ReadOnlyEdit(Games, this, x, 244, w);
  ModifyGameNameButton = Button(Games, this, x + w + 4, 243, 56, "Modify");
  label(272, "Default Logo:");
  GameLogo = Place<TImage>(Games, this, x, 290, 48, 48);
  BrowseLogoButton = Button(Games, this, x + 56, 288, 56, "Browse");
  BrowseLogoButton->Hint = "Logo by file";
  LogoCombo = Place<TComboBox>(Games, this, x + 120, 290, 250, 22);
  LogoCombo->Style = csOwnerDrawFixed;
  LogoCombo->ItemHeight = kLogoListSize + 4;
  LogoCombo->DropDownCount = 12;
  LogoCombo->OnDrawItem = [this](TWinControl*, TCanvas& canvas, int index, const RECT& r, TOwnerDrawState) {
    DrawPictureItem(*LogoCombo, canvas, index, r);
  };
  LogoCombo->OnChange = [this](TComponent* s) { LogoComboChange(s); };
  OpenLogoDialog = new TOpenPictureDialog(this);
  LogoImages = new TDXImageList(this);

  AddGameButton->OnClick = [this](TComponent* s) { AddGameButtonClick(s); };
  RemoveGameButton->OnClick = [this](TComponent* s) { RemoveGameButtonClick(s); };
  BrowseLocationButton->OnClick = [this](TComponent* s) { BrowseLocationButtonClick(s); };
  ClearLocationButton->OnClick = [this](TComponent* s) { ClearLocationButtonClick(s); };
  auto menuItem = [this](TPopupMenu* menu, const char* caption) {
    auto* item = new TMenuItem(this);
    item->Caption = caption;
    menu->Items()->Add(item);
    return item;
  };
  LocationMenu = new TPopupMenu(this);
  ClearLocationItem = menuItem(LocationMenu, "Clear");
  LocationEdit->PopupMenu = LocationMenu;
  ParameterMenu = new TPopupMenu(this);
  AddParameterItem = menuItem(ParameterMenu, "Add");
  RemoveParameterItem = menuItem(ParameterMenu, "Remove");
  ParameterCombo->PopupMenu = ParameterMenu;
  ParameterMenu->OnPopup = [this](TComponent*) { UpdateParameterButtons(); };
  ClearLocationItem->OnClick = [this](TComponent* s) { ClearLocationItemClick(s); };
  AddParameterButton->OnClick = AddParameterItem->OnClick = [this](TComponent* s) { AddParameterItemClick(s); };
  RemoveParameterButton->OnClick =
      RemoveParameterItem->OnClick = [this](TComponent* s) { RemoveParameterItemClick(s); };
  SetDefaultParameterButton->OnClick = [this](TComponent* s) { SetDefaultParameterButtonClick(s); };
  SetDefaultGameParameterButton->OnClick = [this](TComponent* s) { SetDefaultGameParameterButtonClick(s); };
  ModifyWebsiteButton->OnClick = [this](TComponent* s) { ModifyWebsiteButtonClick(s); };
  ModifyGameNameButton->OnClick = [this](TComponent* s) { ModifyGameNameButtonClick(s); };
  BrowseLogoButton->OnClick = [this](TComponent* s) { BrowseLogoButtonClick(s); };
  FindGamesButton->OnClick = [this](TComponent* s) { FindGamesButtonClick(s); };
  FindModsButton->OnClick = [this](TComponent* s) { FindModsButtonClick(s); };
  ParameterCombo->OnChange = [this](TComponent*) { UpdateParameterButtons(); };
  UpdateParameterButtons();
}

void TSettingsDialog::DrawPictureItem(TComboBox& box, TCanvas& canvas, int index, const RECT& r) {
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
void TSettingsDialog::LoadLogoStore() {
  const std::string folder = Host.AppDir + "Logos\\";
  OpenLogoDialog->InitialDir = folder;
  TFileListBox files(nullptr);
  files.Directory = folder;
  files.Mask = "*.bmp;*.ico";
  files.Update();
  LogoImages->Items().Clear();
  LogoCombo->Items.Clear();
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
    LogoCombo->Items.AddObject(name, item->Picture().Graphic());
  }
}

void TSettingsDialog::ReadGames() {
  TStringList games;
  ReadGameList(*Host.GamesIni, games);
  GameList->Items.Assign(games);
  UpdateParameterButtons();
}

std::string TSettingsDialog::SelectedGame() const {
  int i = GameList->ItemIndex();
  return i >= 0 && i < GameList->Items.Count() ? GameList->Items[i] : std::string();
}

void TSettingsDialog::UpdateParameterButtons() {
  bool game = !SelectedGame().empty();
  bool parameter = game && ParameterCombo->ItemIndex() >= 0;
  AddParameterButton->SetEnabled(game);
  RemoveParameterButton->SetEnabled(parameter);
  AddParameterItem->Enabled = game;
  RemoveParameterItem->Enabled = parameter;
}

void TSettingsDialog::UpdateHalfLifePages() {
  auto located = [this](const std::string& key) {
    std::string folder = Host.GamesIni->ReadString(key, "Sijainti", "");
    return !folder.empty() && DirectoryExists(folder);
  };
  HalfLifeManager->SetTabVisible(located("half-life"));
  LogoEditor->SetTabVisible(AnyHalfLifeEngineGame(located));
}

void TSettingsDialog::ShowUnknownLogo() {
  LoadUnknownLogoPicture(Host.AppDir, GameLogo->Picture().Bitmap());
  GameLogo->Transparent = false;
  GameLogo->Changed();
}

void TSettingsDialog::ShowLogo(const std::string& file) {
  bool transparent = false;
  if (!LoadLogoPicture(file, GameLogo->Picture().Bitmap(), transparent)) {
    ShowUnknownLogo();
    return;
  }
  GameLogo->Transparent = transparent;
  GameLogo->Changed();
}

void TSettingsDialog::GameListClick(TComponent*) {
  std::string game = SelectedGame();
  if (game.empty()) return;
  LogoCombo->SetItemIndex(-1);
  const TIniFile& g = *Host.GamesIni;
  LocationEdit->SetText(g.ReadString(game, "Sijainti", ""));
  ParameterCombo->Items.Clear();
  for (int i = 0;; ++i) {
    std::string key = std::to_string(i);
    if (!Host.ParametersIni->ValueExists(game, key)) break;
    ParameterCombo->Items.Add(Host.ParametersIni->ReadString(game, key, ""));
  }
  if (ParameterCombo->Items.Count() > 0) ParameterCombo->SetItemIndex(0);
  else ParameterCombo->SetText("");
  DefaultParameterEdit->SetText(g.ReadString(game, "Oletus", ""));
  DefaultGameParameterEdit->SetText(g.ReadString(game, "GameOletus", ""));
  WebsiteEdit->SetText(g.ReadString(game, "url", ""));
  GameNameEdit->SetText(g.ReadString(game, "gamename", ""));
  ShowLogo(LogoPath(Host.AppDir, g.ReadString(game, "Kuvake", "")));
  UpdateParameterButtons();
}

void TSettingsDialog::AddGameButtonClick(TComponent*) {
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
  LocationEdit->SetText(folder);
  TIniUpdate update(*Host.GamesIni);
  Host.GamesIni->WriteString(name, "Sijainti", folder);
  Host.GamesIni->WriteString(name, "gamename", name);
  update.Commit();
  ReadGames();
  GameList->SetItemIndex(GameList->Items.IndexOf(name));
  GameListClick(GameList);
}

void TSettingsDialog::RemoveGameButtonClick(TComponent*) {
  std::string game = SelectedGame();
  if (game.empty()) return;
  if (MessageDlg(kConfirmRemove, mtConfirmation, mbYesNo) != mrYes) return;
  Host.GamesIni->EraseSection(game);
  ReadGames();
  UpdateHalfLifePages();
}

void TSettingsDialog::BrowseLocationButtonClick(TComponent*) {
  std::string game = SelectedGame();
  if (game.empty()) return;
  std::string folder = LocationEdit->Text();
  // A cancelled browse keeps the stored folder.
  if (!SelectDirectory(kGameLocation, folder)) return;
  LocationEdit->SetText(folder);
  Host.GamesIni->WriteString(game, "Sijainti", folder);
  UpdateHalfLifePages();
}

void TSettingsDialog::ClearLocationButtonClick(TComponent*) {
  std::string game = SelectedGame();
  if (game.empty() || Trim(LocationEdit->Text()).empty()) return;
  if (MessageDlg("Are you sure that you want clear game location?", mtConfirmation, mbYesNo) != mrYes) return;
  Host.GamesIni->DeleteKey(game, "Sijainti");
  LocationEdit->SetText("");
  UpdateHalfLifePages();
}

void TSettingsDialog::ClearLocationItemClick(TComponent*) {
  std::string game = SelectedGame();
  if (game.empty() || Trim(LocationEdit->Text()).empty()) return;
  if (MessageDlg("Confirm clear?", mtConfirmation, mbYesNo) != mrYes) return;
  LocationEdit->SetText("");
  Host.GamesIni->WriteString(game, "Sijainti", "");
}

void TSettingsDialog::RewriteGameParameters() {
  std::vector<std::string> items;
  for (int i = 0; i < ParameterCombo->Items.Count(); ++i) items.push_back(ParameterCombo->Items[i]);
  Host.ParametersIni->UpdateFile();
  RewriteParameterList(Host.ParametersIni->FileName(), SelectedGame(), items);
}

void TSettingsDialog::AddParameterItemClick(TComponent*) {
  if (SelectedGame().empty()) return;
  std::string parameter = ParameterCombo->Text();
  if (!InputQuery("New parameter", "Type your parameter:", parameter) || Trim(parameter).empty()) return;
  ParameterCombo->SetItemIndex(ParameterCombo->Items.Add(parameter));
  RewriteGameParameters();
  UpdateParameterButtons();
}

void TSettingsDialog::RemoveParameterItemClick(TComponent*) {
  int i = ParameterCombo->ItemIndex();
  if (SelectedGame().empty() || i < 0) return;
  if (MessageDlg(kConfirmRemove, mtInformation, mbYesNo) != mrYes) return;
  ParameterCombo->Items.Delete(i);
  ParameterCombo->SetItemIndex(ParameterCombo->Items.Count() > 0 ? 0 : -1);
  ParameterCombo->SetText("");
  RewriteGameParameters();
  UpdateParameterButtons();
}

void TSettingsDialog::SetDefaultParameterButtonClick(TComponent*) {
  std::string game = SelectedGame();
  if (game.empty()) return;
  Host.GamesIni->WriteString(game, "Oletus", ParameterCombo->Text());
  DefaultParameterEdit->SetText(ParameterCombo->Text());
}

void TSettingsDialog::SetDefaultGameParameterButtonClick(TComponent*) {
  std::string game = SelectedGame();
  if (game.empty()) return;
  Host.GamesIni->WriteString(game, "GameOletus", ParameterCombo->Text());
  DefaultGameParameterEdit->SetText(ParameterCombo->Text());
}

void TSettingsDialog::ModifyWebsiteButtonClick(TComponent*) {
  std::string game = SelectedGame(), url = WebsiteEdit->Text();
  if (game.empty() || !InputQuery("Modify", "Game website:", url)) return;
  WebsiteEdit->SetText(url);
  Host.GamesIni->WriteString(game, "url", url);
}

void TSettingsDialog::ModifyGameNameButtonClick(TComponent*) {
  std::string game = SelectedGame(), name = GameNameEdit->Text();
  if (game.empty() || !InputQuery("Modify", "Game name:", name)) return;
  GameNameEdit->SetText(name);
  Host.GamesIni->WriteString(game, "gamename", name);
}

void TSettingsDialog::BrowseLogoButtonClick(TComponent*) {
  std::string game = SelectedGame();
  if (game.empty()) return;
  OpenLogoDialog->Filter = "Logos (*.ico;*.bmp;*.exe)|*.ico;*.bmp;*.exe";
  OpenLogoDialog->Options = ofFileMustExist;
  if (!OpenLogoDialog->Execute()) return;
  std::string file = OpenLogoDialog->FileName;
  ShowLogo(file);
  const std::string logos = Host.AppDir + "Logos\\";
  bool inLogos = LowerCase(ExtractFilePath(file)) == LowerCase(logos);
  Host.GamesIni->WriteString(game, "Kuvake", inLogos ? ExtractFileName(file) : file);
}

void TSettingsDialog::LogoComboChange(TComponent*) {
  std::string game = SelectedGame();
  int i = LogoCombo->ItemIndex();
  if (game.empty() || i < 0) return;
  try {
    std::string name = LogoCombo->Items[i];
    ShowLogo(Host.AppDir + "Logos\\" + name);
    Host.GamesIni->WriteString(game, "Kuvake", name);
  } catch (const std::exception&) {
    // The logo stays as it was.
  }
}

void TSettingsDialog::FindGames() { ::FindGames(*Host.GamesIni); }

void TSettingsDialog::FindGamesButtonClick(TComponent*) {
  FindGames();
  GameListClick(GameList);
  UpdateHalfLifePages();
  if (Host.ListChanged) Host.ListChanged();
}

void TSettingsDialog::FindModsButtonClick(TComponent*) {
  std::unique_ptr<TIniFile> own;
  std::unique_ptr<TIniFile>* modIni = Host.ModIni;
  if (!modIni) modIni = &own;
  TDiscoveryFiles files{Host.AppDir, *Host.GamesIni, *modIni};
  // A dialog made only for the search is not shown: the status window
  // belongs to the main window then.
  TWindowSearchStatus status(HandleAllocated() && IsWindowVisible(Handle()) ? Handle() : Host.Window);
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
