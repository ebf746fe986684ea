// TMostStartedWindow: the "Most started mods" window and the filling of its grid.
#include "MostStartedWindow.h"

#include <shellapi.h>

#include <cstdlib>
#include <map>
#include <optional>

#include "BitmapResize.h"
#include "EntryLookup.h"
#include "FileUtils.h"
#include "I2BConve.h"
#include "SharedNames.h"
#include "WinGraphics.h"

namespace {
const char* const DefaultCaptionColor = "$001A91D6";
constexpr TColor IconMarker = 0x00123456;  // the colour icons are drawn on, then left out
const char* const Headers[] = {"Position", "Game", "Mod name", "Started"};
constexpr int ColumnWidths[] = {85, 162, 191, 103};
constexpr int GameCol = 1, NameCol = 2, CountCol = 3;
constexpr int PictureBeforeText = 3, PictureCentred = 2;

TColor ColorOption(const TIniFile& options, const char* key) {
  try {
    return StringToColor(options.ReadString(kOptions, key, DefaultCaptionColor));
  } catch (const std::exception&) {
    return StringToColor(DefaultCaptionColor);
  }
}

// The grid's background: a light diagonal pattern, tiled.
TBitmap BackgroundTile() {
  constexpr int Side = 32;
  TBitmap tile;
  tile.SetPixelFormat(pf24bit);
  tile.SetSize(Side, Side);
  for (int y = 0; y < Side; ++y)
    for (int x = 0; x < Side; ++x) tile.SetPixel(x, y, (x + y) % 16 == 0 ? 0x00E8E4DC : 0x00FAF8F4);
  return tile;
}

// The header's sort glyphs: a dark triangle, 9 pixels wide, pointing down
// (descending) or up, centred in 9 x 9 pixels of a transparent colour.
constexpr TColor GlyphBackground = clFuchsia;
TBitmap SortGlyph(bool down) {
  TBitmap glyph;
  glyph.SetPixelFormat(pf24bit);
  glyph.SetSize(9, 9);
  for (int y = 0; y < 9; ++y)
    for (int x = 0; x < 9; ++x) {
      const int half = down ? 6 - y : y - 2;  // half the triangle's width on this row
      glyph.SetPixel(x, y, y >= 2 && y <= 6 && std::abs(x - 4) <= half ? TColor(0x00404040) : GlyphBackground);
    }
  glyph.FixedTransparentColor = GlyphBackground;
  return glyph;
}

// "Logos\unknown.bmp" of the launcher, then the program's bitmap "unknown";
// false when neither loads.
bool LoadUnknown(const std::string& launcherDir, TBitmap& bitmap) {
  const std::string file = launcherDir + "Logos\\unknown.bmp";
  if (FileExists(file)) {
    try {
      bitmap.LoadFromFile(file);
      return true;
    } catch (const std::exception&) {
    }
  }
  return LoadBitmapResource(bitmap, "UNKNOWN");
}

// "Logos\unknown.bmp" for a game whose logo file is missing (or that names
// none): false when there is no such file; one that cannot be read gives
// the program's bitmap "unknown".
bool LoadMissingLogo(const std::string& launcherDir, TBitmap& bitmap) {
  return FileExists(launcherDir + "Logos\\unknown.bmp") && LoadUnknown(launcherDir, bitmap);
}

// A game's logo by its extension; false when the row gets no picture.
bool LoadLogo(const std::string& launcherDir, std::string path, TBitmap& bitmap) {
  if (path.empty()) return LoadMissingLogo(launcherDir, bitmap);
  if (ExtractFilePath(path).empty()) path = launcherDir + "Logos\\" + path;
  if (!FileExists(path)) return LoadMissingLogo(launcherDir, bitmap);
  const std::string ext = LowerCase(ExtractFileExt(path));
  try {
    if (ext == ".bmp") {
      bitmap.LoadFromFile(path);
      return true;
    }
    if (ext == ".ico" || ext == ".exe") {
      HICON icon = ext == ".ico" ? HICON(LoadImageA(nullptr, path.c_str(), IMAGE_ICON, 0, 0, LR_LOADFROMFILE))
                                 : ExtractIconA(GetModuleHandleA(nullptr), path.c_str(), 0);
      // ExtractIcon gives 1 for a file that is no program.
      TIconHandle owned(reinterpret_cast<UINT_PTR>(icon) > 1 ? icon : nullptr);
      if (!owned) return ext == ".ico" && LoadUnknown(launcherDir, bitmap);
      IconToBitmap(owned.Get(), IconMarker, bitmap);
      bitmap.FixedTransparentColor = IconMarker;
      return true;
    }
  } catch (const std::exception&) {
    return ext == ".ico" && LoadUnknown(launcherDir, bitmap);
  }
  return false;
}

TMenuItem* Item(TComponent* owner, TMenuItem* parent, const std::string& caption, TNotifyEvent onClick = {}) {
  auto* item = new TMenuItem(owner);
  item->Caption = caption;
  item->OnClick = std::move(onClick);
  parent->Add(item);
  return item;
}
}  // namespace

