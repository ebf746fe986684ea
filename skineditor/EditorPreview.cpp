// The preview of the launcher's window: its controls, the layout of the rows
// and icons from the skin, the refresh of the whole editor (LoadControls) and the
// editing of the layout with the mouse.
//
// Departure from the original preview: a drag never makes a width or height
// smaller than the element's minimum nor a position negative, and keeps the
// dragged elements that are inside the background inside it; what already
// reaches past it (a layout larger than its background) follows the mouse.
// The memo shows every stored line of the notes, not only the first.
#include "EditorWindow.h"

#include <algorithm>

namespace {
const char* const kRowText =
    "Brannox 2000 Brannox 2000 Brannox 2000 Brannox 2000 Brannox 2000 Brannox 2000";
const char* const kButtonHints[TbxskinData::kButtonCount] = {
    "New button",   "Modify button",       "Remove button", "Remove all button", "BX2000 settings button",
    "About button", "Close BX2000 button", "Up button",     "Down button"};
constexpr int kMinRowWidth = 20;
constexpr int kMinIcon = 4;
constexpr int kMinButton = 8;
constexpr int kMinBackground = 10;
constexpr int kCrossSize = 40;
constexpr int kSampleIconSize = 16;
constexpr TShiftState kHeldMask = ssShift | ssAlt | ssCtrl | ssLeft | ssRight | ssMiddle;
constexpr int kModListElement = 9;
constexpr int kIconListElement = 10;

// A cross on white (drawn transparent): a button without an enabled picture.
void DrawCross(TBitmap& b) {
  b.SetSize(kCrossSize, kCrossSize);
  for (int y = 0; y < kCrossSize; ++y)
    for (int x = 0; x < kCrossSize; ++x) {
      const bool onLine = std::abs(x - y) <= 1 || std::abs(x + y - (kCrossSize - 1)) <= 1;
      b.SetPixel(x, y, onLine ? clRed : clWhite);
    }
  b.FixedTransparentColor = clWhite;
}

// The sample icon of the rows: a framed blue square.
void DrawSampleIcon(TBitmap& b) {
  b.SetSize(kSampleIconSize, kSampleIconSize);
  for (int y = 0; y < kSampleIconSize; ++y)
    for (int x = 0; x < kSampleIconSize; ++x) {
      const bool edge = x == 0 || y == 0 || x == kSampleIconSize - 1 || y == kSampleIconSize - 1;
      b.SetPixel(x, y, edge ? clNavy : (x + y) % 4 == 0 ? clAqua : clBlue);
    }
}

int FontRowHeight(const TFont& font) {
  TFontHandle handle = CreateFontHandle(font);
  TWindowDC dc(nullptr);
  TSelectGuard select(dc.DC(), handle.Get());
  TEXTMETRICA tm{};
  GetTextMetricsA(dc.DC(), &tm);
  return int(tm.tmHeight);
}

// A move by d of the span [start, end): never to a negative position, and a
// span inside [0, limit) stays inside. A span already past the far edge (a
// layout larger than its background) follows the mouse: the rule only cuts a
// move short, it never turns it around.
int ClampShift(int d, int start, int end, int limit) {
  if (d < 0) return std::min(0, std::max(d, -start));
  if (end > limit) return d;
  return std::min(d, limit - end);
}
// A size from a drag of an element at start, now current in size: at least
// min; an element inside the limit grows only up to it, one past it follows
// the mouse.
int ClampSize(int size, int start, int current, int min, int limit) {
  if (size > current && start + current <= limit) size = std::min(size, limit - start);
  return std::max(size, min);
}

// Moves the rows or icons together by (dx, dy), as far as they stay inside
// the area; the first is the top one and the last the bottom one.
template <typename TItem>
void MoveTogether(const std::array<TItem*, kRows>& items, int dx, int dy, SIZE area) {
  int minLeft = area.cx, maxRight = 0;
  for (TItem* c : items) {
    minLeft = std::min(minLeft, c->Left());
    maxRight = std::max(maxRight, c->Left() + c->Width());
  }
  dx = ClampShift(dx, minLeft, maxRight, area.cx);
  dy = ClampShift(dy, items.front()->Top(), items.back()->Top() + items.back()->Height(), area.cy);
  for (TItem* c : items) c->SetBounds(c->Left() + dx, c->Top() + dy, c->Width(), c->Height());
}
}  // namespace

