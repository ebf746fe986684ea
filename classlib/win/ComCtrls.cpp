// TPageControl and TTabSheet.
#include "ComCtrls.h"

#include <commctrl.h>

#include <algorithm>

// --- TTabSheet

TTabSheet::TTabSheet(TComponent* owner) : TWinControl(owner) { FVisible = false; }

TTabSheet::~TTabSheet() {
  if (FPageControl) FPageControl->RemovePage(this);
}

void TTabSheet::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.Style |= WS_CLIPCHILDREN;
  p.ExStyle |= WS_EX_CONTROLPARENT;
}

void TTabSheet::SetCaption(const std::string& caption) {
  FCaption = caption;
  if (FPageControl) FPageControl->UpdateTabs();
}

void TTabSheet::SetPageControl(TPageControl* pageControl) {
  if (pageControl == FPageControl) return;
  if (FPageControl) FPageControl->RemovePage(this);
  if (pageControl) pageControl->InsertPage(this);
}

void TTabSheet::SetTabVisible(bool visible) {
  if (visible == FTabVisible) return;
  FTabVisible = visible;
  if (!FPageControl) return;
  FPageControl->UpdateTabs();
  if (!visible && FPageControl->FActive == this) {
    // The first shown tab takes over.
    TTabSheet* next = nullptr;
    for (TTabSheet* s : FPageControl->FPages)
      if (s->FTabVisible && !next) next = s;
    FPageControl->SetActivePage(next);
  }
}

int TTabSheet::PageIndex() const {
  if (!FPageControl) return -1;
  const auto& pages = FPageControl->FPages;
  return int(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

int TTabSheet::TabIndex() const {
  if (!FPageControl || !FTabVisible) return -1;
  int i = 0;
  for (TTabSheet* s : FPageControl->FPages) {
    if (s == this) return i;
    if (s->FTabVisible) ++i;
  }
  return -1;
}

// --- TPageControl

TPageControl::~TPageControl() {
  for (TTabSheet* s : FPages) s->FPageControl = nullptr;
}

void TPageControl::CreateParams(TCreateParams& p) {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_TAB_CLASSES};
  InitCommonControlsEx(&icc);
  UseSystemClass(p, WC_TABCONTROLA);
  p.Style |= WS_TABSTOP | WS_CLIPCHILDREN | TCS_MULTILINE | TCS_HOTTRACK;
  p.ExStyle |= WS_EX_CONTROLPARENT;
}

void TPageControl::CreateHandle() {
  TStdControl::CreateHandle();
  UpdateTabs();
}

void TPageControl::InsertPage(TTabSheet* sheet) {
  FPages.push_back(sheet);
  sheet->FPageControl = this;
  sheet->SetParent(this);
  UpdateTabs();
  if (!FActive && sheet->FTabVisible) SetActivePage(sheet);
}

void TPageControl::RemovePage(TTabSheet* sheet) {
  std::erase(FPages, sheet);
  sheet->FPageControl = nullptr;
  if (FActive == sheet) FActive = nullptr;
  UpdateTabs();
}

void TPageControl::UpdateTabs() {
  if (!FHandle) return;
  SendMessageA(FHandle, TCM_DELETEALLITEMS, 0, 0);
  int n = 0;
  for (TTabSheet* s : FPages) {
    if (!s->FTabVisible) continue;
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(s->FCaption.c_str());
    SendMessageA(FHandle, TCM_INSERTITEMA, n++, LPARAM(&item));
  }
  if (FActive) SendMessageA(FHandle, TCM_SETCURSEL, WPARAM(FActive->TabIndex()), 0);
  // More or fewer tabs may take another number of rows.
  LayoutSheets();
}

void TPageControl::LayoutSheets() {
  if (!FHandle) return;
  RECT r;
  GetClientRect(FHandle, &r);
  SendMessageA(FHandle, TCM_ADJUSTRECT, FALSE, LPARAM(&r));
  for (TTabSheet* s : FPages) s->SetBounds(r.left, r.top, std::max(0L, r.right - r.left), std::max(0L, r.bottom - r.top));
}

void TPageControl::SetActivePage(TTabSheet* sheet) {
  if (sheet && (sheet->FPageControl != this || !sheet->FTabVisible)) return;
  if (sheet == FActive) return;
  TTabSheet* old = FActive;
  FActive = sheet;
  if (FHandle) SendMessageA(FHandle, TCM_SETCURSEL, WPARAM(sheet ? sheet->TabIndex() : -1), 0);
  // Windows not made yet are made in the state set here.
  if (sheet && sheet->HandleAllocated()) sheet->SetVisible(true);
  else if (sheet) sheet->FVisible = true;
  if (old && old->HandleAllocated()) old->SetVisible(false);
  else if (old) old->FVisible = false;
  if (sheet && sheet->OnShow) sheet->OnShow(sheet);
}

void TPageControl::SetBounds(int left, int top, int width, int height) {
  TStdControl::SetBounds(left, top, width, height);
  LayoutSheets();
}

bool TPageControl::Reflected(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (msg != WM_NOTIFY) return TStdControl::Reflected(msg, wParam, lParam, result);
  const auto* hdr = reinterpret_cast<const NMHDR*>(lParam);
  if (hdr->code == TCN_SELCHANGING) {
    bool allow = true;
    if (OnChanging) OnChanging(this, allow);
    result = allow ? FALSE : TRUE;
    return true;
  }
  if (hdr->code == TCN_SELCHANGE) {
    int tab = int(SendMessageA(FHandle, TCM_GETCURSEL, 0, 0));
    for (TTabSheet* s : FPages)
      if (s->TabIndex() == tab && tab >= 0) SetActivePage(s);
    if (OnChange) OnChange(this);
    result = 0;
    return true;
  }
  return false;
}
