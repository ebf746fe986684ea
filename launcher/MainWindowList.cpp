// TMainWindow: the entry list of the current view, the ranking of the start
// counters with the quick entries, and painting the 13-row page.
#include "MainWindow.h"

#include <algorithm>
#include <optional>

#include "FileUtils.h"
#include "I2BConve.h"
#include "IniSnapshot.h"
#include "WinGraphics.h"

#include <shellapi.h>

namespace {
// The colour that IconToBitmap paints under an icon's transparent pixels.
constexpr TColor kIconMarker = TColor(0x00123456);

// The room a row's text takes on screen: its advance, and to the right as
// far as its last glyph reaches. Italic glyphs, and some others, draw past
// their advance; a label only as wide as the advance would cut them off.
SIZE TextSize(const TFont& font, const std::string& text) {
  TWindowDC screen(nullptr);
  TFontHandle handle = CreateFontHandle(font);
  TSelectGuard select(screen.DC(), handle.Get());
  SIZE size{0, 0};
  GetTextExtentPoint32A(screen.DC(), text.data(), int(text.size()), &size);
  if (text.empty()) return size;
  const UINT last = static_cast<unsigned char>(text.back());
  ABC abc{};
  TEXTMETRICA metrics{};
  const bool haveMetrics = GetTextMetricsA(screen.DC(), &metrics) != FALSE;
  int past = 0;
  if (GetCharABCWidthsA(screen.DC(), last, last, &abc)) {
    past = std::max(0, -abc.abcC);
  } else if (haveMetrics) {
    past = int(metrics.tmOverhang);  // a bitmap font made italic or bold
  }
  // A font without an italic face is slanted when drawn, a quarter of its
  // ascent at the top, and its widths need not tell.
  if ((font.Style & fsItalic) && haveMetrics) past = std::max(past, int((metrics.tmAscent + 3) / 4));
  size.cx += past;
  return size;
}

// An entry file that another program holds open without sharing it reads
// as empty; the file on disk is as the list last showed it.
bool HeldByAnother(const std::string& file) {
  HANDLE h = CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, 0, nullptr);
  if (h != INVALID_HANDLE_VALUE) {
    CloseHandle(h);
    return false;
  }
  return GetLastError() == ERROR_SHARING_VIOLATION;
}

// The sections in the sorted list's order: as if added one by one, so that
// names equal but for letter case stand in reverse file order. One sort
// instead of an insertion for each of thousands of entries. The list keeps
// its names while the file cannot be read.
void LoadSorted(TStringList& list, const TIniFile& ini) {
  if (HeldByAnother(ini.FileName())) return;
  TStringList sections;
  ini.ReadSections(sections);
  std::vector<std::string> names(sections.Items().rbegin(), sections.Items().rend());
  std::stable_sort(names.begin(), names.end(),
                   [](const std::string& a, const std::string& b) { return CompareText(a, b) < 0; });
  list.Clear();
  list.Sorted = false;
  for (std::string& s : names) list.Add(std::move(s));
  list.Sorted = true;
}

}  // namespace

// The built-in fallback logos: "Logos\unknown.bmp", then the resource.
void TMainWindow::LoadUnknownLogo(TBitmap& bitmap) {
  const std::string file = TMainWindow::ExeDir() + "Logos\\unknown.bmp";
  if (FileExists(file)) {
    try {
      bitmap.LoadFromFile(file);
      return;
    } catch (const std::exception&) {
    }
  }
  if (!LoadBitmapResource(bitmap, "UNKNOWN")) bitmap = TBitmap();
}
void TMainWindow::BuildStateAndEvents() {
  EntryNames.Sorted = true;
  TrayStart = Arg(1) == "-tray";
  OnEndBeep = [] { MessageBeep(MB_OK); };
  ScrollState = new TNumero(this);
  ScrollState->Name = "Numero1";
  ScrollState->Numero = 1;
  TrayHideState = new TNumero(this);
  TrayHideState->Name = "Num1";
  AlphaLayer = new TLayeredForm(this);
  AlphaLayer->Name = "Lay1";
  AlphaLayer->SetColorKey(clBlack);
  AlphaLayer->SetLayerType(ltAlphaBlend);
  AlphaLayer->Loaded();
  for (int k = 0; k < kRows; ++k) {
    Labels[k]->OnClick = [this](TComponent* s) { RowLabelClick(s); };
    Icons[k]->OnClick = [this](TComponent* s) { RowIconClick(s); };
    Labels[k]->OnDblClick = Icons[k]->OnDblClick = [this](TComponent* s) { RowDblClick(s); };
  }
  OnMouseWheelDown = [this](TComponent*, TShiftState, POINT, bool& handled) {
    FormMouseWheelDown();
    handled = true;
  };
  OnMouseWheelUp = [this](TComponent*, TShiftState, POINT, bool& handled) {
    FormMouseWheelUp();
    handled = true;
  };
  AnimationTimer->OnTimer = [this](TComponent* s) { AnimationTimerTimer(s); };
  FAppEvents[0] = Application().AddOnMinimize([this](TComponent*) { ApplicationMinimize(); });
  FAppEvents[1] = Application().AddOnRestore([this](TComponent*) { ApplicationRestore(); });
  AnimationTimer->SetEnabled(true);
}

