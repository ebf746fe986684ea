// TForm3's "Half-Life manager" page: the mods of the Half-Life folder and the
// map cycle editor of the chosen mod's mapcycle.txt.
#include "Unit3.h"

#include "CommonDialogs.h"
#include "Dialogs.h"
#include "FileUtils.h"
#include "PakExplr.h"
#include "Unit11.h"
#include "Unit3_place.h"

using namespace settings_ui;

namespace {
constexpr char kMapCycle[] = "mapcycle.txt";
constexpr char kLiblist[] = "liblist.gam";
constexpr int kMapExtensionLength = 4;  // ".bsp"

std::string CutExtension(const std::string& name) {
  return name.size() > kMapExtensionLength ? name.substr(0, name.size() - kMapExtensionLength) : std::string();
}
}  // namespace

namespace {
std::string JoinLines(const std::vector<std::string>& lines) {
  std::string text;
  for (size_t i = 0; i < lines.size(); ++i) text += (i ? "\r\n" : "") + lines[i];
  return text;
}
}  // namespace

std::vector<std::string> TForm3::MemoLines(const TMemo& memo) {
  // A break at the end of the text is a last, empty line.
  const std::string text = memo.Text();
  std::vector<std::string> lines = SplitLines(text);
  if (!text.empty() && (text.back() == '\n' || text.back() == '\r')) lines.emplace_back();
  return lines;
}

void TForm3::SetMemoLines(TMemo& memo, const std::vector<std::string>& lines) { memo.SetText(JoinLines(lines)); }

std::vector<std::string> TForm3::EditedLines(const TMemo& memo, const TGameText& loaded) {
  return memo.Text() == JoinLines(loaded.Lines) ? loaded.Lines : MemoLines(memo);
}

bool TForm3::OpenInMemo(TMemo& memo, const std::string& file, TGameText& text) {
  text = TGameText{};
  std::string error;
  try {
    if (!file.empty() && FileExists(file)) text = ReadGameText(file);
    SetMemoLines(memo, text.Lines);
    if (memo.Text() != JoinLines(text.Lines))
      error = "Cannot edit " + file + ": it is too large for the editor. The file was left as it is.";
  } catch (const Exception& e) {
    error = e.Message();
  }
  if (error.empty()) return true;
  // Nothing of the file, nor of the file shown before, stays to be saved.
  text = TGameText{};
  memo.SetText("");
  memo.SetEnabled(false);
  MessageDlg(error, mtError, mbOK);
  return false;
}

void TForm3::BuildHalfLifePage() {
  Text(HalfLifeManager, this, 8, 8, 150, "Half-Life modifications:");
  LQ = Place<TListBox>(HalfLifeManager, this, 8, 26, 150, 304);
  Pa = Place<TPageControl>(HalfLifeManager, this, 166, 4, 372, 328);
  Mapcycle = new TTabSheet(this);
  Mapcycle->SetCaption("Mapcycle editor");
  Mapcycle->SetPageControl(Pa);
  Liblist = new TTabSheet(this);
  Liblist->SetCaption("Liblist editor");
  Liblist->SetPageControl(Pa);

  Memo3 = Place<TMemo>(Mapcycle, this, 4, 4, 236, 290);
  Memo3->WordWrap = false;
  Memo3->ScrollBars = ssBoth;
  const std::pair<TButton**, const char*> buttons[] = {
      {&SpeedButton20, "Save"},           {&SpeedButton21, "Select maps"},    {&SpeedButton26, "Smart add"},
      {&SpeedButton22, "Add all maps"},   {&SpeedButton27, "Randomize maps"}, {&SpeedButton25, "Clear mapcycle"}};
  int top = 4;
  for (auto [button, caption] : buttons) {
    *button = Button(Mapcycle, this, 246, top, 114, caption, caption);
    top += 30;
  }
  Label21 = Text(Mapcycle, this, 246, top + 6, 114, "0 maps");
  BuildLiblistPage();

  HalfLifeManager->OnShow = [this](TComponent* s) { halfShow(s); };
  LQ->OnClick = [this](TComponent* s) { LQClick(s); };
  SpeedButton20->OnClick = [this](TComponent* s) { SpeedButton20Click(s); };
  SpeedButton21->OnClick = [this](TComponent* s) { SpeedButton21Click(s); };
  SpeedButton26->OnClick = [this](TComponent* s) { SpeedButton26Click(s); };
  SpeedButton22->OnClick = [this](TComponent* s) { SpeedButton22Click(s); };
  SpeedButton27->OnClick = [this](TComponent* s) { SpeedButton27Click(s); };
  SpeedButton25->OnClick = [this](TComponent* s) { SpeedButton25Click(s); };
  Memo3->OnChange = [this](TComponent* s) {
    if (!FFilling) FMapCycleDirty = true;
    Memo3Change(s);
  };
}