bool OnlyLeftButton(TShiftState shift) { return (shift & kHeldMask) == ssLeft; }

bool PickedColor(TImage& image, int x, int y, TColor& color) {
  auto* bitmap = dynamic_cast<TBitmap*>(image.Picture().Graphic());
  if (!bitmap || bitmap->Empty()) return false;
  const int w = image.Stretch ? image.Width() : bitmap->Width();
  const int h = image.Stretch ? image.Height() : bitmap->Height();
  if (x < 0 || y < 0 || x >= w || y >= h || x >= image.Width() || y >= image.Height()) return false;
  const int px = int(int64_t(x) * bitmap->Width() / w), py = int(int64_t(y) * bitmap->Height() / h);
  color = bitmap->Pixel(px, py);
  return true;
}

void TEditorWindow::CreatePreview() {
  PreviewBox = new TScrollBox(this);
  PreviewBox->SetParent(this);
  DrawCross(CrossPicture);
  BackgroundImage = new TImage(this);
  BackgroundImage->Stretch = true;
  BackgroundImage->SetBounds(0, 0, 300, 240);
  BackgroundImage->SetParent(PreviewBox);
  BackgroundImage->OnClick = [this](TComponent* s) { BackgroundImageClick(s); };
  BackgroundImage->OnDblClick = [this](TComponent* s) { BackgroundImageDblClick(s); };
  BackgroundImage->OnMouseMove = [this](TComponent* s, TShiftState sh, int x, int y) {
    BackgroundImageMouseMove(s, sh, x, y);
  };
  for (int k = 0; k < kRows; ++k) {
    auto* row = new TLabel(this);
    row->Tag = k;
    row->Transparent = false;
    row->Color = clWhite;
    row->SetCaption(kRowText);
    row->SetParent(PreviewBox);
    row->OnMouseDown = [this](TComponent* s, TMouseButton b, TShiftState sh, int x, int y) {
      PreviewRowMouseDown(s, b, sh, x, y);
    };
    row->OnMouseMove = [this](TComponent* s, TShiftState sh, int x, int y) { PreviewRowMouseMove(s, sh, x, y); };
    row->OnMouseUp = [this](TComponent* s, TMouseButton b, TShiftState sh, int x, int y) {
      PreviewRowMouseUp(s, b, sh, x, y);
    };
    row->OnClick = [this](TComponent* s) { PreviewRowClick(s); };
    row->OnDblClick = [this](TComponent* s) { PreviewRowDblClick(s); };
    PreviewRows[size_t(k)] = row;
  }
  for (int k = 0; k < kRows; ++k) {
    auto* icon = new TImage(this);
    icon->Tag = k;
    icon->Stretch = true;
    icon->Transparent = true;
    DrawSampleIcon(icon->Picture().Bitmap());
    icon->SetParent(PreviewBox);
    icon->OnMouseDown = [this](TComponent* s, TMouseButton b, TShiftState sh, int x, int y) {
      PreviewIconMouseDown(s, b, sh, x, y);
    };
    icon->OnMouseMove = [this](TComponent* s, TShiftState sh, int x, int y) { PreviewIconMouseMove(s, sh, x, y); };
    icon->OnMouseUp = [this](TComponent* s, TMouseButton b, TShiftState sh, int x, int y) {
      PreviewIconMouseUp(s, b, sh, x, y);
    };
    icon->OnClick = [this](TComponent* s) { PreviewIconClick(s); };
    PreviewIcons[size_t(k)] = icon;
  }
  for (int k = 0; k < TbxskinData::kButtonCount; ++k) {
    auto* button = new TImage(this);
    button->Tag = k;
    button->Stretch = true;
    button->Transparent = true;
    button->Hint = kButtonHints[k];
    button->SetParent(PreviewBox);
    button->OnMouseDown = [this](TComponent* s, TMouseButton b, TShiftState sh, int x, int y) {
      PreviewButtonMouseDown(s, b, sh, x, y);
    };
    button->OnMouseMove = [this](TComponent* s, TShiftState sh, int x, int y) { PreviewButtonMouseMove(s, sh, x, y); };
    button->OnMouseUp = [this](TComponent* s, TMouseButton b, TShiftState sh, int x, int y) {
      PreviewButtonMouseUp(s, b, sh, x, y);
    };
    button->OnClick = [this](TComponent* s) { PreviewButtonClick(s); };
    PreviewButtons[size_t(k)] = button;
  }
}

