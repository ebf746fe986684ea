// TMainWindow: switching the view (all entries, the favourites, one game's
// entries) and copying an entry into favourites.ini.
#include "MainWindow.h"

#include "Dialogs.h"

namespace {
constexpr const char* kFavouritesView = "suosikit";
constexpr const char* kGameItemSuffix = " modifications";

// The keys of a favourite, in the order they are written.
constexpr const char* kFavouriteKeys[] = {"Mod",    "Game",   "Param", "Bitmap", "Description", "Readme",
                                          "Config", "Map",    "winmem", "url",   "randommapcycle"};
}  // namespace

void TMainWindow::AllModsItemClick(TComponent*) {
  ViewName = "kaikki";
  PaintPage(true);
}

void TMainWindow::FavouritesItemClick(TComponent*) {
  if (ViewName == kFavouritesView) return;
  ViewName = kFavouritesView;
  PaintPage(true);
}

void TMainWindow::GameViewItemClick(TComponent* sender) {
  auto* item = dynamic_cast<TMenuItem*>(sender);
  if (!item) return;
  const std::string caption = StripHotkey(item->Caption);
  const size_t suffix = std::string(kGameItemSuffix).size();
  if (caption.size() <= suffix) return;
  const std::string game = caption.substr(0, caption.size() - suffix);
  if (game == ViewName) return;
  ViewName = game;
  PaintPage(true);
}

void TMainWindow::AddToFavouritesItemClick(TComponent*) {
  const std::string entry = SelectedEntry();
  if (entry.empty() || ViewName == kFavouritesView) return;
  TIniFile favourites(ExeDir() + kFavouritesFile);
  if (favourites.SectionExists(entry) &&
      MessageDlg("\"" + entry + "\" is already exists in favourites, overwrite the existing?", mtWarning, mbYesNo) !=
          mrYes)
    return;
  // The whole entry in one write: favourites.ini never holds half of it.
  TIniUpdate update(favourites);
  for (const char* key : kFavouriteKeys) {
    const std::string fallback = std::string(key) == "randommapcycle" ? "0" : "";
    favourites.WriteString(entry, key, ModIni->ReadString(entry, key, fallback));
  }
  update.Commit();
}