void TMainWindow::OpenViewIni() {
  const std::string name = ExeDir() + (ViewName == "suosikit" ? kFavouritesFile : kEntryFile);
  if (!ModIni || ModIni->FileName() != name) ModIni = std::make_unique<TIniFile>(name);
}

void TMainWindow::FilterList() {
  TIniFile& ini = *ModIni;
  LoadSorted(EntryNames, ini);
  const std::string view = LowerCase(ViewName);
  if (view == "suosikit" || view == "kaikki" || view.empty()) return;
  TStringList all;
  all.Assign(EntryNames);
  EntryNames.Clear();
  const TIniSnapshot entries(ini);
  for (const std::string& e : all.Items())
    if (LowerCase(entries.ReadString(e, "Game", "")) == view) EntryNames.Add(e);
  if (EntryNames.Count() == 0) {
    ViewName = "kaikki";
    EntryNames.Assign(all);
    EntryNames.Sorted = true;
  }
}

void TMainWindow::BuildRanking() {
  const std::string modIni = ExeDir() + kEntryFile;
  if (!ModIni || ModIni->FileName() != modIni) ModIni = std::make_unique<TIniFile>(modIni);
  LoadSorted(EntryNames, *ModIni);
  RankCounts.Clear();
  RankMods.Clear();
  RankGames.Clear();
  for (TQuickItem& item : QuickItems) item.Visible = false;
  RankStartCounts();

  const int index = OptionsIni->ReadInteger(kOptions, "showtopsindex", 0);
  if (OptionsIni->ReadBool(kOptions, "showtops", true) && index >= 0) {
    MostStartedVisible = false;
    const int items = index == 0 ? 5 : index == 1 ? 10 : index == 3 ? 20 : 15;
    const TEntryIndex entries = RankCounts.Count() > 0 ? IndexEntries() : TEntryIndex();
    for (int k = 0; k < items && k < RankCounts.Count(); ++k) {
      const std::string entry = EntryOf(entries, RankMods[k], RankGames[k]);
      if (!entry.empty()) RankMods.SetString(k, entry);
      if (!RankMods[k].empty()) QuickItems[k] = TQuickItem{RankMods[k], true};
      if (k == 0) MostStartedVisible = true;
    }
  } else {
    MostStartedVisible = !(RankCounts.Count() == 0 && EntryNames.Count() > 0);
  }

  OpenViewIni();
  FilterList();
}

// The ranking of the start counters, best first; equal counts keep the
// file's order, and a count whose text is no number is passed over when a
// later count looks for its place. Read from one snapshot of the file, with
// the shown counts kept as numbers: the counters of a large collection
// would otherwise be read and parsed again for every comparison.
void TMainWindow::RankStartCounts() {
  const TIniSnapshot counts(*StartCountsIni);
  std::vector<std::optional<int>> ranked;  // RankCounts as numbers
  TStringList games, mods;
  StartCountsIni->ReadSections(games);
  for (const std::string& game : games.Items()) {
    counts.ReadSection(game, mods);
    for (const std::string& mod : mods.Items()) {
      const std::string text = counts.ReadString(game, mod, "0");
      const int count = text.empty() ? 0 : StrToIntDef(text, 0);
      size_t at = ranked.size();
      for (size_t j = 0; j < ranked.size(); ++j)
        if (ranked[j] && *ranked[j] < count) {
          at = j;
          break;
        }
      int number = 0;
      ranked.insert(ranked.begin() + std::ptrdiff_t(at), TryStrToInt(text, number) ? std::optional<int>(number)
                                                                                   : std::nullopt);
      RankCounts.Insert(int(at), text);
      RankMods.Insert(int(at), mod == "<>" ? std::string() : mod);
      RankGames.Insert(int(at), game);
    }
  }
}

TMainWindow::TEntryIndex TMainWindow::IndexEntries() const {
  const TIniSnapshot entries(*ModIni);
  TEntryIndex index;
  for (const std::string& e : EntryNames.Items())
    index.emplace(LowerCase(entries.ReadString(e, "Mod", "")) + '\n' + LowerCase(entries.ReadString(e, "Game", "")), e);
  return index;
}

std::string TMainWindow::EntryOf(const TEntryIndex& index, const std::string& mod, const std::string& game) {
  // Neither value can hold a line break: it separates the two.
  auto it = index.find(LowerCase(mod) + '\n' + LowerCase(game));
  return it == index.end() ? std::string() : it->second;
}