// --- layout

void TEditorWindow::LayoutModList() {
  Tbxskinmainlist& list = Skin().Mainlist;
  const int rowHeight = FontRowHeight(list.MainListunselFont);
  for (int k = 0; k < kRows; ++k) {
    TLabel* row = PreviewRows[size_t(k)];
    row->Font.Assign(list.MainListunselFont);
    const Tbxskinitem& item = list.Item(k + 1);
    row->SetBounds(list.Left + item.Left, list.Top + k * (rowHeight + list.RowSpacing()),
                   std::max(kMinRowWidth, int(item.Width)), rowHeight);
    // A new colour or font leaves the bounds as they were: the row is
    // painted again all the same.
    row->Invalidate();
  }
  PreviewBox->UpdateScrollRange();
}

void TEditorWindow::LayoutIconList() {
  Tbxskiniconlist& list = Skin().Iconlist;
  int top = list.Top;
  for (int k = 0; k < kRows; ++k) {
    const Tbxskinitem& item = list.Item(k + 1);
    PreviewIcons[size_t(k)]->SetBounds(list.Left + item.Left, top, std::max(kMinIcon, list.IconWidth + item.Width),
                            std::max(kMinIcon, list.IconHeight + item.Width));
    top += list.IconHeight + item.Width + list.IconSpacing();
  }
  PreviewBox->UpdateScrollRange();
}

void TEditorWindow::SetBackground() {
  TbxskinData& d = Skin();
  BackgroundImage->Picture().Assign(d.Kuva);
  const bool picture = HasBackgroundPicture(d);
  const int w = picture ? d.Kuva.Width() : d.Width, h = picture ? d.Kuva.Height() : d.Height;
  BackgroundImage->SetBounds(0, 0, std::max(kMinBackground, w), std::max(kMinBackground, h));
  BackgroundImage->Changed();
  PreviewBox->UpdateScrollRange();
}

SIZE TEditorWindow::PreviewArea() const { return SIZE{BackgroundImage->Width(), BackgroundImage->Height()}; }

void TEditorWindow::ShowButtonPicture(int k) {
  Tbxskinnappi& b = Skin().Button(k);
  TImage* image = PreviewButtons[size_t(k)];
  auto* picture = dynamic_cast<TBitmap*>(b.Kuva.Graphic());
  if (b.Kuvak && picture && !picture->Empty()) {
    TBitmap& shown = image->Picture().Bitmap();
    shown.Assign(*picture);
    shown.FixedTransparentColor = b.Kuvalvari;
    image->Transparent = b.Kuvalapik;
  } else {
    image->Picture().Bitmap().Assign(CrossPicture);
    image->Picture().Bitmap().FixedTransparentColor = CrossPicture.FixedTransparentColor;
    image->Transparent = true;
  }
  image->Changed();
}

void TEditorWindow::LoadControls() {
  LoadingControls = true;
  TbxskinData& d = Skin();
  for (TLabel* row : PreviewRows) row->Transparent = false;
  LayoutModList();
  LayoutIconList();
  Pages->SetActivePage(General);
  ElementCombo->SetItemIndex(0);
  ElementComboChange(this);
  ColorSelectorButton->SetChecked(false);
  for (auto& g : Groups) g.Picker->SetChecked(false);
  SetBackground();
  TransparentColorSwatch->SetBrushColor(d.Lapivari);
  SelectedColorSwatch->SetBrushColor(d.Mainlist.MainListselFont.Color);
  UnselectedColorSwatch->SetBrushColor(d.Mainlist.MainListunselFont.Color);
  TitleEdit->SetText(d.Title);
  AuthorEdit->SetText(d.Tekija);
  NotesMemo->SetText("");
  if (d.Comments.Count() > 0) {
    // The editor keeps the notes as one stored line whose line breaks make
    // the memo's lines; a skin written elsewhere may store several lines,
    // and every one of them is kept.
    TStringList lines;
    lines.SetText(d.Comments.Text());
    for (int i = lines.Count(); i-- > 0;)
      if (lines[i].empty()) lines.Delete(i);
    NotesMemo->Lines.Assign(lines);
    d.Comments.Clear();
    d.Comments.Add(NotesMemo->Text());
  }
  for (int k = 0; k < TbxskinData::kButtonCount; ++k) {
    ShowButtonPicture(k);
    const Tbxskinnappi& b = d.Button(k);
    PreviewButtons[size_t(k)]->SetBounds(b.Left, b.Top, std::max(kMinButton, int(b.Width)),
                                         std::max(kMinButton, int(b.Height)));
  }
  PreviewBox->UpdateScrollRange();
  LoadingControls = false;
}

