// Thin wrappers over DirectDraw, which is loaded from "DDraw.dll" at run
// time: the DirectDraw object, its surfaces with a GDI canvas, palettes,
// clippers and the display-mode settings of the full-screen control.
#pragma once
#include "Handles.h"

#include <ddraw.h>

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "DIB.h"
#include "DXClassWin.h"
#include "DXDrawsDisplay.h"
#include "WinGraphics.h"

class EDirectDrawError : public EDirectXError { using EDirectXError::EDirectXError; };
class EDirectDrawPaletteError : public EDirectDrawError { using EDirectDrawError::EDirectDrawError; };
class EDirectDrawClipperError : public EDirectDrawError { using EDirectDrawError::EDirectDrawError; };
class EDirectDrawSurfaceError : public EDirectDrawError { using EDirectDrawError::EDirectDrawError; };

// One reference to a COM interface.
template <class I>
class TInterface {
public:
  TInterface() = default;
  explicit TInterface(I* p) : FPtr(p) {}  // takes over the caller's reference
  ~TInterface() { Reset(); }
  TInterface(const TInterface&) = delete;
  TInterface& operator=(const TInterface&) = delete;
  TInterface(TInterface&& o) noexcept : FPtr(std::exchange(o.FPtr, nullptr)) {}
  I* Get() const { return FPtr; }
  I* operator->() const { return FPtr; }
  explicit operator bool() const { return FPtr != nullptr; }
  I** Out() {
    Reset();
    return &FPtr;
  }
  void Reset(I* p = nullptr) {
    if (FPtr) FPtr->Release();
    FPtr = p;
  }
  // Another reference to the same object.
  void Share(I* p) {
    if (p) p->AddRef();
    Reset(p);
  }

private:
  I* FPtr = nullptr;
};

class TDirectDrawSurface;
class TDirectDrawPalette;
class TDirectDrawClipper;

class TDirectDraw : public TDirectX {
public:
  // Made through "DDraw.dll" on the driver (null: the display's default).
  TDirectDraw(const GUID* driver, bool directX7Mode);
  // Over an object made elsewhere, which must answer IDirectDraw4 (takes
  // over one reference).
  explicit TDirectDraw(IDirectDraw4* object);
  // Frees the surfaces, palettes and clippers left on it, each last first.
  ~TDirectDraw() override;
  TDirectDraw(const TDirectDraw&) = delete;
  TDirectDraw& operator=(const TDirectDraw&) = delete;
  std::string ClassName() const override { return "TDirectDraw"; }

  // Each raises EDirectDrawError "<name> not made" when it is not held.
  IDirectDraw* IDraw() const;
  IDirectDraw4* IDraw4() const;
  IDirectDraw7* IDraw7() const;

  DDCAPS DriverCaps{}, EmulationCaps{};

  int SurfaceCount() const { return int(FSurfaces.size()); }

private:
  friend class TDirectDrawSurface;
  friend class TDirectDrawPalette;
  friend class TDirectDrawClipper;
  void ReadCaps();
  TInterface<IDirectDraw> FDraw;
  TInterface<IDirectDraw4> FDraw4;
  TInterface<IDirectDraw7> FDraw7;
  // Each wrapper adds itself when made and leaves when freed; not owned
  // until this object is freed.
  std::vector<TDirectDrawSurface*> FSurfaces;
  std::vector<TDirectDrawPalette*> FPalettes;
  std::vector<TDirectDrawClipper*> FClippers;
};

// A GDI canvas on a surface: takes the surface's DC when first drawn on;
// Release hands it back and must come before the surface is blitted or flipped.
class TDirectDrawSurfaceCanvas {
public:
  explicit TDirectDrawSurfaceCanvas(TDirectDrawSurface& surface) : FSurface(surface) {}
  ~TDirectDrawSurfaceCanvas() { Release(); }
  // The canvas, the surface's DC taken if needed; raises when there is none.
  TCanvas& Canvas();
  HDC Handle() { return Canvas().Handle(); }
  bool HasDC() const { return FDC != nullptr; }
  void Release();

private:
  TDirectDrawSurface& FSurface;
  HDC FDC = nullptr;  // borrowed from the surface
  std::optional<TCanvas> FCanvas;
};

class TDirectDrawSurface : public TDirectX {
public:
  explicit TDirectDrawSurface(TDirectDraw& draw);
  ~TDirectDrawSurface() override;
  TDirectDrawSurface(const TDirectDrawSurface&) = delete;
  TDirectDrawSurface& operator=(const TDirectDrawSurface&) = delete;
  std::string ClassName() const override { return "TDirectDrawSurface"; }

