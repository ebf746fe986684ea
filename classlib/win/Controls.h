// Controls: TControl (bounds, visibility, cursor, mouse events), the
// windowless TGraphicControl painted and hit-tested by its parent, and
// TWinControl, which owns a window and runs the one window procedure.
#pragma once
#include "Handles.h"

#include <functional>
#include <string>
#include <vector>

#include "Classes.h"
#include "Graphics.h"
#include "WinGraphics.h"

class TWinControl;
class TPopupMenu;

enum TAlign { alNone, alClient };
enum TMouseButton { mbLeft, mbRight, mbMiddle };
enum TShiftBit : uint32_t { ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32, ssDouble = 64 };
using TShiftState = uint32_t;
using TCursor = int;  // 0 the arrow, 1.. the application's cursor slots
constexpr TCursor crDefault = 0;

using TMouseEvent = std::function<void(TComponent* sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(TComponent* sender, TShiftState shift, int x, int y)>;
using TKeyEvent = std::function<void(TComponent* sender, uint16_t& key, TShiftState shift)>;

// Whether exactly these of Shift, Ctrl and Alt are held ("Ctrl" is Ctrl
// alone, not Ctrl+Shift); the mouse buttons in shift do not count.
inline bool ShiftIs(TShiftState shift, TShiftState keys) { return (shift & (ssShift | ssCtrl | ssAlt)) == keys; }

class TControl : public TComponent {
public:
  explicit TControl(TComponent* owner);
  ~TControl() override;
  std::string ClassName() const override { return "TControl"; }

  TWinControl* Parent() const { return FParent; }
  virtual void SetParent(TWinControl* parent);

  int Left() const { return FLeft; }
  int Top() const { return FTop; }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  virtual void SetBounds(int left, int top, int width, int height);
  void SetLeft(int v) { SetBounds(v, FTop, FWidth, FHeight); }
  void SetTop(int v) { SetBounds(FLeft, v, FWidth, FHeight); }
  void SetWidth(int v) { SetBounds(FLeft, FTop, v, FHeight); }
  void SetHeight(int v) { SetBounds(FLeft, FTop, FWidth, v); }
  RECT BoundsRect() const { return RECT{FLeft, FTop, FLeft + FWidth, FTop + FHeight}; }

  bool Visible() const { return FVisible; }
  virtual void SetVisible(bool v);
  bool Enabled = true;
  // Sets Enabled; a window is enabled or disabled with it.
  virtual void SetEnabled(bool enabled);
  TAlign Align = alNone;
  TCursor Cursor = crDefault;
  std::string Hint;
  TColor Color = clBtnFace;
  TFont Font;
  // Pops up on a right click on the control (not owned).
  TPopupMenu* PopupMenu = nullptr;

  TNotifyEvent OnClick;
  TMouseEvent OnMouseDown, OnMouseUp;
  TMouseMoveEvent OnMouseMove;
  TNotifyEvent OnMouseEnter, OnMouseLeave;
  TNotifyEvent OnDblClick;

  // Repaints the control's area.
  virtual void Invalidate();

  // Mouse input, in the control's own coordinates; each fires its event.
  virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseMove(TShiftState shift, int x, int y);
  virtual void Click();
  virtual void DblClick();
  virtual void MouseEnter();
  virtual void MouseLeave();

protected:
  friend class TWinControl;
  TWinControl* FParent = nullptr;  // not owned
  int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
  bool FVisible = true;
};

// Painted by its parent onto the parent's (double-buffered) canvas.
class TGraphicControl : public TControl {
public:
  using TControl::TControl;
  std::string ClassName() const override { return "TGraphicControl"; }
  virtual void Paint(TCanvas& canvas) {}  // canvas origin at the control's top left
};

class TWinControl : public TControl {
public:
  explicit TWinControl(TComponent* owner);
  ~TWinControl() override;
  std::string ClassName() const override { return "TWinControl"; }

  // The window, created on first use.
  HWND Handle();
  bool HandleAllocated() const { return FHandle != nullptr; }
  // A window that exists moves to the new parent's window.
  void SetParent(TWinControl* parent) override;
  void SetBounds(int left, int top, int width, int height) override;
  void SetVisible(bool v) override;
  void Invalidate() override;
  void Update();  // paints pending areas now
  // Gives the window the keyboard focus.
  void SetFocus();
  bool Focused() const;
  void SetEnabled(bool enabled) override;

  int ClientWidth() const;
  int ClientHeight() const;
  void SetClientSize(int width, int height);

  // The graphic controls on this window, in z-order (last on top).
  const std::vector<TControl*>& Controls() const { return FControls; }
  void InsertControl(TControl* c);
  void RemoveControl(TControl* c);
  // The topmost visible graphic control at a client point, or nullptr.
  TControl* ControlAtPos(POINT p) const;
  // Re-lays out the alClient children.
  void Realign();

  // The dispatch: decodes a message and calls the named handler below.
  virtual LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT DefaultHandler(UINT msg, WPARAM wParam, LPARAM lParam);

protected:
  struct TCreateParams {
    std::string WinClassName;  // the class's name unless changed
    bool SystemClass = false;  // a standard control: subclassed after creation
    std::string Caption;
    DWORD Style = WS_OVERLAPPEDWINDOW, ExStyle = 0;
    HWND WndParent = nullptr;
  };
  virtual void CreateParams(TCreateParams& params);
  virtual void CreateHandle();
  virtual void DestroyHandle();

  // Named handlers; each returns true when it handled the message.
  virtual void Paint(TCanvas& canvas, const RECT& area);
  // The keyboard handlers reach standard controls too, before the control's
  // own handling: true or a key set to 0 keeps the key from the window; a
  // changed key goes on in its place.
  virtual bool KeyDown(uint16_t& key, TShiftState shift) { return false; }
  virtual bool KeyUp(uint16_t& key, TShiftState shift) { return false; }
  // A typed character (WM_CHAR), decoded from the window's code page.
  virtual bool KeyPress(wchar_t& key) { return false; }
  // The keys dialog navigation leaves to the window (WM_GETDLGCODE; key is
  // the key message asked about, or null): true with code answers instead
  // of the window's default.
  virtual bool WantedKeys(const MSG* key, LRESULT& code) { return false; }
  // The window gained or lost the focus (previous / next: the other window,
  // or null); told after the window's own handling, standard controls too.
  virtual void FocusEnter(HWND previous) {}
  virtual void FocusExit(HWND next) {}
  // The window exists and is bound to this object: after WM_CREATE for our
  // own windows, after subclassing for a standard control.
  virtual void Created() {}
  // The bounds changed by the user or the system (SetBounds realigns itself).
  virtual void Resize() { Realign(); }
  // WM_SIZE, after the window's own handling: every change of the client
  // size, also from SetBounds; kind is SIZE_RESTORED, SIZE_MINIMIZED, ...
  virtual void Sized(UINT kind, int width, int height) {}
  virtual bool SetCursorAt(POINT client);
  // One wheel message: delta above 0 is away from the user.
  virtual bool MouseWheel(int delta, TShiftState shift, POINT screen) { return false; }
  virtual void WindowPosChanging(WINDOWPOS& pos) {}
  virtual void Timer(UINT_PTR id) {}
  // The graphic control under the mouse changed (null: none); told to the
  // top-level window, which shows the hints.
  virtual void HoverChanged(TControl* now);
  // A mouse message of a windowed control, given to its top-level window
  // (which shows the hints of the control and of its graphic controls).
  virtual void ChildHintMouse(TWinControl& child, const MSG& msg) {}
  // The graphic control under the mouse in a windowed control changed.
  virtual void ChildHoverChanged(TWinControl& child, TControl* now) {}
  virtual bool CloseRequested() { return false; }
  // A WM_COMMAND notification of this control, reflected by its parent.
  virtual bool CommandNotify(WORD code) { return false; }
  // The other messages a parent gets about a child (WM_NOTIFY, WM_DRAWITEM,
  // WM_MEASUREITEM, WM_CTLCOLOR*, WM_HSCROLL, WM_VSCROLL), reflected to the
  // child's object; true with result when it handled one.
  virtual bool Reflected(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) { return false; }

  void PaintControls(TCanvas& canvas, const RECT& area);

  HWND FHandle = nullptr;  // owned: destroyed with the object
  WNDPROC FDefWndProc = nullptr;  // a standard control's own procedure

private:
  friend LRESULT CALLBACK StdWndProc(HWND, UINT, WPARAM, LPARAM);
  void RouteMouse(UINT msg, WPARAM wParam, LPARAM lParam);
  void ContextPopup(TControl* control);
  // The child a notification is about, or null.
  TWinControl* NotifyingChild(UINT msg, WPARAM wParam, LPARAM lParam) const;
  void TrackHover(TControl* now);
  std::vector<TControl*> FControls;  // not owned (the owner frees them)
  TControl* FCaptured = nullptr;     // graphic control that took the button press
  TControl* FHover = nullptr;        // graphic control under the mouse
  bool FTracking = false;
};

TShiftState KeysToShift(WPARAM keys);
// Shift, Ctrl and Alt as the keyboard holds them now.
TShiftState KeyboardShift();
// A typed character between the byte WM_CHAR brings from the window's code
// page and the decoded character the KeyPress handlers get.
wchar_t DecodeChar(WPARAM wParam);
WPARAM EncodeChar(wchar_t key);
// The object of one of our windows (also subclassed standard controls), or null.
TWinControl* FindControl(HWND wnd);
// The window procedure of every window of ours: binds the object at
// WM_NCCREATE, dispatches, and stops exceptions (shown by the application).
LRESULT CALLBACK StdWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