// --- mouse editing

namespace {
TControl* AsControl(TComponent* sender) { return static_cast<TControl*>(sender); }
}  // namespace

void TEditorWindow::PreviewButtonMouseDown(TComponent* sender, TMouseButton, TShiftState, int x, int y) {
  TControl* c = AsControl(sender);
  GrabX = x;
  GrabY = y;
  StartWidth = c->Width();
  StartHeight = c->Height();
  for (int k = 0; k < kRows; ++k) RowStartWidths[size_t(k)] = PreviewRows[size_t(k)]->Width();
  Dragging = true;
}

void TEditorWindow::PreviewButtonMouseMove(TComponent* sender, TShiftState shift, int x, int y) {
  if (!Dragging) return;
  TControl* c = AsControl(sender);
  const SIZE area = PreviewArea();
  int left = c->Left(), top = c->Top(), width = c->Width(), height = c->Height();
  switch (shift & kHeldMask) {
    case ssLeft:
      left += ClampShift(x - GrabX, left, left + width, area.cx);
      top += ClampShift(y - GrabY, top, top + height, area.cy);
      break;
    case ssShift | ssLeft:
      width = ClampSize(x + StartWidth - GrabX, left, width, kMinButton, area.cx);
      break;
    case ssCtrl | ssLeft:
      height = ClampSize(y + StartHeight - GrabY, top, height, kMinButton, area.cy);
      break;
    case ssShift | ssCtrl | ssLeft:
      width = ClampSize(x + StartWidth - GrabX, left, width, kMinButton, area.cx);
      height = ClampSize(y + StartHeight - GrabY, top, height, kMinButton, area.cy);
      break;
    default:
      break;
  }
  c->SetBounds(left, top, width, height);
  Tbxskinnappi& b = Skin().Button(int(c->Tag));
  if (b.Left != left || b.Top != top || b.Width != width || b.Height != height) Changed();
  b.Top = top;
  b.Left = left;
  b.Height = height;
  b.Width = width;
  PreviewBox->UpdateScrollRange();
}

void TEditorWindow::PreviewButtonMouseUp(TComponent*, TMouseButton, TShiftState, int, int) {
  Dragging = false;
  ElementComboChange(this);
}

void TEditorWindow::PreviewButtonClick(TComponent* sender) {
  Pages->SetActivePage(Properties);
  ElementCombo->SetItemIndex(int(AsControl(sender)->Tag));
  ElementComboChange(this);
}

void TEditorWindow::PreviewRowMouseDown(TComponent* sender, TMouseButton button, TShiftState shift, int x, int y) {
  PreviewButtonMouseDown(sender, button, shift, x, y);
}

void TEditorWindow::StoreRowLayout() {
  Tbxskinmainlist& list = Skin().Mainlist;
  const int top = PreviewRows[0]->Top(), left = PreviewRows[0]->Left() - list.Item(1).Left;
  if (list.Top != top || list.Left != left) Changed();
  list.Top = top;
  list.Left = left;
}