TMostStartedWindow::TMostStartedWindow(TComponent* owner, HWND ownerWindow) : TDialogForm(owner, ownerWindow) {
  SetCaption("Most started mods");
  SetBounds(0, 0, 580, 420);
  Position = poScreenCenter;
  LogoImages = new TImageList(this);
  StartsGrid = new TExtStringGrid(this);
  StartsGrid->Align = alClient;
  StartsGrid->SetParent(this);
  StartsGrid->SetColCount(4);
  StartsGrid->SetRowCount(2);
  StartsGrid->SetFixedCols(0);
  StartsGrid->SetFixedRows(1);
  for (int c = 0; c < 4; ++c) {
    StartsGrid->ColumnHeaders.Add(Headers[c]);
    StartsGrid->SetColWidths(c, ColumnWidths[c]);
  }
  StartsGrid->GridLineWidth = 0;
  StartsGrid->Options = goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect | goColSizing;
  StartsGrid->Data().SortColumn = CountCol;
  StartsGrid->Data().SortDirection = sdDescending;
  StartsGrid->SortShow = true;
  StartsGrid->SortDownGlyph = SortGlyph(true);
  StartsGrid->SortUpGlyph = SortGlyph(false);
  StartsGrid->Data().EnableGraphics = true;
  StartsGrid->EnableHTML = true;
  StartsGrid->EnableWheel = true;
  StartsGrid->GridImages = LogoImages;
  StartsGrid->BackGround.Bitmap.Assign(BackgroundTile());
  StartsGrid->Navigation.AllowClipboardShortCuts = true;
  // The names come from mods and their files: every cell is text as it was
  // written, shown, copied, sorted and saved so, never markup or a link.
  StartsGrid->OnIsPlainTextCell = [](TComponent*, int, int, bool& plain) { plain = true; };
  // The saved page says which code page its bytes (the names) are in.
  StartsGrid->HTMLSettings.PrefixTag = HTMLCharsetMeta(GetACP());
  StartsGrid->ApplyHeaders();
  ActiveControl = StartsGrid;  // the copy keys reach the grid
  CaptionBar = new TGradientCaption(this);
  SaveHtmlDialog = new TSaveDialog(this);
  SaveHtmlDialog->Filter = "*.html|*.html";
  SaveHtmlDialog->DefaultExt = "html";
  SaveHtmlDialog->Options = ofOverwritePrompt;
  SaveWorkbookDialog = new TSaveDialog(this);
  SaveWorkbookDialog->Filter = "*.xls|*.xls";
  SaveWorkbookDialog->DefaultExt = "xls";
  SaveWorkbookDialog->Options = ofOverwritePrompt;
  BuildMenus();
}

void TMostStartedWindow::BuildMenus() {
  using namespace std::placeholders;
  WindowMenu = new TMainMenu(this);
  GridMenu = new TPopupMenu(this);
  for (TMenu* menu : {static_cast<TMenu*>(WindowMenu), static_cast<TMenu*>(GridMenu)}) {
    TMenuItem* save = Item(this, menu->Items(), "Save");
    Item(this, save, "Save To HTML", std::bind(&TMostStartedWindow::SaveToHtmlItemClick, this, _1));
    Item(this, save, "Save To XLS", std::bind(&TMostStartedWindow::SaveToXlsItemClick, this, _1));
    TMenuItem* copy = Item(this, menu->Items(), "Copy");
    Item(this, copy, "Copy To Clipboard", std::bind(&TMostStartedWindow::CopyToClipboardItemClick, this, _1));
    Item(this, copy, "Copy Selection To Clipboard", std::bind(&TMostStartedWindow::CopySelectionItemClick, this, _1));
    Item(this, menu->Items(), "Close", std::bind(&TMostStartedWindow::CloseItemClick, this, _1));
  }
  Menu = WindowMenu;
  StartsGrid->PopupMenu = GridMenu;
}

