// TForm1: applying the skin and the options to the window: rows, icons,
// buttons, colours, cursors, the click sound and snapping to the screen edges.
#include "Unit1.h"

#include <algorithm>
#include <set>

#include "Streams.h"
#include "WinGraphics.h"

namespace {

// Cursor slots 1..9: the resource names of set 1 (set 2 puts "2" after
// "Cur") and the skin file name without extension.
const struct {
  const char* resource;
  const char* file;
} kCursorSlots[9] = {{"Cur", "cur"},         {"Cur_About", "cur_about"}, {"Cur_down", "cur_down"},
                     {"Cur_Exit", "cur_exit"}, {"Cur_Modify", "cur_modify"}, {"Cur_new", "cur_new"},
                     {"Cur_remove", "cur_remove"}, {"Cur_Settings", "cur_settings"}, {"Cur_up", "cur_up"}};

int LabelHeight(const TFont& font) {
  TWindowDC screen(nullptr);
  TCanvas canvas(screen.DC());
  canvas.Font.Assign(font);
  return canvas.TextExtent("Ag").cy;
}
}  // namespace

TImage* TForm1::ButtonControl(int button) const {
  // In the skin's button order: New, Modify, Remove, Remove all, Settings,
  // About, Close, Up, Down.
  TImage* const controls[9] = {Image18, Image15, Image17, Image16, Image14, Image13, Image1, Image2a, Image3a};
  return controls[button];
}

void TForm1::lataa() {
  vaihdafontti();
  paivitaicot();
  SelectedColor = bxs->Data.Mainlist.MainListselFont.Color;
  UnselectedColor = bxs->Data.Mainlist.MainListunselFont.Color;
  for (int i = 0; i < TbxskinData::kButtonCount; ++i) {
    Tbxskinnappi& b = bxs->Data.Button(i);
    TImage* control = ButtonControl(i);
    if (b.Kuvak) {
      control->Picture().Assign(b.Kuva);
      control->Transparent = b.Kuvalapik;
      if (auto* bitmap = dynamic_cast<TBitmap*>(control->Picture().Graphic()))
        bitmap->FixedTransparentColor = b.Kuvalvari;
    } else {
      control->Picture().Clear();
    }
    control->Changed();
    control->SetBounds(b.Left, b.Top, b.Width, b.Height);
  }
}

void TForm1::vaihdafontti() {
  const Tbxskinmainlist& list = bxs->Data.Mainlist;
  int height = LabelHeight(list.MainListunselFont);
  for (int k = 0; k < kRows; ++k) {
    TLabel* label = Labels[k];
    label->Font.Assign(list.MainListunselFont);
    const Tbxskinitem& item = list.Items[k];
    label->SetBounds(list.Left + item.Left, list.Top + k * (height + list.RowSpacing()), item.Width, height);
  }
}

void TForm1::paivitaicot() {
  const Tbxskiniconlist& list = bxs->Data.Iconlist;
  int top = list.Top;
  for (int k = 0; k < kRows; ++k) {
    const Tbxskinitem& item = list.Items[k];
    int w = list.IconWidth + item.Width, h = list.IconHeight + item.Width;
    if (k > 0) top += Icons[k - 1]->Height() + list.IconSpacing();
    Icons[k]->SetBounds(list.Left + item.Left, top, w, h);
  }
}

bool TForm1::smoothtesti() {
  auto same = [](const auto& items) {
    return std::all_of(items.begin(), items.end(), [&](const Tbxskinitem& i) {
      return i.Left == items[0].Left && i.Width == items[0].Width;
    });
  };
  return same(bxs->Data.Mainlist.Items) && same(bxs->Data.Iconlist.Items);
}

void TForm1::tyhjaskin() {
  ResetSkinData();
  lataa();
}

void TForm1::ResetSkinData() {
  bxs->Filename.clear();
  TMemoryStream stream;
  tyhja->SaveToStream(stream);
  stream.SetPosition(0);
  bxs->LoadFromStream(stream);
  bxs->Data.Kuva.Clear();
  for (int i = 0; i < TbxskinData::kButtonCount; ++i) {
    Tbxskinnappi& b = bxs->Data.Button(i);
    b.Kuva.Clear();
    b.Valittu.Clear();
    b.Painettu.Clear();
  }
  bxs->Data.Tekija.clear();
  bxs->Data.Title.clear();
  bxs->Data.Comments.Clear();
}

TColor TForm1::vastavari(TColor colour) {
  // As displayed: the colour painted, then copied onto itself inverted.
  TWindowDC screen(nullptr);
  TMemDCHandle dc(CreateCompatibleDC(screen.DC()));
  TBitmapHandle bitmap(CreateCompatibleBitmap(screen.DC(), 2, 2));
  TSelectGuard select(dc.Get(), bitmap.Get());
  TCanvas canvas(dc.Get());
  canvas.BrushColor = colour;
  canvas.FillRect(RECT{0, 0, 2, 2});
  BitBlt(dc.Get(), 0, 0, 2, 2, dc.Get(), 0, 0, NOTSRCCOPY);
  return TColor(GetPixel(dc.Get(), 0, 0));
}