void TEditorWindow::PreviewRowMouseMove(TComponent* sender, TShiftState shift, int x, int y) {
  if (!Dragging) return;
  TControl* row = AsControl(sender);
  Tbxskinmainlist& list = Skin().Mainlist;
  const SIZE area = PreviewArea();
  Tbxskinitem& item = list.Item(int(row->Tag) + 1);
  // Sets every row's width from its width at mouse-down (or from the grabbed one's).
  auto setAllWidths = [&](bool fromOwn) {
    for (int k = 0; k < kRows; ++k) {
      TLabel* r = PreviewRows[size_t(k)];
      const int start = fromOwn ? RowStartWidths[size_t(k)] : StartWidth;
      r->SetWidth(ClampSize(x + start - GrabX, r->Left(), r->Width(), kMinRowWidth, area.cx));
      if (list.Item(k + 1).Width != r->Width()) Changed();
      list.Item(k + 1).Width = r->Width();
    }
  };
  switch (shift & kHeldMask) {
    case ssLeft: {
      MoveTogether(PreviewRows, x - GrabX, y - GrabY, area);
      StoreRowLayout();
      break;
    }
    case ssShift | ssLeft: {
      row->SetLeft(row->Left() + ClampShift(x - GrabX, row->Left(), row->Left() + row->Width(), area.cx));
      if (item.Left != row->Left() - list.Left) Changed();
      item.Left = row->Left() - list.Left;
      break;
    }
    case ssCtrl | ssLeft:
      row->SetWidth(ClampSize(x + StartWidth - GrabX, row->Left(), row->Width(), kMinRowWidth, area.cx));
      if (item.Width != row->Width()) Changed();
      item.Width = row->Width();
      break;
    case ssAlt | ssLeft:
      setAllWidths(true);
      break;
    case ssAlt | ssCtrl | ssLeft:
      setAllWidths(false);
      break;
    default:
      break;
  }
  PreviewBox->UpdateScrollRange();
}

void TEditorWindow::PreviewRowMouseUp(TComponent* sender, TMouseButton button, TShiftState shift, int x, int y) {
  PreviewButtonMouseUp(sender, button, shift, x, y);
}

void TEditorWindow::PreviewRowClick(TComponent*) {
  Pages->SetActivePage(Properties);
  ElementCombo->SetItemIndex(kModListElement);
  ElementComboChange(this);
}

void TEditorWindow::PreviewRowDblClick(TComponent*) {
  const bool transparent = !PreviewRows[0]->Transparent;
  for (TLabel* row : PreviewRows) {
    row->Transparent = transparent;
    row->Invalidate();
  }
}

void TEditorWindow::PreviewIconMouseDown(TComponent* sender, TMouseButton button, TShiftState shift, int x, int y) {
  PreviewButtonMouseDown(sender, button, shift, x, y);
}

void TEditorWindow::StoreIconLayout() {
  Tbxskiniconlist& list = Skin().Iconlist;
  const int top = PreviewIcons[0]->Top(), left = PreviewIcons[0]->Left() - list.Item(1).Left;
  if (list.Top != top || list.Left != left) Changed();
  list.Top = top;
  list.Left = left;
}

void TEditorWindow::PreviewIconMouseMove(TComponent* sender, TShiftState shift, int x, int y) {
  if (!Dragging) return;
  TControl* icon = AsControl(sender);
  Tbxskiniconlist& list = Skin().Iconlist;
  const SIZE area = PreviewArea();
  switch (shift & kHeldMask) {
    case ssLeft: {
      MoveTogether(PreviewIcons, x - GrabX, y - GrabY, area);
      StoreIconLayout();
      break;
    }
    case ssShift | ssLeft: {
      Tbxskinitem& item = list.Item(int(icon->Tag) + 1);
      icon->SetLeft(icon->Left() + ClampShift(x - GrabX, icon->Left(), icon->Left() + icon->Width(), area.cx));
      if (item.Left != icon->Left() - list.Left) Changed();
      item.Left = icon->Left() - list.Left;
      break;
    }
    default:
      break;
  }
  PreviewBox->UpdateScrollRange();
}

void TEditorWindow::PreviewIconMouseUp(TComponent* sender, TMouseButton button, TShiftState shift, int x, int y) {
  PreviewButtonMouseUp(sender, button, shift, x, y);
}

void TEditorWindow::PreviewIconClick(TComponent*) {
  Pages->SetActivePage(Properties);
  ElementCombo->SetItemIndex(kIconListElement);
  ElementComboChange(this);
}

void TEditorWindow::BackgroundImageClick(TComponent*) { Pages->SetActivePage(General); }

void TEditorWindow::BackgroundImageMouseMove(TComponent*, TShiftState shift, int x, int y) {
  TColor c;
  if (!ColorSelectorButton->Checked() || !OnlyLeftButton(shift) || !PickedColor(*BackgroundImage, x, y, c)) return;
  if (Skin().Lapivari != c) Changed();
  Skin().Lapivari = c;
  TransparentColorSwatch->SetBrushColor(c);
}
