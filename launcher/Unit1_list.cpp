// TForm1: the entry list of the current view, the ranking of the start
// counters with the quick entries, and painting the 13-row page.
#include "Unit1.h"

#include <algorithm>
#include <optional>

#include "FileUtils.h"
#include "I2BConve.h"
#include "Unit1_inisnapshot.h"
#include "WinGraphics.h"

#include <shellapi.h>

namespace {
// The colour that IconToBitmap paints under an icon's transparent pixels.
constexpr TColor kIconMarker = TColor(0x00123456);

SIZE TextSize(const TFont& font, const std::string& text) {
  TWindowDC screen(nullptr);
  TCanvas canvas(screen.DC());
  canvas.Font.Assign(font);
  return canvas.TextExtent(text);
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
void TForm1::LoadUnknownLogo(TBitmap& bitmap) {
  const std::string file = TForm1::ExeDir() + "Logos\\unknown.bmp";
  if (FileExists(file)) {
    try {
      bitmap.LoadFromFile(file);
      return;
    } catch (const std::exception&) {
    }
  }
  if (!LoadBitmapResource(bitmap, "UNKNOWN")) bitmap = TBitmap();
}
void TForm1::BuildList() {
  L1.Sorted = true;
  TrayStart = Arg(1) == "-tray";
  OnEndBeep = [] { MessageBeep(MB_OK); };
  Numero1 = new TNumero(this);
  Numero1->Name = "Numero1";
  Numero1->Numero = 1;
  Num1 = new TNumero(this);
  Num1->Name = "Num1";
  Lay1 = new TLayeredForm(this);
  Lay1->Name = "Lay1";
  Lay1->SetColorKey(clBlack);
  Lay1->SetLayerType(ltAlphaBlend);
  Lay1->Loaded();
  for (int k = 0; k < kRows; ++k) {
    Labels[k]->OnClick = [this](TComponent* s) { Label1Click(s); };
    Icons[k]->OnClick = [this](TComponent* s) { IconClick(s); };
    Labels[k]->OnDblClick = Icons[k]->OnDblClick = [this](TComponent* s) { Label1DblClick(s); };
  }
  OnMouseWheelDown = [this](TComponent*, TShiftState, POINT, bool& handled) {
    FormMouseWheelDown();
    handled = true;
  };
  OnMouseWheelUp = [this](TComponent*, TShiftState, POINT, bool& handled) {
    FormMouseWheelUp();
    handled = true;
  };
  A1->OnTimer = [this](TComponent* s) { A1Timer(s); };
  FAppEvents[0] = Application().AddOnMinimize([this](TComponent*) { ApplicationEvents1Minimize(); });
  FAppEvents[1] = Application().AddOnRestore([this](TComponent*) { ApplicationEvents1Restore(); });
  A1->SetEnabled(true);
}

void TForm1::OpenViewIni() {
  const std::string name = ExeDir() + (ViewName == "suosikit" ? "favourites.ini" : "Mod.ini");
  if (!ModIni || ModIni->FileName() != name) ModIni = std::make_unique<TIniFile>(name);
}

void TForm1::FilterList() {
  TIniFile& ini = *ModIni;
  LoadSorted(L1, ini);
  const std::string view = LowerCase(ViewName);
  if (view == "suosikit" || view == "kaikki" || view.empty()) return;
  TStringList all;
  all.Assign(L1);
  L1.Clear();
  const TIniSnapshot entries(ini);
  for (const std::string& e : all.Items())
    if (LowerCase(entries.ReadString(e, "Game", "")) == view) L1.Add(e);
  if (L1.Count() == 0) {
    ViewName = "kaikki";
    L1.Assign(all);
    L1.Sorted = true;
  }
}

void TForm1::lista() {
  const std::string modIni = ExeDir() + "Mod.ini";
  if (!ModIni || ModIni->FileName() != modIni) ModIni = std::make_unique<TIniFile>(modIni);
  LoadSorted(L1, *ModIni);
  B3.Clear();
  B4.Clear();
  B5.Clear();
  for (TQuickItem& item : QuickItems) item.Visible = false;
  RankStartCounts();

  const int index = OptionsIni->ReadInteger(kOptions, "showtopsindex", 0);
  if (OptionsIni->ReadBool(kOptions, "showtops", true) && index >= 0) {
    N3Visible = false;
    const int items = index == 0 ? 5 : index == 1 ? 10 : index == 3 ? 20 : 15;
    const TEntryIndex entries = B3.Count() > 0 ? IndexEntries() : TEntryIndex();
    for (int k = 0; k < items && k < B3.Count(); ++k) {
      const std::string entry = EntryOf(entries, B4[k], B5[k]);
      if (!entry.empty()) B4.SetString(k, entry);
      if (!B4[k].empty()) QuickItems[k] = TQuickItem{B4[k], true};
      if (k == 0) N3Visible = true;
    }
  } else {
    N3Visible = !(B3.Count() == 0 && L1.Count() > 0);
  }

  OpenViewIni();
  FilterList();
}

// The ranking of the start counters, best first; equal counts keep the
// file's order, and a count whose text is no number is passed over when a
// later count looks for its place. Read from one snapshot of the file, with
// the shown counts kept as numbers: the counters of a large collection
// would otherwise be read and parsed again for every comparison.
void TForm1::RankStartCounts() {
  const TIniSnapshot counts(*StartCountsIni);
  std::vector<std::optional<int>> ranked;  // B3 as numbers
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
      B3.Insert(int(at), text);
      B4.Insert(int(at), mod == "<>" ? std::string() : mod);
      B5.Insert(int(at), game);
    }
  }
}

