// TForm7: the "Most started mods" window and the filling of its grid.
#include "Unit7.h"

#include <shellapi.h>

#include <cstdlib>
#include <map>
#include <optional>

#include "BitmapResize.h"
#include "EntryLookup.h"
#include "FileUtils.h"
#include "I2BConve.h"
#include "WinGraphics.h"

namespace {
const char* const OptionsSection = "Asetukset";
const char* const DefaultCaptionColor = "$001A91D6";
constexpr TColor IconMarker = 0x00123456;  // the colour icons are drawn on, then left out
const char* const Headers[] = {"Position", "Game", "Mod name", "Started"};
constexpr int ColumnWidths[] = {85, 162, 191, 103};
constexpr int GameCol = 1, NameCol = 2, CountCol = 3;
constexpr int PictureBeforeText = 3, PictureCentred = 2;

TColor ColorOption(const TIniFile& options, const char* key) {
  try {
    return StringToColor(options.ReadString(OptionsSection, key, DefaultCaptionColor));
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

TForm7::TForm7(TComponent* owner, HWND ownerWindow) : TDialogForm(owner, ownerWindow) {
  SetCaption("Most started mods");
  SetBounds(0, 0, 580, 420);
  Position = poScreenCenter;
  Kuvalista = new TImageList(this);
  A1 = new TExtStringGrid(this);
  A1->Align = alClient;
  A1->SetParent(this);
  A1->SetColCount(4);
  A1->SetRowCount(2);
  A1->SetFixedCols(0);
  A1->SetFixedRows(1);
  for (int c = 0; c < 4; ++c) {
    A1->ColumnHeaders.Add(Headers[c]);
    A1->SetColWidths(c, ColumnWidths[c]);
  }
  A1->GridLineWidth = 0;
  A1->Options = goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect | goColSizing;
  A1->Data().SortColumn = CountCol;
  A1->Data().SortDirection = sdDescending;
  A1->SortShow = true;
  A1->SortDownGlyph = SortGlyph(true);
  A1->SortUpGlyph = SortGlyph(false);
  A1->Data().EnableGraphics = true;
  A1->EnableHTML = true;
  A1->EnableWheel = true;
  A1->GridImages = Kuvalista;
  A1->BackGround.Bitmap.Assign(BackgroundTile());
  A1->Navigation.AllowClipboardShortCuts = true;
  A1->ApplyHeaders();
  ActiveControl = A1;  // the copy keys reach the grid
  Cap1 = new TGradientCaption(this);
  SaveDialog1 = new TSaveDialog(this);
  SaveDialog1->Filter = "*.html|*.html";
  SaveDialog1->DefaultExt = "html";
  SaveDialog1->Options = ofOverwritePrompt;
  SaveDialog2 = new TSaveDialog(this);
  SaveDialog2->Filter = "*.xls|*.xls";
  SaveDialog2->DefaultExt = "xls";
  SaveDialog2->Options = ofOverwritePrompt;
  BuildMenus();
}

void TForm7::BuildMenus() {
  using namespace std::placeholders;
  MainMenu1 = new TMainMenu(this);
  PopupMenu1 = new TPopupMenu(this);
  for (TMenu* menu : {static_cast<TMenu*>(MainMenu1), static_cast<TMenu*>(PopupMenu1)}) {
    TMenuItem* save = Item(this, menu->Items(), "Save");
    Item(this, save, "Save To HTML", std::bind(&TForm7::SaveToHTML1Click, this, _1));
    Item(this, save, "Save To XLS", std::bind(&TForm7::SaveToXML1Click, this, _1));
    TMenuItem* copy = Item(this, menu->Items(), "Copy");
    Item(this, copy, "Copy To Clipboard", std::bind(&TForm7::CopyToClipBoard1Click, this, _1));
    Item(this, copy, "Copy Selection To Clipboard", std::bind(&TForm7::CopySelectionToClipboard1Click, this, _1));
    Item(this, menu->Items(), "Close", std::bind(&TForm7::Close1Click, this, _1));
  }
  Menu = MainMenu1;
  A1->PopupMenu = PopupMenu1;
}

void TForm7::FormCreate(const TIniFile& options, TColor unselected, TColor selected) {
  if (!options.ReadBool(OptionsSection, "Colorcap", true)) {
    delete Cap1;
    Cap1 = nullptr;
    return;
  }
  const bool user = options.ReadBool(OptionsSection, "usercolors", false);
  Cap1->ColorRightActive = user ? ColorOption(options, "customcolor") : selected;
  Cap1->ColorLeftActive = user ? ColorOption(options, "customcolor2") : unselected;
  Cap1->RepaintCaption();
}

void TForm7::lisaakuva(const TBitmap& bitmap, int row) {
  // The grid leaves the list's width beside the text for the picture; a
  // logo of another size is fitted into it.
  const bool fits = bitmap.Width() == Kuvalista->Width && bitmap.Height() == Kuvalista->Height;
  const int index = fits || bitmap.Empty()
                        ? Kuvalista->AddMasked(bitmap, bitmap.TransparentColor())
                        : Kuvalista->AddMasked(ResizedNearest(bitmap, Kuvalista->Width, Kuvalista->Height),
                                               bitmap.TransparentColor());
  A1->SetCellImage(GameCol, row, index, PictureBeforeText, PictureCentred);
}

void TForm7::Fill(const std::vector<TStartRecord>& records, const std::string& launcherDir, const TIniFile& games) {
  A1->BeginUpdate();
  A1->FixedRowAlways = true;  // the header stays fixed also over no row at all
  A1->SetRowCount(int(records.size()) + 1);
  A1->ApplyHeaders();
  // Each game's logo is read once; a game without one is remembered too.
  std::map<std::string, std::optional<TBitmap>> logos;
  for (size_t i = 0; i < records.size(); ++i) {
    const int row = int(i) + 1;
    A1->SetCells(GameCol, row, records[i].Game);
    A1->SetCells(NameCol, row, records[i].Mod);
    A1->SetCells(CountCol, row, records[i].Count);
    auto [at, added] = logos.try_emplace(LowerCase(records[i].Game));
    if (added) {
      TBitmap logo;
      if (LoadLogo(launcherDir, games.ReadString(records[i].Game, "Kuvake", ""), logo)) at->second = std::move(logo);
    }
    if (at->second) lisaakuva(*at->second, row);
  }
  A1->NumberColumn(0);
  A1->EndUpdate();
}

void TForm7::SaveToHTML1Click(TComponent*) {
  if (SaveDialog1->Execute()) A1->SaveToHTML(SaveDialog1->FileName);
}

void TForm7::SaveToXML1Click(TComponent*) {
  if (SaveDialog2->Execute()) A1->SaveToWorkbook(SaveDialog2->FileName);
}

void TForm7::CopyToClipBoard1Click(TComponent*) { A1->CopyToClipboard(); }
void TForm7::CopySelectionToClipboard1Click(TComponent*) { A1->CopySelectionToClipboard(); }
void TForm7::Close1Click(TComponent*) { Close(); }

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