// A page scrolled further than the list now reaches comes back to its end.
void TMainWindow::ClampPage() {
  const int count = EntryNames.Count();
  TopIndex = std::clamp(TopIndex, 0, std::max(0, count - kRows));
  const int rows = std::min(kRows, count - TopIndex);
  if (SelectedRow >= rows) SelectedRow = rows - 1;
  if (SelectedRow < -1) SelectedRow = -1;
}

void TMainWindow::PaintPage(bool reset) {
  const Tbxskinmainlist& skin = Skin->Data.Mainlist;
  OpenViewIni();
  if (reset) {
    SelectedRow = -1;
    TopIndex = 0;
    for (TLabel* label : Labels) label->Font.Assign(skin.MainListunselFont);
  }
  for (int k = 0; k < kRows; ++k) {
    TLabel* label = Labels[k];
    TImage* icon = Icons[k];
    icon->Hint.clear();
    icon->Picture().Clear();
    icon->Changed();
    if (k == 0) {
      label->Font.Assign(skin.MainListselFont);
      label->Font.Color = SelectedColor;
    } else {
      label->Font.Color = UnselectedColor;
    }
    label->SetCaption("");
    label->SetVisible(false);
    icon->SetVisible(false);
  }
  FilterList();
  ClampPage();

  ModifyButton->Hint = "Modify (Ctrl+M)";
  RemoveButton->Hint = "Remove (Delete)";
  if (EntryNames.Count() > 0 && reset) {
    SelectedRow = 0;
    ModifyButton->Hint = "Modify " + EntryNames[0] + " (Ctrl+M)";
    RemoveButton->Hint = "Remove " + EntryNames[0] + " (Delete)";
  }

  const bool numbers = OptionsIni->ReadBool(kOptions, "shownumbers", false);
  for (int k = 0; k < kRows && TopIndex + k < EntryNames.Count(); ++k) {
    const std::string& e = EntryNames[TopIndex + k];
    TLabel* label = Labels[k];
    label->SetVisible(true);
    label->SetCaption(numbers ? IntToStr(TopIndex + k + 1) + ". " + e : e);
    FitWidth(k);
    label->Hint = ModIni->ReadString(e, "Description", "");
    LoadLogo(k, e);
    Icons[k]->Hint = ModIni->ReadString(e, "Game", "") + ": " + e;
    Icons[k]->SetVisible(true);
  }
}

bool TMainWindow::LoadLogoFile(std::string path, TBitmap& bitmap, bool& transparent) {
  if (ExtractFilePath(path).empty()) path = ExeDir() + "Logos\\" + path;
  transparent = false;
  if (!FileExists(path)) return false;
  const std::string ext = LowerCase(ExtractFileExt(path));
  bool loaded = false;
  try {
    if (ext == ".bmp") {
      bitmap.LoadFromFile(path);
      loaded = true;
    } else if (ext == ".ico" || ext == ".exe") {
      HICON handle = ext == ".ico" ? HICON(LoadImageA(nullptr, path.c_str(), IMAGE_ICON, 0, 0, LR_LOADFROMFILE))
                                   : ExtractIconA(GetModuleHandleA(nullptr), path.c_str(), 0);
      // ExtractIcon gives 1 for a file that is no program.
      TIconHandle owned(reinterpret_cast<UINT_PTR>(handle) > 1 ? handle : nullptr);
      IconToBitmap(owned.Get(), kIconMarker, bitmap);
      transparent = true;
      loaded = true;
    }
  } catch (const std::exception&) {
    loaded = false;
  }
  // Unreadable, or a kind of file that holds no logo.
  if (!loaded) {
    transparent = false;
    LoadUnknownLogo(bitmap);
  }
  return true;
}

void TMainWindow::LoadLogo(int row, const std::string& entry) {
  TImage* icon = Icons[row];
  TBitmap& bitmap = icon->Picture().Bitmap();
  if (!LoadLogoFile(ModIni->ReadString(entry, "Bitmap", ""), bitmap, icon->Transparent)) LoadUnknownLogo(bitmap);
  icon->Changed();
}

void TMainWindow::FitWidth(int row) {
  TLabel* label = Labels[row];
  const int slot = Skin->Data.Mainlist.Items[row].Width;
  const int text = TextSize(label->Font, label->Caption()).cx;
  if (text > slot) {
    label->AutoSize = false;
    label->SetWidth(slot);
  } else {
    label->AutoSize = true;
    label->SetWidth(text);
  }
}

void TMainWindow::ApplyListColours() {
  for (int k = 0; k < kRows; ++k) {
    TLabel* label = Labels[k];
    label->Font.Assign(Skin->Data.Mainlist.MainListunselFont);
    label->Font.Color = UnselectedColor;
    const int height = TextSize(label->Font, label->Caption()).cy;
    if (height > 0 && height != label->Height()) label->SetHeight(height);
    FitWidth(k);
    label->Invalidate();
  }
}
