// Owners of Windows handles: one move-only template over per-type traits, and
// guards for the paired calls (SelectObject, BeginPaint, GetDC, memory DCs).
#pragma once
// Colors.h first: windows.h makes GetRValue and its kin macros.
#include "Colors.h"
#include <windows.h>

#include <utility>

template <class Traits>
class THandleOwner {
public:
  using handle_type = typename Traits::handle_type;
  THandleOwner() = default;
  explicit THandleOwner(handle_type h) : FHandle(h) {}
  ~THandleOwner() { Reset(); }
  THandleOwner(const THandleOwner&) = delete;
  THandleOwner& operator=(const THandleOwner&) = delete;
  THandleOwner(THandleOwner&& o) noexcept : FHandle(o.Release()) {}
  THandleOwner& operator=(THandleOwner&& o) noexcept {
    if (this != &o) Reset(o.Release());
    return *this;
  }
  handle_type Get() const { return FHandle; }
  explicit operator bool() const { return FHandle != Traits::Invalid(); }
  // Gives the handle up without freeing it (e.g. a region handed to SetWindowRgn).
  handle_type Release() { return std::exchange(FHandle, Traits::Invalid()); }
  void Reset(handle_type h = Traits::Invalid()) {
    if (FHandle != Traits::Invalid()) Traits::Free(FHandle);
    FHandle = h;
  }

private:
  handle_type FHandle = Traits::Invalid();
};

template <class H>
struct TGdiTraits {
  using handle_type = H;
  static H Invalid() { return nullptr; }
  static void Free(H h) { DeleteObject(h); }
};
struct TIconTraits {
  using handle_type = HICON;
  static HICON Invalid() { return nullptr; }
  static void Free(HICON h) { DestroyIcon(h); }
};
struct TCursorTraits {
  using handle_type = HCURSOR;
  static HCURSOR Invalid() { return nullptr; }
  static void Free(HCURSOR h) { DestroyCursor(h); }
};
struct TMemDCTraits {
  using handle_type = HDC;
  static HDC Invalid() { return nullptr; }
  static void Free(HDC h) { DeleteDC(h); }
};
struct TKernelTraits {
  using handle_type = HANDLE;
  static HANDLE Invalid() { return nullptr; }
  static void Free(HANDLE h) { CloseHandle(h); }
};
// Files: CreateFile reports failure with INVALID_HANDLE_VALUE, not null.
struct TFileTraits {
  using handle_type = HANDLE;
  static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
  static void Free(HANDLE h) { CloseHandle(h); }
};
struct TModuleTraits {
  using handle_type = HMODULE;
  static HMODULE Invalid() { return nullptr; }
  static void Free(HMODULE h) { FreeLibrary(h); }
};
// A menu not attached to a window (a window destroys its own menu bar).
struct TMenuTraits {
  using handle_type = HMENU;
  static HMENU Invalid() { return nullptr; }
  static void Free(HMENU h) { DestroyMenu(h); }
};

using TBitmapHandle = THandleOwner<TGdiTraits<HBITMAP>>;
using TBrushHandle = THandleOwner<TGdiTraits<HBRUSH>>;
using TFontHandle = THandleOwner<TGdiTraits<HFONT>>;
using TPenHandle = THandleOwner<TGdiTraits<HPEN>>;
using TRegionHandle = THandleOwner<TGdiTraits<HRGN>>;
using TIconHandle = THandleOwner<TIconTraits>;
using TCursorHandle = THandleOwner<TCursorTraits>;
using TMemDCHandle = THandleOwner<TMemDCTraits>;
using TKernelHandle = THandleOwner<TKernelTraits>;
using TFileHandle = THandleOwner<TFileTraits>;
using TModuleHandle = THandleOwner<TModuleTraits>;
using TMenuHandle = THandleOwner<TMenuTraits>;

// Selects an object into a DC and puts the old one back.
class TSelectGuard {
public:
  TSelectGuard(HDC dc, HGDIOBJ obj) : FDC(dc), FOld(obj ? SelectObject(dc, obj) : nullptr) {}
  ~TSelectGuard() { if (FOld) SelectObject(FDC, FOld); }
  TSelectGuard(const TSelectGuard&) = delete;
  TSelectGuard& operator=(const TSelectGuard&) = delete;

private:
  HDC FDC;
  HGDIOBJ FOld;
};

class TPaintGuard {
public:
  explicit TPaintGuard(HWND wnd) : FWnd(wnd) { FDC = BeginPaint(wnd, &FPs); }
  ~TPaintGuard() { EndPaint(FWnd, &FPs); }
  TPaintGuard(const TPaintGuard&) = delete;
  TPaintGuard& operator=(const TPaintGuard&) = delete;
  HDC DC() const { return FDC; }
  const RECT& Area() const { return FPs.rcPaint; }

private:
  HWND FWnd;
  HDC FDC;
  PAINTSTRUCT FPs{};
};

// A window's client DC (null: the screen's); wholeWindow: with the frame and caption.
class TWindowDC {
public:
  explicit TWindowDC(HWND wnd, bool wholeWindow = false)
      : FWnd(wnd), FDC(wholeWindow ? GetWindowDC(wnd) : GetDC(wnd)) {}
  ~TWindowDC() { if (FDC) ReleaseDC(FWnd, FDC); }
  TWindowDC(const TWindowDC&) = delete;
  TWindowDC& operator=(const TWindowDC&) = delete;
  HDC DC() const { return FDC; }

private:
  HWND FWnd;
  HDC FDC;
};

// A memory DC of the target's size: draw into DC(), then Flush() copies the
// area to the target.
class TDoubleBuffer {
public:
  TDoubleBuffer(HDC target, int width, int height)
      : FTarget(target), FMem(CreateCompatibleDC(target)),
        FBitmap(CreateCompatibleBitmap(target, width > 0 ? width : 1, height > 0 ? height : 1)),
        FSelect(FMem.Get(), FBitmap.Get()) {}
  HDC DC() const { return FMem.Get(); }
  void Flush(const RECT& area) const {
    BitBlt(FTarget, area.left, area.top, area.right - area.left, area.bottom - area.top, FMem.Get(),
           area.left, area.top, SRCCOPY);
  }

private:
  HDC FTarget;
  TMemDCHandle FMem;
  TBitmapHandle FBitmap;
  TSelectGuard FSelect;  // declared last: deselects before the bitmap and DC go
};
