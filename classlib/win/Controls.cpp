// TControl, TWinControl and the window procedure that every window shares.
#include "Controls.h"

#include <windowsx.h>

#include <algorithm>

#include "Forms.h"
#include "Menus.h"

namespace {
// One window class per control class, named as the class ("TMainWindow"), all
// with the same window procedure.
void RegisterWindowClass(const std::string& name) {
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  if (GetClassInfoExA(GetModuleHandleA(nullptr), name.c_str(), &wc)) return;
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = StdWndProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hIcon = LoadIconA(wc.hInstance, "MAINICON");
  wc.lpszClassName = name.c_str();
  if (!RegisterClassExA(&wc)) throw EOutOfResources("Error registering window class " + name);
}

bool IsGraphic(const TControl* c) { return dynamic_cast<const TGraphicControl*>(c) != nullptr; }

}  // namespace

// Our windows are ANSI: WM_CHAR brings a byte of the code page. A byte that
// is not a character alone (a lead byte) is given as it is.
wchar_t DecodeChar(WPARAM wParam) {
  const char byte = char(wParam);
  wchar_t key = 0;
  if (wParam > 0xFF || MultiByteToWideChar(CP_ACP, 0, &byte, 1, &key, 1) != 1) return wchar_t(wParam);
  return key;
}

WPARAM EncodeChar(wchar_t key) {
  char byte = 0;
  if (WideCharToMultiByte(CP_ACP, 0, &key, 1, &byte, 1, nullptr, nullptr) != 1) return WPARAM(key);
  return WPARAM((unsigned char)byte);
}

// --- TControl

TControl::TControl(TComponent* owner) : TComponent(owner) {}

TControl::~TControl() {
  if (FParent) FParent->RemoveControl(this);
}

void TControl::SetParent(TWinControl* parent) {
  if (parent == FParent) return;
  if (FParent) FParent->RemoveControl(this);
  if (parent) parent->InsertControl(this);
}

void TControl::SetBounds(int left, int top, int width, int height) {
  if (left == FLeft && top == FTop && width == FWidth && height == FHeight) return;
  Invalidate();
  FLeft = left, FTop = top, FWidth = width, FHeight = height;
  Invalidate();
}

void TControl::SetVisible(bool v) {
  if (v == FVisible) return;
  FVisible = v;
  if (FParent) FParent->Invalidate();
}

void TControl::SetEnabled(bool enabled) {
  if (enabled == Enabled) return;
  Enabled = enabled;
  Invalidate();
}

void TControl::Invalidate() {
  // A hidden window is painted whole when it shows: nothing to mark before.
  if (FParent && FParent->HandleAllocated() && IsWindowVisible(FParent->Handle())) {
    RECT r = BoundsRect();
    InvalidateRect(FParent->Handle(), &r, FALSE);
  }
}

void TControl::MouseDown(TMouseButton b, TShiftState s, int x, int y) { if (OnMouseDown) OnMouseDown(this, b, s, x, y); }
void TControl::MouseUp(TMouseButton b, TShiftState s, int x, int y) { if (OnMouseUp) OnMouseUp(this, b, s, x, y); }
void TControl::MouseMove(TShiftState s, int x, int y) { if (OnMouseMove) OnMouseMove(this, s, x, y); }
void TControl::Click() { if (OnClick) OnClick(this); }
void TControl::DblClick() { if (OnDblClick) OnDblClick(this); }
void TControl::MouseEnter() { if (OnMouseEnter) OnMouseEnter(this); }
void TControl::MouseLeave() { if (OnMouseLeave) OnMouseLeave(this); }

// --- TWinControl

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
  for (TControl* c : FControls) c->FParent = nullptr;
  FControls.clear();
  DestroyHandle();
}

HWND TWinControl::Handle() {
  if (!FHandle) CreateHandle();
  return FHandle;
}

void TWinControl::CreateParams(TCreateParams& params) {
  if (FParent) {
    params.Style = WS_CHILD | WS_CLIPSIBLINGS;
    params.WndParent = FParent->Handle();
  }
}