std::string TForm3::SelectedHalfLifeMod() const {
  if (LQ->ItemIndex() < 0) return "";
  std::string folder = GameFolder("half-life");
  return folder.empty() ? "" : IncludeTrailingBackslash(folder) + LQ->Items[LQ->ItemIndex()] + "\\";
}

void TForm3::halfShow(TComponent*) {
  FFilling = true;
  Ty->SetItemIndex(0);
  tyedit->SetText("");
  Memo3->SetText("");
  Memo4->SetText("");
  FMapCycleDirty = FLiblistDirty = false;
  FLoadedMod = FMapCycleFile = FLiblistFile = "";
  for (TControl* c : std::initializer_list<TControl*>{Memo3, Memo4, SpeedButton20, SpeedButton21, SpeedButton26,
                                                      SpeedButton22, SpeedButton27, SpeedButton25, Ty, tyedit,
                                                      SpeedButton19})
    c->SetEnabled(true);
  Pa->SetActivePage(Mapcycle);
  LQ->Items.Clear();
  std::string folder = GameFolder("half-life");
  if (!folder.empty()) {
    TFileListBox halfi(nullptr);
    for (const std::string& mod : SubFolders(halfi, IncludeTrailingBackslash(folder))) LQ->Items.Add(mod);
  }
  Memo3Change(Memo3);
  FFilling = false;
}

void TForm3::LQClick(TComponent*) {
  const std::string mod = SelectedHalfLifeMod();
  if (mod.empty() || mod == FLoadedMod) return;
  if (!OfferToSaveEditors()) {
    const std::string loaded = FLoadedMod.empty() ? "" : FLoadedMod.substr(0, FLoadedMod.size() - 1);
    LQ->SetItemIndex(loaded.empty() ? -1 : LQ->Items.IndexOf(ExtractFileName(loaded)));
    return;
  }
  FFilling = true;
  struct TEndFilling {
    bool& Filling;
    ~TEndFilling() { Filling = false; }
  } endFilling{FFilling};
  // A file that cannot be opened leaves its editor empty, without a file to
  // save to; choosing the mod again tries once more.
  FMapCycleFile = FLiblistFile = FLoadedMod = "";
  const bool cycle = OpenInMemo(*Memo3, mod + kMapCycle, FMapCycleText);
  const bool liblist = OpenInMemo(*Memo4, mod + kLiblist, FLiblistText);
  if (cycle) FMapCycleFile = mod + kMapCycle;
  if (liblist) FLiblistFile = mod + kLiblist;
  if (cycle && liblist) FLoadedMod = mod;
  for (TControl* c : std::initializer_list<TControl*>{Memo3, SpeedButton20, SpeedButton21, SpeedButton26,
                                                      SpeedButton22, SpeedButton27, SpeedButton25})
    c->SetEnabled(cycle);
  for (TControl* c : std::initializer_list<TControl*>{Memo4, Ty, tyedit, SpeedButton19}) c->SetEnabled(liblist);
  FMapCycleDirty = FLiblistDirty = false;
  Memo3Change(Memo3);
  TyChange(Ty);
}