void TForm1::bxcursors() {
  const std::vector<std::vector<TControl*>> controls = {
      {}, {Image13}, {Image3a}, {Image1}, {Image15}, {Image18}, {Image17, Image16}, {Image14}, {Image2a}};
  auto give = [&](int slot, TCursor cursor) {
    if (slot == 0) {
      C1->Cursor = cursor;
      for (int k = 0; k < kRows; ++k) Labels[k]->Cursor = Icons[k]->Cursor = cursor;
    }
    for (TControl* c : controls[slot]) c->Cursor = cursor;
  };
  if (OptionsIni->ReadBool(kOptions, "bxcursors", true)) {
    bool second = OptionsIni->ReadInteger(kOptions, "cursor", 0) != 0;
    for (int slot = 0; slot < 9; ++slot) {
      std::string name = kCursorSlots[slot].resource;
      if (second) name = "Cur2" + name.substr(3);
      ScreenCursors().SetResource(slot + 1, name);
      give(slot, slot + 1);
    }
  } else {
    for (int slot = 0; slot < 9; ++slot) give(slot, crDefault);
  }
  if (LowerCase(ExtractFileExt(OptionsIni->ReadString(kOptions, "Nahka", ""))) != ".bxs") return;
  const std::string temp = ExeDir() + "temp\\";
  // One listing of the folder answers all eighteen names.
  std::set<std::string> present;
  for (const std::string& name : FolderEntries(temp, "cur*.*", false)) present.insert(LowerCase(name));
  for (int slot = 0; slot < 9; ++slot) {
    for (const char* ext : {".cur", ".ani"}) {
      const std::string name = kCursorSlots[slot].file + std::string(ext);
      if (!present.count(LowerCase(name))) continue;
      const std::string file = temp + name;
      if (TCursorHandle cursor = TScreenCursors::FromFile(file)) {
        ScreenCursors().Set(slot + 1, std::move(cursor));
        give(slot, slot + 1);
      }
      break;
    }
  }
}

void TForm1::paivitabx() {
  bxcursors();
  SetFadeEnabled(OptionsIni->ReadBool(kOptions, "fade", true));
  SetSnapEnabled(OptionsIni->ReadBool(kOptions, "Snap", true));
  SnapPixels = OptionsIni->ReadInteger(kOptions, "Snappixels", 20);
  std::string skin = OptionsIni->ReadString(kOptions, "Nahka", "");
  if (LowerCase(ExtractFileExt(skin)) != ".bxs") {
    ColoursFromColFile(skin, StringToColor(OptionsIni->ReadString(kOptions, "Vari", "clLime")),
                       StringToColor(OptionsIni->ReadString(kOptions, "Vari2", "$00BFD7BF")));
    if (OptionsIni->ReadBool(kOptions, "invert", false)) {
      SelectedColor = vastavari(SelectedColor);
      UnselectedColor = vastavari(UnselectedColor);
    }
  }
  pai(false);
  Invalidate();
  C1->ApplyMaskRegion();
  bool top = OptionsIni->ReadBool(kOptions, "top", false);
  if (top != (FormStyle() == fsStayOnTop)) {
    SetFormStyle(top ? fsStayOnTop : fsNormal);
    StyleChanged = true;
  }
  C1->ApplyMaskRegion();
  // Each label as wide as its text, up to its slot, as the page paints them.
  for (int k = 0; k < kRows; ++k) FitWidth(k);
  SnapToScreenEdges();
  SetMenuGradients();
}

void TForm1::nappi() {
  if (OptionsIni->ReadBool(kOptions, "Nocsound", false) || MediaPlayer1->Mode() == mpPlaying) return;
  PlayChosenSound({"defaultcsound", "randomcsound", "cSound"}, ExeDir() + "sounds\\Click\\Click.wav",
                  ExeDir() + "sounds\\click\\");
}

RECT DesktopRect() {
  int l = GetSystemMetrics(SM_XVIRTUALSCREEN), t = GetSystemMetrics(SM_YVIRTUALSCREEN);
  return RECT{l, t, l + GetSystemMetrics(SM_CXVIRTUALSCREEN), t + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

POINT SnapPosition(POINT pos, SIZE window, RECT desktop, int s) {
  int w = desktop.right - desktop.left, h = desktop.bottom - desktop.top;
  if (pos.x > w - window.cx - s) pos.x = w - window.cx;
  if (pos.x < desktop.left + s) pos.x = 0;
  if (pos.y > h - window.cy - s) pos.y = h - window.cy;
  if (pos.y < desktop.top + s) pos.y = 0;
  return pos;
}

POINT ClampPosition(POINT pos, SIZE window, RECT desktop) {
  pos.x = std::max<LONG>(desktop.left, std::min<LONG>(pos.x, desktop.right - window.cx));
  pos.y = std::max<LONG>(desktop.top, std::min<LONG>(pos.y, desktop.bottom - window.cy));
  return pos;
}

void TForm1::ClampToDesktop() {
  POINT p = ClampPosition(POINT{Left(), Top()}, SIZE{Width(), Height()}, DesktopRect());
  SetBounds(p.x, p.y, Width(), Height());
}

void TForm1::SnapToScreenEdges() {
  if (!SnapEnabled()) return;
  POINT p = SnapPosition(POINT{Left(), Top()}, SIZE{Width(), Height()}, DesktopRect(), SnapPixels);
  SetBounds(p.x, p.y, Width(), Height());
}

void TForm1::WindowPosChanging(WINDOWPOS& pos) {
  TForm::WindowPosChanging(pos);
  if (!SnapEnabled() || (pos.flags & SWP_NOMOVE) || IsIconic(FHandle)) return;
  SIZE size{(pos.flags & SWP_NOSIZE) ? Width() : pos.cx, (pos.flags & SWP_NOSIZE) ? Height() : pos.cy};
  POINT p = SnapPosition(POINT{pos.x, pos.y}, size, DesktopRect(), SnapPixels);
  pos.x = p.x;
  pos.y = p.y;
}
