// The main window's Properties page: one element at a time, chosen in ElementCombo (a
// button, the mod list or the icon list), with its values written into the
// skin at once.
//
// Departures from the original page: the icon size and the items' size
// offsets are spin edits limited to the up-downs' ranges; "Save Picture"
// always writes a Windows bitmap, whatever format the picture was read from.
#include "EditorWindow.h"

#include <algorithm>

#include "ControlMaking.h"
#include "Dialogs.h"

using ctrl::Place;

namespace {
const char* const kElements[] = {"New button",   "Modify button",       "Remove button", "Remove all button",
                                 "BX2000 settings button", "About button", "Close BX2000 button", "Up button",
                                 "Down button",  "Mod list",            "Icon list"};
const char* const kGroupCaptions[3] = {"Picture", "Click picture", "Hot picture"};
constexpr int kPageHeights[3] = {469, 590, 590};
constexpr int kButtonElements = TbxskinData::kButtonCount;
constexpr int kModListPage = 1, kIconListPage = 2;
constexpr int kMinButtonSize = 8;
constexpr int kComboTop = 4;
constexpr int kItemRow = 38;

std::string SizeText(int size) { return IntToStr(size) + "x" + IntToStr(size); }
}  // namespace

void TEditorWindow::CreatePropertiesPage() {
  ElementCombo = new TComboBox(this);
  ElementCombo->Style = csDropDownList;
  ElementCombo->DropDownCount = 11;
  ElementCombo->SetBounds(4, kComboTop, 192, 22);
  ElementCombo->SetParent(Properties);
  for (const char* e : kElements) ElementCombo->Items.Add(e);
  ElementCombo->OnChange = [this](TComponent* s) { ElementComboChange(s); };
  PropertyBox = Place<TScrollBox>(Properties, this, 0, kPagesTop, 200, 400);
  for (int i = 0; i < 3; ++i) {
    auto* page = new TPanel(this);
    page->BevelOuter = bvNone;
    page->SetBounds(0, 0, 178, kPageHeights[i]);
    page->SetParent(PropertyBox);  // first: a shown panel without a parent would be a window of its own
    page->SetVisible(i == 0);
    ElementPages[size_t(i)] = page;
  }
  CreateButtonPage(ElementPages[0]);
  CreateModListPage(ElementPages[1]);
  CreateIconListPage(ElementPages[2]);
}

void TEditorWindow::CreateButtonPage(TPanel* page) {
  const char* captions[4] = {"Top:", "Left:", "Width:", "Height:"};
  for (int i = 0; i < 4; ++i) {
    AddLabel(page, captions[i], 4, 6 + i * 24, 44);
    ButtonSpins[size_t(i)] = AddSpin(page, 50, 4 + i * 24, 70, [this, i](TComponent*) { ButtonSpinChange(i); });
  }
  for (int g = 0; g < 3; ++g) {
    TPictureGroup& group = Groups[size_t(g)];
    // A panel rather than a group box: the panel paints the thumbnail and the swatch.
    group.Box = new TPanel(this);
    group.Box->BevelOuter = bvLowered;
    group.Box->SetBounds(2, 104 + g * 118, 174, 114);
    group.Box->SetParent(page);
    AddLabel(group.Box, kGroupCaptions[g], 6, 1, 100);
    group.Open = AddButton(group.Box, "Open", 6, 16, 40, 22, [this, g] { OpenPictureClick(g); });
    group.Open->Hint = "Open Picture";
    group.Clear = AddButton(group.Box, "Clear", 48, 16, 40, 22, [this, g] { ClearPictureClick(g); });
    group.Clear->Hint = "Clear";
    group.Save = AddButton(group.Box, "Save", 90, 16, 40, 22, [this, g] { SavePictureClick(g); });
    group.Save->Hint = "Save Picture";
    group.Swatch = AddSwatch(group.Box, 140, 17, [this, g] { PictureSwatchMouseDown(g); });
    group.Swatch->Hint = "Transparent color:";
    group.Picker = new TToggleButton(this);
    group.Picker->SetCaption("Color selector");
    group.Picker->SetBounds(6, 42, 90, 22);
    group.Picker->SetParent(group.Box);
    group.Thumb = new TImage(this);
    group.Thumb->Stretch = true;
    group.Thumb->SetBounds(100, 42, 68, 64);
    group.Thumb->SetParent(group.Box);
    group.Thumb->OnMouseMove = [this, g](TComponent*, TShiftState s, int x, int y) { ThumbMouseMove(g, s, x, y); };
    group.Enabled = new TCheckBox(this);
    group.Enabled->SetCaption("Enabled");
    group.Enabled->SetBounds(6, 68, 90, 18);
    group.Enabled->SetParent(group.Box);
    group.Enabled->OnClick = [this, g](TComponent*) { EnabledClick(g); };
    group.Transparent = new TCheckBox(this);
    group.Transparent->SetCaption("Transparent");
    group.Transparent->SetBounds(6, 88, 90, 18);
    group.Transparent->SetParent(group.Box);
    group.Transparent->OnClick = [this, g](TComponent*) { TransparentClick(g); };
  }
}