void TForm3::SaveMapCycle() {
  if (FMapCycleFile.empty()) return;
  FMapCycleText = WithLines(FMapCycleText, EditedLines(*Memo3, FMapCycleText));
  WriteGameText(FMapCycleFile, FMapCycleText);
  FMapCycleDirty = false;
}

void TForm3::SpeedButton20Click(TComponent*) { SaveMapCycle(); }

void TForm3::GatherMaps(TForm11& maps) {
  const std::string mod = SelectedHalfLifeMod();
  maps.L1->Items.Clear();
  auto add = [&](const std::string& name) {
    if (!name.empty() && maps.L1->Items.IndexOf(name) < 0) maps.L1->Items.Add(name);
  };
  maps.F1->FileType = ftNormal;
  maps.F1->Mask = "*.pak";
  maps.F1->Directory = mod;
  maps.F1->Update();
  try {
    TPakExplr pak(nullptr);
    pak.ResourceType = ptMaps;
    for (int i = 0; i < maps.F1->Items.Count(); ++i) {
      pak.PakFile = mod + maps.F1->Items[i];
      if (!pak.Explore()) continue;
      maps.LB1->Items.Assign(pak.ResourceList());
      for (int k = 0; k < maps.LB1->Items.Count(); ++k) add(CutExtension(maps.LB1->Items[k]));
    }
  } catch (const std::exception&) {
    // An unreadable archive ends the archives' part; its maps so far stay.
  }
  maps.F1->Mask = "*.bsp";
  maps.F1->Directory = mod + "maps\\";
  maps.F1->Update();
  for (int i = 0; i < maps.F1->Items.Count(); ++i) add(CutExtension(maps.F1->Items[i]));
}

void TForm3::AppendMissingMaps(const std::vector<std::string>& maps, const std::string& containing) {
  std::vector<std::string> lines = MemoLines(*Memo3);
  const size_t before = lines.size();
  const std::string part = LowerCase(containing);
  for (const std::string& map : maps)
    if (!HasLineNoCase(lines, map) && LowerCase(map).find(part) != std::string::npos) lines.push_back(map);
  if (lines.size() != before) SetMemoLines(*Memo3, lines);
}

void TForm3::SpeedButton22Click(TComponent*) {
  if (SelectedHalfLifeMod().empty()) return;
  TForm11 picker(nullptr, Handle());
  GatherMaps(picker);
  AppendMissingMaps(picker.L1->Items.ToStringList().Items());
  Memo3Change(Memo3);
}

void TForm3::SpeedButton21Click(TComponent*) {
  if (SelectedHalfLifeMod().empty()) return;
  TForm11 picker(nullptr, Handle());
  GatherMaps(picker);
  picker.ShowModal();
  if (picker.Tag == 1) AppendMissingMaps(picker.CheckedItems());
  Memo3Change(Memo3);
}

void TForm3::SpeedButton26Click(TComponent*) {
  if (SelectedHalfLifeMod().empty()) return;
  std::string part;
  bool ok = InputQuery("Smart add", "Type in the part of the map name?", part);
  part = Trim(part);
  if (ok && !part.empty()) {
    TForm11 picker(nullptr, Handle());
    GatherMaps(picker);
    AppendMissingMaps(picker.L1->Items.ToStringList().Items(), part);
  }
  Memo3Change(Memo3);
}

void TForm3::SpeedButton27Click(TComponent*) {
  std::vector<std::string> lines = MemoLines(*Memo3);
  if (lines.empty()) return;
  ShuffleLines(lines, [this](int below) { return int(std::uniform_int_distribution<int>(0, below - 1)(FRandom)); });
  SetMemoLines(*Memo3, lines);
}

void TForm3::SpeedButton25Click(TComponent*) {
  if (!SelectedHalfLifeMod().empty() && MessageDlg("Confirm clear mapcycle?", mtConfirmation, mbYesNo) == mrYes) {
    Memo3->SetText("");
    SaveMapCycle();
  }
  Memo3Change(Memo3);
}

void TForm3::Memo3Change(TComponent*) {
  Label21->SetCaption(std::to_string(CountMaps(MemoLines(*Memo3))) + " maps");
}