void TMostStartedWindow::FormCreate(const TIniFile& options, TColor unselected, TColor selected) {
  if (!options.ReadBool(kOptions, "Colorcap", true)) {
    delete CaptionBar;
    CaptionBar = nullptr;
    return;
  }
  const bool user = options.ReadBool(kOptions, "usercolors", false);
  CaptionBar->ColorRightActive = user ? ColorOption(options, "customcolor") : selected;
  CaptionBar->ColorLeftActive = user ? ColorOption(options, "customcolor2") : unselected;
  CaptionBar->RepaintCaption();
}

void TMostStartedWindow::AddRowLogo(const TBitmap& bitmap, int row) {
  // The grid leaves the list's width beside the text for the picture; a
  // logo of another size is fitted into it.
  const bool fits = bitmap.Width() == LogoImages->Width && bitmap.Height() == LogoImages->Height;
  const int index = fits || bitmap.Empty()
                        ? LogoImages->AddMasked(bitmap, bitmap.TransparentColor())
                        : LogoImages->AddMasked(ResizedNearest(bitmap, LogoImages->Width, LogoImages->Height),
                                               bitmap.TransparentColor());
  StartsGrid->SetCellImage(GameCol, row, index, PictureBeforeText, PictureCentred);
}

void TMostStartedWindow::Fill(const std::vector<TStartRecord>& records, const std::string& launcherDir,
                              const TIniFile& games) {
  StartsGrid->BeginUpdate();
  StartsGrid->FixedRowAlways = true;  // the header stays fixed also over no row at all
  StartsGrid->SetRowCount(int(records.size()) + 1);
  StartsGrid->ApplyHeaders();
  // Each game's logo is read once; a game without one is remembered too.
  std::map<std::string, std::optional<TBitmap>> logos;
  for (size_t i = 0; i < records.size(); ++i) {
    const int row = int(i) + 1;
    StartsGrid->SetCells(GameCol, row, records[i].Game);
    StartsGrid->SetCells(NameCol, row, records[i].Mod);
    StartsGrid->SetCells(CountCol, row, records[i].Count);
    auto [at, added] = logos.try_emplace(LowerCase(records[i].Game));
    if (added) {
      TBitmap logo;
      if (LoadLogo(launcherDir, games.ReadString(records[i].Game, "Kuvake", ""), logo)) at->second = std::move(logo);
    }
    if (at->second) AddRowLogo(*at->second, row);
  }
  StartsGrid->NumberColumn(0);
  StartsGrid->EndUpdate();
}

void TMostStartedWindow::SaveToHtmlItemClick(TComponent*) {
  if (SaveHtmlDialog->Execute()) StartsGrid->SaveToHTML(SaveHtmlDialog->FileName);
}

void TMostStartedWindow::SaveToXlsItemClick(TComponent*) {
  if (SaveWorkbookDialog->Execute()) StartsGrid->SaveToWorkbook(SaveWorkbookDialog->FileName);
}

void TMostStartedWindow::CopyToClipboardItemClick(TComponent*) { StartsGrid->CopyToClipboard(); }
void TMostStartedWindow::CopySelectionItemClick(TComponent*) { StartsGrid->CopySelectionToClipboard(); }
void TMostStartedWindow::CloseItemClick(TComponent*) { Close(); }

void DisplayNames(std::vector<TStartRecord>& records, const TIniFile& entryFile) {
  // The main window's name list order: sorted without regard to case.
  TStringList sections;
  entryFile.ReadSections(sections);
  sections.Sort();
  const TEntryLookup entries(entryFile, sections.Items());
  for (TStartRecord& record : records) {
    const std::string name = entries.Find(record.Mod, record.Game);
    if (!name.empty()) record.Mod = name;
  }
}