void TEditorWindow::AddListHead(TPanel* page, const std::function<void(TComponent*)>& change, TSpinEdit*& leading,
                         TSpinEdit*& top, TSpinEdit*& left) {
  TSpinEdit** spins[3] = {&leading, &top, &left};
  const char* captions[3] = {"Leading:", "Top:", "Left:"};
  for (int i = 0; i < 3; ++i) {
    AddLabel(page, captions[i], 4, 6 + i * 24, 50);
    *spins[i] = AddSpin(page, 60, 4 + i * 24, 70, change);
  }
}

void TEditorWindow::CreateModListPage(TPanel* page) {
  auto change = [this](TComponent* s) { ModListSpinChange(s); };
  AddListHead(page, change, ModListLeadingSpin, ModListTopSpin, ModListLeftSpin);
  for (int k = 0; k < kRows; ++k) {
    const int y = 80 + k * kItemRow;
    AddLabel(page, "Item " + IntToStr(k + 1), 4, y, 60);
    AddLabel(page, "Left:", 4, y + 18, 30);
    ModItemLeft[size_t(k)] = AddSpin(page, 34, y + 16, 50, change);
    AddLabel(page, "Width:", 88, y + 18, 36);
    ModItemWidth[size_t(k)] = AddSpin(page, 124, y + 16, 50, change);
  }
}

void TEditorWindow::CreateIconListPage(TPanel* page) {
  auto change = [this](TComponent* s) { IconListSpinChange(s); };
  AddListHead(page, change, IconListLeadingSpin, IconListTopSpin, IconListLeftSpin);
  AddLabel(page, "Icon size:", 4, 78, 56);
  IconSizeSpin = AddSpin(page, 60, 76, 60, [this](TComponent* s) { IconSizeSpinChange(s); });
  IconSizeSpin->MinValue = 4;
  IconSizeSpin->MaxValue = 512;
  IconSizeLabel = AddLabel(page, SizeText(16), 124, 78, 50);
  for (int k = 0; k < kRows; ++k) {
    const int y = 104 + k * kItemRow;
    AddLabel(page, "Item " + IntToStr(k + 1), 4, y, 60);
    AddLabel(page, "Left:", 4, y + 18, 30);
    IconItemLeft[size_t(k)] = AddSpin(page, 34, y + 16, 46, change);
    AddLabel(page, "Size:", 84, y + 18, 28);
    SizeOffsetSpins[size_t(k)] = AddSpin(page, 112, y + 16, 40, [this, k](TComponent*) { SizeOffsetSpinChange(k); });
    SizeOffsetSpins[size_t(k)]->MinValue = -256;
    SizeOffsetSpins[size_t(k)]->MaxValue = 256;
    ItemSizeLabels[size_t(k)] = AddLabel(page, "", 64, y, 60);
  }
}

// --- choosing an element

int TEditorWindow::ChosenButtonIndex() const { return std::clamp(ElementCombo->ItemIndex(), 0, kButtonElements - 1); }
Tbxskinnappi& TEditorWindow::ChosenButton() { return Skin().Button(ChosenButtonIndex()); }

TPicture& TEditorWindow::GroupPicture(int g) {
  Tbxskinnappi& b = ChosenButton();
  return g == 0 ? b.Kuva : g == 1 ? b.Painettu : b.Valittu;
}
TColor& TEditorWindow::GroupColor(int g) {
  Tbxskinnappi& b = ChosenButton();
  return g == 0 ? b.Kuvalvari : g == 1 ? b.Painettulvari : b.Valittulvari;
}
bool& TEditorWindow::GroupEnabled(int g) {
  Tbxskinnappi& b = ChosenButton();
  return g == 0 ? b.Kuvak : g == 1 ? b.Painettuk : b.Valittuk;
}
bool& TEditorWindow::GroupTransparent(int g) {
  Tbxskinnappi& b = ChosenButton();
  return g == 0 ? b.Kuvalapik : g == 1 ? b.Painettulapik : b.Valittulapik;
}

