// TMainWindow: applying the skin and the options to the window: rows, icons,
// buttons, colours, cursors, the click sound and snapping to the screen edges.
#include "MainWindow.h"

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

TImage* TMainWindow::ButtonControl(int button) const {
  // In the skin's button order: New, Modify, Remove, Remove all, Settings,
  // About, Close, Up, Down.
  TImage* const controls[9] = {NewButton,   ModifyButton, RemoveButton, RemoveAllButton, SettingsButton,
                               AboutButton, CloseButton,  UpButton,     DownButton};
  return controls[button];
}

void TMainWindow::ApplySkinData() {
  LayOutLabels();
  LayOutIcons();
  SelectedColor = Skin->Data.Mainlist.MainListselFont.Color;
  UnselectedColor = Skin->Data.Mainlist.MainListunselFont.Color;
  for (int i = 0; i < TbxskinData::kButtonCount; ++i) {
    Tbxskinnappi& b = Skin->Data.Button(i);
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

void TMainWindow::LayOutLabels() {
  const Tbxskinmainlist& list = Skin->Data.Mainlist;
  int height = LabelHeight(list.MainListunselFont);
  for (int k = 0; k < kRows; ++k) {
    TLabel* label = Labels[k];
    label->Font.Assign(list.MainListunselFont);
    const Tbxskinitem& item = list.Items[k];
    label->SetBounds(list.Left + item.Left, list.Top + k * (height + list.RowSpacing()), item.Width, height);
  }
}

void TMainWindow::LayOutIcons() {
  const Tbxskiniconlist& list = Skin->Data.Iconlist;
  int top = list.Top;
  for (int k = 0; k < kRows; ++k) {
    const Tbxskinitem& item = list.Items[k];
    int w = list.IconWidth + item.Width, h = list.IconHeight + item.Width;
    if (k > 0) top += Icons[k - 1]->Height() + list.IconSpacing();
    Icons[k]->SetBounds(list.Left + item.Left, top, w, h);
  }
}

bool TMainWindow::SkinAllowsSmoothScroll() {
  auto same = [](const auto& items) {
    return std::all_of(items.begin(), items.end(), [&](const Tbxskinitem& i) {
      return i.Left == items[0].Left && i.Width == items[0].Width;
    });
  };
  return same(Skin->Data.Mainlist.Items) && same(Skin->Data.Iconlist.Items);
}

void TMainWindow::ApplyEmptySkin() {
  ResetSkinData();
  ApplySkinData();
}

void TMainWindow::ResetSkinData() {
  Skin->Filename.clear();
  TMemoryStream stream;
  EmptySkin->SaveToStream(stream);
  stream.SetPosition(0);
  Skin->LoadFromStream(stream);
  Skin->Data.Kuva.Clear();
  for (int i = 0; i < TbxskinData::kButtonCount; ++i) {
    Tbxskinnappi& b = Skin->Data.Button(i);
    b.Kuva.Clear();
    b.Valittu.Clear();
    b.Painettu.Clear();
  }
  Skin->Data.Tekija.clear();
  Skin->Data.Title.clear();
  Skin->Data.Comments.Clear();
}

TColor TMainWindow::InvertedColour(TColor colour) {
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

void TMainWindow::ApplyCursors() {
  const std::vector<std::vector<TControl*>> controls = {{},
                                                        {AboutButton},
                                                        {DownButton},
                                                        {CloseButton},
                                                        {ModifyButton},
                                                        {NewButton},
                                                        {RemoveButton, RemoveAllButton},
                                                        {SettingsButton},
                                                        {UpButton}};
  auto give = [&](int slot, TCursor cursor) {
    if (slot == 0) {
      Face->Cursor = cursor;
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
  if (LowerCase(ExtractFileExt(OptionsIni->ReadString(kOptions, kSkinKey, ""))) != ".bxs") return;
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

void TMainWindow::ReapplyOptions() {
  ApplyCursors();
  SetFadeEnabled(OptionsIni->ReadBool(kOptions, "fade", true));
  SetSnapEnabled(OptionsIni->ReadBool(kOptions, "Snap", true));
  SnapPixels = OptionsIni->ReadInteger(kOptions, "Snappixels", 20);
  std::string skin = OptionsIni->ReadString(kOptions, kSkinKey, "");
  if (LowerCase(ExtractFileExt(skin)) != ".bxs") {
    ColoursFromColFile(skin, StringToColor(OptionsIni->ReadString(kOptions, "Vari", "clLime")),
                       StringToColor(OptionsIni->ReadString(kOptions, "Vari2", "$00BFD7BF")));
    if (OptionsIni->ReadBool(kOptions, "invert", false)) {
      SelectedColor = InvertedColour(SelectedColor);
      UnselectedColor = InvertedColour(UnselectedColor);
    }
  }
  PaintPage(false);
  Invalidate();
  Face->ApplyMaskRegion();
  bool top = OptionsIni->ReadBool(kOptions, "top", false);
  if (top != (FormStyle() == fsStayOnTop)) {
    SetFormStyle(top ? fsStayOnTop : fsNormal);
    StyleChanged = true;
  }
  Face->ApplyMaskRegion();
  // Each label as wide as its text, up to its slot, as the page paints them.
  for (int k = 0; k < kRows; ++k) FitWidth(k);
  SnapToScreenEdges();
  SetMenuGradients();
}

void TMainWindow::PlayClickSound() {
  if (OptionsIni->ReadBool(kOptions, "Nocsound", false) || SoundPlayer->Mode() == mpPlaying) return;
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

void TMainWindow::ClampToDesktop() {
  POINT p = ClampPosition(POINT{Left(), Top()}, SIZE{Width(), Height()}, DesktopRect());
  SetBounds(p.x, p.y, Width(), Height());
}

void TMainWindow::SnapToScreenEdges() {
  if (!SnapEnabled()) return;
  POINT p = SnapPosition(POINT{Left(), Top()}, SIZE{Width(), Height()}, DesktopRect(), SnapPixels);
  SetBounds(p.x, p.y, Width(), Height());
}

void TMainWindow::WindowPosChanging(WINDOWPOS& pos) {
  TForm::WindowPosChanging(pos);
  if (!SnapEnabled() || (pos.flags & SWP_NOMOVE) || IsIconic(FHandle)) return;
  SIZE size{(pos.flags & SWP_NOSIZE) ? Width() : pos.cx, (pos.flags & SWP_NOSIZE) ? Height() : pos.cy};
  POINT p = SnapPosition(POINT{pos.x, pos.y}, size, DesktopRect(), SnapPixels);
  pos.x = p.x;
  pos.y = p.y;
}