TForm1::TEntryIndex TForm1::IndexEntries() const {
  const TIniSnapshot entries(*ModIni);
  TEntryIndex index;
  for (const std::string& e : L1.Items())
    index.emplace(LowerCase(entries.ReadString(e, "Mod", "")) + '\n' + LowerCase(entries.ReadString(e, "Game", "")), e);
  return index;
}

std::string TForm1::EntryOf(const TEntryIndex& index, const std::string& mod, const std::string& game) {
  // Neither value can hold a line break: it separates the two.
  auto it = index.find(LowerCase(mod) + '\n' + LowerCase(game));
  return it == index.end() ? std::string() : it->second;
}

// A page scrolled further than the list now reaches comes back to its end.
void TForm1::ClampPage() {
  const int count = L1.Count();
  TopIndex = std::clamp(TopIndex, 0, std::max(0, count - kRows));
  const int rows = std::min(kRows, count - TopIndex);
  if (SelectedRow >= rows) SelectedRow = rows - 1;
  if (SelectedRow < -1) SelectedRow = -1;
}

void TForm1::pai(bool reset) {
  const Tbxskinmainlist& skin = bxs->Data.Mainlist;
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

  Image15->Hint = "Modify (Ctrl+M)";
  Image17->Hint = "Remove (Delete)";
  if (L1.Count() > 0 && reset) {
    SelectedRow = 0;
    Image15->Hint = "Modify " + L1[0] + " (Ctrl+M)";
    Image17->Hint = "Remove " + L1[0] + " (Delete)";
  }

  const bool numbers = OptionsIni->ReadBool(kOptions, "shownumbers", false);
  for (int k = 0; k < kRows && TopIndex + k < L1.Count(); ++k) {
    const std::string& e = L1[TopIndex + k];
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

bool TForm1::LoadLogoFile(std::string path, TBitmap& bitmap, bool& transparent) {
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

void TForm1::LoadLogo(int row, const std::string& entry) {
  TImage* icon = Icons[row];
  TBitmap& bitmap = icon->Picture().Bitmap();
  if (!LoadLogoFile(ModIni->ReadString(entry, "Bitmap", ""), bitmap, icon->Transparent)) LoadUnknownLogo(bitmap);
  icon->Changed();
}

void TForm1::FitWidth(int row) {
  TLabel* label = Labels[row];
  const int slot = bxs->Data.Mainlist.Items[row].Width;
  const int text = TextSize(label->Font, label->Caption()).cx;
  if (text > slot) {
    label->AutoSize = false;
    label->SetWidth(slot);
  } else {
    label->AutoSize = true;
    label->SetWidth(text);
  }
}

void TForm1::vari() {
  for (int k = 0; k < kRows; ++k) {
    TLabel* label = Labels[k];
    label->Font.Assign(bxs->Data.Mainlist.MainListunselFont);
    label->Font.Color = UnselectedColor;
    const int height = TextSize(label->Font, label->Caption()).cy;
    if (height > 0 && height != label->Height()) label->SetHeight(height);
    FitWidth(k);
    label->Invalidate();
  }
}