void TEditorWindow::ElementComboChange(TComponent*) {
  const bool wasLoading = LoadingControls;
  LoadingControls = true;
  const int element = std::max(0, ElementCombo->ItemIndex());
  const int shown = element < kButtonElements ? 0 : element == kButtonElements ? kModListPage : kIconListPage;
  for (int i = 0; i < 3; ++i) ElementPages[size_t(i)]->SetVisible(i == shown);
  PropertyBox->ScrollTo(0, 0);
  TbxskinData& d = Skin();
  if (shown == 0) {
    for (int g = 0; g < 3; ++g) {
      TPictureGroup& group = Groups[size_t(g)];
      group.Enabled->SetChecked(GroupEnabled(g));
      group.Thumb->Picture().Assign(GroupPicture(g));
      group.Thumb->Changed();
      group.Swatch->SetBrushColor(GroupColor(g));
      group.Transparent->SetChecked(GroupTransparent(g));
    }
    const Tbxskinnappi& b = ChosenButton();
    const int values[4] = {b.Top, b.Left, b.Width, b.Height};
    for (int i = 0; i < 4; ++i) ButtonSpins[size_t(i)]->SetValue(values[i]);
  } else if (shown == kModListPage) {
    ModListLeadingSpin->SetValue(d.Mainlist.Height);
    ModListTopSpin->SetValue(d.Mainlist.Top);
    ModListLeftSpin->SetValue(d.Mainlist.Left);
    for (int k = 0; k < kRows; ++k) {
      ModItemLeft[size_t(k)]->SetValue(d.Mainlist.Item(k + 1).Left);
      ModItemWidth[size_t(k)]->SetValue(d.Mainlist.Item(k + 1).Width);
    }
  } else {
    IconListLeadingSpin->SetValue(d.Iconlist.Height);
    IconListTopSpin->SetValue(d.Iconlist.Top);
    IconListLeftSpin->SetValue(d.Iconlist.Left);
    IconSizeSpin->SetValue(d.Iconlist.IconWidth);
    for (int k = 0; k < kRows; ++k) {
      IconItemLeft[size_t(k)]->SetValue(d.Iconlist.Item(k + 1).Left);
      SizeOffsetSpins[size_t(k)]->SetValue(d.Iconlist.Item(k + 1).Width);
    }
    ShowIconSizes();
  }
  PropertyBox->UpdateScrollRange();
  LoadingControls = wasLoading;
}

// --- button page

void TEditorWindow::ButtonSpinChange(int which) {
  if (LoadingControls) return;
  Tbxskinnappi& b = ChosenButton();
  const int v = ButtonSpins[size_t(which)]->Value();
  int32_t* fields[4] = {&b.Top, &b.Left, &b.Width, &b.Height};
  *fields[which] = v;
  TImage* preview = PreviewButtons[size_t(ChosenButtonIndex())];
  preview->SetBounds(b.Left, b.Top, std::max(kMinButtonSize, int(b.Width)), std::max(kMinButtonSize, int(b.Height)));
  PreviewBox->UpdateScrollRange();
  Changed();
}

void TEditorWindow::OpenPictureClick(int g) {
  OpenPictureDialog->FileName.clear();
  if (!OpenPictureDialog->Execute()) return;
  TPicture picture;
  picture.LoadFromFile(OpenPictureDialog->FileName);  // a picture that cannot be read raises; nothing changes
  GroupPicture(g).Assign(picture);
  TPictureGroup& group = Groups[size_t(g)];
  group.Thumb->Picture().Assign(picture);
  group.Thumb->Changed();
  group.Enabled->SetChecked(true);
  GroupEnabled(g) = true;
  if (g == 0) {
    ButtonSpins[2]->SetValue(picture.Width());
    ButtonSpins[3]->SetValue(picture.Height());
    ShowButtonPicture(ChosenButtonIndex());
  }
  Changed();
}