  TDirectDraw& DirectDraw() const { return FDraw; }
  IDirectDrawSurface4* ISurface4() const;  // "IDirectDrawSurface4 not made"
  bool HasSurface() const { return bool(FSurface); }
  // Takes another reference to the interface (null releases) and reads its description.
  void SetInterface(IDirectDrawSurface4* surface);
  bool CreateSurface(DDSURFACEDESC2 desc);
  // An off-screen plain surface; 0 or less releases it. Falls back to system
  // memory once and then stays there; EDirectDrawSurfaceError when both fail.
  void SetSize(int width, int height);
  const DDSURFACEDESC2& Desc() const { return FDesc; }
  int Width() const { return HasSurface() ? int(FDesc.dwWidth) : 0; }
  int Height() const { return HasSurface() ? int(FDesc.dwHeight) : 0; }
  int BitCount() const { return int(FDesc.ddpfPixelFormat.dwRGBBitCount); }
  bool InSystemMemory() const { return FDesc.ddsCaps.dwCaps & DDSCAPS_SYSTEMMEMORY; }

  bool Fill(DWORD deviceColor);
  TDirectDrawSurfaceCanvas& Canvas();
  bool Blt(const RECT* dest, const RECT* source, TDirectDrawSurface* from, DWORD flags, DDBLTFX* effects);
  bool Flip();
  bool IsLost();
  bool Restore();
  void SetClipper(TDirectDrawClipper* clipper);
  bool HasClipper() const { return FHasClipper; }
  void SetPalette(TDirectDrawPalette* palette);
  void SetColorKey(DWORD deviceColor);

  // Nested: only the first Lock locks and the last Unlock unlocks; an Unlock
  // without a Lock does nothing.
  bool Lock();
  void Unlock();
  int LockCount() const { return FLockCount; }
  // Through a lock; 0 outside the surface or when the lock fails.
  uint32_t Pixel(int x, int y);
  void SetPixel(int x, int y, uint32_t value);
  // The device value of a colour on this surface.
  uint32_t ColorMatch(TColor color);

  // Copies the graphic's rectangle in at the given size (the rectangle's when 0).
  void LoadGraphicPart(const TGraphic& graphic, int width, int height, const RECT& part);
  void LoadGraphic(const TGraphic& graphic);
  // The pixels as a 24-bit DIB of the surface's size.
  void AssignTo(TDIB& dib);

private:
  uint8_t* PixelAddress(int x, int y);
  TDirectDraw& FDraw;
  TInterface<IDirectDrawSurface4> FSurface;
  DDSURFACEDESC2 FDesc{};
  DDSURFACEDESC2 FLocked{};
  int FLockCount = 0;
  bool FSystemMemory = false;  // made in system memory before
  bool FHasClipper = false;
  std::unique_ptr<TDirectDrawSurfaceCanvas> FCanvas;
};

class TDirectDrawPalette : public TDirectX {
public:
  explicit TDirectDrawPalette(TDirectDraw& draw);
  ~TDirectDrawPalette() override;
  std::string ClassName() const override { return "TDirectDrawPalette"; }
  IDirectDrawPalette* IPalette() const;  // "IDirectDrawPalette not made"
  bool CreatePalette(DWORD caps, const PALETTEENTRY* entries);
  bool SetEntries(int start, int count, const PALETTEENTRY* entries);

private:
  TDirectDraw& FDraw;
  TInterface<IDirectDrawPalette> FPalette;
};

class TDirectDrawClipper : public TDirectX {
public:
  // EDirectDrawClipperError "Clipper cannot be made" when it fails.
  explicit TDirectDrawClipper(TDirectDraw& draw);
  ~TDirectDrawClipper() override;
  std::string ClassName() const override { return "TDirectDrawClipper"; }
  IDirectDrawClipper* IClipper() const;
  bool SetHandle(HWND window);

private:
  TDirectDraw& FDraw;
  TInterface<IDirectDrawClipper> FClipper;
};

// The full-screen display settings of the control and the listed modes.
class TDXDrawDisplay : public TPersistent {
public:
  std::string ClassName() const override { return "TDXDrawDisplay"; }
  // BitCount, Width, Height and the three Fixed flags.
  void Assign(const TPersistent& source) override;
  int BitCount() const { return FBitCount; }
  void SetBitCount(int bits);  // 8, 16, 24 or 32, else EDirectDrawError
  int Width() const { return FWidth; }
  void SetWidth(int w) { FWidth = std::max(w, 0); }
  int Height() const { return FHeight; }
  void SetHeight(int h) { FHeight = std::max(h, 0); }
  TDisplayModeRules Rules;

  // The modes of the DirectDraw object, listed on first use, sorted.
  int Count(TDirectDraw& draw) { return int(Modes(draw).size()); }
  const std::vector<TDisplayModeSize>& Modes(TDirectDraw& draw);
  int IndexOf(TDirectDraw& draw, int width, int height, int bitCount);
  void ClearModes() { FModes.reset(); }
  // Sets the mode by the rules; on success Width, Height and BitCount take it.
  bool SetDisplayMode(TDirectDraw& draw, int width, int height, int bitCount);

private:
  int FBitCount = 8, FWidth = 640, FHeight = 480;
  std::optional<std::vector<TDisplayModeSize>> FModes;
};
