// TEsgEditButton, TEsgEditBtn and TEsgUnitEditBtn.
#include "EsgEdit.h"

#include <algorithm>

// --- TEsgEditButton

TEsgEditButton::TEsgEditButton(TComponent* owner) : TWinControl(owner), FButton(new TSpeedButton(this)) {
  FWidth = 20, FHeight = 25;
  FButton->Align = alClient;
  FButton->SetParent(this);
  FButton->OnClick = [this](TComponent*) {
    if (OnClick) OnClick(this);
    if (EditControl && EditControl->HandleAllocated()) EditControl->SetFocus();
  };
}

void TEsgEditButton::Resize() { Realign(); }

// --- TEsgEditBtn

TEsgEditBtn::TEsgEditBtn(TComponent* owner) : TCustomEdit(owner), FButton(new TEsgEditButton(this)) {
  SetText("0");
  FButton->EditControl = this;
  FButton->SetParent(this);
  FButton->OnClick = [this](TComponent*) { ButtonClick(); };
}

void TEsgEditBtn::CreateParams(TCreateParams& p) {
  TCustomEdit::CreateParams(p);
  p.Style |= ES_MULTILINE | ES_AUTOHSCROLL | WS_CLIPCHILDREN | (RightAlign ? ES_RIGHT : ES_LEFT);
}

void TEsgEditBtn::CreateHandle() {
  TCustomEdit::CreateHandle();
  Arrange();
}

void TEsgEditBtn::Arrange() {
  if (!FHandle) return;
  RECT r;
  GetClientRect(FHandle, &r);
  FButton->SetBounds(r.right - kButtonWidth, 0, kButtonWidth, std::max<int>(kMinButtonHeight, r.bottom));
  RECT text{0, 0, std::max<int>(0, r.right - kButtonWidth - UnitSpace() - 2), r.bottom};
  SendMessageA(FHandle, EM_SETRECTNP, 0, LPARAM(&text));
  InvalidateRect(FHandle, nullptr, TRUE);
}

void TEsgEditBtn::ButtonClick() {
  if (OnClickBtn) OnClickBtn(this);
}

bool TEsgEditBtn::KeyPress(wchar_t& key) {
  // A one-line edit: no line breaks or tabs, whatever the window's style.
  if (key == '\r' || key == '\n' || key == '\t') return true;
  return !EditorEnabled && key >= 32;
}

void TEsgEditBtn::Sized(UINT, int, int) { Arrange(); }

// --- TEsgUnitEditBtn

TEsgUnitEditBtn::TEsgUnitEditBtn(TComponent* owner) : TEsgEditBtn(owner), FMenu(new TPopupMenu(this)) {}

void TEsgUnitEditBtn::SetUnitID(const std::string& unit) {
  FUnitID = unit;
  if (FHandle) InvalidateRect(FHandle, nullptr, TRUE);
}

void TEsgUnitEditBtn::SetUnitSpace(int space) {
  FUnitSpace = std::max(0, space);
  Arrange();
}

TPopupMenu& TEsgUnitEditBtn::UnitMenu() {
  TMenuItem* root = FMenu->Items();
  root->FreeFrom(0);
  for (const std::string& unit : Units.Items()) {
    auto* item = new TMenuItem(FMenu);
    item->Caption = EscapeAmpersands(unit);
    item->Checked = unit == FUnitID;
    item->OnClick = [this, unit](TComponent*) { SetUnitID(unit); };
    root->Add(item);
  }
  return *FMenu;
}

void TEsgUnitEditBtn::ButtonClick() {
  TEsgEditBtn::ButtonClick();
  // Below the button's left edge.
  RECT r;
  GetClientRect(Handle(), &r);
  POINT at{r.right - kButtonWidth, r.bottom};
  ClientToScreen(FHandle, &at);
  UnitMenu().Popup(at.x, at.y);
}

void TEsgUnitEditBtn::PaintUnit() {
  if (FUnitID.empty() || FUnitSpace <= 0) return;
  RECT r;
  GetClientRect(FHandle, &r);
  RECT unit{r.right - kButtonWidth - FUnitSpace, r.top, r.right - kButtonWidth - 2, r.bottom};
  TWindowDC dc(FHandle);
  HGDIOBJ font = HGDIOBJ(SendMessageA(FHandle, WM_GETFONT, 0, 0));
  TSelectGuard s(dc.DC(), font ? font : GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc.DC(), TRANSPARENT);
  SetTextColor(dc.DC(), ColorToRGB(Font.Color));
  // On the edit's first line, as the text.
  RECT line{0, 0, 0, 0};
  SendMessageA(FHandle, EM_GETRECT, 0, LPARAM(&line));
  unit.top = line.top;
  DrawTextA(dc.DC(), FUnitID.c_str(), int(FUnitID.size()), &unit, DT_RIGHT | DT_SINGLELINE | DT_NOPREFIX);
}

LRESULT TEsgUnitEditBtn::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_PAINT) {
    LRESULT r = TEsgEditBtn::WndProc(msg, wParam, lParam);
    PaintUnit();
    return r;
  }
  return TEsgEditBtn::WndProc(msg, wParam, lParam);
}