void TEditorWindow::ClearPictureClick(int g) {
  if (MessageDlg(kConfirmClear, mtConfirmation, mbYesNo) != mrYes) return;
  GroupPicture(g).Clear();
  TPictureGroup& group = Groups[size_t(g)];
  group.Thumb->Picture().Clear();
  group.Thumb->Changed();
  group.Enabled->SetChecked(false);
  GroupEnabled(g) = false;
  if (g == 0) ShowButtonPicture(ChosenButtonIndex());
  Changed();
}

void TEditorWindow::PictureSwatchMouseDown(int g) {
  TColor& color = GroupColor(g);
  if (!PickColor(color, color)) return;
  Groups[size_t(g)].Swatch->SetBrushColor(color);
  if (g == 0) ShowButtonPicture(ChosenButtonIndex());
  Changed();
}

void TEditorWindow::EnabledClick(int g) {
  if (LoadingControls) return;
  GroupEnabled(g) = Groups[size_t(g)].Enabled->Checked();
  if (g == 0) ShowButtonPicture(ChosenButtonIndex());
  Changed();
}

void TEditorWindow::TransparentClick(int g) {
  if (LoadingControls) return;
  GroupTransparent(g) = Groups[size_t(g)].Transparent->Checked();
  if (g == 0) ShowButtonPicture(ChosenButtonIndex());
  Changed();
}

void TEditorWindow::ThumbMouseMove(int g, TShiftState shift, int x, int y) {
  TPictureGroup& group = Groups[size_t(g)];
  TColor c;
  if (!group.Picker->Checked() || !OnlyLeftButton(shift) ||
      !PickedColor(*group.Thumb, x, y, c))
    return;
  GroupColor(g) = c;
  group.Swatch->SetBrushColor(c);
  if (g == 0) ShowButtonPicture(ChosenButtonIndex());
  Changed();
}

void TEditorWindow::SavePictureClick(int g) {
  auto* picture = dynamic_cast<TBitmap*>(Groups[size_t(g)].Thumb->Picture().Graphic());
  SavePictureDialog->FileName.clear();
  if (!SavePictureDialog->Execute() || !picture || picture->Empty()) return;
  // A plain bitmap copy: a Targa or other picture is written as a bitmap too.
  TBitmap bitmap;
  bitmap.Assign(*picture);
  bitmap.SaveToFile(SavePictureDialog->FileName);
}

// --- mod list and icon list pages

void TEditorWindow::ModListSpinChange(TComponent*) {
  if (LoadingControls) return;
  Tbxskinmainlist& list = Skin().Mainlist;
  list.Height = ModListLeadingSpin->Value();
  list.Top = ModListTopSpin->Value();
  list.Left = ModListLeftSpin->Value();
  for (int k = 0; k < kRows; ++k) {
    list.Item(k + 1).Left = ModItemLeft[size_t(k)]->Value();
    list.Item(k + 1).Width = ModItemWidth[size_t(k)]->Value();
  }
  LayoutModList();
  Changed();
}

void TEditorWindow::IconListSpinChange(TComponent*) {
  if (LoadingControls) return;
  Tbxskiniconlist& list = Skin().Iconlist;
  list.Height = IconListLeadingSpin->Value();
  list.Top = IconListTopSpin->Value();
  list.Left = IconListLeftSpin->Value();
  for (int k = 0; k < kRows; ++k) list.Item(k + 1).Left = IconItemLeft[size_t(k)]->Value();
  LayoutIconList();
  Changed();
}

void TEditorWindow::ShowIconSizes() {
  IconSizeLabel->SetCaption(SizeText(IconSizeSpin->Value()));
  for (int k = 0; k < kRows; ++k)
    ItemSizeLabels[size_t(k)]->SetCaption(SizeText(IconSizeSpin->Value() + SizeOffsetSpins[size_t(k)]->Value()));
}

void TEditorWindow::IconSizeSpinChange(TComponent*) {
  if (!LoadingControls) {
    Skin().Iconlist.IconWidth = Skin().Iconlist.IconHeight = IconSizeSpin->Value();
    LayoutIconList();
    Changed();
  }
  ShowIconSizes();
}

void TEditorWindow::SizeOffsetSpinChange(int k) {
  ItemSizeLabels[size_t(k)]->SetCaption(SizeText(IconSizeSpin->Value() + SizeOffsetSpins[size_t(k)]->Value()));
  if (LoadingControls) return;
  Skin().Iconlist.Item(k + 1).Width = SizeOffsetSpins[size_t(k)]->Value();
  LayoutIconList();
  Changed();
}