void TWinControl::CreateHandle() {
  TCreateParams p;
  p.WinClassName = ClassName();
  CreateParams(p);
  if (FHandle) return;  // making the parent's window made this one too
  if (!p.SystemClass) RegisterWindowClass(p.WinClassName);
  if (FVisible && FParent) p.Style |= WS_VISIBLE;
  if (!Enabled) p.Style |= WS_DISABLED;
  // Child windows get distinct ids, so that keyboard navigation can find them.
  HMENU id = nullptr;
  if (p.Style & WS_CHILD) id = reinterpret_cast<HMENU>(INT_PTR(100 + (FParent ? FParent->FControls.size() : 0)));
  HWND wnd = CreateWindowExA(p.ExStyle, p.WinClassName.c_str(), p.Caption.c_str(), p.Style, FLeft, FTop, FWidth, FHeight,
                             p.WndParent, id, GetModuleHandleA(nullptr), this);
  if (!wnd) throw EOutOfResources("Error creating window");
  if (p.SystemClass) {
    // A standard control joins the one window procedure by subclassing.
    FHandle = wnd;
    SetWindowLongPtrA(wnd, GWLP_USERDATA, LONG_PTR(this));
    FDefWndProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(wnd, GWLP_WNDPROC, LONG_PTR(StdWndProc)));
    SendMessageA(wnd, WM_SETFONT, WPARAM(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    Created();  // our own windows are told at WM_CREATE
  }
  for (TControl* c : FControls)
    if (auto* w = dynamic_cast<TWinControl*>(c)) w->Handle();
}

void TWinControl::DestroyHandle() {
  if (!FHandle) return;
  HWND wnd = FHandle;
  // No message of the dying window may reach this half-destroyed object.
  SetWindowLongPtrA(wnd, GWLP_USERDATA, 0);
  if (FDefWndProc) SetWindowLongPtrA(wnd, GWLP_WNDPROC, LONG_PTR(FDefWndProc));
  FHandle = nullptr;
  DestroyWindow(wnd);
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
  // The bounds follow the window's own (WM_WINDOWPOSCHANGED): a window
  // already there is asked nothing, each move being a round to the system.
  const bool moved = left != FLeft || top != FTop || width != FWidth || height != FHeight;
  FLeft = left, FTop = top, FWidth = width, FHeight = height;
  if (FHandle && moved) SetWindowPos(FHandle, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  Realign();
}

void TWinControl::SetVisible(bool v) {
  FVisible = v;
  if (v || FHandle) ShowWindow(Handle(), v ? SW_SHOW : SW_HIDE);
}

void TWinControl::Invalidate() {
  if (FHandle) InvalidateRect(FHandle, nullptr, FALSE);
}

void TWinControl::SetEnabled(bool enabled) {
  Enabled = enabled;
  if (FHandle) EnableWindow(FHandle, enabled);
}

void TWinControl::SetFocus() { ::SetFocus(Handle()); }

bool TWinControl::Focused() const { return FHandle && GetFocus() == FHandle; }

void TWinControl::Update() {
  if (FHandle) UpdateWindow(FHandle);
}

int TWinControl::ClientWidth() const {
  if (!FHandle) return FWidth;
  RECT r;
  GetClientRect(FHandle, &r);
  return r.right;
}

int TWinControl::ClientHeight() const {
  if (!FHandle) return FHeight;
  RECT r;
  GetClientRect(FHandle, &r);
  return r.bottom;
}

void TWinControl::SetClientSize(int width, int height) {
  HWND wnd = Handle();
  RECT r{0, 0, width, height};
  AdjustWindowRectEx(&r, DWORD(GetWindowLongPtrA(wnd, GWL_STYLE)), FALSE, DWORD(GetWindowLongPtrA(wnd, GWL_EXSTYLE)));
  SetBounds(FLeft, FTop, r.right - r.left, r.bottom - r.top);
}

void TWinControl::SetParent(TWinControl* parent) {
  TControl::SetParent(parent);
  if (FHandle && parent && ::GetParent(FHandle) != parent->Handle()) ::SetParent(FHandle, parent->FHandle);
}

void TWinControl::InsertControl(TControl* c) {
  FControls.push_back(c);
  c->FParent = this;
  if (auto* w = dynamic_cast<TWinControl*>(c); w && FHandle) w->Handle();
  if (c->Align == alClient) Realign();
  c->Invalidate();
}

void TWinControl::RemoveControl(TControl* c) {
  c->Invalidate();
  std::erase(FControls, c);
  if (FHover == c) FHover = nullptr;
  if (FCaptured == c) FCaptured = nullptr;
  c->FParent = nullptr;
}

TControl* TWinControl::ControlAtPos(POINT p) const {
  for (auto it = FControls.rbegin(); it != FControls.rend(); ++it) {
    TControl* c = *it;
    RECT r = c->BoundsRect();
    if (c->Visible() && c->Enabled && IsGraphic(c) && PtInRect(&r, p)) return c;
  }
  return nullptr;
}

void TWinControl::Realign() {
  int w = ClientWidth(), h = ClientHeight();
  for (TControl* c : FControls)
    if (c->Align == alClient) c->SetBounds(0, 0, w, h);
}

void TWinControl::Paint(TCanvas& canvas, const RECT& area) {
  canvas.BrushColor = Color;
  canvas.FillRect(area);
  PaintControls(canvas, area);
}

void TWinControl::PaintControls(TCanvas& canvas, const RECT& area) {
  HDC dc = canvas.Handle();
  for (TControl* c : FControls) {
    auto* g = dynamic_cast<TGraphicControl*>(c);
    RECT r = c->BoundsRect(), common;
    if (!g || !c->Visible() || !IntersectRect(&common, &r, &area)) continue;
    int saved = SaveDC(dc);
    SetViewportOrgEx(dc, r.left, r.top, nullptr);
    IntersectClipRect(dc, 0, 0, c->Width(), c->Height());
    TCanvas sub(dc);
    g->Paint(sub);
    RestoreDC(dc, saved);
  }
}

bool TWinControl::SetCursorAt(POINT client) {
  TControl* c = ControlAtPos(client);
  SetCursor(ScreenCursors().Get(c ? c->Cursor : Cursor));
  return true;
}

void TWinControl::TrackHover(TControl* now) {
  if (now == FHover) return;
  TControl* old = FHover;
  FHover = now;
  if (old) old->MouseLeave();  // leave before enter
  if (now) now->MouseEnter();
  HoverChanged(now);
}

void TWinControl::HoverChanged(TControl* now) {
  TWinControl* root = FindControl(GetAncestor(FHandle, GA_ROOT));
  if (root && root != this) root->ChildHoverChanged(*this, now);
}

TShiftState KeysToShift(WPARAM keys) {
  TShiftState s = 0;
  if (keys & MK_SHIFT) s |= ssShift;
  if (keys & MK_CONTROL) s |= ssCtrl;
  if (keys & MK_LBUTTON) s |= ssLeft;
  if (keys & MK_RBUTTON) s |= ssRight;
  if (keys & MK_MBUTTON) s |= ssMiddle;
  if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
  return s;
}

TShiftState KeyboardShift() {
  TShiftState shift = 0;
  if (GetKeyState(VK_SHIFT) < 0) shift |= ssShift;
  if (GetKeyState(VK_CONTROL) < 0) shift |= ssCtrl;
  if (GetKeyState(VK_MENU) < 0) shift |= ssAlt;
  return shift;
}

void TWinControl::RouteMouse(UINT msg, WPARAM wParam, LPARAM lParam) {
  POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  TShiftState shift = KeysToShift(wParam);
  TMouseButton button = mbLeft;
  if (msg == WM_RBUTTONDOWN || msg == WM_RBUTTONUP || msg == WM_RBUTTONDBLCLK) button = mbRight;
  if (msg == WM_MBUTTONDOWN || msg == WM_MBUTTONUP || msg == WM_MBUTTONDBLCLK) button = mbMiddle;
  if (msg == WM_LBUTTONDBLCLK || msg == WM_RBUTTONDBLCLK || msg == WM_MBUTTONDBLCLK) shift |= ssDouble;
  switch (msg) {
    case WM_MOUSEMOVE: {
      TControl* c = FCaptured ? FCaptured : ControlAtPos(p);
      if (!FTracking) {
        TRACKMOUSEEVENT t{sizeof t, TME_LEAVE, FHandle, 0};
        FTracking = TrackMouseEvent(&t) != FALSE;
      }
      TrackHover(FCaptured ? ControlAtPos(p) : c);
      if (c) c->MouseMove(shift, p.x - c->Left(), p.y - c->Top());
      else MouseMove(shift, p.x, p.y);
      break;
    }
    case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK: case WM_RBUTTONDBLCLK: case WM_MBUTTONDBLCLK: {
      TControl* c = ControlAtPos(p);
      if (c) {
        FCaptured = c;
        SetCapture(FHandle);
        c->MouseDown(button, shift, p.x - c->Left(), p.y - c->Top());
        if (msg == WM_LBUTTONDBLCLK) c->DblClick();
      } else {
        MouseDown(button, shift, p.x, p.y);
      }
      break;
    }
    case WM_LBUTTONUP: case WM_RBUTTONUP: case WM_MBUTTONUP: {
      TControl* c = FCaptured;
      if (c) {
        FCaptured = nullptr;
        ReleaseCapture();
        c->MouseUp(button, shift, p.x - c->Left(), p.y - c->Top());
        RECT r = c->BoundsRect();
        if (button == mbLeft && PtInRect(&r, p)) c->Click();
        if (button == mbRight && PtInRect(&r, p)) ContextPopup(c);
      } else {
        MouseUp(button, shift, p.x, p.y);
        if (button == mbLeft) Click();
        if (button == mbRight) ContextPopup(this);
      }
      break;
    }
  }
}

// The control's popup menu at the pointer, with the control as its opener.
void TWinControl::ContextPopup(TControl* control) {
  TPopupMenu* menu = control->PopupMenu;
  if (!menu || !menu->AutoPopup) return;
  POINT at;
  GetCursorPos(&at);
  menu->PopupComponent = control;
  menu->Popup(at.x, at.y);
}

LRESULT TWinControl::DefaultHandler(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (FDefWndProc) return CallWindowProcA(FDefWndProc, FHandle, msg, wParam, lParam);
  return DefWindowProcA(FHandle, msg, wParam, lParam);
}

TWinControl* TWinControl::NotifyingChild(UINT msg, WPARAM wParam, LPARAM lParam) const {
  switch (msg) {
    case WM_NOTIFY:
      return FindControl(reinterpret_cast<const NMHDR*>(lParam)->hwndFrom);
    case WM_DRAWITEM: {
      const auto* d = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      return d->CtlType == ODT_MENU ? nullptr : FindControl(d->hwndItem);
    }
    case WM_MEASUREITEM: {
      const auto* m = reinterpret_cast<const MEASUREITEMSTRUCT*>(lParam);
      return m->CtlType == ODT_MENU ? nullptr : FindControl(GetDlgItem(FHandle, int(m->CtlID)));
    }
    default:  // the scroll and colour messages carry the child's window
      return FindControl(HWND(lParam));
  }
}

TWinControl* FindControl(HWND wnd) {
  if (!wnd || reinterpret_cast<WNDPROC>(GetWindowLongPtrA(wnd, GWLP_WNDPROC)) != StdWndProc) return nullptr;
  return reinterpret_cast<TWinControl*>(GetWindowLongPtrA(wnd, GWLP_USERDATA));
}

LRESULT TWinControl::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST) {
    TWinControl* root = FindControl(GetAncestor(FHandle, GA_ROOT));
    if (root && root != this) root->ChildHintMouse(*this, MSG{FHandle, msg, wParam, lParam, DWORD(GetMessageTime()), {}});
  }
  // Notifications go back to the control that sent them, also when the
  // parent is a standard control (a group box holding check boxes).
  switch (msg) {
    case WM_CONTEXTMENU:
      // A standard control's own right click or menu key: the control's
      // popup menu, when it has one, instead of the control's own menu.
      if (TWinControl* c = FindControl(HWND(wParam)); c && c->PopupMenu && c->PopupMenu->AutoPopup) {
        POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        if (at.x == -1 && at.y == -1) {  // from the keyboard: at the control's top left
          at = POINT{0, 0};
          ClientToScreen(c->Handle(), &at);
        }
        c->PopupMenu->PopupComponent = c;
        c->PopupMenu->Popup(at.x, at.y);
        return 0;
      }
      break;
    case WM_COMMAND:
      if (TWinControl* c = FindControl(HWND(lParam)); c && c != this && c->CommandNotify(HIWORD(wParam))) return 0;
      break;
    case WM_NOTIFY: case WM_DRAWITEM: case WM_MEASUREITEM: case WM_HSCROLL: case WM_VSCROLL:
    case WM_CTLCOLORBTN: case WM_CTLCOLOREDIT: case WM_CTLCOLORLISTBOX: case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
      if (TWinControl* c = NotifyingChild(msg, wParam, lParam); c && c != this) {
        LRESULT result = 0;
        if (c->Reflected(msg, wParam, lParam, result)) return result;
      }
      break;
  }
  // The keyboard, the focus and the size are told to standard controls too.
  switch (msg) {
    case WM_KEYDOWN: case WM_SYSKEYDOWN: case WM_KEYUP: case WM_SYSKEYUP: {
      uint16_t key = uint16_t(wParam);
      const bool down = msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN;
      if ((down ? KeyDown(key, KeyboardShift()) : KeyUp(key, KeyboardShift())) || key == 0) return 0;
      return DefaultHandler(msg, key == uint16_t(wParam) ? wParam : WPARAM(key), lParam);
    }
    case WM_CHAR: {
      const wchar_t typed = DecodeChar(wParam);
      wchar_t key = typed;
      if (KeyPress(key) || key == 0) return 0;
      return DefaultHandler(msg, key == typed ? wParam : EncodeChar(key), lParam);
    }
    case WM_GETDLGCODE: {
      LRESULT code = 0;
      if (WantedKeys(reinterpret_cast<const MSG*>(lParam), code)) return code;
      return DefaultHandler(msg, wParam, lParam);
    }
    case WM_SETFOCUS: case WM_KILLFOCUS: {
      const LRESULT result = DefaultHandler(msg, wParam, lParam);
      if (msg == WM_SETFOCUS) FocusEnter(HWND(wParam));
      else FocusExit(HWND(wParam));
      return result;
    }
    case WM_SIZE: {
      const LRESULT result = DefaultHandler(msg, wParam, lParam);
      Sized(UINT(wParam), LOWORD(lParam), HIWORD(lParam));
      return result;
    }
  }
  // A standard control paints and handles its other input itself.
  if (FDefWndProc) return DefaultHandler(msg, wParam, lParam);
  switch (msg) {
    case WM_PAINT: {
      TPaintGuard paint(FHandle);
      RECT client;
      GetClientRect(FHandle, &client);
      TDoubleBuffer buffer(paint.DC(), client.right, client.bottom);
      TCanvas canvas(buffer.DC());
      Paint(canvas, paint.Area());
      buffer.Flush(paint.Area());
      return 0;
    }
    case WM_ERASEBKGND:
      // Painting is double-buffered: the background is drawn with the rest.
      return 1;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK: case WM_RBUTTONDBLCLK: case WM_MBUTTONDBLCLK:
    case WM_LBUTTONUP: case WM_RBUTTONUP: case WM_MBUTTONUP:
      RouteMouse(msg, wParam, lParam);
      return 0;
    case WM_MOUSEWHEEL:
      if (MouseWheel(GET_WHEEL_DELTA_WPARAM(wParam), KeysToShift(GET_KEYSTATE_WPARAM(wParam)),
                     POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}))
        return 0;
      return DefaultHandler(msg, wParam, lParam);
    case WM_MOUSELEAVE:
      FTracking = false;
      TrackHover(nullptr);
      return 0;
    case WM_CAPTURECHANGED:
      FCaptured = nullptr;
      return 0;
    case WM_SETCURSOR:
      if (LOWORD(lParam) == HTCLIENT) {
        POINT p;
        GetCursorPos(&p);
        ScreenToClient(FHandle, &p);
        if (SetCursorAt(p)) return TRUE;
      }
      break;
    case WM_CREATE: {
      const LRESULT result = DefaultHandler(msg, wParam, lParam);
      if (result != -1) Created();
      return result;
    }
    case WM_WINDOWPOSCHANGING:
      WindowPosChanging(*reinterpret_cast<WINDOWPOS*>(lParam));
      return 0;
    case WM_WINDOWPOSCHANGED: {
      const auto& wp = *reinterpret_cast<const WINDOWPOS*>(lParam);
      bool sized = !(wp.flags & SWP_NOSIZE) && (wp.cx != FWidth || wp.cy != FHeight);
      if (!(wp.flags & SWP_NOMOVE)) FLeft = wp.x, FTop = wp.y;
      if (!(wp.flags & SWP_NOSIZE)) FWidth = wp.cx, FHeight = wp.cy;
      if (sized) Resize();
      break;
    }
    case WM_TIMER:
      Timer(wParam);
      return 0;
    case WM_CLOSE:
      if (CloseRequested()) return 0;
      break;
  }
  return DefaultHandler(msg, wParam, lParam);
}

LRESULT CALLBACK StdWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    auto* self = static_cast<TWinControl*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    SetWindowLongPtrA(wnd, GWLP_USERDATA, LONG_PTR(self));
    self->FHandle = wnd;
  }
  auto* self = reinterpret_cast<TWinControl*>(GetWindowLongPtrA(wnd, GWLP_USERDATA));
  if (!self) return DefWindowProcA(wnd, msg, wParam, lParam);
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrA(wnd, GWLP_USERDATA, 0);
    LRESULT r = self->DefaultHandler(msg, wParam, lParam);
    self->FHandle = nullptr;
    return r;
  }
  // Nothing may unwind into Windows' code: the exception is shown here.
  LRESULT result = 0;
  Application().Guarded([&] { result = self->WndProc(msg, wParam, lParam); });
  return result;
}
